// CString: the framework's 8-bit string (the ANSI code page) with the MFC operations the program
// uses: formatting, joining, comparing and resource strings. No editing, searching or wide text.
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
    explicit CString(std::string str) : m_str(std::move(str)) {}

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char* psz);
    CString& operator+=(const CString& str);

    operator const char*() const { return m_str.c_str(); }  // NOLINT: LPCTSTR, as in MFC
    const char* GetString() const { return m_str.c_str(); }
    const std::string& Str() const { return m_str; }

    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }

    int Compare(const char* psz) const;

    void Format(const char* pszFormat, ...) AFX_PRINTF_FORMAT(2, 3);
    void FormatV(const char* pszFormat, va_list args);

    BOOL LoadString(UINT nID);

private:
    std::string m_str;
};

CString operator+(const CString& str, const char* psz);
CString operator+(const char* psz, const CString& str);

bool operator==(const CString& str, const char* psz);
bool operator!=(const CString& str, const char* psz);
