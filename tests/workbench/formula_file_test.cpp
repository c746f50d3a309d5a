#include "formula_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

CFormulaFileRead ReadBytes(const std::string& strBytes, std::size_t nLimit = kFormulaLineLimit) {
    std::FILE* pFile = std::tmpfile();
    std::fwrite(strBytes.data(), 1, strBytes.size(), pFile);
    std::rewind(pFile);
    CFormulaFileRead result = ReadFormulaFile(pFile, nLimit);
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

struct LimitCase {
    const char* pszCase;
    std::string strLine;  // the formula line with its line end
    std::size_t nLimit;
    CFormulaFileRead::EOutcome eOutcome;
};

const LimitCase kLimits[] = {
    {"at the limit", "1234\n", 4, CFormulaFileRead::kFormula},
    {"at the limit with CR LF", "1234\r\n", 4, CFormulaFileRead::kFormula},
    {"at the limit, unended", "1234", 4, CFormulaFileRead::kFormula},
    {"one past the limit", "12345\n", 4, CFormulaFileRead::kTooLong},
    {"NULs past the limit", std::string(6, '\0') + "\n", 4, CFormulaFileRead::kTooLong},
    {"the real limit", std::string(kFormulaLineLimit, '1') + "\r\n", kFormulaLineLimit,
     CFormulaFileRead::kFormula},
    {"one past the real limit", std::string(kFormulaLineLimit + 1, '1') + "\r\n", kFormulaLineLimit,
     CFormulaFileRead::kTooLong},
};

TEST(FormulaFileRead, RefusesAFormulaLineLongerThanTheLimit) {
    for (const LimitCase& c : kLimits) {
        const CFormulaFileRead read = ReadBytes("head\n[FORMEL]\n" + c.strLine, c.nLimit);
        EXPECT_EQ(read.eOutcome, c.eOutcome) << c.pszCase;
        const std::string strTaken = c.eOutcome == CFormulaFileRead::kFormula
                                         ? c.strLine.substr(0, c.strLine.find_first_of("\r\n"))
                                         : std::string();
        EXPECT_TRUE(read.strFormula == strTaken) << c.pszCase;
    }
}

TEST(FormulaFileRead, TooLongIsRefusedWithTheLimitInTheMessage) {
    EXPECT_EQ(FormulaTooLongText(), ": its formula line is longer than 1048576 characters");
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

// Each test saves into a folder of its own.
class WriteFileReplacingIn : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                (std::string("velastro-save-") +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string PathOf(const std::string& strName) const { return (m_dir / strName).string(); }
    std::size_t FileCount() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()));
    }
    static std::string Read(const std::string& strPath) {
        std::ifstream in(strPath, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void Write(const std::string& strPath, const std::string& strBytes) {
        std::ofstream(strPath, std::ios::binary) << strBytes;
    }

    fs::path m_dir;
};

TEST_F(WriteFileReplacingIn, LeftoverFilesBesideTheTargetAreNeitherInTheWayNorTouched) {
    const std::string strTarget = PathOf("f.FKT");
    Write(strTarget + ".saving", "someone else's");
    for (int i = 1; i < 100; ++i)
        Write(strTarget + ".saving" + std::to_string(i), "left over");
    EXPECT_TRUE(WriteFileReplacing(strTarget, "new"));
    EXPECT_TRUE(WriteFileReplacing(strTarget, "newer"));
    EXPECT_EQ(Read(strTarget), "newer");
    EXPECT_EQ(Read(strTarget + ".saving"), "someone else's");
    EXPECT_EQ(FileCount(), 101u) << "no temporary file left behind";
}

// The temporary name is short, so the longest name the folder takes saves too. Windows counts
// MAX_PATH for the whole path, which the file dialog never exceeds: that is its longest name.
TEST_F(WriteFileReplacingIn, SavesUnderTheLongestNameTheHostTakes) {
#ifdef _WIN32
    const std::size_t nName = MAX_PATH - 1 - PathOf("").size();
#else
    const std::size_t nName = 255;
#endif
    const std::string strTarget = PathOf(std::string(nName - 4, 'n') + ".FKT");
    Write(strTarget, "old");
    ASSERT_EQ(Read(strTarget), "old") << "the host refuses the name itself";
    EXPECT_TRUE(WriteFileReplacing(strTarget, "new"));
    EXPECT_EQ(Read(strTarget), "new");
    EXPECT_EQ(FileCount(), 1u);
}

// One file under two names takes the new bytes in place, so both names show them.
TEST_F(WriteFileReplacingIn, HardLinksKeepSharingOneFile) {
    const std::string strTarget = PathOf("a.FKT");
    Write(strTarget, "old bytes, longer than the new");
    fs::create_hard_link(strTarget, PathOf("b.FKT"));
    EXPECT_TRUE(WriteFileReplacing(strTarget, "new"));
    EXPECT_EQ(Read(PathOf("b.FKT")), "new");
    Write(PathOf("b.FKT"), "through b");
    EXPECT_EQ(Read(strTarget), "through b") << "the names no longer share one file";
    EXPECT_EQ(FileCount(), 2u);
}

#ifdef _WIN32

// Windows' side of permissions. Under Wine the attribute rides in an extended attribute of the
// Unix file where the file system keeps one; the Unix owner and mode bits are beyond Win32.
TEST_F(WriteFileReplacingIn, KeepsTheReplacedFilesAttributes) {
    const std::string strTarget = PathOf("f.FKT");
    Write(strTarget, "old");
    ASSERT_TRUE(SetFileAttributesA(strTarget.c_str(), FILE_ATTRIBUTE_HIDDEN));
    if (!(GetFileAttributesA(strTarget.c_str()) & FILE_ATTRIBUTE_HIDDEN))
        GTEST_SKIP() << "this file system keeps no hidden attribute";
    EXPECT_TRUE(WriteFileReplacing(strTarget, "new"));
    EXPECT_EQ(Read(strTarget), "new");
    EXPECT_TRUE(GetFileAttributesA(strTarget.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

#else

TEST_F(WriteFileReplacingIn, KeepsThePermissionsAndTheOwner) {
    const std::string strTarget = PathOf("f.FKT");
    Write(strTarget, "old");
    ASSERT_EQ(chmod(strTarget.c_str(), 0640), 0);
    const bool bRoot = geteuid() == 0;
    if (bRoot) {
        ASSERT_EQ(chown(strTarget.c_str(), 12345, 23456), 0);
    }
    EXPECT_TRUE(WriteFileReplacing(strTarget, "new"));
    struct stat status = {};
    ASSERT_EQ(stat(strTarget.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    if (!bRoot) GTEST_SKIP() << "giving a file to another owner takes root";
    EXPECT_EQ(status.st_uid, 12345u);
    EXPECT_EQ(status.st_gid, 23456u);
}

// Not on Windows: making a link there takes a privilege or developer mode, and Wine 8's
// CreateSymbolicLink reports success but makes none.
TEST_F(WriteFileReplacingIn, ASymbolicLinkStaysALinkAndItsTargetTakesTheBytes) {
    fs::create_directory(m_dir / "real");
    Write(PathOf("real/f.txt"), "old");
    fs::create_symlink("real/f.txt", m_dir / "link.FKT");
    fs::create_symlink("real/new.txt", m_dir / "dangling.FKT");
    for (const char* pszLink : {"link.FKT", "dangling.FKT"}) {
        EXPECT_TRUE(WriteFileReplacing(PathOf(pszLink), pszLink)) << pszLink;
        EXPECT_TRUE(fs::is_symlink(m_dir / pszLink)) << pszLink;
    }
    EXPECT_EQ(Read(PathOf("real/f.txt")), "link.FKT");
    EXPECT_EQ(Read(PathOf("real/new.txt")), "dangling.FKT");
    EXPECT_EQ(FileCount(), 3u);
}

// A file-size limit makes the write fail midway, as a full disk would.
TEST_F(WriteFileReplacingIn, AFailedWriteLeavesTheEarlierBytesAlsoUnderHardLinks) {
    Write(PathOf("single.FKT"), "earlier");
    Write(PathOf("shared.FKT"), "earlier");
    fs::create_hard_link(PathOf("shared.FKT"), PathOf("other.FKT"));
    rlimit oldLimit = {};
    getrlimit(RLIMIT_FSIZE, &oldLimit);
    rlimit smallLimit = oldLimit;
    smallLimit.rlim_cur = 1024;
    auto oldHandler = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &smallLimit);
    const bool bSingle = WriteFileReplacing(PathOf("single.FKT"), std::string(5000, '1'));
    const bool bShared = WriteFileReplacing(PathOf("shared.FKT"), std::string(5000, '1'));
    setrlimit(RLIMIT_FSIZE, &oldLimit);
    signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(bSingle);
    EXPECT_FALSE(bShared);
    for (const char* pszName : {"single.FKT", "shared.FKT", "other.FKT"})
        EXPECT_EQ(Read(PathOf(pszName)), "earlier") << pszName;
    EXPECT_EQ(FileCount(), 3u);
}

#endif
