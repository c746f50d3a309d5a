#include "shape_catalogue.h"

#include "ascii_case.h"
#include "resource.h"

// clang-format off
const CShape kShapes[kShapeCount] = {
    {IDC_ROUND_BRILLIANT, "Round Brilliant", IDC_PIC_ROUND, IDB_ROUND, IDC_PIC_ROUND_SEL,
     IDB_ROUND_SEL, IDC_ARROW1, true, false, "(B/2*B/2*G*.0245)*1.05"},
    {IDC_OVAL_BRILLIANT, "Oval Brilliant", IDC_PIC_OVAL, IDB_OVAL, IDC_PIC_OVAL_SEL,
     IDB_OVAL_SEL, IDC_ARROW2, false, true, "(B+F)/2*(B+F)/2*G*.0065"},
    {IDC_SQUARE_TRILLION, "Square Trillion", IDC_PIC_SQUARE, IDB_SQUARE, IDC_PIC_SQUARE_SEL,
     IDB_SQUARE_SEL, IDC_ARROW3, false, false, "(B*2/3)*B*G*.013"},
    {IDC_RECTANGLE, "Rectangle", IDC_PIC_RECTANGLE, IDB_RECTANGLE, IDC_PIC_RECTANGLE_SEL,
     IDB_RECTANGLE_SEL, IDC_ARROW4, false, true, "(B-(F/3))*F*G*.013"},
    {IDC_MARQUISE_BRILLIANT, "Marquise Brilliant", IDC_PIC_MARQUISE, IDB_MARQUISE,
     IDC_PIC_MARQUISE_SEL, IDB_MARQUISE_SEL, IDC_ARROW5, false, true, "(B-(F/3))*F*G*.0079"},
    {IDC_PEAR_BRILLIANT, "Pear Brilliant", IDC_PIC_PEAR, IDB_PEAR, IDC_PIC_PEAR_SEL,
     IDB_PEAR_SEL, IDC_ARROW6, false, true, "B*F*G*.0062"},
    {IDC_TRIANGLE_TRILLION, "Triangle Trillion", IDC_PIC_TRIANGLE, IDB_TRIANGLE,
     IDC_PIC_TRIANGLE_SEL, IDB_TRIANGLE_SEL, IDC_ARROW7, false, true, "B*F*G*.0057"},
    {IDC_HEART_BRILLIANT, "Heart Brilliant", IDC_PIC_HEART, IDB_HEART, IDC_PIC_HEART_SEL,
     IDB_HEART_SEL, IDC_ARROW8, false, true, "B*F*G*.0060"},
};
// clang-format on

const CShape* FindShapeByButton(int nButtonID) {
    for (const CShape& shape : kShapes)
        if (shape.nButtonID == nButtonID) return &shape;
    return nullptr;
}

const CShape* FindShapeByName(std::string_view strName) {
    for (const CShape& shape : kShapes) {
        const std::string_view strCaption = shape.pszCaption;
        if (EqualIgnoringAsciiCase(strName, strCaption) ||
            EqualIgnoringAsciiCase(strName, strCaption.substr(0, strCaption.find(' '))))
            return &shape;
    }
    return nullptr;
}
