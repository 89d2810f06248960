// Reporting: the progress panel, the first-error report, the tasks-and-issues log and the
// trace of every input line.
#include "reporting/reporter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <ostream>

#include "tools/line_split.h"
#include "tools/null_marker.h"
#include "tools/number_text.h"

namespace kavo::reporting {
namespace {

constexpr std::size_t kErrorWindowLines = 6;

// A text between double quotes, as the trace writes it: inner quotes stay as they are.
std::string Quoted(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '"';
    quoted += text;
    quoted += '"';
    return quoted;
}

// Applies one field of a progress report: "" and ".." keep the field, anything else
// (a single blank too) replaces it.
void ApplyField(std::string_view passed, std::string& shown, std::string& remembered) {
    if (passed.empty() || passed == "..") {
        return;
    }
    shown = passed;
    remembered = passed;
}

// A log line at an indent level: 3 × level + 3 blanks before the text. Levels below -1 do
// not occur; they are written without indentation like -1.
std::string Indented(int level, std::string_view text) {
    const int blanks = std::max(0, 3 * level + 3);
    return std::string(static_cast<std::size_t>(blanks), ' ') + std::string(text);
}

}  // namespace

std::string_view LogKindText(LogKind kind) {
    switch (kind) {
        case LogKind::Task:
            return "TASK";
        case LogKind::Issue:
            return "ISSUE";
    }
    return "";
}

void TracedInput::Close() {
    input_.Close();
    if (numbers_ != nullptr && number_ != 0) {
        numbers_->Release(number_);
    }
    numbers_ = nullptr;
    number_ = 0;
}

namespace {

bool KeepsField(std::string_view passed) {
    return passed.empty() || passed == "..";
}

// Merges `later` into `earlier` when `later` after `earlier` leaves the panel and the
// remembered fields as the merged report alone does: each field and the status code as
// `later` passes it, or as `earlier` did where `later` keeps it. Not when either names a main
// routine (its text decides the weight and the console's plain lines), nor when `earlier`
// clears the status code and `later` brings one back (with the title the clearing removed).
bool MergeProgress(ProgressReport& earlier, const ProgressReport& later) {
    if (!KeepsField(earlier.mainRoutine) || !KeepsField(later.mainRoutine) ||
        (earlier.statusCode == " " && !later.statusCode.empty() && later.statusCode != " ")) {
        return false;
    }
    std::string ProgressReport::*const fields[] = {
        &ProgressReport::operations, &ProgressReport::sounding, &ProgressReport::inputFile,
        &ProgressReport::outputFile, &ProgressReport::process,  &ProgressReport::value};
    for (const auto field : fields) {
        if (!KeepsField(later.*field)) {
            earlier.*field = later.*field;
        }
    }
    if (!later.statusCode.empty()) {
        earlier.statusCode = later.statusCode;
    }
    return true;
}

}  // namespace

void Journal::Add(std::function<void()> effect) {
    effects_.push_back(std::move(effect));
    lastProgress_.reset();
    lastLines_.reset();
    endsWithProcessEvents_ = false;
}

void Journal::AddProgress(Reporter& target, const ProgressReport& report) {
    if (lastProgress_ != nullptr && MergeProgress(*lastProgress_, report)) {
        return;
    }
    auto kept = std::make_shared<ProgressReport>(report);
    effects_.push_back([&target, kept] { target.ReportProgress(*kept); });
    lastProgress_ = std::move(kept);
    endsWithProcessEvents_ = false;
}

void Journal::AddProcessEvents(Reporter& target) {
    if (endsWithProcessEvents_) {
        return;
    }
    effects_.push_back([&target] { target.ProcessEvents(); });
    endsWithProcessEvents_ = true;
}

void Journal::AddLineRead(Reporter& target, std::string_view line, std::string_view fileName,
                          std::string_view description, int number) {
    if (lastLines_ == nullptr || lastLines_->number != number || lastLines_->fileName != fileName ||
        lastLines_->description != description) {
        auto lines = std::make_shared<LinesRead>();
        lines->fileName = fileName;
        lines->description = description;
        lines->number = number;
        effects_.push_back([&target, lines] { target.NoteLinesRead(*lines); });
        lastLines_ = std::move(lines);
        endsWithProcessEvents_ = false;
    }
    lastLines_->text += line;
    lastLines_->ends.push_back(lastLines_->text.size());
}

void Journal::Apply() {
    lastProgress_.reset();
    endsWithProcessEvents_ = false;
    lastLines_.reset();
    std::vector<std::function<void()>> effects = std::move(effects_);
    effects_.clear();
    for (const std::function<void()>& effect : effects) {
        effect();
    }
}

Reporter::Reporter(platform::Window& window, platform::FileNumbers& fileNumbers)
    : window_(window), fileNumbers_(fileNumbers) {}

void Reporter::RecordInto(Reporter& target, Journal& journal) {
    target_ = &target;
    journal_ = &journal;
}

void Reporter::Effect(std::function<void()> effect) {
    if (journal_ != nullptr) {
        journal_->Add(std::move(effect));
        return;
    }
    effect();
}

void Reporter::ProcessEvents() {
    if (journal_ != nullptr) {
        journal_->AddProcessEvents(*target_);
        return;
    }
    window_.ProcessEvents();
}

Reporter::~Reporter() {
    CloseTasksLog();
    if (trace_ != nullptr) {
        trace_->flush();
    }
}

// --- progress and the error report ---

void Reporter::ReportProgress(const ProgressReport& report) {
    if (journal_ != nullptr) {
        journal_->AddProgress(*target_, report);
        return;
    }
    window_.ProcessEvents();
    platform::ProgressPanel& panel = window_.panel();

    // The weight follows the text passed, even when that text keeps the field unchanged.
    panel.mainRoutineBold = tools::UpperCopy(report.mainRoutine).find("DONE") != std::string::npos;

    auto field = [&panel](platform::ProgressField which) -> std::string& {
        return panel.fields[static_cast<std::size_t>(which)];
    };
    using platform::ProgressField;
    ApplyField(report.mainRoutine, field(ProgressField::MainRoutine), remembered_.mainRoutine);
    ApplyField(report.operations, field(ProgressField::Operations), remembered_.operations);
    ApplyField(report.sounding, field(ProgressField::Sounding), remembered_.sounding);
    ApplyField(report.inputFile, field(ProgressField::InputFile), remembered_.inputFile);
    ApplyField(report.outputFile, field(ProgressField::OutputFile), remembered_.outputFile);
    ApplyField(report.process, field(ProgressField::Process), remembered_.process);
    ApplyField(report.value, field(ProgressField::Value), remembered_.value);

    if (report.statusCode == " ") {
        panel.statusCode.clear();
        panel.statusTitle.clear();
    } else if (!report.statusCode.empty()) {
        panel.statusCode = report.statusCode;
        if (panel.statusTitle.empty()) {
            panel.statusTitle = platform::kStatusTitle;
        }
    }
    window_.PanelChanged();
}

bool Reporter::ReportDataError(std::string_view description, std::string_view code) {
    if (errorReported_) {
        return false;
    }
    errorReported_ = true;
    LogErrorBlock(description);
    // The log and the trace then show everything up to the error, whatever ends the program.
    FlushLog();
    if (trace_ != nullptr) {
        trace_->flush();
    }

    platform::ErrorWindowContent content;
    content.code = code;
    content.description = description;
    content.mainRoutine = remembered_.mainRoutine;
    content.operations = remembered_.operations;
    content.process = remembered_.process;
    content.sounding = remembered_.sounding;
    content.inputFile = remembered_.inputFile;
    content.outputFile = remembered_.outputFile;
    content.value = remembered_.value;
    std::size_t shown = std::min(history_.size(), kErrorWindowLines);
    for (std::size_t i = 0; i < shown; ++i) {
        content.lastLines.push_back(
            {history_[i].fileName, history_[i].line, history_[i].description});
    }
    window_.ShowErrorWindow(content);
    return true;
}

void Reporter::LogErrorBlock(std::string_view description) {
    if (Recorded(
            [text = std::string(description)](Reporter& target) { target.LogErrorBlock(text); })) {
        return;
    }
    if (log_ == nullptr) {
        return;
    }
    WriteLogLine("Error--------------------------start");
    WriteLogLine("Error description =" + std::string(description));
    WriteLogLine("Error main = " + remembered_.mainRoutine);
    WriteLogLine("Error operations = " + remembered_.operations);
    WriteLogLine("processing");
    WriteLogLine("Error sounding  = " + remembered_.sounding);
    WriteLogLine("input");
    WriteLogLine("output");
    WriteLogLine("Error depth = " + remembered_.value);
    WriteLogLine("Error---------------------------------end");
}

// --- the tasks-and-issues log ---

void Reporter::OpenTasksLog(std::unique_ptr<std::ostream> sink, std::string_view company,
                            std::string_view versionText, std::string_view date,
                            std::string_view time) {
    window_.panel().issueCounterVisible = false;
    window_.PanelChanged();
    log_ = std::move(sink);
    LogLine(-1,
            "Kavo Software, vender=" + std::string(company) +
                "     version=" + std::string(versionText),
            LogKind::Task);
    LogLine(0,
            "Start of Kavo software --- Starting at date/time=" + std::string(date) + " " +
                std::string(time),
            LogKind::Task);
    issueCount_ = 0;
    issues_.Clear();
}

void Reporter::LogLine(int level, std::string_view text, LogKind kind) {
    if (Recorded([level, text = std::string(text), kind](Reporter& target) {
            target.LogLine(level, text, kind);
        })) {
        return;
    }
    CountIssue(kind, IssueClass{});
    WriteEntry(kind, Indented(level, text));
}

void Reporter::LogIssueWithContext(std::string_view text, LogKind kind) {
    if (Recorded([text = std::string(text), kind](Reporter& target) {
            target.LogIssueWithContext(text, kind);
        })) {
        return;
    }
    CountIssue(kind, IssueClass{});
    WriteEntry(kind, ContextLine(text));
}

void Reporter::LogIssue(int level, std::string_view text, const IssueClass& issue) {
    if (Recorded([level, text = std::string(text), issue](Reporter& target) {
            target.LogIssue(level, text, issue);
        })) {
        return;
    }
    CountIssue(LogKind::Issue, issue);
    WriteEntry(LogKind::Issue, Indented(level, text));
}

void Reporter::LogIssueWithContext(std::string_view text, const IssueClass& issue) {
    if (Recorded([text = std::string(text), issue](Reporter& target) {
            target.LogIssueWithContext(text, issue);
        })) {
        return;
    }
    CountIssue(LogKind::Issue, issue);
    WriteEntry(LogKind::Issue, ContextLine(text));
}

std::string Reporter::ContextLine(std::string_view text) const {
    std::string line(23, ' ');
    line.reserve(64 + remembered_.sounding.size() + remembered_.mainRoutine.size() +
                 remembered_.operations.size() + remembered_.value.size() + text.size());
    line += "  CPT=";
    line += remembered_.sounding;
    line += "  G=";
    line += remembered_.mainRoutine;
    line += "  S=";
    line += remembered_.operations;
    line += "  D=";
    line += remembered_.value;
    line += "   ";
    line += text;
    return line;
}

void Reporter::WriteEntry(LogKind kind, const std::string& line) {
    WriteLogLine(line);
    window_.LogLineWritten(std::string(LogKindText(kind)), line);
}

void Reporter::FlushLog() {
    if (Recorded([](Reporter& target) { target.FlushLog(); })) {
        return;
    }
    if (log_ != nullptr) {
        log_->flush();
    }
}

void Reporter::CloseTasksLog() {
    if (log_ != nullptr) {
        log_->flush();
        log_.reset();
    }
}

void Reporter::CountIssue(LogKind kind, const IssueClass& issue) {
    if (kind != LogKind::Issue) {
        return;
    }
    // The sounding is the one the context lines name.
    issues_.Add(tools::Trim(remembered_.sounding), issue);
    // A large batch logs far more than 32767 issues; the counter holds 32 bits and stops at its
    // largest value instead of wrapping.
    if (issueCount_ < std::numeric_limits<std::int32_t>::max()) {
        ++issueCount_;
    }
    platform::ProgressPanel& panel = window_.panel();
    panel.issueCounterVisible = true;
    panel.issueCount = std::to_string(issueCount_);
    window_.PanelChanged();
}

void Reporter::WriteLogLine(std::string_view line) {
    if (log_ == nullptr) {
        return;
    }
    *log_ << line << "\r\n";
}

// --- the input-lines trace ---

void Reporter::OpenTrace(std::unique_ptr<std::ostream> sink) {
    if (trace_ != nullptr) {
        trace_->flush();
    }
    trace_ = std::move(sink);
    history_.clear();
    if (trace_ != nullptr) {
        *trace_ << Quoted("*** Line input ***") << ',' << Quoted("*** what ***") << ','
                << Quoted("*** File ***") << ',' << Quoted("*** file # ***") << "\r\n";
    }
    RememberLine("----START SETUP----", "", "");
}

bool Reporter::TraceOpenForReading(TracedInput& file, std::string_view systemPath,
                                   std::string_view description) {
    file.Close();
    file.path_ = systemPath;
    bool opened = file.input_.Open(systemPath);
    if (opened) {
        file.numbers_ = &fileNumbers_;
        file.number_ = fileNumbers_.Allocate();
    }
    RememberLine("----OPEN File----", systemPath, description);
    return opened;
}

bool Reporter::TraceLineInput(TracedInput& file, std::string& line, std::string_view fileName,
                              std::string_view description) {
    if (!file.input_.ReadLine(line)) {
        return false;
    }
    NoteLineRead(line, fileName, description, file.number_);
    return true;
}

void Reporter::NoteLineRead(std::string_view line, std::string_view fileName,
                            std::string_view description, int number) {
    if (journal_ != nullptr) {
        journal_->AddLineRead(*target_, line, fileName, description, number);
        return;
    }
    RememberLine(line, fileName, description);
    WriteTraceRow(line, fileName, description, number);
}

void Reporter::NoteLinesRead(const LinesRead& lines) {
    // Every line gets its trace row; of the history only the last lines stay.
    std::size_t start = 0;
    for (std::size_t i = 0; i < lines.ends.size(); ++i) {
        const std::string_view line(lines.text.data() + start, lines.ends[i] - start);
        if (i + kHistorySize >= lines.ends.size()) {
            RememberLine(line, lines.fileName, lines.description);
        }
        WriteTraceRow(line, lines.fileName, lines.description, lines.number);
        start = lines.ends[i];
    }
}

void Reporter::WriteTraceRow(std::string_view line, std::string_view fileName,
                             std::string_view description, int number) {
    if (trace_ != nullptr) {
        *trace_ << '"' << line << "\",\"" << description << "\",\"" << fileName << "\"," << number
                << "\r\n";
    }
}

bool Reporter::TraceNumberInput(TracedInput& file, float& value, bool& atEnd,
                                std::string_view fileName, std::string_view description) {
    std::string item;
    if (!file.input_.ReadItem(item)) {
        value = tools::kNull;
        atEnd = true;
        return false;
    }
    value = tools::NumberOrNull(item);
    atEnd = file.AtEnd();
    RememberLine(tools::SingleText(value), fileName, description);
    return true;
}

void Reporter::RememberLine(std::string_view line, std::string_view fileName,
                            std::string_view description) {
    if (Recorded([line = std::string(line), fileName = std::string(fileName),
                  description = std::string(description)](Reporter& target) {
            target.RememberLine(line, fileName, description);
        })) {
        return;
    }
    // Once the history is full, the oldest entry takes the new line (keeping its storage)
    // and moves to the front.
    if (history_.size() < kHistorySize) {
        history_.emplace_back();
    }
    std::rotate(history_.begin(), history_.end() - 1, history_.end());
    HistoryEntry& entry = history_.front();
    entry.line = line;
    entry.fileName = fileName;
    entry.description = description;
}

}  // namespace kavo::reporting
