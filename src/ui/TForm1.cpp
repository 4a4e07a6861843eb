// The main window built: its panels and controls from their table, the grids, menus, tab
// order and names for screen readers, and the start that runs the first count.
#include "ui/TForm1.h"

#include "GPanel/ColourScheme.h"
#include "GPanel/TBevelPanel.h"
#include "core/Ratio.h"
#include "easypanel/WindowHelpers.h"
#include "gridctl/TGridControl.h"
#include "model/PredefinedList.h"
#include "model/ResultColumns.h"
#include "net/TUrlLauncher.h"
#include "ui/TPopupMenu.h"
#include "ui/TSpinEdit.h"
#include "ui/Translations.h"
#include "ui/WindowIcon.h"
#include "util/NumberFormat.h"
#include "util/ScopedValue.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QSlider>
#include <algorithm>
#include <functional>
#include <type_traits>
#include <utility>
#include <variant>

namespace {

constexpr QRgb Silver = 0xC0C0C0;
constexpr int SpinMaxSmall = 9999999;
constexpr int SpinMaxMedium = 99999999;
constexpr int SpinMaxLarge = 999999999;

// The designed family if it is installed, else the first of its stand-ins that is. Naming an
// installed family spares the toolkit a search for the missing one with every font made from
// it (about 2 ms of the start).
QString InstalledFamily(const QString& designed) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : QStringList(designed) + QFont::substitutes(designed)) {
        for (const QString& name : installed) {
            if (name.compare(family, Qt::CaseInsensitive) == 0) {
                return name; // as the database spells it; the substitutes are lower case
            }
        }
    }
    return designed;
}

} // namespace

TForm1::TForm1(QWidget* parent) : TForm(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tavori Pixolan"));
    // The controls are laid out in pixels for these two fonts; where they are missing, the
    // metric-compatible stand-ins keep the texts inside their places.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont windowFont(InstalledFamily(QStringLiteral("MS Sans Serif")));
    windowFont.setPixelSize(11);
    setFont(windowFont);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(Silver));
    setPalette(background);
    setAutoFillBackground(true);
    resize(551, 703);
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(PaintWindowIcon(16)));
    icon.addPixmap(QPixmap::fromImage(PaintWindowIcon(48)));
    setWindowIcon(icon);
    CreateControls();
    BindEvents();
    InitStart();
}

void TForm1::CreateControls() {
    CreateMenus();
    CreatePanels();
    CreateInputs();
    CreateOthers();
    CreateGrids();
    UrlLauncher1 = new TUrlLauncher(this);
    UrlLauncher1->setObjectName(QStringLiteral("UrlLauncher1"));
    ArrangePanels();
    NameControls();
}

void TForm1::CreatePanels() {
    const struct {
        TBevelPanel** Slot;
        const char* Name;
        const char* Caption;
        QSize Size;
        QRgb Colour;
    } panels[] = {
        {&PanelFromTo, "PanelFromTo", QT_TR_NOOP("From/To"), {169, 73}, 0xBAC7BE},
        {&PanelDividable, "PanelDividable", QT_TR_NOOP("Width filter"), {169, 113}, 0xC7C6BA},
        {&PanelRatio, "PanelRatio", QT_TR_NOOP("Ratio options"), {169, 225}, 0xC7BABF},
        {&PanelRotatedRatio,
         "PanelRotatedRatio",
         QT_TR_NOOP("Add Letterboxes?"),
         {169, 153},
         0xC9D5DE},
        {&PanelOptions, "PanelOptions", QT_TR_NOOP("Options"), {168, 33}, 0xE1E0CC},
        {&PanelURL, "PanelURL", QT_TR_NOOP("Click here for homepage"), {168, 17}, 0xABB0DE},
    };
    for (const auto& spec : panels) {
        auto* panel = new TBevelPanel(this);
        panel->setObjectName(QLatin1String(spec.Name));
        panel->SetCaption(tr(spec.Caption));
        panel->SetColor(QColor(spec.Colour));
        panel->resize(spec.Size);
        *spec.Slot = panel;
    }
}

