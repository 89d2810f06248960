// Soundings side by side: each sounding of the loop is computed into its own state and
// journal, on worker threads when the run has more than one job, and the loop applies the
// journals in sounding order, so every file is the same as with one job.
#pragma once

#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "normalization/unit_weight_profile.h"
#include "run/program.h"
#include "zeroload/zero_load_table.h"

namespace kavo::run {

// One sounding of the loop, computed apart: what it read and computed, and what it did to the
// program's reporter and files, not yet applied.
struct SoundingJob {
    int sequence = 0;
    bool rowRead = false;  // its row of the database was read; the rest follows from it
    SoundingState state;
    // The program's file numbers when the row was read: the sounding's files take the numbers
    // they would take in turn.
    platform::FileNumbers fileNumbers;
    // The unit-weight profile the sounding assumed the run had read last (the one it reads
    // again without reporting it), and after the sounding the one the run has read last.
    bool assumedProfileRead = false;
    std::string assumedProfileName;
    normalization::UnitWeightProfile profile;
    zeroload::ZeroLoadEntry zeroLoad;
    float feet = 0;  // what the sounding adds to the run's sounded length
    reporting::Journal rowJournal;
    reporting::Journal journal;
    std::exception_ptr error;  // the sounding's data error (or any other), thrown when applied
    bool computed = false;     // set by the worker, under the workers' lock
};

// Computes a sounding whose row has been read: its field data file, zero-load entry and
// output table, into the job. Catches what it throws into the job's error.
void ComputeSounding(Program& program, SoundingJob& job, double loopStartSeconds);

// Reads the database's rows in order and hands each sounding to the workers (`jobs` - 1
// threads, and the loop's own thread while the sounding it takes next is not ready; with one
// job the loop computes each sounding when it reads its row), keeping at most a few soundings
// ahead of the one taken, so that memory stays bounded.
class SoundingJobs {
  public:
    SoundingJobs(Program& program, reporting::TracedInput& database, double loopStartSeconds);
    SoundingJobs(const SoundingJobs&) = delete;
    SoundingJobs& operator=(const SoundingJobs&) = delete;
    // Stops the workers; soundings not taken are dropped.
    ~SoundingJobs();

    // The next sounding in order, computed.
    std::unique_ptr<SoundingJob> Take();

  private:
    void ReadNextRow();
    void Work();

    Program& program_;
    reporting::TracedInput& database_;
    double loopStartSeconds_;
    std::size_t window_;
    int nextSequence_ = 1;
    // The profile the run will have read last once the soundings read so far are applied,
    // when none of them fails.
    bool expectedProfileRead_ = false;
    std::string expectedProfileName_;

    std::deque<std::unique_ptr<SoundingJob>> ahead_;  // read, in sounding order
    std::mutex mutex_;
    std::condition_variable queued_;
    std::condition_variable finished_;
    std::deque<SoundingJob*> waiting_;  // for a worker
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

}  // namespace kavo::run
