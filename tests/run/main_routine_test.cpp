// Whole runs of the program on a copy of the example data area: start-up, the batch run,
// its outputs, and the end of a run on each data error of the setup file, the project list
// and the soundings database.
#include "run/main_routine.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <unistd.h>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "platform/data_area_lock.h"
#include "projects/soundings_database.h"
#include "reporting/reporter.h"
#include "run/action.h"
#include "run/stage_board.h"
#include "run/window_actions.h"
#include "setup/run_settings.h"
#include "support/data_error.h"
#include "support/recording_window.h"
#include "support/temp_dir.h"

namespace kavo::run {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;

// A timer that gives the readings it was told, one per call (the last one repeated).
class SteppingClock : public platform::FixedClock {
  public:
    std::vector<double> readings{0.0};
    double SecondsSinceMidnight() const override {
        return readings[std::min(next_++, readings.size() - 1)];
    }

  private:
    mutable std::size_t next_ = 0;
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

const std::string kSetupOld =
    "Kavo setup as last left\r\nRow2_Kavo_Setup_v4\r\nlast_units = FEET\r\nLast_user=Kavo\r\n"
    "Last_Project= ExampleOne\r\nLast_Equipment=HOG\r\nLast_Error=none\r\nEOH\r\n";
const std::string kSetupWritten =
    "Kavo software setup file\r\nRow2_Kavo_Setup_v4\r\nLast_Units=FEET\r\nLast_user=Kavo\r\n"
    "Last_Project=ExampleOne\r\nLast_Equipment=HOG\r\nLast_Error=none\r\nEnd\r\n";

class WholeRun : public ::testing::Test {
  public:
    testing::TempDir dir;
    testing::RecordingWindow window;
    SteppingClock clock;
    platform::MapEnvironment environment;
    std::unique_ptr<Program> program;

    fs::path root() const { return dir.path(); }
    fs::path setupFile() const { return root() / "software" / "Kavo-Setup.txt"; }
    fs::path backupFile() const { return root() / "software" / "Kavo-Setup-BACKUP.txt"; }
    fs::path database() const {
        return root() / "Projects" / "ExampleOne" / "Kavo_SoundingS---ExampleOne.csv";
    }
    fs::path projectList() const { return root() / "Projects" / "Kavo_ProjectS---List.csv"; }
    std::string Log() const { return ReadFile(root() / reporting::kTasksLogName); }
    // The database's path as the messages show it.
    std::string DatabaseText() const {
        return dir.text() + "/Projects/ExampleOne/Kavo_SoundingS---ExampleOne.csv";
    }
    fs::path Soundings() const { return root() / "Projects" / "ExampleOne" / "Soundings"; }
    std::string Trace() const { return ReadFile(root() / reporting::kTraceName); }

