// Arithmetic on single-precision values that may be missing.
#include "normalization/missing_math.h"

#include <cmath>

#include "tools/null_marker.h"

namespace kavo::normalization {

bool IsMissingValue(float value) {
    return std::fabs(value) == 5435.0f;
}

float LimitToRange(float value, float minimum, float maximum) {
    if (value < minimum || !(value <= maximum)) {
        return tools::kNull;
    }
    return value;
}

float AddMissing(float a, float b) {
    if (IsMissingValue(a) || IsMissingValue(b)) {
        return tools::kNull;
    }
    return a + b;
}

float MultiplyMissing(float a, float b) {
    if (IsMissingValue(a) || IsMissingValue(b)) {
        return tools::kNull;
    }
    return a * b;
}

float DivideMissing(float a, float b) {
    if (IsMissingValue(a) || IsMissingValue(b) || b == 0.0f) {
        return tools::kNull;
    }
    return a / b;
}

}  // namespace kavo::normalization
