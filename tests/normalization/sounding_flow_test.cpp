// A short sounding carried through unit weight, normalisation and every kind of column, checked
// against a calculation made by hand.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "normalization/column_id.h"
#include "normalization/column_value.h"
#include "normalization/depth_step.h"
#include "normalization/stress_normalisation.h"
#include "normalization/unit_weight.h"
#include "normalization_fixture.h"
#include "synthetic_charts.h"

namespace kavo::normalization {
namespace {

struct Reading {
    float depth;
    float qc;
    float fs;
};

// Hand calculation (1 psf = 0.00047254067612811923 atm; every chart reads one value):
// water table 10 ft, 120 pcf above, 125 pcf below (buoyant 62.6 pcf).
//   5 ft:  VES = 5 x 120 = 600 psf = 0.2835244 atm
//  10 ft:  VES = 600 + 5 x 120 = 1200 psf = 0.5670488 atm (10 ft is at the water table)
//  15 ft:  VES = 1200 + 5 x 62.6 = 1513 psf = 0.7149540 atm
// The cQc chart reads 0.5: the run from 0.2 closes at the damped c = 0.4953125, so
// Q = qc / VES^0.4953125; the Qc1 column uses the chart's c = 0.5: qc / VES^0.5.
//   5 ft:  FR = 1.0 %, Q = 112.01858, Qc1 = 112.68238, Fs1 = 1.1201858
//  10 ft:  FR = 1.5 %, Q = 105.95583, Qc1 = 106.23797
//  15 ft:  FR = 2.0 %, Q = 59.040207, Qc1 = 59.133140
// UCD14 at 15 ft: Ic = sqrt((3.47 - 1.771150)^2 + (0.301030 + 1.22)^2) = 2.280270,
// FC = 80 Ic - 137 = 45.42159, dqc1N = (11.9 + 59.0402/14.6) exp(1.63 - 9.7/47.42159
// - (15.7/47.42159)^2) = 59.43693, qc1Ncs = 118.47714, CRR = 0.167924.
// Ic_RKP is the same Ic. At 5 ft: Ic = 1.872650, FC = 12.81197, qc1Ncs = 128.89216, CRR = 0.194051.
// SU1 by Nk = 15: Su = (qt - total vertical stress) / 15, over VES. 5 ft (above the water
// table): (60 - 0.2835244) / 15 = 3.981098 atm, / 0.2835244 = 14.04147. 15 ft: 5 ft of water
// head is 312 psf = 0.1474327 atm, total stress 0.8623867 atm, (50 - 0.8623867) / 15 =
// 3.275841 atm, / 0.7149540 = 4.581890.
// N1 by Q / 4.5: 24.89302, 13.12005. Vs = 600 x VES^0.25: 437.8233, 551.7226 fps.
// Qc in tsf: qc / 0.95: 63.15789, 52.63158. Depth in m: 5 / 3.2808399 = 1.524.
class SoundingFlowTest : public EngineFixture {
  protected:
    SoundingFlowTest() {
        UseConstantRequiredCharts(0.5f);
        mode = NormalisationMode::Vaski;
        sounding.method = "WT";
        sounding.waterTableDepth = 10.0f;
        sounding.unitWeightAbove = 120.0f;
        sounding.unitWeightBelow = 125.0f;
    }

    // Every depth point through the program's own per-depth step.
    std::vector<std::vector<float>> Run(const std::vector<Reading>& readings,
                                        const std::vector<std::string>& ids) {
        std::vector<ColumnSpec> columns;
        for (const std::string& id : ids) {
            columns.push_back(ParseColumnId(id));
        }
        fielddata::SoundingReadings sounding;
        for (const Reading& reading : readings) {
            fielddata::DepthReading row;
            row.depth = reading.depth;
            row.qc = reading.qc;
            row.fs = reading.fs;
            row.frictionRatio = 100.0f * reading.fs / reading.qc;
            sounding.Add(row, false, "test");
        }
        NormalisationContext context = Context();
        std::vector<std::vector<float>> rows;
        for (const ComputedDepthPoint& computed :
             ComputeSoundingPoints(context, columns, sounding)) {
            WritePointNotes(reporter, computed.result.notes);
            directions << ChartDirectionLine(computed.point, computed.result.direction) << "\r\n";
            const auto& values = computed.result.values;
            rows.emplace_back(values.begin(), values.begin() + computed.result.valueCount);
            strengthRatios.push_back(computed.point.strengthRatio);
            point = computed.point;
        }
        return rows;
    }

