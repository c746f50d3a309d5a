#include "dialog.h"

#include <algorithm>
#include <iterator>

#include "decimal_text.h"
#include "number_text.h"
#include "thread_state.h"
#include "winapp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
ON_WM_PAINT()
END_MESSAGE_MAP()

const char kAfxParseRealText[] = "Geben Sie eine Zahl ein.";

namespace {

// Number fields show "%.*g" with 15 significant digits, so a value typed in reads back alike.
constexpr int kNumberPrecision = 15;
// A number field is read through a buffer of this size: longer texts are cut.
constexpr int kNumberTextSize = 400;

// A DLGTEMPLATEEX opens with the words 1 and 0xFFFF, then the help id and the extended style
// before its style; a DLGTEMPLATE opens with the style.
constexpr BYTE kTemplateExSignature[] = {1, 0, 0xFF, 0xFF};
constexpr int kTemplateExStyleOffset = 12;

// Command ids that leave the dialog for its owner and the application: below them control ids,
// from kFirstSystemCommand on the window menu's commands.
constexpr UINT kFirstCommandId = 0x8000;
constexpr UINT kFirstSystemCommand = 0xF000;

DWORD TemplateStyle(LPCDLGTEMPLATEA lpTemplate) {
    const BYTE* p = reinterpret_cast<const BYTE*>(lpTemplate);
    const bool bExtended =
        std::equal(std::begin(kTemplateExSignature), std::end(kTemplateExSignature), p);
    const BYTE* pStyle = p + (bExtended ? kTemplateExStyleOffset : 0);
    return static_cast<DWORD>(pStyle[0]) | (static_cast<DWORD>(pStyle[1]) << 8) |
           (static_cast<DWORD>(pStyle[2]) << 16) | (static_cast<DWORD>(pStyle[3]) << 24);
}

// Attaches the dialog being created to its window at the first message the window receives.
void AttachCreatingDialog(HWND hWnd) {
    CAfxThreadState& state = AfxGetThreadState();
    CDialog* pDlg = state.pDialogCreating;
    if (!pDlg || CWnd::FromHandlePermanent(hWnd)) return;
    state.pDialogCreating = nullptr;
    pDlg->SubclassWindow(hWnd);
}

}  // namespace

HWND CDataExchange::PrepareCtrl(int nIDC) {
    HWND hWndCtrl = NULL;
    m_pDlgWnd->GetDlgItem(nIDC, &hWndCtrl);
    if (!hWndCtrl) AfxThrowNotSupportedException();
    m_idLastControl = static_cast<UINT>(nIDC);
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail() {
    if (m_bSaveAndValidate && m_idLastControl != 0) {
        HWND hWndLastControl = NULL;
        m_pDlgWnd->GetDlgItem(static_cast<int>(m_idLastControl), &hWndLastControl);
        if (hWndLastControl) ::SetFocus(hWndLastControl);
        if (hWndLastControl && m_bEditLastControl)
            ::SendMessageA(hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        AfxSetWindowText(hWndCtrl, value);
        return;
    }
    value = AfxGetWindowText(hWndCtrl);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value) {
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        AfxSetWindowText(hWndCtrl, FormatGeneral(value, kNumberPrecision).c_str());
        return;
    }
    char szBuffer[kNumberTextSize] = {};
    ::GetWindowTextA(hWndCtrl, szBuffer, sizeof szBuffer);
    double dValue = 0.0;
    if (!AfxParseDouble(szBuffer, dValue)) {
        AfxMessageBox(kAfxParseRealText, MB_ICONEXCLAMATION);
        pDX->Fail();
    }
    value = dValue;
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd) return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl)) AfxThrowNotSupportedException();
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() {
    if (m_hWnd) DestroyWindow();
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/) {
    AttachCreatingDialog(hWnd);
    if (message != WM_INITDIALOG) return FALSE;
    CDialog* pDlg = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
    if (!pDlg) return TRUE;
    try {
        return pDlg->OnInitDialog();
    } catch (CException* e) {
        MSG msg = {hWnd, message, 0, 0, 0, {0, 0}};
        AfxProcessWndProcException(e, &msg);
        return TRUE;
    }
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATEA lpDialogTemplate, HWND hWndParent,
                                HINSTANCE hInst) {
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    CAfxThreadState& state = AfxGetThreadState();
    CDialog* pOldCreating = state.pDialogCreating;
    state.pDialogCreating = this;
    HWND hWnd = ::CreateDialogIndirectParamA(hInst, lpDialogTemplate, hWndParent, AfxDlgProc, 0);
    state.pDialogCreating = pOldCreating;
    if (hWnd && !m_hWnd) SubclassWindow(hWnd);
    // EndDialog during OnInitDialog: the window goes at once.
    if (hWnd && !(m_nFlags & WF_CONTINUEMODAL)) DestroyWindow();
    return m_hWnd != NULL;
}

INT_PTR CDialog::DoModal() {
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hInst, m_lpszTemplateName, RT_DIALOG);
    HGLOBAL hTemplate = hResource ? ::LoadResource(hInst, hResource) : NULL;
    m_lpDialogTemplate = static_cast<LPCDLGTEMPLATEA>(hTemplate ? ::LockResource(hTemplate) : NULL);
    if (!m_lpDialogTemplate) return -1;

    HWND hWndTop = NULL;
    HWND hWndParent = GetSafeOwner_(m_pParentWnd ? m_pParentWnd->m_hWnd : NULL, &hWndTop);
    bool bEnableParent = false;
    if (hWndParent && hWndParent != ::GetDesktopWindow() && ::IsWindowEnabled(hWndParent)) {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = true;
    }
    try {
        if (CreateDlgIndirect(m_lpDialogTemplate, hWndParent, hInst) && ContinueModal())
            RunModalLoop(MLF_SHOWONIDLE);
        if (m_hWnd)
            SetWindowPos(NULL, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    } catch (CException* e) {
        e->Delete();
        m_nModalResult = -1;
    }
    if (bEnableParent) ::EnableWindow(hWndParent, TRUE);
    if (hWndParent && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(hWndParent);
    DestroyWindow();
    if (hWndTop && ::IsWindow(hWndTop)) ::EnableWindow(hWndTop, TRUE);
    m_lpDialogTemplate = NULL;
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult) {
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL)) EndModalLoop(nResult);
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog() {
    if (UpdateData(FALSE)) return TRUE;
    EndDialog(-1);
    return FALSE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::OnPaint() {
    Default();
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
    const bool bPlainF1 = pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F1 &&
                          ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_CONTROL) >= 0 &&
                          ::GetKeyState(VK_MENU) >= 0;
    CWnd* pMainWnd = AfxGetMainWnd();
    if (bPlainF1 && pMainWnd && pMainWnd->m_hWnd) {
        // F1 asks the main window for help, which routes ID_HELP on to the application.
        pMainWnd->SendMessage(WM_COMMAND, ID_HELP);
        return TRUE;
    }
    return PreTranslateInput(pMsg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    // Only commands go further; control notifications and the window menu's commands stop here.
    if (nCode != CN_COMMAND || nID < kFirstCommandId || nID >= kFirstSystemCommand) return FALSE;
    CWnd* pOwner = m_hWnd ? GetParent() : NULL;
    if (pOwner && pOwner->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CDialog::CheckAutoCenter() {
    if (!m_lpDialogTemplate) return TRUE;
    return !(TemplateStyle(m_lpDialogTemplate) & (DS_ABSALIGN | DS_CENTER | DS_CENTERMOUSE));
}
