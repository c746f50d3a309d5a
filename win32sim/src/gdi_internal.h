// Device contexts for windows, as the window manager asks for them (GetDC, BeginPaint, ...).
// Knows nothing of the window tree beyond the public user32 queries; owns no windows.
#pragma once

#include "win32sim/types.h"

// A DC drawing into the screen framebuffer at hwnd's client (bClient) or window origin, clipped to
// the visible part of that area (ancestors' client areas; empty while hwnd is hidden).
// hwnd == NULL gives a DC for the whole screen. The DC starts with the default attributes.
HDC SimCreateWindowDC(HWND hwnd, bool bClient);

// Narrows a window DC's clip to rcClip (logical coordinates of that DC), e.g. the paint rectangle.
void SimIntersectWindowDCClip(HDC hdc, const RECT& rcClip);

// Frees a DC made by SimCreateWindowDC; FALSE for any other handle.
BOOL SimReleaseWindowDC(HDC hdc);
