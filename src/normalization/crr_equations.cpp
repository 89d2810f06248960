// The liquefaction resistance equation sets "UCB06" and "UCD14".
#include "normalization/crr_equations.h"

#include <cmath>

#include "normalization/missing_math.h"
#include "tools/null_marker.h"

namespace kavo::normalization {
namespace {

// Base-10 logarithm as a single; -5435 for a value that has none.
float Log10Single(float value) {
    if (value <= 0.0f) {
        return tools::kNull;
    }
    return static_cast<float>(std::log10(static_cast<double>(value)));
}

float Single(double value) {
    return static_cast<float>(value);
}

}  // namespace

float CrrByUcb06(float q, float frictionRatio) {
    if (IsMissingValue(q) || IsMissingValue(frictionRatio)) {
        return tools::kNull;
    }
    constexpr double kMagnitude = 7.5;
    constexpr double kStressKpa = 1.0 * 100.0;
    constexpr double kExponent = 1.0;
    constexpr double kProbability = 0.1;
    const double qMpa = Single(static_cast<double>(q) / 10.0);
    const double fr = frictionRatio;

    // The terms are singles; their sum and what follows are not rounded until the result.
    const double sum = static_cast<double>(Single(std::pow(qMpa, 1.045))) +
                       Single(0.11 * fr * qMpa) + Single(0.001 * fr) +
                       Single((1.0 + 0.85 * fr) * kExponent) -
                       Single(0.848 * std::log(kMagnitude)) - Single(0.002 * std::log(kStressKpa)) -
                       Single(20.923) + Single(1.632 * kProbability);
    return Single(std::exp(sum / 7.177));
}

Ucd14Steps Ucd14StepsFor(float q, float frictionRatio) {
    if (IsMissingValue(q) || IsMissingValue(frictionRatio)) {
        return {tools::kNull, tools::kNull, tools::kNull, tools::kNull, tools::kNull};
    }
    Ucd14Steps steps{};
    const double stressTerm = 3.47 - static_cast<double>(Log10Single(q));
    const double frictionTerm = static_cast<double>(Log10Single(frictionRatio)) + 1.22;
    steps.ic = Single(std::sqrt(stressTerm * stressTerm + frictionTerm * frictionTerm));

    float fines = Single(80.0 * steps.ic - 137.0);
    if (steps.ic < 1.75f) {
        fines = 0.01f;
    } else if (steps.ic > 2.9f) {
        fines = 99.99f;
    }
    if (fines > 100.0f) {
        fines = 100.0f;
    }
    if (fines < 0.0f) {
        fines = 0.0f;
    }
    steps.finesContent = fines;

    const double finesPlus2 = static_cast<double>(fines) + 2.0;
    const double shape = 1.63 - 9.7 / finesPlus2 - std::pow(15.7 / finesPlus2, 2.0);
    float delta = Single((11.9 + static_cast<double>(q) / 14.6) * std::exp(shape));
    if (delta < 0.0f) {
        delta = 0.0f;
    }
    if (delta > 500.0f) {
        delta = 500.0f;
    }
    steps.deltaQc1n = delta;
    steps.qc1ncs = delta + q;

    const double cs = steps.qc1ncs;
    float crr = Single(std::exp(cs / 113.0 + std::pow(cs / 1000.0, 2.0) -
                                std::pow(cs / 140.0, 3.0) + std::pow(cs / 137.0, 4.0) - 2.8));
    if (crr < 0.01f) {
        crr = 0.01f;
    }
    if (crr > 0.9f) {
        crr = 0.9f;
    }
    steps.crr = crr;
    return steps;
}

float CrrByUcd14(float q, float frictionRatio) {
    return Ucd14StepsFor(q, frictionRatio).crr;
}

}  // namespace kavo::normalization
