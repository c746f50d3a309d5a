// A static text that paints itself with its own font, text and background colour, or a centred
// icon. It never hands its font to the window (WM_SETFONT) and never destroys the icon it shows.
#pragma once

#include "framework.h"

class CColorLabel : public CStatic {
public:
    CColorLabel();
    ~CColorLabel() override;

    void SetLogFont(const LOGFONTA* pLogFont, BOOL bRedraw = TRUE);
    void SetFontFace(LPCTSTR lpszFaceName, int nPointSize, BOOL bRedraw = TRUE);
    void SetTextFont(CFont* pFont, BOOL bRedraw = TRUE);
    void SetBold(BOOL bBold, BOOL bRedraw = TRUE);
    void SetTextColor(COLORREF crText, BOOL bRedraw = TRUE);
    void SetBkColor(COLORREF crBack, BOOL bRedraw = TRUE);
    void SetLabelIcon(HICON hIcon, BOOL bRedraw = TRUE);

    HFONT GetLabelFont() const { return static_cast<HFONT>(m_font.GetSafeHandle()); }
    COLORREF GetTextColor() const { return m_crText; }
    COLORREF GetBkColor() const { return m_crBack; }

protected:
    void PreSubclassWindow() override;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    void GetAssignedLogFont(LOGFONTA* pLogFont);
    void DeleteBkBrush();
    void Redraw(BOOL bRedraw);
    void PaintIcon(CDC& dc, RECT rc);
    void PaintText(CDC& dc, RECT rc);

    CFont m_font;
    COLORREF m_crText;
    COLORREF m_crBack;
    CBrush* m_pBkBrush;
    BOOL m_bBold;

public:
    // No setters: a caller that wants its text moved writes these directly.
    int m_nTextOffsetX;
    int m_nTextOffsetY;

private:
    HICON m_hIcon;
};

// DrawText format of a label's text from its window style: alignment bits, then wrap or one line.
UINT LabelDrawFormat(DWORD dwStyle);

// Point size to the negative logical height that asks the font mapper for it on the screen.
int PointsToHeight(int nPointSize);
// Logical font height back to (unsigned) points on the screen.
int HeightToPoints(int nHeight);
