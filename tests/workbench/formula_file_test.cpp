#include "formula_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <iterator>
#include <string>

namespace {

CFormulaFileRead ReadBytes(const std::string& strBytes) {
    std::FILE* pFile = std::tmpfile();
    std::fwrite(strBytes.data(), 1, strBytes.size(), pFile);
    std::rewind(pFile);
    CFormulaFileRead result = ReadFormulaFile(pFile);
    std::fclose(pFile);
    return result;
}

struct FileCase {
    std::string strBytes;
    std::string strFormula;
};

const std::string kLong(300, '7');

const FileCase kFiles[] = {
    {"head\r\n[FORMEL]\r\nB*2\r\n[END]\r\n", "B*2"},
    {"head\n[FORMEL]\nB*2\n", "B*2"},
    {"head\n[FORMEL]\nB*2", "B*2"},
    {"head\n\n[COMMENT]\n[FORMEL]\n" + kLong + "\n", kLong},
    {"head\n[FORMEL]\r\n\r\n", ""},
    {"head\n[FORMEL]\n", ""},
    {"head\n[formel]\nB*2\n", ""},
    {"head\n[FORMEL] \nB*2\n", ""},
    {"head\n [FORMEL]\nB*2\n", ""},
    {"head\n[FORMEL]\r\r\nB*2\n", ""},
    {"[FORMEL]\nB*2\n", ""},
    {"[FORMEL]\n[FORMEL]\nB*2\n", "B*2"},
    {"head\n" + std::string(255, 'x') + "[FORMEL]\nB*2\n", ""},
    {"head\n[FORMEL]\nB*2\n[FORMEL]\nB*3\n", "B*2"},
    {"head", ""},
    {std::string("head\n[FORMEL]\nB\0*2\n", 19), "B"},
    {"head\n[FORMEL]\nB*2\r", "B*2\r"},
};

}  // namespace

TEST(FormulaFileRead, TakesTheWholeLineAfterTheFirstWholeMarkerLine) {
    for (const FileCase& file : kFiles) {
        const CFormulaFileRead read = ReadBytes(file.strBytes);
        EXPECT_EQ(read.eOutcome, CFormulaFileRead::kFormula) << file.strBytes;
        EXPECT_EQ(read.strFormula, file.strFormula) << file.strBytes;
    }
}

TEST(FormulaFileRead, EmptyFileLeavesTheFormulaAlone) {
    EXPECT_EQ(ReadBytes("").eOutcome, CFormulaFileRead::kEmpty);
}

TEST(FormulaFileRead, ReadsBackWhatASaveWrites) {
    const CFormulaFileValues values = {6, 4, 3, -1, 0.5, 1e20, 0, 0, 0, 2};
    for (const std::string& strFormula :
         {std::string(), std::string("(B+F)/2*(B+F)/2*G*.0065"), std::string(5000, '1'),
          std::string("[FORMEL]"), std::string("sin(x)^2+cos(x)^2 ")}) {
        const CFormulaFileRead read = ReadBytes(FormulaFileText(strFormula, values));
        EXPECT_EQ(read.eOutcome, CFormulaFileRead::kFormula);
        EXPECT_EQ(read.strFormula, strFormula);
    }
}

TEST(FormulaFileText, WritesValuesInFullWithSixDecimals) {
    const CFormulaFileValues values = {1e20, -0.0000004, 0.0000005, -2.5, 0, 0, 0, 0, 0, 0};
    const std::string strText = FormulaFileText("", values);
    EXPECT_NE(strText.find("\r\n10\r\n100000000000000000000.000000\r\n-0.000000\r\n0.000000\r\n"
                           "-2.500000\r\n"),
              std::string::npos)
        << strText;
}

TEST(WriteFileReplacing, RefusesAFolderAndLeavesNothingBesideIt) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "velastro-folder-target";
    std::filesystem::create_directories(folder);
    EXPECT_FALSE(WriteFileReplacing(folder.string(), "bytes"));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_FALSE(std::filesystem::exists(folder.string() + ".saving"));
    std::filesystem::remove(folder);
}

TEST(WriteFileReplacing, TakesTheNextFreeNameBesideTheTarget) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "velastro-beside";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string strTarget = (dir / "f.FKT").string();
    std::FILE* pOther = std::fopen((strTarget + ".saving").c_str(), "wb");
    std::fputs("someone else's", pOther);
    std::fclose(pOther);
    EXPECT_TRUE(WriteFileReplacing(strTarget, "new"));
    EXPECT_TRUE(WriteFileReplacing(strTarget, "newer"));
    std::FILE* pFile = std::fopen(strTarget.c_str(), "rb");
    char szText[16] = {};
    ASSERT_NE(pFile, nullptr);
    std::fread(szText, 1, sizeof szText - 1, pFile);
    std::fclose(pFile);
    EXPECT_STREQ(szText, "newer");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir),
                            std::filesystem::directory_iterator()),
              2);
    std::filesystem::remove_all(dir);
}
