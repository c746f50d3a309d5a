#include "tooltip_ctrl_ex.h"

#include <string>

#include "tip_layout.h"

namespace {

// Two-pixel corner along the top and left, then diagonal strokes towards the lower right.
constexpr POINT kArrowPoints[] = {{0, 0}, {0, 6}, {1, 6}, {1, 0}, {6, 0}, {6, 1},
                                  {2, 1}, {2, 4}, {5, 7}, {6, 7}, {3, 4}, {3, 3},
                                  {6, 6}, {7, 6}, {3, 2}, {4, 2}, {7, 5}, {7, 6}};
constexpr int kArrowPointCount = sizeof(kArrowPoints) / sizeof(kArrowPoints[0]);

}  // namespace

IMPLEMENT_DYNAMIC(CToolTipCtrlEx, CToolTipCtrl)

BEGIN_MESSAGE_MAP(CToolTipCtrlEx, CToolTipCtrl)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_NCPAINT()
END_MESSAGE_MAP()

CToolTipCtrlEx::CToolTipCtrlEx()
    : m_crBack(RGB(255, 255, 255)),
      m_crStripe(RGB(255, 0, 0)),
      m_crBorder(RGB(0, 0, 0)),
      m_crText(RGB(0, 0, 0)),
      m_crArrow(RGB(255, 0, 0)) {}

CToolTipCtrlEx::~CToolTipCtrlEx() {}

void CToolTipCtrlEx::PreSubclassWindow() {
    CToolTipCtrl::PreSubclassWindow();
}

void CToolTipCtrlEx::OnPaint() {
    POINT ptCursor;
    ::GetCursorPos(&ptCursor);
    HWND hwndTool = ::WindowFromPoint(ptCursor);
    RECT rcTool = {0, 0, 0, 0};
    if (hwndTool != nullptr) ::GetWindowRect(hwndTool, &rcTool);

    CPaintDC dc(this);
    CFont* pFont = GetFont();
    if (pFont != nullptr) dc.SelectObject(pFont);

    CString strWindowText;
    GetWindowText(strWindowText);
    const CString strText(StripCarriageReturns(static_cast<LPCTSTR>(strWindowText)).c_str());
    const TipTextSize size =
        MeasureTipText(static_cast<LPCTSTR>(strText), [&dc](const std::string& strLine) {
            return static_cast<int>(
                dc.GetTextExtent(strLine.c_str(), static_cast<int>(strLine.size())).cx);
        });
    TEXTMETRICA tm;
    dc.GetTextMetrics(&tm);

    // With no window under the pointer there is no tool rectangle: the tip is drawn where it is.
    if (hwndTool != nullptr) {
        const RECT rc =
            PlaceTip(rcTool, ptCursor, size, tm.tmHeight, ::GetSystemMetrics(SM_CXSCREEN));
        MoveWindow(&rc, TRUE);
    }
    ShowWindow(SW_SHOWNORMAL);
    DrawTip(dc, strText, size.nWidest, size.nLines);
}

void CToolTipCtrlEx::DrawTip(CDC& dc, const CString& strText, int nWidest, int nLines) {
    RECT rcClient;
    GetClientRect(&rcClient);
    dc.FillSolidRect(&rcClient, m_crBack);
    RECT rcStripe = TipStripeRect(rcClient);
    dc.FillSolidRect(&rcStripe, m_crStripe);

    RECT rcText = TipTextRect(rcClient, nWidest);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_crText);
    dc.DrawText(strText, &rcText, nLines == 1 ? (DT_SINGLELINE | DT_VCENTER) : DT_WORDBREAK);

    GetClientRect(&rcClient);
    dc.Draw3dRect(&rcClient, m_crBorder, m_crBorder);
    DrawArrow(dc, rcStripe);
}

void CToolTipCtrlEx::DrawArrow(CDC& dc, const RECT& rcStripe) {
    POINT aPoints[kArrowPointCount];
    for (int i = 0; i < kArrowPointCount; ++i) {
        aPoints[i].x = rcStripe.left + kTipArrowInset + kArrowPoints[i].x;
        aPoints[i].y = rcStripe.top + kTipArrowInset + kArrowPoints[i].y;
    }
    CPen pen(PS_SOLID, 1, m_crArrow);
    CPen* pOldPen = dc.SelectObject(&pen);
    dc.Polyline(aPoints, kArrowPointCount);
    dc.SelectObject(pOldPen);
    pen.DeleteObject();
}

BOOL CToolTipCtrlEx::OnEraseBkgnd(CDC* /*pDC*/) {
    return static_cast<BOOL>(Default());
}

// Nothing in the non-client area: the frame is part of the client painting.
void CToolTipCtrlEx::OnNcPaint() {}
