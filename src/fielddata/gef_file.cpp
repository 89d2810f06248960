// The GEF reader: header keys, columns by quantity number, voids per column, separators.
#include "fielddata/gef_file.h"

#include <cmath>
#include <cstddef>
#include <map>
#include <optional>

#include "fielddata/exchange_values.h"
#include "tools/errors.h"
#include "tools/number_text.h"

namespace kavo::fielddata {

namespace {

constexpr std::string_view kHeaderRemark = "GEF header";
constexpr std::string_view kDataRemark = "GEF data row";

// The GEF quantity numbers Kavo reads.
enum Quantity : int {
    kPenetrationLength = 1,
    kConeResistance = 2,
    kSleeveFriction = 3,
    kPorePressureU2 = 6,
    kInclinationNorthSouth = 9,
    kInclinationEastWest = 10,
    kCorrectedDepth = 11,
    kCorrectedConeResistance = 13,
};

// The #MEASUREMENTVAR numbers Kavo reads.
enum Variable : int {
    kNetAreaRatio = 3,
    kPredrilledDepth = 13,
    kZeroConeBefore = 20,
    kZeroConeAfter = 21,
    kZeroFrictionBefore = 22,
    kZeroFrictionAfter = 23,
};

struct GefColumn {
    std::string unit;
    int quantity = 0;
    std::optional<double> voidValue;
};

struct GefLayout {
    std::map<int, GefColumn> columns;  // by column number, from 1
    int columnCount = 0;
    std::string columnSeparator;  // empty: blanks and tabs
    std::string recordSeparator;  // empty: the line end
};

std::string Where(std::string_view fileName, int line) {
    return std::string(fileName) + " line " + std::to_string(line);
}

// Column, quantity and variable numbers and the parts of a date: whole numbers of a sane size,
// so that no value of the file reaches an integer out of its range.
std::optional<int> WholeNumberAt(const std::vector<std::string>& values, std::size_t index) {
    constexpr int kLargest = 1'000'000'000;
    if (index >= values.size()) {
        return std::nullopt;
    }
    return tools::ParseWholeNumber(tools::Trim(values[index]), -kLargest, kLargest);
}

std::optional<double> NumberAt(const std::vector<std::string>& values, std::size_t index) {
    if (index >= values.size()) {
        return std::nullopt;
    }
    return tools::ParseNumber(tools::Trim(values[index]));
}

std::string ValueAt(const std::vector<std::string>& values, std::size_t index) {
    return index < values.size() ? AsUtf8(values[index]) : std::string();
}

// "yyyymmdd~hhmmss-local" from #STARTDATE and #STARTTIME; "yyyymmdd~000000" without a time.
// A month, day or time part outside 0 to 99 counts as 0; decimals are cut off.
std::string FieldDateOf(const std::vector<std::string>& date,
                        const std::vector<std::string>& time) {
    const auto two = [](const std::vector<std::string>& values, std::size_t index) {
        const std::optional<double> value = NumberAt(values, index);
        const int whole = value && *value >= 0.0 && *value < 100.0 ? static_cast<int>(*value) : 0;
        return (whole < 10 ? "0" : "") + std::to_string(whole);
    };
    const std::optional<int> year = WholeNumberAt(date, 0);
    if (!year) {
        return "NULL";
    }
    std::string text = std::to_string(*year) + two(date, 1) + two(date, 2) + "~";
    if (time.size() < 3) {
        return text + "000000";
    }
    return text + two(time, 0) + two(time, 1) + two(time, 2) + "-local";
}

// The parts of `text` between the separators (an empty text is one empty part).
std::vector<std::string_view> SplitAt(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t next = text.find(separator, start);
        parts.push_back(text.substr(start, next - start));
        if (next == std::string_view::npos) {
            return parts;
        }
        start = next + separator.size();
    }
}

void ReadColumnInfo(const GefHeaderLine& line, const std::string& where, GefLayout& layout) {
    const std::optional<int> number = WholeNumberAt(line.values, 0);
    const std::optional<int> quantity = WholeNumberAt(line.values, 3);
    if (!number || *number < 1 || !quantity) {
        throw tools::DataError("GEF102", where +
                                             ": #COLUMNINFO needs the column number, the "
                                             "unit, the name and the quantity number");
    }
    GefColumn& column = layout.columns[*number];
    column.unit = line.values[1];
    column.quantity = *quantity;
    layout.columnCount = std::max(layout.columnCount, *number);
}

void ReadColumnVoid(const GefHeaderLine& line, const std::string& where, GefLayout& layout) {
    const std::optional<int> number = WholeNumberAt(line.values, 0);
    const std::optional<double> value = NumberAt(line.values, 1);
    if (!number || *number < 1 || !value) {
        throw tools::DataError("GEF102",
                               where + ": #COLUMNVOID needs the column number and the void value");
    }
    layout.columns[*number].voidValue = value;
}

ReadingUnit StressUnitOf(const GefColumn& column, int number, std::string_view fileName) {
    const std::optional<ReadingUnit> unit = StressUnit(column.unit);
    if (!unit) {
        throw tools::DataError(
            "GEF106", std::string(fileName) + " #COLUMNINFO " + std::to_string(number) +
                          ": Kavo cannot convert the unit `" + column.unit + "` of quantity " +
                          std::to_string(column.quantity) + "; give MPa or kPa");
    }
    return *unit;
}

// One measurement variable "n, value, unit, text" as a stress in atm.
float ZeroReadingInAtm(const std::vector<std::string>& values, const std::string& where) {
    const std::optional<double> value = NumberAt(values, 1);
    if (!value) {
        return tools::kNull;
    }
    const std::string unit = ValueAt(values, 2);
    const std::optional<ReadingUnit> stressUnit = StressUnit(unit);
    if (!stressUnit) {
        throw tools::DataError("GEF106", where + ": Kavo cannot convert the unit `" + unit +
                                             "` of a zero reading; give MPa or kPa");
    }
    return ToInternal(*value, *stressUnit);
}

void ReadMeasurementVariable(const GefHeaderLine& line, const std::string& where,
                             FieldHeader& header) {
    const std::optional<int> number = WholeNumberAt(line.values, 0);
    if (!number) {
        return;
    }
    const std::optional<double> value = NumberAt(line.values, 1);
    switch (*number) {
        case kNetAreaRatio:
            header.netAreaRatio = value ? static_cast<float>(*value) : tools::kNull;
            break;
        case kPredrilledDepth:
            if (value) {
                const std::optional<ReadingUnit> unit = LengthUnit(ValueAt(line.values, 2));
                if (!unit) {
                    throw tools::DataError("GEF106", where + ": Kavo cannot convert the unit `" +
                                                         ValueAt(line.values, 2) +
                                                         "` of the pre-drilled depth; give m");
                }
                header.predrilledDepthFeet = ToInternal(*value, *unit);
            }
            break;
        case kZeroConeBefore:
            header.zeros.qcBefore = ZeroReadingInAtm(line.values, where);
            break;
        case kZeroConeAfter:
            header.zeros.qcAfter = ZeroReadingInAtm(line.values, where);
            break;
        case kZeroFrictionBefore:
            header.zeros.fsBefore = ZeroReadingInAtm(line.values, where);
            break;
        case kZeroFrictionAfter:
            header.zeros.fsAfter = ZeroReadingInAtm(line.values, where);
            break;
        default:
            break;
    }
}

// The cells of a data row: the record separator and what follows it cut off, then split at
// the column separator (or at runs of blanks and tabs).
std::vector<std::string_view> DataCells(std::string_view row, const GefLayout& layout) {
    if (!layout.recordSeparator.empty()) {
        const std::size_t end = row.find(layout.recordSeparator);
        if (end != std::string_view::npos) {
            row = row.substr(0, end);
        }
    }
    std::vector<std::string_view> cells;
    if (layout.columnSeparator.empty()) {
        std::size_t i = 0;
        while (i < row.size()) {
            while (i < row.size() && (row[i] == ' ' || row[i] == '\t')) {
                ++i;
            }
            const std::size_t start = i;
            while (i < row.size() && row[i] != ' ' && row[i] != '\t') {
                ++i;
            }
            if (i > start) {
                cells.push_back(row.substr(start, i - start));
            }
        }
        return cells;
    }
    // A separator after the last cell ends the row; it starts no cell.
    row = row.substr(0, row.find_last_not_of(" \t") + 1);
    if (row.ends_with(layout.columnSeparator)) {
        row.remove_suffix(layout.columnSeparator.size());
    }
    return SplitAt(row, layout.columnSeparator);
}

// Where each quantity Kavo reads stands among the columns, and its unit.
struct QuantityColumn {
    int number = 0;  // 0: the file has no such column
    ReadingUnit unit;
};

struct DataColumns {
    QuantityColumn depth, qc, fs, u2, qt, xInclination, yInclination;
};

DataColumns FindDataColumns(const GefLayout& layout, std::string_view fileName) {
    DataColumns found;
    QuantityColumn penetration;
    QuantityColumn corrected;
    for (const auto& [number, column] : layout.columns) {
        switch (column.quantity) {
            case kPenetrationLength:
                penetration.number = number;
                break;
            case kCorrectedDepth:
                corrected.number = number;
                break;
            case kConeResistance:
                found.qc = {number, StressUnitOf(column, number, fileName)};
                break;
            case kSleeveFriction:
                found.fs = {number, StressUnitOf(column, number, fileName)};
                break;
            case kPorePressureU2:
                found.u2 = {number, StressUnitOf(column, number, fileName)};
                break;
            case kCorrectedConeResistance:
                found.qt = {number, StressUnitOf(column, number, fileName)};
                break;
            // The first of the two inclinations is the X inclination, as GEF writers name
            // them.
            case kInclinationNorthSouth:
                found.xInclination = {number, ReadingUnit{}};
                break;
            case kInclinationEastWest:
                found.yInclination = {number, ReadingUnit{}};
                break;
            default:
                break;
        }
    }
    found.depth = corrected.number != 0 ? corrected : penetration;
    if (found.depth.number == 0) {
        throw tools::DataError("GEF103", std::string(fileName) +
                                             ": no depth column (#COLUMNINFO quantity 1, "
                                             "penetration length, or 11, corrected depth)");
    }
    const GefColumn& depthColumn = layout.columns.at(found.depth.number);
    const std::optional<ReadingUnit> depthUnit = LengthUnit(depthColumn.unit);
    if (!depthUnit) {
        throw tools::DataError("GEF106", std::string(fileName) + " #COLUMNINFO " +
                                             std::to_string(found.depth.number) +
                                             ": Kavo cannot convert the depth unit `" +
                                             depthColumn.unit + "`; give m");
    }
    found.depth.unit = *depthUnit;
    return found;
}

float ColumnValue(const std::vector<std::string_view>& cells, const QuantityColumn& column,
                  const GefLayout& layout, const std::string& where) {
    if (column.number == 0) {
        return tools::kNull;
    }
    const std::string_view cell = cells[static_cast<std::size_t>(column.number - 1)];
    const std::optional<double> number = tools::ParseNumber(tools::Trim(cell));
    if (!number) {
        throw tools::DataError("GEF105", where + ": column " + std::to_string(column.number) +
                                             " holds `" + std::string(tools::Trim(cell)) +
                                             "`, which is neither a number nor the void value");
    }
    const std::optional<double>& voidValue = layout.columns.at(column.number).voidValue;
    if (voidValue && *number == *voidValue) {
        return tools::kNull;
    }
    return ToInternal(*number, column.unit);
}

}  // namespace

