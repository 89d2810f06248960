// The digitised design charts: one chart with its identity, header, frame and contour lines,
// and the run's chart table with the indices of the eight required charts.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "tools/null_marker.h"

namespace kavo::charts {

inline constexpr std::int16_t kMaxCharts = 40;
inline constexpr std::int16_t kMaxLines = 15;
inline constexpr std::int16_t kMaxPoints = 25;
inline constexpr std::int16_t kMaxNotes = 99;

// The ways of reading a chart: the two known quantities, then the one computed (X = FR,
// Y = Qc1, C = contour value). XCY, CXY and CYX are known only to the outside-the-frame rule.
// ChartDefault stands for the chart's own SLD_LOOKUP_METHOD.
enum class LookupMode { ChartDefault, XYC, YXC, YCX, XCY, CXY, CYX };

// One point of a contour line, with the base-10 logarithms of both coordinates kept beside
// it (computed by Log10OrNull when the point is added) so that a lookup takes none, and the
// log-log slopes of the segment that ends at it (from the line's previous point; none at the
// first point), both ways round, so that a lookup divides by none.
struct ChartPoint {
    float FR_percent_8sng = tools::kNull;
    float Qc1_atm_8sng = tools::kNull;
    float logFR = tools::kNull;
    float logQc1 = tools::kNull;
    float slopeQc1ByFr = 0.0f;  // d logQc1 / d logFR
    float slopeFrByQc1 = 0.0f;  // d logFR / d logQc1
};

struct ContourLine {
    std::array<ChartPoint, kMaxPoints> pt8a{};  // pt8a[0] is point 1
    std::int16_t ptsNUMof = 0;
    float LineValue_8sng = tools::kNull;
    // Whether each coordinate strictly rises or strictly falls from point to point (kept by
    // AddChartPoint): a lookup then finds the crossing segment by bisection.
    bool frRising = true;
    bool frFalling = true;
    bool qc1Rising = true;
    bool qc1Falling = true;
};

struct SldChart {
    std::string SourceFile_8str{tools::kNullText};
    std::array<ContourLine, kMaxLines> Line8a{};  // Line8a[0] is line 1
    std::int16_t LinesNUMof = 0;
    std::string Header_LookupMethod_8str;
    LookupMode lookupMode = LookupMode::ChartDefault;  // Header_LookupMethod_8str, as read
    std::string Header_Chart_8str;
    std::string Row1_x_ID_8str;
    std::string Row1_y_ID_8str;
    std::string Row1_z_IDfull_8str{tools::kNullText};
    std::string Row1_z_IDauthor_8str;
    std::string Row1_z_Author_8str{tools::kNullText};
    std::string Row1_z_Unit_8str{tools::kNullText};
    float Row1_z_UnitFactor_8sng = 1.0f;
    std::string Row1_z_IDnormalized_8str;
    std::string Row1_z_StdUnit_8str;
    std::string Header_X_IDfull_8str;
    std::string Header_Y_IDfull_8str;
    std::string Header_Z_IDfull_8str;
    std::string Header_Z_ID_8str;
    bool Header_Fr_UseLog_8bol = false;
    bool Header_Qc1_UseLog_8bol = false;
    std::string Header_AuthorFull_8str{tools::kNullText};
    std::string Header_AuthorShort_4Row2_8str{tools::kNullText};
    std::string Header_VersionYear_8str;
    std::string Header_VersionDate_8str{tools::kNullText};
    std::string Header_DateShort_8str;
    std::string Header_VersionDateShort_8str;
    std::string Header_Version_8str{tools::kNullText};
    std::string Header_General_Description_8str{tools::kNullText};
    std::array<std::string, kMaxNotes> Header_Note8a = NullNotes();  // [0] is note 1
    std::int16_t NotesNUMof = 0;
    float Xmin_8sng = tools::kNull;
    float Xmax_8sng = tools::kNull;
    float Ymin_8sng = tools::kNull;
    float Ymax_8sng = tools::kNull;
    std::string Axis_Y_ID_8str{tools::kNullText};
    std::string Axis_X_ID_8str{tools::kNullText};
    std::string Axis_Y_Unit_8str{tools::kNullText};
    std::string Axis_X_Unit_8str{tools::kNullText};
    std::string Source_8str;

    // Line `line` (1-based) and point `point` (1-based) of it.
    const ContourLine& Line(std::int16_t line) const { return Line8a.at(line - 1); }
    const ChartPoint& Point(std::int16_t line, std::int16_t point) const {
        return Line(line).pt8a.at(point - 1);
    }

  private:
    static std::array<std::string, kMaxNotes> NullNotes() {
        std::array<std::string, kMaxNotes> notes;
        notes.fill(std::string(tools::kNullText));
        return notes;
    }
};

// The slot numbers (1..40) of the loaded charts with the eight normalised identifiers the
// predictions need; 0 when no such chart was loaded.
struct RequiredCharts {
    std::int16_t cQc = 0;
    std::int16_t Ic = 0;
    std::int16_t UWT1 = 0;
    std::int16_t CRRe = 0;
    std::int16_t p200s1 = 0;
    std::int16_t Vs1 = 0;
    std::int16_t N1 = 0;
    std::int16_t S1 = 0;
};

// The chart table of a run: slots 1..count of SLD8a are in use.
struct ChartTable {
    std::array<SldChart, kMaxCharts> SLD8a{};  // SLD8a[0] is slot 1
    std::int16_t count = 0;
    RequiredCharts required;

    const SldChart& Slot(std::int16_t slot) const { return SLD8a.at(slot - 1); }
    SldChart& Slot(std::int16_t slot) { return SLD8a.at(slot - 1); }
};

// The one way to fill the table: takes the next slot, reset to the null marker, and returns
// it. Throws DataError "SLD216" naming the file when all 40 slots are in use.
SldChart& AddChart(ChartTable& table, std::string_view fileName);

// Starts a new contour line with its value. Throws DataError "SLD723" naming the file and
// line when the chart already holds 15 lines.
ContourLine& AddContourLine(SldChart& chart, float value, std::string_view where);

// Adds a point to a contour line, keeping the logarithms of its coordinates beside it.
// Throws DataError "SLD724" naming the file and line when the line already holds 25 points.
void AddChartPoint(ContourLine& line, float frPercent, float qc1Atm, std::string_view where);

// Appends a COMMENT/NOTE text. Throws DataError "SLD411" past 99 notes.
void AddChartNote(SldChart& chart, std::string_view note, std::string_view where);

}  // namespace kavo::charts