    void SetUp() override {
        fs::copy(fs::path(KAVO_SOURCE_DIR) / "data" / "Kavo", root(), fs::copy_options::recursive);
        dir.Write("software/Kavo-Setup.txt", kSetupOld);
        environment.variables["COMPUTERNAME"] = "FIELD-PC";
        platform::ProgramInfo info{
            8, 0, 11, "Kavo Project", "Linux build of 2026", "/opt/kavo/bin/kavo"};
        program = std::make_unique<Program>(window, clock, environment, info);
        program->configuredRoot = dir.text();
        setup::SetStartUpValues(window);
    }
    int Run() {
        return RunAction(*program, [this] { LoadMainWindow(*program); });
    }
};

TEST_F(WholeRun, ExampleDataAreaRunsToItsSummary) {
    clock.readings = {86390.0, 10.0};  // the run passes midnight after 20 seconds
    ASSERT_EQ(Run(), kExitDone);

    const std::vector<std::string> log = Lines(Log());
    ASSERT_GE(log.size(), 3u) << Log();
    EXPECT_EQ(log[0], "Kavo Software, vender=Kavo Project     version=8.0.11");
    EXPECT_EQ(log[1], "   Start of Kavo software --- Starting at date/time=1/2/2026 3:04:05 PM");
    EXPECT_EQ(log.back(), "   End of Tasks & Issues: 1/2/2026  3:04:05 PM");

    EXPECT_EQ(ReadFile(setupFile()), kSetupWritten);
    EXPECT_EQ(ReadFile(backupFile()), kSetupOld);

    const auto& fields = window.panel().fields;
    EXPECT_EQ(fields[0], "           Done");
    // The eight example soundings end at 850 ft in all (the five Hogentogler files 736 ft, the
    // GEF file 20.004 m, the CSV file 10.35 m, the AGS4 test 4.34 m): 850 ft / 20 s, whole
    // feet per second.
    EXPECT_EQ(fields[1], "850 total feet in 20 secs     @ 42 ft/sec");
    EXPECT_EQ(fields[2], "8 total Soundings");
    EXPECT_EQ(fields[4], "Q1o files are in     " + dir.text() + "/Projects/ExampleOne/Soundings/");
    EXPECT_EQ(window.panel().statusCode, "");
    EXPECT_TRUE(window.control(control::kRun).enabled);
    EXPECT_TRUE(window.errorWindows.empty());

    EXPECT_EQ(program->versionText, "8.0.11");
    EXPECT_EQ(program->computerName, "FIELD-PC");
    EXPECT_EQ(window.control(control::kVersionLabel).text, "Kavo Version = 8.0.11");
    EXPECT_EQ(window.control(control::kVersionDateLabel).text, "Linux build of 2026");
    EXPECT_EQ(window.control(control::kSystemAreaLabel).text,
              "EXE drive=/opt/kavo/   and   Kavo data area= " + dir.text());
    EXPECT_EQ(program->tables.settings.chartDataLocation, "INTERNAL");
    EXPECT_EQ(program->tables.settings.showLineBreakdown, "False");
    EXPECT_EQ(program->tables.soundingsHeader.count, 7);
    EXPECT_EQ(window.control(projects::kProjectChoiceList).items,
              std::vector<std::string>{"ExampleOne"});

    program.reset();  // the program's end closes the trace
    // Header, then the project list read three times (two lines each) and the setup file;
    // every line of every field file is traced, each file read to its end.
    const std::vector<std::string> trace = Lines(Trace());
    EXPECT_EQ(trace[0],
              "\"*** Line input ***\",\"*** what ***\",\"*** File ***\",\"*** file # ***\"");
    EXPECT_EQ(trace[7].rfind("\"Kavo setup as last left\",\"reading sestup file\",", 0), 0u);
    for (const std::string name : {"KV-01", "KV-02", "KV-03", "KV-04", "KV-05"}) {
        const fs::path file = root() / "Projects" / "ExampleOne" / "Soundings" / (name + ".CPT");
        const std::size_t fileLines = Lines(ReadFile(file)).size();
        const std::size_t traced =
            std::count_if(trace.begin(), trace.end(), [&](const std::string& row) {
                return row.find(name + ".CPT\",") != std::string::npos;
            });
        EXPECT_EQ(traced, fileLines) << name;
    }
}

// A window that notes the sounding the loop shows whenever the loop gives it time.
class SoundingWatcher : public testing::RecordingWindow {
  public:
    std::vector<std::string> seen;
    void ProcessEvents() override {
        RecordingWindow::ProcessEvents();
        const std::string& name = panel().loop.name;
        if (!name.empty() && (seen.empty() || seen.back() != name)) {
            seen.push_back(name);
        }
    }
};

TEST_F(WholeRun, EverySoundingRowFillsTheRecordOfItsSoundingInTurn) {
    // The window sees the soundings in the database's order, also with soundings computed
    // side by side.
    SoundingWatcher watcher;
    setup::SetStartUpValues(watcher);
    Program own(watcher, clock, environment, program->info);
    own.configuredRoot = dir.text();
    own.jobs = 3;
    ASSERT_EQ(RunAction(own, [&] { LoadMainWindow(own); }), kExitDone);
    const std::vector<std::string> names = {"KV-01", "KV-02", "KV-03", "KV-04",
                                            "KV-05", "KV-06", "KV-07", "BH-WFS1-5"};
    EXPECT_EQ(watcher.seen, names);

    // The rows, read as the loop reads them, give each record its own values.
    reporting::Reporter reporter(watcher, own.fileNumbers);
    const files::DataArea area{dir.text(), "ExampleOne"};
    reporting::TracedInput file;
    projects::SoundingsHeader header;
    projects::SoundingRecord record;
    projects::OpenSoundingsDatabase(reporter, area, file, header, record);
    projects::ReadSoundingsHeader(reporter, file, header);
    std::vector<projects::SoundingRecord> seen;
    while (projects::ReadSoundingRow(reporter, file, header, record)) {
        seen.push_back(record);
        record = projects::SoundingRecord{};
    }
    ASSERT_EQ(seen.size(), 8u);
    const float waterTables[] = {8, 12, 5, 10, 15, 3, 6, 0};
    const char* methods[] = {"WT", "KAVO", "WT", "KAVO", "WT", "WT", "KAVO", "WT"};
    for (std::size_t i = 0; i < 8; ++i) {
        const projects::SoundingRecord& row = seen[i];
        EXPECT_EQ(row.soundingName, names[i]);
        EXPECT_EQ(row.watertableDepthFeet, waterTables[i]);
        EXPECT_EQ(row.uwtMethod, methods[i]);
        EXPECT_EQ(row.siteName, i < 7 ? "Example Levee" : "Borssele offshore");
    }
    EXPECT_EQ(seen[0].uwtAboveWtPcf, 115.0f);
    EXPECT_EQ(seen[2].uwtBelowWtPcf, 120.0f);
    EXPECT_EQ(seen[1].uwtAboveWtPcf, -5435.0f);
    EXPECT_EQ(seen[4].uwtBelowWtPcf, 122.0f);
}

TEST_F(WholeRun, NamesAreFoundWhateverTheirCase) {
    fs::rename(database(), root() / "Projects" / "ExampleOne" / "KAVO_SOUNDINGS---x.CSV");
    fs::rename(root() / "Projects" / "ExampleOne", root() / "Projects" / "exampleone");
    fs::rename(root() / "Projects", root() / "projects");
    fs::rename(root() / "software", root() / "SOFTWARE");
    ASSERT_EQ(Run(), kExitDone) << (window.errorWindows.empty()
                                        ? ""
                                        : window.errorWindows[0].description);
    EXPECT_EQ(window.panel().fields[2], "8 total Soundings");
    EXPECT_EQ(ReadFile(root() / "SOFTWARE" / "Kavo-Setup.txt"), kSetupWritten);
}

TEST_F(WholeRun, SummaryNamesTheFoldersAsTheyAreOnDisk) {
    fs::rename(root() / "Projects" / "ExampleOne", root() / "Projects" / "exampleone");
    fs::rename(root() / "Projects" / "exampleone" / "Soundings",
               root() / "Projects" / "exampleone" / "SOUNDINGS");
    ASSERT_EQ(Run(), kExitDone);
    EXPECT_EQ(window.panel().fields[4],
              "Q1o files are in     " + dir.text() + "/Projects/exampleone/SOUNDINGS/");
    EXPECT_EQ(window.panel().fields[5],
              "Zero load data File      " + dir.text() +
                  "/Projects/exampleone/Kavo---Output---Zero_Load_Data---ExampleOne.txt");
}

// The project named for the run becomes the setup file's last project before the run reads
// it; a name that is none of the projects stops before anything is written.
TEST_F(WholeRun, ProjectChosenForTheRun) {
    ASSERT_EQ(RunAction(*program, [this] { LoadMainWindow(*program, "exampleONE"); }), kExitDone);
    EXPECT_EQ(window.panel().fields[2], "8 total Soundings");
    EXPECT_EQ(ReadFile(setupFile()), kSetupWritten);
    EXPECT_EQ(program->setup.lastProject, "ExampleOne");

    dir.Write("software/Kavo-Setup.txt", kSetupOld);
    ASSERT_EQ(RunAction(*program, [this] { LoadMainWindow(*program, "Nope"); }), kExitDataError);
    ASSERT_EQ(window.errorWindows.size(), 1u);
    EXPECT_EQ(window.errorWindows[0].code, "PR122");
    EXPECT_EQ(window.errorWindows[0].description,
              "there is no project \"Nope\" to run; the projects are: ExampleOne");
    EXPECT_EQ(ReadFile(setupFile()), kSetupOld);
}

TEST_F(WholeRun, FirstUseWithoutAnInstallationSourceAsksForOne) {
    // The program's info names /opt/kavo/bin/kavo: nothing is installed beside it, and it
    // does not run from a build tree.
    const tools::DataError error =
        testing::DataErrorOf([this] { InstallationSourceFor(*program); });
    EXPECT_EQ(error.code(), "SC801");
    EXPECT_NE(error.description().find("pass --source DIR"), std::string::npos)
        << error.description();

    program->sourceTreeDataRoot = (fs::path(KAVO_SOURCE_DIR) / "data" / "Kavo").string();
    EXPECT_EQ(InstallationSourceFor(*program).root, program->sourceTreeDataRoot);
    EXPECT_EQ(InstallationSourceFor(*program, "/given").root, "/given");
}

// The soundings are counted before the first one: a run the zero-load file could not take
// is refused before any table is written.
TEST_F(WholeRun, MoreSoundingsThanOneRunTakesAreRefusedBeforeTheFirstTable) {
    for (const int soundings : {1001, 2001}) {
        std::string rows = "{1},{180}\r\n";
        for (int i = 1; i <= soundings; ++i) {
            rows += "KV-" + std::to_string(i) + " KAVO\r\n";
        }
        program.reset();
        fs::remove_all(root());
        fs::create_directories(root());
        window = testing::RecordingWindow{};
        SetUp();
        dir.Write("Projects/ExampleOne/Kavo_SoundingS---ExampleOne.csv", rows);
        ASSERT_EQ(Run(), kExitDataError) << soundings;
        ASSERT_EQ(window.errorWindows.size(), 1u);
        EXPECT_EQ(window.errorWindows[0].code, "GLS200");
        EXPECT_EQ(window.errorWindows[0].description,
                  "Sounding data processing --- the soundings database lists " +
                      std::to_string(soundings) +
                      " soundings; one run processes at most 1000, split the project");
        EXPECT_FALSE(fs::exists(root() / "Projects" / "ExampleOne" / "Soundings" / "KV-1_Q1o.txt"));
        EXPECT_FALSE(fs::exists(root() / "Projects" / "ExampleOne" /
                                "Kavo---Output---Zero_Load_Data---ExampleOne.txt"));
        EXPECT_EQ(ReadFile(setupFile()), kSetupOld);
    }
}

// A window whose user presses the run action whenever the run gives it time.
class ImpatientWindow : public testing::RecordingWindow {
  public:
    Program* program = nullptr;
    int nestedRuns = 0;
    void ProcessEvents() override {
        RecordingWindow::ProcessEvents();
        if (program != nullptr && control(control::kRun).enabled) {
            ++nestedRuns;
            MainRoutine(*program);
        }
    }
};

TEST_F(WholeRun, RunActionDuringARunIsRefused) {
    ImpatientWindow impatient;
    setup::SetStartUpValues(impatient);
    Program own(impatient, clock, environment, program->info);
    own.configuredRoot = dir.text();
    GeneralSetups(own);
    impatient.program = &own;
    ASSERT_EQ(RunAction(own, [&] { MainRoutine(own); }), kExitDone);
    EXPECT_GT(impatient.nestedRuns, 0);
    EXPECT_EQ(impatient.panel().fields[2], "8 total Soundings");
    const std::string log = Log();
    std::size_t ends = 0;
    for (std::size_t at = log.find("End of Tasks"); at != std::string::npos;
         at = log.find("End of Tasks", at + 1)) {
        ++ends;
    }
    EXPECT_EQ(ends, 1u);
}

TEST_F(WholeRun, MissingDataAreaIsAClearError) {
    program->configuredRoot = dir.text() + "/no-such-area";
    ASSERT_EQ(Run(), kExitDataError);
    ASSERT_EQ(window.errorWindows.size(), 1u);
    EXPECT_EQ(window.errorWindows[0].code, "OTR101");
    EXPECT_EQ(window.errorWindows[0].description,
              "Kavo can't create the input-lines trace file " + dir.text() + "/no-such-area/" +
                  reporting::kTraceName + "; is the data area there? (the data area " + dir.text() +
                  "/no-such-area does not exist; make it with `kavo first-use`)");
}

// Each data error ends the run with its code and description in the log's error block, and
// leaves the setup file as it was.
TEST_F(WholeRun, DataErrorsEndTheRunWithTheirBlockAndNoSetupFile) {
    struct Case {
        std::string name;
        std::function<void(WholeRun&)> breakIt;
        std::string code;
        std::function<std::string(const WholeRun&)> description;
        bool tablesWritten = false;  // the error comes after the first sounding
    };
    auto text = [](std::string t) { return [t](const WholeRun&) { return t; }; };
    auto setupWith = [](std::string content) {
        return [content](WholeRun& run) { run.dir.Write("software/Kavo-Setup.txt", content); };
    };
    auto listWith = [](std::string content) {
        return [content](WholeRun& run) {
            run.dir.Write("Projects/Kavo_ProjectS---List.csv", content);
        };
    };
    auto databaseWith = [](std::string content) {
        return [content](WholeRun& run) {
            run.dir.Write("Projects/ExampleOne/Kavo_SoundingS---ExampleOne.csv", content);
        };
    };
    const std::string badSetup = "bad setup File ---> ";
    const std::string listPurpose = "Reading ProjectS from CSV";
    const std::string dbPurpose = "Reading SouningS file";
    const std::vector<Case> cases = {
        {"no setup file", [](WholeRun& run) { fs::remove(run.setupFile()); }, "ESF812",
         [](const WholeRun& run) {
             return "Kavo can't read setup file: " + run.dir.text() +
                    "/software/Kavo-Setup.txt, either already open or does not exist";
         }},
        {"bad setup line", setupWith("t\r\nRow2_Kavo_Setup_v4\r\nwhat is this\r\nEnd\r\n"), "SF931",
         text(badSetup + "contains a bad line= what is this")},
        {"format mark on line 3", setupWith("t\r\n\r\nRow2_Kavo_Setup_v4\r\nEnd\r\n"), "YV803",
         text(badSetup + "second line must be= Row2_Kavo_Setup_v4")},
        {"setup without End",
         setupWith("t\r\nRow2_Kavo_Setup_v4\r\nLast_Units=F\r\nLast_user=u\r\n"
                   "Last_Project=ExampleOne\r\nLast_Equipment=e\r\nLast_Error=x\r\n"),
         "YV777",
         [](const WholeRun& run) {
             return "bad setup File ---> not all required items are in the file; ---> ID=63/0 (" +
                    run.setupFile().string() + ": missing End)";
         }},
        {"no backup possible", [](WholeRun& run) { fs::create_directories(run.backupFile()); },
         "ESF342",
         [](const WholeRun& run) {
             const std::string folder = run.dir.text() + "/software/";
             return "can't make backup copy of setup file ---> from " + folder +
                    "Kavo-Setup.txt to --->" + folder + "Kavo-Setup-BACKUP.txt";
         },
         true},
        {"two project lists",
         [](WholeRun& run) {
             fs::copy_file(run.projectList(), run.root() / "Projects" / "kavo_projects---2.CSV");
         },
         "FP822", text(listPurpose + ", too many Kavo_ProjectS---*.csv files")},
        {"no project list", [](WholeRun& run) { fs::remove(run.projectList()); }, "FP829",
         text(listPurpose + ", no Kavo_ProjectS---*.csv file")},
        {"header cell without braces", listWith("{1},PROJECT_NAME\r\nExampleOne,x\r\n"), "IDP834",
         text(listPurpose +
              " ---> Getting columns from ``projectS---*.csv`` header row one  ---> for "
              "column=2 ---> ID=ENDOFLIST, bad `{` to `}` ID pair")},
        {"unknown project column", listWith("{1},{OWNER}\r\nExampleOne,x\r\n"), "RE932",
         text(listPurpose + " Column ID =OWNERis not a standardized column ID")},
        {"blank project line", listWith("{1}\r\nExampleOne\r\n\r\n"), "YU112",
         text(listPurpose + " blank line not allowed, i.e. extra blank list at EOF")},
        {"no soundings database", [](WholeRun& run) { fs::remove(run.database()); }, "DX392",
         text(dbPurpose + ", needs a SoundingS---*.csv file ")},
        {"two soundings databases",
         [](WholeRun& run) {
             fs::copy_file(run.database(),
                           run.database().parent_path() / "Kavo_SoundingS---copy.csv");
         },
         "DX322", text(dbPurpose + ", only one SoundingS---*.csv file allowed")},
        {"unknown sounding column",
         databaseWith("{1},{180},{NOT_A_COLUMN}\r\nKV-01 KAVO\r\nKV-02 KAVO x\r\n"), "CCN824",
         text("searching soundingSfile list, Can't find ID=NOT_A_COLUMN"), true},
        {"water table not a number", databaseWith("{1},{140}\r\nKV-01 deep\r\n"), "SSFR222",
         text("Water Table depth during field work  (feet) IS NOT =deep")},
        {"latitude missing", databaseWith("{1},{104},{140}\r\nKV-01,,5\r\n"), "LL121",
         text("Lat (Deg fraction) IS NOT =")},
        {"empty soundings database", databaseWith(""), "DX838",
         [dbPurpose](const WholeRun& run) {
             return dbPurpose + ", the soundings database is empty: " + run.DatabaseText();
         }},
        {"no sounding rows", databaseWith("{1},{140}\r\n"), "DX838",
         [dbPurpose](const WholeRun& run) {
             return dbPurpose + ", no sounding rows after the header row of " + run.DatabaseText();
         }},
        {"header cut off", databaseWith("KV-01 5\r\nKV-02 6\r\n"), "DX837",
         [dbPurpose](const WholeRun& run) {
             return dbPurpose +
                    ", the header row names no {SOUNDING_NAME} column; was the header cut "
                    "off? " +
                    run.DatabaseText();
         }},
        {"sounding listed twice",
         databaseWith("{1},{180}\r\nKV-01 KAVO\r\nKV-02 KAVO\r\nKV-01 WT\r\n"), "DX839",
         [dbPurpose](const WholeRun& run) {
             return dbPurpose + ", sounding KV-01 is listed twice: lines 2 and 4 of " +
                    run.DatabaseText() + "; each sounding has one row";
         }},
    };
    for (const Case& c : cases) {
        fs::remove_all(root());
        fs::create_directories(root());
        window = testing::RecordingWindow{};
        SetUp();
        c.breakIt(*this);
        const bool hadSetup = fs::exists(setupFile());
        const std::string setupBefore = ReadFile(setupFile());

        EXPECT_EQ(Run(), kExitDataError) << c.name;
        ASSERT_EQ(window.errorWindows.size(), 1u) << c.name;
        EXPECT_EQ(window.errorWindows[0].code, c.code) << c.name;
        const std::string description = c.description(*this);
        EXPECT_EQ(window.errorWindows[0].description, description) << c.name;
        EXPECT_NE(Log().find("Error--------------------------start\r\nError description =" +
                             description + "\r\n"),
                  std::string::npos)
            << c.name << "\n"
            << Log();
        EXPECT_EQ(fs::exists(setupFile()), hadSetup) << c.name;
        EXPECT_EQ(ReadFile(setupFile()), setupBefore) << c.name;
        EXPECT_EQ(Log().find("End of Tasks"), std::string::npos) << c.name;
        EXPECT_EQ(fs::exists(Soundings() / "KV-01_Q1o.txt"), c.tablesWritten) << c.name;
    }
}

TEST_F(WholeRun, SetupFileThatCannotBeWrittenStaysAsItWas) {
    fs::create_directories(root() / "software" / "Kavo-Setup.txt.kavo-partial");
    ASSERT_EQ(Run(), kExitDataError);
    ASSERT_EQ(window.errorWindows.size(), 1u);
    EXPECT_EQ(window.errorWindows[0].code, "ESF112");
    EXPECT_NE(Log().find("Error description =can't write setup file to " + dir.text() +
                         "/software/Kavo-Setup.txt, maybe open by another program? e="),
              std::string::npos);
    EXPECT_EQ(ReadFile(setupFile()), kSetupOld);
}

// Names from the soundings database never lead outside the data area: neither by "..", nor
// through a link. The data area is moved one level down, so that a name that escapes it
// would land in the test's own folder, where a readable field file waits.
TEST_F(WholeRun, SoundingsCannotReachOutsideTheDataArea) {
    const fs::path area = root() / "area";
    fs::create_directories(area);
    for (const fs::directory_entry& entry : fs::directory_iterator(root())) {
        if (entry.path() != area) {
            fs::rename(entry.path(), area / entry.path().filename());
        }
    }
    program->configuredRoot = area.string();
    const fs::path escape = root() / "escape";
    fs::create_directories(escape);
    const fs::path soundings = area / "Projects" / "ExampleOne" / "Soundings";
    fs::copy_file(soundings / "KV-01.CPT", escape / "ESC.CPT");
    fs::create_symlink(escape / "ESC.CPT", soundings / "LINK.CPT");
    const fs::path database = area / "Projects" / "ExampleOne" / "Kavo_SoundingS---ExampleOne.csv";

    const struct {
        std::string row, code, description;
    } cases[] = {
        {"../../../../escape/ESC", "DAN101",
         database.string() +
             " line 2: the sounding name «../../../../escape/ESC» is refused: a name may not "
             "hold \"/\", \"\\\", \"..\" or control characters, so that it stays inside the "
             "data area"},
        {"KV-01 10 P 8 FILE 115 ../escape.uwt", "DAN101",
         database.string() +
             " line 2: the unit-weight file name «../escape.uwt» is refused: a name may not hold "
             "\"/\", \"\\\", \"..\" or control characters, so that it stays inside the data "
             "area"},
        {"LINK", "DAN102",
         "the field data file " + (soundings / "LINK.CPT").string() + " leads to " +
             (escape / "ESC.CPT").string() + ", outside the data area " + area.string()},
    };
    for (const auto& c : cases) {
        std::ofstream(database, std::ios::binary | std::ios::trunc)
            << "{1},{2},{13},{140},{180},{181},{183}\r\n" + c.row + "\r\n";
        window = testing::RecordingWindow{};
        setup::SetStartUpValues(window);
        ASSERT_EQ(Run(), kExitDataError) << c.row;
        ASSERT_EQ(window.errorWindows.size(), 1u);
        EXPECT_EQ(window.errorWindows[0].code, c.code) << c.row;
        EXPECT_EQ(window.errorWindows[0].description, c.description);
        EXPECT_EQ(ReadFile(area / reporting::kTraceName).find("ESC.CPT"), std::string::npos);
        std::vector<std::string> outside;
        for (const fs::directory_entry& entry : fs::directory_iterator(escape)) {
            outside.push_back(entry.path().filename().string());
        }
        EXPECT_EQ(outside, std::vector<std::string>{"ESC.CPT"}) << c.row;
    }
}

TEST_F(WholeRun, ATableThatCannotBePutInPlaceSaysWhy) {
    fs::create_directories(root() / "Projects" / "ExampleOne" / "Soundings" / "KV-01_Q1o.txt");
    ASSERT_EQ(Run(), kExitDataError);
    ASSERT_EQ(window.errorWindows.size(), 1u);
    EXPECT_EQ(window.errorWindows[0].code, "QC384");
    const std::string& description = window.errorWindows[0].description;
    EXPECT_EQ(description.rfind("the Q1o file could not be written: ", 0), 0u) << description;
    EXPECT_NE(description.find(std::string("KV-01_Q1o.txt (") + std::strerror(EISDIR) + ")"),
              std::string::npos)
        << description;
}

// The superuser reads any file, whatever its permissions: run as the superuser, the run
// happens in a child process that has given up root for the unprivileged user "nobody".
void GiveUpRoot(const fs::path& dataArea) {
    if (geteuid() != 0) {
        return;
    }
    constexpr uid_t kNobody = 65534;
    fs::permissions(dataArea, fs::perms::all, fs::perm_options::add);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dataArea)) {
        if (entry.path().filename() != "Kavo_SoundingS---ExampleOne.csv") {
            fs::permissions(entry.path(), fs::perms::all, fs::perm_options::add);
        }
    }
    if (setgroups(0, nullptr) != 0 || setresgid(kNobody, kNobody, kNobody) != 0 ||
        setresuid(kNobody, kNobody, kNobody) != 0) {
        std::fprintf(stderr, "cannot give up root\n");
        std::_Exit(99);
    }
}

