// CWnd and CDialog at work: the handle map, exceptions inside the window procedure, message
// boxes, the modal loop's end, a dialog without its template, and tooltip tools.
#include <gtest/gtest.h>

#include "recording_prompts.h"

namespace {

enum class Fault { None, Resource, User, Memory };

// Its window menu handler fails the way m_fault says; Run enters its modal loop.
class CTestWnd : public CWnd {
public:
    Fault m_fault = Fault::None;
    int Run() {
        m_nFlags |= WF_CONTINUEMODAL;
        return RunModalLoop();
    }

protected:
    afx_msg void OnSysCommand(UINT /*nID*/, LPARAM /*lParam*/) {
        if (m_fault == Fault::Resource) AfxThrowResourceException();
        if (m_fault == Fault::User) AfxThrowUserException();
        if (m_fault == Fault::Memory) throw std::bad_alloc();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestWnd, CWnd)
ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

BOOL CreatePopup(CWnd& wnd) {
    return wnd.CreateEx(0, "Static", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr);
}

}  // namespace

// A handle answers the object attached to it; any other handle one temporary until the idle
// clean-up. Detaching a wrapper that merely holds the handle leaves the binding alone.
TEST(HandleMap, FromHandleAnswersTheAttachedObjectElseOneTemporary) {
    CWnd wnd;
    ASSERT_TRUE(CreatePopup(wnd));
    EXPECT_EQ(&wnd, CWnd::FromHandle(wnd.m_hWnd));
    CWnd copy;
    copy.m_hWnd = wnd.m_hWnd;
    EXPECT_EQ(wnd.m_hWnd, copy.Detach());
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));
    HWND hWnd = wnd.Detach();
    CWnd* pTemporary = CWnd::FromHandle(hWnd);
    EXPECT_NE(&wnd, pTemporary);
    EXPECT_EQ(pTemporary, CWnd::FromHandle(hWnd));
    EXPECT_EQ(hWnd, pTemporary->m_hWnd);
    AfxDeleteTempObjects();
    ::DestroyWindow(hWnd);
}

// A handler's exception ends at the window procedure: reported with a stop icon unless it is a
// user exception, whose message was already shown.
TEST(WindowProcedure, ReportsExceptionsOfHandlersAndGoesOn) {
    // the fault, its message ("": none)
    const std::pair<Fault, const char*> kCases[] = {
        {Fault::Resource, "Eine erforderliche Ressource war nicht verf\xFCgbar."},
        {Fault::Memory, "Nicht gen\xFCgend Arbeitsspeicher."},
        {Fault::User, ""}};
    CTestWnd wnd;
    ASSERT_TRUE(CreatePopup(wnd));
    for (const auto& [fault, pszText] : kCases) {
        CRecordingPrompts prompts;
        wnd.m_fault = fault;
        EXPECT_EQ(0, wnd.SendMessage(WM_SYSCOMMAND, SC_CLOSE));
        EXPECT_TRUE(::IsWindow(wnd.m_hWnd));
        const bool bBox = *pszText != '\0';
        EXPECT_EQ(
            std::make_tuple(bBox ? 1 : 0, std::string(pszText), bBox ? MB_OK | MB_ICONSTOP : 0u),
            std::make_tuple(prompts.m_nBoxes, prompts.m_box.strText, prompts.m_box.nType));
    }
}

TEST(AfxMessageBox, WarnsUnlessGivenAnIcon) {
    CRecordingPrompts prompts;
    AfxMessageBox("plain");
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), prompts.m_box.nType);
    AfxMessageBox("stop", MB_OK | MB_ICONSTOP);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONSTOP), prompts.m_box.nType);
}

TEST(RunModalLoop, EndsAtWM_QUITWithMinusOneAndLeavesItForTheOuterLoop) {
    CTestWnd wnd;
    ASSERT_TRUE(CreatePopup(wnd));
    ::PostQuitMessage(7);
    EXPECT_EQ(-1, wnd.Run());
    MSG msg = {};
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
}

TEST(DoModal, WithoutItsTemplateIsMinusOne) {
    CDialog dlg(4242u);
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

// A tool for a whole window is known to the tooltip by the window's handle, under its parent.
TEST(ToolTipCtrl, AddToolRegistersAWindowWithItsText) {
    CWnd parent;
    ASSERT_TRUE(CreatePopup(parent));
    CWnd child;
    ASSERT_TRUE(child.Create("Static", "", WS_VISIBLE, CRect(0, 0, 10, 10), &parent, 5));
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&parent));
    EXPECT_TRUE(tip.AddTool(&child, "Length in mm"));
    tip.Activate(TRUE);
    MSG msg = {child.m_hWnd, WM_MOUSEMOVE, 0, 0, 0, {0, 0}};
    tip.RelayEvent(&msg);
    EXPECT_EQ(1, tip.SendMessage(TTM_GETTOOLCOUNT));
    char szText[80] = "";
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.hwnd = parent.m_hWnd;
    ti.uId = reinterpret_cast<UINT_PTR>(child.m_hWnd);
    ti.lpszText = szText;
    tip.SendMessage(TTM_GETTEXTA, sizeof szText, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ("Length in mm", szText);
}
