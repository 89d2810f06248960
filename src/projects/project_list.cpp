// Reading the project list, listing the project folders, and offering and selecting a
// project on the main window.
#include "projects/project_list.h"

#include <algorithm>
#include <cctype>

#include "files/data_names.h"
#include "platform/file_system.h"
#include "tools/errors.h"
#include "tools/line_split.h"
#include "tools/null_marker.h"
#include "tools/number_text.h"

namespace kavo::projects {
namespace {

// The ten recognised columns, numbered from 1; the first six are kept in the record.
constexpr std::array<const char*, 10> kColumnIds = {
    "PROJECT_FILE_DIRECTORY", "PROJECT_NAME",          "PROJECT_CODE", "PRINTING_TITLE",
    "ORG_GRAPHIC_FILE_NAME",  "LONG_CENTER",           "LAT_CENTER",   "CLIENT_NAME",
    "CLIENT_PROJECT_CODE",    "DATE_DIRECTORY_STARTED"};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

void Progress(const ProjectContext& context, std::string text, std::string code) {
    context.reporter.ReportProgress({"", std::move(text), "", "", "", "", "", std::move(code)});
}

void ReadHeader(const ProjectContext& context, reporting::TracedInput& file,
                const std::string& path) {
    std::string line;
    context.reporter.TraceLineInput(file, line, path, " read HEADER line");
    std::vector<std::string> cells =
        tools::SplitLine(line, tools::SplitOptions{}, kMaxProjectHeaderCells);
    std::size_t count = cells.size();
    for (std::size_t c = cells.size(); c > 0; --c) {
        if (!tools::Trim(cells[c - 1]).empty()) {
            count = c;
            break;
        }
    }
    const std::string purpose = kProjectListPurpose;
    context.list.headerIds.clear();
    for (std::size_t c = 1; c <= count; ++c) {
        const tools::ColumnIdResult cell = tools::ColumnIdOf(cells[c - 1]);
        const std::string note =
            " ---> Getting columns from ``projectS---*.csv`` header row one  ---> for column=" +
            std::to_string(c) + " ---> ID=" + cell.id;
        if (cell.bad) {
            throw tools::DataError("IDP834", purpose + note + ", bad `{` to `}` ID pair");
        }
        std::string id = cell.id;
        if (!AssignProjectColumn(context.list.record, context.area.projectName, id,
                                 tools::kNullText)) {
            context.reporter.LogLine(6, note + " ---> ID is not standardized",
                                     reporting::LogKind::Issue);
            throw tools::DataError(
                "RE932", purpose + " Column ID =" + id + "is not a standardized column ID");
        }
        context.list.headerIds.push_back(id);
    }
}

}  // namespace

bool AssignProjectColumn(ProjectRecord& record, std::string& currentProjectName,
                         std::string& idOrNumber, std::string_view value) {
    idOrNumber = tools::TrimCopy(idOrNumber);
    for (std::size_t index = 0; index < kColumnIds.size(); ++index) {
        if (idOrNumber != std::to_string(index + 1) && idOrNumber != kColumnIds[index]) {
            continue;
        }
        if (index < ProjectRecord::kKeptColumns) {
            ProjectColumn& column = record.columns[index];
            column.id = kColumnIds[index];
            column.units.clear();
            // The folder column is the current project name; the null marker leaves it.
            if (index != 0 || value != tools::kNullText) {
                column.value = std::string(value);
            }
            if (index == 0 && value != tools::kNullText) {
                currentProjectName = std::string(value);
            }
        }
        return true;
    }
    return false;
}

void ResetProjectRecord(ProjectRecord& record, std::string& currentProjectName) {
    for (std::size_t number = 1; number <= kColumnIds.size(); ++number) {
        std::string id = std::to_string(number);
        AssignProjectColumn(record, currentProjectName, id, tools::kNullText);
    }
}

bool ReadProjectList(const ProjectContext& context, std::string_view wantedProject) {
    Progress(context, "Reading Project list from *-Project.CSV file", "FP900");
    const std::string purpose = kProjectListPurpose;
    reporting::TracedInput file;
    const std::string path =
        files::OpenOnlyFile(context.area, context.reporter, file, files::PathKey::Projects,
                            kProjectListPattern, purpose);
    ReadHeader(context, file, path);

    context.list.names.clear();
    std::string line;
    for (int row = 1; row <= kMaxProjectRows; ++row) {
        if (file.AtEnd()) {
            file.Close();
            return false;
        }
        context.reporter.TraceLineInput(file, line, path, "each project");
        if (line.empty()) {
            throw tools::DataError(
                "YU112", purpose + " blank line not allowed, i.e. extra blank list at EOF");
        }
        std::vector<std::string> fields =
            tools::SplitLine(line, tools::SplitOptions{}, kMaxProjectHeaderCells);
        for (std::size_t f = 0; f < fields.size(); ++f) {
            if (f >= context.list.headerIds.size()) {
                if (!fields[f].empty()) {
                    throw tools::DataError(
                        "FP841", purpose + ", project row " + std::to_string(row) + " has field " +
                                     std::to_string(f + 1) + " (" + fields[f] +
                                     ") beyond the header's " +
                                     std::to_string(context.list.headerIds.size()) + " columns");
                }
                continue;
            }
            std::string id = context.list.headerIds[f];
            AssignProjectColumn(context.list.record, context.area.projectName, id, fields[f]);
        }
        files::CheckDataName(
            context.area.projectName, "project folder name",
            platform::ToRealPath(path).string() + " line " + std::to_string(file.LinesRead()));
        if (context.list.names.size() == kMaxProjects) {
            throw tools::DataError(
                "FP889", purpose + ", more than " + std::to_string(kMaxProjects) +
                             " projects in the list; at most " + std::to_string(kMaxProjects) +
                             " can be offered for choice");
        }
        context.list.names.push_back(context.area.projectName);
        if (!wantedProject.empty() && SameIgnoringCase(wantedProject, context.area.projectName)) {
            file.Close();
            return true;
        }
    }
    file.Close();
    return false;
}

void ListProjectFolders(const ProjectContext& context) {
    Progress(context, "Getting Project names from PROJECT Directory", "WE623");
    context.list.folderNames.clear();
    const std::string pattern = files::PathFor(context.area, files::PathKey::Projects) + "*";
    std::vector<std::string> folders = platform::ListMatching(pattern, platform::EntryKind::Folder);
    const std::size_t entries =
        folders.size() + platform::ListMatching(pattern, platform::EntryKind::File).size();
    if (entries > kMaxProjectsEntries) {
        throw tools::DataError("WE999", "Getting Project names from PROJECT Directory, " + pattern +
                                            " holds more than " +
                                            std::to_string(kMaxProjectsEntries) + " entries");
    }
    if (folders.size() > kMaxProjectFolders) {
        throw tools::DataError("WE200", "Getting Project names from PROJECT Directory, " + pattern +
                                            " holds more than " +
                                            std::to_string(kMaxProjectFolders) +
                                            " project folders");
    }
    context.list.folderNames = std::move(folders);
}

void FillProjectChoices(const ProjectContext& context) {
    platform::Control& choices = context.window.control(kProjectChoiceList);
    choices.items.clear();
    context.window.control(kProjectFolderNote).text.clear();
    context.window.ControlChanged(kProjectFolderNote);

    ReadProjectList(context, tools::kNullText);
    ListProjectFolders(context);
    const auto& folders = context.list.folderNames;
    for (const std::string& name : context.list.names) {
        std::string choice = name;
        const bool hasFolder = std::any_of(
            folders.begin(), folders.end(),
            [&name](const std::string& folder) { return SameIgnoringCase(name, folder); });
        if (!folders.empty() && !hasFolder) {
            choice += kNoFolderMark;
            context.window.control(kProjectFolderNote).text = kNoFolderNote;
            context.window.ControlChanged(kProjectFolderNote);
        }
        choices.items.push_back(choice);
    }
    context.window.ControlChanged(kProjectChoiceList);
}

void SelectProject(const ProjectContext& context, std::string_view name) {
    platform::Control& choices = context.window.control(kProjectChoiceList);
    auto found =
        std::find_if(choices.items.begin(), choices.items.end(),
                     [name](const std::string& item) { return SameIgnoringCase(item, name); });
    if (found == choices.items.end()) {
        return;
    }
    choices.value = static_cast<int>(found - choices.items.begin());
    choices.text = *found;
    context.window.ControlChanged(kProjectChoiceList);
    context.window.control(kChosenProjectLabel).text = *found;
    context.window.ControlChanged(kChosenProjectLabel);

    ReadProjectList(context, name);
    Progress(context, "Selected Project= " + std::string(name), "PR121");
    context.selectedProjectName = std::string(name);
}

}  // namespace kavo::projects
