// A tooltip that sizes itself to its text, moves below the window under the pointer and paints
// a white box with a red stripe and arrow; creation and tool handling stay with CToolTipCtrl.
#pragma once

#include "framework.h"

class CToolTipCtrlEx : public CToolTipCtrl {
    DECLARE_DYNAMIC(CToolTipCtrlEx)

public:
    CToolTipCtrlEx();
    ~CToolTipCtrlEx() override;

    COLORREF m_crBack;
    COLORREF m_crStripe;
    COLORREF m_crBorder;
    COLORREF m_crText;
    COLORREF m_crArrow;

protected:
    void PreSubclassWindow() override;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnNcPaint();
    DECLARE_MESSAGE_MAP()

private:
    void DrawTip(CDC& dc, const CString& strText, int nWidest, int nLines);
    void DrawArrow(CDC& dc, const RECT& rcStripe);
};
