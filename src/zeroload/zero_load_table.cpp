// Starting the zero-load entry of a sounding from its field data file header.
#include "zeroload/zero_load_table.h"

#include "fielddata/depth_readings.h"
#include "tools/errors.h"
#include "tools/units.h"

namespace kavo::zeroload {

namespace {

void CheckSequence(int sequence, std::string_view sounding) {
    if (sequence < 0 || sequence > kMaxSequence) {
        throw tools::DataError("ZL201", "sounding " + std::string(sounding) + " is number " +
                                            std::to_string(sequence) +
                                            " of the run; one run processes at most " +
                                            std::to_string(kMaxSequence) + " soundings");
    }
}

// A zero reading in atm, converted as the depth rows convert their counts.
float ZeroInAtm(std::optional<float> zeroCounts, const fielddata::ChannelCalibration& channel) {
    return fielddata::CountsToEngineering(zeroCounts, 0.0f, channel.scale,
                                          tools::UnitFactor("atm/tsf"));
}

}  // namespace

std::string SortKeyOf(const ZeroLoadEntry& entry) {
    return "Device=" + entry.device + "...Datetime=" + entry.datetime + "...CPT=" + entry.sounding;
}

ZeroLoadEntry& ZeroLoadTable::at(int sequence, std::string_view sounding) {
    CheckSequence(sequence, sounding);
    return entries_[static_cast<std::size_t>(sequence)];
}

const ZeroLoadEntry& ZeroLoadTable::at(int sequence, std::string_view sounding) const {
    CheckSequence(sequence, sounding);
    return entries_[static_cast<std::size_t>(sequence)];
}

void StartZeroLoadEntry(ZeroLoadTable& table, int sequence, std::string_view projectName,
                        const fielddata::FieldHeader& header) {
    ZeroLoadEntry& entry = table.at(sequence, header.soundingName);
    entry = ZeroLoadEntry{};
    entry.project = std::string(projectName);
    entry.sounding = header.soundingName;
    entry.device = header.probeId;
    entry.datetime = header.fieldDate;
    entry.Qc_zClean = ZeroInAtm(header.tip.zeroBefore, header.tip);
    entry.Qc_zDirty = ZeroInAtm(header.tip.zeroAfter, header.tip);
    entry.fs_zClean = ZeroInAtm(header.friction.zeroBefore, header.friction);
    entry.fs_zDirty = ZeroInAtm(header.friction.zeroAfter, header.friction);
    entry.sortKey = SortKeyOf(entry);
    entry.QcLowest = kNoLowestYet;
    entry.fsLowest = kNoLowestYet;
}

}  // namespace kavo::zeroload
