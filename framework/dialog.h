// CDialog: a modal dialog from a template resource, with data exchange between controls and
// members (CDataExchange, DDX_Text, DDX_Control). No modeless dialogs, no dialog validation (DDV).
#pragma once

#include "wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate;  // TRUE: controls into members
    CWnd* m_pDlgWnd;

    // The control with that id, remembered as the one to return to when the exchange fails.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Gives the last prepared control the focus (an edit with all its text selected) and ends
    // the exchange with a CUserException.
    [[noreturn]] void Fail();

    UINT m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;
};

// The framework's message for a number field it cannot read.
extern const char kAfxParseRealText[];

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    ~CDialog() override;

    // Runs the dialog and returns the EndDialog result; -1 when it cannot be created.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    // Exchange out (the first one makes the DDX_Control bindings); TRUE: default focus.
    virtual BOOL OnInitDialog();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL CheckAutoCenter() override;

    LPCSTR m_lpszTemplateName = NULL;
    CWnd* m_pParentWnd = NULL;

protected:
    virtual void OnOK();
    virtual void OnCancel();
    afx_msg void OnPaint();

    BOOL CreateDlgIndirect(LPCDLGTEMPLATEA lpDialogTemplate, HWND hWndParent, HINSTANCE hInst);
    LPCDLGTEMPLATEA m_lpDialogTemplate = NULL;

    friend INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
