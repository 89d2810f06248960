// An RFC 4180 reader, written apart from the program's CSV writer.
#include "support/csv_reader.h"

#include <stdexcept>

namespace kavo::testing {

CsvRecords ReadCsv(std::string_view text) {
    CsvRecords records;
    std::vector<std::string> record;
    std::string field;
    std::size_t i = 0;
    const auto endField = [&] {
        record.push_back(field);
        field.clear();
    };
    const auto endRecord = [&] {
        endField();
        records.push_back(record);
        record.clear();
    };
    while (i < text.size()) {
        const char c = text[i];
        if (c == '"' && field.empty()) {
            ++i;
            while (true) {
                if (i >= text.size()) {
                    throw std::runtime_error("CSV: a quoted field is never closed");
                }
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
            if (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n') {
                throw std::runtime_error("CSV: text after a closing quote");
            }
            continue;
        }
        if (c == ',') {
            endField();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            endRecord();
            ++i;
        } else if (c == '\n') {
            endRecord();
        } else {
            field += c;
        }
        ++i;
    }
    if (!field.empty() || !record.empty()) {
        endRecord();
    }
    return records;
}

}  // namespace kavo::testing
