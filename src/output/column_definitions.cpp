// Reading the output column definitions.
#include "output/column_definitions.h"

#include <filesystem>

#include "files/data_names.h"
#include "platform/file_system.h"
#include "tools/errors.h"
#include "tools/number_text.h"

namespace kavo::output {
namespace {

// A definition line holds at most as many fields as a soundings-database row; more columns
// than the table's 24 are refused by the table itself, with the file named.
constexpr std::size_t kDefinitionFieldCapacity = 400;

void Progress(reporting::Reporter& reporter, std::string_view code, std::string_view text) {
    reporting::ProgressReport report;
    report.operations = std::string(text);
    report.statusCode = std::string(code);
    reporter.ReportProgress(report);
}

std::string FileNameOf(const std::string& path) {
    std::size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

class DefinitionFileReader {
  public:
    DefinitionFileReader(ColumnDefinitionParts& parts, std::string path)
        : parts_(parts), path_(std::move(path)), name_(FileNameOf(path_)) {}

    void Read() {
        Progress(parts_.reporter, "QC293", "reading Q1o file");
        if (!parts_.reporter.TraceOpenForReading(file_, path_, "reading Q1o file")) {
            throw tools::DataError("QC294", "cannot open the column definition file " + path_);
        }
        std::string line;
        parts_.reporter.TraceLineInput(file_, line, name_, "reading Q1o columns");
        lineNumber_ = 1;
        std::vector<std::string> fields = Split(line);
        Progress(parts_.reporter, "QC223", "1");
        int count = LastNonBlankField(fields, static_cast<int>(fields.size()));
        if (count > 3) {
            // One line lists every column.
            for (int i = 1; i <= count; ++i) {
                Add(fields[static_cast<std::size_t>(i - 1)]);
            }
        } else {
            // One column per line, its ID in the first field.
            Add(fields.empty() ? std::string() : fields.front());
            while (!file_.AtEnd()) {
                ++lineNumber_;
                std::string label = "reading Q1o column=" + std::to_string(lineNumber_);
                if (!parts_.reporter.TraceLineInput(file_, line, name_, label)) {
                    break;
                }
                Progress(parts_.reporter, "QC392", "i= " + std::to_string(lineNumber_));
                fields = Split(line);
                Add(fields.empty() ? std::string() : fields.front());
            }
        }
        file_.Close();
        if (parts_.columns.count() == 0) {
            throw tools::DataError("QC425", "no column ID in the column definition file " + path_);
        }
    }

  private:
    std::vector<std::string> Split(const std::string& line) const {
        tools::SplitOptions options;
        options.resplitCommas = true;
        return tools::SplitLine(line, options, kDefinitionFieldCapacity, parts_.breakdown);
    }

    // A blank ID is no column; any other is stored in the next place and tried at once.
    void Add(const std::string& field) {
        std::string id = tools::TrimCopy(field);
        if (id.empty()) {
            return;
        }
        int number = parts_.columns.count() + 1;
        parts_.columns.SetColumnId(number, id, path_ + " line " + std::to_string(lineNumber_));
        reporting::ProgressReport report;
        report.process = "Kavo Column = " + std::to_string(number);
        report.value = "Column ID=" + id;
        report.statusCode = "GLS331";
        parts_.reporter.ReportProgress(report);
        if (parts_.tryColumn) {
            parts_.tryColumn(id);
        }
    }

    ColumnDefinitionParts& parts_;
    std::string path_;
    std::string name_;
    reporting::TracedInput file_;
    int lineNumber_ = 0;
};

}  // namespace

int LastNonBlankField(const std::vector<std::string>& fields, int count) {
    int last = std::min(count, static_cast<int>(fields.size()));
    while (last >= 1 && tools::Trim(fields[static_cast<std::size_t>(last - 1)]).empty()) {
        --last;
    }
    return last >= 1 ? last : count;
}

std::string FindColumnDefinitionFile(const files::DataArea& area) {
    const std::string pattern(kColumnFilePattern);
    const std::string projectsFolder = files::PathFor(area, files::PathKey::Projects);
    const std::string projectFolder = files::PathFor(area, files::PathKey::Project);
    const int inProjects = files::CountFiles(projectsFolder + pattern);
    const int inProject = files::CountFiles(projectFolder + pattern);
    if (inProjects > 1) {
        throw tools::DataError("FP123", "In Kavo directory, too many " + pattern + " files");
    }
    if (inProject > 1) {
        throw tools::DataError("FP873", "In Project directory, to many " + pattern + " files");
    }
    if (inProjects == 0 && inProject == 0) {
        throw tools::DataError("MEW553", pattern + "was NOT found in ProjectS AND Project areas");
    }
    if (inProjects == 1 && inProject == 1) {
        throw tools::DataError("MEW343", pattern + "was found in BOTH ProjectS AND Project areas");
    }
    const std::string& folder = inProjects == 1 ? projectsFolder : projectFolder;
    std::vector<std::string> names =
        platform::ListMatching(folder + pattern, platform::EntryKind::File);
    if (names.size() != 1) {
        throw tools::DataError("MEW553", pattern + "was NOT found in ProjectS AND Project areas");
    }
    const std::string path = folder + names.front();
    files::CheckInsideDataArea(area, path, "column definition file");
    return path;
}

void ReadColumnDefinitions(ColumnDefinitionParts& parts) {
    Progress(parts.reporter, "QC119", "Reading Q1o column information");
    parts.columns = ColumnTable{};
    if (parts.columnsSource == setup::ColumnsSource::BuiltIn) {
        int number = 0;
        for (std::string_view id : kBuiltInColumnIds) {
            parts.columns.SetColumnId(++number, id, "the built-in column list");
        }
        return;
    }
    if (parts.columnsSource != setup::ColumnsSource::DefinitionFile) {
        return;
    }
    DefinitionFileReader reader(parts, FindColumnDefinitionFile(parts.dataArea));
    reader.Read();
}

}  // namespace kavo::output
