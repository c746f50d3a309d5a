// kernel32: manual-reset events, waiting and MulDiv.
#include "win32_test.h"

namespace win32test {
namespace {

TEST(WaitForSingleObject, ManualResetEventStaysSignalledOnceSet) {
    HANDLE hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(hEvent, nullptr);
    EXPECT_EQ(WaitForSingleObject(hEvent, 10), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE(SetEvent(hEvent));
    EXPECT_EQ(WaitForSingleObject(hEvent, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(WaitForSingleObject(hEvent, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_TRUE(CloseHandle(hEvent));
}

// The labels' point sizes rest on it: 10, 8 and 7 points at 96 and 120 pixels per inch.
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
