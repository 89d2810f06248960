// The picture commands: their options, and the drawing of a finished run with a progress line
// per sounding.
#include "app/plot_command.h"

#include <algorithm>
#include <chrono>
#include <iostream>

#include "run/action.h"

#ifdef KAVO_WITH_QT
#include "plots/plot_run.h"
#endif

namespace kavo::app {

CLI::App* AddPlotCommands(CLI::App& cli, CLI::App& run, PlotOptions& options) {
    auto* plot = cli.add_subcommand(
        "plot",
        "Draw the current project's finished run into its Plots folder: per sounding a profile "
        "page and a page per chart, the project pages (zero readings, plan) and the project "
        "report PDF. Give the run options the run used.");
    plot->add_option("SOUNDING", options.soundings,
                     "The soundings to draw (default: every sounding of the project)");
    plot->add_option("--format", options.format, "The picture files: png, svg or pdf")
        ->check(CLI::IsMember({"png", "svg", "pdf"}));
    plot->add_flag("--log-qc", options.logConeResistance, "Cone resistance on a logarithmic axis");
    plot->add_flag("--no-report", options.noReport, "Leave out the project report PDF");
    plot->fallthrough();
    run.add_flag("--plots", options.afterRun,
                 "Also draw the run into the project's Plots folder when it ends (see plot)");
    run.add_option("--plot-format", options.format, "The picture files of --plots")
        ->check(CLI::IsMember({"png", "svg", "pdf"}));
    return plot;
}

void SayPicturesNotBuiltIn() {
    std::cerr << "kavo: the pictures are not built in: this kavo was built without Qt "
                 "(KAVO_WITH_QT=OFF)\n";
}

#ifdef KAVO_WITH_QT

bool PicturesBuiltIn() {
    return true;
}

int PlotCommand(run::Program& program, const PlotOptions& options, std::string_view runSummary) {
    plots::PictureSession session;
    plots::PlotRequest request;
    request.soundings = options.soundings;
    plots::ParseImageFormat(options.format, request.format);
    request.logConeResistance = options.logConeResistance;
    request.report = !options.noReport;
    for (std::size_t start = 0; start < runSummary.size();) {
        const std::size_t end = std::min(runSummary.find('\n', start), runSummary.size());
        if (end > start) {
            request.runSummary.emplace_back(runSummary.substr(start, end - start));
        }
        start = end + 1;
    }
    plots::PlotResult result;
    const auto start = std::chrono::steady_clock::now();
    const auto progress = [&](int k, int n, const std::string& sounding) {
        const double spent =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::string left;
        if (k > 1) {
            left = ", about " + plots::FixedText(spent / (k - 1) * (n - k + 1), 0) + " s left";
        }
        std::cout << "Plots: sounding " << k << " of " << n << ": " << sounding << left
                  << std::endl;
    };
    const int status = run::RunAction(
        program, [&] { result = plots::PlotFinishedRun(program, request, progress); });
    if (status == run::kExitDone) {
        std::cout << "Plots: " << result.soundings << " soundings, " << result.files
                  << " pictures in " << result.folder.string() << "\n";
        if (!result.report.empty()) {
            std::cout << "Report: " << result.report.string() << " (" << result.reportPages
                      << " pages)\n";
        }
    }
    return status;
}

#else

bool PicturesBuiltIn() {
    return false;
}

int PlotCommand(run::Program&, const PlotOptions&, std::string_view) {
    SayPicturesNotBuiltIn();
    return run::kExitUsage;
}

#endif

}  // namespace kavo::app
