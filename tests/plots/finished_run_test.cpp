// A finished run read back for its pictures: every value a page shows for a column of the
// output table is the value the table holds, and readings missing near the surface are gaps.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "platform/clock.h"
#include "platform/environment.h"
#include "plots/plot_run.h"
#include "run/action.h"
#include "run/main_routine.h"
#include "setup/run_settings.h"
#include "support/data_error.h"
#include "support/recording_window.h"
#include "support/temp_dir.h"
#include "tools/number_text.h"

namespace kavo::plots {
namespace {

namespace fs = std::filesystem;

// The example data area, copied and run once for the suite; each test reads it back.
class FinishedRunTest : public ::testing::Test {
  protected:
    struct RunArea {
        testing::TempDir dir;
        testing::RecordingWindow window;
        platform::FixedClock clock;
        platform::MapEnvironment environment;
        std::unique_ptr<run::Program> program;

        RunArea() {
            fs::copy(fs::path(KAVO_SOURCE_DIR) / "data" / "Kavo", dir.path(),
                     fs::copy_options::recursive);
            platform::ProgramInfo info{1, 0, 0, "Kavo Project", "test", "/opt/kavo/bin/kavo"};
            program = std::make_unique<run::Program>(window, clock, environment, info);
            program->configuredRoot = dir.text();
            setup::SetStartUpValues(window);
        }
        int Run() {
            return run::RunAction(*program, [this] { run::LoadMainWindow(*program); });
        }
        fs::path Table(const std::string& sounding) const {
            return dir.path() / "Projects" / "ExampleOne" / "Soundings" / (sounding + "_Q1o.txt");
        }
    };
    static void SetUpTestSuite() {
        area_ = new RunArea;
        ASSERT_EQ(area_->Run(), run::kExitDone);
    }
    static void TearDownTestSuite() {
        delete area_;
        area_ = nullptr;
    }
    static RunArea* area_;
    run::Program& program() { return *area_->program; }
};

FinishedRunTest::RunArea* FinishedRunTest::area_ = nullptr;

std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    std::stringstream stream(line);
    std::string cell;
    while (std::getline(stream, cell, ',')) {
        cells.push_back(tools::TrimCopy(cell));
    }
    return cells;
}

// The column IDs of a table (the row before "EOH") and its data rows, split into cells.
void ReadTable(const fs::path& file, std::vector<std::string>& ids,
               std::vector<std::vector<std::string>>& rows) {
    std::ifstream in(file, std::ios::binary);
    std::string line;
    std::string previous;
    bool data = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (data) {
            rows.push_back(Cells(line));
        } else if (line == "EOH") {
            ids = Cells(previous);
            data = true;
        }
        previous = line;
    }
}

// The series a page draws for a column of the table, or nullptr.
const ProfileSeries* SeriesOfColumn(const SoundingProfile& profile, const std::string& id) {
    const std::map<std::string, Quantity> kMeasured = {
        {"Qc_atm", Quantity::Qc}, {"fs_atm", Quantity::Fs},   {"Fr_%", Quantity::FrictionRatio},
        {"U2_atm", Quantity::U2}, {"VES_atm", Quantity::Ves}, {"Qc1", Quantity::NormalisedQ}};
    if (auto it = kMeasured.find(id); it != kMeasured.end()) {
        return profile.Find(it->second);
    }
    for (const ProfileSeries& series : profile.series) {
        if (series.label == id) {
            return &series;
        }
    }
    return nullptr;
}

