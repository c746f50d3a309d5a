#include "shape_catalogue.h"

#include "ascii_case.h"

const Shape* FindShapeByButton(int nButtonID) {
    for (const Shape& shape : kShapes)
        if (shape.nButtonID == nButtonID) return &shape;
    return nullptr;
}

const Shape* FindShapeByName(std::string_view name) {
    for (const Shape& shape : kShapes) {
        const std::string_view caption = shape.pszCaption;
        if (EqualIgnoringAsciiCase(name, caption) ||
            EqualIgnoringAsciiCase(name, caption.substr(0, caption.find(' '))))
            return &shape;
    }
    return nullptr;
}

std::string UnknownShapeText(std::string_view name) {
    std::vector<std::string_view> names;
    for (const Shape& shape : kShapes) {
        const std::string_view caption = shape.pszCaption;
        names.push_back(caption);
        names.push_back(caption.substr(0, caption.find(' ')));
    }
    const std::string_view nearest = NearestName(name, names);
    if (!nearest.empty())
        return "unknown shape '" + std::string(name) + "'; did you mean " + std::string(nearest) +
               "?";
    std::string text = "unknown shape '" + std::string(name) + "'; the shapes are ";
    for (const Shape& shape : kShapes)
        text += std::string(&shape == kShapes ? "" : ", ") + shape.pszCaption;
    return text + " (in any letter case, or just the first word)";
}

std::vector<std::string> ShapeFields(const Shape& shape) {
    std::vector<std::string> fields{shape.bDiameter ? "DIAMETER" : "LENGTH"};
    if (shape.bWidthShown) fields.push_back("WIDTH");
    fields.push_back("DEPTH");
    return fields;
}
