// Writing one sounding's output table.
#include "output/q1o_table.h"

#include <cstring>

#include "normalization/depth_point.h"
#include "output/q1o_data.h"
#include "output/q1o_header.h"
#include "output/sounding_file.h"
#include "platform/file_system.h"
#include "platform/text_file.h"
#include "tools/errors.h"

namespace kavo::output {

std::string Q1oFileName(const files::DataArea& area, std::string_view fieldFileName) {
    return files::PathFor(area, files::PathKey::Soundings) + std::string(fieldFileName) +
           std::string(kQ1oSuffix);
}

std::string DirectionTraceFileName(const files::DataArea& area, std::string_view fieldFileName) {
    return files::PathFor(area, files::PathKey::Extra) + std::string(fieldFileName) +
           "-----SLD direction info---------.csv";
}

namespace {

// Writes the chart-direction trace of a sounding beside its place and puts it there when
// complete, like the table: a full disk never leaves a half-written trace under its name.
void WriteDirectionTrace(reporting::Reporter& reporter, const files::DataArea& area,
                         std::string_view fieldFileName, SoundingFile& trace) {
    const std::string folder = files::PathFor(area, files::PathKey::Extra);
    // A fresh data area has no extras folder.
    reporter.Effect([folder] {
        if (!platform::FolderExists(folder) && !platform::MakeFolder(folder)) {
            throw tools::DataError(
                "QC387", "the folder for the chart direction trace cannot be made: " + folder);
        }
    });
    trace.Open(reporter, DirectionTraceFileName(area, fieldFileName));
    trace.Commit(reporter);
}

}  // namespace

void WriteQ1oTable(Q1oTableParts& parts) {
    const files::DataArea& area = parts.dataArea;
    reporting::Reporter& reporter = parts.reporter;
    const std::string name = Q1oFileName(area, parts.fieldFileName);
    reporting::ProgressReport opening;
    opening.operations = "Q1o file opening for printing";
    opening.outputFile = name;
    opening.value = " ";
    opening.statusCode = "QC382";
    reporter.ReportProgress(opening);

    SoundingFile table(
        [name](int errorNumber) {
            return tools::DataError("QC383", "the Q1o file cannot be opened: " + name + " (" +
                                                 std::strerror(errorNumber) + ")");
        },
        [name](int errorNumber) {
            return tools::DataError("QC384", "the Q1o file could not be written: " + name + " (" +
                                                 std::strerror(errorNumber) + ")");
        });
    table.Open(reporter, name);
    WriteQ1oHeader(
        table.text(),
        HeaderParts{parts.columns, parts.normalisation.charts, parts.clock, parts.versionText,
                    parts.releaseDate, parts.computerName, parts.zeroLoadFile.name,
                    parts.fieldFileName, parts.earthquakeMagnitude, parts.qtRuleText});
    // The stress builds up afresh from the surface for every sounding.
    normalization::ResetVerticalStress(parts.point);
    // The trace is collected here and opened and written when the rows are done.
    const std::string traceName = DirectionTraceFileName(area, parts.fieldFileName);
    SoundingFile trace(
        [traceName](int errorNumber) {
            return tools::DataError(
                "QC387", "the chart direction trace cannot be opened: " + traceName + " (" +
                             std::strerror(errorNumber) + ")");
        },
        [traceName](int errorNumber) {
            return tools::DataError(
                "QC388", "the chart direction trace could not be written: " + traceName + " (" +
                             std::strerror(errorNumber) + ")");
        });
    trace.text().WriteLine(kDirectionTraceHeading);

    Q1oCsv csv;
    if (parts.writeCsv) {
        csv.Open(reporter, Q1oCsvFileName(area, parts.fieldFileName), parts.columns);
    }

    DataRowParts rows{parts.columns,       parts.normalisation,
                      parts.profile,       parts.dataArea,
                      parts.reporter,      parts.readings,
                      parts.fieldFileName, parts.point,
                      parts.zeroLoadEntry, parts.zeroLoadFile.lowestQcDepth,
                      parts.totalFeet,     parts.writeCsv ? &csv : nullptr};
    WriteQ1oData(table.text(), trace.text(), rows);
    WriteDirectionTrace(reporter, area, parts.fieldFileName, trace);
    table.Commit(reporter);
    if (parts.writeCsv) {
        csv.Commit(reporter);
    }
}

}  // namespace kavo::output
