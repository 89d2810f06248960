// The GEF, AGS4 and plain CSV readers and the finding of a sounding's file: public sample
// files of tests/data/fielddata (values read off the files by hand, see its README), and
// broken files for every data error of the readers.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "fielddata/exchange_values.h"
#include "fielddata/field_data_file.h"
#include "fielddata/field_file_finder.h"
#include "fielddata/gef_file.h"
#include "support/data_error.h"
#include "support/recording_window.h"
#include "support/temp_dir.h"
#include "tools/errors.h"
#include "tools/format_fixed.h"
#include "tools/number_text.h"
#include "tools/units.h"

namespace kavo::fielddata {
namespace {

constexpr double kAtmPerMpa = 9.86923;
constexpr double kAtmPerKpa = 9.86923 / 1000;
constexpr double kFeetPerMetre = 3.28084;
constexpr float kMissing = tools::kNull;
constexpr double kNoDepth = -1.0;

class ExchangeFormatsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        reporter.OpenTrace(std::make_unique<std::ostringstream>());
        area.root = dir.text();
    }

    // Puts a file into the project's soundings folder.
    void Place(const std::string& fileName, const std::string& bytes) {
        dir.Write("Projects/ExampleOne/Soundings/" + fileName, bytes);
    }
    void PlaceSample(const std::string& sample, const std::string& fileName) {
        Place(fileName, testing::ReadFile(testing::TestDataPath("data/fielddata/" + sample)));
    }
    void Read(const std::string& soundingName) {
        ReadFieldDataFile(reporter, area, soundingName, header, readings);
    }
    std::pair<std::string, std::string> ErrorReading(const std::string& soundingName) {
        return testing::CodeAndDescriptionOf([&] { Read(soundingName); });
    }

    testing::TempDir dir;
    testing::RecordingWindow window;
    platform::FileNumbers numbers;
    reporting::Reporter reporter{window, numbers};
    files::DataArea area;
    FieldHeader header;
    SoundingReadings readings;
};

// One reading as the file gives it, in the file's units (m and MPa unless a case says).
struct FileReading {
    std::size_t index;
    double depthM;
    float qc, fs, u2, qt, xInclination, yInclination;
};

void ExpectReading(const SoundingReadings& readings, const FileReading& expected,
                   double stressFactor) {
    SCOPED_TRACE("reading " + std::to_string(expected.index));
    ASSERT_LT(expected.index, readings.size());
    const std::size_t i = expected.index;
    if (expected.depthM == kNoDepth) {
        EXPECT_EQ(readings.depth[i], kMissing);
    } else {
        EXPECT_NEAR(readings.depth[i], expected.depthM * kFeetPerMetre, 1e-5);
    }
    const auto expectStress = [stressFactor](float actual, float inFile) {
        if (inFile == kMissing) {
            EXPECT_EQ(actual, kMissing);
        } else {
            EXPECT_NEAR(actual, inFile * stressFactor, 1e-5 + 1e-6 * std::fabs(actual));
        }
    };
    expectStress(readings.qc[i], expected.qc);
    expectStress(readings.fs[i], expected.fs);
    expectStress(readings.u2[i], expected.u2);
    expectStress(readings.qt[i], expected.qt);
    EXPECT_FLOAT_EQ(readings.xInclination[i], expected.xInclination);
    EXPECT_FLOAT_EQ(readings.yInclination[i], expected.yInclination);
    EXPECT_EQ(readings.frictionRatio[i], kMissing);
}

