// kernel32 of the stand-in: thread ids, threads and events as waitable handles, time, errors.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include <windows.h>

namespace {

struct CKernelObject {
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_bSignaled = false;
    bool m_bManualReset = true;
    bool m_bThread = false;
    DWORD m_dwExitCode = STILL_ACTIVE;
};

std::mutex g_handleMutex;
std::map<HANDLE, std::shared_ptr<CKernelObject>> g_handles;
UINT_PTR g_nNextHandle = 0x4000;
std::atomic<DWORD> g_nNextThreadId{0x100};
thread_local DWORD t_dwThreadId = 0;
thread_local DWORD t_dwLastError = 0;

HANDLE AddHandle(std::shared_ptr<CKernelObject> pObject) {
    std::lock_guard<std::mutex> lock(g_handleMutex);
    g_nNextHandle += 4;
    HANDLE h = reinterpret_cast<HANDLE>(g_nNextHandle);
    g_handles[h] = std::move(pObject);
    return h;
}

std::shared_ptr<CKernelObject> FindObject(HANDLE h) {
    std::lock_guard<std::mutex> lock(g_handleMutex);
    auto it = g_handles.find(h);
    if (it != g_handles.end()) return it->second;
    t_dwLastError = ERROR_INVALID_HANDLE;
    return nullptr;
}

void Signal(CKernelObject& object, bool bSignaled) {
    {
        std::lock_guard<std::mutex> lock(object.m_mutex);
        object.m_bSignaled = bSignaled;
    }
    if (bSignaled) object.m_cv.notify_all();
}

}  // namespace

DWORD WINAPI GetCurrentThreadId() {
    if (!t_dwThreadId) t_dwThreadId = g_nNextThreadId++;
    return t_dwThreadId;
}

HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE pfnStartAddress,
                           LPVOID pParameter, DWORD, LPDWORD pThreadId) {
    // CREATE_SUSPENDED is not supported: the thread always starts at once.
    if (!pfnStartAddress) {
        t_dwLastError = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    auto pObject = std::make_shared<CKernelObject>();
    pObject->m_bThread = true;
    DWORD dwId = g_nNextThreadId++;
    if (pThreadId) *pThreadId = dwId;
    HANDLE h = AddHandle(pObject);
    std::thread([pObject, pfnStartAddress, pParameter, dwId] {
        t_dwThreadId = dwId;
        DWORD dwExit = pfnStartAddress(pParameter);
        {
            std::lock_guard<std::mutex> lock(pObject->m_mutex);
            pObject->m_dwExitCode = dwExit;
        }
        Signal(*pObject, true);
    }).detach();
    return h;
}

BOOL WINAPI GetExitCodeThread(HANDLE hThread, LPDWORD pExitCode) {
    auto pObject = FindObject(hThread);
    if (!pObject || !pObject->m_bThread || !pExitCode) return FALSE;
    std::lock_guard<std::mutex> lock(pObject->m_mutex);
    *pExitCode = pObject->m_dwExitCode;
    return TRUE;
}

HANDLE WINAPI CreateEventA(LPSECURITY_ATTRIBUTES, BOOL bManualReset, BOOL bInitialState, LPCSTR) {
    auto pObject = std::make_shared<CKernelObject>();
    pObject->m_bManualReset = bManualReset != FALSE;
    pObject->m_bSignaled = bInitialState != FALSE;
    return AddHandle(pObject);
}

BOOL WINAPI SetEvent(HANDLE hEvent) {
    auto pObject = FindObject(hEvent);
    if (!pObject || pObject->m_bThread) return FALSE;
    Signal(*pObject, true);
    return TRUE;
}

BOOL WINAPI ResetEvent(HANDLE hEvent) {
    auto pObject = FindObject(hEvent);
    if (!pObject || pObject->m_bThread) return FALSE;
    Signal(*pObject, false);
    return TRUE;
}

DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
    auto pObject = FindObject(hHandle);
    if (!pObject) return WAIT_FAILED;
    std::unique_lock<std::mutex> lock(pObject->m_mutex);
    auto isSignaled = [&] { return pObject->m_bSignaled; };
    if (dwMilliseconds == INFINITE)
        pObject->m_cv.wait(lock, isSignaled);
    else if (!pObject->m_cv.wait_for(lock, std::chrono::milliseconds(dwMilliseconds), isSignaled))
        return WAIT_TIMEOUT;
    // An auto-reset event releases one waiter and turns unsignalled again.
    if (!pObject->m_bManualReset) pObject->m_bSignaled = false;
    return WAIT_OBJECT_0;
}

BOOL WINAPI CloseHandle(HANDLE hObject) {
    std::lock_guard<std::mutex> lock(g_handleMutex);
    if (g_handles.erase(hObject)) return TRUE;
    t_dwLastError = ERROR_INVALID_HANDLE;
    return FALSE;
}

void WINAPI Sleep(DWORD dwMilliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds));
}

DWORD WINAPI GetTickCount() {
    auto elapsed = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<DWORD>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

DWORD WINAPI GetLastError() {
    return t_dwLastError;
}

void WINAPI SetLastError(DWORD dwErrCode) {
    t_dwLastError = dwErrCode;
}

int WINAPI MulDiv(int nNumber, int nNumerator, int nDenominator) {
    if (nDenominator == 0) return -1;
    std::int64_t nProduct = static_cast<std::int64_t>(nNumber) * nNumerator;
    bool bNegative = (nProduct < 0) != (nDenominator < 0);
    std::uint64_t nAbs = nProduct < 0 ? 0 - static_cast<std::uint64_t>(nProduct)
                                      : static_cast<std::uint64_t>(nProduct);
    std::uint64_t nDiv = nDenominator < 0 ? 0 - static_cast<std::uint64_t>(nDenominator)
                                          : static_cast<std::uint64_t>(nDenominator);
    // Rounds half away from zero, and reports overflow as -1, as Windows' MulDiv does.
    std::uint64_t nResult = (nAbs + nDiv / 2) / nDiv;
    if (nResult > 0x7FFFFFFFu) return -1;
    return bNegative ? -static_cast<int>(nResult) : static_cast<int>(nResult);
}
