// The data area: choosing its root, the place of every key, counting files and opening the
// one file of a kind.
#include <gtest/gtest.h>

#include <string>

#include "files/paths.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "support/data_area_fixture.h"
#include "support/data_error.h"
#include "support/temp_dir.h"
#include "tools/errors.h"

namespace kavo::files {
namespace {

using testing::DataErrorOf;

TEST(ChooseDataAreaRoot, CommandLineThenVariableThenHome) {
    platform::MapEnvironment environment;
    environment.variables["HOME"] = "/home/user/";
    EXPECT_EQ(ChooseDataAreaRoot(std::nullopt, environment), "/home/user/Kavo");
    environment.variables["KAVO_DATA_ROOT"] = "/srv/kavo//";
    EXPECT_EQ(ChooseDataAreaRoot(std::nullopt, environment), "/srv/kavo");
    EXPECT_EQ(ChooseDataAreaRoot(std::string(""), environment), "/srv/kavo");
    EXPECT_EQ(ChooseDataAreaRoot(std::string("/data/K\\"), environment), "/data/K");
    EXPECT_EQ(ChooseDataAreaRoot(std::string("/"), environment), "/");
}

TEST(ChooseDataAreaRoot, WithoutAnyPlaceItIsADataError) {
    platform::MapEnvironment environment;
    EXPECT_EQ(DataErrorOf([&] { ChooseDataAreaRoot(std::nullopt, environment); }).code(), "RS003");
}

// The place of every key, and the key's text as messages name it.
TEST(PathFor, GivesThePlaceOfEveryKey) {
    DataArea area{"/d/Kavo", "Proj"};
    struct Case {
        PathKey key;
        const char* text;
        const char* expected;
    };
    for (const Case& c : {
             Case{PathKey::SldVb6, "SLD VB6", "/d/Kavo-VB6/"},
             Case{PathKey::SldInput, "SLD INPUT", "/d/Kavo/SLD input/"},
             Case{PathKey::SldChartFiles, "SLD-KAVO-*.CSV", "/d/Kavo/SLD input/SLD-Kavo-*.csv"},
             Case{PathKey::SldForPlotting, "SLD FOR PLOTTING",
                  "/d/Kavo/Projects/Proj/SLD for plotting/"},
             Case{PathKey::SldOutput, "SLD OUTPUT", "/d/Kavo/Projects/Proj/SLD output/"},
             Case{PathKey::Software, "SOFTWARE", "/d/Kavo/software/"},
             Case{PathKey::Extra, "EXTRA", "/d/Kavo/Vaski extras/"},
             Case{PathKey::Root, "KAVO", "/d/Kavo/"},
             Case{PathKey::Projects, "PROJECTS", "/d/Kavo/Projects/"},
             Case{PathKey::ProjectListFiles, "PROJECTS---*.CSV",
                  "/d/Kavo/Projects/ProjectS---*.csv"},
             Case{PathKey::Project, "PROJECT", "/d/Kavo/Projects/Proj/"},
             Case{PathKey::Soundings, "SOUNDINGS", "/d/Kavo/Projects/Proj/SOUNDINGS/"},
             Case{PathKey::SoundingsDatabaseFiles, "KAVO_SOUNDINGS---*.CSV",
                  "/d/Kavo/Projects/Proj/Kavo_SoundingS---*.csv"},
             Case{PathKey::FieldFiles, "*.CPT", "/d/Kavo/Projects/Proj/soundings/*.CPT"},
         }) {
        EXPECT_EQ(PathFor(area, c.key), c.expected) << c.text;
        EXPECT_EQ(PathKeyText(c.key), c.text);
    }
}

TEST(PathFor, UnknownProjectComesFirstWhateverTheKey) {
    DataArea area{"/d/Kavo", "-5435"};
    for (PathKey key : {PathKey::Software, PathKey::Root, PathKey::Project}) {
        tools::DataError error = DataErrorOf([&] { PathFor(area, key); });
        EXPECT_EQ(error.code(), "RS004") << PathKeyText(key);
        EXPECT_EQ(error.description(), "project name is UNKNOWN");
    }
}

// A key that the table of places lacks is refused, not read past the table.
TEST(PathFor, UnknownKeyIsADataError) {
    DataArea area{"/d/Kavo", "Proj"};
    const auto missing = static_cast<PathKey>(static_cast<int>(PathKey::FieldFiles) + 1);
    tools::DataError error = DataErrorOf([&] { PathFor(area, missing); });
    EXPECT_EQ(error.code(), "PATH422");
    EXPECT_EQ(error.description(), "bad CPT DIR naming");
    EXPECT_EQ(PathKeyText(missing), "");
}

class DataAreaTest : public testing::DataAreaFixture {};

TEST_F(DataAreaTest, SoundingsAndFieldFilesAreOneFolder) {
    dir.Write("Projects/ExampleOne/Soundings/CPT-01.cpt", "x");
    dir.Write("Projects/ExampleOne/Soundings/CPT-02.CPT", "x");
    EXPECT_EQ(CountFiles(PathFor(area, PathKey::FieldFiles)), 2);
    EXPECT_EQ(CountFiles(PathFor(area, PathKey::Soundings) + "*.cpt"), 2);
    EXPECT_EQ(platform::ToRealPath(PathFor(area, PathKey::Soundings) + "CPT-01.cpt"),
              dir.path() / "Projects/ExampleOne/Soundings/CPT-01.cpt");
}

TEST_F(DataAreaTest, NamesEveryFolderAsItIsOnDisk) {
    dir.Write("Projects/ExampleOne/Soundings/CPT-01.cpt", "x");
    dir.Write("SLD INPUT/SLD-Kavo-cQc.csv", "x");
    area.projectName = "EXAMPLEONE";
    struct Case {
        PathKey key;
        std::string expected;
    };
    for (const Case& c : {
             Case{PathKey::Soundings, "/Projects/ExampleOne/Soundings/"},
             Case{PathKey::FieldFiles, "/Projects/ExampleOne/Soundings/*.CPT"},
             Case{PathKey::Project, "/Projects/ExampleOne/"},
             Case{PathKey::SldInput, "/SLD INPUT/"},
             Case{PathKey::SldChartFiles, "/SLD INPUT/SLD-Kavo-*.csv"},
             Case{PathKey::SldOutput, "/Projects/ExampleOne/SLD output/"},  // not there yet
             Case{PathKey::Root, "/"},
         }) {
        EXPECT_EQ(PathFor(area, c.key), dir.text() + c.expected) << PathKeyText(c.key);
    }
}

TEST_F(DataAreaTest, CountsOrdinaryFilesOnly) {
    dir.Write("Projects/Kavo_ProjectS---a.csv", "x");
    dir.Write("Projects/.Kavo_ProjectS---hidden.csv", "x");
    dir.Write("Projects/Kavo_ProjectS---folder.csv/inside.txt", "x");
    EXPECT_EQ(CountFiles(PathFor(area, PathKey::Projects) + "Kavo_ProjectS---*.csv"), 1);
    EXPECT_EQ(CountFiles(PathFor(area, PathKey::Projects) + "nothing*"), 0);
    EXPECT_EQ(CountFiles(dir.text() + "/no such folder/*"), 0);
}

TEST_F(DataAreaTest, CountsAsNoneFromNineThousandNineHundredNinetyNineFiles) {
    for (int i = 0; i < 9998; ++i) {
        dir.Write("many/f" + std::to_string(i) + ".txt", "");
    }
    EXPECT_EQ(CountFiles(dir.text() + "/many/*.txt"), 9998);
    dir.Write("many/last.txt", "");
    EXPECT_EQ(CountFiles(dir.text() + "/many/*.txt"), 0);
}

TEST_F(DataAreaTest, OpensTheOnlyFileThroughTheTrace) {
    dir.Write("projects/exampleone/KAVO_SOUNDINGS---x.CSV", "{ID}\r\nrow\r\n");
    reporting::TracedInput file;
    std::string path = OpenOnlyFile(area, reporter, file, PathKey::Project,
                                    "Kavo_SoundingS---*.csv", "Reading SoundingS");
    // The folders as they are on disk, whatever the case of the key's texts and the project.
    std::string expected = dir.text() + "/projects/exampleone/KAVO_SOUNDINGS---x.CSV";
    EXPECT_EQ(path, expected);
    EXPECT_TRUE(file.IsOpen());
    EXPECT_EQ(file.number(), 1);
    EXPECT_EQ(window.panel().statusCode, "RP901");
    EXPECT_EQ(reporter.remembered().process, "Reading PROJECT");
    EXPECT_EQ(reporter.remembered().inputFile, expected);
    EXPECT_EQ(reporter.history()[0].line, "----OPEN File----");
    EXPECT_EQ(reporter.history()[0].fileName, expected);
    EXPECT_EQ(reporter.history()[0].description, "open if only one");
    std::string line;
    EXPECT_TRUE(reporter.TraceLineInput(file, line, "x", "header"));
    EXPECT_EQ(line, "{ID}");
}

TEST_F(DataAreaTest, RefusesSeveralOrNoMatchingFiles) {
    dir.Write("Projects/Kavo_ProjectS---a.csv", "x");
    dir.Write("Projects/Kavo_ProjectS---b.CSV", "x");
    reporting::TracedInput file;
    tools::DataError several = DataErrorOf([&] {
        OpenOnlyFile(area, reporter, file, PathKey::Projects, "Kavo_ProjectS---*.csv",
                     "Reading ProjectS from CSV");
    });
    EXPECT_EQ(several.code(), "FP822");
    EXPECT_EQ(several.description(),
              "Reading ProjectS from CSV, too many Kavo_ProjectS---*.csv files");

    tools::DataError none = DataErrorOf([&] {
        OpenOnlyFile(area, reporter, file, PathKey::Project, "Kavo_SoundingS---*.csv",
                     "Reading SoundingS");
    });
    EXPECT_EQ(none.code(), "FP829");
    EXPECT_EQ(none.description(), "Reading SoundingS, no Kavo_SoundingS---*.csv file");

    EXPECT_FALSE(file.IsOpen());
    EXPECT_TRUE(reporter.history().empty());
    EXPECT_EQ(window.panel().statusCode, "");
}

}  // namespace
}  // namespace kavo::files
