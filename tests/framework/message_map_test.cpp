// Message maps: commands, notifications and window messages to their handlers, along the bases,
// and on from a dialog to the application.
#include <gtest/gtest.h>

#include "framework.h"

namespace {

constexpr UINT kAppCommand = 0x8101;  // handled by the application only
constexpr UINT kNobodysCommand = 0x8103;
constexpr UINT kLowCommand = 0x0200;  // below 0x8000: never leaves the dialog

std::string g_calls;  // the handlers called, one after another

const auto Record = [](const std::string& strCall) { g_calls += strCall; };

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
        EXPECT_EQ(std::make_pair(UINT_PTR{0x1234}, UINT_PTR{0x5678}),
                  std::make_pair(reinterpret_cast<UINT_PTR>(pDC->GetSafeHdc()),
                                 reinterpret_cast<UINT_PTR>(pWnd->GetSafeHwnd())));
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

class MessageMap : public ::testing::Test {
protected:
    void SetUp() override { g_calls.clear(); }
    void TearDown() override { AfxDeleteTempObjects(); }

    CTestDlg m_dlg;
};

}  // namespace

// An edit's notifications carry the edit's id but another code: they reach no click handler.
TEST_F(MessageMap, CommandsReachTheHandlerOfTheirIdAndCode) {
    // id, code, the call ("": none)
    const std::tuple<UINT, WORD, const char*> kCases[] = {
        {149, BN_CLICKED, "calculate"}, {500, BN_CLICKED, "digit 0"},
        {507, BN_CLICKED, "digit 7"},   {509, BN_CLICKED, "digit 9"},
        {7, BN_CLICKED, "base 7"},      {8, BN_CLICKED, "derived shared"},
        {IDOK, BN_CLICKED, "OnOK"},     {503, 1, "digit 3"},
        {499, BN_CLICKED, ""},          {510, BN_CLICKED, ""},
        {150, BN_CLICKED, ""},          {0, BN_CLICKED, ""},
        {149, BN_DOUBLECLICKED, ""},    {500, EN_CHANGE, ""}};
    for (const auto& [nID, wCode, pszCall] : kCases) {
        g_calls.clear();
        LRESULT lResult = 0;
        const LPARAM lCtl = wCode == 1 ? 0 : 0x4321;  // code 1 without a control: an accelerator
        EXPECT_EQ(*pszCall != '\0',
                  m_dlg.Dispatch(WM_COMMAND, MAKEWPARAM(nID, wCode), lCtl, &lResult))
            << nID << " code " << wCode;
        EXPECT_EQ(pszCall, g_calls) << nID << " code " << wCode;
    }
}

// Control ids (below 0x8000) and notifications stay in the dialog.
TEST_F(MessageMap, DialogHandsUnhandledCommandIdsToTheApplication) {
    // id, code, handled
    const std::tuple<UINT, int, bool> kCases[] = {{kAppCommand, CN_COMMAND, true},
                                                  {ID_HELP, CN_COMMAND, true},
                                                  {kNobodysCommand, CN_COMMAND, false},
                                                  {kLowCommand, CN_COMMAND, false},
                                                  {kAppCommand, EN_CHANGE, false}};
    for (const auto& [nID, nCode, bHandled] : kCases)
        EXPECT_EQ(bHandled, m_dlg.OnCmdMsg(nID, nCode, nullptr, nullptr) != FALSE) << nID;
    EXPECT_EQ("app", g_calls);
}

TEST_F(MessageMap, EveryControlColourRequestReachesOnCtlColor) {
    for (UINT message = WM_CTLCOLORMSGBOX; message <= WM_CTLCOLORSTATIC; ++message) {
        LRESULT lResult = 0;
        ASSERT_TRUE(m_dlg.Dispatch(message, 0x1234, 0x5678, &lResult));
        EXPECT_EQ(message - WM_CTLCOLORMSGBOX, m_dlg.m_nLastCtlColor);
        EXPECT_EQ(reinterpret_cast<LRESULT>(m_dlg.m_hbrAnswer), lResult);
    }
    EXPECT_EQ(static_cast<UINT>(CTLCOLOR_STATIC), m_dlg.m_nLastCtlColor);
}

TEST_F(MessageMap, WindowMessagesGetTheirParameters) {
    LRESULT lResult = 0;
    ASSERT_TRUE(m_dlg.Dispatch(WM_SYSCOMMAND, 16, 42, &lResult));
    EXPECT_EQ("syscommand 16 42", g_calls);
    EXPECT_FALSE(m_dlg.Dispatch(WM_TIMER, 0, 0, &lResult));
}
