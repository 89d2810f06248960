// The data area: where it is, the folder or pattern of every key, and finding the one file
// of a kind.
#include "files/paths.h"

#include <array>
#include <vector>

#include "platform/file_system.h"
#include "tools/errors.h"
#include "tools/null_marker.h"

namespace kavo::files {
namespace {

constexpr int kMostFilesCounted = 9999;

// One row of the key table: the place, its key as messages name it, whether the place lies in
// the current project's folder, and the text that follows the root (or the project).
struct KeyPlace {
    PathKey key;
    const char* text;
    bool inProject;
    const char* tail;
};

constexpr std::array kKeyPlaces{
    KeyPlace{PathKey::SldVb6, "SLD VB6", false, "-VB6/"},
    KeyPlace{PathKey::SldInput, "SLD INPUT", false, "/SLD input/"},
    KeyPlace{PathKey::SldChartFiles, "SLD-KAVO-*.CSV", false, "/SLD input/SLD-Kavo-*.csv"},
    KeyPlace{PathKey::SldForPlotting, "SLD FOR PLOTTING", true, "/SLD for plotting/"},
    KeyPlace{PathKey::SldOutput, "SLD OUTPUT", true, "/SLD output/"},
    KeyPlace{PathKey::Software, "SOFTWARE", false, "/software/"},
    KeyPlace{PathKey::Extra, "EXTRA", false, "/Vaski extras/"},
    KeyPlace{PathKey::Root, "KAVO", false, "/"},
    KeyPlace{PathKey::Projects, "PROJECTS", false, "/Projects/"},
    KeyPlace{PathKey::ProjectListFiles, "PROJECTS---*.CSV", false, "/Projects/ProjectS---*.csv"},
    KeyPlace{PathKey::Project, "PROJECT", true, "/"},
    KeyPlace{PathKey::Soundings, "SOUNDINGS", true, "/SOUNDINGS/"},
    KeyPlace{PathKey::SoundingsDatabaseFiles, "KAVO_SOUNDINGS---*.CSV", true,
             "/Kavo_SoundingS---*.csv"},
    KeyPlace{PathKey::FieldFiles, "*.CPT", true, "/soundings/*.CPT"},
};

// Null for a key the table lacks.
const KeyPlace* PlaceOf(PathKey key) {
    for (const KeyPlace& place : kKeyPlaces) {
        if (place.key == key) {
            return &place;
        }
    }
    return nullptr;
}

// The path with every folder and file name that exists spelled as it is on disk; a trailing
// separator stays.
std::string AsOnDisk(const std::string& path) {
    std::string real = platform::ToRealPath(path).string();
    if (path.back() == '/' && (real.empty() || real.back() != '/')) {
        real += '/';
    }
    return real;
}

std::string WithoutTrailingSeparators(std::string root) {
    while (root.size() > 1 && (root.back() == '/' || root.back() == '\\')) {
        root.pop_back();
    }
    return root;
}

}  // namespace

std::string ChooseDataAreaRoot(const std::optional<std::string>& commandLineRoot,
                               const platform::Environment& environment) {
    if (commandLineRoot.has_value() && !commandLineRoot->empty()) {
        return WithoutTrailingSeparators(*commandLineRoot);
    }
    std::optional<std::string> fromEnvironment = environment.Variable("KAVO_DATA_ROOT");
    if (fromEnvironment.has_value() && !fromEnvironment->empty()) {
        return WithoutTrailingSeparators(*fromEnvironment);
    }
    std::optional<std::string> home = environment.Variable("HOME");
    if (!home.has_value() || home->empty()) {
        throw tools::DataError("RS003",
                               "no data area: give --data-root or set KAVO_DATA_ROOT "
                               "(HOME is not set)");
    }
    return WithoutTrailingSeparators(*home) + "/Kavo";
}

std::string_view PathKeyText(PathKey key) {
    const KeyPlace* place = PlaceOf(key);
    return place == nullptr ? std::string_view() : std::string_view(place->text);
}

std::string PathFor(const DataArea& area, PathKey key) {
    if (area.projectName == tools::kNullText) {
        throw tools::DataError("RS004", "project name is UNKNOWN");
    }
    const KeyPlace* place = PlaceOf(key);
    if (place == nullptr) {
        throw tools::DataError("PATH422", "bad CPT DIR naming");
    }
    if (place->inProject) {
        return AsOnDisk(area.root + "/Projects/" + area.projectName + place->tail);
    }
    return AsOnDisk(area.root + place->tail);
}

int CountFiles(std::string_view pattern) {
    std::size_t count = platform::ListMatching(pattern, platform::EntryKind::File).size();
    return count >= kMostFilesCounted ? 0 : static_cast<int>(count);
}

std::string OpenOnlyFile(const DataArea& area, reporting::Reporter& reporter,
                         reporting::TracedInput& file, PathKey key, std::string_view namePattern,
                         std::string_view purpose) {
    std::string folder = PathFor(area, key);
    // The names themselves are needed for the one file, so they are listed here rather
    // than counted; a huge number of matches is then "too many", never "none".
    std::vector<std::string> names =
        platform::ListMatching(folder + std::string(namePattern), platform::EntryKind::File);
    if (names.size() >= 2) {
        throw tools::DataError(
            "FP822", std::string(purpose) + ", too many " + std::string(namePattern) + " files");
    }
    if (names.empty()) {
        throw tools::DataError("FP829",
                               std::string(purpose) + ", no " + std::string(namePattern) + " file");
    }
    std::string fullPath = folder + names.front();
    reporter.ReportProgress(
        {"", "", "", fullPath, "", "Reading " + std::string(PathKeyText(key)), "", "RP901"});
    if (!reporter.TraceOpenForReading(file, fullPath, "open if only one")) {
        throw tools::DataError("FP830", std::string(purpose) + ", cannot read " + fullPath + " (" +
                                            file.WhyNotOpened() + ")");
    }
    return fullPath;
}

}  // namespace kavo::files
