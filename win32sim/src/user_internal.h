// Window-manager state shared by the user32 parts of the stand-in: classes, windows, threads.
// Internal to win32sim; callers outside it use the Win32 functions of user.h.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace win32sim {

struct CWndClass {
    std::string m_strName;
    ATOM m_nAtom = 0;
    WNDCLASSA m_wc{};
    bool m_bSystem = false;
};

// Per-window state of a control's own window procedure (edit text, button state, ...).
struct CControlData {
    virtual ~CControlData() = default;
    HFONT m_hFont = nullptr;  // WM_SETFONT's; NULL: the DC's own
};

struct CDialogData {
    HFONT m_hFont = nullptr;
    bool m_bOwnFont = false;
    int m_cxBase = 0;
    int m_cyBase = 0;
    int m_nDefId = 0;
    HWND m_hwndFocusSaved = nullptr;
    bool m_bEnded = false;
    INT_PTR m_nResult = 0;
};

struct CMenuItem {
    UINT m_nFlags = 0;
    UINT_PTR m_nId = 0;
    std::string m_strText;
};

struct CMenu {
    HWND m_hwnd = nullptr;
    std::vector<CMenuItem> m_items;
};

struct CWindow {
    HWND m_hwnd = nullptr;
    DWORD m_dwThread = 0;
    std::shared_ptr<CWndClass> m_pClass;
    WNDPROC m_pfnProc = nullptr;
    HINSTANCE m_hInst = nullptr;
    DWORD m_dwStyle = 0;
    DWORD m_dwExStyle = 0;
    LONG_PTR m_nId = 0;
    LONG_PTR m_nUserData = 0;
    std::string m_strText;
    HWND m_hwndParent = nullptr;  // children only; top-level windows have none
    HWND m_hwndOwner = nullptr;
    std::vector<HWND> m_children;  // z-order, topmost first
    RECT m_rc{};                   // parent's client coordinates, or the screen's
    RECT m_rcNormal{};             // where a minimised window returns to
    bool m_bUpdate = false;
    RECT m_rcUpdate{};  // client coordinates
    bool m_bErase = false;
    bool m_bNcUpdate = false;
    HMENU m_hSysMenu = nullptr;
    HICON m_hIconBig = nullptr;
    HICON m_hIconSmall = nullptr;
    std::vector<BYTE> m_extra;
    std::unique_ptr<CDialogData> m_pDlg;
    std::unique_ptr<CControlData> m_pCtl;
    bool m_bDestroying = false;
};

struct CThreadData {
    DWORD m_dwId = 0;
    std::mutex m_mutex;  // guards the queue; the rest belongs to the thread itself
    std::condition_variable m_cv;
    std::deque<MSG> m_posted;
    unsigned long long m_nPosts = 0;  // counts posts, so a waiting GetMessage sees new ones
    bool m_bQuit = false;
    int m_nQuitCode = 0;
    HWND m_hwndFocus = nullptr;
    HWND m_hwndActive = nullptr;
    HWND m_hwndCapture = nullptr;
    BYTE m_keys[256] = {};
};

// Windows and the z-order of top-level windows.
CWindow* GetWnd(HWND hwnd);
std::vector<HWND>& Siblings(const CWindow& wnd);
std::vector<HWND> TopLevelWindows();
// WM_GETTEXT's copy: what fits in cchMax characters, always NUL-terminated; the count copied.
LRESULT CopyWindowText(const std::string& strText, WPARAM cchMax, LPSTR psz);
// The dialog manager's tab search; from no control it starts at the first or the last.
HWND NextTabItem(HWND hDlg, HWND hCtl, bool bPrevious);
bool IsDescendant(HWND hwndAncestor, HWND hwnd);
void ForgetAllWindows();
HWND AllocHandle();

// Threads and their queues.
CThreadData& CurrentThread();
CThreadData* FindThread(DWORD dwId);
std::vector<CThreadData*> AllThreads();
bool FindPaintWindow(MSG* pMsg);

// Geometry.
RECT NcInsets(DWORD dwStyle, DWORD dwExStyle);
RECT ScreenRect(const CWindow& wnd);
POINT ClientOrigin(const CWindow& wnd);
SIZE ClientSize(const CWindow& wnd);

// Painting and visibility.
void InvalidateWindow(CWindow& wnd, const RECT* prc, bool bErase, bool bChildren);
void InvalidateParentArea(CWindow& wnd);
void ValidateWindow(CWindow& wnd, const RECT* prc);
HBRUSH DefaultEraseBrush(HWND hwnd);

// Focus and activation.
void MoveFocusOffHidden(HWND hwnd);
void ActivateOther(HWND hwndGoing);
void FixStateOnDestroy(HWND hwnd);

// Classes and the built-in controls.
void EnsureSystemClasses();
std::shared_ptr<CWndClass> FindClass(LPCSTR pszName);
LRESULT CALLBACK ButtonWndProc(HWND hwnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK EditWndProc(HWND hwnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK TooltipWndProc(HWND hwnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK DialogClassProc(HWND hwnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// Dialogs.
CDialogData* DialogData(HWND hwnd);  // created on first use, like the dialog manager's info
void SetDialogFocus(HWND hwndCtl);   // focus a control, selecting an edit's whole text

// The window menu.
HMENU CreateSystemMenu(HWND hwnd);
void UpdateSystemMenu(CWindow& wnd);
void DestroyMenuHandle(HMENU hMenu);
void ForgetAllMenus();

// Control helpers shared by the control procedures.
template <class T>
T* ControlData(HWND hwnd) {
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd) return nullptr;
    if (!pWnd->m_pCtl) pWnd->m_pCtl = std::make_unique<T>();
    return dynamic_cast<T*>(pWnd->m_pCtl.get());
}
HBRUSH SendCtlColor(HWND hwnd, HDC hdc, UINT nMsg);
void NotifyParent(HWND hwnd, WORD nCode);
// WM_SETFONT and WM_GETFONT of a control: the font kept for painting. The dialog manager sends
// it before the first paint, so the redraw flag is not looked at.
LRESULT ControlFontMessage(CControlData& data, UINT nMsg, WPARAM wParam);
// WM_SETTEXT of a control that shows its text: stored as DefWindowProc stores it, then repainted.
LRESULT SetShownText(HWND hwnd, WPARAM wParam, LPARAM lParam);

// A control's font selected into a DC for one paint or measure; the previous font goes back.
class CControlFont {
public:
    CControlFont(HDC hdc, const CControlData& data)
        : m_hdc(hdc), m_hOld(data.m_hFont ? SelectObject(hdc, data.m_hFont) : nullptr) {}
    ~CControlFont() {
        if (m_hOld) SelectObject(m_hdc, m_hOld);
    }
    CControlFont(const CControlFont&) = delete;
    CControlFont& operator=(const CControlFont&) = delete;

private:
    HDC m_hdc;
    HGDIOBJ m_hOld;
};

}  // namespace win32sim
