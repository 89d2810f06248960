// Drawing a finished run: the project's inputs read again and each sounding computed with the
// run's own steps, its pages written to the Plots folder and into the report.
#include "plots/plot_run.h"

#include <QApplication>

#include <cstdlib>
#include <cstring>
#include <limits>
#include <system_error>

#include "charts/chart_loader.h"
#include "fielddata/field_data_file.h"
#include "output/q1o_table.h"
#include "output/run_columns.h"
#include "platform/file_system.h"
#include "plots/sounding_profile.h"
#include "projects/soundings_database.h"
#include "run/main_routine.h"
#include "setup/run_settings.h"
#include "setup/setup_file.h"
#include "tools/errors.h"
#include "tools/null_marker.h"
#include "tools/number_text.h"
#include "zeroload/zero_load_table.h"

namespace kavo::plots {
namespace {

// The window of the recomputation: the run has shown its progress and logged its issues, so
// the second pass over the same data shows and logs nothing.
class SilentWindow : public platform::Window {
  public:
    void ShowErrorWindow(const platform::ErrorWindowContent&) override {}
    void ShowMessage(const std::string&) override {}
};

std::string FileSafe(std::string_view text) {
    std::string safe;
    for (char c : text) {
        const bool plain =
            std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.';
        safe += plain ? c : '_';
    }
    return safe.empty() || safe.front() == '.' ? "_" + safe : safe;
}

std::string Shown(const std::string& text) {
    return text == tools::kNullText || text == tools::kNoChoiceText || text.empty() ? "none" : text;
}

std::string NumberShown(float value) {
    return tools::IsMissing(value) ? "none" : tools::SingleText(value);
}

double MissingAsNaN(float value) {
    return tools::IsMissing(value) ? std::numeric_limits<double>::quiet_NaN() : value;
}

// The inputs a run reads once for all its soundings.
struct RunInputs {
    files::DataArea area;
    setup::RunSettings settings;
    std::unique_ptr<charts::ChartTable> charts = std::make_unique<charts::ChartTable>();
    output::ColumnTable columns;
    normalization::UnitWeightProfile unitWeightProfile;
    std::vector<projects::SoundingRecord> soundings;
};

void ReadRunInputs(run::Program& program, reporting::Reporter& quiet, const PlotRequest& request,
                   RunInputs& inputs) {
    inputs.area.root = run::DataAreaRootFor(program);
    inputs.area.projectName = run::kStartProject;
    setup::SetupValues setupValues;
    setup::ReadSetupFile(quiet, inputs.area, setupValues);
    std::string selectedProject;
    setup::ReadRunSettings(program.window, inputs.settings, selectedProject);
    charts::LoadChartsForRun(quiet, inputs.area, *inputs.charts);
    const normalization::SoundingUnitWeightInputs noSounding;
    normalization::NormalisationContext columnContext{
        *inputs.charts, normalization::ParseNormalisationMode(inputs.settings.coneNormalization),
        noSounding,     inputs.unitWeightProfile,
        inputs.area,    quiet};
    output::SetUpRunColumns(inputs.columns, columnContext, inputs.settings.columnsSource);

    reporting::TracedInput database;
    projects::SoundingsHeader header;
    projects::SoundingRecord record;
    projects::OpenSoundingsDatabase(quiet, inputs.area, database, header, record);
    projects::ReadSoundingsHeader(quiet, database, header);
    std::vector<projects::SoundingRecord> all;
    while (projects::ReadSoundingRow(quiet, database, header, record)) {
        all.push_back(record);
        record = projects::SoundingRecord{};
    }
    if (request.soundings.empty()) {
        inputs.soundings = std::move(all);
        return;
    }
    for (const std::string& wanted : request.soundings) {
        bool found = false;
        for (const projects::SoundingRecord& row : all) {
            if (tools::UpperCopy(row.soundingName) == tools::UpperCopy(wanted)) {
                inputs.soundings.push_back(row);
                found = true;
                break;
            }
        }
        if (!found) {
            throw tools::DataError("PL101", "sounding " + wanted +
                                                " is not listed in the soundings database of "
                                                "project " +
                                                inputs.area.projectName);
        }
    }
}

std::vector<std::string> CoverLines(const RunInputs& inputs, const PlotRequest& request,
                                    int soundings, double totalFeet) {
    const setup::RunSettings& s = inputs.settings;
    std::vector<std::string> lines = {
        "Project: " + inputs.area.projectName,
        "Data area: " + platform::ToRealPath(inputs.area.root).string(),
        "",
        "Run settings",
        "    Cone normalisation: " + Shown(s.coneNormalization),
        "    Soil type (Ic) method: " + Shown(s.icMethod),
        "    Chart data: " + Shown(s.chartDataLocation) + ", " +
            std::to_string(inputs.charts->count) + " charts loaded",
        "    Output columns: " + Shown(s.columnsSource) + ", " +
            std::to_string(inputs.columns.count()) + " columns",
        "    Earthquake magnitude: " + NumberShown(s.earthquakeMagnitude),
        "    Lowest-Qc search depth: " + NumberShown(s.lowestQcDepth) + " ft",
        "",
        "Run summary",
    };
    if (request.runSummary.empty()) {
        char text[160];
        std::snprintf(text, sizeof text, "    %d soundings drawn, %.1f ft sounded", soundings,
                      totalFeet);
        lines.emplace_back(text);
    }
    for (const std::string& line : request.runSummary) {
        lines.push_back("    " + line);
    }
    lines.emplace_back("");
    lines.emplace_back(
        "Contents: the zero readings of each device and the plan of positions, "
        "then for each sounding its profile page and one page per chart.");
    return lines;
}

void Save(DrawnPage& page, const std::filesystem::path& file, ImageFormat format,
          PlotResult& result) {
    std::string why;
    if (!SavePage(page, file, format, why)) {
        throw tools::DataError("PL103",
                               "the picture " + file.string() + " could not be written: " + why);
    }
    ++result.files;
}

}  // namespace

PictureSession::PictureSession() {
    if (QApplication::instance() != nullptr) {
        return;
    }
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const bool noDisplay =
        (display == nullptr || *display == '\0') && (wayland == nullptr || *wayland == '\0');
    if (noDisplay && std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    application_ = std::make_unique<QApplication>(argumentCount_, arguments_);
}

PictureSession::~PictureSession() = default;

std::string SoundingPageName(std::string_view sounding) {
    return FileSafe(sounding) + "_profile";
}

std::string ChartPageName(std::string_view sounding, std::string_view chartId) {
    return FileSafe(sounding) + "_chart_" + FileSafe(chartId);
}

std::string ReportName(std::string_view project) {
    return FileSafe(project) + "_report.pdf";
}

PlotResult PlotFinishedRun(run::Program& program, const PlotRequest& request,
                           const PlotProgress& progress) {
    SilentWindow silent;
    platform::FileNumbers numbers;
    reporting::Reporter quiet(silent, numbers);
    RunInputs inputs;
    ReadRunInputs(program, quiet, request, inputs);
    const normalization::NormalisationMode mode =
        normalization::ParseNormalisationMode(inputs.settings.coneNormalization);

    PlotResult result;
    result.folder = platform::ToRealPath(files::PathFor(inputs.area, "PROJECT")) / "Plots";
    std::error_code error;
    std::filesystem::create_directories(result.folder, error);
    if (error) {
        throw tools::DataError("PL103", "the Plots folder " + result.folder.string() +
                                            " cannot be made: " + error.message());
    }

    // First pass: every table is there, and the zero readings and positions of the project
    // pages are gathered.
    std::vector<ZeroReadingsInput> zeroes;
    std::vector<SoundingFacts> facts;
    double totalFeet = 0;
    auto zeroTable = std::make_unique<zeroload::ZeroLoadTable>();
    int sequence = 0;
    for (const projects::SoundingRecord& record : inputs.soundings) {
        const std::string& name = record.soundingName;
        const std::filesystem::path table =
            platform::ToRealPath(output::Q1oFileName(inputs.area, name));
        if (!std::filesystem::exists(table)) {
            throw tools::DataError("PL102", "sounding " + name + " has no output table " +
                                                table.string() +
                                                "; run the project (kavo run) before drawing it");
        }
        fielddata::FieldHeader header;
        fielddata::SoundingReadings readings;
        fielddata::ReadFieldDataFile(quiet, inputs.area, name, header, readings);
        zeroload::StartZeroLoadEntry(*zeroTable, ++sequence, inputs.area.projectName, header);
        const zeroload::ZeroLoadEntry& entry = zeroTable->at(sequence, name);
        zeroes.push_back({name, entry.device, entry.sortKey, MissingAsNaN(entry.Qc_zClean),
                          MissingAsNaN(entry.Qc_zDirty), MissingAsNaN(entry.fs_zClean),
                          MissingAsNaN(entry.fs_zDirty)});
        facts.push_back(FactsOf(inputs.area.projectName, record, header,
                                Shown(inputs.settings.coneNormalization)));
        for (auto depth = readings.depth.rbegin(); depth != readings.depth.rend(); ++depth) {
            if (!tools::IsMissing(*depth)) {
                totalFeet += *depth;
                break;
            }
        }
    }

    const ImageFormat format = request.format;
    std::unique_ptr<ReportWriter> report;
    if (request.report) {
        result.report = result.folder / ReportName(inputs.area.projectName);
        report = std::make_unique<ReportWriter>(
            result.report,
            CoverPage{
                "Kavo CPT report - " + inputs.area.projectName,
                CoverLines(inputs, request, static_cast<int>(inputs.soundings.size()), totalFeet)});
    }
    const auto publish = [&](DrawnPage page, const std::string& name) {
        Save(page, result.folder / (name + ExtensionOf(format)), format, result);
        if (report != nullptr) {
            report->AddPage(page);
        }
    };
    publish(DrawZeroDriftPage(BuildZeroDriftPage(inputs.area.projectName, zeroes)),
            "project_zero_readings");
    publish(DrawPlanPage(BuildPlanPage(inputs.area.projectName, facts)), "project_plan");

    const int count = static_cast<int>(inputs.soundings.size());
    for (int k = 0; k < count; ++k) {
        const projects::SoundingRecord& record = inputs.soundings[static_cast<std::size_t>(k)];
        const std::string& name = record.soundingName;
        if (progress) {
            progress(k + 1, count, name);
        }
        fielddata::FieldHeader header;
        fielddata::SoundingReadings readings;
        fielddata::ReadFieldDataFile(quiet, inputs.area, name, header, readings);
        const normalization::SoundingUnitWeightInputs unitWeight{
            record.watertableDepthFeet, record.uwtMethod, record.uwtAboveWtPcf,
            record.uwtBelowWtPcf, record.uwtFileName};
        ProfileInputs profileInputs{
            *inputs.charts, mode,           unitWeight, inputs.unitWeightProfile,
            inputs.area,    inputs.columns, readings};
        const SoundingProfile profile =
            BuildSoundingProfile(profileInputs, quiet, facts[static_cast<std::size_t>(k)]);
        SoundingPageOptions options;
        options.logConeResistance = request.logConeResistance;
        publish(DrawSoundingPage(BuildSoundingPage(profile, options)), SoundingPageName(name));
        for (std::int16_t slot = 1; slot <= inputs.charts->count; ++slot) {
            const charts::SldChart& chart = inputs.charts->Slot(slot);
            publish(DrawChartPage(BuildChartPage(chart, profile)),
                    ChartPageName(name, chart.Row1_z_IDfull_8str));
        }
        ++result.soundings;
    }
    if (report != nullptr) {
        std::string why;
        if (!report->Finish(why)) {
            throw tools::DataError(
                "PL103", "the report " + result.report.string() + " could not be written: " + why);
        }
        result.reportPages = report->pageCount();
    }
    return result;
}

}  // namespace kavo::plots
