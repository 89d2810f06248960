// Fields and lines of the comma-separated tables Kavo writes for spreadsheets and data tools:
// a field that holds a comma, a double quote or a line end is quoted, its quotes doubled.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kavo::tools {

// The field as it stands in a CSV line.
std::string CsvField(std::string_view text);
// The same, appended to a line.
void AppendCsvField(std::string& line, std::string_view text);

// A number as a fixed-width table prints it through `mask`, without the padding; empty for
// the missing value, so that a CSV reader sees an empty cell rather than -5435.
std::string CsvNumber(float value, std::string_view mask);
// The same from the text the table printed (padding and all), for a writer that has it.
std::string_view CsvNumberText(std::string_view printed);

// The fields joined by commas, each through CsvField (no line end).
std::string CsvLine(const std::vector<std::string>& fields);

// The fields of one line as CsvLine wrote them: quotes taken off, doubled quotes made single.
std::vector<std::string> CsvFields(std::string_view line);

}  // namespace kavo::tools
