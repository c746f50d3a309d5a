// The main window as laid out by its template: which controls it holds and shows at the start,
// where the visible ones stand against each other, and the bitmaps at their pixel sizes.
#include <algorithm>
#include <string>
#include <vector>

#include "keypad_keys.h"
#include "velastro_window.h"

namespace {

const int kShapeButtons[] = {IDC_ROUND_BRILLIANT,   IDC_OVAL_BRILLIANT,     IDC_SQUARE_TRILLION,
                             IDC_RECTANGLE,         IDC_MARQUISE_BRILLIANT, IDC_PEAR_BRILLIANT,
                             IDC_TRIANGLE_TRILLION, IDC_HEART_BRILLIANT};
const int kShapePictures[] = {IDC_PIC_ROUND,    IDC_PIC_OVAL, IDC_PIC_SQUARE,   IDC_PIC_RECTANGLE,
                              IDC_PIC_MARQUISE, IDC_PIC_PEAR, IDC_PIC_TRIANGLE, IDC_PIC_HEART};
const int kSelectedPictures[] = {IDC_PIC_ROUND_SEL,     IDC_PIC_OVAL_SEL,     IDC_PIC_SQUARE_SEL,
                                 IDC_PIC_RECTANGLE_SEL, IDC_PIC_MARQUISE_SEL, IDC_PIC_PEAR_SEL,
                                 IDC_PIC_TRIANGLE_SEL,  IDC_PIC_HEART_SEL};
const int kShownEdits[] = {IDC_LENGTH_EDIT, IDC_WIDTH_EDIT, IDC_DEPTH_EDIT};
constexpr int kTemplateControls = 111;

std::string ClassOf(HWND hWnd) {
    char szClass[32] = {};
    GetClassNameA(hWnd, szClass, sizeof szClass);
    std::string strClass = szClass;
    for (char& c : strClass)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return strClass;
}

RECT ScreenRect(int nId) {
    RECT rc = {};
    GetWindowRect(GetDlgItem(AfxGetMainWnd()->GetSafeHwnd(), nId), &rc);
    return rc;
}

}  // namespace

using Layout = VelastroWindow;

