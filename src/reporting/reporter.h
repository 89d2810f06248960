// Reporting: the progress panel with its remembered fields, the report of the first data
// error, the tasks-and-issues log with its issue counter, and the trace of every input line.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/text_file.h"
#include "platform/window.h"
#include "reporting/issue_tally.h"

namespace kavo::reporting {

// The eight texts of every progress report. "" or ".." leaves a field unchanged, " " blanks
// it. For the status code "" leaves it, " " blanks the code and its title.
struct ProgressReport {
    std::string mainRoutine;
    std::string operations;
    std::string sounding;
    std::string inputFile;
    std::string outputFile;
    std::string process;
    std::string value;
    std::string statusCode;
};

// A report that changes only the process and value fields and the status code.
inline ProgressReport ProcessReport(std::string_view code, std::string_view process,
                                    std::string_view value = "") {
    ProgressReport report;
    report.process = std::string(process);
    report.value = std::string(value);
    report.statusCode = std::string(code);
    return report;
}

// The last text shown in each field of the panel; read by the error report and by issue
// lines written with context.
struct RememberedFields {
    std::string mainRoutine;
    std::string operations;
    std::string sounding;
    std::string inputFile;
    std::string outputFile;
    std::string process;
    std::string value;
};

// One entry of the input history.
struct HistoryEntry {
    std::string line;
    std::string fileName;
    std::string description;
};

inline constexpr std::size_t kHistorySize = 10;
inline constexpr const char* kTasksLogName =
    "Kavo_Output_____tasks_and_Issues___from_most_recent_Kavo_Run.txt";
inline constexpr const char* kTraceName =
    "Kavo_OUTPUT____all input_lines___from_most_recent_Kavo_run.CSV";

// The kinds of line of the tasks-and-issues log; an issue is counted.
enum class LogKind { Task, Issue };

// The kind as the log view shows it: "TASK" or "ISSUE".
std::string_view LogKindText(LogKind kind);

// An input file opened through the trace. Closing it (or destroying it) frees its number.
class TracedInput {
  public:
    TracedInput() = default;
    TracedInput(const TracedInput&) = delete;
    TracedInput& operator=(const TracedInput&) = delete;
    ~TracedInput() { Close(); }
    bool IsOpen() const { return input_.IsOpen(); }
    bool AtEnd() { return input_.AtEnd(); }
    bool LastLineEnded() const { return input_.LastLineEnded(); }
    int LinesRead() const { return input_.LinesRead(); }
    // Why the last opening failed, for messages (see platform::ReasonNotReadable).
    std::string WhyNotOpened() const {
        return platform::ReasonNotReadable(path_, input_.errorNumber());
    }
    int number() const { return number_; }
    const std::string& path() const { return path_; }
    void Close();

  private:
    friend class Reporter;
    platform::TextInput input_;
    platform::FileNumbers* numbers_ = nullptr;
    int number_ = 0;
    std::string path_;
};

// What a sounding computed apart (on another thread) did to the program's reporter and files,
// in the order it did it: applied by the thread that writes the run's files when the
// sounding's turn comes, so the files are the same as when the soundings run one by one.
class Reporter;

// Lines read one after the other from one open file, kept in one text.
struct LinesRead {
    std::string fileName;
    std::string description;
    int number = 0;
    std::string text;               // the lines one after the other
    std::vector<std::size_t> ends;  // where each line ends in the text
};

// Progress reports, window events and lines read change separate things (the panel and the
// remembered fields; the window's time; the trace and the input history): while nothing else
// is recorded, a journal keeps a run of them as at most one report and one lot of lines per
// file, which leave the same panel, fields, trace and history when applied. The window would
// show the reports between for no time anyone could see.
class Journal {
  public:
    // Any other effect; it ends the run.
    void Add(std::function<void()> effect);
    // A progress report to `target`, merged into the run's last one where the two merge.
    void AddProgress(Reporter& target, const ProgressReport& report);
    // Giving `target`'s window time; once is enough when nothing else was recorded since.
    void AddProcessEvents(Reporter& target);
    // A line read from an open file (its history entry and trace row), added to the run's last
    // lines when they come from the same file with the same description.
    void AddLineRead(Reporter& target, std::string_view line, std::string_view fileName,
                     std::string_view description, int number);
    // Applies the effects in order and forgets them; an effect that throws ends it there.
    void Apply();

  private:
    std::vector<std::function<void()>> effects_;
    // The run's last progress report and last lines read; none once another effect follows.
    std::shared_ptr<ProgressReport> lastProgress_;
    std::shared_ptr<LinesRead> lastLines_;
    bool endsWithProcessEvents_ = false;
};

class Reporter {
  public:
    Reporter(platform::Window& window, platform::FileNumbers& fileNumbers);
    Reporter(const Reporter&) = delete;
    Reporter& operator=(const Reporter&) = delete;
    ~Reporter();

    platform::Window& window() { return window_; }
    platform::FileNumbers& fileNumbers() { return fileNumbers_; }

