// The project list: its header, its rows, the project folders and the project choices.
#include "projects/project_list.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/data_area_fixture.h"
#include "support/data_error.h"
#include "support/temp_dir.h"
#include "tools/number_text.h"

namespace kavo::projects {
namespace {

using testing::CodeAndDescriptionOf;
using namespace std::string_literals;

const std::string kHeader =
    "{PROJECT_FILE_DIRECTORY} Folder,{ project_name } Name,{3},{PRINTING_TITLE},"
    "{ORG_GRAPHIC_FILE_NAME},{LONG_CENTER},{LAT_CENTER},{CLIENT_NAME},{CLIENT_PROJECT_CODE},"
    "{DATE_DIRECTORY_STARTED}\r\n";

class ProjectListTest : public testing::DataAreaFixture {
  protected:
    ProjectList list;
    std::string selected = "-5435";
    ProjectContext context{reporter, area, window, list, selected};

    void SetUp() override { ResetProjectRecord(list.record, area.projectName); }
    void WriteList(const std::string& content) {
        dir.Write("Projects/Kavo_ProjectS---Mine.csv", content);
    }
    void MakeFolder(const std::string& name) {
        std::filesystem::create_directories(dir.path() / "Projects" / name);
    }
};

TEST_F(ProjectListTest, ColumnsAreFoundByIdOrByNumber) {
    struct Case {
        std::string id;
        std::size_t column;  // kept column index; 6 for a recognised column not kept
        bool standard;
    };
    for (const Case& c : {Case{" PROJECT_CODE ", 2, true}, Case{"3", 2, true}, Case{"6", 5, true},
                          Case{"CLIENT_NAME", 6, true}, Case{"10", 6, true}, Case{"11", 0, false},
                          Case{"project_code", 0, false}}) {
        ProjectRecord record;
        std::string current = "Before";
        std::string id = c.id;
        EXPECT_EQ(AssignProjectColumn(record, current, id, "v"), c.standard) << c.id;
        EXPECT_EQ(id, std::string(tools::Trim(c.id)));
        if (c.standard && c.column < ProjectRecord::kKeptColumns) {
            EXPECT_EQ(record.columns[c.column].value, "v") << c.id;
        }
        EXPECT_EQ(current, "Before");
    }
}

TEST_F(ProjectListTest, OnlyTheFolderColumnChangesTheCurrentProject) {
    ProjectRecord record;
    std::string current = "Before";
    std::string id = "1";
    AssignProjectColumn(record, current, id, "-5435");
    EXPECT_EQ(current, "Before");
    AssignProjectColumn(record, current, id, "P9");
    EXPECT_EQ(current, "P9");
    EXPECT_EQ(record.columns[0].id, "PROJECT_FILE_DIRECTORY");
    ResetProjectRecord(record, current);
    EXPECT_EQ(current, "P9");
    EXPECT_EQ(record.columns[1].value, "-5435");
}

TEST_F(ProjectListTest, ReadingStopsAtTheWantedProject) {
    WriteList(kHeader + "P1,One,C1\r\nP2,Two,C2\r\nP3,Three,C3\r\n");
    EXPECT_TRUE(ReadProjectList(context, "p2"));
    EXPECT_EQ(area.projectName, "P2");
    EXPECT_EQ(list.record.columns[2].value, "C2");
    EXPECT_EQ(list.names, (std::vector<std::string>{"P1", "P2"}));

    EXPECT_FALSE(ReadProjectList(context, ""));
    EXPECT_EQ(area.projectName, "P3");
    EXPECT_EQ(list.names.size(), 3u);
}

TEST_F(ProjectListTest, TrailingEmptyHeaderCellsAndFoldersLeftOutAreAccepted) {
    // The header ends in empty cells; the second row has no folder and keeps the first's.
    WriteList("{1},{2},,\r\nP1,One\r\n-5435,Two\r\n");
    EXPECT_FALSE(ReadProjectList(context, ""));
    EXPECT_EQ(list.headerIds, (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(list.names, (std::vector<std::string>{"P1", "P1"}));
    EXPECT_EQ(list.record.columns[1].value, "Two");
}

TEST_F(ProjectListTest, ProjectsWithoutAFolderAreMarked) {
    WriteList(kHeader + "ExampleOne,One\r\nGhost,Two\r\n");
    MakeFolder("exampleone");
    FillProjectChoices(context);
    EXPECT_EQ(window.control(kProjectChoiceList).items,
              (std::vector<std::string>{"ExampleOne", "Ghost  ---> See NOTE 2 "}));
    EXPECT_EQ(window.control(kProjectFolderNote).text,
              "Note 2: there is no File directory for this entry in Kavo_SoundingS---*.csv ");

    SelectProject(context, "EXAMPLEONE");
    EXPECT_EQ(selected, "EXAMPLEONE");
    EXPECT_EQ(area.projectName, "ExampleOne");
    EXPECT_EQ(window.control(kProjectChoiceList).value, 0);
    EXPECT_EQ(window.control(kChosenProjectLabel).text, "ExampleOne");
    EXPECT_EQ(window.panel().statusCode, "PR121");

    SelectProject(context, "Ghost");  // its choice carries the mark: not found, nothing changes
    EXPECT_EQ(selected, "EXAMPLEONE");
}

TEST_F(ProjectListTest, BadListsEndWithTheirCodes) {
    const std::string purpose = "Reading ProjectS from CSV";
    struct Case {
        std::string content, code, description;
    };
    const Case cases[] = {
        {"{1},PROJECT_NAME\r\nP1,x\r\n", "IDP834",
         purpose + " ---> Getting columns from ``projectS---*.csv`` header row one  ---> for "
                   "column=2 ---> ID=ENDOFLIST, bad `{` to `}` ID pair"},
        {"{1},{NOT_A_PROJECT_COLUMN}\r\nP1,x\r\n", "RE932",
         purpose + " Column ID =NOT_A_PROJECT_COLUMNis not a standardized column ID"},
        {"{1},{2}\r\nP1,x\r\n\r\nP2,y\r\n", "YU112",
         purpose + " blank line not allowed, i.e. extra blank list at EOF"},
        {"{1},{2}\r\nP1,x,surplus\r\n", "FP841",
         purpose + ", project row 1 has field 3 (surplus) beyond the header's 2 columns"},
    };
    for (const Case& c : cases) {
        WriteList(c.content);
        const auto [code, description] =
            CodeAndDescriptionOf([&] { ReadProjectList(context, ""); });
        EXPECT_EQ(code, c.code) << c.content;
        EXPECT_EQ(description, c.description) << c.content;
    }
}

TEST_F(ProjectListTest, EmptyFieldsBeyondTheHeaderAreAccepted) {
    WriteList("{1},{2}\r\n\"P1\",,,,1/2/2026,,,,\r\n");
    EXPECT_EQ(CodeAndDescriptionOf([&] { ReadProjectList(context, ""); }).first, "FP841");
    WriteList("{1},{2}\r\n\"P1\",x,,,,\r\n");
    EXPECT_FALSE(ReadProjectList(context, ""));
    EXPECT_EQ(area.projectName, "P1");
}

TEST_F(ProjectListTest, NoneOrSeveralListsAreRefused) {
    const std::string purpose = "Reading ProjectS from CSV";
    EXPECT_EQ(CodeAndDescriptionOf([&] { ReadProjectList(context, ""); }),
              std::make_pair("FP829"s, purpose + ", no Kavo_ProjectS---*.csv file"));
    WriteList(kHeader);
    dir.Write("Projects/KAVO_PROJECTS---other.CSV", kHeader);
    EXPECT_EQ(CodeAndDescriptionOf([&] { ReadProjectList(context, ""); }),
              std::make_pair("FP822"s, purpose + ", too many Kavo_ProjectS---*.csv files"));
}

TEST_F(ProjectListTest, ListsBeyondTheTablesAreDataErrors) {
    // The list holds as many projects as can be offered for choice, and says so.
    std::string rows = kHeader;
    for (int i = 1; i <= 79; ++i) {
        rows += "P" + std::to_string(i) + ",x\r\n";
    }
    WriteList(rows);
    FillProjectChoices(context);
    EXPECT_EQ(window.control(kProjectChoiceList).items.size(), 79u);
    WriteList(rows + "P80,x\r\n");
    EXPECT_EQ(CodeAndDescriptionOf([&] { FillProjectChoices(context); }),
              std::make_pair("FP889"s, std::string(kProjectListPurpose) +
                                           ", more than 79 projects in the list; at most 79 can "
                                           "be offered for choice"));

    for (int i = 1; i <= 201; ++i) {
        MakeFolder("F" + std::to_string(i));
    }
    EXPECT_EQ(CodeAndDescriptionOf([&] { ListProjectFolders(context); }).first, "WE200");
}

// A project's folder name becomes part of every path of the project.
TEST_F(ProjectListTest, FolderNamesThatLeaveTheProjectsFolderAreRefused) {
    const std::string list = (dir.path() / "Projects" / "Kavo_ProjectS---Mine.csv").string();
    for (const std::string name : {"../../elsewhere", "a/b", "a\\b", "..", "."}) {
        WriteList(kHeader + "ExampleOne,one\r\n\"" + name + "\",two\r\n");
        EXPECT_EQ(CodeAndDescriptionOf([&] { ReadProjectList(context, ""); }),
                  std::make_pair("DAN101"s, list + " line 3: the project folder name «" + name +
                                                "» is refused: a name may not hold \"/\", "
                                                "\"\\\", \"..\" or control characters, so "
                                                "that it stays inside the data area"))
            << name;
    }
}

TEST_F(ProjectListTest, NonStandardHeaderIsLoggedAsAnIssueFirst) {
    WriteList("{1},{NOPE}\r\n");
    EXPECT_EQ(CodeAndDescriptionOf([&] { ReadProjectList(context, ""); }).first, "RE932");
    EXPECT_EQ(reporter.issueCount(), 1);
}

}  // namespace
}  // namespace kavo::projects
