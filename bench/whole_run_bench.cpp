// The whole-run benchmark: the built program run on a generated data area (make_project.py),
// with its sounded feet and depth points per second and its peak memory, the time of each
// phase of the work measured apart through the library, and the I/O floor: every input line
// read and the same bytes of output written, with nothing computed.
//
//     kavo_run_bench --kavo build/release/kavo --root /tmp/kavo-bench [--runs 3]
//                    [--plot-soundings 10]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "charts/chart_loader.h"
#include "charts/chart_lookup.h"
#include "fielddata/field_data_file.h"
#include "normalization/depth_step.h"
#include "output/column_record.h"
#include "output/column_table.h"
#include "output/q1o_header.h"
#include "platform/file_system.h"
#include "platform/text_file.h"
#include "reporting/reporter.h"
#include "tools/number_text.h"
#include "ui/console_window.h"

namespace {

namespace fs = std::filesystem;
using namespace kavo;
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct ProgramRun {
    double wallSeconds = 0;
    double cpuSeconds = 0;
    long peakKilobytes = 0;
    int status = -1;
};

// Runs `kavo --data-root ROOT ACTION...` (by default `run`) as a child, its output thrown
// away.
ProgramRun RunProgram(const std::string& kavo, const std::string& root,
                      const std::vector<std::string>& action = {"run"}) {
    std::vector<std::string> words = {kavo, "--data-root", root};
    words.insert(words.end(), action.begin(), action.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    std::fflush(stdout);  // the child must not write the parent's buffered lines again
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        execv(kavo.c_str(), argv.data());
        _exit(127);
    }
    ProgramRun run;
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    run.wallSeconds = SecondsSince(start);
    run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    run.peakKilobytes = usage.ru_maxrss;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The sounded feet (the last depth of each table) and the depth points (its data rows) of
// the output tables, whose first column is the depth in feet.
struct Work {
    double feet = 0;
    long points = 0;
};

Work CountWork(const fs::path& soundings) {
    Work work;
    for (const auto& entry : fs::directory_iterator(soundings)) {
        if (!entry.path().string().ends_with("_Q1o.txt")) {
            continue;
        }
        const std::string table = ReadWhole(entry.path());
        std::size_t at = table.find("\r\nEOH\r\n");
        if (at == std::string::npos) {
            continue;
        }
        at += 7;
        double lastDepth = 0;
        while (at < table.size()) {
            const std::size_t end = table.find("\r\n", at);
            lastDepth = tools::ParseNumber(table.substr(at, table.find(',', at) - at)).value_or(0);
            ++work.points;
            at = end == std::string::npos ? table.size() : end + 2;
        }
        work.feet += lastDepth;
    }
    return work;
}

// Every file of the area that the run reads, and every file it writes.
std::vector<fs::path> FilesUnder(const fs::path& folder, bool outputs) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        const std::string name = entry.path().filename().string();
        const bool written = name.ends_with("_Q1o.txt") || name.ends_with(".CSV") ||
                             name.find("direction info") != std::string::npos ||
                             name.starts_with("Kavo_Output") || name.starts_with("Kavo---Output");
        if (written == outputs) {
            files.push_back(entry.path());
        }
    }
    return files;
}

struct Phases {
    double read = 0;
    double compute = 0;
    double format = 0;
    double write = 0;
};

