// SimReset: the clean slate between tests.
#include "user_internal.h"
#include "win32sim/sim.h"

using namespace win32sim;

void SimReset() {
    ForgetAllWindows();
    ForgetAllMenus();
    for (CThreadData* pThread : AllThreads()) {
        {
            std::lock_guard<std::mutex> lock(pThread->m_mutex);
            pThread->m_posted.clear();
            pThread->m_bQuit = false;
        }
        pThread->m_hwndFocus = pThread->m_hwndActive = pThread->m_hwndCapture = nullptr;
        std::fill(std::begin(pThread->m_keys), std::end(pThread->m_keys), BYTE{0});
    }
    SimResetScreen();
}
