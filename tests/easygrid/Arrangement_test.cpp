#include "GPanel/TBevelPanel.h"
#include "ResultGrid.h"
#include "gridctl/TPrintSettingsDialog.h"

#include <QFontDialog>

#include <gtest/gtest.h>

namespace {

// A widget's geometry as "x,y wxh;", "-;" when hidden.
std::string Box(const QWidget* w) {
    const QRect r = w->geometry();
    return w->isVisible() ? QString::asprintf("%d,%d %dx%d;", r.x(), r.y(), r.width(), r.height())
                                .toStdString()
                          : "-;";
}

// A window of three panels 169 wide and a grid, arranged by the controller.
struct PanelWindow {
    TForm Form;
    std::vector<TBevelPanel*> Panels;
    TGridControl* Grid;
    superarray Table;
    TEasyGrid Ctl;
    QRect SeenByWindow; // the grid when the window's own handler last ran
    PanelWindow() {
        for (const char* name : {"PanelA", "PanelB", "PanelC"}) {
            Panels.push_back(new TBevelPanel(&Form));
            Panels.back()->setObjectName(name);
            Panels.back()->SetCaption(QString(name) + "|1");
            Panels.back()->setGeometry(0, 0, 169, 150); // 174 with its title bar
        }
        Grid = new TGridControl(&Form);
        Grid->move(0, 8);
        Table.Init();
        Form.OnResize = [this] { SeenByWindow = Grid->geometry(); };
        Form.resize(800, 700);
        Form.show();
        Ctl.Attach(Grid, &Table, true, true);
    }
    std::string Arrangement() const {
        return Box(Grid) + Box(Panels[0]) + Box(Panels[1]) + Box(Panels[2]);
    }
};

TEST(Arrangement, GridBesideTheFirstColumnOverflowUnderItOrAloneAtTheMargin) {
    PanelWindow w;
    const std::tuple<int, int, const char*> cases[] = {
        {800, 400, "185,8 607x202;8,8 169x188;8,204 169x188;185,218 169x174;"},
        {800, 700, "185,8 607x684;8,8 169x223;8,239 169x223;8,470 169x222;"},
        {600, 500, "185,8 407x302;8,8 169x238;8,254 169x238;185,318 169x174;"}};
    for (const auto& [width, height, expected] : cases) {
        w.Form.resize(width, height);
        EXPECT_EQ(w.Arrangement(), expected) << height;
        EXPECT_EQ(w.SeenByWindow, w.Grid->geometry()) << height; // the window's handler ran last
    }
    w.Ctl.Arrange(""); // no panel order: the grid at the left margin
    EXPECT_EQ(Box(w.Grid), "8,8 584x484;");
}

TEST(Arrangement, MinimumSizeIsSearchedOncePerPanelState) {
    PanelWindow w;
    w.Ctl.MinHeightCache.clear();
    // A window being built is arranged without the search, which comes once it is done.
    w.Ctl.MinimumSizeHeld = true;
    w.Form.setMinimumSize(0, 0);
    w.Ctl.Relayout();
    EXPECT_TRUE(w.Ctl.MinHeightCache.empty());
    EXPECT_EQ(w.Form.minimumSize(), QSize(0, 0));
    w.Ctl.MinimumSizeHeld = false;
    w.Ctl.Relayout();
    ASSERT_EQ(w.Ctl.MinHeightCache.size(), 1u);
    const QSize minimum = w.Form.minimumSize();
    w.Ctl.Relayout();
    EXPECT_EQ(w.Ctl.MinHeightCache.size(), 1u);
    EXPECT_EQ(w.Form.minimumSize(), minimum);
    EXPECT_EQ(minimum, QSize(8 + 169 + 8 + 169 + 8, 372));
    // The grid keeps its minimum height there, one pixel less would not.
    w.Form.resize(minimum);
    EXPECT_GE(w.Grid->height(), w.Ctl.MinGridHeight);
    w.Form.setMinimumSize(0, 0);
    w.Form.resize(minimum - QSize(0, 1));
    EXPECT_LT(w.Grid->height(), w.Ctl.MinGridHeight);
    // A full cache drops its oldest entry for a new state.
    w.Ctl.MinHeightCache.assign(TEasyGrid::MinHeightCacheLimit, "stale:1");
    w.Ctl.MinHeightCache.front() = "oldest:1";
    w.Ctl.Animate = false;
    w.Ctl.CollapsePanel(w.Panels[0]);
    EXPECT_EQ(w.Ctl.MinHeightCache.size(), TEasyGrid::MinHeightCacheLimit);
    EXPECT_EQ(w.Ctl.MinHeightCache.front(), "stale:1");
}

TEST(Arrangement, MaximizeTwiceRestoresTheArrangement) {
    PanelWindow w;
    w.Form.resize(800, 400);
    const std::string before = w.Arrangement();
    const QSize minimum = w.Form.minimumSize();
    // ctrl-F5 without grid panels changes nothing.
    const std::pair<Qt::Key, std::string> steps[] = {{Qt::Key_F4, "8,8 784x384;-;-;-;"},
                                                     {Qt::Key_F5, "8,8 784x384;-;-;-;"},
                                                     {Qt::Key_F4, before},
                                                     {Qt::Key_F5, before}};
    for (const auto& [key, expected] : steps) {
        QTest::keyClick(&w.Form, key, Qt::ControlModifier);
        EXPECT_EQ(w.Arrangement(), expected);
        EXPECT_EQ(w.Form.minimumSize(), w.Ctl.PanelsHidden ? QSize(10 + 16, 8 + 10 + 8) : minimum);
    }
    EXPECT_FALSE(w.Ctl.GridPanelsHidden);
}

TEST(Arrangement, GridPanelsHideWithCtrlF5AndWhileMaximized) {
    TForm form;
    auto* holder = new TBevelPanel(&form);
    holder->SetCaption(" "); // the grid's own panel, not one of the window's
    holder->move(185, 8);
    auto* sub = new TBevelPanel(holder);
    sub->setObjectName("Sub");
    sub->SetCaption("Sub|1");
    sub->resize(120, 60);
    auto* grid = new TGridControl(holder);
    superarray table;
    table.Init();
    form.resize(600, 400);
    form.show();
    TEasyGrid ctl;
    ctl.Attach(grid, &table, true, true);
    EXPECT_EQ(MenuText(*grid, 12, 12), "Show/Hide grid panels (ctrl-F5);");
    const std::string shown = "8,8 584x384;0,68 584x316;0,0 120x60;",
                      hidden = "8,8 584x384;0,0 584x384;-;";
    // ctrl-F5 hides them, maximizing always does; restoring brings back the state before it.
    for (const auto& [key, expected] : {std::pair{Qt::Key_F5, hidden},
                                        {Qt::Key_F4, hidden},
                                        {Qt::Key_F4, hidden},
                                        {Qt::Key_F5, shown},
                                        {Qt::Key_F4, hidden},
                                        {Qt::Key_F4, shown}}) {
        QTest::keyClick(&form, key, Qt::ControlModifier);
        EXPECT_EQ(Box(holder) + Box(grid) + Box(sub), expected);
    }
    EXPECT_FALSE(ctl.RelayoutToggle); // every arrangement inside the panel ended its pass
}

TEST(GridMenu, PredefinedListHasNoWindowItems) {
    TForm form;
    auto* grid = new TGridControl(new TBevelPanel(&form));
    grid->SetOptions(grid->Options() | TGridControl::goVertLine | TGridControl::goHorzLine);
    superarray table;
    TEasyGrid ctl;
    ctl.Attach(grid, &table, false, false);
    ctl.MaximizeAllowed = false;
    ctl.SetGridLook();
    ctl.AddColumn("Predefined", 0, "Predefined Ratios", "100,0");
    EXPECT_EQ(MenuText(*grid), "Save grid as Html;Print Grid;|;Font..;Proportional Font on/off;"
                               "Reset Font;|;*Grid bands;*Vertical lines;*Horizontal lines;|;"
                               "*Predefined Ratios;");
    // "100,0" on the only column: its first width takes the whole client width.
    grid->resize(300, 200);
    ctl.FitColumns();
    EXPECT_EQ(grid->ColumnCount(), 1);
    EXPECT_EQ(grid->ColumnWidth(0), grid->ClientWidth() - grid->GridLineWidth());
}

TEST(GridMenu, CommandsChangeTheGridAndTheirCheckMarks) {
    ResultGrid g(100);
    TEasyGrid& c = g.Ctl;
    for (const char* expected : {"Grid bands;*Vertical lines;*Horizontal lines;",
                                 "*Grid bands;Vertical lines;Horizontal lines;"}) {
        g.Trigger(c.BandsItem);
        g.Trigger(c.VLinesItem);
        g.Trigger(c.HLinesItem);
        const TGridControl::TGridOptions options = g.Grid->Options();
        EXPECT_EQ(MenuText(*g.Grid, c.BandsItem, c.HLinesItem), expected);
        EXPECT_EQ(std::string(expected).starts_with('*'), g.Grid->BandsActive());
        EXPECT_EQ(options.testFlag(TGridControl::goVertLine),
                  options.testFlag(TGridControl::goHorzLine));
        EXPECT_NE(options.testFlag(TGridControl::goVertLine), g.Grid->BandsActive());
    }
    g.Grid->SetFontName("Tahoma");
    g.OnDialog = [](QDialog& d) {
        static_cast<QFontDialog&>(d).setCurrentFont(QFont("DejaVu Serif", 17));
    };
    std::string fonts;
    const std::pair<int32_t, int> steps[] = {{c.PropFontItem, 0},
                                             {c.PropFontItem, 0},
                                             {c.FontItem, QDialog::Rejected},
                                             {c.FontItem, QDialog::Accepted},
                                             {c.ResetFontItem, 0}};
    for (const auto& [item, result] : steps) {
        g.DialogResult = result;
        g.Trigger(item);
        fonts += g.Grid->FontName().toStdString() + ";";
    }
    EXPECT_EQ(fonts, "Courier New;Tahoma;Tahoma;DejaVu Serif;" +
                         c.DefaultFont.family().toStdString() + ";");
    // Both dialogs see every row filled; cancelled print settings are restored.
    const TPrintSettings settings = g.Grid->PrintSettings;
    g.OnDialog = [&g](QDialog& d) {
        g.Calls.push_back(g.Cell(0, 100));
        if (qobject_cast<TPrintSettingsDialog*>(&d) != nullptr) {
            g.Grid->PrintSettings.ColumnSpacing += 5; // as the dialog edits in place
        }
    };
    g.DialogResult = QDialog::Rejected;
    g.Calls.clear();
    g.Trigger(c.HtmlItem);
    g.Trigger(c.PrintItem);
    EXPECT_EQ(g.Calls, (Texts{"THtmlExportDialog", "1400", "TPrintSettingsDialog", "1400"}));
    EXPECT_EQ(g.Grid->PrintSettings, settings);
    g.Trigger(c.LayoutsItem);
    EXPECT_EQ(g.Layout(), "Width;Height;Width dividable by;Height dividable by;");
    g.Trigger(c.MaximizeItem);
    EXPECT_TRUE(c.PanelsHidden);
}

} // namespace