// The phases measured apart through the library: the field files read, every depth point
// computed (with the shipped charts and the project's columns; the unit weight by water
// table for every sounding), the rows and direction lines formatted, and those bytes written.
Phases MeasurePhases(const fs::path& root, const fs::path& scratch) {
    std::ostringstream quiet;
    ui::ConsoleWindow window(quiet, quiet);
    platform::FileNumbers numbers;
    reporting::Reporter reporter(window, numbers);
    files::DataArea area;
    area.root = root.string();
    area.projectName = "ExampleOne";
    auto charts = std::make_unique<charts::ChartTable>();
    charts::LoadChartsForRun(reporter, area, *charts);

    const fs::path project = root / "Projects" / "ExampleOne";
    std::vector<std::string> ids;
    {
        std::istringstream list(ReadWhole(project / "Kavo_Q1o_Columns---ExampleOne.csv"));
        for (std::string line; std::getline(list, line, ',');) {
            const std::string id = tools::TrimCopy(line.substr(0, line.find_first_of("\r\n")));
            if (!id.empty()) {
                ids.push_back(id);
            }
        }
    }
    output::ColumnTable columns;
    std::vector<normalization::ColumnSpec> specs;
    for (const std::string& id : ids) {
        columns.SetColumnId(columns.count() + 1, id, "bench");
        specs.push_back(normalization::ParseColumnId(id));
        charts::ResolveColumnChart(specs.back(), *charts);
    }
    output::CompleteColumnTable(columns, *charts);

    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(project / "Soundings")) {
        if (entry.path().extension() == ".CPT") {
            names.push_back(entry.path().stem().string());
        }
    }
    std::sort(names.begin(), names.end());

    Phases phases;
    normalization::SoundingUnitWeightInputs unitWeight;
    unitWeight.method = "WT";
    unitWeight.waterTableDepth = 8.0f;
    unitWeight.unitWeightAbove = 115.0f;
    unitWeight.unitWeightBelow = 122.0f;
    fs::create_directories(scratch);
    for (const std::string& name : names) {
        fielddata::FieldHeader header;
        fielddata::SoundingReadings readings;
        auto start = Clock::now();
        fielddata::ReadFieldDataFile(reporter, area, name, header, readings);
        phases.read += SecondsSince(start);

        start = Clock::now();
        normalization::NormalisationContext context{
            *charts, normalization::NormalisationMode::Vaski, unitWeight};
        const auto points = normalization::ComputeSoundingPoints(context, specs, readings);
        phases.compute += SecondsSince(start);

        start = Clock::now();
        std::string table;
        std::string trace;
        for (const normalization::ComputedDepthPoint& point : points) {
            for (int i = 1; i <= columns.count(); ++i) {
                output::AppendColumnCell(table, columns, i, output::RowKind::Value,
                                         point.result.values[static_cast<std::size_t>(i - 1)]);
            }
            normalization::AppendChartDirectionLine(trace, point.point, point.result.direction);
            trace += "\r\n";
        }
        phases.format += SecondsSince(start);

        start = Clock::now();
        platform::TextOutput out;
        out.Open((scratch / (name + "_Q1o.txt")).string(), platform::TextOutput::Mode::Replace);
        out.Write(table);
        out.Commit();
        platform::TextOutput traceOut;
        traceOut.Open((scratch / (name + "_direction.csv")).string(),
                      platform::TextOutput::Mode::Replace);
        traceOut.Write(trace);
        traceOut.Commit();
        phases.write += SecondsSince(start);
    }
    return phases;
}

// The I/O floor: every line of every input file read as the program reads lines, and the
// bytes of every output file of the run written again.
struct Floor {
    double read = 0;
    double write = 0;
    std::uintmax_t bytesWritten = 0;
};

Floor MeasureFloor(const fs::path& root, const fs::path& scratch) {
    Floor floor;
    auto start = Clock::now();
    long lines = 0;
    for (const fs::path& file : FilesUnder(root, false)) {
        platform::TextInput in;
        in.Open(file.string());
        for (std::string line; in.ReadLine(line);) {
            ++lines;
        }
    }
    floor.read = SecondsSince(start);
    std::vector<std::string> contents;
    for (const fs::path& file : FilesUnder(root, true)) {
        contents.push_back(ReadWhole(file));
    }
    fs::create_directories(scratch);
    start = Clock::now();
    for (std::size_t i = 0; i < contents.size(); ++i) {
        platform::TextOutput out;
        out.Open((scratch / ("out" + std::to_string(i))).string(),
                 platform::TextOutput::Mode::Replace);
        out.Write(contents[i]);
        out.Commit();
        floor.bytesWritten += contents[i].size();
    }
    floor.write = SecondsSince(start);
    return floor;
}

