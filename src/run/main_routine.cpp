// Start-up, general setups and the batch run driver.
#include "run/main_routine.h"

#include <cerrno>
#include <cstring>
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
#include "platform/text_file.h"
#include "projects/project_list.h"
#include "projects/soundings_database.h"
#include "run/action.h"
#include "run/run_summary.h"
#include "run/sounding_jobs.h"
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

// Sounding `job` computed again in this thread from the unit-weight profile the run has read
// last, when it assumed another: a sounding before it read none or failed.
void RecomputeWithRunProfile(Program& program, SoundingJob& job, double loopStartSeconds) {
    const normalization::UnitWeightProfile& profile = program.tables.unitWeightProfile;
    if (job.assumedProfileRead == profile.read &&
        (!profile.read || job.assumedProfileName == profile.fileName)) {
        return;
    }
    job.assumedProfileRead = profile.read;
    job.assumedProfileName = profile.fileName;
    job.profile = profile;
    const projects::SoundingRecord record = job.state.record;
    job.state = SoundingState{};
    job.state.record = record;
    job.zeroLoad = zeroload::ZeroLoadEntry{};
    job.feet = 0;
    job.journal = reporting::Journal{};
    job.error = nullptr;
    ComputeSounding(program, job, loopStartSeconds);
}

// Applies one sounding computed apart, in its turn: its row, its files and reports, its
// zero-load entry (in the next free slot) and its feet. This is the one place that decides
// what a sounding's data error does: it ends the run (the rule), or, in a run that keeps
// going, its error block goes to the log, the sounding is noted as failed and leaves nothing
// behind for the next: no table, no zero-load line, no feet, no half-read unit-weight profile.
void ApplySounding(Program& program, SoundingJob& job, double loopStartSeconds) {
    RunTables& tables = program.tables;
    try {
        job.rowJournal.Apply();
        if (job.rowRead) {
            RecomputeWithRunProfile(program, job, loopStartSeconds);
        }
        job.journal.Apply();
        if (job.error) {
            std::rethrow_exception(job.error);
        }
        const int slot = tables.totalSoundings + 1;
        tables.zeroLoad->at(slot, job.state.record.soundingName) = job.zeroLoad;
        tables.totalFeet += job.feet;
        tables.unitWeightProfile = job.profile;
        ++tables.totalSoundings;
    } catch (const tools::DataError& error) {
        if (!tables.settings.keepGoing) {
            throw;
        }
        program.reporter.LogErrorBlock(error.description());
        tables.unitWeightProfile = normalization::UnitWeightProfile{};
        const std::string& name = job.state.record.soundingName;
        tables.failedSoundings.push_back({job.sequence, name == tools::kNullText ? "" : name,
                                          error.code(), error.description()});
    }
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
    const normalization::NormalisationContext columnContext{
        *tables.charts, tables.settings.coneNormalization, noSounding};
    output::SetUpRunColumns(tables.columns, columnContext, program.reporter, program.dataArea,
                            tables.settings.columnsSource);

    projects::ResetProjectRecord(program.tables.projects.record, program.dataArea.projectName);

    zeroload::OpenZeroLoadFile(*tables.zeroLoadFile, program.dataArea,
                               tables.settings.lowestQcDepthText, tables.settings.writeCsv);

    projects::SoundingRecord noRow;
    projects::OpenSoundingsDatabase(program.reporter, program.dataArea, database,
                                    program.tables.soundingsHeader, noRow);
    projects::ReadSoundingsHeader(program.reporter, database, program.tables.soundingsHeader);
    // The soundings are counted and the limits checked before the first sounding, so a run
    // that cannot finish writes no table.
    tables.soundingRows =
        projects::CountSoundingRows(database.path(), program.tables.soundingsHeader);
    if (tables.soundingRows > kMaxSoundingsPerRun) {
        throw tools::DataError("GLS200",
                               "Sounding data processing --- the soundings database lists " +
                                   std::to_string(tables.soundingRows) +
                                   " soundings; one run processes at most " +
                                   std::to_string(kMaxSoundingsPerRun) + ", split the project");
    }
    return startSeconds;
}

