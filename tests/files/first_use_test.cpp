// First use: the data area's folders, the setup file and program copied, the example project.
#include "files/first_use.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "projects/new_project.h"
#include "support/recording_window.h"
#include "support/temp_dir.h"
#include "tools/errors.h"

namespace kavo::files {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;

// Records the status code of every progress report.
class CodeWindow : public testing::RecordingWindow {
  public:
    void PanelChanged() override {
        if (codes.empty() || codes.back() != panel().statusCode) {
            codes.push_back(panel().statusCode);
        }
    }
    std::vector<std::string> codes;
};

class FirstUseTest : public ::testing::Test {
  protected:
    testing::TempDir dir;
    CodeWindow window;
    platform::FileNumbers numbers;
    reporting::Reporter reporter{window, numbers};
    fs::path source = dir.path() / "source" / "Kavo";
    fs::path root = dir.path() / "root";
    InstallationSource installation{source.string(), (dir.path() / "bin" / "kavo").string()};
    std::vector<std::string> made;

    void SetUp() override {
        dir.Write("bin/kavo", "program v2");
        dir.Write("source/Kavo/software/Kavo-Setup.txt", "shipped setup");
        dir.Write("source/Kavo/Projects/Kavo_ProjectS---List.csv",
                  "{PROJECT_FILE_DIRECTORY}\r\nExampleOne\r\n");
        dir.Write("source/Kavo/Projects/ExampleOne/Kavo_SoundingS---ExampleOne.csv",
                  "{1}\r\nA\r\n");
        dir.Write("source/Kavo/Projects/ExampleOne/Soundings/A.CPT", "field data");
        dir.Write("source/Kavo/SLD input/SLD-Kavo-Ic_tln-v1.csv", "chart");
    }
    void Install() {
        FirstUseSetup(reporter, root.string(), installation, [&](std::string_view name) {
            made.emplace_back(name);
            projects::MakeNewProject(reporter, DataArea{root.string(), "ExampleOne"}, name, "d");
        });
    }
    static std::string CodeOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const tools::DataError& error) {
            return error.code();
        }
        return "no error";
    }
};

TEST_F(FirstUseTest, AnEmptyRootGetsTheWholeExampleDataArea) {
    Install();
    EXPECT_EQ(made, std::vector<std::string>{"ExampleOne"});
    EXPECT_EQ(ReadFile(root / "software" / "Kavo-Setup.txt"), "shipped setup");
    EXPECT_EQ(ReadFile(root / "software" / "kavo"), "program v2");
    EXPECT_TRUE(fs::is_directory(root / "SLD data files for plotting"));
    // The source's list replaces the one the example row was appended to.
    EXPECT_EQ(ReadFile(root / "Projects" / "Kavo_ProjectS---List.csv"),
              "{PROJECT_FILE_DIRECTORY}\r\nExampleOne\r\n");
    const fs::path example = root / "Projects" / "ExampleOne";
    EXPECT_EQ(ReadFile(example / "Kavo_SoundingS---ExampleOne.csv"), "{1}\r\nA\r\n");
    EXPECT_EQ(ReadFile(example / "Soundings" / "A.CPT"), "field data");
    EXPECT_TRUE(fs::exists(example / "SoundingS---ExampleOne---KavoEditable---.csv"));
    EXPECT_EQ(ReadFile(root / "SLD input" / "SLD-Kavo-Ic_tln-v1.csv"), "chart");
    EXPECT_EQ(window.codes,
              (std::vector<std::string>{"ICP932", "SC113", "SC119", "RE823", "SC334", "SC999"}));
}

TEST_F(FirstUseTest, ASecondFirstUseKeepsTheSetupReplacesTheProgramAndStopsAtPE943) {
    Install();
    dir.Write("root/software/Kavo-Setup.txt", "the user's setup");
    dir.Write("root/Projects/ExampleOne/Soundings/A.CPT", "edited field data");
    dir.Write("bin/kavo", "program v3");
    EXPECT_EQ(CodeOf([&] { Install(); }), "PE943");
    EXPECT_EQ(ReadFile(root / "software" / "Kavo-Setup.txt"), "the user's setup");
    EXPECT_EQ(ReadFile(root / "software" / "kavo"), "program v3");
    EXPECT_EQ(ReadFile(root / "Projects" / "ExampleOne" / "Soundings" / "A.CPT"),
              "edited field data");
}