TEST_F(ExchangeFormatsTest, GefWithQtColumnVoidsAndCorrectedDepth) {
    PlaceSample("cpt-pygef.gef", "CPTU17.gef");
    Read("CPTU17");
    EXPECT_EQ(header.fileName, "CPTU17.gef");
    EXPECT_EQ(header.soundingName, "CPTU17");
    EXPECT_EQ(header.soundingNameInFile, "CPTU17.8 + 83BITE");
    EXPECT_EQ(header.firm, "Mos Grondmechanica B.V");
    EXPECT_EQ(header.probeId, "S10-CFIIP.1721");
    EXPECT_EQ(header.fieldDate, "20190129~104350-local");
    EXPECT_EQ(header.coordinateSystem, "31000");
    EXPECT_DOUBLE_EQ(header.easting, 79578.38);
    EXPECT_DOUBLE_EQ(header.northing, 424838.97);
    EXPECT_EQ(header.heightSystem, "31000");
    EXPECT_NEAR(header.groundLevelFeet, -0.09 * kFeetPerMetre, 1e-6);
    EXPECT_FLOAT_EQ(header.netAreaRatio, 0.8f);
    EXPECT_EQ(header.predrilledDepthFeet, 0.0f);
    EXPECT_EQ(header.qtRule, QtRule::FromFile);
    EXPECT_NEAR(header.zeros.qcBefore, -0.257 * kAtmPerMpa, 1e-6);
    EXPECT_NEAR(header.zeros.qcAfter, -0.245 * kAtmPerMpa, 1e-6);
    EXPECT_NEAR(header.zeros.fsBefore, -0.015 * kAtmPerMpa, 1e-6);
    EXPECT_NEAR(header.zeros.fsAfter, -0.016 * kAtmPerMpa, 1e-6);
    // #LASTSCAN= 1004; depth from the corrected depth (quantity 11), not the length.
    EXPECT_EQ(readings.size(), 1004u);
    EXPECT_EQ(header.readingCount, 1004);
    for (const FileReading& row : {
             FileReading{0, 0.0, kMissing, kMissing, kMissing, kMissing, kMissing, kMissing},
             FileReading{1, 0.010, 0.013f, 0.002f, 0.000f, 0.013f, -0.934f, 0.522f},
             FileReading{1003, 20.004, 14.766f, kMissing, 0.209f, 14.808f, 7.382f, 4.370f},
         }) {
        ExpectReading(readings, row, kAtmPerMpa);
    }
}

// The Dutch subsurface register's export: long unit names ("MPa (megaPascal)", "m (meter)"),
// a void of its own per column, inclinations as quantities 21 and 22, no u2 and no qt.
TEST_F(ExchangeFormatsTest, GefOfTheRegisterWithLongUnitsAndVoidsPerColumn) {
    PlaceSample("CPT000000063044_IMBRO_A.gef", "CPT000000063044.GEF");
    Read("CPT000000063044");
    EXPECT_EQ(header.soundingNameInFile, "CPT000000063044");
    EXPECT_EQ(header.firm, "uitvoerder onderzoek");
    EXPECT_EQ(header.probeId, "F7.5CKE2HA/B-1701-2344");
    EXPECT_EQ(header.fieldDate, "20110629~000000-local");  // #STARTTIME= -, -, -
    EXPECT_EQ(header.coordinateSystem, "28992");
    EXPECT_DOUBLE_EQ(header.easting, 109026.7);
    EXPECT_DOUBLE_EQ(header.northing, 433341.1);
    EXPECT_NEAR(header.groundLevelFeet, -1.59 * kFeetPerMetre, 1e-5);
    EXPECT_FLOAT_EQ(header.netAreaRatio, 0.58f);
    EXPECT_EQ(header.qtRule, QtRule::EqualsQc);
    EXPECT_NEAR(header.zeros.qcBefore, 0.693 * kAtmPerMpa, 1e-5);
    EXPECT_NEAR(header.zeros.qcAfter, 0.696 * kAtmPerMpa, 1e-5);
    EXPECT_NEAR(header.zeros.fsBefore, 0.007 * kAtmPerMpa, 1e-6);
    EXPECT_NEAR(header.zeros.fsAfter, 0.008 * kAtmPerMpa, 1e-6);
    // #LASTSCAN= 1752; fs void (9.999) in the first five rows and the last five; the depth is
    // the corrected depth (column 3), 34.850 m in the last two rows at lengths 35.000 and
    // 35.010 m.
    ASSERT_EQ(readings.size(), 1752u);
    for (const FileReading& row : {
             FileReading{0, 0.0, 0.356f, kMissing, kMissing, 0.356f, kMissing, kMissing},
             FileReading{4, 0.080, 1.098f, kMissing, kMissing, 1.098f, kMissing, kMissing},
             FileReading{5, 0.100, 1.278f, 0.038f, kMissing, 1.278f, kMissing, kMissing},
             FileReading{1746, 34.770, 12.889f, 0.133f, kMissing, 12.889f, kMissing, kMissing},
             FileReading{1751, 34.850, 11.190f, kMissing, kMissing, 11.190f, kMissing, kMissing},
         }) {
        ExpectReading(readings, row, kAtmPerMpa);
    }
}

