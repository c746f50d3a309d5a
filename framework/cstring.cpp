#include "cstring.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "winapp.h"

namespace {

// The first try's buffer; longer results are formatted again into one of their size.
constexpr int kFormatBufferSize = 256;
constexpr int kLoadStringBufferSize = 256;

std::string FormatToString(const char* pszFormat, va_list args) {
    va_list argsCopy;
    va_copy(argsCopy, args);
    char szSmall[kFormatBufferSize];
    int nLength = std::vsnprintf(szSmall, sizeof szSmall, pszFormat, argsCopy);
    va_end(argsCopy);
    if (nLength < 0) return std::string();
    if (nLength < static_cast<int>(sizeof szSmall)) return std::string(szSmall, nLength);
    std::vector<char> buffer(static_cast<std::size_t>(nLength) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), pszFormat, args);
    return std::string(buffer.data(), nLength);
}

}  // namespace

CString& CString::operator=(const char* psz) {
    m_str = psz ? psz : "";
    return *this;
}

CString& CString::operator+=(const CString& str) {
    m_str += str.m_str;
    return *this;
}

int CString::Compare(const char* psz) const {
    return std::strcmp(m_str.c_str(), psz ? psz : "");
}

void CString::Format(const char* pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

// Formats into a new string first: the arguments may point into this one.
void CString::FormatV(const char* pszFormat, va_list args) {
    m_str = FormatToString(pszFormat, args);
}

// LoadStringA cannot tell a cut string from one that just fits, so the buffer grows until the
// text leaves room to spare.
BOOL CString::LoadString(UINT nID) {
    for (int nSize = kLoadStringBufferSize;; nSize *= 2) {
        std::vector<char> buffer(nSize);
        int nLength = ::LoadStringA(AfxGetResourceHandle(), nID, buffer.data(), nSize);
        if (nLength < nSize - 1) {
            m_str.assign(buffer.data(), nLength > 0 ? nLength : 0);
            return nLength > 0;
        }
    }
}

CString operator+(const CString& str, const char* psz) {
    return CString(str.Str() + (psz ? psz : ""));
}
CString operator+(const char* psz, const CString& str) {
    return CString((psz ? psz : "") + str.Str());
}

bool operator==(const CString& str, const char* psz) {
    return str.Compare(psz) == 0;
}
bool operator!=(const CString& str, const char* psz) {
    return !(str == psz);
}
