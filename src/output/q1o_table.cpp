// Writing one sounding's output table.
#include "output/q1o_table.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "normalization/depth_point.h"
#include "output/q1o_data.h"
#include "output/q1o_header.h"
#include "platform/file_system.h"
#include "platform/text_file.h"
#include "tools/errors.h"

namespace kavo::output {

std::string Q1oFileName(const files::DataArea& area, std::string_view fieldFileName) {
    return files::PathFor(area, "SOUNDINGS") + std::string(fieldFileName) + std::string(kQ1oSuffix);
}

std::string DirectionTraceFileName(const files::DataArea& area, std::string_view fieldFileName) {
    return files::PathFor(area, "EXTRA") + std::string(fieldFileName) +
           "-----SLD direction info---------.csv";
}

namespace {

void OpenDirectionTrace(std::ofstream& trace, const files::DataArea& area,
                        std::string_view fieldFileName) {
    const std::string folder = files::PathFor(area, "EXTRA");
    const std::string name = DirectionTraceFileName(area, fieldFileName);
    // A fresh data area has no extras folder.
    if (!platform::FolderExists(folder) && !platform::MakeFolder(folder)) {
        throw tools::DataError(
            "QC387", "the folder for the chart direction trace cannot be made: " + folder);
    }
    trace.open(platform::ToRealPath(name), std::ios::binary | std::ios::trunc);
    if (!trace.is_open()) {
        throw tools::DataError("QC387", "the chart direction trace cannot be opened: " + name +
                                            " (" + std::strerror(errno != 0 ? errno : EIO) + ")");
    }
    trace << kDirectionTraceHeading << "\r\n";
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

    platform::TextOutput out;
    if (!out.Open(name, platform::TextOutput::Mode::ReplaceWhenComplete)) {
        throw tools::DataError("QC383", "the Q1o file cannot be opened: " + name + " (" +
                                            std::strerror(out.errorNumber()) + ")");
    }
    WriteQ1oHeader(
        out, HeaderParts{parts.columns, parts.normalisation.charts, parts.clock, parts.versionText,
                         parts.releaseDate, parts.computerName, parts.zeroLoadFile.name,
                         parts.fieldFileName, parts.earthquakeMagnitude});
    // The stress builds up afresh from the surface for every sounding.
    normalization::ResetVerticalStress(parts.point);
    std::ofstream trace;
    OpenDirectionTrace(trace, area, parts.fieldFileName);

    Q1oCsv csv;
    if (parts.writeCsv) {
        csv.Open(Q1oCsvFileName(area, parts.fieldFileName), parts.columns);
    }

    DataRowParts rows{parts.columns,       parts.normalisation,
                      parts.profile,       parts.dataArea,
                      parts.reporter,      parts.readings,
                      parts.fieldFileName, parts.point,
                      parts.zeroLoadEntry, parts.zeroLoadFile.lowestQcDepth,
                      parts.totalFeet,
                      parts.writeCsv ? &csv : nullptr};
    WriteQ1oData(out, trace, rows);
    if (!out.Commit()) {
        throw tools::DataError("QC384", "the Q1o file could not be written: " + name + " (" +
                                            std::strerror(out.errorNumber()) + ")");
    }
    if (parts.writeCsv) {
        csv.Commit();
    }
}

}  // namespace kavo::output
