// Completing an output column from its parsed ID and the chart that serves it, and aligning
// its six heading texts.
#pragma once

#include "charts/sld_chart.h"
#include "output/column_table.h"

namespace kavo::output {

// Parses the column's ID and copies the parts into the record (property, key, method, unit,
// mask, factor); author and date come from the last loaded chart whose normalised
// identifier and method equal the column's base name and method, else they are empty. The
// ID, why and source texts stay. Throws the parse's data errors.
void CompleteColumnRecord(Q1oColumn& column, const charts::ChartTable& charts);

// Right-aligns the six heading texts (ID, author, date, why, source, mask) to the longest of
// them. The padded mask makes every value of the column as wide as its heading.
void AlignColumnHeadings(Q1oColumn& column);

// Both steps for every column of the table, in column order: what a run does once its
// columns are defined and its charts loaded.
void CompleteColumnTable(ColumnTable& columns, const charts::ChartTable& charts);

}  // namespace kavo::output
