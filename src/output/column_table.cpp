// The column table and its checked filling.
#include "output/column_table.h"

#include "tools/errors.h"

namespace kavo::output {

void ColumnTable::SetColumnId(int number, std::string_view id, std::string_view origin) {
    if (number > kMaxColumns) {
        throw tools::DataError("QC424", "an output table holds at most 24 columns, column " +
                                            std::to_string(number) + " (" + std::string(id) +
                                            ") is too many, in " + std::string(origin));
    }
    if (number < 1 || number > count_ + 1) {
        throw tools::ProgrammingError("column " + std::to_string(number) + " set out of order");
    }
    Q1oColumn fresh;
    fresh.id = std::string(id);
    columns_[static_cast<std::size_t>(number - 1)] = std::move(fresh);
    if (number > count_) {
        count_ = static_cast<std::int16_t>(number);
    }
}

Q1oColumn& ColumnTable::column(int number) {
    if (number < 1 || number > count_) {
        throw tools::ProgrammingError("column " + std::to_string(number) + " is not in use");
    }
    return columns_[static_cast<std::size_t>(number - 1)];
}

const Q1oColumn& ColumnTable::column(int number) const {
    if (number < 1 || number > count_) {
        throw tools::ProgrammingError("column " + std::to_string(number) + " is not in use");
    }
    return columns_[static_cast<std::size_t>(number - 1)];
}

}  // namespace kavo::output
