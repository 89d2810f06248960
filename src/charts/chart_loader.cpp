// The chart loader: chart files and the internal chart set into the chart table.
#include "charts/chart_loader.h"

#include <array>
#include <functional>
#include <string>

#include "charts/chart_lookup.h"
#include "charts/internal_charts.h"
#include "normalization/column_id.h"
#include "platform/file_system.h"
#include "tools/errors.h"
#include "tools/line_split.h"
#include "tools/null_marker.h"
#include "tools/number_text.h"
#include "tools/units.h"

namespace kavo::charts {

namespace {

using tools::DataError;
using tools::IntegerText;
using tools::UpperCopy;

constexpr int kMaxDataRows = 9999;
constexpr std::size_t kFieldCapacity = 100;

// Reads the next line of a chart into `line` with the trace description; false at the end.
// `ended` tells whether a line end followed the line (not so in a file cut short mid-line).
using LineReader =
    std::function<bool(std::string& line, bool& ended, std::string_view description)>;

std::string FieldOrEmpty(const std::vector<std::string>& fields, std::size_t index) {
    return index < fields.size() ? fields[index] : std::string();
}

bool ContainsNoCase(std::string_view text, std::string_view part) {
    return UpperCopy(text).find(part) != std::string::npos;
}

// One pass over a chart's lines, from row 1 to the end of its data area.
class ChartReader {
  public:
    ChartReader(reporting::Reporter& reporter, std::string_view fileName, LineReader readLine,
                SldChart& chart)
        : reporter_(reporter), fileName_(fileName), readLine_(std::move(readLine)), chart_(chart) {}

    void Read() {
        chart_.SourceFile_8str = fileName_;
        ReadRowOne();
        CheckFileName();
        ReadRowTwo();
        ReadHeader();
        ReadData();
    }

  private:
    bool Next(std::string& line, std::string_view description) {
        line.clear();
        if (!readLine_(line, lastLineEnded_, description)) {
            return false;
        }
        ++lineNumber_;
        return true;
    }

    std::string Where() const { return fileName_ + " at line " + IntegerText(lineNumber_); }

    void ReadRowOne() {
        reporter_.ReportProgress(reporting::ProcessReport("CLD431", "reading Row one"));
        std::string row;
        Next(row, "SLD row1 FR.qc1.NormV");
        tools::SplitOptions options;
        options.blanksSeparate = true;
        options.resplitCommas = true;
        const auto fields = tools::SplitLine(row, options, kFieldCapacity);
        const std::string x = FieldOrEmpty(fields, 0);
        const std::string y = FieldOrEmpty(fields, 1);
        zText_ = FieldOrEmpty(fields, 2);
        const auto described = [](const std::string& field, int column) {
            return field + " in row 1 at column " + IntegerText(column);
        };
        using normalization::UnknownProperty;

        const auto xSpec = normalization::ParseColumnId(x, UnknownProperty::LeaveKnownFalse);
        std::string xProperty = UpperCopy(tools::Trim(xSpec.property));
        if (xProperty == "RF") {
            xProperty = "FR";
        }
        if (xProperty != "FR") {
            throw DataError("OU993", "FR (or RF) is not " + described(x, 1));
        }
        if (xSpec.unit != "%") {
            throw DataError("OU114", "FR (or RF) must be shown with % " + described(x, 1));
        }
        const auto ySpec = normalization::ParseColumnId(y, UnknownProperty::LeaveKnownFalse);
        if (UpperCopy(tools::Trim(ySpec.property)) != "QC1") {
            throw DataError("OU223", "QC is not" + described(y, 2));
        }
        const auto z = normalization::ParseColumnId(zText_, UnknownProperty::LeaveKnownFalse);
        if (!z.known) {
            throw DataError("OU103", "SLD type is unknown " + described(zText_, 3));
        }
        if (z.normalised != "TRUE") {
            throw DataError("OU223", "SLD can't be basic property" + described(zText_, 3));
        }
        chart_.Row1_x_ID_8str = x;
        chart_.Row1_y_ID_8str = y;
        chart_.Row1_z_IDfull_8str = zText_;
        chart_.Row1_z_IDauthor_8str = z.method.empty() ? z.property : z.property + "_" + z.method;
        chart_.Row1_z_Author_8str = z.method;
        chart_.Row1_z_Unit_8str = z.unit;
        chart_.Row1_z_IDnormalized_8str = z.baseName;
        chart_.Row1_z_StdUnit_8str = z.outputUnit;
        chart_.Row1_z_UnitFactor_8sng = ContourUnitFactor(z);
        chart_.Source_8str = "FILE";
    }

