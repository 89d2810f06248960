// The equation tester's scanner on the fixed test text and on small cases.
#include "equation/equation_tester.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kavo::equation {
namespace {

struct ScanCase {
    const char* text;
    int start;
    const char* token;
    int endPos;
    const char* verdict;
};

class ScanNumberTokenTest : public ::testing::TestWithParam<ScanCase> {};

TEST_P(ScanNumberTokenTest, JudgesTheTokenFromItsStart) {
    const ScanCase& c = GetParam();
    NumberToken scan = ScanNumberToken(c.text, c.start);
    EXPECT_EQ(scan.token, c.token);
    EXPECT_EQ(scan.endPos, c.endPos);
    EXPECT_EQ(scan.verdict, c.verdict);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScanNumberTokenTest,
    ::testing::Values(
        // A signed number with a decimal point and exponent, ended by an operator.
        ScanCase{"-12.3E34 *(FR+Qc1)", 1, "-12.3E34", 10, "GOOD"},
        // The same scan one place later starts at the digits.
        ScanCase{"-12.3E34 *(FR+Qc1)", 2, "12.3E34", 10, "GOOD"},
        // A letter that is no number character.
        ScanCase{"-12.3E34 *(FR+Qc1)", 12, "", 12, "Bade?"},
        // A number running to the end of the text.
        ScanCase{"VES* 3E02", 5, "3E02", 10, "GOOD"},
        // A sign after the first character is refused.
        ScanCase{"1E-5", 1, "", 3, "Bad-"}, ScanCase{"3+ VES", 1, "", 2, "Bad+"},
        ScanCase{"1.2.3", 1, "", 4, "Bad."}, ScanCase{"1E2E3", 1, "", 4, "Bade"},
        // Number characters that do not make a number.
        ScanCase{"E)", 1, "E", 2, "Bad#"},
        // An operator right after the digits ends the token without losing a digit.
        ScanCase{"34^2", 1, "34", 3, "GOOD"}));

TEST(RunEquationTest, ListsEveryStartWithItsVerdictAndEndsTheLine) {
    auto lines = RunEquationTest();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1], "name= CCRe   expression= -12.3E34 *(FR+Qc1) + Qc1 + Qc1^3+ VES* 3E02");
    EXPECT_EQ(lines[2], "1) token=\"-12.3E34\" end=10 GOOD");
    // The expression has 43 characters: starts 1 to 42 are scanned, 43 ends the line.
    EXPECT_EQ(lines.size(), 2u + 43u);
    EXPECT_EQ(lines.back(), "43) ENDOFLINE");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "40) token=\"3E02\" end=44 GOOD"), lines.end());
}

TEST(RunEquationTest, TextWithoutEqualsSignEndsAtOnce) {
    auto lines = RunEquationTest("=no name here");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "no \"=\" in the equation: =no name here");
}

}  // namespace
}  // namespace kavo::equation
