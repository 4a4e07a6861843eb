#include "ui/TForm1.h"

#include "GPanel/TBevelPanel.h"
#include "gridctl/TGridControl.h"
#include "gridctl/THtmlExportDialog.h"
#include "gridctl/TPrintSettingsDialog.h"
#include "support/Accessibility.h"
#include "support/QStringPrinting.h"
#include "ui/TPopupMenu.h"
#include "ui/TSpinEdit.h"

#include <QTest>
#include <QtWidgets>
#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <set>

namespace {

// A fresh window for every test: the reference pair and all inputs start at their defaults.
class Form1Test : public ::testing::Test {
protected:
    TForm1 F;

    void SetUp() override {
        F.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&F));
    }

    // The centre of a data row (1 = first) of a grid, scrolled into view first.
    static QPoint RowCentre(TGridControl* grid, int row) {
        const QModelIndex index = grid->model()->index(row - 1, 0);
        grid->scrollTo(index);
        return grid->visualRect(index).center();
    }

    static void ClickRow(TGridControl* grid, int row, Qt::KeyboardModifiers keys = {}) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, keys, RowCentre(grid, row));
    }

    // Opens `menu` by a right-click on `control` and chooses the item `caption`.
    static void Choose(TPopupMenu* menu, QWidget* control, const QString& caption) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2),
                                control->mapToGlobal(QPoint(2, 2)));
        QCoreApplication::sendEvent(control, &event);
        ASSERT_TRUE(menu->isVisible());
        for (QAction* item : menu->actions()) {
            if (item->text() == caption) {
                item->trigger();
            }
        }
        menu->hide();
    }

    // A click on a header cell of the result grid, with modifier keys.
    void ClickHeader(int column, Qt::KeyboardModifiers keys) const {
        const QHeaderView* header = F.StringGrid1->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, keys,
                          QPoint(header->sectionViewportPosition(column) + 5, 5));
    }

    // Widths of the result rows in their order, and whether they fall strictly.
    bool WidthsFall() const {
        for (int32_t row = 1; row < F.ResultTable.Count(); ++row) {
            if (std::stoi(Cell(row, 1)) <= std::stoi(Cell(row + 1, 1))) {
                return false;
            }
        }
        return true;
    }

    // Two boxes or labels read as one "x:y", so one check names both.
    template <typename T>
    static QString Pair(const T* x, const T* y) {
        return x->text() + ":" + y->text();
    }
    std::string Cell(int row, int column) const { return F.ResultTable.GetCell(row, column); }
};

TEST_F(Form1Test, StartsWithDefaultListArrangementMenusAndFont) {
    ASSERT_EQ(F.ResultTable.Count(), 48);
    QStringList first; // (the headers: the copy test)
    for (int column = 0; column < F.StringGrid1->ColumnCount(); ++column) {
        first << F.StringGrid1->Cell(column, 1);
    }
    EXPECT_EQ(first.join(','), "16,12,100%,192,0 / 0,16:16 (+0:+4)");
    EXPECT_EQ(F.StringGrid1->Cell(3, 48), "442'368"); // 768 x 576, grouped for display
    EXPECT_EQ(F.Label10->text() + "|" + F.Labelfixed43->text() + "|" + F.Labelfixed34->text(),
              "12|: 3|4:");

    const auto& panelSlots = F.ResultController.Slots;
    EXPECT_TRUE(panelSlots[F.ResultController.FindPanel(F.PanelRotatedRatio)].Collapsed);
    EXPECT_FALSE(panelSlots[F.ResultController.FindPanel(F.PanelRatio)].Collapsed);
    EXPECT_TRUE(panelSlots[F.ResultController.FindPanel(F.PanelURL)].TitleBar->isHidden());
    EXPECT_FALSE(panelSlots[F.ResultController.FindPanel(F.PanelFromTo)].TitleBar->isHidden());
    // Its minimum size is searched once, for the state it shows in.
    EXPECT_EQ(F.ResultController.MinHeightCache.size(), 1u);
    EXPECT_GT(F.minimumHeight(), 0);

    EXPECT_EQ(F.PredefinedController.MaximizeItem, -1);
    for (const QAction* item : F.StringGrid1->PopupMenu()->actions()) {
        EXPECT_NE(item->text(), "Original number");
    }
    EXPECT_EQ(F.Label3->text(), "Ratio must be (width : height)");
    const QList<QAction*> items = F.StringGrid2->PopupMenu()->actions();
    for (const int position : {F.PredefinedController.BandsItem, F.PredefinedController.VLinesItem,
                               F.PredefinedController.HLinesItem}) {
        EXPECT_TRUE(items[position]->isChecked()) << items[position]->text().toStdString();
    }
    QFont started;
    F.ResultController.RunDialog = [&started](QDialog& dialog) {
        started = static_cast<QFontDialog&>(dialog).currentFont();
        return static_cast<int>(QDialog::Rejected);
    };
    F.ResultController.ChooseFont();
    const QFont grid = F.StringGrid1->Font();
    EXPECT_EQ(started.family(), QFontInfo(grid).family());
    EXPECT_EQ(QFontInfo(started).pixelSize(), QFontInfo(grid).pixelSize());
    // Both fonts name the family that shows: a family missing from the machine would be
    // searched for again with every font made from it.
    for (const QFont& font : {F.font(), grid}) {
        EXPECT_EQ(QFontInfo(font).family(), font.family());
    }
}