    // Contour values written in a unit of their own are converted to the internal unit with
    // the factor of the pair code internal/written; without a unit they are internal.
    float ContourUnitFactor(const normalization::ColumnSpec& z) const {
        if (z.unit.empty()) {
            return 1.0f;
        }
        const std::string code = z.outputUnit + "/" + UpperCopy(z.unit);
        float factor = 1.0f;
        if (!tools::TryUnitFactor(code, factor)) {
            throw DataError("OU115", "no unit factor " + code + " for the contour values " + z.id +
                                         " of SLD file " + fileName_);
        }
        return factor;
    }

    void CheckFileName() const {
        const FileNameId fromName = ChartIdFromFileName(fileName_);
        if (UpperCopy(tools::Trim(fromName.id)) !=
            UpperCopy(tools::Trim(chart_.Row1_z_IDauthor_8str))) {
            throw DataError("OP213", "SLD File name based `ID_author` (" + fromName.id + ")" +
                                         "does not match " + "Row 1 column z `ID_author` (" +
                                         chart_.Row1_z_IDauthor_8str + ")");
        }
    }

    void ReadRowTwo() {
        std::string row;
        Next(row, "SLD chk on ROW2_KAVO_SLDV5");
        const std::string tag = UpperCopy(tools::Trim(row));
        if (tag != "ROW2_KAVO_SLDV5") {
            throw DataError("QZ120", "row 2 does not contain Row2_Kavo_SLDv5, " +
                                         std::string("  ROW 2 = ") + tag + "  file = " + fileName_ +
                                         "  Col3=" + zText_);
        }
    }

    void ReadHeader() {
        int lineCounter = 2;
        int handled = 0;
        std::string line;
        while (true) {
            ++lineCounter;
            reporter_.ReportProgress(
                reporting::ProcessReport("CLD113", "reading SLD header",
                                         "reading header line [" + IntegerText(lineCounter) + "]"));
            if (!Next(line, "SLD lat deg")) {
                throw DataError("PQ883", "EOF while reading SLD header, no EOH at end of header");
            }
            const tools::KeyValue pair = tools::SplitKeyValue(line);
            const std::string key = UpperCopy(tools::Trim(pair.key));
            if (ContainsNoCase(line, "EOH") || key == "END") {
                break;
            }
            ApplyHeaderKey(key, pair.value);
            ++handled;
            if (handled > kMaxHeaderLines) {
                throw DataError(" SLD412",
                                " SLD of " + fileName_ + " SLD has too many header lines ");
            }
        }
        if (tools::Trim(chart_.Header_AuthorShort_4Row2_8str).empty() ||
            chart_.Header_AuthorShort_4Row2_8str == tools::kNullText ||
            tools::Trim(chart_.Row1_z_IDfull_8str).empty()) {
            throw DataError("SEF454", "SLD file did not have ID_property or ID_authorship defined");
        }
        if (chart_.lookupMode == LookupMode::ChartDefault) {
            throw DataError(
                "SLD419", "SLD file " + fileName_ + " has no SLD_LOOKUP_METHOD (XYC, YXC or YCX)");
        }
    }

