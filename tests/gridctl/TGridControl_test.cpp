#include "gridctl/TGridCellDelegate.h"
#include "gridctl/TGridControl.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QHelpEvent>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>
#include <functional>
#include <gtest/gtest.h>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using Pair = std::pair<int, int>;

// A shown grid of three columns A, B, C (widths 60, 70, 80) with a fixed font and 21-pixel
// rows (20 + one line) below a 21-pixel header.
struct Grid : TGridControl {
    std::vector<Pair> Clicks, DblClicks, Moves;
    int Scrolls = 0;

    explicit Grid(int rows = 6) {
        QFont font("DejaVu Sans");
        font.setPixelSize(11);
        SetFont(font);
        SetDefaultRowHeight(20);
        SetRowCount(rows);
        for (int c = 0; c < 3; ++c) {
            SetCell(c, 0, QString(QChar('A' + c)));
            SetColumnWidth(c, 60 + 10 * c);
        }
        OnClickCell = [this](int c, int r) { Clicks.emplace_back(c, r); };
        OnDblClickCell = [this](int c, int r) { DblClicks.emplace_back(c, r); };
        OnColumnMoved = [this](int from, int to) { Moves.emplace_back(from, to); };
        OnTopLeftChanged = [this] { ++Scrolls; };
        resize(240, 200);
        show();
    }
    QPoint CellCenter(int column, int row) {
        return visualRect(model()->index(row - 1, column)).center();
    }
    QColor Pixel(const QImage& shot, const QWidget* on, QPoint at) {
        return shot.pixelColor(on->mapTo(this, at));
    }
    // How many pixels of `area` on `on` are darker than `lightness`: text or a mark.
    int Dark(const QImage& shot, const QWidget* on, const QRect& area, int lightness = 100) {
        int dark = 0;
        for (int x = area.left(); x <= area.right(); ++x) {
            for (int y = area.top(); y <= area.bottom(); ++y) {
                dark += Pixel(shot, on, {x, y}).lightness() < lightness ? 1 : 0;
            }
        }
        return dark;
    }
};

TEST(TGridControl, AddressesCellsWithTheHeaderAsRowZero) {
    Grid g(3);
    g.SetCell(1, 2, "b2");
    EXPECT_EQ(g.model()->headerData(1, Qt::Horizontal).toString(), "B");
    EXPECT_EQ(g.model()->index(1, 1).data().toString(), "b2");
    // Name, the cell written, the column and row counts after the write, whether it is kept.
    const std::tuple<const char*, int, int, Pair, bool> writes[] = {
        {"inside", 0, 1, {3, 3}, true},         {"header", 2, 0, {3, 3}, true},
        {"one row beyond", 1, 3, {3, 4}, true}, {"one column beyond", 3, 2, {4, 4}, true},
        {"both beyond", 4, 4, {5, 5}, true},    {"far beyond", 9, 1, {5, 5}, false},
        {"negative row", 0, -1, {5, 5}, false}, {"negative column", -1, 1, {5, 5}, false},
    };
    for (const auto& [name, column, row, counts, stored] : writes) {
        g.SetCell(column, row, "x");
        EXPECT_EQ(Pair(g.ColumnCount(), g.RowCount()), counts) << name;
        EXPECT_EQ(g.Cell(column, row), stored ? "x" : "") << name;
    }
    g.SetCell(1, 2, "");
    EXPECT_EQ(g.model()->index(1, 1).data().toString(), "");
    g.SetColumnCount(6);
    EXPECT_EQ(g.Cell(4, 4), "x") << "new columns come at the right";
    EXPECT_EQ(g.ColumnWidth(5), 64);
    g.SetDataRowCount(2);
    EXPECT_EQ(Pair(g.DataRowCount(), g.RowCount()), Pair(2, 3));
    g.SetColumnCount(0);
    g.SetRowCount(-5);
    EXPECT_EQ(Pair(g.ColumnCount(), g.DataRowCount()), Pair(1, 0));
    EXPECT_EQ(g.Cell(0, 0), "A");
}

