// Engineering units and the single-precision factors between them.
#include "tools/units.h"

#include <array>
#include <string>

#include "tools/errors.h"
#include "tools/number_text.h"

namespace kavo::tools {

namespace {

constexpr std::string_view kUnitNames[] = {"FT",     "FEET",  "M",    "METERS", "ATM", "PSF", "PSI",
                                           "KPA",    "MPA",   "HWFT", "HWM",    "PCF", "W1",  "FPS",
                                           "FT/SEC", "M/SEC", "MPS",  "VCW1",   "BPF", "%"};

struct PairFactor {
    std::string_view code;
    double factor;  // X per Y; rounded to a single when returned
};

// Feet per metre, psf per atmosphere, pcf of water, and the velocity of sound in water.
constexpr double kFeetPerMetre = 3.28084;
constexpr double kPsfPerAtm = 2116.22;
constexpr double kWaterPcf = 62.4;
// The prescribed atm per MPa; atm per kPa is a thousandth of it, so that a stress read in one
// of the two units prints the same digits in the other (1 / 101.325 differs in the 7th digit).
constexpr double kAtmPerMpa = 9.86923;
constexpr double kPsfPerMpa = 20885.434;
constexpr double kPsfPerKpa = 20.885434;

constexpr std::array<PairFactor, 26> kPairFactors = {{
    {"/", 1.0},
    {"FT/M", kFeetPerMetre},
    {"FPS/MPS", kFeetPerMetre},
    {"M/FT", 1.0 / kFeetPerMetre},
    {"MPS/FPS", 1.0 / kFeetPerMetre},
    {"ATM/ATM", 1.0},
    {"ATM/TSF", 0.95},  // the factor in use, not the exact 0.945
    {"ATM/MPA", kAtmPerMpa},
    {"ATM/PSF", 1.0 / kPsfPerAtm},
    {"PSF/ATM", kPsfPerAtm},
    {"ATM/PSI", 0.068046},
    {"HWATERFEET/PSF", 1.0 / kWaterPcf},
    {"FPS/FPS", 1.0},
    {"FT/SEC_FOR_WATERC", 4859.0},
    {"FPS/VCW", 4859.0},
    {"M/SEC_FOR_WATERC", 1481.0},
    {"W1/PCF", 1.0 / kWaterPcf},
    {"PCF/W1", kWaterPcf},
    {"PCF/PCF", 1.0},
    {"BPF/BPF", 1.0},
    {"%/%", 1.0},
    // The units of output columns: internal units in one unit of the column.
    {"ATM/KPA", kAtmPerMpa / 1000.0},
    {"ATM/HWATERFEET", kWaterPcf / kPsfPerAtm},  // a foot of water head is 62.4 psf
    {"PCF/WATER1", kWaterPcf},
    {"PSF/MPA", kPsfPerMpa},
    {"PSF/KPA", kPsfPerKpa},
}};

}  // namespace

bool IsEngineeringUnit(std::string_view name) {
    const std::string upper = UpperCopy(name);
    for (std::string_view unit : kUnitNames) {
        if (unit == upper) {
            return true;
        }
    }
    return false;
}

bool TryUnitFactor(std::string_view pairCode, float& factor) {
    const std::string_view code = Trim(pairCode);
    for (const PairFactor& pair : kPairFactors) {
        if (EqualsInCapitals(code, pair.code)) {
            factor = static_cast<float>(pair.factor);
            return true;
        }
    }
    return false;
}

float UnitFactor(std::string_view pairCode) {
    float factor = 0.0f;
    if (!TryUnitFactor(pairCode, factor)) {
        throw DataError("UF401", "no conversion factor is known for the unit pair `" +
                                     std::string(pairCode) + "`");
    }
    return factor;
}

}  // namespace kavo::tools
