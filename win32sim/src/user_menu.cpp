// The window menu (system menu) of top-level windows and the few menu calls that work on it.
// Only string and separator items; no popups, bitmaps, menu bars or menu tracking.
#include <algorithm>
#include <cstring>

#include "handle_table.h"
#include "user_internal.h"

namespace win32sim {
namespace {

constexpr std::uintptr_t kFirstMenu = 0x20000;

CHandleTable<HMENU, CMenu>& Menus() {
    static CHandleTable<HMENU, CMenu> table(kFirstMenu);
    return table;
}

CMenu* FindMenu(HMENU hMenu) {
    return Menus().Find(hMenu);
}

CMenuItem* FindItem(CMenu& menu, UINT uItem, UINT uFlags) {
    for (std::size_t i = 0; i < menu.m_items.size(); ++i) {
        bool bMatch = (uFlags & MF_BYPOSITION) ? i == uItem
                                               : !(menu.m_items[i].m_nFlags & MF_SEPARATOR) &&
                                                     menu.m_items[i].m_nId == uItem;
        if (bMatch) return &menu.m_items[i];
    }
    return nullptr;
}

void SetGrayed(CMenu& menu, UINT nId, bool bGrayed) {
    CMenuItem* pItem = FindItem(menu, nId, MF_BYCOMMAND);
    if (!pItem) return;
    pItem->m_nFlags = (pItem->m_nFlags & ~(MF_GRAYED | MF_DISABLED)) | (bGrayed ? MF_GRAYED : 0);
}

void FillSystemMenu(CMenu& menu, DWORD dwStyle) {
    menu.m_items.clear();
    // A window with neither minimise nor maximise box nor sizing frame gets Move and Close only.
    bool bFull = (dwStyle & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)) != 0;
    if (bFull) {
        menu.m_items.push_back({MF_STRING, SC_RESTORE, "&Restore"});
        menu.m_items.push_back({MF_STRING, SC_MOVE, "&Move"});
        menu.m_items.push_back({MF_STRING, SC_SIZE, "&Size"});
        menu.m_items.push_back({MF_STRING, SC_MINIMIZE, "Mi&nimize"});
        menu.m_items.push_back({MF_STRING, SC_MAXIMIZE, "Ma&ximize"});
        menu.m_items.push_back({MF_SEPARATOR, 0, ""});
    } else {
        menu.m_items.push_back({MF_STRING, SC_MOVE, "&Move"});
    }
    menu.m_items.push_back({MF_STRING, SC_CLOSE, "&Close\tAlt+F4"});
}

}  // namespace

HMENU CreateSystemMenu(HWND hwnd) {
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd) return nullptr;
    CMenu menu;
    menu.m_hwnd = hwnd;
    FillSystemMenu(menu, pWnd->m_dwStyle);
    HMENU hMenu = Menus().Add(std::move(menu));
    pWnd->m_hSysMenu = hMenu;
    UpdateSystemMenu(*pWnd);
    return hMenu;
}

// Greys the items the window's state does not allow, as Windows does before showing the menu.
void UpdateSystemMenu(CWindow& wnd) {
    CMenu* pMenu = FindMenu(wnd.m_hSysMenu);
    if (!pMenu) return;
    DWORD dwStyle = wnd.m_dwStyle;
    bool bMinimized = (dwStyle & WS_MINIMIZE) != 0;
    SetGrayed(*pMenu, SC_RESTORE, !bMinimized && !(dwStyle & WS_MAXIMIZE));
    SetGrayed(*pMenu, SC_MOVE, (dwStyle & WS_MAXIMIZE) != 0);
    SetGrayed(*pMenu, SC_SIZE, !(dwStyle & WS_THICKFRAME) || bMinimized);
    SetGrayed(*pMenu, SC_MINIMIZE, !(dwStyle & WS_MINIMIZEBOX) || bMinimized);
    SetGrayed(*pMenu, SC_MAXIMIZE, !(dwStyle & WS_MAXIMIZEBOX) || (dwStyle & WS_MAXIMIZE));
    SetGrayed(*pMenu, SC_CLOSE, (wnd.m_pClass->m_wc.style & CS_NOCLOSE) != 0);
}

void DestroyMenuHandle(HMENU hMenu) {
    Menus().Erase(hMenu);
}

void ForgetAllMenus() {
    Menus().Clear();
}

}  // namespace win32sim

using namespace win32sim;

HMENU WINAPI GetSystemMenu(HWND hwnd, BOOL bRevert) {
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd || (pWnd->m_dwStyle & WS_CHILD) || !(pWnd->m_dwStyle & WS_SYSMENU)) return nullptr;
    if (!pWnd->m_hSysMenu) CreateSystemMenu(hwnd);
    if (bRevert) {
        FillSystemMenu(*FindMenu(pWnd->m_hSysMenu), pWnd->m_dwStyle);
        UpdateSystemMenu(*pWnd);
        return nullptr;
    }
    return pWnd->m_hSysMenu;
}

BOOL WINAPI AppendMenuA(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCSTR pszNewItem) {
    CMenu* pMenu = FindMenu(hMenu);
    if (!pMenu || (uFlags & (MF_POPUP | MF_BITMAP | MF_OWNERDRAW))) return FALSE;
    CMenuItem item;
    item.m_nFlags = uFlags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED | MF_CHECKED);
    item.m_nId = (uFlags & MF_SEPARATOR) ? 0 : uIDNewItem;
    if (!(uFlags & MF_SEPARATOR) && pszNewItem) item.m_strText = pszNewItem;
    pMenu->m_items.push_back(item);
    return TRUE;
}

int WINAPI GetMenuItemCount(HMENU hMenu) {
    CMenu* pMenu = FindMenu(hMenu);
    return pMenu ? static_cast<int>(pMenu->m_items.size()) : -1;
}

UINT WINAPI GetMenuItemID(HMENU hMenu, int nPos) {
    CMenu* pMenu = FindMenu(hMenu);
    if (!pMenu || nPos < 0 || static_cast<std::size_t>(nPos) >= pMenu->m_items.size())
        return static_cast<UINT>(-1);
    return static_cast<UINT>(pMenu->m_items[nPos].m_nId);
}

int WINAPI GetMenuStringA(HMENU hMenu, UINT uIDItem, LPSTR pszString, int cchMax, UINT uFlag) {
    CMenu* pMenu = FindMenu(hMenu);
    CMenuItem* pItem = pMenu ? FindItem(*pMenu, uIDItem, uFlag) : nullptr;
    if (!pItem) return 0;
    if (!pszString || cchMax <= 0) return static_cast<int>(pItem->m_strText.size());
    std::size_t n = std::min<std::size_t>(pItem->m_strText.size(), cchMax - 1);
    std::memcpy(pszString, pItem->m_strText.data(), n);
    pszString[n] = '\0';
    return static_cast<int>(n);
}

UINT WINAPI GetMenuState(HMENU hMenu, UINT uId, UINT uFlags) {
    CMenu* pMenu = FindMenu(hMenu);
    CMenuItem* pItem = pMenu ? FindItem(*pMenu, uId, uFlags) : nullptr;
    return pItem ? pItem->m_nFlags : static_cast<UINT>(-1);
}
