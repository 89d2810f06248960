// Reading the setup file with its completeness check, and writing it with its backup.
#include "setup/setup_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <filesystem>

#include "support/data_area_fixture.h"
#include "support/data_error.h"
#include "support/temp_dir.h"
#include "tools/errors.h"

namespace kavo::setup {
namespace {

using testing::ReadFile;

const std::string kCanonical =
    "Kavo software setup file\r\nRow2_Kavo_Setup_v4\r\nLast_Units=FEET\r\nLast_user=ann\r\n"
    "Last_Project=P7\r\nLast_Equipment=HOG-3\r\nLast_Error=none\r\nEnd\r\n";

class SetupFile : public testing::DataAreaFixture {
  protected:
    std::filesystem::path setupPath = dir.path() / "software" / "Kavo-Setup.txt";
    std::filesystem::path backupPath = dir.path() / "software" / "Kavo-Setup-BACKUP.txt";

    SetupValues Read(const std::string& content) {
        dir.Write("software/Kavo-Setup.txt", content);
        SetupValues values;
        ReadSetupFile(reporter, area, values);
        return values;
    }
    // The code and description of the error that reading `content` ends with.
    std::pair<std::string, std::string> ReadError(const std::string& content) {
        return testing::CodeAndDescriptionOf([&] { Read(content); });
    }
};

TEST_F(SetupFile, WrittenFileReadsBackWithTheSameValues) {
    dir.Write("software/Kavo-Setup.txt", "old file\r\n");
    const SetupValues written{"FEET", "ann", "P7", "HOG-3", "none"};
    WriteSetupFile(reporter, area, written);
    EXPECT_EQ(ReadFile(setupPath), kCanonical);
    EXPECT_EQ(ReadFile(backupPath), "old file\r\n");

    SetupValues read;
    ReadSetupFile(reporter, area, read);
    EXPECT_EQ(read.lastUnits, "FEET");
    EXPECT_EQ(read.lastUser, "ann");
    EXPECT_EQ(read.lastProject, "P7");
    EXPECT_EQ(read.lastEquipment, "HOG-3");
    EXPECT_EQ(read.lastError, "none");
    EXPECT_EQ(area.projectName, "P7");
    EXPECT_EQ(window.panel().statusCode, "WS182");
}

TEST_F(SetupFile, KeysAreMatchedWithoutRegardToCaseAndBlanks) {
    const SetupValues values = Read(
        "any title\nrow2_kavo_setup_v4\n last_units = M \nLAST_USER=x\nlast_project = P2\n"
        "Last_Equipment=\nLast_Error=e1\n  eoh  \nLast_Future_Key=1\n");
    EXPECT_EQ(values.lastProject, "P2");
    EXPECT_EQ(values.lastUnits, "M");
    EXPECT_EQ(values.lastEquipment, "");
    EXPECT_EQ(area.projectName, "P2");
}

TEST_F(SetupFile, IncompleteOrMisshapenFilesAreRejected) {
    const std::string bad = "bad setup File ---> ";
    const std::string file = " (" + setupPath.string() + ": ";
    struct Case {
        std::string content, code, description;
    };
    const Case cases[] = {
        {"t\nRow2_Kavo_Setup_v4\nLast_Units=F\nno equals sign\nEnd\n", "SF931",
         bad + "contains a bad line= no equals sign"},
        {"t\n\nRow2_Kavo_Setup_v4\nLast_Units=F\nLast_user=u\nLast_Project=p\n"
         "Last_Equipment=e\nLast_Error=x\nEnd\n",
         "YV803", bad + "second line must be= Row2_Kavo_Setup_v4"},
        {"t\nLast_Units=F\nLast_user=u\nLast_Project=p\nLast_Equipment=e\nLast_Error=x\nEnd\n",
         "YV803", bad + "second line must be= Row2_Kavo_Setup_v4"},
        {"t\nRow2_Kavo_Setup_v4\nLast_Units=F\nLast_user=u\nLast_Project=p\nLast_Equipment=e\n"
         "Last_Error=x\n",
         "YV777",
         bad + "not all required items are in the file; ---> ID=63/0" + file + "missing End)"},
        {"t\nRow2_Kavo_Setup_v4\nLast_Units=F\nLast_user=u\nLast_user=v\nLast_Project=p\n"
         "Last_Equipment=e\nEnd\n",
         "YV777",
         bad + "not all required items are in the file; ---> ID=99/127" + file +
             "missing Last_Error; repeated Last_user)"},
        {"t\nRow2_Kavo_Setup_v4\nLast_Units=F\nLast_user=u\nLast_Project=../../elsewhere\n",
         "DAN101",
         setupPath.string() +
             " line 5: the project name (Last_Project) «../../elsewhere» is refused: a name may "
             "not hold \"/\", \"\\\", \"..\" or control characters, so that it stays inside "
             "the data area"},
    };
    for (const Case& c : cases) {
        const auto [code, description] = ReadError(c.content);
        EXPECT_EQ(code, c.code) << c.content;
        EXPECT_EQ(description, c.description) << c.content;
    }
}

TEST_F(SetupFile, UnreadableFileIsReportedWithItsPathAndAReasonTheTextLacks) {
    const std::string path = dir.text() + "/software/Kavo-Setup.txt";
    const std::string text =
        "Kavo can't read setup file: " + path + ", either already open or does not exist";
    SetupValues values;
    for (const std::string& expected : {text, text + " (it is a folder)"}) {
        try {
            ReadSetupFile(reporter, area, values);
            FAIL() << "no error";
        } catch (const tools::DataError& error) {
            EXPECT_EQ(error.code(), "ESF812");
            EXPECT_EQ(error.description(), expected);
        }
        std::filesystem::create_directories(setupPath);
    }
    EXPECT_EQ(area.projectName, "ExampleOne");
}

TEST_F(SetupFile, FailedWritesLeaveTheOldFileAsItWas) {
    const SetupValues values{"FEET", "ann", "P7", "HOG-3", "none"};
    const std::string folder = dir.text() + "/software/";
    {
        // No file to back up.
        std::filesystem::create_directories(dir.path() / "software");
        try {
            WriteSetupFile(reporter, area, values);
            FAIL() << "no error";
        } catch (const tools::DataError& error) {
            EXPECT_EQ(error.code(), "ESF342");
            EXPECT_EQ(error.description(), "can't make backup copy of setup file ---> from " +
                                               folder + "Kavo-Setup.txt to --->" + folder +
                                               "Kavo-Setup-BACKUP.txt");
        }
        EXPECT_FALSE(std::filesystem::exists(setupPath));
    }
    {
        // The new file cannot be created beside the old one.
        dir.Write("software/Kavo-Setup.txt", "old file\r\n");
        std::filesystem::create_directories(dir.path() / "software" /
                                            "Kavo-Setup.txt.kavo-partial");
        try {
            WriteSetupFile(reporter, area, values);
            FAIL() << "no error";
        } catch (const tools::DataError& error) {
            EXPECT_EQ(error.code(), "ESF112");
            EXPECT_EQ(error.description(),
                      "can't write setup file to " + folder +
                          "Kavo-Setup.txt, maybe open by another program? e=21 (" +
                          std::strerror(EISDIR) + ")");
        }
        EXPECT_EQ(ReadFile(setupPath), "old file\r\n");
    }
}

}  // namespace
}  // namespace kavo::setup