    void ApplyHeaderKey(const std::string& key, const std::string& value) {
        SldChart& c = chart_;
        if (key == "SLD_Z_ID" || key == "SLD") {
            c.Header_Z_ID_8str = value;
        } else if (key == "SLD_DATE_SHORT_CODE") {
            c.Header_DateShort_8str = value;
        } else if (key == "SLD_AUTHOR_SHORT_CODE" || key == "SLD_VERSION_AUTHOR_LAST_NAME") {
            c.Header_AuthorShort_4Row2_8str = value;
        } else if (key == "SLD_X_USELOG" || key == "USEXLOG") {
            c.Header_Fr_UseLog_8bol = ParseTrueFalse(value, false, Where());
        } else if (key == "SLD_Y_USELOG" || key == "USEYLOG") {
            c.Header_Qc1_UseLog_8bol = ParseTrueFalse(value, false, Where());
        } else if (key == "SLD_LOOKUP_METHOD") {
            const std::string mode = UpperCopy(tools::Trim(value));
            if (mode != "XYC" && mode != "YXC" && mode != "YCX") {
                throw DataError("SLD419", "SLD_LOOKUP_METHOD must be XYC, YXC or YCX, not " +
                                              value + " in " + Where());
            }
            c.Header_LookupMethod_8str = value;
            c.lookupMode = ParseLookupMode(mode);
        } else if (key == "SLD_CHARTID" || key == "CHARTID") {
            const std::string family = UpperCopy(value);
            if (family != "KAVOCHART" && family != "CPTCHART") {
                throw DataError("TBC992", "chartID is unknown in data header");
            }
            c.Header_Chart_8str = value;
            c.Xmin_8sng = 0.1f;
            c.Xmax_8sng = 10.0f;
            c.Ymin_8sng = 1.0f;
            c.Ymax_8sng = 1000.0f;
            c.Axis_Y_ID_8str = "QC1";
            c.Axis_X_ID_8str = "FR";
            c.Axis_Y_Unit_8str = "atm";
            c.Axis_X_Unit_8str = "%";
            c.Header_Fr_UseLog_8bol = true;
            c.Header_Qc1_UseLog_8bol = true;
        } else if (key == "SLD_VERSION_DESCRIPTION" || key == "DESCRIPTION") {
            c.Header_General_Description_8str = value;
        } else if (key == "SLD_VERSION_DATE_FULL" || key == "DATEOFDATA") {
            c.Header_VersionDate_8str = value;
        } else if (key == "COMMENT" || key == "NOTE") {
            AddChartNote(c, value, Where());
        } else if (key == "SLD_Z_ID_FULL" || key == "SLD_C_ID_FULL") {
            c.Header_Z_IDfull_8str = value;
        } else if (key == "SLD_X_ID_FULL") {
            c.Header_X_IDfull_8str = value;
        } else if (key == "SLD_Y_ID_FULL") {
            c.Header_Y_IDfull_8str = value;
        } else if (key == "SLD_VERSION_DATE_SHORT") {
            c.Header_VersionDateShort_8str = value;
        } else if (key == "SLD_VERSION_DATE_YEAR") {
            c.Header_VersionYear_8str = value;
        } else if (key == "SLD_VERSION_AUTHOR_FULL") {
            c.Header_AuthorFull_8str = value;
        } else if (key == "SLD_VERSION_NUMBER" || key == "VERSION") {
            c.Header_Version_8str = value;
        }
    }

    std::vector<std::string> SplitDataRow(const std::string& row) const {
        tools::SplitOptions options;
        options.blanksSeparate = true;
        return tools::SplitLine(row, options, kFieldCapacity);
    }

    void StartLine(const std::vector<std::string>& fields) {
        const std::string lineNumber = IntegerText(chart_.LinesNUMof + 1);
        reporter_.ReportProgress(reporting::ProcessReport("SLD722", "reading SLD data points",
                                                          "SLD line #= " + lineNumber));
        reporter_.ReportProgress(
            reporting::ProcessReport("SLD778", "", "SLD Line # =" + lineNumber));
        const std::string valueText = FieldOrEmpty(fields, 2);
        const float value = tools::NumberOrNull(valueText);
        if (tools::IsMissing(value)) {
            throw DataError("Sld009", "no or bad contour value=" + valueText);
        }
        const float internalValue =
            static_cast<float>(static_cast<double>(value) * chart_.Row1_z_UnitFactor_8sng);
        current_ = &AddContourLine(chart_, internalValue, Where());
        reporter_.ReportProgress(reporting::ProcessReport(
            "SLD771", "", "line value = " + tools::SingleText(internalValue)));
        AddPoint(fields);
    }

