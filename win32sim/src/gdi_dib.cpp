// DIB sections: pixels the caller reads and writes directly. 1, 24 or 32 bits per pixel, BI_RGB.
// The program draws into none; the conformance tests paint into one to read the pixels back.

#include "gdi_state.h"

using namespace win32sim;

namespace {

bool SupportedDibFormat(const BITMAPINFOHEADER& header) {
    if (header.biCompression != BI_RGB || header.biWidth <= 0 || header.biHeight == 0) return false;
    return header.biBitCount == 1 || header.biBitCount == 24 || header.biBitCount == 32;
}

}  // namespace

// A negative height stores the rows top-down, a positive one bottom-up.
HBITMAP WINAPI CreateDIBSection(HDC, const BITMAPINFO* pbmi, UINT nUsage, void** ppvBits,
                                HANDLE hSection, DWORD) {
    if (ppvBits) *ppvBits = nullptr;
    if (!pbmi || nUsage != DIB_RGB_COLORS || hSection) return nullptr;
    const BITMAPINFOHEADER& header = pbmi->bmiHeader;
    if (!SupportedDibFormat(header)) return nullptr;
    const int cy = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    HBITMAP hbm =
        AddBitmap(CSurface(header.biWidth, cy, header.biBitCount, header.biHeight < 0), true);
    if (ppvBits) *ppvBits = LookupObject(hbm, ObjKind::Bitmap)->m_surface.Bits();
    return hbm;
}