TEST_F(ExchangeFormatsTest, GefWithoutQtOrU2KeepsQcAsQt) {
    PlaceSample("cpt2-pygef.gef", "WN-2.GEF");
    Read("wn-2");
    EXPECT_EQ(header.fileName, "WN-2.GEF");
    EXPECT_EQ(header.firm, "Waternet");
    EXPECT_EQ(header.fieldDate, "20210503~095900-local");
    EXPECT_FLOAT_EQ(header.netAreaRatio, 0.8f);
    EXPECT_NEAR(header.predrilledDepthFeet, 2.0 * kFeetPerMetre, 1e-5);
    EXPECT_EQ(header.qtRule, QtRule::EqualsQc);
    EXPECT_NEAR(header.zeros.qcBefore, -0.144303 * kAtmPerMpa, 1e-6);
    EXPECT_NEAR(header.zeros.fsAfter, 0.000885 * kAtmPerMpa, 1e-7);
    ASSERT_EQ(readings.size(), 1039u);
    for (const FileReading& row : {
             FileReading{1, 0.01, 0.0140f, 0.0f, kMissing, 0.0140f, -2.7778f, 1.1049f},
             FileReading{1038, 10.38, 12.6132f, 0.0695f, kMissing, 12.6132f, -0.5754f, -0.2144f},
         }) {
        ExpectReading(readings, row, kAtmPerMpa);
    }
}

TEST_F(ExchangeFormatsTest, GefSeparatedByBlanksWithVoidsWrittenWithExponents) {
    PlaceSample("example-pygef.gef", "S04.gef");
    Read("S04");
    EXPECT_EQ(header.soundingNameInFile, "S04");
    EXPECT_EQ(header.firm, "BAM Infratechniek");
    EXPECT_EQ(header.probeId, "CFI");
    EXPECT_EQ(header.fieldDate, "20130316~121200-local");
    EXPECT_NEAR(header.groundLevelFeet, 3.056 * kFeetPerMetre, 1e-5);
    EXPECT_NEAR(header.predrilledDepthFeet, 6.0 * kFeetPerMetre, 1e-5);
    EXPECT_NEAR(header.zeros.qcBefore, 17.607315 * kAtmPerMpa, 1e-4);
    // Void 9999.000000 is written 9.9990e+003 in the rows: missing, never a reading. The
    // corrected depth, written negative (-6.019), is the depth.
    ASSERT_EQ(readings.size(), 1484u);
    for (const FileReading& row : {
             FileReading{0, kNoDepth, kMissing, kMissing, kMissing, kMissing, kMissing, kMissing},
             FileReading{301, 6.019, 16.72f, 0.099f, kMissing, 16.72f, 0.3f, -1.6f},
         }) {
        ExpectReading(readings, row, kAtmPerMpa);
    }
}

TEST_F(ExchangeFormatsTest, AgsTestThatStartsDownABorehole) {
    PlaceSample("N6016_BH_WFS1-5_AGS4_150909.ags", "WFS1-5.ags");
    Read("BH-WFS1-5");  // the location's one test
    EXPECT_EQ(header.fileName, "WFS1-5.ags");
    EXPECT_EQ(header.soundingNameInFile, "BH-WFS1-5#SCPT01");
    EXPECT_EQ(header.probeId, "CP10-CF50PB10SN2 1706-1973");
    EXPECT_EQ(header.firm, "FEBV");
    EXPECT_EQ(header.fieldDate, "20150413~000000");
    EXPECT_DOUBLE_EQ(header.easting, 505921.81);
    EXPECT_DOUBLE_EQ(header.northing, 5730104.52);
    EXPECT_EQ(header.groundLevelFeet, kMissing);
    EXPECT_FLOAT_EQ(header.netAreaRatio, 0.75f);
    EXPECT_EQ(header.qtRule, QtRule::FromFile);
    EXPECT_EQ(header.zeros.qcBefore, kMissing);
    ASSERT_EQ(readings.size(), 68u);
    // SCPT_RES and SCPT_QT in MN/m2, SCPT_FRES and SCPT_PWP2 in kN/m2.
    ExpectReading(readings, {0, 3.00, 0.298f, kMissing, kMissing, 0.307f, kMissing, kMissing},
                  kAtmPerMpa);
    EXPECT_NEAR(readings.fs[29], 95.902 * kAtmPerKpa, 1e-6);
    EXPECT_NEAR(readings.u2[29], 34.7 * kAtmPerKpa, 1e-6);
    EXPECT_NEAR(readings.qt[29], 15.362 * kAtmPerMpa, 3e-5);  // two units in the last place
    EXPECT_NEAR(readings.depth[67], 4.34 * kFeetPerMetre, 1e-5);
}

