// CString: the framework's 8-bit string (the ANSI code page), with MFC's operations and indexing.
// Case mapping and trimming are ASCII-only and locale-free; no wide or multi-byte variants.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <string>

#ifdef __MINGW_PRINTF_FORMAT
#define AFX_PRINTF_FORMAT(f, a) __attribute__((format(__MINGW_PRINTF_FORMAT, f, a)))
#else
#define AFX_PRINTF_FORMAT(f, a) __attribute__((format(printf, f, a)))
#endif

class CString {
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(const char* psz) : m_str(psz ? psz : "") {}  // NOLINT: implicit, as in MFC
    CString(const char* pch, int nLength) : m_str(pch, nLength > 0 ? nLength : 0) {}
    CString(char ch, int nRepeat = 1) : m_str(nRepeat > 0 ? nRepeat : 0, ch) {}  // NOLINT
    explicit CString(std::string str) : m_str(std::move(str)) {}

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char* psz);
    CString& operator=(char ch);

    CString& operator+=(const CString& str);
    CString& operator+=(const char* psz);
    CString& operator+=(char ch);

    operator const char*() const { return m_str.c_str(); }  // NOLINT: LPCTSTR, as in MFC
    const char* GetString() const { return m_str.c_str(); }
    const std::string& Str() const { return m_str; }

    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }

    // Out-of-range positions read as '\0' and are not written.
    char GetAt(int nIndex) const;
    char operator[](int nIndex) const { return GetAt(nIndex); }
    void SetAt(int nIndex, char ch);

    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;

    int Find(char ch, int nStart = 0) const;
    int Find(const char* pszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* pszCharSet) const;

    int Remove(char chRemove);
    int Replace(char chOld, char chNew);
    int Replace(const char* pszOld, const char* pszNew);
    int Insert(int nIndex, char ch);
    int Insert(int nIndex, const char* psz);
    int Delete(int nIndex, int nCount = 1);

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    CString& Trim();
    CString& Trim(char chTarget);
    CString& Trim(const char* pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(char chTarget);
    CString& TrimLeft(const char* pszTargets);
    CString& TrimRight();
    CString& TrimRight(char chTarget);
    CString& TrimRight(const char* pszTargets);

    int Compare(const char* psz) const;
    int CompareNoCase(const char* psz) const;

    void Format(const char* pszFormat, ...) AFX_PRINTF_FORMAT(2, 3);
    void AppendFormat(const char* pszFormat, ...) AFX_PRINTF_FORMAT(2, 3);
    void FormatV(const char* pszFormat, va_list args);

    // The buffer holds at least nMinBufLength characters plus the terminating NUL.
    char* GetBuffer(int nMinBufLength);
    char* GetBuffer() { return GetBuffer(0); }
    char* GetBufferSetLength(int nNewLength);
    // nNewLength -1: the text up to the first NUL.
    void ReleaseBuffer(int nNewLength = -1);

    BOOL LoadString(UINT nID);

private:
    std::string m_str;
};

CString operator+(const CString& str1, const CString& str2);
CString operator+(const CString& str, const char* psz);
CString operator+(const char* psz, const CString& str);
CString operator+(const CString& str, char ch);
CString operator+(char ch, const CString& str);

bool operator==(const CString& str1, const CString& str2);
bool operator==(const CString& str, const char* psz);
bool operator==(const char* psz, const CString& str);
bool operator!=(const CString& str1, const CString& str2);
bool operator!=(const CString& str, const char* psz);
bool operator!=(const char* psz, const CString& str);
bool operator<(const CString& str1, const CString& str2);
bool operator<(const CString& str, const char* psz);
bool operator<(const char* psz, const CString& str);
bool operator>(const CString& str1, const CString& str2);
bool operator<=(const CString& str1, const CString& str2);
bool operator>=(const CString& str1, const CString& str2);
