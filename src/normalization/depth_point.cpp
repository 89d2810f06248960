// The depth-point state: the resets that open a sounding and a depth point.
#include "normalization/depth_point.h"

namespace kavo::normalization {

void ResetVerticalStress(DepthPoint& point) {
    point.vesAccumulatedPsf = 0.0f;
    point.previousDepth = 0.0f;
}

void ClearPointValues(DepthPoint& point) {
    const DepthPoint carried = point;
    point = DepthPoint{};
    point.vesAccumulatedPsf = carried.vesAccumulatedPsf;
    point.ves = carried.ves;
    point.previousDepth = carried.previousDepth;
}

}  // namespace kavo::normalization
