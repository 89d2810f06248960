// The file system as the system sees it: paths written with "\" (or "/"), folder and file
// names matched without regard to case, "*" and "?" wildcards, CR LF text files.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kavo::platform {

// The real path of a system path. Each component that exists under some letter case is
// taken with the spelling found on disk; the first component that does not exist, and all
// after it, keep the spelling given (so a file about to be written gets the given name).
std::filesystem::path ToRealPath(std::string_view systemPath);

// True when `name` matches `pattern` without regard to case; "*" stands for any run of
// characters (none too), "?" for any one character.
bool WildcardMatches(std::string_view pattern, std::string_view name);

enum class EntryKind { File, Folder };

// The names (not paths) of the ordinary files or folders that match a pattern such as
// "root\Projects\Kavo_ProjectS---*.csv": the folder part is resolved without regard to
// case, the last component is the wildcard pattern. Hidden names (starting with ".") are
// left out. Sorted without regard to case, so the order does not depend on the disk.
std::vector<std::string> ListMatching(std::string_view systemPattern, EntryKind kind);

bool FileExists(std::string_view systemPath);
bool FolderExists(std::string_view systemPath);

// What a path names once links are followed. A link whose target is missing, a folder and a
// pipe or device are told apart from a path that names nothing.
enum class PathKind { Missing, File, Folder, BrokenLink, Special };
PathKind KindOfPath(std::string_view systemPath);

// The operating system's text for an error number, e.g. "No space left on device".
std::string SystemReason(int errorNumber);

// Why a file could not be opened for reading, for messages: "it does not exist", "it is a
// folder", "it is a link to ... , which does not exist", "it is not an ordinary file (a pipe,
// device or socket)", or the system's reason for the failed opening (`openErrorNumber`).
std::string ReasonNotReadable(std::string_view systemPath, int openErrorNumber);

// Makes the folder (and any missing parents). False when it cannot be made.
bool MakeFolder(std::string_view systemPath);

// Copies a file, replacing the destination. False when the source cannot be read or the
// destination cannot be written.
bool CopyFileReplacing(std::string_view sourcePath, std::string_view destinationPath);

// The lowest free file number from 1, as the platform hands them out: the trace rows and
// the error window show these numbers.
class FileNumbers {
  public:
    int Allocate();
    void Release(int number);

  private:
    std::vector<bool> used_;
};

}  // namespace kavo::platform
