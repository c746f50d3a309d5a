// kernel32 of the stand-in: threads, events, waiting, the thread's last error, time, MulDiv.
// No processes, files, mutexes or semaphores; a thread handle becomes signalled when it ends.
#pragma once

#include "win32sim/types.h"

typedef std::size_t SIZE_T;

#define WAIT_OBJECT_0 0x00000000
#define WAIT_ABANDONED 0x00000080
#define WAIT_TIMEOUT 0x00000102
#define WAIT_FAILED 0xFFFFFFFFu
#define STILL_ACTIVE 259
#define CREATE_SUSPENDED 0x00000004
#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)

#define ERROR_SUCCESS 0
#define NO_ERROR 0
#define ERROR_INVALID_FUNCTION 1
#define ERROR_FILE_NOT_FOUND 2
#define ERROR_ACCESS_DENIED 5
#define ERROR_INVALID_HANDLE 6
#define ERROR_NOT_ENOUGH_MEMORY 8
#define ERROR_INVALID_PARAMETER 87
#define ERROR_INSUFFICIENT_BUFFER 122
#define ERROR_TIMEOUT 1460

HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES pThreadAttributes, SIZE_T dwStackSize,
                           LPTHREAD_START_ROUTINE pfnStartAddress, LPVOID pParameter,
                           DWORD dwCreationFlags, LPDWORD pThreadId);
BOOL WINAPI GetExitCodeThread(HANDLE hThread, LPDWORD pExitCode);
HANDLE WINAPI CreateEventA(LPSECURITY_ATTRIBUTES pEventAttributes, BOOL bManualReset,
                           BOOL bInitialState, LPCSTR pszName);
BOOL WINAPI SetEvent(HANDLE hEvent);
BOOL WINAPI ResetEvent(HANDLE hEvent);
DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);
BOOL WINAPI CloseHandle(HANDLE hObject);
DWORD WINAPI GetCurrentThreadId();
void WINAPI Sleep(DWORD dwMilliseconds);
DWORD WINAPI GetTickCount();
DWORD WINAPI GetLastError();
void WINAPI SetLastError(DWORD dwErrCode);
int WINAPI MulDiv(int nNumber, int nNumerator, int nDenominator);
