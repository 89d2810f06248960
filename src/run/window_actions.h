// The window's actions besides the batch run: making a new project, the first use on a
// computer and the equation test.
#pragma once

#include <string>
#include <string_view>

#include "files/first_use.h"
#include "run/program.h"

namespace kavo::run {

// Sets the data area for an action that runs without the window's load: the root chosen
// by the forcing option and the start project.
void PrepareDataArea(Program& program);

// The installation source of the first use: `sourceRoot` when one is given, else the example
// data area installed beside the running program, else (a program in its build tree) the
// source tree's. Throws DataError SC801, asking for --source, when there is none.
files::InstallationSource InstallationSourceFor(const Program& program,
                                                std::string_view sourceRoot = {});

// The new-project action pressed: the new-project window asks for the name. Returns its
// prompt.
std::string NewProjectClick(Program& program);

// Makes the project `name` typed in the new-project window. Returns the project list's path.
std::string MakeNewProjectAction(Program& program, std::string_view name);

// The first use: installs the data area at the program's root from `source`.
void FirstUseAction(Program& program, const files::InstallationSource& source);

// The equation test: its listing shown in the listing window.
void EquationTestAction(Program& program);

}  // namespace kavo::run
