// Reading back a sounding's output table for display.
#include "output/q1o_reader.h"

#include <fstream>
#include <optional>

#include "output/q1o_table.h"
#include "output/text_table.h"
#include "platform/file_system.h"
#include "tools/line_split.h"
#include "tools/null_marker.h"
#include "tools/number_text.h"

namespace kavo::output {
namespace {

std::vector<std::string> TrimmedCells(const std::string& line) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        cells.push_back(tools::TrimCopy(std::string_view(line).substr(
            start, comma == std::string::npos ? std::string::npos : comma - start)));
        if (comma == std::string::npos) {
            return cells;
        }
        start = comma + 1;
    }
}

// The value of `label` in a header table row "label=value   label=value".
std::string CellValue(const std::string& line, const std::string& label) {
    const std::size_t at = line.find(label + "=");
    if (at == std::string::npos) {
        return "";
    }
    const std::size_t start = at + label.size() + 1;
    const std::size_t end = line.find(' ', start);
    std::string value =
        line.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return value == kBlankCellValue ? "" : value;
}

}  // namespace

Q1oTableContents ReadQ1oTable(const std::string& realPath) {
    Q1oTableContents contents;
    std::ifstream in(realPath, std::ios::binary);
    if (!in) {
        contents.problem = "Kavo can't open " + realPath;
        return contents;
    }
    std::string line;
    bool first = true;
    bool data = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (first) {
            contents.columnIds = TrimmedCells(line);
            contents.units.assign(contents.columnIds.size(), "");
            first = false;
        } else if (data) {
            if (tools::TrimCopy(line).empty()) {
                continue;
            }
            std::vector<std::string> cells = TrimmedCells(line);
            cells.resize(contents.columnIds.size());
            for (std::string& cell : cells) {
                const std::optional<double> value = tools::ParseNumber(cell);
                if (value && tools::IsMissing(*value)) {
                    cell.clear();
                }
            }
            contents.rows.push_back(std::move(cells));
        } else if (line.rfind("Column=", 0) == 0) {
            const std::string number = CellValue(line, "Column");
            const float index = tools::NumberOrNull(number);
            if (!tools::IsMissing(index) && index >= 1 &&
                index <= static_cast<float>(contents.units.size())) {
                contents.units[static_cast<std::size_t>(index) - 1] = CellValue(line, "Row1_Units");
            }
        } else if (line == "EOH") {
            data = true;
        }
    }
    if (!data) {
        contents.problem = realPath + " has no end-of-header line EOH: it is not a whole table";
    }
    return contents;
}

std::vector<std::string> SoundingsWithTables(const files::DataArea& area) {
    const std::string suffix(kQ1oSuffix);
    std::vector<std::string> names = platform::ListMatching(
        files::PathFor(area, files::PathKey::Soundings) + "*" + suffix, platform::EntryKind::File);
    for (std::string& name : names) {
        name.resize(name.size() - suffix.size());
    }
    return names;
}

}  // namespace kavo::output
