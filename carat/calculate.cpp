// CGemDlg's Calculate and Click Here: the value fields feed the formula letters, the engine
// evaluates the buffer and the answer field shows the weight or the error text.
#include <cstdint>
#include <string>

#include "answer_text.h"
#include "formula_parser.h"
#include "gem_dlg.h"

void CGemDlg::OnCalculate() {
    std::string strError;
    UpdateData(TRUE);
    CFormulaParser parser;
    const double dX = formula::LoadLetters(parser, LetterValues());
    std::uint16_t nErrorPosition = 0;
    const double dValue =
        parser.Calculation(m_strFormula.GetString(), dX, nErrorPosition, strError);
    FocusFormulaEdit();
    m_strAnswer = AnswerText(dValue, nErrorPosition, strError).c_str();
    if (nErrorPosition != 0)  // EM_SETSEL: the one character where reading stopped
        SendDlgItemMessage(IDC_FORMULA, EM_SETSEL, nErrorPosition - 1, nErrorPosition);
    else
        PutFormulaCaretAtEnd();
    UpdateData(FALSE);
}

void CGemDlg::OnClickHere() {
    GetDlgItem(IDC_ANSWER)->ShowWindow(SW_SHOW);
    OnCalculate();
}