// The labels, boxes, check boxes and bevels of the panels: where each sits, what it says, and
// for a spin box its largest and first value (check boxes: 1 for checked).
void TForm1::CreateInputs() {
    using TSlot = std::variant<QLabel**, TSpinEdit**, QLineEdit**, QCheckBox**, QFrame**>;
    const struct {
        TSlot Slot;
        const char* Name;
        TBevelPanel* Panel;
        QRect Bounds; // a label's width and height come from its text
        const char* Text;
        int32_t Maximum;
        int32_t Value;
    } controls[] = {
        {&Label1, "Label1", PanelFromTo, {8, 10, 0, 0}, QT_TR_NOOP("From"), 0, 0},
        {&SpinEdit3, "SpinEdit3", PanelFromTo, {48, 8, 89, 22}, "", SpinMaxSmall, 1},
        {&Label2, "Label2", PanelFromTo, {8, 44, 0, 0}, QT_TR_NOOP("To"), 0, 0},
        {&SpinEdit4, "SpinEdit4", PanelFromTo, {48, 40, 89, 22}, "", SpinMaxSmall, 768},
        {&Label8, "Label8", PanelDividable, {8, 8, 0, 0}, QT_TR_NOOP("Width"), 0, 0},
        {&Label7, "Label7", PanelDividable, {88, 8, 0, 0}, QT_TR_NOOP("Height"), 0, 0},
        {&Label13, "Label13", PanelDividable, {8, 24, 0, 0}, QT_TR_NOOP("dividable by"), 0, 0},
        {&Edit1, "Edit1", PanelDividable, {8, 40, 72, 21}, "4", 0, 0},
        {&Edit2, "Edit2", PanelDividable, {88, 40, 72, 21}, "4", 0, 0},
        {&Label17, "Label17", PanelDividable, {9, 71, 0, 0}, QT_TR_NOOP("not dividable by"), 0, 0},
        {&Edit3, "Edit3", PanelDividable, {8, 84, 72, 21}, "", 0, 0},
        {&Edit4, "Edit4", PanelDividable, {88, 84, 72, 21}, "", 0, 0},
        {&Label3,
         "Label3",
         PanelRatio,
         {8, 8, 0, 0},
         QT_TR_NOOP("Ratio must be (width : height)"),
         0,
         0},
        {&SpinEdit5, "SpinEdit5", PanelRatio, {8, 24, 65, 22}, "", SpinMaxSmall, 4},
        {&SpinEdit6, "SpinEdit6", PanelRatio, {96, 24, 65, 22}, "", SpinMaxSmall, 3},
        {&Label4, "Label4", PanelRatio, {8, 48, 0, 0}, "4", 0, 0},
        {&Label9, "Label9", PanelRatio, {91, 48, 0, 0}, "*", 0, 0},
        {&Label5, "Label5", PanelRatio, {96, 48, 0, 0}, "3", 0, 0},
        {&Label10, "Label10", PanelRatio, {128, 48, 0, 0}, "=", 0, 0},
        {&Bevel1, "Bevel1", PanelRatio, {8, 63, 153, 2}, "", 0, 0},
        {&Label6, "Label6", PanelRatio, {8, 67, 0, 0}, QT_TR_NOOP("Display ratio as"), 0, 0},
        {&SpinEdit7, "SpinEdit7", PanelRatio, {8, 84, 65, 22}, "", SpinMaxSmall, 4},
        {&Labelfixed43, "Labelfixed43", PanelRatio, {95, 86, 0, 0}, "X", 0, 0},
        {&Labelfixed34, "Labelfixed34", PanelRatio, {8, 113, 0, 0}, "X", 0, 0},
        {&SpinEdit8, "SpinEdit8", PanelRatio, {96, 106, 65, 22}, "", SpinMaxLarge, 3},
        {&Bevel2, "Bevel2", PanelRatio, {8, 130, 153, 2}, "", 0, 0},
        {&CheckBox1,
         "CheckBox1",
         PanelRatio,
         {6, 134, 155, 17},
         QT_TR_NOOP("Same ratio as window size"),
         0,
         0},
        {&Label11, "Label11", PanelRotatedRatio, {8, 8, 0, 0}, QT_TR_NOOP("Playing ratio"), 0, 0},
        {&SpinPlayRatioX,
         "SpinPlayRatioX",
         PanelRotatedRatio,
         {8, 24, 65, 22},
         "",
         SpinMaxLarge,
         16},
        {&Label18, "Label18", PanelRotatedRatio, {78, 28, 0, 0}, ":", 0, 0},
        {&SpinPlayRatioY,
         "SpinPlayRatioY",
         PanelRotatedRatio,
         {88, 24, 65, 22},
         "",
         SpinMaxMedium,
         9},
        {&Label12,
         "Label12",
         PanelRotatedRatio,
         {8, 60, 0, 0},
         QT_TR_NOOP("Your Screen's ratio"),
         0,
         0},
        {&Label14, "Label14", PanelRotatedRatio, {8, 72, 0, 0}, QT_TR_NOOP("Width"), 0, 0},
        {&Label15, "Label15", PanelRotatedRatio, {88, 72, 0, 0}, QT_TR_NOOP("Height"), 0, 0},
        {&SpinScreenRatioX,
         "SpinScreenRatioX",
         PanelRotatedRatio,
         {8, 88, 65, 22},
         "",
         SpinMaxSmall,
         4},
        {&Label19, "Label19", PanelRotatedRatio, {78, 93, 0, 0}, ":", 0, 0},
        {&SpinScreenRatioY,
         "SpinScreenRatioY",
         PanelRotatedRatio,
         {88, 88, 65, 22},
         "",
         SpinMaxSmall,
         3},
        {&CheckBox3,
         "CheckBox3",
         PanelRotatedRatio,
         {8, 115, 105, 17},
         QT_TR_NOOP("90° rotated movie"),
         0,
         0},
        {&CheckBox2, "CheckBox2", PanelOptions, {6, 8, 86, 17}, QT_TR_NOOP("Digit grouping"), 0, 1},
        {&Label16, "Label16", PanelURL, {40, 9, 0, 0}, QT_TR_NOOP("Visit my Homepage"), 0, 0},
    };
    for (const auto& spec : controls) {
        const QString text = tr(spec.Text);
        QWidget* control = std::visit(
            [&](auto slot) -> QWidget* {
                using T = std::remove_pointer_t<std::remove_pointer_t<decltype(slot)>>;
                T* made = nullptr;
                if constexpr (std::is_same_v<T, QLabel>) {
                    made = new QLabel(text, spec.Panel);
                    made->move(spec.Bounds.topLeft());
                    made->adjustSize();
                } else if constexpr (std::is_same_v<T, TSpinEdit>) {
                    made = new TSpinEdit(spec.Panel);
                    made->setGeometry(spec.Bounds);
                    made->SetRange(1, spec.Maximum);
                    made->SetValue(spec.Value);
                } else if constexpr (std::is_same_v<T, QLineEdit>) {
                    made = new QLineEdit(text, spec.Panel);
                    made->setGeometry(spec.Bounds);
                } else if constexpr (std::is_same_v<T, QCheckBox>) {
                    made = new QCheckBox(text, spec.Panel);
                    made->setGeometry(spec.Bounds);
                    // This style's check mark and spacing are wider than the layout allows for.
                    made->resize(std::max(spec.Bounds.width(), made->sizeHint().width()),
                                 spec.Bounds.height());
                    made->setChecked(spec.Value != 0);
                } else {
                    made = new QFrame(spec.Panel);
                    made->setFrameStyle(QFrame::HLine | QFrame::Sunken);
                    made->setGeometry(spec.Bounds);
                }
                *slot = made;
                return made;
            },
            spec.Slot);
        control->setObjectName(QLatin1String(spec.Name));
    }
}

