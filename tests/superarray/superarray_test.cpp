#include "superarray/PackedRow.h"
#include "superarray/superarray.h"

#include "util/NumberFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <numeric>
#include <optional>
#include <random>
#include <regex>
#include <span>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

// Adds one row per "|"-separated text (none for ""), each text in `column`.
superarray& AddRows(superarray& table, const std::string& texts, int32_t column = 0) {
    std::istringstream stream(texts);
    for (std::string text; std::getline(stream, text, '|');) {
        table.AddRowText(text, column);
    }
    return table;
}

superarray TableOf(const std::string& texts = "") {
    superarray table;
    table.Init();
    return AddRows(table, texts);
}

// A fresh table whose column 1, named "n", sorts by the numbers in it.
superarray NumericTable() {
    superarray table = TableOf();
    table.Columns[1].NumericSort = true;
    table.RegisterSortName(1, "n");
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
    const superarray table = TableOf("a|b|c");
    const std::tuple<int32_t, int32_t, const char*> cases[] = {
        {0, 0, "c"}, {1, 0, "a"},  {4, 0, ""},   {-1, 0, ""}, {2, 26, "2"}, {0, 26, "3"},
        {4, 26, ""}, {2, 45, "2"}, {-1, 45, ""}, {2, 60, ""}, {2, -1, ""},  {2, 27, ""}};
    for (const auto& [row, column, expected] : cases) {
        EXPECT_EQ(table.GetCell(row, column), expected) << "row " << row << " column " << column;
    }
}

// A whole row written at once: packed in one pass when its columns ascend, else as writes one
// by one would leave it; texts taken from the row itself survive either way.
TEST(superarrayTest, RowsAreWrittenWholeAtOnce) {
    const std::string tall(300, 'x'); // a length of two bytes
    using Cells = std::vector<PackedRow::CellText>;
    PackedRow row;
    const auto shown = [&row] {
        std::string cells;
        for (int32_t column = 0; column < PackedRow::Cells; ++column) {
            const std::string_view text = row.Cell(column);
            cells += text.empty() ? "" : std::to_string(column) + "=" + std::string(text) + " ";
        }
        return cells;
    };
    const std::tuple<const char*, Cells, std::string> cases[] = {
        {"ascending", {{1, "640"}, {2, "480"}, {25, tall}}, "1=640 2=480 25=" + tall + " "},
        {"empty and out of range", {{-1, "a"}, {0, ""}, {3, "b"}, {26, "c"}}, "3=b "},
        {"any order, a column twice", {{5, "e"}, {2, "b"}, {5, "f"}}, "2=b 5=f "},
        {"none", {}, ""},
    };
    for (const auto& [name, cells, expected] : cases) {
        row.SetCell(7, "old");
        row.SetCells(cells);
        EXPECT_EQ(shown(), expected) << name;
    }
    row.SetCells(Cells{{1, "640"}, {2, tall}});
    row.SetCells(Cells{{1, row.Cell(2)}, {2, row.Cell(1)}});
    EXPECT_EQ(shown(), "1=" + tall + " 2=640 ");
    row.SetCells(Cells{{2, row.Cell(1)}, {1, row.Cell(2)}});
    EXPECT_EQ(shown(), "1=640 2=" + tall + " ");
}

// Many rows added at once are written in two parts, on two threads; they follow the rows
// before them, also those of a sorted table, with insertion numbers as AddRow gives them.
TEST(superarrayTest, ManyRowsAreAddedInParts) {
    for (const int32_t count : {0, 5, 8191, 8192, 20001}) {
        SCOPED_TRACE(count);
        superarray table = TableOf();
        for (const char* text : {"b", "c", "a"}) {
            table.AddRowText(text, 0);
        }
        table.SortBy("-alphabetical");
        std::vector<int> written(static_cast<std::size_t>(count), 0);
        table.AddRows(count, [&](int32_t first, int32_t end, superarray::RowWriter& writer) {
            for (int32_t i = first; i < end; ++i) {
                ++written[static_cast<std::size_t>(i)];
                const std::string text = std::to_string(i);
                const PackedRow::CellText cells[] = {{1, text}, {2, "x"}};
                writer.Next(cells);
            }
        });
        EXPECT_TRUE(std::all_of(written.begin(), written.end(), [](int n) { return n == 1; }));
        ASSERT_EQ(table.Count(), count + 3);
        EXPECT_EQ(table.GetCell(1, 0) + table.GetCell(2, 0) + table.GetCell(3, 0), "cba");
        for (int32_t row = 4; row <= table.Count(); ++row) {
            ASSERT_EQ(table.GetCell(row, 1), std::to_string(row - 4)) << row;
            ASSERT_EQ(table.GetCell(row, 2) + table.GetCell(row, 45), "x" + std::to_string(row));
        }
    }
    // A full table takes no more.
    superarray full = TableOf();
    full.SetCount(INT32_MAX);
    bool called = false;
    full.AddRows(1, [&](int32_t, int32_t, superarray::RowWriter&) { called = true; });
    EXPECT_FALSE(called);
    EXPECT_EQ(full.Count(), INT32_MAX);
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
    superarray table = TableOf();
    for (const auto& [name, act, count, length] : cases) {
        act(table);
        EXPECT_EQ(table.Count(), count) << name;
        EXPECT_EQ(table.Length(), length) << name;
        EXPECT_EQ(table.GetCell(0, 26), count == 0 ? "" : std::to_string(count)) << name;
    }
}

