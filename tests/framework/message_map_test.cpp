// Message maps: commands, notifications and window messages to their handlers, along the bases,
// and on from a dialog to the application.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework.h"

namespace {

constexpr UINT kAppCommand = 0x8101;  // handled by the application only
constexpr UINT kNobodysCommand = 0x8103;
constexpr UINT kLowCommand = 0x0200;  // below 0x8000: never leaves the dialog

std::vector<std::string> g_calls;

void Record(const std::string& strCall) {
    g_calls.push_back(strCall);
}

class CTestApp : public CWinApp {
public:
    afx_msg void OnAppCommand() { Record("app"); }
    afx_msg void OnLowCommand() { Record("app low"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
ON_COMMAND(kAppCommand, &CTestApp::OnAppCommand)
ON_COMMAND(kLowCommand, &CTestApp::OnLowCommand)
END_MESSAGE_MAP()

CTestApp theApp;

class CBaseDlg : public CDialog {
public:
    CBaseDlg() : CDialog(100u) {}

protected:
    afx_msg void OnBaseClick() { Record("base 7"); }
    afx_msg void OnShared() { Record("base shared"); }
    void OnOK() override { Record("OnOK"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseDlg, CDialog)
ON_BN_CLICKED(7, &CBaseDlg::OnBaseClick)
ON_BN_CLICKED(8, &CBaseDlg::OnShared)
END_MESSAGE_MAP()

class CTestDlg : public CBaseDlg {
public:
    // Runs one message through the map as the window procedure would; FALSE: not handled.
    BOOL Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
        return OnWndMsg(message, wParam, lParam, pResult);
    }

    UINT m_nLastCtlColor = 0xFFFF;
    HBRUSH m_hbrAnswer = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(0x5A5A));

protected:
    afx_msg void OnDigit(UINT nID) { Record("digit " + std::to_string(nID - 500)); }
    afx_msg void OnCalculate() { Record("calculate"); }
    afx_msg void OnShared() { Record("derived shared"); }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
        Record("ctlcolor");
        EXPECT_EQ(reinterpret_cast<HDC>(static_cast<UINT_PTR>(0x1234)), pDC->GetSafeHdc());
        EXPECT_EQ(reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x5678)), pWnd->GetSafeHwnd());
        m_nLastCtlColor = nCtlColor;
        return m_hbrAnswer;
    }
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam) {
        Record("syscommand " + std::to_string(nID) + " " + std::to_string(lParam));
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDlg, CBaseDlg)
ON_WM_CTLCOLOR()
ON_WM_SYSCOMMAND()
ON_BN_CLICKED(149, &CTestDlg::OnCalculate)
ON_COMMAND_RANGE(500, 509, &CTestDlg::OnDigit)
ON_BN_CLICKED(8, &CTestDlg::OnShared)
END_MESSAGE_MAP()

HWND FakeControl() {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x4321));
}

class MessageMap : public ::testing::Test {
protected:
    void SetUp() override { g_calls.clear(); }
    void TearDown() override { AfxDeleteTempObjects(); }

    // A control's click notification, as a button sends it to its dialog.
    BOOL Click(UINT nID, WORD wCode = BN_CLICKED) {
        LRESULT lResult = 0;
        return m_dlg.Dispatch(WM_COMMAND, MAKEWPARAM(nID, wCode),
                              reinterpret_cast<LPARAM>(FakeControl()), &lResult);
    }

    CTestDlg m_dlg;
};

}  // namespace

TEST_F(MessageMap, ButtonClicksReachTheirHandlers) {
    struct {
        UINT nID;
        const char* pszCall;
    } const kCases[] = {
        {149, "calculate"}, {500, "digit 0"},      {507, "digit 7"}, {509, "digit 9"},
        {7, "base 7"},      {8, "derived shared"}, {IDOK, "OnOK"},
    };
    for (const auto& c : kCases) {
        g_calls.clear();
        EXPECT_TRUE(Click(c.nID)) << c.nID;
        EXPECT_EQ(std::vector<std::string>{c.pszCall}, g_calls) << c.nID;
    }
}

// An edit's notifications carry the edit's id but another code: they reach no click handler.
TEST_F(MessageMap, UnmappedIdsAndCodesAreNotHandled) {
    for (UINT nID : {499u, 510u, 150u, 0u}) {
        EXPECT_FALSE(Click(nID)) << nID;
    }
    EXPECT_FALSE(Click(149, BN_DOUBLECLICKED));
    EXPECT_FALSE(Click(500, EN_CHANGE));
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(MessageMap, MenuCommandsIgnoreTheCodeOfAnAccelerator) {
    LRESULT lResult = 0;
    EXPECT_TRUE(m_dlg.Dispatch(WM_COMMAND, MAKEWPARAM(503, 1), 0, &lResult));
    EXPECT_EQ(std::vector<std::string>{"digit 3"}, g_calls);
}

TEST_F(MessageMap, DialogHandsUnhandledCommandsToTheApplication) {
    EXPECT_TRUE(m_dlg.OnCmdMsg(kAppCommand, CN_COMMAND, NULL, NULL));
    EXPECT_TRUE(m_dlg.OnCmdMsg(ID_HELP, CN_COMMAND, NULL, NULL));
    EXPECT_FALSE(m_dlg.OnCmdMsg(kNobodysCommand, CN_COMMAND, NULL, NULL));
    EXPECT_EQ(std::vector<std::string>{"app"}, g_calls);
}

TEST_F(MessageMap, OnlyCommandIdsLeaveTheDialog) {
    EXPECT_FALSE(m_dlg.OnCmdMsg(kLowCommand, CN_COMMAND, NULL, NULL)) << "control ids stay";
    EXPECT_FALSE(m_dlg.OnCmdMsg(kAppCommand, EN_CHANGE, NULL, NULL)) << "notifications stay";
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(MessageMap, EveryControlColourRequestReachesOnCtlColor) {
    const HDC hDC = reinterpret_cast<HDC>(static_cast<UINT_PTR>(0x1234));
    const LPARAM lCtl = static_cast<LPARAM>(0x5678);
    for (UINT message = WM_CTLCOLORMSGBOX; message <= WM_CTLCOLORSTATIC; ++message) {
        LRESULT lResult = 0;
        ASSERT_TRUE(m_dlg.Dispatch(message, reinterpret_cast<WPARAM>(hDC), lCtl, &lResult));
        EXPECT_EQ(message - WM_CTLCOLORMSGBOX, m_dlg.m_nLastCtlColor);
        EXPECT_EQ(reinterpret_cast<LRESULT>(m_dlg.m_hbrAnswer), lResult);
    }
    EXPECT_EQ(static_cast<UINT>(CTLCOLOR_STATIC), m_dlg.m_nLastCtlColor);
}

TEST_F(MessageMap, WindowMessagesGetTheirParameters) {
    LRESULT lResult = 0;
    ASSERT_TRUE(m_dlg.Dispatch(WM_SYSCOMMAND, 16, 42, &lResult));
    EXPECT_EQ(std::vector<std::string>{"syscommand 16 42"}, g_calls);
    EXPECT_FALSE(m_dlg.Dispatch(WM_TIMER, 0, 0, &lResult));
}
