// One sounding's output table from start to finish: the file beside the field data file,
// its header block, its data rows and the chart-direction trace written alongside.
#pragma once

#include <string>
#include <string_view>

#include "fielddata/depth_readings.h"
#include "normalization/depth_point.h"
#include "normalization/normalisation_context.h"
#include "normalization/unit_weight_profile.h"
#include "output/column_table.h"
#include "platform/clock.h"
#include "reporting/reporter.h"
#include "zeroload/zero_load_file.h"
#include "zeroload/zero_load_table.h"

namespace kavo::output {

inline constexpr std::string_view kQ1oSuffix = "_Q1o.txt";

// The output table of a sounding: the soundings folder, the field file name, "_Q1o.txt".
std::string Q1oFileName(const files::DataArea& area, std::string_view fieldFileName);

// The chart-direction trace of a sounding: the extras folder, the field file name and
// "-----SLD direction info---------.csv".
std::string DirectionTraceFileName(const files::DataArea& area, std::string_view fieldFileName);

inline constexpr std::string_view kDirectionTraceHeading =
    "FR,      qc1,          ,v_xyc,      v_yxc,   delta%, other";

struct Q1oTableParts {
    const ColumnTable& columns;
    // Charts, normalisation mode and the sounding's unit-weight inputs.
    normalization::NormalisationContext& normalisation;
    normalization::UnitWeightProfile& profile;  // the run's profile, read for a FILE sounding
    const files::DataArea& dataArea;
    reporting::Reporter& reporter;
    const platform::Clock& clock;
    std::string_view versionText;
    std::string_view releaseDate;
    std::string_view computerName;
    float earthquakeMagnitude;
    const zeroload::ZeroLoadFile& zeroLoadFile;  // its name and depth setting
    std::string_view fieldFileName;              // the sounding's field file name
    const fielddata::SoundingReadings& readings;
    normalization::DepthPoint& point;
    zeroload::ZeroLoadEntry& zeroLoadEntry;  // started from the field file header already
    float& totalFeet;
    std::string_view qtRuleText;  // how the sounding's corrected cone resistance was found
    bool writeCsv = true;         // the CSV twin "<sounding>_Q1o.csv" beside the table
};

// Writes the sounding's output table, its CSV twin when asked, and its chart-direction trace
// (making the extras folder when it is missing). Each is written beside its place and put
// there only when complete: a sounding that stops on a data error leaves an earlier table and
// trace as they were. The files are opened and written through the reporter's effects (see
// SoundingFile), which throw QC383 when the table and QC387 when the trace cannot be opened,
// QC384 when the table and QC388 when the trace cannot be written, and the CSV twin's QC385
// and QC386.
void WriteQ1oTable(Q1oTableParts& parts);

}  // namespace kavo::output
