// The main window as laid out by its template: every control in order, its kind and whether it
// shows, and the bitmaps at their pixel sizes.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "velastro_window.h"

namespace {

enum Kind { kButton, kEdit, kStatic };

struct Control {
    int nId;
    Kind kind;
    bool bShown;  // right after start
};

// Template order, which is also z-order and tab order; -1 marks statics without an id.
const Control kTemplate[] = {
    {103, kButton, false},  {135, kButton, false},  {104, kButton, false},  {105, kButton, false},
    {106, kButton, false},  {107, kButton, false},  {108, kButton, false},  {109, kButton, false},
    {110, kButton, false},  {111, kButton, false},  {112, kButton, false},  {113, kButton, false},
    {114, kButton, false},  {115, kButton, false},  {116, kButton, false},  {117, kButton, false},
    {118, kButton, false},  {119, kButton, false},  {120, kButton, false},  {121, kButton, false},
    {122, kButton, false},  {123, kButton, false},  {124, kButton, false},  {125, kButton, false},
    {126, kButton, false},  {127, kButton, false},  {130, kButton, false},  {131, kButton, false},
    {132, kButton, false},  {133, kButton, false},  {134, kButton, false},  {507, kButton, false},
    {508, kButton, false},  {509, kButton, false},  {138, kButton, false},  {504, kButton, false},
    {505, kButton, false},  {506, kButton, false},  {142, kButton, false},  {501, kButton, false},
    {502, kButton, false},  {503, kButton, false},  {500, kButton, false},  {147, kButton, false},
    {148, kButton, false},  {136, kButton, false},  {137, kButton, false},  {139, kButton, true},
    {153, kEdit, false},    {154, kEdit, false},    {155, kEdit, false},    {156, kEdit, false},
    {157, kEdit, false},    {158, kEdit, false},    {159, kEdit, false},    {1012, kStatic, true},
    {1013, kStatic, true},  {1014, kStatic, true},  {1020, kStatic, true},  {1021, kStatic, true},
    {1027, kStatic, true},  {1029, kStatic, true},  {1031, kStatic, true},  {1033, kStatic, true},
    {1010, kStatic, true},  {149, kButton, false},  {-1, kStatic, false},   {-1, kStatic, true},
    {-1, kStatic, true},    {-1, kStatic, true},    {140, kButton, true},   {141, kButton, true},
    {143, kButton, true},   {144, kButton, true},   {145, kButton, true},   {146, kButton, true},
    {160, kButton, true},   {-1, kStatic, true},    {1011, kStatic, true},  {1009, kStatic, true},
    {-1, kStatic, true},    {-1, kStatic, true},    {1001, kEdit, false},   {1015, kButton, true},
    {1, kButton, true},     {1025, kStatic, true},  {1017, kStatic, true},  {1023, kStatic, true},
    {1018, kStatic, false}, {150, kEdit, true},     {1019, kStatic, false}, {1022, kStatic, false},
    {1024, kStatic, false}, {1026, kStatic, false}, {1028, kStatic, false}, {1030, kStatic, false},
    {1032, kStatic, false}, {1034, kStatic, false}, {151, kEdit, true},     {152, kEdit, true},
    {1035, kStatic, false}, {1036, kStatic, false}, {1037, kStatic, false}, {1038, kStatic, false},
    {1039, kStatic, false}, {1040, kStatic, false}, {1041, kStatic, false}, {1042, kStatic, false},
    {1003, kButton, true},  {-1, kStatic, true},    {1002, kStatic, true},
};

struct Child {
    int nId;
    std::string strClass;
    bool bShown;
    HBITMAP hBitmap;
};

std::vector<Child> ChildrenInZOrder(HWND hDialog) {
    std::vector<Child> children;
    for (HWND h = GetWindow(hDialog, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        char szClass[32] = {};
        GetClassNameA(h, szClass, sizeof szClass);
        HBITMAP hBitmap = reinterpret_cast<HBITMAP>(SendMessageA(h, STM_GETIMAGE, IMAGE_BITMAP, 0));
        children.push_back({GetDlgCtrlID(h), szClass, IsWindowVisible(h) != FALSE, hBitmap});
    }
    return children;
}

bool SameClass(std::string strClass, Kind kind) {
    const char* kNames[] = {"button", "edit", "static"};
    for (char& c : strClass)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return strClass == kNames[kind];
}

}  // namespace

using Layout = VelastroWindow;

TEST_F(Layout, HoldsEveryControlOfTheTemplateInOrderWithTheAnswerOnTop) {
    HWND hMain = User().MainWindow();
    std::vector<Child> children =
        User().OnUiRead<std::vector<Child>>([hMain] { return ChildrenInZOrder(hMain); });
    std::vector<Control> order(std::begin(kTemplate), std::end(kTemplate));
    auto answer = std::find_if(order.begin(), order.end(),
                               [](const Control& c) { return c.nId == IDC_ANSWER; });
    std::rotate(order.begin(), answer, answer + 1);
    ASSERT_EQ(children.size(), order.size());
    for (size_t i = 0; i < children.size(); ++i) {
        const Control& expected = order[i];
        // Only the low word: an id of -1 reads back as 0xFFFF on some hosts.
        EXPECT_EQ(LOWORD(children[i].nId), LOWORD(expected.nId)) << "control #" << i + 1;
        EXPECT_TRUE(SameClass(children[i].strClass, expected.kind))
            << "control #" << i + 1 << " is a " << children[i].strClass;
        EXPECT_EQ(children[i].bShown, expected.bShown) << "control #" << i + 1;
    }
}

TEST_F(Layout, ShowsEveryBitmapAtItsPixelSize) {
    struct Picture {
        int nBitmap;
        int cx, cy;
    };
    const Picture kPictures[] = {
        {190, 365, 110}, {193, 365, 60},  {149, 25, 25}, {150, 25, 25}, {148, 25, 25},
        {191, 150, 47},  {205, 160, 120}, {174, 40, 40}, {171, 40, 40}, {175, 40, 40},
        {168, 40, 40},   {170, 40, 40},   {172, 40, 40}, {176, 40, 40}, {169, 40, 40},
        {194, 40, 40},   {195, 40, 40},   {196, 40, 40}, {197, 40, 40}, {198, 40, 40},
        {199, 40, 40},   {200, 40, 40},   {201, 40, 40}, {202, 12, 40}, {204, 300, 299},
    };
    for (const Picture& picture : kPictures) {
        BITMAPINFOHEADER header = {};
        User().OnUi([&] {
            HINSTANCE hInstance = GetModuleHandleA(NULL);
            HRSRC hResource =
                FindResourceA(hInstance, MAKEINTRESOURCEA(picture.nBitmap), RT_BITMAP);
            HGLOBAL hData = hResource ? LoadResource(hInstance, hResource) : NULL;
            if (hData) std::memcpy(&header, LockResource(hData), sizeof header);
        });
        EXPECT_EQ(header.biWidth, picture.cx) << "bitmap " << picture.nBitmap;
        EXPECT_EQ(header.biHeight, picture.cy) << "bitmap " << picture.nBitmap;
        EXPECT_EQ(header.biBitCount, 24) << "bitmap " << picture.nBitmap;
        EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB)) << "bitmap " << picture.nBitmap;
    }
}

