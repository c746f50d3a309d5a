#include <clocale>
#include <string>

#include "velastro_window.h"

namespace {

struct ReadBack {
    const char* pszTyped;
    const char* pszShown;  // after an exchange in and out
};

// What a value field reads like "%lf" and shows again like "%.15g".
const ReadBack kReadBacks[] = {
    {"12abc", "12"},
    {"6,5", "6"},
    {"6.50", "6.5"},
    {"0", "0"},
    {"  7", "7"},
    {"-0", "-0"},
    {"+.5", "0.5"},
    {"5.", "5"},
    {"1e3", "1000"},
    {"1e", "1"},
    {"2E-3mm", "0.002"},
    {"0.1", "0.1"},
    {"123456789012345678", "1.23456789012346e+17"},
    {"1e400", "inf"},
};

}  // namespace

class NumberExchange : public VelastroWindow, public ::testing::WithParamInterface<ReadBack> {};

TEST_P(NumberExchange, ReadsLikeScanfAndShowsLikePrintf) {
    // Set, not typed: the narrow field takes no more typed characters than it can show.
    std::string strTyped = GetParam().pszTyped;
    User().OnUi([&] {
        SetWindowTextA(GetDlgItem(AfxGetMainWnd()->GetSafeHwnd(), IDC_WIDTH_EDIT),
                       strTyped.c_str());
    });
    User().SetText(IDC_DEPTH_EDIT, "x");  // keeps the window open after the exchange
    User().Click(IDOK);
    ExpectNumberPrompt();
    ShowMembers();
    EXPECT_EQ(User().Text(IDC_WIDTH_EDIT), GetParam().pszShown) << "typed " << GetParam().pszTyped;
}

INSTANTIATE_TEST_SUITE_P(Table, NumberExchange, ::testing::ValuesIn(kReadBacks),
                         [](const ::testing::TestParamInfo<ReadBack>& info) {
                             return "Case" + std::to_string(info.index);
                         });

TEST_F(VelastroWindow, NumbersUseThePointUnderAGermanLocale) {
    User().OnUi([] { std::setlocale(LC_ALL, "de_DE.UTF-8"); });
    User().SetText(IDC_LENGTH_EDIT, "6.25");
    User().SetText(IDC_WIDTH_EDIT, "6,25");
    User().SetText(IDC_DEPTH_EDIT, "x");
    User().Click(IDOK);
    ExpectNumberPrompt();
    ShowMembers();
    User().OnUi([] { std::setlocale(LC_ALL, "C"); });
    EXPECT_EQ(User().Text(IDC_LENGTH_EDIT), "6.25");
    EXPECT_EQ(User().Text(IDC_WIDTH_EDIT), "6");
}

TEST_F(VelastroWindow, RefusedFieldStopsTheExchangeThere) {
    for (const char* pszBad : {"", "abc", "-", ".", "e5", " "}) {
        User().SetText(IDC_LENGTH_EDIT, "5");
        User().SetText(IDC_WIDTH_EDIT, pszBad);
        User().SetText(IDC_DEPTH_EDIT, "9");
        User().Click(IDOK);
        ExpectNumberPrompt();
        EXPECT_EQ(User().FocusId(), IDC_WIDTH_EDIT) << "bad text '" << pszBad << "'";
        int nLength = static_cast<int>(std::string(pszBad).size());
        EXPECT_EQ(User().Selection(IDC_WIDTH_EDIT), std::make_pair(0, nLength));
        EXPECT_FALSE(User().PendingMessageBox().has_value()) << "one prompt per exchange";

        // Fields before the bad one took their values; it and those after it kept theirs.
        double dB = 0, dF = -1, dG = -1;
        User().OnUi([&] {
            dB = Dlg().m_dB;
            dF = Dlg().m_dF;
            dG = Dlg().m_dG;
        });
        EXPECT_EQ(dB, 5.0);
        EXPECT_EQ(dF, 0.0);
        EXPECT_EQ(dG, 0.0);
    }
}

TEST_F(VelastroWindow, ExchangeOutWritesOnlyChangedTexts) {
    // Unchanged texts are not rewritten, so a caret or selection in them survives.
    User().SetText(IDC_LENGTH_EDIT, "0");
    User().OnUi([] {
        SendMessageA(GetDlgItem(AfxGetMainWnd()->GetSafeHwnd(), IDC_LENGTH_EDIT), EM_SETSEL, 0, 1);
    });
    ShowMembers();
    EXPECT_EQ(User().Selection(IDC_LENGTH_EDIT), std::make_pair(0, 1));
}
