// Depth points per second through the per-depth computation of a realistic sounding: unit
// weight and stress, the two runs of the exponent iteration, the method check, the direction
// line and a typical set of output columns.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "charts/sld_chart.h"
#include "fielddata/depth_readings.h"
#include "normalization/column_id.h"
#include "normalization/depth_point.h"
#include "normalization/depth_step.h"
#include "normalization/normalisation_context.h"
#include "normalization/synthetic_charts.h"

namespace {

using namespace kavo;
using namespace kavo::normalization;

struct Reading {
    float depth;
    float qc;
    float fs;
};

// 2000 readings 5 cm apart (about 33 m): layers of sand, silt and clay with a smooth
// variation inside each layer, as a field file holds them.
std::vector<Reading> RealisticSounding() {
    std::vector<Reading> readings;
    for (int i = 1; i <= 2000; ++i) {
        const double depth = i * 0.164042;
        const double layer = std::sin(depth / 7.0) + 0.4 * std::sin(depth / 1.3);
        const double qc = 90.0 + 70.0 * layer + 0.8 * depth;   // atm
        const double frictionRatio = 2.2 - 1.5 * layer / 1.4;  // %
        readings.push_back({static_cast<float>(depth), static_cast<float>(qc),
                            static_cast<float>(qc * frictionRatio / 100.0)});
    }
    return readings;
}

// Charts drawn with 12 points per line, as digitised charts are.
void LoadCharts(charts::ChartTable& table) {
    using testcharts::AddRatioChart;
    using testcharts::RatioLine;
    table.required.cQc = AddRatioChart(
        table, "cQc", "KAVO",
        {{0.3, 1.0f}, {3.0, 0.85f}, {20.0, 0.7f}, {100.0, 0.55f}, {600.0, 0.4f}, {5000.0, 0.25f}},
        12);
    table.required.UWT1 =
        AddRatioChart(table, "UWT1", "KAVO",
                      {{0.3, 95.0f}, {10.0, 110.0f}, {100.0, 120.0f}, {5000.0, 135.0f}}, 12);
    table.required.S1 = AddRatioChart(
        table, "S1", "tln", {{0.3, 0.5f}, {10.0, 0.3f}, {100.0, 0.2f}, {5000.0, 0.1f}}, 12);
    table.required.Ic = AddRatioChart(
        table, "Ic", "tln", {{0.3, 3.6f}, {10.0, 2.8f}, {100.0, 2.0f}, {5000.0, 1.3f}}, 12);
    table.required.CRRe = AddRatioChart(
        table, "CRRe", "KAVO", {{0.3, 0.05f}, {10.0, 0.1f}, {100.0, 0.2f}, {5000.0, 0.6f}}, 12);
    table.required.p200s1 = AddRatioChart(
        table, "p200s1", "tln", {{0.3, 95.0f}, {10.0, 60.0f}, {100.0, 20.0f}, {5000.0, 2.0f}}, 12);
    table.required.Vs1 =
        AddRatioChart(table, "Vs1", "tln",
                      {{0.3, 300.0f}, {10.0, 500.0f}, {100.0, 700.0f}, {5000.0, 900.0f}}, 12);
    table.required.N1 = AddRatioChart(
        table, "N1", "KAVO", {{0.3, 2.0f}, {10.0, 8.0f}, {100.0, 25.0f}, {5000.0, 60.0f}}, 12);
}

const std::vector<std::string> kColumns = {
    "Depth_ft", "Qc_atm", "Fs_atm",     "Fr_%",    "VES_atm", "UWT_KAVO_pcf", "Qc1_atm",
    "cQc_tln",  "Ic_tln", "CRRe_UCD14", "SU1_tln", "N1_KAVO", "Vs1_tln_fps"};

struct Bench {
    Bench() {
        LoadCharts(table);
        sounding.method = "KAVO";
        sounding.waterTableDepth = 12.0f;
    }
    charts::ChartTable table;
    SoundingUnitWeightInputs sounding;
    std::vector<Reading> readings = RealisticSounding();
};

void NormaliseSounding(benchmark::State& state, bool withColumns) {
    Bench bench;
    NormalisationContext context{bench.table, NormalisationMode::Vaski, bench.sounding};
    std::vector<ColumnSpec> columns;
    if (withColumns) {
        for (const std::string& id : kColumns) {
            columns.push_back(ParseColumnId(id));
        }
    }
    fielddata::SoundingReadings readings;
    for (const Reading& reading : bench.readings) {
        fielddata::DepthReading row;
        row.depth = reading.depth;
        row.qc = reading.qc;
        row.fs = reading.fs;
        row.frictionRatio = 100.0f * reading.fs / reading.qc;
        readings.Add(row, false, "bench");
    }
    DepthPoint point;
    DepthPointResult result;
    std::int64_t points = 0;
    std::int64_t issues = 0;
    for (auto _ : state) {
        ResetVerticalStress(point);
        for (std::size_t i = 0; i < readings.size(); ++i) {
            ComputeDepthPoint(context, columns, readings, i, point, result);
            issues += static_cast<std::int64_t>(result.notes.size());
            benchmark::DoNotOptimize(result);
        }
        points += static_cast<std::int64_t>(readings.size());
    }
    state.counters["points/s"] =
        benchmark::Counter(static_cast<double>(points), benchmark::Counter::kIsRate);
    state.counters["issues"] = static_cast<double>(issues);
}

void BM_NormaliseSounding(benchmark::State& state) {
    NormaliseSounding(state, false);
}
void BM_NormaliseSoundingWithColumns(benchmark::State& state) {
    NormaliseSounding(state, true);
}
BENCHMARK(BM_NormaliseSounding)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NormaliseSoundingWithColumns)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
