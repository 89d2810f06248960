// The options of one run as read from the main window: short codes and numbers that the
// computing folders consult instead of the window, and the window's start-up values.
#pragma once

#include <string>

#include "platform/window.h"
#include "setup/run_choices.h"
#include "tools/null_marker.h"

namespace kavo::setup {

// The window's option controls, by name.
namespace control {
inline constexpr const char* kNormVaski = "Norm_Vaski_8opb";
inline constexpr const char* kNormVaskiSf = "Norm_Vaski_SF_8opb";
inline constexpr const char* kNormRobertson = "Norm_PRob_8opb";
inline constexpr const char* kNormLinear = "Norm_Linear_8opb";
inline constexpr const char* kIcVaski = "Ic_calculation_method_vaski_8opb";
inline constexpr const char* kIcRobertson = "Ic_calculation_method_PRob_8opb";
inline constexpr const char* kIcVaskiImproved = "Ic_calculation_method_vaski_improved_8opb";
inline constexpr const char* kChartsInternal = "SLD_data_location_Internal_8opb";
inline constexpr const char* kChartsFile = "SLD_data_location_File_8opb";
inline constexpr const char* kChartsBoth = "SLD_data_location_Both_8opb";
inline constexpr const char* kFieldHog = "CPT_input_FileType_HOG_8opb";
inline constexpr const char* kFieldAeg = "CPT_input_FileType_AEG_8opb";
inline constexpr const char* kColumnsInternal = "Columns_Q1o_Internal_8opb";
inline constexpr const char* kColumnsFile = "Columns_Q1o_File_8opb";
inline constexpr const char* kLowestQcDepth = "Depth_lowest_WhenLookingForLowestQc_feet8txt";
inline constexpr const char* kEqMagnitude = "EQ_Mb_8txt";
inline constexpr const char* kEqCsrFile = "EQ_CSR_file_8txt";
inline constexpr const char* kWriteChartData = "SLD_data_Write_to_File_8ckb";
inline constexpr const char* kShowLineBreakdown = "Show_BreakdownOf_LineInput8chk";
inline constexpr const char* kCheckBeforeCompiling = "Check_Before_Compling8chk";
inline constexpr const char* kForceDataRoot = "ForceKavoToUseCdrive8cmd";
// Keep going after a sounding's data error: log it, write no table for it, and go on.
inline constexpr const char* kKeepGoing = "KeepGoing_8chk";
inline constexpr const char* kWriteCsv = "Q1o_CSV_Write_beside_table8chk";
}  // namespace control

// Check box states.
inline constexpr int kUnchecked = 0;
inline constexpr int kChecked = 1;
inline constexpr int kGrey = 2;

struct RunSettings {
    // Linear (c=1) counts as none chosen.
    NormalisationMode coneNormalization = NormalisationMode::NoneChosen;
    std::string secondMethodCode = "-----";
    // The lowest-Qc search depth (ft) and the text it came from, which the zero-load file
    // checks itself.
    float lowestQcDepth = tools::kNull;
    std::string lowestQcDepthText{tools::kNullText};
    float earthquakeMagnitude = tools::kNull;
    std::string chartDataLocation{tools::kNullText};  // "INTERNAL", "FILE", "-5434"
    std::string fieldFileType{tools::kNullText};      // "HOG", "AEG", "-5435"
    ColumnsSource columnsSource = ColumnsSource::NoneChosen;
    std::string icMethod{tools::kNullText};  // "Vaski", "Robertson", "-5435"
    std::string earthquakeCsrFile{tools::kNullText};
    bool writeChartData = false;
    std::string showLineBreakdown{tools::kNullText};  // "True", "False"; "-5435" when grey
    // A sounding's data error ends the run unless this is set.
    bool keepGoing = false;
    bool writeCsv = true;  // a CSV beside each output table and beside the zero-load file
};

// Reads the window's options into `settings` (KavoScreen_read_values). The selected project
// name is cleared to "-5435"; the project selection sets it again.
void ReadRunSettings(const platform::Window& window, RunSettings& settings,
                     std::string& selectedProjectName);

// Puts every option of the window to the value it has when the window opens.
void SetStartUpValues(platform::Window& window);

}  // namespace kavo::setup
