// The chart lookup against the reference it replaced, bit for bit: the shipped charts and
// random charts (rising, falling and folded lines), read in every mode at random points,
// alone and in runs of lookups at one probe as the exponent iteration makes them.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "chart_lookup_reference.h"
#include "chart_table_fixture.h"
#include "charts/chart_loader.h"
#include "charts/chart_lookup.h"

namespace kavo::charts {
namespace {

using tools::kNull;

// The sanitizers and an unoptimised build make each lookup many times slower.
#if defined(__SANITIZE_ADDRESS__) || !defined(__OPTIMIZE__)
constexpr int kLookups = 40000;
#else
constexpr int kLookups = 1000000;
#endif

// A framed chart of random lines: each line runs over FR or Qc1 in log steps, rising,
// falling or folded back, with random values.
void AddRandomChart(ChartTable& table, std::mt19937& random) {
    SldChart& chart = AddChart(table, "SLD-Kavo-random_tst.csv");
    chart.Xmin_8sng = 0.1f;
    chart.Xmax_8sng = 10.0f;
    chart.Ymin_8sng = 1.0f;
    chart.Ymax_8sng = 1000.0f;
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const int lines = std::uniform_int_distribution<int>(1, kMaxLines)(random);
    for (int l = 0; l < lines; ++l) {
        ContourLine& line = AddContourLine(chart, unit(random) * 3.0f, "random");
        const int points = std::uniform_int_distribution<int>(2, kMaxPoints)(random);
        float logFr = -1.2f + unit(random);
        float logQ = unit(random) * 3.0f;
        for (int p = 0; p < points; ++p) {
            AddChartPoint(line, std::pow(10.0f, logFr), std::pow(10.0f, logQ), "random");
            logFr += (unit(random) - 0.2f) * 0.4f;
            logQ += (unit(random) - 0.5f) * 0.5f;
        }
    }
}

// A point in or near the frame; now and then exactly on a chart point.
std::pair<float, float> RandomPoint(const SldChart& chart, std::mt19937& random) {
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    if (random() % 8 == 0 && chart.LinesNUMof > 0) {
        const ContourLine& line = chart.Line(
            static_cast<std::int16_t>(1 + static_cast<int>(random() % chart.LinesNUMof)));
        const ChartPoint& point = line.pt8a[random() % static_cast<unsigned>(line.ptsNUMof)];
        return {point.FR_percent_8sng, point.Qc1_atm_8sng};
    }
    return {std::pow(10.0f, -1.1f + 2.2f * unit(random)),
            std::pow(10.0f, -0.1f + 3.2f * unit(random))};
}

class ChartLookupDifferential : public ChartTableFixture {};

TEST_F(ChartLookupDifferential, EqualsTheReferenceBitForBit) {
    LoadCharts(ChartLoadRequest::Internal, reporter, area, *table);
    std::mt19937 random(8122026);
    while (table->count < kMaxCharts) {
        AddRandomChart(*table, random);
    }
    const LookupMode modes[] = {LookupMode::XYC, LookupMode::YXC, LookupMode::YCX};
    auto same = [](float a, float b) {
        return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
    };
    int mismatches = 0;
    int lookups = 0;
    LineCrossings kept;
    const SldChart* lastChart = nullptr;
    float lastProbe = 0.0f;
    while (lookups < kLookups && mismatches < 10) {
        const bool again = lastChart != nullptr && random() % 4 == 0;
        const SldChart& chart = again ? *lastChart
                                      : table->Slot(static_cast<std::int16_t>(
                                            1 + static_cast<int>(random() % table->count)));
        const LookupMode mode = modes[random() % 3];
        auto [x0, y0] = RandomPoint(chart, random);
        if (again) {
            // The last run's probe value, now on this mode's probe axis.
            (mode == LookupMode::XYC ? x0 : y0) = lastProbe;
        }
        lastChart = &chart;
        lastProbe = mode == LookupMode::XYC ? x0 : y0;
        const float c0 = std::uniform_real_distribution<float>(0.0f, 3.0f)(random);
        // A run of lookups at one probe, the other coordinate moving as in the iteration, on
        // fresh crossings or on those that the run before left (of another chart, mode or
        // probe, or now and then of the same chart and probe value in another mode).
        LineCrossings fresh;
        LineCrossings& crossings = random() % 2 == 0 ? fresh : kept;
        float target = mode == LookupMode::XYC ? y0 : x0;
        for (int tries = 0; tries < 9; ++tries, ++lookups) {
            float x = mode == LookupMode::XYC ? x0 : target;
            float y = mode == LookupMode::XYC ? target : y0;
            float c = c0;
            float xr = x;
            float yr = y;
            float cr = c;
            const bool inside = LookupChart(x, y, c, chart, mode, crossings);
            const bool insideReference = reference::LookupChartReference(xr, yr, cr, chart, mode);
            if (inside != insideReference || !same(x, xr) || !same(y, yr) || !same(c, cr)) {
                ++mismatches;
                ADD_FAILURE() << chart.SourceFile_8str << " mode " << static_cast<int>(mode)
                              << std::hexfloat << " at " << x0 << ", " << y0 << ", target "
                              << target << ": " << x << "," << y << "," << c << " reference " << xr
                              << "," << yr << "," << cr;
            }
            target *= std::pow(10.0f, std::uniform_real_distribution<float>(-0.3f, 0.3f)(random));
        }
    }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace kavo::charts
