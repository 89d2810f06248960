// The equation tester: scans the number tokens out of an equation text of the form
// name = expression and judges each one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kavo::equation {

// The fixed text the tester scans.
inline constexpr std::string_view kTestEquation =
    "CCRe= -12.3E34 *(FR+Qc1) + Qc1 + Qc1^3+ VES* 3E02";

// Digits: the characters of a number besides its sign, point and exponent letter.
bool IsNumberChar(char c);
// The operators and parentheses an expression joins its terms with.
bool IsOperatorChar(char c);

struct NumberToken {
    std::string token;
    int endPos = 0;       // 1-based position of the character that ended the token
    std::string verdict;  // "GOOD", "Bad#", "Bad+", "Bad-", "Bad.", "Bade", "Bade?"
};

// Scans one number token of `text` from the 1-based position `start`.
NumberToken ScanNumberToken(std::string_view text, int start);

// The tester's listing: the equation's name and expression, then one line per start position
// with its token and verdict, ending with "ENDOFLINE".
std::vector<std::string> RunEquationTest(std::string_view equation = kTestEquation);

}  // namespace kavo::equation
