// Reading back a sounding's output table for display: its columns with their units and its
// data rows, a missing value shown as an empty cell.
#pragma once

#include <string>
#include <vector>

#include "files/paths.h"

namespace kavo::output {

struct Q1oTableContents {
    std::vector<std::string> columnIds;
    std::vector<std::string> units;  // "" for a column without a unit
    // One row per depth point, one cell per column: the value as written, "" when missing.
    std::vector<std::vector<std::string>> rows;
    std::string problem;  // why the table could not be read; empty when it was
};

// Reads a table written by the output table writer (the real path of the file).
Q1oTableContents ReadQ1oTable(const std::string& realPath);

// The soundings of the project that have an output table in its soundings folder, sorted
// without regard to case.
std::vector<std::string> SoundingsWithTables(const files::DataArea& area);

}  // namespace kavo::output