// Stage 3: one pass per sounding row counted in stage 2.
void Looping(Program& program, reporting::TracedInput& database) {
    AnnounceStage(program.window, program.reporter, Stage::Looping);
    RunTables& tables = program.tables;
    tables.totalSoundings = 0;
    const double loopStartSeconds = program.clock.SecondsSinceMidnight();
    program.window.panel().loop = platform::LoopProgress{};
    program.window.panel().loop.soundings = tables.soundingRows;
    {
        SoundingJobs soundings(program, database, loopStartSeconds);
        for (int sequence = 1; sequence <= tables.soundingRows; ++sequence) {
            StopIfRequested(program, sequence - 1);
            const std::string sequenceText = std::to_string(sequence);
            program.reporter.ReportProgress(
                {"Sounding data processing --- Sounding Sequence = " + sequenceText, " ", "--new--",
                 " ", " ", "Sequence = " + sequenceText, "", "GLS11"});
            const std::unique_ptr<SoundingJob> job = soundings.Take();
            ApplySounding(program, *job, loopStartSeconds);
            program.reporter.FlushLog();
        }
    }
    database.Close();
    program.window.panel().loop = platform::LoopProgress{};

    zeroload::WriteZeroLoadFile(*tables.zeroLoadFile, *tables.zeroLoad, tables.totalSoundings,
                                *tables.charts, program.reporter);
    if (tables.settings.writeChartData) {
        charts::WriteChartStatements(program.reporter, program.dataArea, *tables.charts);
    }
}

// The lines the run summary adds: the soundings that failed in a run that kept going, and
// the issue summary table.
std::vector<std::string> SummaryLines(const Program& program) {
    std::vector<std::string> lines;
    const std::vector<FailedSounding>& failed = program.tables.failedSoundings;
    if (!failed.empty()) {
        lines.push_back("Failed soundings: " + std::to_string(failed.size()) +
                        " (no table written; error blocks in the log)");
        for (const FailedSounding& sounding : failed) {
            lines.push_back("  sounding " + std::to_string(sounding.sequence) + " " +
                            sounding.name + ": " + sounding.code + " " + sounding.description);
        }
    }
    for (std::string& line : program.reporter.issues().SummaryLines()) {
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace

std::string ProgramDrive(std::string_view programPath) {
    const std::filesystem::path program(programPath);
    return program.parent_path().parent_path().string();
}

std::string InstalledDataRoot(std::string_view programDrive) {
    return std::string(programDrive) + "/share/kavo/Kavo";
}

void LockDataArea(Program& program) {
    const std::string root = DataAreaRootFor(program);
    const std::string shown = platform::ToRealPath(root).string();
    platform::DataAreaLock& lock = program.dataAreaLock;
    switch (lock.Acquire(root)) {
        case platform::DataAreaLock::Result::Locked:
        case platform::DataAreaLock::Result::NoFolder:
            return;
        case platform::DataAreaLock::Result::HeldByAnother:
            throw tools::DataError(
                "LK101", "another Kavo program is working in the data area " + shown +
                             (lock.holderText().empty() ? "" : " (" + lock.holderText() + ")") +
                             "; wait until it has ended, then run again");
        case platform::DataAreaLock::Result::Failed:
            break;
    }
    throw tools::DataError("LK102", "Kavo can't lock the data area " + shown + " with its file " +
                                        platform::kLockFileName + " (" +
                                        std::strerror(lock.errorNumber()) + ")");
}

std::string TraceFilePath(const Program& program) {
    return platform::ToRealPath(program.configuredRoot + "/" + reporting::kTraceName).string();
}

std::string TasksLogPath(const Program& program) {
    return files::PathFor(program.dataArea, files::PathKey::Root) + reporting::kTasksLogName;
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
    // Before the trace and the log: a second program must not replace the first one's.
    LockDataArea(program);
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
    program.window.panel().summaryLines.clear();

    OpenTraceFile(program);
    program.reporter.ReportProgress(
        {"Starting Kavo Main Routine", "", "", "", "", "", "", "GL130"});
    // Files an earlier program could not finish; none can be this program's own yet.
    if (program.dataAreaLock.held()) {
        const int removed = platform::RemoveUnfinishedFiles(program.dataArea.root);
        if (removed > 0) {
            program.reporter.LogLine(0,
                                     "Removed " + std::to_string(removed) + " unfinished files (*" +
                                         std::string(platform::kUnfinishedSuffix) +
                                         ") left by an earlier program",
                                     reporting::LogKind::Task);
        }
    }

    SetupAndReads(program);
    reporting::TracedInput database;
    const double startSeconds = PreRunning(program, database);
    Looping(program, database);

    setup::WriteSetupFile(program.reporter, program.dataArea, program.setup);
    const float elapsed = ElapsedSeconds(startSeconds, program.clock.SecondsSinceMidnight());
    const std::vector<std::string> summaryLines = SummaryLines(program);
    program.window.panel().summaryLines = summaryLines;
    program.reporter.ReportProgress(
        RunSummary(program.tables.totalFeet, program.tables.totalSoundings, elapsed,
                   files::PathFor(program.dataArea, files::PathKey::Soundings),
                   program.tables.zeroLoadFile->name));
    for (const std::string& line : summaryLines) {
        program.reporter.LogLine(0, line, reporting::LogKind::Task);
    }
    program.reporter.LogLine(
        0, "End of Tasks & Issues: " + program.clock.ShortDate() + "  " + program.clock.ShortTime(),
        reporting::LogKind::Task);
    program.reporter.FlushLog();
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