TEST(superarrayTest, ShownTextIsGroupedThenSuffixed) {
    DigitGroupSeparator = "'";
    superarray table = TableOf();
    table.SetCount(1233);
    table.AddRowText("1234", 7); // row and insertion number 1234
    table.SetCell(0, 3, "1234.5");
    table.Columns[3].Suffix = "%";
    table.Columns[7].Suffix = "00"; // grouped before the suffix is added
    table.Columns[3].GroupDigits = table.Columns[7].GroupDigits = true;
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
    // Rows 2 and 3 share their first 8 bytes when the case is ignored.
    superarray table = TableOf("VCD PAL|Digital8 PAL|digital8 NTSC|1080/24p|Acadademy|1.85:1");
    const char* sizes[][2] = {{"640", "480"}, {"1024", "768"}, {"640", "360"},
                              {"320", "240"}, {"1024", "576"}, {"640", "480"}};
    for (int32_t row = 1; row <= 6; ++row) {
        table.SetCell(row, 1, sizes[row - 1][0]);
        table.SetCell(row, 2, sizes[row - 1][1]);
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
    for (const auto& [separator, keys, order] : cases) {
        table.KeySeparator = separator;
        table.SortBy(keys);
        EXPECT_EQ(Joined(table, superarray::InsertionColumn), order) << "'" << keys << "'";
    }
}

TEST(superarraySortTest, SourcedColumnSortsByItsComputedText) {
    superarray table = TableOf("bb|a|ccc|Ab");
    // Column 2 reads as the length of column 0, and is never stored.
    table.Columns[2].Source = [](const superarray& t, int32_t row) {
        return std::to_string(t.GetCell(row, 0).size());
    };
    table.RegisterSortName(2, "length");
    EXPECT_EQ(table.GetCell(3, 2), "3");
    table.SortBy("-length,alphabetical");
    EXPECT_EQ(Joined(table, 0), "ccc|Ab|bb|a");
}

// A tall table's texts and leads are made by two threads; the order is a plain sort's.
TEST(superarraySortTest, TallTablesSortTheirTextsLikeAPlainSort) {
    std::mt19937 random(5);
    superarray table = TableOf();
    // Column 2 reads as column 0 backwards, and is never stored.
    table.Columns[2].Source = [](const superarray& t, int32_t row) {
        std::string text = t.GetCell(row, 0);
        std::reverse(text.begin(), text.end());
        return text;
    };
    table.RegisterSortName(2, "backwards");
    std::vector<std::string> texts(9000);
    for (std::string& text : texts) {
        for (int n = std::uniform_int_distribution<int>(0, 9)(random); n > 0; --n) {
            text += "aAbB "[std::uniform_int_distribution<int>(0, 4)(random)];
        }
        table.AddRowText(text, 0);
    }
    const auto lower = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(), ::tolower);
        return text;
    };
    const auto backwards = [&](std::string text) {
        std::reverse(text.begin(), text.end());
        return lower(text);
    };
    // Keys, and what orders two texts by them; ties keep the order they were added in.
    const std::pair<const char*, std::function<bool(const std::string&, const std::string&)>>
        cases[] = {{"alphabetical", [&](auto& a, auto& b) { return lower(a) < lower(b); }},
                   {"-Alphabetical", [](auto& a, auto& b) { return b < a; }},
                   {"backwards", [&](auto& a, auto& b) { return backwards(a) < backwards(b); }}};
    for (const auto& [keys, before] : cases) {
        std::vector<std::string> model = texts;
        std::stable_sort(model.begin(), model.end(), before);
        std::string expected;
        for (const std::string& text : model) {
            expected += (&text == &model[0] ? "" : "|") + text;
        }
        table.SortBy(keys);
        EXPECT_EQ(Joined(table, 0), expected) << keys;
    }
}

