#include "color_label.h"

#include <cstring>

namespace {

constexpr size_t kMaxFaceChars = LF_FACESIZE - 1;  // the face field less its terminating NUL
constexpr int kPointsPerInch = 72;

LONG WeightOf(BOOL bBold) {
    return bBold ? FW_BOLD : FW_NORMAL;
}

int ScreenLogPixelsY() {
    HDC hdc = ::CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    const int nLogPixelsY = ::GetDeviceCaps(hdc, LOGPIXELSY);
    ::DeleteDC(hdc);
    return nLogPixelsY;
}

}  // namespace

int PointsToHeight(int nPointSize) {
    return -::MulDiv(nPointSize, ScreenLogPixelsY(), kPointsPerInch);
}

int HeightToPoints(int nHeight) {
    const int nPoints = ::MulDiv(nHeight, kPointsPerInch, ScreenLogPixelsY());
    return nPoints < 0 ? -nPoints : nPoints;
}

UINT LabelDrawFormat(DWORD dwStyle) {
    UINT nFormat = DT_LEFT;
    if (dwStyle & SS_CENTER) {
        nFormat = DT_CENTER;
    } else if (dwStyle & SS_RIGHT) {
        nFormat = DT_RIGHT;
    }
    return nFormat | ((dwStyle & SS_CENTERIMAGE) ? (DT_SINGLELINE | DT_VCENTER) : DT_WORDBREAK);
}

BEGIN_MESSAGE_MAP(CColorLabel, CStatic)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CColorLabel::CColorLabel()
    : m_crText(::GetSysColor(COLOR_BTNTEXT)),
      m_crBack(::GetSysColor(COLOR_BTNFACE)),
      m_pBkBrush(new CBrush(m_crBack)),
      m_bBold(FALSE),
      m_nTextOffsetX(0),
      m_nTextOffsetY(0),
      m_hIcon(nullptr) {}

CColorLabel::~CColorLabel() {
    m_font.DeleteObject();
    DeleteBkBrush();
}

void CColorLabel::DeleteBkBrush() {
    if (m_pBkBrush == nullptr) return;
    m_pBkBrush->DeleteObject();
    delete m_pBkBrush;
    m_pBkBrush = nullptr;
}

void CColorLabel::Redraw(BOOL bRedraw) {
    if (bRedraw) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// Without an assigned font (WM_GETFONT gives none) the label falls back like PreSubclassWindow.
void CColorLabel::GetAssignedLogFont(LOGFONTA* pLogFont) {
    CFont* pAssigned = GetFont();
    HGDIOBJ hFont = pAssigned != nullptr ? pAssigned->GetSafeHandle() : nullptr;
    if (hFont == nullptr) hFont = ::GetStockObject(DEFAULT_GUI_FONT);
    if (hFont == nullptr) hFont = ::GetStockObject(ANSI_VAR_FONT);
    ::GetObjectA(hFont, sizeof(LOGFONTA), pLogFont);
}

void CColorLabel::PreSubclassWindow() {
    CStatic::PreSubclassWindow();
    LOGFONTA lf;
    std::memset(&lf, 0, sizeof(lf));
    GetAssignedLogFont(&lf);
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&lf);
}

void CColorLabel::SetLogFont(const LOGFONTA* pLogFont, BOOL bRedraw) {
    if (pLogFont == nullptr) return;
    m_font.DeleteObject();
    LOGFONTA lf = *pLogFont;
    lf.lfWeight = WeightOf(m_bBold);
    m_font.CreateFontIndirect(&lf);
    Redraw(bRedraw);
}

void CColorLabel::SetFontFace(LPCTSTR lpszFaceName, int nPointSize, BOOL bRedraw) {
    LOGFONTA lf;
    std::memset(&lf, 0, sizeof(lf));
    if (lpszFaceName != nullptr) {
        std::strncpy(lf.lfFaceName, lpszFaceName, kMaxFaceChars);
    } else {
        GetAssignedLogFont(&lf);
    }
    lf.lfHeight = PointsToHeight(nPointSize);
    SetLogFont(&lf, bRedraw);
}

void CColorLabel::SetTextFont(CFont* pFont, BOOL bRedraw) {
    if (pFont == nullptr) return;
    LOGFONTA lf;
    std::memset(&lf, 0, sizeof(lf));
    pFont->GetLogFont(&lf);
    SetLogFont(&lf, bRedraw);
}

void CColorLabel::SetBold(BOOL bBold, BOOL bRedraw) {
    m_bBold = bBold;
    LOGFONTA lf;
    std::memset(&lf, 0, sizeof(lf));
    GetAssignedLogFont(&lf);
    lf.lfWeight = WeightOf(m_bBold);
    SetLogFont(&lf, bRedraw);
}

void CColorLabel::SetTextColor(COLORREF crText, BOOL bRedraw) {
    m_crText = crText;
    Redraw(bRedraw);
}

void CColorLabel::SetBkColor(COLORREF crBack, BOOL bRedraw) {
    m_crBack = crBack;
    DeleteBkBrush();
    m_pBkBrush = new CBrush(m_crBack);
    Redraw(bRedraw);
}

void CColorLabel::SetLabelIcon(HICON hIcon, BOOL bRedraw) {
    m_hIcon = hIcon;
    Redraw(bRedraw);
}

void CColorLabel::OnPaint() {
    CPaintDC dc(this);
    dc.SaveDC();
    dc.SetTextColor(m_crText);
    dc.SetBkColor(m_crBack);
    dc.SetBkMode(OPAQUE);
    RECT rc;
    GetClientRect(&rc);
    if (m_hIcon != nullptr) {
        PaintIcon(dc, rc);
    } else {
        PaintText(dc, rc);
    }
    dc.RestoreDC(-1);
}

void CColorLabel::PaintIcon(CDC& dc, RECT rc) {
    const int cxIcon = ::GetSystemMetrics(SM_CXICON);
    const int cyIcon = ::GetSystemMetrics(SM_CYICON);
    rc.left += (rc.right - rc.left - cxIcon) / 2;
    rc.top += (rc.bottom - rc.top - cyIcon) / 2;
    dc.DrawIcon(rc.left, rc.top, m_hIcon);
}

void CColorLabel::PaintText(CDC& dc, RECT rc) {
    // A font that failed to be created leaves the device context's own font in place.
    if (m_font.GetSafeHandle() != nullptr) dc.SelectObject(&m_font);
    CString strText;
    GetWindowText(strText);
    const UINT nFormat = LabelDrawFormat(GetStyle());
    rc.left += m_nTextOffsetX;
    rc.top += m_nTextOffsetY;
    dc.DrawText(strText, &rc, nFormat);
}

BOOL CColorLabel::OnEraseBkgnd(CDC* pDC) {
    RECT rc;
    GetClientRect(&rc);
    pDC->FillRect(&rc, m_pBkBrush);
    return TRUE;
}
