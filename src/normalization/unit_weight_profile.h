// The unit-weight profile of a site: a file of depth and unit-weight pairs, read once and
// kept for the run until a sounding names another file, and its interpolation at a depth.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "files/paths.h"
#include "reporting/reporter.h"
#include "tools/errors.h"
#include "tools/null_marker.h"

namespace kavo::normalization {

inline constexpr std::size_t kProfileCapacity = 30;

// The profile file read last; one per run.
struct UnitWeightProfile {
    bool read = false;                                 // false until a file has been read
    std::string fileName;                              // as the sounding gave it
    std::array<float, kProfileCapacity> depth{};       // ft
    std::array<float, kProfileCapacity> unitWeight{};  // pcf
    std::int16_t count = 0;
};

// Straight-line interpolation through (x1, y1) and (x2, y2) at x; y1 when x1 = x2.
float LinearInterpolate(float x1, float x, float x2, float y1, float y2);

// Reads one number of an open file into `value`, recorded in the input history under `label`;
// at the end of the file `atEnd` is set and the value is -5435.
void ReadTracedNumber(reporting::Reporter& reporter, reporting::TracedInput& file, float& value,
                      bool& atEnd, std::string_view fileName, std::string_view label);

// The error of the FILE method when the sounding names no profile file.
tools::DataError NoProfileFileError();

// True when the sounding's unit-weight method is FILE, whose profile is read before the
// sounding's first depth point.
bool UsesProfileFile(std::string_view method);

struct NormalisationContext;
// Before a sounding's first depth point: for the FILE method reads the sounding's profile into
// the run's `profile` (unless it is the file read last) and gives it to the context.
void ReadSoundingProfile(NormalisationContext& context, UnitWeightProfile& profile,
                         const files::DataArea& dataArea, reporting::Reporter& reporter);

// Reads the profile file of the project folder into `profile`, unless it is the file read
// last. Throws DataError for an empty name, a file that cannot be opened, a file without its
// four header lines ("WI323"), a pair written as density, depth ("DX739"), more than 30 pairs
// and a last pair without its unit weight.
void ReadUnitWeightProfile(UnitWeightProfile& profile, std::string_view fileName,
                           const files::DataArea& dataArea, reporting::Reporter& reporter);

// The unit weight at a depth, interpolated in the first interval that holds it. Throws
// DataError "GP342" when no interval holds the depth; missing with fewer than two pairs.
float ProfileUnitWeightAt(const UnitWeightProfile& profile, float depth);

}  // namespace kavo::normalization
