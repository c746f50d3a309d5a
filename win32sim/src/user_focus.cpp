// Keyboard focus, activation, mouse capture and the keyboard state.
#include <algorithm>
#include <cstring>

#include "user_internal.h"

namespace win32sim {
namespace {

HWND RootWindow(HWND hwnd) {
    CWindow* pWnd = GetWnd(hwnd);
    while (pWnd && pWnd->m_hwndParent)
        pWnd = GetWnd(pWnd->m_hwndParent);
    return pWnd ? pWnd->m_hwnd : nullptr;
}

bool InTree(HWND hwndRoot, HWND hwnd) {
    return hwnd && (hwnd == hwndRoot || IsDescendant(hwndRoot, hwnd));
}

// SetFocus fails while the window or an ancestor is disabled or minimised.
bool CanTakeFocus(HWND hwnd) {
    for (CWindow* pWnd = GetWnd(hwnd); pWnd; pWnd = GetWnd(pWnd->m_hwndParent)) {
        if (pWnd->m_dwStyle & (WS_DISABLED | WS_MINIMIZE)) return false;
        if (!pWnd->m_hwndParent) return true;
    }
    return false;
}

void ChangeFocus(HWND hwnd) {
    CThreadData& thread = CurrentThread();
    HWND hwndOld = thread.m_hwndFocus;
    if (hwndOld == hwnd) return;
    thread.m_hwndFocus = hwnd;
    if (hwndOld && IsWindow(hwndOld))
        SendMessageA(hwndOld, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (hwnd && thread.m_hwndFocus == hwnd && IsWindow(hwnd))
        SendMessageA(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(hwndOld), 0);
}

HWND Activate(HWND hwnd, bool bMoveFocus) {
    CThreadData& thread = CurrentThread();
    HWND hwndOld = thread.m_hwndActive;
    if (hwnd == hwndOld) return hwndOld;
    if (hwndOld && IsWindow(hwndOld)) {
        SendMessageA(hwndOld, WM_NCACTIVATE, FALSE, 0);
        SendMessageA(hwndOld, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(hwndOld)),
                     reinterpret_cast<LPARAM>(hwnd));
    }
    thread.m_hwndActive = hwnd;
    if (CWindow* pWnd = GetWnd(hwnd)) {
        std::vector<HWND>& list = Siblings(*pWnd);
        list.erase(std::remove(list.begin(), list.end(), hwnd), list.end());
        list.insert(list.begin(), hwnd);
        SendMessageA(hwnd, WM_NCACTIVATE, TRUE, 0);
        SendMessageA(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, IsIconic(hwnd)),
                     reinterpret_cast<LPARAM>(hwndOld));
    }
    if (bMoveFocus && thread.m_hwndActive == hwnd && !InTree(hwnd, thread.m_hwndFocus))
        ChangeFocus(hwnd && CanTakeFocus(hwnd) ? hwnd : nullptr);
    return hwndOld;
}

bool CanActivate(HWND hwnd) {
    CWindow* pWnd = GetWnd(hwnd);
    return pWnd && !pWnd->m_hwndParent && (pWnd->m_dwStyle & WS_VISIBLE) &&
           !(pWnd->m_dwStyle & (WS_DISABLED | WS_MINIMIZE)) &&
           pWnd->m_dwThread == GetCurrentThreadId();
}

}  // namespace

void MoveFocusOffHidden(HWND hwnd) {
    if (!InTree(hwnd, GetFocus())) return;
    CWindow* pWnd = GetWnd(hwnd);
    SetFocus(pWnd ? pWnd->m_hwndParent : nullptr);
    if (InTree(hwnd, GetFocus())) ChangeFocus(nullptr);
}

