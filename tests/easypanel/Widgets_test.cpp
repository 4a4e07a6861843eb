// The widget side: window helpers, and the panel manager on a window like the program's.
#include "easypanel/TeasyPanel.h"
#include "easypanel/WindowHelpers.h"

#include "util/TextParse.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>
#include <span>
#include <string>
#include <tuple>

namespace {

TEST(WindowHelpers, FitsAndCentresOnTheScreen) {
    QWidget window;
    FitToScreen(&window, QRect(0, 0, 1024, 768));
    EXPECT_EQ(window.frameGeometry(), QRect(20, 30, 984, 708));
    FitToScreen(&window, QRect(1024, 0, 800, 600)); // a primary screen right of another
    EXPECT_EQ(window.frameGeometry(), QRect(1044, 30, 760, 540));
    EXPECT_EQ(StatusBarHeight(&window), 0);
}

TEST(WindowHelpers, ColourHelpersRoundHalvesToEven) {
    // Colour, Darker, Lighter.
    const std::tuple<QColor, QColor, QColor> cases[] = {
        {QColor(100, 21, 20), QColor(73, 15, 15), QColor(126, 25, 25)}, // hue 0.5 -> 0
        {QColor(0, 80, 49), QColor(0, 49, 29), QColor(0, 113, 68)},     // hue 104.5 -> 104
        {QColor(255, 0, 0, 99), QColor(223, 0, 0, 99), QColor(255, 32, 32, 99)},
        {QColor(255, 255, 255), QColor(239, 239, 239), QColor(255, 255, 255)}};
    for (const auto& [colour, darker, lighter] : cases) {
        EXPECT_EQ(Darker(colour), darker) << colour.name().toStdString();
        EXPECT_EQ(Lighter(colour), lighter) << colour.name().toStdString();
    }
    // Grey at luminance 130; hue 0, saturation 4: still a grey; saturation 25; hue 160: no grey.
    const std::pair<QColor, QColor> contrast[] = {{QColor(138, 138, 138), Qt::white},
                                                  {QColor(140, 136, 136), Qt::white},
                                                  {QColor(150, 126, 126), Qt::black},
                                                  {QColor(136, 136, 140), Qt::black}};
    for (const auto& [colour, text] : contrast) {
        EXPECT_EQ(ContrastColor(colour), text) << colour.name().toStdString();
    }
}

TEST(WindowHelpers, ShowEnabledStateRecoloursByKind) {
    const QColor c(0xC7, 0xBA, 0xBF);
    const QColor base = QGuiApplication::palette().color(QPalette::Base);
    QWidget form;
    auto* panel = new TBevelPanel(&form);
    panel->SetColor(c);
    auto* edit = new QLineEdit(panel);
    edit->resize(100, 30);
    auto* pathEdit = new QLineEdit(panel);
    pathEdit->setObjectName("EditPathSource");
    QPalette own = pathEdit->palette();
    own.setColor(QPalette::Base, Qt::blue);
    pathEdit->setPalette(own);
    // A banded grid is known by its band colour properties, whatever its class.
    auto* grid = new QTableWidget(panel);
    const QColor band1(0xFF, 0xFE, 0xE1);
    grid->setProperty(GridBandColor1Property, band1);
    grid->setProperty(GridBandColor2Property, QColor(Qt::white));
    auto* table = new QTableWidget(panel);
    // The active group: a disabled widget's current group holds the style's disabled colours.
    const auto colour = [](const QWidget* widget) {
        return widget->palette().color(QPalette::Active, QPalette::Base);
    };
    for (const int round : {0, 1, 2}) { // enabled, disabled, enabled again
        const bool enabled = round != 1;
        SCOPED_TRACE(round);
        const QColor expected = enabled ? base : Darker(Darker(c));
        for (QWidget* widget : std::initializer_list<QWidget*>{edit, pathEdit, grid, table}) {
            widget->setEnabled(enabled);
        }
        ShowEnabledState(&form);
        EXPECT_EQ(colour(edit), expected);
        EXPECT_EQ(colour(pathEdit), round == 0 ? QColor(Qt::blue) : Darker(Darker(c)))
            << "an enabled path edit keeps its colour";
        EXPECT_TRUE(edit->hasFrame() == enabled && pathEdit->hasFrame() == enabled);
        EXPECT_EQ(grid->property(GridBandColor2Property).value<QColor>(),
                  enabled ? QColor(Qt::white) : band1);
        EXPECT_EQ(colour(table), expected) << "a table without bands";
        QImage shot(edit->size(), QImage::Format_RGB32);
        edit->render(&shot);
        EXPECT_EQ(shot.pixel(50, 15), expected.rgb()) << "as it is painted";
    }
}

// A window with panels like the program's: slots 0..5 in this order, the ratio panel the
// one that takes the spare height.
class TeasyPanelTest : public ::testing::Test {
protected:
    TeasyPanel Manager; // declared first: outlives the window and its panels
    QWidget Form;
    TBevelPanel *Dividable, *FromTo, *Rotated, *Ratio, *Options, *Url;
    int Changes = 0;

