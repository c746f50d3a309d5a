// CGemDlg's shape buttons: each marks its row, shows the fields its formula needs, hides the
// answer and puts its formula into the buffer.
#include "gem_dlg.h"

namespace {

// The catalogue writes the window ids as numbers; they must be the resource script's.
constexpr int kWindowIds[kShapeCount][6] = {
    {IDC_ROUND_BRILLIANT, IDC_PIC_ROUND, IDB_ROUND, IDC_PIC_ROUND_SEL, IDB_ROUND_SEL, IDC_ARROW1},
    {IDC_OVAL_BRILLIANT, IDC_PIC_OVAL, IDB_OVAL, IDC_PIC_OVAL_SEL, IDB_OVAL_SEL, IDC_ARROW2},
    {IDC_SQUARE_TRILLION, IDC_PIC_SQUARE, IDB_SQUARE, IDC_PIC_SQUARE_SEL, IDB_SQUARE_SEL,
     IDC_ARROW3},
    {IDC_RECTANGLE, IDC_PIC_RECTANGLE, IDB_RECTANGLE, IDC_PIC_RECTANGLE_SEL, IDB_RECTANGLE_SEL,
     IDC_ARROW4},
    {IDC_MARQUISE_BRILLIANT, IDC_PIC_MARQUISE, IDB_MARQUISE, IDC_PIC_MARQUISE_SEL, IDB_MARQUISE_SEL,
     IDC_ARROW5},
    {IDC_PEAR_BRILLIANT, IDC_PIC_PEAR, IDB_PEAR, IDC_PIC_PEAR_SEL, IDB_PEAR_SEL, IDC_ARROW6},
    {IDC_TRIANGLE_TRILLION, IDC_PIC_TRIANGLE, IDB_TRIANGLE, IDC_PIC_TRIANGLE_SEL, IDB_TRIANGLE_SEL,
     IDC_ARROW7},
    {IDC_HEART_BRILLIANT, IDC_PIC_HEART, IDB_HEART, IDC_PIC_HEART_SEL, IDB_HEART_SEL, IDC_ARROW8},
};

constexpr bool CatalogueHasTheWindowIds() {
    for (std::size_t i = 0; i < kShapeCount; ++i) {
        const Shape& shape = kShapes[i];
        const int anId[6] = {shape.nButtonID,         shape.nNormalPictureID,
                             shape.nNormalBitmapID,   shape.nSelectedPictureID,
                             shape.nSelectedBitmapID, shape.nArrowID};
        for (int n = 0; n < 6; ++n)
            if (anId[n] != kWindowIds[i][n]) return false;
    }
    return true;
}
static_assert(CatalogueHasTheWindowIds(), "a shape's window id differs from res/resource.h");

}  // namespace

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
void CGemDlg::SelectShape(const Shape& shape) {
    OnUndo();
    const int nWidth = shape.bWidthShown ? SW_SHOW : SW_HIDE;
    GetDlgItem(IDC_WIDTH_EDIT)->ShowWindow(nWidth);
    m_lblWidth.ShowWindow(nWidth);
    m_lblLength.ShowWindow(shape.bDiameter ? SW_HIDE : SW_SHOW);
    GetDlgItem(IDC_ANSWER)->ShowWindow(SW_HIDE);
    m_lblDiameter.ShowWindow(shape.bDiameter ? SW_SHOW : SW_HIDE);
    ShowShapePictures(shape, true);
    for (const Shape& other : kShapes)
        if (&other != &shape) ShowShapePictures(other, false);
    AppendToFormula(shape.pszFormula);
}

void CGemDlg::ShowShapePictures(const Shape& shape, bool bSelected) {
    GetDlgItem(shape.nNormalPictureID)->ShowWindow(bSelected ? SW_HIDE : SW_SHOW);
    GetDlgItem(shape.nSelectedPictureID)->ShowWindow(bSelected ? SW_SHOW : SW_HIDE);
    GetDlgItem(shape.nArrowID)->ShowWindow(bSelected ? SW_SHOW : SW_HIDE);
}
