// The main window as typed commands: it loads like the window, then takes the window's
// actions and option changes line by line until "end" or the end of the input.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "run/program.h"

namespace kavo::ui {

struct ShellSetup {
    // The first use's installation source; empty for the data area installed with the program.
    std::string installationSource;
    // Shows a prompt before each command (on a terminal).
    bool prompt = false;
};

// The commands and what each does, as the help command lists them.
std::vector<std::string> ShellHelpLines();

// The status display: the progress fields, the status code and the issue counter.
void ShowStatus(const platform::Window& window, std::ostream& out);

// The project choice list ("Select Project Directory"), its note and the chosen project.
void ShowProjectChoices(const platform::Window& window, std::ostream& out);

// Loads the window (the general setups and the first run), then reads commands from `in`
// until "end" or the end of the input. Returns the exit status: 0 when the window was
// unloaded, else the status of the action that ended the program (a data error ends it).
int RunShell(run::Program& program, std::istream& in, std::ostream& out, const ShellSetup& setup);

// The commands of a loaded window, read from `in` until "end" or the end of the input.
int RunShellCommands(run::Program& program, std::istream& in, std::ostream& out,
                     const ShellSetup& setup);

}  // namespace kavo::ui
