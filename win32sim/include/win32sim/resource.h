// The module and its resources: lookup in the registered .res images, strings, icons, bitmaps.
// One module only (the executable); no resource updates, no cursors, no files on disk.
#pragma once

#include "win32sim/types.h"

#define RT_CURSOR MAKEINTRESOURCEA(1)
#define RT_BITMAP MAKEINTRESOURCEA(2)
#define RT_ICON MAKEINTRESOURCEA(3)
#define RT_MENU MAKEINTRESOURCEA(4)
#define RT_DIALOG MAKEINTRESOURCEA(5)
#define RT_STRING MAKEINTRESOURCEA(6)
#define RT_FONTDIR MAKEINTRESOURCEA(7)
#define RT_FONT MAKEINTRESOURCEA(8)
#define RT_ACCELERATOR MAKEINTRESOURCEA(9)
#define RT_RCDATA MAKEINTRESOURCEA(10)
#define RT_MESSAGETABLE MAKEINTRESOURCEA(11)
#define RT_GROUP_CURSOR MAKEINTRESOURCEA(12)
#define RT_GROUP_ICON MAKEINTRESOURCEA(14)
#define RT_VERSION MAKEINTRESOURCEA(16)
#define RT_MANIFEST MAKEINTRESOURCEA(24)

#define IMAGE_BITMAP 0

HMODULE WINAPI GetModuleHandleA(LPCSTR pszModuleName);
DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR pszFileName, DWORD nSize);

HRSRC WINAPI FindResourceA(HMODULE hModule, LPCSTR pszName, LPCSTR pszType);
HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo);
LPVOID WINAPI LockResource(HGLOBAL hResData);
DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo);

int WINAPI LoadStringA(HINSTANCE hInstance, UINT uID, LPSTR pszBuffer, int cchBufferMax);
HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR pszIconName);
HBITMAP WINAPI LoadBitmapA(HINSTANCE hInstance, LPCSTR pszBitmapName);

// DrawIcon draws at the system's icon size, whatever the icon's own size.
BOOL WINAPI DrawIcon(HDC hdc, int x, int y, HICON hIcon);
