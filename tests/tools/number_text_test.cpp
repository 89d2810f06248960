// The text forms of numbers: what counts as numeric and how singles are written.
#include "tools/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>

namespace kavo::tools {
namespace {

struct NumericCase {
    std::string text;
    double value;
};

TEST(ParseNumber, ReadsPlainDecimalsWithSignPointAndExponent) {
    const NumericCase cases[] = {
        {"12.5", 12.5},     {" 12.5 ", 12.5}, {"-3", -3.0},     {"+4", 4.0},     {".5", 0.5},
        {"-.5", -0.5},      {"5.", 5.0},      {"007", 7.0},     {"1e3", 1000.0}, {"1.5E-2", 0.015},
        {"-2.5e+1", -25.0}, {"0", 0.0},       {"1E308", 1e308},
    };
    for (const auto& c : cases) {
        std::optional<double> parsed = ParseNumber(c.text);
        ASSERT_TRUE(parsed.has_value()) << "'" << c.text << "'";
        EXPECT_EQ(*parsed, c.value) << "'" << c.text << "'";
    }
}

TEST(ParseNumber, RejectsEverythingElse) {
    const std::string cases[] = {"",    "   ",  "abc", ".",    "-",   "+",   "1.2.3", "1e",
                                 "1e+", "e5",   "1,5", "1 5",  "\t5", "5\t", "0x1A",  "inf",
                                 "nan", "1d5",  "--1", "+-1",  "$5",  "(5)", "5-",    "1e400",
                                 "12a", "1e5.", "- 5", "1e 5", "5e-"};
    for (const auto& text : cases) {
        EXPECT_FALSE(ParseNumber(text).has_value()) << "'" << text << "'";
    }
}

TEST(ParseWholeNumber, TakesOnlyWholeNumbersWithinTheRange) {
    const struct {
        std::string text;
        std::optional<int> value;
    } cases[] = {
        {"0", 0},
        {" 12 ", 12},
        {"12.0", 12},
        {"1e1", 10},
        {"-0", 0},
        {"13", std::nullopt},
        {"-1", std::nullopt},
        {"3.5", std::nullopt},
        {"7203000800003", std::nullopt},
        {"1e308", std::nullopt},
        {"", std::nullopt},
        {"x", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseWholeNumber(c.text, 0, 12), c.value) << "'" << c.text << "'";
    }
    EXPECT_EQ(ParseWholeNumber("-2147483648", INT_MIN, INT_MAX), INT_MIN);
    EXPECT_EQ(ParseWholeNumber("2147483648", INT_MIN, INT_MAX), std::nullopt);
}

struct SingleCase {
    float value;
    std::string text;
};

// to_chars's own text of the seven digits, and the same text made of SevenSignificantDigits.
std::string ToCharsSevenDigits(float value) {
    char buffer[32];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 6);
    return std::string(buffer, written.ptr);
}
std::string SevenDigitsText(float value) {
    const SevenDigits seven = SevenSignificantDigits(value);
    const std::string digits = std::to_string(seven.digits);
    const std::string exponent =
        std::to_string(seven.exponent < 0 ? -seven.exponent : seven.exponent);
    return (seven.negative ? "-" : "") + digits.substr(0, 1) + "." + digits.substr(1) + "e" +
           (seven.exponent < 0 ? "-" : "+") + (exponent.size() < 2 ? "0" : "") + exponent;
}

TEST(SevenSignificantDigits, EqualsToCharsForAnySingleAndForExactTies) {
    // Exact ties at the eighth digit round to the even neighbour, as to_chars does.
    EXPECT_EQ(SevenDigitsText(1234567.5f), "1.234568e+06");
    EXPECT_EQ(SevenDigitsText(1234568.5f), "1.234568e+06");
    EXPECT_EQ(SevenDigitsText(123456.25f), "1.234562e+05");
    EXPECT_EQ(SevenDigitsText(9999999.5f), "1.000000e+07");
    EXPECT_EQ(SevenDigitsText(-0.5f), "-5.000000e-01");
    std::mt19937 random(81226);
    int mismatches = 0;
    for (int i = 0; i < 400000 && mismatches < 10; ++i) {
        float value = 0.0f;
        switch (i % 4) {
            case 0:  // any bit pattern
                value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
                break;
            case 1:  // whole numbers over a power of two: exact decimals, many ties
                value = static_cast<float>(random() % 16777216u) /
                        static_cast<float>(1u << (random() % 24));
                break;
            case 2: {  // next to a power of ten
                const float power = std::pow(10.0f, static_cast<float>(random() % 40) - 20.0f);
                const std::uint32_t step = static_cast<std::uint32_t>(random() % 5);
                value = std::bit_cast<float>(std::bit_cast<std::uint32_t>(power) + step - 2u);
                break;
            }
            default:  // the values of the output tables
                value = std::uniform_real_distribution<float>(-1000.0f, 1000.0f)(random);
                break;
        }
        if (!std::isfinite(value) || value == 0.0f) {
            continue;
        }
        if (SevenDigitsText(value) != ToCharsSevenDigits(value)) {
            ++mismatches;
            ADD_FAILURE() << std::hexfloat << value << ": " << SevenDigitsText(value)
                          << ", to_chars " << ToCharsSevenDigits(value);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(SingleText, WritesSevenSignificantDigitsWithoutTrailingZeros) {
    const SingleCase cases[] = {
        {0.0f, "0"},
        {-0.0f, "0"},
        {345.0f, "345"},
        {12.5f, "12.5"},
        {-0.25f, "-0.25"},
        {0.1f, "0.1"},
        {1234.5678f, "1234.568"},
        {1.0f / 3.0f, "0.3333333"},
        {-5435.0f, "-5435"},
        {16777216.0f, "16777220"},
        {123456789.0f, "123456800"},
        {1e14f, "100000000000000"},
        {0.00001f, "0.00001"},
        {0.000123f, "0.000123"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SingleText(c.value), c.text) << c.text;
    }
}

TEST(SingleText, UsesExponentFormBeyondThePlainRange) {
    const SingleCase cases[] = {
        {1234567890123456.0f, "1.234568E+15"},
        {1e15f, "1E+15"},
        {-2.5e20f, "-2.5E+20"},
        {3e38f, "3E+38"},
        {0.000001f, "1E-06"},
        {1.5e-7f, "1.5E-07"},
        {-1.234568e-30f, "-1.234568E-30"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SingleText(c.value), c.text) << c.text;
    }
}

TEST(SingleText, NamesValuesThatAreNotNumbers) {
    EXPECT_EQ(SingleText(std::numeric_limits<float>::quiet_NaN()), "NaN");
    EXPECT_EQ(SingleText(std::numeric_limits<float>::infinity()), "Inf");
    EXPECT_EQ(SingleText(-std::numeric_limits<float>::infinity()), "-Inf");
}

TEST(PlainDecimalOf, RoundsSurplusDecimalsHalfAwayFromZeroWithCarry) {
    PlainDecimal carried = PlainDecimalOf(9.999999e-13f, 18);
    EXPECT_FALSE(carried.negative);
    EXPECT_EQ(carried.integerDigits, "");
    EXPECT_EQ(carried.decimals, "000000000001");

    PlainDecimal kept = PlainDecimalOf(-1.234568e-13f, 18);
    EXPECT_TRUE(kept.negative);
    EXPECT_EQ(kept.decimals, "000000000000123457");

    PlainDecimal whole = PlainDecimalOf(99.5f, 0);
    EXPECT_EQ(whole.integerDigits, "100");
    EXPECT_EQ(whole.decimals, "");

    PlainDecimal large = PlainDecimalOf(1.234568e15f, 18);
    EXPECT_EQ(large.integerDigits, "1234568000000000");
    EXPECT_EQ(large.decimals, "");
}

TEST(PlainDecimalOf, DropsTheSignWhenNothingOfTheValueRemains) {
    PlainDecimal vanished = PlainDecimalOf(-1e-20f, 18);
    EXPECT_FALSE(vanished.negative);
    EXPECT_EQ(vanished.integerDigits, "");
    EXPECT_EQ(vanished.decimals, "");
}

TEST(IntegerText, WritesPlainDigits) {
    EXPECT_EQ(IntegerText(0), "0");
    EXPECT_EQ(IntegerText(-42), "-42");
    EXPECT_EQ(IntegerText(9999), "9999");
    EXPECT_EQ(IntegerText(LLONG_MIN), "-9223372036854775808");
}

TEST(Trim, RemovesBlanksOnlyAtBothEnds) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim("\ta\t"), "\ta\t");
    EXPECT_EQ(Trim(" \ta "), "\ta");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim(""), "");
    EXPECT_EQ(TrimCopy(" x "), "x");
}

TEST(UpperCopy, UppercasesLettersAndKeepsTheRest) {
    EXPECT_EQ(UpperCopy("qc_tln_atm 1%/{x}"), "QC_TLN_ATM 1%/{X}");
}

}  // namespace
}  // namespace kavo::tools