TEST(TGridControl, WritesARowAtOnceAndEmptiesEveryCellKeepingItsState) {
    Grid g(300);
    int changes = 0;
    QObject::connect(g.model(), &QAbstractItemModel::dataChanged, [&changes] { ++changes; });
    const auto row = [&g](int r) { return g.Cell(0, r) + "|" + g.Cell(1, r) + "|" + g.Cell(2, r); };
    // Name, the grid row written, the texts, the row read back, how often the view is told.
    const std::tuple<const char*, int, QStringList, const char*, int> writes[] = {
        {"a whole row", 5, {"a", "b", "c"}, "a|b|c", 1},
        {"the same again", 5, {"a", "b", "c"}, "a|b|c", 0},
        {"fewer texts empty the rest", 5, {"x"}, "x||", 1},
        {"more texts than columns", 6, {"1", "2", "3", "4"}, "1|2|3", 1},
        {"no text", 6, {}, "||", 1},
        {"the header is no data row", 0, {"h"}, "A|B|C", 0},
        {"beyond the rows", 301, {"y"}, "||", 0},
    };
    for (const auto& [name, r, texts, expected, told] : writes) {
        changes = 0;
        const std::vector<QString> cells(texts.begin(), texts.end());
        g.SetRowCells(r, cells);
        EXPECT_EQ(row(r), expected) << name;
        EXPECT_EQ(changes, told) << name;
    }

    for (int r = 100; r <= 300; ++r) {
        g.SetCell(1, r, "b");
    }
    g.SelectRows({160, 170});
    g.MoveCurrentRow(170);
    g.SetTopRow(150);
    const int scrolls = g.Scrolls;
    changes = 0;
    g.ClearCells();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(row(0) + row(5) + row(100) + row(300), "A|B|C||||||");
    EXPECT_EQ(g.SelectedRows(), (std::vector<int>{160, 170}));
    EXPECT_EQ(Pair(g.CurrentRow(), g.TopRow()), Pair(170, 150));
    EXPECT_EQ(g.Scrolls, scrolls);
}

TEST(TGridControl, ClientWidthFollowsAResizeWhileHidden) {
    // A window lays out its grid before it is shown; column widths are fitted to this width.
    TGridControl hidden;
    hidden.resize(400, 300);
    EXPECT_EQ(hidden.ClientWidth(), 400 - 2 * hidden.frameWidth());
    hidden.SetRowCount(100); // now taller than the grid: the scroll bar takes its share
    EXPECT_LT(hidden.ClientWidth(), 400 - 2 * hidden.frameWidth());
}

TEST(TGridControl, ScrollsByTopRowAndReportsIt) {
    Grid g(2);
    g.SetRowCount(1000); // scrolled at once, before the view has laid the new rows out
    const int visible = g.VisibleRowCount();
    EXPECT_EQ(visible, g.viewport()->height() / 21);
    ASSERT_NE(g.viewport()->height() % 21, 0);
    // At the end the row above the last whole screenful shows in part, and counts as in view.
    const Pair cases[] = {// the row asked for, the top row
                          {500, 500},
                          {5000, 999 - visible},
                          {999 - visible, 999 - visible},
                          {-3, 1},
                          {1, 1}};
    int scrolls = 0;
    for (const auto& [asked, top] : cases) {
        const bool moves = g.TopRow() != top;
        g.SetTopRow(asked);
        EXPECT_EQ(g.TopRow(), top) << asked;
        EXPECT_EQ(g.Scrolls, scrolls += moves ? 1 : 0) << asked;
    }
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.CellCenter(0, 1));
    QTest::keyClick(&g, Qt::Key_PageDown);
    EXPECT_GT(g.TopRow(), 1);
    EXPECT_EQ(g.Scrolls, scrolls + 1) << "the user's scrolling is reported too";
}

