// The kavo command's pictures, run as a separate program on a copy of the example data area,
// with no display.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "plots/pdf_pages.h"
#include "support/kavo_command.h"
#include "support/temp_dir.h"

namespace kavo::plots {
namespace {

namespace fs = std::filesystem;
using kavo::testing::KavoResult;

class PlotCommand : public kavo::testing::ExampleAreaCommandTest {
  protected:
    void SetUp() override {
        ExampleAreaCommandTest::SetUp();
        // No display: the program chooses Qt's offscreen platform itself.
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("QT_QPA_PLATFORM");
    }
    fs::path plots() const { return root() / "Projects" / "ExampleOne" / "Plots"; }
    std::vector<std::string> Files(const std::string& ending) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(plots())) {
            const std::string name = entry.path().filename().string();
            if (name.ends_with(ending)) {
                names.push_back(name);
            }
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(PlotCommand, RunWithPlotsDrawsEverySoundingTheProjectPagesAndTheReport) {
    const KavoResult result = Kavo("run --plots");
    ASSERT_EQ(result.status, 0) << result.err;
    // Two project pages, then per sounding its profile and one page per loaded chart (eight).
    const std::vector<std::string> pictures = Files(".png");
    EXPECT_EQ(pictures.size(), 2u + 8u * 9u);
    for (const char* name : {"project_zero_readings.png", "project_plan.png", "KV-01_profile.png",
                             "KV-05_chart_Ic_tln.png", "KV-03_chart_CRRe_tln.png"}) {
        EXPECT_TRUE(std::binary_search(pictures.begin(), pictures.end(), name)) << name;
    }
    // The cover, the two project pages, and nine pages per sounding.
    EXPECT_EQ(PdfPageCount(plots() / "ExampleOne_report.pdf"), 1 + 2 + 8 * 9);
    EXPECT_TRUE(Files(".part").empty());
    EXPECT_NE(result.out.find("Plots: sounding 8 of 8: BH-WFS1-5"), std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("(75 pages)"), std::string::npos) << result.out;
}

TEST_F(PlotCommand, DrawsOnlyAFinishedRunAndOnlyTheSoundingsNamed) {
    const KavoResult early = Kavo("plot");
    EXPECT_EQ(early.status, 1);
    EXPECT_NE(early.err.find("PL102"), std::string::npos) << early.err;

    ASSERT_EQ(Kavo("run").status, 0);
    const KavoResult svg = Kavo("plot KV-03 --format svg --no-report");
    ASSERT_EQ(svg.status, 0) << svg.err;
    EXPECT_EQ(Files(".svg").size(), 2u + 9u);
    // The project pages still show every sounding of the project.
    const std::string zeroes = kavo::testing::ReadFile(plots() / "project_zero_readings.svg");
    for (const char* sounding : {">KV-01<", ">KV-03<", ">BH-WFS1-5<"}) {
        EXPECT_NE(zeroes.find(sounding), std::string::npos) << sounding;
    }
    EXPECT_TRUE(Files(".png").empty());
    EXPECT_TRUE(Files(".pdf").empty());

    const KavoResult unknown = Kavo("plot KV-99");
    EXPECT_EQ(unknown.status, 1);
    EXPECT_NE(unknown.err.find("sounding KV-99 is not listed"), std::string::npos) << unknown.err;

    EXPECT_EQ(Kavo("plot --format gif").status, 2);
}

}  // namespace
}  // namespace kavo::plots
