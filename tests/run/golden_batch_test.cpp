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
#include <sstream>
#include <string>
#include <vector>

#include "platform/data_area_lock.h"
#include "run/action.h"
#include "run/add_soundings.h"
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

// The data rows of a table: what follows its EOH line.
std::string DataRows(const std::string& table) {
    const std::size_t eoh = table.find("\r\nEOH\r\n");
    return eoh == std::string::npos ? std::string() : table.substr(eoh);
}

std::vector<std::string> CellsOf(const std::string& row) {
    std::vector<std::string> cells;
    std::istringstream in(row);
    for (std::string cell; std::getline(in, cell, ',');) {
        cells.push_back(cell);
    }
    if (!row.empty() && row.back() == ',') {
        cells.emplace_back();
    }
    return cells;
}

// add-soundings on the four_formats folder under a database of its header alone adds a row
// for each of the seven soundings; once the engineer has filled in the water table and the
// unit-weight method and weights (here those of the case's database), a run goes through and
// every table holds the case's data rows.
TEST(GoldenAddSoundings, RowsAddedFromTheFolderRunToTheCasesTables) {
    const fs::path folder = testing::TestDataPath("golden/four_formats");
    testing::TempDir dir;
    fs::copy(folder / "input", dir.path(), fs::copy_options::recursive);
    const fs::path database = dir.path() / "Projects/ExampleOne/Kavo_SoundingS---ExampleOne.csv";
    // The engineer's choices of the case's database: after name, probe and site.
    std::map<std::string, std::vector<std::string>> choices;
    std::istringstream caseRows(ReadFile(database));
    std::string header;
    std::getline(caseRows, header);
    for (std::string row; std::getline(caseRows, row);) {
        std::vector<std::string> cells = CellsOf(row.substr(0, row.find('\r')));
        cells.resize(7);
        choices[cells[0]] = {cells.begin() + 3, cells.end()};
    }
    std::ofstream(database, std::ios::binary | std::ios::trunc) << header << "\n";

    testing::RecordingWindow window;
    GoldenClock clock;
    platform::MapEnvironment environment;
    const platform::ProgramInfo info{8, 1, 4, "Kavo Project", "Golden build", "/opt/kavo/bin"};
    AddedSoundings added;
    {
        Program program(window, clock, environment, info);
        program.configuredRoot = dir.text();
        setup::SetStartUpValues(window);
        ASSERT_EQ(RunAction(program,
                            [&] {
                                GeneralSetups(program);
                                added = AddSoundingsAction(program);
                            }),
                  kExitDone);
    }
    EXPECT_EQ(added.added,
              (std::vector<std::string>{"CPT000000063044 (CPT000000063044.GEF)",
                                        "GD-01 (GD-01.CPT)", "MG-01 (MG-01.gef)", "P-1 (P-1.csv)",
                                        "BH-WFS1-2A#CPT01 (Borssele_WFS1-2A_CPT01-02.ags)",
                                        "BH-WFS1-2A#CPT02 (Borssele_WFS1-2A_CPT01-02.ags)",
                                        "BH-WFS1-5 (Borssele_WFS1-5.ags)"}));
    EXPECT_EQ(added.toFillIn, (std::vector<std::string>{"WATERTABLE_DEPTH_FEET", "UWT_METHOD",
                                                        "UWT_ABOVE_WT_PCF", "UWT_BELOW_WT_PCF"}));

    // The engineer fills in each new row's water table, method and weights.
    std::istringstream addedRows(ReadFile(database));
    std::string filled;
    std::string row;
    std::getline(addedRows, row);
    filled += row + "\n";
    int rows = 0;
    while (std::getline(addedRows, row)) {
        std::vector<std::string> cells = CellsOf(row.substr(0, row.find('\r')));
        ASSERT_EQ(cells.size(), 7u) << row;
        ASSERT_EQ(cells[3] + cells[4] + cells[5] + cells[6], "") << row;
        ASSERT_EQ(choices.count(cells[0]), 1u) << row;
        std::copy(choices[cells[0]].begin(), choices[cells[0]].end(), cells.begin() + 3);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            filled += (i == 0 ? "" : ",") + cells[i];
        }
        filled += "\r\n";
        ++rows;
    }
    EXPECT_EQ(rows, 7);
    std::ofstream(database, std::ios::binary | std::ios::trunc) << filled;

    testing::RecordingWindow runWindow;
    setup::SetStartUpValues(runWindow);
    Program program(runWindow, clock, environment, info);
    program.configuredRoot = dir.text();
    ASSERT_EQ(RunAction(program, [&program] { LoadMainWindow(program); }), kExitDone);
    EXPECT_EQ(runWindow.panel().fields[2], "7 total Soundings");
    const fs::path tables = "Projects/ExampleOne/Soundings";
    for (const auto& [name, bytes] : FilesUnder(folder / "expected" / tables)) {
        if (name.ends_with("_Q1o.txt")) {
            EXPECT_EQ(DataRows(ReadFile(dir.path() / tables / name)), DataRows(bytes)) << name;
        }
    }
}

}  // namespace
}  // namespace kavo::run
