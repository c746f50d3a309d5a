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
    ASSERT_TRUE(parent.CreateEx(0, "Static", "", WS_POPUP, 0, 0, 100, 100, NULL, NULL));
    HWND hStatic = ::CreateWindowExA(0, "Static", "DEPTH", WS_CHILD | WS_VISIBLE, 0, 0, 50, 12,
                                     parent.m_hWnd, NULL, NULL, NULL);
    CColorLabel label;
    ASSERT_TRUE(label.SubclassWindow(hStatic));
    label.SetBold(TRUE, FALSE);
    LOGFONTA lf = {};
    lf.lfHeight = -20;
    lf.lfWeight = FW_NORMAL;
    std::strcpy(lf.lfFaceName, "Courier New");
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    label.SetTextFont(&font, FALSE);
    const HFONT hLabelFont = label.GetLabelFont();
    LOGFONTA back = FontOf(hLabelFont);
    EXPECT_STREQ("Courier New", back.lfFaceName);
    EXPECT_EQ(-20, back.lfHeight);
    EXPECT_EQ(FW_BOLD, back.lfWeight);
    EXPECT_EQ(FW_NORMAL, FontOf(font).lfWeight) << "the given font stays as it was";
    label.SetTextFont(NULL, TRUE);
    EXPECT_EQ(hLabelFont, label.GetLabelFont()) << "no font: nothing changes";
}
