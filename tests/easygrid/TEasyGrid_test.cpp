#include "ResultGrid.h"
#include "gridctl/TGridHeader.h"

#include <QFontMetrics>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

TEST(TEasyGrid, DefaultColumnsGiveWayToTheFirstDeclaration) {
    ResultGrid g(0, false);
    // The column items list the records in their order, by caption, shown ones checked.
    const int32_t first = g.Ctl.Columns.Column(45)->MenuPos;
    EXPECT_EQ(MenuText(*g.Grid, first), "Original number;Number;*Data;");
    EXPECT_EQ(g.Cell(0, 0), "Data");
    g.Ctl.AddColumn("Area%", 3, "Area as %", "30|0");
    EXPECT_EQ(MenuText(*g.Grid, first), "Original number;Number;*Area as %;");
}

TEST(TEasyGrid, MenuTogglesColumnsAndLayoutsCycle) {
    // ctrl-F2 cycles the window's layouts; which columns a layout text shows, whether it names
    // them or not: ColumnModel.LayoutsCycleInRecordOrder.
    const std::string second = "Width;Height;Width dividable by;Height dividable by;";
    ResultGrid g;
    EXPECT_EQ(g.Layout(), Shown);
    EXPECT_EQ(MenuText(*g.Grid),
              "Save grid as Html;Print Grid;|;Font..;Proportional Font on/off;Reset Font;|;"
              "*Grid bands;Vertical lines;Horizontal lines;|;Maximize grid on/off (ctrl-F4);|;"
              "Cycle thru column layouts (ctrl-F2);Sort by the current column (ctrl-F6);"
              "Unsorted list (ctrl-F7);|;Number;*Width;*Height;*Area as %;"
              "*Area as Height*Width;*PixelDifference;Width dividable by;Height dividable by;"
              "*Letterboxed;");
    // Clicking a column's menu item toggles it at its old place.
    const int32_t width = g.Ctl.Columns.Column(1)->MenuPos;
    g.Trigger(width);
    EXPECT_EQ(g.Layout(), Shown.substr(6));
    EXPECT_EQ(MenuText(*g.Grid, width, width), "Width;");
    g.Trigger(width);
    EXPECT_EQ(g.Layout(), Shown);
    for (const std::string& expected : {second, Shown}) {
        QTest::keyClick(g.Edit, Qt::Key_F2, Qt::ControlModifier);
        EXPECT_EQ(g.Layout(), expected);
    }
    // The window's handler ran after the controller's, and the edit still got its key.
    EXPECT_EQ(g.Calls, (Texts{"key" + second, "key" + Shown}));
    EXPECT_EQ(std::count(g.Edit->Keys.begin(), g.Edit->Keys.end(), Qt::Key_F2), 2);
}

// Scrolled to its end, a grid whose height is no whole number of rows shows part of the row
// above the last screenful; that row, like every other in view, has its text.
TEST(TEasyGrid, EveryRowInViewHasItsTextAtAnyHeightAndPosition) {
    ResultGrid g(300);
    g.Ctl.Refresh();
    // Each height starts at the end of the list: the resize alone shows other rows there.
    for (int height = 90; height <= 400; height += 5) {
        g.Grid->resize(700, height);
        for (const int top : {0, 1, 150, 40, 100000}) {
            if (top > 0) {
                g.Grid->SetTopRow(top);
            }
            const int first = g.Grid->rowAt(0);
            const int last = g.Grid->rowAt(g.Grid->viewport()->height() - 1);
            ASSERT_GE(first, 0);
            for (int row = first; row <= (last < 0 ? 299 : last); ++row) {
                ASSERT_EQ(g.Cell(0, row + 1), std::to_string(1000 + (row + 1) * 4))
                    << "height " << height << ", top " << top << ", row " << row + 1;
            }
        }
    }
}

// The other layout and back fill the client width of a tall list, as the first did: its
// scroll bar stays while the grid changes its columns under the rows.
TEST(TEasyGrid, LayoutsFillTheClientWidthOfATallList) {
    ResultGrid g(1000);
    g.Ctl.Refresh();
    for (int change = 0; change < 2; ++change) {
        g.Ctl.NextLayout();
        int sum = 0;
        for (int c = 0; c < g.Grid->ColumnCount(); ++c) {
            sum += g.Grid->ColumnWidth(c) + g.Grid->GridLineWidth();
        }
        EXPECT_EQ(sum, g.Grid->ClientWidth()) << g.Layout();
        EXPECT_TRUE(g.Grid->verticalScrollBar()->isVisible());
    }
}

