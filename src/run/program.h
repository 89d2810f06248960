// The program-wide state in one object: what lives for the program (reporting, data area,
// version and computer name, setup values) and the tables that every run rebuilds.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "charts/sld_chart.h"
#include "fielddata/depth_readings.h"
#include "fielddata/field_header.h"
#include "files/paths.h"
#include "normalization/depth_point.h"
#include "normalization/normalisation_context.h"
#include "normalization/unit_weight_profile.h"
#include "output/column_table.h"
#include "platform/clock.h"
#include "platform/data_area_lock.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/window.h"
#include "projects/project_list.h"
#include "projects/soundings_database.h"
#include "reporting/reporter.h"
#include "setup/run_settings.h"
#include "setup/setup_file.h"
#include "zeroload/zero_load_file.h"
#include "zeroload/zero_load_table.h"

namespace kavo::run {

// A sounding whose data error did not end a run that keeps going.
struct FailedSounding {
    int sequence = 0;
    std::string name;
    std::string code;
    std::string description;
};

// Everything a batch run rebuilds and every sounding only reads; a run starts from a fresh
// RunTables{}.
struct RunTables {
    setup::RunSettings settings;
    // The chart table is large, so it lives on the heap.
    std::unique_ptr<charts::ChartTable> charts = std::make_unique<charts::ChartTable>();
    projects::ProjectList projects;
    projects::SoundingsHeader soundingsHeader;
    output::ColumnTable columns;
    std::unique_ptr<zeroload::ZeroLoadTable> zeroLoad = std::make_unique<zeroload::ZeroLoadTable>();
    // The zero-load data file, open from stage 2 until it is written after the loop.
    std::unique_ptr<zeroload::ZeroLoadFile> zeroLoadFile =
        std::make_unique<zeroload::ZeroLoadFile>();
    // The unit-weight profile last read; a sounding that names the same file reads it no more.
    normalization::UnitWeightProfile unitWeightProfile;
    // The sounded length of the run (ft): each sounding's output adds its final depth.
    float totalFeet = 0;
    // The soundings processed to their table.
    std::int16_t totalSoundings = 0;
    // The sounding rows of the database, counted before the first sounding: the N of
    // "sounding k of N".
    int soundingRows = 0;
    std::vector<FailedSounding> failedSoundings;
};

// The state of one sounding being processed; each sounding has its own.
struct SoundingState {
    projects::SoundingRecord record;
    fielddata::FieldHeader fieldHeader;
    fielddata::SoundingReadings readings;
    normalization::SoundingUnitWeightInputs unitWeightInputs;
    normalization::DepthPoint point;
};

// The number of soundings a run computes at once unless told: the machine's cores.
inline int DefaultJobs() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(cores);
}

class Program {
  public:
    Program(platform::Window& window, const platform::Clock& clock,
            const platform::Environment& environment, platform::ProgramInfo info)
        : window(window),
          clock(clock),
          environment(environment),
          info(std::move(info)),
          reporter(window, fileNumbers) {}
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    platform::Window& window;
    const platform::Clock& clock;
    const platform::Environment& environment;
    platform::ProgramInfo info;

    platform::FileNumbers fileNumbers;
    reporting::Reporter reporter;
    // The configured data-area root (--data-root, KAVO_DATA_ROOT or ~/Kavo): the root that
    // the forcing option chooses, and the folder of the input-lines trace.
    std::string configuredRoot;
    // The example data area of the source tree when the program runs from its build tree
    // (not installed): the first use's installation source then. Empty otherwise.
    std::string sourceTreeDataRoot;
    files::DataArea dataArea;
    std::string versionText;
    std::string computerName;
    std::string programFolder;
    setup::SetupValues setup;
    // This program's hold on the data area, from the general setups to the program's end.
    platform::DataAreaLock dataAreaLock;
    // True while a batch run is under way; a run action pressed meanwhile is refused.
    bool runActive = false;
    // Set by a front end that runs the batch run on another thread (the window closed, or
    // "END" pressed, during a run); the run stops at the next sounding boundary.
    std::atomic<bool> stopRequested = false;

    // How many soundings a run computes at once (--jobs); the files are the same for any.
    int jobs = DefaultJobs();

    RunTables tables;
};

}  // namespace kavo::run