    TBevelPanel* AddPanel(const char* name, const char* caption, QColor colour, int height,
                          int width = 200) {
        auto* panel = new TBevelPanel(&Form);
        panel->setObjectName(name);
        panel->SetCaption(caption);
        panel->SetColor(colour);
        panel->setGeometry(8, 8, width, height);
        (new QLabel(QStringLiteral("Width 640"), panel))->move(10, 30);
        return panel;
    }

    void SetUp() override {
        Manager.Init();
        Manager.Animate = false;
        Form.resize(900, 700);
        Dividable = AddPanel("PanelDividable", "Dividable by", QColor(0xC7, 0xBA, 0xBF), 100);
        FromTo = AddPanel("PanelFromTo", "From / To|0.1|80|80", QColor(0xBA, 0xC7, 0xBE), 60);
        Rotated = AddPanel("PanelRotatedRatio", "Rotated ratio", QColor(0xBD, 0xBA, 0xC7), 90);
        Ratio = AddPanel("PanelRatio", "Ratio|85", QColor(0xC7, 0xC5, 0xBA), 225, 220);
        Options = AddPanel("PanelOptions", "Options", QColor(0xBA, 0xC4, 0xC7), 70);
        (new QVBoxLayout(Options))->addWidget(new QCheckBox(QStringLiteral("Same ratio")));
        Url = AddPanel("PanelURL", "Links", QColor(0xC7, 0xBA, 0xC6), 60);
        // Not for the manager; out of the way of the panels that are.
        AddPanel("PanelBlank", " ", Qt::gray, 50)->move(600, 8);
        AddPanel("", "Nameless", Qt::gray, 50)->move(600, 100);
        (new TGPanel(&Form))->move(600, 200);
        Form.show();
        EXPECT_EQ(Manager.AddAllPanels(&Form), "012345");
        Manager.OnChange = [this] { ++Changes; };
    }

