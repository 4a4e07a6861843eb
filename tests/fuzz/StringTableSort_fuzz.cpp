// Sorting a string table by any key list keeps its rows, only reordered, and sorting again
// changes nothing. Lists of whole numbers sort by their numbers exactly as by their texts.
#include "FuzzInput.h"
#include "superarray/superarray.h"

#include <algorithm>
#include <optional>
#include <span>
#include <vector>

namespace {

// The rows in table order, each as its cells of `columns` joined.
std::vector<std::string> Rows(const superarray& table, std::initializer_list<int32_t> columns) {
    std::vector<std::string> rows(static_cast<std::size_t>(table.Count()));
    for (int32_t row = 1; row <= table.Count(); ++row) {
        for (const int32_t column : columns) {
            rows[static_cast<std::size_t>(row - 1)] += table.GetCell(row, column) + '\x1F';
        }
    }
    return rows;
}

// A list of whole numbers made from bytes: mostly small ones, so that lists share long starts.
std::string NumberList(const std::string& bytes) {
    std::string list;
    for (const unsigned char byte : bytes) {
        list += (list.empty() ? "" : ",") +
                std::to_string(byte < 200 ? byte % 4 : uint64_t{byte} * 1000003);
    }
    return list;
}

std::optional<std::size_t> ListNumbers(const superarray& table, int32_t row,
                                       std::span<int64_t> numbers) {
    const std::string list = table.GetCell(row, 4);
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < list.size() && count < numbers.size(); ++count) {
        const std::size_t end = std::min(list.find(',', pos), list.size());
        numbers[count] = std::stoll(list.substr(pos, end - pos));
        pos = end + 1;
    }
    return count;
}

} // namespace

FUZZ_TARGET(input) {
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
    std::vector<std::string> before = Rows(table, {0, 1, 2, 3});
    table.SortBy(spec);
    std::vector<std::string> after = Rows(table, {0, 1, 2, 3});
    table.SortBy(spec);
    FUZZ_CHECK(Rows(table, {0, 1, 2, 3}) == after);
    std::sort(before.begin(), before.end());
    std::sort(after.begin(), after.end());
    FUZZ_CHECK(before == after);

    superarray lists;
    lists.Init();
    lists.Columns[4].NumericSort = true;
    lists.RegisterSortName(4, "n");
    for (const std::string& row : before) {
        lists.AddRowText(NumberList(row), 4);
    }
    for (const char* key : {"n", "-n"}) {
        superarray byTexts = lists;
        byTexts.SortBy(key);
        superarray byNumbers = lists;
        byNumbers.Columns[4].LeadingNumbers = ListNumbers;
        byNumbers.SortBy(key);
        FUZZ_CHECK(Rows(byNumbers, {superarray::InsertionColumn}) ==
                   Rows(byTexts, {superarray::InsertionColumn}));
    }
}