TEST_F(FirstUseTest, AProjectListAlreadyThereKeepsItsRowsAndStaysTheOnlyList) {
    dir.Write("source/Kavo/Projects/readme.txt", "about projects");
    for (const std::string name : {"Kavo_ProjectS---Mine.csv", "Kavo_ProjectS---List.csv"}) {
        testing::TempDir other;
        root = other.path() / "root";
        fs::create_directories(root / "Projects");
        std::ofstream(root / "Projects" / name, std::ios::binary) << "{1}\r\nMine\r\n";
        Install();
        EXPECT_EQ(ReadFile(root / "Projects" / name), "{1}\r\nMine\r\n\"ExampleOne\"\r\n");
        EXPECT_EQ(
            std::distance(fs::directory_iterator(root / "Projects"), fs::directory_iterator{}),
            3)
            << name;  // the list, the example folder and the readme
        EXPECT_EQ(ReadFile(root / "Projects" / "readme.txt"), "about projects");
    }
}

TEST_F(FirstUseTest, AMissingSourceIsAnErrorOfTheSetup) {
    installation.root = (dir.path() / "nowhere").string();
    EXPECT_EQ(CodeOf([&] { Install(); }), "SC801");
    EXPECT_FALSE(fs::exists(root));

    installation.root = source.string();
    installation.programPath = (dir.path() / "bin" / "gone").string();
    EXPECT_EQ(CodeOf([&] { Install(); }), "SC801");

    installation.programPath = (dir.path() / "bin" / "kavo").string();
    fs::remove_all(source / "Projects" / "ExampleOne" / "Soundings");
    EXPECT_EQ(CodeOf([&] { Install(); }), "SC801");
}

TEST_F(FirstUseTest, CopyFileIfAbsentCopiesOnlyWhatItShould) {
    const fs::path from = dir.Write("a/from.txt", "new");
    struct Case {
        std::string destination;  // relative to the temporary folder
        std::string before;       // "" for none, "<folder>" for a folder of that name
        bool replace;
        bool copied;
        std::string after;
    };
    for (const Case& c :
         {Case{"b/one.txt", "", false, true, "new"}, Case{"b/two.txt", "old", false, false, "old"},
          Case{"b/three.txt", "old", true, true, "new"},
          Case{"b/four.txt", "<folder>", false, false, ""}}) {
        const fs::path to = dir.path() / c.destination;
        if (c.before == "<folder>") {
            fs::create_directories(to);
        } else if (!c.before.empty()) {
            dir.Write(c.destination, c.before);
        }
        fs::create_directories(to.parent_path());
        EXPECT_EQ(CopyFileIfAbsent(from.string(), to.string(), c.replace), c.copied)
            << c.destination;
        EXPECT_EQ(ReadFile(to), c.after) << c.destination;
    }
    EXPECT_EQ(CodeOf([&] { CopyFileIfAbsent((dir.path() / "a/none").string(), "x", true); }),
              "SC801");
    EXPECT_EQ(CodeOf([&] { CopyFileIfAbsent(from.string(), from.string(), true); }), "SC802");
    EXPECT_EQ(ReadFile(from), "new");
}

TEST_F(FirstUseTest, CopyFolderFilesTakesTheFilesNotTheFolders) {
    dir.Write("from/one.csv", "1");
    dir.Write("from/NoDot", "2");
    dir.Write("from/inner/three.csv", "3");
    dir.Write("to/one.csv", "old");
    CopyFolderFiles((dir.path() / "from").string(), (dir.path() / "to").string());
    EXPECT_EQ(ReadFile(dir.path() / "to" / "one.csv"), "1");
    EXPECT_EQ(ReadFile(dir.path() / "to" / "NoDot"), "2");
    EXPECT_FALSE(fs::exists(dir.path() / "to" / "inner"));
    EXPECT_EQ(CodeOf([&] { CopyFolderFiles((dir.path() / "gone").string(), "to"); }), "SC801");
}

}  // namespace
}  // namespace kavo::files
