#include "easygrid/ColumnModel.h"
#include "model/ResultColumns.h"
#include "superarray/superarray.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <unordered_set>
#include <vector>

namespace {

// Ids in record order, hidden ones marked "-".
std::string Records(const ColumnModel& model) {
    std::string out;
    for (const ColDataT& col : model.Records()) {
        out += std::to_string(col.Id) + (col.Visible ? " " : "- ");
    }
    return out;
}

// The result list's columns as the window declares them, "dividable by" ones hidden.
struct ResultRecords {
    superarray Table;
    ColumnModel Model;
    ResultRecords() {
        Table.Init();
        Model.Table = &Table;
        Model.LayoutsText = "Width,Height,Area%,Area (h*w),PixelDif,Letterboxed,Letterboxed "
                            "Height:Width for rotated movies|Width,Height,Width dividable by,"
                            "Height dividable by";
        Model.AddKeyedColumn("#", 26, "Number", "", "10|20|50");
        Model.AddPlainColumn("Data", 0, "80");
        Model.PlaceholderPresent = true;
        for (const ResultColumnDecl& column : ResultColumns) {
            Model.AddColumn(std::string(column.Name), column.Id, std::string(column.Name), "10|30");
        }
        for (const int id : {26, int{WidthDivisorsColumn}, int{HeightDivisorsColumn}}) {
            Model.SetVisible(id, false);
        }
    }
};

TEST(ColumnModel, DeclarationsReplaceThePlaceholderAndResetInPlace) {
    ResultRecords c;
    EXPECT_EQ(Records(c.Model), "26- 1 2 3 4 5 7- 6- 8 ");
    EXPECT_FALSE(c.Model.PlaceholderPresent);
    c.Model.SetSizeSpec(4, "5");
    c.Model.SetHeader(4, "Area");
    c.Model.SetVisible(4, false);
    EXPECT_EQ(c.Model.DeclareColumn("Again", 4), 5); // keeps its place, every field reset
    const ColDataT& again = *c.Model.Column(4);
    EXPECT_EQ(again.Header + "|" + again.Caption + "|" + again.Key + "|" + again.SizeSpec,
              "Again|Again|again|0.1|20");
    EXPECT_TRUE(again.Visible && again.InMenu);
    EXPECT_EQ(c.Model.DeclareColumn("None", -1), -1);
    EXPECT_EQ(c.Model.ColumnCount(), 9);
    EXPECT_FALSE(c.Model.SetSizeSpec(4, "")); // an empty rule would shift later widths
    EXPECT_FALSE(c.Model.SetSizeSpec(99, "5"));
    EXPECT_EQ(again.SizeSpec, "0.1|20");
}

TEST(ColumnModel, KeysFollowTheTablesSeparator) {
    ResultRecords c; // "Width" has the key "width"
    c.Table.SortSpec = "width";
    c.Model.AddColumn("Extra", 9, "E", "1"); // a declaration alone keeps the sort
    EXPECT_EQ(c.Table.SortSpec, "width");
    c.Model.AddKeyedColumn("Area", 3, "A", "SIZE", "1"); // an explicit key empties it
    EXPECT_EQ(c.Table.SortSpec, "");
    EXPECT_EQ(c.Model.Column(3)->Key, "size");
    EXPECT_GT(c.Table.FindSortName("size"), 0);
    // One character a key without a separator: SortMarksRankTheShownKeys.
}

TEST(ColumnModel, LookupsAnswerMinusOneOutsideTheRecords) {
    ResultRecords c;
    const ColumnModel& m = c.Model;
    const std::tuple<const char*, int32_t, int32_t> cases[] = {
        {"ColumnIdAt(-1)", m.ColumnIdAt(-1), -1},
        {"ColumnIdAt(0)", m.ColumnIdAt(0), 1},
        {"ColumnIdAt(last)", m.ColumnIdAt(5), 8},
        {"ColumnIdAt(past the end)", m.ColumnIdAt(6), -1},
        {"ColumnIndexAt(5)", m.ColumnIndexAt(5), 9},
        {"ColumnIndexAt(past the end)", m.ColumnIndexAt(6), -1},
        {"ColumnIndex(-1)", m.ColumnIndex(-1), -1},
        {"ColumnIndex(unknown)", m.ColumnIndex(99), -1},
        {"VisiblePos(8)", m.VisiblePos(8), 5},
        {"VisiblePos(hidden)", m.VisiblePos(7), -1},
        {"VisiblePos(unknown)", m.VisiblePos(99), -1},
        {"ColumnIdByKey(WIDTH)", m.ColumnIdByKey("WIDTH"), 1},
        {"ColumnIdByKey(blank first)", m.ColumnIdByKey(" Width"), -1},
        {"ColumnIdByKey(blanks inside, any case)", m.ColumnIdByKey("Height dividable BY"), 6},
        {"ColumnIdByKey(empty)", m.ColumnIdByKey(""), -1}, // "#" has an empty key
        {"VisibleColumnCount", m.VisibleColumnCount(), 6}};
    for (const auto& [name, got, expected] : cases) {
        EXPECT_EQ(got, expected) << name;
    }
    EXPECT_FALSE(c.Model.SetVisible(1, true)); // already visible
    EXPECT_FALSE(c.Model.SetVisible(99, false) || c.Model.SetHeader(99, "x") ||
                 c.Model.SetInMenu(99, false));
    EXPECT_EQ(c.Model.Column(99), nullptr);
}

TEST(ColumnModel, MovesOnlyBetweenShownColumns) {
    ResultRecords c;
    EXPECT_TRUE(c.Model.MoveColumn(4, 0)); // PixelDif to where Width stood
    EXPECT_EQ(Records(c.Model), "26- 5 1 2 3 4 7- 6- 8 ");
    EXPECT_TRUE(c.Model.MoveColumn(1, 5)); // Width to Letterboxed's record, past hidden ones
    for (const auto& [from, to] : {std::pair{0, 6}, {6, 0}, {-1, 2}, {2, -1}}) {
        EXPECT_FALSE(c.Model.MoveColumn(from, to)) << from << "->" << to;
    }
    EXPECT_EQ(Records(c.Model), "26- 5 2 3 4 7- 6- 8 1 ");
    std::string headers;
    for (const ColDataT& col : c.Model.VisibleColumns()) {
        headers += col.Header + ";";
    }
    EXPECT_EQ(headers, "PixelDif;Height;Area%;Area (h*w);Letterboxed;Width;");
}

TEST(ColumnModel, LayoutsCycleInRecordOrder) {
    const std::tuple<const char*, bool, int32_t, const char*> cases[] = {
        {nullptr, true, 2, "26- 1 2 3- 4- 5- 7 6 8- "}, // nullptr: the model's own layouts
        {nullptr, true, 1, "26- 1 2 3 4 5 7- 6- 8 "},
        {nullptr, true, 2, "26- 1 2 3- 4- 5- 7 6 8- "},
        {"", false, 2, "26- 1 2 3- 4- 5- 7 6 8- "},
        {"|", false, 1, "26- 1 2 3- 4- 5- 7 6 8- "}, // an empty first layout, no endless search
        {"Letterboxed,#,nothing", true, 1, "26- 1- 2- 3- 4- 5- 7- 6- 8 "},
        {"a|B|HEIGHT,width", true, 2, "26- 1- 2- 3- 4- 5- 7- 6- 8- "},
        {"a|B|HEIGHT,width", true, 3, "26- 1 2 3- 4- 5- 7- 6- 8- "}}; // order of the records
    ResultRecords c;
    for (const auto& [text, applied, index, records] : cases) {
        SCOPED_TRACE(text ? text : "next");
        EXPECT_EQ(text ? c.Model.ApplyLayout(text) : c.Model.NextLayout(), applied);
        EXPECT_EQ(c.Model.LayoutIndex, index);
        EXPECT_EQ(Records(c.Model), records);
    }
    c.Model.LayoutIndex = -5; // out of range starts over at the first layout
    c.Model.NextLayout();
    EXPECT_EQ(c.Model.LayoutIndex, 1);
}

TEST(ColumnModel, WidthsPerColumnFromTheVisibleSpecs) {
    ColumnModel model;
    const std::tuple<const char*, std::vector<std::pair<int, const char*>>, int32_t,
                     std::vector<int32_t>>
        cases[] = {// id, spec; id 9 hidden
                   {"weights", {{1, "10"}, {2, "10"}, {9, "500"}, {3, "30"}}, 500, {100, 100, 300}},
                   {"minimums", {{1, "10|30"}, {2, "30|0"}}, 80, {30, 50}},
                   {"maximum", {{1, "1||20"}, {2, "1"}}, 100, {20, 80}},
                   {"two items on one column", {{1, "100,0"}}, 400, {400, 0}},
                   {"none visible: the grid's one column", {{9, "5"}}, 300, {300}}};
    for (const auto& [name, specs, available, widths] : cases) {
        model.Clear();
        for (const auto& [id, spec] : specs) {
            model.AddColumn("c", id, "c", spec);
            model.SetVisible(id, id != 9);
        }
        EXPECT_EQ(model.ColumnWidths(available), widths) << name;
    }
}

} // namespace

