#include "easygrid/TEasyGrid.h"

#include "easypanel/TForm.h"
#include "gridctl/TGridControl.h"
#include "superarray/superarray.h"
#include "util/TextParse.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

const char* const Layouts = "Width,Height,Area%,Area (h*w),PixelDif,Letterboxed,Letterboxed "
                            "Height:Width for rotated movies|Width,Height,Width dividable by,"
                            "Height dividable by";

// The result grid as the window sets it up: a grid of 20 visible rows on a TForm, the
// eight result columns declared in their order, the two "dividable by" ones hidden.
struct ResultGrid {
    TForm Form;
    TGridControl* Grid = new TGridControl(&Form);
    QLineEdit* Edit = new QLineEdit(&Form);
    superarray Table;
    TEasyGrid Ctl;
    std::vector<std::string> Calls; // the window's own handlers

    explicit ResultGrid(int rows = 0) {
        Table.Init();
        Fill(rows);
        Form.OnResize = [this] { Calls.push_back(Fitted() ? "resize fitted" : "resize"); };
        Form.OnKeyDown = [this](QKeyEvent* e) {
            if (e->key() != Qt::Key_Control) { // QTest presses the modifier keys as well
                Calls.push_back("key" + Layout());
            }
        };
        Grid->setGeometry(0, 0, 700, 200);
        Form.show();
        // 20 whole rows of 21 + 1 pixels under the header.
        Grid->resize(700, Grid->height() + 20 * 22 - Grid->viewport()->height());
        Ctl.Attach(Grid, &Table, true, false);
        Ctl.RemoveFromMenu(45);
        Ctl.LayoutsText = Layouts;
        std::string names = "Width,Height,Area%,Area (h*w),PixelDif,Width dividable by,"
                            "Height dividable by,Letterboxed";
        std::string captions = "Width,Height,Area as %,Area as Height*Width,PixelDifference,"
                               "Width dividable by,Height dividable by,Letterboxed";
        for (int id : {1, 2, 3, 4, 5, 7, 6, 8}) {
            Ctl.AddColumn(CutComma(names), id, CutComma(captions), "10|30");
        }
        Ctl.HideColumn(7, true);
        Ctl.HideColumn(6, true);
        Calls.clear();
    }
    void Fill(int rows) {
        Table.Reset();
        for (int r = 1; r <= rows; ++r) {
            Table.AddRow();
            Table.SetCell(r, 1, std::to_string(1000 + r * 4)); // equal lengths sort as numbers
            Table.SetCell(r, 2, std::to_string(1000 + (rows - r) * 3));
            Table.SetCell(r, 3, "a" + std::to_string(r));
        }
    }
    // The column widths share the grid's client width.
    bool Fitted() const {
        int sum = 0;
        for (int c = 0; c < Grid->ColumnCount(); ++c) {
            sum += Grid->ColumnWidth(c) + Grid->GridLineWidth();
        }
        return sum == Grid->ClientWidth();
    }
    std::string Cell(int column, int row) const { return Grid->Cell(column, row).toStdString(); }
    // The header row, each header followed by ";".
    std::string Layout() const {
        std::string out;
        for (int c = 0; c < Grid->ColumnCount(); ++c) {
            out += Cell(c, 0) + ";";
        }
        return out;
    }
    // Captions of the menu items, checked ones marked with "*".
    Texts Menu() const {
        Texts out;
        for (QAction* a : Grid->PopupMenu()->actions()) {
            out.push_back((a->isChecked() ? "*" : "") + a->text().toStdString());
        }
        return out;
    }
    void Click(int column, int row, Qt::KeyboardModifiers keys) {
        const QRect cell = Grid->visualRect(Grid->model()->index(std::max(row - 1, 0), column));
        QTest::mouseClick(row == 0 ? Grid->horizontalHeader()->viewport() : Grid->viewport(),
                          Qt::LeftButton, keys,
                          row == 0 ? QPoint(cell.center().x(), 5) : cell.center());
    }
};

const std::string Shown = "Width;Height;Area%;Area (h*w);PixelDif;Letterboxed;";

