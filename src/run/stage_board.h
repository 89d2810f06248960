// The stage board: which of the window's actions are available, and which notes are shown,
// in each stage of a long-running flow.
#pragma once

#include <string_view>

#include "platform/window.h"
#include "reporting/reporter.h"

namespace kavo::run {

enum class Stage {
    CheckBeforeCompiling,  // "RUN ONE -0- CHECK BEFORE COMPILING"
    SetupAndReads,         // "MAIN -1- SETUP AND READS"
    PreRunning,            // "MAIN -2- PRE RUNNING"
    Looping,               // "MAIN -3- LOOPING"
    ProjectNewClick,       // "PROJECT NEW CLICK"
    ProjectBeginning,      // "PROJECT BEGINNING"
};

// The stage of an exact stage name; any other text is a ProgrammingError.
Stage ParseStage(std::string_view name);
std::string_view StageName(Stage stage);

// The window's actions and notes that the board sets.
namespace control {
inline constexpr const char* kMainWindow = "Kavo8frm";
inline constexpr const char* kRun = "Run8cmd";
inline constexpr const char* kNewProject = "ProjectS_New8cmb";
inline constexpr const char* kChartExport = "SLD_file_GenerateFileForPlotting8cmd";
inline constexpr const char* kColumnsNote = "Columns_FileOptionalInformation8lbl";
inline constexpr const char* kNewProjectPrompt = "NewProjectPrompt8lbl";
inline constexpr const char* kNewProjectNameBox = "NewProjectName8txt";
inline constexpr const char* kNewProjectGenerate = "NewProjectGenerate8cmd";
}  // namespace control

inline constexpr const char* kNewProjectPromptText = "Enter Project directory name:";

// Sets the window for the stage. `newProjectName` is the name typed in the new-project
// window, shown when the project creation begins.
void AnnounceStage(platform::Window& window, reporting::Reporter& reporter, Stage stage,
                   std::string_view newProjectName = {});
void AnnounceStage(platform::Window& window, reporting::Reporter& reporter,
                   std::string_view stageName, std::string_view newProjectName = {});

}  // namespace kavo::run
