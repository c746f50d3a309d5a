#include <array>

#include "velastro_window.h"

class Label : public VelastroWindow {
protected:
    struct LabelStyle {
        int nId, nPoints;
        CColorLabel CGemDlg::*pLabel;
        const char* pszFace;
    };

    static inline const LabelStyle kLabels[] = {
        {IDC_LBL_ENTER_DIMENSIONS, 10, &CGemDlg::m_lblEnterDimensions, "Arial Rounded"},
        {IDC_LBL_IN_MILLIMETERS, 8, &CGemDlg::m_lblInMillimeters, "Arial Rounded"},
        {IDC_LBL_CHOOSE_SHAPE, 10, &CGemDlg::m_lblChooseShape, "Arial Rounded"},
        {IDC_LBL_ANSWER, 10, &CGemDlg::m_lblAnswer, "Arial Rounded"},
        {IDC_LBL_LENGTH, 7, &CGemDlg::m_lblLength, "Arial"},
        {IDC_LBL_WIDTH, 7, &CGemDlg::m_lblWidth, "Arial"},
        {IDC_LBL_DEPTH, 7, &CGemDlg::m_lblDepth, "Arial"},
        {IDC_LBL_DIAMETER, 7, &CGemDlg::m_lblDiameter, "Arial"},
    };

    static LOGFONTA FontOf(HFONT hFont) {
        LOGFONTA lf = {};
        GetObjectA(hFont, sizeof lf, &lf);
        return lf;
    }

    static HFONT WindowFont(const CWnd& wnd) {
        return reinterpret_cast<HFONT>(SendMessageA(wnd.GetSafeHwnd(), WM_GETFONT, 0, 0));
    }

    static std::tuple<std::string, int> FaceAndHeight(HFONT hFont) {
        const LOGFONTA lf = FontOf(hFont);
        return {lf.lfFaceName, static_cast<int>(lf.lfHeight)};
    }
    void TearDown() override {
        VelastroWindow::TearDown();
        CDialogDriver::SetScreenDpi(96);
    }
    // The DEPTH label, restyled freely: each test starts a fresh window.
    static CColorLabel& Depth() { return Dlg().m_lblDepth; }
};

TEST_F(Label, StyledBoldInTheirFacesAtTheScreenDpi) {
    for (int nDpi : {96, 120}) {
        m_pDriver.reset();  // the dpi holds for windows made after it is set
        if (!CDialogDriver::SetScreenDpi(nDpi)) GTEST_SKIP() << "the host's dpi is fixed";
        Start();
        // On the UI thread, which alone reads the screen's dpi while the window runs.
        User().OnUi([nDpi] {
            for (const LabelStyle& label : kLabels) {
                const CColorLabel& lbl = Dlg().*label.pLabel;
                const LOGFONTA lf = FontOf(lbl.GetLabelFont());
                EXPECT_EQ(std::make_tuple(lf.lfHeight, lf.lfWeight, std::string(lf.lfFaceName),
                                          lf.lfItalic, lbl.GetTextColor(), lbl.GetBkColor()),
                          std::make_tuple(PointsToHeight(label.nPoints), FW_BOLD, label.pszFace, 0,
                                          RGB(0, 0, 0), GetSysColor(COLOR_BTNFACE)))
                    << "label " << label.nId << " at " << nDpi;
            }
        });
    }
}

TEST_F(Label, PointsAndHeightsConvertAtTheScreenDpi) {
    m_pDriver.reset();  // no window runs meanwhile: this thread alone reads the screen
    // dpi, points, their height, and that height's points
    const std::array<int, 4> kCases[] = {{96, 10, -13, 10}, {96, 8, -11, 8},    {96, 7, -9, 7},
                                         {96, 0, 0, 0},     {120, 10, -17, 10}, {120, 8, -13, 8},
                                         {120, 7, -12, 7}};
    for (const auto& [nDpi, nPoints, nHeight, nPointsBack] : kCases) {
        if (!CDialogDriver::SetScreenDpi(nDpi)) GTEST_SKIP() << "the host's dpi is fixed";
        EXPECT_EQ(PointsToHeight(nPoints), nHeight) << nPoints << " pt at " << nDpi;
        EXPECT_EQ(HeightToPoints(nHeight), nPointsBack) << nHeight << " at " << nDpi;
    }
}

