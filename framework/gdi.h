// GDI wrappers: CGdiObject with CFont, CBrush and CPen, and CDC with the paint DC. Each owns its
// handle once created or attached; handle-only wrappers come from FromHandle.
#pragma once

#include "cstring.h"
#include "exceptions.h"
#include "geometry.h"
#include "object.h"

class CWnd;

class CGdiObject : public CObject {
    DECLARE_DYNAMIC(CGdiObject)
public:
    HGDIOBJ m_hObject = NULL;

    CGdiObject() = default;
    ~CGdiObject() override;

    operator HGDIOBJ() const { return m_hObject; }  // NOLINT: as in MFC
    HGDIOBJ GetSafeHandle() const { return m_hObject; }

    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    // Deletes the handle (FALSE when there is none).
    BOOL DeleteObject();
};

class CFont : public CGdiObject {
    DECLARE_DYNAMIC(CFont)
public:
    // The font attached to the handle, else a temporary wrapper that the framework deletes when
    // the thread is next idle. NULL for a NULL handle.
    static CFont* FromHandle(HFONT hFont);
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }  // NOLINT: as in MFC
    BOOL CreateFontIndirect(const LOGFONTA* lpLogFont);
    int GetLogFont(LOGFONTA* pLogFont) const;
};

class CBrush : public CGdiObject {
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    // A solid brush; throws the framework's resource exception when it cannot be created.
    explicit CBrush(COLORREF crColor);

    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }  // NOLINT: as in MFC
};

class CPen : public CGdiObject {
    DECLARE_DYNAMIC(CPen)
public:
    CPen() = default;
    // Throws the framework's resource exception when the pen cannot be created.
    CPen(int nPenStyle, int nWidth, COLORREF crColor);

    static CPen* FromHandle(HPEN hPen);
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }  // NOLINT: as in MFC
};

class CDC : public CObject {
    DECLARE_DYNAMIC(CDC)
public:
    HDC m_hDC = NULL;

    CDC() = default;
    // Deletes a DC it still holds, as DeleteDC does.
    ~CDC() override;

    operator HDC() const { return m_hDC; }  // NOLINT: as in MFC
    HDC GetSafeHdc() const { return m_hDC; }
    static CDC* FromHandle(HDC hDC);
    BOOL Attach(HDC hDC);
    HDC Detach();

    int SaveDC();
    BOOL RestoreDC(int nSavedDC);

    CPen* SelectObject(CPen* pPen);
    CFont* SelectObject(CFont* pFont);
    HGDIOBJ SelectObject(HGDIOBJ hObject);

    COLORREF SetTextColor(COLORREF crColor);
    COLORREF SetBkColor(COLORREF crColor);
    int SetBkMode(int nBkMode);

    int DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat);
    CSize GetTextExtent(LPCSTR lpszString, int nCount) const;
    BOOL GetTextMetrics(TEXTMETRICA* lpMetrics) const;

    // SetBkColor, then an opaque ExtTextOut of the rectangle; the background colour stays set.
    void FillSolidRect(LPCRECT lpRect, COLORREF crColor);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor);
    void FillRect(LPCRECT lpRect, CBrush* pBrush);
    void Draw3dRect(LPCRECT lpRect, COLORREF crTopLeft, COLORREF crBottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF crTopLeft, COLORREF crBottomRight);

    BOOL Polyline(const POINT* lpPoints, int nCount);
    BOOL DrawIcon(int x, int y, HICON hIcon);
};

// BeginPaint in the constructor, EndPaint in the destructor.
class CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};
