// Loading the chart table of a run: chart files of the "SLD input" folder, or the internal
// chart set, and the check that the eight required charts are present.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "charts/sld_chart.h"
#include "files/paths.h"
#include "reporting/reporter.h"

namespace kavo::charts {

inline constexpr std::size_t kMaxListedFiles = 30;
inline constexpr int kMaxHeaderLines = 53;

enum class ChartLoadRequest { Reset, File, Internal };

// "RESET", "FILE" or "INTERNAL" (exactly); other text throws ProgrammingError.
ChartLoadRequest ParseChartLoadRequest(std::string_view text);

// Reset empties the table; File appends every usable chart file of the "SLD input" folder
// (DataError "SLD214" when there is none); Internal appends the eight built-in charts.
void LoadCharts(ChartLoadRequest request, reporting::Reporter& reporter,
                const files::DataArea& area, ChartTable& table);

// The chart loading of a batch run: reset, load the chart files, check the required charts.
void LoadChartsForRun(reporting::Reporter& reporter, const files::DataArea& area,
                      ChartTable& table);

// Reads one chart file of the "SLD input" folder into `chart` (a slot just taken by
// AddChart). Every check of the format throws its DataError; the file is closed after.
void ReadChartFile(reporting::Reporter& reporter, const files::DataArea& area,
                   std::string_view fileName, SldChart& chart);

// Reads a chart from its text (the internal chart set): the same checks as a file.
void ReadChartText(reporting::Reporter& reporter, std::string_view fileName, std::string_view text,
                   SldChart& chart);

struct FileNameId {
    std::string id;         // identifier part up to its second separator, e.g. CRRe_tln84
    std::string remainder;  // the text after the second separator up to the third
};
// Cuts a chart file name "SLD-Kavo-<id>[-<remainder>...].csv". Throws DataError "SLD433"
// when the name does not begin with "SLD-Kavo-", has no ".csv" or no separator at all.
FileNameId ChartIdFromFileName(std::string_view fileName);

inline constexpr std::size_t kNoSeparator = 5435;
// 1-based position of the first "-" or "_" at or after `start` (1-based), or 5435.
std::size_t FirstSeparatorFrom(std::string_view text, std::size_t start);

// The names of the files matching a wildcard pattern, in the listing's order. Throws
// DataError "SLD213" naming the pattern when more than 30 match.
std::vector<std::string> ListMatchingFiles(std::string_view pattern);

// "TRUE"/"YES" true, "FALSE"/"NO" false (trimmed, any case), empty text the default.
// Other text throws DataError "TF101"; `where` names the file and line.
bool ParseTrueFalse(std::string_view text, bool defaultValue, std::string_view where);

// Clears the required-chart indices and fills them from slots 1..count (a later slot wins).
// Throws DataError "SLD200" when any of the eight is missing.
void CheckRequiredCharts(ChartTable& table);

}  // namespace kavo::charts
