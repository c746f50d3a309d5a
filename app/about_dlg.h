// The About box: one full-size picture and a "Close" button, closed with OK or Cancel.
// No members, no initialisation of its own; everything else comes from CDialog.
#pragma once

#include "framework.h"
#include "resource.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* pParent = nullptr);
    ~CAboutDlg() override;

    enum { IDD = IDD_ABOUTBOX };

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()
};
