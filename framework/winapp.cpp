#include "winapp.h"

#include "prompts.h"
#include "thread_state.h"

IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

namespace {

CWinApp* g_pApp = nullptr;
HINSTANCE g_hInstance = NULL;

// A plain pointer, freed by AfxTermThread: MinGW runs thread_local destructors after the C runtime
// has let go of the thread, and freeing memory there corrupts the runtime's shared locale.
thread_local CAfxThreadState* t_pThreadState = nullptr;

// The popup the user last worked in when it is owned by hWnd (GetLastActivePopup's answer).
HWND LastActivePopup(HWND hWnd) {
    HWND hWndActive = ::GetActiveWindow();
    for (HWND h = hWndActive; h; h = ::GetWindow(h, GW_OWNER)) {
        if (h == hWnd) return hWndActive;
    }
    return hWnd;
}

// A box without an icon warns: the program asks no questions, it only reports.
UINT WithDefaultIcon(UINT nType) {
    return (nType & MB_ICONMASK) ? nType : nType | MB_ICONEXCLAMATION;
}

}  // namespace

CAfxThreadState& AfxGetThreadState() {
    if (t_pThreadState == nullptr) t_pThreadState = new CAfxThreadState;
    return *t_pThreadState;
}

void AFXAPI AfxTermThread() {
    delete t_pThreadState;
    t_pThreadState = nullptr;
}

CWinApp::CWinApp(LPCSTR lpszAppName) {
    if (lpszAppName) {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName.c_str();
    }
    g_pApp = this;
}

CWinApp::~CWinApp() {
    if (g_pApp == this) g_pApp = nullptr;
}

void CWinApp::SetCurrentHandles() {
    char szPath[MAX_PATH] = {};
    ::GetModuleFileNameA(m_hInstance, szPath, MAX_PATH - 1);
    std::string strPath(szPath);
    std::size_t nName = strPath.find_last_of("\\/");
    std::string strName = strPath.substr(nName == std::string::npos ? 0 : nName + 1);
    std::size_t nDot = strName.rfind('.');
    m_strExeName = strName.substr(0, nDot);
    m_pszExeName = m_strExeName.c_str();
    if (m_pszAppName) return;
    CString strTitle;
    m_strAppName = strTitle.LoadString(AFX_IDS_APP_TITLE) ? strTitle.Str() : m_strExeName;
    m_pszAppName = m_strAppName.c_str();
}

int CWinApp::ExitInstance() {
    return static_cast<int>(m_msgCur.wParam);
}

int CWinApp::Run() {
    // Without a main window nothing could ever end the loop.
    if (!m_pMainWnd) ::PostQuitMessage(0);
    CAfxThreadState& state = AfxGetThreadState();
    state.bInAppRun = true;
    while (::GetMessageA(&m_msgCur, NULL, 0, 0)) {
        if (!PreTranslateMessage(&m_msgCur)) {
            ::TranslateMessage(&m_msgCur);
            ::DispatchMessageA(&m_msgCur);
        }
        MSG msgPeek;
        if (!::PeekMessageA(&msgPeek, NULL, 0, 0, PM_NOREMOVE)) AfxDeleteTempObjects();
    }
    state.bInAppRun = false;
    return ExitInstance();
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg) {
    return AfxPreTranslateMessage(pMsg);
}

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT /*nIDPrompt*/) {
    HWND hWndTop = NULL;
    HWND hWnd = CWnd::GetSafeOwner_(NULL, &hWndTop);
    if (hWnd) hWnd = LastActivePopup(hWnd);
    CMessageBoxRequest request = {hWnd, lpszPrompt ? lpszPrompt : "",
                                  m_pszAppName ? m_pszAppName : "", WithDefaultIcon(nType)};
    int nResult = AfxGetUserPrompts()->ShowMessageBox(request);
    if (hWndTop) ::EnableWindow(hWndTop, TRUE);
    return nResult;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const {
    return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
}

// The program ships no help file, so the help command has nothing to open.
void CWinApp::OnHelp() {}

CWinApp* AFXAPI AfxGetApp() {
    return g_pApp;
}

CWnd* AFXAPI AfxGetMainWnd() {
    return g_pApp ? g_pApp->GetMainWnd() : NULL;
}

HINSTANCE AFXAPI AfxGetInstanceHandle() {
    return g_hInstance ? g_hInstance : ::GetModuleHandleA(NULL);
}

HINSTANCE AFXAPI AfxGetResourceHandle() {
    return AfxGetInstanceHandle();
}

// The program reads no command line and shows its dialog as the template says.
BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPSTR /*lpCmdLine*/,
                       int /*nCmdShow*/) {
    g_hInstance = hInstance;
    if (!g_pApp) return TRUE;
    g_pApp->m_hInstance = hInstance;
    g_pApp->SetCurrentHandles();
    return TRUE;
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
    CWinApp* pApp = AfxGetApp();
    if (!pApp || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow)) return -1;
    int nResult = 0;
    if (pApp->InitInstance()) {
        nResult = pApp->Run();
    } else {
        if (pApp->m_pMainWnd) pApp->m_pMainWnd->DestroyWindow();
        nResult = pApp->ExitInstance();
    }
    AfxTermThread();
    return nResult;
}

int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp) {
    CWinApp* pApp = AfxGetApp();
    if (pApp) return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    CMessageBoxRequest request = {NULL, lpszText ? lpszText : "", "", WithDefaultIcon(nType)};
    return AfxGetUserPrompts()->ShowMessageBox(request);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
    CString strText;
    if (!strText.LoadString(nIDPrompt)) return 0;
    return AfxMessageBox(strText, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}
