// Start-up, general setups and the batch run driver.
#include "run/main_routine.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>

#include "charts/chart_export.h"
#include "charts/chart_loader.h"
#include "fielddata/field_data_file.h"
#include "files/first_use.h"
#include "normalization/normalisation_context.h"
#include "output/q1o_table.h"
#include "output/run_columns.h"
#include "platform/file_system.h"
#include "projects/project_list.h"
#include "projects/soundings_database.h"
#include "run/action.h"
#include "run/run_summary.h"
#include "run/stage_board.h"
#include "setup/run_settings.h"
#include "setup/setup_file.h"
#include "tools/errors.h"
#include "tools/line_split.h"
#include "tools/number_text.h"
#include "zeroload/zero_load_summary.h"

namespace kavo::run {
namespace {

void SetLabel(platform::Window& window, const char* name, const std::string& text) {
    window.control(name).text = text;
    window.ControlChanged(name);
}

projects::ProjectContext ProjectsOf(Program& program) {
    return {program.reporter, program.dataArea, program.window, program.tables.projects,
            program.setup.lastProject};
}

std::unique_ptr<std::ofstream> CreateOutputSink(const std::string& systemPath) {
    return std::make_unique<std::ofstream>(platform::ToRealPath(systemPath),
                                           std::ios::binary | std::ios::trunc);
}

// Marks the program as running a batch run until the run ends, also through an error.
class ActiveRun {
  public:
    explicit ActiveRun(bool& flag) : flag_(flag) { flag_ = true; }
    ~ActiveRun() { flag_ = false; }
    ActiveRun(const ActiveRun&) = delete;
    ActiveRun& operator=(const ActiveRun&) = delete;