// A new row count repaints the scroll bar only where its handle or an end's arrow changes:
// one row more moves a handle at the end by a fraction of a pixel, but off the end.
TEST(TGridControl, ScrollBarRepaintsWhereItLooksDifferent) {
    Grid g(2);
    struct PaintSeen : QObject {
        bool Seen = false;
        bool eventFilter(QObject*, QEvent* event) override {
            Seen = Seen || event->type() == QEvent::Paint;
            return false;
        }
    } bar;
    g.verticalScrollBar()->installEventFilter(&bar);
    const std::tuple<int, int, bool> steps[] = {
        // rows, top row asked for (0: kept), repainted
        {1000, 1, true},    {2000, 1, false},    {2000, 500, true}, {1500, 500, true},
        {1500, 5000, true}, {1500, 5000, false}, {1501, 0, true},   {30, 1, true}};
    for (const auto& [rows, top, repainted] : steps) {
        bar.Seen = false;
        g.SetRowCount(rows);
        if (top != 0) {
            g.SetTopRow(top);
        }
        // The window paints on its next update request, some milliseconds on; a busy machine
        // may take longer, and what is painted late must not count for the next step.
        const bool seen = QTest::qWaitFor([&bar] { return bar.Seen; }, repainted ? 2000 : 50);
        QTest::qWait(20);
        EXPECT_EQ(seen, repainted) << rows << " rows from " << top;
    }
}

// Away from the pointer a tall scroll bar is painted in bands, which must look exactly as the
// toolkit's own paint under the pointer without a hovered part: at either end and between.
TEST(TGridControl, ScrollBarPaintsAsTheToolkitDoes) {
    Grid g(3000);
    g.resize(240, 700);
    QScrollBar* bar = g.verticalScrollBar();
    for (const int top : {1, 1500, 3000}) {
        g.SetTopRow(top);
        QCoreApplication::processEvents();
        ASSERT_GT(bar->height(), 300);
        const QImage banded = bar->grab().toImage();
        bar->setAttribute(Qt::WA_UnderMouse, true);
        const QImage whole = bar->grab().toImage();
        bar->setAttribute(Qt::WA_UnderMouse, false);
        EXPECT_EQ(banded, whole) << top;
    }
}

TEST(TGridControl, RaisesClicksWithGridRows) {
    Grid g;
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.CellCenter(1, 3));
    const QHeaderView* header = g.horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(2) + 20, 10));
    EXPECT_EQ(g.Clicks, (std::vector<Pair>{{1, 3}, {2, 0}}));
    EXPECT_TRUE(g.selectionModel()->isRowSelected(2, {})) << "the whole row";
    EXPECT_EQ(g.SelectedRows(), std::vector<int>{3}) << "counted in grid rows, once";
    g.SetCurrentRow(5);
    EXPECT_EQ(g.SelectedRows(), std::vector<int>{5});
    EXPECT_EQ(g.CurrentColumn(), 1) << "the column stays";
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.CellCenter(2, 4));
    QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, g.CellCenter(2, 4));
    EXPECT_EQ(g.DblClicks, (std::vector<Pair>{{2, 4}}));

    QMenu menu;
    g.SetPopupMenu(&menu);
    const QPoint at(20, 10);
    for (QWidget* on : {g.viewport(), header->viewport()}) {
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at, on->mapToGlobal(at));
        QApplication::sendEvent(on, &rightClick);
        EXPECT_TRUE(menu.isVisible()) << on->parent()->metaObject()->className();
        menu.hide();
    }
}

TEST(TGridControl, MovesCellsHeaderAndWidthWithADraggedColumn) {
    for (const auto& [from, to, order] : {std::tuple{0, 2, "BCA"}, {2, 0, "CAB"}, {1, 2, "ACB"}}) {
        SCOPED_TRACE(order);
        Grid g;
        for (int col = 0; col < 3; ++col) {
            g.SetCell(col, 4, g.Cell(col, 0).toLower());
        }
        g.SetOptions(g.Options() & ~TGridControl::goRowSelect);
        g.setCurrentIndex(g.model()->index(3, from)); // and selects that cell alone
        g.horizontalHeader()->moveSection(from, to);
        EXPECT_EQ(g.Moves, (std::vector<Pair>{{from, to}}));
        EXPECT_EQ(Pair(g.CurrentRow(), g.CurrentColumn()), Pair(4, to)) << "with its cells";
        EXPECT_EQ(g.selectionModel()->selectedIndexes(), QModelIndexList{g.model()->index(3, to)});
        for (int col = 0; col < 3; ++col) {
            const QString name(QChar(order[col]));
            EXPECT_EQ(g.horizontalHeader()->visualIndex(col), col);
            EXPECT_EQ(g.Cell(col, 0), name);
            EXPECT_EQ(g.Cell(col, 4), name.toLower());
            EXPECT_EQ(g.ColumnWidth(col), 60 + 10 * (order[col] - 'A'));
        }
    }
}

