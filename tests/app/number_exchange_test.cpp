#include <clocale>

#include "velastro_window.h"

using NumberExchange = VelastroWindow;

// The full field rules are the framework's; here the point stays the point under a comma locale.
TEST_F(NumberExchange, ReadsLikeScanfAndShowsLikePrintfWithThePointInAnyLocale) {
    // A host without the locale reads in the C locale: the rows hold there too.
    User().OnUi([] { std::setlocale(LC_ALL, "de_DE.UTF-8"); });
    const std::pair<const char*, const char*> kReadBacks[] = {
        {"12abc", "12"},
        {"6,5", "6"},
        {"6.50", "6.5"},
        {"123456789012345678", "1.23456789012346e+17"},
        {"0.000000000000000000000000000000000000000001234", "1.234e-42"}};
    for (const auto& [pszTyped, pszShown] : kReadBacks) {
        User().SetText(IDC_DEPTH_EDIT, "x");  // keeps the window open after the exchange
        // Set, not typed: the narrow field takes no more typed characters than it can show.
        SetHidden(IDC_WIDTH_EDIT, pszTyped);
        User().Click(IDOK);
        ExpectNumberPrompt();
        ShowMembers();
        EXPECT_EQ(User().Text(IDC_WIDTH_EDIT), pszShown) << "typed " << pszTyped;
    }
    User().OnUi([] { std::setlocale(LC_ALL, "C"); });
}

TEST_F(NumberExchange, RefusedFieldStopsTheExchangeThere) {
    for (const char* pszBad : {"", "abc", "-", ".", "e5", " "}) {
        EnterStone(0, "5", pszBad, "9");
        User().Click(IDOK);
        ExpectNumberPrompt();
        EXPECT_EQ(std::make_tuple(User().FocusId(), User().Selection(IDC_WIDTH_EDIT)),
                  std::make_tuple(IDC_WIDTH_EDIT, std::make_pair(0, int(strlen(pszBad)))))
            << "bad text '" << pszBad << "' focused and selected";
        EXPECT_FALSE(User().PendingMessageBox().has_value()) << "one prompt per exchange";

        // Fields before the bad one took their values; it and those after it kept theirs.
        ShowMembers();
        EXPECT_EQ(User().Text(IDC_LENGTH_EDIT) + " " + User().Text(IDC_WIDTH_EDIT) + " " +
                      User().Text(IDC_DEPTH_EDIT),
                  "5 0 0");
    }
}

TEST_F(NumberExchange, ExchangeOutWritesOnlyChangedTexts) {
    // Unchanged texts are not rewritten, so a caret or selection in them survives.
    User().SetText(IDC_LENGTH_EDIT, "0");
    User().OnUi([] { SendMessageA(Item(IDC_LENGTH_EDIT), EM_SETSEL, 0, 1); });
    ShowMembers();
    EXPECT_EQ(User().Selection(IDC_LENGTH_EDIT), std::make_pair(0, 1));
}
