// The "tooltips_class32" class, kept minimal: a tool list with texts and the window's own text.
// No timers, hover tracking or automatic showing; TTM_RELAYEVENT is accepted and ignored.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <commctrl.h>

#include "user_internal.h"

namespace win32sim {
namespace {

struct CTool {
    HWND m_hwnd = nullptr;
    UINT_PTR m_nId = 0;
    UINT m_nFlags = 0;
    RECT m_rc{};
    std::string m_strText;
    bool m_bCallback = false;
    LPARAM m_lParam = 0;
};

struct CTooltipData : CControlData {
    std::vector<CTool> m_tools;
    bool m_bActive = true;
    int m_nMaxWidth = -1;
    HFONT m_hFont = nullptr;
    COLORREF m_crBack = 0;
    COLORREF m_crText = 0;
    bool m_bColors = false;
    POINT m_ptTrack{0, 0};
};

std::string ToolText(const TOOLINFOA& ti, bool* pbCallback) {
    *pbCallback = ti.lpszText == LPSTR_TEXTCALLBACKA;
    if (!ti.lpszText || *pbCallback) return std::string();
    if (IS_INTRESOURCE(ti.lpszText)) {
        char sz[512] = "";
        LoadStringA(ti.hinst, LOWORD(ti.lpszText), sz, sizeof(sz));
        return sz;
    }
    return ti.lpszText;
}

CTool* FindTool(CTooltipData& data, const TOOLINFOA* pti) {
    if (!pti) return nullptr;
    for (CTool& tool : data.m_tools)
        if (tool.m_hwnd == pti->hwnd && tool.m_nId == pti->uId) return &tool;
    return nullptr;
}

// The tip text is the text of the tool last added or updated.
LRESULT OnAddTool(HWND hwnd, CTooltipData& data, const TOOLINFOA* pti) {
    if (!pti) return FALSE;
    CTool tool;
    tool.m_hwnd = pti->hwnd;
    tool.m_nId = pti->uId;
    tool.m_nFlags = pti->uFlags;
    tool.m_rc = pti->rect;
    tool.m_strText = ToolText(*pti, &tool.m_bCallback);
    if (pti->cbSize >= TTTOOLINFOA_V2_SIZE) tool.m_lParam = pti->lParam;
    data.m_tools.push_back(tool);
    SetWindowTextA(hwnd, tool.m_strText.c_str());
    return TRUE;
}

LRESULT OnDelTool(CTooltipData& data, const TOOLINFOA* pti) {
    CTool* pTool = FindTool(data, pti);
    if (pTool) data.m_tools.erase(data.m_tools.begin() + (pTool - data.m_tools.data()));
    return 0;
}

LRESULT OnUpdateText(HWND hwnd, CTooltipData& data, const TOOLINFOA* pti) {
    CTool* pTool = FindTool(data, pti);
    if (!pTool) return 0;
    pTool->m_strText = ToolText(*pti, &pTool->m_bCallback);
    SetWindowTextA(hwnd, pTool->m_strText.c_str());
    return 0;
}

LRESULT OnGetText(CTooltipData& data, WPARAM cchMax, TOOLINFOA* pti) {
    CTool* pTool = FindTool(data, pti);
    if (!pTool || !pti->lpszText) return 0;
    std::size_t nMax = cchMax ? cchMax : 80;  // TTM_GETTEXTA's classic buffer size
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
    int cx = 8 + 6 * static_cast<int>(pTool->m_strText.size());
    SetWindowPos(hwnd, HWND_TOP, data.m_ptTrack.x, data.m_ptTrack.y, cx, 20,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return 0;
}

LRESULT OnPaint(HWND hwnd, CTooltipData& data) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    RECT rc;
    GetClientRect(hwnd, &rc);
    HBRUSH hbr = CreateSolidBrush(data.m_bColors ? data.m_crBack : GetSysColor(COLOR_INFOBK));
    FillRect(hdc, &rc, hbr);
    DeleteObject(hbr);
    HGDIOBJ hOld = data.m_hFont ? SelectObject(hdc, data.m_hFont) : nullptr;
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, data.m_bColors ? data.m_crText : GetSysColor(COLOR_INFOTEXT));
    char sz[1024];
    GetWindowTextA(hwnd, sz, sizeof(sz));
    InflateRect(&rc, -2, -2);
    DrawTextA(hdc, sz, -1, &rc, DT_LEFT | DT_WORDBREAK);
    if (hOld) SelectObject(hdc, hOld);
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT OnToolMessage(HWND hwnd, CTooltipData& data, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    auto* pti = reinterpret_cast<TOOLINFOA*>(lParam);
    switch (nMsg) {
        case TTM_ADDTOOLA:
            return OnAddTool(hwnd, data, pti);
        case TTM_DELTOOLA:
            return OnDelTool(data, pti);
        case TTM_UPDATETIPTEXTA:
            return OnUpdateText(hwnd, data, pti);
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
        case TTM_ACTIVATE:
            data.m_bActive = wParam != 0;
            if (!data.m_bActive) ShowWindow(hwnd, SW_HIDE);
            return 0;
        case TTM_POP:
            ShowWindow(hwnd, SW_HIDE);
            return 0;
        case TTM_SETMAXTIPWIDTH: {
            int nOld = data.m_nMaxWidth;
            data.m_nMaxWidth = static_cast<int>(lParam);
            return nOld;
        }
        case TTM_GETMAXTIPWIDTH:
            return data.m_nMaxWidth;
        case TTM_SETTIPBKCOLOR:
            data.m_crBack = static_cast<COLORREF>(wParam), data.m_bColors = true;
            return 0;
        case TTM_SETTIPTEXTCOLOR:
            data.m_crText = static_cast<COLORREF>(wParam), data.m_bColors = true;
            return 0;
        default:
            return 0;  // TTM_RELAYEVENT, TTM_SETDELAYTIME and the rest: no timers here
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
            pData->m_hFont = reinterpret_cast<HFONT>(wParam);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(pData->m_hFont);
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

void WINAPI InitCommonControls() {
    win32sim::EnsureSystemClasses();
}