TEST_F(ExchangeFormatsTest, AgsTestsOfABoreholeNamedLocationAndTest) {
    PlaceSample("N6016_BH_WFS1-2A_AGS4_150909.ags", "N6016_WFS1-2A.AGS");
    Read("BH-WFS1-2A#CPT02");
    EXPECT_EQ(header.soundingNameInFile, "BH-WFS1-2A#CPT02");
    ASSERT_EQ(readings.size(), 144u);
    EXPECT_NEAR(readings.depth[0], 14.00 * kFeetPerMetre, 1e-5);
    Read("BH-WFS1-2A#CPT01");
    ASSERT_EQ(readings.size(), 144u);
    EXPECT_NEAR(readings.depth[0], 10.00 * kFeetPerMetre, 1e-5);
    EXPECT_NEAR(readings.depth[143], 12.86 * kFeetPerMetre, 1e-5);
}

TEST_F(ExchangeFormatsTest, CsvWithUnitsInBracketsAndEmptyCells) {
    Place("P-1.csv",
          "depth [m], qc [MPa], fs [kPa], u2 [kPa], inclination x [deg]\r\n"
          "0.00,,,,\r\n"
          "0.02,1.25,15.5,-2.0,0.4\r\n"
          "0.04,5435,20,,0.5\n");
    Read("P-1");
    EXPECT_EQ(header.fileName, "P-1.csv");
    EXPECT_EQ(header.qtRule, QtRule::EqualsQc);
    ASSERT_EQ(readings.size(), 3u);
    EXPECT_EQ(readings.qc[0], kMissing);
    EXPECT_EQ(readings.depth[0], 0.0f);
    EXPECT_NEAR(readings.qc[1], 1.25 * kAtmPerMpa, 1e-6);
    EXPECT_NEAR(readings.fs[1], 15.5 * kAtmPerKpa, 1e-7);
    EXPECT_NEAR(readings.u2[1], -2.0 * kAtmPerKpa, 1e-7);
    EXPECT_FLOAT_EQ(readings.xInclination[1], 0.4f);
    EXPECT_EQ(readings.yInclination[1], kMissing);
    // A real reading of 5435 is kept; only an empty cell is no value.
    EXPECT_NEAR(readings.qc[2], 5435 * kAtmPerMpa, 1e-2);
    EXPECT_EQ(readings.u2[2], kMissing);
}

TEST_F(ExchangeFormatsTest, CorrectedConeResistanceByTheRuleTheFileAllows) {
    // qt column: taken as given.
    Place("Q-1.CSV", "depth [m],qc [MPa],fs [kPa],u2 [kPa],qt [MPa]\n1.0,2.0,10,100,2.5\n");
    Read("Q-1");
    EXPECT_EQ(header.qtRule, QtRule::FromFile);
    EXPECT_NEAR(readings.qt[0], 2.5 * kAtmPerMpa, 1e-5);
    EXPECT_EQ(QtRuleText(header), "qt as given in the field data file");

    // Net area ratio and u2: qt = qc + u2 (1 - a).
    Place("Q-2.gef",
          "#GEFID= 1, 1, 0\n#COLUMN= 4\n#COLUMNINFO= 1, m (meter), penetration length, 1\n"
          "#COLUMNINFO= 2, MPa (megaPascal), cone resistance, 2\n"
          "#COLUMNINFO= 3, MPa, sleeve friction, 3\n#COLUMNINFO= 4, kPa, u2, 6\n"
          "#COLUMNVOID= 2, 999.999\n#COLUMNVOID= 3, 9.999\n#COLUMNVOID= 4, 99\n"
          "#MEASUREMENTVAR= 3, 0.7, -, net area ratio\n#EOH=\n"
          "1.00 2.000 0.010 100\n1.02 999.999 9.999 99\n");
    Read("Q-2");
    EXPECT_EQ(header.qtRule, QtRule::AreaRatio);
    ASSERT_EQ(readings.size(), 2u);
    EXPECT_NEAR(readings.qt[0], 2.0 * kAtmPerMpa + 100 * kAtmPerKpa * 0.3, 1e-5);
    EXPECT_EQ(readings.qc[1], kMissing);
    EXPECT_EQ(readings.fs[1], kMissing);
    EXPECT_EQ(readings.u2[1], kMissing);
    EXPECT_EQ(readings.qt[1], kMissing);
    EXPECT_EQ(QtRuleText(header),
              "qt = qc + u2 (1 - a), net area ratio a = 0.7 from the field data file");

    // u2 without the area ratio: qt = qc.
    Place("Q-3.csv", "depth [m],qc [MPa],fs [kPa],u2 [kPa]\n1.0,2.0,10,100\n");
    Read("Q-3");
    EXPECT_EQ(header.qtRule, QtRule::EqualsQc);
    EXPECT_EQ(readings.qt[0], readings.qc[0]);
}

