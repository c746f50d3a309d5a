// Windows: the handle table, creation and destruction, window longs, text and the window tree.
#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>

#include "user_internal.h"

namespace win32sim {
namespace {

const HWND kDesktop = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x10010));

// Guards the handle table and the top-level list, which other threads read when they post.
std::mutex g_wndMutex;
std::map<HWND, std::unique_ptr<CWindow>> g_windows;
// Destroyed windows stay allocated so that a procedure still running for one never dangles.
std::vector<std::unique_ptr<CWindow>> g_graveyard;
std::vector<HWND> g_topLevel;
UINT_PTR g_nNextHandle = 0x10020;

HWND RootOf(HWND hwnd) {
    CWindow* pWnd = GetWnd(hwnd);
    while (pWnd && pWnd->m_hwndParent)
        pWnd = GetWnd(pWnd->m_hwndParent);
    return pWnd ? pWnd->m_hwnd : nullptr;
}

void PlaceDefault(int& x, int& y, int& cx, int& cy, bool bTopLevel) {
    // CW_USEDEFAULT: a fixed cascade origin and size instead of the shell's placement.
    if (x == CW_USEDEFAULT) x = y = 0;
    constexpr SIZE kDefaultTopLevelSize{640, 480};
    if (cx == CW_USEDEFAULT) {
        cx = bTopLevel ? kDefaultTopLevelSize.cx : 0;
        cy = bTopLevel ? kDefaultTopLevelSize.cy : 0;
    }
}

std::unique_ptr<CWindow> NewWindow(std::shared_ptr<CWndClass> pClass, DWORD dwExStyle,
                                   DWORD dwStyle, HWND hwndParent, HMENU hMenu, HINSTANCE hInst) {
    auto pWnd = std::make_unique<CWindow>();
    pWnd->m_hwnd = AllocHandle();
    pWnd->m_dwThread = GetCurrentThreadId();
    pWnd->m_pfnProc = pClass->m_wc.lpfnWndProc;
    pWnd->m_extra.assign(static_cast<std::size_t>(std::max(0, pClass->m_wc.cbWndExtra)), 0);
    pWnd->m_pClass = std::move(pClass);
    pWnd->m_hInst = hInst;
    pWnd->m_dwExStyle = dwExStyle;
    if (dwStyle & WS_CHILD) {
        pWnd->m_hwndParent = hwndParent;
        pWnd->m_nId = reinterpret_cast<LONG_PTR>(hMenu);
    } else {
        pWnd->m_hwndOwner = RootOf(hwndParent);
        if (!(dwStyle & WS_POPUP)) dwStyle |= WS_CLIPSIBLINGS | WS_CAPTION;
    }
    pWnd->m_dwStyle = dwStyle & ~WS_VISIBLE;
    return pWnd;
}

void Link(std::unique_ptr<CWindow> pWnd) {
    std::lock_guard<std::mutex> lock(g_wndMutex);
    HWND hwnd = pWnd->m_hwnd;
    if (pWnd->m_hwndParent)
        g_windows[pWnd->m_hwndParent]->m_children.push_back(hwnd);
    else
        g_topLevel.insert(g_topLevel.begin(), hwnd);
    g_windows[hwnd] = std::move(pWnd);
}

void Unlink(HWND hwnd) {
    std::lock_guard<std::mutex> lock(g_wndMutex);
    auto it = g_windows.find(hwnd);
    if (it == g_windows.end()) return;
    CWindow& wnd = *it->second;
    std::vector<HWND>& list =
        wnd.m_hwndParent ? g_windows[wnd.m_hwndParent]->m_children : g_topLevel;
    list.erase(std::remove(list.begin(), list.end(), hwnd), list.end());
    g_graveyard.push_back(std::move(it->second));
    g_windows.erase(it);
}

bool SendCreate(HWND hwnd, CREATESTRUCTA& cs) {
    if (!SendMessageA(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) return false;
    if (!IsWindow(hwnd)) return false;
    return SendMessageA(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) != -1 && IsWindow(hwnd);
}

void SendInitialGeometry(HWND hwnd) {
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd) return;
    SIZE size = ClientSize(*pWnd);
    SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(size.cx, size.cy));
}

void NotifyParentOf(HWND hwnd, UINT nEvent) {
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd || !pWnd->m_hwndParent || (pWnd->m_dwExStyle & WS_EX_NOPARENTNOTIFY)) return;
    SendMessageA(pWnd->m_hwndParent, WM_PARENTNOTIFY, MAKEWPARAM(nEvent, pWnd->m_nId),
                 reinterpret_cast<LPARAM>(hwnd));
}

void SendDestroy(HWND hwnd) {
    SendMessageA(hwnd, WM_DESTROY, 0, 0);
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd) return;
    std::vector<HWND> children = pWnd->m_children;
    for (HWND hwndChild : children)
        if (GetWnd(hwndChild)) SendDestroy(hwndChild);
}

