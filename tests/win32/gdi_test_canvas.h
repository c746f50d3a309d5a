// A memory DC drawing into a 32-bpp top-down DIB section, for pixel checks on either host.
// Owns the DC and the bitmap; it does not touch the screen.
#pragma once

#include <windows.h>

#include <cstdint>

class CTestCanvas {
public:
    CTestCanvas(int cx, int cy, COLORREF crFill = RGB(255, 255, 255)) : m_cx(cx), m_cy(cy) {
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        m_hdc = CreateCompatibleDC(nullptr);
        m_hbm = CreateDIBSection(m_hdc, &bmi, DIB_RGB_COLORS, &m_pvBits, nullptr, 0);
        m_hbmOld = static_cast<HBITMAP>(SelectObject(m_hdc, m_hbm));
        Fill(crFill);
    }
    ~CTestCanvas() {
        SelectObject(m_hdc, m_hbmOld);
        DeleteObject(m_hbm);
        DeleteDC(m_hdc);
    }
    CTestCanvas(const CTestCanvas&) = delete;
    CTestCanvas& operator=(const CTestCanvas&) = delete;

    HDC Dc() const { return m_hdc; }
    HBITMAP Bitmap() const { return m_hbm; }
    void Fill(COLORREF cr) {
        for (int y = 0; y < m_cy; ++y) {
            for (int x = 0; x < m_cx; ++x)
                Row(y)[x] = ToPixel(cr);
        }
    }
    // Read straight from the bits, so the check does not depend on GetPixel.
    COLORREF Pixel(int x, int y) const {
        std::uint32_t n = Row(y)[x];
        return RGB((n >> 16) & 0xFF, (n >> 8) & 0xFF, n & 0xFF);
    }
    // How many pixels of a row (or column) in [nFrom, nTo) have the colour.
    int CountInRow(int y, int nFrom, int nTo, COLORREF cr) const {
        int nCount = 0;
        for (int x = nFrom; x < nTo; ++x)
            nCount += Pixel(x, y) == cr ? 1 : 0;
        return nCount;
    }
    int CountInColumn(int x, int nFrom, int nTo, COLORREF cr) const {
        int nCount = 0;
        for (int y = nFrom; y < nTo; ++y)
            nCount += Pixel(x, y) == cr ? 1 : 0;
        return nCount;
    }

private:
    static std::uint32_t ToPixel(COLORREF cr) {
        return (static_cast<std::uint32_t>(GetRValue(cr)) << 16) | (GetGValue(cr) << 8) |
               GetBValue(cr);
    }
    std::uint32_t* Row(int y) const {
        return static_cast<std::uint32_t*>(m_pvBits) + static_cast<std::size_t>(y) * m_cx;
    }

    int m_cx;
    int m_cy;
    HDC m_hdc = nullptr;
    HBITMAP m_hbm = nullptr;
    HBITMAP m_hbmOld = nullptr;
    void* m_pvBits = nullptr;
};