TEST_F(WholeRun, UnreadableSoundingsDatabaseIsReportedWithItsPath) {
    fs::permissions(database(), fs::perms::none);
    const std::string expected =
        "problem opening; " + dir.text() +
        "/Projects/ExampleOne/Kavo_SoundingS---ExampleOne.csv {is is open?} (" +
        std::strerror(EACCES) + ")";
    EXPECT_EXIT(
        {
            GiveUpRoot(root());
            const int status = Run();
            const bool reported = window.errorWindows.size() == 1 &&
                                  window.errorWindows[0].code == "MG332" &&
                                  window.errorWindows[0].description == expected;
            const std::string shown =
                window.errorWindows.empty()
                    ? "no error window"
                    : window.errorWindows[0].code + " " + window.errorWindows[0].description;
            std::fprintf(stderr, "%s\n", reported ? "reported with its path" : shown.c_str());
            std::_Exit(status);
        },
        ::testing::ExitedWithCode(kExitDataError), "reported with its path");
    fs::permissions(database(), fs::perms::owner_all);
}

// A run that keeps going: the sounding without its field file gets its error block and no
// table, the others are processed, and the summary names the failed one.
TEST_F(WholeRun, KeepGoingLogsAFailedSoundingAndGoesOn) {
    fs::remove(Soundings() / "KV-03.CPT");
    window.control(setup::control::kKeepGoing).value = setup::kChecked;
    ASSERT_EQ(Run(), kExitDone);
    ASSERT_EQ(program->tables.failedSoundings.size(), 1u);
    const FailedSounding& failed = program->tables.failedSoundings[0];
    EXPECT_EQ(failed.sequence, 3);
    EXPECT_EQ(failed.name, "KV-03");
    EXPECT_TRUE(window.errorWindows.empty());
    for (const std::string name : {"KV-01", "KV-02", "KV-04", "KV-05"}) {
        EXPECT_TRUE(fs::exists(Soundings() / (name + "_Q1o.txt"))) << name;
    }
    EXPECT_FALSE(fs::exists(Soundings() / "KV-03_Q1o.txt"));
    const std::string zeroLoad = ReadFile(root() / "Projects" / "ExampleOne" /
                                          "Kavo---Output---Zero_Load_Data---ExampleOne.txt");
    EXPECT_EQ(zeroLoad.find("KV-03"), std::string::npos);
    EXPECT_NE(zeroLoad.find("KV-05"), std::string::npos);
    EXPECT_EQ(window.panel().fields[2], "7 total Soundings");

    const std::string log = Log();
    const std::string block =
        "Error--------------------------start\r\nError description =" + failed.description + "\r\n";
    EXPECT_NE(log.find(block), std::string::npos) << log;
    EXPECT_LT(log.find(block), log.find("KV-04"));
    const std::string listed = "  sounding 3 KV-03: " + failed.code + " " + failed.description;
    const std::vector<std::string>& summary = window.panel().summaryLines;
    ASSERT_GE(summary.size(), 2u);
    EXPECT_EQ(summary[0], "Failed soundings: 1 (no table written; error blocks in the log)");
    EXPECT_EQ(summary[1], listed);
    EXPECT_NE(log.find("   " + listed + "\r\n"), std::string::npos);
}

