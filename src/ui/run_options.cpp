// Mapping the kavo command's run options onto the window's controls.
#include "ui/run_options.h"

#include <array>
#include <charconv>

#include "setup/run_settings.h"
#include "tools/errors.h"

namespace kavo::ui {
namespace {

namespace c = setup::control;

enum class OptionKind { Choice, Text, CheckBox };

struct Choice {
    const char* word;  // "" for a control of the group that no word chooses
    const char* control;
};

struct OptionControls {
    std::string_view name;
    OptionKind kind;
    const char* control;  // the text box or check box
    std::array<Choice, 4> choices;
};

constexpr std::array kOptions{
    OptionControls{"norm",
                   OptionKind::Choice,
                   nullptr,
                   {{{"vaski", c::kNormVaski},
                     {"vaski-sf", c::kNormVaskiSf},
                     {"robertson", c::kNormRobertson},
                     {"linear", c::kNormLinear}}}},
    OptionControls{"ic",
                   OptionKind::Choice,
                   nullptr,
                   {{{"vaski", c::kIcVaski},
                     {"robertson", c::kIcRobertson},
                     {"", c::kIcVaskiImproved},
                     {nullptr, nullptr}}}},
    OptionControls{"chart-source",
                   OptionKind::Choice,
                   nullptr,
                   {{{"internal", c::kChartsInternal},
                     {"file", c::kChartsFile},
                     {"both", c::kChartsBoth},
                     {nullptr, nullptr}}}},
    OptionControls{
        "field-type",
        OptionKind::Choice,
        nullptr,
        {{{"hog", c::kFieldHog}, {"aeg", c::kFieldAeg}, {nullptr, nullptr}, {nullptr, nullptr}}}},
    OptionControls{"columns",
                   OptionKind::Choice,
                   nullptr,
                   {{{"internal", c::kColumnsInternal},
                     {"file", c::kColumnsFile},
                     {nullptr, nullptr},
                     {nullptr, nullptr}}}},
    OptionControls{"lowest-qc-depth", OptionKind::Text, c::kLowestQcDepth, {}},
    OptionControls{"eq-magnitude", OptionKind::Text, c::kEqMagnitude, {}},
    OptionControls{"eq-csr-file", OptionKind::Text, c::kEqCsrFile, {}},
    OptionControls{"write-sld-statements", OptionKind::CheckBox, c::kWriteChartData, {}},
    OptionControls{"show-line-breakdown", OptionKind::CheckBox, c::kShowLineBreakdown, {}},
    OptionControls{"check-before-compiling", OptionKind::CheckBox, c::kCheckBeforeCompiling, {}},
    OptionControls{"force-data-root", OptionKind::CheckBox, c::kForceDataRoot, {}},
    OptionControls{"keep-going", OptionKind::CheckBox, c::kKeepGoing, {}},
    OptionControls{"write-csv", OptionKind::CheckBox, c::kWriteCsv, {}},
};

const OptionControls* FindOption(std::string_view name) {
    for (const OptionControls& option : kOptions) {
        if (option.name == name) {
            return &option;
        }
    }
    return nullptr;
}

std::string WordList(const OptionControls& option) {
    std::string words;
    for (const Choice& choice : option.choices) {
        if (choice.word != nullptr && *choice.word != '\0') {
            words += words.empty() ? "" : "|";
            words += choice.word;
        }
    }
    return words;
}

bool Disabled(const platform::Window& window, const char* control) {
    const platform::Control* found = window.FindControl(control);
    return found != nullptr && !found->enabled;
}

std::string DisabledMessage(std::string_view name, std::string_view value, const char* control) {
    return std::string(name) + " " + std::string(value) + " is disabled on the window (" + control +
           ")";
}

std::optional<std::string> SetChoice(platform::Window& window, const OptionControls& option,
                                     std::string_view word) {
    const char* chosen = nullptr;
    for (const Choice& choice : option.choices) {
        if (choice.word != nullptr && *choice.word != '\0' && word == choice.word) {
            chosen = choice.control;
        }
    }
    if (chosen == nullptr) {
        return std::string(option.name) + " takes one of " + WordList(option);
    }
    if (Disabled(window, chosen)) {
        return DisabledMessage(option.name, word, chosen);
    }
    for (const Choice& choice : option.choices) {
        if (choice.control != nullptr) {
            window.control(choice.control).value =
                choice.control == chosen ? setup::kChecked : setup::kUnchecked;
            window.ControlChanged(choice.control);
        }
    }
    return std::nullopt;
}

// Applies an option the command line has already checked.
void ApplyChecked(platform::Window& window, std::string_view name, std::string_view value) {
    if (auto problem = SetWindowOption(window, name, value)) {
        throw tools::ProgrammingError("run option: " + *problem);
    }
}

}  // namespace

std::vector<std::string> ChoiceWords(std::string_view optionName) {
    std::vector<std::string> words;
    const OptionControls* option = FindOption(optionName);
    if (option != nullptr && option->kind == OptionKind::Choice) {
        for (const Choice& choice : option->choices) {
            if (choice.word != nullptr && *choice.word != '\0') {
                words.emplace_back(choice.word);
            }
        }
    }
    return words;
}

std::optional<std::string> SetWindowOption(platform::Window& window, std::string_view optionName,
                                           std::string_view value) {
    const OptionControls* option = FindOption(optionName);
    if (option == nullptr) {
        return "unknown option " + std::string(optionName);
    }
    switch (option->kind) {
        case OptionKind::Choice:
            return SetChoice(window, *option, value);
        case OptionKind::Text:
            if (Disabled(window, option->control)) {
                return DisabledMessage(optionName, value, option->control);
            }
            window.control(option->control).text = std::string(value);
            window.ControlChanged(option->control);
            return std::nullopt;
        case OptionKind::CheckBox:
            if (value != "on" && value != "off") {
                return std::string(optionName) + " takes on|off";
            }
            if (Disabled(window, option->control)) {
                return DisabledMessage(optionName, value, option->control);
            }
            window.control(option->control).value =
                value == "on" ? setup::kChecked : setup::kUnchecked;
            window.ControlChanged(option->control);
            return std::nullopt;
    }
    return "unknown option " + std::string(optionName);
}

std::optional<int> JobsValue(std::string_view text) {
    int jobs = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, jobs);
    if (error != std::errc{} || stop != end || jobs < 1 || jobs > kMaxJobs) {
        return std::nullopt;
    }
    return jobs;
}

