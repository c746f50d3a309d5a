#include "columns.h"

#include <vector>

#include "ascii_case.h"
#include "stone_corrections.h"

namespace {

struct ColumnSynonym {
    EColumn eColumn;
    const char* pszName;  // lower case, words apart by one blank
};

// Names spreadsheets and scanners give the columns; "d" is the depth, as gauges write it.
const ColumnSynonym kSynonyms[] = {
    {EColumn::kShape, "shape"},
    {EColumn::kLength, "length"},
    {EColumn::kLength, "l"},
    {EColumn::kLength, "diameter"},
    {EColumn::kMinDiameter, "min diameter"},
    {EColumn::kMinDiameter, "minimum diameter"},
    {EColumn::kMinDiameter, "diameter min"},
    {EColumn::kMaxDiameter, "max diameter"},
    {EColumn::kMaxDiameter, "maximum diameter"},
    {EColumn::kMaxDiameter, "diameter max"},
    {EColumn::kWidth, "width"},
    {EColumn::kWidth, "w"},
    {EColumn::kDepth, "depth"},
    {EColumn::kDepth, "d"},
    {EColumn::kDepth, "total depth"},
    {EColumn::kHeight, "height"},
    {EColumn::kHeight, "h"},
    {EColumn::kTablePct, "table"},
    {EColumn::kId, "id"},
    {EColumn::kId, "stone id"},
    {EColumn::kCount, "count"},
    {EColumn::kCount, "pcs"},
    {EColumn::kCount, "pieces"},
    {EColumn::kCount, "qty"},
    {EColumn::kCount, "quantity"},
    {EColumn::kGirdle, "girdle"},
    {EColumn::kGem, "gem"},
    {EColumn::kGem, "material"},
    // German spreadsheets, in UTF-8 and in Windows-1252 as Excel writes them.
    {EColumn::kShape, "form"},
    {EColumn::kLength, "l\xC3\xA4nge"},
    {EColumn::kLength, "l\xE4nge"},
    {EColumn::kLength, "laenge"},
    {EColumn::kLength, "durchmesser"},
    {EColumn::kWidth, "breite"},
    {EColumn::kDepth, "tiefe"},
    {EColumn::kHeight, "h\xC3\xB6he"},
    {EColumn::kHeight, "h\xF6he"},
    {EColumn::kHeight, "hoehe"},
    {EColumn::kCount, "anzahl"},
    {EColumn::kGirdle, "rundiste"},
    {EColumn::kId, "nr"},
};

// Units written as a name's last word ("length mm", "depth pct") and what each stands for.
const std::pair<const char*, const char*> kUnitWords[] = {
    {"mm", "mm"}, {"%", "%"}, {"pct", "%"}, {"percent", "%"}, {"percentage", "%"}};

// Lower case, '_' '-' '.' as blanks, one blank between words, none around them.
std::string Normalized(std::string_view name) {
    std::string text;
    for (const char c : name) {
        const char lower = AsciiLower(c);
        const bool bBlank =
            lower == ' ' || lower == '_' || lower == '-' || lower == '.' || lower == '\t';
        if (bBlank && (text.empty() || text.back() == ' ')) continue;
        text.push_back(bBlank ? ' ' : lower);
    }
    if (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// Takes a unit off the name's end: "(mm)", "[%]", a unit word, or "%" written on.
std::string TakeUnit(std::string& name) {
    std::string unit;
    const char cClose = name.empty() ? '\0' : name.back();
    const std::size_t nOpen = name.find_last_of(cClose == ')' ? '(' : '[');
    if ((cClose == ')' || cClose == ']') && nOpen != std::string::npos) {
        unit = Normalized(name.substr(nOpen + 1, name.size() - nOpen - 2));
        name = Normalized(name.substr(0, nOpen));
    } else if (!name.empty() && name.back() == '%') {
        unit = "%";
        name = Normalized(name.substr(0, name.size() - 1));
    } else {
        const std::size_t nBlank = name.rfind(' ');
        if (nBlank == std::string::npos) return unit;
        for (const auto& [pszWord, pszUnit] : kUnitWords) {
            if (name.compare(nBlank + 1, std::string::npos, pszWord) != 0) continue;
            name.resize(nBlank);
            return pszUnit;
        }
        return unit;
    }
    for (const auto& [pszWord, pszUnit] : kUnitWords)
        if (unit == pszWord) unit = pszUnit;
    return unit;
}

}  // namespace

HeaderMeaning ReadHeaderName(std::string_view name) {
    HeaderMeaning meaning;
    meaning.strName = Normalized(name);
    meaning.strUnit = TakeUnit(meaning.strName);
    // "min. diameter" and "min diameter" alike: the point went with the blanks.
    for (const ColumnSynonym& synonym : kSynonyms) {
        if (meaning.strName != synonym.pszName) continue;
        meaning.eColumn = synonym.eColumn;
        // A depth in % is a share of the diameter, never millimetres.
        if (meaning.eColumn == EColumn::kDepth && meaning.strUnit == "%")
            meaning.eColumn = EColumn::kDepthPct;
        return meaning;
    }
    return meaning;
}

const char* ColumnUnit(EColumn eColumn) {
    switch (eColumn) {
        case EColumn::kLength:
        case EColumn::kMinDiameter:
        case EColumn::kMaxDiameter:
        case EColumn::kWidth:
        case EColumn::kDepth:
        case EColumn::kHeight:
            return "mm";
        case EColumn::kDepthPct:
        case EColumn::kTablePct:
            return "%";
        default:
            return "";
    }
}

OutputNames MakeOutputNames(const char* pszUnitColumn, bool bAside) {
    const std::string strAside = bAside ? "estimated_" : "";
    const std::string strWeight = strAside + pszUnitColumn;
    return {strWeight,
            strWeight + "_low",
            strWeight + "_high",
            strWeight + "_range_low",
            strWeight + "_range_high",
            strAside + "lot_" + pszUnitColumn,
            strAside + "model",
            strAside + "deviation_pct",
            "error"};
}

bool IsOutputColumn(std::string_view name) {
    const std::string normalized = ReadHeaderName(name).strName;
    if (normalized == "error") return true;
    for (const WeightUnit& unit : kWeightUnits) {
        for (const bool bAside : {false, true}) {
            const OutputNames names = MakeOutputNames(unit.pszColumn, bAside);
            for (const std::string* pName :
                 {&names.strWeight, &names.strLow, &names.strHigh, &names.strRangeLow,
                  &names.strRangeHigh, &names.strLot, &names.strModel, &names.strDeviation})
                if (normalized == Normalized(*pName)) return true;
        }
    }
    return false;
}
