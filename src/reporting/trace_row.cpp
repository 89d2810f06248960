// Cutting a row of the input-lines trace back into its four fields.
#include "reporting/trace_row.h"

namespace kavo::reporting {

std::optional<TraceRow> ParseTraceRow(std::string_view text) {
    if (!text.empty() && text.back() == '\r') {
        text.remove_suffix(1);
    }
    const std::size_t lastComma = text.rfind(',');
    if (lastComma == std::string_view::npos || lastComma < 1 || text[lastComma - 1] != '"') {
        return std::nullopt;
    }
    TraceRow row;
    row.fileNumber = std::string(text.substr(lastComma + 1));
    const std::string_view quoted = text.substr(0, lastComma);  // "line","description","file"
    const std::size_t fileStart = quoted.rfind("\",\"");
    if (fileStart == std::string_view::npos || fileStart == 0) {
        return std::nullopt;
    }
    row.fileName = std::string(quoted.substr(fileStart + 3, quoted.size() - fileStart - 4));
    const std::size_t descriptionStart = quoted.rfind("\",\"", fileStart - 1);
    if (descriptionStart == std::string_view::npos || quoted.front() != '"') {
        return std::nullopt;
    }
    row.description =
        std::string(quoted.substr(descriptionStart + 3, fileStart - descriptionStart - 3));
    row.line = std::string(quoted.substr(1, descriptionStart - 1));
    return row;
}

}  // namespace kavo::reporting
