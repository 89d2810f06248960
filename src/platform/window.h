// The main window as the logic sees it: the progress panel, named controls with their
// state and option values, the listing window and the error window.
#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

namespace kavo::platform {

// The seven remembered fields of the progress panel, in the order they are passed.
enum class ProgressField {
    MainRoutine,
    Operations,
    Sounding,
    InputFile,
    OutputFile,
    Process,
    Value
};
inline constexpr int kProgressFieldCount = 7;

inline constexpr const char* kStatusTitle = "Software location (for data error tracing):";

struct ProgressPanel {
    std::array<std::string, kProgressFieldCount> fields;
    bool mainRoutineBold = false;
    std::string statusCode;
    std::string statusTitle = kStatusTitle;
    bool issueCounterVisible = false;
    std::string issueCount;  // the counter's text, shown beside "Issues counter="
};

// One control of the window, addressed by its name ("Run8cmd", "Norm_Vaski_8opb", ...).
// Option buttons and check boxes use `value` (0 off, 1 on, 2 the grey third state of a check
// box); text boxes and labels use `text`; the choice list uses `items`.
struct Control {
    bool enabled = true;
    bool visible = true;
    bool bold = false;
    int value = 0;
    std::string text;
    std::vector<std::string> items;
};

// One of the last input lines shown in the error window.
struct InputLineRow {
    std::string fileName;
    std::string line;
    std::string description;
};

struct ErrorWindowContent {
    std::string code;
    std::string description;
    std::string mainRoutine, operations, process, sounding, inputFile, outputFile, value;
    std::vector<InputLineRow> lastLines;  // the most recent first, at most six
};

// The window keeps its state here; implementations (console, recording, graphical) override
// the hooks to show it.
class Window {
  public:
    virtual ~Window() = default;

    ProgressPanel& panel() { return panel_; }
    const ProgressPanel& panel() const { return panel_; }
    // Called after every change of the panel.
    virtual void PanelChanged() {}

    // The named control; created with the default state on first use.
    Control& control(const std::string& name) { return controls_[name]; }
    const Control* FindControl(const std::string& name) const {
        auto it = controls_.find(name);
        return it == controls_.end() ? nullptr : &it->second;
    }
    bool IsOn(const std::string& name) const {
        const Control* c = FindControl(name);
        return c != nullptr && c->value == 1;
    }
    // Called after a control's state was changed by the logic.
    virtual void ControlChanged(const std::string& /*name*/) {}

    // The listing window ("Listing Area").
    const std::vector<std::string>& listing() const { return listing_; }
    void ClearListing() {
        listing_.clear();
        ListingChanged();
    }
    void AppendListing(const std::string& line) {
        listing_.push_back(line);
        ListingChanged();
    }
    bool listingVisible() const { return listingVisible_; }
    void SetListingVisible(bool visible) {
        listingVisible_ = visible;
        ListingChanged();
    }
    virtual void ListingChanged() {}

    // The error window: shown once, by the error report.
    virtual void ShowErrorWindow(const ErrorWindowContent& content) = 0;
    virtual void HideErrorWindow() {}

    // A message box with one line of text (the closing message of a flow).
    virtual void ShowMessage(const std::string& text) = 0;

    // Called after each TASK or ISSUE line written to the tasks-and-issues log, with its kind
    // and the line as written; the progress panel still shows the line's context.
    virtual void LogLineWritten(const std::string& /*kind*/, const std::string& /*line*/) {}

    // Gives the user interface time during long flows.
    virtual void ProcessEvents() {}

  private:
    ProgressPanel panel_;
    std::map<std::string, Control> controls_;
    std::vector<std::string> listing_;
    bool listingVisible_ = false;
};

}  // namespace kavo::platform