struct BrokenFile {
    std::string fileName;
    std::string bytes;
    std::string code;
    std::string messagePart;
};

const std::string kGefHead =
    "#GEFID= 1, 1, 0\n#COLUMN= 3\n#COLUMNINFO= 1, m, length, 1\n#COLUMNINFO= 2, MPa, qc, 2\n"
    "#COLUMNINFO= 3, MPa, fs, 3\n#COLUMNSEPARATOR= ;\n#RECORDSEPARATOR= !\n#EOH=\n";
const std::string kAgsHead =
    "\"GROUP\",\"SCPG\"\n\"HEADING\",\"LOCA_ID\",\"SCPG_TESN\",\"SCPG_CAR\"\n"
    "\"UNIT\",\"\",\"\",\"\"\n\"DATA\",\"B-1\",\"1\",\"0.8\"\n\n"
    "\"GROUP\",\"SCPT\"\n\"HEADING\",\"LOCA_ID\",\"SCPG_TESN\",\"SCPT_DPTH\",\"SCPT_RES\"\n";
const std::string kCsvHead = "depth [m],qc [MPa],fs [kPa]\n";

class BrokenExchangeFile : public ExchangeFormatsTest,
                           public ::testing::WithParamInterface<BrokenFile> {};

TEST_P(BrokenExchangeFile, IsADataErrorNamingFileAndLine) {
    const BrokenFile& broken = GetParam();
    Place(broken.fileName, broken.bytes);
    const std::size_t dot = broken.fileName.find('.');
    const std::string sounding =
        broken.fileName.ends_with(".ags") ? "B-1#1" : broken.fileName.substr(0, dot);
    const auto [code, description] = ErrorReading(sounding);
    EXPECT_EQ(code, broken.code);
    EXPECT_NE(description.find(broken.messagePart), std::string::npos) << description;
}

