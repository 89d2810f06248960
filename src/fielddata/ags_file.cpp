// The AGS4 reader: GROUP, HEADING, UNIT, TYPE and DATA rows of quoted cells.
#include "fielddata/ags_file.h"

#include <functional>
#include <optional>
#include <utility>

#include "fielddata/exchange_values.h"
#include "platform/text_file.h"
#include "tools/errors.h"
#include "tools/number_text.h"

namespace kavo::fielddata {

namespace {

constexpr std::string_view kRemark = "AGS4 row";

std::string Where(std::string_view fileName, int line) {
    return std::string(fileName) + " line " + std::to_string(line);
}

// The group being read: its name, headings and units.
struct AgsGroup {
    std::string name;
    std::vector<std::string> headings;
    std::vector<std::string> units;

    // The index of a heading among the cells of a row (after the row kind); -1 when absent.
    int IndexOf(std::string_view heading) const {
        for (std::size_t i = 0; i < headings.size(); ++i) {
            if (headings[i] == heading) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    std::string UnitOf(int index) const {
        return index >= 0 && static_cast<std::size_t>(index) < units.size()
                   ? units[static_cast<std::size_t>(index)]
                   : std::string();
    }
};

// A data row's cells after the row kind, by heading.
struct AgsRow {
    const AgsGroup& group;
    const std::vector<std::string>& cells;  // cells[0] is "DATA"

    std::string Text(std::string_view heading) const {
        const int index = group.IndexOf(heading);
        return index < 0 ? std::string() : AsUtf8(cells[static_cast<std::size_t>(index) + 1]);
    }
};

// Walks the rows of an AGS4 file, keeping track of the group, and hands each DATA row on.
class AgsRowReader {
  public:
    explicit AgsRowReader(std::string_view fileName) : fileName_(fileName) {}

    void Take(std::string_view line,
              const std::function<void(const AgsRow&, const std::string&)>& onData) {
        ++lineNumber_;
        if (tools::Trim(line).empty()) {
            return;
        }
        const std::string where = Where(fileName_, lineNumber_);
        std::vector<std::string> cells = SplitAgsRow(line, where);
        const std::string& kind = cells[0];
        if (kind == "GROUP") {
            group_ = AgsGroup{cells.size() > 1 ? cells[1] : std::string(), {}, {}};
            headingRead_ = false;
            return;
        }
        if (group_.name.empty() || (kind != "HEADING" && !headingRead_)) {
            throw tools::DataError(
                "AGS102", where + ": a `" + kind + "` row before its GROUP and HEADING rows");
        }
        if (kind == "HEADING") {
            group_.headings.assign(cells.begin() + 1, cells.end());
            headingRead_ = true;
        } else if (kind == "UNIT") {
            group_.units.assign(cells.begin() + 1, cells.end());
        } else if (kind == "TYPE") {
            return;
        } else if (kind == "DATA") {
            if (cells.size() - 1 != group_.headings.size()) {
                throw tools::DataError("AGS101", where + ": the DATA row of group " + group_.name +
                                                     " has " + std::to_string(cells.size() - 1) +
                                                     " cells; its HEADING row has " +
                                                     std::to_string(group_.headings.size()));
            }
            onData(AgsRow{group_, cells}, where);
        } else {
            throw tools::DataError("AGS102", where + ": `" + kind +
                                                 "` is no AGS4 row kind (GROUP, HEADING, UNIT, "
                                                 "TYPE or DATA)");
        }
    }
    int lineNumber() const { return lineNumber_; }

  private:
    std::string fileName_;
    int lineNumber_ = 0;
    AgsGroup group_;
    bool headingRead_ = false;
};

// "yyyymmdd~000000" from an AGS date "yyyy-mm-dd" (a time after it is not used).
std::string FieldDateOf(std::string_view date) {
    const std::string_view day = tools::Trim(date).substr(0, 10);
    if (day.size() != 10 || day[4] != '-' || day[7] != '-') {
        return "NULL";
    }
    return std::string(day.substr(0, 4)) + std::string(day.substr(5, 2)) +
           std::string(day.substr(8, 2)) + "~000000";
}

// The column of a quantity in the SCPT group and its unit.
struct ScptColumn {
    std::string_view heading;
    int index = -1;
    ReadingUnit unit;
};

ScptColumn FindScptColumn(const AgsGroup& group, std::string_view heading, bool isDepth,
                          const std::string& where) {
    ScptColumn column{heading, group.IndexOf(heading), ReadingUnit{}};
    if (column.index < 0) {
        return column;
    }
    const std::string unit = group.UnitOf(column.index);
    const std::optional<ReadingUnit> readingUnit = isDepth ? LengthUnit(unit) : StressUnit(unit);
    if (!readingUnit) {
        throw tools::DataError("AGS105",
                               where + ": Kavo cannot convert the unit `" + unit + "` of " +
                                   std::string(heading) +
                                   (isDepth ? "; give m" : "; give MN/m2, MPa, kN/m2 or kPa"));
    }
    column.unit = *readingUnit;
    return column;
}

float ValueOf(const AgsRow& row, const ScptColumn& column, const std::string& where) {
    if (column.index < 0) {
        return tools::kNull;
    }
    const std::string& cell = row.cells[static_cast<std::size_t>(column.index) + 1];
    const std::optional<float> value = CellValue(cell, column.unit);
    if (!value) {
        throw tools::DataError("AGS104", where + ": " + std::string(column.heading) + " holds `" +
                                             cell + "`, which is neither a number nor empty");
    }
    return *value;
}

bool IsTest(const AgsRow& row, const AgsTestId& test) {
    return row.Text("LOCA_ID") == test.location && row.Text("SCPG_TESN") == test.test;
}

}  // namespace

std::vector<std::string> SplitAgsRow(std::string_view line, std::string_view where) {
    std::vector<std::string> cells;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && line[i] == ' ') {
            ++i;
        }
        std::string cell;
        if (i < line.size() && line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        cell += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                cell += line[i++];
            }
            if (!closed) {
                throw tools::DataError("AGS110",
                                       std::string(where) + ": a quoted cell is not closed");
            }
            while (i < line.size() && line[i] != ',') {
                ++i;
            }
        } else {
            const std::size_t comma = line.find(',', i);
            cell = tools::TrimCopy(line.substr(i, comma - i));
            i = comma == std::string_view::npos ? line.size() : comma;
        }
        cells.push_back(cell);
        if (i >= line.size()) {
            return cells;
        }
        ++i;  // the comma
    }
}

