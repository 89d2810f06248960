// Adding the soundings of the soundings folder to the project's soundings database.
#include "run/add_soundings.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <set>
#include <variant>

#include "fielddata/field_data_file.h"
#include "fielddata/field_file_finder.h"
#include "platform/file_system.h"
#include "platform/text_file.h"
#include "projects/soundings_database.h"
#include "tools/errors.h"
#include "tools/number_text.h"

namespace kavo::run {

namespace {

// The columns a run needs that no field file gives: the engineer chooses them.
constexpr std::string_view kEngineerColumns[] = {"WATERTABLE_DEPTH_FEET", "UWT_METHOD",
                                                 "UWT_ABOVE_WT_PCF", "UWT_BELOW_WT_PCF"};
// The columns filled from the field file.
constexpr std::string_view kFileColumns[] = {
    "SOUNDING_NAME", "DATE_VASKIFORMAT", "PROBE_AND_SERIAL_NUM", "CPT_AGENCY_PERFORMING_SOUNDING",
    "LAT_BEST_DEGF", "LONG_BEST_DEGF",   "LATLOG_SOURCE",        "LATLONG_DILUTION",
    "STATE_EAST",    "STATE_NORTH",      "GROUND_ELEVATION_FEET"};

std::string PreciseText(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// A text cell as the database reader takes it back: blanks separate fields outside quotes,
// so a text with blanks or commas is quoted (a quote inside becomes an apostrophe).
std::string TextCell(std::string text) {
    for (char& c : text) {
        if (c == '"') {
            c = '\'';
        }
    }
    if (text.find_first_of(" ,") != std::string::npos) {
        return "\"" + text + "\"";
    }
    return text;
}

bool Known(std::string_view text) {
    return !text.empty() && text != "NULL" && text != "Null" && text != tools::kNullText;
}

// "yymmdd-hh:mm" from "yyyymmdd~hhmmss..."; empty when the date is not known.
std::string DatabaseDate(const std::string& fieldDate) {
    if (fieldDate.size() < 15 || fieldDate[8] != '~') {
        return "";
    }
    return fieldDate.substr(2, 6) + "-" + fieldDate.substr(9, 2) + ":" + fieldDate.substr(11, 2);
}

// The value of one column for a sounding of the folder: what the file gives, else empty
// (or the null marker for a precise column, which may not be empty).
std::string CellFor(std::string_view columnId, const std::string& soundingName,
                    const fielddata::FieldHeader& header) {
    const auto number = [](float value) {
        return value == tools::kNull ? std::string() : tools::SingleText(value);
    };
    const auto precise = [](double value) {
        return value == tools::kNull ? std::string(tools::kNullText) : PreciseText(value);
    };
    const bool hasGps = header.latitude != tools::kNull;
    const bool hasGrid = header.easting != tools::kNull;
    if (columnId == "SOUNDING_NAME") {
        return TextCell(soundingName);
    }
    if (columnId == "DATE_VASKIFORMAT") {
        return DatabaseDate(header.fieldDate);
    }
    if (columnId == "PROBE_AND_SERIAL_NUM") {
        return Known(header.probeId) ? TextCell(header.probeId) : "";
    }
    if (columnId == "CPT_AGENCY_PERFORMING_SOUNDING") {
        return Known(header.firm) ? TextCell(header.firm) : "";
    }
    if (columnId == "LAT_BEST_DEGF") {
        return precise(header.latitude);
    }
    if (columnId == "LONG_BEST_DEGF") {
        return precise(header.longitude);
    }
    if (columnId == "LATLOG_SOURCE") {
        if (hasGps) {
            return TextCell("GPS in " + header.fileName);
        }
        const std::string system =
            header.coordinateSystem.empty() ? "" : " " + header.coordinateSystem;
        return hasGrid ? TextCell("grid" + system + " in " + header.fileName) : "";
    }
    if (columnId == "LATLONG_DILUTION") {
        return number(header.horizontalDilution);
    }
    if (columnId == "STATE_EAST") {
        return precise(header.easting);
    }
    if (columnId == "STATE_NORTH") {
        return precise(header.northing);
    }
    if (columnId == "GROUND_ELEVATION_FEET") {
        return number(header.groundLevelFeet);
    }
    return "";
}

// The column IDs of the database header, in its order; "" for a cell that names no column.
std::vector<std::string> HeaderColumnIds(const projects::SoundingsHeader& header) {
    std::vector<std::string> ids;
    for (const std::string& cell : header.cells) {
        const projects::SoundingColumn* column = projects::FindSoundingColumn(cell);
        ids.push_back(column == nullptr ? std::string() : std::string(column->id));
    }
    while (!ids.empty() && ids.back().empty()) {
        ids.pop_back();
    }
    return ids;
}

std::string EmptyCellFor(std::string_view columnId) {
    const projects::SoundingColumn* column = projects::FindSoundingColumn(columnId);
    const bool precise = column != nullptr &&
                         std::holds_alternative<double projects::SoundingRecord::*>(column->field);
    return precise ? std::string(tools::kNullText) : std::string();
}

}  // namespace

AddedSoundings AddSoundingsAction(Program& program) {
    AddedSoundings result;
    reporting::Reporter& reporter = program.reporter;
    projects::SoundingsHeader header;
    projects::SoundingRecord record;
    std::set<std::string> listed;
    {
        reporting::TracedInput database;
        result.databasePath =
            platform::ToRealPath(projects::OpenSoundingsDatabase(reporter, program.dataArea,
                                                                 database, header, record))
                .string();
        projects::ReadSoundingsHeader(reporter, database, header);
        while (projects::ReadSoundingRow(reporter, database, header, record)) {
            listed.insert(tools::UpperCopy(tools::Trim(record.soundingName)));
        }
    }
    const std::vector<std::string> columnIds = HeaderColumnIds(header);
    if (std::find(columnIds.begin(), columnIds.end(), "SOUNDING_NAME") == columnIds.end()) {
        throw tools::DataError("AS201", result.databasePath +
                                            ": the header names no SOUNDING_NAME column, so no "
                                            "sounding row can be added");
    }

    std::vector<std::string> rows;
    std::set<std::string> factsGiven;
    for (const fielddata::FolderSounding& sounding :
         fielddata::ListFolderSoundings(program.dataArea)) {
        if (listed.contains(tools::UpperCopy(sounding.soundingName))) {
            continue;
        }
        fielddata::FieldHeader fieldHeader;
        fielddata::SoundingReadings readings;
        fielddata::ReadFieldDataFile(reporter, program.dataArea, sounding.soundingName, fieldHeader,
                                     readings);
        std::string row;
        for (std::size_t i = 0; i < columnIds.size(); ++i) {
            std::string cell = CellFor(columnIds[i], sounding.soundingName, fieldHeader);
            if (cell.empty()) {
                cell = EmptyCellFor(columnIds[i]);
            }
            row += (i == 0 ? "" : ",") + cell;
        }
        for (std::string_view id : kFileColumns) {
            if (CellFor(id, sounding.soundingName, fieldHeader).empty() ||
                CellFor(id, sounding.soundingName, fieldHeader) == tools::kNullText) {
                continue;
            }
            factsGiven.insert(std::string(id));
        }
        rows.push_back(row);
        listed.insert(tools::UpperCopy(sounding.soundingName));
        result.added.push_back(sounding.soundingName + " (" + sounding.file.fileName + ")");
    }
    for (std::string_view id : kEngineerColumns) {
        const bool present = std::find(columnIds.begin(), columnIds.end(), id) != columnIds.end();
        (present ? result.toFillIn : result.columnsToAdd).emplace_back(id);
    }
    for (const std::string& fact : factsGiven) {
        if (std::find(columnIds.begin(), columnIds.end(), fact) == columnIds.end()) {
            result.noColumnFor.push_back(fact);
        }
    }
    if (rows.empty()) {
        return result;
    }

    // The database rewritten beside itself with the new rows, then put in place.
    std::vector<std::string> lines;
    platform::TextInput in;
    if (!in.Open(result.databasePath)) {
        throw tools::DataError("AS202", "the soundings database " + result.databasePath +
                                            " cannot be read again (" + std::strerror(errno) + ")");
    }
    std::string line;
    while (in.ReadLine(line)) {
        lines.push_back(line);
    }
    in.Close();
    while (!lines.empty() && tools::Trim(lines.back()).empty()) {
        lines.pop_back();
    }
    platform::TextOutput out;
    if (!out.Open(result.databasePath, platform::TextOutput::Mode::ReplaceWhenComplete)) {
        throw tools::DataError("AS203", "the soundings database " + result.databasePath +
                                            " cannot be written (" +
                                            std::strerror(out.errorNumber()) + ")");
    }
    for (const std::string& each : lines) {
        out.WriteLine(each);
    }
    for (const std::string& row : rows) {
        out.WriteLine(row);
    }
    if (!out.Commit()) {
        throw tools::DataError("AS203", "the soundings database " + result.databasePath +
                                            " could not be written (" +
                                            std::strerror(out.errorNumber()) + ")");
    }
    for (const std::string& added : result.added) {
        reporter.LogLine(0, "Sounding added to the soundings database: " + added,
                         reporting::LogKind::Task);
    }
    return result;
}

std::vector<std::string> AddedSoundingsReport(const AddedSoundings& result) {
    std::vector<std::string> lines;
    if (result.added.empty()) {
        lines.push_back("Every field file of the soundings folder is listed in " +
                        result.databasePath + "; no row added.");
        return lines;
    }
    lines.push_back("Added " + std::to_string(result.added.size()) + " row" +
                    (result.added.size() == 1 ? "" : "s") + " to " + result.databasePath + ":");
    for (const std::string& added : result.added) {
        lines.push_back("  " + added);
    }
    std::string fill;
    for (const std::string& column : result.toFillIn) {
        fill += (fill.empty() ? "" : ", ") + column;
    }
    lines.push_back("Left for you to fill in on each new row: " + fill +
                    " (UWT_METHOD: WT with the two weights, FILE, KAVO or a chart's method).");
    if (!result.columnsToAdd.empty()) {
        std::string add;
        for (const std::string& column : result.columnsToAdd) {
            add += (add.empty() ? "" : ", ") + column;
        }
        lines.push_back("A run needs the columns " + add +
                        ", which the database header lacks: add them and fill them in.");
    }
    if (!result.noColumnFor.empty()) {
        std::string missing;
        for (const std::string& column : result.noColumnFor) {
            missing += (missing.empty() ? "" : ", ") + column;
        }
        lines.push_back("The files also give " + missing +
                        ", for which the database has no column; add the column to keep them.");
    }
    return lines;
}

}  // namespace kavo::run
