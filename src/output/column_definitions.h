// Which columns the run's output tables have: the built-in list or the user's column
// definition file, each column tried once before any sounding is processed.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "files/paths.h"
#include "output/column_table.h"
#include "reporting/reporter.h"
#include "setup/run_choices.h"
#include "tools/line_split.h"

namespace kavo::output {

inline constexpr std::string_view kColumnFilePattern = "Kavo_Q1o_Columns---*.csv";

// Tries one column ID at the fixed test point; a bad ID throws its data error.
using ColumnTrial = std::function<void(std::string_view id)>;

struct ColumnDefinitionParts {
    ColumnTable& columns;
    reporting::Reporter& reporter;
    const files::DataArea& dataArea;
    setup::ColumnsSource columnsSource;
    ColumnTrial tryColumn;
    tools::BreakdownSink breakdown = {};  // set when split lines are to be listed
};

// Fills the column table for a run. BuiltIn gives the thirteen built-in columns, untried;
// DefinitionFile reads the one definition file of the projects area or the project folder and
// tries each column as it is read; none chosen defines no columns. In the definition file,
// blank IDs (blank lines, blank fields) are passed over; a file that defines no column, or
// more than 24, is refused.
void ReadColumnDefinitions(ColumnDefinitionParts& parts);

// The full path of the one definition file, from the projects area or the project folder.
std::string FindColumnDefinitionFile(const files::DataArea& area);

// The position (1-based) of the last field that is not blank once trimmed, among the first
// `count`; `count` itself when every field is blank.
int LastNonBlankField(const std::vector<std::string>& fields, int count);

}  // namespace kavo::output
