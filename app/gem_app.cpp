#include "gem_app.h"

#include "gem_dlg.h"

BEGIN_MESSAGE_MAP(CGemApp, CWinApp)
ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CGemApp::CGemApp() {}

CGemApp::~CGemApp() {}

CGemApp theApp;

BOOL CGemApp::InitInstance() {
    CGemDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    return FALSE;
}
