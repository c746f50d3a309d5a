// The "Edit" class: single- and multi-line text with a selection, typing and notifications.
// No scrolling, clipboard, undo, caret keys or read-only and filtering styles; multi-line text
// is drawn word-wrapped from the top.
#include <algorithm>
#include <cstring>
#include <string>

#include "user_internal.h"

namespace win32sim {
namespace {

// The text limit of an edit that was never given one (EM_LIMITTEXT): typing stops there.
constexpr std::size_t kTextLimit = 30000;

struct CEditData : CControlData {
    std::string m_str;
    UINT m_nSelStart = 0;
    UINT m_nSelEnd = 0;
    bool m_bDialogMode = false;
    bool m_bFocus = false;
};

LONG Style(HWND hwnd) {
    return GetWindowLongA(hwnd, GWL_STYLE);
}

bool IsMultiLine(HWND hwnd) {
    return (Style(hwnd) & ES_MULTILINE) != 0;
}

UINT SelMin(const CEditData& data) {
    return std::min(data.m_nSelStart, data.m_nSelEnd);
}

UINT SelMax(const CEditData& data) {
    return std::max(data.m_nSelStart, data.m_nSelEnd);
}

void Changed(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, TRUE);
    NotifyParent(hwnd, EN_UPDATE);
    NotifyParent(hwnd, EN_CHANGE);
}

// EM_SETSEL: start -1 drops the selection; other values are clamped to the text length.
LRESULT SetSel(HWND hwnd, CEditData& data, WPARAM wParam, LPARAM lParam) {
    UINT nLength = static_cast<UINT>(data.m_str.size());
    UINT nStart = static_cast<UINT>(wParam), nEnd = static_cast<UINT>(lParam);
    if (nStart == static_cast<UINT>(-1)) {
        nStart = nEnd = data.m_nSelEnd;
    } else {
        nStart = std::min(nStart, nLength);
        nEnd = std::min(nEnd, nLength);
    }
    data.m_nSelStart = nStart;
    data.m_nSelEnd = nEnd;
    InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

LONG TextWidth(HDC hdc, const std::string& str) {
    SIZE size{0, 0};
    if (!str.empty()) GetTextExtentPoint32A(hdc, str.data(), static_cast<int>(str.size()), &size);
    return size.cx;
}

// A single-line edit without ES_AUTOHSCROLL takes no more than its width shows (1-pixel margins).
bool FitsWidth(HWND hwnd, const CEditData& data, const std::string& str) {
    if (Style(hwnd) & (ES_MULTILINE | ES_AUTOHSCROLL)) return true;
    HDC hdc = GetDC(hwnd);
    LONG nWidth = 0;
    {
        CControlFont font(hdc, data);
        nWidth = TextWidth(hdc, str);
    }
    ReleaseDC(hwnd, hdc);
    RECT rc;
    GetClientRect(hwnd, &rc);
    return nWidth <= rc.right - 2;
}

// Replaces the selection within the text limit and, for fixed-width edits, the visible width.
bool ReplaceSel(HWND hwnd, CEditData& data, std::string strNew) {
    UINT nMin = SelMin(data), nMax = SelMax(data);
    std::size_t nKept = data.m_str.size() - (nMax - nMin);
    if (nKept + strNew.size() > kTextLimit) {
        strNew.resize(kTextLimit > nKept ? kTextLimit - nKept : 0);
        NotifyParent(hwnd, EN_MAXTEXT);
        if (strNew.empty() && nMin == nMax) return false;
    }
    std::string strResult = data.m_str;
    strResult.replace(nMin, nMax - nMin, strNew);
    if (!strNew.empty() && !FitsWidth(hwnd, data, strResult)) {
        NotifyParent(hwnd, EN_MAXTEXT);
        return false;
    }
    data.m_str = strResult;
    data.m_nSelStart = data.m_nSelEnd = nMin + static_cast<UINT>(strNew.size());
    Changed(hwnd);
    return true;
}

void Backspace(HWND hwnd, CEditData& data) {
    if (data.m_nSelStart == data.m_nSelEnd) {
        if (data.m_nSelEnd == 0) return;
        data.m_nSelStart = data.m_nSelEnd - 1;
    }
    ReplaceSel(hwnd, data, std::string());
}

LRESULT OnChar(HWND hwnd, CEditData& data, char ch) {
    LONG nStyle = Style(hwnd);
    bool bMulti = (nStyle & ES_MULTILINE) != 0;
    switch (ch) {
        case '\b':
            Backspace(hwnd, data);
            return 0;
        case '\r':
            // WM_CHAR: in a dialog, Enter belongs to the default button unless ES_WANTRETURN.
            if (bMulti && (!data.m_bDialogMode || (nStyle & ES_WANTRETURN)))
                ReplaceSel(hwnd, data, "\r\n");
            return 0;
        case '\n':
            if (bMulti) ReplaceSel(hwnd, data, "\r\n");
            return 0;
        case '\t':
            if (bMulti && !data.m_bDialogMode) ReplaceSel(hwnd, data, "\t");
            return 0;
        default:
            break;
    }
    // Other control characters type nothing.
    if (static_cast<unsigned char>(ch) < ' ') return 0;
    ReplaceSel(hwnd, data, std::string(1, ch));
    return 0;
}

void OnDialogReturn(HWND hwnd) {
    HWND hDlg = GetParent(hwnd);
    DWORD dwDef = static_cast<DWORD>(SendMessageA(hDlg, DM_GETDEFID, 0, 0));
    if (HIWORD(dwDef) != DC_HASDEFID) return;
    HWND hwndDef = GetDlgItem(hDlg, static_cast<SHORT>(LOWORD(dwDef)));
    if (!hwndDef) return;
    SendMessageA(hDlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hwndDef), TRUE);
    PostMessageA(hwndDef, WM_KEYDOWN, VK_RETURN, 0);
}

// WM_KEYDOWN: a multi-line edit in a dialog passes Enter, Esc and Tab on to the dialog.
LRESULT OnKeyDown(HWND hwnd, CEditData& data, WPARAM vk) {
    bool bDialogMulti = data.m_bDialogMode && IsMultiLine(hwnd);
    switch (vk) {
        case VK_RETURN:
            if (data.m_bDialogMode && (!IsMultiLine(hwnd) || !(Style(hwnd) & ES_WANTRETURN)))
                OnDialogReturn(hwnd);
            return 0;
        case VK_ESCAPE:
            if (bDialogMulti) PostMessageA(GetParent(hwnd), WM_CLOSE, 0, 0);
            return 0;
        case VK_TAB:
            if (bDialogMulti)
                SendMessageA(GetParent(hwnd), WM_NEXTDLGCTL, GetKeyState(VK_SHIFT) < 0 ? 1 : 0, 0);
            return 0;
        default:
            return 0;
    }
}

// The character boundary nearest to x, for placing the caret where the user clicks.
UINT PositionAt(HWND hwnd, const CEditData& data, int x) {
    if (IsMultiLine(hwnd)) return static_cast<UINT>(data.m_str.size());
    HDC hdc = GetDC(hwnd);
    const std::string& str = data.m_str;
    UINT nBest = 0;
    LONG nBestDistance = std::abs(x - 1);
    {
        CControlFont font(hdc, data);
        for (UINT i = 1; i <= str.size(); ++i) {
            LONG nDistance = std::abs(x - 1 - TextWidth(hdc, str.substr(0, i)));
            if (nDistance < nBestDistance) nBestDistance = nDistance, nBest = i;
        }
    }
    ReleaseDC(hwnd, hdc);
    return nBest;
}

void PaintSelection(HWND hwnd, HDC hdc, const CEditData& data, const std::string& str) {
    UINT nMin = SelMin(data), nMax = SelMax(data);
    if (!data.m_bFocus || nMin == nMax || IsMultiLine(hwnd)) return;
    TEXTMETRICA tm{};
    GetTextMetricsA(hdc, &tm);
    LONG x = 1 + TextWidth(hdc, str.substr(0, nMin));
    RECT rc{x, 1, x + TextWidth(hdc, str.substr(nMin, nMax - nMin)), 1 + tm.tmHeight};
    FillRect(hdc, &rc, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    SetBkMode(hdc, TRANSPARENT);
    DrawTextA(hdc, str.data() + nMin, static_cast<int>(nMax - nMin), &rc,
              DT_SINGLELINE | DT_NOPREFIX | DT_LEFT);
}

LRESULT OnPaint(HWND hwnd, CEditData& data) {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    HBRUSH hbr =
        SendCtlColor(hwnd, hdc, IsWindowEnabled(hwnd) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
    RECT rc;
    GetClientRect(hwnd, &rc);
    if (hbr) FillRect(hdc, &rc, hbr);
    if (!IsWindowEnabled(hwnd)) SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
    SetBkMode(hdc, TRANSPARENT);
    const std::string& str = data.m_str;
    RECT rcText{rc.left + 1, rc.top + 1, rc.right - 1, rc.bottom};
    UINT nFormat =
        DT_NOPREFIX | (IsMultiLine(hwnd) ? DT_WORDBREAK | DT_EDITCONTROL : DT_SINGLELINE);
    {
        CControlFont font(hdc, data);
        DrawTextA(hdc, str.c_str(), static_cast<int>(str.size()), &rcText, nFormat);
        PaintSelection(hwnd, hdc, data, str);
    }
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT OnGetSel(const CEditData& data, WPARAM wParam, LPARAM lParam) {
    if (wParam) *reinterpret_cast<DWORD*>(wParam) = SelMin(data);
    if (lParam) *reinterpret_cast<DWORD*>(lParam) = SelMax(data);
    return MAKELONG(std::min<UINT>(SelMin(data), 0xFFFF), std::min<UINT>(SelMax(data), 0xFFFF));
}

LRESULT OnSetText(HWND hwnd, CEditData& data, LPCSTR psz) {
    data.m_str = psz ? psz : "";
    data.m_nSelStart = data.m_nSelEnd = 0;
    InvalidateRect(hwnd, nullptr, TRUE);
    // WM_SETTEXT notifies EN_CHANGE for single-line edits only.
    if (!IsMultiLine(hwnd)) {
        NotifyParent(hwnd, EN_UPDATE);
        NotifyParent(hwnd, EN_CHANGE);
    }
    return TRUE;
}

LRESULT OnFocus(HWND hwnd, CEditData& data, bool bFocus) {
    data.m_bFocus = bFocus;
    InvalidateRect(hwnd, nullptr, FALSE);
    NotifyParent(hwnd, bFocus ? EN_SETFOCUS : EN_KILLFOCUS);
    return 0;
}

LRESULT OnGetDlgCode(HWND hwnd, CEditData& data, LPARAM lParam) {
    LRESULT nCode = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    if (IsMultiLine(hwnd)) nCode |= DLGC_WANTALLKEYS;
    if (lParam) data.m_bDialogMode = true;
    return nCode;
}

LRESULT OnNcCreate(HWND hwnd, CEditData& data, WPARAM wParam, LPARAM lParam) {
    auto* pCreate = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    if (pCreate && pCreate->lpszName && !IS_INTRESOURCE(pCreate->lpszName))
        data.m_str = pCreate->lpszName;
    return DefWindowProcA(hwnd, WM_NCCREATE, wParam, lParam);
}

LRESULT OnButtonDown(HWND hwnd, CEditData& data, LPARAM lParam) {
    SetFocus(hwnd);
    data.m_nSelStart = data.m_nSelEnd = PositionAt(hwnd, data, static_cast<SHORT>(LOWORD(lParam)));
    InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

}  // namespace

LRESULT CALLBACK EditWndProc(HWND hwnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CEditData* pData = ControlData<CEditData>(hwnd);
    if (!pData) return 0;
    switch (nMsg) {
        case WM_NCCREATE:
            return OnNcCreate(hwnd, *pData, wParam, lParam);
        case WM_SETTEXT:
            return OnSetText(hwnd, *pData, reinterpret_cast<LPCSTR>(lParam));
        case WM_GETTEXT:
            return CopyWindowText(pData->m_str, wParam, reinterpret_cast<LPSTR>(lParam));
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(pData->m_str.size());
        case WM_CHAR:
            return OnChar(hwnd, *pData, static_cast<char>(wParam));
        case WM_KEYDOWN:
            return OnKeyDown(hwnd, *pData, wParam);
        case WM_GETDLGCODE:
            return OnGetDlgCode(hwnd, *pData, lParam);
        case WM_SETFOCUS:
            return OnFocus(hwnd, *pData, true);
        case WM_KILLFOCUS:
            return OnFocus(hwnd, *pData, false);
        case WM_LBUTTONDOWN:
            return OnButtonDown(hwnd, *pData, lParam);
        case WM_SETFONT:
        case WM_GETFONT:
            return ControlFontMessage(*pData, nMsg, wParam);
        case EM_GETSEL:
            return OnGetSel(*pData, wParam, lParam);
        case EM_SETSEL:
            return SetSel(hwnd, *pData, wParam, lParam);
        case EM_REPLACESEL:  // what a paste does; a fixed-width edit takes all of it or nothing
            ReplaceSel(hwnd, *pData, lParam ? reinterpret_cast<LPCSTR>(lParam) : "");
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            return OnPaint(hwnd, *pData);
        case WM_ENABLE:
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        default:
            return DefWindowProcA(hwnd, nMsg, wParam, lParam);
    }
}

}  // namespace win32sim
