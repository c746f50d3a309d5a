// CWinApp: the one application object, its start-up (AfxWinInit, AfxWinMain) and the framework's
// global accessors and message box. No document templates, registry or command-line parsing.
#pragma once

#include <string>

#include "cmdtarget.h"
#include "wnd.h"

class CWinApp : public CCmdTarget {
    DECLARE_DYNAMIC(CWinApp)
public:
    // Registers the application object; NULL name: the string AFX_IDS_APP_TITLE, else the
    // program file's name without its extension (set by AfxWinInit).
    explicit CWinApp(LPCSTR lpszAppName = NULL);
    ~CWinApp() override;

    LPCSTR m_pszAppName = NULL;
    LPCSTR m_pszExeName = NULL;
    HINSTANCE m_hInstance = NULL;
    CWnd* m_pMainWnd = NULL;
    MSG m_msgCur = {};

    virtual BOOL InitInstance() { return TRUE; }
    // The exit code: the WM_QUIT code of the last message loop, 0 when none ran.
    virtual int ExitInstance();
    // The application's message loop, until WM_QUIT; then ExitInstance.
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    virtual CWnd* GetMainWnd() { return m_pMainWnd; }

    HICON LoadIcon(UINT nIDResource) const;

    // The names that depend on the program file; called by AfxWinInit.
    void SetCurrentHandles();

    afx_msg void OnHelp();

private:
    std::string m_strAppName;
    std::string m_strExeName;

    DECLARE_MESSAGE_MAP()
};

CWinApp* AFXAPI AfxGetApp();
CWnd* AFXAPI AfxGetMainWnd();
HINSTANCE AFXAPI AfxGetInstanceHandle();
// The module the resources come from: the program's own.
HINSTANCE AFXAPI AfxGetResourceHandle();

// Records the instance and names the application. Native tests call it with
// GetModuleHandleA(NULL) and then drive the application themselves.
BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance = NULL, LPSTR lpCmdLine = NULL,
                       int nCmdShow = SW_SHOWNORMAL);
// The program: AfxWinInit, InitInstance, then Run, or ExitInstance when InitInstance fails.
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
// Frees the calling thread's framework state (handle maps); the last call of a UI thread.
void AFXAPI AfxTermThread();

// A message box through the user prompts: the application's name as caption, owned by the main
// window; an exclamation icon when an OK or OK/Cancel box asks for none.
int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
