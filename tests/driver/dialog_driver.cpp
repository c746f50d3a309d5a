#include "dialog_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "winapp.h"

#ifndef _WIN32
#include "win32sim/sim.h"
#endif

namespace {

constexpr UINT kRunJob = WM_APP + 0x51;
constexpr DWORD kUiTimeoutMs = 10000;
const char kDriverClass[] = "VelastroDriver";

struct CJob {
    std::function<void()> fn;
    HANDLE hDone = nullptr;
};

LRESULT CALLBACK DriverWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg != kRunJob) return DefWindowProcA(hWnd, nMsg, wParam, lParam);
    const std::unique_ptr<CJob> pJob(reinterpret_cast<CJob*>(lParam));
    pJob->fn();
    if (pJob->hDone != nullptr) SetEvent(pJob->hDone);
    return 0;
}

BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM lParam) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

// The window a user would be working in: the topmost visible and enabled dialog.
HWND FindTopDialog() {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
    HWND hAnyVisible = nullptr;
    for (HWND hWnd : windows) {
        char szClass[16] = {};
        GetClassNameA(hWnd, szClass, sizeof szClass);
        if (std::string(szClass) != "#32770" || !IsWindowVisible(hWnd)) continue;
        if (IsWindowEnabled(hWnd)) return hWnd;
        if (hAnyVisible == nullptr) hAnyVisible = hWnd;
    }
    return hAnyVisible;
}

HWND Item(int nId) {
    return GetDlgItem(FindTopDialog(), nId);
}

std::string WindowText(HWND hWnd) {
    std::string strText(static_cast<size_t>(GetWindowTextLengthA(hWnd)) + 1, '\0');
    strText.resize(static_cast<size_t>(
        std::max(0, GetWindowTextA(hWnd, &strText[0], static_cast<int>(strText.size())))));
    return strText;
}

// A menu item's text as shown, without its mnemonic marker and accelerator.
std::string PlainMenuText(std::string strText) {
    strText = strText.substr(0, strText.find('\t'));
    strText.erase(std::remove(strText.begin(), strText.end(), '&'), strText.end());
    return strText;
}

// Takes one message and handles it; false at WM_QUIT.
bool PumpOne(MSG& msg) {
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) return false;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

}  // namespace

// The user's side of message boxes and file dialogs: each waits, pumping messages like the
// platform's own modal boxes, until the test thread answers.
class CDriverPrompts : public CUserPrompts {
public:
    int ShowMessageBox(const CMessageBoxRequest& request) override {
        m_box = request;
        WaitForAnswer(request.hOwner);
        m_box.reset();
        return m_nBoxAnswer;
    }
    bool ShowFileDialog(CFileDialogRequest& request) override {
        m_file = request;
        WaitForAnswer(request.hOwner);
        m_file.reset();
        if (m_filePath) request.strResultPath = *m_filePath;
        return m_filePath.has_value();
    }
    void Answer(int nBoxAnswer, std::optional<std::string> filePath) {
        m_nBoxAnswer = nBoxAnswer;
        m_filePath = std::move(filePath);
        m_bAnswered = true;
    }

    std::optional<CMessageBoxRequest> m_box;
    std::optional<CFileDialogRequest> m_file;

private:
    void WaitForAnswer(HWND hOwner) {
        m_bAnswered = false;
        BOOL bWasEnabled = hOwner != nullptr && IsWindowEnabled(hOwner);
        if (bWasEnabled) EnableWindow(hOwner, FALSE);
        MSG msg;
        while (!m_bAnswered && PumpOne(msg)) {
        }
        if (!m_bAnswered) {  // WM_QUIT cancels, and is left for the loops outside
            PostQuitMessage(static_cast<int>(msg.wParam));
            Answer(IDCANCEL, std::nullopt);
        }
        if (bWasEnabled) EnableWindow(hOwner, TRUE);
    }

    bool m_bAnswered = false;
    int m_nBoxAnswer = IDCANCEL;
    std::optional<std::string> m_filePath;
};

struct CDialogDriver::CState {
    std::function<void()> uiMain;
    std::thread uiThread;  // the C++ runtime's own thread start, so its per-thread state is set up
    HANDLE hReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE hEnded = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HWND hDriverWnd = nullptr, hMainWindow = nullptr;
    bool bRunning = true;  // written on the UI thread, read there through OnUi
    CDriverPrompts prompts;
};

static void UiThread(CDialogDriver::CState* pState) {
    HINSTANCE hInstance = GetModuleHandleA(nullptr);
    const WNDCLASSA wc = {0,       DriverWndProc, 0,       0,       hInstance,
                          nullptr, nullptr,       nullptr, nullptr, kDriverClass};
    RegisterClassA(&wc);  // fails harmlessly once an earlier driver registered it
    pState->hDriverWnd = CreateWindowExA(0, kDriverClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                         nullptr, hInstance, nullptr);
    CUserPrompts* pPreviousPrompts = AfxSetUserPrompts(&pState->prompts);
    SetEvent(pState->hReady);

    pState->uiMain();
    pState->bRunning = false;

    MSG msg;
    while (PumpOne(msg)) {
    }
    AfxSetUserPrompts(pPreviousPrompts);
    DestroyWindow(pState->hDriverWnd);
    AfxTermThread();
    SetEvent(pState->hEnded);
}

