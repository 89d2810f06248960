// A temporary folder for a test, removed when the test ends, with helpers to write and read
// files in it.
#pragma once

#include <filesystem>
#include <string>

namespace kavo::testing {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The path as a text, for the system's path functions.
    std::string text() const { return path_.string(); }
    // Writes a file (parents made) with exactly the given bytes; returns its path.
    std::filesystem::path Write(const std::string& relative, const std::string& bytes) const;

  private:
    std::filesystem::path path_;
};

// The whole content of a file; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);

// The path of a fixture under tests/.
std::filesystem::path TestDataPath(const std::string& relative);

}  // namespace kavo::testing
