// The window's actions besides the batch run: making a new project, the first use on a
// computer and the equation test.
#include "run/window_actions.h"

#include "equation/equation_tester.h"
#include "platform/file_system.h"
#include "projects/new_project.h"
#include "run/main_routine.h"
#include "run/stage_board.h"
#include "setup/run_settings.h"
#include "tools/errors.h"

namespace kavo::run {

void PrepareDataArea(Program& program) {
    program.dataArea.root = DataAreaRootFor(program);
    program.dataArea.projectName = kStartProject;
}

files::InstallationSource InstallationSourceFor(const Program& program,
                                                std::string_view sourceRoot) {
    const std::string& programPath = program.info.programPath;
    if (!sourceRoot.empty()) {
        return {std::string(sourceRoot), programPath};
    }
    const std::string installed = InstalledDataRoot(ProgramDrive(programPath));
    if (platform::FolderExists(installed)) {
        return {installed, programPath};
    }
    const std::string& sourceTree = program.sourceTreeDataRoot;
    if (!sourceTree.empty() && platform::FolderExists(sourceTree)) {
        return {sourceTree, programPath};
    }
    throw tools::DataError("SC801",
                           "First use setup - no installation source: there is no "
                           "example data area at " +
                               installed +
                               "; pass --source DIR, a Kavo data area to install from "
                               "(data/Kavo of the source tree)");
}

std::string NewProjectClick(Program& program) {
    AnnounceStage(program.window, program.reporter, Stage::ProjectNewClick);
    return kNewProjectPromptText;
}

namespace {

// Takes the data area for an action that changes it, unless this program holds it already
// (the window's load took it), so that the action cannot collide with a run.
void HoldDataArea(Program& program) {
    if (!program.dataAreaLock.held()) {
        LockDataArea(program);
    }
}

}  // namespace

std::string MakeNewProjectAction(Program& program, std::string_view name) {
    HoldDataArea(program);
    program.reporter.ReportProgress(
        {"Project - Making a new project", "", "", "", "", "", "", "MP883"});
    AnnounceStage(program.window, program.reporter, Stage::ProjectBeginning, name);
    return projects::MakeNewProject(program.reporter, program.dataArea, name,
                                    program.clock.ShortDate());
}

void FirstUseAction(Program& program, const files::InstallationSource& source) {
    // A data area made here is locked before anything is copied into it; one that cannot be
    // made is reported by the first use itself.
    platform::MakeFolder(program.dataArea.root);
    HoldDataArea(program);
    files::FirstUseSetup(
        program.reporter, program.dataArea.root, source,
        [&program](std::string_view name) { MakeNewProjectAction(program, name); });
}

void EquationTestAction(Program& program) {
    platform::Window& window = program.window;
    window.ClearListing();
    for (const std::string& line : equation::RunEquationTest()) {
        window.AppendListing(line);
    }
    window.SetListingVisible(true);
}

}  // namespace kavo::run
