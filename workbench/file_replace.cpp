// WriteFileReplacing: the part of the formula file that needs the operating system's calls.
// POSIX and Win32 side by side; what both share (temporary names, in-place rewrite) comes first.
#include <fcntl.h>
#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "formula_file.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#ifndef O_BINARY
#define O_BINARY 0
#endif

namespace {

// The largest file rewritten in place: its old bytes are held to put back after a failure.
constexpr long kInPlaceLimit = 64L << 20;

// What the save needs to know of the file it replaces.
struct ReplaceTarget {
    std::string strPath;  // the file itself, symbolic links followed
    bool bExists = false;
    bool bHardLinked = false;  // more names than one point at it
#ifndef _WIN32
    struct stat status = {};
#endif
};

std::string FolderOf(const std::string& strPath) {
    const std::size_t nSlash = strPath.find_last_of("/\\");
    if (nSlash == std::string::npos) return ".";
    return nSlash == 0 ? strPath.substr(0, 1) : strPath.substr(0, nSlash);
}

// A short name that differs from save to save: the 255-byte limit holds beside any target.
std::string TempNameIn(const std::string& strFolder) {
    static std::atomic<std::uint64_t> nCount{0};
    std::uint64_t nMix =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) +
        0x9E3779B97F4A7C15ull * ++nCount;
    nMix = (nMix ^ (nMix >> 31)) * 0xBF58476D1CE4E5B9ull;
    char szName[24];
    std::snprintf(szName, sizeof szName, "~fkt%08x.tmp", static_cast<unsigned>(nMix >> 32));
#ifdef _WIN32
    return strFolder + "\\" + szName;  // a \\?\ path takes no forward slash
#else
    return strFolder + "/" + szName;
#endif
}

