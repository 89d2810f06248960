// Drawing a project's finished run into its Plots folder: the pages of each sounding, the
// project pages and the report PDF.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "plots/page_model.h"
#include "plots/page_render.h"
#include "plots/sounding_profile.h"
#include "run/program.h"

class QApplication;

namespace kavo::plots {

// The Qt application the drawing needs, made once per process. Without a display (neither
// DISPLAY nor WAYLAND_DISPLAY set) Qt's offscreen platform is chosen, so pages render on a
// server or in a test.
class PictureSession {
  public:
    PictureSession();
    PictureSession(const PictureSession&) = delete;
    PictureSession& operator=(const PictureSession&) = delete;
    ~PictureSession();

  private:
    // QApplication keeps references to its argument count and vector for its lifetime.
    int argumentCount_ = 1;
    char programName_[5] = {'k', 'a', 'v', 'o', '\0'};
    char* arguments_[2] = {programName_, nullptr};
    std::unique_ptr<QApplication> application_;
};

// The window of a second pass over a run's data: the run has shown its progress and logged its
// issues, so the second pass shows and logs nothing.
class SilentWindow : public platform::Window {
  public:
    void ShowErrorWindow(const platform::ErrorWindowContent&) override {}
    void ShowMessage(const std::string&) override {}
};

// What one sounding's field file tells the project pages.
struct SoundingOverview {
    SoundingFacts facts;
    ZeroReadingsInput zeroes;
    double finalDepthFt = 0;  // the deepest reading with a depth; 0 without any
};

// A project's finished run read back as the run read it: the setup file names the project,
// then its charts, output columns and soundings database. The readers report to a silent
// reporter of its own, so the run's log, trace and counters stay as the run left them.
class FinishedRun {
  public:
    // `soundings` names the soundings to draw; empty: every row of the database. Throws
    // DataError "PL101" for a name the database does not list, and the errors of the readers.
    FinishedRun(run::Program& program, const std::vector<std::string>& soundings);
    FinishedRun(const FinishedRun&) = delete;
    FinishedRun& operator=(const FinishedRun&) = delete;
    ~FinishedRun();

    const files::DataArea& area() const { return area_; }
    const setup::RunSettings& settings() const { return settings_; }
    const charts::ChartTable& charts() const { return *charts_; }
    const output::ColumnTable& columns() const { return columns_; }
    // The soundings to draw.
    int count() const { return static_cast<int>(soundings_.size()); }
    const projects::SoundingRecord& record(int k) const;  // k from 0
    // Every sounding of the project, drawn or not: the project pages show them all.
    const std::vector<projects::SoundingRecord>& projectRows() const { return projectRows_; }

    // Whether the sounding has its output table; RequireTable throws DataError "PL102" when
    // it has none: the project has not been run.
    bool HasTable(const projects::SoundingRecord& row) const;
    void RequireTable(const projects::SoundingRecord& row) const;
    // Reads a sounding's field file for the project pages. Throws "PL102" as RequireTable.
    SoundingOverview Overview(const projects::SoundingRecord& row);
    // Reads sounding k's field file and computes it with the run's own steps.
    SoundingProfile Profile(int k);

  private:
    SilentWindow silent_;
    platform::FileNumbers numbers_;
    reporting::Reporter quiet_{silent_, numbers_};
    files::DataArea area_;
    setup::RunSettings settings_;
    std::unique_ptr<charts::ChartTable> charts_;
    output::ColumnTable columns_;
    normalization::UnitWeightProfile unitWeightProfile_;
    std::vector<projects::SoundingRecord> projectRows_;
    std::vector<projects::SoundingRecord> soundings_;
};

struct PlotRequest {
    std::vector<std::string> soundings;  // the soundings to draw; empty: all of the project
    ImageFormat format = ImageFormat::Png;
    bool logConeResistance = false;
    bool report = true;                   // also the project report PDF
    std::vector<std::string> runSummary;  // lines for the report's cover, when a run just ended
};

struct PlotResult {
    std::filesystem::path folder;
    int soundings = 0;
    int files = 0;
    std::filesystem::path report;  // empty when none was asked for
    int reportPages = 0;
};

// Called before each sounding is drawn: its place k of n and its name.
using PlotProgress = std::function<void(int k, int n, const std::string& sounding)>;

// Reads the project the setup file names, as a run does (charts, columns, soundings database,
// field files), computes each sounding with the run's own steps and draws it. The run's log,
// trace and tables are left as they are: nothing of the run is written again. Throws DataError
// "PL101" for a named sounding the database does not list, "PL102" for a sounding whose output
// table is missing (the project has not been run), "PL103" when a file cannot be written, and
// the errors of the readers.
PlotResult PlotFinishedRun(run::Program& program, const PlotRequest& request,
                           const PlotProgress& progress);

// The file names of a sounding's pages and the project's pages inside the Plots folder.
std::string SoundingPageName(std::string_view sounding);
std::string ChartPageName(std::string_view sounding, std::string_view chartId);
std::string ReportName(std::string_view project);

}  // namespace kavo::plots
