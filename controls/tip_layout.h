// Size and screen rectangle of an owner-drawn tip from its text, the tool and the pointer.
// Arithmetic only: measuring a line's width is left to the caller's device context.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

struct CTipTextSize {
    int nWidest;  // widest line plus the 2-pixel margin
    int nLines;   // line feeds + 1, so a trailing line feed counts an empty last line
};

// The tip text with every carriage return removed; line feeds alone break the lines.
std::string StripCarriageReturns(const std::string& strText);

// Walks the text once; measureLine gives the width of one line without line feeds.
CTipTextSize MeasureTipText(const std::string& strText,
                            const std::function<int(const std::string&)>& measureLine);

// Below the tool, left edge at the pointer, pulled left to stay 25 pixels clear of the screen edge.
RECT PlaceTip(const RECT& rcTool, POINT ptCursor, const CTipTextSize& size, int nLineHeight,
              int cxScreen);

// Left edge of the text that centres the widest line in rcText (floor of half the spare width).
LONG TipTextLeft(const RECT& rcText, int nWidest);
