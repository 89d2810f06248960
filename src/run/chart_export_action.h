// The window's chart-export action: the charts of the last run written out for plotting.
#pragma once

#include "run/program.h"

namespace kavo::run {

// Writes one plotting file per loaded chart into the project's "SLD output" folder.
void ExportChartsAction(Program& program);

}  // namespace kavo::run