// What the table does not hold: the transparency slider, the help link, the preset menus of
// the boxes, hints and cursors.
void TForm1::CreateOthers() {
    PanelFromTo->setContextMenuPolicy(Qt::CustomContextMenu);
    // The panel cannot take the focus; from its boxes the menu key reaches its presets.
    SpinEdit3->PopupMenu = PopupMenu3;
    SpinEdit4->PopupMenu = PopupMenu3;
    Edit1->setToolTip(tr("Separate divisors by \",\"\n"
                         "So 3,4 would find any number which is dividable by 3 or 4"));
    for (TSpinEdit* spin : {SpinEdit5, SpinEdit6, SpinPlayRatioX, SpinPlayRatioY, SpinScreenRatioX,
                            SpinScreenRatioY}) {
        spin->PopupMenu = PopupMenuScreenRatio;
    }
    TrackBar1 = new QSlider(Qt::Horizontal, PanelRatio);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setGeometry(5, 152, 161, 25);
    TrackBar1->setRange(150, 255);
    TrackBar1->setTickInterval(5);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setValue(255);
    TrackBar1->setToolTip(tr("Change transparency"));
    StringGrid2 = new TGridControl(PanelRatio);
    StringGrid2->setObjectName(QStringLiteral("StringGrid2"));
    StringGrid2->setGeometry(6, 184, 155, 33);

    PanelRotatedRatio->setContextMenuPolicy(Qt::CustomContextMenu);
    PanelRotatedRatio->setToolTip(tr("Visit the online help for more info about this."));
    Panel1 = new TBevelPanel(PanelRotatedRatio);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->SetCaption(tr("Online help on this topic"));
    Panel1->SetColor(QColor(0xB0C2D0));
    Panel1->SetBevelOuter(TBevelCut::None);
    Panel1->setCursor(Qt::PointingHandCursor);
    Panel1->setGeometry(0, 136, 169, 17);
    PanelURL->setCursor(Qt::PointingHandCursor);
}

