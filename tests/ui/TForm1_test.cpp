#include "ui/TForm1.h"

#include "GPanel/TBevelPanel.h"
#include "gridctl/TGridControl.h"
#include "ui/TPopupMenu.h"
#include "ui/TSpinEdit.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSlider>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Readable failure messages.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

// A fresh window for every test: the reference pair and all inputs start at their defaults.
class Form1Test : public ::testing::Test {
protected:
    std::unique_ptr<TForm1> Form = std::make_unique<TForm1>();
    TForm1& F = *Form;

    void SetUp() override {
        F.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&F));
    }

    // A left click on a data row (1 = first) of a grid, scrolled into view first.
    static void ClickRow(TGridControl* grid, int row) {
        const QModelIndex index = grid->model()->index(row - 1, 0);
        grid->scrollTo(index);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
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

    static QString Text(const TSpinEdit* spin) { return spin->text(); }
    std::string Cell(int row, int column) const { return F.ResultTable.GetCell(row, column); }
};

TEST_F(Form1Test, StartsWithDefaultListAndArrangement) {
    EXPECT_EQ(F.windowTitle(), "Tavori Pixolan 1.5");
    // Sized before it was shown, when the frame was not known yet.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(F.size(), QSize(screen.width() - 40, screen.height() - 60));

    ASSERT_EQ(F.ResultTable.Count(), 48);
    EXPECT_EQ(F.StringGrid1->RowCount(), 49);
    QStringList headers;
    for (int column = 0; column < F.StringGrid1->ColumnCount(); ++column) {
        headers << F.StringGrid1->Cell(column, 0);
    }
    EXPECT_EQ(headers.join(','), "Width,Height,Area%,Area (h*w),PixelDif,Letterboxed");
    EXPECT_EQ(F.StringGrid1->Cell(0, 1), "16");
    EXPECT_EQ(F.StringGrid1->Cell(2, 1), "100%");
    EXPECT_EQ(F.StringGrid1->Cell(5, 1), "16:16 (+0:+4)");
    EXPECT_EQ(F.StringGrid1->Cell(3, 48), "442'368"); // 768 x 576, grouped for display
    EXPECT_EQ(F.Label10->text(), "12");
    EXPECT_EQ(F.Labelfixed43->text(), ": 3");
    EXPECT_EQ(F.Labelfixed34->text(), "4:");

    const auto& panelSlots = F.ResultController.Slots;
    EXPECT_TRUE(panelSlots[F.ResultController.FindPanel(F.PanelRotatedRatio)].Collapsed);
    EXPECT_FALSE(panelSlots[F.ResultController.FindPanel(F.PanelRatio)].Collapsed);
    EXPECT_TRUE(panelSlots[F.ResultController.FindPanel(F.PanelURL)].TitleBar->isHidden());
    EXPECT_FALSE(panelSlots[F.ResultController.FindPanel(F.PanelFromTo)].TitleBar->isHidden());

    EXPECT_EQ(F.PredefinedController.MaximizeItem, -1);
    for (const QAction* item : F.StringGrid1->PopupMenu()->actions()) {
        EXPECT_NE(item->text(), "Original number");
    }
}

TEST_F(Form1Test, PredefinedListSortsFilmFormatsAndKeepsDisplayOrder) {
    const superarray& list = F.PredefinedTable;
    ASSERT_EQ(list.Count(), 127);
    EXPECT_EQ(list.GetRowText(1), "1.33:1 (4:3)");
    EXPECT_EQ(list.GetRowText(4), "1080/24p (1920:1080)");
    EXPECT_EQ(list.GetRowText(6), "Acadademy Standard (4:3)");
    EXPECT_EQ(list.GetRowText(114), "Wonderama Arc 120 (2.64:1)");
    EXPECT_EQ(list.GetRowText(115), "QVGA=QuarterVGA (320:240)");
    EXPECT_EQ(list.GetRowText(126), "QXGA Wide (3840:2400) (16:10)");
    EXPECT_EQ(list.GetRowText(127), "");
    EXPECT_EQ(F.StringGrid2->Cell(0, 0), "Predefined");

    ClickRow(F.StringGrid2, 126);
    EXPECT_EQ(Text(F.SpinEdit5), "3840");
    EXPECT_EQ(Text(F.SpinEdit6), "2400");
    EXPECT_EQ(F.Label4->text(), "8");
    EXPECT_EQ(F.Label5->text(), "5");

    ClickRow(F.StringGrid2, 127); // the empty row
    EXPECT_EQ(Text(F.SpinEdit5), "3840");
    EXPECT_EQ(Text(F.SpinEdit6), "2400");
}

TEST_F(Form1Test, ClickedResultRowBecomesTheReference) {
    ASSERT_EQ(Cell(40, 1), "640");
    ClickRow(F.StringGrid1, 40);
    EXPECT_EQ(Cell(40, 3), "100");
    EXPECT_EQ(Cell(40, 5), "0 / 0");
    EXPECT_EQ(Cell(20, 3), "25");
    EXPECT_EQ(Cell(20, 5), "-320 / -240");
    EXPECT_EQ(F.StringGrid1->Cell(2, 40), "100%");

    // The reference outlives a list that no longer holds it.
    F.SpinEdit4->SetValue(320);
    EXPECT_EQ(F.ResultTable.Count(), 20);
    EXPECT_EQ(Cell(20, 5), "-320 / -240");
}

