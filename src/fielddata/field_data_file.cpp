// Reading a field data file through the input-lines trace: opening, the header rows and the
// depth rows.
#include "fielddata/field_data_file.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "fielddata/ags_file.h"
#include "fielddata/csv_field_file.h"
#include "fielddata/gef_file.h"
#include "files/data_names.h"
#include "tools/errors.h"
#include "tools/format_fixed.h"
#include "tools/number_text.h"

namespace kavo::fielddata {

namespace {

// What each header row is read for, as the trace records it.
constexpr std::array<std::string_view, kHeaderRowCount> kHeaderRemarks{
    "Hog row 1 `HOGENTOGLER`",
    "Hog row2 CPT firm",
    "Hog row3 operator",
    "How row4 probe ID",
    "Hog row5 description",
    "Hog row6 project/truck",
    "Hog row7 sounding name",
    "Hog row8 date/time",
    "Hog row9 probe description",
    "Hog row10 no action",
    "Hog row11 no action",
    "Hog row12 GPS data",
    "Hog row13 WT",
    "Hog row14 no action",
    "Hog row15 no action",
    "Hog row16 no action",
    "Hog row17 tip..fr..",
    "Hog row18  dividers ",
    "Hog row19  zero value",
    "Hog row20  max",
    "Hog row21 not used TSF..",
    "Hog row22 not used #s",
    "Hog row23 depth/speed h",
};
constexpr std::string_view kDepthRemark = "Hog depth data";
// The progress panel's word for each format, in the order of FieldFormat.
constexpr std::array<std::string_view, 4> kFormatWords{"hog", "GEF", "CSV", "AGS4"};
// Depth rows are padded before they are cut, so every column exists.
constexpr std::size_t kDepthRowPadding = 100;
constexpr tools::FixedMask kDepthMask("###.#");

// A progress report that changes only the status code and the fields the caller sets.
reporting::ProgressReport Progress(std::string statusCode) {
    reporting::ProgressReport report;
    report.statusCode = std::move(statusCode);
    return report;
}

std::string Where(const FieldFile& file, int line) {
    return file.fileName + " line " + std::to_string(line);
}

// A file without end-marker rows is read as the system reads one that ends that way by
// design; a file cut short before its markers looks the same, so the reader says so.
void ReportEndWithoutMarkers(reporting::Reporter& reporter, const FieldFile& file, bool lineRead) {
    if (!lineRead) {
        reporter.LogIssueWithContext(file.fileName + ": no depth rows after the " +
                                         std::to_string(kHeaderRowCount) + " header rows",
                                     reporting::LogKind::Issue);
        return;
    }
    reporter.LogIssueWithContext(
        Where(file, file.lineNumber) +
            ": the depth data end without end-marker rows (friction -32768); this last row "
            "ends the data and is not a reading, and the zero readings after the test are "
            "taken as those before it",
        reporting::LogKind::Issue);
}

}  // namespace

std::string FieldFile::Where() const {
    return fielddata::Where(*this, lineNumber);
}

void OpenFieldDataFile(reporting::Reporter& reporter, const FieldFileChoice& choice,
                       std::string_view soundingName, FieldFile& file) {
    file.soundingName = std::string(soundingName);
    file.fileName = choice.fileName;
    file.lineNumber = 0;
    if (!reporter.TraceOpenForReading(file.input, choice.path, "open if only one")) {
        throw tools::DataError(
            "HF405", "sounding " + file.soundingName + ": the field data file " + choice.path +
                         " cannot be opened for reading: " + file.input.WhyNotOpened());
    }
    reporting::ProgressReport report = Progress("Ho999");
    report.sounding = file.soundingName + "   <---" +
                      std::string(kFormatWords[static_cast<int>(choice.format)]) + " file";
    report.inputFile = "openning " + choice.path;
    reporter.ReportProgress(report);
}

void ReadFieldHeader(reporting::Reporter& reporter, FieldFile& file, FieldHeader& header) {
    reporting::ProgressReport report = Progress("RQ201");
    report.sounding = file.fileName;
    report.process = "reading Hog header";
    reporter.ReportProgress(report);
    header.soundingName = file.soundingName;

    std::array<std::string, kHeaderRowCount> rows;
    for (int r = 0; r < kHeaderRowCount; ++r) {
        if (!reporter.TraceLineInput(file.input, rows[r], file.fileName, kHeaderRemarks[r])) {
            throw tools::DataError("HF407", file.fileName + " ends after line " +
                                                std::to_string(file.lineNumber) + ", within the " +
                                                std::to_string(kHeaderRowCount) + " header rows");
        }
        ++file.lineNumber;
        if (r == 0 && tools::UpperCopy(rows[0]).find("HOGENTOGLER") == std::string::npos) {
            throw tools::DataError("H4334", "does not have HOGENTOGLER in line one");
        }
    }
    CheckHeaderRowLabels(rows, file.fileName);
    const auto row = [&rows](int number) -> const std::string& { return rows[number - 1]; };

    header.firm = NormaliseFirm(row(2));
    header.operatorName = row(3);
    header.probeId = row(4);
    header.description = row(5);
    header.projectTruck = row(6);
    header.soundingNameInFile = row(7);
    header.dateText = row(8);
    header.fieldDate = ParseFieldDate(row(8), Where(file, 8));
    header.probeDescription = row(9);
    header.row10Text = row(10);
    header.row11Text = row(11);
    header.gpsText = row(12);
    if (!tools::Trim(row(12)).empty()) {
        const GgaPosition position = ParseGga(row(12), Where(file, 12));
        header.latitude = position.latitude;
        header.longitude = position.longitude;
        header.horizontalDilution = position.dilution;
    }

    header.columns = FindChannelColumns(row(17));
    const ChannelColumns& columns = header.columns;
    const std::array<std::pair<std::int16_t, ChannelCalibration*>, 5> calibrated{{
        {columns.tip, &header.tip},
        {columns.friction, &header.friction},
        {columns.u2, &header.u2},
        {columns.xInclination, &header.xInclination},
        {columns.yInclination, &header.yInclination},
    }};
    for (const auto& [column, channel] : calibrated) {
        if (column > 0) {
            ReadChannelCalibration(row(18), row(19), row(20), column, Where(file, 18) + "-20",
                                   *channel);
        }
    }
}

void ReadDepthData(reporting::Reporter& reporter, FieldFile& file, FieldHeader& header,
                   SoundingReadings& readings) {
    header.endStatus.clear();
    std::int16_t markerCount = 0;
    std::string line;
    // The two reports of every row, their texts rewritten in place.
    reporting::ProgressReport reading = Progress("HOG514");
    reading.operations = "reading HOG depth data";
    reporting::ProgressReport stored = Progress("HOG514");
    for (int i = 1;; ++i) {
        const bool lineRead =
            reporter.TraceLineInput(file.input, line, file.fileName, kDepthRemark);
        ++file.lineNumber;
        line.append(kDepthRowPadding, ' ');
        reporter.ReportProgress(reading);
        const DepthRowResult row = ParseDepthRow(line, file.input.AtEnd(), header, markerCount);
        if (row.endsData) {
            if (header.endStatus == kEndFugro) {
                reporter.ReportProgress(Progress("HOG987"));
                ReportEndWithoutMarkers(reporter, file, lineRead);
            }
            if (lineRead && file.input.AtEnd() && !file.input.LastLineEnded()) {
                reporter.LogIssueWithContext(
                    file.Where() +
                        ": the file ends in the middle of this row (no line end after it); "
                        "the file may have been cut short",
                    reporting::LogKind::Issue);
            }
            header.readingCount = static_cast<std::int16_t>(readings.size());
            header.zeros = ZerosFromCounts(header);
            return;
        }
        stored.process = "i=";
        stored.process += std::to_string(i);
        stored.value = "depth=";
        tools::AppendFixed(stored.value, row.reading.depth, kDepthMask, false);
        stored.value += " ft";
        reporter.ReportProgress(stored);
        DepthReading depthReading = row.reading;
        depthReading.qt = CorrectedConeResistance(header.qtRule, depthReading.qc, depthReading.u2,
                                                  tools::kNull, header.netAreaRatio);
        readings.Add(depthReading, row.endMarker, file.Where());
    }
}

void ReadFieldDataFile(reporting::Reporter& reporter, const files::DataArea& area,
                       std::string_view soundingName, FieldHeader& header,
                       SoundingReadings& readings) {
    header = FieldHeader{};
    readings = SoundingReadings{};
    files::CheckDataName(soundingName, "sounding name", "sounding " + std::string(soundingName));
    const FieldFileChoice choice = FindFieldFile(area, soundingName);
    files::CheckInsideDataArea(area, choice.path, "field data file");
    FieldFile file;
    OpenFieldDataFile(reporter, choice, soundingName, file);
    header.soundingName = file.soundingName;
    header.fileName = choice.fileName;
    switch (choice.format) {
        case FieldFormat::Hogentogler:
            ReadFieldHeader(reporter, file, header);
            ReadDepthData(reporter, file, header, readings);
            break;
        case FieldFormat::Gef:
            ReadGefFile(reporter, file.input, file.fileName, header, readings);
            break;
        case FieldFormat::Csv:
            ReadCsvFieldFile(reporter, file.input, file.fileName, header, readings);
            break;
        case FieldFormat::Ags:
            ReadAgsTest(reporter, file.input, file.fileName, choice.agsTest, header, readings);
            break;
    }
    file.input.Close();
}

}  // namespace kavo::fielddata