// What a screen reader speaks for each input: the words of the labels beside it.
void TForm1::NameControls() {
    const struct {
        QWidget* Control;
        const char* Name;
    } names[] = {
        {SpinEdit3, QT_TR_NOOP("From")},
        {SpinEdit4, QT_TR_NOOP("To")},
        {Edit1, QT_TR_NOOP("Width dividable by")},
        {Edit2, QT_TR_NOOP("Height dividable by")},
        {Edit3, QT_TR_NOOP("Width not dividable by")},
        {Edit4, QT_TR_NOOP("Height not dividable by")},
        {SpinEdit5, QT_TR_NOOP("Ratio width")},
        {SpinEdit6, QT_TR_NOOP("Ratio height")},
        {SpinEdit7, QT_TR_NOOP("Display ratio width")},
        {SpinEdit8, QT_TR_NOOP("Display ratio height")},
        {TrackBar1, QT_TR_NOOP("Transparency")},
        {StringGrid2, QT_TR_NOOP("Predefined formats")},
        {SpinPlayRatioX, QT_TR_NOOP("Playing ratio width")},
        {SpinPlayRatioY, QT_TR_NOOP("Playing ratio height")},
        {Panel1, QT_TR_NOOP("Online help on this topic")},
        {StringGrid1, QT_TR_NOOP("Results")},
    };
    for (const auto& entry : names) {
        entry.Control->setAccessibleName(tr(entry.Name));
    }
}

void TForm1::CreateMenus() {
    PopupMenu3 = new TPopupMenu(this);
    PopupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
    for (const char* to :
         {"120", "128", "192", "240", "256", "384", "640", "720", "768", "1440", "1920"}) {
        PopupMenu3->addAction(QLatin1String(to));
    }
    PopupMenuScreenRatio = new TPopupMenu(this);
    PopupMenuScreenRatio->setObjectName(QStringLiteral("PopupMenuScreenRatio"));
    for (const char* ratio : {"4:3", "5:4", "16:9", "16:10", "3:4"}) {
        PopupMenuScreenRatio->addAction(QLatin1String(ratio));
    }
}