TEST(TEasyGrid, DefaultColumnsGiveWayToTheFirstDeclaration) {
    TForm form;
    auto* grid = new TGridControl(&form);
    superarray table;
    table.Init();
    TEasyGrid ctl;
    ctl.Attach(grid, &table, true, false);
    const auto records = [&ctl] {
        std::string out;
        for (int i = 1; i <= ctl.ColumnCount; ++i) {
            out += std::to_string(ctl.Cols[i].Id) + (ctl.Cols[i].Visible ? "+ " : "- ");
        }
        return out;
    };
    EXPECT_EQ(records(), "45- 26- 0+ ");
    EXPECT_EQ(grid->Cell(0, 0), "Data");
    ctl.AddColumn("Area%", 3, "Area as %", "30|0");
    EXPECT_EQ(records(), "45- 26- 3+ ");
    // The last declaration's own caption reaches the menu, not its name.
    EXPECT_EQ(grid->PopupMenu()->actions().back()->text(), "Area as %");
}

TEST(TEasyGrid, ResultColumnsKeepDeclarationOrderAndHiding) {
    ResultGrid g;
    EXPECT_EQ(g.Layout(), Shown);
    EXPECT_EQ(g.Menu(), (Texts{"Number", "*Width", "*Height", "*Area as %", "*Area as Height*Width",
                               "*PixelDifference", "Width dividable by", "Height dividable by",
                               "*Letterboxed"}));
    // Clicking a column's menu item toggles it at its old place.
    g.Grid->PopupMenu()->actions()[1]->trigger();
    EXPECT_EQ(g.Layout(), Shown.substr(6));
    EXPECT_EQ(g.Menu()[1], "Width");
    g.Grid->PopupMenu()->actions()[1]->trigger();
    EXPECT_EQ(g.Layout(), Shown);
}

TEST(TEasyGrid, LayoutsCycleAndBadLayoutsApplyNothing) {
    const std::string second = "Width;Height;Width dividable by;Height dividable by;";
    const std::string first = "Width;Height;Area%;Area (h*w);PixelDif;Letterboxed;";
    struct Case {
        const char *Name, *Text; // Text nullptr: the window's layouts
        std::string Expected;
    } cases[] = {{"ctrl-F2", nullptr, second},        {"again", nullptr, first},
                 {"third", nullptr, second},          {"empty text", "", second},
                 {"empty first layout", "|", second}, {"only a blank name", " width", "No Data;"}};
    ResultGrid g;
    for (const Case& c : cases) {
        if (c.Text == nullptr) {
            QTest::keyClick(g.Edit, Qt::Key_F2, Qt::ControlModifier);
        } else {
            g.Ctl.ApplyLayout(c.Text);
        }
        EXPECT_EQ(g.Layout(), c.Expected) << c.Name;
    }
    // The window's handler ran after the controller's, and the edit still got its key.
    EXPECT_EQ(g.Calls, (Texts{"key" + second, "key" + first, "key" + second}));
}

TEST(TEasyGrid, Lookups) {
    ResultGrid g;
    struct Case {
        const char* Name;
        int Got, Expected;
    } cases[] = {
        {"key lower", g.Ctl.ColumnIdByKey("width"), 1},
        {"key upper", g.Ctl.ColumnIdByKey("WIDTH"), 1},
        {"key not trimmed", g.Ctl.ColumnIdByKey(" Width"), -1},
        {"key of a hidden column", g.Ctl.ColumnIdByKey("Height dividable BY"), 6},
        {"empty key", g.Ctl.ColumnIdByKey(""), -1},
        {"id at -1", g.Ctl.ColumnIdAt(-1), -1},
        {"id at last", g.Ctl.ColumnIdAt(5), 8},
        {"id past last", g.Ctl.ColumnIdAt(6), -1},
        {"hide hidden", g.Ctl.HideColumn(7, true), 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.Got, c.Expected) << c.Name;
    }
}

