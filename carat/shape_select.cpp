// CGemDlg's shape buttons: each marks its row, shows the fields its formula needs, hides the
// answer and puts its formula into the buffer.
#include "gem_dlg.h"

void CGemDlg::OnRoundBrilliant() {
    SelectShape(*FindShapeByButton(IDC_ROUND_BRILLIANT));
}
void CGemDlg::OnOvalBrilliant() {
    SelectShape(*FindShapeByButton(IDC_OVAL_BRILLIANT));
}
void CGemDlg::OnSquareTrillion() {
    SelectShape(*FindShapeByButton(IDC_SQUARE_TRILLION));
}
void CGemDlg::OnRectangle() {
    SelectShape(*FindShapeByButton(IDC_RECTANGLE));
}
void CGemDlg::OnMarquiseBrilliant() {
    SelectShape(*FindShapeByButton(IDC_MARQUISE_BRILLIANT));
}
void CGemDlg::OnPearBrilliant() {
    SelectShape(*FindShapeByButton(IDC_PEAR_BRILLIANT));
}
void CGemDlg::OnTriangleTrillion() {
    SelectShape(*FindShapeByButton(IDC_TRIANGLE_TRILLION));
}
void CGemDlg::OnHeartBrilliant() {
    SelectShape(*FindShapeByButton(IDC_HEART_BRILLIANT));
}

// Undo first, append last: together they replace the latest change with the shape's formula.
void CGemDlg::SelectShape(const CShape& shape) {
    OnUndo();
    const int nWidth = shape.bWidthShown ? SW_SHOW : SW_HIDE;
    GetDlgItem(IDC_WIDTH_EDIT)->ShowWindow(nWidth);
    m_lblWidth.ShowWindow(nWidth);
    m_lblLength.ShowWindow(shape.bDiameter ? SW_HIDE : SW_SHOW);
    GetDlgItem(IDC_ANSWER)->ShowWindow(SW_HIDE);
    m_lblDiameter.ShowWindow(shape.bDiameter ? SW_SHOW : SW_HIDE);
    ShowShapePictures(shape, true);
    for (const CShape& other : kShapes)
        if (&other != &shape) ShowShapePictures(other, false);
    AppendToFormula(shape.pszFormula);
}

void CGemDlg::ShowShapePictures(const CShape& shape, bool bSelected) {
    GetDlgItem(shape.nNormalPictureID)->ShowWindow(bSelected ? SW_HIDE : SW_SHOW);
    GetDlgItem(shape.nSelectedPictureID)->ShowWindow(bSelected ? SW_SHOW : SW_HIDE);
    GetDlgItem(shape.nArrowID)->ShowWindow(bSelected ? SW_SHOW : SW_HIDE);
}