void FreeTree(HWND hwnd) {
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd) return;
    std::vector<HWND> children = pWnd->m_children;
    for (HWND hwndChild : children)
        FreeTree(hwndChild);
    SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
    if (pWnd->m_hSysMenu) DestroyMenuHandle(pWnd->m_hSysMenu);
    Unlink(hwnd);
}

void DestroyOwned(HWND hwnd) {
    for (HWND hwndTop : TopLevelWindows()) {
        CWindow* pTop = GetWnd(hwndTop);
        if (pTop && pTop->m_hwndOwner == hwnd) DestroyWindow(hwndTop);
    }
}

void HideForDestroy(CWindow& wnd) {
    if (!(wnd.m_dwStyle & WS_VISIBLE)) return;
    wnd.m_dwStyle &= ~WS_VISIBLE;
    InvalidateParentArea(wnd);
    MoveFocusOffHidden(wnd.m_hwnd);
    if (!wnd.m_hwndParent) ActivateOther(wnd.m_hwnd);
}

LONG_PTR ReadExtra(const CWindow& wnd, int nIndex, std::size_t nSize) {
    if (nIndex < 0 || static_cast<std::size_t>(nIndex) + nSize > wnd.m_extra.size()) return 0;
    if (nSize == sizeof(LONG)) {
        LONG n = 0;
        std::memcpy(&n, &wnd.m_extra[nIndex], nSize);
        return n;
    }
    LONG_PTR n = 0;
    std::memcpy(&n, &wnd.m_extra[nIndex], nSize);
    return n;
}

LONG_PTR WriteExtra(CWindow& wnd, int nIndex, LONG_PTR nValue, std::size_t nSize) {
    LONG_PTR nOld = ReadExtra(wnd, nIndex, nSize);
    if (nIndex < 0 || static_cast<std::size_t>(nIndex) + nSize > wnd.m_extra.size()) return 0;
    if (nSize == sizeof(LONG)) {
        LONG n = static_cast<LONG>(nValue);
        std::memcpy(&wnd.m_extra[nIndex], &n, nSize);
    } else {
        std::memcpy(&wnd.m_extra[nIndex], &nValue, nSize);
    }
    return nOld;
}

LONG_PTR GetLong(HWND hwnd, int nIndex, std::size_t nSize) {
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd) return 0;
    switch (nIndex) {
        case GWLP_WNDPROC:
            return reinterpret_cast<LONG_PTR>(pWnd->m_pfnProc);
        case GWLP_HINSTANCE:
            return reinterpret_cast<LONG_PTR>(pWnd->m_hInst);
        case GWLP_HWNDPARENT:
            return reinterpret_cast<LONG_PTR>(pWnd->m_hwndParent ? pWnd->m_hwndParent
                                                                 : pWnd->m_hwndOwner);
        case GWLP_ID:
            return pWnd->m_nId;
        case GWLP_USERDATA:
            return pWnd->m_nUserData;
        case GWL_STYLE:
            return static_cast<LONG>(pWnd->m_dwStyle);
        case GWL_EXSTYLE:
            return static_cast<LONG>(pWnd->m_dwExStyle);
        default:
            return ReadExtra(*pWnd, nIndex, nSize);
    }
}

LONG_PTR SetStyle(HWND hwnd, int nIndex, DWORD dwNew) {
    CWindow* pWnd = GetWnd(hwnd);
    DWORD& dwField = nIndex == GWL_STYLE ? pWnd->m_dwStyle : pWnd->m_dwExStyle;
    STYLESTRUCT ss{dwField, dwNew};
    SendMessageA(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(nIndex),
                 reinterpret_cast<LPARAM>(&ss));
    if (!(pWnd = GetWnd(hwnd))) return 0;
    DWORD& dwTarget = nIndex == GWL_STYLE ? pWnd->m_dwStyle : pWnd->m_dwExStyle;
    dwTarget = ss.styleNew;
    SendMessageA(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&ss));
    return static_cast<LONG>(ss.styleOld);
}

LONG_PTR SetLong(HWND hwnd, int nIndex, LONG_PTR nValue, std::size_t nSize) {
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd) return 0;
    LONG_PTR nOld = GetLong(hwnd, nIndex, nSize);
    switch (nIndex) {
        case GWLP_WNDPROC:
            pWnd->m_pfnProc = reinterpret_cast<WNDPROC>(nValue);
            break;
        case GWLP_HINSTANCE:
            pWnd->m_hInst = reinterpret_cast<HINSTANCE>(nValue);
            break;
        case GWLP_HWNDPARENT:
            if (!pWnd->m_hwndParent) pWnd->m_hwndOwner = reinterpret_cast<HWND>(nValue);
            break;
        case GWLP_ID:
            pWnd->m_nId = nValue;
            break;
        case GWLP_USERDATA:
            pWnd->m_nUserData = nValue;
            break;
        case GWL_STYLE:
        case GWL_EXSTYLE:
            return SetStyle(hwnd, nIndex, static_cast<DWORD>(nValue));
        default:
            return WriteExtra(*pWnd, nIndex, nValue, nSize);
    }
    return nOld;
}

}  // namespace

