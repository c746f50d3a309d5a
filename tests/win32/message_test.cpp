// Message queues, painting, focus and activation, and the kernel calls under them: events and
// MulDiv. (Keys: the dialog manager's tests.)
#include <algorithm>
#include <thread>

#include "win32_test.h"

namespace win32test {
namespace {

const char kClass[] = "Win32TestMessages";

struct CRecord {
    HWND hwnd;
    UINT nMsg;
    WPARAM wParam;
};
std::vector<CRecord> g_records;

LRESULT CALLBACK RecordProc(HWND hwnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    g_records.push_back({hwnd, nMsg, wParam});
    return DefWindowProcA(hwnd, nMsg, wParam, lParam);
}

class MessageTest : public CWin32Test {
protected:
    void SetUp() override {
        RegisterTestClass(kClass, RecordProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        m_hwnd = Keep(CreateWindowExA(0, kClass, "Top", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100,
                                      nullptr, nullptr, nullptr, nullptr));
        m_hwndA = Child(1);
        m_hwndB = Child(2);
        Pump(nullptr);
        g_records.clear();
    }
    HWND Child(int nId) {
        return CreateWindowExA(0, kClass, "", WS_CHILD | WS_VISIBLE, 10 * nId, 10, 20, 20, m_hwnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(nId)), nullptr,
                               nullptr);
    }
    // The records of the given messages only: input-method messages may come in between.
    static std::vector<CRecord> Only(std::initializer_list<UINT> messages) {
        std::vector<CRecord> records;
        for (const CRecord& record : g_records)
            if (std::find(messages.begin(), messages.end(), record.nMsg) != messages.end())
                records.push_back(record);
        return records;
    }
    static size_t Count(HWND hwnd, UINT nMsg) {
        return static_cast<size_t>(std::count_if(g_records.begin(), g_records.end(), [&](auto& r) {
            return r.hwnd == hwnd && r.nMsg == nMsg;
        }));
    }

    HWND m_hwnd = nullptr, m_hwndA = nullptr, m_hwndB = nullptr;
};

TEST_F(MessageTest, PeekMessage_KeepsThePostingOrderAndFiltersByRange) {
    PostMessageA(m_hwndA, WM_USER, 7, 0);
    PostMessageA(m_hwndB, WM_USER + 6, 8, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 6, WM_USER + 6, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, m_hwndB);
    PostMessageA(m_hwndA, WM_USER + 1, 9, 0);
    Pump(nullptr);
    const std::vector<CRecord> user = Only({WM_USER, WM_USER + 1});
    ASSERT_EQ(user.size(), 2u) << "the message left by PM_NOREMOVE is still there";
    EXPECT_EQ(user[0].wParam, 7u);
    EXPECT_EQ(user[1].wParam, 9u);
    PostQuitMessage(3);
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(MessageTest, PostMessage_FromAnotherThreadWakesGetMessage) {
    HWND hwnd = m_hwndA;
    std::thread poster([hwnd] {
        Sleep(50);
        PostMessageA(hwnd, WM_APP + 2, 42, 0);
    });
    MSG msg{};
    do {
        ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
        DispatchMessageA(&msg);
    } while (msg.message != WM_APP + 2);
    poster.join();
    EXPECT_EQ(msg.hwnd, m_hwndA);
    EXPECT_EQ(msg.wParam, 42u);
}

// One WM_PAINT after the posted messages, erasing only when asked; UpdateWindow paints at once
// and only once; ValidateRect cancels the paint.
TEST_F(MessageTest, InvalidateRect_UpdateWindow_ValidateRect) {
    InvalidateRect(m_hwndA, nullptr, TRUE);
    InvalidateRect(m_hwndB, nullptr, FALSE);
    PostMessageA(m_hwndA, WM_USER, 0, 0);
    Pump(nullptr);
    const std::vector<CRecord> order = Only({WM_USER, WM_PAINT});
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order[0].nMsg, static_cast<UINT>(WM_USER));
    EXPECT_EQ(Count(m_hwndA, WM_PAINT), 1u);
    EXPECT_EQ(Count(m_hwndA, WM_ERASEBKGND), 1u) << "BeginPaint erases when asked to";
    EXPECT_EQ(Count(m_hwndB, WM_ERASEBKGND), 0u);
    g_records.clear();
    InvalidateRect(m_hwndA, nullptr, TRUE);
    UpdateWindow(m_hwndA);
    UpdateWindow(m_hwndA);
    EXPECT_EQ(Count(m_hwndA, WM_PAINT), 1u);
    InvalidateRect(m_hwndB, nullptr, FALSE);
    ValidateRect(m_hwndB, nullptr);
    Pump(nullptr);
    EXPECT_EQ(Count(m_hwndB, WM_PAINT), 0u);
}

TEST_F(MessageTest, RedrawWindow_UPDATENOWWithALLCHILDRENPaintsParentThenChildren) {
    RedrawWindow(m_hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const std::vector<CRecord> painted = Only({WM_PAINT});
    ASSERT_EQ(painted.size(), 3u);
    EXPECT_EQ(painted[0].hwnd, m_hwnd);
}

TEST_F(MessageTest, SetFocus_SendsKillFocusThenSetFocus) {
    SetFocus(m_hwndA);
    g_records.clear();
    EXPECT_EQ(SetFocus(m_hwndB), m_hwndA);
    const std::vector<CRecord> focus = Only({WM_KILLFOCUS, WM_SETFOCUS});
    ASSERT_EQ(focus.size(), 2u);
    EXPECT_EQ(focus[0].hwnd, m_hwndA);
    EXPECT_EQ(focus[0].nMsg, static_cast<UINT>(WM_KILLFOCUS));
    EXPECT_EQ(focus[0].wParam, reinterpret_cast<WPARAM>(m_hwndB));
    EXPECT_EQ(focus[1].hwnd, m_hwndB);
    EXPECT_EQ(GetFocus(), m_hwndB);
}

// A hidden edit can hold the focus and take typed keys, which is why the dialog keeps it off one.
TEST_F(MessageTest, SetFocus_HiddenControlTakesFocusAndKeys) {
    HWND hwndEdit = Keep(
        CreateWindowExA(0, "Edit", "", WS_CHILD, 0, 50, 80, 20, m_hwnd, nullptr, nullptr, nullptr));
    SetFocus(hwndEdit);
    EXPECT_EQ(GetFocus(), hwndEdit);
    for (char ch : std::string("12"))
        PostMessageA(GetFocus(), WM_CHAR, ch, 1);
    Pump(nullptr);
    EXPECT_EQ(TextOf(hwndEdit), "12");
}

TEST_F(MessageTest, SetActiveWindow_SendsWM_ACTIVATE) {
    HWND hwndOther = Keep(CreateWindowExA(0, kClass, "Other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                          nullptr, nullptr, nullptr, nullptr));
    SetActiveWindow(m_hwnd);
    g_records.clear();
    EXPECT_EQ(SetActiveWindow(hwndOther), m_hwnd);
    EXPECT_EQ(GetActiveWindow(), hwndOther);
    bool bDeactivated = false, bActivated = false;
    for (const CRecord& record : Only({WM_ACTIVATE})) {
        bDeactivated |= record.hwnd == m_hwnd && LOWORD(record.wParam) == WA_INACTIVE;
        bActivated |= record.hwnd == hwndOther && LOWORD(record.wParam) != WA_INACTIVE;
    }
    EXPECT_TRUE(bDeactivated);
    EXPECT_TRUE(bActivated);
}

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
