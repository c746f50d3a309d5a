// Compiled once per WRONG_HANDLER value by the build's tests: 0 must compile, every other value
// must be rejected because the handler does not have the signature its map entry requires.
// The values and their names are listed in CMakeLists.txt.
#include "framework.h"

#ifndef WRONG_HANDLER
#define WRONG_HANDLER 0
#endif

class CProbeDlg : public CDialog {
protected:
// Each wrong value changes one handler; the others stay right, so only that one can fail.
#if WRONG_HANDLER == 1
    afx_msg BOOL OnPaint();
#else
    afx_msg void OnPaint();
#endif
#if WRONG_HANDLER == 2
    afx_msg void OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
#else
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
#endif
#if WRONG_HANDLER == 3
    afx_msg void OnSysCommand(UINT nID);
#else
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
#endif
#if WRONG_HANDLER == 4
    afx_msg BOOL OnEraseBkgnd();
#else
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
#endif
#if WRONG_HANDLER == 5
    afx_msg void OnClick(UINT nID);
#elif WRONG_HANDLER == 6
    afx_msg BOOL OnClick();
#else
    afx_msg void OnClick();
#endif
#if WRONG_HANDLER == 7
    afx_msg void OnDigit(int nID);
#else
    afx_msg void OnDigit(UINT nID);
#endif
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeDlg, CDialog)
ON_WM_PAINT()
ON_WM_CTLCOLOR()
ON_WM_SYSCOMMAND()
ON_WM_ERASEBKGND()
ON_BN_CLICKED(1003, &CProbeDlg::OnClick)
ON_COMMAND_RANGE(500, 509, &CProbeDlg::OnDigit)
END_MESSAGE_MAP()
