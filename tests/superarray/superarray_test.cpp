#include "superarray/superarray.h"

#include "util/NumberFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

superarray TableOf(std::initializer_list<const char*> texts) {
    superarray table;
    table.Init();
    for (const char* text : texts) {
        table.AddRowText(text, 0);
    }
    return table;
}

// The texts of one column, rows 1..Count, joined by "|".
std::string Joined(const superarray& table, int32_t column) {
    std::string joined;
    for (int32_t row = 1; row <= table.Count(); ++row) {
        joined += (row > 1 ? "|" : "") + table.GetCell(row, column);
    }
    return joined;
}

TEST(superarrayTest, RowZeroIsTheLastInvalidRowsAreEmpty) {
    const superarray table = TableOf({"a", "b", "c"});
    const std::tuple<int32_t, int32_t, const char*> cases[] = {
        {0, 0, "c"}, {1, 0, "a"},  {4, 0, ""},   {-1, 0, ""}, {2, 26, "2"}, {0, 26, "3"},
        {4, 26, ""}, {2, 45, "2"}, {-1, 45, ""}, {2, 60, ""}, {2, -1, ""},  {2, 27, ""}};
    for (const auto& [row, column, expected] : cases) {
        EXPECT_EQ(table.GetCell(row, column), expected) << "row " << row << " column " << column;
    }
}

TEST(superarrayTest, LengthGrowsInStepsOfFifty) {
    const std::tuple<const char*, void (*)(superarray&), int32_t, int64_t> cases[] = {
        {"three rows", [](superarray& t) { t.AddRow(), t.AddRow(), t.AddRow(); }, 3, 52},
        {"compact", [](superarray& t) { t.Compact(); }, 3, 4},
        {"one slot", [](superarray& t) { t.SetLength(1); }, 0, 1},
        {"set count", [](superarray& t) { t.SetCount(5); }, 5, 6},
        {"add after count", [](superarray& t) { t.AddRow(); }, 6, 57},
        {"negative count", [](superarray& t) { t.SetCount(-3); }, 0, 0},
        {"full", [](superarray& t) { t.SetCount(INT32_MAX), t.AddRow(); }, INT32_MAX,
         int64_t{1} << 31},
        {"negative length", [](superarray& t) { t.SetLength(-5); }, 0, 0}};
    superarray table = TableOf({});
    for (const auto& [name, act, count, length] : cases) {
        act(table);
        EXPECT_EQ(table.Count(), count) << name;
        EXPECT_EQ(table.Length(), length) << name;
        EXPECT_EQ(table.GetCell(0, 26), count == 0 ? "" : std::to_string(count)) << name;
    }
}

TEST(superarrayTest, ShownTextIsGroupedThenSuffixed) {
    DigitGroupSeparator = "'";
    superarray table = TableOf({});
    table.SetCount(1233);
    table.AddRowText("1234", 7); // row and insertion number 1234
    table.SetCell(0, 3, "1234.5");
    table.Columns[3] = {true, "%", {}};
    table.Columns[7] = {true, "00", {}}; // grouped before the suffix is added
    table.Columns[26].GroupDigits = table.Columns[45].GroupDigits = true;
    table.Columns[55].Suffix = "x";
    const std::pair<int32_t, const char*> cases[] = {{3, "1'234.5%"}, {7, "1'23400"}, {26, "1'234"},
                                                     {45, "1'234"},   {55, "x"},      {60, ""}};
    for (const auto& [column, expected] : cases) {
        EXPECT_EQ(table.GetCellShown(0, column), expected) << "column " << column;
    }
    EXPECT_EQ(table.GetCellShown(1235, 55), "");
    table.Init(); // resets the settings of columns 0..25 only
    table.AddRowText("1234", 3);
    EXPECT_EQ(table.GetCellShown(0, 3) + table.GetCellShown(0, 55), "1234x");
    DigitGroupSeparator.clear();
}

