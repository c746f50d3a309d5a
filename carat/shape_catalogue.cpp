#include "shape_catalogue.h"

#include "ascii_case.h"

const Shape* FindShapeByButton(int nButtonID) {
    for (const Shape& shape : kShapes)
        if (shape.nButtonID == nButtonID) return &shape;
    return nullptr;
}

namespace {

bool NamesShape(std::string_view name, const Shape& shape) {
    const std::string_view caption = shape.pszCaption;
    return EqualIgnoringAsciiCase(name, caption) ||
           EqualIgnoringAsciiCase(name, caption.substr(0, caption.find(' ')));
}

}  // namespace

const Shape* FindShapeByName(std::string_view name) {
    for (const Shape& shape : kShapes)
        if (NamesShape(name, shape)) return &shape;
    return nullptr;
}

const Shape* FindStoneShape(std::string_view name, bool bMeasured) {
    const Shape* pShape = FindShapeByName(name);
    for (std::size_t i = 0; pShape == nullptr && bMeasured && i < kRuleShapeCount; ++i)
        if (NamesShape(name, kRuleShapes[i])) pShape = &kRuleShapes[i];
    return pShape;
}

std::string UnknownShapeText(std::string_view name, bool bMeasured) {
    std::vector<const Shape*> shapes;
    for (const Shape& shape : kShapes)
        shapes.push_back(&shape);
    for (std::size_t i = 0; bMeasured && i < kRuleShapeCount; ++i)
        shapes.push_back(&kRuleShapes[i]);
    std::vector<std::string_view> names;
    for (const Shape* pShape : shapes) {
        const std::string_view caption = pShape->pszCaption;
        names.push_back(caption);
        names.push_back(caption.substr(0, caption.find(' ')));
    }
    const std::string_view nearest = NearestName(name, names);
    if (!nearest.empty())
        return "unknown shape '" + std::string(name) + "'; did you mean " + std::string(nearest) +
               "?";
    std::string text = "unknown shape '" + std::string(name) + "'; the shapes are ";
    for (const Shape* pShape : shapes)
        text += std::string(pShape == shapes.front() ? "" : ", ") + pShape->pszCaption;
    return text + " (in any letter case, or just the first word)";
}

std::vector<std::string> ShapeFields(const Shape& shape) {
    std::vector<std::string> fields{shape.bDiameter ? "DIAMETER" : "LENGTH"};
    if (shape.bWidthShown) fields.push_back("WIDTH");
    fields.push_back("DEPTH");
    return fields;
}
