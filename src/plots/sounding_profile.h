// A sounding's per-depth results as the pictures read them: one depth series and one series per
// quantity (missing values as NaN, so a line breaks there), with the facts of its title block.
#pragma once

#include <string>
#include <vector>

#include "fielddata/depth_readings.h"
#include "fielddata/field_header.h"
#include "normalization/normalisation_context.h"
#include "output/column_table.h"
#include "projects/soundings_database.h"
#include "reporting/reporter.h"

namespace kavo::plots {

enum class Quantity {
    Qc,             // cone resistance, atm
    Qt,             // corrected cone resistance, atm
    Fs,             // sleeve friction, atm
    FrictionRatio,  // %, as the normalisation leaves it (the chart lookups' FR)
    U2,             // pore pressure, atm
    Hydrostatic,    // pore pressure of still water below the water table, atm
    NormalisedQ,    // Q, normalised cone resistance
    Ic,             // soil behaviour type index
    ExponentC,      // stress-normalisation exponent c
    UnitWeight,     // total unit weight, pcf
    Ves,            // vertical effective stress, atm
    Crr,            // cyclic resistance ratio, one series per method
    Su,             // undrained shear strength, in the column's unit
    N1,             // normalised blow count
    Vs1,            // normalised shear-wave velocity, in the column's unit
};

struct ProfileSeries {
    Quantity quantity;
    std::string label;           // "qc", "CRRe_UCB06", ...
    std::string unit;            // "atm", "%", "psf", "" for none
    std::vector<double> values;  // one per depth; NaN where missing
    std::string mask;            // its table column's print mask; empty when it has no column
};

// The title block of a sounding page.
struct SoundingFacts {
    std::string project;
    std::string sounding;
    std::string date;         // as the field file gives it
    std::string probe;        // probe and serial number
    std::string position;     // "38.56120 N, 121.74630 W", or "not known"
    double latitude = 0;      // degrees; NaN when not known
    double longitude = 0;     // degrees; NaN when not known
    double waterTableFt = 0;  // NaN when not known
    std::string unitWeightMethod;
    std::string normalisation;
};

struct SoundingProfile {
    SoundingFacts facts;
    std::vector<double> depthFt;
    std::vector<ProfileSeries> series;

    // The first series of the quantity, or nullptr.
    const ProfileSeries* Find(Quantity quantity) const;
    // Every series of the quantity, in the order they were added.
    std::vector<const ProfileSeries*> FindAll(Quantity quantity) const;
};

// What one sounding's computation reads: the run's tables and the sounding's own inputs.
struct ProfileInputs {
    const charts::ChartTable& charts;
    normalization::NormalisationMode mode;
    const normalization::SoundingUnitWeightInputs& unitWeight;
    normalization::UnitWeightProfile& unitWeightProfile;
    const files::DataArea& dataArea;
    const output::ColumnTable& runColumns;
    const fielddata::SoundingReadings& readings;
};

// The column IDs of the predicted quantities a page shows: the run's own columns of each kind,
// and for a kind the run lacks, the column the example column file uses (Ic_tln, CRRe_tln,
// Su_Nk=15_psf, N1_tln, Vs1_tln_fps).
std::vector<std::string> PredictedColumnIds(const output::ColumnTable& runColumns);

// Computes the sounding with the run's own per-depth computation and its column engine, so page
// and table agree. `reporter` traces the reading of a unit-weight profile file (FILE method):
// pass one that writes nowhere when the run has traced it already.
SoundingProfile BuildSoundingProfile(ProfileInputs& inputs, reporting::Reporter& reporter,
                                     SoundingFacts facts);

// Value `index` of a series as the output table prints it (through its column's mask), for a
// series without a column with five significant digits; "" where it is missing.
std::string ShownValue(const ProfileSeries& series, std::size_t index);
// Depth `index` of a profile as the table's depth column prints it.
std::string ShownDepth(const SoundingProfile& profile, std::size_t index);

// A number with a fixed count of decimals and a point, whatever the locale (the pictures'
// words are the same on every machine, like the tables').
std::string FixedText(double value, int decimals);

// The title facts of a sounding from its database row and field file header.
SoundingFacts FactsOf(std::string_view project, const projects::SoundingRecord& record,
                      const fielddata::FieldHeader& header, std::string_view normalisation);

}  // namespace kavo::plots