CWindow* GetWnd(HWND hwnd) {
    std::lock_guard<std::mutex> lock(g_wndMutex);
    auto it = g_windows.find(hwnd);
    return it == g_windows.end() ? nullptr : it->second.get();
}

HWND AllocHandle() {
    std::lock_guard<std::mutex> lock(g_wndMutex);
    g_nNextHandle += 4;
    return reinterpret_cast<HWND>(g_nNextHandle);
}

std::vector<HWND>& Siblings(const CWindow& wnd) {
    return wnd.m_hwndParent ? GetWnd(wnd.m_hwndParent)->m_children : g_topLevel;
}

std::vector<HWND> TopLevelWindows() {
    std::lock_guard<std::mutex> lock(g_wndMutex);
    return g_topLevel;
}

bool IsDescendant(HWND hwndAncestor, HWND hwnd) {
    CWindow* pWnd = GetWnd(hwnd);
    while (pWnd && pWnd->m_hwndParent) {
        if (pWnd->m_hwndParent == hwndAncestor) return true;
        pWnd = GetWnd(pWnd->m_hwndParent);
    }
    return false;
}

void ForgetAllWindows() {
    for (HWND hwnd : TopLevelWindows())
        if (GetWnd(hwnd)) DestroyWindow(hwnd);
    std::lock_guard<std::mutex> lock(g_wndMutex);
    g_windows.clear();
    g_topLevel.clear();
    g_graveyard.clear();
}

}  // namespace win32sim

using namespace win32sim;

HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR pszClassName, LPCSTR pszWindowName,
                            DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hwndParent,
                            HMENU hMenu, HINSTANCE hInstance, LPVOID pParam) {
    auto pClass = FindClass(pszClassName);
    if (!pClass) return nullptr;
    if ((dwStyle & WS_CHILD) && !GetWnd(hwndParent)) return nullptr;
    PlaceDefault(x, y, nWidth, nHeight, !(dwStyle & WS_CHILD));
    auto pWnd = NewWindow(pClass, dwExStyle, dwStyle, hwndParent, hMenu, hInstance);
    pWnd->m_rc = RECT{x, y, x + nWidth, y + nHeight};
    HWND hwnd = pWnd->m_hwnd;
    bool bSysMenu = (pWnd->m_dwStyle & (WS_CHILD | WS_SYSMENU)) == WS_SYSMENU;
    Link(std::move(pWnd));
    if (bSysMenu) GetWnd(hwnd)->m_hSysMenu = CreateSystemMenu(hwnd);
    CREATESTRUCTA cs{pParam,
                     hInstance,
                     hMenu,
                     hwndParent,
                     nHeight,
                     nWidth,
                     y,
                     x,
                     static_cast<LONG>(dwStyle),
                     pszWindowName,
                     pszClassName,
                     dwExStyle};
    if (!SendCreate(hwnd, cs)) {
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
        return nullptr;
    }
    SendInitialGeometry(hwnd);
    NotifyParentOf(hwnd, WM_CREATE);
    if ((dwStyle & WS_VISIBLE) && IsWindow(hwnd)) ShowWindow(hwnd, SW_SHOW);
    return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL WINAPI DestroyWindow(HWND hwnd) {
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd) return FALSE;
    if (pWnd->m_bDestroying) return TRUE;
    pWnd->m_bDestroying = true;
    HideForDestroy(*pWnd);
    NotifyParentOf(hwnd, WM_DESTROY);
    DestroyOwned(hwnd);
    FixStateOnDestroy(hwnd);
    SendDestroy(hwnd);
    FreeTree(hwnd);
    return TRUE;
}

LONG WINAPI GetWindowLongA(HWND hwnd, int nIndex) {
    return static_cast<LONG>(GetLong(hwnd, nIndex, sizeof(LONG)));
}

LONG WINAPI SetWindowLongA(HWND hwnd, int nIndex, LONG dwNewLong) {
    return static_cast<LONG>(SetLong(hwnd, nIndex, dwNewLong, sizeof(LONG)));
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hwnd, int nIndex) {
    return GetLong(hwnd, nIndex, sizeof(LONG_PTR));
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND hwnd, int nIndex, LONG_PTR dwNewLong) {
    return SetLong(hwnd, nIndex, dwNewLong, sizeof(LONG_PTR));
}

