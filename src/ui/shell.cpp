// The main window as typed commands: it loads like the window, then takes the window's
// actions and option changes line by line until "end" or the end of the input.
#include "ui/shell.h"

#include <functional>
#include <istream>
#include <ostream>

#include "projects/project_list.h"
#include "run/action.h"
#include "run/chart_export_action.h"
#include "run/main_routine.h"
#include "run/stage_board.h"
#include "run/window_actions.h"
#include "tools/number_text.h"
#include "ui/console_window.h"
#include "ui/run_options.h"

namespace kavo::ui {
namespace {

// A command line cut into its first word and the rest.
struct Command {
    std::string word;
    std::string rest;
};

Command CutCommand(std::string_view line) {
    const std::string text = tools::TrimCopy(line);
    const std::size_t blank = text.find_first_of(" \t");
    if (blank == std::string::npos) {
        return {text, ""};
    }
    return {text.substr(0, blank), tools::TrimCopy(std::string_view(text).substr(blank + 1))};
}

// A name typed with or without double quotes around it.
std::string Unquoted(std::string text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        return text.substr(1, text.size() - 2);
    }
    return text;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return tools::UpperCopy(a) == tools::UpperCopy(b);
}

class Shell {
  public:
    Shell(run::Program& program, std::istream& in, std::ostream& out, const ShellSetup& setup)
        : program_(program), window_(program.window), in_(in), out_(out), setup_(setup) {}

    int Load() {
        const int loaded = run::RunAction(program_, [this] { run::LoadMainWindow(program_); });
        if (loaded == run::kExitDone) {
            ShowStatus(window_, out_);
            ShowProjectChoices(window_, out_);
        }
        return loaded;
    }

    int Commands() {
        std::string line;
        while (ReadLine(line)) {
            const Command command = CutCommand(line);
            if (command.word.empty() || command.word.front() == '#') {
                continue;
            }
            if (EqualIgnoringCase(command.word, "end")) {
                return run::kExitDone;
            }
            const int status = Dispatch(command);
            if (status != run::kExitDone) {
                return status;
            }
        }
        return run::kExitDone;  // the end of the input unloads the window too
    }

  private:
    bool ReadLine(std::string& line) {
        if (setup_.prompt) {
            out_ << "kavo> " << std::flush;
        }
        return static_cast<bool>(std::getline(in_, line));
    }

    // Runs an action of the window when the stage board has it enabled.
    int Guarded(const char* control, std::string_view word, const std::function<void()>& action) {
        const platform::Control* state = window_.FindControl(control);
        if (state != nullptr && !state->enabled) {
            out_ << word << ": the action is disabled now (" << control << ")\n";
            return run::kExitDone;
        }
        return Action(action);
    }

    int Action(const std::function<void()>& action) {
        const int status = run::RunAction(program_, action);
        if (status == run::kExitDone) {
            ShowStatus(window_, out_);
        }
        return status;
    }

    int NewProject(std::string name) {
        return Guarded(run::control::kNewProject, "new-project", [&] {
            const std::string prompt = run::NewProjectClick(program_);
            if (name.empty()) {
                out_ << prompt << "\n";
                if (!ReadLine(name)) {
                    return;
                }
                name = tools::TrimCopy(name);
            }
            run::MakeNewProjectAction(program_, Unquoted(name));
        });
    }

    void Choose(const std::string& name) {
        const platform::Control& list = window_.control(projects::kProjectChoiceList);
        for (const std::string& choice : list.items) {
            const std::size_t mark = choice.find(projects::kNoFolderMark);
            const std::string project = mark == std::string::npos ? choice : choice.substr(0, mark);
            if (EqualIgnoringCase(project, name) || EqualIgnoringCase(choice, name)) {
                window_.control(projects::kProjectChoiceList).text = choice;
                window_.control(projects::kChosenProjectLabel).text = choice;
                window_.ControlChanged(projects::kChosenProjectLabel);
                out_ << projects::kChosenProjectLabel << ": " << choice << "\n";
                return;
            }
        }
        out_ << "choose: no project choice \"" << name << "\"\n";
    }

    void Set(const std::string& rest) {
        const Command option = CutCommand(rest);
        // Not an option of the window: the program's number of soundings computed at once.
        if (EqualIgnoringCase(option.word, "jobs")) {
            if (auto jobs = JobsValue(Unquoted(option.rest))) {
                program_.jobs = *jobs;
            } else {
                out_ << "set: jobs takes a whole number from 1 to " << kMaxJobs << "\n";
            }
            return;
        }
        if (auto problem = SetWindowOption(window_, option.word, Unquoted(option.rest))) {
            out_ << "set: " << *problem << "\n";
        }
    }

