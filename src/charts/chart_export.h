// Writing the loaded charts back out: one chart file per chart for plotting, and the chart
// statements that fill a chart slot.
#pragma once

#include <string>
#include <string_view>

#include "charts/sld_chart.h"
#include "files/paths.h"
#include "platform/text_file.h"
#include "reporting/reporter.h"

namespace kavo::charts {

// Blanks, key, " = ", value; width - length(key) - 2 leading blanks, at least one.
std::string KeyValueLine(std::string_view key, int width, std::string_view value);
// Writes KeyValueLine as one line unless the trimmed value is empty.
void WriteKeyValueIfSet(platform::TextOutput& file, std::string_view key, int width,
                        std::string_view value);

// One plotting file per chart 1..count into the "SLD OUTPUT" folder, named after the chart's
// source file. Throws DataError "GSC113" when a file cannot be written.
void WriteChartsForPlotting(reporting::Reporter& reporter, const files::DataArea& area,
                            const ChartTable& table);

// The export-charts action: the same as WriteChartsForPlotting.
void ExportChartsForPlotting(reporting::Reporter& reporter, const files::DataArea& area,
                             const ChartTable& table);

// One statement file per chart 1..count into the "SLD VB6" folder. A description not yet in
// double quotes is quoted in the chart itself. Throws DataError "SW113" when a file cannot
// be written.
void WriteChartStatements(reporting::Reporter& reporter, const files::DataArea& area,
                          ChartTable& table);

}  // namespace kavo::charts
