// The window of the kavo command: the progress panel live on a terminal (or as plain lines
// otherwise), the error window as a framed block on stderr, messages on stdout.
#pragma once

#include <chrono>
#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

#include "platform/window.h"

namespace kavo::ui {

class ConsoleWindow : public platform::Window {
  public:
    enum class Mode {
        LivePanel,   // redraws the panel in place, at most ten times a second
        PlainLines,  // one line whenever the main-routine field changes
    };
    // `useColor` false (NO_COLOR) shows the panel without bold; cursor movement stays.
    ConsoleWindow(std::ostream& out, std::ostream& err, Mode mode = Mode::PlainLines,
                  std::size_t width = 100, bool useColor = true);

    void PanelChanged() override;
    void ShowErrorWindow(const platform::ErrorWindowContent& content) override;
    void ShowMessage(const std::string& text) override;
    // The listing window: its lines are written out while it is shown.
    void ListingChanged() override;

    // Shows the panel as it stands now (the live panel's last redraw may be up to a tenth
    // of a second old), then the run summary's lines once below it.
    void Finish();

  private:
    void Redraw();

    std::ostream& out_;
    std::ostream& err_;
    Mode mode_;
    std::size_t width_;
    bool useColor_;
    int lastLoopSounding_ = 0;
    bool summaryShown_ = false;
    std::size_t drawnLines_ = 0;
    std::chrono::steady_clock::time_point lastDrawn_{};
    bool pending_ = false;
    std::string lastMainRoutine_;
    std::size_t listingLinesShown_ = 0;
};

// The panel's lines: the sounding loop's progress while it runs, the seven fields with their
// titles, the status code, the issue counter.
std::vector<std::string> PanelLines(const platform::ProgressPanel& panel);

// "Sounding 3 of 200: KV-03   0:12 elapsed, about 1:05 left", with the failed soundings of a
// run that keeps going.
std::string LoopProgressText(const platform::LoopProgress& loop);

// "0:07", "12:45", "1:02:03".
std::string ClockText(double seconds);

// The line broken into pieces of at most `width` bytes, after a "/" (or "\\") or at a blank where
// it can (so a path is never cut inside a name), never inside a UTF-8 character; pieces after the
// first are indented.
std::vector<std::string> WrapLine(const std::string& line, std::size_t width);

// The run summary as plain lines: the fields of the panel that the summary fills, then the
// summary's own lines (failed soundings, the issue summary).
std::string SummaryText(const platform::ProgressPanel& panel);

// The text block of the error window, as the console shows it.
std::string ErrorWindowText(const platform::ErrorWindowContent& content);

}  // namespace kavo::ui
