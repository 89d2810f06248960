// Tracking the lowest readings and writing the zero-load summary.
#include "zeroload/zero_load_summary.h"

#include <cstring>

#include "normalization/column_value.h"
#include "normalization/missing_math.h"
#include "tools/errors.h"
#include "tools/null_marker.h"
#include "tools/units.h"
#include "zeroload/zero_load_sort.h"

namespace kavo::zeroload {
namespace {

using normalization::AddMissing;
using normalization::DivideMissing;
using normalization::IsMissingValue;
using normalization::MultiplyMissing;

void Progress(reporting::Reporter& reporter, std::string_view code, std::string_view text,
              std::string_view process = "") {
    reporting::ProgressReport report;
    report.operations = std::string(text);
    report.process = std::string(process);
    report.statusCode = std::string(code);
    reporter.ReportProgress(report);
}

float Difference(float a, float b) {
    return AddMissing(a, IsMissingValue(b) ? tools::kNull : -b);
}

}  // namespace

void UpdateZeroLoadLowest(ZeroLoadEntry& entry, const normalization::DepthPoint& point,
                          float lowestQcDepth) {
    if (IsMissingValue(point.depth) || !(point.depth > lowestQcDepth)) {
        return;
    }
    if (!IsMissingValue(point.qc) && point.qc < entry.QcLowest) {
        if (!IsMissingValue(point.strengthRatio)) {
            entry.QcLowestRatio = point.strengthRatio;
        }
        entry.QcLowestVes = point.ves;
        entry.QcLowestFr = point.frictionRatio;
        entry.QcLowestDepth = point.depth;
        entry.QcLowest = point.qc;
    }
    if (!IsMissingValue(point.fs) && point.fs < entry.fsLowest) {
        if (!IsMissingValue(point.strengthRatio)) {
            entry.fsLowestRatio = point.strengthRatio;
        }
        entry.fsLowestVes = point.ves;
        entry.fsLowestQc1 = point.qc1;
        entry.fsLowestDepth = point.depth;
        entry.fsLowest = point.fs;
    }
}

float StrengthRatioAt(const charts::ChartTable& charts, float frPercent, float q) {
    if (charts.required.S1 == 0 || IsMissingValue(frPercent) || IsMissingValue(q)) {
        return tools::kNull;
    }
    normalization::DepthPoint point;
    point.frictionRatio = frPercent;
    point.qc1 = q;
    return normalization::ChartValueAtPoint(charts, charts.required.S1, point);
}

std::vector<ZeroLoadRow> BuildZeroLoadRows(const ZeroLoadTable& table, int count,
                                           const charts::ChartTable& charts,
                                           reporting::Reporter& reporter) {
    std::vector<std::string> keys;
    for (int sequence = 1; sequence <= count; ++sequence) {
        keys.push_back(SortKeyOf(table.at(sequence, "")));
    }
    const std::vector<int> order = BubbleSortIndex(keys);
    Progress(reporter, "ZF182", "sorted file writing");
    const float psfPerAtm = tools::UnitFactor("psf/atm");

    std::vector<ZeroLoadRow> rows;
    std::string lastDevice;
    int devices = 0;
    float previousQcClean = tools::kNull;
    float previousFsClean = tools::kNull;
    for (std::size_t r = 0; r < order.size(); ++r) {
        Progress(reporter, "ZF346", "", "r=" + std::to_string(r + 1));
        const ZeroLoadEntry& entry = table.at(order[r], "");
        if (devices == 0 || entry.device != lastDevice) {
            if (++devices > kMaxDevices) {
                throw tools::DataError(
                    "ZF347", "zero load data file lists at most " + std::to_string(kMaxDevices) +
                                 " devices, device " + entry.device + " of sounding " +
                                 entry.sounding + " is one too many");
            }
            lastDevice = entry.device;
            previousQcClean = tools::kNull;
            previousFsClean = tools::kNull;
        }
        ZeroLoadRow row;
        row.device = entry.device;
        row.sounding = entry.sounding;
        row.datetime = entry.datetime;
        row.qcClean = entry.Qc_zClean;
        row.qcDirty = entry.Qc_zDirty;
        row.fsClean = entry.fs_zClean;
        row.fsDirty = entry.fs_zDirty;
        // The first sounding of a device has no earlier clean zero to shift from.
        if (!IsMissingValue(previousQcClean)) {
            row.qcCleanToClean = Difference(entry.Qc_zClean, previousQcClean);
            row.fsCleanToClean = Difference(entry.fs_zClean, previousFsClean);
        }
        row.qcCleanToDirty = Difference(entry.Qc_zClean, entry.Qc_zDirty);
        row.fsCleanToDirty = Difference(entry.fs_zClean, entry.fs_zDirty);
        previousQcClean = entry.Qc_zClean;
        previousFsClean = entry.fs_zClean;

        row.qcLowest = entry.QcLowest;
        row.strengthAtQcLowest =
            MultiplyMissing(MultiplyMissing(entry.QcLowestRatio, entry.QcLowestVes), psfPerAtm);
        // The lowest qc as it would read with the zero shift taken back, normalised by the
        // stress there, and the strength that implies.
        const float shiftedQ =
            DivideMissing(AddMissing(entry.QcLowest, row.qcCleanToDirty), entry.QcLowestVes);
        const float shiftedRatio = StrengthRatioAt(charts, entry.QcLowestFr, shiftedQ);
        row.strengthAtQcLowestShifted =
            MultiplyMissing(MultiplyMissing(shiftedRatio, entry.QcLowestVes), psfPerAtm);
        row.strengthChangePercent = MultiplyMissing(
            DivideMissing(Difference(row.strengthAtQcLowestShifted, row.strengthAtQcLowest),
                          row.strengthAtQcLowest),
            100.0f);
        row.fsLowest = entry.fsLowest;
        row.strengthAtFsLowest = 0.0f;
        row.strengthAtFsLowestPercent = 0.0f;
        rows.push_back(std::move(row));
    }
    return rows;
}

void WriteZeroLoadFile(ZeroLoadFile& file, const ZeroLoadTable& table, int count,
                       const charts::ChartTable& charts, reporting::Reporter& reporter) {
    Progress(reporter, "ZF112", "Zero file output");
    file.output.WriteLine(kZeroLoadNamesLine);
    file.output.WriteLine(kZeroLoadUnitsLine);
    const std::vector<ZeroLoadRow> rows = BuildZeroLoadRows(table, count, charts, reporter);
    for (const ZeroLoadRow& row : rows) {
        file.output.WriteLine(FormatZeroLoadRow(row));
    }
    if (!file.output.Commit()) {
        throw tools::DataError("ZF102",
                               "the zero load data file could not be written: " + file.name + " (" +
                                   std::strerror(file.output.errorNumber()) + ")");
    }
    if (file.csvName.empty()) {
        return;
    }
    file.csvOutput.WriteLine(ZeroLoadCsvHeading());
    for (const ZeroLoadRow& row : rows) {
        file.csvOutput.WriteLine(ZeroLoadCsvRow(row));
    }
    if (!file.csvOutput.Commit()) {
        throw tools::DataError(
            "ZF104", "the zero load CSV file could not be written: " + file.csvName + " (" +
                         std::strerror(file.csvOutput.errorNumber()) + ")");
    }
}

}  // namespace kavo::zeroload
