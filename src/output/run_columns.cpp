// The column set-up of a run.
#include "output/run_columns.h"

#include "output/column_definitions.h"
#include "output/column_record.h"
#include "output/q1o_data.h"

namespace kavo::output {

void SetUpRunColumns(ColumnTable& columns, const normalization::NormalisationContext& context,
                     reporting::Reporter& reporter, const files::DataArea& dataArea,
                     setup::ColumnsSource columnsSource, const tools::BreakdownSink& breakdown) {
    ColumnDefinitionParts parts{
        columns,
        reporter,
        dataArea,
        columnsSource,
        [&context, &reporter](std::string_view id) { TestColumn(context, reporter, id); },
        breakdown};
    ReadColumnDefinitions(parts);
    reporting::ProgressReport report{
        "Testing each Q1o Column specification", " ", " ", " ", " ", " ", " ", "GL311"};
    reporter.ReportProgress(report);
    CompleteColumnTable(columns, context.charts);
}

}  // namespace kavo::output
