// The chart exporters: plotting files and chart statements, one file per loaded chart.
#include "charts/chart_export.h"

#include <algorithm>

#include "platform/file_system.h"
#include "tools/errors.h"
#include "tools/format_fixed.h"
#include "tools/number_text.h"

namespace kavo::charts {

namespace {

using tools::IntegerText;

// Opens an export file in the folder of `key` (made when missing); DataError `code` when it
// cannot be written.
void OpenExport(reporting::Reporter& reporter, const files::DataArea& area, files::PathKey key,
                const std::string& name, std::string_view code, platform::TextOutput& file) {
    const std::string folder = files::PathFor(area, key);
    platform::MakeFolder(folder);
    const std::string path = folder + name;
    reporter.RememberLine("----OPEN File----", path, "generate SLD file");
    // Written beside its place, so a failed export never leaves a half-written chart file.
    if (!file.Open(path, platform::TextOutput::Mode::ReplaceWhenComplete)) {
        throw tools::DataError(std::string(code), "cannot write the chart file " + path);
    }
}

void Finish(platform::TextOutput& file, std::string_view code, std::string_view name) {
    if (!file.Commit()) {
        throw tools::DataError(std::string(code),
                               "writing the chart file " + std::string(name) + " failed");
    }
}

std::string TrueFalse(bool value) {
    return value ? "True" : "False";
}

std::string PlotNumber(float value) {
    return tools::FormatFixed(value, "####.###", false);
}

void WritePlottingFile(platform::TextOutput& file, const SldChart& chart) {
    file.WriteLine("\"" + chart.Row1_x_ID_8str + "\",\"" + chart.Row1_y_ID_8str + "\",\"" +
                   chart.Row1_z_IDfull_8str + "\"");
    file.WriteLine("Row2-SLDv5");
    WriteKeyValueIfSet(file, "SLD", 0, chart.Row1_z_IDfull_8str);
    WriteKeyValueIfSet(file, "UseXLog", 0, TrueFalse(chart.Header_Fr_UseLog_8bol));
    WriteKeyValueIfSet(file, "UseYLog", 0, TrueFalse(chart.Header_Qc1_UseLog_8bol));
    WriteKeyValueIfSet(file, "Description", 0, chart.Header_General_Description_8str);
    WriteKeyValueIfSet(file, "ChartID", 0, chart.Header_Chart_8str);
    WriteKeyValueIfSet(file, "LookupMethod", 0, chart.Header_LookupMethod_8str);
    WriteKeyValueIfSet(file, "LookupMethod", 0, chart.Header_LookupMethod_8str);
    WriteKeyValueIfSet(file, "version", 0, chart.Header_Version_8str);
    file.WriteLine("");
    for (std::int16_t n = 0; n < chart.NotesNUMof; ++n) {
        file.WriteLine(
            KeyValueLine("comment", 0, chart.Header_Note8a[static_cast<std::size_t>(n)]));
    }
    file.WriteLine("EOH");
    for (std::int16_t l = 1; l <= chart.LinesNUMof; ++l) {
        const ContourLine& line = chart.Line(l);
        for (std::int16_t k = 1; k <= line.ptsNUMof; ++k) {
            const ChartPoint& point = chart.Point(l, k);
            std::string row =
                PlotNumber(point.FR_percent_8sng) + ",   " + PlotNumber(point.Qc1_atm_8sng);
            if (k == 1) {
                if (l > 1) {
                    file.WriteLine("");
                }
                row += ",   " + PlotNumber(line.LineValue_8sng);
            }
            file.WriteLine(row);
        }
    }
}

void WriteStatementFile(platform::TextOutput& file, std::int16_t number, SldChart& chart) {
    const std::string q = "\"";
    const std::string p = "SLD8a(" + IntegerText(number) + ")";
    constexpr int kWidth = 55;
    file.WriteLine(" ");
    file.WriteLine("Sub SLD___" + chart.Row1_z_IDfull_8str + "()");
    file.WriteLine(" ");
    file.WriteLine(" ");
    file.WriteLine(" ");
    file.WriteLine(" ");
    file.WriteLine(
        KeyValueLine(p + ".Row1_z_IDfull_8str", kWidth, q + chart.Row1_z_IDfull_8str + q));
    if (!chart.Header_General_Description_8str.starts_with(q)) {
        chart.Header_General_Description_8str = q + chart.Header_General_Description_8str + q;
    }
    file.WriteLine(KeyValueLine(p + ".Header_General_Description_8str", kWidth,
                                chart.Header_General_Description_8str));
    if (chart.Header_Fr_UseLog_8bol) {
        file.WriteLine(KeyValueLine(p + ".Header_Fr_UseLog_8bol", kWidth, "True"));
    }
    if (chart.Header_Qc1_UseLog_8bol) {
        file.WriteLine(KeyValueLine(p + ".Header_Qc1_UseLog_8bol", kWidth, "True"));
    }
    const std::string author = q + chart.Header_AuthorShort_4Row2_8str + q;
    file.WriteLine(KeyValueLine(p + ".Header_AuthorShort_4Row2_8str", kWidth, author));
    file.WriteLine(KeyValueLine(p + ".Header_Chart_8str", kWidth, q + chart.Header_Chart_8str + q));
    file.WriteLine(KeyValueLine(p + ".Header_AuthorShort_4Row2_8str ", kWidth, author));
    file.WriteLine(" ");
    file.WriteLine(KeyValueLine(p + ".LinesNUMof", kWidth, IntegerText(chart.LinesNUMof)));
    for (std::int16_t j = 1; j <= chart.LinesNUMof; ++j) {
        const ContourLine& line = chart.Line(j);
        const std::string lj = p + ".Line8a(" + IntegerText(j) + ")";
        file.WriteLine(" ");
        file.WriteLine(" ");
        file.WriteLine(lj + ".LineValue_8sng = " + tools::SingleText(line.LineValue_8sng));
        file.WriteLine(lj + ".ptsNUMof = " + IntegerText(line.ptsNUMof));
        file.WriteLine(" ");
        for (std::int16_t k = 1; k <= line.ptsNUMof; ++k) {
            const ChartPoint& point = chart.Point(j, k);
            const std::string pk = lj + ".pt8a(" + IntegerText(k) + ")";
            file.WriteLine(pk + ".FR_percent_8sng = " +
                           tools::FormatFixed(point.FR_percent_8sng, "          ##.#####", false));
            file.WriteLine(pk + ".Qc1_atm_8sng = " +
                           tools::FormatFixed(point.Qc1_atm_8sng, " ####.###", false));
        }
    }
    file.WriteLine(" ");
    file.WriteLine("End sub ");
    file.WriteLine(" ");
}

}  // namespace

std::string KeyValueLine(std::string_view key, int width, std::string_view value) {
    const int blanks = std::max(1, width - static_cast<int>(key.size()) - 2);
    return std::string(static_cast<std::size_t>(blanks), ' ') + std::string(key) + " = " +
           std::string(value);
}

void WriteKeyValueIfSet(platform::TextOutput& file, std::string_view key, int width,
                        std::string_view value) {
    if (!tools::Trim(value).empty()) {
        file.WriteLine(KeyValueLine(key, width, value));
    }
}

void WriteChartsForPlotting(reporting::Reporter& reporter, const files::DataArea& area,
                            const ChartTable& table) {
    for (std::int16_t slot = 1; slot <= table.count; ++slot) {
        const SldChart& chart = table.Slot(slot);
        reporting::ProgressReport report =
            reporting::ProcessReport("GSC112", "Printing SLD file ", "seq#=" + IntegerText(slot));
        report.outputFile = chart.SourceFile_8str;
        reporter.ReportProgress(report);
        platform::TextOutput file;
        OpenExport(reporter, area, files::PathKey::SldOutput, chart.SourceFile_8str, "GSC113",
                   file);
        WritePlottingFile(file, chart);
        Finish(file, "GSC113", chart.SourceFile_8str);
    }
    reporter.ReportProgress(reporting::ProcessReport("DWS112", "Done printing SLD files"));
}

void ExportChartsForPlotting(reporting::Reporter& reporter, const files::DataArea& area,
                             const ChartTable& table) {
    WriteChartsForPlotting(reporter, area, table);
}

void WriteChartStatements(reporting::Reporter& reporter, const files::DataArea& area,
                          ChartTable& table) {
    reporter.ReportProgress(reporting::ProcessReport("SW112", "SLD VB6 data writer"));
    for (std::int16_t slot = 1; slot <= table.count; ++slot) {
        SldChart& chart = table.Slot(slot);
        reporter.ReportProgress(reporting::ProcessReport(
            "SFW231", "Writing " + tools::TrimCopy(chart.Row1_z_IDfull_8str) + " to VB6 file"));
        const std::string name = "SLD___" + chart.Row1_z_IDfull_8str + ".bas";
        platform::TextOutput file;
        OpenExport(reporter, area, files::PathKey::SldVb6, name, "SW113", file);
        WriteStatementFile(file, slot, chart);
        Finish(file, "SW113", name);
    }
}

}  // namespace kavo::charts
