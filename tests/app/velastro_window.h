// The Velastro window started as the program starts it, with a driver to use it like a user.
// Each test gets a fresh program run and ends it; nothing carries over between tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "dialog_driver.h"
#include "gem_app.h"
#include "gem_dlg.h"
#include "resource.h"
#include "window_facts.h"

// The ways a user closes a dialog besides Enter, which in the main window calculates instead.
struct CloseWay {
    const char* pszName;
    void (*close)(CDialogDriver&);
};

inline const CloseWay kCloseWays[] = {
    {"Exit", [](CDialogDriver& u) { u.Click(IDOK); }},
    {"Esc", [](CDialogDriver& u) { u.Press(VK_ESCAPE); }},
    {"CloseBox", [](CDialogDriver& u) { u.SysCommand(SC_CLOSE); }},
    {"WindowMenuClose", [](CDialogDriver& u) { ASSERT_TRUE(u.ChooseWindowMenu("Close")); }},
};

#ifndef _WIN32
#include "win32sim/sim.h"

// What fn draws, as the stand-in's drawing log records it; call it on the UI thread.
inline std::vector<SimDrawOp> DrawnBy(const std::function<void()>& fn) {
    SimClearDrawLog();
    fn();
    return SimDrawLog();
}

// The drawing log's operations of one kind on one window.
inline std::vector<SimDrawOp> DrawOps(const std::vector<SimDrawOp>& log, HWND hWnd,
                                      SimDrawOp::Kind kind) {
    std::vector<SimDrawOp> ops;
    for (const SimDrawOp& op : log)
        if (op.hwnd == hWnd && op.kind == kind) ops.push_back(op);
    return ops;
}
#endif

class VelastroWindow : public ::testing::Test {
protected:
    void SetUp() override { Start(); }
    void TearDown() override { m_pDriver.reset(); }

    void Start() {
        m_pDriver.reset();
        m_bInitInstanceResult = -1;
        m_pDriver = std::make_unique<CDialogDriver>([this] {
            AfxWinInit(GetModuleHandleA(nullptr));
            m_bInitInstanceResult = AfxGetApp()->InitInstance();
        });
    }

    CDialogDriver& User() { return *m_pDriver; }

    // The dialog object and its controls; use them only inside OnUi, where they live.
    static CGemDlg& Dlg() { return *static_cast<CGemDlg*>(AfxGetMainWnd()); }
    static HWND Item(int nId) { return GetDlgItem(Dlg().GetSafeHwnd(), nId); }
    static RECT RectOf(HWND hWnd) {
        RECT rc = {};
        GetWindowRect(hWnd, &rc);
        return rc;
    }

    // A control changed by the program, not typed: hidden ones take no keys.
    void SetHidden(int nId, const std::string& strText) {
        User().OnUi([&] { SetWindowTextA(Item(nId), strText.c_str()); });
    }
    void ShowFormulaEdit() {
        User().OnUi([] { ShowWindow(Item(IDC_FORMULA), SW_SHOW); });
    }

    // Exchange out, as every command of the window ends: the fields show the members.
    void ShowMembers() {
        User().OnUi([] { Dlg().UpdateData(FALSE); });
    }

    // Answers the one expected message box and checks its wording, warning icon and title.
    void ExpectMessage(const std::string& strText) {
        auto box = User().PendingMessageBox();
        ASSERT_TRUE(box.has_value()) << "no message box is up; expected: " << strText;
        // The framework names the application after its program file.
        EXPECT_EQ(std::make_tuple(box->strText, box->nType, box->strCaption),
                  std::make_tuple(strText, UINT(MB_OK | MB_ICONEXCLAMATION), "velastro-app-tests"));
        User().AnswerMessageBox(IDOK);
    }
    void ExpectNumberPrompt() { ExpectMessage("Geben Sie eine Zahl ein."); }

    // Chooses a shape and types its length, width and depth, as a user measuring a stone does.
    void EnterStone(int nShape, const char* pszLength, const char* pszWidth, const char* pszDepth) {
        if (nShape != 0) User().Click(nShape);  // 0 keeps the shape chosen before
        User().SetText(IDC_LENGTH_EDIT, pszLength);
        User().SetText(IDC_WIDTH_EDIT, pszWidth);
        User().SetText(IDC_DEPTH_EDIT, pszDepth);
    }

    // The formula buffer as the (hidden) formula edit shows it, and its undo copy.
    std::string Formula() { return User().Text(IDC_FORMULA); }
    std::string FormulaUndo() {
        return User().OnUiRead<std::string>([] { return Dlg().m_strFormulaUndo.GetString(); });
    }

    std::unique_ptr<CDialogDriver> m_pDriver;
    int m_bInitInstanceResult = -1;
};
