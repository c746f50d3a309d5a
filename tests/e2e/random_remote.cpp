#include "random_remote.h"

#include <windows.h>

#include <dlgs.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "random_user.h"
#include "resource.h"

namespace fs = std::filesystem;

namespace {

constexpr DWORD kTimeoutMs = 20000;
constexpr std::size_t kWinePasteLimit = 1000;

struct Dialogs {
    HWND hAbout = nullptr, hBox = nullptr, hFile = nullptr;
};

std::string ClassOf(HWND hWnd) {
    char szClass[32] = {};
    GetClassNameA(hWnd, szClass, sizeof szClass);
    return szClass;
}

BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM lParam) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

// The dialogs a thread has open, the main window aside.
std::vector<HWND> ThreadDialogs(DWORD dwThread, HWND hMain) {
    std::vector<HWND> windows, dialogs;
    EnumThreadWindows(dwThread, CollectWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND hWnd : windows)
        if (hWnd != hMain && ClassOf(hWnd) == "#32770") dialogs.push_back(hWnd);
    return dialogs;
}

HWND FileNameBox(HWND hFile) {
    HWND hName = GetDlgItem(hFile, cmb13);
    return hName ? hName : GetDlgItem(hFile, edt1);
}

// A message box's text is its static that is not the icon.
HWND BoxTextControl(HWND hBox) {
    std::vector<HWND> children;
    EnumChildWindows(hBox, CollectWindow, reinterpret_cast<LPARAM>(&children));
    for (HWND hChild : children) {
        if (ClassOf(hChild) == "Static" &&
            (GetWindowLongA(hChild, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
            return hChild;
    }
    return nullptr;
}

// Wine takes a Unix path as a path on drive Z:.
std::string WindowsPath(std::string strPath) {
    if (strPath.empty() || strPath[0] != '/') return strPath;
    for (char& c : strPath)
        if (c == '/') c = '\\';
    return "Z:" + strPath;
}

class CRemotePort : public CWindowPort {
public:
    explicit CRemotePort(std::string strExe) : m_strExe(WindowsPath(std::move(strExe))) {
        char szTemp[MAX_PATH] = {};
        GetTempPathA(sizeof szTemp, szTemp);
        m_strFolder =
            std::string(szTemp) + "velastro-random-" + std::to_string(GetCurrentProcessId());
    }
    ~CRemotePort() override {
        End();
        Unlock();
        std::error_code ec;
        fs::remove_all(m_strFolder, ec);
    }
    void ResetFiles() override;
    void Start() override;
    bool Do(const Step& step) override;
    WindowView View(bool bFiles) override;
    std::string PathOf(int nFile) override { return PoolPath(m_strFolder, nFile); }

private:
    LRESULT Send(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    std::string Text(HWND hWnd);
    void Settle(int nRounds = 1);
    Dialogs Find();
    HWND Top() { return Find().hAbout ? Find().hAbout : m_hMain; }
    HWND Focus();
    // The main window's controls, which live as long as it does: GetDlgItem from another process
    // asks for every child's id in turn.
    HWND Item(int nId) { return m_mapControls[nId]; }
    void Post(HWND hWnd, UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0) {
        PostMessageA(hWnd, nMsg, wParam, lParam);
    }
    void SteerClearOfWineCrash(HWND hFocus);
    void Paste(HWND hEdit, std::string strText);
    void Click(int nId);
    void Press(int nKey);
    void AnswerBox(int nAnswer);
    bool AnswerFile(int nAnswer);
    int EnterCommand(HWND hDialog, HWND hFocus);
    void ReadWindow(WindowView& view);
    void End();
    void Unlock() {
        if (m_hLock != INVALID_HANDLE_VALUE) CloseHandle(m_hLock);
        m_hLock = INVALID_HANDLE_VALUE;
    }

    std::map<int, HWND> m_mapControls;
    std::string m_strExe, m_strFolder, m_strProblem;
    PROCESS_INFORMATION m_process = {};
    HWND m_hMain = nullptr;
    DWORD m_dwThread = 0;
    HANDLE m_hLock = INVALID_HANDLE_VALUE;  // holds the file that refuses saves
    unsigned m_nMarker = 0;
};

// Waits, so that a hung Velastro fails the run instead of stalling it.
LRESULT CRemotePort::Send(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR dwResult = 0;
    if (!SendMessageTimeoutA(hWnd, nMsg, wParam, lParam, SMTO_ABORTIFHUNG, kTimeoutMs, &dwResult) &&
        IsWindow(hWnd) && m_strProblem.empty())
        m_strProblem = "Velastro did not answer message " + std::to_string(nMsg) + " in 20 s";
    return static_cast<LRESULT>(dwResult);
}

// One message for the short texts that most are; the length first only for a longer one.
std::string CRemotePort::Text(HWND hWnd) {
    std::string strText(1024, '\0');
    std::size_t nLength = static_cast<std::size_t>(
        Send(hWnd, WM_GETTEXT, strText.size(), reinterpret_cast<LPARAM>(&strText[0])));
    if (nLength + 1 >= strText.size()) {
        strText.assign(static_cast<std::size_t>(Send(hWnd, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
        nLength = static_cast<std::size_t>(
            Send(hWnd, WM_GETTEXT, strText.size(), reinterpret_cast<LPARAM>(&strText[0])));
    }
    strText.resize(nLength);
    return strText;
}

// Velastro has handled what was posted to it once it takes a marker posted after it (a text limit
// on a hidden value field, which nothing reads); a dialog it opened shows once its queue is
// empty. What it posts itself meanwhile (WM_CLOSE posts IDCANCEL) takes another round.
void CRemotePort::Settle(int nRounds) {
    HWND hMarker = Item(IDC_CONST_H);
    for (int nRound = 1; nRound <= nRounds; ++nRound) {
        const WPARAM nMarker = 100000 + (++m_nMarker % 100000);
        if (!PostMessageA(hMarker, EM_LIMITTEXT, nMarker, 0)) return;
        const auto fnSettled = [&] {
            if (static_cast<WPARAM>(Send(hMarker, EM_GETLIMITTEXT, 0, 0)) != nMarker) return false;
            for (HWND hDialog : ThreadDialogs(m_dwThread, m_hMain))
                if (nRound == nRounds && !IsWindowVisible(hDialog)) return false;
            return true;
        };
        const DWORD dwStart = GetTickCount();
        for (int nPoll = 0; IsWindow(hMarker) && m_strProblem.empty() && !fnSettled(); ++nPoll) {
            if (GetTickCount() - dwStart > kTimeoutMs)
                m_strProblem = "Velastro did not settle in 20 s";
            Sleep(nPoll == 0 ? 0 : 1);
        }
    }
}

Dialogs CRemotePort::Find() {
    Dialogs dialogs;
    for (HWND hDialog : ThreadDialogs(m_dwThread, m_hMain)) {
        char szCaption[64] = {};
        GetWindowTextA(hDialog, szCaption, sizeof szCaption);
        if (std::strcmp(szCaption, "About Velastro") == 0)
            dialogs.hAbout = hDialog;
        else if (FileNameBox(hDialog))
            dialogs.hFile = hDialog;
        else
            dialogs.hBox = hDialog;
    }
    return dialogs;
}

HWND CRemotePort::Focus() {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(m_dwThread, &info) ? info.hwndFocus : nullptr;
}

void CRemotePort::ResetFiles() {
    Unlock();
    // Open elsewhere without sharing writes, as another program may hold it.
    WritePool(m_strFolder, [this](const std::string& strPath) {
        m_hLock = CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    });
}

void CRemotePort::End() {
    if (!m_process.hProcess) return;
    if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process.hProcess, 1);
        WaitForSingleObject(m_process.hProcess, kTimeoutMs);
    }
    CloseHandle(m_process.hProcess);
    CloseHandle(m_process.hThread);
    m_process = {};
}

void CRemotePort::Start() {
    End();
    m_hMain = nullptr;
    m_strProblem.clear();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string strCommand = "\"" + m_strExe + "\"";
    if (!CreateProcessA(nullptr, &strCommand[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &m_process)) {
        m_strProblem = "cannot start " + m_strExe;
        return;
    }
    for (DWORD dwWaited = 0; !m_hMain && dwWaited < kTimeoutMs; dwWaited += 20) {
        Sleep(20);
        HWND hWnd = FindWindowA("#32770", "Velastro");
        DWORD dwProcess = 0;
        m_dwThread = hWnd ? GetWindowThreadProcessId(hWnd, &dwProcess) : 0;
        if (dwProcess == m_process.dwProcessId && IsWindowVisible(hWnd)) m_hMain = hWnd;
    }
    if (!m_hMain) m_strProblem = "no window of " + m_strExe + " within 20 s";
    std::vector<HWND> controls;
    EnumChildWindows(m_hMain, CollectWindow, reinterpret_cast<LPARAM>(&controls));
    m_mapControls.clear();
    for (HWND hControl : controls)
        m_mapControls[GetDlgCtrlID(hControl)] = hControl;
    Settle();
}

bool CRemotePort::Do(const Step& step) {
    HWND hFocus = Focus();
    switch (step.eAction) {
        case Step::kClick:
            Click(step.nArg);
            break;
        case Step::kCommand:
            Post(m_hMain, WM_COMMAND, MAKEWPARAM(step.nArg, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Item(step.nArg)));
            break;
        case Step::kType:
            SteerClearOfWineCrash(hFocus);
            for (char c : step.strText)
                if (hFocus) Post(hFocus, WM_CHAR, static_cast<unsigned char>(c), 1);
            break;
        case Step::kPaste:
            SteerClearOfWineCrash(hFocus);
            if (ClassOf(hFocus) == "Edit") Paste(hFocus, PasteText(step));
            break;
        case Step::kKey:
            Press(step.nArg);
            break;
        case Step::kWindow: {
            const WPARAM kCommands[] = {SC_CLOSE, SC_MINIMIZE, SC_RESTORE, IDM_ABOUTBOX, SC_CLOSE};
            Post(Top(), WM_SYSCOMMAND, kCommands[step.nArg]);
            break;
        }
        case Step::kAnswerBox:
            AnswerBox(step.nArg);
            break;
        case Step::kAnswerFile:
            return AnswerFile(step.nArg);
    }
    // A close box or window menu Close is WM_CLOSE.
    Settle(step.eAction == Step::kWindow || step.eAction == Step::kAnswerBox ? 2 : 1);
    return true;
}

// Wine's edit without ES_AUTOHSCROLL reads far past its text, and crashes, when a character goes
// in at the caret's first position of a text already wider than the edit (its loop that drops
// what does not fit runs its unsigned count below zero). An exchange out can leave such a text
// ("400000" in a value field), and it puts the caret first: the user presses End before typing.
void CRemotePort::SteerClearOfWineCrash(HWND hFocus) {
    if (ClassOf(hFocus) != "Edit" || Send(hFocus, EM_GETSEL, 0, 0) != 0 ||
        Send(hFocus, WM_GETTEXTLENGTH, 0, 0) == 0)
        return;
    Post(hFocus, WM_KEYDOWN, VK_END, 1);
    Post(hFocus, WM_KEYUP, VK_END, static_cast<LPARAM>(0xC0000001u));
}

// Through the clipboard, as a user pastes. Wine's edit drops what does not fit its width one
// character at a time, measuring the rest again each time: a page would take it minutes.
void CRemotePort::Paste(HWND hEdit, std::string strText) {
    if (strText.size() > kWinePasteLimit) strText.resize(kWinePasteLimit);
    HGLOBAL hText = GlobalAlloc(GMEM_MOVEABLE, strText.size() + 1);
    if (!hText || !OpenClipboard(nullptr)) return;
    std::memcpy(GlobalLock(hText), strText.c_str(), strText.size() + 1);
    GlobalUnlock(hText);
    EmptyClipboard();
    SetClipboardData(CF_TEXT, hText);
    CloseClipboard();
    Post(hEdit, WM_PASTE);
}

// A button takes BM_CLICK; an edit a press and release of the mouse button at its middle.
void CRemotePort::Click(int nId) {
    HWND hControl = Find().hAbout ? GetDlgItem(Find().hAbout, nId) : Item(nId);
    if (ClassOf(hControl) != "Edit") return Post(hControl, BM_CLICK);
    RECT rc = {};
    GetClientRect(hControl, &rc);
    const LPARAM nAt = MAKELPARAM(rc.right / 2, rc.bottom / 2);
    Post(hControl, WM_LBUTTONDOWN, MK_LBUTTON, nAt);
    Post(hControl, WM_LBUTTONUP, 0, nAt);
}

// Keys go to the focus, through Velastro's dialog loop. Shift cannot be held in another process,
// so Shift+Tab is the move it makes, WM_NEXTDLGCTL backwards.
void CRemotePort::Press(int nKey) {
    if (nKey == kShiftTab) return Post(Top(), WM_NEXTDLGCTL, 1, 0);
    const WPARAM kKeys[] = {VK_TAB, VK_TAB, VK_RETURN, VK_ESCAPE};
    HWND hTarget = Focus() ? Focus() : Top();
    Post(hTarget, WM_KEYDOWN, kKeys[nKey], 1);
    Post(hTarget, WM_KEYUP, kKeys[nKey], static_cast<LPARAM>(0xC0000001u));
}

void CRemotePort::AnswerBox(int nAnswer) {
    HWND hBox = Find().hBox;
    if (nAnswer == kBoxOk) return Post(GetDlgItem(hBox, IDOK), BM_CLICK);
    if (nAnswer == kBoxEsc) return Post(Focus() ? Focus() : hBox, WM_KEYDOWN, VK_ESCAPE, 1);
    Post(hBox, WM_SYSCOMMAND, SC_CLOSE);
}

// Types the path and presses OK; the dialog's own questions get their answers (replace or not
// as the step says; a refusal acknowledged), and a dialog still open after them is cancelled.
bool CRemotePort::AnswerFile(int nAnswer) {
    HWND hFile = Find().hFile;
    if (nAnswer >= 0) {
        Send(FileNameBox(hFile), WM_SETTEXT, 0,
             reinterpret_cast<LPARAM>(PathOf(nAnswer / 2).c_str()));
        Post(GetDlgItem(hFile, IDOK), BM_CLICK);
        Settle();
    }
    for (HWND hAsk = Find().hBox; hAsk && GetWindow(hAsk, GW_OWNER) == hFile; hAsk = Find().hBox) {
        const int nButton = !GetDlgItem(hAsk, IDYES) ? IDOK : nAnswer % 2 ? IDYES : IDNO;
        Post(GetDlgItem(hAsk, nButton), BM_CLICK);
        Settle();
    }
    if (!IsWindow(hFile)) return true;
    Post(GetDlgItem(hFile, IDCANCEL), BM_CLICK);
    Settle();
    return false;
}

// The command Enter sends, as IsDialogMessage picks it: the focus when it is the default push
// button, else the enabled default button.
int CRemotePort::EnterCommand(HWND hDialog, HWND hFocus) {
    if (hFocus && IsChild(hDialog, hFocus) &&
        (Send(hFocus, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON))
        return GetDlgCtrlID(hFocus);
    const DWORD dwDefault = static_cast<DWORD>(Send(hDialog, DM_GETDEFID, 0, 0));
    HWND hDefault = GetDlgItem(hDialog, LOWORD(dwDefault));
    if (HIWORD(dwDefault) != DC_HASDEFID || (hDefault && !IsWindowEnabled(hDefault))) return 0;
    return LOWORD(dwDefault);
}

WindowView CRemotePort::View(bool bFiles) {
    WindowView view;
    const bool bAlive =
        m_process.hProcess && WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT;
    view.bRunning = bAlive && IsWindowVisible(m_hMain);
    if (view.bRunning) ReadWindow(view);
    DWORD dwStatus = 0;
    if (!view.bRunning && m_process.hProcess) {
        WaitForSingleObject(m_process.hProcess, kTimeoutMs);
        GetExitCodeProcess(m_process.hProcess, &dwStatus);
    }
    if (dwStatus != 0 && m_strProblem.empty())
        m_strProblem = "Velastro.exe ended with status " + std::to_string(dwStatus);
    view.strProblem = m_strProblem;
    view.bFilesRead = bFiles;
    if (bFiles) view.mapFiles = FolderDigests(m_strFolder);
    return view;
}

void CRemotePort::ReadWindow(WindowView& view) {
    const Dialogs dialogs = Find();
    view.eUp = dialogs.hBox     ? WindowView::kBox
               : dialogs.hFile  ? WindowView::kFileDialog
               : dialogs.hAbout ? WindowView::kAbout
                                : WindowView::kMain;
    if (dialogs.hBox) {
        view.strBoxText = Text(BoxTextControl(dialogs.hBox));
        view.bBoxOwnedByMain = GetWindow(dialogs.hBox, GW_OWNER) == m_hMain;
    }
    if (dialogs.hFile) {
        view.bFileSave = Text(dialogs.hFile).find("Save") != std::string::npos;
        view.strFileProposed = Text(FileNameBox(dialogs.hFile));
    }
    view.bMinimised = IsIconic(m_hMain) != FALSE;
    view.strCaption = Text(m_hMain);
    view.strFormula = Text(Item(IDC_FORMULA));
    view.strAnswer = Text(Item(IDC_ANSWER));
    for (std::size_t i = 0; i < view.astrFields.size(); ++i)
        view.astrFields[i] = Text(Item(IDC_LENGTH_EDIT + static_cast<int>(i)));
    for (int nId : WatchedIds())
        view.vecVisible.push_back(GetWindowLongA(Item(nId), GWL_STYLE) & WS_VISIBLE);
    HWND hFocus = Focus();
    if (hFocus && (GetWindowLongA(hFocus, GWL_STYLE) & WS_CHILD)) {
        view.nFocusId = GetDlgCtrlID(hFocus);
        view.bFocusHidden = !IsWindowVisible(hFocus) || !IsWindowEnabled(hFocus);
    }
    if (view.eUp == WindowView::kMain || view.eUp == WindowView::kAbout)
        view.nEnterCommand = EnterCommand(dialogs.hAbout ? dialogs.hAbout : m_hMain, hFocus);
}

}  // namespace

int RunRandomUser(int argc, char** argv) {
    std::size_t nSteps = 2000;
    double dShrinkSeconds = 300;
    std::uint64_t nStream = GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (int i = 3; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--steps") == 0) nSteps = std::strtoull(argv[i + 1], nullptr, 10);
        if (std::strcmp(argv[i], "--stream") == 0)
            nStream = std::strtoull(argv[i + 1], nullptr, 10);
        if (std::strcmp(argv[i], "--shrink-seconds") == 0)
            dShrinkSeconds = std::strtod(argv[i + 1], nullptr);
    }
    std::printf("random user on %s\n", argv[2]);
    CRemotePort port(argv[2]);
    return CRandomUser(port).RunReported(nStream, nSteps, dShrinkSeconds).strFailure.empty() ? 0
                                                                                             : 1;
}
