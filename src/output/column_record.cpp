// Completing and aligning the output columns.
#include "output/column_record.h"

#include <array>

#include "normalization/column_id.h"
#include "output/heading_width.h"
#include "tools/number_text.h"

namespace kavo::output {

void CompleteColumnRecord(Q1oColumn& column, const charts::ChartTable& charts) {
    const normalization::ColumnSpec spec = normalization::ParseColumnId(tools::Trim(column.id));
    column.property = spec.property;
    column.key = spec.key;
    column.method = spec.method;
    column.unit = spec.unit;
    column.mask = spec.mask;
    column.factor = spec.factor;
    column.author.clear();
    column.date.clear();
    for (std::int16_t slot = 1; slot <= charts.count; ++slot) {
        const charts::SldChart& chart = charts.Slot(slot);
        if (chart.Row1_z_IDnormalized_8str == spec.baseName &&
            chart.Row1_z_Author_8str == spec.method) {
            column.author = chart.Header_AuthorShort_4Row2_8str;
            column.date = chart.Header_DateShort_8str;
        }
    }
}

void AlignColumnHeadings(Q1oColumn& column) {
    const std::array<std::string*, 6> headings = {&column.id,  &column.author, &column.date,
                                                  &column.why, &column.source, &column.mask};
    HeadingWidth width;
    width.Reset();
    for (const std::string* text : headings) {
        width.Find(*text);
    }
    for (std::string* text : headings) {
        width.SetSize(*text);
    }
    column.valueMask = tools::FixedMask(column.mask);
}

void CompleteColumnTable(ColumnTable& columns, const charts::ChartTable& charts) {
    for (int i = 1; i <= columns.count(); ++i) {
        CompleteColumnRecord(columns.column(i), charts);
        AlignColumnHeadings(columns.column(i));
    }
}

}  // namespace kavo::output
