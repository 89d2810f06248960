// The program's flows: the start-up of the main window, the general setups and the batch
// run over every sounding of the project.
#pragma once

#include <string>
#include <string_view>

#include "files/paths.h"
#include "run/program.h"

namespace kavo::run {

// The window's labels that the start-up fills.
namespace control {
inline constexpr const char* kVersionLabel = "KavoVersion8lbl";
inline constexpr const char* kVersionDateLabel = "KavoVersionDate8lbl";
inline constexpr const char* kSystemAreaLabel = "KavoSystemArea8lbl";
}  // namespace control

inline constexpr const char* kStartProject = "ExampleOne";
// One run processes at most this many soundings: the zero-load table holds no more.
inline constexpr int kMaxSoundingsPerRun = 2000;
inline constexpr int kMaxSequence = 9999;

// The data-area root: the configured root when the window forces it (as it opens), else the
// example data area installed beside the program.
std::string DataAreaRootFor(const Program& program);

// The window's load: show it, the general setups, then the first batch run. With a
// `project` named, that project is chosen for the run first (ChooseProjectForRun).
void LoadMainWindow(Program& program, std::string_view project = {});

// Chooses the project a run processes, as choosing it on the window and running does: the
// project becomes the setup file's last project (the file is written, its previous version
// kept as the backup), which every run reads. The name is compared without regard to case
// with the project list's projects that have a folder. Throws DataError PR122, listing
// them, for any other name.
void ChooseProjectForRun(Program& program, std::string_view project);

// Version text, computer name, data-area root, the tasks-and-issues log and the setup file.
// The log is opened before the setup file is read, so that an error in the setup file at
// start-up still reaches the log.
void GeneralSetups(Program& program);

// One batch run over every sounding of the project. A call while a run is under way (a run
// action pressed during the sounding loop) is refused and returns at once.
void MainRoutine(Program& program);

// The input-lines trace in the configured root, and the tasks-and-issues log in the data
// area's root (system paths).
std::string TraceFilePath(const Program& program);
std::string TasksLogPath(const Program& program);

// (Re)starts the input-lines trace in the configured root. Throws DataError OTR101 when the
// trace file cannot be created.
void OpenTraceFile(Program& program);

// Starts the tasks-and-issues log in the data-area root. Throws DataError OTL101 when the log
// cannot be created.
void OpenTasksLogFile(Program& program);

// The folder above the program's own folder (the installation prefix of /usr/bin/kavo is
// /usr), and the example data area installed there, which the program uses when it is not
// forced to the configured root.
std::string ProgramDrive(std::string_view programPath);
std::string InstalledDataRoot(std::string_view programDrive);

}  // namespace kavo::run
