// The kavo command's window actions, run as a separate program: first use on an empty data
// area, new projects, the equation test and a scripted shell session.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/kavo_command.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using kavo::testing::ReadFile;

using Result = kavo::testing::KavoResult;

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class WindowActionsCommand : public kavo::testing::KavoCommandTest {
  protected:
    kavo::testing::TempDir dir;

    fs::path root() const { return dir.path() / "Kavo"; }
    static std::string Source() { return (fs::path(KAVO_SOURCE_DIR) / "data" / "Kavo").string(); }

    // Runs kavo on the data area with `arguments`, standard input from `input`.
    Result Kavo(const std::string& arguments, const std::string& input = "") {
        return kavo::testing::RunKavo(root(), arguments, input);
    }
    Result FirstUse() { return Kavo("first-use --source '" + Source() + "'"); }
};

TEST_F(WindowActionsCommand, FirstUseOnAnEmptyRootThenARunOfTheExample) {
    const Result installed = FirstUse();
    ASSERT_EQ(installed.status, 0) << installed.err;
    EXPECT_TRUE(Has(installed.out, "[SC999] DONE with making directories and ExampleOne data\n"));
    EXPECT_EQ(ReadFile(root() / "software" / "kavo"), ReadFile(std::getenv("KAVO_BIN")));
    EXPECT_TRUE(fs::exists(root() / "Projects" / "ExampleOne" / "Soundings" / "KV-05.CPT"));
    EXPECT_FALSE(fs::exists(root() / "Projects" / "ExampleONE"));  // one spelling everywhere

    const Result run = Kavo("run");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Has(run.out, "\n5 total Soundings\n")) << run.out;

    std::ofstream(root() / "software" / "Kavo-Setup.txt", std::ios::binary | std::ios::app)
        << "kept\r\n";
    const std::string setup = ReadFile(root() / "software" / "Kavo-Setup.txt");
    std::ofstream(root() / "software" / "kavo", std::ios::binary) << "an older program";
    const Result again = FirstUse();
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(Has(again.err, "Kavo software  Error Code: PE943\n")) << again.err;
    EXPECT_EQ(ReadFile(root() / "software" / "Kavo-Setup.txt"), setup);
    EXPECT_EQ(ReadFile(root() / "software" / "kavo"), ReadFile(std::getenv("KAVO_BIN")));
}

TEST_F(WindowActionsCommand, FirstUseWithoutItsSourceIsADataError) {
    const Result result = Kavo("first-use --source '" + (dir.path() / "none").string() + "'");
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(Has(result.err, "Error Code: SC801\n")) << result.err;
}

// The program in its build tree installs from the source tree's example data area.
TEST_F(WindowActionsCommand, FirstUseFromTheBuildTreeFindsTheSourceTreesDataArea) {
    const Result installed = Kavo("first-use");
    ASSERT_EQ(installed.status, 0) << installed.err;
    EXPECT_EQ(ReadFile(root() / "Projects" / "ExampleOne" / "Soundings" / "KV-01.CPT"),
              ReadFile(fs::path(Source()) / "Projects" / "ExampleOne" / "Soundings" / "KV-01.CPT"));
    EXPECT_FALSE(Has(installed.out + installed.err, "\\")) << installed.out;
}

TEST_F(WindowActionsCommand, NewProjectsAndTheirErrors) {
    fs::copy(Source(), root(), fs::copy_options::recursive);
    const Result made = Kavo("new-project \"North Levee\"");
    EXPECT_EQ(made.status, 0) << made.err;
    EXPECT_TRUE(Has(made.out, "Project name was placed into ")) << made.out;
    EXPECT_TRUE(fs::is_directory(root() / "Projects" / "North Levee" / "Soundings"));
    EXPECT_TRUE(fs::exists(root() / "Projects" / "North Levee" /
                           "SoundingS---North_Levee---KavoEditable---.csv"));
    EXPECT_TRUE(Has(ReadFile(root() / "Projects" / "Kavo_ProjectS---List.csv"),
                    "\r\n\"North Levee\",,,,,,,,,"));

    const Result exists = Kavo("new-project ExampleONE");
    EXPECT_EQ(exists.status, 1);
    EXPECT_TRUE(Has(exists.err, "Error Code: PE943\n")) << exists.err;

    fs::copy_file(root() / "Projects" / "Kavo_ProjectS---List.csv",
                  root() / "Projects" / "Kavo_ProjectS---Copy.csv");
    const Result twoLists = Kavo("new-project South");
    EXPECT_EQ(twoLists.status, 1);
    EXPECT_TRUE(Has(twoLists.err, "Error Code: MP329\n")) << twoLists.err;
    EXPECT_EQ(Kavo("new-project").status, 2);
}

TEST_F(WindowActionsCommand, EquationTestListsEveryStartWithItsVerdict) {
    const Result result = Kavo("equation-test");
    EXPECT_EQ(result.status, 0);
    EXPECT_TRUE(Has(result.out, "1) token=\"-12.3E34\" end=10 GOOD\n")) << result.out;
    EXPECT_TRUE(Has(result.out, "ENDOFLINE\n"));
}

TEST_F(WindowActionsCommand, AScriptedShellSessionRunsExportsMakesAProjectAndEnds) {
    fs::copy(Source(), root(), fs::copy_options::recursive);
    const Result result =
        Kavo("shell", "status\nrun\nexport-charts\nnew-project North Levee\nprojects\nend\n");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(Has(result.out, "Select Project Directory:\n  ExampleOne\n")) << result.out;
    EXPECT_TRUE(Has(result.out, "Issues counter= "));
    std::size_t runs = 0;
    for (std::size_t at = result.out.find("[GL130] Starting Kavo Main Routine");
         at != std::string::npos; at = result.out.find("[GL130] Starting", at + 1)) {
        ++runs;
    }
    EXPECT_EQ(runs, 2u);  // the load's run and the typed one
    EXPECT_TRUE(fs::exists(root() / "Projects" / "North Levee" /
                           "SoundingS---North_Levee---KavoEditable---.csv"));
}

TEST_F(WindowActionsCommand, EverySubcommandExplainsItselfInTheWindowsWords) {
    for (const auto& [command, words] :
         {std::pair<std::string, std::string>{"run", "Make Q1o output files and the zero"},
          {"export-charts", "Generate SLD truckcaded files (SLDp)"},
          {"first-use", "Prepare Kavo for the FIRST USE"},
          {"new-project", "Enter Project directory name:"},
          {"equation-test", "Equation test"},
          {"shell", "END or the end of the"}}) {
        const Result result = Kavo(command + " --help");
        EXPECT_EQ(result.status, 0) << command;
        EXPECT_TRUE(Has(result.out, words)) << command << "\n" << result.out;
    }
}

}  // namespace
