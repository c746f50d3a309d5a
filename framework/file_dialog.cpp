#include "file_dialog.h"

#include <algorithm>
#include <cstring>

#include "prompts.h"
#include "winapp.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

namespace {

void CopyTruncated(char* pszTarget, std::size_t nSize, const char* pszSource) {
    std::strncpy(pszTarget, pszSource ? pszSource : "", nSize - 1);
    pszTarget[nSize - 1] = '\0';
}

}  // namespace

std::string AfxFilterToWin32(LPCSTR lpszFilter) {
    std::string strFilter(lpszFilter ? lpszFilter : "");
    std::replace(strFilter.begin(), strFilter.end(), '|', '\0');
    return strFilter;
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName,
                         DWORD dwFlags, LPCSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd),
      m_ofn(),
      m_bOpenFileDialog(bOpenFileDialog),
      m_strFilter(AfxFilterToWin32(lpszFilter)),
      m_strDefExt(lpszDefExt ? lpszDefExt : ""),
      m_szFileName() {
    CopyTruncated(m_szFileName, sizeof m_szFileName, lpszFileName);
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.Flags = dwFlags;
    m_ofn.lpstrDefExt = lpszDefExt ? m_strDefExt.c_str() : NULL;
    m_ofn.lpstrFilter = lpszFilter ? m_strFilter.c_str() : NULL;
}

INT_PTR CFileDialog::DoModal() {
    HWND hWndTop = NULL;
    m_ofn.hwndOwner = GetSafeOwner_(m_pParentWnd ? m_pParentWnd->m_hWnd : NULL, &hWndTop);
    CFileDialogRequest request = {m_ofn.hwndOwner, !m_bOpenFileDialog, m_strDefExt,
                                  m_ofn.lpstrFile, m_strFilter,        m_ofn.Flags,
                                  std::string()};
    const bool bOK = AfxGetUserPrompts()->ShowFileDialog(request);
    if (hWndTop) ::EnableWindow(hWndTop, TRUE);
    if (!bOK) return IDCANCEL;
    CopyTruncated(m_ofn.lpstrFile, m_ofn.nMaxFile, request.strResultPath.c_str());
    return IDOK;
}

CString CFileDialog::GetPathName() const {
    return CString(m_ofn.lpstrFile);
}
