// The .FKT file: the bytes a save writes, the formula line a load takes back within its limit,
// and a save's replacement of the old file, which never leaves it half written.
#include "formula_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

// What a load takes from the bytes: its outcome and the formula.
auto ReadBytes(const std::string& strBytes, std::size_t nLimit = kFormulaLineLimit) {
    std::FILE* pFile = std::tmpfile();
    std::fwrite(strBytes.data(), 1, strBytes.size(), pFile);
    std::rewind(pFile);
    const FormulaFileRead read = ReadFormulaFile(pFile, nLimit);
    std::fclose(pFile);
    return std::make_pair(read.eOutcome, read.strFormula);
}

}  // namespace

TEST(FormulaFileText, WritesTheWholeFileAndReadsBackItsFormula) {
    const CFormulaFileValues values = {6, 4, 3, -1, 0.5, 1e20, -0.0000004, 0.0000005, 0, 2};
    EXPECT_EQ(
        "Korvandelmatrix Formulaparser\r\n\r\n\r\n[COMMENT]\r\nno comment\r\n\r\n[FORMEL]\r\n"
        "(B+F)/2\r\n\r\n[CONSTANTS]\r\n10\r\n6.000000\r\n4.000000\r\n3.000000\r\n-1.000000\r\n"
        "0.500000\r\n100000000000000000000.000000\r\n-0.000000\r\n0.000000\r\n0.000000\r\n"
        "2.000000\r\n\r\n[COMMAND]\r\n\r\n[END]\r\n",
        FormulaFileText("(B+F)/2", values));
    for (const std::string& strFormula :
         {std::string(), std::string(5000, '1'), std::string("[FORMEL]"), std::string("sin(x) ")})
        EXPECT_EQ(std::make_pair(FormulaFileRead::kFormula, strFormula),
                  ReadBytes(FormulaFileText(strFormula, values)));
}

// The marker rules are driven end to end by velastro-cli eval --file; these are the ones a
// formula's value cannot show.
TEST(ReadFormulaFile, TakesTheLineUpToItsEndAndRefusesOnePastTheLimit) {
    using R = FormulaFileRead;
    // The case, the line after "h\n[FORMEL]\n" (empty: the file is empty), what a load takes.
    const std::tuple<const char*, std::string, R::EOutcome, std::string> kRows[] = {
        {"an empty file", "", R::kEmpty, ""},
        {"a CR without LF", "B*2\r", R::kFormula, "B*2\r"},
        {"at the limit with CR LF", "1234\r\n", R::kFormula, "1234"},
        {"at the limit, unended", "1234", R::kFormula, "1234"},
        {"one past the limit", "12345\n", R::kTooLong, ""},
        {"NULs past the limit", std::string(6, '\0') + "\n", R::kTooLong, ""}};
    for (const auto& [pszCase, strLine, eOutcome, strFormula] : kRows)
        EXPECT_EQ(std::make_pair(eOutcome, strFormula),
                  ReadBytes(strLine.empty() ? "" : "h\n[FORMEL]\n" + strLine, 4))
            << pszCase;
}

