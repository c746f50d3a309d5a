// kernel32: events, waiting, threads and MulDiv.
#include "win32_test.h"

namespace win32test {
namespace {

TEST(WaitForSingleObject, EventResetModes) {
    const struct {
        BOOL bManualReset;
        DWORD dwSecondWait;
    } cases[] = {{TRUE, WAIT_OBJECT_0}, {FALSE, WAIT_TIMEOUT}};
    for (const auto& c : cases) {
        HANDLE hEvent = CreateEventA(nullptr, c.bManualReset, FALSE, nullptr);
        ASSERT_NE(hEvent, nullptr);
        EXPECT_EQ(WaitForSingleObject(hEvent, 0), static_cast<DWORD>(WAIT_TIMEOUT));
        SetEvent(hEvent);
        EXPECT_EQ(WaitForSingleObject(hEvent, 0), static_cast<DWORD>(WAIT_OBJECT_0));
        EXPECT_EQ(WaitForSingleObject(hEvent, 0), c.dwSecondWait) << "manual " << c.bManualReset;
        ResetEvent(hEvent);
        EXPECT_EQ(WaitForSingleObject(hEvent, 10), static_cast<DWORD>(WAIT_TIMEOUT));
        EXPECT_TRUE(CloseHandle(hEvent));
    }
}

TEST(WaitForSingleObject, InitiallySignalledEvent) {
    HANDLE hEvent = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    EXPECT_EQ(WaitForSingleObject(hEvent, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    CloseHandle(hEvent);
}

DWORD WINAPI SetAndExit(LPVOID pParam) {
    SetEvent(static_cast<HANDLE>(pParam));
    return 17;
}

TEST(CreateThread, HandleIsSignalledWhenTheThreadEnds) {
    HANDLE hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD dwId = 0;
    HANDLE hThread = CreateThread(nullptr, 0, SetAndExit, hEvent, 0, &dwId);
    ASSERT_NE(hThread, nullptr);
    EXPECT_NE(dwId, 0u);
    EXPECT_NE(dwId, GetCurrentThreadId());
    EXPECT_EQ(WaitForSingleObject(hThread, 5000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(WaitForSingleObject(hEvent, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    DWORD dwExit = 0;
    EXPECT_TRUE(GetExitCodeThread(hThread, &dwExit));
    EXPECT_EQ(dwExit, 17u);
    CloseHandle(hThread);
    CloseHandle(hEvent);
}

TEST(GetLastError, KeepsWhatSetLastErrorSet) {
    SetLastError(1234);
    EXPECT_EQ(GetLastError(), 1234u);
    SetLastError(0);
}

TEST(MulDiv, RoundsHalfAwayFromZero) {
    const struct {
        int a, b, c, nExpected;
    } cases[] = {
        {10, 96, 72, 13}, {8, 96, 72, 11},  {7, 96, 72, 9},   {10, 120, 72, 17},
        {8, 120, 72, 13}, {7, 120, 72, 12}, {-7, 96, 72, -9}, {1, 1, 2, 1},
        {-1, 1, 2, -1},   {5, 3, 0, -1},    {131, 7, 4, 229}, {0x7FFFFFFF, 2, 1, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.nExpected) << c.a << "*" << c.b << "/" << c.c;
}

}  // namespace
}  // namespace win32test
