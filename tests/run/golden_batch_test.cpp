// Whole batch runs on the small data areas of tests/golden/<case>/input: every file that a run
// writes or changes must equal the committed expectation in tests/golden/<case>/expected
// byte for byte, with the data-area root written as "<ROOT>".
// KAVO_UPDATE_GOLDEN=1 rewrites the expectations instead of comparing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/data_area_lock.h"
#include "run/action.h"
#include "run/main_routine.h"
#include "setup/run_settings.h"
#include "support/recording_window.h"
#include "support/temp_dir.h"

namespace kavo::run {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;

constexpr const char* kRootToken = "<ROOT>";

// The run starts at 10:00:00 and ends 7 seconds later; dates and times print as given.
class GoldenClock : public platform::FixedClock {
  public:
    GoldenClock() {
        date = "3/14/2026";
        time = "9:26:53 AM";
    }
    double SecondsSinceMidnight() const override { return calls_++ == 0 ? 36000.0 : 36007.0; }

  private:
    mutable int calls_ = 0;
};

std::string WithRootToken(std::string text, const std::string& root) {
    for (std::size_t at = text.find(root); at != std::string::npos;
         at = text.find(root, at + std::string(kRootToken).size())) {
        text.replace(at, root.size(), kRootToken);
    }
    return text;
}

// Every regular file under a folder, by its path relative to the folder ("/"-separated).
std::map<std::string, std::string> FilesUnder(const fs::path& folder) {
    std::map<std::string, std::string> files;
    if (!fs::is_directory(folder)) {
        return files;
    }
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), folder).generic_string()] = ReadFile(entry.path());
        }
    }
    return files;
}

// Where two texts first part: the line number (from 1) and both lines, for the failure text.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
    const auto parted =
        std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
    const std::size_t at = static_cast<std::size_t>(parted.first - expected.begin());
    const std::size_t line =
        1 + static_cast<std::size_t>(std::count(expected.begin(), parted.first, '\n'));
    const auto lineAt = [at](const std::string& text) {
        const std::size_t start = text.rfind('\n', at == 0 ? 0 : at - 1);
        const std::size_t from = (start == std::string::npos || at == 0) ? 0 : start + 1;
        const std::size_t end = text.find('\n', from);
        return text.substr(from, end == std::string::npos ? std::string::npos : end - from);
    };
    return "first difference at byte " + std::to_string(at) + ", line " + std::to_string(line) +
           "\n  expected: [" + lineAt(expected) + "]\n  actual:   [" + lineAt(actual) + "]";
}

struct RunOutcome {
    int exitStatus = -1;
    std::size_t errorWindows = 0;
    std::vector<std::string> panel;
    // The files that the run wrote or changed, with the root replaced by the token.
    std::map<std::string, std::string> outputs;
};

// Copies the case's input to a fresh data area and runs the program's start-up, which runs
// the whole batch, with a fixed clock, computer name and version.
RunOutcome RunCase(const fs::path& input) {
    testing::TempDir dir;
    fs::copy(input, dir.path(), fs::copy_options::recursive);
    testing::RecordingWindow window;
    GoldenClock clock;
    platform::MapEnvironment environment;
    environment.variables["COMPUTERNAME"] = "GOLDEN-PC";
    platform::ProgramInfo info{8, 1, 4, "Kavo Project", "Golden build", "/opt/kavo/bin/kavo"};

    RunOutcome outcome;
    {
        Program program(window, clock, environment, info);
        program.configuredRoot = dir.text();
        setup::SetStartUpValues(window);
        outcome.exitStatus = RunAction(program, [&program] { LoadMainWindow(program); });
    }  // the program's end closes the log and the trace
    outcome.errorWindows = window.errorWindows.size();
    const auto& fields = window.panel().fields;
    outcome.panel.assign(fields.begin(), fields.end());

    const std::map<std::string, std::string> before = FilesUnder(input);
    for (const auto& [name, bytes] : FilesUnder(dir.path())) {
        // The data-area lock names the process that held it, which differs at every run.
        if (name == platform::kLockFileName) {
            continue;
        }
        const auto original = before.find(name);
        if (original == before.end() || original->second != bytes) {
            outcome.outputs[name] = WithRootToken(bytes, dir.text());
        }
    }
    return outcome;
}

void WriteExpectations(const fs::path& expected,
                       const std::map<std::string, std::string>& outputs) {
    fs::remove_all(expected);
    for (const auto& [name, bytes] : outputs) {
        const fs::path file = expected / name;
        fs::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::binary);
        out << bytes;
    }
}

// A case folder under tests/golden and the run summary that its run shows on the window.
struct GoldenCase {
    std::string name;
    std::string speedText;
    std::string soundingsText;
};

void PrintTo(const GoldenCase& golden, std::ostream* out) {
    *out << golden.name;
}

class GoldenBatch : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenBatch, EveryWrittenFileMatchesItsExpectation) {
    const GoldenCase& golden = GetParam();
    const fs::path folder = testing::TestDataPath("golden/" + golden.name);
    ASSERT_TRUE(fs::is_directory(folder / "input")) << folder;
    const RunOutcome outcome = RunCase(folder / "input");
    ASSERT_EQ(outcome.exitStatus, kExitDone);
    EXPECT_EQ(outcome.errorWindows, 0u);
    ASSERT_EQ(outcome.panel.size(), 7u);
    EXPECT_EQ(outcome.panel[0], "           Done");
    EXPECT_EQ(outcome.panel[1], golden.speedText);
    EXPECT_EQ(outcome.panel[2], golden.soundingsText);

    const char* update = std::getenv("KAVO_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        WriteExpectations(folder / "expected", outcome.outputs);
        GTEST_SKIP() << "expectations rewritten in " << (folder / "expected");
    }

    const std::map<std::string, std::string> expected = FilesUnder(folder / "expected");
    ASSERT_FALSE(expected.empty()) << "no expectations: run once with KAVO_UPDATE_GOLDEN=1";
    for (const auto& [name, bytes] : expected) {
        const auto written = outcome.outputs.find(name);
        if (written == outcome.outputs.end()) {
            ADD_FAILURE() << name << ": expected but not written";
            continue;
        }
        EXPECT_TRUE(written->second == bytes)
            << name << ": " << FirstDifference(bytes, written->second);
    }
    for (const auto& [name, bytes] : outcome.outputs) {
        EXPECT_TRUE(expected.count(name) == 1) << name << ": written but not expected";
    }
}

// three_soundings: the soundings end at 9.90, 9.02 and 7.67 ft, 26.59 ft in the 7 seconds
// of the clock: 3 whole feet per second.
INSTANTIATE_TEST_SUITE_P(
    Cases, GoldenBatch,
    ::testing::Values(GoldenCase{"three_soundings", "26 total feet in 7 secs     @ 3 ft/sec",
                                 "3 total Soundings"},
                      GoldenCase{"four_formats", "245 total feet in 7 secs     @ 35 ft/sec",
                                 "7 total Soundings"}),
    [](const ::testing::TestParamInfo<GoldenCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kavo::run
