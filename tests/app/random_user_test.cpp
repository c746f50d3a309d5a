// The random user on the Velastro window in this process, for as long as asked:
//   velastro-random-user [--steps N] [--stream S]... [--shrink-seconds T]
// Without --stream it draws a stream of its own and prints it. A failing run is shrunk and
// printed as a case for RandomUserCase below.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#include "dialog_driver.h"
#include "gem_app.h"
#include "random_user.h"
#include "resource.h"

#include "win32sim/sim.h"
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace fs = std::filesystem;

namespace {

// The driver reports a hang or a refused action as a failure of the running test.
int FailureCount() {
    const ::testing::TestInfo* pTest = ::testing::UnitTest::GetInstance()->current_test_info();
    return pTest ? pTest->result()->total_part_count() : 0;
}

std::string TextOf(HWND hWnd) {
    std::string strText(static_cast<std::size_t>(GetWindowTextLengthA(hWnd)) + 1, '\0');
    const int nLength = GetWindowTextA(hWnd, &strText[0], static_cast<int>(strText.size()));
    strText.resize(static_cast<std::size_t>(std::max(0, nLength)));
    return strText;
}

// The command Enter sends, as the stand-in's IsDialogMessage picks it: the focused push button,
// else the enabled default button.
int EnterCommand(HWND hDialog) {
    HWND hFocus = GetFocus();
    if (hFocus && IsChild(hDialog, hFocus) &&
        (SendMessageA(hFocus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
        return GetDlgCtrlID(hFocus);
    const DWORD dwDefault = static_cast<DWORD>(SendMessageA(hDialog, DM_GETDEFID, 0, 0));
    HWND hDefault = GetDlgItem(hDialog, LOWORD(dwDefault));
    if (HIWORD(dwDefault) != DC_HASDEFID || (hDefault && !IsWindowEnabled(hDefault))) return 0;
    return LOWORD(dwDefault);
}

// The random user's hands: the window on its own UI thread, used through the test driver, its
// files in a folder of their own. It acts and reports; the model judges.
class CDriverPort : public CWindowPort {
public:
    CDriverPort();
    ~CDriverPort() override;
    void ResetFiles() override;
    void Start() override;
    bool Do(const Step& step) override;
    WindowView View(bool bFiles) override;
    std::string PathOf(int nFile) override;

private:
    bool AnswerFile(int nAnswer);
    void Press(int nKey);
    void Window(int nAction);
    void Paste(const std::string& strText);
    void ReadWindow(WindowView& view);

    std::string m_strFolder;
    std::unique_ptr<CDialogDriver> m_pDriver;
    int m_nFailures = 0;  // the test's failures when this program run started
    std::string m_strLeak;
    std::size_t m_nRuns = 0, m_nGdiObjects = 0, m_nDCs = 0;
};

CDriverPort::CDriverPort() {
    // In memory: every save flushes the file and its folder to disk.
    const fs::path folder = fs::is_directory("/dev/shm") ? "/dev/shm" : fs::temp_directory_path();
    m_strFolder = (folder / ("velastro-random-" + std::to_string(std::random_device()()))).string();
}

CDriverPort::~CDriverPort() {
    m_pDriver.reset();
    std::error_code ec;
    fs::remove_all(m_strFolder, ec);
}

void CDriverPort::ResetFiles() {
    WritePool(m_strFolder, [](const std::string& strPath) {
        fs::permissions(strPath, fs::perms::owner_read | fs::perms::group_read);
    });
}

std::string CDriverPort::PathOf(int nFile) {
    return PoolPath(m_strFolder, nFile);
}

// Graphics objects and DCs left after a program run are counted from the second run on, as the
// first one creates what lives for the whole process.
void CDriverPort::Start() {
    m_pDriver.reset();
    const std::size_t nObjects = SimGdiObjectCount(), nDCs = SimDCCount();
    if (++m_nRuns == 2) m_nGdiObjects = nObjects, m_nDCs = nDCs;
    if (m_nRuns > 2 && (nObjects != m_nGdiObjects || nDCs != m_nDCs))
        m_strLeak = "graphics objects and DCs went from " + std::to_string(m_nGdiObjects) +
                    " and " + std::to_string(m_nDCs) + " to " + std::to_string(nObjects) + " and " +
                    std::to_string(nDCs) + " after a program run";
    m_nFailures = FailureCount();
    m_pDriver = std::make_unique<CDialogDriver>([] {
        AfxWinInit(GetModuleHandleA(nullptr));
        AfxGetApp()->InitInstance();
    });
}

bool CDriverPort::Do(const Step& step) {
    switch (step.eAction) {
        case Step::kClick:
            m_pDriver->Click(step.nArg);
            break;
        case Step::kCommand:
            m_pDriver->Command(step.nArg);
            break;
        case Step::kType:
            m_pDriver->Type(step.strText);
            break;
        case Step::kPaste:
            Paste(PasteText(step));
            break;
        case Step::kKey:
            Press(step.nArg);
            break;
        case Step::kWindow:
            Window(step.nArg);
            break;
        case Step::kAnswerBox:
            m_pDriver->AnswerMessageBox(step.nArg == kBoxOk ? IDOK : IDCANCEL);
            break;
        case Step::kAnswerFile:
            return AnswerFile(step.nArg);
    }
    return true;
}

void CDriverPort::Paste(const std::string& strText) {
    m_pDriver->OnUi([&strText] {
        HWND hFocus = GetFocus();
        char szClass[8] = {};
        GetClassNameA(hFocus, szClass, sizeof szClass);
        if (std::string(szClass) == "Edit")
            SendMessageA(hFocus, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(strText.c_str()));
    });
    m_pDriver->WaitIdle();
}

void CDriverPort::Press(int nKey) {
    const UINT kKeys[] = {VK_TAB, VK_TAB, VK_RETURN, VK_ESCAPE};
    m_pDriver->Press(kKeys[nKey], nKey == kShiftTab);
}

void CDriverPort::Window(int nAction) {
    const UINT kCommands[] = {SC_CLOSE, SC_MINIMIZE, SC_RESTORE};
    if (nAction <= kRestore) return m_pDriver->SysCommand(kCommands[nAction]);
    const char* pszItem = nAction == kMenuAbout ? "About" : "Close";
    if (!m_pDriver->ChooseWindowMenu(pszItem))
        ADD_FAILURE() << "no item " << pszItem << " in the window menu";
}

// The platform's save dialog asks before it replaces a file: a user who says no has cancelled.
bool CDriverPort::AnswerFile(int nAnswer) {
    const std::string strPath = nAnswer < 0 ? "" : PathOf(nAnswer / 2);
    const auto request = m_pDriver->PendingFileDialog();
    const bool bDeclined = request && request->bSave && nAnswer % 2 == 0 && fs::exists(strPath);
    if (nAnswer < 0 || bDeclined) {
        m_pDriver->AnswerFileDialog(std::nullopt);
        return false;
    }
    m_pDriver->AnswerFileDialog(strPath);
    return true;
}

WindowView CDriverPort::View(bool bFiles) {
    WindowView view;
    view.strProblem = m_strLeak;
    if (FailureCount() != m_nFailures) view.strProblem += "the driver failed, as reported above";
    view.bRunning = m_pDriver->Running();
    if (view.bRunning) ReadWindow(view);
    view.bFilesRead = bFiles;
    if (bFiles) view.mapFiles = FolderDigests(m_strFolder);
    return view;
}

void CDriverPort::ReadWindow(WindowView& view) {
    const auto box = m_pDriver->PendingMessageBox();
    const auto file = m_pDriver->PendingFileDialog();
    HWND hMain = m_pDriver->MainWindow(), hTop = m_pDriver->Dialog();
    if (!hMain) return;
    view.eUp = box             ? WindowView::kBox
               : file          ? WindowView::kFileDialog
               : hTop == hMain ? WindowView::kMain
                               : WindowView::kAbout;
    if (box) view.strBoxText = box->strText, view.bBoxOwnedByMain = box->hOwner == hMain;
    if (file) view.bFileSave = file->bSave, view.strFileProposed = file->strFileName;
    m_pDriver->OnUi([&] {
        view.bMinimised = IsIconic(hMain) != FALSE;
        view.strCaption = TextOf(hMain);
        view.strFormula = TextOf(GetDlgItem(hMain, IDC_FORMULA));
        view.strAnswer = TextOf(GetDlgItem(hMain, IDC_ANSWER));
        for (std::size_t i = 0; i < view.astrFields.size(); ++i)
            view.astrFields[i] = TextOf(GetDlgItem(hMain, IDC_LENGTH_EDIT + static_cast<int>(i)));
        for (int nId : WatchedIds())
            view.vecVisible.push_back(GetWindowLongA(GetDlgItem(hMain, nId), GWL_STYLE) &
                                      WS_VISIBLE);
        HWND hFocus = GetFocus();
        if (hFocus && (GetWindowLongA(hFocus, GWL_STYLE) & WS_CHILD)) {
            view.nFocusId = GetDlgCtrlID(hFocus);
            view.bFocusHidden = !IsWindowVisible(hFocus) || !IsWindowEnabled(hFocus);
        }
        if (hTop && !box && !file) view.nEnterCommand = EnterCommand(hTop);
        SimClearDrawLog();  // nothing reads it here, and a long run would keep it all
    });
}

std::size_t g_nSteps = 2000;
double g_dShrinkSeconds = 120;
std::vector<std::uint64_t> g_vecStreams;
std::uint64_t g_nStream = 0;  // the stream and user running now, for a crash to name
const CRandomUser* g_pUser = nullptr;

}  // namespace

TEST(RandomUser, EveryStepKeepsTheWindowAsDescribed) {
    CDriverPort port;
    CRandomUser user(port);
    g_pUser = &user;
    for (const std::uint64_t nStream : g_vecStreams) {
        g_nStream = nStream;
        const RunResult result = user.RunReported(nStream, g_nSteps, g_dShrinkSeconds);
        EXPECT_EQ(result.strFailure, "") << "stream " << nStream << ", step " << result.nFailedStep;
    }
    g_pUser = nullptr;
}

// A case as a failing run prints it, pasted into a TEST_F of this fixture to pin the fault.
class RandomUserCase : public ::testing::Test {
protected:
    static void Replay(const std::vector<Step>& vecSteps) {
        CDriverPort port;
        const RunResult result = CRandomUser(port).Replay(vecSteps);
        EXPECT_EQ(result.strFailure, "") << "after step " << result.nFailedStep;
    }
};

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--steps") == 0)
            g_nSteps = std::strtoull(argv[i + 1], nullptr, 10);
        if (std::strcmp(argv[i], "--stream") == 0)
            g_vecStreams.push_back(std::strtoull(argv[i + 1], nullptr, 10));
        if (std::strcmp(argv[i], "--shrink-seconds") == 0)
            g_dShrinkSeconds = std::strtod(argv[i + 1], nullptr);
    }
    if (g_vecStreams.empty()) g_vecStreams.push_back(std::random_device()() % 1000000000u);
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback([] {
        std::printf("random user: stream %llu, step %zu: the program died\n",
                    (unsigned long long)g_nStream, g_pUser ? g_pUser->StepsDone() : 0);
    });
#endif
    return RUN_ALL_TESTS();
}