TEST_F(WholeRun, WithoutKeepGoingTheFirstFailedSoundingEndsTheRun) {
    fs::remove(Soundings() / "KV-03.CPT");
    ASSERT_EQ(Run(), kExitDataError);
    ASSERT_EQ(window.errorWindows.size(), 1u);
    EXPECT_EQ(window.errorWindows[0].sounding, "KV-03");
    EXPECT_TRUE(fs::exists(Soundings() / "KV-02_Q1o.txt"));
    EXPECT_FALSE(fs::exists(Soundings() / "KV-04_Q1o.txt"));
}

// The numbers in a summary table row after its name.
std::vector<long> CountsOf(const std::string& row) {
    std::istringstream words(row);
    std::vector<long> counts;
    std::string word;
    while (words >> word) {
        if (std::isdigit(static_cast<unsigned char>(word[0]))) {
            counts.push_back(std::stol(word));
        }
    }
    return counts;
}

// The log keeps every issue line and ends with the summary, whose counts add up to the issue
// counter: by sounding, by kind, and missing inputs against the lines that show -5435.
TEST_F(WholeRun, IssueSummaryAtTheLogsEndAddsUpToTheCounter) {
    ASSERT_EQ(Run(), kExitDone);
    const std::int32_t counter = program->reporter.issueCount();
    ASSERT_GT(counter, 100);
    EXPECT_EQ(window.panel().issueCount, std::to_string(counter));
    const std::vector<std::string> log = Lines(Log());

    long issueLines = 0;
    long missingLines = 0;
    for (const std::string& line : log) {
        const bool range = line.find("   out of range --- ") != std::string::npos;
        issueLines += range || line.find("Calculatd c is unstable") != std::string::npos ||
                      line.find("poor c calculation closure") != std::string::npos ||
                      line.find("effective stress is zero at depth") != std::string::npos ||
                      line.find("without end-marker rows") != std::string::npos;
        missingLines += range && line.find(" of -5435 outside of the range") != std::string::npos;
    }
    EXPECT_EQ(issueLines, counter);

    const auto start = std::find(log.begin(), log.end(),
                                 "   Issue summary: " + std::to_string(counter) + " issues");
    ASSERT_NE(start, log.end()) << Log();
    ASSERT_EQ(log.back().rfind("   End of Tasks & Issues: ", 0), 0u);
    long bySounding = 0;
    long byKind = 0;
    long missingByKind = 0;
    std::vector<long> all;
    bool kinds = false;
    for (auto line = start + 3; line + 1 != log.end(); ++line) {
        if (line->rfind("   Issues by kind", 0) == 0) {
            kinds = true;
            continue;
        }
        const std::vector<long> counts = CountsOf(*line);
        ASSERT_FALSE(counts.empty()) << *line;
        if (line->find("all soundings") != std::string::npos) {
            all = counts;
        } else if (kinds) {
            byKind += counts[0];
            missingByKind += counts.size() > 1 && line->find("out of range") != std::string::npos
                                 ? counts[1]
                                 : 0;
        } else {
            bySounding += counts[0];
            EXPECT_EQ(counts[0], counts[1] + counts[2] + counts[3] + counts[4] + counts[5])
                << *line;
        }
    }
    EXPECT_EQ(bySounding, counter);
    EXPECT_EQ(byKind, counter);
    ASSERT_EQ(all.size(), 6u);
    EXPECT_EQ(all[0], counter);
    EXPECT_EQ(all[1], missingLines);
    EXPECT_EQ(missingByKind, missingLines);
    EXPECT_EQ(window.panel().summaryLines.front(),
              "Issue summary: " + std::to_string(counter) + " issues");
}

