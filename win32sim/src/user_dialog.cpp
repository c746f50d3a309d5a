// The dialog manager: DefDlgProcA, keyboard navigation (IsDialogMessageA), the default button,
// EndDialog and the dialog item helpers.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "user_internal.h"

namespace win32sim {
namespace {

bool IsTabCandidate(HWND hwnd) {
    LONG nStyle = GetWindowLongA(hwnd, GWL_STYLE);
    return (nStyle & (WS_VISIBLE | WS_DISABLED | WS_TABSTOP)) == (WS_VISIBLE | WS_TABSTOP);
}

bool IsGroupCandidate(HWND hwnd) {
    LONG nStyle = GetWindowLongA(hwnd, GWL_STYLE);
    return (nStyle & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE;
}

std::vector<HWND> ChildrenOf(HWND hDlg) {
    CWindow* pDlg = GetWnd(hDlg);
    return pDlg ? pDlg->m_children : std::vector<HWND>();
}

// Walks the children cyclically from hCtl; nested control parents are not entered.
HWND NextCandidate(const std::vector<HWND>& list, std::size_t nFrom, bool bPrevious,
                   bool (*pfnAccept)(HWND)) {
    std::size_t n = list.size();
    for (std::size_t i = 1; i <= n; ++i) {
        std::size_t nIndex = bPrevious ? (nFrom + n - i) % n : (nFrom + i) % n;
        if (pfnAccept(list[nIndex])) return list[nIndex];
    }
    return nullptr;
}

void SaveFocus(HWND hDlg) {
    HWND hwndFocus = GetFocus();
    if (!hwndFocus || !IsChild(hDlg, hwndFocus)) return;
    DialogData(hDlg)->m_hwndFocusSaved = hwndFocus;
}

void RestoreFocus(HWND hDlg, bool bJustActivate) {
    if (IsIconic(hDlg)) return;
    CDialogData* pDlg = DialogData(hDlg);
    if (!pDlg || pDlg->m_bEnded) return;
    HWND hwndFocus = pDlg->m_hwndFocusSaved;
    if (!IsWindow(hwndFocus) || hwndFocus == hDlg) {
        if (bJustActivate) return;
        hwndFocus = GetNextDlgTabItem(hDlg, nullptr, FALSE);
        if (!hwndFocus) hwndFocus = GetNextDlgGroupItem(hDlg, nullptr, FALSE);
        if (!IsWindow(hwndFocus)) return;
    }
    if (bJustActivate)
        SetFocus(hwndFocus);
    else
        SetDialogFocus(hwndFocus);
    if ((pDlg = DialogData(hDlg))) pDlg->m_hwndFocusSaved = nullptr;
}

HWND FindDefaultButton(HWND hDlg) {
    for (HWND hwnd : ChildrenOf(hDlg))
        if (SendMessageA(hwnd, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) return hwnd;
    return nullptr;
}

void SetDefaultId(HWND hDlg, int nId) {
    CDialogData* pDlg = DialogData(hDlg);
    HWND hwndNew = GetDlgItem(hDlg, nId);
    pDlg->m_nDefId = nId;
    LRESULT nCode = hwndNew ? SendMessageA(hwndNew, WM_GETDLGCODE, 0, 0) : 0;
    if (hwndNew && !(nCode & (DLGC_UNDEFPUSHBUTTON | DLGC_BUTTON))) return;
    HWND hwndOld = FindDefaultButton(hDlg);
    if (hwndOld && hwndOld != hwndNew) SendMessageA(hwndOld, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    if (hwndNew && (nCode & DLGC_UNDEFPUSHBUTTON))
        SendMessageA(hwndNew, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

LRESULT OnGetDefId(HWND hDlg) {
    CDialogData* pDlg = DialogData(hDlg);
    if (pDlg->m_bEnded) return 0;
    if (pDlg->m_nDefId) return MAKELONG(pDlg->m_nDefId, DC_HASDEFID);
    HWND hwndDefault = FindDefaultButton(hDlg);
    return hwndDefault ? MAKELONG(GetDlgCtrlID(hwndDefault), DC_HASDEFID) : 0;
}

LRESULT OnEraseDialog(HWND hDlg, HDC hdc) {
    WPARAM wParam = reinterpret_cast<WPARAM>(hdc);
    LPARAM lParam = reinterpret_cast<LPARAM>(hDlg);
    auto hbr = reinterpret_cast<HBRUSH>(SendMessageA(hDlg, WM_CTLCOLORDLG, wParam, lParam));
    if (!hbr) hbr = reinterpret_cast<HBRUSH>(DefWindowProcA(hDlg, WM_CTLCOLORDLG, wParam, lParam));
    if (!hbr) return 1;
    RECT rc;
    GetClientRect(hDlg, &rc);
    FillRect(hdc, &rc, hbr);
    return 1;
}

LRESULT OnClose(HWND hDlg) {
    HWND hwndCancel = GetDlgItem(hDlg, IDCANCEL);
    // WM_CLOSE: a disabled Cancel button only beeps; otherwise the command is posted.
    if (hwndCancel && !IsWindowEnabled(hwndCancel)) {
        MessageBeep(0);
        return 0;
    }
    PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwndCancel));
    return 0;
}

LRESULT OnNextDlgCtl(HWND hDlg, WPARAM wParam, LPARAM lParam) {
    HWND hwndDest = reinterpret_cast<HWND>(wParam);
    if (!LOWORD(lParam)) hwndDest = NextTabItem(hDlg, GetFocus(), wParam != 0);
    if (hwndDest) SetDialogFocus(hwndDest);
    return 0;
}

LRESULT DefDialogMessage(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CDialogData* pDlg = DialogData(hDlg);
    switch (nMsg) {
        case WM_ERASEBKGND:
            return OnEraseDialog(hDlg, reinterpret_cast<HDC>(wParam));
        case WM_NCDESTROY:
            if (pDlg->m_bOwnFont && pDlg->m_hFont) DeleteObject(pDlg->m_hFont);
            pDlg->m_hFont = nullptr;
            return DefWindowProcA(hDlg, nMsg, wParam, lParam);
        case WM_SHOWWINDOW:
            if (!wParam) SaveFocus(hDlg);
            return DefWindowProcA(hDlg, nMsg, wParam, lParam);
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE)
                RestoreFocus(hDlg, true);
            else
                SaveFocus(hDlg);
            return 0;
        case WM_SETFOCUS:
            RestoreFocus(hDlg, false);
            return 0;
        case DM_SETDEFID:
            if (!pDlg->m_bEnded) SetDefaultId(hDlg, static_cast<int>(wParam));
            return 1;
        case DM_GETDEFID:
            return OnGetDefId(hDlg);
        case WM_NEXTDLGCTL:
            return OnNextDlgCtl(hDlg, wParam, lParam);
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(pDlg->m_hFont);
        case WM_CLOSE:
            return OnClose(hDlg);
        default:
            return DefWindowProcA(hDlg, nMsg, wParam, lParam);
    }
}

bool HandledByDialogManager(UINT nMsg) {
    switch (nMsg) {
        case WM_ERASEBKGND:
        case WM_SHOWWINDOW:
        case WM_ACTIVATE:
        case WM_SETFOCUS:
        case DM_SETDEFID:
        case DM_GETDEFID:
        case WM_NEXTDLGCTL:
        case WM_GETFONT:
        case WM_CLOSE:
        case WM_NCDESTROY:
            return true;
        default:
            return false;
    }
}

// Messages whose DLGPROC result is the answer itself rather than DWLP_MSGRESULT.
bool ReturnsDlgProcResult(UINT nMsg) {
    return (nMsg >= WM_CTLCOLORMSGBOX && nMsg <= WM_CTLCOLORSTATIC) || nMsg == WM_COMPAREITEM ||
           nMsg == WM_VKEYTOITEM || nMsg == WM_CHARTOITEM || nMsg == WM_QUERYDRAGICON ||
           nMsg == WM_INITDIALOG;
}

// Messages a DLGPROC may leave unanswered without the default processing stepping in.
bool KeepsZeroResult(UINT nMsg) {
    return nMsg == WM_INITDIALOG || nMsg == WM_COMPAREITEM || nMsg == WM_VKEYTOITEM ||
           nMsg == WM_CHARTOITEM;
}

void OnReturnKey(HWND hDlg) {
    HWND hwndFocus = GetFocus();
    LRESULT nCode = IsChild(hDlg, hwndFocus) ? SendMessageA(hwndFocus, WM_GETDLGCODE, 0, 0) : 0;
    if (nCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
        SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwndFocus), BN_CLICKED),
                     reinterpret_cast<LPARAM>(hwndFocus));
        return;
    }
    // Every dialog of the program has a default button, so none issues IDOK without one.
    DWORD dwDef = static_cast<DWORD>(SendMessageA(hDlg, DM_GETDEFID, 0, 0));
    if (HIWORD(dwDef) != DC_HASDEFID) return;
    // The default button need not be visible, only enabled.
    HWND hwndDef = GetDlgItem(hDlg, static_cast<SHORT>(LOWORD(dwDef)));
    if (!hwndDef || IsWindowEnabled(hwndDef))
        SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(LOWORD(dwDef), BN_CLICKED),
                     reinterpret_cast<LPARAM>(hwndDef));
}

