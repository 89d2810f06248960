// The whole-run benchmark: the built program run on a generated data area (make_project.py)
// with one job and with N jobs, each on its own copy of the area, with its sounded feet and
// depth points per second and its peak memory; every output file of the two compared byte for
// byte; the time of each phase of the work measured apart through the library, and the I/O
// floor: every input line read and the same bytes of output written, with nothing computed.
//
//     kavo_run_bench --kavo build/release/kavo --root /tmp/kavo-bench [--runs 3] [--jobs N]
//                    [--plot-soundings 10]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "charts/chart_loader.h"
#include "charts/chart_lookup.h"
#include "fielddata/field_data_file.h"
#include "normalization/depth_step.h"
#include "output/column_record.h"
#include "output/column_table.h"
#include "output/q1o_header.h"
#include "platform/data_area_lock.h"
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

// Runs `kavo --data-root ROOT ACTION...` as a child, its output thrown away.
ProgramRun RunProgram(const std::string& kavo, const std::string& root,
                      const std::vector<std::string>& action) {
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

// The lines that carry the time of day of a run: the only ones two runs may differ in.
constexpr std::string_view kClockMarks[] = {
    "File generatation time stamp = ", "Start of Kavo software --- Starting at date/time=",
    "End of Tasks & Issues: "};

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        lines.push_back(text.substr(at, next - at));
        at = next;
    }
    return lines;
}

std::string WithRootToken(std::string text, const std::string& root) {
    for (std::size_t at = text.find(root); at != std::string::npos; at = text.find(root, at)) {
        text.replace(at, root.size(), "<ROOT>");
    }
    return text;
}

bool SameOrBothClockLines(std::string_view a, std::string_view b) {
    if (a == b) {
        return true;
    }
    for (std::string_view mark : kClockMarks) {
        const std::size_t at = a.find(mark);
        if (at != std::string_view::npos &&
            a.substr(0, at + mark.size()) == b.substr(0, at + mark.size())) {
            return true;
        }
    }
    return false;
}

