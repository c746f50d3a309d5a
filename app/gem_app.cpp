#include "gem_app.h"

#include <string>

#include "formula_parser.h"
#include "gem_dlg.h"

namespace {

// The engine's own messages ("ProgrammError in SetFunctConst()") in the application's box.
void ShowEngineMessage(const std::string& strText) {
    AfxMessageBox(strText.c_str());
}

}  // namespace

BEGIN_MESSAGE_MAP(CGemApp, CWinApp)
ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CGemApp::CGemApp() {
    CFormulaParser::SetMessageHook(&ShowEngineMessage);
}

CGemApp::~CGemApp() {}

CGemApp theApp;

BOOL CGemApp::InitInstance() {
    CGemDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    return FALSE;
}
