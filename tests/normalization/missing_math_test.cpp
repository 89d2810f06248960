// Arithmetic on values that may be missing, and the limit to a range.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "normalization/missing_math.h"

namespace kavo::normalization {
namespace {

constexpr float kNull = -5435.0f;

TEST(MissingMath, BothSignsOf5435CountAsMissing) {
    EXPECT_TRUE(IsMissingValue(-5435.0f));
    EXPECT_TRUE(IsMissingValue(5435.0f));
    EXPECT_FALSE(IsMissingValue(5434.999f));
    EXPECT_FALSE(IsMissingValue(0.0f));
}

TEST(MissingMath, AnyMissingOperandGivesTheMarker) {
    struct Case {
        float a;
        float b;
    };
    for (const Case& c : {Case{5435, 1}, Case{1, 5435}, Case{-5435, 2}, Case{2, -5435}}) {
        EXPECT_EQ(AddMissing(c.a, c.b), kNull) << c.a << " + " << c.b;
        EXPECT_EQ(MultiplyMissing(c.a, c.b), kNull) << c.a << " * " << c.b;
        EXPECT_EQ(DivideMissing(c.a, c.b), kNull) << c.a << " / " << c.b;
    }
}

TEST(MissingMath, PresentOperandsGiveSinglePrecisionResults) {
    EXPECT_EQ(AddMissing(2.5f, -1.0f), 1.5f);
    EXPECT_EQ(MultiplyMissing(3.0f, 0.1f), 3.0f * 0.1f);
    EXPECT_EQ(DivideMissing(1.0f, 3.0f), 1.0f / 3.0f);
    // A result that happens to be 5435 is not turned into the marker by the operation.
    EXPECT_EQ(AddMissing(5000.0f, 435.0f), 5435.0f);
}

TEST(MissingMath, DivisionByZeroIsMissing) {
    EXPECT_EQ(DivideMissing(3.0f, 0.0f), kNull);
    EXPECT_EQ(DivideMissing(0.0f, 0.0f), kNull);
    EXPECT_EQ(DivideMissing(0.0f, 2.0f), 0.0f);
}

TEST(LimitToRange, KeepsTheEndsAndBlanksWhatLiesOutside) {
    struct Case {
        float value;
        float expected;
    };
    for (const Case& c : {Case{0.5f, kNull}, Case{1.0f, 1.0f}, Case{5.0f, 5.0f}, Case{10.0f, 10.0f},
                          Case{10.5f, kNull}}) {
        EXPECT_EQ(LimitToRange(c.value, 1.0f, 10.0f), c.expected) << c.value;
    }
    EXPECT_EQ(LimitToRange(std::numeric_limits<float>::quiet_NaN(), 1.0f, 10.0f), kNull);
    EXPECT_EQ(LimitToRange(kNull, 1.0f, 10.0f), kNull);
}

}  // namespace
}  // namespace kavo::normalization
