// The shipped chart set: it loads as the run loads it, the built-in set is the same, its
// exported numbers are the table's, and each chart gives back the correlation it was traced
// from.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "chart_table_fixture.h"
#include "charts/chart_export.h"
#include "charts/chart_loader.h"
#include "charts/chart_lookup.h"
#include "reporting/reporter.h"
#include "support/temp_dir.h"
#include "tools/line_split.h"
#include "tools/null_marker.h"

namespace kavo::charts {
namespace {

using tools::kNull;

class DefaultCharts : public ChartTableFixture {
  protected:
    DefaultCharts() {
        const std::filesystem::path shipped =
            std::filesystem::path(KAVO_SOURCE_DIR) / "data" / "Kavo" / "SLD input";
        std::filesystem::create_directories(dir.path() / "SLD input");
        for (const auto& entry : std::filesystem::directory_iterator(shipped)) {
            std::filesystem::copy_file(entry.path(),
                                       dir.path() / "SLD input" / entry.path().filename());
        }
        LoadChartsForRun(reporter, area, *table);
    }

    const SldChart& Chart(std::int16_t slot) const { return table->Slot(slot); }
};

TEST_F(DefaultCharts, LoadAsTheEightRequiredCharts) {
    ASSERT_EQ(table->count, 8);
    const RequiredCharts& r = table->required;
    for (std::int16_t slot : {r.cQc, r.Ic, r.UWT1, r.CRRe, r.p200s1, r.Vs1, r.N1, r.S1}) {
        EXPECT_GT(slot, 0);
        const SldChart& chart = Chart(slot);
        EXPECT_EQ(chart.Row1_z_Author_8str, "tln");
        EXPECT_EQ(chart.Header_Chart_8str, "KAVOCHART");
        EXPECT_EQ(chart.lookupMode, LookupMode::XYC);
        EXPECT_LE(chart.LinesNUMof, kMaxLines);
        for (std::int16_t l = 1; l <= chart.LinesNUMof; ++l) {
            const ContourLine& line = chart.Line(l);
            if (l > 1) {  // ascending contour order
                EXPECT_GE(line.LineValue_8sng, chart.Line(l - 1).LineValue_8sng);
            }
            for (std::int16_t k = 1; k <= line.ptsNUMof; ++k) {
                const ChartPoint& p = chart.Point(l, k);
                EXPECT_TRUE(p.FR_percent_8sng >= 0.1f && p.FR_percent_8sng <= 10.0f);
                EXPECT_TRUE(p.Qc1_atm_8sng >= 1.0f && p.Qc1_atm_8sng <= 1000.0f);
                if (k > 1) {  // single-valued in FR, the scan axis of XYC
                    EXPECT_GT(p.FR_percent_8sng, chart.Point(l, k - 1).FR_percent_8sng);
                }
            }
        }
    }
}

TEST_F(DefaultCharts, InternalSetIsTheShippedFiles) {
    auto internal = std::make_unique<ChartTable>();
    LoadCharts(ChartLoadRequest::Internal, reporter, area, *internal);
    CheckRequiredCharts(*internal);
    ASSERT_EQ(internal->count, 8);
    const std::vector<std::string> order = {"cQc",    "Ic",  "UWT1", "CRRe",
                                            "p200s1", "Vs1", "N1",   "S1"};
    for (std::int16_t slot = 1; slot <= 8; ++slot) {
        const SldChart& built = internal->Slot(slot);
        EXPECT_EQ(built.Row1_z_IDnormalized_8str, order[static_cast<std::size_t>(slot - 1)]);
        EXPECT_EQ(built.Source_8str, "INTERNAL");
        const SldChart& file = Chart(FindChartIndex(*table, built.Row1_z_IDnormalized_8str, "tln"));
        EXPECT_EQ(built.SourceFile_8str, file.SourceFile_8str);
        EXPECT_EQ(built.Header_General_Description_8str, file.Header_General_Description_8str);
        ASSERT_EQ(built.LinesNUMof, file.LinesNUMof);
        for (std::int16_t l = 1; l <= built.LinesNUMof; ++l) {
            ASSERT_EQ(built.Line(l).ptsNUMof, file.Line(l).ptsNUMof);
            EXPECT_EQ(built.Line(l).LineValue_8sng, file.Line(l).LineValue_8sng);
            for (std::int16_t k = 1; k <= built.Line(l).ptsNUMof; ++k) {
                EXPECT_EQ(built.Point(l, k).FR_percent_8sng, file.Point(l, k).FR_percent_8sng);
                EXPECT_EQ(built.Point(l, k).Qc1_atm_8sng, file.Point(l, k).Qc1_atm_8sng);
            }
        }
    }
}

TEST_F(DefaultCharts, PlottingFilesHoldTheContoursToTheMasksPrecision) {
    ExportChartsForPlotting(reporter, area, *table);
    for (std::int16_t slot = 1; slot <= table->count; ++slot) {
        const SldChart& chart = Chart(slot);
        std::istringstream text(testing::ReadFile(dir.path() / "Projects" / "ExampleOne" /
                                                  "SLD output" / chart.SourceFile_8str));
        std::string line;
        while (std::getline(text, line) && line != "EOH\r") {
        }
        std::int16_t l = 0;
        std::int16_t k = 0;
        while (std::getline(text, line)) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            if (line.empty()) {
                continue;
            }
            const auto fields = tools::SplitLine(line, {}, 5);
            if (fields.size() == 3) {
                ++l;
                k = 0;
                // "####.###" cuts to three decimals: the text is within 0.001 of the value.
                EXPECT_NEAR(tools::NumberOrNull(fields[2]), chart.Line(l).LineValue_8sng, 0.0011);
            }
            ++k;
            ASSERT_LE(l, chart.LinesNUMof);
            ASSERT_LE(k, chart.Line(l).ptsNUMof);
            EXPECT_NEAR(tools::NumberOrNull(fields[0]), chart.Point(l, k).FR_percent_8sng, 0.0011);
            EXPECT_NEAR(tools::NumberOrNull(fields[1]), chart.Point(l, k).Qc1_atm_8sng, 0.0011);
        }
        EXPECT_EQ(l, chart.LinesNUMof) << chart.SourceFile_8str;
        EXPECT_EQ(k, chart.Line(l).ptsNUMof) << chart.SourceFile_8str;
    }
}

// --- the correlations the charts were traced from, written out again here ---

double Ic(double fr, double q) {
    return std::sqrt(std::pow(3.47 - std::log10(q), 2) + std::pow(std::log10(fr) + 1.22, 2));
}
double Kc(double ic) {
    return ic <= 1.64 ? 1.0
                      : -0.403 * std::pow(ic, 4) + 5.581 * std::pow(ic, 3) - 21.63 * ic * ic +
                            33.75 * ic - 17.88;
}

struct Correlation {
    std::string id;
    std::function<double(double fr, double q)> z;
    std::function<bool(double fr, double q)> applies;  // the region the chart covers
    // Between two lines the lookup is linear in the value against log Q. A value that curves
    // in log Q is missed by at most (step in log Q)^2 / 8 times its curvature: for geometric
    // steps of ratio <= 2 (S1, N1, Vs1) that is 8.6 % of the interval, for Ic and c (circles
    // in log-log) under 9 %, for fines (Ic^3.25) and CRR (cubic in Qcs) under 15 %; a linear
    // value (unit weight) is exact up to the rounding of the traced points.
    double fractionOfInterval;
};

bool Everywhere(double, double) {
    return true;
}

std::vector<Correlation> Correlations() {
    return {
        {"cQc", [](double fr, double q) { return std::clamp(0.381 * Ic(fr, q) - 0.15, 0.2, 1.0); },
         Everywhere, 0.1},
        {"Ic", [](double fr, double q) { return Ic(fr, q); }, Everywhere, 0.1},
        {"UWT1",
         [](double fr, double q) {
             return 62.4 * (0.27 * std::log10(fr) + 0.36 * std::log10(q) + 1.236);
         },
         Everywhere, 0.001},
        {"CRRe",
         [](double fr, double q) {
             const double qcs = Kc(Ic(fr, q)) * q;
             return qcs < 50.0 ? 0.833 * qcs / 1000.0 + 0.05
                               : 93.0 * std::pow(qcs / 1000.0, 3) + 0.08;
         },
         [](double fr, double q) { return Ic(fr, q) <= 2.6; }, 0.15},
        {"p200s1",
         [](double fr, double q) {
             return std::clamp(1.75 * std::pow(Ic(fr, q), 3.25) - 3.7, 0.0, 100.0);
         },
         Everywhere, 0.15},
        {"Vs1",
         [](double fr, double q) {
             return 3.28084 * std::sqrt(std::pow(10.0, 0.55 * Ic(fr, q) + 1.68) * q);
         },
         Everywhere, 0.05},
        {"N1", [](double fr, double q) { return q / std::pow(10.0, 1.1268 - 0.2817 * Ic(fr, q)); },
         Everywhere, 0.1},
        {"S1", [](double, double q) { return q / 14.0; }, Everywhere, 0.1},
    };
}

TEST_F(DefaultCharts, EachChartGivesBackItsCorrelation) {
    for (const Correlation& correlation : Correlations()) {
        const SldChart& chart = Chart(FindChartIndex(*table, correlation.id, "tln"));
        int checked = 0;
        double worst = 0.0;
        for (int i = 0; i <= 60; ++i) {
            for (int j = 0; j <= 60; ++j) {
                const double fr = std::pow(10.0, -1.0 + 2.0 * i / 60.0 + 0.0013);
                const double q = std::pow(10.0, 3.0 * j / 60.0 + 0.0017);
                if (fr > 10.0 || q > 1000.0 || !correlation.applies(fr, q)) {
                    continue;
                }
                const double z = correlation.z(fr, q);
                // The two lines whose values bracket z, both drawn across this FR.
                std::int16_t upper = 0;
                for (std::int16_t l = 2; l <= chart.LinesNUMof && upper == 0; ++l) {
                    if (chart.Line(l - 1).LineValue_8sng < z && z < chart.Line(l).LineValue_8sng) {
                        upper = l;
                    }
                }
                if (upper == 0) {
                    continue;
                }
                const auto covers = [&](std::int16_t l) {
                    const ContourLine& line = chart.Line(l);
                    return line.pt8a[0].FR_percent_8sng < fr &&
                           fr <= line.pt8a[static_cast<std::size_t>(line.ptsNUMof - 1)]
                                     .FR_percent_8sng;
                };
                if (!covers(static_cast<std::int16_t>(upper - 1)) || !covers(upper)) {
                    continue;
                }
                const float low = chart.Line(static_cast<std::int16_t>(upper - 1)).LineValue_8sng;
                const float high = chart.Line(upper).LineValue_8sng;
                float x = static_cast<float>(fr);
                float y = static_cast<float>(q);
                float c = kNull;
                ASSERT_TRUE(LookupChart(x, y, c, chart));
                ASSERT_NE(c, kNull) << correlation.id << " at " << fr << ", " << q;
                const double error = std::fabs(c - z) / (high - low);
                worst = std::max(worst, error);
                EXPECT_LE(error, correlation.fractionOfInterval)
                    << correlation.id << " at " << fr << ", " << q << ": " << c << " for " << z;
                ++checked;
            }
        }
        EXPECT_GT(checked, 200) << correlation.id;
        EXPECT_GT(worst, 0.0) << correlation.id;  // the samples fall between the lines
    }
}

// The XYC lookup step by step, every logarithm taken where it is used: the lookup keeps the
// points' logarithms beside the chart and must give the very same singles.
float PlainLookupXyc(const SldChart& chart, float x, float y) {
    float prev = kNull;
    float cur = kNull;
    for (std::int16_t l = 1; l <= chart.LinesNUMof; ++l) {
        const ContourLine& line = chart.Line(l);
        for (int k = 2; k <= line.ptsNUMof; ++k) {
            const ChartPoint& a = line.pt8a[static_cast<std::size_t>(k - 2)];
            const ChartPoint& b = line.pt8a[static_cast<std::size_t>(k - 1)];
            if (!SegmentHit(x, a.FR_percent_8sng, b.FR_percent_8sng, k, line.ptsNUMof).hit) {
                continue;
            }
            cur = InterpolateOnAxes(x, a.FR_percent_8sng, b.FR_percent_8sng, a.Qc1_atm_8sng,
                                    b.Qc1_atm_8sng, true, true);
            if (prev != kNull && cur != kNull && ((prev < y && y < cur) || (prev > y && y > cur))) {
                return InterpolateOnAxes(y, prev, cur, chart.Line(l - 1).LineValue_8sng,
                                         line.LineValue_8sng, true, false);
            }
            prev = cur;
            break;
        }
    }
    return kNull;
}

TEST_F(DefaultCharts, KeptLogarithmsChangeNoResult) {
    int compared = 0;
    for (std::int16_t slot = 1; slot <= table->count; ++slot) {
        const SldChart& chart = Chart(slot);
        for (int i = 0; i <= 97; ++i) {
            for (int j = 0; j <= 89; ++j) {
                const float fr = static_cast<float>(std::pow(10.0, -1.0 + 2.0 * i / 97.0));
                const float q = static_cast<float>(std::pow(10.0, 3.0 * j / 89.0));
                float x = fr;
                float y = q;
                float c = kNull;
                LookupChart(x, y, c, chart);
                const float plain = PlainLookupXyc(chart, fr, q);
                ASSERT_EQ(std::bit_cast<std::uint32_t>(c), std::bit_cast<std::uint32_t>(plain))
                    << chart.SourceFile_8str << " at " << fr << ", " << q;
                compared += c != kNull ? 1 : 0;
            }
        }
    }
    EXPECT_GT(compared, 50000);
}

}  // namespace
}  // namespace kavo::charts
