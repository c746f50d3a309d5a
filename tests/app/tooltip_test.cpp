#include "tip_layout.h"
#include "velastro_window.h"

// Shows a tip with the given text while the pointer rests on LENGTH, as its owner would.
class TooltipOnTheWindow : public VelastroWindow {
protected:
    struct TipGeometry {
        RECT rcWindow, rcTool;  // the tip after the paint, the window under the pointer
        POINT ptCursor;
        int nWidest, nLineHeight;  // widest line plus the margin, as the layout counts it
#ifndef _WIN32
        std::vector<SimDrawOp> log;  // what the first paint drew
#endif
    };
    void TearDown() override {
        User().OnUi([this] { m_pTip.reset(); });
        VelastroWindow::TearDown();
    }

    // A tracking tool of the base class shows the tip with its text; the tip then places itself.
    TipGeometry ShowTip(const std::string& strText) {
        TipGeometry g = {};
        User().OnUi([&] {
            g.rcTool = RectOf(Item(IDC_LENGTH_EDIT));
            g.ptCursor = {(g.rcTool.left + g.rcTool.right) / 2,
                          (g.rcTool.top + g.rcTool.bottom) / 2};
            SetCursorPos(g.ptCursor.x, g.ptCursor.y);
            m_pTip = std::make_unique<CToolTipCtrlEx>();  // the tip of an earlier call goes
            ASSERT_TRUE(m_pTip->Create(&Dlg()));
            m_text = strText;
            TOOLINFOA ti = {};
            ti.cbSize = TTTOOLINFOA_V2_SIZE;
            ti.uFlags = TTF_TRACK | TTF_ABSOLUTE;
            ti.hwnd = Dlg().GetSafeHwnd();
            ti.uId = 1;
            ti.lpszText = &m_text[0];
            m_pTip->SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
            m_pTip->SendMessage(TTM_TRACKPOSITION, 0, MAKELPARAM(0, 0));
            m_pTip->SendMessage(TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
        });
        User().WaitIdle();
        User().OnUi([&] {
        // One more paint where the tip now stands, recorded alone.
#ifndef _WIN32
            SimClearDrawLog();
#endif
            m_pTip->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
#ifndef _WIN32
            g.log = SimDrawLog();
#endif
            g.rcWindow = RectOf(m_pTip->GetSafeHwnd());
            // The tip's own font measured the way the tip measures: widest line and line height.
            HDC hDC = GetDC(m_pTip->GetSafeHwnd());
            HGDIOBJ hOld =
                SelectObject(hDC, (HGDIOBJ)SendMessageA(m_pTip->GetSafeHwnd(), WM_GETFONT, 0, 0));
            TEXTMETRICA tm = {};
            GetTextMetricsA(hDC, &tm);
            g.nLineHeight = tm.tmHeight;
            // The line walk is the layout's own, checked in its suite; the font here is the tip's.
            g.nWidest = MeasureTipText(strText, [hDC](const std::string& strLine) {
                            SIZE size = {};
                            GetTextExtentPoint32A(hDC, strLine.c_str(),
                                                  static_cast<int>(strLine.size()), &size);
                            return static_cast<int>(size.cx);
                        }).nWidest;
            SelectObject(hDC, hOld);
            ReleaseDC(m_pTip->GetSafeHwnd(), hDC);
        });
        return g;
    }

    std::unique_ptr<CToolTipCtrlEx> m_pTip;
    std::string m_text;
};

// The layout's rules are its own suite's; here the control applies them and paints its frame.
TEST_F(TooltipOnTheWindow, SizesAndPaintsItselfBelowTheToolClearOfTheScreensRightEdge) {
    EXPECT_FALSE(User().OnUiRead<bool>([] { return Dlg().m_toolTip.GetSafeHwnd() != nullptr; }))
        << "the dialog never creates its own tip";
    TipGeometry g = ShowTip(std::string(400, 'W'));
    EXPECT_EQ(g.rcWindow.right, GetSystemMetrics(SM_CXSCREEN) - 25);
    EXPECT_EQ(g.rcWindow.right - g.rcWindow.left, g.nWidest + 20) << "shifted, not shrunk";
    g = ShowTip("Line one\r\nA longer second line");
    EXPECT_EQ(std::make_tuple(g.rcWindow.left, g.rcWindow.top, g.rcWindow.right - g.rcWindow.left,
                              g.rcWindow.bottom - g.rcWindow.top),
              std::make_tuple(g.ptCursor.x, g.rcTool.bottom, g.nWidest + 20, 2 * g.nLineHeight + 4))
        << "left, top, width, height";
    User().OnUi([this] {
        RECT rc = {};
        m_pTip->GetClientRect(&rc);
        const int cx = rc.right, cy = rc.bottom;
        const std::tuple<const char*, int, int, COLORREF> kSpots[] = {
            {"left edge", 0, cy / 2, RGB(0, 0, 0)},
            {"top edge", cx / 2, 0, RGB(0, 0, 0)},
            {"right edge", cx - 1, cy / 2, RGB(0, 0, 0)},
            {"bottom edge", cx / 2, cy - 1, RGB(0, 0, 0)},
            {"stripe", 7, cy - 2, RGB(255, 0, 0)},
            {"stripe's end", 14, cy - 2, RGB(255, 0, 0)},
            {"box", cx - 2, cy - 2, RGB(255, 255, 255)},
        };
        HDC hTip = GetDC(m_pTip->GetSafeHwnd());
        for (const auto& [pszWhere, x, y, cr] : kSpots)
            EXPECT_EQ(GetPixel(hTip, x, y), cr) << pszWhere << " at " << x << "," << y;
        ReleaseDC(m_pTip->GetSafeHwnd(), hTip);
    });
}

#ifndef _WIN32
// What the tip paints: checked in the stand-in's drawing log.
TEST_F(TooltipOnTheWindow, PaintsTheTextWithoutCarriageReturnsBesideTheStripeAndArrow) {
    // text, as drawn, format bits of DT_SINGLELINE, DT_VCENTER and DT_WORDBREAK
    const std::tuple<const char*, const char*, UINT> kCases[] = {
        {"Line one\r\nA longer second line", "Line one\nA longer second line", DT_WORDBREAK},
        {"Depth & more", "Depth & more", DT_SINGLELINE | DT_VCENTER},
    };
    for (const auto& [pszText, pszDrawn, nFormat] : kCases) {
        const TipGeometry g = ShowTip(pszText);
        const auto texts = DrawOps(g.log, m_pTip->GetSafeHwnd(), SimDrawOp::Kind::DrawText);
        const auto arrows = DrawOps(g.log, m_pTip->GetSafeHwnd(), SimDrawOp::Kind::Polyline);
        ASSERT_EQ(std::make_tuple(texts.size(), arrows.size()), std::make_tuple(1u, 1u)) << pszText;
        const int nTextArea = g.rcWindow.right - g.rcWindow.left - 16;
        EXPECT_EQ(std::make_tuple(texts[0].strText,
                                  texts[0].nFormat & (DT_SINGLELINE | DT_VCENTER | DT_WORDBREAK),
                                  texts[0].rc.left, texts[0].nBkMode),
                  std::make_tuple(pszDrawn, nFormat, 16 + (nTextArea - g.nWidest) / 2, TRANSPARENT))
            << "text, format, left edge and mode of " << pszText;
        // The arrow: one red outline inside the stripe, two pixels in from the corner.
        EXPECT_EQ(std::make_tuple(arrows[0].crPen, arrows[0].points[0].x, arrows[0].points[0].y),
                  std::make_tuple(RGB(255, 0, 0), 2, 2));
        for (const POINT& pt : arrows[0].points)
            EXPECT_TRUE(pt.x >= 2 && pt.x < 15 && pt.y >= 2) << pt.x << "," << pt.y;
    }
}
#endif