INSTANTIATE_TEST_SUITE_P(
    EveryReaderError, BrokenExchangeFile,
    ::testing::Values(
        BrokenFile{"G.gef", "#GEFID= 1, 1, 0\n#COLUMNINFO= 1, m, length, 1\n0.0 1.0\n", "GEF101",
                   "G.gef ends after line 3 without #EOH"},
        BrokenFile{"G.gef", "#GEFID= 1, 1, 0\n#COLUMNINFO= 1, m, length\n#EOH=\n", "GEF102",
                   "G.gef line 2: #COLUMNINFO needs"},
        BrokenFile{"G.gef", "#COLUMNINFO= 1, m, length, 1\n#COLUMNVOID= 1\n#EOH=\n", "GEF102",
                   "G.gef line 2: #COLUMNVOID needs"},
        BrokenFile{"G.gef", "#COLUMNINFO= 1, MPa, qc, 2\n#EOH=\n1.0\n", "GEF103",
                   "G.gef: no depth column"},
        BrokenFile{"G.gef", kGefHead + "0.00;1.0;0.01;!\n0.02;1.1;!\n", "GEF104",
                   "G.gef line 10: the row has 2 cells; the header describes 3 columns"},
        BrokenFile{"G.gef", kGefHead + "0.00;1.0;n/a;!\n", "GEF105",
                   "G.gef line 9: column 3 holds `n/a`"},
        BrokenFile{"G.gef", "#COLUMNINFO= 1, m, length, 1\n#COLUMNINFO= 2, kgf/cm2, qc, 2\n#EOH=\n",
                   "GEF106", "unit `kgf/cm2` of quantity 2"},
        BrokenFile{"G.gef", "#COLUMNINFO= 1, cm, length, 1\n#EOH=\n", "GEF106", "depth unit `cm`"},
        BrokenFile{"G.gef", kGefHead + "0.50;1.0;0.01;!\n0.40;1.0;0.01;!\n", "GEF107",
                   "G.gef line 10: the depth 1.312336 ft lies above"},
        BrokenFile{"C.csv", "\n\n", "CSV101", "C.csv has no header row"},
        BrokenFile{"C.csv", "depth [m],qc [MPa],friction [kPa]\n", "CSV102",
                   "C.csv line 1: the header cell `friction [kPa]` names no quantity"},
        BrokenFile{"C.csv", "depth [m],qc [MPa],qc [kPa]\n", "CSV102",
                   "names a quantity that an earlier cell names"},
        BrokenFile{"C.csv", "depth [m],qc [MPa]\n", "CSV103", "needs the columns depth, qc and fs"},
        BrokenFile{"C.csv", kCsvHead + "1.0,2.0\n", "CSV104",
                   "C.csv line 2: the row has 2 cells; the header row names 3"},
        BrokenFile{"C.csv", kCsvHead + "1.0,2.0,abc\n", "CSV105",
                   "C.csv line 2: cell 3 holds `abc`"},
        BrokenFile{"C.csv", "depth [m],qc [tsf],fs [kPa]\n", "CSV106",
                   "cannot convert the unit `tsf` of `qc [tsf]`"},
        BrokenFile{"C.csv", "depth,qc [MPa],fs [kPa]\n", "CSV106", "unit `` of `depth`"},
        BrokenFile{"C.csv", kCsvHead + "1.0,2.0,3\n0.5,2.0,3\n", "CSV107", "C.csv line 3"},
        BrokenFile{"B.ags",
                   kAgsHead + "\"UNIT\",\"\",\"\",\"m\",\"MPa\"\n\"DATA\",\"B-1\",\"1\",\"1.0\"\n",
                   "AGS101",
                   "B.ags line 9: the DATA row of group SCPT has 3 cells; its HEADING row has 4"},
        BrokenFile{"B.ags", "\"HEADING\",\"LOCA_ID\"\n", "AGS102",
                   "B.ags line 1: a `HEADING` row before its GROUP"},
        BrokenFile{"B.ags", kAgsHead + "\"ROW\",\"B-1\",\"1\",\"1.0\",\"2.0\"\n", "AGS102",
                   "`ROW` is no AGS4 row kind"},
        BrokenFile{"B.ags",
                   kAgsHead.substr(0, kAgsHead.rfind("\"HEADING\"")) +
                       "\"HEADING\",\"LOCA_ID\",\"SCPG_TESN\",\"SCPT_RES\"\n"
                       "\"DATA\",\"B-1\",\"1\",\"2.0\"\n",
                   "AGS103", "B.ags line 8: the SCPT group has no SCPT_DPTH"},
        BrokenFile{
            "B.ags",
            kAgsHead + "\"UNIT\",\"\",\"\",\"m\",\"MPa\"\n\"DATA\",\"B-1\",\"1\",\"1.0\",\"x\"\n",
            "AGS104", "B.ags line 9: SCPT_RES holds `x`"},
        BrokenFile{
            "B.ags",
            kAgsHead + "\"UNIT\",\"\",\"\",\"m\",\"bar\"\n\"DATA\",\"B-1\",\"1\",\"1.0\",\"2\"\n",
            "AGS105", "unit `bar` of SCPT_RES"},
        BrokenFile{"B.ags",
                   kAgsHead +
                       "\"UNIT\",\"\",\"\",\"m\",\"MPa\"\n\"DATA\",\"B-1\",\"1\",\"2.0\",\"2\"\n"
                       "\"DATA\",\"B-1\",\"1\",\"1.0\",\"2\"\n",
                   "AGS106", "B.ags line 10: the depth 3.28084 ft lies above"},
        BrokenFile{"B.ags", kAgsHead + "\"UNIT\",\"\",\"\",\"m\",\"MPa\"\n", "AGS108",
                   "the test B-1#1 has no SCPT readings"},
        BrokenFile{"B.ags", "\"GROUP\",\"SCPG\n", "AGS110", "B.ags line 1: a quoted cell"}));

