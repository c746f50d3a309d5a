// Running out of memory inside Calculation becomes an error text, never an escaping exception.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

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

TEST(AllocationFailure, IsReportedAsTheExceptionTextAndTheParserStaysUsable) {
    CFormulaParser parser;
    parser.SetFunctConst(1, 6.0);
    std::string formula = "B*2+1/0";  // recording the division error is the first allocation
    std::uint16_t position = 7;
    std::string text;
    g_failNextAllocation = true;
    const double value = parser.Calculation(std::move(formula), 0.0, position, text);
    g_failNextAllocation = false;
    EXPECT_EQ(0.0, value);
    EXPECT_EQ(0, position);
    EXPECT_EQ(std::string("Error in Calculation() weil ") + std::bad_alloc().what(), text);

    EXPECT_EQ(13.0, parser.Calculation("B*2+1/0", 0.0, position, text));
    EXPECT_EQ(" (Division durch Null)", text);
}

}  // namespace