    // The owner's part: lay out and place after every change.
    void FollowChanges(int32_t height, int32_t width) {
        Manager.OnChange = [this, height, width] {
            ++Changes;
            Manager.Layout(Manager.Order, height, width, 0);
            Manager.Place(Manager.Order);
        };
    }
};

TEST_F(TeasyPanelTest, RegistrationBuildsTitleBarAndContent) {
    EXPECT_EQ(Manager.ColumnWidth, 220);
    const TeasyPanel::TPanelSlot& fromTo = Manager.Slots[1];
    EXPECT_EQ(fromTo.TitleLabel->text(), "From / To");
    EXPECT_TRUE(FromTo->Caption().isEmpty());
    EXPECT_EQ(fromTo.Spec, "0.1|80|80");
    EXPECT_EQ(fromTo.TitleBar->geometry(), QRect(1, 1, 198, 24)) << "inside the raised bevel";
    EXPECT_EQ(fromTo.Content->geometry(), QRect(1, 25, 198, 34));
    EXPECT_EQ(fromTo.TitleLabel->palette().color(QPalette::WindowText),
              ContrastColor(Darker(Darker(FromTo->Color()))));
    EXPECT_EQ(fromTo.Content->findChildren<QLabel*>().size(), 1) << "the controls moved in";
    EXPECT_TRUE(Manager.Slots[4].Content->findChild<QCheckBox*>() != nullptr &&
                Manager.Slots[4].Content->layout() != nullptr)
        << "a panel's own layout moves with its controls";

    Ratio->resize(220, 300); // registering again only replaces "weight|min|max"
    Manager.AddPanel(Ratio, "40");
    EXPECT_EQ(Ratio->findChildren<TGPanel*>().size(), 2);
    EXPECT_EQ(Manager.Slots[3].Spec, "40|300");
    // A specification that cannot be read is refused before anything changes.
    TBevelPanel* fresh = AddPanel("Fresh", "Fresh", Qt::gray, 90);
    const int32_t before = Manager.PanelCount;
    EXPECT_THROW(Manager.AddPanel(fresh, "85|x"), ConversionError);
    EXPECT_TRUE(Manager.PanelCount == before && Manager.FindPanel(fresh) == -1 &&
                fresh->findChildren<TGPanel*>().isEmpty() && fresh->Caption() == "Fresh");
    for (int32_t count = Manager.PanelCount; count < 22; ++count) {
        Manager.AddPanel(AddPanel("More", "More", Qt::gray, 30), "");
    }
    EXPECT_EQ(Manager.PanelCount, 21) << "the 22nd panel is refused";
}

TEST_F(TeasyPanelTest, ButtonsCollapseExpandAndZoom) {
    FollowChanges(900, 900);
    Manager.SetOrder("Panel*");
    EXPECT_EQ(Ratio->height(), 324) << "the weighted panel takes the spare height";
    // By mouse (a click, or a double click on the bar) and from the keyboard: Tab reaches
    // both, Space or Return presses them. Zoomed, the others collapse and no button shows.
    TBevelPanel* button = Manager.Slots[3].CollapseButton;
    TGPanel* bar = Manager.Slots[3].TitleBar;
    const int zoomed = 892 - 6 * 8 - 5 * 26;
    const struct {
        QWidget* On;
        int Height;
        QKeyCombination Key; // none: by mouse
    } presses[] = {{button, 26, {}},
                   {button, 324, {}},
                   {bar, zoomed, {}},
                   {bar, 324, {}},
                   {button, 26, Qt::Key_Space},
                   {button, 324, Qt::Key_Return},
                   {bar, zoomed, Qt::Key_Enter},
                   {bar, 324, Qt::Key_Space},
                   {button, 324, Qt::CTRL | Qt::Key_Space}};
    for (const auto& p : presses) {
        if (p.Key.key() != Qt::Key_unknown) {
            EXPECT_EQ(p.On->focusPolicy(), Qt::TabFocus);
            QTest::keyClick(p.On, p.Key.key(), p.Key.keyboardModifiers());
        } else if (p.On == bar) {
            QTest::mouseDClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 40, 4));
        } else {
            QTest::mouseClick(button, Qt::LeftButton);
        }
        SCOPED_TRACE(testing::Message()
                     << p.On->objectName().toStdString() << " " << p.Key.toCombined());
        EXPECT_EQ(Ratio->height(), p.Height);
        EXPECT_EQ(Manager.Slots[3].Collapsed, p.Height == 26);
        EXPECT_EQ(Manager.AnyZoomed(), p.Height == zoomed);
        EXPECT_EQ(Manager.Slots[0].CollapseButton->isVisible(), p.Height != zoomed);
        EXPECT_EQ(button->isVisible(), p.Height != zoomed);
        EXPECT_EQ(Dividable->height(), p.Height == zoomed ? 26 : 124);
    }
    // As the window paints it zoomed: the bar, the content's gradient from the panel's colour,
    // the others collapsed to their bars with the gap below them left to the window.
    Manager.TitlebarDblClick(bar);
    const QImage shot = Form.grab().toImage();
    const auto at = [&shot](const QWidget* panel, int y) {
        return shot.pixelColor(100, panel->y() + y).rgb();
    };
    EXPECT_EQ(at(Ratio, 1), Darker(Darker(Ratio->Color())).rgb()) << "title bar";
    EXPECT_EQ(at(Ratio, 25), Ratio->Color().rgb()) << "the content's gradient starts";
    EXPECT_GT(QColor(at(Ratio, zoomed / 2)).lightness(), Ratio->Color().lightness());
    for (const TBevelPanel* panel : {Dividable, FromTo, Rotated}) {
        EXPECT_EQ(at(panel, 1), Darker(Darker(panel->Color())).rgb());
        EXPECT_EQ(at(panel, 26 + 1), Form.palette().color(QPalette::Window).rgb())
            << "the gap below " << panel->objectName().toStdString();
    }
    Manager.TitlebarDblClick(bar);

    QAccessibleInterface* pressable = QAccessible::queryAccessibleInterface(button);
    EXPECT_EQ(pressable->role(), QAccessible::Button);
    EXPECT_EQ(pressable->text(QAccessible::Name), "Collapse or restore Ratio");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(bar)->text(QAccessible::Name), "Zoom Ratio");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Ratio)->role(), QAccessible::Grouping);
    pressable->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(Ratio->height(), 26);

    QApplication::setActiveWindow(&Form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Form));
    bar->setFocus();
    EXPECT_EQ(bar->grab().toImage().pixelColor(0, 0),
              bar->palette().color(QPalette::Active, QPalette::Highlight))
        << "the focus shows";
}

