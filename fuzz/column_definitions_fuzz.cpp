// Fuzz target: a column definition file of the projects folder, read and each column tried at
// the test point as a run sets up its output columns, against the built-in chart set.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "charts/chart_loader.h"
#include "fuzz_data_area.h"
#include "normalization/normalisation_context.h"
#include "output/column_table.h"
#include "output/run_columns.h"

namespace {

// The eight built-in charts, loaded once for the whole fuzzing process.
const kavo::charts::ChartTable& BuiltInCharts() {
    static const std::unique_ptr<kavo::charts::ChartTable> table = [] {
        auto loaded = std::make_unique<kavo::charts::ChartTable>();
        kavo::fuzzing::FuzzReporting reporting;
        kavo::charts::LoadCharts(kavo::charts::ChartLoadRequest::Internal, reporting.reporter,
                                 kavo::fuzzing::FuzzDataArea::Get().area(), *loaded);
        kavo::charts::CheckRequiredCharts(*loaded);
        return loaded;
    }();
    return *table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kavo;
    const fuzzing::FuzzDataArea& dataArea = fuzzing::FuzzDataArea::Get();
    const charts::ChartTable& charts = BuiltInCharts();
    dataArea.Write("Projects/Kavo_Q1o_Columns---Fuzz.csv", fuzzing::AsText(data, size));
    fuzzing::FuzzReporting reporting;
    fuzzing::ReadAsTheProgramDoes(reporting.reporter, [&] {
        const normalization::SoundingUnitWeightInputs noSounding;
        const normalization::NormalisationContext context{
            charts, normalization::NormalisationMode::Vaski, noSounding};
        output::ColumnTable columns;
        output::SetUpRunColumns(columns, context, reporting.reporter, dataArea.area(),
                                setup::ColumnsSource::DefinitionFile);
    });
    return 0;
}
