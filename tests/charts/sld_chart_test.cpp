// The fixed tables of the chart set: a run holds at most 40 charts, a chart at most 99 notes;
// one more is refused with a data error, never written past the end.
#include "charts/sld_chart.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/data_error.h"

namespace kavo::charts {
namespace {

TEST(ChartTable, HoldsFortyChartsAndRefusesTheFortyFirst) {
    auto table = std::make_unique<ChartTable>();
    for (int k = 1; k <= kMaxCharts; ++k) {
        AddChart(*table, "SLD-Kavo-cQc_tln-" + std::to_string(k) + ".csv");
    }
    EXPECT_EQ(table->count, 40);
    EXPECT_EQ(testing::CodeAndDescriptionOf([&] { AddChart(*table, "SLD-Kavo-Ic_tln.csv"); }),
              std::make_pair(std::string("SLD216"),
                             std::string("more than 40 charts, at file SLD-Kavo-Ic_tln.csv")));
    EXPECT_EQ(table->count, 40);
}

TEST(ChartNotes, HoldNinetyNineNotesAndRefuseTheHundredth) {
    auto chart = std::make_unique<SldChart>();
    for (int k = 1; k <= kMaxNotes; ++k) {
        AddChartNote(*chart, "note " + std::to_string(k), "SLD-Kavo-cQc_tln.csv at line 3");
    }
    EXPECT_EQ(chart->NotesNUMof, 99);
    EXPECT_EQ(chart->Header_Note8a[98], "note 99");
    const std::pair<std::string, std::string> refused = testing::CodeAndDescriptionOf(
        [&] { AddChartNote(*chart, "one more", "SLD-Kavo-cQc_tln.csv at line 4"); });
    EXPECT_EQ(refused.first, "SLD411");
    EXPECT_NE(refused.second.find("more than 99 notes"), std::string::npos) << refused.second;
    EXPECT_EQ(chart->NotesNUMof, 99);
}

}  // namespace
}  // namespace kavo::charts
