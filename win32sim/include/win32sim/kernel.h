// kernel32 of the stand-in: events, waiting, thread ids, time and MulDiv.
// No threads of its own making (std::thread serves), processes, files or error codes.
#pragma once

#include "win32sim/types.h"

typedef std::size_t SIZE_T;

#define WAIT_OBJECT_0 0x00000000
#define WAIT_ABANDONED 0x00000080
#define WAIT_TIMEOUT 0x00000102
#define WAIT_FAILED 0xFFFFFFFFu
#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)

HANDLE WINAPI CreateEventA(LPSECURITY_ATTRIBUTES pEventAttributes, BOOL bManualReset,
                           BOOL bInitialState, LPCSTR pszName);
BOOL WINAPI SetEvent(HANDLE hEvent);
DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);
BOOL WINAPI CloseHandle(HANDLE hObject);
DWORD WINAPI GetCurrentThreadId();
void WINAPI Sleep(DWORD dwMilliseconds);
DWORD WINAPI GetTickCount();
int WINAPI MulDiv(int nNumber, int nNumerator, int nDenominator);
