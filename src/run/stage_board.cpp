// The stage board: the window's actions and notes for each stage.
#include "run/stage_board.h"

#include <array>
#include <string>
#include <utility>

#include "projects/project_list.h"
#include "setup/run_settings.h"
#include "tools/errors.h"

namespace kavo::run {
namespace {

constexpr std::array<std::pair<Stage, std::string_view>, 6> kStageNames = {{
    {Stage::CheckBeforeCompiling, "RUN ONE -0- CHECK BEFORE COMPILING"},
    {Stage::SetupAndReads, "MAIN -1- SETUP AND READS"},
    {Stage::PreRunning, "MAIN -2- PRE RUNNING"},
    {Stage::Looping, "MAIN -3- LOOPING"},
    {Stage::ProjectNewClick, "PROJECT NEW CLICK"},
    {Stage::ProjectBeginning, "PROJECT BEGINNING"},
}};

void SetEnabled(platform::Window& window, const char* name, bool enabled) {
    window.control(name).enabled = enabled;
    window.ControlChanged(name);
}

void SetVisible(platform::Window& window, const char* name, bool visible) {
    window.control(name).visible = visible;
    window.ControlChanged(name);
}

void SetChoice(platform::Window& window, const char* name, int value, bool enabled) {
    platform::Control& option = window.control(name);
    option.value = value;
    option.enabled = enabled;
    window.ControlChanged(name);
}

void SetMainRoutineBold(platform::Window& window, bool bold) {
    window.panel().mainRoutineBold = bold;
    window.PanelChanged();
}

// The options of a released program: built-in charts, field files of one kind, no chart
// statements, no line breakdowns.
void SetReleaseConfiguration(platform::Window& window, reporting::Reporter& reporter) {
    namespace c = setup::control;
    SetVisible(window, c::kCheckBeforeCompiling, false);
    reporter.ReportProgress({"Kavo Compiling setup", " ", " ", " ", " ", " ", " ", "MP883"});
    window.ProcessEvents();
    SetChoice(window, c::kChartsInternal, setup::kChecked, true);
    SetChoice(window, c::kChartsFile, setup::kUnchecked, false);
    SetChoice(window, c::kChartsBoth, setup::kUnchecked, true);
    SetChoice(window, c::kWriteChartData, setup::kUnchecked, false);
    SetChoice(window, c::kFieldHog, setup::kChecked, true);
    SetChoice(window, c::kFieldAeg, setup::kUnchecked, false);
    SetChoice(window, c::kShowLineBreakdown, setup::kUnchecked, false);
}

}  // namespace

Stage ParseStage(std::string_view name) {
    for (const auto& [stage, text] : kStageNames) {
        if (text == name) {
            return stage;
        }
    }
    throw tools::ProgrammingError("stage board: unknown stage name \"" + std::string(name) + "\"");
}

std::string_view StageName(Stage stage) {
    for (const auto& [known, text] : kStageNames) {
        if (known == stage) {
            return text;
        }
    }
    throw tools::ProgrammingError("stage board: stage without a name");
}

void AnnounceStage(platform::Window& window, reporting::Reporter& reporter, Stage stage,
                   std::string_view newProjectName) {
    window.SetListingVisible(false);
    SetEnabled(window, projects::kProjectChoiceList, true);

    switch (stage) {
        case Stage::CheckBeforeCompiling:
            window.HideErrorWindow();
            if (!window.IsOn(setup::control::kCheckBeforeCompiling)) {
                SetReleaseConfiguration(window, reporter);
            }
            break;
        case Stage::SetupAndReads:
            window.panel().issueCounterVisible = false;
            window.PanelChanged();
            SetVisible(window, control::kColumnsNote, false);
            SetVisible(window, projects::kProjectFolderNote, false);
            break;
        case Stage::PreRunning:
            SetMainRoutineBold(window, false);
            SetEnabled(window, control::kRun, false);
            SetEnabled(window, control::kNewProject, false);
            SetEnabled(window, control::kChartExport, false);
            break;
        case Stage::Looping:
            SetVisible(window, control::kMainWindow, true);
            SetMainRoutineBold(window, false);
            SetEnabled(window, control::kRun, true);
            SetEnabled(window, projects::kProjectChoiceList, true);
            SetEnabled(window, control::kNewProject, true);
            SetEnabled(window, control::kChartExport, true);
            break;
        case Stage::ProjectNewClick:
            SetEnabled(window, control::kNewProject, false);
            window.control(control::kNewProjectPrompt).text = kNewProjectPromptText;
            SetVisible(window, control::kNewProjectPrompt, true);
            SetVisible(window, control::kNewProjectNameBox, true);
            break;
        case Stage::ProjectBeginning: {
            SetEnabled(window, control::kNewProject, false);
            SetVisible(window, control::kNewProject, false);
            platform::Control& prompt = window.control(control::kNewProjectPrompt);
            prompt.text = "New project = " + std::string(newProjectName);
            prompt.bold = true;
            window.ControlChanged(control::kNewProjectPrompt);
            SetVisible(window, control::kNewProjectNameBox, false);
            SetEnabled(window, control::kNewProjectGenerate, true);
            SetEnabled(window, control::kRun, true);
            SetEnabled(window, control::kNewProject, true);
            break;
        }
    }
}

void AnnounceStage(platform::Window& window, reporting::Reporter& reporter,
                   std::string_view stageName, std::string_view newProjectName) {
    AnnounceStage(window, reporter, ParseStage(stageName), newProjectName);
}

}  // namespace kavo::run
