// WriteFileReplacing: the part of the formula file that needs the operating system's calls.
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
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

// Refuses a folder, a file without write permission (Windows' read-only attribute; root on
// Linux could write it anyway) and a file that cannot be opened for writing (locked).
bool TargetWritable(const std::string& strPath) {
    struct stat status = {};
    if (::stat(strPath.c_str(), &status) != 0) return errno == ENOENT;
    if (!S_ISREG(status.st_mode)) return false;
    if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
    std::FILE* pFile = std::fopen(strPath.c_str(), "r+b");
    if (pFile == nullptr) return false;
    std::fclose(pFile);
    return true;
}

// A new file beside the target, created exclusively so that no other file is overwritten.
std::FILE* CreateBeside(const std::string& strPath, std::string& strTempPath) {
    for (int nTry = 0; nTry < 100; ++nTry) {
        strTempPath = strPath + ".saving" + (nTry ? std::to_string(nTry) : std::string());
        const int fd = ::open(strTempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_BINARY, 0666);
        if (fd >= 0) {
            std::FILE* pFile = ::fdopen(fd, "wb");
            if (pFile == nullptr) {
                ::close(fd);
                std::remove(strTempPath.c_str());
            }
            return pFile;
        }
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}

bool ReplaceTarget(const std::string& strTempPath, const std::string& strPath) {
#ifdef _WIN32
    // MoveFileEx: C's rename refuses an existing target on Windows.
    return ::MoveFileExA(strTempPath.c_str(), strPath.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(strTempPath.c_str(), strPath.c_str()) == 0;
#endif
}

}  // namespace

bool WriteFileReplacing(const std::string& strPath, const std::string& strBytes) {
    if (!TargetWritable(strPath)) return false;
    std::string strTempPath;
    std::FILE* pFile = CreateBeside(strPath, strTempPath);
    if (pFile == nullptr) return false;
    bool bOK = std::fwrite(strBytes.data(), 1, strBytes.size(), pFile) == strBytes.size();
    bOK = std::fflush(pFile) == 0 && bOK;
    bOK = std::fclose(pFile) == 0 && bOK;
    bOK = bOK && ReplaceTarget(strTempPath, strPath);
    if (!bOK) std::remove(strTempPath.c_str());
    return bOK;
}
