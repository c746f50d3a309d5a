#include "tip_layout.h"

#include <algorithm>

namespace {

constexpr int kTextMargin = 2;
constexpr int kStripeAndFrame = 20;
constexpr int kVerticalMargin = 4;
constexpr int kScreenEdgeGap = 25;

}  // namespace

std::string StripCarriageReturns(const std::string& strText) {
    std::string strResult = strText;
    strResult.erase(std::remove(strResult.begin(), strResult.end(), '\r'), strResult.end());
    return strResult;
}

CTipTextSize MeasureTipText(const std::string& strText,
                            const std::function<int(const std::string&)>& measureLine) {
    CTipTextSize size{0, 1};
    std::string strLine;
    for (char ch : strText) {
        if (ch != '\n') {
            strLine += ch;
            continue;
        }
        size.nWidest = std::max(size.nWidest, measureLine(strLine));
        ++size.nLines;
        strLine.clear();
    }
    if (!strLine.empty()) size.nWidest = std::max(size.nWidest, measureLine(strLine));
    if (size.nLines == 1) size.nWidest = std::max(size.nWidest, measureLine(strText));
    size.nWidest += kTextMargin;
    return size;
}

RECT PlaceTip(const RECT& rcTool, POINT ptCursor, const CTipTextSize& size, int nLineHeight,
              int cxScreen) {
    RECT rc;
    rc.top = rcTool.bottom;
    rc.bottom = rc.top + size.nLines * nLineHeight + kVerticalMargin;
    rc.left = ptCursor.x;
    rc.right = rc.left + size.nWidest + kStripeAndFrame;
    const LONG nMaxRight = cxScreen - kScreenEdgeGap;
    if (rc.right > nMaxRight) {
        rc.left -= rc.right - nMaxRight;
        rc.right = nMaxRight;
    }
    return rc;
}

LONG TipTextLeft(const RECT& rcText, int nWidest) {
    const LONG nSpare = rcText.right - rcText.left - nWidest;
    const LONG nOffset = nSpare >= 0 ? nSpare / 2 : -((1 - nSpare) / 2);
    return rcText.left + nOffset;
}
