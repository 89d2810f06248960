// The kavo command's run action, run as a separate program on a copy of the example data area.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using kavo::testing::ReadFile;

struct RunResult {
    std::string out;
    std::string err;
    int status = -1;
};

class RunCommand : public ::testing::Test {
  protected:
    kavo::testing::TempDir dir;

    void SetUp() override {
        const char* bin = std::getenv("KAVO_BIN");
        if (bin == nullptr || *bin == '\0') {
            GTEST_SKIP() << "KAVO_BIN is not set";
        }
        fs::copy(fs::path(KAVO_SOURCE_DIR) / "data" / "Kavo", dir.path() / "Kavo",
                 fs::copy_options::recursive);
    }
    fs::path root() const { return dir.path() / "Kavo"; }

    RunResult Kavo(const std::string& arguments) {
        const fs::path errFile = dir.path() / "stderr.txt";
        const std::string command = std::string("'") + std::getenv("KAVO_BIN") + "' --data-root '" +
                                    root().string() + "' " + arguments + " 2>'" + errFile.string() +
                                    "'";
        RunResult result;
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
};

TEST_F(RunCommand, RunsTheExampleAndShowsTheSummary) {
    const std::string before = ReadFile(root() / "software" / "Kavo-Setup.txt");
    const RunResult result = Kavo("run");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("\n5 total Soundings\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("[GL130] Starting Kavo Main Routine\n"), std::string::npos);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(ReadFile(root() / "software" / "Kavo-Setup-BACKUP.txt"), before);
    const std::string log =
        ReadFile(root() / "Kavo_Output_____tasks_and_Issues___from_most_recent_Kavo_Run.txt");
    EXPECT_NE(log.find("   End of Tasks & Issues: "), std::string::npos) << log;
}

TEST_F(RunCommand, DataErrorShowsTheErrorWindowOnStderr) {
    fs::remove(root() / "Projects" / "ExampleOne" / "Kavo_SoundingS---ExampleOne.csv");
    const RunResult result = Kavo("run");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Kavo software  Error Code: DX392\n"), std::string::npos)
        << result.err;
    EXPECT_EQ(result.out.find("total Soundings"), std::string::npos);
}

TEST_F(RunCommand, OptionsTheReleaseConfigurationOverridesAreMisuse) {
    EXPECT_EQ(Kavo("--chart-source file run").status, 2);
    EXPECT_EQ(Kavo("--norm sideways run").status, 2);
    EXPECT_EQ(Kavo("--check-before-compiling --chart-source file --norm linear run").status, 0);
}

}  // namespace
