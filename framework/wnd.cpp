#include "wnd.h"

#include <new>

#include "dialog.h"
#include "thread_state.h"
#include "winapp.h"

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_NCDESTROY()
END_MESSAGE_MAP()

const CWnd CWnd::wndTop(HWND_TOP);

namespace {

// The caret's blink timer: undocumented, so neither Windows' headers nor the stand-in name it.
constexpr UINT kWmSysTimer = 0x0118;

// A modal window that stayed hidden and unmoved through WM_INITDIALOG is centred over its
// disabled owner, or over the screen when it has none.
void PostInitDialog(CWnd* pWnd, const RECT& rectOld, DWORD dwStyleOld) {
    if ((dwStyleOld & WS_VISIBLE) || (pWnd->GetStyle() & (WS_VISIBLE | WS_CHILD))) return;
    CRect rect;
    pWnd->GetWindowRect(&rect);
    if (rect.left != rectOld.left || rect.top != rectOld.top) return;
    HWND hWndOwner = ::GetWindow(pWnd->m_hWnd, GW_OWNER);
    if (hWndOwner && ::IsWindowEnabled(hWndOwner)) return;
    if (pWnd->CheckAutoCenter()) pWnd->CenterWindow();
}

}  // namespace

// User exceptions were already shown, others are reported here; none may unwind through the
// system's code that called the window procedure.
LRESULT AFXAPI AfxProcessWndProcException(CException* e, const MSG* pMsg) {
    LRESULT lResult = 0;
    if (pMsg->message == WM_CREATE) lResult = -1;
    if (pMsg->message == WM_PAINT) ::ValidateRect(pMsg->hwnd, NULL);
    if (!e->IsKindOf(RUNTIME_CLASS(CUserException))) e->ReportError(MB_ICONSTOP);
    e->Delete();
    return lResult;
}

CWnd::~CWnd() {
    // wndTop only names a place in the z-order; it holds no window of its own.
    if (m_hWnd && this != &wndTop) DestroyWindow();
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this) pApp->m_pMainWnd = NULL;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    return AfxGetThreadState().mapWnd.FromHandle<CWnd>(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    return AfxGetThreadState().mapWnd.LookupPermanent(hWnd);
}

BOOL CWnd::Attach(HWND hWndNew) {
    return AfxGetThreadState().mapWnd.Attach(this, hWndNew);
}

HWND CWnd::Detach() {
    return AfxGetThreadState().mapWnd.Detach(this);
}

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CAfxThreadState& state = AfxGetThreadState();
    MSG msgOld = state.msgLastSent;
    state.msgLastSent = MSG{hWnd, nMsg, wParam, lParam, 0, {0, 0}};
    LRESULT lResult = 0;
    try {
        CRect rectOld;
        DWORD dwStyleOld = 0;
        if (nMsg == WM_INITDIALOG) {
            ::GetWindowRect(hWnd, &rectOld);
            dwStyleOld = pWnd->GetStyle();
        }
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
        if (nMsg == WM_INITDIALOG) PostInitDialog(pWnd, rectOld, dwStyleOld);
    } catch (CException* e) {
        lResult = AfxProcessWndProcException(e, &state.msgLastSent);
    } catch (const std::bad_alloc&) {
        CMemoryException e(FALSE);
        lResult = AfxProcessWndProcException(&e, &state.msgLastSent);
    }
    state.msgLastSent = msgOld;
    return lResult;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd || pWnd->m_hWnd != hWnd) return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        *pResult = 1;
        return TRUE;
    }
    const bool bCtlColor = message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap;
         pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        const AFX_MSGMAP_ENTRY* lpEntry = FindMessageEntry(pMap->lpEntries, message, 0, 0);
        if (!lpEntry && bCtlColor) lpEntry = FindMessageEntry(pMap->lpEntries, WM_CTLCOLOR, 0, 0);
        if (!lpEntry) continue;
        *pResult = lpEntry->pfnCall(this, AFX_MSGCALL{message, wParam, lParam, 0});
        return TRUE;
    }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl) {
        HWND hWndLockout = AfxGetThreadState().hLockoutNotifyWindow;
        if (hWndLockout && hWndLockout == m_hWnd) return TRUE;
    } else {
        // Menu items and accelerators arrive as commands whatever their code.
        nCode = CN_COMMAND;
    }
    if (nID == 0) return FALSE;
    return OnCmdMsg(nID, nCode, NULL, NULL);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper) return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG& msg = AfxGetThreadState().msgLastSent;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!Attach(hWnd)) return FALSE;
    PreSubclassWindow();
    LONG_PTR lOld =
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc));
    WNDPROC pfnOld = reinterpret_cast<WNDPROC>(lOld);
    if (pfnOld != &AfxWndProc) m_pfnSuper = pfnOld;
    return TRUE;
}

