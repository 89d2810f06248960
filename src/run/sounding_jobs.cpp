// Computing the soundings of the loop apart and handing them back in order.
#include "run/sounding_jobs.h"

#include "fielddata/field_data_file.h"
#include "normalization/normalisation_context.h"
#include "output/q1o_table.h"
#include "projects/soundings_database.h"
#include "run/run_summary.h"
#include "tools/errors.h"

namespace kavo::run {
namespace {

// The window of a sounding computed apart: its reporter records what it would show, so
// nothing reaches this window.
class QuietWindow : public platform::Window {
  public:
    void ShowErrorWindow(const platform::ErrorWindowContent&) override {}
    void ShowMessage(const std::string&) override {}
};

// Shows where the sounding loop stands: sounding k of N, its time so far and the time left,
// estimated from the soundings done.
void ShowLoopProgress(Program& program, int sequence, const std::string& name,
                      double loopStartSeconds) {
    platform::LoopProgress& loop = program.window.panel().loop;
    loop.sounding = sequence;
    loop.name = name;
    loop.soundings = program.tables.soundingRows;
    loop.failed = static_cast<int>(program.tables.failedSoundings.size());
    loop.elapsedSeconds = ElapsedSeconds(loopStartSeconds, program.clock.SecondsSinceMidnight());
    loop.secondsLeft = SecondsLeft(sequence - 1, loop.soundings, loop.elapsedSeconds);
}

bool HoldsAssumedProfile(const SoundingJob& job) {
    return job.profile.read == job.assumedProfileRead &&
           (!job.profile.read || job.profile.fileName == job.assumedProfileName);
}

// The profile a sounding assumed read last, unless it holds it: read again here without a
// report, as the run read it before. A profile that cannot be read leaves none: the sounding
// that read it first failed, and the run has none either.
void ReadAssumedProfile(Program& program, SoundingJob& job) {
    if (HoldsAssumedProfile(job)) {
        return;
    }
    job.profile = normalization::UnitWeightProfile{};
    if (!job.assumedProfileRead) {
        return;
    }
    QuietWindow window;
    platform::FileNumbers numbers = job.fileNumbers;
    reporting::Reporter quiet(window, numbers);
    reporting::Journal dropped;
    quiet.RecordInto(program.reporter, dropped);
    try {
        normalization::ReadUnitWeightProfile(job.profile, job.assumedProfileName, program.dataArea,
                                             quiet);
    } catch (const tools::DataError&) {
        job.profile = normalization::UnitWeightProfile{};
        job.assumedProfileRead = false;
        job.assumedProfileName.clear();
    }
}

}  // namespace

void ComputeSounding(Program& program, SoundingJob& job, double loopStartSeconds) {
    const RunTables& tables = program.tables;
    QuietWindow window;
    platform::FileNumbers numbers = job.fileNumbers;
    reporting::Reporter reporter(window, numbers);
    reporter.RecordInto(program.reporter, job.journal);
    try {
        ReadAssumedProfile(program, job);
        SoundingState& sounding = job.state;
        const std::string name = sounding.record.soundingName;
        reporter.ProcessEvents();
        reporter.Effect([&program, sequence = job.sequence, name, loopStartSeconds] {
            ShowLoopProgress(program, sequence, name, loopStartSeconds);
        });
        reporter.ReportProgress({"Data processing --- Sounding sequence= " +
                                     std::to_string(job.sequence) + "   Sounding= " + name,
                                 "HOG data file input", name, name, "", " ", " ", "HF432"});

        fielddata::ReadFieldDataFile(reporter, program.dataArea, name, sounding.fieldHeader,
                                     sounding.readings);
        // The entry is started before the data rows, which lower its lowest readings.
        zeroload::StartZeroLoadEntry(job.zeroLoad, program.dataArea.projectName,
                                     sounding.fieldHeader);

        sounding.unitWeightInputs = {sounding.record.watertableDepthFeet, sounding.record.uwtMethod,
                                     sounding.record.uwtAboveWtPcf, sounding.record.uwtBelowWtPcf,
                                     sounding.record.uwtFileName};
        normalization::NormalisationContext context{
            *tables.charts, tables.settings.coneNormalization, sounding.unitWeightInputs};
        const std::string qtRule = fielddata::QtRuleText(sounding.fieldHeader);
        output::Q1oTableParts parts{tables.columns,
                                    context,
                                    job.profile,
                                    program.dataArea,
                                    reporter,
                                    program.clock,
                                    program.versionText,
                                    program.info.comment,
                                    program.computerName,
                                    tables.settings.earthquakeMagnitude,
                                    *tables.zeroLoadFile,
                                    name,
                                    sounding.readings,
                                    sounding.point,
                                    job.zeroLoad,
                                    job.feet,
                                    qtRule,
                                    tables.settings.writeCsv};
        output::WriteQ1oTable(parts);
    } catch (...) {
        job.error = std::current_exception();
    }
}

SoundingJobs::SoundingJobs(Program& program, reporting::TracedInput& database,
                           double loopStartSeconds)
    : program_(program),
      database_(database),
      loopStartSeconds_(loopStartSeconds),
      // Enough soundings ahead that no worker waits while the loop writes one.
      window_(program.jobs > 1 ? 2 * static_cast<std::size_t>(program.jobs) : 1) {
    // The loop's own thread is one of the jobs: it computes soundings too while the one it
    // takes next is not ready, so that the run keeps as many threads busy as it has jobs.
    for (int i = 1; i < program.jobs; ++i) {
        workers_.emplace_back([this] { Work(); });
    }
}

SoundingJobs::~SoundingJobs() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    queued_.notify_all();
    for (std::thread& worker : workers_) {
        worker.join();
    }
}

