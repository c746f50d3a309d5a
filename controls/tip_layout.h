// Size, screen rectangle and inner layout of an owner-drawn tip from its text, the tool and the
// pointer. Arithmetic only: measuring a line's width is left to the caller's device context.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// The tip's geometry in pixels.
constexpr int kTipStripeWidth = 15;  // the red stripe down the left side
constexpr int kTipTextGap = 1;       // between the stripe and the text area
constexpr int kTipTextTopInset = 1;  // the text area starts below the frame's top line
constexpr int kTipArrowInset = 2;    // the arrow's origin from the stripe's top-left corner
constexpr int kTipTextMargin = 2;    // added to the widest line, and spare on either side of it
constexpr int kTipVerticalMargin = 4;
constexpr int kTipScreenEdgeGap = 25;  // kept clear of the screen's right edge
// The window is wider than the widest line by the stripe, the gap and the spare on both sides.
constexpr int kTipExtraWidth = kTipStripeWidth + kTipTextGap + 2 * kTipTextMargin;

struct TipTextSize {
    int nWidest;  // widest line plus kTipTextMargin
    int nLines;   // line feeds + 1, so a trailing line feed counts an empty last line
};

// The tip text with every carriage return removed; line feeds alone break the lines.
std::string StripCarriageReturns(const std::string& strText);

// Walks the text once; measureLine gives the width of one line without line feeds.
TipTextSize MeasureTipText(const std::string& strText,
                           const std::function<int(const std::string&)>& measureLine);

// Below the tool, left edge at the pointer, pulled left to stay clear of the screen's right edge.
RECT PlaceTip(const RECT& rcTool, POINT ptCursor, const TipTextSize& size, int nLineHeight,
              int cxScreen);

// The stripe down the left side of the client rectangle.
RECT TipStripeRect(const RECT& rcClient);
// The text area beside the stripe, its left edge moved so that the widest line is centred
// (floor of half the spare width).
RECT TipTextRect(const RECT& rcClient, int nWidest);
