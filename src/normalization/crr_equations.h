// The liquefaction resistance (CRR) equation sets "UCB06" and "UCD14", from the normalised
// cone resistance Q and the friction ratio FR (%), for magnitude 7.5 and one atmosphere.
#pragma once

namespace kavo::normalization {

// CRR by the UCB06 set; each term is rounded to single precision before the sum.
// Missing (-5435) when Q or FR is missing.
float CrrByUcb06(float q, float frictionRatio);

// The steps of the UCD14 set, kept for the reader of a result: soil behaviour type index,
// fines content (%), the clean-sand increment, the clean-sand resistance and CRR.
struct Ucd14Steps {
    float ic;
    float finesContent;
    float deltaQc1n;
    float qc1ncs;
    float crr;
};

// The UCD14 set; every step is missing when Q or FR is missing.
Ucd14Steps Ucd14StepsFor(float q, float frictionRatio);

// CRR by the UCD14 set, limited to 0.01..0.9; missing when Q or FR is missing.
float CrrByUcd14(float q, float frictionRatio);

}  // namespace kavo::normalization
