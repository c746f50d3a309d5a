// Checks one table row against a fresh evaluation, naming the formula in every failure.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "evaluation.h"

inline void ExpectCase(const Case& c) {
    const Outcome actual = Evaluate(c.formula);
    SCOPED_TRACE("formula \"" + c.formula + "\"");
    if (std::isnan(c.value)) {
        EXPECT_TRUE(std::isnan(actual.value)) << "expected NaN, got " << actual.value;
    } else {
        EXPECT_DOUBLE_EQ(c.value, actual.value);
    }
    EXPECT_EQ(c.position, actual.position);
    EXPECT_EQ(c.text, actual.text);
}