TEST_F(Form1Test, PredefinedRowSetsTheRatioAndTheEmptyRowNothing) {
    EXPECT_EQ(F.StringGrid2->Cell(0, 0), "Predefined");

    ClickRow(F.StringGrid2, 126);
    EXPECT_EQ(Pair(F.SpinEdit5, F.SpinEdit6), "3840:2400");
    EXPECT_EQ(Pair(F.Label4, F.Label5), "8:5");
    F.SpinEdit6->SetText("2160"); // the edits' own handlers are back
    EXPECT_EQ(F.Label4->text(), "16");

    ClickRow(F.StringGrid2, 127); // the empty row
    EXPECT_EQ(Pair(F.SpinEdit5, F.SpinEdit6), "3840:2160");
}

TEST_F(Form1Test, RatioMenuActsOnThePairItWasOpenedOn) {
    Choose(F.PopupMenuScreenRatio, F.SpinPlayRatioY, "16:10");
    EXPECT_EQ(Pair(F.SpinPlayRatioX, F.SpinPlayRatioY), "16:10");
    EXPECT_EQ(Pair(F.SpinScreenRatioX, F.SpinScreenRatioY), "4:3");
    EXPECT_EQ(F.SpinEdit5->text(), "4");

    Choose(F.PopupMenuScreenRatio, F.SpinEdit6, "16:9");
    EXPECT_EQ(Pair(F.Label4, F.Label5), "16:9");

    Choose(F.PopupMenuScreenRatio, F.PanelRotatedRatio, "5:4"); // no pair under the mouse
    EXPECT_EQ(F.SpinScreenRatioX->text(), "4");
    EXPECT_EQ(F.SpinPlayRatioX->text(), "16");
}