TEST_F(Layout, PictureWindowsTakeTheSizeOfTheirBitmaps) {
    HWND hMain = User().MainWindow();
    struct Sizes {
        int nId;
        SIZE window, bitmap;
    };
    std::vector<Sizes> sizes = User().OnUiRead<std::vector<Sizes>>([hMain] {
        std::vector<Sizes> all;
        for (HWND h = GetWindow(hMain, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
            auto hBitmap =
                reinterpret_cast<HBITMAP>(SendMessageA(h, STM_GETIMAGE, IMAGE_BITMAP, 0));
            if (hBitmap == NULL) continue;
            BITMAP bm = {};
            GetObjectA(hBitmap, sizeof bm, &bm);
            RECT rc = {};
            GetWindowRect(h, &rc);
            all.push_back({GetDlgCtrlID(h),
                           {rc.right - rc.left, rc.bottom - rc.top},
                           {bm.bmWidth, bm.bmHeight}});
        }
        return all;
    });
    EXPECT_EQ(sizes.size(), 8u + 8u + 8u + 7u) << "cuts, selected cuts, arrows and seven others";
    // The bitmap's pixel size, border included: the template rectangle only places the picture.
    for (const Sizes& s : sizes) {
        EXPECT_EQ(s.window.cx, s.bitmap.cx) << "picture " << s.nId;
        EXPECT_EQ(s.window.cy, s.bitmap.cy) << "picture " << s.nId;
    }
}

namespace {

// Text widths mean something only with real fonts; the stand-in's metrics are a model.
#ifdef _WIN32
constexpr bool kRealFonts = true;
#else
constexpr bool kRealFonts = false;
#endif

// Width of strText in the font the control paints it with, and the control's client width.
std::pair<int, int> TextAndFieldWidth(HWND hControl, HFONT hFont, const std::string& strText) {
    HDC hdc = GetDC(hControl);
    HGDIOBJ hOld = SelectObject(hdc, hFont);
    SIZE size = {};
    GetTextExtentPoint32A(hdc, strText.c_str(), static_cast<int>(strText.size()), &size);
    SelectObject(hdc, hOld);
    ReleaseDC(hControl, hdc);
    RECT rc = {};
    GetClientRect(hControl, &rc);
    return {size.cx, rc.right};
}

void ExpectFits(std::pair<int, int> widths, const std::string& strWhat) {
    if (!kRealFonts) return;
    EXPECT_LE(widths.first, widths.second) << strWhat << " is cut";
}

}  // namespace

TEST_F(Layout, AnswersAndLabelsFitTheirFieldsAndClearTheEdits) {
    // The heaviest rough diamond ever found: no stone a jeweller measures reads longer.
    User().OnUi([] { Dlg().GetDlgItem(IDC_FORMULA)->SetWindowText("3106.75"); });
    User().Click(IDC_CLICK_HERE);
    ASSERT_EQ(User().Text(IDC_ANSWER), "3106.750000");
    User().OnUi([] {
        HWND hAnswer = Dlg().GetDlgItem(IDC_ANSWER)->GetSafeHwnd();
        auto hDialogFont = reinterpret_cast<HFONT>(SendMessageA(hAnswer, WM_GETFONT, 0, 0));
        auto widths = TextAndFieldWidth(hAnswer, hDialogFont, "3106.750000");
        ExpectFits(widths, "the answer");
        for (CColorLabel* pLabel : {&Dlg().m_lblEnterDimensions, &Dlg().m_lblInMillimeters,
                                    &Dlg().m_lblChooseShape, &Dlg().m_lblAnswer, &Dlg().m_lblLength,
                                    &Dlg().m_lblWidth, &Dlg().m_lblDepth, &Dlg().m_lblDiameter}) {
            CString strText;
            pLabel->GetWindowText(strText);
            widths = TextAndFieldWidth(pLabel->GetSafeHwnd(), pLabel->GetLabelFont(),
                                       strText.GetString());
            ExpectFits(widths, strText.GetString());
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
    User().Click(IDC_OVAL_BRILLIANT);
    User().SetText(IDC_LENGTH_EDIT, "6");
    User().SetText(IDC_WIDTH_EDIT, "4");
    User().SetText(IDC_DEPTH_EDIT, "3");
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