TEST(TGridControl, MarksTheDropPlaceWhileDraggingAColumn) {
    Grid g;
    g.SetOptions(g.Options() | TGridControl::goColMoving);
    g.SetEnhRowColMove(true);
    QWidget* header = g.horizontalHeader()->viewport();
    QTest::mousePress(header, Qt::LeftButton, {}, QPoint(30, 10));
    QTest::mouseMove(header, QPoint(120, 10));
    QTest::mouseMove(header, QPoint(185, 10)); // right half of C
    EXPECT_EQ(g.DropTarget(), 2);
    const QPoint marker(60 + 70 + 80 + 2, 30); // after the last column and its line
    EXPECT_EQ(g.Pixel(g.grab().toImage(), g.viewport(), marker), g.FontColor());
    QTest::mouseRelease(header, Qt::LeftButton, {}, QPoint(185, 10));
    EXPECT_EQ(g.DropTarget(), -1);
    EXPECT_EQ(g.Moves, (std::vector<Pair>{{0, 2}})); // moved cells: the test above
}

TEST(TGridControl, PaintsHeaderBandsLinesAndText) {
    Grid g(5);
    for (int r = 1; r < 5; ++r) {
        g.SetCell(0, r, QString::number(r * 1111));
    }
    const QColor background(200, 220, 255);
    g.SetBackgroundColor(background);
    g.SetBandsActive(true);
    g.setProperty("BandColor2", QColor(Qt::red));
    g.selectRow(2);
    const QWidget* header = g.horizontalHeader()->viewport();
    const QWidget* cells = g.viewport();
    // Name, widget, pixel, colour. Column 0 spans x 0..59, its line is x 60; rows are 21 apart.
    using Case = std::tuple<const char*, const QWidget*, QPoint, QColor>;
    const Case painted[] = {
        {"header face", header, {57, 10}, g.FixedColor()},
        {"line between header cells", header, {60, 10}, Qt::black},
        {"line under the header", header, {57, 20}, Qt::black},
        {"right of the header", header, {225, 10}, background},
        {"first band", cells, {57, 10}, g.BandColor1()},
        {"no line between data cells", cells, {60, 10}, g.BandColor1()},
        {"no line between data rows", cells, {57, 20}, g.BandColor1()},
        {"second band", cells, {57, 31}, Qt::red},
        {"selected row", cells, {57, 52}, g.SelectionColor()},
        {"below the rows", cells, {57, 94}, background},
        {"right of the cells", cells, {225, 10}, background},
    };
    const auto expectPainted = [&g](const auto& cases) {
        const QImage shot = g.grab().toImage();
        for (const auto& [name, on, at, colour] : cases) {
            EXPECT_EQ(g.Pixel(shot, on, at).name(), colour.name()) << name;
        }
        return shot;
    };
    const QImage shot = expectPainted(painted);
    EXPECT_GT(g.Dark(shot, cells, QRect(2, 2, 55, 16), 128), 20) << "the text of cell (0, 1)";

    g.SetOptions(g.Options() | TGridControl::goVertLine | TGridControl::goHorzLine);
    g.setProperty("BandColor2", g.property("BandColor1")); // banding off, as when disabled
    const Case lined[] = {
        {"vertical line", cells, {60, 10}, g.GridLineColor()},
        {"horizontal line", cells, {57, 20}, g.GridLineColor()},
        {"second row in the first band", cells, {57, 31}, g.BandColor1()},
    };
    expectPainted(lined);
}

