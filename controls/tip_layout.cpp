#include "tip_layout.h"

#include <algorithm>

std::string StripCarriageReturns(const std::string& strText) {
    std::string strResult = strText;
    strResult.erase(std::remove(strResult.begin(), strResult.end(), '\r'), strResult.end());
    return strResult;
}

TipTextSize MeasureTipText(const std::string& strText,
                           const std::function<int(const std::string&)>& measureLine) {
    TipTextSize size{0, 1};
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
    size.nWidest += kTipTextMargin;
    return size;
}

RECT PlaceTip(const RECT& rcTool, POINT ptCursor, const TipTextSize& size, int nLineHeight,
              int cxScreen) {
    RECT rc;
    rc.top = rcTool.bottom;
    rc.bottom = rc.top + size.nLines * nLineHeight + kTipVerticalMargin;
    rc.left = ptCursor.x;
    rc.right = rc.left + size.nWidest + kTipExtraWidth;
    const LONG nMaxRight = cxScreen - kTipScreenEdgeGap;
    if (rc.right > nMaxRight) {
        rc.left -= rc.right - nMaxRight;
        rc.right = nMaxRight;
    }
    return rc;
}

RECT TipStripeRect(const RECT& rcClient) {
    RECT rc = rcClient;
    rc.right = rc.left + kTipStripeWidth;
    return rc;
}

RECT TipTextRect(const RECT& rcClient, int nWidest) {
    RECT rc = rcClient;
    rc.left = TipStripeRect(rcClient).right + kTipTextGap;
    rc.top += kTipTextTopInset;
    const LONG nSpare = rc.right - rc.left - nWidest;
    rc.left += nSpare >= 0 ? nSpare / 2 : -((1 - nSpare) / 2);
    return rc;
}