    int Dispatch(const Command& command) {
        const std::string word = tools::UpperCopy(command.word);
        if (word == "RUN") {
            return Guarded(run::control::kRun, "run", [this] { run::MainRoutine(program_); });
        }
        if (word == "EXPORT-CHARTS") {
            return Guarded(run::control::kChartExport, "export-charts",
                           [this] { run::ExportChartsAction(program_); });
        }
        if (word == "NEW-PROJECT") {
            return NewProject(Unquoted(command.rest));
        }
        if (word == "FIRST-USE") {
            const std::string source =
                command.rest.empty() ? setup_.installationSource : Unquoted(command.rest);
            return Action([&] {
                run::FirstUseAction(program_, run::InstallationSourceFor(program_, source));
            });
        }
        if (word == "EQUATION-TEST") {
            return Action([this] { run::EquationTestAction(program_); });
        }
        if (word == "SET") {
            Set(command.rest);
        } else if (word == "CHOOSE") {
            Choose(Unquoted(command.rest));
        } else if (word == "PROJECTS") {
            ShowProjectChoices(window_, out_);
        } else if (word == "STATUS") {
            ShowStatus(window_, out_);
        } else if (word == "HELP") {
            for (const std::string& text : ShellHelpLines()) {
                out_ << text << "\n";
            }
        } else {
            out_ << "unknown command \"" << command.word << "\"; help lists the commands\n";
        }
        return run::kExitDone;
    }

    run::Program& program_;
    platform::Window& window_;
    std::istream& in_;
    std::ostream& out_;
    const ShellSetup& setup_;
};

}  // namespace

std::vector<std::string> ShellHelpLines() {
    std::vector<std::string> lines = {
        "run                 Make Q1o output files and the zero offset file",
        "export-charts       Generate SLD truckcaded files (SLDp) for external plotting",
        "new-project [NAME]  Make New Project (without NAME: Enter Project directory name:)",
        "first-use [DIR]     Prepare Kavo for the FIRST USE (DIR: the installation source)",
        "equation-test       Equation test",
        "projects            Select Project Directory: the project choice list",
        "choose NAME         choose a project of the list (the run's project comes from the "
        "setup file)",
        "status              Processing information: progress, status code, issues counter",
        "set OPTION VALUE    change an option of the window:",
    };
    lines.push_back("                      jobs N (soundings computed at once, 1 to " +
                    std::to_string(kMaxJobs) + ")");
    for (const std::string& option : OptionHelpLines()) {
        lines.push_back("                      " + option);
    }
    lines.push_back("end                 END: unload the window and end the program");
    return lines;
}

void ShowStatus(const platform::Window& window, std::ostream& out) {
    out << "--- Processing information ---\n";
    const platform::ProgressPanel& panel = window.panel();
    for (const std::string& line : PanelLines(panel)) {
        out << line << "\n";
    }
    // The window hides the counter while a run starts; the status display keeps it in view.
    if (!panel.issueCounterVisible) {
        out << "Issues counter= " << (panel.issueCount.empty() ? "0" : panel.issueCount) << "\n";
    }
    // After a run: its failed soundings and the issue summary.
    for (const std::string& line : panel.summaryLines) {
        out << line << "\n";
    }
}

void ShowProjectChoices(const platform::Window& window, std::ostream& out) {
    out << "Select Project Directory:\n";
    if (const platform::Control* list = window.FindControl(projects::kProjectChoiceList)) {
        for (const std::string& choice : list->items) {
            out << "  " << choice << "\n";
        }
    }
    const platform::Control* note = window.FindControl(projects::kProjectFolderNote);
    if (note != nullptr && note->visible && !note->text.empty()) {
        out << note->text << "\n";
    }
}

int RunShell(run::Program& program, std::istream& in, std::ostream& out, const ShellSetup& setup) {
    Shell shell(program, in, out, setup);
    const int loaded = shell.Load();
    return loaded == run::kExitDone ? shell.Commands() : loaded;
}

int RunShellCommands(run::Program& program, std::istream& in, std::ostream& out,
                     const ShellSetup& setup) {
    return Shell(program, in, out, setup).Commands();
}

}  // namespace kavo::ui