void TForm1::CreateGrids() {
    StringGrid1 = new TGridControl(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(200, 8, 329, 85);
    QFont gridFont(InstalledFamily(QStringLiteral("Tahoma")));
    gridFont.setPixelSize(11);
    StringGrid1->SetFont(gridFont);
    StringGrid1->SetDefaultRowHeight(21);
    StringGrid1->SetFixedColor(QColor(Silver));
    StringGrid1->SetOptions(TGridControl::goFixedVertLine | TGridControl::goFixedHorzLine |
                            TGridControl::goRowSelect | TGridControl::goRangeSelect |
                            TGridControl::goColSizing | TGridControl::goColMoving);
    StringGrid1->SetScrollBars(TGridControl::ssVertical);
    StringGrid1->SetBandColor1(QColor(0xFFFEE1));
    StringGrid1->SetBandColor2(Qt::white);
    StringGrid1->SetSelectionColor(QColor(0xB0B0B0));
    // The designed white on this grey reads at 2:1; black reaches the 4.5:1 of normal text.
    StringGrid1->SetSelectionTextColor(Qt::black);
    StringGrid1->SetShowHint(true);
    StringGrid1->SetHintShowCells(true);

    gridFont.setPixelSize(9);
    StringGrid2->SetFont(gridFont);
    StringGrid2->SetDefaultRowHeight(15);
    StringGrid2->SetGridLineWidth(0);
    StringGrid2->SetGridLineColor(QColor(Silver));
    StringGrid2->SetFlat(true);
    // No line shows at width 0, but the list's menu offers the lines as switched on.
    StringGrid2->SetOptions(StringGrid2->Options() | TGridControl::goVertLine |
                            TGridControl::goHorzLine);
    StringGrid2->SetScrollBars(TGridControl::ssVertical);
    StringGrid2->SetBandColor1(QColor(0xF0ECEE));
    StringGrid2->SetBandColor2(palette().color(QPalette::Base));
    StringGrid2->SetShowHint(true);
}

// Where the panels stand until the window's arrangement places them: one column left of
// the result grid, in the order the arrangement uses.
void TForm1::ArrangePanels() {
    int top = 8;
    for (TBevelPanel* panel :
         {PanelRatio, PanelDividable, PanelFromTo, PanelOptions, PanelRotatedRatio, PanelURL}) {
        panel->move(8, top);
        top += panel->height() + 8;
    }
}

// Tab walks the panels in the order the window arranges them, each from its title bar (zoom)
// and collapse button to its inputs, then the result grid.
void TForm1::SetTabOrder() {
    const auto buttons = [this](TBevelPanel* panel) -> std::vector<QWidget*> {
        const int32_t slot = ResultController.FindPanel(panel);
        if (slot < 0) {
            return {};
        }
        const auto& record = ResultController.Slots[slot];
        return {record.TitleBar, record.CollapseButton, record.CornerButton};
    };
    std::vector<QWidget*> order;
    const auto add = [&order](std::initializer_list<QWidget*> widgets) {
        order.insert(order.end(), widgets.begin(), widgets.end());
    };
    const auto addPanel = [&](TBevelPanel* panel, std::initializer_list<QWidget*> inputs) {
        const std::vector<QWidget*> bar = buttons(panel);
        order.insert(order.end(), bar.begin(), bar.end());
        add(inputs);
    };
    addPanel(PanelRatio,
             {SpinEdit5, SpinEdit6, SpinEdit7, SpinEdit8, CheckBox1, TrackBar1, StringGrid2});
    addPanel(PanelDividable, {Edit1, Edit2, Edit3, Edit4});
    addPanel(PanelFromTo, {SpinEdit3, SpinEdit4});
    addPanel(PanelOptions, {CheckBox2});
    addPanel(PanelRotatedRatio, {SpinPlayRatioX, SpinPlayRatioY, SpinScreenRatioX, SpinScreenRatioY,
                                 CheckBox3, Panel1});
    addPanel(PanelURL, {UrlLink()});
    add({StringGrid1});
    std::erase(order, nullptr);
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
}

TBevelPanel* TForm1::UrlLink() const {
    const int32_t slot = ResultController.FindPanel(PanelURL);
    return slot < 0 ? nullptr : ResultController.Slots[slot].Content.data();
}

// Tab passes over the inputs of a collapsed panel: they are clipped out of view, and typing
// into a box nobody can see would change the list unseen.
bool TForm1::focusNextPrevChild(bool next) {
    QWidget* const start = focusWidget();
    // The focus chain is a ring of the window's widgets: one round at most.
    const qsizetype widgets = findChildren<QWidget*>().size();
    for (qsizetype step = 0; step < widgets; ++step) {
        if (!QWidget::focusNextPrevChild(next)) {
            return false;
        }
        QWidget* const now = focusWidget();
        if (now == nullptr || now == start || !now->visibleRegion().isEmpty()) {
            break;
        }
    }
    return true;
}

void TForm1::BindEvents() {
    const auto recount = [this] { Recount(); };
    for (TSpinEdit* spin : {SpinEdit3, SpinEdit4, SpinEdit5, SpinEdit6, SpinEdit7, SpinEdit8,
                            SpinScreenRatioX, SpinScreenRatioY, SpinPlayRatioX, SpinPlayRatioY}) {
        spin->OnChange = recount;
    }
    for (QLineEdit* edit : {Edit1, Edit2, Edit3, Edit4}) {
        connect(edit, &QLineEdit::textChanged, this, &TForm1::Recount);
    }
    for (QCheckBox* box : {CheckBox1, CheckBox2, CheckBox3}) {
        connect(box, &QCheckBox::toggled, this, &TForm1::Recount);
    }
    connect(TrackBar1, &QSlider::valueChanged, this, &TForm1::ChangeTRansparency);
    StringGrid2->OnClickCell = [this](int column, int row) { Setratiofromgrid(column, row); };
    connect(PopupMenu3, &QMenu::triggered, this, &TForm1::SetTo);
    connect(PopupMenuScreenRatio, &QMenu::triggered, this, &TForm1::SetScreenRatioFromPopUpMenu);
    connect(PanelFromTo, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { ShowPopup(PopupMenu3, PanelFromTo, pos); });
    connect(PanelRotatedRatio, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { ShowPopup(PopupMenuScreenRatio, PanelRotatedRatio, pos); });
    PanelURL->OnClick = [this] { PanelURLClick(); };
    Panel1->OnClick = [this] { PanelURLClick2(); };
    Panel1->SetKeyAction(Panel1->OnClick, QAccessible::Link);
}

void TForm1::ShowPopup(TPopupMenu* menu, QWidget* component, const QPoint& pos) {
    menu->Popup(component, component->mapToGlobal(pos));
}

void TForm1::InitStart() {
    InitResultTable(ResultTable);

    PredefinedController.Attach(StringGrid2, &PredefinedTable, false, false);
    PredefinedController.MaximizeAllowed = false;
    PredefinedController.SetGridLook();

    FillPredefined();
    StringGrid2->SetBandColor1(QColor(0xF0ECEE));
    PredefinedController.AddColumn("Predefined", 0, tr("Predefined Ratios").toStdString(), "100,0");
    PredefinedController.SetHeader(0, tr("Predefined").toStdString());
    PredefinedController.ShowTable(PredefinedTable);

    DigitGroupSeparator.assign(1, '\'');
    OnResize = [this] { SetSizes(); };

    // Attaching arranges the panels at the designed size, which the arrangement at the shown
    // size starts from; the minimum size it would search for that state is of no use, as the
    // panels' state changes below before anyone sees the window.
    ResultController.MinimumSizeHeld = true;
    ResultController.Attach(StringGrid1, &ResultTable, true, true);
    // Out of the menu, which the columns declared next make.
    ResultController.SetInMenu(superarray::InsertionColumn, false, false);
    ResultController.Columns.LayoutsText = "Width,Height,Area%,Area (h*w),PixelDif,Letterboxed,"
                                           "Letterboxed Height:Width for rotated movies|"
                                           "Width,Height,Width dividable by,Height dividable by";
    DeclareResultColumns();
    ResultController.IdentityColumns = {WidthColumn, HeightColumn};
    // Numbers and pairs are never cut; divisor lists may be.
    ResultController.WholeTextChars = 24;
    ResultController.HideColumn(WidthDivisorsColumn, false);
    ResultController.HideColumn(HeightDivisorsColumn, true);

    // Nobody sees the window yet: each panel step below would lay it out again (and search
    // its minimum height), an animated collapse would hold up the start. It is laid out once,
    // after the last step.
    const std::function<void()> layOut = std::exchange(ResultController.OnChange, nullptr);
    ResultController.AddPanel(PanelRatio, "85");
    ResultController.AddPanel(PanelURL, "15|17|50");
    ResultController.Animate = false;
    ResultController.CollapsePanel(PanelRotatedRatio);
    ResultController.Animate = true;
    ResultController.SetPanelStyle(0);
    ResultController.HideTitlebar(PanelURL);
    ResultController.SetOrder(
        "PanelRatio,PanelDividable,PanelFromTo,PanelOptions,PanelRotatedratio,PanelURL");
    ResultController.SetTitlebarHeight(20);
    ResultController.OnChange = layOut;
    ResultController.MinimumSizeHeld = false;
    // Laid out, with its minimum size, for the size it shows with.
    FitToScreen(this);
    layOut();
    // The homepage link is the panel's content area, which took over the panel's click.
    if (TBevelPanel* link = UrlLink()) {
        link->SetKeyAction(link->OnClick, QAccessible::Link);
        link->setAccessibleName(Label16->text());
    }
    SetTabOrder();

    StringGrid1->OnClickCell = [this](int column, int row) { StringGrid1ClickCell(column, row); };
    Reference.Width = -1;
    setWindowTitle(QStringLiteral("Tavori Pixolan 1.5"));
    DoubleBufferAll();
    qApp->installEventFilter(&PaletteWatcher);
    ShowColourScheme();
    Recount();
}

void TForm1::ShowColourScheme() {
    if (ShowingScheme) {
        return;
    }
    const ScopedValue<bool> showing(ShowingScheme, true);
    // The whole palette again: a window with a palette of its own keeps the old desktop
    // palette's other colours, and hands them down to every control, when the desktop's
    // changes. Under a dark palette the window takes the desktop's own window colour.
    QPalette colours = QGuiApplication::palette();
    colours.setColor(QPalette::Window,
                     DarkScheme() ? colours.color(QPalette::Window) : QColor(Silver));
    setPalette(colours);
    // Panels, title bars and grids show their designed colours through the scheme when they
    // paint; the title texts and the input colours are set, so they are set again.
    ResultController.FollowPalette();
    ShowEnabledState(this);
}

// The scheme follows the desktop's when it changes while the program runs. Qt tells the
// application object of a new desktop palette; the window hears it there.
bool TForm1::PaletteWatch::eventFilter(QObject* watched, QEvent* event) {
    if (watched == QCoreApplication::instance() &&
        event->type() == QEvent::ApplicationPaletteChange) {
        Form->ShowColourScheme();
    }
    return false;
}

void TForm1::changeEvent(QEvent* event) {
    TForm::changeEvent(event);
    if (event->type() == QEvent::PaletteChange ||
        event->type() == QEvent::ApplicationPaletteChange) {
        ShowColourScheme();
    }
}

void TForm1::FillPredefined() {
    FillPredefinedList(PredefinedTable);
}

void TForm1::DeclareResultColumns() {
    for (const ResultColumnDecl& column : ResultColumns) {
        ResultController.Columns.AddColumn(std::string(column.Name), column.Id,
                                           ResultColumnText(column.Caption).toStdString(),
                                           std::string(column.SizeSpec));
        ResultController.SetHeader(column.Id, ResultColumnText(column.Name).toStdString());
    }
    // The menu lists the columns: made once for all of them, not once for each.
    ResultController.BuildMenu();
}
