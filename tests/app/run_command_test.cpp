// The kavo command's run action, run as a separate program on a copy of the example data area.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/kavo_command.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using kavo::testing::ReadFile;

using kavo::testing::KavoResult;

class RunCommand : public kavo::testing::KavoCommandTest {
  protected:
    kavo::testing::TempDir dir;

    void SetUp() override {
        KavoCommandTest::SetUp();
        if (IsSkipped()) {
            return;
        }
        fs::copy(fs::path(KAVO_SOURCE_DIR) / "data" / "Kavo", dir.path() / "Kavo",
                 fs::copy_options::recursive);
    }
    fs::path root() const { return dir.path() / "Kavo"; }

    KavoResult Kavo(const std::string& arguments) {
        return kavo::testing::RunKavo(root(), arguments);
    }
};

TEST_F(RunCommand, RunsTheExampleAndShowsTheSummary) {
    const std::string before = ReadFile(root() / "software" / "Kavo-Setup.txt");
    const KavoResult result = Kavo("run");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("\n5 total Soundings\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("[GL130] Starting Kavo Main Routine\n"), std::string::npos);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(ReadFile(root() / "software" / "Kavo-Setup-BACKUP.txt"), before);
    const std::string log =
        ReadFile(root() / "Kavo_Output_____tasks_and_Issues___from_most_recent_Kavo_Run.txt");
    EXPECT_NE(log.find("   End of Tasks & Issues: "), std::string::npos) << log;
}

TEST_F(RunCommand, DataErrorShowsTheErrorWindowOnStderr) {
    fs::remove(root() / "Projects" / "ExampleOne" / "Kavo_SoundingS---ExampleOne.csv");
    const KavoResult result = Kavo("run");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("Kavo software  Error Code: DX392\n"), std::string::npos)
        << result.err;
    EXPECT_EQ(result.out.find("total Soundings"), std::string::npos);
}

TEST_F(RunCommand, OptionsTheReleaseConfigurationOverridesAreMisuse) {
    EXPECT_EQ(Kavo("--chart-source file run").status, 2);
    EXPECT_EQ(Kavo("--norm sideways run").status, 2);
    EXPECT_EQ(Kavo("--check-before-compiling --chart-source file --norm linear run").status, 0);
}

}  // namespace
