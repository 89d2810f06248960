// Engineering units and the single-precision factors between them. Internally depths are
// feet, stresses atmospheres, unit weights pcf and velocities feet per second.
#pragma once

#include <string_view>

namespace kavo::tools {

// True when the upper-cased name (not trimmed) is one of the system's unit names.
bool IsEngineeringUnit(std::string_view name);

// The factor of a pair code X/Y (X per Y), trimmed and upper-cased first. Throws
// DataError "UF401" for a code the table does not know.
float UnitFactor(std::string_view pairCode);

// The same, without the error: false for an unknown code.
bool TryUnitFactor(std::string_view pairCode, float& factor);

}  // namespace kavo::tools
