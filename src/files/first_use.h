// First use on a computer: the data area's folders, the setup file and the program copied
// into its software folder, and the example project with its data.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "reporting/reporter.h"

namespace kavo::files {

inline constexpr const char* kExampleProject = "ExampleOne";
inline constexpr const char* kSetupFileName = "Kavo-Setup.txt";

// Where the installation comes from: the example data area shipped with the program, and the
// running program file.
struct InstallationSource {
    std::string root;
    std::string programPath;
};

// Why a file of the data area at `root` could not be made, for messages: the data area does
// not exist (and the command that makes it), or the system's reason `errorNumber`.
std::string WhyNotWritableInDataArea(std::string_view root, int errorNumber);

// Copies `source` to `destination`. With `replace` false nothing is copied when a file or
// folder of the destination's name exists. Returns true when a copy was made. Throws
// DataError SC801 when the source is missing or cannot be read, SC802 when the destination
// cannot be written (a file copied onto itself among them).
bool CopyFileIfAbsent(std::string_view source, std::string_view destination, bool replace);

// Copies every ordinary file of `sourceFolder` into `destinationFolder` under the same name,
// replacing files of that name. Throws DataError SC801 when the source folder is missing and
// the errors of CopyFileIfAbsent.
void CopyFolderFiles(std::string_view sourceFolder, std::string_view destinationFolder);

// Makes a project by name (the new-project flow, with its progress and stage).
using ProjectMaker = std::function<void(std::string_view name)>;

// Installs the data area at `root` from `source`: the folders, the setup file (kept when
// present), the program (always replaced), the project list when the root has none, the
// example project made through `makeProject`, then the example data and chart files. A
// second first use on the same root stops where the example project already exists. Throws
// DataError SC801 when the source is missing, ICP933 when a folder cannot be made.
void FirstUseSetup(reporting::Reporter& reporter, std::string_view root,
                   const InstallationSource& source, const ProjectMaker& makeProject);

}  // namespace kavo::files