// Creates the temporary file exclusively, retrying other names past whatever lies around.
int CreateTempBeside(const ReplaceTarget& target, std::string& strTempPath) {
    const std::string strFolder = FolderOf(target.strPath);
    for (int nTry = 0; nTry < 100; ++nTry) {
        strTempPath = TempNameIn(strFolder);
        const int fd = ::open(strTempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_BINARY, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool WriteAll(int fd, const std::string& strBytes) {
    std::size_t nDone = 0;
    while (nDone < strBytes.size()) {
        const std::size_t nLeft = strBytes.size() - nDone;
        const auto nWritten = ::write(fd, strBytes.data() + nDone,
                                      static_cast<unsigned>(nLeft > 65536 ? 65536 : nLeft));
        if (nWritten < 0 && errno == EINTR) continue;
        if (nWritten <= 0) return false;
        nDone += static_cast<std::size_t>(nWritten);
    }
    return true;
}

// The bytes reach the disk before the call returns (fsync; _commit is FlushFileBuffers).
bool FlushToDisk(int fd) {
#ifdef _WIN32
    return ::_commit(fd) == 0;
#else
    return ::fsync(fd) == 0;
#endif
}

bool Truncate(int fd, long nSize) {
#ifdef _WIN32
    return ::_chsize(fd, nSize) == 0;
#else
    return ::ftruncate(fd, nSize) == 0;
#endif
}

// Puts bytes into the open file from its start and cuts it there.
bool Overwrite(int fd, const std::string& strBytes) {
    return ::lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, strBytes) &&
           Truncate(fd, static_cast<long>(strBytes.size())) && FlushToDisk(fd);
}

// Hard links keep sharing one file only if that file itself takes the new bytes; should that
// fail midway, its old bytes are written back.
bool RewriteInPlace(const ReplaceTarget& target, const std::string& strBytes) {
    const int fd = ::open(target.strPath.c_str(), O_RDWR | O_BINARY);
    if (fd < 0) return false;
    const long nOldSize = ::lseek(fd, 0, SEEK_END);
    bool bOK = nOldSize >= 0 && nOldSize <= kInPlaceLimit && ::lseek(fd, 0, SEEK_SET) == 0;
    std::string strOld(bOK ? static_cast<std::size_t>(nOldSize) : 0, '\0');
    bOK = bOK && ::read(fd, &strOld[0], static_cast<unsigned>(strOld.size())) == nOldSize;
    if (bOK && !Overwrite(fd, strBytes)) {
        Overwrite(fd, strOld);
        bOK = false;
    }
    return ::close(fd) == 0 && bOK;
}

#ifdef _WIN32

constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Follows a symbolic link (a reparse point) to the file it names; other paths stay as given.
std::string ResolveLinks(const std::string& strPath) {
    const DWORD dwAttributes = ::GetFileAttributesA(strPath.c_str());
    if (dwAttributes == INVALID_FILE_ATTRIBUTES || !(dwAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return strPath;
    const HANDLE hFile = ::CreateFileA(strPath.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) return strPath;
    char szFinal[MAX_PATH * 4];
    const DWORD dwLength = ::GetFinalPathNameByHandleA(hFile, szFinal, sizeof szFinal, 0);
    ::CloseHandle(hFile);
    return dwLength > 0 && dwLength < sizeof szFinal ? std::string(szFinal, dwLength) : strPath;
}

// Refuses a folder, a read-only file and a file another program holds locked.
bool InspectTarget(const std::string& strPath, ReplaceTarget& target) {
    target.strPath = ResolveLinks(strPath);
    const HANDLE hFile =
        ::CreateFileA(target.strPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        const DWORD dwError = ::GetLastError();
        return dwError == ERROR_FILE_NOT_FOUND;
    }
    BY_HANDLE_FILE_INFORMATION info = {};
    const bool bInfo = ::GetFileInformationByHandle(hFile, &info) != 0;
    ::CloseHandle(hFile);
    target.bExists = true;
    target.bHardLinked = bInfo && info.nNumberOfLinks > 1;
    return bInfo;
}

// ReplaceFile keeps the replaced file's security; MoveFileEx makes a new file. The attributes
// are copied first, since Wine's ReplaceFile is a plain rename that drops them.
bool PutInPlace(const std::string& strTempPath, const ReplaceTarget& target) {
    if (target.bExists) {
        const DWORD dwAttributes = ::GetFileAttributesA(target.strPath.c_str());
        if (dwAttributes != INVALID_FILE_ATTRIBUTES)
            ::SetFileAttributesA(strTempPath.c_str(), dwAttributes & kKeptAttributes);
        return ::ReplaceFileA(target.strPath.c_str(), strTempPath.c_str(), nullptr, 0, nullptr,
                              nullptr) != 0;
    }
    return ::MoveFileExA(strTempPath.c_str(), target.strPath.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

bool TakeOwnerAndMode(int, const ReplaceTarget&) {
    return true;  // ReplaceFile carries them over
}

#else

// Follows symbolic links to the file they name, which a save then replaces; a link that names
// no file yet leads to where that file will be.
std::string ResolveLinks(const std::string& strPath) {
    std::string strResolved = strPath;
    for (int nHop = 0; nHop < 40; ++nHop) {
        char szLink[4096];
        const ssize_t nLength = ::readlink(strResolved.c_str(), szLink, sizeof szLink);
        if (nLength < 0 || nLength == static_cast<ssize_t>(sizeof szLink)) return strResolved;
        const std::string strLink(szLink, static_cast<std::size_t>(nLength));
        strResolved = strLink[0] == '/' ? strLink : FolderOf(strResolved) + "/" + strLink;
    }
    return strResolved;
}

// Refuses a folder, a file without write permission (root could write it anyway) and a file
// that cannot be opened for writing.
bool InspectTarget(const std::string& strPath, ReplaceTarget& target) {
    target.strPath = ResolveLinks(strPath);
    if (::stat(target.strPath.c_str(), &target.status) != 0) return errno == ENOENT;
    if (!S_ISREG(target.status.st_mode)) return false;
    if ((target.status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
    const int fd = ::open(target.strPath.c_str(), O_WRONLY);
    if (fd < 0) return false;
    ::close(fd);
    target.bExists = true;
    target.bHardLinked = target.status.st_nlink > 1;
    return true;
}

// The new file gets the old one's owner where this process may give it, and its permissions.
bool TakeOwnerAndMode(int fd, const ReplaceTarget& target) {
    if (!target.bExists) return true;
    if (::fchown(fd, target.status.st_uid, target.status.st_gid) != 0)
        (void)!::fchown(fd, static_cast<uid_t>(-1), target.status.st_gid);
    return ::fchmod(fd, target.status.st_mode & 07777) == 0;
}

// The rename is on disk once the folder that holds it is.
bool PutInPlace(const std::string& strTempPath, const ReplaceTarget& target) {
    if (std::rename(strTempPath.c_str(), target.strPath.c_str()) != 0) return false;
    const int fdFolder = ::open(FolderOf(target.strPath).c_str(), O_RDONLY | O_DIRECTORY);
    if (fdFolder < 0) return false;
    const bool bOK = ::fsync(fdFolder) == 0 || errno == EINVAL;
    ::close(fdFolder);
    return bOK;
}

#endif

}  // namespace

bool WriteFileReplacing(const std::string& strPath, const std::string& strBytes) {
    ReplaceTarget target;
    if (!InspectTarget(strPath, target)) return false;
    if (target.bHardLinked) return RewriteInPlace(target, strBytes);
    std::string strTempPath;
    const int fd = CreateTempBeside(target, strTempPath);
    if (fd < 0) return false;
    bool bOK = TakeOwnerAndMode(fd, target) && WriteAll(fd, strBytes) && FlushToDisk(fd);
    bOK = ::close(fd) == 0 && bOK;
    // The temporary file is gone once it has become the target; otherwise it goes now.
    bOK = bOK && PutInPlace(strTempPath, target);
    if (!bOK) std::remove(strTempPath.c_str());
    return bOK;
}
