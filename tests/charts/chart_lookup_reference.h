// The chart lookup as it was before the lines' crossings were kept between lookups and the
// comparisons made in logarithms: kept here only as the reference of the differential test.
#pragma once

#include "charts/sld_chart.h"

namespace kavo::charts::reference {

bool LookupChartReference(float& x, float& y, float& c, const SldChart& chart, LookupMode mode);

}  // namespace kavo::charts::reference
