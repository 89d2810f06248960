// The values of the depth point being computed: the readings loaded by the output writer, the
// unit weight and vertical effective stress built up down the sounding, and the normalised
// values. Single precision; a fresh value holds the null marker everywhere.
#pragma once

#include "tools/null_marker.h"

namespace kavo::normalization {

struct DepthPoint {
    // Loaded from the depth readings for each point.
    float depth = tools::kNull;          // ft
    float qc = tools::kNull;             // cone resistance, atm
    float fs = tools::kNull;             // sleeve friction, atm
    float u2 = tools::kNull;             // pore pressure, atm
    float inclinationX = tools::kNull;   // degrees
    float inclinationY = tools::kNull;   // degrees
    float frictionRatio = tools::kNull;  // FR, %; overwritten by the normalisation

    // Computed for each point.
    float qt = tools::kNull;             // corrected cone resistance, atm
    float qc1 = tools::kNull;            // Q, normalised cone resistance
    float fs1 = tools::kNull;            // normalised sleeve friction
    float exponentC = tools::kNull;      // stress-normalisation exponent c
    float unitWeight = tools::kNull;     // total unit weight, pcf
    float strengthRatio = tools::kNull;  // undrained strength over VES, for the zero-load summary

    // Carried from point to point down one sounding.
    float vesAccumulatedPsf = tools::kNull;  // vertical effective stress, psf
    float ves = tools::kNull;                // vertical effective stress, atm
    float previousDepth = tools::kNull;      // ft
};

// Starts a sounding: no stress yet, and the first interval starts at the surface.
void ResetVerticalStress(DepthPoint& point);

// Clears the per-point values before the next reading is loaded; the stress carried down the
// sounding (VES, its accumulation and the previous depth) is kept.
void ClearPointValues(DepthPoint& point);

}  // namespace kavo::normalization
