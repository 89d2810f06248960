// The data area: the folder or pattern of every key, and finding the one file of a kind.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/environment.h"
#include "reporting/reporter.h"

namespace kavo::files {

// Where the data area is and which project the paths name. The root is a folder path
// without a trailing separator; the project "-5435" means that no project is known.
struct DataArea {
    std::string root;
    std::string projectName = "ExampleOne";
};

// The data-area root: the --data-root option, else KAVO_DATA_ROOT, else ~/Kavo.
std::string ChooseDataAreaRoot(const std::optional<std::string>& commandLineRoot,
                               const platform::Environment& environment);

// The places of the data area. The comment of each gives its key as messages name it.
enum class PathKey {
    SldVb6,                  // "SLD VB6": the chart statements, beside the data area
    SldInput,                // "SLD INPUT": the chart files read
    SldChartFiles,           // "SLD-KAVO-*.CSV": the chart files' pattern in SLD input
    SldForPlotting,          // "SLD FOR PLOTTING", in the project
    SldOutput,               // "SLD OUTPUT": the charts written for plotting, in the project
    Software,                // "SOFTWARE": the setup file and temporary files
    Extra,                   // "EXTRA"
    Root,                    // "KAVO": the data area itself
    Projects,                // "PROJECTS": the folder of every project
    ProjectListFiles,        // "PROJECTS---*.CSV"
    Project,                 // "PROJECT": the current project's folder
    Soundings,               // "SOUNDINGS": the project's field files and output tables
    SoundingsDatabaseFiles,  // "KAVO_SOUNDINGS---*.CSV", in the project
    FieldFiles,              // "*.CPT", in the project's soundings folder
};

// The key of a place as messages name it: "PROJECTS", "SLD INPUT", ...
std::string_view PathKeyText(PathKey key);

// The folder (ending in "/") or wildcard pattern of a place. Throws DataError "RS004" when no
// project is known and "PATH422" for a key without a place.
std::string PathFor(const DataArea& area, PathKey key);

// The number of ordinary files matching a pattern; 0 when 9999 or more match.
int CountFiles(std::string_view pattern);

// Opens the one file matching PathFor(key) + namePattern through the trace and returns its
// full path. Throws DataError "FP822" when several match and "FP829" when none does.
std::string OpenOnlyFile(const DataArea& area, reporting::Reporter& reporter,
                         reporting::TracedInput& file, PathKey key, std::string_view namePattern,
                         std::string_view purpose);

}  // namespace kavo::files
