#include "model/ResultColumns.h"

#include "superarray/superarray.h"

void InitResultTable(superarray& table) {
    table.Init();
    // One character, not a literal: g++ 12 warns falsely (-Wrestrict) on assigning a short
    // literal here.
    table.Columns[AreaPercentColumn].Suffix.assign(1, '%');
}
