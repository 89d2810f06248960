// The console window: progress panel, error window and messages on a terminal or a stream.
#include "ui/console_window.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <sstream>

namespace kavo::ui {
namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr std::size_t kContinuationIndent = 4;
constexpr const char* kFieldTitles[platform::kProgressFieldCount] = {
    "Main Routine:", "Operations:", "Sounding:", "Input File:",
    "Output File:",  "Process:",    "Value:"};

std::string Field(const platform::ProgressPanel& panel, platform::ProgressField field) {
    return panel.fields[static_cast<std::size_t>(field)];
}

}  // namespace

ConsoleWindow::ConsoleWindow(std::ostream& out, std::ostream& err, Mode mode, std::size_t width,
                             bool useColor)
    : out_(out), err_(err), mode_(mode), width_(width), useColor_(useColor) {}

std::string ClockText(double seconds) {
    const auto whole = static_cast<long long>(std::max(0.0, std::round(seconds)));
    char text[32];
    if (whole >= 3600) {
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60,
                      whole % 60);
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
    }
    return text;
}

std::string LoopProgressText(const platform::LoopProgress& loop) {
    std::string text = "Sounding " + std::to_string(loop.sounding) + " of " +
                       std::to_string(loop.soundings) + ": " + loop.name + "   " +
                       ClockText(loop.elapsedSeconds) + " elapsed, ";
    text += loop.secondsLeft < 0 ? "time left after the first sounding"
                                 : "about " + ClockText(loop.secondsLeft) + " left";
    if (loop.failed > 0) {
        text += "   " + std::to_string(loop.failed) + " failed";
    }
    return text;
}

std::vector<std::string> WrapLine(const std::string& line, std::size_t width) {
    std::vector<std::string> pieces;
    const std::string indent(kContinuationIndent, ' ');
    width = std::max(width, kContinuationIndent + 8);
    std::string rest = line;
    while (true) {
        const std::size_t room = pieces.empty() ? width : width - kContinuationIndent;
        if (rest.size() <= room) {
            pieces.push_back((pieces.empty() ? "" : indent) + rest);
            return pieces;
        }
        // The last separator or blank that fits ends the piece; else the piece is cut at the
        // width, before any UTF-8 continuation byte.
        std::size_t cut = rest.find_last_of("/\\ ", room - 1);
        if (cut == std::string::npos || cut == 0) {
            cut = room;
            while (cut > 1 && (static_cast<unsigned char>(rest[cut]) & 0xC0) == 0x80) {
                --cut;
            }
        } else {
            ++cut;  // the "/" or blank stays at the end of the piece
        }
        pieces.push_back((pieces.empty() ? "" : indent) + rest.substr(0, cut));
        rest.erase(0, cut);
    }
}

std::vector<std::string> PanelLines(const platform::ProgressPanel& panel) {
    std::vector<std::string> lines;
    if (panel.loop.sounding > 0) {
        lines.push_back(LoopProgressText(panel.loop));
    }
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
    for (const std::string& line : panel.summaryLines) {
        text << line << "\n";
    }
    return text.str();
}

void ConsoleWindow::PanelChanged() {
    if (mode_ == Mode::PlainLines) {
        // In the sounding loop, one line per sounding.
        const platform::LoopProgress& loop = panel().loop;
        const std::string& mainRoutine = Field(panel(), platform::ProgressField::MainRoutine);
        if (loop.soundings > 0) {
            lastMainRoutine_ = mainRoutine;  // the loop's own texts are not repeated after it
            if (loop.sounding != lastLoopSounding_ && loop.sounding > 0) {
                lastLoopSounding_ = loop.sounding;
                out_ << LoopProgressText(loop) << "\n" << std::flush;
            }
            return;
        }
        lastLoopSounding_ = 0;
        if (mainRoutine != lastMainRoutine_) {
            lastMainRoutine_ = mainRoutine;
            const std::string& code = panel().statusCode;
            out_ << (code.empty() || code == " " ? "" : "[" + code + "] ") << mainRoutine << "\n";
        }
        return;
    }
    if (panel().summaryLines.empty()) {
        summaryShown_ = false;  // a new run
    }
    pending_ = true;
    if (std::chrono::steady_clock::now() - lastDrawn_ >= kRedrawInterval) {
        Redraw();
    }
}

void ConsoleWindow::Redraw() {
    // Long lines are wrapped here, not by the terminal, so the panel knows its height.
    std::vector<std::string> lines;
    const std::size_t mainRoutineIndex = panel().loop.sounding > 0 ? 1 : 0;
    std::size_t boldLine = std::string::npos;
    const std::vector<std::string> panelLines = PanelLines(panel());
    for (std::size_t i = 0; i < panelLines.size(); ++i) {
        if (i == mainRoutineIndex && panel().mainRoutineBold && useColor_) {
            boldLine = lines.size();
        }
        for (std::string& piece : WrapLine(panelLines[i], width_)) {
            lines.push_back(std::move(piece));
        }
    }
    if (drawnLines_ > 0) {
        out_ << "\x1b[" << drawnLines_ << "F";  // back to the panel's first line
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out_ << "\x1b[2K";
        if (i == boldLine) {
            out_ << "\x1b[1m" << lines[i] << "\x1b[0m\n";
        } else {
            out_ << lines[i] << "\n";
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
    if (mode_ == Mode::LivePanel) {
        if (pending_ || drawnLines_ == 0) {
            Redraw();
        }
        // The summary's lines are shown once below the panel, which is then left alone:
        // a table taller than the screen could not be redrawn in place.
        if (!panel().summaryLines.empty() && !summaryShown_) {
            for (const std::string& line : panel().summaryLines) {
                out_ << line << "\n";
            }
            summaryShown_ = true;
            drawnLines_ = 0;
        }
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
