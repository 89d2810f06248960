// The checked adds that fill the chart table, its charts, lines, points and notes.
#include "charts/sld_chart.h"

#include <string>

#include "charts/chart_lookup.h"
#include "tools/errors.h"
#include "tools/number_text.h"

namespace kavo::charts {

SldChart& AddChart(ChartTable& table, std::string_view fileName) {
    if (table.count >= kMaxCharts) {
        throw tools::DataError("SLD216", "more than " + tools::IntegerText(kMaxCharts) +
                                             " charts, at file " + std::string(fileName));
    }
    ++table.count;
    SldChart& chart = table.Slot(table.count);
    chart = SldChart{};
    return chart;
}

ContourLine& AddContourLine(SldChart& chart, float value, std::string_view where) {
    if (chart.LinesNUMof >= kMaxLines) {
        throw tools::DataError("SLD723", "more than " + tools::IntegerText(kMaxLines) +
                                             " contour lines in " + std::string(where));
    }
    ++chart.LinesNUMof;
    ContourLine& line = chart.Line8a[static_cast<std::size_t>(chart.LinesNUMof - 1)];
    line = ContourLine{};
    line.LineValue_8sng = value;
    return line;
}

void AddChartPoint(ContourLine& line, float frPercent, float qc1Atm, std::string_view where) {
    if (line.ptsNUMof >= kMaxPoints) {
        throw tools::DataError("SLD724", "more than " + tools::IntegerText(kMaxPoints) +
                                             " points on one contour line in " +
                                             std::string(where));
    }
    if (line.ptsNUMof > 0) {
        const ChartPoint& last = line.pt8a[static_cast<std::size_t>(line.ptsNUMof - 1)];
        line.frRising = line.frRising && frPercent > last.FR_percent_8sng;
        line.frFalling = line.frFalling && frPercent < last.FR_percent_8sng;
        line.qc1Rising = line.qc1Rising && qc1Atm > last.Qc1_atm_8sng;
        line.qc1Falling = line.qc1Falling && qc1Atm < last.Qc1_atm_8sng;
    }
    ChartPoint& point = line.pt8a[static_cast<std::size_t>(line.ptsNUMof)];
    ++line.ptsNUMof;
    point.FR_percent_8sng = frPercent;
    point.Qc1_atm_8sng = qc1Atm;
    point.logFR = Log10OrNull(frPercent);
    point.logQc1 = Log10OrNull(qc1Atm);
    if (line.ptsNUMof > 1) {
        const ChartPoint& from = line.pt8a[static_cast<std::size_t>(line.ptsNUMof - 2)];
        point.slopeQc1ByFr = SegmentSlope(from.logFR, point.logFR, from.logQc1, point.logQc1);
        point.slopeFrByQc1 = SegmentSlope(from.logQc1, point.logQc1, from.logFR, point.logFR);
    }
}

void AddChartNote(SldChart& chart, std::string_view note, std::string_view where) {
    if (chart.NotesNUMof >= kMaxNotes) {
        throw tools::DataError("SLD411", "more than " + tools::IntegerText(kMaxNotes) +
                                             " notes in " + std::string(where));
    }
    chart.Header_Note8a[static_cast<std::size_t>(chart.NotesNUMof)] = std::string(note);
    ++chart.NotesNUMof;
}

}  // namespace kavo::charts