// A long text is drawn only as far as it can show, and that shows the same pixels.
TEST(TGridControl, DrawsOnlyTheVisiblePartOfALongText) {
    QString divisors;
    for (int d = 2; d < 3000; ++d) {
        divisors += QString::number(d) + ",";
    }
    const std::pair<QString, bool> cases[] = {
        // the text, whether it is cut
        {divisors, true},
        {QString("AVAVAV To, Ta; W.W. ").repeated(200), true},
        {QString("il.,:;!|' ").repeated(300), true},      // narrower than the average character
        {QString("e\u0301a\u0300 ").repeated(400), true}, // marks combine with the letter before
        {QString("12345 \u05D0\u05D1 ").repeated(200), false}, // right to left
        {QString("1\t2").repeated(500), false},
        {QString("1\u00852").repeated(500), false},
        {QString("\U0001F600 ").repeated(500), false},
        {"short", false},
    };
    for (const QString family : {"DejaVu Sans", "Liberation Serif"}) {
        QFont font(family);
        font.setPixelSize(13);
        font.setItalic(family != "DejaVu Sans");
        const QImage device(1, 1, QImage::Format_RGB32);
        TTextWidths widths;
        widths.Use(font, &device); // as a painter on an image measures
        for (const int width : {0, 7, 60, 333}) {
            const auto paint = [&](const QString& text) {
                QImage image(width + 40, 20, QImage::Format_RGB32);
                image.fill(Qt::white);
                QPainter painter(&image);
                painter.setFont(font);
                painter.drawText(QRect(0, 0, width, 20), Qt::AlignLeft | Qt::TextSingleLine, text);
                return image;
            };
            for (const auto& [text, cut] : cases) {
                const std::string name = family.toStdString() + " " + std::to_string(width) + " " +
                                         text.left(12).toStdString();
                const QString part = VisiblePart(text, widths, width);
                EXPECT_EQ(part.size() < text.size(), cut) << name;
                EXPECT_EQ(paint(part), paint(text)) << name;
            }
        }
    }
}

TEST(TGridControl, HintsTheTextOfCutOffCells) {
    Grid g;
    const QString longText = "a text much wider than sixty pixels";
    g.SetCell(0, 1, longText);
    g.SetCell(0, 2, "short");
    // Show, cells, large text; whether the cut-off cell hints its text, the short one's hint.
    const std::tuple<bool, bool, bool, bool, const char*> cases[] = {
        {true, true, true, true, ""},
        {true, true, false, true, "short"},
        {true, false, true, false, ""},
        {false, true, true, false, ""}};
    for (const auto& [show, cells, large, hintsLong, hintShort] : cases) {
        SCOPED_TRACE(::testing::Message() << show << cells << large);
        g.SetShowHint(show);
        g.SetHintShowCells(cells);
        g.SetHintShowLargeText(large);
        EXPECT_EQ(g.HintText(0, 1), hintsLong ? longText : "");
        EXPECT_EQ(g.HintText(0, 2), hintShort);
    }
    g.SetShowHint(true);
    g.SetHintShowLargeText(true);
    const QPoint at = g.CellCenter(0, 1);
    QHelpEvent help(QEvent::ToolTip, at, g.viewport()->mapToGlobal(at));
    QApplication::sendEvent(g.viewport(), &help);
    EXPECT_EQ(QToolTip::text(), longText);
    QToolTip::hideText();
}

