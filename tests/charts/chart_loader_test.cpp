// The chart loader: the chart file format with each of its errors, the file-name rules, the
// table limits, the required charts and the built-in chart set.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart_table_fixture.h"
#include "charts/chart_loader.h"
#include "charts/chart_lookup.h"
#include "files/paths.h"
#include "reporting/reporter.h"
#include "support/temp_dir.h"
#include "tools/errors.h"

namespace kavo::charts {
namespace {

const std::string kGoodHeader =
    "SLD_AUTHOR_SHORT_CODE=tln\r\nSLD_CHARTID=KAVOCHART\r\nSLD_LOOKUP_METHOD=XYC\r\n";
const std::string kGoodData = "0.1,10,0.2\r\n1,20\r\n10,40\r\n\r\n0.1,100,0.5\r\n10,400\r\n";

std::string ChartText(const std::string& row1 = "FR_%,QC1,cQc_tln",
                      const std::string& header = kGoodHeader,
                      const std::string& data = kGoodData) {
    return row1 + "\r\nRow2_Kavo_SLDv5\r\n" + header + "EOH\r\n" + data;
}

class ChartLoader : public ChartTableFixture {
  protected:
    void Write(const std::string& name, const std::string& text) {
        dir.Write("SLD input/" + name, text);
    }
    void ReadOne(const std::string& name, const std::string& text) {
        Write(name, text);
        ReadChartFile(reporter, area, name, AddChart(*table, name));
    }
    tools::DataError ErrorReading(const std::string& name, const std::string& text) {
        try {
            ReadOne(name, text);
        } catch (const tools::DataError& error) {
            return error;
        }
        ADD_FAILURE() << "no data error for " << name;
        return tools::DataError("", "");
    }
};

TEST_F(ChartLoader, ReadsIdentityHeaderAndLines) {
    ReadOne("SLD-Kavo-cQc_tln-2006.csv",
            ChartText("RF_%,QC1,cQc_tln",
                      kGoodHeader + "DESCRIPTION=exponent\r\nCOMMENT=first\r\nNOTE=second\r\n"
                                    "VERSION=3\r\nrem a line without key\r\nUSEXLOG=no\r\n"));
    const SldChart& chart = table->Slot(1);
    EXPECT_EQ(chart.SourceFile_8str, "SLD-Kavo-cQc_tln-2006.csv");
    EXPECT_EQ(chart.Source_8str, "FILE");
    EXPECT_EQ(chart.Row1_x_ID_8str, "RF_%");
    EXPECT_EQ(chart.Row1_z_IDfull_8str, "cQc_tln");
    EXPECT_EQ(chart.Row1_z_IDauthor_8str, "cQc_tln");
    EXPECT_EQ(chart.Row1_z_Author_8str, "tln");
    EXPECT_EQ(chart.Row1_z_IDnormalized_8str, "cQc");
    EXPECT_EQ(chart.Row1_z_UnitFactor_8sng, 1.0f);
    EXPECT_EQ(chart.Header_General_Description_8str, "exponent");
    EXPECT_EQ(chart.Header_Version_8str, "3");
    ASSERT_EQ(chart.NotesNUMof, 2);
    EXPECT_EQ(chart.Header_Note8a[1], "second");
    EXPECT_FALSE(chart.Header_Fr_UseLog_8bol);  // a later key overrides the chart family
    EXPECT_TRUE(chart.Header_Qc1_UseLog_8bol);
    EXPECT_EQ(chart.Xmax_8sng, 10.0f);
    EXPECT_EQ(chart.Ymin_8sng, 1.0f);
    EXPECT_EQ(chart.lookupMode, LookupMode::XYC);
    ASSERT_EQ(chart.LinesNUMof, 2);
    EXPECT_EQ(chart.Line(1).ptsNUMof, 3);
    EXPECT_EQ(chart.Line(1).LineValue_8sng, 0.2f);
    EXPECT_EQ(chart.Point(1, 3).FR_percent_8sng, 10.0f);
    EXPECT_EQ(chart.Point(1, 3).Qc1_atm_8sng, 40.0f);
    EXPECT_EQ(chart.Line(2).LineValue_8sng, 0.5f);
    EXPECT_EQ(chart.Point(2, 2).Qc1_atm_8sng, 400.0f);
    // The file is closed after reading: its file number is free again.
    EXPECT_EQ(numbers.Allocate(), 1);
    ASSERT_FALSE(reporter.history().empty());
    EXPECT_EQ(reporter.history().front().description, "SLD FR&QC1");
}

TEST_F(ChartLoader, EndOfHeaderInAnyCaseAnywhere) {
    ReadOne("SLD-Kavo-cQc_tln.csv", "FR_%,QC1,cQc_tln\r\nrow2_kavo_sldv5\r\n" + kGoodHeader +
                                        "DESCRIPTION=see the geohazard note\r\n" + kGoodData);
    EXPECT_EQ(table->Slot(1).Header_General_Description_8str, "-5435");
    ReadOne("SLD-Kavo-cQc_tln.csv",
            "FR_%,QC1,cQc_tln\r\nRow2_Kavo_SLDv5\r\n" + kGoodHeader + "end=\r\n" + kGoodData);
    EXPECT_EQ(table->Slot(2).LinesNUMof, 2);
}

TEST_F(ChartLoader, HeaderOfFiftyThreeLinesLoadsAndFiftyFourFail) {
    std::string header = kGoodHeader;
    for (int i = 3; i < 53; ++i) {
        header += "COMMENT=line\r\n";
    }
    ReadOne("SLD-Kavo-cQc_tln.csv", ChartText("FR_%,QC1,cQc_tln", header));
    EXPECT_EQ(table->Slot(1).NotesNUMof, 50);

    const tools::DataError error = ErrorReading(
        "SLD-Kavo-cQc_tln.csv", ChartText("FR_%,QC1,cQc_tln", header + "COMMENT=54\r\n"));
    EXPECT_EQ(error.code(), " SLD412");
    EXPECT_EQ(error.description(), " SLD of SLD-Kavo-cQc_tln.csv SLD has too many header lines ");
}

TEST_F(ChartLoader, ContourValuesInAUnitOfTheirOwnAreConvertedToTheInternalUnit) {
    ReadOne("SLD-Kavo-Vs1_tln.csv",
            ChartText("FR_%,QC1,Vs1_tln_mps", kGoodHeader,
                      "0.1,10,100\r\n1,20\r\n\r\n0.1,100,200\r\n1,300\r\n"));
    const SldChart& chart = table->Slot(1);
    EXPECT_EQ(chart.Row1_z_Unit_8str, "mps");
    EXPECT_FLOAT_EQ(chart.Line(1).LineValue_8sng, 328.084f);
    EXPECT_EQ(chart.Point(1, 1).Qc1_atm_8sng, 10.0f);  // the coordinates stay as read
}

struct BadChart {
    std::string name;
    std::string fileName;
    std::string text;
    std::string code;
    std::string description;
};

std::string Lines(int count, int points) {
    std::string data;
    for (int l = 0; l < count; ++l) {
        data += l > 0 ? "\r\n" : "";
        for (int p = 0; p < points; ++p) {
            data += std::to_string(0.1 + 0.3 * p) + "," + std::to_string(10 + 10 * l) +
                    (p == 0 ? "," + std::to_string(l + 1) : "") + "\r\n";
        }
    }
    return data;
}

const BadChart kBadCharts[] = {
    {"NotFr", "SLD-Kavo-cQc_tln.csv", ChartText("QC1_atm,QC1,cQc_tln"), "OU993",
     "FR (or RF) is not QC1_atm in row 1 at column 1"},
    {"FrWithoutPercent", "SLD-Kavo-cQc_tln.csv", ChartText("FR,QC1,cQc_tln"), "OU114",
     "FR (or RF) must be shown with % FR in row 1 at column 1"},
    {"NotQc1", "SLD-Kavo-cQc_tln.csv", ChartText("FR_%,Qt,cQc_tln"), "OU223",
     "QC is notQt in row 1 at column 2"},
    {"UnknownZ", "SLD-Kavo-Zeta_tln.csv", ChartText("FR_%,QC1,Zeta_tln"), "OU103",
     "SLD type is unknown Zeta_tln in row 1 at column 3"},
    {"BasicZ", "SLD-Kavo-Qc_tln.csv", ChartText("FR_%,QC1,Qc_tln"), "OU223",
     "SLD can't be basic propertyQc_tln in row 1 at column 3"},
    {"UnitWithoutFactor", "SLD-Kavo-Ic_tln.csv", ChartText("FR_%,QC1,Ic_tln_%"), "OU115",
     "no unit factor /% for the contour values Ic_tln_% of SLD file SLD-Kavo-Ic_tln.csv"},
    {"NameDiffers", "SLD-Kavo-Ic_tln-v1.csv", ChartText(), "OP213",
     "SLD File name based `ID_author` (Ic_tln)does not match Row 1 column z `ID_author` "
     "(cQc_tln)"},
    {"NameWithoutSeparator", "SLD-Kavo-cQc.csv", ChartText("FR_%,QC1,cQc"), "SLD433",
     "the chart file name SLD-Kavo-cQc.csv has no \"_\" or \"-\" between property and method"},
    {"RowTwoWithCommas", "SLD-Kavo-cQc_tln.csv",
     "FR_%,QC1,cQc_tln\r\nRow2_Kavo_SLDv5,,\r\n" + kGoodHeader + "EOH\r\n" + kGoodData, "QZ120",
     "row 2 does not contain Row2_Kavo_SLDv5,   ROW 2 = ROW2_KAVO_SLDV5,,  file = "
     "SLD-Kavo-cQc_tln.csv  Col3=cQc_tln"},
    {"NoEndOfHeader", "SLD-Kavo-cQc_tln.csv",
     "FR_%,QC1,cQc_tln\r\nRow2_Kavo_SLDv5\r\n" + kGoodHeader, "PQ883",
     "EOF while reading SLD header, no EOH at end of header"},
    {"UnknownFamily", "SLD-Kavo-cQc_tln.csv",
     ChartText("FR_%,QC1,cQc_tln", kGoodHeader + "CHARTID=MYCHART\r\n"), "TBC992",
     "chartID is unknown in data header"},
    {"NoAuthor", "SLD-Kavo-cQc_tln.csv",
     ChartText("FR_%,QC1,cQc_tln", "SLD_CHARTID=KAVOCHART\r\nSLD_LOOKUP_METHOD=XYC\r\n"), "SEF454",
     "SLD file did not have ID_property or ID_authorship defined"},
    {"NoLookupMethod", "SLD-Kavo-cQc_tln.csv",
     ChartText("FR_%,QC1,cQc_tln", "SLD_AUTHOR_SHORT_CODE=tln\r\nSLD_CHARTID=KAVOCHART\r\n"),
     "SLD419", "SLD file SLD-Kavo-cQc_tln.csv has no SLD_LOOKUP_METHOD (XYC, YXC or YCX)"},
    {"BadLookupMethod", "SLD-Kavo-cQc_tln.csv",
     ChartText("FR_%,QC1,cQc_tln", kGoodHeader + "SLD_LOOKUP_METHOD=XCY\r\n"), "SLD419",
     "SLD_LOOKUP_METHOD must be XYC, YXC or YCX, not XCY in SLD-Kavo-cQc_tln.csv at line 6"},
    {"BadFlag", "SLD-Kavo-cQc_tln.csv",
     ChartText("FR_%,QC1,cQc_tln", kGoodHeader + "USEYLOG=maybe\r\n"), "TF101",
     "TRUE, FALSE, YES or NO expected, not \"maybe\" in SLD-Kavo-cQc_tln.csv at line 6"},
    {"NoData", "SLD-Kavo-cQc_tln.csv", ChartText("FR_%,QC1,cQc_tln", kGoodHeader, ""), "ER903",
     "expecting SLD data after header area"},
    {"EndAfterSeparator", "SLD-Kavo-cQc_tln.csv",
     ChartText("FR_%,QC1,cQc_tln", kGoodHeader, "0.1,10,1\r\n1,20\r\n,,\r\n"), "SLD722",
     "bad eof between lines in SLD file"},
    {"TwoSeparators", "SLD-Kavo-cQc_tln.csv",
     ChartText("FR_%,QC1,cQc_tln", kGoodHeader, "0.1,10,1\r\n1,20\r\n\r\n\r\n0.1,30,2\r\n"),
     "Sld009", "no or bad contour value="},
    {"NullContour", "SLD-Kavo-cQc_tln.csv",
     ChartText("FR_%,QC1,cQc_tln", kGoodHeader, "0.1,10,-5435\r\n1,20\r\n"), "Sld009",
     "no or bad contour value=-5435"},
    {"BadPoint", "SLD-Kavo-cQc_tln.csv",
     ChartText("FR_%,QC1,cQc_tln", kGoodHeader, "0.1,10,1\r\nabc,20\r\n"), "SLD725",
     "FR and QC1 of a chart point must be positive numbers, not abc and 20 in "
     "SLD-Kavo-cQc_tln.csv at line 8"},
    {"ZeroQc1", "SLD-Kavo-cQc_tln.csv", ChartText("FR_%,QC1,cQc_tln", kGoodHeader, "0.1,0,1\r\n"),
     "SLD725",
     "FR and QC1 of a chart point must be positive numbers, not 0.1 and 0 in "
     "SLD-Kavo-cQc_tln.csv at line 7"},
    {"SixteenLines", "SLD-Kavo-cQc_tln.csv",
     ChartText("FR_%,QC1,cQc_tln", kGoodHeader, Lines(16, 2)), "SLD723",
     "more than 15 contour lines in SLD-Kavo-cQc_tln.csv at line 52"},
    {"TwentySixPoints", "SLD-Kavo-cQc_tln.csv",
     ChartText("FR_%,QC1,cQc_tln", kGoodHeader, Lines(1, 26)), "SLD724",
     "more than 25 points on one contour line in SLD-Kavo-cQc_tln.csv at line 32"},
    // A chart file cut short: in its last row, after the first point of a line, or after its
    // first line.
    {"CutInARow", "SLD-Kavo-cQc_tln.csv",
     ChartText("FR_%,QC1,cQc_tln", kGoodHeader, "0.1,10,0.2\r\n1,20\r\n\r\n0.1,100,0.5\r\n10,4"),
     "SLD726",
     "SLD-Kavo-cQc_tln.csv at line 11: the file ends in the middle of a row (no line end after "
     "it); the chart file may have been cut short"},
    {"CutAfterAFirstPoint", "SLD-Kavo-cQc_tln.csv",
     ChartText("FR_%,QC1,cQc_tln", kGoodHeader, "0.1,10,0.2\r\n1,20\r\n\r\n0.1,100,0.5\r\n"),
     "SLD727",
     "SLD-Kavo-cQc_tln.csv: contour line 2 (value 0.5) has a single point; a line needs two; "
     "the chart file may have been cut short"},
    {"CutAfterTheFirstLine", "SLD-Kavo-cQc_tln.csv",
     ChartText("FR_%,QC1,cQc_tln", kGoodHeader, "0.1,10,0.2\r\n1,20\r\n10,40\r\n"), "SLD728",
     "SLD-Kavo-cQc_tln.csv: a single contour line; values are read between two lines, so the "
     "chart would give none; the chart file may have been cut short"},
};

class RejectsChartFile : public ChartLoader, public ::testing::WithParamInterface<BadChart> {};

TEST_P(RejectsChartFile, WithCodeAndText) {
    const BadChart& bad = GetParam();
    const tools::DataError error = ErrorReading(bad.fileName, bad.text);
    EXPECT_EQ(error.code(), bad.code);
    EXPECT_EQ(error.description(), bad.description);
}

INSTANTIATE_TEST_SUITE_P(Table, RejectsChartFile, ::testing::ValuesIn(kBadCharts),
                         [](const auto& info) { return info.param.name; });

TEST_F(ChartLoader, EmptyFolderFailsSld214) {
    dir.Write("SLD input/readme.txt", "no charts");
    try {
        LoadCharts(ChartLoadRequest::File, reporter, area, *table);
        FAIL();
    } catch (const tools::DataError& error) {
        EXPECT_EQ(error.code(), "SLD214");
        EXPECT_EQ(error.description(), "No " + dir.text() + "/SLD input/SLD-Kavo-*.csv file");
    }
}

TEST_F(ChartLoader, OnlyDoNotUseFilesLoadNothingAndFailSld200) {
    Write("SLD-Kavo-cQc_tln-DoNotUse.csv", ChartText());
    Write("SLD-Kavo-Ic_tln-donotuse.csv", "not even a chart");
    try {
        LoadChartsForRun(reporter, area, *table);
        FAIL();
    } catch (const tools::DataError& error) {
        EXPECT_EQ(error.code(), "SLD200");
        EXPECT_EQ(error.description(),
                  "Not all the Vaski SLD files were loaded; no chart of cQc, Ic, UWT1, CRRe, "
                  "p200s1, Vs1, N1, S1 (a file SLD-Kavo-<property>_<method>.csv in the SLD input "
                  "folder, its row 1 naming that property)");
    }
    EXPECT_EQ(table->count, 0);
}

TEST_F(ChartLoader, MoreThanThirtyFilesIsADataError) {
    for (int i = 0; i < 31; ++i) {
        Write("SLD-Kavo-cQc_tln-" + std::to_string(i) + ".csv", ChartText());
    }
    try {
        LoadCharts(ChartLoadRequest::File, reporter, area, *table);
        FAIL();
    } catch (const tools::DataError& error) {
        EXPECT_EQ(error.code(), "SLD213");
    }
}

TEST_F(ChartLoader, FortyChartsFillTheTableAndTheNextIsADataError) {
    for (int i = 0; i < 5; ++i) {
        LoadCharts(ChartLoadRequest::Internal, reporter, area, *table);
    }
    EXPECT_EQ(table->count, 40);
    EXPECT_THROW(LoadCharts(ChartLoadRequest::Internal, reporter, area, *table), tools::DataError);
    EXPECT_EQ(table->count, 40);
    LoadCharts(ChartLoadRequest::Reset, reporter, area, *table);
    EXPECT_EQ(table->count, 0);
}

TEST_F(ChartLoader, RequiredChartsTakeTheLaterSlotAndAreClearedEachCheck) {
    LoadCharts(ChartLoadRequest::Internal, reporter, area, *table);
    LoadCharts(ChartLoadRequest::Internal, reporter, area, *table);
    CheckRequiredCharts(*table);
    const RequiredCharts& r = table->required;
    const std::vector<std::int16_t> indices = {r.cQc,    r.Ic,  r.UWT1, r.CRRe,
                                               r.p200s1, r.Vs1, r.N1,   r.S1};
    EXPECT_EQ(indices, (std::vector<std::int16_t>{9, 10, 11, 12, 13, 14, 15, 16}));
    // A later run without the charts fails instead of keeping the old indices.
    LoadCharts(ChartLoadRequest::Reset, reporter, area, *table);
    table->count = 7;  // the first seven slots: no S1 chart
    try {
        CheckRequiredCharts(*table);
        ADD_FAILURE() << "no SLD200";
    } catch (const tools::DataError& error) {
        EXPECT_EQ(error.description().rfind(
                      "Not all the Vaski SLD files were loaded; no chart of S1 (a file", 0),
                  0u)
            << error.description();
    }
    EXPECT_EQ(table->required.S1, 0);
}

TEST_F(ChartLoader, ChartWithoutFamilyLoadsButAnswersNothing) {
    ReadOne(
        "SLD-Kavo-cQc_tln.csv",
        ChartText("FR_%,QC1,cQc_tln", "SLD_AUTHOR_SHORT_CODE=tln\r\nSLD_LOOKUP_METHOD=XYC\r\n"));
    float x = 1.0f, y = 30.0f, c = 0.0f;
    EXPECT_FALSE(LookupChart(x, y, c, *table, 1));
    EXPECT_EQ(c, tools::kNull);
}

TEST(ParseChartLoadRequest, KnowsThreeWordsExactly) {
    EXPECT_EQ(ParseChartLoadRequest("RESET"), ChartLoadRequest::Reset);
    EXPECT_EQ(ParseChartLoadRequest("FILE"), ChartLoadRequest::File);
    EXPECT_EQ(ParseChartLoadRequest("INTERNAL"), ChartLoadRequest::Internal);
    EXPECT_THROW(ParseChartLoadRequest("file"), tools::ProgrammingError);
}

TEST(ChartIdFromFileName, CutsAtTheSecondAndThirdSeparator) {
    struct Case {
        std::string name, id, remainder;
    };
    const Case cases[] = {
        {"SLD-Kavo-CRRe_tln84-2006.csv", "CRRe_tln84", "2006"},
        {"sld-kavo-CRRe_tln84-2006-old.CSV", "CRRe_tln84", "2006"},
        {"SLD-Kavo-CRRe-tln84_x.csv", "CRRe-tln84", "x"},
        {"SLD-Kavo-CRRe_tln84--b.csv", "CRRe_tln84", ""},
        {"SLD-Kavo-cQc_tln.csv", "cQc_tln", ""},  // one separator: the whole identifier
    };
    for (const Case& c : cases) {
        const FileNameId cut = ChartIdFromFileName(c.name);
        EXPECT_EQ(cut.id, c.id) << c.name;
        EXPECT_EQ(cut.remainder, c.remainder) << c.name;
    }
    for (const char* bad : {"Kavo-cQc_tln.csv", "SLD-Kavo-cQc_tln.txt", "SLD-Kavo-cQc.csv"}) {
        EXPECT_THROW(ChartIdFromFileName(bad), tools::DataError) << bad;
    }
}

TEST(FirstSeparatorFrom, EitherSeparatorOr5435) {
    EXPECT_EQ(FirstSeparatorFrom("ab-c_d", 1), 3u);
    EXPECT_EQ(FirstSeparatorFrom("ab_c-d", 1), 3u);
    EXPECT_EQ(FirstSeparatorFrom("ab-c_d", 4), 5u);
    EXPECT_EQ(FirstSeparatorFrom("ab-c_d", 3), 3u);
    EXPECT_EQ(FirstSeparatorFrom("abcd", 1), kNoSeparator);
    EXPECT_EQ(FirstSeparatorFrom("ab-", 4), kNoSeparator);
}

TEST(ParseTrueFalse, WordsDefaultAndError) {
    EXPECT_TRUE(ParseTrueFalse(" yes ", false, "f"));
    EXPECT_TRUE(ParseTrueFalse("True", false, "f"));
    EXPECT_FALSE(ParseTrueFalse("NO", true, "f"));
    EXPECT_FALSE(ParseTrueFalse("false", true, "f"));
    EXPECT_TRUE(ParseTrueFalse("  ", true, "f"));
    EXPECT_FALSE(ParseTrueFalse("", false, "f"));
    EXPECT_THROW(ParseTrueFalse("1", false, "f"), tools::DataError);
}

}  // namespace
}  // namespace kavo::charts