TEST(superarraySortTest, NumericColumnsOrderNumbersByValue) {
    // Keys, the rows as added, the order they sort into.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"n", "1024|640|96|768|7", "7|96|640|768|1024"},
        {"-n", "1024|640|96|768|7", "1024|768|640|96|7"},
        {"n", "100|56.25|6.25|400|56.5|0.5", "0.5|6.25|56.25|56.5|100|400"},
        {"n", "16 / 12|-320 / -240|0 / 0|-16 / -12|-320 / -9",
         "-320 / -240|-320 / -9|-16 / -12|0 / 0|16 / 12"},
        {"n", "1,2,4,8|1,2,3,6|1,2,3|1,5", "1,2,3|1,2,3,6|1,2,4,8|1,5"},
        {"n", "768:768 (+0:+192)|96:96 (+0:+24)|768:576 (+0:+0)|1024:1024 (+0:+256)",
         "96:96 (+0:+24)|768:576 (+0:+0)|768:768 (+0:+192)|1024:1024 (+0:+256)"},
        // Equal numbers fall back to the text; no number at all goes first; digits beyond the
        // packed prefix and beyond 64 bits still decide.
        {"n", "5x|5.0|05||-0|5", "|-0|05|5|5.0|5x"},
        {"n",
         "12345678901234567891|12345678901234567890|-12345678901234567891|-1234567890123456789"
         "0",
         "-12345678901234567891|-12345678901234567890|12345678901234567890|12345678901234567891"},
        // A minus after a digit joins numbers instead of signing one.
        {"n", "5-3|5-2|-5", "-5|5-2|5-3"},
        // A number too long for the packed lists' digit count.
        {"n", "3|2,123456789012345", "2,123456789012345|3"},
    };
    for (const auto& [keys, texts, order] : cases) {
        superarray table = NumericTable();
        AddRows(table, texts, 1).SortBy(keys);
        EXPECT_EQ(Joined(table, 1), order) << keys << " " << order;
    }
    // Other columns still compare as text.
    superarray plain = TableOf("1024|640|96");
    plain.Sort();
    EXPECT_EQ(Joined(plain, 0), "1024|640|96");
}

// Lists of whole numbers (like divisor lists, which mostly share their first numbers) in a
// random order sort like a plain model: number by number by value, a shorter list first,
// then the text. One case mixes in a fraction, which the lists' packed keys cannot hold; one
// gives the column's numbers without its texts (then the texts are canonical, and some lists
// are too long for the numbers asked), and one does so but for a fraction.
TEST(superarraySortTest, NumberListsSortLikeAPlainModel) {
    std::mt19937 random(77);
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    // Each number keyed by its count of whole digits without leading zeros, those digits,
    // then its fraction digits; the lists of keys compare element by element.
    using Keys = std::vector<std::tuple<std::size_t, std::string, std::string>>;
    static const std::regex number(R"((\d+)(?:\.(\d+))?)");
    const auto keysOf = [](const std::string& text) {
        Keys keys;
        for (std::sregex_iterator it(text.begin(), text.end(), number), end; it != end; ++it) {
            std::string whole = (*it)[1].str();
            whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
            keys.emplace_back(whole.size(), whole, (*it)[2].str());
        }
        return keys;
    };
    const auto leadingNumbers = [](const superarray& t, int32_t row,
                                   std::span<int64_t> out) -> std::optional<std::size_t> {
        const std::string text = t.GetCell(row, 1);
        std::size_t count = 0;
        for (std::sregex_iterator it(text.begin(), text.end(), number), end;
             it != end && count < out.size(); ++it) {
            if ((*it)[2].matched) {
                return std::nullopt;
            }
            out[count++] = std::stoll((*it)[1].str());
        }
        return count;
    };
    for (const auto& [withFraction, withNumbers] :
         {std::pair{false, false}, {true, false}, {false, true}, {true, true}}) {
        superarray table = NumericTable();
        if (withNumbers) {
            table.Columns[1].LeadingNumbers = leadingNumbers;
        }
        std::vector<std::pair<Keys, std::string>> model;
        // Tall enough that a sort shares the rows with a second thread, the fraction in its half.
        constexpr int Rows = 9000;
        for (int row = 0; row < Rows; ++row) {
            std::string text = pick(0, 9) == 0 ? "" : "1";
            // Beyond 14 digits no number packs: only one variant has them.
            const int longest = withFraction && !withNumbers ? 16 : 14;
            for (int n = pick(0, 12); n > 0; --n) {
                const int digits = pick(0, 3) == 0 ? pick(1, longest) : pick(1, 2);
                text += ',';
                for (int d = 0; d < digits; ++d) {
                    // Numbers given without texts come from canonical texts.
                    text += static_cast<char>('0' + pick(withNumbers && d == 0 ? 1 : 0, 9));
                }
            }
            if (withNumbers && text.starts_with(',')) {
                text.erase(0, 1); // no empty first number
            }
            // Lists that share their start but for numbers cut by the packed key, or that
            // have more numbers than are asked for.
            if (withNumbers && pick(0, 9) == 0) {
                text = "0";
                for (int n = pick(25, 35); n > 0; --n) {
                    text += ",0";
                }
                text += ",99" + std::to_string(pick(0, 999));
            }
            text = withFraction && row == Rows - 1 ? "1,2.5" : text;
            table.AddRowText(text, 1);
            model.emplace_back(keysOf(text), text);
        }
        for (const char* keys : {"n", "-n"}) {
            keys[0] == '-' ? std::sort(model.rbegin(), model.rend())
                           : std::sort(model.begin(), model.end());
            std::string expected;
            for (const auto& [numbers, text] : model) {
                expected += (&text == &model[0].second ? "" : "|") + text;
            }
            table.SortBy(keys);
            EXPECT_EQ(Joined(table, 1), expected)
                << keys << (withFraction ? " with a fraction" : "")
                << (withNumbers ? " from numbers" : "");
        }
    }
}

