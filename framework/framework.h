// The application framework the program is written against: the MFC subset it uses, on Win32.
// Include this one header; the parts are listed below.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include "cmdtarget.h"
#include "cstring.h"
#include "ctrls.h"
#include "dialog.h"
#include "exceptions.h"
#include "file_dialog.h"
#include "gdi.h"
#include "geometry.h"
#include "object.h"
#include "prompts.h"
#include "winapp.h"
#include "wnd.h"