std::vector<std::string> OptionHelpLines() {
    std::vector<std::string> lines;
    for (const OptionControls& option : kOptions) {
        std::string values = option.kind == OptionKind::Choice ? WordList(option)
                             : option.kind == OptionKind::Text ? std::string("TEXT")
                                                               : std::string("on|off");
        lines.push_back(std::string(option.name) + " " + values);
    }
    return lines;
}

void ApplyRunOptions(platform::Window& window, const RunOptions& options) {
    const std::pair<std::string_view, const std::optional<std::string>*> given[] = {
        {"norm", &options.norm},
        {"ic", &options.ic},
        {"chart-source", &options.chartSource},
        {"field-type", &options.fieldType},
        {"columns", &options.columns},
        {"lowest-qc-depth", &options.lowestQcDepth},
        {"eq-magnitude", &options.eqMagnitude},
        {"eq-csr-file", &options.eqCsrFile},
    };
    for (const auto& [name, value] : given) {
        if (value->has_value()) {
            ApplyChecked(window, name, **value);
        }
    }
    const std::pair<std::string_view, bool> checks[] = {
        {"write-sld-statements", options.writeSldStatements},
        {"show-line-breakdown", options.showLineBreakdown},
        {"check-before-compiling", options.checkBeforeCompiling},
        {"keep-going", options.keepGoing},
    };
    for (const auto& [name, on] : checks) {
        if (on) {
            ApplyChecked(window, name, "on");
        }
    }
    if (options.noForceDataRoot) {
        ApplyChecked(window, "force-data-root", "off");
    }
    if (options.noCsv) {
        ApplyChecked(window, "write-csv", "off");
    }
}

std::optional<std::string> ReleaseConflict(const RunOptions& options) {
    if (options.checkBeforeCompiling) {
        return std::nullopt;
    }
    auto conflict = [](const std::string& option) {
        return option + " is fixed by the release configuration; add --check-before-compiling";
    };
    if (options.chartSource && *options.chartSource != "internal") {
        return conflict("--chart-source " + *options.chartSource);
    }
    if (options.fieldType && *options.fieldType != "hog") {
        return conflict("--field-type " + *options.fieldType);
    }
    if (options.writeSldStatements) {
        return conflict("--write-sld-statements");
    }
    if (options.showLineBreakdown) {
        return conflict("--show-line-breakdown");
    }
    return std::nullopt;
}

}  // namespace kavo::ui
