// The main window's run options as the kavo command takes them: each option sets its
// controls on the window, over the window's start-up values.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/window.h"

namespace kavo::ui {

struct RunOptions {
    std::optional<std::string> norm;         // vaski | vaski-sf | robertson | linear
    std::optional<std::string> ic;           // vaski | robertson
    std::optional<std::string> chartSource;  // internal | file | both
    std::optional<std::string> fieldType;    // hog | aeg
    std::optional<std::string> columns;      // internal | file
    std::optional<std::string> lowestQcDepth;
    std::optional<std::string> eqMagnitude;
    std::optional<std::string> eqCsrFile;
    bool writeSldStatements = false;
    bool showLineBreakdown = false;
    bool checkBeforeCompiling = false;
    bool noForceDataRoot = false;
    bool keepGoing = false;
    bool noCsv = false;
    // Not a control of the window: how many soundings the program's runs compute at once.
    std::optional<int> jobs;
};

// The most soundings a run computes at once.
inline constexpr int kMaxJobs = 64;

// The number of jobs a text gives: a whole number from 1 to kMaxJobs, else nothing.
std::optional<int> JobsValue(std::string_view text);

// Sets the window's controls for the options given; options not given keep their value.
// Throws ProgrammingError for a choice word the command line should have refused.
void ApplyRunOptions(platform::Window& window, const RunOptions& options);

// The choice words of a choice option ("norm", "ic", "chart-source", "field-type",
// "columns"); empty for any other name.
std::vector<std::string> ChoiceWords(std::string_view optionName);

// Sets one option on the window as a typed command does: `optionName` is the command-line
// name without "--" ("norm", "eq-magnitude", "check-before-compiling", "force-data-root",
// ...), `value` a choice word, a text, or "on"/"off" for a check box. A control the window
// has disabled is left alone. Returns what was wrong, nothing when the option was set.
std::optional<std::string> SetWindowOption(platform::Window& window, std::string_view optionName,
                                           std::string_view value);

// The names of every option SetWindowOption takes, with the values each accepts.
std::vector<std::string> OptionHelpLines();

// The release configuration fixes the chart source, the field file type, the chart
// statements and the line breakdowns unless the developer's check box is on. Returns the
// usage message for an option given that it would override, nothing when all is well.
std::optional<std::string> ReleaseConflict(const RunOptions& options);

}  // namespace kavo::ui
