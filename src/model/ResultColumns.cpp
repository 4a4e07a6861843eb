// The result table as the window and the command line read it.
#include "model/ResultColumns.h"

#include "superarray/superarray.h"

void InitResultTable(superarray& table) {
    table.Init();
    // One character, not a literal: g++ 12 warns falsely (-Wrestrict) on assigning a short
    // literal here.
    table.Columns[AreaPercentColumn].Suffix.assign(1, '%');
    // The rows come in width order until the user sorts by a header; every result column
    // holds numbers, so it sorts them by value.
    table.SortSpec.clear();
    for (const ResultColumnDecl& column : ResultColumns) {
        table.Columns[static_cast<std::size_t>(column.Id)].NumericSort = true;
    }
}