// SetBold and a face-less SetFontFace start again from the window's font, which stays as it was.
TEST_F(Label, RestylingStartsFromTheWindowsFontAndLeavesIt) {
    User().OnUi([] {
        Depth().SetFontFace("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn", 10, FALSE);
        EXPECT_EQ(
            FaceAndHeight(Depth().GetLabelFont()),
            std::make_tuple(std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZabcde"), PointsToHeight(10)));
        Depth().SetFontFace("Arial", 7, FALSE);
        Depth().SetBold(TRUE, FALSE);
        EXPECT_EQ(FaceAndHeight(Depth().GetLabelFont()), FaceAndHeight(WindowFont(Dlg())))
            << "the earlier face is discarded";
        EXPECT_EQ(FontOf(Depth().GetLabelFont()).lfWeight, FW_BOLD);
        Depth().SetBold(FALSE, FALSE);
        Depth().SetFontFace("Arial", 7, FALSE);
        Depth().SetFontFace(nullptr, 12, FALSE);
        EXPECT_EQ(FaceAndHeight(Depth().GetLabelFont()),
                  std::make_tuple(std::string("Verdana"), PointsToHeight(12)))
            << "the earlier face is discarded again";
        EXPECT_EQ(FontOf(Depth().GetLabelFont()).lfWeight, FW_NORMAL);
        EXPECT_EQ(FaceAndHeight(WindowFont(Depth())), FaceAndHeight(WindowFont(Dlg())))
            << "the label's own font is not its window's";
    });
}

TEST_F(Label, DrawFormatFollowsTheStaticStyle) {
    const std::pair<DWORD, UINT> kCases[] = {
        {SS_LEFT, DT_LEFT | DT_WORDBREAK},
        {SS_CENTER, DT_CENTER | DT_WORDBREAK},
        {SS_RIGHT, DT_RIGHT | DT_WORDBREAK},
        {SS_CENTER | SS_RIGHT, DT_CENTER | DT_WORDBREAK},  // the centre bit is tested first
        {SS_CENTERIMAGE, DT_LEFT | DT_SINGLELINE | DT_VCENTER},
        {WS_CHILD | WS_VISIBLE | SS_RIGHT | SS_CENTERIMAGE, DT_RIGHT | DT_SINGLELINE | DT_VCENTER},
    };
    for (const auto& [dwStyle, nFormat] : kCases)
        EXPECT_EQ(LabelDrawFormat(dwStyle), nFormat) << std::hex << "style " << dwStyle;
}

#ifndef _WIN32
// What the label paints: checked in the stand-in's drawing log.
TEST_F(Label, PaintsItsTextInItsOwnFontAndColoursOrInsteadACentredIcon) {
    User().OnUi([] {
        const HWND hDepth = Depth().GetSafeHwnd();
        Depth().SetTextColor(RGB(200, 0, 0), FALSE);
        const auto withIcon = DrawnBy([] { Depth().SetLabelIcon(Dlg().m_hDlgIcon, TRUE); });
        const auto log = DrawnBy([] { Depth().SetLabelIcon(nullptr, TRUE); });
        const auto icons = DrawOps(withIcon, hDepth, SimDrawOp::Kind::DrawIcon);
        const auto texts = DrawOps(log, hDepth, SimDrawOp::Kind::DrawText);
        ASSERT_EQ(std::make_tuple(icons.size(), texts.size()), std::make_tuple(1u, 1u));
        EXPECT_EQ(std::make_tuple(DrawOps(withIcon, hDepth, SimDrawOp::Kind::DrawText).size(),
                                  DrawOps(log, hDepth, SimDrawOp::Kind::DrawIcon).size()),
                  std::make_tuple(0u, 0u))
            << "no text with the icon, no icon without it";
        RECT rc = {};
        Depth().GetClientRect(&rc);
        // Signed division truncating towards zero: the icon is larger than the label.
        EXPECT_EQ(std::make_tuple(icons[0].x, icons[0].y, icons[0].hIcon),
                  std::make_tuple((rc.right - rc.left - 32) / 2, (rc.bottom - rc.top - 32) / 2,
                                  Dlg().m_hDlgIcon));
        const SimDrawOp& op = texts[0];
        EXPECT_EQ(std::make_tuple(op.strText, op.nFormat, std::string(op.font.lfFaceName),
                                  op.font.lfWeight, op.crText, op.crBack, op.nBkMode, op.rc.left),
                  std::make_tuple("DEPTH", DT_LEFT | DT_WORDBREAK, "Arial", FW_BOLD, RGB(200, 0, 0),
                                  GetSysColor(COLOR_BTNFACE), OPAQUE, 0));
        const auto fills = DrawOps(log, hDepth, SimDrawOp::Kind::FillRect);
        EXPECT_TRUE(std::any_of(fills.begin(), fills.end(), [](const SimDrawOp& fill) {
            return fill.crBrush == GetSysColor(COLOR_BTNFACE);
        })) << "the background is erased with the label's brush";
    });
}
#endif