bool OnDialogKey(HWND hDlg, const MSG& msg) {
    LRESULT nCode =
        SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
    if (nCode & DLGC_WANTMESSAGE) return false;
    switch (msg.wParam) {
        case VK_TAB:
            if (nCode & DLGC_WANTTAB) return false;
            SendMessageA(hDlg, WM_NEXTDLGCTL, GetKeyState(VK_SHIFT) < 0 ? 1 : 0, 0);
            return true;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN: {
            if (nCode & DLGC_WANTARROWS) return false;
            bool bPrevious = msg.wParam == VK_LEFT || msg.wParam == VK_UP;
            HWND hwndNext = GetNextDlgGroupItem(hDlg, msg.hwnd, bPrevious);
            SendMessageA(hDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hwndNext), 1);
            return true;
        }
        case VK_CANCEL:
        case VK_ESCAPE:
            SendMessageA(hDlg, WM_COMMAND, IDCANCEL,
                         reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDCANCEL)));
            return true;
        case VK_EXECUTE:
        case VK_RETURN:
            OnReturnKey(hDlg);
            return true;
        default:
            return false;
    }
}

}  // namespace

CDialogData* DialogData(HWND hwnd) {
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd) return nullptr;
    if (!pWnd->m_pDlg) pWnd->m_pDlg = std::make_unique<CDialogData>();
    return pWnd->m_pDlg.get();
}