void ActivateOther(HWND hwndGoing) {
    CWindow* pGoing = GetWnd(hwndGoing);
    HWND hwndNext = nullptr;
    if (pGoing && CanActivate(pGoing->m_hwndOwner)) hwndNext = pGoing->m_hwndOwner;
    for (HWND hwndTop : TopLevelWindows()) {
        if (hwndNext) break;
        if (hwndTop != hwndGoing && CanActivate(hwndTop)) hwndNext = hwndTop;
    }
    Activate(hwndNext, true);
}

void FixStateOnDestroy(HWND hwnd) {
    CThreadData& thread = CurrentThread();
    if (InTree(hwnd, thread.m_hwndCapture)) ReleaseCapture();
    if (InTree(hwnd, thread.m_hwndActive)) ActivateOther(hwnd);
    // The focus leaves a dying window without WM_KILLFOCUS, as when Windows frees it.
    if (InTree(hwnd, thread.m_hwndFocus)) thread.m_hwndFocus = nullptr;
}

}  // namespace win32sim

using namespace win32sim;

HWND WINAPI GetFocus() {
    return CurrentThread().m_hwndFocus;
}

HWND WINAPI SetFocus(HWND hwnd) {
    CThreadData& thread = CurrentThread();
    HWND hwndOld = thread.m_hwndFocus;
    if (!hwnd) {
        ChangeFocus(nullptr);
        return hwndOld;
    }
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd || pWnd->m_dwThread != GetCurrentThreadId()) return nullptr;
    if (hwnd == hwndOld) return hwndOld;
    if (!CanTakeFocus(hwnd)) return nullptr;
    HWND hwndRoot = RootWindow(hwnd);
    if (thread.m_hwndActive != hwndRoot) {
        Activate(hwndRoot, false);
        if (!IsWindow(hwnd) || thread.m_hwndActive != hwndRoot) return nullptr;
    }
    ChangeFocus(hwnd);
    return hwndOld;
}

HWND WINAPI GetActiveWindow() {
    return CurrentThread().m_hwndActive;
}

HWND WINAPI SetActiveWindow(HWND hwnd) {
    if (hwnd && !GetWnd(hwnd)) return nullptr;
    return Activate(RootWindow(hwnd), true);
}

// One process, one screen: the foreground window is the active one.
BOOL WINAPI SetForegroundWindow(HWND hwnd) {
    if (!GetWnd(hwnd)) return FALSE;
    SetActiveWindow(hwnd);
    return TRUE;
}

HWND WINAPI GetCapture() {
    return CurrentThread().m_hwndCapture;
}

// No WM_CAPTURECHANGED: a button's press ends with the mouse or the focus, never otherwise here.
HWND WINAPI SetCapture(HWND hwnd) {
    CThreadData& thread = CurrentThread();
    HWND hwndOld = thread.m_hwndCapture;
    if (hwnd && !GetWnd(hwnd)) return nullptr;
    thread.m_hwndCapture = hwnd;
    return hwndOld;
}

BOOL WINAPI ReleaseCapture() {
    SetCapture(nullptr);
    return TRUE;
}

// A key state byte: high bit down, low bit toggled; GetKeyState widens "down" to a negative SHORT.
constexpr BYTE kKeyDown = 0x80;
constexpr BYTE kKeyToggled = 0x01;

SHORT WINAPI GetKeyState(int nVirtKey) {
    BYTE b = CurrentThread().m_keys[static_cast<BYTE>(nVirtKey)];
    return static_cast<SHORT>(((b & kKeyDown) ? 0xFF80 : 0) | (b & kKeyToggled));
}

BOOL WINAPI GetKeyboardState(BYTE* pKeyState) {
    if (!pKeyState) return FALSE;
    std::memcpy(pKeyState, CurrentThread().m_keys, sizeof CThreadData::m_keys);
    return TRUE;
}

BOOL WINAPI SetKeyboardState(BYTE* pKeyState) {
    if (!pKeyState) return FALSE;
    std::memcpy(CurrentThread().m_keys, pKeyState, sizeof CThreadData::m_keys);
    return TRUE;
}
