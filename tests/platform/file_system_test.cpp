// The file system as the system sees it: case-insensitive paths, wildcards, listing, file
// numbers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "support/temp_dir.h"

namespace kavo::platform {
namespace {

TEST(ToRealPath, FindsEachComponentWhateverItsCase) {
    testing::TempDir dir;
    auto real = dir.Write("Projects/ExampleOne/Kavo_SoundingS---x.csv", "x");
    EXPECT_EQ(ToRealPath(dir.text() + "\\projects\\exampleone\\KAVO_SOUNDINGS---x.CSV"), real);
    EXPECT_EQ(ToRealPath(dir.text() + "/PROJECTS/ExampleOne/kavo_soundings---X.csv"), real);
}

TEST(ToRealPath, KeepsTheGivenSpellingFromTheFirstMissingComponent) {
    testing::TempDir dir;
    dir.Write("Projects/a.txt", "x");
    EXPECT_EQ(ToRealPath(dir.text() + "\\PROJECTS\\New_Folder\\Out_Q1o.txt"),
              dir.path() / "Projects" / "New_Folder" / "Out_Q1o.txt");
}

TEST(WildcardMatches, StarAndQuestionMarkWithoutRegardToCase) {
    struct Case {
        const char* pattern;
        const char* name;
        bool matches;
    };
    for (const Case& c : {
             Case{"*.CPT", "cpt-01.cpt", true},
             Case{"*.CPT", "cpt-01.cpt.bak", false},
             Case{"Kavo_ProjectS---*.csv", "KAVO_PROJECTS---.CSV", true},
             Case{"Kavo_ProjectS---*.csv", "Kavo_ProjectS--x.csv", false},
             Case{"SLD-Kavo-*.csv", "SLD-Kavo-Ic-chart.csv", true},
             Case{"a?c", "abc", true},
             Case{"a?c", "ac", false},
             Case{"*", "", true},
             Case{"", "x", false},
             Case{"*a*b", "xaxxb", true},
             Case{"*a*b", "xaxxbc", false},
         }) {
        EXPECT_EQ(WildcardMatches(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
    }
}

TEST(ListMatching, SeparatesFilesFromFoldersAndSkipsHiddenNames) {
    testing::TempDir dir;
    dir.Write("Projects/b.csv", "x");
    dir.Write("Projects/A.CSV", "x");
    dir.Write("Projects/.hidden.csv", "x");
    dir.Write("Projects/ExampleOne/x.txt", "x");
    dir.Write("Projects/Folder.csv/x.txt", "x");
    EXPECT_EQ(ListMatching(dir.text() + "\\projects\\*.csv", EntryKind::File),
              (std::vector<std::string>{"A.CSV", "b.csv"}));
    EXPECT_EQ(ListMatching(dir.text() + "\\projects\\*", EntryKind::Folder),
              (std::vector<std::string>{"ExampleOne", "Folder.csv"}));
    EXPECT_TRUE(ListMatching(dir.text() + "\\missing\\*", EntryKind::File).empty());
}

TEST(FolderAndFileHelpers, WorkWithoutRegardToCase) {
    testing::TempDir dir;
    dir.Write("Data/a.txt", "content");
    EXPECT_TRUE(FileExists(dir.text() + "\\DATA\\A.TXT"));
    EXPECT_FALSE(FileExists(dir.text() + "\\DATA"));
    EXPECT_TRUE(FolderExists(dir.text() + "\\data"));
    EXPECT_TRUE(MakeFolder(dir.text() + "\\DATA\\new\\deeper"));
    EXPECT_TRUE(FolderExists(dir.text() + "/Data/new/deeper"));
    EXPECT_TRUE(CopyFileReplacing(dir.text() + "\\data\\A.txt", dir.text() + "\\DATA\\b.txt"));
    EXPECT_EQ(testing::ReadFile(dir.path() / "Data" / "b.txt"), "content");
    EXPECT_FALSE(CopyFileReplacing(dir.text() + "\\data\\missing.txt", dir.text() + "\\c.txt"));
    EXPECT_FALSE(CopyFileReplacing(dir.text() + "\\data\\a.txt", dir.text() + "\\Data\\A.TXT"));
    EXPECT_EQ(testing::ReadFile(dir.path() / "Data" / "a.txt"), "content");
}

TEST(FileNumbers, HandsOutTheLowestFreeNumber) {
    FileNumbers numbers;
    EXPECT_EQ(numbers.Allocate(), 1);
    EXPECT_EQ(numbers.Allocate(), 2);
    EXPECT_EQ(numbers.Allocate(), 3);
    numbers.Release(2);
    numbers.Release(1);
    EXPECT_EQ(numbers.Allocate(), 1);
    EXPECT_EQ(numbers.Allocate(), 2);
    EXPECT_EQ(numbers.Allocate(), 4);
    numbers.Release(0);
    numbers.Release(99);
    EXPECT_EQ(numbers.Allocate(), 5);
}

}  // namespace
}  // namespace kavo::platform
