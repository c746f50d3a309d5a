// CFileDialog through the user prompts: what it hands the user and what it keeps of the answer.
// The program's own settings (flags, filter, extension) are checked where it asks, in its tests.
#include <gtest/gtest.h>

#include "recording_prompts.h"

TEST(FileDialog, TakesTheChosenPathCutToMaxPathAndKeepsTheProposedOneOnCancel) {
    CRecordingPrompts prompts;
    prompts.m_strAnswer = std::string(MAX_PATH + 20, 'p');
    CFileDialog dlgSave(FALSE, "FKT", "Test.fkt");
    ASSERT_EQ(IDOK, dlgSave.DoModal());
    EXPECT_TRUE(prompts.m_file.bSave);
    EXPECT_EQ("Test.fkt", prompts.m_file.strFileName);
    EXPECT_EQ(nullptr, prompts.m_file.hOwner) << "no main window, no owner";
    EXPECT_EQ(std::string(MAX_PATH - 1, 'p'), dlgSave.GetPathName().Str());
    prompts.m_bAnswerOK = false;
    CFileDialog dlgOpen(TRUE, "FKT", "Test.fkt");
    EXPECT_EQ(IDCANCEL, dlgOpen.DoModal());
    EXPECT_FALSE(prompts.m_file.bSave);
    EXPECT_STREQ("Test.fkt", dlgOpen.GetPathName());
}

// A dialog owned by another window: the window at the top is disabled while the user chooses.
TEST(FileDialog, DisablesTheTopWindowAboveAnOwnedParentUntilAnswered) {
    CRecordingPrompts prompts;
    HWND hwndTop = ::CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     nullptr, nullptr);
    HWND hwndOwned = ::CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, hwndTop, nullptr,
                                       nullptr, nullptr);
    CWnd wndOwned;
    wndOwned.Attach(hwndOwned);
    BOOL bTopEnabled = TRUE;
    prompts.m_onFileDialog = [&] { bTopEnabled = ::IsWindowEnabled(hwndTop); };
    CFileDialog dlg(TRUE, "FKT", "Test.fkt", 0, nullptr, &wndOwned);
    dlg.DoModal();
    EXPECT_EQ(hwndOwned, prompts.m_file.hOwner);
    EXPECT_FALSE(bTopEnabled);
    EXPECT_TRUE(::IsWindowEnabled(hwndTop));
    wndOwned.Detach();
    ::DestroyWindow(hwndOwned);
    ::DestroyWindow(hwndTop);
}
