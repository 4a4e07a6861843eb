#include "easypanel/WindowHelpers.h"

#include "GPanel/TGPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <gtest/gtest.h>

// Stands in for the grid control of the library above: found by class name, coloured
// through its band properties.
class TGridControl : public QTableWidget {
    Q_OBJECT
    Q_PROPERTY(QColor BandColor1 MEMBER Band1)
    Q_PROPERTY(QColor BandColor2 MEMBER Band2)

public:
    QColor Band1{0xFF, 0xFE, 0xE1};
    QColor Band2{Qt::white};
};

namespace {

// The active group: a disabled widget's current group holds the style's disabled colours.
QColor BaseOf(const QWidget* widget) {
    return widget->palette().color(QPalette::Active, QPalette::Base);
}

QImage Render(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_RGB32);
    widget.render(&image);
    return image;
}

TEST(WindowHelpers, FitsAndCentresOnTheScreen) {
    QWidget window;
    FitToScreen(&window, QRect(0, 0, 1024, 768));
    EXPECT_EQ(window.frameGeometry(), QRect(20, 30, 984, 708));
    FitToScreen(&window, QRect(1024, 0, 800, 600)); // a primary screen right of another
    EXPECT_EQ(window.frameGeometry(), QRect(1044, 30, 760, 540));
    window.resize(151, 151);
    CenterOnScreen(&window, QRect(0, 0, 100, 100)); // -51 / 2 truncates to -25
    EXPECT_EQ(window.pos(), QPoint(-25, -25));

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    FitToScreen(&window);
    EXPECT_EQ(window.frameGeometry().size(), screen.size() - QSize(40, 60));
    FitToScreen(nullptr);
}