BOOL WINAPI IsWindow(HWND hwnd) {
    return hwnd == kDesktop || GetWnd(hwnd) != nullptr;
}

BOOL WINAPI IsWindowVisible(HWND hwnd) {
    if (hwnd == kDesktop) return TRUE;
    for (CWindow* pWnd = GetWnd(hwnd); pWnd; pWnd = GetWnd(pWnd->m_hwndParent)) {
        if (!(pWnd->m_dwStyle & WS_VISIBLE)) return FALSE;
        if (!pWnd->m_hwndParent) return TRUE;
    }
    return FALSE;
}

BOOL WINAPI IsWindowEnabled(HWND hwnd) {
    CWindow* pWnd = GetWnd(hwnd);
    return pWnd && !(pWnd->m_dwStyle & WS_DISABLED);
}

BOOL WINAPI EnableWindow(HWND hwnd, BOOL bEnable) {
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd) return FALSE;
    BOOL bWasDisabled = (pWnd->m_dwStyle & WS_DISABLED) != 0;
    if (bWasDisabled == !bEnable) return bWasDisabled;
    if (bEnable) {
        pWnd->m_dwStyle &= ~WS_DISABLED;
    } else {
        pWnd->m_dwStyle |= WS_DISABLED;
        // A disabled window can't keep the focus or the capture.
        if (GetFocus() == hwnd) SetFocus(nullptr);
        if (GetCapture() == hwnd) ReleaseCapture();
    }
    SendMessageA(hwnd, WM_ENABLE, bEnable ? TRUE : FALSE, 0);
    if ((pWnd = GetWnd(hwnd))) InvalidateWindow(*pWnd, nullptr, true, false);
    return bWasDisabled;
}

BOOL WINAPI IsIconic(HWND hwnd) {
    CWindow* pWnd = GetWnd(hwnd);
    return pWnd && (pWnd->m_dwStyle & WS_MINIMIZE);
}

BOOL WINAPI IsChild(HWND hwndParent, HWND hwnd) {
    return IsDescendant(hwndParent, hwnd);
}

HWND WINAPI GetParent(HWND hwnd) {
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd) return nullptr;
    if (pWnd->m_dwStyle & WS_CHILD) return pWnd->m_hwndParent;
    return (pWnd->m_dwStyle & WS_POPUP) ? pWnd->m_hwndOwner : nullptr;
}

HWND WINAPI GetWindow(HWND hwnd, UINT uCmd) {
    if (hwnd == kDesktop && uCmd == GW_CHILD) return GetTopWindow(nullptr);
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd) return nullptr;
    if (uCmd == GW_CHILD) return pWnd->m_children.empty() ? nullptr : pWnd->m_children.front();
    if (uCmd == GW_OWNER) return pWnd->m_hwndOwner;
    std::vector<HWND> list =
        pWnd->m_hwndParent ? GetWnd(pWnd->m_hwndParent)->m_children : TopLevelWindows();
    auto it = std::find(list.begin(), list.end(), hwnd);
    switch (uCmd) {
        case GW_HWNDFIRST:
            return list.front();
        case GW_HWNDLAST:
            return list.back();
        case GW_HWNDNEXT:
            return it + 1 == list.end() ? nullptr : *(it + 1);
        case GW_HWNDPREV:
            return it == list.begin() ? nullptr : *(it - 1);
        default:
            return nullptr;
    }
}

HWND WINAPI GetTopWindow(HWND hwnd) {
    if (!hwnd || hwnd == kDesktop) {
        std::vector<HWND> top = TopLevelWindows();
        return top.empty() ? nullptr : top.front();
    }
    return GetWindow(hwnd, GW_CHILD);
}

HWND WINAPI GetDesktopWindow() {
    return kDesktop;
}

int WINAPI GetWindowTextA(HWND hwnd, LPSTR pszString, int nMaxCount) {
    if (!pszString || nMaxCount <= 0) return 0;
    pszString[0] = '\0';
    return static_cast<int>(
        SendMessageA(hwnd, WM_GETTEXT, nMaxCount, reinterpret_cast<LPARAM>(pszString)));
}

int WINAPI GetWindowTextLengthA(HWND hwnd) {
    return static_cast<int>(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR pszString) {
    if (!GetWnd(hwnd)) return FALSE;
    return SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pszString)) != 0;
}

// A window the callback destroys is gone from the list before the walk reaches it.
BOOL WINAPI EnumThreadWindows(DWORD dwThreadId, WNDENUMPROC pfnEnum, LPARAM lParam) {
    for (HWND hwnd : TopLevelWindows()) {
        CWindow* pWnd = GetWnd(hwnd);
        if (!pWnd || pWnd->m_dwThread != dwThreadId) continue;
        if (!pfnEnum(hwnd, lParam)) return FALSE;
    }
    return TRUE;
}
