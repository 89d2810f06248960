// Reading back one row of the input-lines trace for display: the line as read, what it was
// read for, its file and the file number.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kavo::reporting {

struct TraceRow {
    std::string line;
    std::string description;
    std::string fileName;
    std::string fileNumber;
};

// A row as the trace writes it: "line","description","file",number. The line itself may
// hold quotes and commas (it is written as read), so the row is cut from its end. Nothing
// when the text is not such a row.
std::optional<TraceRow> ParseTraceRow(std::string_view text);

}  // namespace kavo::reporting
