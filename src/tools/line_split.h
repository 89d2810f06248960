// Splitting the lines of the system's comma-separated files into fields, key=value pairs
// and column IDs, and the breakdown listing of a split line.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavo::tools {

struct SplitOptions {
    bool splitKeyValue = false;   // cut fields again at "="
    bool blanksSeparate = false;  // a blank outside quotes separates fields
    bool resplitCommas = false;   // cut fields again at commas (also those inside quotes)
};

// Called with the line and its fields after a split, when the breakdown of input lines is
// to be shown.
using BreakdownSink = std::function<void(std::string_view line, const std::vector<std::string>&)>;

// Splits one line into trimmed fields (field 1 of the system is element 0). `capacity` is
// the greatest number of fields the caller accepts. Throws DataError "ER932" for an odd
// number of double quotes and "ER933" when the line would give more fields than the
// capacity. When `breakdown` is set it receives the result of a line that is not blank.
std::vector<std::string> SplitLine(std::string_view line, const SplitOptions& options,
                                   std::size_t capacity, const BreakdownSink& breakdown = {});

struct KeyValue {
    std::string key;
    std::string value;
    bool found = false;  // false when the line holds no "="
};
KeyValue SplitKeyValue(std::string_view line);

struct ColumnIdResult {
    std::string id;  // upper case; "ENDOFLIST" when the cell has no "{"
    bool bad = false;
};
ColumnIdResult ColumnIdOf(std::string_view cell);

// The number in a text field, as a single; nothing when the trimmed text is empty, not
// numeric or beyond the range of a single. This alone decides whether a measured value is
// missing: a count, depth or reading that equals 5435 or -5435 is a value like any other.
std::optional<float> ParseSingle(std::string_view text);

// The number in a text field, as a single; -5435 when ParseSingle finds none. For values
// whose null marker is written in the file itself (settings, database columns, charts).
float NumberOrNull(std::string_view text);

// The lines of the listing window for a split line: "LINE----->" line "<-----", " ",
// "#  item", then "1) field" ... or "it's blank....".
std::vector<std::string> LineBreakdown(std::string_view line,
                                       const std::vector<std::string>& fields);

// The fixed self-test line, and its breakdown when split with all three options.
std::string SelfTestLine();
std::vector<std::string> LineSplitSelfTest();

}  // namespace kavo::tools