GefHeaderLine ParseGefHeaderLine(std::string_view line) {
    GefHeaderLine parsed;
    const std::string_view text = tools::Trim(line);
    const std::size_t equals = text.find('=');
    if (!text.starts_with('#') || equals == std::string_view::npos) {
        return parsed;
    }
    parsed.found = true;
    parsed.key = tools::UpperCopy(tools::Trim(text.substr(1, equals - 1)));
    const std::string_view rest = text.substr(equals + 1);
    if (tools::Trim(rest).empty()) {
        return parsed;
    }
    for (const std::string_view value : SplitAt(rest, ",")) {
        parsed.values.push_back(tools::TrimCopy(value));
    }
    return parsed;
}

void ReadGefFile(reporting::Reporter& reporter, reporting::TracedInput& file,
                 std::string_view fileName, FieldHeader& header, SoundingReadings& readings) {
    GefLayout layout;
    std::vector<std::string> startDate;
    std::vector<std::string> startTime;
    std::vector<std::string> fileDate;
    std::string line;
    int lineNumber = 0;
    bool endOfHeader = false;
    while (!endOfHeader && reporter.TraceLineInput(file, line, fileName, kHeaderRemark)) {
        ++lineNumber;
        const GefHeaderLine parsed = ParseGefHeaderLine(line);
        if (!parsed.found) {
            continue;
        }
        const std::string where = Where(fileName, lineNumber);
        const std::string& key = parsed.key;
        if (key == "EOH") {
            endOfHeader = true;
        } else if (key == "COLUMN") {
            if (const std::optional<int> count = WholeNumberAt(parsed.values, 0)) {
                layout.columnCount = std::max(layout.columnCount, *count);
            }
        } else if (key == "COLUMNINFO") {
            ReadColumnInfo(parsed, where, layout);
        } else if (key == "COLUMNVOID") {
            ReadColumnVoid(parsed, where, layout);
        } else if (key == "COLUMNSEPARATOR") {
            layout.columnSeparator = ValueAt(parsed.values, 0);
        } else if (key == "RECORDSEPARATOR") {
            layout.recordSeparator = ValueAt(parsed.values, 0);
        } else if (key == "MEASUREMENTVAR") {
            ReadMeasurementVariable(parsed, where, header);
        } else if (key == "MEASUREMENTTEXT") {
            // Text 4 is the cone's type and serial number.
            if (WholeNumberAt(parsed.values, 0) == 4) {
                header.probeId = ValueAt(parsed.values, 1);
            }
        } else if (key == "TESTID") {
            header.soundingNameInFile = ValueAt(parsed.values, 0);
        } else if (key == "COMPANYID") {
            header.firm = ValueAt(parsed.values, 0);
        } else if (key == "STARTDATE") {
            startDate = parsed.values;
        } else if (key == "STARTTIME") {
            startTime = parsed.values;
        } else if (key == "FILEDATE") {
            fileDate = parsed.values;
        } else if (key == "XYID") {
            header.coordinateSystem = ValueAt(parsed.values, 0);
            header.easting = NumberAt(parsed.values, 1).value_or(tools::kNull);
            header.northing = NumberAt(parsed.values, 2).value_or(tools::kNull);
        } else if (key == "ZID") {
            header.heightSystem = ValueAt(parsed.values, 0);
            const std::optional<double> level = NumberAt(parsed.values, 1);
            header.groundLevelFeet = level ? ToInternal(*level, *LengthUnit("m")) : tools::kNull;
        }
    }
    if (!endOfHeader) {
        throw tools::DataError("GEF101", std::string(fileName) + " ends after line " +
                                             std::to_string(lineNumber) +
                                             " without #EOH, the end of its header");
    }
    header.dateText = FieldDateOf(startDate.empty() ? fileDate : startDate,
                                  startDate.empty() ? std::vector<std::string>{} : startTime);
    header.fieldDate = header.dateText;

    const DataColumns columns = FindDataColumns(layout, fileName);
    header.qtRule =
        ChooseQtRule(columns.qt.number != 0, columns.u2.number != 0, header.netAreaRatio);

    float previousDepth = tools::kNull;
    while (reporter.TraceLineInput(file, line, fileName, kDataRemark)) {
        ++lineNumber;
        if (tools::Trim(line).empty()) {
            continue;
        }
        const std::string where = Where(fileName, lineNumber);
        const std::vector<std::string_view> cells = DataCells(line, layout);
        if (cells.size() < static_cast<std::size_t>(layout.columnCount)) {
            throw tools::DataError("GEF104", where + ": the row has " +
                                                 std::to_string(cells.size()) +
                                                 " cells; the header describes " +
                                                 std::to_string(layout.columnCount) + " columns");
        }
        ExchangeRow row;
        // Some writers count the depth below the surface negative; it is taken by its size.
        row.depth = ColumnValue(cells, columns.depth, layout, where);
        if (row.depth != tools::kNull) {
            row.depth = std::fabs(row.depth);
        }
        row.qc = ColumnValue(cells, columns.qc, layout, where);
        row.fs = ColumnValue(cells, columns.fs, layout, where);
        row.u2 = ColumnValue(cells, columns.u2, layout, where);
        row.qt = ColumnValue(cells, columns.qt, layout, where);
        row.xInclination = ColumnValue(cells, columns.xInclination, layout, where);
        row.yInclination = ColumnValue(cells, columns.yInclination, layout, where);
        if (const std::optional<std::string> fault = DepthOrderFault(row.depth, previousDepth)) {
            throw tools::DataError("GEF107", where + ": " + *fault);
        }
        AddExchangeRow(row, header, where, readings);
    }
    header.readingCount = static_cast<std::int16_t>(readings.size());
}

}  // namespace kavo::fielddata