TEST(superarraySortTest, KeysCaseDescendingAndTies) {
    superarray table = TableOf({});
    // Rows 2 and 3 share their first 8 bytes when the case is ignored.
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"VCD PAL", "640", "480"},       {"Digital8 PAL", "1024", "768"},
        {"digital8 NTSC", "640", "360"}, {"1080/24p", "320", "240"},
        {"Acadademy", "1024", "576"},    {"1.85:1", "640", "480"}};
    for (const auto& [name, width, height] : rows) {
        table.AddRowText(name, 0);
        table.SetCell(0, 1, width);
        table.SetCell(0, 2, height);
    }
    // "width" rebinds the slot of "WIDTH".
    for (const auto& [name, column] :
         {std::pair{"WIDTH", 2}, {"width", 1}, {"height", 2}, {"w", 1}, {"h", 2}}) {
        table.RegisterSortName(column, name);
    }
    // Each sort starts from the order the one before left: ties must follow insertion numbers.
    // An empty or unknown name sorts by insertion number, names of computed columns not at all.
    // Key separator, keys, order of insertion numbers:
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {",", "alphabetical", "6|4|5|3|2|1"},  {",", "-", "6|5|4|3|2|1"},
        {",", "width", "2|5|4|1|3|6"},         {",", "=", "1|2|3|4|5|6"},
        {",", "Alphabetical", "6|4|5|2|1|3"},  {",", ",width", "1|2|3|4|5|6"},
        {",", "-alphabetical", "1|2|3|5|4|6"}, {",", "width,-height", "2|5|4|1|6|3"},
        {",", "filesize", "1|2|3|4|5|6"},      {",", "-", "6|5|4|3|2|1"},
        {",", "-width,height", "3|1|6|4|5|2"}, {"", "w-h", "2|5|4|1|6|3"},
        {",", "nosuch", "1|2|3|4|5|6"},        {"; ", "-width; height", "3|1|6|4|5|2"}};
    for (const auto& [separator, spec, order] : cases) {
        table.KeySeparator = separator;
        table.SortBy(spec);
        EXPECT_EQ(Joined(table, superarray::InsertionColumn), order) << "'" << spec << "'";
    }
}

TEST(superarraySortTest, SourcedColumnSortsByItsComputedText) {
    superarray table = TableOf({"bb", "a", "ccc", "Ab"});
    // Column 2 reads as the length of column 0, and is never stored.
    table.Columns[2].Source = [](const superarray& t, int32_t row) {
        return std::to_string(t.GetCell(row, 0).size());
    };
    table.RegisterSortName(2, "length");
    EXPECT_EQ(table.GetCell(3, 2), "3");
    table.SortBy("-length,alphabetical");
    EXPECT_EQ(Joined(table, 0), "ccc|Ab|bb|a");
}

