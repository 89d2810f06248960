// Reading the run's options from the window, in the order the window's options are taken.
#include "setup/run_settings.h"

#include "tools/line_split.h"

namespace kavo::setup {
namespace {

std::string TextOf(const platform::Window& window, const char* name) {
    const platform::Control* found = window.FindControl(name);
    return found == nullptr ? std::string() : found->text;
}

int ValueOf(const platform::Window& window, const char* name) {
    const platform::Control* found = window.FindControl(name);
    return found == nullptr ? kUnchecked : found->value;
}

void SetOption(platform::Window& window, const char* name, int value) {
    window.control(name).value = value;
    window.ControlChanged(name);
}

void SetText(platform::Window& window, const char* name, const std::string& text) {
    window.control(name).text = text;
    window.ControlChanged(name);
}

}  // namespace

void ReadRunSettings(const platform::Window& window, RunSettings& settings,
                     std::string& selectedProjectName) {
    settings = RunSettings{};
    selectedProjectName = std::string(tools::kNullText);

    switch (ValueOf(window, control::kShowLineBreakdown)) {
        case kUnchecked:
            settings.showLineBreakdown = "False";
            break;
        case kChecked:
            settings.showLineBreakdown = "True";
            break;
        default:
            break;  // the grey state keeps "-5435"
    }

    settings.lowestQcDepthText = TextOf(window, control::kLowestQcDepth);
    settings.lowestQcDepth = tools::NumberOrNull(settings.lowestQcDepthText);

    // Each chosen option overwrites the setting, so with exclusive options the chosen one
    // remains.
    settings.coneNormalization = NormalisationMode::NoneChosen;
    if (window.IsOn(control::kNormVaski))
        settings.coneNormalization = NormalisationMode::Vaski;
    if (window.IsOn(control::kNormVaskiSf))
        settings.coneNormalization = NormalisationMode::VaskiStressFocus;
    if (window.IsOn(control::kNormRobertson))
        settings.coneNormalization = NormalisationMode::Robertson;

    settings.secondMethodCode = "-----";

    settings.chartDataLocation = std::string(tools::kNoChoiceText);
    if (window.IsOn(control::kChartsInternal))
        settings.chartDataLocation = "INTERNAL";
    if (window.IsOn(control::kChartsFile))
        settings.chartDataLocation = "FILE";

    settings.fieldFileType = std::string(tools::kNullText);
    if (window.IsOn(control::kFieldHog))
        settings.fieldFileType = "HOG";
    if (window.IsOn(control::kFieldAeg))
        settings.fieldFileType = "AEG";

    settings.columnsSource = ColumnsSource::NoneChosen;
    if (window.IsOn(control::kColumnsInternal))
        settings.columnsSource = ColumnsSource::BuiltIn;
    if (window.IsOn(control::kColumnsFile))
        settings.columnsSource = ColumnsSource::DefinitionFile;

    settings.writeChartData = window.IsOn(control::kWriteChartData);
    settings.keepGoing = window.IsOn(control::kKeepGoing);
    settings.writeCsv = window.IsOn(control::kWriteCsv);

    settings.icMethod = std::string(tools::kNullText);
    if (window.IsOn(control::kIcVaski))
        settings.icMethod = "Vaski";
    if (window.IsOn(control::kIcRobertson))
        settings.icMethod = "Robertson";

    settings.earthquakeMagnitude = tools::NumberOrNull(TextOf(window, control::kEqMagnitude));
    settings.earthquakeCsrFile = TextOf(window, control::kEqCsrFile);
}

void SetStartUpValues(platform::Window& window) {
    SetOption(window, control::kNormVaski, kChecked);
    SetOption(window, control::kNormVaskiSf, kUnchecked);
    SetOption(window, control::kNormRobertson, kUnchecked);
    SetOption(window, control::kNormLinear, kUnchecked);

    SetOption(window, control::kIcVaski, kChecked);
    SetOption(window, control::kIcRobertson, kUnchecked);
    SetOption(window, control::kIcVaskiImproved, kUnchecked);

    SetOption(window, control::kChartsInternal, kUnchecked);
    SetOption(window, control::kChartsFile, kChecked);
    SetOption(window, control::kChartsBoth, kUnchecked);

    SetOption(window, control::kFieldHog, kChecked);
    SetOption(window, control::kFieldAeg, kUnchecked);

    SetOption(window, control::kColumnsInternal, kUnchecked);
    SetOption(window, control::kColumnsFile, kChecked);

    SetText(window, control::kLowestQcDepth, "2");
    SetText(window, control::kEqMagnitude, "7.5");
    SetText(window, control::kEqCsrFile, "c:\\Kavo\\projects\\exampleone\\CSR-FF-4liq.csv");

    SetOption(window, control::kWriteChartData, kChecked);
    SetOption(window, control::kShowLineBreakdown, kChecked);
    SetOption(window, control::kCheckBeforeCompiling, kUnchecked);
    SetOption(window, control::kForceDataRoot, kChecked);
    SetOption(window, control::kKeepGoing, kUnchecked);
    SetOption(window, control::kWriteCsv, kChecked);
}

}  // namespace kavo::setup