TEST(ColumnModel, SortMarksRankTheShownKeys) {
    ResultRecords c; // shown: Width Height Area% Area (h*w) PixelDif Letterboxed
    // Each shown column as rank and "-" for descending, "." for none.
    const auto marks = [&c] {
        std::string out;
        for (const ColumnModel::SortMark& m : c.Model.SortMarks()) {
            out += m.Rank == 0 ? "." : (m.Descending ? "-" : "") + std::to_string(m.Rank);
            out += ' ';
        }
        return out;
    };
    const std::pair<const char*, const char*> cases[] = {
        {"", ". . . . . . "},
        {"alphabetical", ". . . . . . "}, // a key of no shown column
        {"-width", "-1 . . . . . "},
        {"Height,-area%", ". 1 -2 . . . "},                  // keys in any letter case
        {"alphabetical,width", "2 . . . . . "},              // ranks count every key
        {"width,-width", "1 . . . . . "},                    // the first mention counts
        {"height dividable by,letterboxed", ". . . . . 2 "}, // a hidden column has no mark
    };
    for (const auto& [spec, expected] : cases) {
        c.Table.SortSpec = spec;
        EXPECT_EQ(marks(), expected) << spec;
    }
    c.Table.KeySeparator.clear(); // one character a key
    c.Model.DeclareColumn("PixelDif", 5);
    c.Table.SortSpec = "a-p";
    EXPECT_EQ(marks(), ". . . . -2 . ");
}

