// Starting the zero-load entry of a sounding from its field data file header.
#include "zeroload/zero_load_table.h"

#include "tools/errors.h"

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
    StartZeroLoadEntry(table.at(sequence, header.soundingName), projectName, header);
}

void StartZeroLoadEntry(ZeroLoadEntry& entry, std::string_view projectName,
                        const fielddata::FieldHeader& header) {
    entry = ZeroLoadEntry{};
    entry.project = std::string(projectName);
    entry.sounding = header.soundingName;
    entry.device = header.probeId;
    entry.datetime = header.fieldDate;
    entry.Qc_zClean = header.zeros.qcBefore;
    entry.Qc_zDirty = header.zeros.qcAfter;
    entry.fs_zClean = header.zeros.fsBefore;
    entry.fs_zDirty = header.zeros.fsAfter;
    entry.sortKey = SortKeyOf(entry);
    entry.QcLowest = kNoLowestYet;
    entry.fsLowest = kNoLowestYet;
}

}  // namespace kavo::zeroload
