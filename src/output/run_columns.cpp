// The column set-up of a run.
#include "output/run_columns.h"

#include "output/column_definitions.h"
#include "output/column_record.h"
#include "output/q1o_data.h"

namespace kavo::output {

void SetUpRunColumns(ColumnTable& columns, normalization::NormalisationContext& context,
                     std::string_view columnsSource, const tools::BreakdownSink& breakdown) {
    ColumnDefinitionParts parts{columns,
                                context.reporter,
                                context.dataArea,
                                columnsSource,
                                [&context](std::string_view id) { TestColumn(context, id); },
                                breakdown};
    ReadColumnDefinitions(parts);
    reporting::ProgressReport report{
        "Testing each Q1o Column specification", " ", " ", " ", " ", " ", " ", "GL311"};
    context.reporter.ReportProgress(report);
    CompleteColumnTable(columns, context.charts);
}

}  // namespace kavo::output