TEST_F(Form1Test, ShorterListsRangeMenuAndTheCapOnPastedAndTypedWidths) {
    // The grid shows a shorter list even when its current row is below it.
    F.StringGrid1->setCurrentIndex(F.StringGrid1->model()->index(44, 0));
    F.SpinEdit4->SetValue(100);
    ASSERT_EQ(F.ResultTable.Count(), 6);
    EXPECT_EQ(F.StringGrid1->RowCount(), 7);
    const int top = F.StringGrid1->TopRow();
    EXPECT_LE(top, 6);
    for (int row = top; row <= std::min(6, top + F.StringGrid1->VisibleRowCount() - 1); ++row) {
        EXPECT_EQ(F.StringGrid1->Cell(0, row), QString::number(16 * row)) << row;
    }
    Choose(F.PopupMenu3, F.PanelFromTo, "1440");
    EXPECT_EQ(F.SpinEdit4->text(), "1440");
    EXPECT_EQ(F.ResultTable.Count(), 90);
    // A paste beyond the cap, and typing digit by digit, which rewrites the box once the
    // value passes it.
    const struct {
        TSpinEdit* Spin;
        const char* Entered;
        bool Pasted;
    } entries[] = {{F.SpinEdit4, "99999999999", true},
                   {F.SpinEdit3, "2147483648", true},
                   {F.SpinEdit3, "900000", false},
                   {F.SpinEdit4, "900000", false}};
    for (const auto& e : entries) {
        e.Spin->setFocus();
        if (e.Pasted) {
            QGuiApplication::clipboard()->setText(e.Entered);
            e.Spin->selectAll();
            QTest::keyClick(e.Spin, Qt::Key_V, Qt::ControlModifier);
        } else {
            e.Spin->SetText({});
            QTest::keyClicks(e.Spin, e.Entered);
        }
        EXPECT_EQ(e.Spin->text(), "32768") << e.Entered;
        EXPECT_EQ(Cell(F.ResultTable.Count(), 1), "32768") << e.Entered;
    }
    EXPECT_EQ(F.ResultTable.Count(), 1);
}

TEST_F(Form1Test, TransparencyOnlyInWindowSizeMode) {
    EXPECT_FALSE(F.TrackBar1->isEnabled());
    F.TrackBar1->setValue(150);
    EXPECT_DOUBLE_EQ(F.windowOpacity(), 1.0);

    F.CheckBox1->setChecked(true);
    EXPECT_TRUE(F.TrackBar1->isEnabled());
    EXPECT_FALSE(F.SpinEdit5->isEnabled());
    EXPECT_FALSE(F.SpinEdit5->hasFrame()); // a disabled input shows no frame
    EXPECT_FALSE(F.StringGrid1->isEnabled());
    EXPECT_NEAR(F.windowOpacity(), 150 / 255.0, 1e-9);
    EXPECT_EQ(QSize(F.SpinEdit5->Value(), F.SpinEdit6->Value()), F.frameGeometry().size());
    F.TrackBar1->setValue(255);
    EXPECT_DOUBLE_EQ(F.windowOpacity(), 1.0);

    F.TrackBar1->setValue(150);
    F.CheckBox1->setChecked(false);
    EXPECT_DOUBLE_EQ(F.windowOpacity(), 1.0);
    EXPECT_TRUE(F.SpinEdit5->isEnabled());
    EXPECT_TRUE(F.SpinEdit5->hasFrame());
}

// A keystroke repaints what it changed. Every input, the slider and the predefined list (and
// the panels behind them) used to repaint as well, a fifth of a keystroke's time.
TEST_F(Form1Test, AKeystrokeRepaintsOnlyWhatItChanged) {
    struct PaintWatch : QObject {
        std::set<QObject*> Painted;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint) {
                Painted.insert(watched);
            }
            return false;
        }
    } watch;
    QWidget* const grid = F.StringGrid1->viewport();
    QWidget* const unchanged[] = {F.SpinEdit3, F.SpinEdit5, F.Edit1, F.TrackBar1,
                                  F.StringGrid2->viewport()};
    // Nor are the inputs coloured again: only the window size switch changes what is enabled.
    QPalette marked = F.Edit1->palette();
    marked.setColor(QPalette::Base, Qt::magenta);
    F.Edit1->setPalette(marked);
    QCoreApplication::processEvents();
    grid->installEventFilter(&watch);
    for (QWidget* control : unchanged) {
        control->installEventFilter(&watch);
    }
    F.SpinEdit4->setFocus();
    QTest::keyClick(F.SpinEdit4, Qt::Key_0);
    QCoreApplication::processEvents();
    EXPECT_TRUE(watch.Painted.contains(grid));
    for (QWidget* control : unchanged) {
        EXPECT_FALSE(watch.Painted.contains(control)) << control->objectName().toStdString();
    }
    EXPECT_EQ(F.Edit1->palette().color(QPalette::Base), QColor(Qt::magenta));
    F.CheckBox1->setChecked(true);
    EXPECT_NE(F.Edit1->palette().color(QPalette::Base), QColor(Qt::magenta));
}