CDialogDriver::CDialogDriver(std::function<void()> uiMain) : m_pState(std::make_unique<CState>()) {
    m_pState->uiMain = std::move(uiMain);
    m_pState->uiThread = std::thread(UiThread, m_pState.get());
    if (WaitForSingleObject(m_pState->hReady, kUiTimeoutMs) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the UI thread did not start";
        return;
    }
    for (int nTry = 0; nTry < 200 && m_pState->hMainWindow == nullptr; ++nTry) {
        OnUi([this] { m_pState->hMainWindow = FindTopDialog(); });
        if (m_pState->hMainWindow == nullptr) Sleep(10);
    }
    if (m_pState->hMainWindow == nullptr) ADD_FAILURE() << "no dialog came up";
}

CDialogDriver::~CDialogDriver() {
    // Whatever is still open ends like a session that is logged off: WM_QUIT unwinds every loop.
    PostToUi([] { PostQuitMessage(0); });
    if (WaitForSingleObject(m_pState->hEnded, kUiTimeoutMs) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the UI thread did not end";
        m_pState->uiThread.detach();
        m_pState.release();  // the hung thread still uses it
        return;
    }
    m_pState->uiThread.join();
    CloseHandle(m_pState->hEnded);
    CloseHandle(m_pState->hReady);
#ifndef _WIN32
    SimReset();
#endif
}

bool CDialogDriver::PostToUi(std::function<void()> fn, HANDLE hDone) {
    auto* pJob = new CJob{std::move(fn), hDone};
    if (PostMessageA(m_pState->hDriverWnd, kRunJob, 0, reinterpret_cast<LPARAM>(pJob))) return true;
    delete pJob;
    ADD_FAILURE() << "cannot reach the UI thread";
    return false;
}

void CDialogDriver::Post(std::function<void()> fn) {
    PostToUi(std::move(fn));
    WaitIdle();
}

void CDialogDriver::OnUi(const std::function<void()>& fn) {
    HANDLE hDone = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    // A job that did not answer may still run later and set the event, so that one stays open.
    if (PostToUi(fn, hDone) && WaitForSingleObject(hDone, kUiTimeoutMs) != WAIT_OBJECT_0)
        ADD_FAILURE() << "the UI thread did not answer within " << kUiTimeoutMs << " ms";
    else
        CloseHandle(hDone);
}

void CDialogDriver::WaitIdle() {
    // Idle means nothing left to handle, paints included. Paints come only when nothing else is
    // queued, so a stream of jobs could starve them: they are handed out here instead.
    for (int nRound = 0; nRound < 100; ++nRound) {
        const bool bBusy = OnUiRead<bool>([] {
            MSG msg;
            for (int n = 0; n < 1000 && PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE);
                 ++n)
                DispatchMessageA(&msg);
            return PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
        });
        if (!bBusy) return;
    }
}

HWND CDialogDriver::Dialog() {
    return OnUiRead<HWND>([] { return FindTopDialog(); });
}

HWND CDialogDriver::MainWindow() {
    return OnUiRead<HWND>(
        [this] { return IsWindow(m_pState->hMainWindow) ? m_pState->hMainWindow : HWND(nullptr); });
}

bool CDialogDriver::Running() {
    return OnUiRead<bool>([this] { return m_pState->bRunning; });
}

bool CDialogDriver::WaitForExit(DWORD dwMilliseconds) {
    for (DWORD nWaited = 0; nWaited <= dwMilliseconds; nWaited += 10) {
        if (!Running()) return true;
        Sleep(10);
    }
    return false;
}

bool CDialogDriver::Visible(int nId) {
    return OnUiRead<bool>(
        [nId] { return Item(nId) != nullptr && IsWindowVisible(Item(nId)) != FALSE; });
}

std::string CDialogDriver::Text(int nId) {
    return OnUiRead<std::string>([nId] { return WindowText(Item(nId)); });
}

std::string CDialogDriver::Caption() {
    return OnUiRead<std::string>([] { return WindowText(FindTopDialog()); });
}

int CDialogDriver::FocusId() {
    return OnUiRead<int>([] {
        HWND hFocus = GetFocus(), hDialog = FindTopDialog();
        return hFocus && hDialog && GetParent(hFocus) == hDialog ? GetDlgCtrlID(hFocus) : 0;
    });
}

std::pair<int, int> CDialogDriver::Selection(int nId) {
    return OnUiRead<std::pair<int, int>>([nId] {
        DWORD dwStart = 0, dwEnd = 0;
        SendMessageA(Item(nId), EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart),
                     reinterpret_cast<LPARAM>(&dwEnd));
        return std::make_pair(static_cast<int>(dwStart), static_cast<int>(dwEnd));
    });
}