// A large bold font in a narrow grid: every header stays whole, and the columns still fill
// the client width exactly while there is room to share. How the room is shared:
// ColumnModel.NarrowColumnsTakeTheRoomOthersSpare.
TEST(TEasyGrid, ColumnsKeepTheirHeadersWholeInALargerFont) {
    ResultGrid g(10);
    g.Ctl.SetFont(QFont("DejaVu Sans", 12, QFont::Bold));
    const QFontMetrics metrics(g.Grid->Font());
    for (const int width : {700, 520}) {
        g.Grid->resize(width, g.Grid->height());
        g.Ctl.Refresh();
        int sum = 0;
        for (int c = 0; c < g.Grid->ColumnCount(); ++c) {
            EXPECT_GE(g.Grid->ColumnWidth(c), metrics.horizontalAdvance(g.Grid->Cell(c, 0)))
                << width << ": " << g.Cell(c, 0);
            sum += g.Grid->ColumnWidth(c) + g.Grid->GridLineWidth();
        }
        EXPECT_EQ(sum, g.Grid->ClientWidth()) << width;
    }

    // Short texts in view are kept whole too when asked: a number cut at the edge would read
    // as another number. Where the grid is too narrow for them it scrolls sideways.
    g.Ctl.WholeTextChars = 24;
    g.Table.SetCell(3, 8, "32768:32768 (+0:+8192)");
    for (const auto& [width, style] : {std::pair{300, TGridControl::ssBoth},
                                       {1400, TGridControl::ssVertical},
                                       {300, TGridControl::ssBoth}}) {
        g.Grid->resize(width, g.Grid->height());
        g.Ctl.Refresh();
        for (int c = 0; c < g.Grid->ColumnCount(); ++c) {
            for (int row = 1; row <= 10; ++row) {
                EXPECT_GE(g.Grid->ColumnWidth(c), metrics.horizontalAdvance(g.Grid->Cell(c, row)))
                    << width << ": " << g.Cell(c, row);
            }
        }
        EXPECT_EQ(g.Grid->ScrollBars(), style) << width;
    }
}

TEST(TEasyGrid, FillsOnlyTheRowsInViewOrNoData) {
    ResultGrid g;
    // Table rows, grid rows, the last row written.
    for (const auto& [rows, gridRows, lastWritten] :
         {std::tuple{0, 2, 0}, {3, 4, 3}, {1000, 1001, 72}}) {
        g.Fill(rows);
        g.Ctl.Refresh();
        EXPECT_EQ(g.Grid->RowCount(), gridRows) << rows;
        for (int r = 1; r < g.Grid->RowCount(); ++r) {
            const std::string expected = r <= lastWritten ? std::to_string(1000 + r * 4) : "";
            ASSERT_EQ(g.Cell(0, r), expected) << rows << " rows, row " << r;
        }
    }
    int rewrites = 0;
    const QMetaObject::Connection counting = QObject::connect(
        g.Grid->model(), &QAbstractItemModel::dataChanged, [&rewrites] { ++rewrites; });
    g.Fill(1000); // rebuilt with the same texts: nothing is rewritten
    g.Ctl.Refresh();
    QObject::disconnect(counting);
    EXPECT_EQ(rewrites, 0);
    g.Grid->SetTopRow(500); // the grid's scroll event refills
    for (int r = 1; r <= 1000; ++r) {
        const bool written = r >= 500 && r <= 571;
        ASSERT_EQ(g.Cell(1, r), written ? std::to_string(1000 + (1000 - r) * 3) : "")
            << "row " << r;
    }
    g.Ctl.ShowWholeTable(g.Table); // its jump back to row 1 must not refill the view only
    EXPECT_EQ(g.Cell(1, 1) + g.Cell(1, 1000), std::to_string(1000 + 999 * 3) + "1000");
    // After a whole fill of thousands of rows, the next fill empties the grid at once.
    g.Fill(3000);
    g.Ctl.ShowWholeTable(g.Table);
    g.Grid->SetTopRow(2500);
    EXPECT_EQ(g.Cell(0, 2400) + "|" + g.Cell(0, 2500) + "|" + g.Cell(0, 2600),
              "|" + std::to_string(1000 + 2500 * 4) + "|");
    g.Fill(1000);
    g.Ctl.Refresh();
    for (int id : {1, 2, 3, 4, 5, 8}) {
        g.Ctl.HideColumn(id, true);
    }
    EXPECT_EQ(g.Layout(), "No Data;");
    EXPECT_EQ(g.Grid->RowCount(), 2);
    EXPECT_EQ(g.Cell(0, 1), "");
    g.Ctl.ShowColumn(3, true);
    EXPECT_EQ(g.Layout(), "Area%;");
    EXPECT_EQ(g.Cell(0, 1), "a1");
}

