// Starting a sounding's zero-load entry from its field data file header.
#include <gtest/gtest.h>

#include <string>

#include "fielddata/field_header.h"
#include "tools/errors.h"
#include "zeroload/zero_load_table.h"

namespace kavo::zeroload {
namespace {

fielddata::FieldHeader HeaderWithZeros() {
    fielddata::FieldHeader header;
    header.soundingName = "KV-01";
    header.probeId = "HT-15T-0412";
    header.fieldDate = "20170710~150509-local";
    header.tip = {.scale = 0.1f, .zeroBefore = 100.0f, .zeroAfter = 104.0f};
    header.friction = {.scale = 0.01f, .zeroBefore = 200.0f, .zeroAfter = 197.0f};
    return header;
}

TEST(StartZeroLoadEntry, ZerosInAtmosphereFromCalibrationAndZeroReadings) {
    ZeroLoadTable table;
    StartZeroLoadEntry(table, 3, "ExampleOne", HeaderWithZeros());
    const ZeroLoadEntry& entry = table.at(3, "KV-01");
    EXPECT_EQ(entry.project, "ExampleOne");
    EXPECT_EQ(entry.sounding, "KV-01");
    EXPECT_EQ(entry.device, "HT-15T-0412");
    EXPECT_EQ(entry.datetime, "20170710~150509-local");
    EXPECT_EQ(entry.sortKey, "Device=HT-15T-0412...Datetime=20170710~150509-local...CPT=KV-01");
    // 0.95 atm/tsf × zero counts × 0.01044 × scale, as a depth row converts counts.
    EXPECT_NEAR(entry.Qc_zClean, 0.95 * 100 * 0.01044 * 0.1, 1e-7);
    EXPECT_NEAR(entry.Qc_zDirty, 0.95 * 104 * 0.01044 * 0.1, 1e-7);
    EXPECT_NEAR(entry.fs_zClean, 0.95 * 200 * 0.01044 * 0.01, 1e-8);
    EXPECT_NEAR(entry.fs_zDirty, 0.95 * 197 * 0.01044 * 0.01, 1e-8);
    EXPECT_EQ(entry.QcLowest, kNoLowestYet);
    EXPECT_EQ(entry.fsLowest, kNoLowestYet);
    EXPECT_EQ(entry.Qc_d_C2D, tools::kNull);
    EXPECT_EQ(entry.QcLowestRatio, tools::kNull);
}

TEST(StartZeroLoadEntry, MissingZerosOrScalesStayMissing) {
    fielddata::FieldHeader header = HeaderWithZeros();
    header.tip.zeroAfter = std::nullopt;
    header.friction.scale = std::nullopt;
    ZeroLoadTable table;
    StartZeroLoadEntry(table, 1, "P", header);
    const ZeroLoadEntry& entry = table.at(1, "KV-01");
    EXPECT_NEAR(entry.Qc_zClean, 0.09918, 1e-7);
    EXPECT_EQ(entry.Qc_zDirty, tools::kNull);
    EXPECT_EQ(entry.fs_zClean, tools::kNull);
    EXPECT_EQ(entry.fs_zDirty, tools::kNull);
}

TEST(StartZeroLoadEntry, ARestartedEntryKeepsNothingOfItsEarlierUse) {
    ZeroLoadTable table;
    StartZeroLoadEntry(table, 1, "P", HeaderWithZeros());
    ZeroLoadEntry& entry = table.at(1, "KV-01");
    entry.QcLowest = 3.5f;
    entry.QcLowestDepth = 12.0f;
    entry.fsLowestQc1 = 40.0f;
    StartZeroLoadEntry(table, 1, "P", HeaderWithZeros());
    EXPECT_EQ(entry.QcLowest, kNoLowestYet);
    EXPECT_EQ(entry.QcLowestDepth, tools::kNull);
    EXPECT_EQ(entry.fsLowestQc1, tools::kNull);
}

TEST(ZeroLoadTable, HoldsSequencesZeroToTwoThousand) {
    ZeroLoadTable table;
    StartZeroLoadEntry(table, 0, "P", HeaderWithZeros());
    StartZeroLoadEntry(table, kMaxSequence, "P", HeaderWithZeros());
    EXPECT_EQ(table.at(kMaxSequence, "KV-01").sounding, "KV-01");
    for (int sequence : {-1, kMaxSequence + 1}) {
        try {
            StartZeroLoadEntry(table, sequence, "P", HeaderWithZeros());
            ADD_FAILURE() << "sequence " << sequence << " was taken";
        } catch (const tools::DataError& error) {
            EXPECT_EQ(error.code(), "ZL201");
            EXPECT_EQ(error.description(),
                      "sounding KV-01 is number " + std::to_string(sequence) +
                          " of the run; one run processes at most 2000 soundings");
        }
    }
}

}  // namespace
}  // namespace kavo::zeroload
