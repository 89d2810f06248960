// Small charts built in code for the normalisation suites and the benchmark: a chart of one
// value everywhere, and a chart of straight contour lines Qc1 = K x FR in log-log space, whose
// value at (FR, Q) is known in closed form in both lookup directions.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "charts/chart_lookup.h"
#include "charts/sld_chart.h"

namespace kavo::normalization::testcharts {

struct RatioLine {
    double k;  // the line is Qc1 = k x FR
    float value;
};

inline charts::SldChart& NewChart(charts::ChartTable& table, const std::string& id,
                                  const std::string& author) {
    charts::SldChart& chart = charts::AddChart(table, "SLD-Kavo-" + id + "_" + author + ".csv");
    chart.Row1_z_IDnormalized_8str = id;
    chart.Row1_z_Author_8str = author;
    chart.lookupMode = charts::LookupMode::XYC;
    chart.Header_LookupMethod_8str = "XYC";
    chart.Xmin_8sng = 0.01f;
    chart.Xmax_8sng = 20.0f;
    chart.Ymin_8sng = 0.5f;
    chart.Ymax_8sng = 2000.0f;
    return chart;
}

// Two lines of the same value, one below Q = 1 and one above Q = 1000 at every FR of the
// frame: every point (FR 0.05..20, Q 1..1000) reads `value` in the XYC direction. The YXC
// direction finds no enclosing pair.
inline std::int16_t AddConstantChart(charts::ChartTable& table, const std::string& id,
                                     const std::string& author, float value) {
    charts::SldChart& chart = NewChart(table, id, author);
    charts::ContourLine& low = charts::AddContourLine(chart, value, "low");
    charts::AddChartPoint(low, 0.01f, 0.1f, "low");
    charts::AddChartPoint(low, 20.0f, 0.5f, "low");
    charts::ContourLine& high = charts::AddContourLine(chart, value, "high");
    charts::AddChartPoint(high, 0.01f, 1500.0f, "high");
    charts::AddChartPoint(high, 20.0f, 5000.0f, "high");
    return table.count;
}

// Straight lines Qc1 = k x FR, each drawn with `points` points from FR 0.01 to 20. Between
// two lines the value is linear in log10(Q / FR), the same in both lookup directions.
inline std::int16_t AddRatioChart(charts::ChartTable& table, const std::string& id,
                                  const std::string& author, const std::vector<RatioLine>& lines,
                                  int points = 2) {
    charts::SldChart& chart = NewChart(table, id, author);
    for (const RatioLine& ratio : lines) {
        charts::ContourLine& line = charts::AddContourLine(chart, ratio.value, id);
        for (int i = 0; i < points; ++i) {
            const double logFr = -2.0 + (std::log10(20.0) + 2.0) * i / (points - 1);
            const double fr = std::pow(10.0, logFr);
            charts::AddChartPoint(line, static_cast<float>(fr), static_cast<float>(ratio.k * fr),
                                  id);
        }
    }
    return table.count;
}

// An exponent chart of the usual shape: c falls from 0.9 on the line Q = FR to 0.6 on
// Q = 100 FR and 0.3 on Q = 5000 FR.
inline std::vector<RatioLine> ExponentLines() {
    return {{1.0, 0.9f}, {100.0, 0.6f}, {5000.0, 0.3f}};
}

}  // namespace kavo::normalization::testcharts
