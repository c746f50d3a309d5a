#include <filesystem>
#include <fstream>
#include <iterator>

#include "velastro_window.h"

namespace fs = std::filesystem;

class FormulaFile : public VelastroWindow {
protected:
    static constexpr char kFilter[] = "Formulaparser (*.FKT)\0*.FKT\0All Files (*.*)\0*.*\0\0";
    static constexpr DWORD kSaveFlags = 0x806;
    static constexpr DWORD kLoadFlags = 0x1804;

    // What a file dialog was asked: save or open, default extension, file name, flags and filter.
    static auto Settings(const CFileDialogRequest& r) {
        return std::make_tuple(r.bSave, r.strDefExt, r.strFileName, r.dwFlags, r.strFilter);
    }

    static std::string ReadBytes(const std::string& strPath) {
        std::ifstream in(strPath, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    static void WriteBytes(const std::string& strPath, const std::string& strBytes) {
        std::ofstream(strPath, std::ios::binary) << strBytes;
    }
    void SetUp() override {
        VelastroWindow::SetUp();
        const auto* pTest = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() / (std::string("velastro-fkt-") + pTest->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override {
        VelastroWindow::TearDown();
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(m_dir, ec))
            fs::permissions(entry.path(), fs::perms::owner_all, ec);
        fs::remove_all(m_dir, ec);
    }

    std::string PathOf(const std::string& strName) { return (m_dir / strName).string(); }

    // Runs Save or Load and answers its file dialog; returns the request as it was asked.
    CFileDialogRequest Choose(int nCommand, std::optional<std::string> path) {
        User().Command(nCommand);
        auto request = User().PendingFileDialog();
        EXPECT_TRUE(request.has_value()) << "no file dialog for command " << nCommand;
        User().AnswerFileDialog(path);
        return request.value_or(CFileDialogRequest{});
    }

    // The formula as the last command left it: member and edit alike.
    void SetFormula(const std::string& strFormula) {
        User().OnUi([&] { Dlg().m_strFormula = strFormula.c_str(); });
        ShowMembers();
    }

    fs::path m_dir;
};

TEST_F(FormulaFile, DialogsProposeTheLastPathWithTheFileSettings) {
    // Load reads no field in: even a cancelled one shows the members again.
    User().SetText(IDC_LENGTH_EDIT, "7.25");
    Choose(IDC_LOAD, std::nullopt);
    EXPECT_EQ(User().Text(IDC_LENGTH_EDIT), "0");
    const std::string strFilter(kFilter, sizeof kFilter - 1);
    EXPECT_EQ(Settings(Choose(IDC_SAVE, std::nullopt)),
              std::make_tuple(true, "FKT", "Test.fkt", kSaveFlags, strFilter));
    EXPECT_EQ(User().Caption(), "Velastro") << "a cancelled save changes nothing";

    const std::string strMissing = PathOf("missing.FKT");
    EXPECT_EQ(Settings(Choose(IDC_LOAD, strMissing)),
              std::make_tuple(false, "FKT", "Test.fkt", kLoadFlags, strFilter));
    ExpectMessage("Can not open the file " + strMissing);
    EXPECT_EQ(Choose(IDC_SAVE, std::nullopt).strFileName, strMissing);
}

TEST_F(FormulaFile, SaveWritesTwentyFiveLinesAndNamesTheFileInTheCaption) {
    EnterStone(IDC_OVAL_BRILLIANT, "6.5", "-4", "1e3");
    SetHidden(IDC_CONST_X, "0.0000015");
    const std::string strPath = PathOf("oval.FKT");
    Choose(IDC_SAVE, strPath);
    EXPECT_FALSE(User().PendingMessageBox().has_value());
    EXPECT_EQ(ReadBytes(strPath),
              "Korvandelmatrix Formulaparser\r\n\r\n\r\n[COMMENT]\r\nno comment\r\n\r\n"
              "[FORMEL]\r\n(B+F)/2*(B+F)/2*G*.0065\r\n\r\n[CONSTANTS]\r\n10\r\n"
              "6.500000\r\n-4.000000\r\n1000.000000\r\n0.000000\r\n0.000000\r\n0.000000\r\n"
              "0.000000\r\n0.000000\r\n0.000000\r\n0.000002\r\n\r\n[COMMAND]\r\n\r\n[END]\r\n");
    EXPECT_EQ(User().Caption(), "Formulaparser - " + strPath);
    EXPECT_EQ(fs::directory_iterator(m_dir)->path().filename(), "oval.FKT") << "no file left over";
}

TEST_F(FormulaFile, LoadTakesBackTheWholeFormulaAndLeavesValuesAndUndoAlone) {
    std::string strLong = "1";
    for (int i = 0; i < 100; ++i)
        strLong += "+B*2";
    SetFormula(strLong);
    User().SetText(IDC_LENGTH_EDIT, "3");
    const std::string strPath = PathOf("long.FKT");
    Choose(IDC_SAVE, strPath);
    User().Command(IDC_DELETE);
    User().Command(IDC_KEY_X);
    User().SetText(IDC_LENGTH_EDIT, "5");
    User().Click(IDC_CLICK_HERE);
    Choose(IDC_LOAD, strPath);
    EXPECT_EQ(std::make_tuple(Formula(), FormulaUndo(), User().Text(IDC_LENGTH_EDIT)),
              std::make_tuple(strLong, "", "5"))
        << "the undo copy and the values from before the load";
}

// The reader's rules are the file format's own; here what the window makes of each outcome.
TEST_F(FormulaFile, LoadEmptiesKeepsOrReportsTheFormulaByTheFilesOutcome) {
    fs::create_directory(PathOf("folder"));
    WriteBytes(PathOf("no-marker.FKT"), "head\n[formel]\nB*4\n");
    WriteBytes(PathOf("empty.FKT"), "");
    WriteBytes(PathOf("long.FKT"), "head\r\n[FORMEL]\r\n" + std::string(1048577, '1') + "\r\n");
    // file, formula after the load, message after "Can not open the file PATH" (nullptr: none)
    const std::tuple<const char*, const char*, const char*> kCases[] = {
        {"no-marker.FKT", "", nullptr},
        {"empty.FKT", "B+1", nullptr},
        {"folder", "B+1", ""},
        {"long.FKT", "B+1", ": its formula line is longer than 1048576 characters"},
    };
    for (const auto& [pszName, pszFormula, pszMessageEnd] : kCases) {
        SetFormula("B+1");
        Choose(IDC_LOAD, PathOf(pszName));
        if (pszMessageEnd)
            ExpectMessage("Can not open the file " + PathOf(pszName) + pszMessageEnd);
        EXPECT_FALSE(User().PendingMessageBox().has_value()) << pszName;
        EXPECT_EQ(Formula(), pszFormula) << pszName;
    }
}

TEST_F(FormulaFile, UnwritableTargetsAreRefusedAndLeaveTheCaption) {
    const std::string strReadOnly = PathOf("kept.FKT");
    WriteBytes(strReadOnly, "earlier");
    fs::permissions(strReadOnly,
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    for (const std::string& strPath : {PathOf("no-such-folder/new.FKT"), strReadOnly, PathOf("")}) {
        Choose(IDC_SAVE, strPath);
        ExpectMessage("Can not save the file " + strPath);
        EXPECT_EQ(User().Caption(), "Velastro") << strPath;
    }
    EXPECT_EQ(ReadBytes(strReadOnly), "earlier");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
}
