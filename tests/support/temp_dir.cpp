#include "support/temp_dir.h"

#include <fstream>
#include <random>
#include <sstream>

namespace kavo::testing {

TempDir::TempDir() {
    std::random_device device;
    std::mt19937_64 generator(device());
    auto base = std::filesystem::temp_directory_path();
    for (;;) {
        path_ = base / ("kavo-test-" + std::to_string(generator()));
        if (std::filesystem::create_directory(path_)) {
            break;
        }
    }
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempDir::Write(const std::string& relative, const std::string& bytes) const {
    auto file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << bytes;
    return file;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::filesystem::path TestDataPath(const std::string& relative) {
    return std::filesystem::path(KAVO_TEST_DATA_DIR) / relative;
}

}  // namespace kavo::testing