// A second program on the same data area is refused before it touches the first one's log.
TEST_F(WholeRun, ASecondProgramOnTheDataAreaIsRefused) {
    GeneralSetups(*program);
    const std::string logBefore = Log();
    testing::RecordingWindow secondWindow;
    setup::SetStartUpValues(secondWindow);
    Program second(secondWindow, clock, environment, program->info);
    second.configuredRoot = dir.text();
    ASSERT_EQ(RunAction(second, [&] { LoadMainWindow(second); }), kExitDataError);
    ASSERT_EQ(secondWindow.errorWindows.size(), 1u);
    EXPECT_EQ(secondWindow.errorWindows[0].code, "LK101");
    EXPECT_EQ(secondWindow.errorWindows[0].description,
              "another Kavo program is working in the data area " + dir.text() + " (process " +
                  std::to_string(getpid()) + "); wait until it has ended, then run again");
    EXPECT_EQ(Log(), logBefore);
    program.reset();  // the first program ends
    EXPECT_EQ(RunAction(second, [&] { LoadMainWindow(second); }), kExitDone);
}

TEST_F(WholeRun, UnfinishedFilesOfAnEarlierProgramAreRemoved) {
    dir.Write("Projects/ExampleOne/Soundings/KV-01_Q1o.txt.kavo-partial", "half a table");
    dir.Write("Vaski extras/KV-09-----SLD direction info---------.csv.kavo-partial", "half");
    ASSERT_EQ(Run(), kExitDone);
    EXPECT_FALSE(fs::exists(Soundings() / "KV-01_Q1o.txt.kavo-partial"));
    EXPECT_FALSE(fs::exists(root() / "Vaski extras" /
                            "KV-09-----SLD direction info---------.csv.kavo-partial"));
    EXPECT_NE(Log().find("   Removed 2 unfinished files (*.kavo-partial) left by an earlier "
                         "program\r\n"),
              std::string::npos);
}

