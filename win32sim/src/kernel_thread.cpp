// kernel32 of the stand-in: thread ids, manual-reset events as waitable handles, time.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <limits>
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
};

std::mutex g_handleMutex;
std::map<HANDLE, std::shared_ptr<CKernelObject>> g_handles;
UINT_PTR g_nNextHandle = 0x4000;
std::atomic<DWORD> g_nNextThreadId{0x100};
thread_local DWORD t_dwThreadId = 0;

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
    return it == g_handles.end() ? nullptr : it->second;
}

void Signal(CKernelObject& object) {
    {
        std::lock_guard<std::mutex> lock(object.m_mutex);
        object.m_bSignaled = true;
    }
    object.m_cv.notify_all();
}

}  // namespace

DWORD WINAPI GetCurrentThreadId() {
    if (!t_dwThreadId) t_dwThreadId = g_nNextThreadId++;
    return t_dwThreadId;
}

// Only manual-reset events: the program's waits never rely on an event resetting itself.
HANDLE WINAPI CreateEventA(LPSECURITY_ATTRIBUTES, BOOL bManualReset, BOOL bInitialState, LPCSTR) {
    if (!bManualReset) return nullptr;
    auto pObject = std::make_shared<CKernelObject>();
    pObject->m_bSignaled = bInitialState != FALSE;
    return AddHandle(pObject);
}

BOOL WINAPI SetEvent(HANDLE hEvent) {
    auto pObject = FindObject(hEvent);
    if (!pObject) return FALSE;
    Signal(*pObject);
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
    return WAIT_OBJECT_0;
}

BOOL WINAPI CloseHandle(HANDLE hObject) {
    std::lock_guard<std::mutex> lock(g_handleMutex);
    return g_handles.erase(hObject) != 0;
}

void WINAPI Sleep(DWORD dwMilliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds));
}

DWORD WINAPI GetTickCount() {
    auto elapsed = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<DWORD>(
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
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
    if (nResult > static_cast<std::uint64_t>(std::numeric_limits<int>::max())) return -1;
    return bNegative ? -static_cast<int>(nResult) : static_cast<int>(nResult);
}