double LoadAverage() {
    double load[1] = {0};
    return getloadavg(load, 1) == 1 ? load[0] : -1;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Kavo whole-run benchmark"};
    std::string kavo;
    std::string root;
    int runs = 3;
    app.add_option("--kavo", kavo, "the kavo program to run")->required();
    app.add_option("--root", root, "a data area made by make_project.py")->required();
    app.add_option("--runs", runs, "runs of the program; the fastest counts");
    int plotSoundings = 0;
    app.add_option("--plot-soundings", plotSoundings,
                   "after the runs, time `kavo plot` of this many soundings (a kavo with Qt)");
    CLI11_PARSE(app, argc, argv);

    std::printf("load average before: %.2f on %ld cores\n", LoadAverage(),
                sysconf(_SC_NPROCESSORS_ONLN));
    ProgramRun best;
    for (int i = 0; i < runs; ++i) {
        const ProgramRun run = RunProgram(kavo, root);
        if (run.status != 0) {
            std::fprintf(stderr, "kavo ended with status %d\n", run.status);
            return 1;
        }
        std::printf("run %d: %.2f s wall, %.2f s cpu, peak %.1f MB\n", i + 1, run.wallSeconds,
                    run.cpuSeconds, static_cast<double>(run.peakKilobytes) / 1024.0);
        if (i == 0 || run.wallSeconds < best.wallSeconds) {
            best = run;
        }
    }
    const Work work = CountWork(fs::path(root) / "Projects" / "ExampleOne" / "Soundings");
    std::printf("work: %.0f sounded ft, %ld depth points\n", work.feet, work.points);
    std::printf(
        "whole run (fastest): %.0f sounded ft/s, %.0f depth points/s (wall %.2f s); "
        "by cpu time %.0f ft/s; peak memory %.1f MB\n",
        work.feet / best.wallSeconds, static_cast<double>(work.points) / best.wallSeconds,
        best.wallSeconds, work.feet / best.cpuSeconds,
        static_cast<double>(best.peakKilobytes) / 1024.0);

    if (plotSoundings > 0) {
        // The pictures of the first soundings (make_project.py names them BM-0001, BM-0002, ...):
        // their pages and the report.
        std::vector<std::string> plot = {"plot"};
        for (int k = 1; k <= plotSoundings; ++k) {
            char name[16];
            std::snprintf(name, sizeof name, "BM-%04d", k);
            plot.emplace_back(name);
        }
        const ProgramRun pictures = RunProgram(kavo, root, plot);
        if (pictures.status != 0) {
            std::fprintf(stderr, "kavo plot ended with status %d\n", pictures.status);
            return 1;
        }
        std::printf("plot: %d soundings in %.2f s wall, %.2f s cpu: %.2f s wall per sounding\n",
                    plotSoundings, pictures.wallSeconds, pictures.cpuSeconds,
                    pictures.wallSeconds / plotSoundings);
    }

    const fs::path scratch = fs::temp_directory_path() / ("kavo-bench-" + std::to_string(getpid()));
    const Phases phases = MeasurePhases(root, scratch / "phases");
    std::printf("phases: read %.2f s, compute %.2f s, format %.2f s, write %.2f s\n", phases.read,
                phases.compute, phases.format, phases.write);
    const Floor floor = MeasureFloor(root, scratch / "floor");
    const double floorSeconds = floor.read + floor.write;
    std::printf(
        "I/O floor: read %.2f s, write %.2f s (%.0f MB): %.0f sounded ft/s; the run "
        "takes %.1f times the floor\n",
        floor.read, floor.write, static_cast<double>(floor.bytesWritten) / 1e6,
        work.feet / floorSeconds, best.wallSeconds / floorSeconds);
    std::printf("load average after: %.2f\n", LoadAverage());
    fs::remove_all(scratch);
    return 0;
}