// Reads the next sounding's row of the database, as the loop reads it in turn (its lines
// go to the job's journal), and hands the sounding to a worker.
void SoundingJobs::ReadNextRow() {
    auto job = std::make_unique<SoundingJob>();
    job->sequence = nextSequence_++;
    job->fileNumbers = program_.fileNumbers;
    {
        QuietWindow window;
        platform::FileNumbers numbers = program_.fileNumbers;
        reporting::Reporter reporter(window, numbers);
        reporter.RecordInto(program_.reporter, job->rowJournal);
        try {
            if (!projects::ReadSoundingRow(reporter, database_, program_.tables.soundingsHeader,
                                           job->state.record)) {
                throw tools::DataError(
                    "RL125", std::string(projects::kSoundingsPurpose) +
                                 ", the database has fewer rows than the " +
                                 std::to_string(program_.tables.soundingRows) +
                                 " counted before the soundings: was it changed during the run?");
            }
            job->rowRead = true;
        } catch (...) {
            job->error = std::current_exception();
        }
    }
    if (ahead_.empty()) {
        // Every sounding before it has been applied: the run's profile is known, not assumed.
        const normalization::UnitWeightProfile& profile = program_.tables.unitWeightProfile;
        expectedProfileRead_ = profile.read;
        expectedProfileName_ = profile.fileName;
    }
    if (job->rowRead) {
        job->assumedProfileRead = expectedProfileRead_;
        job->assumedProfileName = expectedProfileName_;
        const projects::SoundingRecord& record = job->state.record;
        if (normalization::UsesProfileFile(record.uwtMethod)) {
            expectedProfileRead_ = true;
            expectedProfileName_ = record.uwtFileName;
        }
    }
    SoundingJob& queued = *job;
    ahead_.push_back(std::move(job));
    if (!queued.rowRead) {
        queued.computed = true;
    } else if (workers_.empty()) {
        ComputeSounding(program_, queued, loopStartSeconds_);
        queued.computed = true;
    } else {
        {
            std::lock_guard lock(mutex_);
            waiting_.push_back(&queued);
        }
        queued_.notify_one();
    }
}

std::unique_ptr<SoundingJob> SoundingJobs::Take() {
    while (ahead_.size() < window_ && nextSequence_ <= program_.tables.soundingRows) {
        ReadNextRow();
    }
    if (ahead_.empty()) {
        throw tools::ProgrammingError("the sounding loop took more soundings than it counted");
    }
    std::unique_ptr<SoundingJob> job = std::move(ahead_.front());
    ahead_.pop_front();
    {
        std::unique_lock lock(mutex_);
        while (!job->computed) {
            if (waiting_.empty()) {
                finished_.wait(lock);
                continue;
            }
            SoundingJob* waiting = waiting_.front();
            waiting_.pop_front();
            lock.unlock();
            ComputeSounding(program_, *waiting, loopStartSeconds_);
            lock.lock();
            waiting->computed = true;
        }
    }
    // The workers go on with the soundings after it while the loop applies this one; one job
    // computes the next sounding only after this one is applied.
    while (!workers_.empty() && ahead_.size() < window_ &&
           nextSequence_ <= program_.tables.soundingRows) {
        ReadNextRow();
    }
    return job;
}

void SoundingJobs::Work() {
    for (;;) {
        SoundingJob* job = nullptr;
        {
            std::unique_lock lock(mutex_);
            queued_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
            if (stopping_) {
                return;
            }
            job = waiting_.front();
            waiting_.pop_front();
        }
        ComputeSounding(program_, *job, loopStartSeconds_);
        {
            std::lock_guard lock(mutex_);
            job->computed = true;
        }
        finished_.notify_all();
    }
}

}  // namespace kavo::run
