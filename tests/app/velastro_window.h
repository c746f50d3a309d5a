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

// The eight shapes from the top of the window down; row i's arrow is IDC_ARROW1 + i.
struct ShapeRow {
    const char *pszName, *pszFormula;
    int nButton, nPicture, nSelectedPicture;
    bool bDiameter, bWidth;  // DIAMETER shows, not LENGTH; WIDTH shows as the formula reads F
};

inline const ShapeRow kShapeRows[] = {
    {"RoundBrilliant", "(B/2*B/2*G*.0245)*1.05", IDC_ROUND_BRILLIANT, IDC_PIC_ROUND,
     IDC_PIC_ROUND_SEL, true, false},
    {"OvalBrilliant", "(B+F)/2*(B+F)/2*G*.0065", IDC_OVAL_BRILLIANT, IDC_PIC_OVAL, IDC_PIC_OVAL_SEL,
     false, true},
    {"SquareTrillion", "(B*2/3)*B*G*.013", IDC_SQUARE_TRILLION, IDC_PIC_SQUARE, IDC_PIC_SQUARE_SEL,
     false, false},
    {"Rectangle", "(B-(F/3))*F*G*.013", IDC_RECTANGLE, IDC_PIC_RECTANGLE, IDC_PIC_RECTANGLE_SEL,
     false, true},
    {"MarquiseBrilliant", "(B-(F/3))*F*G*.0079", IDC_MARQUISE_BRILLIANT, IDC_PIC_MARQUISE,
     IDC_PIC_MARQUISE_SEL, false, true},
    {"PearBrilliant", "B*F*G*.0062", IDC_PEAR_BRILLIANT, IDC_PIC_PEAR, IDC_PIC_PEAR_SEL, false,
     true},
    {"TriangleTrillion", "B*F*G*.0057", IDC_TRIANGLE_TRILLION, IDC_PIC_TRIANGLE,
     IDC_PIC_TRIANGLE_SEL, false, true},
    {"HeartBrilliant", "B*F*G*.0060", IDC_HEART_BRILLIANT, IDC_PIC_HEART, IDC_PIC_HEART_SEL, false,
     true},
};

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