// Few identities among many rows are sifted by their first text first; many are read whole.
// After a sort the rows lie in memory apart from their numbers; they are still found, in the
// order of their numbers.
TEST(ColumnModel, RowsAreFoundAgainByTheirIdentity) {
    for (const auto& [fillers, reversed] : {std::pair{0, false}, {40, false}, {40, true}}) {
        SCOPED_TRACE(testing::Message() << fillers << " " << reversed);
        ResultRecords c;
        for (const auto& [w, h] :
             {std::pair{"4", "3"}, {"8", "6"}, {"4", "30"}, {"8", "6"}, {"43", "0"}}) {
            c.Table.AddRow();
            c.Table.SetCell(0, 1, w);
            c.Table.SetCell(0, 2, h);
        }
        for (int row = 0; row < fillers; ++row) {
            c.Table.AddRow();
            c.Table.SetCell(0, 1, "9" + std::to_string(row));
            c.Table.SetCell(0, 2, "6");
        }
        // An unknown key name sorts by the insertion numbers alone: descending turns it round.
        const int32_t count = c.Table.Count();
        if (reversed) {
            c.Table.SortBy("-unknown");
        }
        // Where the row first added as `row` is now, and those rows in ascending order.
        const auto at = [&](std::vector<int32_t> rows) {
            for (int32_t& row : rows) {
                row = reversed ? count + 1 - row : row;
            }
            std::sort(rows.begin(), rows.end());
            return rows;
        };
        const int32_t pair[] = {1, 2};
        EXPECT_NE(c.Model.RowIdentity(at({3})[0], pair),
                  c.Model.RowIdentity(at({5})[0], pair)); // 4 30, 43 0
        const std::unordered_set<std::string> kept{c.Model.RowIdentity(at({2})[0], pair),
                                                   c.Model.RowIdentity(at({3})[0], pair), "gone\t"};
        EXPECT_EQ(c.Model.RowsWithIdentities(pair, kept), at({2, 3, 4}));
        EXPECT_TRUE(c.Model.RowsWithIdentities(pair, {}).empty());
        // One identity, as the current row alone keeps, found at every row that has it.
        EXPECT_EQ(c.Model.RowsWithIdentities(pair, {c.Model.RowIdentity(at({4})[0], pair)}),
                  at({2, 4}));
        // A first column whose texts come from a source is read through it, not as stored.
        c.Table.Columns[1].Source = [](const superarray& t, int32_t row) {
            return "w" + std::string(t.StoredCell(row, 1));
        };
        const std::unordered_set<std::string> sourced{c.Model.RowIdentity(at({5})[0], pair)};
        EXPECT_EQ(c.Model.RowsWithIdentities(pair, sourced), at({5}));
    }
}