TEST(SpinEdit, ReadsLenientlyAndClampsOnWrite) {
    TSpinEdit spin;
    spin.SetRange(1, 100);
    int changes = 0;
    spin.OnChange = [&changes] { ++changes; };

    // Each text and the value read from it, in turn.
    QStringList reads;
    for (const char* text : {"42", "500", "-7", "+8", "", "1.85", "abc", "99999999999",
                             "+2147483648", "-99999999999"}) {
        spin.SetText(text);
        reads << QStringLiteral("%1=%2").arg(text).arg(spin.Value());
    }
    EXPECT_EQ(reads.join(' ').toStdString(),
              "42=42 500=500 -7=-7 +8=8 =1 1.85=1 abc=1 99999999999=2147483647 "
              "+2147483648=2147483647 -99999999999=-2147483648");

    spin.SetText("100");
    changes = 0;
    spin.SetValue(500);
    EXPECT_EQ(spin.text(), "100");
    EXPECT_EQ(changes, 0); // the text did not change
    spin.SetValue(-5);
    EXPECT_EQ(spin.text(), "1");
    EXPECT_EQ(changes, 1);

    spin.stepBy(-1);
    EXPECT_EQ(spin.text(), "1");
    spin.stepBy(3);
    EXPECT_EQ(spin.text(), "4");
    spin.SetText("5");
    QTest::keyClicks(&spin, "x");
    EXPECT_EQ(spin.text(), "5"); // letters are refused while typing
}

} // namespace

// A clicked row becomes the reference, which outlives its list.
TEST_F(Form1Test, HeaderSortOrdersByValueKeepsTheReferenceAndHolds) {
    ClickRow(F.StringGrid1, 40); // 640 x 480
    EXPECT_EQ(F.StringGrid1->Cell(2, 40) + " " + F.StringGrid1->Cell(4, 40), "100% 0 / 0");
    ClickHeader(0, Qt::ShiftModifier);
    ClickHeader(0, Qt::ShiftModifier); // the second click turns the order round
    EXPECT_TRUE(WidthsFall());         // by value: "96" would come first as text
    F.StringGrid1->SetTopRow(1);
    EXPECT_EQ(Cell(9, 1) + " " + Cell(9, 5), "640 0 / 0");

    // Every later run keeps the order; the reference stays.
    F.Edit3->setText("3");
    EXPECT_EQ(Cell(1, 1), "752");
    EXPECT_TRUE(WidthsFall());
    EXPECT_EQ(F.StringGrid1->Cell(0, 1), "752");
    EXPECT_EQ(Cell(6, 1) + " " + Cell(6, 5), "640 0 / 0"); // 720 and 672 are gone

    // A plain header click makes the first row the reference. (Keys the header clicks add or
    // replace: the easygrid suite.)
    ClickHeader(1, {});
    EXPECT_EQ(Cell(1, 1) + " " + Cell(1, 5), "752 0 / 0");
    EXPECT_TRUE(WidthsFall());
    F.SpinEdit4->SetValue(320);
    EXPECT_EQ(Cell(1, 1) + " " + Cell(1, 5), "320 -432 / -324");
}

