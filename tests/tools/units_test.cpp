// Engineering unit names and the single-precision conversion factors.
#include "tools/units.h"

#include <gtest/gtest.h>

#include <string>

#include "tools/errors.h"

namespace kavo::tools {
namespace {

TEST(IsEngineeringUnit, KnowsTheUnitNamesInAnyCase) {
    const struct {
        std::string name;
        bool unit;
    } cases[] = {
        {"FT", true},     {"ft", true},     {"feet", true}, {"M", true},        {"Meters", true},
        {"ATM", true},    {"psf", true},    {"PSI", true},  {"kPa", true},      {"MPA", true},
        {"HWFT", true},   {"hwm", true},    {"PCF", true},  {"W1", true},       {"FPS", true},
        {"ft/sec", true}, {"M/SEC", true},  {"mps", true},  {"VCW1", true},     {"BPF", true},
        {"%", true},      {" FT", false},   {"FT ", false}, {"TSF", false},     {"", false},
        {"VCW", false},   {"FEETS", false}, {"F", false},   {"ATM/PSF", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsEngineeringUnit(c.name), c.unit) << "'" << c.name << "'";
    }
}

struct FactorCase {
    std::string code;
    double factor;  // the single-precision value, written out in full
};

TEST(UnitFactor, GivesTheTablesSinglePrecisionFactors) {
    const FactorCase cases[] = {
        {"/", 1.0},
        {"FT/M", 3.2808399200439453},
        {"FPS/MPS", 3.2808399200439453},
        {"M/FT", 0.30480000376701355},
        {"MPS/FPS", 0.30480000376701355},
        {"ATM/ATM", 1.0},
        {"ATM/TSF", 0.949999988079071},
        {"ATM/MPA", 9.869230270385742},
        {"ATM/PSF", 0.00047254067612811923},
        {"PSF/ATM", 2116.219970703125},
        {"ATM/PSI", 0.06804600358009338},
        {"HWATERFEET/PSF", 0.016025641933083534},
        {"FPS/FPS", 1.0},
        {"FT/SEC_FOR_WATERC", 4859.0},
        {"FPS/VCW", 4859.0},
        {"M/SEC_FOR_WATERC", 1481.0},
        {"W1/PCF", 0.016025641933083534},
        {"PCF/W1", 62.400001525878906},
        {"PCF/PCF", 1.0},
        {"BPF/BPF", 1.0},
        {"%/%", 1.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(static_cast<double>(UnitFactor(c.code)), c.factor) << c.code;
    }
}

TEST(UnitFactor, GivesTheOutputColumnUnitsInInternalUnits) {
    const FactorCase cases[] = {
        {"ATM/KPA", 0.009869229979813099},         // a thousandth of ATM/MPA
        {"ATM/HWATERFEET", 0.029486536979675293},  // 62.4 psf per foot of water over 2116.22
        {"PCF/WATER1", 62.400001525878906},       {"PSF/MPA", 20885.43359375},
        {"PSF/KPA", 20.885433197021484},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(static_cast<double>(UnitFactor(c.code)), c.factor) << c.code;
    }
}

TEST(UnitFactor, TrimsAndUppercasesTheCode) {
    const std::string spellings[] = {"ft/m", "FT/M", "  FT/M  ", " Ft/m"};
    for (const auto& code : spellings) {
        EXPECT_EQ(static_cast<double>(UnitFactor(code)), 3.2808399200439453) << code;
    }
    EXPECT_EQ(UnitFactor("  /  "), 1.0f);
}

TEST(UnitFactor, RejectsAnUnknownCodeNamingIt) {
    for (const std::string code : {"PSI/ATM", "FT / M", "TSF/ATM", ""}) {
        try {
            UnitFactor(code);
            ADD_FAILURE() << "no error for '" << code << "'";
        } catch (const DataError& error) {
            EXPECT_EQ(error.code(), "UF401");
            EXPECT_NE(error.description().find("`" + code + "`"), std::string::npos)
                << error.description();
        }
    }
}

TEST(TryUnitFactor, ReportsAnUnknownCodeWithoutTouchingTheFactor) {
    float factor = 7.0f;
    EXPECT_FALSE(TryUnitFactor("PSI/ATM", factor));
    EXPECT_EQ(factor, 7.0f);
    EXPECT_TRUE(TryUnitFactor("psf/atm", factor));
    EXPECT_EQ(static_cast<double>(factor), 2116.219970703125);
}

}  // namespace
}  // namespace kavo::tools