TEST(WindowHelpers, ColourHelpersRoundHalvesToEven) {
    struct Case {
        QColor Colour, Darker, Lighter;
    };
    const Case cases[] = {
        {QColor(100, 21, 20), QColor(73, 15, 15), QColor(126, 25, 25)}, // hue 0.5 -> 0
        {QColor(0, 80, 49), QColor(0, 49, 29), QColor(0, 113, 68)},     // hue 104.5 -> 104
        {QColor(0xBA, 0xC7, 0xBE), QColor(168, 185, 173), QColor(203, 213, 206)},
        {QColor(255, 0, 0), QColor(223, 0, 0), QColor(255, 32, 32)},
        {QColor(0, 0, 0), QColor(0, 0, 0), QColor(16, 16, 16)},
        {QColor(255, 255, 255), QColor(239, 239, 239), QColor(255, 255, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Colour.name().toStdString());
        EXPECT_EQ(Darker(c.Colour), c.Darker);
        EXPECT_EQ(Lighter(c.Colour), c.Lighter);
    }
    EXPECT_EQ(Darker(QColor(255, 0, 0, 99)).alpha(), 99);

    const std::pair<QColor, QColor> contrast[] = {
        {QColor(138, 138, 138), Qt::white}, // grey at luminance 130
        {QColor(140, 136, 136), Qt::white}, // hue 0, saturation 4: still a grey
        {QColor(150, 126, 126), Qt::black}, // hue 0, saturation 25
        {QColor(136, 136, 140), Qt::black}, // hue 160: not a grey by the rule
        {QColor(255, 255, 255), Qt::black},
    };
    for (const auto& [colour, text] : contrast) {
        EXPECT_EQ(ContrastColor(colour), text) << colour.name().toStdString();
    }
}

TEST(WindowHelpers, ShowEnabledStateRecoloursByKind) {
    const QColor c(0xC7, 0xBA, 0xBF);
    const QColor d = Darker(Darker(c));
    const QColor window = QGuiApplication::palette().color(QPalette::Base);
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
    auto* masked = new QLineEdit(panel);
    masked->setInputMask("999");
    masked->setObjectName("EditPathMasked"); // the name rule is the plain edit's only
    auto* combo = new QComboBox(panel);
    auto* spin = new QSpinBox(panel);
    auto* check = new QCheckBox(panel);
    auto* table = new QTableWidget(panel);
    auto* grid = new TGridControl;
    grid->setParent(panel);
    ShowEnabledState(&form);
    EXPECT_EQ(BaseOf(pathEdit), QColor(Qt::blue));

    const struct {
        const char* Name;
        QWidget* Widget;
        QPalette::ColorRole Role;
        QColor Enabled;
    } kinds[] = {
        {"edit", edit, QPalette::Base, window},     {"masked", masked, QPalette::Base, window},
        {"combo", combo, QPalette::Base, window},   {"combo face", combo, QPalette::Button, window},
        {"spin box", spin, QPalette::Base, window}, {"check box", check, QPalette::Window, c},
        {"table", table, QPalette::Base, window},
    };
    for (const bool enabled : {false, true}) {
        for (QWidget* child : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            child->setEnabled(enabled);
        }
        const QColor gridBase = BaseOf(grid);
        ShowEnabledState(&form);
        for (const auto& kind : kinds) {
            SCOPED_TRACE(std::string(kind.Name) + (enabled ? " enabled" : " disabled"));
            EXPECT_EQ(kind.Widget->palette().color(QPalette::Active, kind.Role),
                      enabled ? kind.Enabled : d);
        }
        for (QWidget* framed :
             std::initializer_list<QWidget*>{edit, pathEdit, masked, combo, spin}) {
            EXPECT_EQ(framed->property("frame").toBool(), enabled);
        }
        EXPECT_EQ(BaseOf(pathEdit), d); // once disabled, an enabled path edit keeps it
        EXPECT_EQ(grid->Band2, enabled ? QColor(Qt::white) : grid->Band1);
        EXPECT_EQ(BaseOf(grid), gridBase); // no further checks for the grid control
        EXPECT_EQ(Render(*edit).pixel(50, 15), enabled ? window.rgb() : d.rgb());
    }
}

TEST(WindowHelpers, ShowEnabledStateHidesTheSliderHandleWhileDisabled) {
    QWidget form;
    QSlider plain(Qt::Horizontal);
    auto* slider = new QSlider(Qt::Horizontal, &form);
    for (QSlider* each : {&plain, slider}) {
        each->setRange(150, 255);
        each->setValue(200);
        each->resize(161, 25);
        each->setEnabled(false);
    }
    ShowEnabledState(&form);
    const QImage hidden = Render(*slider);
    EXPECT_NE(hidden, Render(plain));
    slider->setValue(160); // without a handle the position shows nowhere
    EXPECT_EQ(Render(*slider), hidden);
    slider->setValue(200);
    slider->setEnabled(true);
    plain.setEnabled(true);
    ShowEnabledState(&form);
    EXPECT_EQ(Render(*slider), Render(plain));
}

TEST(WindowHelpers, StatusBarHeightOfDirectChildrenOnly) {
    QMainWindow window;
    EXPECT_EQ(StatusBarHeight(&window), 0);
    QWidget holder(&window); // a status bar further down does not count
    new QStatusBar(&holder);
    EXPECT_EQ(StatusBarHeight(&window), 0);
    window.statusBar()->setFixedHeight(23);
    EXPECT_EQ(StatusBarHeight(&window), 23);
    EXPECT_EQ(StatusBarHeight(nullptr), 0);
}

TEST(WindowHelpers, BevelStylesSetLookAndInset) {
    struct Case {
        int Style, Inset;         // with bevel width 3
        QPalette::ColorRole Edge; // top-left pixel
    };
    for (const Case c : {Case{0, 1, QPalette::WindowText}, Case{1, 3, QPalette::Light},
                         Case{2, 6, QPalette::Light}, Case{3, 3, QPalette::Dark}}) {
        SCOPED_TRACE(c.Style);
        TGPanel panel;
        panel.SetBevelWidth(3);
        panel.resize(50, 50);
        for (const int style : {c.Style, -1, 4}) { // other styles change nothing
            SetBevelStyle(&panel, style);
            EXPECT_EQ(panel.contentsRect(),
                      QRect(c.Inset, c.Inset, 50 - 2 * c.Inset, 50 - 2 * c.Inset));
            EXPECT_EQ(panel.GradientFills().front().Rect.topLeft(), QPoint(c.Inset, c.Inset));
            EXPECT_EQ(Render(panel).pixel(0, 0), panel.palette().color(c.Edge).rgb());
        }
    }
}

TEST(WindowHelpers, MoveChildrenKeepsOrderVisibilityAndGradientPanels) {
    QWidget form;
    auto* panel = new TBevelPanel(&form);
    auto* content = new TGPanel(panel);
    auto* label = new QLabel("From", panel);
    label->setAutoFillBackground(true);
    auto* hidden = new QLineEdit(panel);
    hidden->hide();
    auto* edit = new QLineEdit(panel);
    edit->move(48, 8);
    auto* box = new QWidget(panel);
    auto* inner = new TGPanel(box);
    form.show();

    MoveChildren(panel, inner); // box holds the target: moving it would make a cycle
    EXPECT_EQ(panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly),
              (QList<QWidget*>{content, box}));
    EXPECT_EQ(inner->findChildren<QWidget*>(Qt::FindDirectChildrenOnly),
              (QList<QWidget*>{label, hidden, edit}));
    EXPECT_FALSE(label->autoFillBackground());
    EXPECT_TRUE(hidden->isHidden());
    EXPECT_TRUE(edit->isVisible());
    EXPECT_EQ(edit->pos(), QPoint(48, 8));
    MoveChildren(panel, panel);
    MoveChildren(nullptr, panel);
}

TEST(WindowHelpers, ElapsedMsTruncatesEitherWay) {
    using std::chrono::nanoseconds;
    struct Case {
        int64_t From, To, Ms;
    };
    for (const Case c : {Case{0, 0, 0}, Case{0, 999'999, 0}, Case{0, 1'000'000, 1},
                         Case{8'999'999, 0, 8}, Case{-5'000'000, 4'000'000, 9}}) {
        const TTimePoint from{nanoseconds(c.From)};
        const TTimePoint to{nanoseconds(c.To)};
        EXPECT_EQ(ElapsedMs(from, to), c.Ms) << c.From << " to " << c.To;
        EXPECT_TRUE(WithinMs(c.Ms, to, from));
        EXPECT_FALSE(WithinMs(c.Ms - 1, to, from));
    }
    EXPECT_EQ(ElapsedMs(TTimePoint::min(), TTimePoint::max()), 18'446'744'073'709);
}

} // namespace

#include "WindowHelpers_test.moc"