TEST_F(ExchangeFormatsTest, FindingTheFileOfASounding) {
    // No file of any kind: every name tried is named.
    const auto [noneCode, none] = ErrorReading("KV-09");
    EXPECT_EQ(noneCode, "HF404");
    EXPECT_NE(none.find("holds no KV-09.CPT, KV-09.GEF, KV-09.CSV and no *.ags file"),
              std::string::npos)
        << none;

    // Two candidates break the exactly-one-file rule.
    Place("KV-01.CPT", "HOGENTOGLER\r\n");
    Place("kv-01.gef", kGefHead);
    const auto [twoCode, two] = ErrorReading("KV-01");
    EXPECT_EQ(twoCode, "FP822");
    EXPECT_NE(two.find("holds KV-01.CPT, kv-01.gef"), std::string::npos) << two;

    // An AGS4 test named in none of the *.ags files, and a location with several tests.
    PlaceSample("N6016_BH_WFS1-2A_AGS4_150909.ags", "a.ags");
    const auto [missingCode, missing] = ErrorReading("BH-WFS1-2A#CPT99");
    EXPECT_EQ(missingCode, "AGS107");
    EXPECT_NE(missing.find("the test CPT99 of location BH-WFS1-2A is in none of the *.ags files"),
              std::string::npos)
        << missing;
    EXPECT_NE(missing.find("(a.ags)"), std::string::npos);
    const auto [severalCode, several] = ErrorReading("BH-WFS1-2A");
    EXPECT_EQ(severalCode, "AGS109");
    EXPECT_NE(several.find("BH-WFS1-2A#CPT01, BH-WFS1-2A#CPT02"), std::string::npos);
    const auto [otherCode, other] = ErrorReading("BH-ELSEWHERE");
    EXPECT_EQ(otherCode, "HF404");
    EXPECT_NE(other.find("and no test of location BH-ELSEWHERE in a.ags"), std::string::npos);

    // The same test in two AGS4 files.
    PlaceSample("N6016_BH_WFS1-2A_AGS4_150909.ags", "b.ags");
    EXPECT_EQ(ErrorReading("BH-WFS1-2A#CPT01").first, "FP822");
}

TEST_F(ExchangeFormatsTest, FolderSoundingsLeaveOutputTables) {
    Place("KV-01.CPT", "x");
    Place("KV-01_Q1o.txt", "x");
    Place("KV-01_Q1o.csv", "x");
    Place("P-1.csv", "x");
    Place("S04.Gef", "x");
    PlaceSample("N6016_BH_WFS1-5_AGS4_150909.ags", "one.ags");
    std::vector<std::string> names;
    for (const FolderSounding& sounding : ListFolderSoundings(area)) {
        names.push_back(sounding.soundingName + " " + sounding.file.fileName);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"KV-01 KV-01.CPT", "P-1 P-1.csv", "S04 S04.Gef",
                                               "BH-WFS1-5 one.ags"}));
}

TEST(ExchangeValues, UnitsAsTheFilesWriteThem) {
    struct Case {
        std::string unit;
        std::optional<double> atm;
    };
    for (const Case& c :
         {Case{"MPa", kAtmPerMpa}, Case{"MPa (megaPascal)", kAtmPerMpa}, Case{" mpa ", kAtmPerMpa},
          Case{"MN/m2", kAtmPerMpa}, Case{"MN/m\u00b2", kAtmPerMpa}, Case{"N/mm2", kAtmPerMpa},
          Case{"kPa", kAtmPerKpa}, Case{"kN/m2", kAtmPerKpa}, Case{"kPa (kiloPascal)", kAtmPerKpa},
          Case{"bar", std::nullopt}, Case{"tsf", std::nullopt}, Case{"", std::nullopt}}) {
        const std::optional<ReadingUnit> unit = StressUnit(c.unit);
        ASSERT_EQ(unit.has_value(), c.atm.has_value()) << c.unit;
        if (unit) {
            EXPECT_NEAR(unit->factor, *c.atm, 1e-6) << c.unit;
        }
    }
    EXPECT_NEAR(LengthUnit("m (meter)").value().factor, kFeetPerMetre, 1e-6);
    EXPECT_EQ(LengthUnit("ft").value().factor, 1.0);
    EXPECT_FALSE(LengthUnit("cm"));
}

