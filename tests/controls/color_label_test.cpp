// CColorLabel's font setters on a real static control: the bold flag decides every font's weight.
#include <gtest/gtest.h>

#include <cstring>

#include "color_label.h"

namespace {

LOGFONTA FontOf(HFONT hFont) {
    LOGFONTA lf = {};
    ::GetObjectA(hFont, sizeof lf, &lf);
    return lf;
}

}  // namespace

TEST(ColorLabel, SetTextFontTakesTheFontsDescriptionWithTheBoldFlagsWeight) {
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "Static", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    CColorLabel label;
    ASSERT_TRUE(
        label.SubclassWindow(::CreateWindowExA(0, "Static", "DEPTH", WS_CHILD | WS_VISIBLE, 0, 0,
                                               50, 12, parent.m_hWnd, nullptr, nullptr, nullptr)));
    label.SetBold(TRUE, FALSE);
    LOGFONTA lf = {};
    lf.lfHeight = -20;
    lf.lfWeight = FW_NORMAL;
    std::strcpy(lf.lfFaceName, "Courier New");
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    label.SetTextFont(&font, FALSE);
    const HFONT hLabelFont = label.GetLabelFont();
    const LOGFONTA back = FontOf(hLabelFont);
    EXPECT_EQ(std::make_tuple(std::string("Courier New"), LONG{-20}, LONG{FW_BOLD}),
              std::make_tuple(std::string(back.lfFaceName), back.lfHeight, back.lfWeight));
    EXPECT_EQ(FW_NORMAL, FontOf(font).lfWeight) << "the given font stays as it was";
    label.SetTextFont(nullptr, TRUE);
    EXPECT_EQ(hLabelFont, label.GetLabelFont()) << "no font: nothing changes";
}