    // Charts hold positive FR and Qc1 only: a point elsewhere has no place in log space.
    void AddPoint(const std::vector<std::string>& fields) {
        const float fr = tools::NumberOrNull(FieldOrEmpty(fields, 0));
        const float qc1 = tools::NumberOrNull(FieldOrEmpty(fields, 1));
        if (tools::IsMissing(fr) || tools::IsMissing(qc1) || fr <= 0.0f || qc1 <= 0.0f) {
            throw DataError("SLD725", "FR and QC1 of a chart point must be positive numbers, not " +
                                          FieldOrEmpty(fields, 0) + " and " +
                                          FieldOrEmpty(fields, 1) + " in " + Where());
        }
        AddChartPoint(*current_, fr, qc1, Where());
    }

    void ReadData() {
        std::string row;
        int rows = 0;
        while (rows < kMaxDataRows && Next(row, "SLD FR&QC1")) {
            ++rows;
            const auto fields = SplitDataRow(row);
            if (current_ == nullptr) {
                StartLine(fields);
            } else if (!FieldOrEmpty(fields, 0).empty()) {
                AddPoint(fields);
            } else {
                if (!Next(row, "SLD FR&QC1 NEWl")) {
                    throw DataError("SLD722", "bad eof between lines in SLD file");
                }
                ++rows;
                StartLine(SplitDataRow(row));
            }
        }
        if (chart_.LinesNUMof == 0) {
            throw DataError("ER903", "expecting SLD data after header area");
        }
        CheckComplete();
    }

    // A chart file cut short still parses, yet reads wrong or nothing at all: its last row
    // lacks its line end, or its last line has a single point, or only one line is left.
    // Every value is read between two lines, along a segment of each.
    void CheckComplete() const {
        const std::string cut = "; the chart file may have been cut short";
        if (!lastLineEnded_) {
            throw DataError("SLD726", Where() +
                                          ": the file ends in the middle of a row (no line end "
                                          "after it)" +
                                          cut);
        }
        for (std::int16_t l = 1; l <= chart_.LinesNUMof; ++l) {
            const ContourLine& line = chart_.Line(l);
            if (line.ptsNUMof < 2) {
                throw DataError("SLD727", fileName_ + ": contour line " + IntegerText(l) +
                                              " (value " + tools::SingleText(line.LineValue_8sng) +
                                              ") has a single point; a line needs two" + cut);
            }
        }
        if (chart_.LinesNUMof < 2) {
            throw DataError("SLD728", fileName_ +
                                          ": a single contour line; values are read between two "
                                          "lines, so the chart would give none" +
                                          cut);
        }
    }

