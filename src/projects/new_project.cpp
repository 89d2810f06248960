// Making a new project: its folders, its row in the project list and the editable template
// of its soundings database.
#include "projects/new_project.h"

#include <fstream>
#include <vector>

#include "platform/file_system.h"
#include "platform/text_file.h"
#include "projects/project_list.h"
#include "projects/soundings_database.h"
#include "tools/errors.h"
#include "tools/line_split.h"
#include "tools/number_text.h"

namespace kavo::projects {
namespace {

constexpr std::string_view kNotInNames = "\\/:*?\"<>|";

// A project name becomes a folder name, a quoted field of the project list and part of a
// file name: it may not climb out of root\Projects\, hold a wildcard or break the quotes.
bool IsPlainFolderName(std::string_view name) {
    if (name == "." || name == "..") {
        return false;
    }
    for (char c : name) {
        if (kNotInNames.find(c) != std::string_view::npos || static_cast<unsigned char>(c) < 0x20) {
            return false;
        }
    }
    return true;
}

// True when the file holds something and its last character is not a line end: a row
// appended to it would otherwise join its last line.
bool LacksFinalLineEnd(const std::string& systemPath) {
    std::ifstream file(platform::ToRealPath(systemPath), std::ios::binary | std::ios::ate);
    if (!file || file.tellg() <= 0) {
        return false;
    }
    file.seekg(-1, std::ios::end);
    char last = '\n';
    file.get(last);
    return last != '\n' && last != '\r';
}

std::string ReadHeaderLine(reporting::Reporter& reporter, const std::string& listPath) {
    reporting::TracedInput list;
    if (!reporter.TraceOpenForReading(list, listPath, "new project: project list")) {
        throw tools::DataError("MP332", "Project New - can't read " + listPath);
    }
    std::string header;
    reporter.TraceLineInput(list, header, listPath, " read HEADER line");
    return header;
}

}  // namespace

std::string SafeProjectName(std::string_view name) {
    std::string safe = tools::TrimCopy(name);
    for (char& c : safe) {
        if (c == ' ') {
            c = '_';
        }
    }
    return safe;
}

std::string SoundingsHeaderRow() {
    std::string row;
    for (const SoundingColumn& column : SoundingColumns()) {
        if (column.id.empty()) {
            continue;  // the placeholders have no ID to name them by
        }
        std::string cell = "{" + std::string(column.id) + "} " + std::string(column.description);
        if (cell.find(',') != std::string::npos) {
            cell = "\"" + cell + "\"";
        }
        if (!row.empty()) {
            row += ",";
        }
        row += cell;
    }
    return row;
}

std::string ProjectListRow(std::string_view headerLine, std::string_view name,
                           std::string_view date, std::string_view listPath) {
    const std::vector<std::string> cells = tools::SplitLine(headerLine, {}, kMaxProjectHeaderCells);
    std::size_t count = 0;
    std::size_t folderColumn = cells.size();
    std::size_t dateColumn = cells.size();
    for (std::size_t c = 0; c < cells.size(); ++c) {
        if (tools::Trim(cells[c]).empty()) {
            continue;
        }
        count = c + 1;
        const std::string id = tools::ColumnIdOf(cells[c]).id;
        if (id == "PROJECT_FILE_DIRECTORY" || id == "1") {
            folderColumn = c;
        } else if (id == "DATE_DIRECTORY_STARTED" || id == "10") {
            dateColumn = c;
        }
    }
    if (folderColumn == cells.size()) {
        throw tools::DataError("MP331", "Project New - the project list " + std::string(listPath) +
                                            " has no {PROJECT_FILE_DIRECTORY} column");
    }
    std::string row;
    for (std::size_t c = 0; c < count; ++c) {
        if (c > 0) {
            row += ",";
        }
        if (c == folderColumn) {
            row += "\"" + std::string(name) + "\"";
        } else if (c == dateColumn) {
            row += date;
        }
    }
    return row;
}

void MakeSoundingsTemplate(reporting::Reporter& reporter, const files::DataArea& area,
                           std::string_view projectName) {
    reporter.ReportProgress({"making new *-Sounding.csv file with header columns defined", "",
                             std::string(projectName), "", "", "", "", "RE823"});
    const std::string folder = files::PathFor(area, files::PathKey::Project);
    const std::string existing = folder + kTemplatePrefix + "*.csv";
    if (!platform::ListMatching(existing, platform::EntryKind::File).empty()) {
        throw tools::DataError("WP123", existing + " already exists");
    }
    const std::string path =
        folder + kTemplatePrefix + SafeProjectName(projectName) + kTemplateSuffix;
    platform::TextOutput output;
    if (output.Open(path, platform::TextOutput::Mode::Append)) {
        output.WriteLine(SoundingsHeaderRow());
    }
    if (!output.Commit()) {
        throw tools::DataError("RE824", "Project New - can't write " + path);
    }
}

std::string MakeNewProject(reporting::Reporter& reporter, const files::DataArea& area,
                           std::string_view name, std::string_view today) {
    const std::string project = tools::TrimCopy(name);
    if (project.empty()) {
        throw tools::DataError("we343", "Project New - project name can't be blank ");
    }
    if (!IsPlainFolderName(project)) {
        throw tools::DataError("we344", "Project New - project name \"" + project +
                                            "\" can't be . or .. or hold any of " +
                                            std::string(kNotInNames));
    }
    const std::string projects = files::PathFor(area, files::PathKey::Projects);
    const std::string folder = projects + project;
    if (platform::FolderExists(folder) || platform::FileExists(folder)) {
        throw tools::DataError("PE943", "project name already exists");
    }
    for (const std::string& made : {folder, folder + "/Soundings"}) {
        if (!platform::FolderExists(made) && !platform::MakeFolder(made)) {
            throw tools::DataError("MP330", "Project New - can't make the folder " + made);
        }
    }

    const std::vector<std::string> lists =
        platform::ListMatching(projects + kProjectListPattern, platform::EntryKind::File);
    if (lists.size() != 1) {
        throw tools::DataError("MP329", "missing or too many ProjectS---*.csv files");
    }
    const std::string listPath = projects + lists.front();
    const std::string row =
        ProjectListRow(ReadHeaderLine(reporter, listPath), project, today, listPath);
    const bool joinsLastLine = LacksFinalLineEnd(listPath);
    platform::TextOutput list;
    if (list.Open(listPath, platform::TextOutput::Mode::Append)) {
        if (joinsLastLine) {
            list.WriteLine("");
        }
        list.WriteLine(row);
    }
    if (!list.Commit()) {
        throw tools::DataError("MP332", "Project New - can't append to " + listPath);
    }

    MakeSoundingsTemplate(reporter, files::DataArea{area.root, project}, project);
    if (!reporter.errorReported()) {
        reporter.window().ShowMessage("Project name was placed into " + listPath);
    }
    return listPath;
}

}  // namespace kavo::projects
