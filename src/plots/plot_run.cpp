// Drawing a finished run: the project's inputs read again and each sounding computed with the
// run's own steps, its pages written to the Plots folder and into the report.
#include "plots/plot_run.h"

#include <QApplication>

#include <algorithm>
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

std::string FileSafe(std::string_view text) {
    std::string safe;
    for (char c : text) {
        const bool plain =
            std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.';
        safe += plain ? c : '_';
    }
    return safe.empty() || safe.front() == '.' ? "_" + safe : safe;
}

std::string Shown(std::string_view text) {
    return text == tools::kNullText || text == tools::kNoChoiceText || text.empty()
               ? "none"
               : std::string(text);
}

std::string Shown(setup::NormalisationMode mode) {
    return Shown(setup::NormalisationModeCode(mode));
}

std::string NumberShown(float value) {
    return tools::IsMissing(value) ? "none" : tools::SingleText(value);
}

double MissingAsNaN(float value) {
    return tools::IsMissing(value) ? std::numeric_limits<double>::quiet_NaN() : value;
}

std::vector<std::string> CoverLines(const FinishedRun& run, const PlotRequest& request,
                                    double totalFeet) {
    const setup::RunSettings& s = run.settings();
    std::vector<std::string> lines = {
        "Project: " + run.area().projectName,
        "Data area: " + platform::ToRealPath(run.area().root).string(),
        "",
        "Run settings",
        "    Cone normalisation: " + Shown(s.coneNormalization),
        "    Soil type (Ic) method: " + Shown(s.icMethod),
        "    Chart data: " + Shown(s.chartDataLocation) + ", " +
            std::to_string(run.charts().count) + " charts loaded",
        "    Output columns: " + Shown(setup::ColumnsSourceCode(s.columnsSource)) + ", " +
            std::to_string(run.columns().count()) + " columns",
        "    Earthquake magnitude: " + NumberShown(s.earthquakeMagnitude),
        "    Lowest-Qc search depth: " + NumberShown(s.lowestQcDepth) + " ft",
        "",
        "Run summary",
    };
    if (request.runSummary.empty()) {
        lines.push_back("    " + std::to_string(run.count()) + " of the project's " +
                        std::to_string(run.projectRows().size()) + " soundings drawn; " +
                        FixedText(totalFeet, 1) + " ft sounded in the project");
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

FinishedRun::FinishedRun(run::Program& program, const std::vector<std::string>& soundings)
    : charts_(std::make_unique<charts::ChartTable>()) {
    area_.root = run::DataAreaRootFor(program);
    area_.projectName = run::kStartProject;
    setup::SetupValues setupValues;
    setup::ReadSetupFile(quiet_, area_, setupValues);
    std::string selectedProject;
    setup::ReadRunSettings(program.window, settings_, selectedProject);
    charts::LoadChartsForRun(quiet_, area_, *charts_);
    const normalization::SoundingUnitWeightInputs noSounding;
    const normalization::NormalisationContext columnContext{*charts_, settings_.coneNormalization,
                                                            noSounding};
    output::SetUpRunColumns(columns_, columnContext, quiet_, area_, settings_.columnsSource);

    reporting::TracedInput database;
    projects::SoundingsHeader header;
    projects::SoundingRecord record;
    projects::OpenSoundingsDatabase(quiet_, area_, database, header, record);
    projects::ReadSoundingsHeader(quiet_, database, header);
    while (projects::ReadSoundingRow(quiet_, database, header, record)) {
        projectRows_.push_back(record);
        record = projects::SoundingRecord{};
    }
    if (soundings.empty()) {
        soundings_ = projectRows_;
        return;
    }
    for (const std::string& wanted : soundings) {
        const auto found =
            std::find_if(projectRows_.begin(), projectRows_.end(), [&](const auto& row) {
                return tools::UpperCopy(row.soundingName) == tools::UpperCopy(wanted);
            });
        if (found == projectRows_.end()) {
            throw tools::DataError("PL101", "sounding " + wanted +
                                                " is not listed in the soundings database of "
                                                "project " +
                                                area_.projectName);
        }
        soundings_.push_back(*found);
    }
}

FinishedRun::~FinishedRun() = default;

const projects::SoundingRecord& FinishedRun::record(int k) const {
    return soundings_.at(static_cast<std::size_t>(k));
}

bool FinishedRun::HasTable(const projects::SoundingRecord& row) const {
    return std::filesystem::exists(
        platform::ToRealPath(output::Q1oFileName(area_, row.soundingName)));
}

void FinishedRun::RequireTable(const projects::SoundingRecord& row) const {
    if (!HasTable(row)) {
        throw tools::DataError(
            "PL102",
            "sounding " + row.soundingName + " has no output table " +
                platform::ToRealPath(output::Q1oFileName(area_, row.soundingName)).string() +
                "; run the project (kavo run) before drawing it");
    }
}

SoundingOverview FinishedRun::Overview(const projects::SoundingRecord& row) {
    RequireTable(row);
    const std::string& name = row.soundingName;
    fielddata::FieldHeader header;
    fielddata::SoundingReadings readings;
    fielddata::ReadFieldDataFile(quiet_, area_, name, header, readings);
    // The zero readings exactly as the zero-load summary computes them.
    auto zeroLoad = std::make_unique<zeroload::ZeroLoadTable>();
    zeroload::StartZeroLoadEntry(*zeroLoad, 1, area_.projectName, header);
    const zeroload::ZeroLoadEntry& entry = zeroLoad->at(1, name);
    SoundingOverview overview;
    overview.facts = FactsOf(area_.projectName, row, header, Shown(settings_.coneNormalization));
    overview.zeroes = {name,
                       entry.device,
                       entry.sortKey,
                       MissingAsNaN(entry.Qc_zClean),
                       MissingAsNaN(entry.Qc_zDirty),
                       MissingAsNaN(entry.fs_zClean),
                       MissingAsNaN(entry.fs_zDirty)};
    for (float depth : readings.depth) {
        if (!tools::IsMissing(depth)) {
            overview.finalDepthFt = std::max(overview.finalDepthFt, static_cast<double>(depth));
        }
    }
    return overview;
}

SoundingProfile FinishedRun::Profile(int k) {
    const projects::SoundingRecord& row = record(k);
    fielddata::FieldHeader header;
    fielddata::SoundingReadings readings;
    fielddata::ReadFieldDataFile(quiet_, area_, row.soundingName, header, readings);
    const normalization::SoundingUnitWeightInputs unitWeight{row.watertableDepthFeet, row.uwtMethod,
                                                             row.uwtAboveWtPcf, row.uwtBelowWtPcf,
                                                             row.uwtFileName};
    ProfileInputs inputs{
        *charts_, settings_.coneNormalization, unitWeight, unitWeightProfile_, area_, columns_,
        readings};
    return BuildSoundingProfile(
        inputs, quiet_,
        FactsOf(area_.projectName, row, header, Shown(settings_.coneNormalization)));
}

PlotResult PlotFinishedRun(run::Program& program, const PlotRequest& request,
                           const PlotProgress& progress) {
    FinishedRun run(program, request.soundings);
    const std::string& project = run.area().projectName;

    PlotResult result;
    result.folder =
        platform::ToRealPath(files::PathFor(run.area(), files::PathKey::Project)) / "Plots";
    std::error_code error;
    std::filesystem::create_directories(result.folder, error);
    if (error) {
        throw tools::DataError("PL103", "the Plots folder " + result.folder.string() +
                                            " cannot be made: " + error.message());
    }

    // First pass: every sounding drawn has its table, and the project pages get the data of
    // every sounding of the project that has one (drawing one sounding keeps them whole; a
    // sounding that failed in a run that kept going has none).
    for (int k = 0; k < run.count(); ++k) {
        run.RequireTable(run.record(k));
    }
    std::vector<ZeroReadingsInput> zeroes;
    std::vector<SoundingFacts> facts;
    double totalFeet = 0;
    for (const projects::SoundingRecord& row : run.projectRows()) {
        if (!run.HasTable(row)) {
            continue;
        }
        SoundingOverview overview = run.Overview(row);
        zeroes.push_back(overview.zeroes);
        facts.push_back(std::move(overview.facts));
        totalFeet += overview.finalDepthFt;
    }

    const ImageFormat format = request.format;
    std::unique_ptr<ReportWriter> report;
    if (request.report) {
        result.report = result.folder / ReportName(project);
        report = std::make_unique<ReportWriter>(
            result.report,
            CoverPage{"Kavo CPT report - " + project, CoverLines(run, request, totalFeet)});
    }
    const auto publish = [&](DrawnPage page, const std::string& name) {
        Save(page, result.folder / (name + ExtensionOf(format)), format, result);
        if (report != nullptr) {
            report->AddPage(page);
        }
    };
    publish(DrawZeroDriftPage(BuildZeroDriftPage(project, zeroes)), "project_zero_readings");
    publish(DrawPlanPage(BuildPlanPage(project, facts)), "project_plan");

    SoundingPageOptions options;
    options.logConeResistance = request.logConeResistance;
    for (int k = 0; k < run.count(); ++k) {
        const std::string& name = run.record(k).soundingName;
        if (progress) {
            progress(k + 1, run.count(), name);
        }
        const SoundingProfile profile = run.Profile(k);
        publish(DrawSoundingPage(BuildSoundingPage(profile, options)), SoundingPageName(name));
        for (std::int16_t slot = 1; slot <= run.charts().count; ++slot) {
            const charts::SldChart& chart = run.charts().Slot(slot);
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