    reporting::Reporter& reporter_;
    std::string fileName_;
    LineReader readLine_;
    SldChart& chart_;
    std::string zText_;
    int lineNumber_ = 0;
    bool lastLineEnded_ = true;
    ContourLine* current_ = nullptr;
};

}  // namespace

ChartLoadRequest ParseChartLoadRequest(std::string_view text) {
    if (text == "RESET") {
        return ChartLoadRequest::Reset;
    }
    if (text == "FILE") {
        return ChartLoadRequest::File;
    }
    if (text == "INTERNAL") {
        return ChartLoadRequest::Internal;
    }
    throw tools::ProgrammingError("unknown chart load request: " + std::string(text));
}

void LoadCharts(ChartLoadRequest request, reporting::Reporter& reporter,
                const files::DataArea& area, ChartTable& table) {
    switch (request) {
        case ChartLoadRequest::Reset:
            table.count = 0;
            table.required = RequiredCharts{};
            return;
        case ChartLoadRequest::File: {
            reporting::ProgressReport start = reporting::ProcessReport("SA111", "Reading SLD data");
            start.operations = "File based";
            reporter.ReportProgress(start);
            const std::string pattern = files::PathFor(area, files::PathKey::SldChartFiles);
            const std::vector<std::string> names = ListMatchingFiles(pattern);
            if (names.empty()) {
                throw DataError("SLD214", "No " + pattern + " file");
            }
            for (const std::string& name : names) {
                if (ContainsNoCase(name, "-DONOTUSE")) {
                    continue;
                }
                SldChart& chart = AddChart(table, name);
                reporter.LogLine(2, "SLD file reading: " + name, reporting::LogKind::Task);
                reporting::ProgressReport opening = reporting::ProcessReport(
                    "SC423", "opening SLD file", "SLD file sequence=" + IntegerText(table.count));
                opening.inputFile = name;
                reporter.ReportProgress(opening);
                ReadChartFile(reporter, area, name, chart);
            }
            return;
        }
        case ChartLoadRequest::Internal: {
            reporting::ProgressReport start = reporting::ProcessReport("SA131", "Reading SLD data");
            start.operations = "internal based";
            start.inputFile = "internal ";
            reporter.ReportProgress(start);
            reporter.LogLine(2, "start internal SLD file reading", reporting::LogKind::Task);
            for (const InternalChartText& internal : InternalChartTexts()) {
                SldChart& chart = AddChart(table, internal.fileName);
                reporter.LogLine(2, "SLD file reading: " + std::string(internal.fileName),
                                 reporting::LogKind::Task);
                ReadChartText(reporter, internal.fileName, internal.text, chart);
                chart.Source_8str = "INTERNAL";
            }
            return;
        }
    }
}

void LoadChartsForRun(reporting::Reporter& reporter, const files::DataArea& area,
                      ChartTable& table) {
    LoadCharts(ChartLoadRequest::Reset, reporter, area, table);
    LoadCharts(ChartLoadRequest::File, reporter, area, table);
    CheckRequiredCharts(table);
}

void ReadChartFile(reporting::Reporter& reporter, const files::DataArea& area,
                   std::string_view fileName, SldChart& chart) {
    const std::string path = files::PathFor(area, files::PathKey::SldInput) + std::string(fileName);
    reporting::TracedInput file;
    if (!reporter.TraceOpenForReading(file, path, "one SLD file")) {
        throw DataError("SLD217",
                        "the SLD file " + path + " cannot be opened: " + file.WhyNotOpened());
    }
    const std::string name(fileName);
    ChartReader reader(
        reporter, fileName,
        [&reporter, &file, &name](std::string& line, bool& ended, std::string_view description) {
            const bool read = reporter.TraceLineInput(file, line, name, description);
            ended = file.LastLineEnded();
            return read;
        },
        chart);
    reader.Read();
    file.Close();
}

void ReadChartText(reporting::Reporter& reporter, std::string_view fileName, std::string_view text,
                   SldChart& chart) {
    std::size_t position = 0;
    ChartReader reader(
        reporter, fileName,
        [&text, &position](std::string& line, bool& ended, std::string_view) {
            if (position >= text.size()) {
                return false;
            }
            std::size_t end = text.find('\n', position);
            ended = end != std::string_view::npos;
            if (!ended) {
                end = text.size();
            }
            line.assign(text.substr(position, end - position));
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            position = end + 1;
            return true;
        },
        chart);
    reader.Read();
}

std::size_t FirstSeparatorFrom(std::string_view text, std::size_t start) {
    if (start < 1 || start > text.size()) {
        return kNoSeparator;
    }
    const std::size_t found = text.find_first_of("-_", start - 1);
    return found == std::string_view::npos ? kNoSeparator : found + 1;
}

FileNameId ChartIdFromFileName(std::string_view fileName) {
    constexpr std::string_view kPrefix = "SLD-KAVO-";
    const std::string upper = UpperCopy(fileName);
    const std::size_t csv = upper.find(".CSV");
    if (upper.rfind(kPrefix, 0) != 0 || csv == std::string::npos || csv < kPrefix.size()) {
        throw DataError("SLD433", "the chart file name " + std::string(fileName) +
                                      " is not SLD-Kavo-<property>_<method>[-<note>].csv");
    }
    const std::string_view text = fileName.substr(kPrefix.size(), csv - kPrefix.size());
    const std::size_t p1 = FirstSeparatorFrom(text, 1);
    if (p1 == kNoSeparator) {
        throw DataError("SLD433", "the chart file name " + std::string(fileName) +
                                      " has no \"_\" or \"-\" between property and method");
    }
    FileNameId result;
    const std::size_t p2 = FirstSeparatorFrom(text, p1 + 1);
    if (p2 == kNoSeparator) {
        // One separator: the whole identifier part is the identifier.
        result.id = std::string(text);
        return result;
    }
    result.id = std::string(text.substr(0, p2 - 1));
    const std::size_t p3 = FirstSeparatorFrom(text, p2 + 1);
    const std::size_t end = p3 == kNoSeparator ? text.size() + 1 : p3;
    result.remainder = std::string(text.substr(p2, end - p2 - 1));
    return result;
}

std::vector<std::string> ListMatchingFiles(std::string_view pattern) {
    std::vector<std::string> names = platform::ListMatching(pattern, platform::EntryKind::File);
    if (names.size() > kMaxListedFiles) {
        throw DataError("SLD213", "more than " + IntegerText(kMaxListedFiles) +
                                      " chart files match " + std::string(pattern));
    }
    return names;
}

bool ParseTrueFalse(std::string_view text, bool defaultValue, std::string_view where) {
    const std::string word = UpperCopy(tools::Trim(text));
    if (word == "TRUE" || word == "YES") {
        return true;
    }
    if (word == "FALSE" || word == "NO") {
        return false;
    }
    if (word.empty()) {
        return defaultValue;
    }
    throw DataError("TF101", "TRUE, FALSE, YES or NO expected, not \"" + std::string(text) +
                                 "\" in " + std::string(where));
}

void CheckRequiredCharts(ChartTable& table) {
    RequiredCharts& required = table.required;
    required = RequiredCharts{};
    for (std::int16_t slot = 1; slot <= table.count; ++slot) {
        const std::string id = UpperCopy(table.Slot(slot).Row1_z_IDnormalized_8str);
        std::int16_t* index = id == "CQC"      ? &required.cQc
                              : id == "IC"     ? &required.Ic
                              : id == "UWT1"   ? &required.UWT1
                              : id == "CRRE"   ? &required.CRRe
                              : id == "P200S1" ? &required.p200s1
                              : id == "VS1"    ? &required.Vs1
                              : id == "N1"     ? &required.N1
                              : id == "S1"     ? &required.S1
                                               : nullptr;
        if (index != nullptr) {
            *index = slot;
        }
    }
    const std::array<std::pair<std::string_view, std::int16_t>, 8> indices{{
        {"cQc", required.cQc},
        {"Ic", required.Ic},
        {"UWT1", required.UWT1},
        {"CRRe", required.CRRe},
        {"p200s1", required.p200s1},
        {"Vs1", required.Vs1},
        {"N1", required.N1},
        {"S1", required.S1},
    }};
    std::string missing;
    for (const auto& [id, index] : indices) {
        if (index == 0) {
            missing += (missing.empty() ? "" : ", ") + std::string(id);
        }
    }
    if (!missing.empty()) {
        throw DataError("SLD200", "Not all the Vaski SLD files were loaded; no chart of " +
                                      missing +
                                      " (a file SLD-Kavo-<property>_<method>.csv in the SLD input "
                                      "folder, its row 1 naming that property)");
    }
}

}  // namespace kavo::charts
