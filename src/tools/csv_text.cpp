// Quoting the fields of comma-separated tables.
#include "tools/csv_text.h"

#include <algorithm>

#include "tools/format_fixed.h"
#include "tools/null_marker.h"
#include "tools/number_text.h"

namespace kavo::tools {

std::string CsvField(std::string_view text) {
    std::string field;
    AppendCsvField(field, text);
    return field;
}

void AppendCsvField(std::string& line, std::string_view text) {
    // One pass over the text (every cell of every table comes here).
    const bool plain = std::none_of(text.begin(), text.end(), [](char c) {
        return c == ',' || c == '"' || c == '\r' || c == '\n';
    });
    if (plain) {
        line += text;
        return;
    }
    line += '"';
    for (char c : text) {
        if (c == '"') {
            line += '"';
        }
        line += c;
    }
    line += '"';
}

std::string CsvNumber(float value, std::string_view mask) {
    const std::string printed = FormatFixed(value, mask, false);
    return std::string(CsvNumberText(printed));
}

std::string_view CsvNumberText(std::string_view printed) {
    const std::string_view text = Trim(printed);
    return text == kNullText ? std::string_view() : text;
}

std::string CsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            line += ',';
        }
        AppendCsvField(line, fields[i]);
    }
    return line;
}

std::vector<std::string> CsvFields(std::string_view line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"') {
            if (i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else {
                quoted = false;
            }
        } else if (quoted) {
            fields.back() += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else if (c != '\r' && c != '\n') {
            fields.back() += c;
        }
    }
    return fields;
}

}  // namespace kavo::tools
