// A reporter with its tasks-and-issues log and input trace on string streams, and a data area
// in a temporary folder, for the normalisation suites.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "charts/sld_chart.h"
#include "files/paths.h"
#include "normalization/depth_point.h"
#include "normalization/depth_step.h"
#include "normalization/normalisation_context.h"
#include "normalization/point_notes.h"
#include "normalization/unit_weight_profile.h"
#include "platform/file_system.h"
#include "reporting/reporter.h"
#include "support/recording_window.h"
#include "support/temp_dir.h"
#include "synthetic_charts.h"
#include "tools/errors.h"

namespace kavo::normalization {

class ReportingFixture : public ::testing::Test {
  protected:
    ReportingFixture() {
        auto logSink = std::make_unique<std::ostringstream>();
        log = logSink.get();
        reporter.OpenTasksLog(std::move(logSink), "Kavo Project", "1.0", "1/1/2024", "00:00");
        log->str("");
        auto traceSink = std::make_unique<std::ostringstream>();
        trace = traceSink.get();
        reporter.OpenTrace(std::move(traceSink));
        dataArea.root = dir.text();
        dataArea.projectName = "ExampleOne";
    }

    // Writes a file into the project folder.
    void WriteProjectFile(const std::string& name, const std::string& bytes) {
        dir.Write("Projects/ExampleOne/" + name, bytes);
    }

    std::string LogText() const { return log->str(); }

    testing::TempDir dir;
    testing::RecordingWindow window;
    platform::FileNumbers numbers;
    reporting::Reporter reporter{window, numbers};
    std::ostringstream* log = nullptr;
    std::ostringstream* trace = nullptr;
    files::DataArea dataArea;
};

// The reporting fixture with a chart table, a sounding's unit-weight inputs, the run's profile
// and a depth point, joined in a context.
class EngineFixture : public ReportingFixture {
  protected:
    // The profile is given once it has been read.
    NormalisationContext Context() {
        return NormalisationContext{charts, mode, sounding, profile.read ? &profile : nullptr};
    }
    // One depth point from a reading through the program's per-depth step, its notes logged
    // as the table writer logs them (also those found before a data error). FR is 100 fs/qc.
    DepthPointResult ComputePoint(float depth, float qc, float fs,
                                  const std::vector<ColumnSpec>& columns = {}) {
        fielddata::SoundingReadings readings;
        fielddata::DepthReading reading;
        reading.depth = depth;
        reading.qc = qc;
        reading.fs = fs;
        reading.frictionRatio = qc > 0.0f ? 100.0f * fs / qc : tools::kNull;
        readings.Add(reading, false, "test");
        NormalisationContext context = Context();
        ReadSoundingProfile(context, profile, dataArea, reporter);
        DepthPointResult result;
        try {
            ComputeDepthPoint(context, columns, readings, 0, point, result);
        } catch (const tools::DataError&) {
            WritePointNotes(reporter, result.notes);
            throw;
        }
        WritePointNotes(reporter, result.notes);
        return result;
    }
    // Log lines that count as issues.
    int IssueCount() const { return reporter.issueCount(); }
    // Fills every required chart with a chart of one value; the exponent chart reads `exponent`.
    void UseConstantRequiredCharts(float exponent) {
        using testcharts::AddConstantChart;
        charts.required.cQc = AddConstantChart(charts, "cQc", "KAVO", exponent);
        charts.required.Ic = AddConstantChart(charts, "Ic", "tln", 2.4f);
        charts.required.UWT1 = AddConstantChart(charts, "UWT1", "KAVO", 118.0f);
        charts.required.CRRe = AddConstantChart(charts, "CRRe", "KAVO", 0.25f);
        charts.required.p200s1 = AddConstantChart(charts, "p200s1", "tln", 35.0f);
        charts.required.Vs1 = AddConstantChart(charts, "Vs1", "tln", 600.0f);
        charts.required.N1 = AddConstantChart(charts, "N1", "KAVO", 22.0f);
        charts.required.S1 = AddConstantChart(charts, "S1", "tln", 0.28f);
    }

    charts::ChartTable charts;
    NormalisationMode mode = NormalisationMode::Vaski;
    SoundingUnitWeightInputs sounding;
    UnitWeightProfile profile;
    DepthPoint point;
};

// Runs `action` and returns the code of the DataError it throws; "" when it throws none.
template <typename Action>
std::string DataErrorCode(Action&& action, std::string* description = nullptr) {
    try {
        action();
    } catch (const tools::DataError& error) {
        if (description != nullptr) {
            *description = error.description();
        }
        return error.code();
    }
    return "";
}

}  // namespace kavo::normalization
