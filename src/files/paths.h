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

// The folder (ending in "\") or wildcard pattern of a key such as "PROJECTS", "SOUNDINGS",
// "SLD INPUT" or "SOFTWARE"; the key is trimmed and compared in upper case. Throws
// DataError "RS004" when no project is known and "PATH422" for an unknown key.
std::string PathFor(const DataArea& area, std::string_view key);

// The number of ordinary files matching a pattern; 0 when 9999 or more match.
int CountFiles(std::string_view pattern);

// Opens the one file matching PathFor(key) + namePattern through the trace and returns its
// full path. Throws DataError "FP822" when several match and "FP829" when none does.
std::string OpenOnlyFile(const DataArea& area, reporting::Reporter& reporter,
                         reporting::TracedInput& file, std::string_view key,
                         std::string_view namePattern, std::string_view purpose);

}  // namespace kavo::files
