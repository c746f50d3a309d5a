// Wrappers of the static control the dialogs bind (CStatic) and of the common tooltip control
// (CToolTipCtrl). Messages only; they draw nothing themselves.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "wnd.h"

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    CStatic() = default;
};

class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    CToolTipCtrl() = default;

    // A tooltips_class32 popup owned by pParentWnd, always tipping (TTS_ALWAYSTIP).
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    // A tool for a window (nIDTool 0: the whole window, its handle as id) or for a rectangle of
    // it with the id nIDTool.
    BOOL AddTool(CWnd* pWnd, LPCSTR lpszText = LPSTR_TEXTCALLBACKA, LPCRECT lpRectTool = NULL,
                 UINT_PTR nIDTool = 0);
    void Activate(BOOL bActivate);
    // Hands a mouse message of a tool to the control, which shows and hides the tip from them.
    void RelayEvent(LPMSG lpMsg);
};