std::vector<AgsTestId> ListAgsTests(std::string_view systemPath, std::string_view fileName) {
    std::vector<AgsTestId> tests;
    platform::TextInput input;
    if (!input.Open(systemPath)) {
        throw tools::DataError(
            "HF405", "the AGS4 file " + std::string(systemPath) + " cannot be opened for reading");
    }
    AgsRowReader reader(fileName);
    std::string line;
    while (input.ReadLine(line)) {
        reader.Take(line, [&tests](const AgsRow& row, const std::string&) {
            if (row.group.name == "SCPG") {
                tests.push_back({row.Text("LOCA_ID"), row.Text("SCPG_TESN")});
            }
        });
    }
    return tests;
}

void ReadAgsTest(reporting::Reporter& reporter, reporting::TracedInput& file,
                 std::string_view fileName, const AgsTestId& test, FieldHeader& header,
                 SoundingReadings& readings) {
    header.soundingNameInFile = test.SoundingName();
    bool testFound = false;
    std::string contractor;
    std::string producer;
    std::string locationDate;
    std::string testDate;
    // The readings, stored once the whole file is read: the qt rule needs the SCPG row.
    std::vector<std::pair<ExchangeRow, std::string>> rows;
    bool hasQt = false;
    bool hasU2 = false;
    const auto onData = [&](const AgsRow& row, const std::string& where) {
        const std::string& group = row.group.name;
        if (group == "PROJ") {
            contractor = row.Text("PROJ_CONT");
        } else if (group == "TRAN") {
            producer = row.Text("TRAN_PROD");
        } else if (group == "LOCA" && row.Text("LOCA_ID") == test.location) {
            header.coordinateSystem = row.Text("LOCA_GREF");
            header.easting = tools::ParseNumber(row.Text("LOCA_NATE")).value_or(tools::kNull);
            header.northing = tools::ParseNumber(row.Text("LOCA_NATN")).value_or(tools::kNull);
            header.heightSystem = row.Text("LOCA_DATM");
            const std::optional<ReadingUnit> metres =
                LengthUnit(row.group.UnitOf(row.group.IndexOf("LOCA_GL")));
            const std::optional<float> level =
                metres ? CellValue(row.Text("LOCA_GL"), *metres) : std::nullopt;
            header.groundLevelFeet = level.value_or(tools::kNull);
            header.latitude = tools::ParseNumber(row.Text("LOCA_LAT")).value_or(tools::kNull);
            header.longitude = tools::ParseNumber(row.Text("LOCA_LON")).value_or(tools::kNull);
            locationDate = row.Text("LOCA_STAR");
        } else if (group == "SCPG" && IsTest(row, test)) {
            testFound = true;
            header.probeId = row.Text("SCPG_REF");
            header.netAreaRatio =
                CellValue(row.Text("SCPG_CAR"), ReadingUnit{}).value_or(tools::kNull);
            testDate = row.Text("SCPG_DATE");
        } else if (group == "SCPT" && IsTest(row, test)) {
            const ScptColumn depth = FindScptColumn(row.group, "SCPT_DPTH", true, where);
            if (depth.index < 0) {
                throw tools::DataError("AGS103",
                                       where + ": the SCPT group has no SCPT_DPTH (depth) heading");
            }
            const ScptColumn u2 = FindScptColumn(row.group, "SCPT_PWP2", false, where);
            const ScptColumn qt = FindScptColumn(row.group, "SCPT_QT", false, where);
            hasQt = qt.index >= 0;
            hasU2 = u2.index >= 0;
            ExchangeRow reading;
            reading.depth = ValueOf(row, depth, where);
            reading.qc = ValueOf(row, FindScptColumn(row.group, "SCPT_RES", false, where), where);
            reading.fs = ValueOf(row, FindScptColumn(row.group, "SCPT_FRES", false, where), where);
            reading.u2 = ValueOf(row, u2, where);
            reading.qt = ValueOf(row, qt, where);
            rows.emplace_back(reading, where);
        }
    };

    AgsRowReader reader(fileName);
    std::string line;
    while (reporter.TraceLineInput(file, line, fileName, kRemark)) {
        reader.Take(line, onData);
    }
    if (!testFound || rows.empty()) {
        throw tools::DataError("AGS108",
                               std::string(fileName) + ": the test " + test.SoundingName() +
                                   (testFound ? " has no SCPT readings" : " has no SCPG row"));
    }
    header.qtRule = ChooseQtRule(hasQt, hasU2, header.netAreaRatio);
    float previousDepth = tools::kNull;
    for (const auto& [reading, where] : rows) {
        if (const std::optional<std::string> fault =
                DepthOrderFault(reading.depth, previousDepth)) {
            throw tools::DataError("AGS106", where + ": " + *fault);
        }
        AddExchangeRow(reading, header, where, readings);
    }
    header.firm = contractor.empty() ? (producer.empty() ? header.firm : producer) : contractor;
    header.fieldDate = FieldDateOf(testDate.empty() ? locationDate : testDate);
    header.dateText = testDate.empty() ? locationDate : testDate;
    header.readingCount = static_cast<std::int16_t>(readings.size());
}

}  // namespace kavo::fielddata