  private:
    bool& flag_;
};

normalization::NormalisationMode ModeOf(const setup::RunSettings& settings) {
    return normalization::ParseNormalisationMode(settings.coneNormalization);
}

// One sounding: its field data file, its zero-load entry, its output table.
void ProcessSounding(Program& program, int sequence) {
    RunTables& tables = program.tables;
    SoundingState& sounding = program.sounding;
    const std::string& name = sounding.record.soundingName;
    fielddata::ReadFieldDataFile(program.reporter, program.dataArea, name, sounding.fieldHeader,
                                 sounding.readings);
    // The entry is started before the data rows, which lower its lowest readings.
    zeroload::StartZeroLoadEntry(*tables.zeroLoad, sequence, program.dataArea.projectName,
                                 sounding.fieldHeader);

    sounding.unitWeightInputs = {sounding.record.watertableDepthFeet, sounding.record.uwtMethod,
                                 sounding.record.uwtAboveWtPcf, sounding.record.uwtBelowWtPcf,
                                 sounding.record.uwtFileName};
    normalization::NormalisationContext context{*tables.charts, ModeOf(tables.settings),
                                                sounding.unitWeightInputs};
    output::Q1oTableParts parts{tables.columns,
                                context,
                                tables.unitWeightProfile,
                                program.dataArea,
                                program.reporter,
                                program.clock,
                                program.versionText,
                                program.info.comment,
                                program.computerName,
                                tables.settings.earthquakeMagnitude,
                                *tables.zeroLoadFile,
                                name,
                                sounding.readings,
                                sounding.point,
                                tables.zeroLoad->at(sequence, name),
                                tables.totalFeet,
                                tables.settings.writeCsv};
    output::WriteQ1oTable(parts);
}

// Stage 1: the run settings, the project folders, the project list and its choices.
void SetupAndReads(Program& program) {
    AnnounceStage(program.window, program.reporter, Stage::SetupAndReads);
    program.reporter.ClearErrorReported();
    const projects::ProjectContext projectContext = ProjectsOf(program);
    projects::ResetProjectRecord(program.tables.projects.record, program.dataArea.projectName);
    setup::ReadRunSettings(program.window, program.tables.settings, program.setup.lastProject);
    projects::ListProjectFolders(projectContext);
    projects::ReadProjectList(projectContext, "");
    projects::FillProjectChoices(projectContext);
    projects::SelectProject(projectContext, kStartProject);
}

// Stage 2: the setup file names the project; its shared inputs are read once.
double PreRunning(Program& program, reporting::TracedInput& database) {
    AnnounceStage(program.window, program.reporter, Stage::PreRunning);
    program.tables.totalFeet = 0;
    const double startSeconds = program.clock.SecondsSinceMidnight();
    if (program.window.IsOn(setup::control::kShowLineBreakdown)) {
        program.window.ClearListing();
        for (const std::string& line : tools::LineSplitSelfTest()) {
            program.window.AppendListing(line);
        }
    }
    program.window.SetListingVisible(false);
    program.reporter.ReportProgress(
        {"Initial Setup calls ---", " ", " ", " ", " ", " ", " ", "GL134"});
    setup::ReadSetupFile(program.reporter, program.dataArea, program.setup);

    RunTables& tables = program.tables;
    charts::LoadChartsForRun(program.reporter, program.dataArea, *tables.charts);

    // Every output column is tried at the test point before the first sounding, so a bad
    // column ID stops the run before any table is written.
    const normalization::SoundingUnitWeightInputs noSounding;
    const normalization::NormalisationContext columnContext{*tables.charts, ModeOf(tables.settings),
                                                            noSounding};
    output::SetUpRunColumns(tables.columns, columnContext, program.reporter, program.dataArea,
                            tables.settings.columnsSource);

    projects::ResetProjectRecord(program.tables.projects.record, program.dataArea.projectName);

    zeroload::OpenZeroLoadFile(*tables.zeroLoadFile, program.dataArea,
                               tables.settings.lowestQcDepthText, tables.settings.writeCsv);

    projects::OpenSoundingsDatabase(program.reporter, program.dataArea, database,
                                    program.tables.soundingsHeader, program.sounding.record);
    projects::ReadSoundingsHeader(program.reporter, database, program.tables.soundingsHeader);
    return startSeconds;
}

// Stage 3: one pass per sounding row, until the database ends.
void Looping(Program& program, reporting::TracedInput& database) {
    AnnounceStage(program.window, program.reporter, Stage::Looping);
    program.tables.totalSoundings = 0;
    int sequence = 1;
    while (sequence <= kMaxSequence) {
        StopIfRequested(program, sequence - 1);
        const std::string sequenceText = std::to_string(sequence);
        program.reporter.ReportProgress(
            {"Sounding data processing --- Sounding Sequence = " + sequenceText, " ", "--new--",
             " ", " ", "Sequence = " + sequenceText, "", "GLS11"});
        program.sounding = SoundingState{};
        if (!projects::ReadSoundingRow(program.reporter, database, program.tables.soundingsHeader,
                                       program.sounding.record)) {
            break;
        }
        if (sequence > kMaxSoundingsPerRun) {
            throw tools::DataError(
                "GLS200", "Sounding data processing --- the soundings database lists more than " +
                              std::to_string(kMaxSoundingsPerRun) +
                              " soundings; one run processes at most " +
                              std::to_string(kMaxSoundingsPerRun) + ", split the project");
        }
        program.window.ProcessEvents();
        const std::string& name = program.sounding.record.soundingName;
        program.reporter.ReportProgress(
            {"Data processing --- Sounding sequence= " + sequenceText + "   Sounding= " + name,
             "HOG data file input", name, name, "", " ", " ", "HF432"});

        ProcessSounding(program, sequence);

        ++sequence;
    }
    database.Close();
    program.tables.totalSoundings = static_cast<std::int16_t>(sequence - 1);

    RunTables& tables = program.tables;
    zeroload::WriteZeroLoadFile(*tables.zeroLoadFile, *tables.zeroLoad, tables.totalSoundings,
                                *tables.charts, program.reporter);
    if (tables.settings.writeChartData) {
        charts::WriteChartStatements(program.reporter, program.dataArea, *tables.charts);
    }
}

}  // namespace

std::string ProgramDrive(std::string_view programPath) {
    const std::filesystem::path program(programPath);
    return program.parent_path().parent_path().string();
}

std::string InstalledDataRoot(std::string_view programDrive) {
    return std::string(programDrive) + "/share/kavo/Kavo";
}

std::string TraceFilePath(const Program& program) {
    return program.configuredRoot + "/" + reporting::kTraceName;
}

std::string TasksLogPath(const Program& program) {
    return files::PathFor(program.dataArea, "KAVO") + reporting::kTasksLogName;
}

void OpenTraceFile(Program& program) {
    const std::string path = TraceFilePath(program);
    const std::filesystem::path real = platform::ToRealPath(path);
    // The trace of an earlier run may still be open: a fresh file (not the old one
    // truncated) keeps its last buffered lines from landing in the new trace.
    std::error_code ignored;
    std::filesystem::remove(real, ignored);
    errno = 0;
    auto sink = CreateOutputSink(path);
    if (!*sink) {
        throw tools::DataError(
            "OTR101", "Kavo can't create the input-lines trace file " + real.string() +
                          "; is the data area there? (" +
                          files::WhyNotWritableInDataArea(program.configuredRoot, errno) + ")");
    }
    program.reporter.OpenTrace(std::move(sink));
}

void OpenTasksLogFile(Program& program) {
    const std::string path = TasksLogPath(program);
    errno = 0;
    auto sink = CreateOutputSink(path);
    if (!*sink) {
        throw tools::DataError(
            "OTL101", "Kavo can't create the tasks-and-issues log " +
                          platform::ToRealPath(path).string() + "; is the data area there? (" +
                          files::WhyNotWritableInDataArea(program.dataArea.root, errno) + ")");
    }
    program.reporter.OpenTasksLog(std::move(sink), program.info.company, program.versionText,
                                  program.clock.ShortDate(), program.clock.ShortTime());
}

std::string DataAreaRootFor(const Program& program) {
    return program.window.IsOn(setup::control::kForceDataRoot)
               ? program.configuredRoot
               : InstalledDataRoot(ProgramDrive(program.info.programPath));
}

void GeneralSetups(Program& program) {
    platform::Window& window = program.window;
    OpenTraceFile(program);
    program.reporter.ClearErrorReported();
    program.reporter.ReportProgress({"Starting Kavo", "Doing General setups", " ",
                                     "checking for drive", " ", " ", " ", "MM912"});
    AnnounceStage(window, program.reporter, Stage::CheckBeforeCompiling);

    const platform::ProgramInfo& info = program.info;
    program.versionText = tools::IntegerText(info.major) + "." + tools::IntegerText(info.minor) +
                          "." + tools::IntegerText(info.revision);
    SetLabel(window, control::kVersionLabel, "Kavo Version = " + program.versionText);
    SetLabel(window, control::kVersionDateLabel, info.comment);

    program.computerName = program.environment.Variable("COMPUTERNAME").value_or("");

    const std::string drive = ProgramDrive(info.programPath);
    program.dataArea.root = DataAreaRootFor(program);
    SetLabel(window, control::kSystemAreaLabel,
             "EXE drive=" + drive + "/   and   Kavo data area= " + program.dataArea.root);
    program.dataArea.projectName = kStartProject;

    OpenTasksLogFile(program);
    setup::ReadSetupFile(program.reporter, program.dataArea, program.setup);
}

void MainRoutine(Program& program) {
    if (program.runActive) {
        return;
    }
    ActiveRun active(program.runActive);
    program.tables = RunTables{};
    program.sounding = SoundingState{};

    OpenTraceFile(program);
    program.reporter.ReportProgress(
        {"Starting Kavo Main Routine", "", "", "", "", "", "", "GL130"});

    SetupAndReads(program);
    reporting::TracedInput database;
    const double startSeconds = PreRunning(program, database);
    Looping(program, database);

    setup::WriteSetupFile(program.reporter, program.dataArea, program.setup);
    const float elapsed = ElapsedSeconds(startSeconds, program.clock.SecondsSinceMidnight());
    program.reporter.ReportProgress(RunSummary(
        program.tables.totalFeet, program.tables.totalSoundings, elapsed,
        files::PathFor(program.dataArea, "SOUNDINGS"), program.tables.zeroLoadFile->name));
    program.reporter.LogLine(
        0, "End of Tasks & Issues: " + program.clock.ShortDate() + "  " + program.clock.ShortTime(),
        "TASK");
    AnnounceStage(program.window, program.reporter, Stage::Looping);
}

void ChooseProjectForRun(Program& program, std::string_view project) {
    const projects::ProjectContext context = ProjectsOf(program);
    projects::FillProjectChoices(context);
    std::string chosen;
    std::string offered;
    for (const std::string& choice : program.window.control(projects::kProjectChoiceList).items) {
        if (choice.find(projects::kNoFolderMark) != std::string::npos) {
            continue;  // listed, but without a folder to process
        }
        offered += (offered.empty() ? "" : ", ") + choice;
        if (tools::UpperCopy(choice) == tools::UpperCopy(tools::Trim(project))) {
            chosen = choice;
        }
    }
    if (chosen.empty()) {
        throw tools::DataError(
            "PR122", "there is no project \"" + std::string(project) +
                         "\" to run; the projects are: " + (offered.empty() ? "(none)" : offered));
    }
    projects::SelectProject(context, chosen);
    setup::WriteSetupFile(program.reporter, program.dataArea, program.setup);
}

void LoadMainWindow(Program& program, std::string_view project) {
    program.window.control(control::kMainWindow).visible = true;
    program.window.ControlChanged(control::kMainWindow);
    GeneralSetups(program);
    if (!project.empty()) {
        ChooseProjectForRun(program, project);
    }
    MainRoutine(program);
}

}  // namespace kavo::run
