// What a run of the example writes and shows, as a user meets it: the CSV beside every table
// read back with a CSV reader, paths a Linux user can paste, the project chosen on the command
// line, and the command line's help and misuse messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/csv_reader.h"
#include "support/kavo_command.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using kavo::testing::CsvRecords;
using kavo::testing::KavoResult;
using kavo::testing::ReadCsv;
using kavo::testing::ReadFile;

const std::vector<std::string> kSoundings = {"KV-01", "KV-02", "KV-03", "KV-04", "KV-05"};

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

// The lines of a CR LF text.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

// The cells of a fixed-width table line, trimmed.
std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        cells.push_back(Trimmed(line.substr(start, comma - start)));
        if (comma == std::string::npos) {
            return cells;
        }
        start = comma + 1;
    }
}

class ExampleRunOutputs : public kavo::testing::KavoCommandTest {
  protected:
    kavo::testing::TempDir dir;

    void SetUp() override {
        KavoCommandTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        fs::copy(fs::path(KAVO_SOURCE_DIR) / "data" / "Kavo", root(), fs::copy_options::recursive);
    }
    fs::path root() const { return dir.path() / "Kavo"; }
    fs::path project() const { return root() / "Projects" / "ExampleOne"; }
    fs::path setupFile() const { return root() / "software" / "Kavo-Setup.txt"; }
    KavoResult Kavo(const std::string& arguments) {
        return kavo::testing::RunKavo(root(), arguments);
    }
};

// Every table's CSV holds the table's rows: the column IDs, then per depth point the same
// numbers, an empty cell exactly where the table prints -5435.
TEST_F(ExampleRunOutputs, EachTableHasItsCsvWithTheSameRowsAndEmptyCellsForMissingValues) {
    const KavoResult run = Kavo("run");
    ASSERT_EQ(run.status, 0) << run.err;
    for (const std::string& sounding : kSoundings) {
        SCOPED_TRACE(sounding);
        const std::vector<std::string> table =
            Lines(ReadFile(project() / "Soundings" / (sounding + "_Q1o.txt")));
        const CsvRecords csv = ReadCsv(ReadFile(project() / "Soundings" / (sounding + "_Q1o.csv")));
        ASSERT_FALSE(table.empty());
        ASSERT_FALSE(csv.empty());
        EXPECT_EQ(csv.front(), Cells(table.front()));  // the column IDs

        std::size_t firstRow = 0;
        while (firstRow < table.size() && table[firstRow] != "EOH") {
            ++firstRow;
        }
        ASSERT_LT(firstRow, table.size());
        ++firstRow;
        ASSERT_EQ(csv.size() - 1, table.size() - firstRow);
        std::size_t missing = 0;
        for (std::size_t row = 1; row < csv.size(); ++row) {
            const std::vector<std::string> cells = Cells(table[firstRow + row - 1]);
            ASSERT_EQ(csv[row].size(), cells.size()) << "row " << row;
            for (std::size_t column = 0; column < cells.size(); ++column) {
                const std::string& cell = csv[row][column];
                if (cells[column] == "-5435") {
                    EXPECT_EQ(cell, "") << "row " << row << " column " << column;
                    ++missing;
                } else {
                    EXPECT_EQ(cell, cells[column]) << "row " << row << " column " << column;
                    EXPECT_EQ(cell.find_first_of(" ,"), std::string::npos);
                }
            }
        }
        EXPECT_GT(missing, 0u);  // the example's first readings miss values
    }

    const CsvRecords zeroLoad =
        ReadCsv(ReadFile(project() / "Kavo---Output---Zero_Load_Data---ExampleOne.csv"));
    ASSERT_EQ(zeroLoad.size(), kSoundings.size() + 1);
    EXPECT_EQ(zeroLoad.front().front(), "device");
    EXPECT_EQ(zeroLoad.front()[3], "Qc_zClean_atm");
    std::vector<std::string> soundings;
    for (std::size_t row = 1; row < zeroLoad.size(); ++row) {
        ASSERT_EQ(zeroLoad[row].size(), zeroLoad.front().size());
        soundings.push_back(zeroLoad[row][1]);
    }
    std::sort(soundings.begin(), soundings.end());
    EXPECT_EQ(soundings, kSoundings);
}

