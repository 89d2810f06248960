// The picture commands of the kavo command: `kavo plot` and `kavo run --plots`.
#pragma once

#include <CLI/CLI.hpp>

#include <string>
#include <string_view>
#include <vector>

#include "run/program.h"

namespace kavo::app {

struct PlotOptions {
    std::vector<std::string> soundings;
    std::string format = "png";
    bool logConeResistance = false;
    bool noReport = false;
    bool afterRun = false;  // run --plots
};

// Adds the plot subcommand to `cli` and the --plots options to `run`; returns the plot
// subcommand.
CLI::App* AddPlotCommands(CLI::App& cli, CLI::App& run, PlotOptions& options);

// Whether this kavo draws pictures (built with Qt); a command that asks for them without is
// refused before anything runs, with the reason on standard error.
bool PicturesBuiltIn();
void SayPicturesNotBuiltIn();

// Draws the finished run of the current project; `runSummary` holds the summary lines of a run
// that just ended (empty for `kavo plot`). Returns the exit status.
int PlotCommand(run::Program& program, const PlotOptions& options, std::string_view runSummary);

}  // namespace kavo::app
