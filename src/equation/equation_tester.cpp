#include "equation/equation_tester.h"

#include "tools/line_split.h"
#include "tools/null_marker.h"
#include "tools/number_text.h"

namespace kavo::equation {
namespace {

constexpr int kMostScans = 256;

NumberToken Judged(std::string_view text, int start, int endPos) {
    // The token is the text from start up to the character that ended it.
    auto length = static_cast<std::size_t>(endPos - start);
    NumberToken result;
    result.token = tools::TrimCopy(text.substr(static_cast<std::size_t>(start - 1), length));
    result.endPos = endPos;
    result.verdict = tools::NumberOrNull(result.token) == tools::kNull ? "Bad#" : "GOOD";
    return result;
}

NumberToken Rejected(int endPos, std::string verdict) {
    NumberToken result;
    result.endPos = endPos;
    result.verdict = std::move(verdict);
    return result;
}

}  // namespace

bool IsNumberChar(char c) {
    return c >= '0' && c <= '9';
}

bool IsOperatorChar(char c) {
    switch (c) {
        case '+':
        case '-':
        case '*':
        case '/':
        case '^':
        case '(':
        case ')':
            return true;
        default:
            return false;
    }
}

NumberToken ScanNumberToken(std::string_view text, int start) {
    int dots = 0;
    int exponents = 0;
    bool signAllowed = true;
    const int length = static_cast<int>(text.size());
    for (int position = start; position <= length; ++position) {
        char c = text[static_cast<std::size_t>(position - 1)];
        if (c == ' ') {
            continue;
        }
        if (c == '+' || c == '-') {
            // A sign belongs to the number only as the first character of the scan; after
            // that it is the operator that ends the token.
            if (!signAllowed) {
                return Rejected(position, c == '+' ? "Bad+" : "Bad-");
            }
        } else if (c == '.') {
            if (++dots > 1) {
                return Rejected(position, "Bad.");
            }
        } else if (c == 'E' || c == 'e') {
            if (++exponents > 1) {
                return Rejected(position, "Bade");
            }
        } else if (IsOperatorChar(c)) {
            return Judged(text, start, position);
        } else if (!IsNumberChar(c)) {
            return Rejected(position, "Bade?");
        }
        signAllowed = false;
    }
    return Judged(text, start, length + 1);
}

std::vector<std::string> RunEquationTest(std::string_view equation) {
    std::vector<std::string> lines;
    std::size_t equals = equation.size() > 1 ? equation.find('=', 1) : std::string_view::npos;
    if (equals == std::string_view::npos) {
        lines.push_back("no \"=\" in the equation: " + std::string(equation));
        return lines;
    }
    std::string name = tools::TrimCopy(equation.substr(0, equals));
    std::string expression = tools::TrimCopy(equation.substr(equals + 1));
    lines.push_back("Equation test: " + std::string(equation));
    lines.push_back("name= " + name + "   expression= " + expression);
    const int length = static_cast<int>(expression.size());
    for (int start = 1; start <= kMostScans; ++start) {
        if (start >= length) {
            lines.push_back(tools::IntegerText(start) + ") ENDOFLINE");
            break;
        }
        NumberToken scan = ScanNumberToken(expression, start);
        lines.push_back(tools::IntegerText(start) + ") token=\"" + scan.token +
                        "\" end=" + tools::IntegerText(scan.endPos) + " " + scan.verdict);
    }
    return lines;
}

}  // namespace kavo::equation
