// Making a new project: its folders, its project-list row and its soundings template.
#include "projects/new_project.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "projects/project_list.h"
#include "projects/soundings_database.h"
#include "support/data_area_fixture.h"
#include "support/data_error.h"
#include "support/temp_dir.h"

namespace kavo::projects {
namespace {

namespace fs = std::filesystem;
using testing::CodeAndDescriptionOf;
using testing::ReadFile;

const std::string kListHeader =
    "{PROJECT_FILE_DIRECTORY} Project folder,{PROJECT_NAME} Project name,{PROJECT_CODE} Code,"
    "{PRINTING_TITLE} Printing title,{ORG_GRAPHIC_FILE_NAME} Graphic file,{LONG_CENTER} "
    "Longitude,{LAT_CENTER} Latitude,{CLIENT_NAME} Client,{CLIENT_PROJECT_CODE} Client code,"
    "{DATE_DIRECTORY_STARTED} Started\r\n";
const std::string kListRow = "ExampleOne,\"Example One\",EX-1,,,,,,,1/2/2026\r\n";

class NewProjectTest : public testing::DataAreaFixture {
  protected:
    void SetUp() override {
        dir.Write("Projects/Kavo_ProjectS---List.csv", kListHeader + kListRow);
        fs::create_directories(dir.path() / "Projects" / "ExampleOne" / "Soundings");
    }
    fs::path Projects() const { return dir.path() / "Projects"; }
    std::string List() const { return ReadFile(Projects() / "Kavo_ProjectS---List.csv"); }
    std::string Make(const std::string& name) {
        return MakeNewProject(reporter, area, name, "12/8/2026");
    }
};

TEST(SafeProjectName, TrimsAndJoinsWordsWithUnderscores) {
    EXPECT_EQ(SafeProjectName("My Site 2"), "My_Site_2");
    EXPECT_EQ(SafeProjectName("  North Levee "), "North_Levee");
    EXPECT_EQ(SafeProjectName("Plain"), "Plain");
    EXPECT_EQ(SafeProjectName("two  blanks"), "two__blanks");
}

TEST_F(NewProjectTest, MakesFoldersRowAndTemplateAndTellsWhereTheRowWent) {
    const std::string listPath = Make("North Levee");
    EXPECT_TRUE(fs::is_directory(Projects() / "North Levee" / "Soundings"));
    EXPECT_EQ(List(), kListHeader + kListRow + "\"North Levee\",,,,,,,,,12/8/2026\r\n");
    const fs::path templateFile =
        Projects() / "North Levee" / "SoundingS---North_Levee---KavoEditable---.csv";
    EXPECT_EQ(ReadFile(templateFile), SoundingsHeaderRow() + "\r\n");
    EXPECT_EQ(listPath, dir.text() + "/Projects/Kavo_ProjectS---List.csv");
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0], "Project name was placed into " + listPath);
    // The template goes to the new project, never to the project the paths still name.
    EXPECT_TRUE(
        ReadFile(Projects() / "ExampleOne" / "SoundingS---North_Levee---KavoEditable---.csv")
            .empty());
}

TEST_F(NewProjectTest, TheListedProjectIsReadBackWithItsFolder) {
    Make("North Levee");
    ProjectList list;
    std::string selected;
    files::DataArea readArea{dir.text(), "ExampleOne"};
    ResetProjectRecord(list.record, readArea.projectName);
    ProjectContext context{reporter, readArea, window, list, selected};
    EXPECT_TRUE(ReadProjectList(context, "north levee"));
    EXPECT_EQ(readArea.projectName, "North Levee");
    EXPECT_EQ(list.record.columns[4].value, "");  // the graphic file stays empty
}

TEST_F(NewProjectTest, ARowIsNeverJoinedToALastLineWithoutItsLineEnd) {
    dir.Write("Projects/Kavo_ProjectS---List.csv", kListHeader + "ExampleOne");
    Make("South");
    EXPECT_EQ(List(), kListHeader + "ExampleOne\r\n\"South\",,,,,,,,,12/8/2026\r\n");
}

TEST_F(NewProjectTest, RowFollowsTheListsOwnColumnOrder) {
    struct Case {
        std::string header;
        std::string row;
    };
    for (const Case& c : {
             Case{"{1},{2},{3},{4},{5},{6},{7},{8},{9},{10}", "\"P\",,,,,,,,,1/2/2026"},
             Case{"{PROJECT_CODE},{ project_file_directory } Folder", ",\"P\""},
             Case{"{10} Started,{PROJECT_NAME},{1},,", "1/2/2026,,\"P\""},
         }) {
        EXPECT_EQ(ProjectListRow(c.header, "P", "1/2/2026", "list"), c.row) << c.header;
    }
    EXPECT_EQ(CodeAndDescriptionOf([] {
                  ProjectListRow("{PROJECT_NAME},{10}", "P", "d", "L.csv");
              }).first,
              "MP331");
}