TEST_F(Layout, HoldsTheTemplatesControlsAndShowsOnlyTheEstimatorsAndNoChosenShapeAtTheStart) {
    struct Group {
        std::vector<int> ids;
        const char* pszClass;
        bool bShown;
    };
    Group shownButtons = {{std::begin(kShapeButtons), std::end(kShapeButtons)}, "button", true};
    shownButtons.ids.insert(shownButtons.ids.end(), {IDC_CLICK_HERE, IDC_ABOUT, IDOK});
    Group hiddenButtons = {
        {IDC_CALCULATE, IDC_DELETE, IDC_UNDO, IDC_SAVE, IDC_LOAD}, "button", false};
    for (const CKeypadKey& key : kKeypadKeys)
        hiddenButtons.ids.push_back(key.nID);
    for (int nId = IDC_DIGIT0; nId <= IDC_DIGIT9; ++nId)
        hiddenButtons.ids.push_back(nId);
    const Group kGroups[] = {
        shownButtons,
        hiddenButtons,
        {{std::begin(kShownEdits), std::end(kShownEdits)}, "edit", true},
        {{IDC_FORMULA, IDC_CONST_H, IDC_CONST_J, IDC_CONST_K, IDC_CONST_M, IDC_CONST_N, IDC_CONST_U,
          IDC_CONST_X},
         "edit",
         false},
        {{IDC_ANSWER, IDC_LBL_LENGTH, IDC_LBL_WIDTH, IDC_LBL_DEPTH, IDC_LBL_ENTER_DIMENSIONS,
          IDC_LBL_IN_MILLIMETERS, IDC_LBL_CHOOSE_SHAPE, IDC_LBL_ANSWER},
         "static",
         true},
        {{std::begin(kShapePictures), std::end(kShapePictures)}, "static", true},
        {{std::begin(kSelectedPictures), std::end(kSelectedPictures)}, "static", false},
        {{IDC_LBL_DIAMETER, IDC_ARROW1, IDC_ARROW2, IDC_ARROW3, IDC_ARROW4, IDC_ARROW5, IDC_ARROW6,
          IDC_ARROW7, IDC_ARROW8},
         "static",
         false},
    };
    User().OnUi([&] {
        HWND hMain = AfxGetMainWnd()->GetSafeHwnd();
        int nChildren = 0;
        for (HWND h = GetWindow(hMain, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
            ++nChildren;
        EXPECT_EQ(nChildren, kTemplateControls);
        EXPECT_EQ(GetWindow(hMain, GW_CHILD), GetDlgItem(hMain, IDC_ANSWER))
            << "the answer stands above its frame";
        for (const Group& group : kGroups) {
            for (int nId : group.ids) {
                HWND hControl = GetDlgItem(hMain, nId);
                ASSERT_NE(hControl, HWND(NULL)) << "control " << nId;
                EXPECT_EQ(ClassOf(hControl), group.pszClass) << "control " << nId;
                EXPECT_EQ(IsWindowVisible(hControl) != FALSE, group.bShown) << "control " << nId;
            }
        }
    });
}

TEST_F(Layout, VisibleControlsStandInRowsAndColumnsInsideTheWindow) {
    User().OnUi([] {
        HWND hMain = AfxGetMainWnd()->GetSafeHwnd();
        RECT rcClient = {};
        GetClientRect(hMain, &rcClient);
        MapWindowPoints(hMain, NULL, reinterpret_cast<POINT*>(&rcClient), 2);
        for (HWND h = GetWindow(hMain, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
            RECT rc = {}, rcInside = {};
            GetWindowRect(h, &rc);
            // Pictures take their bitmap's size and may run under the frame; controls may not.
            if (!IsWindowVisible(h) || SendMessageA(h, STM_GETIMAGE, IMAGE_BITMAP, 0)) continue;
            EXPECT_TRUE(IntersectRect(&rcInside, &rc, &rcClient) && EqualRect(&rcInside, &rc))
                << "control " << GetDlgCtrlID(h) << " reaches out of the window";
        }
        // The shapes: one column from the top down, each picture beside its button's left edge,
        // its selected picture in its place and its arrow level with it.
        for (int i = 0; i < 8; ++i) {
            const RECT rcButton = ScreenRect(kShapeButtons[i]);
            const RECT rcPicture = ScreenRect(kShapePictures[i]);
            const RECT rcSelected = ScreenRect(kSelectedPictures[i]);
            const RECT rcArrow = ScreenRect(IDC_ARROW1 + i);
            EXPECT_TRUE(EqualRect(&rcPicture, &rcSelected)) << "shape " << i + 1;
            EXPECT_EQ(rcArrow.top, rcPicture.top) << "shape " << i + 1;
            EXPECT_EQ(rcArrow.bottom, rcPicture.bottom) << "shape " << i + 1;
            EXPECT_EQ(rcButton.left, ScreenRect(kShapeButtons[0]).left) << "shape " << i + 1;
            if (i > 0) {
                EXPECT_GE(rcButton.top, ScreenRect(kShapeButtons[i - 1]).bottom);
            }
            EXPECT_LT((rcPicture.left + rcPicture.right) / 2, rcButton.left) << "shape " << i + 1;
            EXPECT_LT(rcPicture.top, rcButton.bottom) << "shape " << i + 1;
            EXPECT_GT(rcPicture.bottom, rcButton.top) << "shape " << i + 1;
        }
        // The fields: one column right of the shapes, Click Here and the answer below them.
        for (int i = 0; i < 3; ++i) {
            const RECT rcEdit = ScreenRect(kShownEdits[i]);
            EXPECT_EQ(rcEdit.left, ScreenRect(IDC_LENGTH_EDIT).left);
            EXPECT_GT(rcEdit.left, ScreenRect(IDC_ROUND_BRILLIANT).right);
            if (i > 0) {
                EXPECT_GE(rcEdit.top, ScreenRect(kShownEdits[i - 1]).bottom);
            }
        }
        EXPECT_GE(ScreenRect(IDC_CLICK_HERE).top, ScreenRect(IDC_DEPTH_EDIT).bottom);
        EXPECT_GE(ScreenRect(IDC_ANSWER).top, ScreenRect(IDC_CLICK_HERE).bottom);
        // About and Exit side by side below everything else.
        EXPECT_EQ(ScreenRect(IDC_ABOUT).top, ScreenRect(IDOK).top);
        EXPECT_LT(ScreenRect(IDC_ABOUT).right, ScreenRect(IDOK).left);
        EXPECT_GE(ScreenRect(IDOK).top, ScreenRect(IDC_HEART_BRILLIANT).bottom);
    });
}

namespace {

// strText in the font the control paints it with fits the control's width. Checked with real
// fonts only: the stand-in's metrics are a model.
void ExpectFits([[maybe_unused]] HWND hControl, [[maybe_unused]] HFONT hFont,
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

}  // namespace

TEST_F(Layout, AnswersAndLabelsFitTheirFieldsAndClearTheEdits) {
    // The heaviest rough diamond ever found: no stone a jeweller measures reads longer.
    User().OnUi([] { Dlg().GetDlgItem(IDC_FORMULA)->SetWindowText("3106.75"); });
    User().Click(IDC_CLICK_HERE);
    ASSERT_EQ(User().Text(IDC_ANSWER), "3106.750000");
    User().OnUi([] {
        HWND hAnswer = Dlg().GetDlgItem(IDC_ANSWER)->GetSafeHwnd();
        ExpectFits(hAnswer, reinterpret_cast<HFONT>(SendMessageA(hAnswer, WM_GETFONT, 0, 0)),
                   "3106.750000");
        for (CColorLabel* pLabel : {&Dlg().m_lblEnterDimensions, &Dlg().m_lblInMillimeters,
                                    &Dlg().m_lblChooseShape, &Dlg().m_lblAnswer, &Dlg().m_lblLength,
                                    &Dlg().m_lblWidth, &Dlg().m_lblDepth, &Dlg().m_lblDiameter}) {
            CString strText;
            pLabel->GetWindowText(strText);
            ExpectFits(pLabel->GetSafeHwnd(), pLabel->GetLabelFont(), strText.GetString());
            RECT rcLabel = {};
            pLabel->GetWindowRect(&rcLabel);
            for (int nEdit : {IDC_LENGTH_EDIT, IDC_WIDTH_EDIT, IDC_DEPTH_EDIT}) {
                RECT rcEdit = {};
                GetWindowRect(Dlg().GetDlgItem(nEdit)->GetSafeHwnd(), &rcEdit);
                RECT rcBoth = {};
                EXPECT_FALSE(IntersectRect(&rcBoth, &rcLabel, &rcEdit))
                    << strText.GetString() << " runs under edit " << nEdit;
            }
        }
    });
}

TEST_F(Layout, AnswerStaysReadableWhenItsFrameRepaints) {
    EnterStone(IDC_OVAL_BRILLIANT, "6", "4", "3");
    User().Click(IDC_CLICK_HERE);
    const int nDarkPixels = User().OnUiRead<int>([] {
        HWND hAnswer = Dlg().GetDlgItem(IDC_ANSWER)->GetSafeHwnd();
        RECT rc = {};
        GetWindowRect(hAnswer, &rc);
        const POINT ptCentre = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        for (HWND h = GetWindow(hAnswer, GW_HWNDFIRST); h; h = GetWindow(h, GW_HWNDNEXT)) {
            RECT rcPicture = {};
            GetWindowRect(h, &rcPicture);
            if (SendMessageA(h, STM_GETIMAGE, IMAGE_BITMAP, 0) && PtInRect(&rcPicture, ptCentre))
                RedrawWindow(h, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        }
        HDC hdc = GetDC(NULL);
        int nDark = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                if (GetPixel(hdc, x, y) == RGB(0, 0, 0)) ++nDark;
        ReleaseDC(NULL, hdc);
        return nDark;
    });
    EXPECT_GT(nDarkPixels, 10) << "the frame painted over 0.487500";
}