TEST(superarraySortTest, NumericColumnsOrderNumbersByValue) {
    // Rows go in as listed; each case sorts one shuffled column by the numbers in it.
    const std::tuple<const char*, std::vector<const char*>, const char*> cases[] = {
        {"n", {"1024", "640", "96", "768", "7"}, "7|96|640|768|1024"},
        {"-n", {"1024", "640", "96", "768", "7"}, "1024|768|640|96|7"},
        {"n", {"100", "56.25", "6.25", "400", "56.5", "0.5"}, "0.5|6.25|56.25|56.5|100|400"},
        {"n",
         {"16 / 12", "-320 / -240", "0 / 0", "-16 / -12", "-320 / -9"},
         "-320 / -240|-320 / -9|-16 / -12|0 / 0|16 / 12"},
        {"n", {"1,2,4,8", "1,2,3,6", "1,2,3", "1,5"}, "1,2,3|1,2,3,6|1,2,4,8|1,5"},
        {"n",
         {"768:768 (+0:+192)", "96:96 (+0:+24)", "768:576 (+0:+0)", "1024:1024 (+0:+256)"},
         "96:96 (+0:+24)|768:576 (+0:+0)|768:768 (+0:+192)|1024:1024 (+0:+256)"},
        // Equal numbers fall back to the text; no number at all goes first; digits beyond the
        // packed prefix and beyond 64 bits still decide.
        {"n", {"5x", "5.0", "05", "", "-0", "5"}, "|-0|05|5|5.0|5x"},
        {"n",
         {"12345678901234567891", "12345678901234567890", "-12345678901234567891",
          "-12345678901234567890"},
         "-12345678901234567891|-12345678901234567890|12345678901234567890|"
         "12345678901234567891"},
        // A minus after a digit joins numbers instead of signing one.
        {"n", {"5-3", "5-2", "-5"}, "-5|5-2|5-3"},
    };
    for (const auto& [spec, texts, order] : cases) {
        superarray table = TableOf({});
        table.Columns[1].NumericSort = true;
        table.RegisterSortName(1, "n");
        for (const char* text : texts) {
            table.AddRowText(text, 1);
        }
        table.SortBy(spec);
        EXPECT_EQ(Joined(table, 1), order) << spec << " " << order;
    }
    // Other columns still compare as text.
    superarray plain = TableOf({"1024", "640", "96"});
    plain.Sort();
    EXPECT_EQ(Joined(plain, 0), "1024|640|96");
}

// Lists of whole numbers (like divisor lists, which mostly share their first numbers) in a
// random order sort like a plain model: number by number by value, a shorter list first,
// then the text. One case mixes in a fraction, which the lists' packed keys cannot hold.
TEST(superarraySortTest, NumberListsSortLikeAPlainModel) {
    std::mt19937 random(77);
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    // Each number as its whole digits without leading zeros, then its fraction digits.
    using Number = std::pair<std::string, std::string>;
    const auto numbersOf = [](const std::string& text) {
        const auto digitsFrom = [&](std::size_t& i) {
            const std::size_t start = i;
            while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
                ++i;
            }
            return text.substr(start, i - start);
        };
        std::vector<Number> numbers;
        for (std::size_t i = 0; i < text.size();) {
            if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
                ++i;
                continue;
            }
            std::string whole = digitsFrom(i);
            whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
            std::string fraction;
            if (i + 1 < text.size() && text[i] == '.' &&
                std::isdigit(static_cast<unsigned char>(text[i + 1]))) {
                ++i;
                fraction = digitsFrom(i);
            }
            numbers.emplace_back(whole, fraction);
        }
        return numbers;
    };
    const auto less = [&](const std::string& a, const std::string& b) {
        const auto na = numbersOf(a);
        const auto nb = numbersOf(b);
        for (std::size_t i = 0; i < std::min(na.size(), nb.size()); ++i) {
            const auto key = [](const Number& n) {
                return std::make_tuple(n.first.size(), n.first, n.second);
            };
            if (key(na[i]) != key(nb[i])) {
                return key(na[i]) < key(nb[i]);
            }
        }
        return na.size() != nb.size() ? na.size() < nb.size() : a < b;
    };
    for (const bool withFraction : {false, true}) {
        std::vector<std::string> texts;
        for (int row = 0; row < 400; ++row) {
            std::string text = pick(0, 9) == 0 ? "" : "1";
            for (int n = pick(0, 12); n > 0; --n) {
                const int digits = pick(0, 3) == 0 ? pick(1, withFraction ? 16 : 14) : pick(1, 2);
                text += ',';
                for (int d = 0; d < digits; ++d) {
                    text += static_cast<char>('0' + pick(0, 9));
                }
            }
            texts.push_back(text);
        }
        if (withFraction) {
            texts[200] = "1,2.5";
        }
        superarray table = TableOf({});
        table.Columns[1].NumericSort = true;
        table.RegisterSortName(1, "n");
        for (const std::string& text : texts) {
            table.AddRowText(text, 1);
        }
        for (const char* spec : {"n", "-n"}) {
            std::vector<std::string> expected = texts;
            std::stable_sort(expected.begin(), expected.end(), less);
            if (spec[0] == '-') {
                std::stable_sort(
                    expected.begin(), expected.end(),
                    [&](const std::string& a, const std::string& b) { return less(b, a); });
            }
            table.SortBy(spec);
            std::vector<std::string> sorted;
            for (int32_t row = 1; row <= table.Count(); ++row) {
                sorted.push_back(table.GetCell(row, 1));
            }
            EXPECT_EQ(sorted, expected) << spec << (withFraction ? " with a fraction" : "");
        }
    }
}

