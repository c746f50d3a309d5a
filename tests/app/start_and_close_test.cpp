#include <functional>
#include <string>
#include <vector>

#include "velastro_window.h"

namespace {

const int kNormalPictures[] = {IDC_PIC_ROUND,    IDC_PIC_OVAL, IDC_PIC_SQUARE,   IDC_PIC_RECTANGLE,
                               IDC_PIC_MARQUISE, IDC_PIC_PEAR, IDC_PIC_TRIANGLE, IDC_PIC_HEART};
const int kSelectedPictures[] = {IDC_PIC_ROUND_SEL,     IDC_PIC_OVAL_SEL,     IDC_PIC_SQUARE_SEL,
                                 IDC_PIC_RECTANGLE_SEL, IDC_PIC_MARQUISE_SEL, IDC_PIC_PEAR_SEL,
                                 IDC_PIC_TRIANGLE_SEL,  IDC_PIC_HEART_SEL};

}  // namespace

TEST_F(VelastroWindow, StartsWithZeroFieldsFocusOnLengthAndNoShapeChosen) {
    for (int nId = IDC_LENGTH_EDIT; nId <= IDC_CONST_X; ++nId)
        EXPECT_EQ(User().Text(nId), "0") << "value field " << nId;
    EXPECT_EQ(User().FocusId(), IDC_LENGTH_EDIT);
    EXPECT_EQ(User().Caption(), "Velastro");
    EXPECT_EQ(User().Text(IDC_FORMULA), "");
    EXPECT_EQ(User().Text(IDC_ANSWER), "")
        << "the template's blank is replaced by the empty answer";
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(User().Visible(kNormalPictures[i])) << "picture " << kNormalPictures[i];
        EXPECT_FALSE(User().Visible(kSelectedPictures[i])) << "picture " << kSelectedPictures[i];
        EXPECT_FALSE(User().Visible(IDC_ARROW1 + i)) << "arrow " << i + 1;
    }
}

struct CloseWay {
    const char* pszName;
    std::function<void(CDialogDriver&)> close;
};

class ClosingTheWindow : public VelastroWindow, public ::testing::WithParamInterface<CloseWay> {};

TEST_P(ClosingTheWindow, EndsTheProgramWhenEveryFieldHoldsANumber) {
    User().SetText(IDC_LENGTH_EDIT, "6");
    User().SetText(IDC_DEPTH_EDIT, "3");
    GetParam().close(User());
    EXPECT_FALSE(User().PendingMessageBox().has_value());
    ASSERT_TRUE(User().WaitForExit()) << GetParam().pszName << " left the window open";
    EXPECT_EQ(m_bInitInstanceResult, FALSE) << "InitInstance ends the application";
}

TEST_P(ClosingTheWindow, StaysOpenOnAFieldThatIsNotANumber) {
    User().SetText(IDC_DEPTH_EDIT, "abc");
    GetParam().close(User());
    ExpectNumberPrompt();
    EXPECT_TRUE(User().Running()) << GetParam().pszName << " closed the window";
    EXPECT_EQ(User().FocusId(), IDC_DEPTH_EDIT);
    EXPECT_EQ(User().Selection(IDC_DEPTH_EDIT), std::make_pair(0, 3)) << "abc is selected";
    EXPECT_EQ(User().Text(IDC_DEPTH_EDIT), "abc");

    // Mended, it closes the same way.
    User().SetText(IDC_DEPTH_EDIT, "3");
    GetParam().close(User());
    EXPECT_TRUE(User().WaitForExit());
}

INSTANTIATE_TEST_SUITE_P(
    EveryWay, ClosingTheWindow,
    ::testing::Values(CloseWay{"Exit", [](CDialogDriver& u) { u.Click(IDOK); }},
                      CloseWay{"Esc", [](CDialogDriver& u) { u.Press(VK_ESCAPE); }},
                      CloseWay{"CloseBox", [](CDialogDriver& u) { u.SysCommand(SC_CLOSE); }},
                      CloseWay{"WindowMenuClose",
                               [](CDialogDriver& u) { ASSERT_TRUE(u.ChooseWindowMenu("Close")); }}),
    [](const ::testing::TestParamInfo<CloseWay>& info) { return std::string(info.param.pszName); });

TEST_F(VelastroWindow, WindowMenuEndsWithSeparatorAndAboutThatOpensTheAboutBox) {
    User().OnUi([] {
        HMENU hMenu = GetSystemMenu(AfxGetMainWnd()->GetSafeHwnd(), FALSE);
        const int nCount = GetMenuItemCount(hMenu);
        ASSERT_GE(nCount, 2);
        EXPECT_TRUE(GetMenuState(hMenu, nCount - 2, MF_BYPOSITION) & MF_SEPARATOR);
        EXPECT_EQ(GetMenuItemID(hMenu, nCount - 1), static_cast<UINT>(IDM_ABOUTBOX));
    });
    ASSERT_TRUE(User().ChooseWindowMenu("About"));
    EXPECT_EQ(User().Caption(), "About Velastro");
    User().Click(IDOK);
    EXPECT_EQ(User().Caption(), "Velastro");
}

TEST_F(VelastroWindow, F1ShowsNothingAndChangesNothing) {
    User().SetText(IDC_LENGTH_EDIT, "6");
    User().Press(VK_F1);
    EXPECT_FALSE(User().PendingMessageBox().has_value());
    EXPECT_TRUE(User().Running());
    EXPECT_EQ(User().Caption(), "Velastro");
    EXPECT_EQ(User().Text(IDC_LENGTH_EDIT), "6");
    EXPECT_EQ(User().FocusId(), IDC_LENGTH_EDIT);
}

TEST_F(VelastroWindow, WindowIconsAreTheProgramIcon) {
    User().OnUi([] {
        HWND hWnd = AfxGetMainWnd()->GetSafeHwnd();
        HICON hBig = reinterpret_cast<HICON>(SendMessageA(hWnd, WM_GETICON, ICON_BIG, 0));
        HICON hSmall = reinterpret_cast<HICON>(SendMessageA(hWnd, WM_GETICON, ICON_SMALL, 0));
        EXPECT_NE(hBig, HICON(NULL));
        EXPECT_EQ(hBig, Dlg().m_hDlgIcon);
        EXPECT_EQ(hSmall, Dlg().m_hDlgIcon);
    });
}