TEST_F(ExampleRunOutputs, NoCsvWritesNone) {
    ASSERT_EQ(Kavo("run --no-csv").status, 0);
    EXPECT_TRUE(fs::exists(project() / "Soundings" / "KV-01_Q1o.txt"));
    for (const std::string& sounding : kSoundings) {
        EXPECT_FALSE(fs::exists(project() / "Soundings" / (sounding + "_Q1o.csv"))) << sounding;
    }
    EXPECT_FALSE(fs::exists(project() / "Kavo---Output---Zero_Load_Data---ExampleOne.csv"));
}

// The setup file names the project in other capitals; every shown and written path still
// names the folders as they are on disk, with "/".
TEST_F(ExampleRunOutputs, PathsUseSlashesAndTheNamesOnDisk) {
    std::string setup = ReadFile(setupFile());
    setup.replace(setup.find("Last_Project=ExampleOne"), 23, "Last_Project=EXAMPLEONE");
    std::ofstream(setupFile(), std::ios::binary | std::ios::trunc) << setup;
    const KavoResult run = Kavo("run");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_FALSE(Has(run.out, "\\")) << run.out;
    EXPECT_TRUE(Has(run.out, root().string() + "/Projects/ExampleOne/Soundings/\n")) << run.out;
    const std::string table = ReadFile(project() / "Soundings" / "KV-01_Q1o.txt");
    EXPECT_FALSE(Has(table, "\\"));
    EXPECT_TRUE(Has(table, "Zero load data File = " + root().string() +
                               "/Projects/ExampleOne/Kavo---Output---Zero_Load_Data---"))
        << table.substr(0, 2000);
}

TEST_F(ExampleRunOutputs, ProjectChosenOnTheCommandLine) {
    const std::string setup = ReadFile(setupFile());
    const KavoResult unknown = Kavo("run --project Nope");
    EXPECT_EQ(unknown.status, 1);
    EXPECT_TRUE(Has(unknown.err, "PR122")) << unknown.err;
    EXPECT_TRUE(Has(unknown.err,
                    "there is no project \"Nope\" to run; the projects are: "
                    "ExampleOne"))
        << unknown.err;
    EXPECT_EQ(ReadFile(setupFile()), setup);

    const KavoResult chosen = Kavo("run --project exampleone");
    EXPECT_EQ(chosen.status, 0) << chosen.err;
    EXPECT_TRUE(Has(chosen.out, "\n5 total Soundings\n")) << chosen.out;
    EXPECT_TRUE(Has(ReadFile(setupFile()), "\r\nLast_Project=ExampleOne\r\n"));
}

TEST_F(ExampleRunOutputs, HelpOfTheRunListsItsOptionsAndMisuseIsNamed) {
    const KavoResult help = Kavo("run --help");
    EXPECT_EQ(help.status, 0);
    for (const char* option : {"--project", "--norm", "--lowest-qc-depth", "--no-csv",
                               "--check-before-compiling", "--data-root"}) {
        EXPECT_TRUE(Has(help.out, option)) << option << "\n" << help.out;
    }
    const KavoResult unknown = Kavo("frobnicate");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(Has(unknown.err, "unknown action \"frobnicate\"")) << unknown.err;
    const KavoResult none = Kavo("--norm linear");
    EXPECT_EQ(none.status, 2);
    EXPECT_TRUE(Has(none.err, "name an action")) << none.err;
    const KavoResult extra = Kavo("run stray --bogus");
    EXPECT_EQ(extra.status, 2);
    EXPECT_TRUE(Has(extra.err, "stray")) << extra.err;
    // A run option given before the action word still counts.
    EXPECT_EQ(Kavo("--no-csv run").status, 0);
    EXPECT_FALSE(fs::exists(project() / "Soundings" / "KV-01_Q1o.csv"));
}

}  // namespace