// Columns narrower than their texts take room from those with room to spare, in proportion;
// what cannot be found widens the total.
TEST(ColumnModel, NarrowColumnsTakeTheRoomOthersSpare) {
    using Widths = std::vector<int32_t>;
    const std::tuple<const char*, Widths, std::vector<int64_t>, Widths> cases[] = {
        {"all fit", {50, 60}, {40, 60}, {50, 60}},
        {"one spares for one", {50, 100}, {70, 60}, {70, 80}},
        {"two spare in proportion", {30, 100, 50}, {60, 70, 40}, {60, 78, 42}},
        {"no room anywhere", {50, 60}, {80, 70}, {80, 70}},
        {"some room, the rest on top", {50, 70}, {80, 60}, {80, 60}},
        {"rounding takes exactly what is missing",
         {10, 12, 12, 12},
         {15, 10, 10, 10},
         {15, 11, 10, 10}},
    };
    for (const auto& [name, widths, need, expected] : cases) {
        Widths changed = widths;
        ColumnModel::WidenToNeeds(changed, need);
        EXPECT_EQ(changed, expected) << name;
    }
}

TEST(ColumnModel, SortClicksReplaceOrAddKeysAndTurnThemRound) {
    // spec, separator, key, adding, result
    const std::tuple<const char*, const char*, const char*, bool, const char*> cases[] = {
        {"alphabetical", ",", "width", false, "width"},
        {"width", ",", "width", false, "-width"},
        {"-width", ",", "width", false, "width"},
        {"width", ",", "height", true, "width,height"},
        {"width,height", ",", "height", true, "width,-height"},
        {"width,-height", ",", "height", true, "width,height"},
        {"-width,height", ",", "WIDTH", true, "width,height"},        // any letter case
        {"widths,height", ",", "width", true, "widths,height,width"}, // whole keys only
        {"", ",", "width", true, "width"},
        {"ab", "", "b", true, "a-b"}, // one character a key
        {"a", "", "b", true, "ab"},
    };
    for (const auto& [spec, separator, key, adding, result] : cases) {
        EXPECT_EQ(ColumnModel::ChangedSort(spec, separator, key, adding), result)
            << spec << " + " << key << (adding ? " (adding)" : "");
    }
}