// The chart-direction trace meets a full disk: the run stops with the reason, and the trace
// of an earlier run stays whole under its name, as does the sounding's earlier table.
TEST_F(WholeRun, ATraceThatCannotBeWrittenLeavesTheEarlierOneWhole) {
    const fs::path extras = root() / "Vaski extras";
    const fs::path trace = extras / "KV-01-----SLD direction info---------.csv";
    dir.Write("Vaski extras/KV-01-----SLD direction info---------.csv", "earlier trace\r\n");
    dir.Write("Projects/ExampleOne/Soundings/KV-01_Q1o.txt", "earlier table\r\n");
    fs::create_symlink("/dev/full", extras / (trace.filename().string() + ".kavo-partial"));
    ASSERT_EQ(Run(), kExitDataError);
    ASSERT_EQ(window.errorWindows.size(), 1u);
    EXPECT_EQ(window.errorWindows[0].code, "QC388");
    EXPECT_EQ(ReadFile(trace), "earlier trace\r\n");
    EXPECT_EQ(ReadFile(Soundings() / "KV-01_Q1o.txt"), "earlier table\r\n");
}

TEST_F(WholeRun, ALockFileThatCannotBeMadeIsReportedWithTheReason) {
    fs::create_directories(root() / platform::kLockFileName);
    ASSERT_EQ(Run(), kExitDataError);
    ASSERT_EQ(window.errorWindows.size(), 1u);
    EXPECT_EQ(window.errorWindows[0].code, "LK102");
    EXPECT_EQ(window.errorWindows[0].description, "Kavo can't lock the data area " + dir.text() +
                                                      " with its file .kavo-run.lock (" +
                                                      std::strerror(EISDIR) + ")");
}

