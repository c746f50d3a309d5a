// CWnd: a C++ object bound to a window, its window procedure and message map, and thin wrappers of
// the window functions; CMenu for the window menu. No frame windows, docking or OLE controls.
#pragma once

#include "cmdtarget.h"
#include "cstring.h"
#include "gdi.h"
#include "geometry.h"

class CDataExchange;
class CWnd;

// The standard window procedure of every window a CWnd object has subclassed.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

// Runs one message through pWnd's WindowProc; framework exceptions stop here.
LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
// Handles an exception that reached a window procedure and deletes it; returns the message's
// result.
LRESULT AFXAPI AfxProcessWndProcException(CException* e, const MSG* pMsg);

// Sets the window text only when it differs, so unchanged controls keep selection and caret.
void AFXAPI AfxSetWindowText(HWND hWndCtrl, LPCSTR lpszNew);
// The whole window text, however long.
CString AFXAPI AfxGetWindowText(HWND hWnd);

// Gives the message to the PreTranslateMessage of every framework window from its target up to
// the main window; TRUE when one of them handled it.
BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg);

// Deletes the thread's temporary wrappers (FromHandle results of unattached handles).
void AFXAPI AfxDeleteTempObjects();

class CMenu : public CObject {
    DECLARE_DYNAMIC(CMenu)
public:
    HMENU m_hMenu = NULL;

    CMenu() = default;
    operator HMENU() const { return m_hMenu; }  // NOLINT: as in MFC
    // A temporary wrapper of the menu, deleted when the thread is next idle. NULL for NULL.
    static CMenu* FromHandle(HMENU hMenu);

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = NULL);
};

#define WF_MODALLOOP 0x0001u
#define WF_CONTINUEMODAL 0x0002u
#define MLF_SHOWONIDLE 0x0001u

class CWnd : public CCmdTarget {
    DECLARE_DYNAMIC(CWnd)
public:
    HWND m_hWnd = NULL;

    static const CWnd wndTop;

    CWnd() = default;
    // Destroys a window it still holds.
    ~CWnd() override;

    operator HWND() const { return m_hWnd; }  // NOLINT: as in MFC
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object attached to the window, else a temporary one deleted when the thread is next
    // idle. NULL for NULL.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    BOOL Attach(HWND hWndNew);
    HWND Detach();

    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                  int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                  LPVOID lpParam = NULL);
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL DestroyWindow();

    // Attaches the window and routes its messages through AfxWndProc; PreSubclassWindow first.
    BOOL SubclassWindow(HWND hWnd);

    virtual BOOL PreTranslateMessage(MSG* pMsg);
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // The window that owns popups of hParent: hParent, else the main window, never a child.
    // With pWndTop, the top-level window above it is disabled meanwhile and given back there.
    static HWND GetSafeOwner_(HWND hParent, HWND* pWndTop);

    int RunModalLoop(DWORD dwFlags = 0);
    BOOL ContinueModal() const { return (m_nFlags & WF_CONTINUEMODAL) != 0; }
    void EndModalLoop(int nResult);

    CWnd* GetDlgItem(int nID) const;
    void GetDlgItem(int nID, HWND* phWnd) const;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    CWnd* SetFocus();
    CWnd* GetParent() const;
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetTopLevelParent() const;

    void SetWindowText(LPCSTR lpszString);
    void GetWindowText(CString& rString) const;

    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void CenterWindow(CWnd* pAlternateOwner = NULL);
    // Whether a hidden, unmoved window is centred after WM_INITDIALOG.
    virtual BOOL CheckAutoCenter() { return TRUE; }

    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = NULL, HRGN hrgnUpdate = NULL,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    CMenu* GetSystemMenu(BOOL bRevert) const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    CFont* GetFont() const;
    DWORD GetStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);

    // Default handlers: the window's previous procedure does the work.
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnNcDestroy();

protected:
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}

    // The message being handled, given to the window's previous procedure.
    LRESULT Default();
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void PreSubclassWindow() {}
    virtual void PostNcDestroy() {}
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL IsDialogMessage(LPMSG lpMsg);
    // Keyboard and mouse messages go to the dialog manager; TRUE when it used them.
    BOOL PreTranslateInput(LPMSG lpMsg);

    WNDPROC m_pfnSuper = NULL;
    UINT m_nFlags = 0;
    int m_nModalResult = 0;

    friend LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam,
                                         LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

LRESULT AFXAPI AfxDispatch_v(CWnd* pWnd, void (CWnd::*pfn)(), const AFX_MSGCALL& call);
LRESULT AFXAPI AfxDispatch_bD(CWnd* pWnd, BOOL (CWnd::*pfn)(CDC*), const AFX_MSGCALL& call);
LRESULT AFXAPI AfxDispatch_hDWu(CWnd* pWnd, HBRUSH (CWnd::*pfn)(CDC*, CWnd*, UINT),
                                const AFX_MSGCALL& call);
LRESULT AFXAPI AfxDispatch_vwl(CWnd* pWnd, void (CWnd::*pfn)(UINT, LPARAM),
                               const AFX_MSGCALL& call);

// One map entry for message msg whose handler ThisClass::fn has exactly the type sig.
#define AFX_WND_ENTRY(msg, dispatch, sig, fn)                                                \
    {msg, 0, 0, 0, [](CCmdTarget* pTarget, const AFX_MSGCALL& call) -> LRESULT {             \
         return dispatch(static_cast<ThisClass*>(pTarget), static_cast<sig>(&ThisClass::fn), \
                         call);                                                              \
     }},

#define ON_WM_PAINT() AFX_WND_ENTRY(WM_PAINT, AfxDispatch_v, void (CWnd::*)(), OnPaint)
#define ON_WM_NCPAINT() AFX_WND_ENTRY(WM_NCPAINT, AfxDispatch_v, void (CWnd::*)(), OnNcPaint)
#define ON_WM_NCDESTROY() AFX_WND_ENTRY(WM_NCDESTROY, AfxDispatch_v, void (CWnd::*)(), OnNcDestroy)
#define ON_WM_ERASEBKGND() \
    AFX_WND_ENTRY(WM_ERASEBKGND, AfxDispatch_bD, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_CTLCOLOR() \
    AFX_WND_ENTRY(WM_CTLCOLOR, AfxDispatch_hDWu, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_SYSCOMMAND() \
    AFX_WND_ENTRY(WM_SYSCOMMAND, AfxDispatch_vwl, void (CWnd::*)(UINT, LPARAM), OnSysCommand)
