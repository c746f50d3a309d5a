#include "cstring.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "ascii_case.h"
#include "winapp.h"

namespace {

const char kWhiteSpace[] = " \t\n\v\f\r";

int Clamp(int n, int nLow, int nHigh) {
    return std::min(std::max(n, nLow), nHigh);
}

std::string FormatToString(const char* pszFormat, va_list args) {
    va_list argsCopy;
    va_copy(argsCopy, args);
    char szSmall[256];
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

CString& CString::operator=(char ch) {
    m_str.assign(1, ch);
    return *this;
}

CString& CString::operator+=(const CString& str) {
    m_str += str.m_str;
    return *this;
}

CString& CString::operator+=(const char* psz) {
    if (psz) m_str += psz;
    return *this;
}

CString& CString::operator+=(char ch) {
    m_str += ch;
    return *this;
}

char CString::GetAt(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetLength()) return '\0';
    return m_str[nIndex];
}

void CString::SetAt(int nIndex, char ch) {
    if (nIndex < 0 || nIndex >= GetLength()) return;
    m_str[nIndex] = ch;
}

CString CString::Left(int nCount) const {
    return CString(m_str.substr(0, Clamp(nCount, 0, GetLength())));
}

CString CString::Right(int nCount) const {
    int nLength = Clamp(nCount, 0, GetLength());
    return CString(m_str.substr(GetLength() - nLength));
}

CString CString::Mid(int nFirst) const {
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const {
    int nStart = Clamp(nFirst, 0, GetLength());
    int nLength = Clamp(nCount, 0, GetLength() - nStart);
    return CString(m_str.substr(nStart, nLength));
}

int CString::Find(char ch, int nStart) const {
    if (nStart < 0 || nStart >= GetLength()) return -1;
    std::size_t nPos = m_str.find(ch, nStart);
    return nPos == std::string::npos ? -1 : static_cast<int>(nPos);
}

int CString::Find(const char* pszSub, int nStart) const {
    if (!pszSub || nStart < 0 || nStart > GetLength()) return -1;
    std::size_t nPos = m_str.find(pszSub, nStart);
    return nPos == std::string::npos ? -1 : static_cast<int>(nPos);
}

int CString::ReverseFind(char ch) const {
    std::size_t nPos = m_str.rfind(ch);
    return nPos == std::string::npos ? -1 : static_cast<int>(nPos);
}

int CString::FindOneOf(const char* pszCharSet) const {
    if (!pszCharSet) return -1;
    std::size_t nPos = m_str.find_first_of(pszCharSet);
    return nPos == std::string::npos ? -1 : static_cast<int>(nPos);
}

int CString::Remove(char chRemove) {
    std::size_t nOld = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), chRemove), m_str.end());
    return static_cast<int>(nOld - m_str.size());
}

int CString::Replace(char chOld, char chNew) {
    int nCount = 0;
    for (char& ch : m_str) {
        if (ch != chOld) continue;
        ch = chNew;
        ++nCount;
    }
    return nCount;
}

int CString::Replace(const char* pszOld, const char* pszNew) {
    if (!pszOld || !*pszOld) return 0;
    const std::string strOld(pszOld);
    const std::string strNew(pszNew ? pszNew : "");
    int nCount = 0;
    for (std::size_t nPos = m_str.find(strOld); nPos != std::string::npos;
         nPos = m_str.find(strOld, nPos + strNew.size())) {
        m_str.replace(nPos, strOld.size(), strNew);
        ++nCount;
    }
    return nCount;
}

int CString::Insert(int nIndex, char ch) {
    m_str.insert(m_str.begin() + Clamp(nIndex, 0, GetLength()), ch);
    return GetLength();
}

int CString::Insert(int nIndex, const char* psz) {
    if (psz) m_str.insert(Clamp(nIndex, 0, GetLength()), psz);
    return GetLength();
}

int CString::Delete(int nIndex, int nCount) {
    int nStart = Clamp(nIndex, 0, GetLength());
    m_str.erase(nStart, Clamp(nCount, 0, GetLength() - nStart));
    return GetLength();
}

CString& CString::MakeUpper() {
    m_str = AsciiUpper(m_str);
    return *this;
}

CString& CString::MakeLower() {
    m_str = AsciiLower(m_str);
    return *this;
}

CString& CString::MakeReverse() {
    std::reverse(m_str.begin(), m_str.end());
    return *this;
}