// Columns come and go with the rows taken out and put back (Qt moves every cell once per row
// otherwise): the cells of the columns that stay, the selection, the current cell and the
// view come back as they were.
TEST(TGridControl, ColumnsComeAndGoUnderTheRowsAndTheirState) {
    Grid g(300);
    for (int row = 200; row <= 230; ++row) {
        g.SetCell(0, row, QString::number(row));
        g.SetCell(2, row, "dropped");
    }
    g.SetTopRow(200);
    g.SelectRows({205, 206, 210});
    g.setCurrentIndex(g.model()->index(206, 2)); // grid row 207
    g.SelectRows({205, 206, 210});
    const int scrolls = g.Scrolls;
    g.SetColumnCount(2);
    EXPECT_EQ(Pair(g.CurrentRow(), g.CurrentColumn()), Pair(207, 1));
    g.SetColumnCount(3);
    EXPECT_EQ(Pair(g.TopRow(), g.Scrolls), Pair(200, scrolls));
    EXPECT_EQ(g.Cell(0, 215) + g.Cell(1, 0) + g.Cell(2, 215), "215B");
    EXPECT_EQ(g.SelectedRows(), (std::vector<int>{205, 206, 210}));
    EXPECT_TRUE(g.selectionModel()->isRowSelected(204, {})) << "whole, new columns too";
    EXPECT_EQ(Pair(g.CurrentRow(), g.CurrentColumn()), Pair(207, 1));

    // Single cells keep their selection while their column stays.
    g.SetOptions(g.Options() & ~TGridControl::goRowSelect);
    QItemSelection picked(g.model()->index(9, 0), g.model()->index(10, 0));
    picked.select(g.model()->index(9, 2), g.model()->index(10, 2));
    g.selectionModel()->select(picked, QItemSelectionModel::ClearAndSelect);
    g.SetColumnCount(2);
    QStringList cells;
    for (const QModelIndex& index : g.selectionModel()->selectedIndexes()) {
        cells << QString("%1:%2").arg(index.row()).arg(index.column());
    }
    cells.sort();
    EXPECT_EQ(cells.join(' '), "10:0 9:0");
}

TEST(TGridControl, SelectsWholeRowsRowsGrowWithTheFontAndTabLeavesTheGrid) {
    Grid g(8);
    g.SelectRows({2, 3, 5, 0, 99});
    g.SetColumnCount(5); // new columns join the selected rows
    EXPECT_EQ(g.SelectedRows(), (std::vector<int>{2, 3, 5}));
    EXPECT_TRUE(g.selectionModel()->isRowSelected(4, QModelIndex()));
    g.MoveCurrentRow(7); // the current row moves alone
    EXPECT_EQ(Pair(g.CurrentRow(), g.SelectedRows().front()), Pair(7, 2));

    QFont large("DejaVu Sans", 12, QFont::Bold);
    g.SetFont(large);
    const int needed = QFontMetrics(large).height();
    EXPECT_GE(g.DefaultRowHeight(), needed);
    EXPECT_GE(g.horizontalHeader()->height(), needed);
    EXPECT_GE(g.rowHeight(0), needed);
    QFont small("DejaVu Sans");
    small.setPixelSize(11);
    g.SetFont(small);
    EXPECT_EQ(g.DefaultRowHeight(), 20); // the height asked for is kept

    EXPECT_FALSE(g.tabKeyNavigation());
    g.SetOptions(g.Options() | TGridControl::goRangeSelect);
    EXPECT_EQ(g.selectionMode(), QAbstractItemView::ExtendedSelection);
}

// What is cut shows an ellipsis: a number cut at the edge would read as another number.
// The painter remembers what it measured; a second, larger font must not reuse the first's.
TEST(TGridControl, CutTextsEndInAnEllipsis) {
    TTextWidths widths;
    for (const int size : {16, 30}) {
        QFont font("DejaVu Sans");
        font.setPixelSize(size);
        const QFontMetrics metrics(font);
        widths.Use(font, nullptr);
        const QString number = "144 / 108";
        const int whole = metrics.horizontalAdvance(number);
        const std::tuple<QString, int, bool> cases[] = {
            // the text, the width, whether it is cut
            {number, whole, false},
            {number, whole - 1, true},
            {number, 3, true},
            {QString("10'000 ").repeated(2000), 80, true}};
        for (const auto& [text, width, cut] : cases) {
            const QString shown = ShownText(text, widths, width);
            // Too narrow even for the ellipsis, a cell shows nothing rather than a part.
            EXPECT_EQ(shown.endsWith(QChar(0x2026)) || shown.isEmpty(), cut)
                << size << " " << width;
            EXPECT_LE(metrics.horizontalAdvance(shown), std::max(width, 0)) << size << " " << width;
            EXPECT_EQ(shown == text, !cut) << size << " " << width;
        }
    }
}