TEST(TEasyGrid, AltClicksHideAColumnOnceTheButtonIsUp) {
    ResultGrid g(10);
    g.Ctl.Refresh();
    g.Click(2, 5, Qt::AltModifier); // a data cell of "Area%"
    EXPECT_EQ(g.Layout(), "Width;Height;Area (h*w);PixelDif;Letterboxed;");
    g.Click(0, 0, Qt::AltModifier); // a header
    EXPECT_EQ(g.Layout(), "Height;Area (h*w);PixelDif;Letterboxed;");
    // Alt is still held: rows outside the grid and positions without a column do nothing.
    for (const auto& [column, row] : {std::pair{0, -1}, {0, 11}, {9, 1}, {-1, 0}}) {
        g.Ctl.GridClickCell(column, row);
    }
    EXPECT_EQ(g.Ctl.Columns.VisibleColumnCount(), 4);
    g.Ctl.ShowColumn(26, true); // "#" has no key and does not sort
    g.Table.SortSpec = "height";
    g.Click(0, 0, Qt::ShiftModifier);
    EXPECT_EQ(g.Table.SortSpec, "height");
    // Hiding waits for the button held down to come up.
    QTest::mousePress(g.Grid->viewport(), Qt::LeftButton, {}, QPoint(5, 30));
    bool released = false;
    QTimer::singleShot(0, g.Grid, [&] {
        QTest::mouseRelease(g.Grid->viewport(), Qt::LeftButton, {}, QPoint(5, 30));
        released = true;
    });
    EXPECT_TRUE(g.Ctl.HideColumn(2, true));
    EXPECT_TRUE(released);
}

TEST(TEasyGrid, DraggedColumnMovesTheRecords) {
    ResultGrid g(10);
    g.Ctl.Refresh();
    g.Grid->horizontalHeader()->moveSection(2, 0);
    const std::string order = "Area%;Width;Height;Area (h*w);PixelDif;Letterboxed;";
    EXPECT_EQ(g.Layout(), order);
    // The menu lists the columns in their new order.
    const int32_t number = g.Ctl.Columns.Column(superarray::RowNumberColumn)->MenuPos;
    EXPECT_EQ(MenuText(*g.Grid, number + 1, number + 2), "*Area as %;*Width;");
    g.Ctl.MoveColumn(1, 9); // no column shown at 9: nothing moves
    g.Table.SetCell(1, 3, "changed");
    g.Ctl.Refresh();
    EXPECT_EQ(g.Layout(), order);
    EXPECT_EQ(g.Cell(0, 1) + g.Cell(1, 1), "changed1004");
    g.Table.SetCell(1, 1, "not shown");
    EXPECT_FALSE(g.Ctl.ShowColumn(1, true)); // already shown: no change, no redraw
    EXPECT_EQ(g.Cell(1, 1), "1004");
}

TEST(TForm, PreviewsEveryKeyOnceBeforeItsTarget) {
    TForm form, other;
    auto* edit = new QLineEdit(&form);
    auto* foreign = new QLineEdit(&other);
    form.show();
    other.show();
    Texts seen;
    form.OnKeyDown = [&](QKeyEvent* e) {
        seen.push_back(e->text().toStdString() + "|" + edit->text().toStdString());
    };
    const std::tuple<const char*, QWidget*, Qt::Key, Texts> cases[] = {
        {"typed", edit, Qt::Key_A, {"a|"}},
        {"ignored by the edit, passed up", edit, Qt::Key_F2, {"|a"}},
        {"the form itself", &form, Qt::Key_B, {"b|a"}},
        {"another window", foreign, Qt::Key_C, {}}};
    for (const auto& [name, target, key, expected] : cases) {
        seen.clear();
        QTest::keyClick(target, key);
        EXPECT_EQ(seen, expected) << name;
    }
    EXPECT_EQ(edit->text(), "a");
}

TEST(TForm, ControllerChainsTheWindowsHandlers) {
    ResultGrid g(5);
    g.Grid->resize(400, g.Grid->height()); // the widths no longer fit
    g.Form.resize(800, 700);
    g.Ctl.Attach(g.Grid, &g.Table, true, false); // keeps the window's handlers, not its own
    g.Grid->resize(500, g.Grid->height());
    g.Form.resize(700, 700);
    QTest::keyClick(g.Edit, Qt::Key_X);
    EXPECT_EQ(g.Calls, (Texts{"resize fitted", "resize fitted", "key" + g.Layout()}));
}

} // namespace

// The current row goes with its pair into the sorted list, as the one selected row, apart
// from the selection, or among several selected rows.
TEST(TEasyGrid, CurrentRowFollowsItsPair) {
    ResultGrid g(10); // row r holds width 1000 + 4r
    g.Ctl.IdentityColumns = {1, 2};
    g.Ctl.Refresh();
    const std::tuple<std::vector<int>, int> cases[] = {{{3}, 3}, {{2}, 3}, {{3, 6}, 3}};
    for (const auto& [selected, current] : cases) {
        g.Ctl.Unsort();
        g.Grid->SelectRows(selected);
        g.Grid->MoveCurrentRow(current);
        g.Table.SortSpec = "-width";
        g.Ctl.SortTable();
        EXPECT_EQ(g.Grid->CurrentRow(), 8) << "width 1012, " << selected.size() << " selected";
    }
}

