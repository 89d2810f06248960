// Fuzz target: a chart file of the "SLD input" folder, loaded as a run loads its charts, and
// the loaded chart read at points inside and around its frame.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "charts/chart_loader.h"
#include "charts/chart_lookup.h"
#include "fuzz_data_area.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kavo;
    const fuzzing::FuzzDataArea& dataArea = fuzzing::FuzzDataArea::Get();
    dataArea.Write("SLD input/SLD-Kavo-Ic_tln-v1.csv", fuzzing::AsText(data, size));
    fuzzing::FuzzReporting reporting;
    auto table = std::make_unique<charts::ChartTable>();
    fuzzing::ReadAsTheProgramDoes(reporting.reporter, [&] {
        charts::LoadCharts(charts::ChartLoadRequest::File, reporting.reporter, dataArea.area(),
                           *table);
        // FR (%) and Qc1 (atm) across the usual frames, with the edges and beyond.
        constexpr std::array<float, 5> kFrictionRatios{0.0f, 0.1f, 1.0f, 5.0f, 20.0f};
        constexpr std::array<float, 5> kResistances{0.0f, 1.0f, 10.0f, 100.0f, 1000.0f};
        for (std::int16_t slot = 1; slot <= table->count; ++slot) {
            for (float frictionRatio : kFrictionRatios) {
                for (float resistance : kResistances) {
                    float x = frictionRatio;
                    float y = resistance;
                    float c = 1.0f;
                    charts::LookupChart(x, y, c, *table, slot);
                }
            }
        }
    });
    return 0;
}