TEST_F(Form1Test, GridShowsShorterListEvenWhenCurrentRowIsBelowIt) {
    F.StringGrid1->setCurrentCell(44, 0);
    F.SpinEdit4->SetValue(100);
    ASSERT_EQ(F.ResultTable.Count(), 6);
    EXPECT_EQ(F.StringGrid1->RowCount(), 7);
    const int top = F.StringGrid1->TopRow();
    EXPECT_LE(top, 6);
    for (int row = top; row <= std::min(6, top + F.StringGrid1->VisibleRowCount() - 1); ++row) {
        EXPECT_EQ(F.StringGrid1->Cell(0, row), QString::number(16 * row)) << row;
    }
}

TEST_F(Form1Test, RatioMenuActsOnThePairItWasOpenedOn) {
    Choose(F.PopupMenuScreenRatio, F.SpinPlayRatioY, "16:10");
    EXPECT_EQ(Text(F.SpinPlayRatioX), "16");
    EXPECT_EQ(Text(F.SpinPlayRatioY), "10");
    EXPECT_EQ(Text(F.SpinScreenRatioX), "4");
    EXPECT_EQ(Text(F.SpinScreenRatioY), "3");
    EXPECT_EQ(Text(F.SpinEdit5), "4");

    Choose(F.PopupMenuScreenRatio, F.SpinEdit6, "16:9");
    EXPECT_EQ(F.Label4->text(), "16");
    EXPECT_EQ(F.Label5->text(), "9");

    Choose(F.PopupMenuScreenRatio, F.PanelRotatedRatio, "5:4"); // no pair under the mouse
    EXPECT_EQ(Text(F.SpinScreenRatioX), "4");
    EXPECT_EQ(Text(F.SpinPlayRatioX), "16");
}

TEST_F(Form1Test, RangeMenuAndCapOnWidths) {
    Choose(F.PopupMenu3, F.PanelFromTo, "1440");
    EXPECT_EQ(Text(F.SpinEdit4), "1440");
    EXPECT_EQ(F.ResultTable.Count(), 90);

    // Typed digit by digit: the box is rewritten once the value passes the cap.
    for (TSpinEdit* spin : {F.SpinEdit3, F.SpinEdit4}) {
        spin->SetText({});
        QTest::keyClicks(spin, "900000");
        EXPECT_EQ(Text(spin), "32768");
    }
    ASSERT_EQ(F.ResultTable.Count(), 1);
    EXPECT_EQ(Cell(1, 1), "32768");
}

TEST_F(Form1Test, TransparencyOnlyInWindowSizeMode) {
    EXPECT_FALSE(F.TrackBar1->isEnabled());
    F.TrackBar1->setValue(150);
    EXPECT_DOUBLE_EQ(F.windowOpacity(), 1.0);

    F.CheckBox1->setChecked(true);
    EXPECT_TRUE(F.TrackBar1->isEnabled());
    EXPECT_FALSE(F.SpinEdit5->isEnabled());
    EXPECT_FALSE(F.StringGrid1->isEnabled());
    EXPECT_NEAR(F.windowOpacity(), 150 / 255.0, 1e-9);
    EXPECT_EQ(F.SpinEdit5->Value(), F.frameGeometry().width());
    EXPECT_EQ(F.SpinEdit6->Value(), F.frameGeometry().height());
    F.TrackBar1->setValue(255);
    EXPECT_DOUBLE_EQ(F.windowOpacity(), 1.0);

    F.TrackBar1->setValue(150);
    F.CheckBox1->setChecked(false);
    EXPECT_DOUBLE_EQ(F.windowOpacity(), 1.0);
    EXPECT_TRUE(F.SpinEdit5->isEnabled());
}

TEST_F(Form1Test, RotatedMovieTradesScreenLabels) {
    F.CheckBox3->setChecked(true);
    EXPECT_EQ(F.Label14->text(), "Height");
    EXPECT_EQ(F.Label15->text(), "Width");
    EXPECT_EQ(Cell(40, 8), "640:1138 (+0:+658)");
}

TEST_F(Form1Test, CtrlCCopiesSelectedRowsWithHeaders) {
    F.CheckBox2->setChecked(false);
    QItemSelectionModel* selection = F.StringGrid1->selectionModel();
    selection->clearSelection();
    for (int row : {1, 47}) {
        selection->select(F.StringGrid1->model()->index(row, 0),
                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    F.StringGrid1->setFocus();
    QTest::keyClick(F.StringGrid1, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "Width\tHeight\tArea%\tArea (h*w)\tPixelDif\tLetterboxed\n"
              "32\t24\t400\t768\t16 / 12\t32:32 (+0:+8)\n"
              "768\t576\t230400\t442368\t752 / 564\t768:768 (+0:+192)\n");
}

TEST(SpinEdit, ReadsLenientlyAndClampsOnWrite) {
    TSpinEdit spin;
    spin.SetRange(1, 100);
    int changes = 0;
    spin.OnChange = [&changes] { ++changes; };

    const struct {
        const char* Text;
        int32_t Value;
    } reads[] = {{"42", 42}, {"500", 500}, {"-7", -7}, {"+8", 8},
                 {"", 1},    {"1.85", 1},  {"abc", 1}, {"99999999999", 1}};
    for (const auto& r : reads) {
        spin.SetText(r.Text);
        EXPECT_EQ(spin.Value(), r.Value) << r.Text;
    }

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