    // --- a sounding computed apart ---
    // From now on this reporter records instead of doing: every progress report, log line,
    // input-history entry and trace line becomes an effect on `target` in `journal`. Files
    // are still opened and read here, under this reporter's file numbers.
    void RecordInto(Reporter& target, Journal& journal);
    // Does `effect` now, or records it when this reporter records.
    void Effect(std::function<void()> effect);
    // Gives the window time, or records that.
    void ProcessEvents();

    // --- progress and the error report ---
    void ReportProgress(const ProgressReport& report);
    const RememberedFields& remembered() const { return remembered_; }
    // Writes the ten-line error block to the log and shows the error window with the
    // remembered fields and the last six input lines. Only the first error of the
    // program's life is reported: later calls return false and write nothing.
    bool ReportDataError(std::string_view description, std::string_view code);
    // The ten-line error block alone, as the error report writes it to the log; also for a
    // sounding whose data error does not end a run that keeps going.
    void LogErrorBlock(std::string_view description);
    bool errorReported() const { return errorReported_; }
    void ClearErrorReported() { errorReported_ = false; }

    // --- the tasks-and-issues log ---
    // Starts the log on its sink: hides the issue counter, writes the company-and-version
    // line and the start line, and sets the counter to 0. The lines are buffered: the log is
    // flushed at the end of each sounding (FlushLog), with the error report and at its close.
    void OpenTasksLog(std::unique_ptr<std::ostream> sink, std::string_view company,
                      std::string_view versionText, std::string_view date, std::string_view time);
    bool tasksLogOpen() const { return log_ != nullptr; }
    // One line indented by 3 × level + 3 blanks (level -1: none); an issue is counted.
    void LogLine(int level, std::string_view text, LogKind kind);
    // One line carrying the remembered context: 23 blanks, "  CPT=", "  G=", "  S=", "  D=",
    // three blanks and the text.
    void LogIssueWithContext(std::string_view text, LogKind kind);
    // The same two writers for an issue whose class the issue summary counts; an issue
    // logged through the writers above counts as "other".
    void LogIssue(int level, std::string_view text, const IssueClass& issue);
    void LogIssueWithContext(std::string_view text, const IssueClass& issue);
    // The issues counted since the log was opened, by sounding and kind; they add up to the
    // issue counter.
    const IssueTally& issues() const { return issues_; }
    std::int32_t issueCount() const { return issueCount_; }
    // Hands the buffered log lines to the file.
    void FlushLog();
    void CloseTasksLog();

    // --- the input-lines trace ---
    // (Re)starts the trace on its sink: the header row, a cleared history, then the entry
    // "----START SETUP----".
    void OpenTrace(std::unique_ptr<std::ostream> sink);
    // Opens a file for reading under a free file number and records the opening in the
    // history; false when it cannot be opened.
    bool TraceOpenForReading(TracedInput& file, std::string_view systemPath,
                             std::string_view description);
    // Reads the next line; false (and an empty line, history and trace untouched) when the
    // file was already at its end.
    bool TraceLineInput(TracedInput& file, std::string& line, std::string_view fileName,
                        std::string_view description);
    // Reads the next comma- or line-separated number into `value` (-5435 when the item is
    // not numeric or the file is at its end). Returns false when nothing could be read.
    // `atEnd` tells whether the file is at its end afterwards.
    bool TraceNumberInput(TracedInput& file, float& value, bool& atEnd, std::string_view fileName,
                          std::string_view description);
    void RememberLine(std::string_view line, std::string_view fileName,
                      std::string_view description);
    // Lines read from an open file, as each would be noted in turn.
    void NoteLinesRead(const LinesRead& lines);
    // The input history, most recent first, at most ten entries.
    const std::vector<HistoryEntry>& history() const { return history_; }

  private:
    // When recording: records `effect` (called with the target) and returns true.
    template <class TargetEffect>
    bool Recorded(TargetEffect effect) {
        if (journal_ == nullptr) {
            return false;
        }
        journal_->Add(
            [target = target_, effect = std::move(effect)]() mutable { effect(*target); });
        return true;
    }
    // The history entry and trace row of one line read from an open file.
    void NoteLineRead(std::string_view line, std::string_view fileName,
                      std::string_view description, int number);
    void WriteTraceRow(std::string_view line, std::string_view fileName,
                       std::string_view description, int number);
    void CountIssue(LogKind kind, const IssueClass& issue);
    void WriteLogLine(std::string_view line);
    std::string ContextLine(std::string_view text) const;
    // One task or issue line: to the log, and to the window's log view.
    void WriteEntry(LogKind kind, const std::string& line);

    platform::Window& window_;
    platform::FileNumbers& fileNumbers_;
    RememberedFields remembered_;
    bool errorReported_ = false;
    std::unique_ptr<std::ostream> log_;
    std::int32_t issueCount_ = 0;
    IssueTally issues_;
    std::unique_ptr<std::ostream> trace_;
    std::vector<HistoryEntry> history_;
    Reporter* target_ = nullptr;
    Journal* journal_ = nullptr;
};

}  // namespace kavo::reporting
