// The kavo command: the main window's actions and options as a command interface.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "app/version_info.h"
#include "platform/clock.h"
#include "platform/environment.h"
#include "run/action.h"
#include "run/program.h"
#include "tools/line_split.h"
#include "ui/console_window.h"

namespace {

using namespace kavo;

std::string ProgramPath(const char* argv0) {
    std::error_code error;
    auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(argv0) : self.string();
}

std::string VersionText() {
    return std::to_string(app::kVersionMajor) + "." + std::to_string(app::kVersionMinor) + "." +
           std::to_string(app::kVersionRevision);
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App cli{"Kavo: batch processing of cone penetration test (CPT) soundings."};
    cli.require_subcommand(1);
    cli.set_version_flag("--version", "kavo " + VersionText());

    std::optional<std::string> dataRoot;
    cli.add_option("--data-root", dataRoot,
                   "The data area (default: $KAVO_DATA_ROOT, else ~/Kavo)");

    auto* splitLine = cli.add_subcommand(
        "split-line", "Show how Kavo splits one line of a comma-separated input file");
    std::string line;
    tools::SplitOptions options;
    splitLine->add_option("LINE", line, "The line, as it stands in the file")->required();
    splitLine->add_flag("--blanks", options.blanksSeparate,
                        "Blanks outside quotes separate fields");
    splitLine->add_flag("--commas", options.resplitCommas,
                        "Cut fields again at commas, also inside quotes");
    splitLine->add_flag("--key-value", options.splitKeyValue, "Cut fields again at \"=\"");

    try {
        cli.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        int status = cli.exit(error);
        return status == 0 ? 0 : run::kExitUsage;
    }

    ui::ConsoleWindow window(std::cout, std::cerr);
    platform::SystemClock clock;
    platform::SystemEnvironment environment;
    platform::ProgramInfo info{app::kVersionMajor, app::kVersionMinor,   app::kVersionRevision,
                               app::kCompany,      app::kVersionComment, ProgramPath(argv[0])};
    run::Program program(window, clock, environment, info);

    if (*splitLine) {
        return run::RunAction(program, [&] {
            auto fields = tools::SplitLine(line, options, 999);
            for (const auto& text : tools::LineBreakdown(line, fields)) {
                std::cout << text << "\n";
            }
        });
    }
    return run::kExitUsage;
}
