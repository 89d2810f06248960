// Keeping names from data inside the data area.
#include "files/data_names.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/file_system.h"
#include "tools/errors.h"

namespace kavo::files {
namespace {

namespace fs = std::filesystem;

bool ClimbsOut(std::string_view name) {
    const bool control = std::any_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
    });
    return name == "." || control || name.find('/') != std::string_view::npos ||
           name.find('\\') != std::string_view::npos || name.find("..") != std::string_view::npos;
}

// The place a path names once every link is followed; the part that does not exist yet is
// kept as written.
fs::path Resolved(std::string_view systemPath) {
    std::error_code error;
    fs::path resolved = fs::weakly_canonical(platform::ToRealPath(systemPath), error);
    return error ? fs::absolute(platform::ToRealPath(systemPath)).lexically_normal() : resolved;
}

bool LiesWithin(const fs::path& inner, const fs::path& outer) {
    auto outerEnd = outer.end();
    // A trailing separator leaves an empty last element, which no inner path shares.
    if (!outer.empty() && outer.filename().empty()) {
        --outerEnd;
    }
    return std::mismatch(outer.begin(), outerEnd, inner.begin(), inner.end()).first == outerEnd;
}

}  // namespace

void CheckDataName(std::string_view name, std::string_view what, std::string_view where) {
    if (ClimbsOut(name)) {
        throw tools::DataError(
            "DAN101", std::string(where) + ": the " + std::string(what) + " «" + std::string(name) +
                          "» is refused: a name may not hold \"/\", \"\\\", \"..\" or control "
                          "characters, so that it stays inside the data area");
    }
}

void CheckInsideDataArea(const DataArea& area, std::string_view systemPath, std::string_view what) {
    const fs::path root = Resolved(area.root);
    const fs::path place = Resolved(systemPath);
    if (!LiesWithin(place, root)) {
        throw tools::DataError("DAN102", "the " + std::string(what) + " " +
                                             platform::ToRealPath(systemPath).string() +
                                             " leads to " + place.string() +
                                             ", outside the data area " + root.string());
    }
}

}  // namespace kavo::files
