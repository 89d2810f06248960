// The zero-load table: one entry per sounding of the run with its zero readings before and
// after the test, their shifts, and the lowest readings met below the chosen depth.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "fielddata/field_header.h"
#include "tools/null_marker.h"

namespace kavo::zeroload {

// The starting value of the lowest readings: no depth point seen yet.
inline constexpr float kNoLowestYet = 99999.0f;
// Entries are indexed by the sounding's sequence number of the run.
inline constexpr int kMaxSequence = 2000;

// One sounding's line of the zero-load table; stresses in atm, depths in ft.
struct ZeroLoadEntry {
    std::string project{tools::kNullText};
    std::string sounding{tools::kNullText};
    std::string device{tools::kNullText};
    std::string datetime{tools::kNullText};
    std::string sortKey{tools::kNullText};

    float Qc_zClean = tools::kNull;
    float Qc_zDirty = tools::kNull;
    float Qc_d_C2D = tools::kNull;
    float Qc_d_C2C = tools::kNull;
    float QcLowest = tools::kNull;
    float QcLowestDepth = tools::kNull;
    float QcLowestRatio = tools::kNull;
    float QcLowestVes = tools::kNull;
    float QcLowestFr = tools::kNull;

    float fs_zClean = tools::kNull;
    float fs_zDirty = tools::kNull;
    float fs_d_C2D = tools::kNull;
    float fs_d_C2C = tools::kNull;
    float fsLowest = tools::kNull;
    float fsLowestDepth = tools::kNull;
    float fsLowestRatio = tools::kNull;
    float fsLowestVes = tools::kNull;
    float fsLowestQc1 = tools::kNull;
};

// "Device=" + device + "...Datetime=" + datetime + "...CPT=" + sounding: the order of the
// written table.
std::string SortKeyOf(const ZeroLoadEntry& entry);

// The entries of sequences 0 to kMaxSequence.
class ZeroLoadTable {
  public:
    ZeroLoadTable() : entries_(kMaxSequence + 1) {}

    // The entry of a sequence; throws DataError "ZL201" for a sequence outside 0 to
    // kMaxSequence, naming `sounding`.
    ZeroLoadEntry& at(int sequence, std::string_view sounding);
    const ZeroLoadEntry& at(int sequence, std::string_view sounding) const;

  private:
    std::vector<ZeroLoadEntry> entries_;
};

// Starts the entry of one sounding from the header just read: project, sounding, device and
// date, the cone and sleeve zeros before and after the test in atm, and the lowest
// readings at kNoLowestYet. Everything else of an earlier use of the entry is cleared.
void StartZeroLoadEntry(ZeroLoadTable& table, int sequence, std::string_view projectName,
                        const fielddata::FieldHeader& header);
// The same for an entry kept apart (a sounding computed on its own) until it joins the table.
void StartZeroLoadEntry(ZeroLoadEntry& entry, std::string_view projectName,
                        const fielddata::FieldHeader& header);

}  // namespace kavo::zeroload
