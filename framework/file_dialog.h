// CFileDialog: the common open and save dialogs, asked through the framework's user prompts.
// One file per dialog; no multiple selection, hooks or custom templates.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

#include "dialog.h"

// The framework's bar-separated filter ("Text|*.txt|All|*.*||") in the Win32 form: every '|'
// becomes a NUL, so the example ends in two NULs.
std::string AfxFilterToWin32(LPCSTR lpszFilter);

class CCommonDialog : public CDialog {
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd) : CDialog(static_cast<UINT>(0), pParentWnd) {}
};

class CFileDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    explicit CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = NULL, LPCSTR lpszFileName = NULL,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LPCSTR lpszFilter = NULL, CWnd* pParentWnd = NULL);

    // IDOK with the chosen path in m_ofn.lpstrFile, else IDCANCEL.
    INT_PTR DoModal() override;

    CString GetPathName() const;

    OPENFILENAMEA m_ofn;

protected:
    BOOL m_bOpenFileDialog;
    std::string m_strFilter;
    std::string m_strDefExt;
    char m_szFileName[MAX_PATH];
};
