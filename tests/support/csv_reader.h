// Reading comma-separated text as spreadsheets and data tools do (RFC 4180): records end at
// CR LF or LF, a field in double quotes may hold commas, line ends and doubled quotes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kavo::testing {

using CsvRecords = std::vector<std::vector<std::string>>;

// The records of a whole CSV text. Throws std::runtime_error for a quote that is never
// closed or text after a closing quote.
CsvRecords ReadCsv(std::string_view text);

}  // namespace kavo::testing
