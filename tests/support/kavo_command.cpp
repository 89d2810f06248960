// Running the built kavo program through the shell and collecting its streams.
#include "support/kavo_command.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>

#include "support/temp_dir.h"

namespace kavo::testing {

std::string KavoBinary() {
    const char* bin = std::getenv("KAVO_BIN");
    return bin == nullptr ? "" : bin;
}

KavoResult RunKavo(const std::filesystem::path& dataRoot, const std::string& arguments,
                   const std::string& input) {
    const TempDir streams;
    const std::filesystem::path inFile = streams.Write("stdin.txt", input);
    const std::filesystem::path errFile = streams.path() / "stderr.txt";
    const std::string command = "'" + KavoBinary() + "' --data-root '" + dataRoot.string() + "' " +
                                arguments + " <'" + inFile.string() + "' 2>'" + errFile.string() +
                                "'";
    KavoResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    std::array<char, 4096> buffer{};
    std::size_t got = 0;
    while ((got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        result.out.append(buffer.data(), got);
    }
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = ReadFile(errFile);
    return result;
}

void ExampleAreaCommandTest::SetUp() {
    KavoCommandTest::SetUp();
    if (IsSkipped()) {
        return;
    }
    std::filesystem::copy(std::filesystem::path(KAVO_SOURCE_DIR) / "data" / "Kavo", root(),
                          std::filesystem::copy_options::recursive);
}

}  // namespace kavo::testing