TEST_F(NewProjectTest, AnExistingNameIsRefusedWhateverItsCaseAndNothingChanges) {
    dir.Write("Projects/Notes", "a file of that name");
    for (const std::string name : {"ExampleONE", "exampleone", " ExampleOne ", "NOTES"}) {
        EXPECT_EQ(CodeAndDescriptionOf([&] { Make(name); }),
                  (std::pair<std::string, std::string>{"PE943", "project name already exists"}))
            << name;
    }
    EXPECT_EQ(List(), kListHeader + kListRow);
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(NewProjectTest, BlankAndUnsafeNamesAreRefusedBeforeAnythingIsMade) {
    EXPECT_EQ(CodeAndDescriptionOf([&] { Make("   "); }),
              (std::pair<std::string, std::string>{"we343",
                                                   "Project New - project name can't be blank "}));
    for (const std::string name :
         {"..", ".", "../Outside", "a\\b", "Site*", "Why?", "Say \"hi\""}) {
        EXPECT_EQ(CodeAndDescriptionOf([&] { Make(name); }).first, "we344") << name;
    }
    EXPECT_FALSE(fs::exists(dir.path() / "Outside"));
    EXPECT_EQ(List(), kListHeader + kListRow);
}

TEST_F(NewProjectTest, NotExactlyOneProjectListLeavesTheFoldersAndReportsMP329) {
    dir.Write("Projects/Kavo_ProjectS---Second.csv", kListHeader);
    EXPECT_EQ(CodeAndDescriptionOf([&] { Make("Twice"); }),
              (std::pair<std::string, std::string>{"MP329",
                                                   "missing or too many ProjectS---*.csv files"}));
    EXPECT_TRUE(fs::is_directory(Projects() / "Twice" / "Soundings"));
    EXPECT_EQ(List(), kListHeader + kListRow);

    fs::remove(Projects() / "Kavo_ProjectS---Second.csv");
    fs::remove(Projects() / "Kavo_ProjectS---List.csv");
    dir.Write("Projects/ProjectS---WithoutPrefix.csv", kListHeader);
    EXPECT_EQ(CodeAndDescriptionOf([&] { Make("None"); }).first, "MP329");
}

TEST_F(NewProjectTest, ASecondTemplateInTheFolderIsRefused) {
    fs::create_directories(Projects() / "Old");
    dir.Write("Projects/Old/SoundingS---Old---KavoEditable---.csv", "x");
    const auto [code, text] = CodeAndDescriptionOf([&] {
        MakeSoundingsTemplate(reporter, files::DataArea{dir.text(), "Old"}, "Old");
    });
    EXPECT_EQ(code, "WP123");
    EXPECT_EQ(text, dir.text() + "/Projects/Old/SoundingS---*.csv already exists");
}

// The user fills in a row under the template's header and names the file as the reader
// expects: every column arrives where it belongs.
TEST_F(NewProjectTest, TheFilledInTemplateIsASoundingsDatabaseTheReaderAccepts) {
    Make("North Levee");
    const fs::path folder = Projects() / "North Levee";
    std::string content = ReadFile(folder / "SoundingS---North_Levee---KavoEditable---.csv");
    // One value per column, in the header's order: names for text columns, numbers else.
    std::string row;
    std::map<int, int> valueOfColumn;
    for (const SoundingColumn& column : SoundingColumns()) {
        if (column.id.empty()) {
            continue;
        }
        row += row.empty() ? "" : " ";
        row += std::holds_alternative<std::string SoundingRecord::*>(column.field)
                   ? "\"t " + std::to_string(column.number) + "\""
                   : std::to_string(valueOfColumn[column.number] =
                                        static_cast<int>(valueOfColumn.size()) + 1);
    }
    fs::remove(folder / "SoundingS---North_Levee---KavoEditable---.csv");
    dir.Write("Projects/North Levee/Kavo_SoundingS---North_Levee.csv", content + row + "\r\n");

    files::DataArea levee{dir.text(), "North Levee"};
    reporting::TracedInput database;
    SoundingsHeader header;
    SoundingRecord record;
    OpenSoundingsDatabase(reporter, levee, database, header, record);
    ReadSoundingsHeader(reporter, database, header);
    ASSERT_TRUE(ReadSoundingRow(reporter, database, header, record));
    EXPECT_EQ(record.soundingName, "t 1");
    EXPECT_EQ(record.coneAnet, 1.0f);
    EXPECT_EQ(record.siteZoneSubName, "t 223");
    EXPECT_EQ(record.newFillAgeMonthsAgo, static_cast<float>(valueOfColumn.at(289)));
    EXPECT_EQ(record.latBestDegf, static_cast<double>(valueOfColumn.at(104)));
    EXPECT_EQ(record.watertableDepthFeet, static_cast<float>(valueOfColumn.at(140)));
    EXPECT_FALSE(ReadSoundingRow(reporter, database, header, record));
}

}  // namespace
}  // namespace kavo::projects