TEST_F(Form1Test, KeyboardWalksEveryInputAndClicksRows) {
    F.ResultController.Animate = false;
    F.ResultController.SetCollapsed(F.ResultController.FindPanel(F.PanelRotatedRatio), true, true);
    QApplication::setActiveWindow(&F);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&F));
    // The control of ours that holds the focus (a spin box's line edit counts as the box).
    const auto focused = [] {
        QWidget* widget = QApplication::focusWidget();
        while (widget != nullptr && widget->objectName().isEmpty()) {
            widget = widget->parentWidget();
        }
        return widget == nullptr ? QString() : widget->objectName();
    };
    // Each panel's title bar (zoom) and collapse button come before its inputs; the links are
    // in the ring too (the homepage link is its panel's content area).
    F.SpinEdit5->setFocus();
    QStringList order{focused()};
    for (int step = 0; step < 40 && (step == 0 || order.back() != "SpinEdit5"); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << focused();
    }
    order.replaceInStrings(QRegularExpression("^(titlebar|collapse|corner)_\\d+_Panel"), "\\1 ");
    EXPECT_EQ(order.join(','),
              "SpinEdit5,SpinEdit6,SpinEdit7,SpinEdit8,CheckBox1,StringGrid2,"
              "titlebar Dividable,collapse Dividable,Edit1,Edit2,Edit3,Edit4,"
              "titlebar FromTo,collapse FromTo,SpinEdit3,SpinEdit4,"
              "titlebar Options,collapse Options,CheckBox2,"
              "titlebar RotatedRatio,collapse RotatedRatio,SpinPlayRatioX,SpinPlayRatioY,"
              "SpinScreenRatioX,SpinScreenRatioY,CheckBox3,Panel1,corner URL,PanelURL,"
              "StringGrid1,titlebar Ratio,collapse Ratio,SpinEdit5");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_TRUE(focused().startsWith("collapse_")) << focused().toStdString();
    // The inputs of a collapsed panel are out of view: Tab passes over them both ways.
    const int32_t dividable = F.ResultController.FindPanel(F.PanelDividable);
    F.ResultController.SetCollapsed(dividable, false, true);
    F.ResultController.Slots[dividable].CollapseButton->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(focused().startsWith("titlebar_")) << focused().toStdString();

    // Return, Space and a double-click on a predefined row apply it as a click does.
    F.StringGrid2->setFocus();
    const struct {
        int Row;
        Qt::Key Key;
        const char* Terms;
    } rows[] = {{126, Qt::Key_Return, "3840:2400"},
                {1, Qt::Key_Space, "4:3"},
                {3, Qt::Key_Enter, "185:100"},
                {1, Qt::Key_unknown, "4:3"}};
    for (const auto& r : rows) {
        F.StringGrid2->setCurrentIndex(F.StringGrid2->model()->index(r.Row - 1, 0));
        if (r.Key == Qt::Key_unknown) {
            // As a mouse sends it: a click, then the second press that makes it double.
            ClickRow(F.StringGrid2, r.Row);
            QTest::mouseDClick(F.StringGrid2->viewport(), Qt::LeftButton, {},
                               RowCentre(F.StringGrid2, r.Row));
        } else {
            QTest::keyClick(F.StringGrid2, r.Key);
        }
        EXPECT_EQ(Pair(F.SpinEdit5, F.SpinEdit6), r.Terms) << r.Row;
    }

    // Return in the result grid makes the current row the reference. (The grid's own row keys:
    // the gridctl suite.)
    QTest::keyClick(F.StringGrid1, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(F.StringGrid1, Qt::Key_Return);
    EXPECT_EQ(Cell(48, 1) + " " + Cell(48, 5), "768 0 / 0");
}