void SetDialogFocus(HWND hwndCtl) {
    if (SendMessageA(hwndCtl, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageA(hwndCtl, EM_SETSEL, 0, -1);
    SetFocus(hwndCtl);
}

LRESULT CALLBACK DialogClassProc(HWND hwnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    return DefDlgProcA(hwnd, nMsg, wParam, lParam);
}

}  // namespace win32sim

using namespace win32sim;

LRESULT WINAPI DefDlgProcA(HWND hDlg, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CWindow* pWnd = GetWnd(hDlg);
    if (!pWnd || !DialogData(hDlg)) return 0;
    bool bHasSlots = pWnd->m_extra.size() >= DWLP_USER;
    if (bHasSlots) SetWindowLongPtrA(hDlg, DWLP_MSGRESULT, 0);
    auto pfnDlgProc =
        bHasSlots ? reinterpret_cast<DLGPROC>(GetWindowLongPtrA(hDlg, DWLP_DLGPROC)) : nullptr;
    INT_PTR nResult = pfnDlgProc ? pfnDlgProc(hDlg, nMsg, wParam, lParam) : 0;
    if (!nResult && IsWindow(hDlg)) {
        if (HandledByDialogManager(nMsg)) return DefDialogMessage(hDlg, nMsg, wParam, lParam);
        if (!KeepsZeroResult(nMsg)) return DefWindowProcA(hDlg, nMsg, wParam, lParam);
    }
    if (ReturnsDlgProcResult(nMsg)) return nResult;
    return (bHasSlots && IsWindow(hDlg)) ? GetWindowLongPtrA(hDlg, DWLP_MSGRESULT) : 0;
}

BOOL WINAPI IsDialogMessageA(HWND hDlg, LPMSG pMsg) {
    if (!pMsg || !IsWindow(hDlg)) return FALSE;
    if (pMsg->hwnd != hDlg && !IsChild(hDlg, pMsg->hwnd)) return FALSE;
    if (pMsg->message == WM_KEYDOWN && OnDialogKey(hDlg, *pMsg)) return TRUE;
    // Mnemonics (WM_CHAR / WM_SYSCHAR with "&" keys) are not looked up here.
    TranslateMessage(pMsg);
    DispatchMessageA(pMsg);
    return TRUE;
}

HWND WINAPI GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
    return win32sim::NextTabItem(hDlg, hCtl == hDlg ? nullptr : hCtl, bPrevious != FALSE);
}

