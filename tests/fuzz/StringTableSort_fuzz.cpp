// Sorting a string table by any key list keeps its rows, only reordered, and sorting again
// changes nothing.
#include "FuzzInput.h"
#include "superarray/superarray.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<std::string> Rows(const superarray& table) {
    std::vector<std::string> rows;
    for (int32_t row = 1; row <= table.Count(); ++row) {
        std::string text;
        for (int32_t column = 0; column < 4; ++column) {
            text += table.GetCell(row, column) + '\x1F';
        }
        rows.push_back(text);
    }
    return rows;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    superarray table;
    table.Init();
    table.KeySeparator = input.Text().substr(0, 2);
    const std::string spec = input.Text();
    table.RegisterSortName(input.Number<uint8_t>() % 30, input.Text());
    for (int32_t row = 0; !input.AtEnd() && row < 64; ++row) {
        table.AddRow();
        for (int32_t column = 0; column < 4; ++column) {
            table.SetCell(0, column, input.Text());
        }
    }
    std::vector<std::string> before = Rows(table);
    table.SortBy(spec);
    std::vector<std::string> after = Rows(table);
    table.SortBy(spec);
    FUZZ_CHECK(Rows(table) == after);
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
    FUZZ_CHECK(before == after);
    return 0;
}
