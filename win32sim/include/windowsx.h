// The stand-in's <windowsx.h>: the coordinate macros for mouse messages.
// No message crackers or control macros.
#pragma once

#include <windows.h>

#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))