// Every sounding of the example, one of each field-file format.
TEST_F(FinishedRunTest, EveryPageValueIsTheTablesValue) {
    FinishedRun finished(program(), {});
    ASSERT_EQ(finished.count(), 8);
    for (int k = 0; k < finished.count(); ++k) {
        const std::string name = finished.record(k).soundingName;
        const SoundingProfile profile = finished.Profile(k);
        std::vector<std::string> ids;
        std::vector<std::vector<std::string>> rows;
        ReadTable(area_->Table(name), ids, rows);
        ASSERT_EQ(rows.size(), profile.depthFt.size()) << name;
        // The numbers as the window shows them under the mouse: the table's text, a missing
        // value (-5435 in the table) shown as nothing.
        int compared = 0;
        for (std::size_t column = 0; column < ids.size(); ++column) {
            const ProfileSeries* series = SeriesOfColumn(profile, ids[column]);
            if (ids[column] != "Depth_ft" && series == nullptr) {
                continue;
            }
            for (std::size_t row = 0; row < rows.size(); ++row) {
                const std::string shown =
                    series == nullptr ? ShownDepth(profile, row) : ShownValue(*series, row);
                ASSERT_EQ(shown.empty() ? "-5435" : shown, rows[row][column])
                    << name << " " << ids[column] << " row " << row + 1;
                ++compared;
            }
        }
        // Depth, six measured columns and seven predicted ones of the example column file.
        EXPECT_EQ(compared, 14 * static_cast<int>(rows.size())) << name;
    }
}

TEST_F(FinishedRunTest, ReadingsMissingNearTheSurfaceAreGapsNotZeroOrTheNullMarker) {
    FinishedRun finished(program(), {"KV-01"});
    const SoundingProfile profile = finished.Profile(0);
    // The first readings of KV-01 have no sleeve friction (the table shows -5435 there).
    const ProfileSeries* fs = profile.Find(Quantity::Fs);
    ASSERT_NE(fs, nullptr);
    EXPECT_TRUE(std::isnan(fs->values[0]));
    EXPECT_TRUE(std::isnan(fs->values[1]));
    const SoundingPageModel page = BuildSoundingPage(profile);
    const LineModel& line = page.tracks[1].lines.front();
    ASSERT_EQ(line.name, "fs");
    EXPECT_TRUE(std::isnan(line.x[0]));
    for (const ProfileSeries& series : profile.series) {
        for (double v : series.values) {
            ASSERT_FALSE(std::fabs(v) == 5435) << series.label;
        }
    }
}

TEST_F(FinishedRunTest, TheSoundingsNamedAreFoundWhateverTheirCapitals) {
    FinishedRun finished(program(), {"kv-04", "KV-01"});
    ASSERT_EQ(finished.count(), 2);
    EXPECT_EQ(finished.record(0).soundingName, "KV-04");
    EXPECT_EQ(finished.record(1).soundingName, "KV-01");
}

TEST_F(FinishedRunTest, ASoundingTheDatabaseLacksIsADataError) {
    const auto [code, text] =
        testing::CodeAndDescriptionOf([&] { FinishedRun finished(program(), {"KV-77"}); });
    EXPECT_EQ(code, "PL101");
    EXPECT_EQ(text, "sounding KV-77 is not listed in the soundings database of project ExampleOne");
}

TEST_F(FinishedRunTest, ASoundingWithoutItsTableIsADataError) {
    const fs::path table = area_->Table("KV-03");
    const fs::path aside = table.string() + ".aside";
    fs::rename(table, aside);
    const auto [code, text] = testing::CodeAndDescriptionOf([&] {
        FinishedRun finished(program(), {"KV-03"});
        finished.Overview(finished.record(0));
    });
    fs::rename(aside, table);
    EXPECT_EQ(code, "PL102");
    EXPECT_NE(text.find("run the project (kavo run) before drawing it"), std::string::npos);
}

TEST_F(FinishedRunTest, TheRunsLogAndIssueCountStayAsTheRunLeftThem) {
    const fs::path log = area_->dir.path() / reporting::kTasksLogName;
    const auto logSize = fs::file_size(log);
    const int issues = program().reporter.issueCount();
    FinishedRun finished(program(), {"KV-02"});
    const SoundingOverview overview = finished.Overview(finished.record(0));
    finished.Profile(0);
    EXPECT_EQ(fs::file_size(log), logSize);
    EXPECT_EQ(program().reporter.issueCount(), issues);
    EXPECT_EQ(overview.zeroes.device, "HT-15T-0412");
    // As the zero-load file shows them, which cuts surplus decimals: 5.236 and 5.177.
    EXPECT_GE(overview.zeroes.tipBefore, 5.236);
    EXPECT_LT(overview.zeroes.tipBefore, 5.237);
    EXPECT_GE(overview.zeroes.tipAfter, 5.177);
    EXPECT_LT(overview.zeroes.tipAfter, 5.178);
}

}  // namespace
}  // namespace kavo::plots
