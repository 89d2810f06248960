// The built-in chart set: the text of the default chart files, compiled into the program.
#pragma once

#include <span>
#include <string_view>

namespace kavo::charts {

struct InternalChartText {
    std::string_view fileName;  // the name of the shipped chart file it was made from
    std::string_view text;      // the whole file, lines ended by "\n"
};

// The eight required charts, in the order cQc, Ic, UWT1, CRRe, p200s1, Vs1, N1, S1.
std::span<const InternalChartText> InternalChartTexts();

}  // namespace kavo::charts