TEST_F(TeasyPanelTest, PanelMenuActsByPosition) {
    std::string captions;
    for (const QAction* item : Manager.PanelMenu->actions()) {
        captions += item->text().toStdString() + ",";
    }
    EXPECT_EQ(captions, "Collapse all panels,Maximize all panels,Toggle titlebar,"
                        "Hide all titlebars,Shows all titlebars,Make all panels flat,"
                        "Make all panels raised,Make all panels lowered+raised,"
                        "Make all panels lowered,");
    TBevelPanel* button = Manager.Slots[5].CollapseButton;
    QContextMenuEvent opening(QContextMenuEvent::Mouse, {3, 3}, button->mapToGlobal(QPoint(3, 3)));
    QCoreApplication::sendEvent(button, &opening);
    ASSERT_TRUE(Manager.PanelMenu->isVisible());
    Manager.PanelMenu->hide();
    Manager.PanelMenu->actions().at(2)->trigger();
    EXPECT_FALSE(Manager.Slots[5].TitleBar->isVisible()) << "toggles the menu's own panel";
    EXPECT_TRUE(Manager.Slots[4].TitleBar->isVisible());
    Manager.PanelMenu->actions().at(2)->trigger(); // and back

    // What each item leaves in every panel: collapsed, title bar, outer and inner bevel, border.
    const std::pair<int, const char*> cases[] = {{0, "11200"}, {1, "01200"}, {3, "00200"},
                                                 {4, "01200"}, {5, "01001"}, {6, "01200"},
                                                 {7, "01210"}, {8, "01100"}};
    for (const auto& [position, expected] : cases) {
        Manager.PanelMenu->actions().at(position)->trigger();
        for (const TeasyPanel::TPanelSlot& slot : std::span(Manager.Slots.data(), 6)) {
            const TBevelPanel* panel = slot.PanelRef;
            const QString state = QString::asprintf(
                "%d%d%d%d%d", slot.Collapsed, slot.TitleBar->isVisible(), int(panel->BevelOuter()),
                int(panel->BevelInner()), int(panel->BorderStyle()));
            EXPECT_EQ(state.toStdString(), expected)
                << "item " << position << ", " << panel->objectName().toStdString();
        }
    }
}

// The names of the registered panels reach the order (their matching is the stack's), and a
// stored order comes back as it was.
TEST_F(TeasyPanelTest, SetOrderTakesNamesOrAStoredOrder) {
    FollowChanges(700, 900);
    Manager.SetOrder(",,PanelURL,,Nope,panelratio,");
    EXPECT_EQ(Manager.Order, "53");
    EXPECT_TRUE(Url->isVisible() && Ratio->isVisible() && !Dividable->isVisible())
        << "only the panels of the order show";
    Manager.SetOrder("ord:5.3x");
    EXPECT_EQ(Manager.Order, "5.3x");
    EXPECT_EQ(Changes, 2);
}

