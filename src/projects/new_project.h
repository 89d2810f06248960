// Making a new project: its folders, its row in the project list and the editable template
// of its soundings database.
#pragma once

#include <string>
#include <string_view>

#include "files/paths.h"
#include "reporting/reporter.h"

namespace kavo::projects {

// The template's name: "SoundingS---" + the safe project name + "---KavoEditable---.csv".
inline constexpr const char* kTemplatePrefix = "SoundingS---";
inline constexpr const char* kTemplateSuffix = "---KavoEditable---.csv";

// The name trimmed, with every blank replaced by "_" («My Site 2» gives «My_Site_2»).
std::string SafeProjectName(std::string_view name);

// The header row of a soundings database that names every column of the soundings table as
// {ID} followed by its description; a cell whose description holds a comma is quoted.
std::string SoundingsHeaderRow();

// The row appended to the project list for a new project, laid out by the list's header
// row: the quoted name in the {PROJECT_FILE_DIRECTORY} column, the date in the
// {DATE_DIRECTORY_STARTED} column when the list has one, every other field empty. Throws
// DataError MP331 when the header names no project folder column.
std::string ProjectListRow(std::string_view headerLine, std::string_view name,
                           std::string_view date, std::string_view listPath);

// Writes the soundings database template of a project into the folder of `area`'s project.
// Throws DataError WP123 when that folder already holds a "SoundingS---*.csv" file, RE824
// when the file cannot be written.
void MakeSoundingsTemplate(reporting::Reporter& reporter, const files::DataArea& area,
                           std::string_view projectName);

// Makes the project `name` (trimmed) under root\Projects\: its folder and Soundings folder,
// its row in the project list and its soundings template, then shows the closing message.
// Returns the project list's path. Throws DataError we343 (blank name), we344 (a name that
// is no plain folder name), PE943 (the name exists, case ignored), MP330 (a folder cannot be
// made), MP329 (not exactly one project list), MP332 (the list cannot be appended to), and
// the errors of the template.
std::string MakeNewProject(reporting::Reporter& reporter, const files::DataArea& area,
                           std::string_view name, std::string_view today);

}  // namespace kavo::projects
