// The main dialog: its record of members, data exchange, initialisation, painting and closing.
// The shape, calculator and file commands are its handlers, defined in the carat and workbench
// layers.
#pragma once

#include "color_label.h"
#include "formula_letters.h"
#include "framework.h"
#include "resource.h"
#include "shape_catalogue.h"
#include "tooltip_ctrl_ex.h"

class CGemDlg : public CDialog {
public:
    explicit CGemDlg(CWnd* pParent = nullptr);
    ~CGemDlg() override;

    enum { IDD = IDD_VELASTRO_DIALOG };

    CBrush m_brBackground;
    HICON m_hDlgIcon;
    CString m_strFormula;
    CString m_strAnswer;
    double m_dB;
    double m_dF;
    double m_dG;
    double m_dH;
    double m_dJ;
    double m_dK;
    double m_dM;
    double m_dN;
    double m_dU;
    double m_dX;
    CString m_strFormulaUndo;
    CString m_strFileName;
    CToolTipCtrlEx m_toolTip;
    CColorLabel m_lblEnterDimensions;
    CColorLabel m_lblInMillimeters;
    CColorLabel m_lblChooseShape;
    CColorLabel m_lblAnswer;
    CColorLabel m_lblLength;
    CColorLabel m_lblWidth;
    CColorLabel m_lblDepth;
    CColorLabel m_lblDiameter;
    CStatic m_picRound;
    CStatic m_picRoundSel;
    CStatic m_picOval;
    CStatic m_picOvalSel;
    CStatic m_picSquare;
    CStatic m_picSquareSel;
    CStatic m_picRectangle;
    CStatic m_picMarquise;
    CStatic m_picMarquiseSel;
    CStatic m_picPear;
    CStatic m_picPearSel;
    CStatic m_picRectangleSel;
    CStatic m_picTriangle;
    CStatic m_picTriangleSel;
    CStatic m_picHeart;
    CStatic m_picHeartSel;
    CStatic m_picArrow1;
    CStatic m_picArrow2;
    CStatic m_picArrow3;
    CStatic m_picArrow4;
    CStatic m_picArrow5;
    CStatic m_picArrow6;
    CStatic m_picArrow7;
    CStatic m_picArrow8;

    // Formula buffer (workbench/formula_buffer.cpp).
    void AppendToFormula(CString strText);
    afx_msg void OnUndo();
    afx_msg void OnDelete();
    afx_msg void OnDigit(UINT nID);

    // Keypad: one handler per text key, each appending its key's text from the keypad table.
    template <UINT nID>
    afx_msg void OnKey() {
        AppendKeyText(nID);
    }

    // Formula file (workbench/formula_file_commands.cpp).
    afx_msg void OnSave();
    afx_msg void OnLoad();
    void SaveFormulaFile();
    void LoadFormulaFile();

    // Shapes and Calculate (carat/).
    void SelectShape(const Shape& shape);
    afx_msg void OnRoundBrilliant();
    afx_msg void OnOvalBrilliant();
    afx_msg void OnSquareTrillion();
    afx_msg void OnRectangle();
    afx_msg void OnMarquiseBrilliant();
    afx_msg void OnPearBrilliant();
    afx_msg void OnTriangleTrillion();
    afx_msg void OnHeartBrilliant();
    afx_msg void OnCalculate();
    afx_msg void OnClickHere();

    // The value members in the order of the formula letters they feed.
    formula::LetterValues LetterValues() const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnPaint();
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnBnClickedCancel();
    afx_msg void OnAbout();
    DECLARE_MESSAGE_MAP()

private:
    void AppendKeyText(UINT nID);
    void FocusFormulaEdit();
    void PutFormulaCaretAtEnd();
    void ShowShapePictures(const Shape& shape, bool bSelected);
    void AppendAboutToSystemMenu();
    void StyleLabels();
    void ShowStartPictures();
    void KeepAnswerAboveItsFrame();
};
