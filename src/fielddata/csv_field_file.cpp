// The plain CSV reader: quantities named in the header row, units in brackets.
#include "fielddata/csv_field_file.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "fielddata/exchange_values.h"
#include "tools/errors.h"
#include "tools/number_text.h"

namespace kavo::fielddata {

namespace {

constexpr std::string_view kRemark = "CSV field file";

enum class CsvQuantity { Depth, Qc, Fs, U2, Qt, InclinationX, InclinationY };

struct QuantityName {
    std::string_view name;
    CsvQuantity quantity;
};
constexpr std::array<QuantityName, 7> kQuantities{{
    {"DEPTH", CsvQuantity::Depth},
    {"QC", CsvQuantity::Qc},
    {"FS", CsvQuantity::Fs},
    {"U2", CsvQuantity::U2},
    {"QT", CsvQuantity::Qt},
    {"INCLINATION X", CsvQuantity::InclinationX},
    {"INCLINATION Y", CsvQuantity::InclinationY},
}};

struct CsvColumn {
    int index = -1;  // -1: the file has no such column
    ReadingUnit unit;
};

std::string Where(std::string_view fileName, int line) {
    return std::string(fileName) + " line " + std::to_string(line);
}

std::vector<std::string_view> Cells(std::string_view line) {
    std::vector<std::string_view> cells;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        cells.push_back(line.substr(start, comma - start));
        if (comma == std::string_view::npos) {
            return cells;
        }
        start = comma + 1;
    }
}

// The columns named by the header row, each with its unit.
std::array<CsvColumn, kQuantities.size()> HeaderColumns(std::string_view line,
                                                        const std::string& where) {
    std::array<CsvColumn, kQuantities.size()> columns{};
    const std::vector<std::string_view> cells = Cells(line);
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::string_view cell = tools::Trim(cells[i]);
        const std::size_t open = cell.find('[');
        const std::size_t close = cell.find(']', open);
        const std::string name = tools::UpperCopy(tools::Trim(cell.substr(0, open)));
        const std::string unit = open == std::string_view::npos || close == std::string_view::npos
                                     ? std::string()
                                     : tools::TrimCopy(cell.substr(open + 1, close - open - 1));
        std::size_t q = 0;
        while (q < kQuantities.size() && kQuantities[q].name != name) {
            ++q;
        }
        if (q == kQuantities.size() || columns[q].index >= 0) {
            throw tools::DataError(
                "CSV102",
                where + ": the header cell `" + std::string(cell) +
                    (q == kQuantities.size() ? "` names no quantity; use depth, qc, fs, u2, qt, "
                                               "inclination x or inclination y"
                                             : "` names a quantity that an earlier cell names"));
        }
        const CsvQuantity quantity = kQuantities[q].quantity;
        std::optional<ReadingUnit> readingUnit = ReadingUnit{};
        if (quantity == CsvQuantity::Depth) {
            readingUnit = LengthUnit(unit);
        } else if (quantity != CsvQuantity::InclinationX && quantity != CsvQuantity::InclinationY) {
            readingUnit = StressUnit(unit);
        }
        if (!readingUnit) {
            throw tools::DataError("CSV106", where + ": Kavo cannot convert the unit `" + unit +
                                                 "` of `" + std::string(cell) +
                                                 "`; write the unit in brackets: [m] for depth, "
                                                 "[MPa] or [kPa] for the others");
        }
        columns[q] = {static_cast<int>(i), *readingUnit};
    }
    for (CsvQuantity required : {CsvQuantity::Depth, CsvQuantity::Qc, CsvQuantity::Fs}) {
        if (columns[static_cast<std::size_t>(required)].index < 0) {
            throw tools::DataError("CSV103", where +
                                                 ": the header row needs the columns depth, "
                                                 "qc and fs, each with its unit in brackets");
        }
    }
    return columns;
}

float CellOf(const std::vector<std::string_view>& cells, const CsvColumn& column,
             const std::string& where) {
    if (column.index < 0) {
        return tools::kNull;
    }
    const std::string_view cell = cells[static_cast<std::size_t>(column.index)];
    const std::optional<float> value = CellValue(cell, column.unit);
    if (!value) {
        throw tools::DataError("CSV105", where + ": cell " + std::to_string(column.index + 1) +
                                             " holds `" + std::string(tools::Trim(cell)) +
                                             "`, which is neither a number nor empty");
    }
    return *value;
}

}  // namespace

void ReadCsvFieldFile(reporting::Reporter& reporter, reporting::TracedInput& file,
                      std::string_view fileName, FieldHeader& header, SoundingReadings& readings) {
    std::string line;
    int lineNumber = 0;
    bool headerFound = false;
    while (!headerFound && reporter.TraceLineInput(file, line, fileName, kRemark)) {
        ++lineNumber;
        headerFound = !tools::Trim(line).empty();
    }
    if (!headerFound) {
        throw tools::DataError("CSV101",
                               std::string(fileName) + " has no header row naming its columns");
    }
    // A UTF-8 byte order mark is no part of the first name.
    if (line.starts_with("\xEF\xBB\xBF")) {
        line.erase(0, 3);
    }
    const auto columns = HeaderColumns(line, Where(fileName, lineNumber));
    const std::size_t cellCount = Cells(line).size();
    const auto column = [&columns](CsvQuantity quantity) -> const CsvColumn& {
        return columns[static_cast<std::size_t>(quantity)];
    };
    header.qtRule = ChooseQtRule(column(CsvQuantity::Qt).index >= 0,
                                 column(CsvQuantity::U2).index >= 0, header.netAreaRatio);

    float previousDepth = tools::kNull;
    while (reporter.TraceLineInput(file, line, fileName, kRemark)) {
        ++lineNumber;
        if (tools::Trim(line).empty()) {
            continue;
        }
        const std::string where = Where(fileName, lineNumber);
        const std::vector<std::string_view> cells = Cells(line);
        if (cells.size() != cellCount) {
            throw tools::DataError("CSV104", where + ": the row has " +
                                                 std::to_string(cells.size()) +
                                                 " cells; the header row names " +
                                                 std::to_string(cellCount) + " columns");
        }
        ExchangeRow row;
        row.depth = CellOf(cells, column(CsvQuantity::Depth), where);
        row.qc = CellOf(cells, column(CsvQuantity::Qc), where);
        row.fs = CellOf(cells, column(CsvQuantity::Fs), where);
        row.u2 = CellOf(cells, column(CsvQuantity::U2), where);
        row.qt = CellOf(cells, column(CsvQuantity::Qt), where);
        row.xInclination = CellOf(cells, column(CsvQuantity::InclinationX), where);
        row.yInclination = CellOf(cells, column(CsvQuantity::InclinationY), where);
        if (const std::optional<std::string> fault = DepthOrderFault(row.depth, previousDepth)) {
            throw tools::DataError("CSV107", where + ": " + *fault);
        }
        AddExchangeRow(row, header, where, readings);
    }
    header.readingCount = static_cast<std::int16_t>(readings.size());
}

}  // namespace kavo::fielddata