// "12.345" from 12345 and 3 decimals.
std::string DecimalText(int units, int decimals) {
    std::string digits = std::to_string(units);
    if (digits.size() <= static_cast<std::size_t>(decimals)) {
        digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    }
    return digits.insert(digits.size() - static_cast<std::size_t>(decimals), ".");
}

// Output columns divide by their factor and cut surplus digits, so a reading stored a unit in
// the last place low prints one unit low: every reading must print the file's digits in the
// file's unit and in the other unit of its kind. The single nearest to value x factor misprints
// 8.468 MN/m2 and 88.1 kPa; the factors 9.86923 and 1 / 101.325 misprinted most MPa readings
// in kPa (0.002 MPa as 1.9 kPa).
TEST(ExchangeValues, ReadingsPrintTheFilesDigitsInEveryUnitOfTheirKind) {
    const float perMpa = tools::UnitFactor("ATM/MPA");
    const float perKpa = tools::UnitFactor("ATM/KPA");
    const auto printed = [](float internal, float columnFactor, std::string_view mask) {
        return std::string(tools::Trim(tools::FormatFixed(internal / columnFactor, mask, false)));
    };
    const ReadingUnit mpa = StressUnit("MN/m2").value();
    const ReadingUnit kpa = StressUnit("kPa").value();
    EXPECT_EQ(printed(CellValue("8.468", mpa).value(), perMpa, "##.####"), "8.4680");
    EXPECT_EQ(printed(CellValue("0.002", mpa).value(), perKpa, "####.#"), "2.0");
    EXPECT_EQ(printed(CellValue("-0.007", mpa).value(), perKpa, "####.#"), "-7.0");
    EXPECT_EQ(printed(CellValue("88.1", kpa).value(), perMpa, "#.####"), "0.0881");
    const ReadingUnit metres = LengthUnit("m (meter)").value();
    EXPECT_EQ(printed(CellValue("34.850", metres).value(), tools::UnitFactor("FT/M"), "###.###"),
              "34.850");

    // Every reading with three decimals in MPa and one in kPa up to 20 MPa.
    std::vector<std::string> misprinted;
    for (int i = 1; i <= 20000; ++i) {
        const std::string inMpa = DecimalText(i, 3);
        const float fromMpa = CellValue(inMpa, mpa).value();
        const std::string inKpa = DecimalText(i, 1);
        const float fromKpa = CellValue(inKpa, kpa).value();
        if (printed(fromMpa, perMpa, "##.####") != inMpa + "0" ||
            printed(fromMpa, perKpa, "######.#") != std::to_string(i) + ".0" ||
            printed(fromKpa, perKpa, "######.#") != inKpa ||
            printed(fromKpa, perMpa, "##.####") != DecimalText(i, 4)) {
            misprinted.push_back(inMpa + " MPa or " + inKpa + " kPa");
        }
    }
    EXPECT_EQ(misprinted, std::vector<std::string>{});
}

TEST(ExchangeValues, TextsInLatin1OrUtf8BecomeUtf8) {
    EXPECT_EQ(AsUtf8("co\xEB"
                     "ffici\xEB"
                     "nt"),
              "co\u00EBffici\u00EBnt");                                   // ISO-8859-1
    EXPECT_EQ(AsUtf8("co\u00EBffici\u00EBnt"), "co\u00EBffici\u00EBnt");  // UTF-8 already
    EXPECT_EQ(AsUtf8("Mos B.V"), "Mos B.V");
    EXPECT_EQ(AsUtf8("\xC3"), "\u00C3");  // a cut UTF-8 sequence is Latin-1
}

TEST(ExchangeValues, GefHeaderLinesWhateverTheBlanksAroundTheEqualsSign) {
    for (const char* line : {"#COLUMNINFO= 1, m, length, 1", "#COLUMNINFO =  1,m,length,1",
                             "#columninfo=1, m ,length , 1 "}) {
        const GefHeaderLine parsed = ParseGefHeaderLine(line);
        EXPECT_TRUE(parsed.found) << line;
        EXPECT_EQ(parsed.key, "COLUMNINFO") << line;
        EXPECT_EQ(parsed.values, (std::vector<std::string>{"1", "m", "length", "1"})) << line;
    }
    EXPECT_FALSE(ParseGefHeaderLine("0.00;1.0;!").found);
    EXPECT_TRUE(ParseGefHeaderLine("#EOH=").values.empty());
}

}  // namespace
}  // namespace kavo::fielddata
