// The header's label=value tables.
#include "output/text_table.h"

#include <algorithm>

#include "tools/errors.h"
#include "tools/number_text.h"

namespace kavo::output {

void TextTable::Collect(const std::vector<std::string>& labels,
                        const std::vector<std::string>& values) {
    if (labels.size() != values.size() || labels.size() > kMaxCells) {
        throw tools::ProgrammingError("text table row of " + std::to_string(labels.size()) +
                                      " labels and " + std::to_string(values.size()) +
                                      " values does not fit");
    }
    if (rows_.size() >= kMaxRows) {
        throw tools::ProgrammingError("text table holds at most 40 rows");
    }
    std::vector<std::string> cells;
    cells.reserve(labels.size());
    for (std::size_t j = 0; j < labels.size(); ++j) {
        std::string value = tools::TrimCopy(values[j]);
        if (value.empty()) {
            value = kBlankCellValue;
        }
        cells.push_back(labels[j] + "=" + value);
    }
    rows_.push_back(std::move(cells));
}

void TextTable::Print(platform::TextBuffer& out) {
    std::vector<std::size_t> widths;
    for (const auto& row : rows_) {
        if (widths.size() < row.size()) {
            widths.resize(row.size(), 0);
        }
        for (std::size_t j = 0; j < row.size(); ++j) {
            widths[j] = std::max(widths[j], row[j].size());
        }
    }
    for (const auto& row : rows_) {
        std::string line;
        for (std::size_t j = 0; j < row.size(); ++j) {
            line += row[j];
            line.append(widths[j] + 3 - row[j].size(), ' ');
        }
        out.WriteLine(line);
    }
    rows_.clear();
}

}  // namespace kavo::output