CString& CString::Trim() {
    return TrimRight().TrimLeft();
}
CString& CString::Trim(char chTarget) {
    return TrimRight(chTarget).TrimLeft(chTarget);
}
CString& CString::Trim(const char* pszTargets) {
    return TrimRight(pszTargets).TrimLeft(pszTargets);
}
CString& CString::TrimLeft() {
    return TrimLeft(kWhiteSpace);
}
CString& CString::TrimRight() {
    return TrimRight(kWhiteSpace);
}

CString& CString::TrimLeft(char chTarget) {
    m_str.erase(0, m_str.find_first_not_of(chTarget));
    return *this;
}

CString& CString::TrimLeft(const char* pszTargets) {
    if (pszTargets) m_str.erase(0, m_str.find_first_not_of(pszTargets));
    return *this;
}

CString& CString::TrimRight(char chTarget) {
    std::size_t nLast = m_str.find_last_not_of(chTarget);
    m_str.erase(nLast == std::string::npos ? 0 : nLast + 1);
    return *this;
}

CString& CString::TrimRight(const char* pszTargets) {
    if (!pszTargets) return *this;
    std::size_t nLast = m_str.find_last_not_of(pszTargets);
    m_str.erase(nLast == std::string::npos ? 0 : nLast + 1);
    return *this;
}

int CString::Compare(const char* psz) const {
    return std::strcmp(m_str.c_str(), psz ? psz : "");
}

int CString::CompareNoCase(const char* psz) const {
    return CompareIgnoringAsciiCase(m_str.c_str(), psz ? psz : "");
}

void CString::Format(const char* pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::AppendFormat(const char* pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    m_str += FormatToString(pszFormat, args);
    va_end(args);
}

// Formats into a new string first: the arguments may point into this one.
void CString::FormatV(const char* pszFormat, va_list args) {
    m_str = FormatToString(pszFormat, args);
}

char* CString::GetBuffer(int nMinBufLength) {
    if (nMinBufLength > GetLength()) m_str.resize(nMinBufLength, '\0');
    return &m_str[0];
}

char* CString::GetBufferSetLength(int nNewLength) {
    m_str.resize(nNewLength > 0 ? nNewLength : 0, '\0');
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength) {
    if (nNewLength < 0) nNewLength = static_cast<int>(std::strlen(m_str.c_str()));
    m_str.resize(std::min(nNewLength, GetLength()));
}

BOOL CString::LoadString(UINT nID) {
    for (int nSize = 256;; nSize *= 2) {
        std::vector<char> buffer(nSize);
        int nLength = ::LoadStringA(AfxGetResourceHandle(), nID, buffer.data(), nSize);
        if (nLength < nSize - 1) {
            m_str.assign(buffer.data(), nLength > 0 ? nLength : 0);
            return nLength > 0;
        }
    }
}

CString operator+(const CString& str1, const CString& str2) {
    return CString(str1.Str() + str2.Str());
}
CString operator+(const CString& str, const char* psz) {
    return CString(str.Str() + (psz ? psz : ""));
}
CString operator+(const char* psz, const CString& str) {
    return CString((psz ? psz : "") + str.Str());
}
CString operator+(const CString& str, char ch) {
    return CString(str.Str() + ch);
}
CString operator+(char ch, const CString& str) {
    return CString(ch + str.Str());
}

bool operator==(const CString& str1, const CString& str2) {
    return str1.Str() == str2.Str();
}
bool operator==(const CString& str, const char* psz) {
    return str.Compare(psz) == 0;
}
bool operator==(const char* psz, const CString& str) {
    return str.Compare(psz) == 0;
}
bool operator!=(const CString& str1, const CString& str2) {
    return !(str1 == str2);
}
bool operator!=(const CString& str, const char* psz) {
    return !(str == psz);
}
bool operator!=(const char* psz, const CString& str) {
    return !(str == psz);
}
bool operator<(const CString& str1, const CString& str2) {
    return str1.Str() < str2.Str();
}
bool operator<(const CString& str, const char* psz) {
    return str.Compare(psz) < 0;
}
bool operator<(const char* psz, const CString& str) {
    return str.Compare(psz) > 0;
}
bool operator>(const CString& str1, const CString& str2) {
    return str2 < str1;
}
bool operator<=(const CString& str1, const CString& str2) {
    return !(str2 < str1);
}
bool operator>=(const CString& str1, const CString& str2) {
    return !(str1 < str2);
}