// Each test saves into a folder of its own.
class WriteFileReplacingIn : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string PathOf(const std::string& strName) const { return (m_dir / strName).string(); }
    auto FileCount() const {
        return std::distance(fs::directory_iterator(m_dir), fs::directory_iterator());
    }
    // Names are taken in the folder; a whole path stays as it is.
    std::string Read(const std::string& strName) const {
        std::ifstream in(PathOf(strName), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::string Write(const std::string& strName, const std::string& strBytes) const {
        std::ofstream(PathOf(strName), std::ios::binary) << strBytes;
        return PathOf(strName);
    }

    const fs::path m_dir = fs::temp_directory_path() /
                           (std::string("velastro-save-") +
                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(WriteFileReplacingIn, RefusesAFolderAndLeavesNothingBesideIt) {
    fs::create_directory(m_dir / "d");
    EXPECT_FALSE(WriteFileReplacing(PathOf("d"), "bytes"));
    EXPECT_TRUE(fs::is_directory(m_dir / "d"));
    EXPECT_EQ(FileCount(), 1);
}

TEST_F(WriteFileReplacingIn, LeftoverFilesBesideTheTargetAreNeitherInTheWayNorTouched) {
    const std::string strTarget = PathOf("f.FKT");
    Write(strTarget + ".saving", "someone else's");
    for (int i = 1; i < 100; ++i)
        Write(strTarget + ".saving" + std::to_string(i), "left over");
    EXPECT_TRUE(WriteFileReplacing(strTarget, "new"));
    EXPECT_TRUE(WriteFileReplacing(strTarget, "newer"));
    EXPECT_EQ(Read(strTarget), "newer");
    EXPECT_EQ(Read(strTarget + ".saving"), "someone else's");
    EXPECT_EQ(FileCount(), 101) << "no temporary file left behind";
}

// The temporary name is short, so the longest name the folder takes saves too. Windows counts
// MAX_PATH for the whole path, which the file dialog never exceeds: that is its longest name.
TEST_F(WriteFileReplacingIn, SavesUnderTheLongestNameTheHostTakes) {
#ifdef _WIN32
    const std::size_t nName = MAX_PATH - 1 - PathOf("").size();
#else
    const std::size_t nName = 255;
#endif
    const std::string strTarget = Write(std::string(nName - 4, 'n') + ".FKT", "old");
    ASSERT_EQ(Read(strTarget), "old") << "the host refuses the name itself";
    EXPECT_TRUE(WriteFileReplacing(strTarget, "new"));
    EXPECT_EQ(Read(strTarget), "new");
    EXPECT_EQ(FileCount(), 1);
}

// One file under two names takes the new bytes in place, so both names show them.
TEST_F(WriteFileReplacingIn, HardLinksKeepSharingOneFile) {
    const std::string strTarget = Write("a.FKT", "old bytes, longer than the new");
    fs::create_hard_link(strTarget, PathOf("b.FKT"));
    EXPECT_TRUE(WriteFileReplacing(strTarget, "new"));
    EXPECT_EQ(Read("b.FKT"), "new");
    Write("b.FKT", "through b");
    EXPECT_EQ(Read(strTarget), "through b") << "the names no longer share one file";
    EXPECT_EQ(FileCount(), 2);
}

#ifdef _WIN32

// Windows' side of permissions. Under Wine the attribute rides in an extended attribute of the
// Unix file where the file system keeps one; the Unix owner and mode bits are beyond Win32.
TEST_F(WriteFileReplacingIn, KeepsTheReplacedFilesAttributes) {
    const std::string strTarget = Write("f.FKT", "old");
    ASSERT_TRUE(SetFileAttributesA(strTarget.c_str(), FILE_ATTRIBUTE_HIDDEN));
    if (!(GetFileAttributesA(strTarget.c_str()) & FILE_ATTRIBUTE_HIDDEN))
        GTEST_SKIP() << "this file system keeps no hidden attribute";
    EXPECT_TRUE(WriteFileReplacing(strTarget, "new"));
    EXPECT_EQ(Read(strTarget), "new");
    EXPECT_TRUE(GetFileAttributesA(strTarget.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

#else

TEST_F(WriteFileReplacingIn, KeepsThePermissionsAndTheOwner) {
    const std::string strTarget = Write("f.FKT", "old");
    ASSERT_EQ(chmod(strTarget.c_str(), 0640), 0);
    const bool bRoot = geteuid() == 0;
    ASSERT_TRUE(!bRoot || chown(strTarget.c_str(), 12345, 23456) == 0);
    EXPECT_TRUE(WriteFileReplacing(strTarget, "new"));
    struct stat status = {};
    ASSERT_EQ(stat(strTarget.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    if (!bRoot) GTEST_SKIP() << "giving a file to another owner takes root";
    EXPECT_EQ(std::make_pair(status.st_uid, status.st_gid), std::make_pair(12345u, 23456u));
}

// Not on Windows: making a link there takes a privilege or developer mode, and Wine 8's
// CreateSymbolicLink reports success but makes none.
TEST_F(WriteFileReplacingIn, ASymbolicLinkStaysALinkAndItsTargetTakesTheBytes) {
    fs::create_directory(m_dir / "real");
    Write("real/f.txt", "old");
    fs::create_symlink("real/f.txt", m_dir / "link.FKT");
    fs::create_symlink("real/new.txt", m_dir / "dangling.FKT");
    for (const char* pszLink : {"link.FKT", "dangling.FKT"}) {
        EXPECT_TRUE(WriteFileReplacing(PathOf(pszLink), pszLink)) << pszLink;
        EXPECT_TRUE(fs::is_symlink(m_dir / pszLink)) << pszLink;
    }
    EXPECT_EQ(Read("real/f.txt"), "link.FKT");
    EXPECT_EQ(Read("real/new.txt"), "dangling.FKT");
    EXPECT_EQ(FileCount(), 3);
}

// A file-size limit makes the write fail midway, as a full disk would.
TEST_F(WriteFileReplacingIn, AFailedWriteLeavesTheEarlierBytesAlsoUnderHardLinks) {
    Write("single.FKT", "earlier");
    fs::create_hard_link(Write("shared.FKT", "earlier"), PathOf("other.FKT"));
    rlimit oldLimit = {};
    getrlimit(RLIMIT_FSIZE, &oldLimit);
    const rlimit smallLimit = {1024, oldLimit.rlim_max};
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &smallLimit);
    const bool bSingle = WriteFileReplacing(PathOf("single.FKT"), std::string(5000, '1'));
    const bool bShared = WriteFileReplacing(PathOf("shared.FKT"), std::string(5000, '1'));
    setrlimit(RLIMIT_FSIZE, &oldLimit);
    signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(bSingle || bShared) << "a failed write reported as success";
    for (const char* pszName : {"single.FKT", "shared.FKT", "other.FKT"})
        EXPECT_EQ(Read(pszName), "earlier") << pszName;
    EXPECT_EQ(FileCount(), 3);
}

#endif