TEST(TEasyGrid, FillsOnlyTheRowsInViewOrNoData) {
    struct Case {
        int Rows, GridRows, LastWritten;
    } cases[] = {{0, 2, 0}, {3, 4, 3}, {1000, 1001, 72}};
    for (const Case& c : cases) {
        ResultGrid g(c.Rows);
        g.Ctl.Refresh();
        EXPECT_EQ(g.Grid->RowCount(), c.GridRows) << c.Rows;
        EXPECT_EQ(g.Layout(), Shown) << c.Rows;
        for (int r = 1; r < g.Grid->RowCount(); ++r) {
            const std::string expected = r <= c.LastWritten ? std::to_string(1000 + r * 4) : "";
            ASSERT_EQ(g.Cell(0, r), expected) << c.Rows << " rows, row " << r;
        }
    }
    ResultGrid g(1000);
    g.Ctl.Refresh();
    const QTableWidgetItem* kept = g.Grid->item(0, 0);
    g.Fill(1000); // rebuilt with the same texts: nothing is rewritten
    g.Ctl.Refresh();
    EXPECT_EQ(g.Grid->item(0, 0), kept);
    g.Grid->SetTopRow(500); // the grid's scroll event refills
    for (int r = 1; r <= 1000; ++r) {
        const bool written = r >= 500 && r <= 571;
        ASSERT_EQ(g.Cell(1, r), written ? std::to_string(1000 + (1000 - r) * 3) : "")
            << "row " << r;
    }
    g.Ctl.ShowWholeTable(g.Table); // its jump back to row 1 must not refill the view only
    EXPECT_EQ(g.Cell(1, 1) + g.Cell(1, 1000), std::to_string(1000 + 999 * 3) + "1000");
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

TEST(TEasyGrid, HeaderClicksBuildTheSortSpecification) {
    const auto shift = Qt::ShiftModifier;
    const auto ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    struct Case {
        int Column;
        Qt::KeyboardModifiers Keys;
        const char *Spec, *FirstWidth; // row 1 after the sort
    } cases[] = {{0, shift, "width", "1004"},
                 {0, shift, "-width", "1040"},
                 {0, shift, "width", "1004"},
                 {1, ctrlShift, "width,height", "1004"},
                 {1, ctrlShift, "width,-height", "1004"},
                 {1, shift, "height", "1040"},
                 {1, {}, "height", "1040"},
                 {0, Qt::ControlModifier, "height", "1040"}};
    ResultGrid g(10);
    g.Table.SortSpec = "alphabetical";
    g.Ctl.Refresh();
    for (const Case& c : cases) {
        g.Click(c.Column, 0, c.Keys);
        EXPECT_EQ(g.Table.SortSpec, c.Spec) << c.Spec;
        EXPECT_EQ(g.Cell(0, 1), c.FirstWidth) << c.Spec;
    }
    g.Ctl.ShowColumn(26, true); // "#" has no key and does not sort
    g.Click(0, 0, shift);
    EXPECT_EQ(g.Table.SortSpec, "height");
}

TEST(TEasyGrid, AltClickHidesTheColumn) {
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
    EXPECT_EQ(g.Ctl.VisibleColumnCount(), 4);
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
    EXPECT_EQ(g.Menu().at(1) + g.Menu().at(2), "*Area as %*Width");
    g.Ctl.MoveColumn(1, 9); // no record at 9
    g.Table.SetCell(1, 3, "changed");
    g.Ctl.Refresh();
    EXPECT_EQ(g.Layout(), order);
    EXPECT_EQ(g.Cell(0, 1), "changed");
    EXPECT_EQ(g.Cell(1, 1), "1004");
    // Hidden records keep their place among their neighbours.
    g.Ctl.ShowColumn(7, true);
    EXPECT_EQ(g.Layout(), "Area%;Width;Height;Area (h*w);PixelDif;Width dividable by;Letterboxed;");
}

TEST(TForm, PreviewsEveryKeyOnceBeforeItsTarget) {
    TForm form, other;
    auto* edit = new QLineEdit(&form);
    auto* foreign = new QLineEdit(&other);
    form.show();
    other.show();
    std::vector<std::string> seen;
    form.OnKeyDown = [&](QKeyEvent* e) {
        seen.push_back(e->text().toStdString() + "|" + edit->text().toStdString());
    };
    struct Case {
        const char* Name;
        QWidget* Target;
        Qt::Key Key;
        Texts Expected;
    } cases[] = {{"typed", edit, Qt::Key_A, {"a|"}},
                 {"ignored by the edit, passed up", edit, Qt::Key_F2, {"|a"}},
                 {"the form itself", &form, Qt::Key_B, {"b|a"}},
                 {"another window", foreign, Qt::Key_C, {}}};
    for (const Case& c : cases) {
        seen.clear();
        QTest::keyClick(c.Target, c.Key);
        EXPECT_EQ(seen, c.Expected) << c.Name;
    }
    EXPECT_EQ(edit->text(), "a");
}

TEST(TForm, ControllerChainsTheWindowsHandlers) {
    ResultGrid g(5);
    g.Grid->resize(400, g.Grid->height()); // the widths no longer fit
    g.Form.resize(800, 700);
    // A second Attach keeps the window's own handlers, not the controller's.
    g.Ctl.Attach(g.Grid, &g.Table, true, false);
    g.Grid->resize(500, g.Grid->height());
    g.Form.resize(700, 700);
    QTest::keyClick(g.Edit, Qt::Key_X);
    EXPECT_EQ(g.Calls, (Texts{"resize fitted", "resize fitted", "key" + g.Layout()}));
}

} // namespace