    std::ostringstream directions;
    std::vector<float> strengthRatios;
};

TEST_F(SoundingFlowTest, EveryColumnAgreesWithTheHandCalculation) {
    const std::vector<std::string> ids = {"Depth_ft", "Depth_M", "Qc_tsf",     "Fr_%",
                                          "Fs1",      "VES_atm", "UWT_WT_pcf", "Qc1_atm",
                                          "cQc_tln",  "Ic_RKP",  "CRRe_UCD14", "SU1_NK=15",
                                          "N1_QT/N",  "Vs1_tln", "Vs_tln_fps", "S1_tln"};
    const auto rows = Run({{5.0f, 60.0f, 0.6f}, {10.0f, 80.0f, 1.2f}, {15.0f, 50.0f, 1.0f}}, ids);
    ASSERT_EQ(rows.size(), 3u);

    const std::vector<double> at5 = {5.0,      1.524,     63.15789, 1.0,       1.1201858, 0.2835244,
                                     120.0,    112.68238, 0.5,      1.8726500, 0.194051,  14.04147,
                                     24.89302, 600.0,     437.8233, 0.28};
    const std::vector<double> at15 = {
        15.0, 4.572,     52.63158, 2.0,      1.1808041, 0.7149540, 125.0,    59.133140,
        0.5,  2.2802700, 0.167924, 4.581890, 13.12005,  600.0,     551.7226, 0.28};
    for (std::size_t i = 0; i < ids.size(); ++i) {
        EXPECT_NEAR(rows[0][i], at5[i], 3e-6 * at5[i] + 2e-6) << ids[i] << " at 5 ft";
        EXPECT_NEAR(rows[2][i], at15[i], 3e-6 * at15[i] + 2e-6) << ids[i] << " at 15 ft";
    }
    EXPECT_NEAR(rows[1][5], 0.5670488, 1e-6);  // VES at 10 ft
    EXPECT_NEAR(rows[1][7], 106.23797, 3e-4);  // Qc1 at 10 ft
    EXPECT_EQ(point.vesAccumulatedPsf, 1513.0f);
    EXPECT_EQ(reporter.issueCount(), 0) << LogText();
    ASSERT_EQ(strengthRatios.size(), 3u);
    for (float ratio : strengthRatios) {
        EXPECT_FLOAT_EQ(ratio, 0.28f);  // the S1 chart at each point
    }

    // One direction line per point; the one-valued chart has no YXC reading.
    std::istringstream lines(directions.str());
    std::string first;
    std::getline(lines, first);
    EXPECT_EQ(first, " 1.0000,  112.018,      0.5000,  _________,  _____, %   Delta/xyc   cQc \r");
    int count = 1;
    for (std::string line; std::getline(lines, line);) {
        ++count;
    }
    EXPECT_EQ(count, 3);
}

TEST_F(SoundingFlowTest, ReadingsWithoutFrictionGiveMissingColumnsWithoutError) {
    const auto rows = Run({{5.0f, 60.0f, 0.0f}}, {"Qc1_atm", "Fr_%", "CRRe_UCD14"});
    for (float value : rows[0]) {
        EXPECT_EQ(value, -5435.0f);
    }
    EXPECT_EQ(point.ves, 600.0f * 0.00047254067612811923f);
}

}  // namespace
}  // namespace kavo::normalization
