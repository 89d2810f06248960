// The console window: progress panel, error window and messages on a terminal or a stream.
#include "ui/console_window.h"

#include <algorithm>
#include <ostream>
#include <sstream>

namespace kavo::ui {
namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr const char* kFieldTitles[platform::kProgressFieldCount] = {
    "Main Routine:", "Operations:", "Sounding:", "Input File:",
    "Output File:",  "Process:",    "Value:"};

std::string Field(const platform::ProgressPanel& panel, platform::ProgressField field) {
    return panel.fields[static_cast<std::size_t>(field)];
}

}  // namespace

ConsoleWindow::ConsoleWindow(std::ostream& out, std::ostream& err, Mode mode, std::size_t width)
    : out_(out), err_(err), mode_(mode), width_(width) {}

std::vector<std::string> PanelLines(const platform::ProgressPanel& panel) {
    std::vector<std::string> lines;
    for (int i = 0; i < platform::kProgressFieldCount; ++i) {
        lines.push_back(std::string(kFieldTitles[i]) + " " +
                        panel.fields[static_cast<std::size_t>(i)]);
    }
    lines.push_back(panel.statusTitle + " " + panel.statusCode);
    if (panel.issueCounterVisible) {
        lines.push_back("Issues counter= " + panel.issueCount);
    }
    return lines;
}

std::string SummaryText(const platform::ProgressPanel& panel) {
    using F = platform::ProgressField;
    std::ostringstream text;
    for (F field : {F::MainRoutine, F::Sounding, F::Operations, F::OutputFile, F::Process}) {
        text << Field(panel, field) << "\n";
    }
    if (panel.issueCounterVisible) {
        text << "Issues counter= " << panel.issueCount << "\n";
    }
    return text.str();
}

void ConsoleWindow::PanelChanged() {
    if (mode_ == Mode::PlainLines) {
        const std::string& mainRoutine = Field(panel(), platform::ProgressField::MainRoutine);
        if (mainRoutine != lastMainRoutine_) {
            lastMainRoutine_ = mainRoutine;
            const std::string& code = panel().statusCode;
            out_ << (code.empty() || code == " " ? "" : "[" + code + "] ") << mainRoutine << "\n";
        }
        return;
    }
    pending_ = true;
    if (std::chrono::steady_clock::now() - lastDrawn_ >= kRedrawInterval) {
        Redraw();
    }
}

void ConsoleWindow::Redraw() {
    std::vector<std::string> lines = PanelLines(panel());
    if (drawnLines_ > 0) {
        out_ << "\x1b[" << drawnLines_ << "F";  // back to the panel's first line
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string line = lines[i].substr(0, width_);
        out_ << "\x1b[2K";
        if (i == 0 && panel().mainRoutineBold) {
            out_ << "\x1b[1m" << line << "\x1b[0m\n";
        } else {
            out_ << line << "\n";
        }
    }
    // A panel that lost its issue line leaves no stale line behind.
    for (std::size_t i = lines.size(); i < drawnLines_; ++i) {
        out_ << "\x1b[2K\n";
    }
    drawnLines_ = std::max(drawnLines_, lines.size());
    out_ << std::flush;
    lastDrawn_ = std::chrono::steady_clock::now();
    pending_ = false;
}

void ConsoleWindow::Finish() {
    if (mode_ == Mode::LivePanel && (pending_ || drawnLines_ == 0)) {
        Redraw();
    }
    out_ << std::flush;
}

std::string ErrorWindowText(const platform::ErrorWindowContent& content) {
    static constexpr const char* kRowTitles[] = {
        "Last input Line",        "2nd to last input line", "3rd to last input line",
        "4nd to last input line", "5th to last input line", "6th to last input line"};
    std::ostringstream text;
    const std::string rule(78, '=');
    text << rule << "\n";
    text << "Error reporting\n";
    text << "Data Error has occured\n";
    text << "processing has stopped - correct data error and rerun\n";
    text << "Kavo software  Error Code: " << content.code << "\n";
    text << "Error description: " << content.description << "\n";
    text << "Main Routine: " << content.mainRoutine << "\n";
    text << "Operation: " << content.operations << "\n";
    text << "Process: " << content.process << "\n";
    text << "Sounding: " << content.sounding << "\n";
    text << "Input File: " << content.inputFile << "\n";
    text << "Output File: " << content.outputFile << "\n";
    text << "Value: " << content.value << "\n";
    text << "For your reference, the following are the last __ inputted data lines;\n";
    for (std::size_t i = 0; i < content.lastLines.size() && i < 6; ++i) {
        const auto& row = content.lastLines[i];
        text << kRowTitles[i] << ":\n";
        text << "   file name: " << row.fileName << "\n";
        text << "   Data file inputted line: " << row.line << "\n";
        text << "   Input description: " << row.description << "\n";
    }
    text << rule << "\n";
    return text.str();
}

void ConsoleWindow::ShowErrorWindow(const platform::ErrorWindowContent& content) {
    Finish();
    err_ << ErrorWindowText(content) << std::flush;
}

void ConsoleWindow::ShowMessage(const std::string& text) {
    Finish();
    out_ << text << "\n" << std::flush;
}

void ConsoleWindow::ListingChanged() {
    if (listing().size() < listingLinesShown_) {
        listingLinesShown_ = 0;  // the listing was cleared
    }
    if (!listingVisible()) {
        return;
    }
    Finish();
    for (; listingLinesShown_ < listing().size(); ++listingLinesShown_) {
        out_ << listing()[listingLinesShown_] << "\n";
    }
    out_ << std::flush;
}

}  // namespace kavo::ui
