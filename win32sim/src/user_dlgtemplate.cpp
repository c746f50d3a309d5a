// Dialog creation from memory templates (DLGTEMPLATEEX, as the resource compiler writes the
// program's DIALOGEX) and dialog units. The older DLGTEMPLATE is refused.
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "gdi_state.h"
#include "resource_registry.h"
#include "user_internal.h"

namespace win32sim {
namespace {

// The ordinal of the first predefined control class ("Button"); the others follow it.
constexpr WORD kFirstClassOrdinal = 0x80;
// The point size that, with DS_SETFONT, asks for the message-box font; no face name follows it.
constexpr WORD kMessageBoxFontMarker = 0x7FFF;
// A DLGTEMPLATEEX opens with its version 1 and this signature.
constexpr WORD kTemplateExVersion = 1;
constexpr WORD kTemplateExSignature = 0xFFFF;
// A dialog unit is a quarter of the base width and an eighth of the base height.
constexpr int kDluPerBaseWidth = 4;
constexpr int kDluPerBaseHeight = 8;

int DluToX(int nDlu, SIZE base) {
    return MulDiv(nDlu, base.cx, kDluPerBaseWidth);
}

int DluToY(int nDlu, SIZE base) {
    return MulDiv(nDlu, base.cy, kDluPerBaseHeight);
}

struct CDlgItem {
    DWORD m_dwStyle = 0;
    DWORD m_dwExStyle = 0;
    short m_x = 0, m_y = 0, m_cx = 0, m_cy = 0;
    INT m_nId = 0;
    std::string m_strClass;
    std::string m_strTitle;
    const void* m_pData = nullptr;
};

struct CDlgTemplate {
    DWORD m_dwStyle = 0;
    DWORD m_dwExStyle = 0;
    WORD m_nItems = 0;
    short m_x = 0, m_y = 0, m_cx = 0, m_cy = 0;
    std::string m_strClass;
    std::string m_strCaption;
    WORD m_nPointSize = 0;
    WORD m_nWeight = 0;
    BYTE m_bItalic = 0;
    BYTE m_nCharSet = 0;
    std::string m_strFace;
    std::vector<CDlgItem> m_items;
};

// Reads the WORD-based template; strings are UTF-16, kept as their low bytes (Latin-1).
class CTemplateReader {
public:
    explicit CTemplateReader(const void* p) : m_pBase(static_cast<const BYTE*>(p)), m_p(m_pBase) {}
    WORD Word() {
        WORD w;
        std::memcpy(&w, m_p, sizeof(w));
        m_p += sizeof(w);
        return w;
    }
    DWORD Dword() {
        DWORD dw;
        std::memcpy(&dw, m_p, sizeof(dw));
        m_p += sizeof(dw);
        return dw;
    }
    std::string String() {
        std::string str;
        for (WORD w = Word(); w; w = Word())
            str += static_cast<char>(w & 0xFF);
        return str;
    }
    // A name field: 0 (none), 0xFFFF + ordinal, or a string.
    std::string NameOrOrdinal(WORD* pOrdinal) {
        *pOrdinal = 0;
        WORD w;
        std::memcpy(&w, m_p, sizeof(w));
        if (w == kOrdinalMarker) {
            Word();
            *pOrdinal = Word();
            return std::string();
        }
        return String();
    }
    void AlignDword() {
        std::size_t nOffset = static_cast<std::size_t>(m_p - m_pBase);
        m_p = m_pBase + ((nOffset + 3) & ~static_cast<std::size_t>(3));
    }
    const BYTE* Position() const { return m_p; }
    void Skip(std::size_t n) { m_p += n; }

private:
    const BYTE* m_pBase;
    const BYTE* m_p;
};

std::string ClassOfOrdinal(WORD nOrdinal) {
    static const char* const kNames[] = {"Button", "Edit", "Static"};
    WORD nIndex = nOrdinal >= kFirstClassOrdinal ? nOrdinal - kFirstClassOrdinal : nOrdinal;
    return nIndex < std::size(kNames) ? kNames[nIndex] : std::string();
}

CDlgItem ReadItem(CTemplateReader& reader) {
    CDlgItem item;
    reader.Dword();  // help id
    item.m_dwExStyle = reader.Dword();
    item.m_dwStyle = reader.Dword();
    item.m_x = static_cast<short>(reader.Word());
    item.m_y = static_cast<short>(reader.Word());
    item.m_cx = static_cast<short>(reader.Word());
    item.m_cy = static_cast<short>(reader.Word());
    item.m_nId = static_cast<INT>(reader.Dword());
    WORD nOrdinal;
    item.m_strClass = reader.NameOrOrdinal(&nOrdinal);
    if (nOrdinal) item.m_strClass = ClassOfOrdinal(nOrdinal);
    item.m_strTitle = reader.NameOrOrdinal(&nOrdinal);
    // An ordinal title reaches the control as 0xFF, low byte, high byte, as CreateWindowExA has it.
    if (nOrdinal)
        item.m_strTitle = std::string{'\xFF', static_cast<char>(nOrdinal & 0xFF),
                                      static_cast<char>(nOrdinal >> 8)};
    const BYTE* pData = reader.Position();
    WORD cbData = reader.Word();
    if (cbData) {
        item.m_pData = pData;
        reader.Skip(cbData);
    }
    reader.AlignDword();
    return item;
}

void ReadFont(CTemplateReader& reader, CDlgTemplate& tmpl) {
    tmpl.m_nPointSize = reader.Word();
    if (tmpl.m_nPointSize == kMessageBoxFontMarker) return;
    tmpl.m_nWeight = reader.Word();
    WORD w = reader.Word();
    tmpl.m_bItalic = LOBYTE(w);
    tmpl.m_nCharSet = HIBYTE(w);
    tmpl.m_strFace = reader.String();
}

bool ParseTemplate(const void* pTemplate, CDlgTemplate& tmpl) {
    CTemplateReader reader(pTemplate);
    WORD nVersion = reader.Word(), nSignature = reader.Word();
    if (nVersion != kTemplateExVersion || nSignature != kTemplateExSignature) return false;
    reader.Dword();  // help id
    tmpl.m_dwExStyle = reader.Dword();
    tmpl.m_dwStyle = reader.Dword();
    tmpl.m_nItems = reader.Word();
    tmpl.m_x = static_cast<short>(reader.Word());
    tmpl.m_y = static_cast<short>(reader.Word());
    tmpl.m_cx = static_cast<short>(reader.Word());
    tmpl.m_cy = static_cast<short>(reader.Word());
    WORD nOrdinal;
    reader.NameOrOrdinal(&nOrdinal);  // menus are not supported: dialogs here have none
    tmpl.m_strClass = reader.NameOrOrdinal(&nOrdinal);
    if (nOrdinal) tmpl.m_strClass = "#" + std::to_string(nOrdinal);
    tmpl.m_strCaption = reader.String();
    if (tmpl.m_dwStyle & DS_SETFONT) ReadFont(reader, tmpl);
    reader.AlignDword();
    for (WORD i = 0; i < tmpl.m_nItems; ++i)
        tmpl.m_items.push_back(ReadItem(reader));
    return true;
}

// The base width is the average width of the 52 letters, rounded to nearest; the base height
// is the font's height.
SIZE BaseUnitsOf(HFONT hFont) {
    HDC hdc = GetDC(nullptr);
    HGDIOBJ hOld = SelectObject(hdc, hFont);
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    constexpr int kLetters = sizeof kAlphabet - 1;
    SIZE size{0, 0};
    GetTextExtentPoint32A(hdc, kAlphabet, kLetters, &size);
    TEXTMETRICA tm{};
    GetTextMetricsA(hdc, &tm);
    SelectObject(hdc, hOld);
    ReleaseDC(nullptr, hdc);
    return SIZE{(2 * size.cx / kLetters + 1) / 2, tm.tmHeight};
}

HFONT CreateTemplateFont(const CDlgTemplate& tmpl) {
    LOGFONTA lf{};
    if (tmpl.m_nPointSize == kMessageBoxFontMarker)
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HDC hdc = GetDC(nullptr);
    lf.lfHeight = -MulDiv(tmpl.m_nPointSize, GetDeviceCaps(hdc, LOGPIXELSY), kPointsPerInch);
    ReleaseDC(nullptr, hdc);
    lf.lfWeight = tmpl.m_nWeight;
    lf.lfItalic = tmpl.m_bItalic;
    lf.lfCharSet = tmpl.m_nCharSet;
    std::strncpy(lf.lfFaceName, tmpl.m_strFace.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectA(&lf);
}

POINT DialogPosition(const CDlgTemplate& tmpl, const RECT& rcFrame, SIZE base, HWND hwndOwner) {
    POINT pt{rcFrame.left + DluToX(tmpl.m_x, base), rcFrame.top + DluToY(tmpl.m_y, base)};
    LONG cx = rcFrame.right - rcFrame.left, cy = rcFrame.bottom - rcFrame.top;
    LONG cxScreen = GetSystemMetrics(SM_CXSCREEN), cyScreen = GetSystemMetrics(SM_CYSCREEN);
    if (tmpl.m_dwStyle & DS_CENTER) return POINT{(cxScreen - cx) / 2, (cyScreen - cy) / 2};
    if (!(tmpl.m_dwStyle & (WS_CHILD | DS_ABSALIGN)) && hwndOwner) ClientToScreen(hwndOwner, &pt);
    if (tmpl.m_dwStyle & WS_CHILD) return pt;
    // A top-level dialog is kept on the screen.
    if (pt.x + cx + GetSystemMetrics(SM_CXDLGFRAME) > cxScreen)
        pt.x = cxScreen - cx - GetSystemMetrics(SM_CXDLGFRAME);
    if (pt.y + cy + GetSystemMetrics(SM_CYDLGFRAME) > cyScreen)
        pt.y = cyScreen - cy - GetSystemMetrics(SM_CYDLGFRAME);
    if (pt.x < 0) pt.x = 0;
    if (pt.y < 0) pt.y = 0;
    return pt;
}

HWND CreateDialogWindow(HINSTANCE hInst, CDlgTemplate& tmpl, HWND hwndOwner, SIZE base) {
    if (tmpl.m_dwStyle & DS_CONTROL) tmpl.m_dwStyle &= ~(WS_CAPTION | WS_SYSMENU);
    tmpl.m_dwStyle |= DS_3DLOOK;
    if (tmpl.m_dwStyle & DS_MODALFRAME) tmpl.m_dwExStyle |= WS_EX_DLGMODALFRAME;
    if ((tmpl.m_dwStyle & DS_CONTROL) || !(tmpl.m_dwStyle & WS_CHILD))
        tmpl.m_dwExStyle |= WS_EX_CONTROLPARENT;
    RECT rc{0, 0, DluToX(tmpl.m_cx, base), DluToY(tmpl.m_cy, base)};
    AdjustWindowRectEx(&rc, tmpl.m_dwStyle, FALSE, tmpl.m_dwExStyle);
    POINT pt = DialogPosition(tmpl, rc, base, hwndOwner);
    const char* pszClass = tmpl.m_strClass.empty() ? "#32770" : tmpl.m_strClass.c_str();
    return CreateWindowExA(tmpl.m_dwExStyle, pszClass, tmpl.m_strCaption.c_str(),
                           tmpl.m_dwStyle & ~WS_VISIBLE, pt.x, pt.y, rc.right - rc.left,
                           rc.bottom - rc.top, hwndOwner, nullptr, hInst, nullptr);
}

HWND CreateControl(HWND hDlg, HINSTANCE hInst, const CDlgItem& item, SIZE base) {
    DWORD dwStyle = (item.m_dwStyle & ~WS_POPUP) | WS_CHILD;
    DWORD dwExStyle = item.m_dwExStyle | WS_EX_NOPARENTNOTIFY;
    // Dialogs with the 3-D look give bordered controls a sunken client edge instead.
    if (dwStyle & WS_BORDER) {
        dwStyle &= ~WS_BORDER;
        dwExStyle |= WS_EX_CLIENTEDGE;
    }
    HMENU hId = reinterpret_cast<HMENU>(static_cast<LONG_PTR>(item.m_nId));
    return CreateWindowExA(dwExStyle, item.m_strClass.c_str(), item.m_strTitle.c_str(), dwStyle,
                           DluToX(item.m_x, base), DluToY(item.m_y, base), DluToX(item.m_cx, base),
                           DluToY(item.m_cy, base), hDlg, hId, hInst,
                           const_cast<void*>(item.m_pData));
}

bool CreateControls(HWND hDlg, HINSTANCE hInst, const CDlgTemplate& tmpl) {
    CDialogData* pDlg = DialogData(hDlg);
    SIZE base{pDlg->m_cxBase, pDlg->m_cyBase};
    HWND hwndDefault = nullptr;
    for (const CDlgItem& item : tmpl.m_items) {
        HWND hwndCtl = CreateControl(hDlg, hInst, item, base);
        if (!hwndCtl) {
            if (tmpl.m_dwStyle & DS_NOFAILCREATE) continue;
            return false;
        }
        if (pDlg->m_hFont)
            SendMessageA(hwndCtl, WM_SETFONT, reinterpret_cast<WPARAM>(pDlg->m_hFont), 0);
        if (!(SendMessageA(hwndCtl, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)) continue;
        // Only the last default push button of a template stays the default.
        if (hwndDefault) SendMessageA(hwndDefault, BM_SETSTYLE, BS_PUSHBUTTON, FALSE);
        hwndDefault = hwndCtl;
        pDlg->m_nDefId = item.m_nId;
    }
    return true;
}

void InitialFocus(HWND hDlg, const CDlgTemplate& tmpl, LPARAM lParam) {
    HWND hwndFocus = GetNextDlgTabItem(hDlg, nullptr, FALSE);
    if (!hwndFocus) hwndFocus = GetNextDlgGroupItem(hDlg, nullptr, FALSE);
    if (!SendMessageA(hDlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(hwndFocus), lParam)) return;
    if (!IsWindow(hDlg) || ((tmpl.m_dwStyle & DS_CONTROL) && !(tmpl.m_dwStyle & WS_VISIBLE)))
        return;
    // WM_INITDIALOG may have changed the tab order, so the first tab stop is looked up again.
    hwndFocus = GetNextDlgTabItem(hDlg, nullptr, FALSE);
    if (!hwndFocus) hwndFocus = GetNextDlgGroupItem(hDlg, nullptr, FALSE);
    if (hwndFocus) {
        SetDialogFocus(hwndFocus);
    } else if (!(tmpl.m_dwStyle & WS_CHILD)) {
        SetFocus(hDlg);
    }
}

}  // namespace
}  // namespace win32sim

using namespace win32sim;

HWND WINAPI CreateDialogIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA pTemplate,
                                       HWND hwndParent, DLGPROC pfnDialogFunc, LPARAM dwInitParam) {
    CDlgTemplate tmpl;
    if (!pTemplate || !ParseTemplate(pTemplate, tmpl)) return nullptr;
    HFONT hFont = (tmpl.m_dwStyle & DS_SETFONT) ? CreateTemplateFont(tmpl) : nullptr;
    LONG nUnits = GetDialogBaseUnits();
    SIZE base = hFont ? BaseUnitsOf(hFont) : SIZE{LOWORD(nUnits), HIWORD(nUnits)};
    HWND hDlg = CreateDialogWindow(hInstance, tmpl, hwndParent, base);
    const bool bOwnFont = hFont && tmpl.m_nPointSize != kMessageBoxFontMarker;
    if (!hDlg) {
        if (bOwnFont) DeleteObject(hFont);
        return nullptr;
    }
    CDialogData* pDlg = DialogData(hDlg);
    pDlg->m_hFont = hFont;
    pDlg->m_bOwnFont = bOwnFont;
    pDlg->m_cxBase = base.cx;
    pDlg->m_cyBase = base.cy;
    SetWindowLongPtrA(hDlg, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(pfnDialogFunc));
    if (pfnDialogFunc && hFont) SendMessageA(hDlg, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), 0);
    if (!CreateControls(hDlg, hInstance, tmpl)) {
        DestroyWindow(hDlg);
        return nullptr;
    }
    if (pfnDialogFunc) InitialFocus(hDlg, tmpl, dwInitParam);
    if (IsWindow(hDlg) && (tmpl.m_dwStyle & WS_VISIBLE) &&
        !(GetWindowLongA(hDlg, GWL_STYLE) & WS_VISIBLE))
        ShowWindow(hDlg, SW_SHOWNORMAL);
    return IsWindow(hDlg) ? hDlg : nullptr;
}

LONG WINAPI GetDialogBaseUnits() {
    SIZE size = BaseUnitsOf(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
    return MAKELONG(size.cx, size.cy);
}
