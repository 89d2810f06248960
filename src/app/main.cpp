// The kavo command: the main window's actions and options as a command interface.
#include <sys/ioctl.h>
#include <unistd.h>
#include <CLI/CLI.hpp>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/plot_command.h"
#include "app/version_info.h"
#include "files/paths.h"
#include "platform/clock.h"
#include "platform/environment.h"
#include "run/action.h"
#include "run/add_soundings.h"
#include "run/chart_export_action.h"
#include "run/main_routine.h"
#include "run/program.h"
#include "run/window_actions.h"
#include "setup/run_settings.h"
#include "tools/line_split.h"
#include "ui/console_window.h"
#include "ui/run_options.h"
#include "ui/shell.h"

namespace {

using namespace kavo;

std::string ProgramPath(const char* argv0) {
    std::error_code error;
    auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(argv0) : self.string();
}

// The source tree's example data area when this program is the one built in its build tree.
std::string SourceDataRoot(const std::string& programPath) {
    std::error_code error;
    const bool inBuildTree = std::filesystem::equivalent(
        std::filesystem::path(programPath).parent_path(), app::kBuildTree, error);
    return inBuildTree && !error ? std::string(app::kSourceDataArea) : std::string();
}

std::string VersionText() {
    return std::to_string(app::kVersionMajor) + "." + std::to_string(app::kVersionMinor) + "." +
           std::to_string(app::kVersionRevision);
}

// The live panel on a terminal that moves its cursor; plain lines when the output goes to a
// file or a pipe, or the terminal says it is dumb.
ui::ConsoleWindow::Mode ConsoleMode() {
    const char* term = std::getenv("TERM");
    const bool dumb = term == nullptr || std::string_view(term) == "dumb";
    return isatty(STDOUT_FILENO) && !dumb ? ui::ConsoleWindow::Mode::LivePanel
                                          : ui::ConsoleWindow::Mode::PlainLines;
}

// NO_COLOR set to any text but the empty one turns bold text off.
bool UseColor() {
    const char* noColor = std::getenv("NO_COLOR");
    return noColor == nullptr || *noColor == '\0';
}

std::size_t TerminalWidth() {
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
        return size.ws_col;
    }
    return 100;
}

void AddDataRootOption(CLI::App& app, std::optional<std::string>& dataRoot) {
    app.add_option("--data-root", dataRoot,
                   "The data area (default: $KAVO_DATA_ROOT, else ~/Kavo)");
}

// What is wrong with a command line that parsed: no action, an unknown action word, or
// arguments that nothing took. Nothing when all is well.
std::optional<std::string> UsageProblem(const CLI::App& cli) {
    std::string actions;
    for (const CLI::App* subcommand : cli.get_subcommands({})) {
        actions += (actions.empty() ? "" : ", ") + subcommand->get_name();
    }
    const std::vector<std::string> extras = cli.remaining(true);
    if (cli.get_subcommands().empty()) {
        for (const std::string& extra : extras) {
            if (!extra.empty() && extra.front() != '-') {
                return "unknown action \"" + extra + "\"; the actions are " + actions +
                       " (kavo --help explains them)";
            }
        }
        if (extras.empty()) {
            return "name an action: " + actions + " (kavo --help explains them)";
        }
    }
    if (extras.empty()) {
        return std::nullopt;
    }
    std::string given;
    for (const std::string& extra : extras) {
        given += (given.empty() ? "" : " ") + extra;
    }
    return "not understood: " + given + " (kavo ACTION --help lists the options of an action)";
}

