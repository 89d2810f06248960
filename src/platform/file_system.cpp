#include "platform/file_system.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <optional>
#include <system_error>

namespace kavo::platform {
namespace {

namespace fs = std::filesystem;

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Lower(x) < Lower(y); });
}

// The path's components, with "\" and "/" both taken as separators.
std::vector<std::string> Components(std::string_view path) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : path) {
        if (c == '\\' || c == '/') {
            if (!current.empty()) {
                parts.push_back(current);
            }
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) {
        parts.push_back(current);
    }
    return parts;
}

bool IsAbsolute(std::string_view path) {
    return !path.empty() && (path.front() == '/' || path.front() == '\\');
}

// The entry of `folder` named `name` under any letter case: the exact name when it exists,
// else the first match in case-insensitive order.
std::optional<std::string> FindEntry(const fs::path& folder, const std::string& name) {
    std::error_code error;
    if (fs::exists(folder / name, error)) {
        return name;
    }
    std::vector<std::string> matches;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string entry = it->path().filename().string();
        if (SameIgnoringCase(entry, name)) {
            matches.push_back(entry);
        }
    }
    if (matches.empty()) {
        return std::nullopt;
    }
    std::sort(matches.begin(), matches.end());
    return matches.front();
}

bool IsKind(const fs::path& path, EntryKind kind) {
    std::error_code error;
    auto status = fs::status(path, error);
    if (error) {
        return false;
    }
    return kind == EntryKind::File ? fs::is_regular_file(status) : fs::is_directory(status);
}

}  // namespace

fs::path ToRealPath(std::string_view systemPath) {
    fs::path real = IsAbsolute(systemPath) ? fs::path("/") : fs::path();
    bool searching = true;
    for (const std::string& part : Components(systemPath)) {
        if (part == "." || part == ".." || !searching) {
            real /= part;
            continue;
        }
        auto found = FindEntry(real.empty() ? fs::path(".") : real, part);
        if (found) {
            real /= *found;
        } else {
            real /= part;
            searching = false;
        }
    }
    return real;
}

bool WildcardMatches(std::string_view pattern, std::string_view name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starAt = std::string_view::npos;
    std::size_t resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            resumeAt = n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

std::vector<std::string> ListMatching(std::string_view systemPattern, EntryKind kind) {
    std::size_t cut = systemPattern.find_last_of("\\/");
    std::string_view folderPart =
        cut == std::string_view::npos ? std::string_view() : systemPattern.substr(0, cut + 1);
    std::string_view namePattern =
        cut == std::string_view::npos ? systemPattern : systemPattern.substr(cut + 1);
    fs::path folder = folderPart.empty() ? fs::path(".") : ToRealPath(folderPart);

    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        if (name.empty() || name.front() == '.') {
            continue;
        }
        if (WildcardMatches(namePattern, name) && IsKind(it->path(), kind)) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    return names;
}

PathKind KindOfPath(std::string_view systemPath) {
    const fs::path real = ToRealPath(systemPath);
    std::error_code error;
    const fs::file_status target = fs::status(real, error);
    if (fs::is_regular_file(target)) {
        return PathKind::File;
    }
    if (fs::is_directory(target)) {
        return PathKind::Folder;
    }
    if (fs::exists(target)) {
        return PathKind::Special;
    }
    return fs::is_symlink(fs::symlink_status(real, error)) ? PathKind::BrokenLink
                                                           : PathKind::Missing;
}

std::string SystemReason(int errorNumber) {
    return std::generic_category().message(errorNumber);
}

std::string ReasonNotReadable(std::string_view systemPath, int openErrorNumber) {
    switch (KindOfPath(systemPath)) {
        case PathKind::Missing:
            return "it does not exist";
        case PathKind::Folder:
            return "it is a folder";
        case PathKind::BrokenLink: {
            std::error_code error;
            const fs::path target = fs::read_symlink(ToRealPath(systemPath), error);
            return "it is a link to " + target.string() + ", which does not exist";
        }
        case PathKind::Special:
            return "it is not an ordinary file (a pipe, device or socket)";
        case PathKind::File:
            break;
    }
    return SystemReason(openErrorNumber != 0 ? openErrorNumber : EIO);
}

bool FileExists(std::string_view systemPath) {
    return IsKind(ToRealPath(systemPath), EntryKind::File);
}

bool FolderExists(std::string_view systemPath) {
    return IsKind(ToRealPath(systemPath), EntryKind::Folder);
}

bool MakeFolder(std::string_view systemPath) {
    fs::path real = ToRealPath(systemPath);
    std::error_code error;
    fs::create_directories(real, error);
    return IsKind(real, EntryKind::Folder);
}

bool CopyFileReplacing(std::string_view sourcePath, std::string_view destinationPath) {
    fs::path source = ToRealPath(sourcePath);
    fs::path destination = ToRealPath(destinationPath);
    if (!IsKind(source, EntryKind::File)) {
        return false;
    }
    std::error_code error;
    if (fs::exists(destination, error) && fs::equivalent(source, destination, error)) {
        return false;  // a file cannot be copied onto itself
    }
    fs::copy_file(source, destination, fs::copy_options::overwrite_existing, error);
    return !error;
}

int FileNumbers::Allocate() {
    for (std::size_t i = 0; i < used_.size(); ++i) {
        if (!used_[i]) {
            used_[i] = true;
            return static_cast<int>(i) + 1;
        }
    }
    used_.push_back(true);
    return static_cast<int>(used_.size());
}

void FileNumbers::Release(int number) {
    if (number >= 1 && static_cast<std::size_t>(number) <= used_.size()) {
        used_[static_cast<std::size_t>(number) - 1] = false;
    }
}

}  // namespace kavo::platform