// A window that cuts the soundings database back to its first row while the first sounding
// is processed, as another program editing the file would.
class DatabaseCutter : public testing::RecordingWindow {
  public:
    fs::path database;
    std::uintmax_t keepBytes = 0;
    void ProcessEvents() override {
        RecordingWindow::ProcessEvents();
        if (keepBytes > 0 && panel().loop.sounding == 1) {
            fs::resize_file(database, keepBytes);
            keepBytes = 0;
        }
    }
};

TEST_F(WholeRun, ADatabaseCutDuringTheRunIsADataError) {
    // Rows longer than the reader's buffer, so the cut reaches the rows not yet read.
    const std::string padding(20000, 'x');
    const std::string header = "{1},{180},{192}\r\n";
    const std::string first = "KV-01 KAVO " + padding + "\r\n";
    dir.Write("Projects/ExampleOne/Kavo_SoundingS---ExampleOne.csv",
              header + first + "KV-02 KAVO " + padding + "\r\nKV-03 KAVO " + padding + "\r\n");
    DatabaseCutter cutter;
    cutter.database = database();
    cutter.keepBytes = header.size() + first.size();
    setup::SetStartUpValues(cutter);
    Program own(cutter, clock, environment, program->info);
    own.configuredRoot = dir.text();
    // With one job the loop reads each row when it reaches it; with more it reads a few rows
    // ahead of the sounding the window shows.
    own.jobs = 1;
    ASSERT_EQ(RunAction(own, [&] { LoadMainWindow(own); }), kExitDataError);
    ASSERT_EQ(cutter.errorWindows.size(), 1u);
    EXPECT_EQ(cutter.errorWindows[0].code, "RL125");
    EXPECT_EQ(cutter.errorWindows[0].description,
              "Reading SouningS file, the database has fewer rows than the 3 counted before the "
              "soundings: was it changed during the run?");
}

}  // namespace
}  // namespace kavo::run