void CDialogDriver::Click(int nId) {
    std::string strProblem = OnUiRead<std::string>([nId]() -> std::string {
        HWND hDialog = FindTopDialog(), hControl = GetDlgItem(hDialog, nId);
        if (hControl == nullptr) return "no control";
        if (!IsWindowVisible(hControl)) return "control is hidden";
        if (!IsWindowEnabled(hControl) || !IsWindowEnabled(hDialog)) return "control is disabled";
        RECT rc = {};
        GetClientRect(hControl, &rc);
        POINT pt = {rc.right / 2, rc.bottom / 2}, ptScreen = pt;
        ClientToScreen(hControl, &ptScreen);
        SetCursorPos(ptScreen.x, ptScreen.y);
        PostMessageA(hControl, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        PostMessageA(hControl, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        return "";
    });
    if (!strProblem.empty()) ADD_FAILURE() << "cannot click control " << nId << ": " << strProblem;
    WaitIdle();
}

void CDialogDriver::Command(int nId) {
    Post([nId] {
        PostMessageA(FindTopDialog(), WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Item(nId)));
    });
}

void CDialogDriver::Type(const std::string& strText) {
    Post([strText] {
        for (char c : strText)
            PostMessageA(GetFocus(), WM_CHAR, static_cast<unsigned char>(c), 1);
    });
}

void CDialogDriver::Press(UINT nVirtualKey, bool bShift) {
    // Posted keys do not change the key state, so Shift is held through the thread's key state.
    auto holdShift = [](bool bDown) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = static_cast<BYTE>(bDown ? keys[VK_SHIFT] | 0x80 : keys[VK_SHIFT] & ~0x80);
        SetKeyboardState(keys);
    };
    Post([nVirtualKey, bShift, holdShift] {
        if (bShift) holdShift(true);
        HWND hTarget = GetFocus() ? GetFocus() : FindTopDialog();
        PostMessageA(hTarget, WM_KEYDOWN, nVirtualKey, 1);
        PostMessageA(hTarget, WM_KEYUP, nVirtualKey, static_cast<LPARAM>(0xC0000001u));
    });
    if (bShift) OnUi([holdShift] { holdShift(false); });
}

void CDialogDriver::SysCommand(UINT nCommand) {
    Post([nCommand] { PostMessageA(FindTopDialog(), WM_SYSCOMMAND, nCommand, 0); });
}

bool CDialogDriver::ChooseWindowMenu(const std::string& strItem) {
    bool bFound = OnUiRead<bool>([strItem] {
        HWND hDialog = FindTopDialog();
        HMENU hMenu = GetSystemMenu(hDialog, FALSE);
        for (int i = 0; hMenu && i < GetMenuItemCount(hMenu); ++i) {
            char szText[128] = {};
            GetMenuStringA(hMenu, static_cast<UINT>(i), szText, sizeof szText, MF_BYPOSITION);
            if (PlainMenuText(szText) != strItem) continue;
            PostMessageA(hDialog, WM_SYSCOMMAND, GetMenuItemID(hMenu, i), 0);
            return true;
        }
        return false;
    });
    WaitIdle();
    return bFound;
}

void CDialogDriver::SetText(int nId, const std::string& strText) {
    OnUi([nId] {
        SetFocus(Item(nId));
        SendMessageA(Item(nId), EM_SETSEL, 0, -1);
    });
    // An empty text is typed as a Backspace over the selection.
    Type(strText.empty() ? std::string("\b") : strText);
}

std::optional<CMessageBoxRequest> CDialogDriver::PendingMessageBox() {
    return OnUiRead<std::optional<CMessageBoxRequest>>([this] { return m_pState->prompts.m_box; });
}

void CDialogDriver::AnswerMessageBox(int nResult) {
    if (!PendingMessageBox()) ADD_FAILURE() << "no message box to answer";
    Post([this, nResult] { m_pState->prompts.Answer(nResult, std::nullopt); });
}

std::optional<CFileDialogRequest> CDialogDriver::PendingFileDialog() {
    return OnUiRead<std::optional<CFileDialogRequest>>([this] { return m_pState->prompts.m_file; });
}

void CDialogDriver::AnswerFileDialog(std::optional<std::string> path) {
    if (!PendingFileDialog()) ADD_FAILURE() << "no file dialog to answer";
    Post([this, path] { m_pState->prompts.Answer(IDCANCEL, path); });
}

bool CDialogDriver::SetScreenDpi(int nDpi) {
#ifdef _WIN32
    // A real screen's dpi cannot be set from here; a test can still run at the one it has.
    HDC hScreen = GetDC(nullptr);
    int nCurrent = GetDeviceCaps(hScreen, LOGPIXELSY);
    ReleaseDC(nullptr, hScreen);
    return nCurrent == nDpi;
#else
    SimSetLogPixels(nDpi);
    return true;
#endif
}
