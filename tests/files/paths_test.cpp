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

TEST(PathFor, GivesThePlaceOfEveryKey) {
    DataArea area{"/d/Kavo", "Proj"};
    struct Case {
        const char* key;
        const char* expected;
    };
    for (const Case& c : {
             Case{"SLD VB6", "/d/Kavo-VB6/"},
             Case{"SLD INPUT", "/d/Kavo/SLD input/"},
             Case{"SLD", "/d/Kavo/SLD input/"},
             Case{"SLD-KAVO-*.CSV", "/d/Kavo/SLD input/SLD-Kavo-*.csv"},
             Case{"SLD FOR PLOTTING", "/d/Kavo/Projects/Proj/SLD for plotting/"},
             Case{"SLD OUTPUT", "/d/Kavo/Projects/Proj/SLD output/"},
             Case{"SOFTWARE", "/d/Kavo/software/"},
             Case{"TEMP", "/d/Kavo/software/"},
             Case{"TEMPORARY", "/d/Kavo/software/"},
             Case{"EXTRA", "/d/Kavo/Vaski extras/"},
             Case{"KAVO", "/d/Kavo/"},
             Case{"PROJECTS", "/d/Kavo/Projects/"},
             Case{"PROJECTS---*.CSV", "/d/Kavo/Projects/ProjectS---*.csv"},
             Case{"PROJECT", "/d/Kavo/Projects/Proj/"},
             Case{"SOUNDINGS", "/d/Kavo/Projects/Proj/SOUNDINGS/"},
             Case{"KAVO_SOUNDINGS---*.CSV", "/d/Kavo/Projects/Proj/Kavo_SoundingS---*.csv"},
             Case{"*.CPT", "/d/Kavo/Projects/Proj/soundings/*.CPT"},
         }) {
        EXPECT_EQ(PathFor(area, c.key), c.expected) << c.key;
    }
}

TEST(PathFor, TrimsTheKeyAndIgnoresItsCase) {
    DataArea area{"/d/Kavo", "Proj"};
    EXPECT_EQ(PathFor(area, "  projects "), PathFor(area, "PROJECTS"));
    EXPECT_EQ(PathFor(area, "Sld For Plotting"), PathFor(area, "SLD FOR PLOTTING"));
}

TEST(PathFor, UnknownProjectComesFirstWhateverTheKey) {
    DataArea area{"/d/Kavo", "-5435"};
    for (const char* key : {"SOFTWARE", "KAVO", "no such key"}) {
        tools::DataError error = DataErrorOf([&] { PathFor(area, key); });
        EXPECT_EQ(error.code(), "RS004") << key;
        EXPECT_EQ(error.description(), "project name is UNKNOWN");
    }
}

TEST(PathFor, UnknownKeyIsADataError) {
    DataArea area{"/d/Kavo", "Proj"};
    for (const char* key : {"SOUNDING", "", "PROJECTS---*.TXT"}) {
        tools::DataError error = DataErrorOf([&] { PathFor(area, key); });
        EXPECT_EQ(error.code(), "PATH422") << key;
        EXPECT_EQ(error.description(), "bad CPT DIR naming");
    }
}

class DataAreaTest : public testing::DataAreaFixture {};

TEST_F(DataAreaTest, SoundingsAndFieldFilesAreOneFolder) {
    dir.Write("Projects/ExampleOne/Soundings/CPT-01.cpt", "x");
    dir.Write("Projects/ExampleOne/Soundings/CPT-02.CPT", "x");
    EXPECT_EQ(CountFiles(PathFor(area, "*.CPT")), 2);
    EXPECT_EQ(CountFiles(PathFor(area, "SOUNDINGS") + "*.cpt"), 2);
    EXPECT_EQ(platform::ToRealPath(PathFor(area, "SOUNDINGS") + "CPT-01.cpt"),
              dir.path() / "Projects/ExampleOne/Soundings/CPT-01.cpt");
}

TEST_F(DataAreaTest, NamesEveryFolderAsItIsOnDisk) {
    dir.Write("Projects/ExampleOne/Soundings/CPT-01.cpt", "x");
    dir.Write("SLD INPUT/SLD-Kavo-cQc.csv", "x");
    area.projectName = "EXAMPLEONE";
    struct Case {
        const char* key;
        std::string expected;
    };
    for (const Case& c : {
             Case{"SOUNDINGS", "/Projects/ExampleOne/Soundings/"},
             Case{"*.CPT", "/Projects/ExampleOne/Soundings/*.CPT"},
             Case{"PROJECT", "/Projects/ExampleOne/"},
             Case{"SLD INPUT", "/SLD INPUT/"},
             Case{"SLD-KAVO-*.CSV", "/SLD INPUT/SLD-Kavo-*.csv"},
             Case{"SLD OUTPUT", "/Projects/ExampleOne/SLD output/"},  // not there yet
             Case{"KAVO", "/"},
         }) {
        EXPECT_EQ(PathFor(area, c.key), dir.text() + c.expected) << c.key;
    }
}

TEST_F(DataAreaTest, CountsOrdinaryFilesOnly) {
    dir.Write("Projects/Kavo_ProjectS---a.csv", "x");
    dir.Write("Projects/.Kavo_ProjectS---hidden.csv", "x");
    dir.Write("Projects/Kavo_ProjectS---folder.csv/inside.txt", "x");
    EXPECT_EQ(CountFiles(PathFor(area, "PROJECTS") + "Kavo_ProjectS---*.csv"), 1);
    EXPECT_EQ(CountFiles(PathFor(area, "PROJECTS") + "nothing*"), 0);
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
    std::string path = OpenOnlyFile(area, reporter, file, "PROJECT", "Kavo_SoundingS---*.csv",
                                    "Reading SoundingS");
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
        OpenOnlyFile(area, reporter, file, "PROJECTS", "Kavo_ProjectS---*.csv",
                     "Reading ProjectS from CSV");
    });
    EXPECT_EQ(several.code(), "FP822");
    EXPECT_EQ(several.description(),
              "Reading ProjectS from CSV, too many Kavo_ProjectS---*.csv files");

    tools::DataError none = DataErrorOf([&] {
        OpenOnlyFile(area, reporter, file, "PROJECT", "Kavo_SoundingS---*.csv",
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