void AddRunOptions(CLI::App& cli, ui::RunOptions& options) {
    const std::string group = "Run options (the main window's options; defaults as it opens)";
    cli.add_option("--norm", options.norm,
                   "Sress Normalizaion method for CPT cone resistance (default vaski)")
        ->check(CLI::IsMember(ui::ChoiceWords("norm")))
        ->group(group);
    cli.add_option("--ic", options.ic,
                   "Soil type (standardized Robertson Ic) Calculation Method (default vaski)")
        ->check(CLI::IsMember(ui::ChoiceWords("ic")))
        ->group(group);
    cli.add_option("--chart-source", options.chartSource,
                   "SLD data input Location; the release configuration uses internal")
        ->check(CLI::IsMember(ui::ChoiceWords("chart-source")))
        ->group(group);
    cli.add_option("--field-type", options.fieldType,
                   "The window's \"CPT input data file type\" choice (default hog, which "
                   "the release configuration fixes). It does not choose a reader: each "
                   "sounding is read by the format of the file found for it (.CPT, .GEF, "
                   ".CSV or a test in an *.ags file)")
        ->check(CLI::IsMember(ui::ChoiceWords("field-type")))
        ->group(group);
    cli.add_option("--columns", options.columns,
                   "Columns defined for *-Q1o.csv files: built in, or "
                   "Kavo_Q1o_Columns---*.csv (default file)")
        ->check(CLI::IsMember(ui::ChoiceWords("columns")))
        ->group(group);
    cli.add_option("--lowest-qc-depth", options.lowestQcDepth,
                   "Zero load: depth (ft) to start looking for the lowest Qc and fs (default 2)")
        ->group(group);
    cli.add_option("--eq-magnitude", options.eqMagnitude,
                   "Project earthquake magnitude Mb (default 7.5)")
        ->group(group);
    cli.add_option("--eq-csr-file", options.eqCsrFile, "Project CSR earthquake file")->group(group);
    cli.add_flag("--write-sld-statements", options.writeSldStatements,
                 "Write the chart data to file (needs --check-before-compiling)")
        ->group(group);
    cli.add_flag("--show-line-breakdown", options.showLineBreakdown,
                 "Show the breakdown of input lines (needs --check-before-compiling)")
        ->group(group);
    cli.add_flag("--check-before-compiling", options.checkBeforeCompiling,
                 "Keep every option as designed instead of the release configuration")
        ->group(group);
    cli.add_flag("--no-force-data-root", options.noForceDataRoot,
                 "Use the data area installed with the program instead of --data-root")
        ->group(group);
    cli.add_flag("--keep-going", options.keepGoing,
                 "A sounding with a data error is logged and gets no table; the run goes on "
                 "with the next, lists the failed soundings and exits with status 1")
        ->group(group);
    cli.add_flag("--no-csv", options.noCsv,
                 "Write no <sounding>_Q1o.csv beside each table and no zero-load CSV")
        ->group(group);
    cli.add_option("--jobs", options.jobs,
                   "Soundings computed at once (default: the number of cores); the files "
                   "are the same for any number")
        ->check(CLI::Range(1, ui::kMaxJobs))
        ->group(group);
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App cli{
        "Kavo: batch processing of cone penetration test (CPT) soundings. Each "
        "subcommand is an action of the main window; `kavo shell` is the window."};
    // The subcommand is checked after the parse, so that an unknown one can be named.
    cli.require_subcommand(0, 1);
    cli.set_version_flag("--version", "kavo " + VersionText());

    std::optional<std::string> dataRoot;
    AddDataRootOption(cli, dataRoot);
    ui::RunOptions runOptions;
    AddRunOptions(cli, runOptions);

    auto* runCommand = cli.add_subcommand(
        "run",
        "Make Q1o output files and the zero offset file: process every sounding of the "
        "project that the setup file names (also the log and the input-lines trace)");
    std::string runProject;
    runCommand->add_option("--project", runProject,
                           "Process this project (it becomes the setup file's last project, as "
                           "choosing it on the window does); default: the setup file's last "
                           "project");
    // Given before or after the action word; `kavo run --help` lists them too.
    AddDataRootOption(*runCommand, dataRoot);
    AddRunOptions(*runCommand, runOptions);
    runCommand->fallthrough();
    app::PlotOptions plotOptions;
    auto* plotCommand = app::AddPlotCommands(cli, *runCommand, plotOptions);

    auto* exportCharts = cli.add_subcommand(
        "export-charts",
        "Generate SLD truckcaded files (SLDp) for external plotting: the window's load (a "
        "run), then one plotting file per loaded chart into the project's SLD output folder");
    AddDataRootOption(*exportCharts, dataRoot);
    AddRunOptions(*exportCharts, runOptions);
    exportCharts->fallthrough();

    auto* firstUse = cli.add_subcommand(
        "first-use",
        "Prepare Kavo for the FIRST USE: make the data area's folders, copy the setup file "
        "(kept when present) and this program into its software folder, make the example "
        "project ExampleOne and copy its data and the chart files");
    std::string source;
    firstUse->add_option("--source", source,
                         "The installation source: a Kavo data area to install from (default: "
                         "the example data area installed with the program, "
                         "<prefix>/share/kavo/Kavo)");
    firstUse->fallthrough();

    auto* newProject = cli.add_subcommand(
        "new-project",
        "Make New Project: its folder and Soundings folder under Projects, its row in the "
        "project list and the editable soundings template "
        "SoundingS---<name>---KavoEditable---.csv in its folder");
    std::string projectName;
    newProject->add_option("NAME", projectName, "Enter Project directory name:")->required();
    newProject->fallthrough();

    auto* addSoundings = cli.add_subcommand(
        "add-soundings",
        "Add to the current project's soundings database one row for each field file (.CPT, "
        ".GEF, .CSV) or AGS4 test (*.ags) of its Soundings folder that it does not list yet, "
        "with what the file gives; the water table and unit-weight columns are left for you");
    addSoundings->fallthrough();

    auto* equationTest = cli.add_subcommand(
        "equation-test",
        "Equation test: scan the number tokens of the fixed test equation and list each "
        "start position with its token and verdict");

    auto* shell = cli.add_subcommand(
        "shell",
        "The main window as typed commands: load (start-up and the first run), then take the "
        "actions and option changes line by line (help lists them); END or the end of the "
        "input unloads it");
    shell->add_option("--source", source, "The installation source for its first-use command");
    shell->fallthrough();

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

    // Extras are collected rather than refused at once, so that the message can name an
    // unknown action word; any extra is still a usage error below.
    cli.allow_extras();
    try {
        cli.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        int status = cli.exit(error);
        return status == 0 ? 0 : run::kExitUsage;
    }
    if (auto problem = UsageProblem(cli)) {
        std::cerr << "kavo: " << *problem << "\n";
        return run::kExitUsage;
    }
    // Pictures asked of a kavo without them are refused before a run writes anything.
    if ((*plotCommand || (*runCommand && plotOptions.afterRun)) && !app::PicturesBuiltIn()) {
        app::SayPicturesNotBuiltIn();
        return run::kExitUsage;
    }

    const bool live =
        (*runCommand || *exportCharts) && ConsoleMode() == ui::ConsoleWindow::Mode::LivePanel;
    ui::ConsoleWindow window(
        std::cout, std::cerr,
        live ? ui::ConsoleWindow::Mode::LivePanel : ui::ConsoleWindow::Mode::PlainLines,
        TerminalWidth(), UseColor());
    platform::SystemClock clock;
    platform::SystemEnvironment environment;
    const std::string programPath = ProgramPath(argv[0]);
    platform::ProgramInfo info{app::kVersionMajor, app::kVersionMinor,   app::kVersionRevision,
                               app::kCompany,      app::kVersionComment, programPath};
    run::Program program(window, clock, environment, info);
    program.sourceTreeDataRoot = SourceDataRoot(programPath);
    if (runOptions.jobs) {
        program.jobs = *runOptions.jobs;
    }

    if (*splitLine) {
        return run::RunAction(program, [&] {
            auto fields = tools::SplitLine(line, options, 999);
            for (const auto& text : tools::LineBreakdown(line, fields)) {
                std::cout << text << "\n";
            }
        });
    }
    if (*equationTest) {
        return run::RunAction(program, [&] { run::EquationTestAction(program); });
    }

    if (auto conflict = ui::ReleaseConflict(runOptions)) {
        std::cerr << "kavo: " << *conflict << "\n";
        return run::kExitUsage;
    }
    setup::SetStartUpValues(window);
    ui::ApplyRunOptions(window, runOptions);
    const auto chooseRoot = [&] {
        program.configuredRoot = files::ChooseDataAreaRoot(dataRoot, environment);
    };

    if (*shell) {
        const int status = run::RunAction(program, chooseRoot);
        if (status != run::kExitDone) {
            return status;
        }
        return ui::RunShell(program, std::cin, std::cout,
                            ui::ShellSetup{source, isatty(STDIN_FILENO) != 0});
    }
    if (*firstUse) {
        return run::RunAction(program, [&] {
            chooseRoot();
            run::PrepareDataArea(program);
            run::FirstUseAction(program, run::InstallationSourceFor(program, source));
        });
    }
    if (*newProject) {
        return run::RunAction(program, [&] {
            chooseRoot();
            run::PrepareDataArea(program);
            run::NewProjectClick(program);
            run::MakeNewProjectAction(program, projectName);
        });
    }
    if (*addSoundings) {
        return run::RunAction(program, [&] {
            chooseRoot();
            run::GeneralSetups(program);
            for (const std::string& text :
                 run::AddedSoundingsReport(run::AddSoundingsAction(program))) {
                std::cout << text << "\n";
            }
        });
    }
    if (*plotCommand) {
        const int status = run::RunAction(program, chooseRoot);
        return status != run::kExitDone ? status : app::PlotCommand(program, plotOptions, "");
    }
    if (*runCommand || *exportCharts) {
        const int status = run::RunAction(program, [&] {
            chooseRoot();
            run::LoadMainWindow(program, *runCommand ? runProject : std::string());
            if (*exportCharts) {
                run::ExportChartsAction(program);
            }
        });
        window.Finish();
        if (status == run::kExitDone && !live) {
            std::cout << ui::SummaryText(window.panel());
        }
        int ended = status;
        if (ended == run::kExitDone && *runCommand && plotOptions.afterRun) {
            ended = app::PlotCommand(program, plotOptions, ui::SummaryText(window.panel()));
        }
        // A run that kept going past a sounding's data error did not do all it was asked.
        if (ended == run::kExitDone && !program.tables.failedSoundings.empty()) {
            return run::kExitDataError;
        }
        return ended;
    }
    return run::kExitUsage;
}