TEST_F(Form1Test, EveryControlAndDialogHasANameAScreenReaderSpeaks) {
    EXPECT_EQ(UnnamedFocusable(QAccessible::queryAccessibleInterface(&F)), QStringList());
    const struct {
        QWidget* Control;
        QAccessible::Role Role;
        const char* Name;
    } named[] = {{&F, QAccessible::Window, "Tavori Pixolan 1.5"},
                 {F.SpinEdit3, QAccessible::SpinBox, "From"},
                 {F.Edit1, QAccessible::EditableText, "Width dividable by"},
                 {F.Edit4, QAccessible::EditableText, "Height not dividable by"},
                 {F.SpinEdit6, QAccessible::SpinBox, "Ratio height"},
                 {F.TrackBar1, QAccessible::Slider, "Transparency"},
                 {F.SpinScreenRatioX, QAccessible::SpinBox, "Screen ratio width"},
                 {F.StringGrid1, QAccessible::Table, "Results"},
                 {F.StringGrid2, QAccessible::Table, "Predefined formats"},
                 {F.Panel1, QAccessible::Link, "Online help on this topic"}};
    for (const auto& n : named) {
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(n.Control);
        EXPECT_EQ(control->role(), n.Role) << n.Name;
        EXPECT_EQ(control->text(QAccessible::Name), n.Name);
    }
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(F.Edit1)
                    ->text(QAccessible::Description)
                    .startsWith("Separate divisors"));
    // The results read cell by cell under their column's header.
    QAccessibleTableInterface* results =
        QAccessible::queryAccessibleInterface(F.StringGrid1)->tableInterface();
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->columnDescription(1) + " " + results->cellAt(1, 1)->text(QAccessible::Name),
              "Height 24");
    // A rotated movie: the screen boxes trade their labels and their names, and the frames
    // follow.
    F.CheckBox3->setChecked(true);
    EXPECT_EQ(Pair(F.Label14, F.Label15), "Height:Width");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(F.SpinScreenRatioX)->text(QAccessible::Name),
              "Screen ratio height");
    EXPECT_EQ(Cell(40, 8), "640:1138 (+0:+658)");

    THtmlExportDialog html(*F.StringGrid1, &F);
    TPrintSettingsDialog print(*F.StringGrid1, &F);
    for (QDialog* dialog : {static_cast<QDialog*>(&html), static_cast<QDialog*>(&print)}) {
        dialog->show();
        EXPECT_EQ(UnnamedFocusable(QAccessible::queryAccessibleInterface(dialog)), QStringList())
            << dialog->metaObject()->className();
    }
}

TEST_F(Form1Test, EmptyListAndBadRatiosSayWhyAndLongTermsStayWhole) {
    const struct {
        const char* From;
        const char* To;
        const char* Ratio;
        const char* NotDividable;
        const char* Reason;
    } cases[] = {
        {"1", "768", "0:3", "", "The ratio terms must be 1 or more"},
        {"500", "400", "4:3", "", "From is above To"},
        {"2", "768", "1:2147483647", "", "Every height in the range is above 2147483647"},
        {"1", "768", "9999991:9999999", "", "No width in the range gives a whole-number height"},
        {"1", "768", "4:3", "4", "No pair passes the filters"},
        {"1", "768", "4:3", "", ""},
    };
    for (const auto& c : cases) {
        F.SpinEdit3->SetText(c.From);
        F.SpinEdit4->SetText(c.To);
        const QStringList terms = QString(c.Ratio).split(':');
        F.SpinEdit5->SetText(terms[0]);
        F.SpinEdit6->SetText(terms[1]);
        F.Edit3->setText(c.NotDividable);
        EXPECT_EQ(F.StringGrid1->EmptyText(), c.Reason) << c.Reason; // no rows: the easygrid suite
    }

    F.SpinEdit6->SetText("-9");
    EXPECT_EQ(F.Label4->text(), "Terms must be 1 or more");
    EXPECT_TRUE(F.Label5->isHidden() && F.Label10->isHidden());

    // Long terms and their product: the labels stay apart, the product whole or ellipsised.
    F.SpinEdit5->SetText("9999991");
    F.SpinEdit6->SetText("9999997");
    ASSERT_EQ(F.Label5->text(), "9999997");
    const QLabel* labels[] = {F.Label4, F.Label9, F.Label5, F.Label10};
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(labels[i]->isHidden());
        EXPECT_LT(labels[i]->geometry().right(), labels[i + 1]->geometry().left())
            << labels[i]->objectName().toStdString();
    }
    F.SpinEdit6->SetText("9999999");
    EXPECT_EQ(F.Label10->toolTip(), "99999900000009");
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(F.Label10)
                    ->text(QAccessible::Name)
                    .endsWith("99999900000009"));
    EXPECT_LE(F.Label10->geometry().right(), F.Label10->parentWidget()->width());
    EXPECT_TRUE(F.Label10->text() == "99999900000009" || F.Label10->text().endsWith(QChar(0x2026)))
        << F.Label10->text().toStdString();
}

