// Bitmap creation and device-independent bits: compatible bitmaps, DIB sections, GetDIBits.
// DIBs are 1, 24 or 32 bits per pixel, BI_RGB; a 1-bpp colour table is taken as black/white.

#include <cstring>

#include "gdi_state.h"

using namespace win32sim;

namespace {

bool SupportedDibFormat(const BITMAPINFOHEADER& header) {
    if (header.biCompression != BI_RGB || header.biWidth <= 0 || header.biHeight == 0) return false;
    return header.biBitCount == 1 || header.biBitCount == 24 || header.biBitCount == 32;
}

int Magnitude(LONG n) {
    return n < 0 ? -n : n;
}

int DibStride(int cx, int nBpp) {
    return ((cx * nBpp + 31) / 32) * 4;
}

void WriteDibPixel(std::uint8_t* pRow, int x, int nBpp, COLORREF cr) {
    std::uint8_t* p = pRow + x * (nBpp / 8);
    p[0] = GetBValue(cr);
    p[1] = GetGValue(cr);
    p[2] = GetRValue(cr);
    if (nBpp == 32) p[3] = 0;
}

}  // namespace

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
    CDeviceContext* pDC = LookupDC(hdc);
    if (!pDC || cx < 0 || cy < 0) return nullptr;
    // A zero size gives the stock 1x1 monochrome bitmap.
    if (cx == 0 || cy == 0) return DefaultBitmap();
    if (pDC->m_kind == DCKind::Memory) {
        // The classic rule: compatible with a fresh memory DC means monochrome.
        CGdiObject* pSelected = LookupObject(pDC->m_state.m_hBitmap, ObjKind::Bitmap);
        if (pSelected && pSelected->m_surface.Bpp() == 1) {
            return AddBitmap(CSurface(cx, cy, 1, true), false);
        }
        if (pSelected && pSelected->m_bDibSection) {
            return AddBitmap(CSurface(cx, cy, pSelected->m_surface.Bpp(), false), true);
        }
    }
    return AddBitmap(CSurface(cx, cy, 32, true), false);
}

HBITMAP WINAPI CreateBitmap(int cx, int cy, UINT nPlanes, UINT nBitCount, const void* pBits) {
    if (cx <= 0 || cy <= 0 || nPlanes != 1) return nullptr;
    if (nBitCount != 1 && nBitCount != 24 && nBitCount != 32) return nullptr;
    int nBpp = static_cast<int>(nBitCount);
    CSurface surface(cx, cy, nBpp, true);
    if (pBits) {
        // Device-dependent rows are WORD-aligned and top-down.
        int nSourceStride = ((cx * nBpp + 15) / 16) * 2;
        int nCopy = (cx * nBpp + 7) / 8;
        const std::uint8_t* pSource = static_cast<const std::uint8_t*>(pBits);
        for (int y = 0; y < cy; ++y) {
            std::memcpy(surface.Bits() + static_cast<std::size_t>(y) * surface.Stride(),
                        pSource + static_cast<std::size_t>(y) * nSourceStride,
                        static_cast<std::size_t>(nCopy));
        }
    }
    return AddBitmap(std::move(surface), false);
}

HBITMAP WINAPI CreateDIBSection(HDC, const BITMAPINFO* pbmi, UINT nUsage, void** ppvBits,
                                HANDLE hSection, DWORD) {
    if (ppvBits) *ppvBits = nullptr;
    if (!pbmi || nUsage != DIB_RGB_COLORS || hSection) return nullptr;
    const BITMAPINFOHEADER& header = pbmi->bmiHeader;
    if (!SupportedDibFormat(header)) return nullptr;
    CSurface surface(header.biWidth, Magnitude(header.biHeight), header.biBitCount,
                     header.biHeight < 0);
    HBITMAP hbm = AddBitmap(std::move(surface), true);
    if (ppvBits) *ppvBits = LookupObject(hbm, ObjKind::Bitmap)->m_surface.Bits();
    return hbm;
}

namespace {

void DescribeInto(const CSurface& surface, BITMAPINFOHEADER& header) {
    if (header.biBitCount == 0) {
        header.biWidth = surface.Width();
        header.biHeight = surface.Height();
        header.biPlanes = 1;
        header.biBitCount = static_cast<WORD>(surface.Bpp());
        header.biCompression = BI_RGB;
    }
    header.biSizeImage = static_cast<DWORD>(DibStride(header.biWidth, header.biBitCount) *
                                            Magnitude(header.biHeight));
}

}  // namespace

// GetDIBits: the bits are written in the header's format (24 or 32 bpp); scan lines count
// from the bottom for a positive height and from the top for a negative one.
int WINAPI GetDIBits(HDC hdc, HBITMAP hbm, UINT nStart, UINT cLines, LPVOID pvBits,
                     BITMAPINFO* pbmi, UINT nUsage) {
    CGdiObject* pBitmap = LookupObject(hbm, ObjKind::Bitmap);
    if (!LookupDC(hdc) || !pBitmap || !pbmi || nUsage != DIB_RGB_COLORS) return 0;
    const CSurface& surface = pBitmap->m_surface;
    BITMAPINFOHEADER& header = pbmi->bmiHeader;
    if (!pvBits) {
        DescribeInto(surface, header);
        return 1;
    }
    if (header.biCompression != BI_RGB || (header.biBitCount != 24 && header.biBitCount != 32)) {
        return 0;
    }
    int nHeight = surface.Height();
    int nStride = DibStride(surface.Width(), header.biBitCount);
    bool bTopDown = header.biHeight < 0;
    int nCopied = 0;
    for (UINT nLine = nStart; nLine < nStart + cLines && static_cast<int>(nLine) < nHeight;
         ++nLine) {
        int y = bTopDown ? static_cast<int>(nLine) : nHeight - 1 - static_cast<int>(nLine);
        std::uint8_t* pRow =
            static_cast<std::uint8_t*>(pvBits) + static_cast<std::size_t>(nLine - nStart) * nStride;
        for (int x = 0; x < surface.Width(); ++x) {
            WriteDibPixel(pRow, x, header.biBitCount, surface.Get(x, y));
        }
        ++nCopied;
    }
    return nCopied;
}
