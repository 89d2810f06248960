// Writing the CSV twin of a sounding's output table.
#include "output/q1o_csv.h"

#include <cstring>

#include "tools/csv_text.h"
#include "tools/errors.h"
#include "tools/number_text.h"

namespace kavo::output {

std::string Q1oCsvFileName(const files::DataArea& area, std::string_view fieldFileName) {
    return files::PathFor(area, files::PathKey::Soundings) + std::string(fieldFileName) +
           "_Q1o.csv";
}

void Q1oCsv::Open(reporting::Reporter& reporter, const std::string& path,
                  const ColumnTable& columns) {
    file_ = SoundingFile(
        [path](int errorNumber) {
            return tools::DataError("QC385", "the Q1o CSV file cannot be opened: " + path + " (" +
                                                 std::strerror(errorNumber) + ")");
        },
        [path](int errorNumber) {
            return tools::DataError("QC386", "the Q1o CSV file could not be written: " + path +
                                                 " (" + std::strerror(errorNumber) + ")");
        });
    file_.Open(reporter, path);
    std::vector<std::string> ids;
    for (int i = 1; i <= columns.count(); ++i) {
        ids.emplace_back(tools::Trim(columns.column(i).id));
    }
    file_.text().WriteLine(tools::CsvLine(ids));
}

void Q1oCsv::WriteRow(std::span<const std::string_view> printedCells) {
    line_.clear();
    for (std::size_t i = 0; i < printedCells.size(); ++i) {
        if (i > 0) {
            line_ += ',';
        }
        tools::AppendCsvField(line_, tools::CsvNumberText(printedCells[i]));
    }
    file_.text().WriteLine(line_);
}

void Q1oCsv::ReserveRows(std::size_t rows) {
    file_.text().Reserve(rows * (line_.size() + 2));
}

void Q1oCsv::Commit(reporting::Reporter& reporter) {
    file_.Commit(reporter);
}

}  // namespace kavo::output
