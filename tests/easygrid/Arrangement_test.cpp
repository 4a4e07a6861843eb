#include "GPanel/TBevelPanel.h"
#include "ResultGrid.h"

#include <gtest/gtest.h>

namespace {

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
    // Grid and panels as "x,y wxh;", "-;" when hidden.
    std::string Arrangement() const {
        std::string out;
        for (const QWidget* w :
             std::initializer_list<const QWidget*>{Grid, Panels[0], Panels[1], Panels[2]}) {
            const QRect r = w->geometry();
            out += w->isVisible() ? QString("%1,%2 %3x%4;")
                                        .arg(r.x())
                                        .arg(r.y())
                                        .arg(r.width())
                                        .arg(r.height())
                                        .toStdString()
                                  : "-;";
        }
        return out;
    }
};

TEST(Arrangement, GridBesideTheFirstColumnAndOverflowUnderIt) {
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
}

TEST(Arrangement, MinimumSizeIsSearchedOncePerPanelState) {
    PanelWindow w;
    w.Ctl.MinHeightCache.clear();
    w.Ctl.Relayout();
    ASSERT_EQ(w.Ctl.MinHeightCache.size(), 1u);
    const QSize minimum = w.Form.minimumSize();
    w.Ctl.Relayout();
    EXPECT_EQ(w.Ctl.MinHeightCache.size(), 1u);
    EXPECT_EQ(w.Form.minimumSize(), minimum);
    EXPECT_EQ(minimum, QSize(8 + 169 + 8 + 169 + 8, 372));
}

TEST(Arrangement, MaximizeTwiceRestoresTheArrangement) {
    PanelWindow w;
    w.Form.resize(800, 400);
    const std::string before = w.Arrangement();
    const QSize minimum = w.Form.minimumSize();
    for (const std::string& expected : {std::string("8,8 784x384;-;-;-;"), before}) {
        QTest::keyClick(&w.Form, Qt::Key_F4, Qt::ControlModifier);
        EXPECT_EQ(w.Arrangement(), expected);
        EXPECT_EQ(w.Form.minimumSize(), w.Ctl.PanelsHidden ? QSize(10 + 16, 8 + 10 + 8) : minimum);
    }
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
    const auto box = [](const QWidget* w) {
        const QRect r = w->geometry();
        return w->isVisible() ? QString("%1,%2 %3x%4;")
                                    .arg(r.x())
                                    .arg(r.y())
                                    .arg(r.width())
                                    .arg(r.height())
                                    .toStdString()
                              : std::string("-;");
    };
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
        EXPECT_EQ(box(holder) + box(grid) + box(sub), expected);
    }
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
    std::string fonts;
    for (int32_t item : {c.PropFontItem, c.PropFontItem, c.ResetFontItem}) {
        g.Trigger(item);
        fonts += g.Grid->FontName().toStdString() + ";";
    }
    EXPECT_EQ(fonts, "Courier New;Tahoma;" + c.DefaultFont.family().toStdString() + ";");
    g.Trigger(c.MaximizeItem);
    EXPECT_TRUE(c.PanelsHidden);
}

} // namespace
