#include "run/chart_export_action.h"

#include "charts/chart_export.h"

namespace kavo::run {

void ExportChartsAction(Program& program) {
    charts::ExportChartsForPlotting(program.reporter, program.dataArea, *program.tables.charts);
}

}  // namespace kavo::run