TEST(superarraySortTest, SortNamesTake200Slots) {
    superarray table = TableOf({}); // "alphabetical", "filesize" and "="
    table.RegisterSortName(1, "");  // takes no slot
    for (int i = 4; i <= 201; ++i) {
        table.RegisterSortName(1, "Name" + std::to_string(i));
    }
    EXPECT_EQ(table.FindSortName("NAME200"), 200);
    EXPECT_EQ(table.FindSortName("name201"), 0);
}

// Random edits and sorts against a plain model: rows of 26 texts and an insertion number.
TEST(superarrayTest, MatchesPlainModel) {
    std::mt19937 random(1234);
    using Uniform = std::uniform_int_distribution<int>;
    const auto pick = [&](int low, int high) { return Uniform(low, high)(random); };
    using Row = std::vector<std::string>; // cells 0..25, then the insertion number
    std::vector<Row> model;
    Row blank(27);
    blank[26] = "0"; // slots added by SetLength and SetCount have no insertion number
    superarray table = TableOf({});
    for (int step = 0; step < 1000; ++step) {
        const int count = static_cast<int>(model.size());
        const int op = pick(0, 11), row = pick(-1, count + 1), column = pick(-2, 30);
        // New lengths mostly near the current count, so the table also grows past 50 rows.
        const int length = pick(0, 49) == 0 ? pick(-1, 2) : count + pick(-4, 3);
        const int size = std::array{0, 1, 5, 15, 16, 200, 20000}[pick(0, 6)];
        const std::string text(static_cast<std::size_t>(size), static_cast<char>(pick(1, 255)));
        if (op < 5) {
            (op < 3 ? table.AddRow() : table.AddRowText(text, column));
            model.push_back(blank);
            model.back()[26] = std::to_string(model.size());
            model.back()[column >= 0 && column < 26 ? column : 0] = op < 3 ? "" : text;
        } else if (op < 8) {
            table.SetCell(row, column, text);
            const int target = row == 0 ? count : row;
            if (target >= 1 && target <= count && column >= 0 && column < 26) {
                model[target - 1][column] = text;
            }
        } else if (op < 10) {
            (op == 8 ? table.SetLength(length + 1) : table.SetCount(length));
            model.resize(static_cast<std::size_t>(std::max(length, 0)), blank);
        } else if (op == 10) {
            table.Compact();
        } else {
            // By column 0 with case, then insertion number; rows added blank all have 0.
            const bool descending = pick(0, 1) == 1;
            std::stable_sort(model.begin(), model.end(), [&](const Row& a, const Row& b) {
                return a[0] != b[0] ? (descending ? b[0] < a[0] : a[0] < b[0])
                                    : std::stoul(a[26]) < std::stoul(b[26]);
            });
            table.SortBy(descending ? "-Alphabetical" : "Alphabetical");
        }
        ASSERT_EQ(table.Count(), static_cast<int32_t>(model.size())) << "step " << step;
        for (int32_t r = 1; r <= table.Count(); ++r) {
            for (int32_t c = 0; c <= 26; ++c) {
                ASSERT_EQ(table.GetCell(r, c == 26 ? 45 : c), model[r - 1][c]) << "step " << step;
            }
        }
    }
}

} // namespace