// Every file under two data areas after their runs, compared byte for byte, apart from the
// time of day in the lines that carry it. Returns the differences found (at most a few).
std::vector<std::string> CompareAreas(const fs::path& one, const fs::path& other,
                                      long& filesCompared) {
    std::vector<std::string> differences;
    std::vector<std::string> names;
    for (const fs::path& area : {one, other}) {
        for (const auto& entry : fs::recursive_directory_iterator(area)) {
            if (entry.is_regular_file()) {
                names.push_back(fs::relative(entry.path(), area).generic_string());
            }
        }
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    for (const std::string& name : names) {
        if (name == platform::kLockFileName) {
            continue;  // it names the process that held the area
        }
        ++filesCompared;
        if (!fs::exists(one / name) || !fs::exists(other / name)) {
            differences.push_back(name + ": written by one run only");
            continue;
        }
        // Each area's files name their own root.
        const std::string a = WithRootToken(ReadWhole(one / name), one.string());
        const std::string b = WithRootToken(ReadWhole(other / name), other.string());
        if (a == b) {
            continue;
        }
        const std::vector<std::string_view> linesA = Lines(a);
        const std::vector<std::string_view> linesB = Lines(b);
        bool same = linesA.size() == linesB.size();
        for (std::size_t i = 0; same && i < linesA.size(); ++i) {
            same = SameOrBothClockLines(linesA[i], linesB[i]);
        }
        if (!same) {
            differences.push_back(name + ": differs");
        }
        if (differences.size() >= 10) {
            break;
        }
    }
    return differences;
}

// A copy of the area's input files (the files a run writes left out).
void CopyInputs(const fs::path& root, const fs::path& copy) {
    fs::remove_all(copy);
    for (const fs::path& file : FilesUnder(root, false)) {
        const fs::path target = copy / fs::relative(file, root);
        fs::create_directories(target.parent_path());
        fs::copy_file(file, target);
    }
}

// The fastest of `runs` runs of the program with `jobs` jobs on its own copy of the area.
ProgramRun FastestRun(const std::string& kavo, const fs::path& area, int jobs, int runs) {
    ProgramRun best;
    for (int i = 0; i < runs; ++i) {
        const ProgramRun run =
            RunProgram(kavo, area.string(), {"run", "--jobs", std::to_string(jobs)});
        if (run.status != 0) {
            std::fprintf(stderr, "kavo --jobs %d ended with status %d\n", jobs, run.status);
            std::exit(1);
        }
        std::printf("jobs %d, run %d: %.2f s wall, %.2f s cpu, peak %.1f MB\n", jobs, i + 1,
                    run.wallSeconds, run.cpuSeconds,
                    static_cast<double>(run.peakKilobytes) / 1024.0);
        if (i == 0 || run.wallSeconds < best.wallSeconds) {
            best = run;
        }
    }
    return best;
}

void PrintWholeRun(int jobs, const Work& work, const ProgramRun& run) {
    std::printf(
        "jobs %d (fastest): %.0f sounded ft/s, %.0f depth points/s (wall %.2f s); by cpu time "
        "%.0f ft/s; peak memory %.1f MB\n",
        jobs, work.feet / run.wallSeconds, static_cast<double>(work.points) / run.wallSeconds,
        run.wallSeconds, work.feet / run.cpuSeconds,
        static_cast<double>(run.peakKilobytes) / 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Kavo whole-run benchmark"};
    std::string kavo;
    std::string root;
    int runs = 3;
    int jobs = static_cast<int>(std::max(1L, sysconf(_SC_NPROCESSORS_ONLN)));
    app.add_option("--kavo", kavo, "the kavo program to run")->required();
    app.add_option("--root", root, "a data area made by make_project.py")->required();
    app.add_option("--runs", runs,
                   "runs of the program for each number of jobs; the fastest counts");
    app.add_option("--jobs", jobs,
                   "the jobs of the run compared with one job (default: the cores)");
    int plotSoundings = 0;
    app.add_option("--plot-soundings", plotSoundings,
                   "after the runs, time `kavo plot` of this many soundings (a kavo with Qt)");
    CLI11_PARSE(app, argc, argv);

    std::printf("load average before: %.2f on %ld cores\n", LoadAverage(),
                sysconf(_SC_NPROCESSORS_ONLN));
    const fs::path scratch = fs::temp_directory_path() / ("kavo-bench-" + std::to_string(getpid()));
    const fs::path areaOne = scratch / "jobs-1";
    const fs::path areaMany = scratch / ("jobs-" + std::to_string(jobs));
    CopyInputs(root, areaOne);
    CopyInputs(root, areaMany);
    const ProgramRun one = FastestRun(kavo, areaOne, 1, runs);
    const ProgramRun many = FastestRun(kavo, areaMany, jobs, runs);

    long filesCompared = 0;
    const std::vector<std::string> differences = CompareAreas(areaOne, areaMany, filesCompared);
    if (!differences.empty()) {
        std::fprintf(stderr, "FAILED: the files of --jobs 1 and --jobs %d differ:\n", jobs);
        for (const std::string& difference : differences) {
            std::fprintf(stderr, "  %s\n", difference.c_str());
        }
        return 1;
    }
    std::printf(
        "--jobs 1 and --jobs %d: %ld files, byte for byte the same (apart from the time "
        "of day)\n",
        jobs, filesCompared);

    const Work work = CountWork(areaOne / "Projects" / "ExampleOne" / "Soundings");
    std::printf("work: %.0f sounded ft, %ld depth points\n", work.feet, work.points);
    PrintWholeRun(1, work, one);
    PrintWholeRun(jobs, work, many);
    std::printf("jobs %d / jobs 1: %.2f times as fast (wall)\n", jobs,
                one.wallSeconds / many.wallSeconds);

    if (plotSoundings > 0) {
        // The pictures of the first soundings (make_project.py names them BM-0001, BM-0002, ...):
        // their pages and the report.
        std::vector<std::string> plot = {"plot"};
        for (int k = 1; k <= plotSoundings; ++k) {
            char name[16];
            std::snprintf(name, sizeof name, "BM-%04d", k);
            plot.emplace_back(name);
        }
        const ProgramRun pictures = RunProgram(kavo, areaOne.string(), plot);
        if (pictures.status != 0) {
            std::fprintf(stderr, "kavo plot ended with status %d\n", pictures.status);
            return 1;
        }
        std::printf("plot: %d soundings in %.2f s wall, %.2f s cpu: %.2f s wall per sounding\n",
                    plotSoundings, pictures.wallSeconds, pictures.cpuSeconds,
                    pictures.wallSeconds / plotSoundings);
    }

    const Phases phases = MeasurePhases(areaOne, scratch / "phases");
    std::printf("phases (one job): read %.2f s, compute %.2f s, format %.2f s, write %.2f s\n",
                phases.read, phases.compute, phases.format, phases.write);
    const Floor floor = MeasureFloor(areaOne, scratch / "floor");
    const double floorSeconds = floor.read + floor.write;
    std::printf(
        "I/O floor: read %.2f s, write %.2f s (%.0f MB): %.0f sounded ft/s; jobs 1 takes %.1f "
        "and jobs %d %.1f times the floor\n",
        floor.read, floor.write, static_cast<double>(floor.bytesWritten) / 1e6,
        work.feet / floorSeconds, one.wallSeconds / floorSeconds, jobs,
        many.wallSeconds / floorSeconds);
    std::printf("load average after: %.2f\n", LoadAverage());
    fs::remove_all(scratch);
    return 0;
}