// Ctrl+C copies the selected rows under the headers, and they are the rows whose every shown
// cell is painted in the selection colour: after each action that selects, reorders, refills
// or rearranges the grid. Selecting moves no reference. How well the selected rows read: the
// contrast suite.
TEST_F(Form1Test, CtrlCCopiesTheHighlightedRowsWithHeaders) {
    TGridControl& grid = *F.StringGrid1;
    const auto highlighted = [&grid] {
        grid.SetTopRow(1);
        const QImage shot = grid.viewport()->grab().toImage();
        QStringList rows;
        for (int row = grid.TopRow(); row <= grid.DataRowCount(); ++row) {
            int painted = 0;
            for (int column = 0; column < grid.ColumnCount(); ++column) {
                const QRect cell = grid.visualRect(grid.model()->index(row - 1, column));
                const QPoint at(cell.right() - 3, cell.top() + 3);
                painted += shot.rect().contains(at) && shot.pixelColor(at) == grid.SelectionColor();
            }
            if (painted > 0) {
                rows << grid.Cell(0, row) + (painted < grid.ColumnCount() ? " half" : "");
            }
        }
        return rows.join(' ');
    };
    const auto copy = [&grid] {
        QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
        return QGuiApplication::clipboard()->text();
    };
    const auto copied = [&copy] { // the widths of the copied rows
        QStringList lines = copy().split('\n', Qt::SkipEmptyParts);
        lines.removeFirst();
        lines.replaceInStrings(QRegularExpression("\t.*"), "");
        return lines.join(' ');
    };
    grid.setFocus();
    grid.SelectRows({2, 48});
    EXPECT_EQ(copy(), "Width\tHeight\tArea%\tArea (h*w)\tPixelDif\tLetterboxed\n"
                      "32\t24\t400\t768\t16 / 12\t32:32 (+0:+8)\n"
                      "768\t576\t230400\t442368\t752 / 564\t768:768 (+0:+192)\n"); // not grouped
    // A click, a shift+click and shift+Down select rows 2..5; ctrl+A all.
    ClickRow(F.StringGrid1, 2);
    ClickRow(F.StringGrid1, 4, Qt::ShiftModifier);
    QTest::keyClick(F.StringGrid1, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(copied(), "32 48 64 80");
    QTest::keyClick(F.StringGrid1, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(copy().count('\n'), 1 + 48);
    EXPECT_EQ(Cell(2, 5), "0 / 0");

    F.SpinEdit4->SetText("320"); // 20 rows, all in view
    grid.SelectRows({2, 3, 10});
    const struct {
        const char* Action;
        std::function<void()> Run;
        const char* Rows;
    } actions[] = {
        {"selected", [] {}, "32 48 160"},
        {"sorted by width, falling",
         [&] {
             ClickHeader(0, Qt::ShiftModifier);
             ClickHeader(0, Qt::ShiftModifier);
         },
         "160 48 32"},
        {"a new run drops what is gone", [&] { F.Edit3->setText("3"); }, "160 32"},
        {"layouts cycled twice",
         [&] {
             for (int i = 0; i < 2; ++i)
                 QTest::keyClick(&grid, Qt::Key_F2, Qt::ControlModifier);
         },
         "160 32"},
        {"a column hidden", [&] { F.ResultController.HideColumn(3, true); }, "160 32"},
        {"a column shown", [&] { F.ResultController.ShowColumn(3, true); }, "160 32"},
        {"a column moved",
         [&] {
             F.ResultController.MoveColumn(0, 2);
             F.ResultController.Refresh();
         },
         ""},
    };
    for (const auto& a : actions) {
        a.Run();
        const QString rows = highlighted();
        if (*a.Rows != '\0') {
            EXPECT_EQ(rows, a.Rows) << a.Action;
        }
        EXPECT_EQ(rows, copied()) << a.Action;
    }
}
