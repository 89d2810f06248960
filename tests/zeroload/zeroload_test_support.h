// Helpers of the zero-load and output suites: whole-file comparison with an expected file,
// and a small chart table whose values are easy to compute by hand.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "charts/sld_chart.h"
#include "support/temp_dir.h"

namespace kavo::testing {

// Compares a whole written file with its expectation under tests/; with KAVO_UPDATE_GOLDEN=1
// the expectation is rewritten instead (deliberately, after checking it).
inline void ExpectMatchesExpectedFile(const std::string& actual, const std::string& relative) {
    const std::filesystem::path path = TestDataPath(relative);
    if (std::getenv("KAVO_UPDATE_GOLDEN") != nullptr) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << actual;
        return;
    }
    const std::string expected = ReadFile(path);
    ASSERT_FALSE(expected.empty()) << "no expected file " << path;
    EXPECT_EQ(actual, expected) << "differs from " << path;
}

// A chart whose contour lines are straight across the whole frame at Qc1 = 1 and 1000 atm,
// with the values `atOne` and `atThousand`: a point inside reads
// atOne + (atThousand - atOne) × log10(Q) / 3, whatever its FR.
inline void AddStraightChart(charts::ChartTable& table, const std::string& normalisedId,
                             const std::string& method, float atOne, float atThousand) {
    const std::string name = "SLD-Kavo-" + normalisedId + "_" + method + ".csv";
    charts::SldChart& chart = charts::AddChart(table, name);
    chart.SourceFile_8str = name;
    chart.Row1_z_IDfull_8str = normalisedId + "_" + method;
    chart.Row1_z_IDnormalized_8str = normalisedId;
    chart.Row1_z_Author_8str = method;
    chart.Row1_z_Unit_8str = "";
    chart.Header_AuthorShort_4Row2_8str = "Tst";
    chart.Header_DateShort_8str = "d24";
    chart.Header_VersionDate_8str = "2024-05-01";
    chart.lookupMode = charts::LookupMode::XYC;
    chart.Xmin_8sng = 0.1f;
    chart.Xmax_8sng = 10.0f;
    chart.Ymin_8sng = 1.0f;
    chart.Ymax_8sng = 1000.0f;
    for (float qc1 : {1.0f, 1000.0f}) {
        charts::ContourLine& line =
            charts::AddContourLine(chart, qc1 == 1.0f ? atOne : atThousand, name);
        charts::AddChartPoint(line, 0.1f, qc1, name);
        charts::AddChartPoint(line, 10.0f, qc1, name);
    }
}

// A cQc chart that gives c = 0.5 everywhere and an S1 chart whose strength ratio is
// 0.1 + 0.1 × log10(Q), both with the method "tln"; the required indices set.
inline charts::ChartTable StraightTestCharts() {
    charts::ChartTable table;
    AddStraightChart(table, "cQc", "tln", 0.5f, 0.5f);
    AddStraightChart(table, "S1", "tln", 0.1f, 0.4f);
    table.required.cQc = 1;
    table.required.S1 = 2;
    return table;
}

}  // namespace kavo::testing
