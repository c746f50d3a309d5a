// Compiled once per WRONG_HANDLER value by the build's tests: 0 must compile, every other value
// must be rejected because the handler does not have the signature its map entry requires.
#include <type_traits>

#include "framework.h"

#ifndef WRONG_HANDLER
#define WRONG_HANDLER 0
#endif

// Case n swaps one handler's type for a wrong one; the others stay right, so only it can fail.
template <int n, class Right, class Wrong>
using Handler = std::conditional_t<WRONG_HANDLER == n, Wrong, Right>;

class CProbeDlg : public CDialog {
protected:
    afx_msg Handler<1, void(), BOOL()> OnPaint;
    afx_msg Handler<2, HBRUSH(CDC*, CWnd*, UINT), void(CDC*, CWnd*, UINT)> OnCtlColor;
    afx_msg Handler<3, void(UINT, LPARAM), void(UINT)> OnSysCommand;
    afx_msg Handler<4, BOOL(CDC*), BOOL()> OnEraseBkgnd;
    afx_msg Handler<5, Handler<6, void(), BOOL()>, void(UINT)> OnClick;
    afx_msg Handler<7, void(UINT), void(int)> OnDigit;
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