// Without a creation hook the object is attached when CreateWindowExA returns; the window's
// creation messages go to its class procedure alone.
BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam) {
    HWND hWnd = ::CreateWindowExA(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, nWidth,
                                  nHeight, hWndParent, nIDorHMenu, AfxGetInstanceHandle(), lpParam);
    if (!hWnd) return FALSE;
    return SubclassWindow(hWnd);
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID) {
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd ? pParentWnd->m_hWnd : NULL,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
}

BOOL CWnd::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    HWND hWndOrig = m_hWnd;
    const bool bPermanent = FromHandlePermanent(hWndOrig) == this;
    BOOL bResult = ::DestroyWindow(hWndOrig);
    // A subclassed object detached itself in OnNcDestroy and may be gone; touch only the others.
    if (!bPermanent || FromHandlePermanent(hWndOrig) == this) Detach();
    return bResult;
}

void CWnd::OnNcDestroy() {
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this) {
        // The main window going ends the application's message loop; a dialog program that
        // never entered it leaves the thread's queue alone.
        if (AfxGetThreadState().bInAppRun) ::PostQuitMessage(0);
        pApp->m_pMainWnd = NULL;
    }
    LONG_PTR lProc = ::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC);
    Default();
    if (::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == lProc && m_pfnSuper)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = NULL;
    Detach();
    PostNcDestroy();
}

BOOL CWnd::PreTranslateMessage(MSG* /*pMsg*/) {
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg)) return TRUE;
        if (hWnd == hWndStop) break;
    }
    return FALSE;
}

BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg) {
    if (!pMsg->hwnd) return FALSE;
    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hWndMain = pMainWnd ? pMainWnd->m_hWnd : NULL;
    if (CWnd::WalkPreTranslateTree(hWndMain, pMsg)) return TRUE;
    if (!hWndMain) return FALSE;
    CWnd* pWnd = CWnd::FromHandle(pMsg->hwnd);
    CWnd* pTop = pWnd ? pWnd->GetTopLevelParent() : NULL;
    // Messages of other top-level windows get the main window's translation last.
    if (pTop && pTop->m_hWnd != hWndMain) return pMainWnd->PreTranslateMessage(pMsg);
    return FALSE;
}

BOOL CWnd::IsDialogMessage(LPMSG lpMsg) {
    return ::IsDialogMessageA(m_hWnd, lpMsg);
}

BOOL CWnd::PreTranslateInput(LPMSG lpMsg) {
    const UINT message = lpMsg->message;
    const bool bKey = message >= WM_KEYFIRST && message <= WM_KEYLAST;
    const bool bMouse = message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
    if (!bKey && !bMouse) return FALSE;
    return IsDialogMessage(lpMsg);
}

void AFXAPI AfxDeleteTempObjects() {
    CAfxThreadState& state = AfxGetThreadState();
    state.mapWnd.DeleteTemporaries();
    state.mapGdi.DeleteTemporaries();
    state.mapDC.DeleteTemporaries();
    state.mapMenu.DeleteTemporaries();
}

namespace {

// Messages after which the loop may do its idle work again once the queue runs empty; a paint or
// the caret's blinking does not count.
bool IsIdleMessage(const MSG& msg) {
    return msg.message != WM_PAINT && msg.message != kWmSysTimer;
}

}  // namespace

