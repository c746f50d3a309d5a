// The main window as laid out by its template: which controls it holds and shows at the start,
// where the visible ones stand against each other, and that texts fit where they show.
#include <cctype>

#include "keypad_keys.h"
#include "velastro_window.h"

namespace {

const int kShownEdits[] = {IDC_LENGTH_EDIT, IDC_WIDTH_EDIT, IDC_DEPTH_EDIT};
constexpr int kTemplateControls = 111;

class Layout : public VelastroWindow {
protected:
    static RECT ScreenRect(int nId) { return RectOf(Item(nId)); }
    // Checked with real fonts only: the stand-in's text metrics are a model.
    static void ExpectFits([[maybe_unused]] HWND hControl, [[maybe_unused]] HFONT hFont,
                           [[maybe_unused]] const std::string& strText) {
#ifdef _WIN32
        HDC hdc = GetDC(hControl);
        HGDIOBJ hOld = SelectObject(hdc, hFont);
        SIZE size = {};
        GetTextExtentPoint32A(hdc, strText.c_str(), static_cast<int>(strText.size()), &size);
        SelectObject(hdc, hOld);
        ReleaseDC(hControl, hdc);
        RECT rc = {};
        GetClientRect(hControl, &rc);
        EXPECT_LE(size.cx, rc.right) << strText << " is cut";
#endif
    }
    static std::vector<HWND> Children() {
        std::vector<HWND> children;
        for (HWND h = GetWindow(Dlg().GetSafeHwnd(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
            children.push_back(h);
        return children;
    }
    // Each control of ids is of the lower-case window class and shown or hidden as given.
    static void ExpectGroup(std::string strClass, bool bShown, const std::vector<int>& ids) {
        for (int nId : ids) {
            char szClass[32] = {};
            GetClassNameA(Item(nId), szClass, sizeof szClass);
            std::transform(szClass, szClass + 32, szClass, [](char c) { return std::tolower(c); });
            EXPECT_EQ(szClass, strClass) << "control " << nId;
            EXPECT_EQ(IsWindowVisible(Item(nId)) != FALSE, bShown) << "control " << nId;
        }
    }
};

}  // namespace

TEST_F(Layout, HoldsTheTemplatesControlsAndShowsOnlyTheEstimatorsAndNoChosenShapeAtTheStart) {
    std::vector<int> shownButtons = {IDC_CLICK_HERE, IDC_ABOUT, IDOK}, pictures, selected;
    for (const ShapeRow& row : kShapeRows) {
        shownButtons.push_back(row.nButton);
        pictures.push_back(row.nPicture);
        selected.push_back(row.nSelectedPicture);
    }
    std::vector<int> hiddenButtons = {IDC_CALCULATE, IDC_DELETE, IDC_UNDO, IDC_SAVE, IDC_LOAD};
    for (const KeypadKey& key : kKeypadKeys)
        hiddenButtons.push_back(key.nID);
    for (int nId = IDC_DIGIT0; nId <= IDC_DIGIT9; ++nId)
        hiddenButtons.push_back(nId);
    User().OnUi([&] {
        EXPECT_EQ(Children().size(), static_cast<size_t>(kTemplateControls));
        ExpectGroup("button", true, shownButtons);
        ExpectGroup("button", false, hiddenButtons);
        ExpectGroup("edit", true, {std::begin(kShownEdits), std::end(kShownEdits)});
        ExpectGroup("edit", false,
                    {IDC_FORMULA, IDC_CONST_H, IDC_CONST_J, IDC_CONST_K, IDC_CONST_M, IDC_CONST_N,
                     IDC_CONST_U, IDC_CONST_X});
        ExpectGroup(
            "static", true,
            {IDC_ANSWER, IDC_LBL_LENGTH, IDC_LBL_WIDTH, IDC_LBL_DEPTH, IDC_LBL_ENTER_DIMENSIONS,
             IDC_LBL_IN_MILLIMETERS, IDC_LBL_CHOOSE_SHAPE, IDC_LBL_ANSWER});
        ExpectGroup("static", true, pictures);
        ExpectGroup("static", false, selected);
        ExpectGroup("static", false,
                    {IDC_LBL_DIAMETER, IDC_ARROW1, IDC_ARROW2, IDC_ARROW3, IDC_ARROW4, IDC_ARROW5,
                     IDC_ARROW6, IDC_ARROW7, IDC_ARROW8});
    });
}

TEST_F(Layout, VisibleControlsStandInRowsAndColumnsInsideTheWindow) {
    User().OnUi([] {
        RECT rcClient = {};
        GetClientRect(Dlg().GetSafeHwnd(), &rcClient);
        MapWindowPoints(Dlg().GetSafeHwnd(), nullptr, reinterpret_cast<POINT*>(&rcClient), 2);
        for (HWND h : Children()) {
            RECT rc = RectOf(h), rcInside = {};
            // Pictures take their bitmap's size and may run under the frame; controls may not.
            if (!IsWindowVisible(h) || SendMessageA(h, STM_GETIMAGE, IMAGE_BITMAP, 0)) continue;
            EXPECT_TRUE(IntersectRect(&rcInside, &rc, &rcClient) && EqualRect(&rcInside, &rc))
                << "control " << GetDlgCtrlID(h) << " reaches out of the window";
        }
        // The shapes: one column down, each picture left of its button, arrow level with it.
        for (int i = 0; i < 8; ++i) {
            const ShapeRow& row = kShapeRows[i];
            const RECT rcButton = ScreenRect(row.nButton), rcPicture = ScreenRect(row.nPicture);
            const RECT rcSelected = ScreenRect(row.nSelectedPicture);
            const RECT rcArrow = ScreenRect(IDC_ARROW1 + i);
            EXPECT_TRUE(EqualRect(&rcPicture, &rcSelected)) << "shape " << i + 1;
            EXPECT_EQ(std::make_tuple(rcArrow.top, rcArrow.bottom, rcButton.left),
                      std::make_tuple(rcPicture.top, rcPicture.bottom,
                                      ScreenRect(IDC_ROUND_BRILLIANT).left))
                << "shape " << i + 1 << ": arrow level with the picture, button in the column";
            EXPECT_TRUE(rcButton.top >= (i ? ScreenRect(kShapeRows[i - 1].nButton).bottom : 0) &&
                        (rcPicture.left + rcPicture.right) / 2 < rcButton.left &&
                        rcPicture.top < rcButton.bottom && rcPicture.bottom > rcButton.top)
                << "shape " << i + 1 << ": below the row above, its picture left of the button";
        }
        // The fields: one column right of the shapes, Click Here and the answer below them.
        for (int i = 0; i < 3; ++i) {
            const RECT rcEdit = ScreenRect(kShownEdits[i]);
            EXPECT_TRUE(rcEdit.left == ScreenRect(IDC_LENGTH_EDIT).left &&
                        rcEdit.left > ScreenRect(IDC_ROUND_BRILLIANT).right &&
                        rcEdit.top >= (i ? ScreenRect(kShownEdits[i - 1]).bottom : 0))
                << "edit " << kShownEdits[i] << " out of its column";
        }
        EXPECT_GE(ScreenRect(IDC_CLICK_HERE).top, ScreenRect(IDC_DEPTH_EDIT).bottom);
        EXPECT_GE(ScreenRect(IDC_ANSWER).top, ScreenRect(IDC_CLICK_HERE).bottom);
        // About and Exit side by side below everything else.
        EXPECT_EQ(ScreenRect(IDC_ABOUT).top, ScreenRect(IDOK).top);
        EXPECT_LT(ScreenRect(IDC_ABOUT).right, ScreenRect(IDOK).left);
        EXPECT_GE(ScreenRect(IDOK).top, ScreenRect(IDC_HEART_BRILLIANT).bottom);
    });
}

TEST_F(Layout, AnswersAndLabelsFitTheirFieldsAndClearTheEdits) {
    // The heaviest rough diamond ever found: no stone a jeweller measures reads longer.
    SetHidden(IDC_FORMULA, "3106.75");
    User().Click(IDC_CLICK_HERE);
    ASSERT_EQ(User().Text(IDC_ANSWER), "3106.750000");
    User().OnUi([] {
        ExpectFits(Item(IDC_ANSWER), *Dlg().GetDlgItem(IDC_ANSWER)->GetFont(), "3106.750000");
        for (CColorLabel* pLabel : {&Dlg().m_lblEnterDimensions, &Dlg().m_lblInMillimeters,
                                    &Dlg().m_lblChooseShape, &Dlg().m_lblAnswer, &Dlg().m_lblLength,
                                    &Dlg().m_lblWidth, &Dlg().m_lblDepth, &Dlg().m_lblDiameter}) {
            CString strText;
            pLabel->GetWindowText(strText);
            ExpectFits(pLabel->GetSafeHwnd(), pLabel->GetLabelFont(), strText.GetString());
            const RECT rcLabel = RectOf(pLabel->GetSafeHwnd());
            for (int nEdit : kShownEdits) {
                RECT rcEdit = ScreenRect(nEdit), rcBoth = {};
                EXPECT_FALSE(IntersectRect(&rcBoth, &rcLabel, &rcEdit))
                    << strText.GetString() << " runs under edit " << nEdit;
            }
        }
    });
}

TEST_F(Layout, AnswerStaysReadableWhenItsFrameRepaints) {
    EnterStone(IDC_OVAL_BRILLIANT, "6", "4", "3");
    User().Click(IDC_CLICK_HERE);
    User().OnUi([] {
        const RECT rc = ScreenRect(IDC_ANSWER);
        const POINT ptCentre = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        for (HWND h : Children()) {
            const RECT rcPicture = RectOf(h);
            if (SendMessageA(h, STM_GETIMAGE, IMAGE_BITMAP, 0) && PtInRect(&rcPicture, ptCentre))
                RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        }
        HDC hdc = GetDC(nullptr);
        int nDark = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                if (GetPixel(hdc, x, y) == RGB(0, 0, 0)) ++nDark;
        ReleaseDC(nullptr, hdc);
        EXPECT_GT(nDark, 10) << "the frame painted over 0.487500";
    });
}
