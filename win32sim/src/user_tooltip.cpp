// The "tooltips_class32" class, kept minimal: a tool list with texts, tracking tips and the
// window's own text. No timers or hover tracking: TTM_ACTIVATE and TTM_RELAYEVENT are ignored.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <commctrl.h>

#include "user_internal.h"

namespace win32sim {
namespace {

// TTM_GETTEXTA without a buffer size assumes the classic one.
constexpr std::size_t kDefaultTextBuffer = 80;
// A tracking tip's rough size: a margin and a fixed width per character, one line high.
constexpr int kTrackMargin = 8;
constexpr int kTrackCharWidth = 6;
constexpr int kTrackHeight = 20;
// The text keeps this far from the tip's edges.
constexpr int kTextInset = 2;

struct CTool {
    HWND m_hwnd = nullptr;
    UINT_PTR m_nId = 0;
    std::string m_strText;
};

struct CTooltipData : CControlData {
    std::vector<CTool> m_tools;
    POINT m_ptTrack{0, 0};
};

// A text the owner supplies on request (LPSTR_TEXTCALLBACKA) is never asked for here.
std::string ToolText(const TOOLINFOA& ti) {
    if (!ti.lpszText || ti.lpszText == LPSTR_TEXTCALLBACKA) return std::string();
    return ti.lpszText;
}

CTool* FindTool(CTooltipData& data, const TOOLINFOA* pti) {
    if (!pti) return nullptr;
    for (CTool& tool : data.m_tools)
        if (tool.m_hwnd == pti->hwnd && tool.m_nId == pti->uId) return &tool;
    return nullptr;
}

// The tip text is the text of the tool last added.
LRESULT OnAddTool(HWND hwnd, CTooltipData& data, const TOOLINFOA* pti) {
    if (!pti) return FALSE;
    CTool tool;
    tool.m_hwnd = pti->hwnd;
    tool.m_nId = pti->uId;
    tool.m_strText = ToolText(*pti);
    data.m_tools.push_back(tool);
    SetWindowTextA(hwnd, tool.m_strText.c_str());
    return TRUE;
}

LRESULT OnGetText(CTooltipData& data, WPARAM cchMax, TOOLINFOA* pti) {
    CTool* pTool = FindTool(data, pti);
    if (!pTool || !pti->lpszText) return 0;
    std::size_t nMax = cchMax ? cchMax : kDefaultTextBuffer;
    std::size_t n = std::min(pTool->m_strText.size(), nMax - 1);
    std::memcpy(pti->lpszText, pTool->m_strText.data(), n);
    pti->lpszText[n] = '\0';
    return static_cast<LRESULT>(n);
}

// A tracking tip shows its tool's text at the tracking point, sized roughly to the text.
LRESULT OnTrackActivate(HWND hwnd, CTooltipData& data, BOOL bActivate, const TOOLINFOA* pti) {
    CTool* pTool = FindTool(data, pti);
    if (!bActivate || !pTool) {
        ShowWindow(hwnd, SW_HIDE);
        return 0;
    }
    SetWindowTextA(hwnd, pTool->m_strText.c_str());
    int cx = kTrackMargin + kTrackCharWidth * static_cast<int>(pTool->m_strText.size());
    SetWindowPos(hwnd, HWND_TOP, data.m_ptTrack.x, data.m_ptTrack.y, cx, kTrackHeight,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return 0;
}

LRESULT OnPaint(HWND hwnd, CTooltipData& data) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    FillRect(hdc, &rc, GetSysColorBrush(COLOR_INFOBK));
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(COLOR_INFOTEXT));
    char sz[1024];
    GetWindowTextA(hwnd, sz, sizeof(sz));
    InflateRect(&rc, -kTextInset, -kTextInset);
    {
        CControlFont font(hdc, data);
        DrawTextA(hdc, sz, -1, &rc, DT_LEFT | DT_WORDBREAK);
    }
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT OnToolMessage(HWND hwnd, CTooltipData& data, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    auto* pti = reinterpret_cast<TOOLINFOA*>(lParam);
    switch (nMsg) {
        case TTM_ADDTOOLA:
            return OnAddTool(hwnd, data, pti);
        case TTM_GETTEXTA:
            return OnGetText(data, wParam, pti);
        case TTM_TRACKPOSITION:
            data.m_ptTrack =
                POINT{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
            return 0;
        case TTM_TRACKACTIVATE:
            return OnTrackActivate(hwnd, data, static_cast<BOOL>(wParam), pti);
        case TTM_GETTOOLCOUNT:
            return static_cast<LRESULT>(data.m_tools.size());
        default:
            return 0;  // TTM_ACTIVATE, TTM_RELAYEVENT and the rest: no timers, nothing pops up
    }
}

}  // namespace

LRESULT CALLBACK TooltipWndProc(HWND hwnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CTooltipData* pData = ControlData<CTooltipData>(hwnd);
    if (!pData) return 0;
    if (nMsg >= TTM_ACTIVATE && nMsg <= TTM_POPUP)
        return OnToolMessage(hwnd, *pData, nMsg, wParam, lParam);
    switch (nMsg) {
        case WM_SETFONT:
        case WM_GETFONT:
            return ControlFontMessage(*pData, nMsg, wParam);
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_PAINT:
            return OnPaint(hwnd, *pData);
        default:
            return DefWindowProcA(hwnd, nMsg, wParam, lParam);
    }
}

}  // namespace win32sim

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce) {
    win32sim::EnsureSystemClasses();
    return picce != nullptr;
}
