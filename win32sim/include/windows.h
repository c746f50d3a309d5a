// The stand-in's <windows.h>: the Win32 subset the program uses, with the real names and values.
// Only what our code calls exists; see the headers under win32sim/ for each part.
#pragma once

#include "win32sim/gdi.h"
#include "win32sim/kernel.h"
#include "win32sim/resource.h"
#include "win32sim/types.h"
#include "win32sim/user.h"
