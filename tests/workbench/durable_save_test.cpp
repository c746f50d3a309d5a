// A save's data is on disk before it replaces the old file, and the replacement after it: the
// test's own fsync watches the order. POSIX only: FlushFileBuffers cannot be watched in process.
#include <gtest/gtest.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "formula_file.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What was flushed ("temporary", "target" or "folder"), what it held and what the target held.
using Flush = std::tuple<std::string, std::string, std::string>;

fs::path g_target;
std::vector<Flush> g_flushes;

}  // namespace

extern "C" int fsync(int fd) {
    if (!g_target.empty()) {
        const fs::path path = fs::read_symlink("/proc/self/fd/" + std::to_string(fd));
        const bool bFolder = path == g_target.parent_path();
        const char* pszWhat = bFolder ? "folder" : path == g_target ? "target" : "temporary";
        g_flushes.push_back({pszWhat, bFolder ? "" : ReadAll(path), ReadAll(g_target)});
    }
    return static_cast<int>(syscall(SYS_fsync, fd));
}

TEST(DurableSave, FlushesTheDataBeforeItReplacesTheOldAndTheFolderAfter) {
    const fs::path dir = fs::canonical(fs::temp_directory_path()) / "velastro-durable";
    // hard-linked, the flushes
    const std::pair<bool, std::vector<Flush>> kCases[] = {
        {false, {{"temporary", "new", "old"}, {"folder", "", "new"}}},
        {true, {{"target", "new", "new"}}}};
    for (const auto& [bHardLinked, flushes] : kCases) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        std::ofstream(dir / "f.FKT", std::ios::binary) << "old";
        if (bHardLinked) fs::create_hard_link(dir / "f.FKT", dir / "g.FKT");
        g_flushes.clear();
        g_target = dir / "f.FKT";
        EXPECT_TRUE(WriteFileReplacing(g_target.string(), "new"));
        g_target.clear();
        EXPECT_EQ(g_flushes, flushes) << (bHardLinked ? "hard-linked" : "lone file");
    }
    fs::remove_all(dir);
}