// Shift-clicks on a header sort, ctrl-shift adds the column; how a click edits the sort keys in
// every other case: ColumnModel.SortClicksReplaceOrAddKeysAndTurnThemRound.
TEST(TEasyGrid, SortMarksItsKeysSelectionFollowsAndUnsortedRestores) {
    const auto shift = Qt::ShiftModifier;
    // Column clicked, keys, the sort spec, row 1's width, the marks of the first two columns.
    const std::tuple<int, Qt::KeyboardModifiers, const char*, const char*, const char*> cases[] = {
        {0, shift, "width", "1004", "1+0+"},
        {0, shift, "-width", "1040", "1-0+"},
        {1, shift, "height", "1040", "0+1+"},
        {1, {}, "height", "1040", "0+1+"}, // a plain or ctrl click does not sort
        {0, Qt::ControlModifier, "height", "1040", "0+1+"},
        {0, Qt::ControlModifier | shift, "height,width", "1040", "2+1+"}};
    ResultGrid g(10);
    g.Table.SortSpec = "alphabetical";
    g.Ctl.IdentityColumns = {1, 2};
    g.Ctl.Refresh();
    g.Grid->SelectRows({2, 3}); // widths 1008 and 1012
    const auto selectedWidths = [&g] {
        std::string out;
        for (const int row : g.Grid->SelectedRows()) {
            out += g.Cell(0, row) + " ";
        }
        return out;
    };
    const auto marks = [&g] {
        std::string out;
        for (const int column : {0, 1}) {
            const TGridControl::TSortMark m = g.Grid->SortMarkOf(column);
            out += std::to_string(m.Rank) + (m.Descending ? "-" : "+");
        }
        return out;
    };
    for (const auto& [column, keys, spec, firstWidth, marked] : cases) {
        g.Click(column, 0, keys);
        EXPECT_EQ(g.Table.SortSpec, spec) << spec;
        EXPECT_EQ(g.Cell(0, 1), firstWidth) << spec;
        EXPECT_EQ(marks(), marked) << spec; // the header's indicator: TGridControl's suite
    }
    EXPECT_EQ(g.Grid->SelectedRows(), (std::vector<int>{8, 9}));
    EXPECT_EQ(selectedWidths(), "1012 1008 ");
    // The header is kept wide enough for its text and its mark.
    const QFontMetrics metrics(g.Grid->Font());
    EXPECT_GE(g.Grid->ColumnWidth(0),
              metrics.horizontalAdvance("Width") + TGridHeader::SortMarkRoom(metrics, 2));

    // The keyboard sorts by the current column, with shift adding it, and returns.
    g.Grid->selectionModel()->setCurrentIndex(g.Grid->model()->index(0, 1),
                                              QItemSelectionModel::NoUpdate);
    const std::pair<QKeyCombination, const char*> keys[] = {
        {Qt::CTRL | Qt::Key_F6, "height"},
        {Qt::CTRL | Qt::Key_F6, "-height"},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_F6, "height"},
        {Qt::CTRL | Qt::Key_F7, ""}};
    for (const auto& [key, spec] : keys) {
        QTest::keyClick(g.Edit, key.key(), key.keyboardModifiers());
        EXPECT_EQ(g.Table.SortSpec, spec) << key.toCombined();
    }
    g.Trigger(g.Ctl.SortItem);
    EXPECT_EQ(g.Table.SortSpec, "height");

    g.Trigger(g.Ctl.UnsortItem);
    EXPECT_EQ(g.Table.SortSpec, "");
    EXPECT_EQ(marks(), "0+0+");
    EXPECT_EQ(g.Cell(0, 1), "1004");
    EXPECT_EQ(selectedWidths(), "1008 1012 ");
    // A new list keeps what is still listed.
    const TEasyGrid::TRowsKept kept = g.Ctl.KeepRows();
    g.Table.SetCount(2);
    g.Ctl.Refresh();
    g.Ctl.RestoreRows(kept);
    EXPECT_EQ(g.Grid->SelectedRows(), (std::vector<int>{2}));

    // An empty list says why, in place of an empty row, while the reason is known.
    g.Table.SetCount(0);
    for (const char* reason : {"From is above To", ""}) {
        g.Ctl.EmptyText = reason;
        g.Ctl.Refresh();
        EXPECT_EQ(g.Grid->DataRowCount(), *reason == '\0' ? 1 : 0) << reason;
        EXPECT_EQ(g.Grid->EmptyText(), reason);
    }
}
