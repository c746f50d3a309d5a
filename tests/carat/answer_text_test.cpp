// The answer field's text: the value with six decimals, or the error text.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "answer_text.h"

namespace {

TEST(AnswerText, ValueWithSixDecimalsNumericErrorAfterMarksSyntaxErrorAsIs) {
    struct Row {
        double value;
        std::uint16_t position;
        std::string error, text;
    };
    for (const Row& row :
         {Row{0.4875, 0, "", "0.487500"},
          Row{1.0, 0, " (Division durch Null)", "???? (Division durch Null)"},
          Row{2.0, 3, "XXX!", "XXX!"},
          Row{1.0, 4, "XXX (Division durch Null)!", "XXX (Division durch Null)!"}}) {
        EXPECT_EQ(row.text, AnswerText(FormulaResult{row.value, row.position, row.error}))
            << "value " << row.value << ", position " << row.position << ", error " << row.error;
    }
}

}  // namespace
