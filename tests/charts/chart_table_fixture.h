// A data area in a temporary folder with its reporter and an empty chart table, for the chart
// suites.
#pragma once

#include <memory>

#include "charts/sld_chart.h"
#include "support/data_area_fixture.h"

namespace kavo::charts {

class ChartTableFixture : public testing::DataAreaFixture {
  protected:
    std::unique_ptr<ChartTable> table = std::make_unique<ChartTable>();
};

}  // namespace kavo::charts