// A cell's text comes from a layout kept across paints, and every pixel must be where
// QPainter::drawText puts it: centred as it centres a line, clipped only where the line
// reaches out (a low row, a long text), on a plain and a high-resolution screen; what is not
// a plain line (a tab, right to left) drawText draws itself.
TEST(TGridControl, CellTextsDrawAsDrawTextDoes) {
    const QString texts[] = {"1920",
                             "16:16 (+0:+4)",
                             "gjpqy W\u00C4 A & B",
                             "",
                             "e\u0301 x\u00D7y",
                             "1, 2, 3, 4, 5, 6, 8, 10, 12, 15\u2026",
                             QString("1920 ").repeated(60),
                             "1\t2",
                             "12 \u05D0\u05D1"};
    for (const auto& [family, size] :
         {std::pair("Liberation Sans", 11), {"Liberation Serif", 15}, {"DejaVu Sans", 12}}) {
        QFont font(family);
        font.setPixelSize(size);
        for (const int ratio : {1, 2}) {
            TTextWidths widths;
            const auto paint = [&](const std::function<void(QPainter&)>& draw) {
                QImage image(QSize(300, 40) * ratio, QImage::Format_RGB32);
                image.setDevicePixelRatio(ratio);
                image.fill(Qt::white);
                QPainter painter(&image);
                painter.setFont(font);
                widths.Use(font, painter.device());
                draw(painter);
                return image;
            };
            for (int height = 8; height <= 24; ++height) {
                const QRect rect(3, 2, 250, height);
                for (const QString& text : texts) {
                    EXPECT_EQ(paint([&](QPainter& p) { DrawCellText(&p, rect, text, widths); }),
                              paint([&](QPainter& p) {
                                  p.drawText(rect,
                                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                                             text);
                              }))
                        << family << " " << size << "px x" << ratio << " height " << height << " "
                        << text.left(12).toStdString();
                }
            }
        }
    }
}

TEST(TGridControl, MarksCurrentRowSortKeysAndWhyItIsEmpty) {
    Grid g(5);
    g.setCurrentIndex(g.model()->index(1, 0)); // grid row 2: y 21..41
    const QColor highlight = g.palette().color(QPalette::Active, QPalette::Highlight);
    const QWidget* cells = g.viewport();
    QImage shot = g.grab().toImage();
    EXPECT_EQ(g.Pixel(shot, cells, {100, 21}), highlight) << "top edge of the current row";
    EXPECT_EQ(g.Pixel(shot, cells, {0, 30}), highlight) << "left end of the current row";
    EXPECT_EQ(g.Pixel(shot, cells, {212, 30}), highlight) << "right end of the current row";
    EXPECT_NE(g.Pixel(shot, cells, {100, 0}), highlight) << "another row";

    // An arrow for each key, the rank beside it from the second key on.
    g.SetSortMarks({{1, true}, {0, false}, {2, false}});
    EXPECT_EQ(g.horizontalHeader()->sortIndicatorSection(), 0);
    EXPECT_EQ(g.horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    shot = g.grab().toImage();
    const QWidget* header = g.horizontalHeader()->viewport();
    const auto inked = [&](int left, int right) {
        return g.Dark(shot, header, QRect(left, 2, right - left, 16));
    };
    EXPECT_GT(inked(45, 59), 5) << "arrow of the first key";
    EXPECT_EQ(inked(110, 130), 0) << "no mark on a column that is no key";
    EXPECT_GT(inked(160, 209), inked(45, 59)) << "arrow and rank of the second key";

    g.SetDataRowCount(0);
    g.SetEmptyText("No pair passes the filters");
    EXPECT_EQ(g.accessibleDescription(), "No pair passes the filters");
    shot = g.grab().toImage();
    EXPECT_GT(g.Dark(shot, cells, QRect(0, 0, cells->width(), 30)), 30)
        << "the reason, where the rows would be";
}

} // namespace
