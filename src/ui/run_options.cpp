// Mapping the kavo command's run options onto the window's controls.
#include "ui/run_options.h"

#include <initializer_list>
#include <utility>

#include "setup/run_settings.h"
#include "tools/errors.h"

namespace kavo::ui {
namespace {

namespace c = setup::control;

using Choice = std::pair<const char*, const char*>;  // option word, control

// Chooses the control of `word` in an exclusive group and clears the others.
void Choose(platform::Window& window, const std::optional<std::string>& word,
            std::initializer_list<Choice> group) {
    if (!word) {
        return;
    }
    bool known = false;
    for (const auto& [choiceWord, name] : group) {
        known = known || *word == choiceWord;
    }
    if (!known) {
        throw tools::ProgrammingError("run option: unknown choice \"" + *word + "\"");
    }
    for (const auto& [choiceWord, name] : group) {
        window.control(name).value = *word == choiceWord ? setup::kChecked : setup::kUnchecked;
        window.ControlChanged(name);
    }
}

void SetText(platform::Window& window, const std::optional<std::string>& text, const char* name) {
    if (text) {
        window.control(name).text = *text;
        window.ControlChanged(name);
    }
}

void Check(platform::Window& window, bool given, const char* name, int value) {
    if (given) {
        window.control(name).value = value;
        window.ControlChanged(name);
    }
}

}  // namespace

void ApplyRunOptions(platform::Window& window, const RunOptions& options) {
    Choose(window, options.norm,
           {{"vaski", c::kNormVaski},
            {"vaski-sf", c::kNormVaskiSf},
            {"robertson", c::kNormRobertson},
            {"linear", c::kNormLinear}});
    Choose(window, options.ic,
           {{"vaski", c::kIcVaski}, {"robertson", c::kIcRobertson}, {"", c::kIcVaskiImproved}});
    Choose(window, options.chartSource,
           {{"internal", c::kChartsInternal}, {"file", c::kChartsFile}, {"both", c::kChartsBoth}});
    Choose(window, options.fieldType, {{"hog", c::kFieldHog}, {"aeg", c::kFieldAeg}});
    Choose(window, options.columns, {{"internal", c::kColumnsInternal}, {"file", c::kColumnsFile}});
    SetText(window, options.lowestQcDepth, c::kLowestQcDepth);
    SetText(window, options.eqMagnitude, c::kEqMagnitude);
    SetText(window, options.eqCsrFile, c::kEqCsrFile);
    Check(window, options.writeSldStatements, c::kWriteChartData, setup::kChecked);
    Check(window, options.showLineBreakdown, c::kShowLineBreakdown, setup::kChecked);
    Check(window, options.checkBeforeCompiling, c::kCheckBeforeCompiling, setup::kChecked);
    Check(window, options.noForceDataRoot, c::kForceDataRoot, setup::kUnchecked);
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
