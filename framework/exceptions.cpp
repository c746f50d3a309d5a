#include "exceptions.h"

#include <cstring>

#include "winapp.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)

namespace {

// The framework's own texts, in the language of its resources (German, code page 1252).
const char kMemoryText[] = "Nicht gen\xFCgend Arbeitsspeicher.";
const char kResourceText[] = "Eine erforderliche Ressource war nicht verf\xFCgbar.";
const char kNotSupportedText[] = "Es wurde ein nicht unterst\xFCtzter Vorgang versucht.";

// Shared instances: throwing must not allocate, least of all when memory has run out.
CUserException g_userException(FALSE);
CMemoryException g_memoryException(FALSE);
CResourceException g_resourceException(FALSE);

}  // namespace

void CException::Delete() {
    if (m_bAutoDelete) delete this;
}

BOOL CException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const {
    if (pnHelpContext) *pnHelpContext = 0;
    if (lpszError && nMaxError > 0) *lpszError = '\0';
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID) const {
    char szMessage[256];
    if (GetErrorMessage(szMessage, sizeof szMessage)) return AfxMessageBox(szMessage, nType);
    if (nMessageID != 0) return AfxMessageBox(nMessageID, nType);
    return AfxMessageBox(kNotSupportedText, nType);
}

BOOL CSimpleException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const {
    CException::GetErrorMessage(lpszError, nMaxError, pnHelpContext);
    const char* pszText = GetMessageText();
    if (!*pszText || !lpszError || nMaxError == 0) return FALSE;
    std::strncpy(lpszError, pszText, nMaxError - 1);
    lpszError[nMaxError - 1] = '\0';
    return TRUE;
}

const char* CMemoryException::GetMessageText() const {
    return kMemoryText;
}
const char* CResourceException::GetMessageText() const {
    return kResourceText;
}
const char* CNotSupportedException::GetMessageText() const {
    return kNotSupportedText;
}

void AFXAPI AfxThrowUserException() {
    throw static_cast<CUserException*>(&g_userException);
}
void AFXAPI AfxThrowMemoryException() {
    throw static_cast<CMemoryException*>(&g_memoryException);
}
void AFXAPI AfxThrowResourceException() {
    throw static_cast<CResourceException*>(&g_resourceException);
}
void AFXAPI AfxThrowNotSupportedException() {
    throw new CNotSupportedException;
}
