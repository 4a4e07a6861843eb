#include "ui/TForm1.h"

#include "GPanel/TBevelPanel.h"
#include "core/Ratio.h"
#include "easypanel/WindowHelpers.h"
#include "gridctl/Conversions.h"
#include "gridctl/TGridControl.h"
#include "model/FormatRatio.h"
#include "model/PredefinedList.h"
#include "model/ResultColumns.h"
#include "net/TUrlLauncher.h"
#include "ui/TPopupMenu.h"
#include "ui/TSpinEdit.h"
#include "ui/WindowIcon.h"
#include "util/ScopedValue.h"
#include "util/NumberFormat.h"
#include "util/TextParse.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QSlider>
#include <QUrl>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <limits>
#include <utility>

namespace {

constexpr QRgb Silver = 0xC0C0C0;
constexpr int SpinMaxSmall = 9999999;
constexpr int SpinMaxMedium = 99999999;
constexpr int SpinMaxLarge = 999999999;

void SetLabel(QLabel* label, const std::string& text) {
    label->setText(ToQt(text));
    label->adjustSize();
}

QString ItemCaption(const QAction* item) {
    // Menus may carry accelerator markers in their captions.
    return item->text().remove(QLatin1Char('&'));
}

// Why the inputs list no pair, in the words the result grid shows in place of the list.
std::string EmptyListReason(const ResultInputs& in, const ResultEchoes& echoes) {
    const int32_t rx = echoes.ReducedX;
    const int32_t ry = echoes.ReducedY;
    if (rx <= 0 || ry <= 0) {
        return "The ratio terms must be 1 or more";
    }
    if (in.From > in.To) {
        return "From is above To";
    }
    // The pairs are k * rx by k * ry.
    const int64_t first = (std::max(in.From, 1) - 1) / rx + 1;
    const int64_t last = std::min(in.To, MaxWidth) / rx;
    if (first > last) {
        return "No width in the range gives a whole-number height";
    }
    if (first * ry > std::numeric_limits<int32_t>::max()) {
        return "Every height in the range is above 2147483647";
    }
    return "No pair passes the filters";
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
    QFont windowFont(QStringLiteral("MS Sans Serif"));
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

TBevelPanel* TForm1::NewPanel(const char* name, const QString& caption, int width, int height,
                              QRgb colour) {
    auto* panel = new TBevelPanel(this);
    panel->setObjectName(QLatin1String(name));
    panel->SetCaption(caption);
    panel->SetColor(QColor(colour));
    panel->resize(width, height);
    return panel;
}

QLabel* TForm1::NewLabel(QWidget* parent, const char* name, const QString& text, int left,
                         int top) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

TSpinEdit* TForm1::NewSpin(QWidget* parent, const char* name, int left, int top, int width,
                           int32_t maximum, int32_t value) {
    auto* spin = new TSpinEdit(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setGeometry(left, top, width, 22);
    spin->SetRange(1, maximum);
    spin->SetValue(value);
    return spin;
}

QLineEdit* TForm1::NewEdit(QWidget* parent, const char* name, int left, int top,
                           const QString& text) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(left, top, 72, 21);
    return edit;
}

QCheckBox* TForm1::NewCheckBox(QWidget* parent, const char* name, const QString& text, QRect bounds,
                               bool checked) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(bounds);
    // This style's check mark and spacing are wider than the layout allows for.
    box->resize(std::max(bounds.width(), box->sizeHint().width()), bounds.height());
    box->setChecked(checked);
    return box;
}

QFrame* TForm1::NewBevel(QWidget* parent, const char* name, int left, int top, int width) {
    auto* bevel = new QFrame(parent);
    bevel->setObjectName(QLatin1String(name));
    bevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    bevel->setGeometry(left, top, width, 2);
    return bevel;
}

void TForm1::CreateControls() {
    CreateMenus();
    CreateFromTo();
    CreateDividable();
    CreateRatio();
    CreateRotatedRatio();
    CreateOptionsAndUrl();
    CreateGrids();
    UrlLauncher1 = new TUrlLauncher(this);
    UrlLauncher1->setObjectName(QStringLiteral("UrlLauncher1"));
    ArrangePanels();
    NameControls();
}

// What a screen reader speaks for each input: the words of the labels beside it.
void TForm1::NameControls() {
    const struct {
        QWidget* Control;
        const char* Name;
    } names[] = {
        {SpinEdit3, "From"},
        {SpinEdit4, "To"},
        {Edit1, "Width dividable by"},
        {Edit2, "Height dividable by"},
        {Edit3, "Width not dividable by"},
        {Edit4, "Height not dividable by"},
        {SpinEdit5, "Ratio width"},
        {SpinEdit6, "Ratio height"},
        {SpinEdit7, "Display ratio width"},
        {SpinEdit8, "Display ratio height"},
        {TrackBar1, "Transparency"},
        {StringGrid2, "Predefined formats"},
        {SpinPlayRatioX, "Playing ratio width"},
        {SpinPlayRatioY, "Playing ratio height"},
        {Panel1, "Online help on this topic"},
        {StringGrid1, "Results"},
    };
    for (const auto& entry : names) {
        entry.Control->setAccessibleName(QLatin1String(entry.Name));
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

void TForm1::CreateFromTo() {
    PanelFromTo = NewPanel("PanelFromTo", QStringLiteral("From/To"), 169, 73, 0xBAC7BE);
    PanelFromTo->setContextMenuPolicy(Qt::CustomContextMenu);
    Label1 = NewLabel(PanelFromTo, "Label1", QStringLiteral("From"), 8, 10);
    SpinEdit3 = NewSpin(PanelFromTo, "SpinEdit3", 48, 8, 89, SpinMaxSmall, 1);
    Label2 = NewLabel(PanelFromTo, "Label2", QStringLiteral("To"), 8, 44);
    SpinEdit4 = NewSpin(PanelFromTo, "SpinEdit4", 48, 40, 89, SpinMaxSmall, 768);
    // The panel cannot take the focus; from its boxes the menu key reaches its presets.
    SpinEdit3->PopupMenu = PopupMenu3;
    SpinEdit4->PopupMenu = PopupMenu3;
}

void TForm1::CreateDividable() {
    PanelDividable = NewPanel("PanelDividable", QStringLiteral("Width filter"), 169, 113, 0xC7C6BA);
    Label8 = NewLabel(PanelDividable, "Label8", QStringLiteral("Width"), 8, 8);
    Label7 = NewLabel(PanelDividable, "Label7", QStringLiteral("Height"), 88, 8);
    Label13 = NewLabel(PanelDividable, "Label13", QStringLiteral("dividable by"), 8, 24);
    Edit1 = NewEdit(PanelDividable, "Edit1", 8, 40, QStringLiteral("4"));
    Edit1->setToolTip(QStringLiteral("Separate divisors by \",\"\n"
                                     "So 3,4 would find any number which is dividable by 3 or 4"));
    Edit2 = NewEdit(PanelDividable, "Edit2", 88, 40, QStringLiteral("4"));
    Label17 = NewLabel(PanelDividable, "Label17", QStringLiteral("not dividable by"), 9, 71);
    Edit3 = NewEdit(PanelDividable, "Edit3", 8, 84, QString());
    Edit4 = NewEdit(PanelDividable, "Edit4", 88, 84, QString());
}

void TForm1::CreateRatio() {
    PanelRatio = NewPanel("PanelRatio", QStringLiteral("Ratio options"), 169, 225, 0xC7BABF);
    Label3 = NewLabel(PanelRatio, "Label3", QStringLiteral("Ratio must be (width : height)"), 8, 8);
    SpinEdit5 = NewSpin(PanelRatio, "SpinEdit5", 8, 24, 65, SpinMaxSmall, 4);
    SpinEdit6 = NewSpin(PanelRatio, "SpinEdit6", 96, 24, 65, SpinMaxSmall, 3);
    SpinEdit5->PopupMenu = PopupMenuScreenRatio;
    SpinEdit6->PopupMenu = PopupMenuScreenRatio;
    Label4 = NewLabel(PanelRatio, "Label4", QStringLiteral("4"), 8, 48);
    Label9 = NewLabel(PanelRatio, "Label9", QStringLiteral("*"), 91, 48);
    Label5 = NewLabel(PanelRatio, "Label5", QStringLiteral("3"), 96, 48);
    Label10 = NewLabel(PanelRatio, "Label10", QStringLiteral("="), 128, 48);
    Bevel1 = NewBevel(PanelRatio, "Bevel1", 8, 63, 153);
    Label6 = NewLabel(PanelRatio, "Label6", QStringLiteral("Display ratio as"), 8, 67);
    SpinEdit7 = NewSpin(PanelRatio, "SpinEdit7", 8, 84, 65, SpinMaxSmall, 4);
    Labelfixed43 = NewLabel(PanelRatio, "Labelfixed43", QStringLiteral("X"), 95, 86);
    Labelfixed34 = NewLabel(PanelRatio, "Labelfixed34", QStringLiteral("X"), 8, 113);
    SpinEdit8 = NewSpin(PanelRatio, "SpinEdit8", 96, 106, 65, SpinMaxLarge, 3);
    Bevel2 = NewBevel(PanelRatio, "Bevel2", 8, 130, 153);
    CheckBox1 = NewCheckBox(PanelRatio, "CheckBox1", QStringLiteral("Same ratio as window size"),
                            QRect(6, 134, 155, 17), false);
    TrackBar1 = new QSlider(Qt::Horizontal, PanelRatio);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setGeometry(5, 152, 161, 25);
    TrackBar1->setRange(150, 255);
    TrackBar1->setTickInterval(5);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setValue(255);
    TrackBar1->setToolTip(QStringLiteral("Change transparency"));
    StringGrid2 = new TGridControl(PanelRatio);
    StringGrid2->setObjectName(QStringLiteral("StringGrid2"));
    StringGrid2->setGeometry(6, 184, 155, 33);
}

void TForm1::CreateRotatedRatio() {
    PanelRotatedRatio =
        NewPanel("PanelRotatedRatio", QStringLiteral("Add Letterboxes?"), 169, 153, 0xC9D5DE);
    PanelRotatedRatio->setContextMenuPolicy(Qt::CustomContextMenu);
    PanelRotatedRatio->setToolTip(
        QStringLiteral("Visit the online help for more info about this."));
    Label11 = NewLabel(PanelRotatedRatio, "Label11", QStringLiteral("Playing ratio"), 8, 8);
    SpinPlayRatioX = NewSpin(PanelRotatedRatio, "SpinPlayRatioX", 8, 24, 65, SpinMaxLarge, 16);
    Label18 = NewLabel(PanelRotatedRatio, "Label18", QStringLiteral(":"), 78, 28);
    SpinPlayRatioY = NewSpin(PanelRotatedRatio, "SpinPlayRatioY", 88, 24, 65, SpinMaxMedium, 9);
    Label12 = NewLabel(PanelRotatedRatio, "Label12", QStringLiteral("Your Screen's ratio"), 8, 60);
    Label14 = NewLabel(PanelRotatedRatio, "Label14", QStringLiteral("Width"), 8, 72);
    Label15 = NewLabel(PanelRotatedRatio, "Label15", QStringLiteral("Height"), 88, 72);
    SpinScreenRatioX = NewSpin(PanelRotatedRatio, "SpinScreenRatioX", 8, 88, 65, SpinMaxSmall, 4);
    Label19 = NewLabel(PanelRotatedRatio, "Label19", QStringLiteral(":"), 78, 93);
    SpinScreenRatioY = NewSpin(PanelRotatedRatio, "SpinScreenRatioY", 88, 88, 65, SpinMaxSmall, 3);
    for (TSpinEdit* spin : {SpinPlayRatioX, SpinPlayRatioY, SpinScreenRatioX, SpinScreenRatioY}) {
        spin->PopupMenu = PopupMenuScreenRatio;
    }
    CheckBox3 = NewCheckBox(PanelRotatedRatio, "CheckBox3", QStringLiteral("90° rotated movie"),
                            QRect(8, 115, 105, 17), false);
    Panel1 = new TBevelPanel(PanelRotatedRatio);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->SetCaption(QStringLiteral("Online help on this topic"));
    Panel1->SetColor(QColor(0xB0C2D0));
    Panel1->SetBevelOuter(TBevelCut::None);
    Panel1->setCursor(Qt::PointingHandCursor);
    Panel1->setGeometry(0, 136, 169, 17);
}

void TForm1::CreateOptionsAndUrl() {
    PanelOptions = NewPanel("PanelOptions", QStringLiteral("Options"), 168, 33, 0xE1E0CC);
    CheckBox2 = NewCheckBox(PanelOptions, "CheckBox2", QStringLiteral("Digit grouping"),
                            QRect(6, 8, 86, 17), true);
    PanelURL = NewPanel("PanelURL", QStringLiteral("Click here for homepage"), 168, 17, 0xABB0DE);
    PanelURL->setCursor(Qt::PointingHandCursor);
    Label16 = NewLabel(PanelURL, "Label16", QStringLiteral("Visit my Homepage"), 40, 9);
}

void TForm1::CreateGrids() {
    StringGrid1 = new TGridControl(this);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setGeometry(200, 8, 329, 85);
    QFont gridFont(QStringLiteral("Tahoma"));
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
    PredefinedController.BuildMenu();
    PredefinedController.SetGridLook();

    FillPredefined();
    StringGrid2->SetBandColor1(QColor(0xF0ECEE));
    PredefinedController.AddColumn("Predefined", 0, "Predefined Ratios", "100,0");
    PredefinedController.ShowTable(PredefinedTable);

    DigitGroupSeparator.assign(1, '\'');
    OnResize = [this] { SetSizes(); };

    ResultController.Attach(StringGrid1, &ResultTable, true, true);
    ResultController.RemoveFromMenu(superarray::InsertionColumn);
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
    FitToScreen(this);
    Recount();
}

void TForm1::FillPredefined() {
    FillPredefinedList(PredefinedTable);
}

void TForm1::DeclareResultColumns() {
    for (const ResultColumnDecl& column : ResultColumns) {
        ResultController.AddColumn(std::string(column.Name), column.Id, std::string(column.Caption),
                                   std::string(column.SizeSpec));
    }
}

void TForm1::Recount() {
    DigitGroupSeparator.assign(1, '\'');
    const bool sameAsWindow = CheckBox1->isChecked();
    if (sameAsWindow) {
        // Each write that changes a box runs a nested Recount; this run then goes on with
        // both new terms.
        SpinEdit5->SetValue(frameGeometry().width());
        SpinEdit6->SetValue(frameGeometry().height());
    }
    for (QWidget* control : std::initializer_list<QWidget*>{SpinEdit5, SpinEdit6, SpinEdit7,
                                                            SpinEdit8, StringGrid2, StringGrid1}) {
        control->setEnabled(!sameAsWindow);
    }
    TrackBar1->setEnabled(sameAsWindow);
    ChangeTRansparency();
    const bool rotated = CheckBox3->isChecked();
    SetLabel(Label14, ChooseText(rotated, "Height", "Width"));
    SetLabel(Label15, ChooseText(rotated, "Width", "Height"));
    SpinScreenRatioX->setAccessibleName(QStringLiteral("Screen ratio ") +
                                        Label14->text().toLower());
    SpinScreenRatioY->setAccessibleName(QStringLiteral("Screen ratio ") +
                                        Label15->text().toLower());
    ShowEnabledState(this);

    for (TSpinEdit* range : {SpinEdit3, SpinEdit4}) {
        if (const int32_t value = range->Value(); CapWidth(value) != value) {
            range->SetValue(CapWidth(value));
        }
    }

    ResultInputs inputs;
    inputs.From = SpinEdit3->Value();
    inputs.To = SpinEdit4->Value();
    inputs.RatioX = SpinEdit5->Value();
    inputs.RatioY = SpinEdit6->Value();
    inputs.EchoForWidth = SpinEdit7->Value();
    inputs.EchoForHeight = SpinEdit8->Value();
    inputs.WidthDiv = Edit1->text().toStdString();
    inputs.HeightDiv = Edit2->text().toStdString();
    inputs.WidthNotDiv = Edit3->text().toStdString();
    inputs.HeightNotDiv = Edit4->text().toStdString();
    inputs.SX = SpinScreenRatioX->Value();
    inputs.SY = SpinScreenRatioY->Value();
    inputs.PX = SpinPlayRatioX->Value();
    inputs.PY = SpinPlayRatioY->Value();
    inputs.Rotated = rotated;
    inputs.Grouping = CheckBox2->isChecked();
    // The selected pairs stay selected in the new list wherever they are still listed.
    const TEasyGrid::TRowsKept kept = ResultController.KeepRows();
    const ResultEchoes echoes = ComputeResults(inputs, ResultTable, Reference);
    ResultController.EmptyText =
        ResultTable.Count() == 0 ? EmptyListReason(inputs, echoes) : std::string();
    // A sort chosen at the header holds for every run.
    if (!ResultTable.SortSpec.empty()) {
        ResultTable.Sort();
    }

    ShowReducedRatio(echoes);
    SetLabel(Labelfixed43, echoes.EchoHeight);
    SetLabel(Labelfixed34, echoes.EchoWidth);
    // Also when the current row lies below the new last row: the grid must show this table.
    ResultController.Refresh();
    ResultController.RestoreRows(kept);
}

void TForm1::ShowReducedRatio(const ResultEchoes& echoes) {
    // A term of 0 or below lists nothing; say why instead of echoing the bad terms.
    const bool valid = echoes.ReducedX > 0 && echoes.ReducedY > 0;
    SetLabel(Label4, valid ? IntToText(echoes.ReducedX) : "Terms must be 1 or more");
    SetLabel(Label5, IntToText(echoes.ReducedY));
    SetLabel(Label10, Int64ToText(echoes.ReducedProduct));
    for (QLabel* label : {Label9, Label5, Label10}) {
        label->setVisible(valid);
    }
    // Long terms push the labels after them to the right instead of overlapping them.
    constexpr int Gap = 4;
    Label9->move(std::max(91, Label4->geometry().right() + Gap), Label9->y());
    Label5->move(std::max(96, Label9->geometry().right() + Gap), Label5->y());
    Label10->move(std::max(128, Label5->geometry().right() + Gap), Label10->y());
    // A long product does not fit beside long terms: cut with an ellipsis, whole in the
    // hint and for a screen reader.
    const QString product = Label10->text();
    const int room = std::max(Label10->parentWidget()->width() - Label10->x() - Gap, 0);
    Label10->setText(Label10->fontMetrics().elidedText(product, Qt::ElideRight, room));
    Label10->resize(std::min(Label10->sizeHint().width(), room), Label10->height());
    Label10->setToolTip(product);
    Label10->setAccessibleName(QStringLiteral("Product of the reduced terms ") + product);
}

void TForm1::StringGrid1ClickCell(int ACol, int ARow) {
    // A sort click only orders the rows, and shift or ctrl on a row only selects.
    const bool sorted = ResultController.GridClickCell(ACol, ARow);
    const Qt::KeyboardModifiers selecting = Qt::ShiftModifier | Qt::ControlModifier;
    if (sorted || (ARow > 0 && (QGuiApplication::queryKeyboardModifiers() & selecting))) {
        return;
    }
    ChooseReference(ARow);
}

void TForm1::ChooseReference(int ARow) {
    const int32_t count = ResultTable.Count();
    if (count == 0) {
        ResultTable.Clear();
        return;
    }
    const int32_t row = std::clamp(ARow, 1, count);
    if (row == count) {
        StringGrid1->SetCurrentRow(row);
    }
    Reference.Width = TextToInt(ResultTable.GetCell(row, WidthColumn));
    Reference.Height = TextToInt(ResultTable.GetCell(row, HeightColumn));
    Recount();
}

void TForm1::Setratiofromgrid(int /*ACol*/, int ARow) {
    if (ARow <= 0 || ARow >= PredefinedTable.Count()) {
        return;
    }
    const RatioTerms terms = RatioOfFormat(PredefinedTable.GetRowText(ARow));
    {
        // Both terms first, then one computation with the new ratio.
        const ScopedValue pause5(SpinEdit5->OnChange, nullptr);
        const ScopedValue pause6(SpinEdit6->OnChange, nullptr);
        SpinEdit5->SetText(ToQt(terms.X));
        SpinEdit6->SetText(ToQt(terms.Y));
    }
    Recount();
}

void TForm1::SetTo(QAction* item) {
    SpinEdit4->SetValue(TextToInt(ItemCaption(item).toStdString()));
}

void TForm1::SetScreenRatioFromPopUpMenu(QAction* item) {
    std::string caption = ItemCaption(item).toStdString();
    const int32_t x = CutInt(caption, ':');
    const int32_t y = CutInt(caption, ':');
    QWidget* component = PopupMenuScreenRatio->PopupComponent;
    TSpinEdit* first = nullptr;
    TSpinEdit* second = nullptr;
    if (component == SpinScreenRatioX || component == SpinScreenRatioY) {
        first = SpinScreenRatioX;
        second = SpinScreenRatioY;
    } else if (component == SpinPlayRatioX || component == SpinPlayRatioY) {
        first = SpinPlayRatioX;
        second = SpinPlayRatioY;
    } else if (component == SpinEdit5 || component == SpinEdit6) {
        first = SpinEdit5;
        second = SpinEdit6;
    } else {
        return;
    }
    first->SetValue(x);
    second->SetValue(y);
}

void TForm1::ChangeTRansparency() {
    // Transparency belongs to the "same ratio as window size" mode only.
    const int alpha = TrackBar1->value();
    const bool blend = alpha != 255 && CheckBox1->isChecked();
    setWindowOpacity(blend ? alpha / 255.0 : 1.0);
}

void TForm1::SetSizes() {
    PredefinedController.FitColumns();
    if (CheckBox1->isChecked()) {
        Recount();
    }
    StringGrid2->move(StringGrid2->x(), TrackBar1->y() + TrackBar1->height() + 5);
    StringGrid2->resize(ResultController.PanelWidth(PanelRatio) - 12,
                        ResultController.PanelClientHeight(PanelRatio) - StringGrid2->y() - 9);
    // Centred in the room inside the link panel's frame, which depends on the panel style.
    const QMargins frame = PanelURL->contentsMargins();
    const int room = ResultController.PanelClientHeight(PanelURL) - frame.top() - frame.bottom();
    Label16->move(Label16->x(), (room - Label16->height()) / 2);
}

void TForm1::OpenPage(std::string_view path) {
    UrlLauncher1->Url = QString::fromUtf8(MakerSiteUrl.data(), MakerSiteUrl.size()) +
                        QString::fromUtf8(path.data(), path.size());
    try {
        if (!UrlLauncher1->Execute()) {
            QMessageBox::information(
                this, windowTitle(),
                tr("No web browser was found to open %1.").arg(UrlLauncher1->Url));
        }
    } catch (const TUrlLaunchError& error) {
        QMessageBox::critical(this, windowTitle(), QString::fromUtf8(error.what()));
    }
}

void TForm1::PanelURLClick() {
    OpenPage(HomepagePath);
}

void TForm1::PanelURLClick2() {
    OpenPage(HelpPagePath);
}

bool TForm1::event(QEvent* event) {
    const bool handled = TForm::event(event);
    // Until the window manager frames the window its frame is unknown, so the first fit
    // centred the bare window; the first move or resize that shows a frame fits it again.
    if (!PlacedInFrame && (event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
        isVisible() && frameGeometry() != geometry()) {
        PlacedInFrame = true;
        FitToScreen(this);
    }
    return handled;
}

void TForm1::mousePressEvent(QMouseEvent* event) {
    // The bare background moves the window as its title bar would.
    if (event->button() == Qt::LeftButton && childAt(event->position().toPoint()) == nullptr &&
        windowHandle() != nullptr) {
        windowHandle()->startSystemMove();
        event->accept();
        return;
    }
    TForm::mousePressEvent(event);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    // The window's key preview sees the key first.
    const bool handled = TForm::eventFilter(watched, event);
    if (event->type() != QEvent::KeyPress || (watched != StringGrid1 && watched != StringGrid2)) {
        return handled;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == StringGrid1 && key->matches(QKeySequence::Copy)) {
        // The table view would copy the current cell only.
        QGuiApplication::clipboard()->setText(SelectedRowsText());
        return true;
    }
    // The keyboard's click on the current row: Return in either grid, Space in the list.
    const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const QModelIndex current = static_cast<const TGridControl*>(watched)->currentIndex();
    if (!plain || !current.isValid()) {
        return handled;
    }
    if (watched == StringGrid2 && (enter || key->key() == Qt::Key_Space)) {
        Setratiofromgrid(current.column(), TGridControl::GridRow(current));
        return true;
    }
    if (watched == StringGrid1 && enter) {
        ChooseReference(TGridControl::GridRow(current));
        return true;
    }
    return handled;
}

QString TForm1::SelectedRowsText() const {
    const std::vector<ColDataT> columns = ResultController.Columns.VisibleColumns();
    QStringList lines;
    QStringList headers;
    for (const ColDataT& col : columns) {
        headers << ToQt(col.Header);
    }
    lines << headers.join(QLatin1Char('\t'));
    // The grid holds only the rows near the view, so the texts come from the table, plain
    // (no digit grouping) so that a spreadsheet reads them as numbers.
    for (const int row : StringGrid1->SelectedRows()) {
        if (row > ResultTable.Count()) {
            continue;
        }
        QStringList cells;
        for (const ColDataT& col : columns) {
            cells << ToQt(ResultTable.GetCell(row, col.Id));
        }
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
