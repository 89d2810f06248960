// Setting up the output columns of a run: defined, each tried at the test point, completed
// from its chart and aligned.
#pragma once

#include "files/paths.h"
#include "normalization/normalisation_context.h"
#include "output/column_table.h"
#include "reporting/reporter.h"
#include "setup/run_choices.h"
#include "tools/line_split.h"

namespace kavo::output {

// Fills `columns` for a run once its charts are loaded: the definitions of `columnsSource`
// (the built-in list, the definition file or none), each file column tried at the test point with
// `context` (its sounding inputs may be empty), then every column completed from the loaded charts
// and its six heading texts right-aligned. Throws the first data error met.
void SetUpRunColumns(ColumnTable& columns, const normalization::NormalisationContext& context,
                     reporting::Reporter& reporter, const files::DataArea& dataArea,
                     setup::ColumnsSource columnsSource,
                     const tools::BreakdownSink& breakdown = {});

}  // namespace kavo::output
