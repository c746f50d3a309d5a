// CGemDlg's formula buffer: append, undo, delete and the digit keys, and the keypad's text keys.
#include "gem_dlg.h"
#include "keypad_keys.h"

void CGemDlg::AppendToFormula(CString strText) {
    UpdateData(TRUE);
    m_strFormulaUndo = m_strFormula;
    m_strFormula += strText;
    UpdateData(FALSE);
    FocusFormulaEdit();
    PutFormulaCaretAtEnd();
}

void CGemDlg::OnUndo() {
    UpdateData(TRUE);
    CString strTemp = m_strFormula;
    m_strFormula = m_strFormulaUndo;
    m_strFormulaUndo = strTemp;
    UpdateData(FALSE);
}

void CGemDlg::OnDelete() {
    UpdateData(TRUE);
    m_strFormulaUndo = m_strFormula;
    m_strFormula.Empty();
    UpdateData(FALSE);
}

void CGemDlg::OnDigit(UINT nID) {
    CString strDigit;
    strDigit.Format("%u", nID - IDC_DIGIT0);
    AppendToFormula(strDigit);
}

void CGemDlg::AppendKeyText(UINT nID) {
    const char* pszText = KeypadText(static_cast<int>(nID));
    if (pszText != nullptr) AppendToFormula(pszText);
}

void CGemDlg::PutFormulaCaretAtEnd() {
    // EM_SETSEL clamps to the text, so this start and end put the caret after the last character.
    constexpr WPARAM kEnd = 0x7FFF;
    SendDlgItemMessage(IDC_FORMULA, EM_SETSEL, kEnd, kEnd);
}

// The formula edit is hidden: keys typed into it would silently change the weight.
void CGemDlg::FocusFormulaEdit() {
    CWnd* pEdit = GetDlgItem(IDC_FORMULA);
    if (pEdit != nullptr && pEdit->IsWindowVisible()) pEdit->SetFocus();
}
