// The chart exporters: the plotting file and the chart statements of a loaded chart.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "chart_table_fixture.h"
#include "charts/chart_export.h"
#include "charts/chart_loader.h"
#include "reporting/reporter.h"
#include "support/temp_dir.h"

namespace kavo::charts {
namespace {

const std::string kChart =
    "FR_%,QC1,cQc_tln\r\nRow2_Kavo_SLDv5\r\nSLD_AUTHOR_SHORT_CODE=tln\r\n"
    "SLD_CHARTID=KAVOCHART\r\nSLD_LOOKUP_METHOD=XYC\r\nCOMMENT=traced\r\nNOTE=\r\n"
    "SLD_VERSION_NUMBER=2\r\nEOH\r\n0.1,10,0.2\r\n1.25,20.5\r\n\r\n0.5,100,0.5\r\n5,200\r\n";

class ChartExport : public ChartTableFixture {
  protected:
    ChartExport() {
        dir.Write("SLD input/SLD-Kavo-cQc_tln-v2.csv", kChart);
        LoadCharts(ChartLoadRequest::File, reporter, area, *table);
    }
};

TEST(KeyValueLine, PadsTheKeyToTheWidth) {
    EXPECT_EQ(KeyValueLine("SLD", 0, "x"), " SLD = x");
    EXPECT_EQ(KeyValueLine("key", 10, "v"), "     key = v");
    EXPECT_EQ(KeyValueLine("longer_key", 10, "v"), " longer_key = v");
}

TEST_F(ChartExport, PlottingFileHoldsHeaderNotesAndLines) {
    ExportChartsForPlotting(reporter, area, *table);
    const std::string written = testing::ReadFile(dir.path() / "Projects" / "ExampleOne" /
                                                  "SLD output" / "SLD-Kavo-cQc_tln-v2.csv");
    EXPECT_EQ(written,
              testing::ReadFile(testing::TestDataPath("data/charts/plotting_expected.csv")));
}

TEST_F(ChartExport, StatementsQuoteTheDescriptionInTheChart) {
    WriteChartStatements(reporter, area, *table);
    // The statements go beside the data area, outside the test's own folder.
    const std::filesystem::path statements = dir.path().string() + "-VB6";
    const std::string written = testing::ReadFile(statements / "SLD___cQc_tln.bas");
    std::filesystem::remove_all(statements);
    EXPECT_EQ(written,
              testing::ReadFile(testing::TestDataPath("data/charts/statements_expected.bas")));
    EXPECT_EQ(table->Slot(1).Header_General_Description_8str, "\"-5435\"");
}

}  // namespace
}  // namespace kavo::charts
