// Running out of memory inside Calculation becomes an error text, never an escaping exception.
#include <gtest/gtest.h>

#include "formula_parser.h"

namespace {
bool g_failNextAllocation = false;
}

void* operator new(std::size_t size) {
    if (g_failNextAllocation) {
        g_failNextAllocation = false;
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

const std::string kOutOfMemory =
    std::string("Error in Calculation() weil ") + std::bad_alloc().what();

// One parser evaluates the same formula four times (read, record, replay, replay); in one of the
// calls the first allocation fails. Every other call answers as usual.
TEST(AllocationFailure, IsReportedAsTheExceptionTextAndTheParserStaysUsable) {
    const std::string division = " (Division durch Null)";
    // What fails, in which call, and what that call answers.
    const std::tuple<const char*, int, double, std::string> kRows[] = {
        {"reading: recording the division error", 1, 0.0, kOutOfMemory},
        {"recording: the steps, which are simply not kept", 2, 13.0, division},
        {"replaying: handing out the error text", 3, 0.0, kOutOfMemory}};
    for (const auto& [way, failingCall, failedValue, failedText] : kRows) {
        CFormulaParser parser;
        parser.SetFunctConst(1, 6.0);
        for (int call = 1; call <= 4; ++call) {
            std::uint16_t position = 7;
            std::string text;  // empty, so that handing out an error text allocates
            g_failNextAllocation = (call == failingCall);
            const double value = parser.Calculation("B*2+1/0", 0.0, position, text);
            g_failNextAllocation = false;
            const bool failing = (call == failingCall);
            EXPECT_EQ(std::make_tuple(failing ? failedValue : 13.0, std::uint16_t{0},
                                      failing ? failedText : division),
                      std::make_tuple(value, position, text))
                << way << ", call " << call;
        }
    }
}

}  // namespace