HWND win32sim::NextTabItem(HWND hDlg, HWND hCtl, bool bPrevious) {
    std::vector<HWND> list = ChildrenOf(hDlg);
    if (list.empty()) return nullptr;
    auto it = std::find(list.begin(), list.end(), hCtl);
    if (!hCtl || it == list.end()) {
        std::size_t nFrom = bPrevious ? 0 : list.size() - 1;
        return NextCandidate(list, nFrom, bPrevious, IsTabCandidate);
    }
    HWND hwndNext =
        NextCandidate(list, static_cast<std::size_t>(it - list.begin()), bPrevious, IsTabCandidate);
    return hwndNext ? hwndNext : hCtl;
}

HWND WINAPI GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
    std::vector<HWND> list = ChildrenOf(hDlg);
    auto it = std::find(list.begin(), list.end(), hCtl);
    if (!hCtl || it == list.end()) {
        for (HWND hwnd : list)
            if (IsGroupCandidate(hwnd)) return hwnd;
        return nullptr;
    }
    auto itStart = it;
    while (itStart != list.begin() && !(GetWindowLongA(*itStart, GWL_STYLE) & WS_GROUP))
        --itStart;
    auto itEnd = it + 1;
    while (itEnd != list.end() && !(GetWindowLongA(*itEnd, GWL_STYLE) & WS_GROUP))
        ++itEnd;
    std::vector<HWND> group(itStart, itEnd);
    auto itSelf = std::find(group.begin(), group.end(), hCtl);
    HWND hwndNext = NextCandidate(group, static_cast<std::size_t>(itSelf - group.begin()),
                                  bPrevious != FALSE, IsGroupCandidate);
    return hwndNext ? hwndNext : hCtl;
}

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult) {
    CDialogData* pDlg = GetWnd(hDlg) ? DialogData(hDlg) : nullptr;
    if (!pDlg) return FALSE;
    pDlg->m_nResult = nResult;
    pDlg->m_bEnded = true;
    HWND hwndOwner = GetWindow(hDlg, GW_OWNER);
    if (hwndOwner) EnableWindow(hwndOwner, TRUE);
    // EndDialog moves the focus to the dialog itself, then hides it without WM_SHOWWINDOW.
    if (IsChild(hDlg, GetFocus())) SetFocus(hDlg);
    SetWindowPos(hDlg, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    if (hDlg == GetActiveWindow()) {
        if (hwndOwner)
            SetForegroundWindow(hwndOwner);
        else
            ActivateOther(hDlg);
    }
    PostMessageA(hDlg, WM_NULL, 0, 0);
    return TRUE;
}

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem) {
    for (HWND hwnd : ChildrenOf(hDlg))
        if (GetDlgCtrlID(hwnd) == nIDDlgItem) return hwnd;
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hwnd) {
    return static_cast<int>(GetWindowLongPtrA(hwnd, GWLP_ID));
}

LRESULT WINAPI SendDlgItemMessageA(HWND hDlg, int nIDDlgItem, UINT nMsg, WPARAM wParam,
                                   LPARAM lParam) {
    HWND hwndCtl = GetDlgItem(hDlg, nIDDlgItem);
    return hwndCtl ? SendMessageA(hwndCtl, nMsg, wParam, lParam) : 0;
}

int WINAPI MessageBoxA(HWND, LPCSTR pszText, LPCSTR pszCaption, UINT) {
    // No user sits at the stand-in: the box is logged and answered OK (tests answer via the seam).
    std::fprintf(stderr, "[MessageBox] %s: %s\n", pszCaption ? pszCaption : "Error",
                 pszText ? pszText : "");
    return IDOK;
}

BOOL WINAPI MessageBeep(UINT) {
    return TRUE;
}
