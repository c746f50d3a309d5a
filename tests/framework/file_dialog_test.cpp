#include <gtest/gtest.h>

#include <string>

#include "framework.h"

using namespace std::string_literals;

namespace {

// Answers every file dialog with a fixed path (or Cancel) and keeps the request.
class CFakePrompts : public CUserPrompts {
public:
    int ShowMessageBox(const CMessageBoxRequest& request) override {
        m_box = request;
        return IDOK;
    }
    bool ShowFileDialog(CFileDialogRequest& request) override {
        m_file = request;
        if (!m_bAnswerOK) return false;
        request.strResultPath = m_strAnswer;
        return true;
    }

    bool m_bAnswerOK = true;
    std::string m_strAnswer;
    CMessageBoxRequest m_box = {};
    CFileDialogRequest m_file = {};
};

class FileDialog : public ::testing::Test {
protected:
    void SetUp() override { m_pPrevious = AfxSetUserPrompts(&m_prompts); }
    void TearDown() override { AfxSetUserPrompts(m_pPrevious); }

    CFakePrompts m_prompts;
    CUserPrompts* m_pPrevious = nullptr;
};

const char kFormulaFilter[] = "Formulaparser (*.FKT)|*.FKT|All Files (*.*)|*.*||";

}  // namespace

TEST(FileFilter, BarsBecomeNulsByteForByte) {
    struct {
        const char* pszFilter;
        std::string strWin32;
    } const kCases[] = {
        {kFormulaFilter, "Formulaparser (*.FKT)\0*.FKT\0All Files (*.*)\0*.*\0\0"s},
        {"Text|*.txt||", "Text\0*.txt\0\0"s},
        {"Text|*.txt", "Text\0*.txt"s},
        {"", ""s},
        {nullptr, ""s},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(c.strWin32, AfxFilterToWin32(c.pszFilter))
            << (c.pszFilter ? c.pszFilter : "NULL");
}

TEST_F(FileDialog, SaveAsksWithTheGivenSettings) {
    m_prompts.m_strAnswer = "C:\\Formeln\\oval.FKT";
    CFileDialog dlg(FALSE, "FKT", "Test.fkt",
                    OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, kFormulaFilter);
    ASSERT_EQ(IDOK, dlg.DoModal());
    const CFileDialogRequest& request = m_prompts.m_file;
    EXPECT_TRUE(request.bSave);
    EXPECT_EQ("FKT", request.strDefExt);
    EXPECT_EQ("Test.fkt", request.strFileName);
    EXPECT_EQ(AfxFilterToWin32(kFormulaFilter), request.strFilter);
    EXPECT_EQ(0x806u, request.dwFlags);
    EXPECT_EQ(NULL, request.hOwner) << "no main window, no owner";
}

TEST_F(FileDialog, OpenReportsThePathAndItsParts) {
    struct {
        const char* pszPath;
        const char* pszName;
        const char* pszExt;
        const char* pszTitle;
    } const kCases[] = {
        {"C:\\Formeln\\oval.FKT", "oval.FKT", "FKT", "oval"},
        {"C:\\a.b\\noext", "noext", "", "noext"},
        {"/tmp/x.tar.gz", "x.tar.gz", "gz", "x.tar"},
        {"plain", "plain", "", "plain"},
    };
    for (const auto& c : kCases) {
        m_prompts.m_strAnswer = c.pszPath;
        CFileDialog dlg(TRUE, "FKT", "Test.fkt",
                        OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST, kFormulaFilter);
        ASSERT_EQ(IDOK, dlg.DoModal()) << c.pszPath;
        EXPECT_FALSE(m_prompts.m_file.bSave);
        EXPECT_EQ(0x1804u, m_prompts.m_file.dwFlags);
        EXPECT_STREQ(c.pszPath, dlg.GetPathName());
        EXPECT_STREQ(c.pszName, dlg.GetFileName()) << c.pszPath;
        EXPECT_STREQ(c.pszExt, dlg.GetFileExt()) << c.pszPath;
        EXPECT_STREQ(c.pszTitle, dlg.GetFileTitle()) << c.pszPath;
    }
}

TEST_F(FileDialog, CancelKeepsTheProposedName) {
    m_prompts.m_bAnswerOK = false;
    CFileDialog dlg(TRUE, "FKT", "Test.fkt");
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_STREQ("Test.fkt", dlg.GetPathName());
    EXPECT_EQ(static_cast<DWORD>(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT), m_prompts.m_file.dwFlags);
    EXPECT_TRUE(m_prompts.m_file.strFilter.empty());
}

TEST_F(FileDialog, MessageBoxDefaultsToTheExclamationIcon) {
    struct {
        UINT nType;
        UINT nShown;
    } const kCases[] = {
        {MB_OK, MB_OK | MB_ICONEXCLAMATION},    {MB_OKCANCEL, MB_OKCANCEL | MB_ICONEXCLAMATION},
        {MB_YESNO, MB_YESNO | MB_ICONQUESTION}, {MB_OK | MB_ICONSTOP, MB_OK | MB_ICONSTOP},
        {MB_RETRYCANCEL, MB_RETRYCANCEL},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(IDOK, AfxMessageBox("Geben Sie eine Zahl ein.", c.nType));
        EXPECT_EQ(c.nShown, m_prompts.m_box.nType) << "type " << c.nType;
        EXPECT_EQ("Geben Sie eine Zahl ein.", m_prompts.m_box.strText);
    }
}
