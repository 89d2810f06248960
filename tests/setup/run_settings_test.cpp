// The run settings read from the window's options, and the window's start-up values.
#include "setup/run_settings.h"

#include <gtest/gtest.h>

#include "support/recording_window.h"

namespace kavo::setup {
namespace {

using testing::RecordingWindow;

RunSettings Read(const platform::Window& window) {
    RunSettings settings;
    std::string selected = "P1";
    ReadRunSettings(window, settings, selected);
    EXPECT_EQ(selected, "-5435");
    return settings;
}

TEST(RunSettings, StartUpValuesGiveTheDesignedSettings) {
    RecordingWindow window;
    SetStartUpValues(window);
    const RunSettings settings = Read(window);
    EXPECT_EQ(settings.coneNormalization, NormalisationMode::Vaski);
    EXPECT_EQ(settings.secondMethodCode, "-----");
    EXPECT_EQ(settings.icMethod, "Vaski");
    EXPECT_EQ(settings.chartDataLocation, "FILE");  // the release configuration changes it
    EXPECT_EQ(settings.fieldFileType, "HOG");
    EXPECT_EQ(settings.columnsSource, ColumnsSource::DefinitionFile);
    EXPECT_EQ(settings.lowestQcDepth, 2.0f);
    EXPECT_EQ(settings.lowestQcDepthText, "2");
    EXPECT_EQ(settings.earthquakeMagnitude, 7.5f);
    EXPECT_EQ(settings.earthquakeCsrFile, "c:\\Kavo\\projects\\exampleone\\CSR-FF-4liq.csv");
    EXPECT_TRUE(settings.writeChartData);
    EXPECT_EQ(settings.showLineBreakdown, "True");
    EXPECT_TRUE(window.IsOn(control::kForceDataRoot));
    EXPECT_FALSE(window.IsOn(control::kCheckBeforeCompiling));
}

// The settings read as enums keep the codes the plots' cover page shows.
std::string NormalisationCode(const RunSettings& settings) {
    return std::string(NormalisationModeCode(settings.coneNormalization));
}
std::string ChartDataLocation(const RunSettings& settings) {
    return settings.chartDataLocation;
}
std::string FieldFileType(const RunSettings& settings) {
    return settings.fieldFileType;
}
std::string ColumnsCode(const RunSettings& settings) {
    return std::string(ColumnsSourceCode(settings.columnsSource));
}
std::string IcMethod(const RunSettings& settings) {
    return settings.icMethod;
}

TEST(RunSettings, TheChosenOptionGivesItsCode) {
    struct Case {
        const char* chosen;  // nullptr: nothing chosen in the group
        std::string (*setting)(const RunSettings&);
        std::vector<const char*> group;
        std::string code;
    };
    const std::vector<const char*> norm = {control::kNormVaski, control::kNormVaskiSf,
                                           control::kNormRobertson, control::kNormLinear};
    const std::vector<const char*> charts = {control::kChartsInternal, control::kChartsFile,
                                             control::kChartsBoth};
    const std::vector<const char*> field = {control::kFieldHog, control::kFieldAeg};
    const std::vector<const char*> columns = {control::kColumnsInternal, control::kColumnsFile};
    const std::vector<const char*> ic = {control::kIcVaski, control::kIcRobertson,
                                         control::kIcVaskiImproved};
    const Case cases[] = {
        {control::kNormVaskiSf, NormalisationCode, norm, "USER_VASKI_SF"},
        {control::kNormRobertson, NormalisationCode, norm, "USER_ROB"},
        {control::kNormLinear, NormalisationCode, norm, "-5435"},
        {nullptr, NormalisationCode, norm, "-5435"},
        {control::kChartsInternal, ChartDataLocation, charts, "INTERNAL"},
        {control::kChartsBoth, ChartDataLocation, charts, "-5434"},
        {nullptr, ChartDataLocation, charts, "-5434"},
        {control::kFieldAeg, FieldFileType, field, "AEG"},
        {nullptr, FieldFileType, field, "-5435"},
        {control::kColumnsInternal, ColumnsCode, columns, "INTERNAL"},
        {nullptr, ColumnsCode, columns, "-5434"},
        {control::kIcRobertson, IcMethod, ic, "Robertson"},
        {control::kIcVaskiImproved, IcMethod, ic, "-5435"},
    };
    for (const Case& c : cases) {
        RecordingWindow window;
        SetStartUpValues(window);
        for (const char* name : c.group) {
            window.control(name).value = c.chosen != nullptr && std::string(name) == c.chosen;
        }
        EXPECT_EQ(c.setting(Read(window)), c.code) << (c.chosen ? c.chosen : "nothing chosen");
    }
}

TEST(RunSettings, TextBoxesBecomeNumbersOrTheNullMarker) {
    struct Case {
        std::string magnitude, depth;
        float magnitudeValue, depthValue;
    };
    for (const Case& c : {Case{"", "abc", -5435.0f, -5435.0f}, Case{"   ", " 3.5 ", -5435.0f, 3.5f},
                          Case{"6.8", "2", 6.8f, 2.0f}}) {
        RecordingWindow window;
        SetStartUpValues(window);
        window.control(control::kEqMagnitude).text = c.magnitude;
        window.control(control::kLowestQcDepth).text = c.depth;
        const RunSettings settings = Read(window);
        EXPECT_EQ(settings.earthquakeMagnitude, c.magnitudeValue) << c.magnitude;
        EXPECT_EQ(settings.lowestQcDepth, c.depthValue) << c.depth;
        EXPECT_EQ(settings.lowestQcDepthText, c.depth);
    }
}

TEST(RunSettings, LineBreakdownFollowsTheCheckBoxAndKeepsTheMarkerWhenGrey) {
    for (auto [state, text] :
         {std::pair{kUnchecked, "False"}, std::pair{kChecked, "True"}, std::pair{kGrey, "-5435"}}) {
        RecordingWindow window;
        SetStartUpValues(window);
        window.control(control::kShowLineBreakdown).value = state;
        window.control(control::kWriteChartData).value = state;
        const RunSettings settings = Read(window);
        EXPECT_EQ(settings.showLineBreakdown, text);
        EXPECT_EQ(settings.writeChartData, state == kChecked);
    }
}

}  // namespace
}  // namespace kavo::setup