TEST(superarraySortTest, SortNamesTake200Slots) {
    superarray table = TableOf();  // "alphabetical", "filesize" and "="
    table.RegisterSortName(1, ""); // takes no slot
    for (int i = 4; i <= 201; ++i) {
        table.RegisterSortName(1, "Name" + std::to_string(i));
    }
    EXPECT_EQ(table.FindSortName("NAME200"), 200);
    EXPECT_EQ(table.FindSortName("name201"), 0);
}

// Random edits and sorts against a plain model: rows of 26 texts and an insertion number.
TEST(superarrayTest, MatchesPlainModel) {
    std::mt19937 random(1234);
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    using Row = std::vector<std::string>; // cells 0..25, then the insertion number
    std::vector<Row> model;
    Row blank(27);
    blank[26] = "0"; // slots added by SetLength and SetCount have no insertion number
    superarray table = TableOf();
    for (int step = 0; step < 1000; ++step) {
        const int count = static_cast<int>(model.size());
        const int op = pick(0, 12), row = pick(-1, count + 1), column = pick(-2, 30);
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
        } else if (op == 12) {
            // Whole rows at once: mostly in ascending columns, else in any order, columns
            // out of range and repeated ones included (the last of a column holds).
            std::vector<int32_t> columns(static_cast<std::size_t>(pick(0, 4)));
            for (int32_t& each : columns) {
                each = pick(0, 3) == 0 ? pick(-2, 30) : pick(0, 25);
            }
            if (pick(0, 2) > 0) {
                std::sort(columns.begin(), columns.end());
                columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
            }
            std::vector<std::string> texts;
            for (std::size_t i = 0; i < columns.size(); ++i) {
                texts.push_back(i % 2 == 0 ? text : std::to_string(pick(0, 99999)));
            }
            std::vector<PackedRow::CellText> cells;
            Row added = blank;
            for (std::size_t i = 0; i < columns.size(); ++i) {
                cells.push_back({columns[i], texts[i]});
                if (columns[i] >= 0 && columns[i] < 26) {
                    added[static_cast<std::size_t>(columns[i])] = texts[i];
                }
            }
            // None to a few such rows at once.
            const int rows = pick(0, 3);
            for (int i = 0; i < rows; ++i) {
                model.push_back(added);
                model.back()[26] = std::to_string(model.size());
            }
            table.AddRows(rows, [&](int32_t first, int32_t end, superarray::RowWriter& writer) {
                for (int32_t i = first; i < end; ++i) {
                    writer.Next(cells);
                }
            });
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
        std::vector<int32_t> inMemory;
        table.VisitRowsInMemoryOrder([&](int32_t r) { inMemory.push_back(r); });
        std::sort(inMemory.begin(), inMemory.end());
        std::vector<int32_t> numbers(model.size());
        std::iota(numbers.begin(), numbers.end(), 1);
        ASSERT_EQ(inMemory, numbers) << "step " << step;
        // The rows holding one text: mostly one that some row holds, else the step's text (an
        // empty one is every blank cell's).
        const int probe = pick(-1, 26);
        const bool inRange = probe >= 0 && probe < 26;
        const std::string wanted =
            !model.empty() && inRange && pick(0, 2) > 0
                ? model[static_cast<std::size_t>(pick(0, static_cast<int>(model.size()) - 1))]
                       [probe]
                : text;
        std::vector<int32_t> holding;
        for (int32_t r = 1; r <= table.Count(); ++r) {
            if ((inRange ? model[r - 1][probe] : "") == wanted) {
                holding.push_back(r);
            }
        }
        ASSERT_EQ(table.RowsWithStoredText(probe, wanted), holding) << "step " << step;
        for (int32_t r = 1; r <= table.Count(); ++r) {
            for (int32_t c = 0; c <= 26; ++c) {
                ASSERT_EQ(table.GetCell(r, c == 26 ? 45 : c), model[r - 1][c]) << "step " << step;
            }
        }
    }
}

} // namespace
