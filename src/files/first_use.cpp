// First use on a computer: the data area's folders, the setup file and the program copied
// into its software folder, and the example project with its data.
#include "files/first_use.h"

#include "platform/file_system.h"
#include "tools/errors.h"

namespace kavo::files {
namespace {

constexpr const char* kProjectListPattern = "Kavo_ProjectS---*.csv";

std::string WithSeparator(std::string_view folder) {
    std::string text(folder);
    if (text.empty() || (text.back() != '\\' && text.back() != '/')) {
        text += "/";
    }
    return text;
}

[[noreturn]] void MissingSource(std::string_view what) {
    throw tools::DataError("SC801", "First use setup - the installation source " +
                                        std::string(what) + " is missing or can't be read");
}

void MakeFolderIfMissing(const std::string& folder) {
    if (!platform::FolderExists(folder) && !platform::MakeFolder(folder)) {
        throw tools::DataError("ICP933", "First use setup - can't make the folder " + folder);
    }
}

// The file name of a path written with "/" or "\".
std::string FileNameOf(std::string_view path) {
    const std::size_t cut = path.find_last_of("/\\");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

// Copies the files of a folder that match a pattern; the pattern "*" takes every file.
void CopyMatching(const std::string& sourceFolder, const std::string& destinationFolder,
                  std::string_view pattern) {
    if (!platform::FolderExists(sourceFolder)) {
        MissingSource(sourceFolder);
    }
    for (const std::string& name :
         platform::ListMatching(sourceFolder + std::string(pattern), platform::EntryKind::File)) {
        CopyFileIfAbsent(sourceFolder + name, destinationFolder + name, true);
    }
}

}  // namespace

std::string WhyNotWritableInDataArea(std::string_view root, int errorNumber) {
    if (!platform::FolderExists(root)) {
        return "the data area " + platform::ToRealPath(root).string() +
               " does not exist; make it with `kavo first-use`";
    }
    return platform::SystemReason(errorNumber);
}

bool CopyFileIfAbsent(std::string_view source, std::string_view destination, bool replace) {
    if (!platform::FileExists(source)) {
        MissingSource(source);
    }
    if (!replace && (platform::FileExists(destination) || platform::FolderExists(destination))) {
        return false;
    }
    if (!platform::CopyFileReplacing(source, destination)) {
        throw tools::DataError("SC802", "First use setup - can't copy " + std::string(source) +
                                            " to " + std::string(destination));
    }
    return true;
}

void CopyFolderFiles(std::string_view sourceFolder, std::string_view destinationFolder) {
    CopyMatching(WithSeparator(sourceFolder), WithSeparator(destinationFolder), "*");
}

void FirstUseSetup(reporting::Reporter& reporter, std::string_view root,
                   const InstallationSource& source, const ProjectMaker& makeProject) {
    reporter.ReportProgress(
        {"Start Making New Kavo Directories", "First use setup", "", "", "", "", "", "ICP932"});
    const std::string from = WithSeparator(source.root);
    if (!platform::FolderExists(from)) {
        MissingSource(source.root);
    }
    const std::string to = WithSeparator(root);
    MakeFolderIfMissing(std::string(root));
    MakeFolderIfMissing(to + "Projects");
    MakeFolderIfMissing(to + "software");
    MakeFolderIfMissing(to + "SLD data files for plotting");

    reporter.ReportProgress({"Start Copying Kavo stuff", "", "", "", "", "", "", "SC113"});
    CopyFileIfAbsent(from + "software/" + kSetupFileName, to + "software/" + kSetupFileName, false);
    CopyFileIfAbsent(source.programPath, to + "software/" + FileNameOf(source.programPath), true);

    reporter.ReportProgress({"Start making directory", "", "", "", "", "", "", "SC119"});
    // The new project's row goes into the project list, so a root without a list first gets
    // the source's. A list already there is the user's: it takes the row and is neither
    // replaced nor joined by a second list, which would stop every run.
    const std::string projectsFrom = from + "Projects/";
    const std::string projectsTo = to + "Projects/";
    const bool rootHasList =
        !platform::ListMatching(projectsTo + kProjectListPattern, platform::EntryKind::File)
             .empty();
    if (!rootHasList) {
        CopyMatching(projectsFrom, projectsTo, kProjectListPattern);
    }
    makeProject(kExampleProject);

    reporter.ReportProgress({"copy exampleOne data", "", "", "", "", "", "", "SC334"});
    const std::string example = std::string("Projects/") + kExampleProject + "/";
    if (rootHasList) {
        for (const std::string& name :
             platform::ListMatching(projectsFrom + "*", platform::EntryKind::File)) {
            if (!platform::WildcardMatches(kProjectListPattern, name)) {
                CopyFileIfAbsent(projectsFrom + name, projectsTo + name, true);
            }
        }
    } else {
        CopyFolderFiles(projectsFrom, projectsTo);
    }
    CopyFolderFiles(from + example, to + example);
    CopyFolderFiles(from + example + "Soundings", to + example + "Soundings");
    // The chart files, so that a run reading its charts from files works at once.
    const std::string charts = from + "SLD input";
    if (platform::FolderExists(charts)) {
        MakeFolderIfMissing(to + "SLD input");
        CopyFolderFiles(charts, to + "SLD input");
    }

    reporter.ReportProgress(
        {"DONE with making directories and ExampleOne data", "", "", "", "", "", "", "SC999"});
}

}  // namespace kavo::files
