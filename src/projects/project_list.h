// The project list: the row of the selected project, the names of all listed projects, the
// project folders that exist, and the project choices offered on the main window.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "files/paths.h"
#include "platform/window.h"
#include "reporting/reporter.h"

namespace kavo::projects {

inline constexpr const char* kProjectListPattern = "Kavo_ProjectS---*.csv";
inline constexpr const char* kProjectListPurpose = "Reading ProjectS from CSV";
inline constexpr const char* kNoFolderMark = "  ---> See NOTE 2 ";
inline constexpr const char* kNoFolderNote =
    "Note 2: there is no File directory for this entry in Kavo_SoundingS---*.csv ";

// The window's controls of the project choice.
inline constexpr const char* kProjectChoiceList = "projectS_8cbo";
inline constexpr const char* kProjectFolderNote = "ProjectDirectoryNote8lbl";
inline constexpr const char* kChosenProjectLabel = "project8lbl";

// The limits of the list's tables.
// Every project of the list is offered for choice: the list holds as many as can be offered.
inline constexpr std::size_t kMaxProjects = 79;
inline constexpr std::size_t kMaxProjectFolders = 200;
inline constexpr std::size_t kMaxProjectHeaderCells = 13;
inline constexpr std::size_t kMaxProjectsEntries = 999;
inline constexpr int kMaxProjectRows = 9999;

// One kept column of the project record: its ID, an (always empty) units text and its value.
struct ProjectColumn {
    std::string id;
    std::string units;
    std::string value = "-5435";
};

// The row of the selected project (or of the last row read). Column 1's value is also the
// current project name of every path.
struct ProjectRecord {
    static constexpr std::size_t kKeptColumns = 6;
    std::array<ProjectColumn, kKeptColumns> columns;
};

struct ProjectList {
    ProjectRecord record;
    std::vector<std::string> headerIds;    // the column ID of each header cell
    std::vector<std::string> names;        // the folder name of every row read
    std::vector<std::string> folderNames;  // the folders under root\Projects\ that exist
};

// The parts of the program the project list works on.
struct ProjectContext {
    reporting::Reporter& reporter;
    files::DataArea& area;
    platform::Window& window;
    ProjectList& list;
    std::string& selectedProjectName;
};

// Stores `value` in the column named by `idOrNumber` (an ID or a number 1 to 10, trimmed
// here and written back trimmed). Column 1 changes the current project name, except with
// the value "-5435". Returns false when the ID is none of the ten.
bool AssignProjectColumn(ProjectRecord& record, std::string& currentProjectName,
                         std::string& idOrNumber, std::string_view value);

// Sets every column to "-5435" (the current project name stays).
void ResetProjectRecord(ProjectRecord& record, std::string& currentProjectName);

// Reads the project list; stops at the row whose folder equals `wantedProject` (case
// ignored) and returns true, else reads all rows and returns false. Throws DataError FP822,
// FP829, IDP834, RE932, YU112, and FP841 / FP889 for a row beyond the list's limits.
bool ReadProjectList(const ProjectContext& context, std::string_view wantedProject);

// Lists the folders under root\Projects\. Throws DataError WE999 / WE200 beyond the limits.
void ListProjectFolders(const ProjectContext& context);

// Fills the window's project choices, marking projects without a folder.
void FillProjectChoices(const ProjectContext& context);

// Selects the project choice equal to `name` (case ignored) and loads its row.
void SelectProject(const ProjectContext& context, std::string_view name);

}  // namespace kavo::projects
