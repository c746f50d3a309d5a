// CGemDlg's Calculate and Click Here: the value fields feed the formula letters, the engine
// evaluates the buffer and the answer field shows the weight or the error text.
#include "answer_text.h"
#include "formula_parser.h"
#include "gem_dlg.h"

void CGemDlg::OnCalculate() {
    UpdateData(TRUE);
    CFormulaParser parser;
    const double dX = formula::LoadLetters(parser, LetterValues());
    const FormulaResult result = formula::Evaluate(parser, m_strFormula.GetString(), dX);
    FocusFormulaEdit();
    m_strAnswer = AnswerText(result).c_str();
    if (result.nPosition != 0)  // EM_SETSEL: the one character where reading stopped
        SendDlgItemMessage(IDC_FORMULA, EM_SETSEL, result.nPosition - 1, result.nPosition);
    else
        PutFormulaCaretAtEnd();
    UpdateData(FALSE);
}

void CGemDlg::OnClickHere() {
    GetDlgItem(IDC_ANSWER)->ShowWindow(SW_SHOW);
    OnCalculate();
}
