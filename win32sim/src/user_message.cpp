// Message queues: one per thread; posting is thread-safe, everything else runs on the UI thread.
// Sent messages call the window procedure directly; a send to another thread's window is not
// queued. Reading the queue filters by message range only, never by window.
#include <algorithm>
#include <map>
#include <mutex>

#include "user_internal.h"

namespace win32sim {
namespace {

std::mutex g_threadMutex;
std::map<DWORD, std::unique_ptr<CThreadData>> g_threads;

bool InRange(UINT nMsg, UINT nMin, UINT nMax) {
    if (nMin == 0 && nMax == 0) return true;
    return nMsg >= nMin && nMsg <= nMax;
}

bool TakePosted(CThreadData& thread, UINT nMin, UINT nMax, bool bRemove, MSG* pMsg) {
    std::lock_guard<std::mutex> lock(thread.m_mutex);
    for (auto it = thread.m_posted.begin(); it != thread.m_posted.end(); ++it) {
        if (!InRange(it->message, nMin, nMax)) continue;
        *pMsg = *it;
        if (bRemove) thread.m_posted.erase(it);
        return true;
    }
    if (thread.m_bQuit && InRange(WM_QUIT, nMin, nMax)) {
        *pMsg = MSG{nullptr, WM_QUIT,        static_cast<WPARAM>(thread.m_nQuitCode),
                    0,       GetTickCount(), POINT{0, 0}};
        if (bRemove) thread.m_bQuit = false;
        return true;
    }
    return false;
}

bool TakeAny(UINT nMin, UINT nMax, bool bRemove, MSG* pMsg) {
    CThreadData& thread = CurrentThread();
    if (TakePosted(thread, nMin, nMax, bRemove, pMsg)) return true;
    return InRange(WM_PAINT, nMin, nMax) && FindPaintWindow(pMsg);
}

void Post(CThreadData& thread, const MSG& msg, bool bFront) {
    {
        std::lock_guard<std::mutex> lock(thread.m_mutex);
        if (bFront)
            thread.m_posted.push_front(msg);
        else
            thread.m_posted.push_back(msg);
        ++thread.m_nPosts;
    }
    thread.m_cv.notify_all();
}

unsigned long long PostCount(CThreadData& thread) {
    std::lock_guard<std::mutex> lock(thread.m_mutex);
    return thread.m_nPosts;
}

MSG MakeMsg(HWND hwnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    POINT pt{0, 0};
    GetCursorPos(&pt);
    return MSG{hwnd, nMsg, wParam, lParam, GetTickCount(), pt};
}

// The character TranslateMessage makes of a key, or 0; only the keys the program's users type.
char CharOfKey(WPARAM vk, bool bShift) {
    if (vk >= 'A' && vk <= 'Z') return static_cast<char>(bShift ? vk : vk - 'A' + 'a');
    if (vk >= '0' && vk <= '9') return static_cast<char>(vk);
    switch (vk) {
        case VK_RETURN:
            return '\r';
        case VK_TAB:
            return '\t';
        case VK_ESCAPE:
            return '\x1B';
        case VK_BACK:
            return '\b';
        case VK_SPACE:
            return ' ';
        default:
            return 0;
    }
}

}  // namespace

CThreadData* FindThread(DWORD dwId) {
    std::lock_guard<std::mutex> lock(g_threadMutex);
    auto& pThread = g_threads[dwId];
    if (!pThread) {
        pThread = std::make_unique<CThreadData>();
        pThread->m_dwId = dwId;
    }
    return pThread.get();
}

CThreadData& CurrentThread() {
    thread_local CThreadData* s_pThread = nullptr;
    thread_local DWORD s_dwId = 0;
    DWORD dwId = GetCurrentThreadId();
    if (!s_pThread || s_dwId != dwId) {
        s_pThread = FindThread(dwId);
        s_dwId = dwId;
    }
    return *s_pThread;
}

std::vector<CThreadData*> AllThreads() {
    std::lock_guard<std::mutex> lock(g_threadMutex);
    std::vector<CThreadData*> all;
    for (auto& entry : g_threads)
        all.push_back(entry.second.get());
    return all;
}

}  // namespace win32sim

using namespace win32sim;

LRESULT WINAPI SendMessageA(HWND hwnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd || !pWnd->m_pfnProc) return 0;
    return pWnd->m_pfnProc(hwnd, nMsg, wParam, lParam);
}

LRESULT WINAPI CallWindowProcA(WNDPROC pfnPrevWndFunc, HWND hwnd, UINT nMsg, WPARAM wParam,
                               LPARAM lParam) {
    return pfnPrevWndFunc ? pfnPrevWndFunc(hwnd, nMsg, wParam, lParam) : 0;
}

// Messages go to a window's queue; there are no thread messages without one.
BOOL WINAPI PostMessageA(HWND hwnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CWindow* pWnd = GetWnd(hwnd);
    if (!pWnd) return FALSE;
    Post(*FindThread(pWnd->m_dwThread), MakeMsg(hwnd, nMsg, wParam, lParam), false);
    return TRUE;
}

BOOL WINAPI PeekMessageA(LPMSG pMsg, HWND, UINT wMsgFilterMin, UINT wMsgFilterMax,
                         UINT wRemoveMsg) {
    MSG msg{};
    if (!TakeAny(wMsgFilterMin, wMsgFilterMax, (wRemoveMsg & PM_REMOVE) != 0, &msg)) return FALSE;
    if (pMsg) *pMsg = msg;
    return TRUE;
}

BOOL WINAPI GetMessageA(LPMSG pMsg, HWND, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    CThreadData& thread = CurrentThread();
    MSG msg{};
    for (;;) {
        unsigned long long nSeen = PostCount(thread);
        if (TakeAny(wMsgFilterMin, wMsgFilterMax, true, &msg)) break;
        std::unique_lock<std::mutex> lock(thread.m_mutex);
        thread.m_cv.wait(lock, [&] { return thread.m_nPosts != nSeen; });
    }
    if (pMsg) *pMsg = msg;
    return msg.message != WM_QUIT;
}

void WINAPI PostQuitMessage(int nExitCode) {
    CThreadData& thread = CurrentThread();
    {
        std::lock_guard<std::mutex> lock(thread.m_mutex);
        thread.m_bQuit = true;
        thread.m_nQuitCode = nExitCode;
        ++thread.m_nPosts;
    }
    thread.m_cv.notify_all();
}

BOOL WINAPI TranslateMessage(const MSG* pMsg) {
    if (!pMsg || (pMsg->message != WM_KEYDOWN && pMsg->message != WM_SYSKEYDOWN)) return FALSE;
    char ch = CharOfKey(pMsg->wParam, GetKeyState(VK_SHIFT) < 0);
    if (!ch || !IsWindow(pMsg->hwnd)) return TRUE;
    UINT nChar = pMsg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    // The character comes next, ahead of later posts, as it would from the keyboard.
    Post(CurrentThread(), MakeMsg(pMsg->hwnd, nChar, static_cast<BYTE>(ch), pMsg->lParam), true);
    return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG* pMsg) {
    if (!pMsg || !pMsg->hwnd) return 0;
    return SendMessageA(pMsg->hwnd, pMsg->message, pMsg->wParam, pMsg->lParam);
}