int CWnd::RunModalLoop(DWORD dwFlags) {
    CAfxThreadState& state = AfxGetThreadState();
    bool bIdle = true;
    // Shown as the loop starts rather than at its first idle moment, so that messages already
    // posted to the dialog find it on the screen.
    if ((dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE)) {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
    }
    m_nFlags |= WF_MODALLOOP;
    ++state.nModalDepth;
    MSG msg = {};
    while (ContinueModal()) {
        if (bIdle && !::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            // Temporaries of an outer handler may still be in use inside a nested loop.
            if (state.nModalDepth == 1) AfxDeleteTempObjects();
            bIdle = false;
        }
        if (!::GetMessageA(&msg, NULL, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            m_nModalResult = -1;
            break;
        }
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (IsIdleMessage(msg)) bIdle = true;
    }
    --state.nModalDepth;
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

void CWnd::EndModalLoop(int nResult) {
    m_nModalResult = nResult;
    if (!(m_nFlags & WF_CONTINUEMODAL)) return;
    m_nFlags &= ~WF_CONTINUEMODAL;
    // Wakes GetMessageA so that the loop sees the flag.
    PostMessage(WM_NULL);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    CAfxThreadState& state = AfxGetThreadState();
    HWND hWndOldLockout = state.hLockoutNotifyWindow;
    state.hLockoutNotifyWindow = m_hWnd;
    BOOL bOK = FALSE;
    try {
        DoDataExchange(&dx);
        bOK = TRUE;
    } catch (CException* e) {
        // A user exception means the user was already told; anything else is reported here.
        if (!e->IsKindOf(RUNTIME_CLASS(CUserException))) e->ReportError(MB_ICONEXCLAMATION);
        e->Delete();
    }
    state.hLockoutNotifyWindow = hWndOldLockout;
    return bOK;
}

void CWnd::DoDataExchange(CDataExchange* /*pDX*/) {}

HWND CWnd::GetSafeOwner_(HWND hParent, HWND* pWndTop) {
    HWND hWnd = hParent;
    if (!hWnd) {
        CWnd* pMainWnd = AfxGetMainWnd();
        hWnd = pMainWnd ? pMainWnd->m_hWnd : NULL;
    }
    while (hWnd && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    HWND hWndTop = hWnd;
    for (HWND hWndNext = hWnd; hWndNext; hWndNext = ::GetParent(hWndNext))
        hWndTop = hWndNext;
    if (!pWndTop) return hWnd;
    *pWndTop = NULL;
    if (hWndTop && hWndTop != hWnd && ::IsWindowEnabled(hWndTop)) {
        *pWndTop = hWndTop;
        ::EnableWindow(hWndTop, FALSE);
    }
    return hWnd;
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
    const DWORD dwStyle = GetStyle();
    HWND hWndCenter = pAlternateOwner ? pAlternateOwner->m_hWnd : NULL;
    if (!pAlternateOwner)
        hWndCenter = (dwStyle & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    CRect rcDlg;
    GetWindowRect(&rcDlg);
    CRect rcArea;
    CRect rcCenter;
    if (dwStyle & WS_CHILD) {
        HWND hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rcArea);
        if (hWndCenter) ::GetClientRect(hWndCenter, &rcCenter);
        if (hWndCenter)
            ::MapWindowPoints(hWndCenter, hWndParent, reinterpret_cast<POINT*>(&rcCenter), 2);
        else
            rcCenter = rcArea;
    } else {
        const DWORD dwCenterStyle = hWndCenter ? ::GetWindowLongA(hWndCenter, GWL_STYLE) : 0;
        if (!(dwCenterStyle & WS_VISIBLE) || (dwCenterStyle & WS_MINIMIZE)) hWndCenter = NULL;
        // The whole primary screen stands for its work area.
        rcArea = CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
        rcCenter = rcArea;
        if (hWndCenter) ::GetWindowRect(hWndCenter, &rcCenter);
    }
    int xLeft = (rcCenter.left + rcCenter.right) / 2 - rcDlg.Width() / 2;
    int yTop = (rcCenter.top + rcCenter.bottom) / 2 - rcDlg.Height() / 2;
    if (xLeft + rcDlg.Width() > rcArea.right) xLeft = rcArea.right - rcDlg.Width();
    if (xLeft < rcArea.left) xLeft = rcArea.left;
    if (yTop + rcDlg.Height() > rcArea.bottom) yTop = rcArea.bottom - rcDlg.Height();
    if (yTop < rcArea.top) yTop = rcArea.top;
    SetWindowPos(NULL, xLeft, yTop, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT AFXAPI AfxDispatch_v(CWnd* pWnd, void (CWnd::*pfn)(), const AFX_MSGCALL& /*call*/) {
    (pWnd->*pfn)();
    return 0;
}

LRESULT AFXAPI AfxDispatch_bD(CWnd* pWnd, BOOL (CWnd::*pfn)(CDC*), const AFX_MSGCALL& call) {
    return (pWnd->*pfn)(CDC::FromHandle(reinterpret_cast<HDC>(call.wParam)));
}

LRESULT AFXAPI AfxDispatch_hDWu(CWnd* pWnd, HBRUSH (CWnd::*pfn)(CDC*, CWnd*, UINT),
                                const AFX_MSGCALL& call) {
    CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(call.wParam));
    CWnd* pCtl = CWnd::FromHandle(reinterpret_cast<HWND>(call.lParam));
    HBRUSH hbr = (pWnd->*pfn)(pDC, pCtl, call.nMessage - WM_CTLCOLORMSGBOX);
    return reinterpret_cast<LRESULT>(hbr);
}

LRESULT AFXAPI AfxDispatch_vwl(CWnd* pWnd, void (CWnd::*pfn)(UINT, LPARAM),
                               const AFX_MSGCALL& call) {
    (pWnd->*pfn)(static_cast<UINT>(call.wParam), call.lParam);
    return 0;
}