TEST_F(TeasyPanelTest, PlacesTheProgramsPanels) {
    // The program's start-up adjustments.
    Manager.AddPanel(Url, "15|17|50");
    Manager.CollapsePanel(Rotated);
    Manager.SetPanelStyle(0);
    Manager.HideTitlebar(Url);
    Manager.SetOrder(
        "PanelRatio,PanelDividable,PanelFromTo,PanelOptions,PanelRotatedratio,PanelURL");
    Manager.SetTitlebarHeight(20);
    EXPECT_EQ(Manager.Slots[3].TitleBar->height(), 22);
    EXPECT_EQ(Manager.Slots[3].CollapseButton->geometry(), QRect(218 - 16 - 3, 2, 16, 16));
    EXPECT_TRUE(Manager.Slots[5].CornerButton->isVisible() &&
                !Manager.Slots[5].CollapseButton->isVisible());
    // Tops, lefts and heights of slots 0..5 in one column (the stack's own tests cover the
    // other arrangements); the height left for the grid.
    EXPECT_EQ(Manager.Layout(Manager.Order, 700, 900, 0), 692);
    Manager.Place(Manager.Order);
    QStringList placed;
    for (const TeasyPanel::TPanelSlot& slot : std::span(Manager.Slots.data(), 6)) {
        const QRect area = slot.PanelRef->geometry();
        placed << QString::asprintf("%d,%d,%d", area.top(), area.left(), area.height());
    }
    EXPECT_EQ(placed.join(' '), "303,8,122 433,8,102 643,8,24 8,8,287 543,8,92 675,8,17");
    // Collapsed, a panel keeps its title bar and bevels, or without a title bar the bar's
    // height (not the corner button's).
    Manager.CollapsePanel(Url);
    EXPECT_EQ(Manager.CollapsedHeight(2), 24);
    EXPECT_EQ(Url->height(), 20);
}

// Every panel style leaves the contents the room they have in the flat style: the lowered
// and raised bevels, two pixels a side, make the panels taller instead of cutting off what
// lies at their bottom edge (the link captions).
TEST_F(TeasyPanelTest, ThickerFramesKeepTheContentsRoom) {
    FollowChanges(700, 260);
    Manager.AddPanel(Url, "15|17|50");
    Manager.HideTitlebar(Url);
    Manager.SetOrder("PanelFromTo,PanelURL");
    const auto rooms = [this] {
        QApplication::sendPostedEvents(); // the panels' layouts place their contents
        return std::pair(Manager.Slots[1].Content->height(), Manager.Slots[5].Content->height());
    };
    Manager.PanelMenuClick(5);
    const auto flat = rooms();
    EXPECT_EQ(flat, std::pair(80 - 2, 50 - 2)); // the link panel at its maximum
    for (const int position : {6, 7, 8, 5}) {
        const int changes = Changes;
        Manager.PanelMenuClick(position);
        EXPECT_EQ(Changes, changes + 1) << position;
        EXPECT_EQ(rooms(), flat) << "style " << position - 5;
    }
    Manager.PanelMenuClick(7);
    EXPECT_EQ(Url->height(), 50 + 2);
}

TEST_F(TeasyPanelTest, OutOfRangeSlotsAndLostPanelsAreHarmless) {
    QLabel stranger;
    for (const int32_t slot : {INT32_MIN, -1, 6, 21, INT32_MAX}) {
        Manager.SetTitlebar(slot, false, true);
        Manager.SetCollapsed(slot, false, true);
        EXPECT_EQ(Manager.CollapsedHeight(slot) + Manager.StateMinHeight(slot), 0) << slot;
        stranger.setObjectName(QString("titlebar_%1_x").arg(slot));
        Manager.TitlebarDblClick(&stranger);
    }
    EXPECT_EQ(Changes, 0);

    Manager.Gap = INT32_MIN; // margins and heights the stacking sums must survive
    Manager.TopMargin = INT32_MAX;
    delete Url;
    FollowChanges(INT32_MAX, INT32_MAX);
    for (int position = -1; position < 10; ++position) {
        Manager.PanelMenuClick(position);
    }
    Manager.SetOrder("Panel*");
    EXPECT_EQ(Manager.Order, "01234");
    Manager.Layout("012345", INT32_MIN, INT32_MIN, INT32_MAX);
    Manager.Place("012345");

    auto bare = std::make_unique<TeasyPanel>(); // without Init: no menu
    bare->AddPanel(Dividable, "");
    TBevelPanel* button = bare->Slots[0].CollapseButton;
    bare.reset();
    QTest::mouseClick(button, Qt::LeftButton); // its manager is gone
}

} // namespace
