// CGemDlg's Save and Load: the file dialogs, the messages and the caption around the .FKT file.
#include "formula_file.h"
#include "gem_dlg.h"

namespace {

const char kFilter[] = "Formulaparser (*.FKT)|*.FKT|All Files (*.*)|*.*||";
const char kDefExt[] = "FKT";

}  // namespace

void CGemDlg::OnSave() {
    UpdateData(TRUE);
    SaveFormulaFile();
}

void CGemDlg::OnLoad() {
    LoadFormulaFile();
    UpdateData(FALSE);
}

void CGemDlg::SaveFormulaFile() {
    CFileDialog dlgFile(FALSE, kDefExt, m_strFileName,
                        OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, kFilter);
    if (dlgFile.DoModal() != IDOK) return;
    m_strFileName = dlgFile.GetPathName();
    const CFormulaFileValues values = LetterValues();
    if (!WriteFileReplacing(m_strFileName.GetString(),
                            FormulaFileText(m_strFormula.GetString(), values))) {
        AfxMessageBox("Can not save the file " + m_strFileName, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CString strCaption;
    strCaption.Format("Formulaparser - %s", static_cast<LPCTSTR>(m_strFileName));
    SetWindowText(strCaption);
}

void CGemDlg::LoadFormulaFile() {
    CFileDialog dlgFile(TRUE, kDefExt, m_strFileName,
                        OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST, kFilter);
    if (dlgFile.DoModal() != IDOK) return;
    m_strFileName = dlgFile.GetPathName();
    const FormulaFileRead read = LoadFormulaFilePath(m_strFileName.GetString());
    switch (read.eOutcome) {
        case FormulaFileRead::kFormula:
            m_strFormula = read.strFormula.c_str();
            return;
        case FormulaFileRead::kEmpty:
            return;
        case FormulaFileRead::kTooLong:
            AfxMessageBox("Can not open the file " + m_strFileName + FormulaTooLongText().c_str(),
                          MB_OK | MB_ICONEXCLAMATION);
            return;
        default:
            AfxMessageBox("Can not open the file " + m_strFileName, MB_OK | MB_ICONEXCLAMATION);
            return;
    }
}
