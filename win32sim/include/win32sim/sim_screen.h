// Test-facing controls of the simulated screen: resolution, dpi, colours, resources, draw log.
// Native host only; nothing here exists on Windows, so conformance tests must not need it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "win32sim/gdi.h"

// Registers a binary .res image (as windres -O res writes it); callable during static init.
void SimRegisterResources(const void* pData, std::size_t nSize);

void SimSetLogPixels(int nPixelsPerInch);
// Restores dpi, colours and pointer, clears the framebuffer and the draw log.
void SimResetScreen();

// Live counts, for leak checks: GDI objects other than stock ones, and DCs.
std::size_t SimGdiObjectCount();
std::size_t SimDCCount();

// One drawing call on a window or screen DC, with the DC state it used (logical coordinates).
struct SimDrawOp {
    enum class Kind { FillRect, FrameRect, Polyline, TextOut, DrawText, DrawIcon, BitBlt };
    Kind kind;
    HWND hwnd;
    RECT rc;
    std::vector<POINT> points;
    std::string strText;
    UINT nFormat;
    COLORREF crText, crBack, crPen, crBrush;
    int nBkMode;
    LOGFONTA font;
    HICON hIcon;
    int x, y;
};

std::vector<SimDrawOp> SimDrawLog();
void SimClearDrawLog();
