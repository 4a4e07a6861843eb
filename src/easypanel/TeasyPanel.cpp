// The panel manager: registering panels, building their title bars and buttons, their
// states, and stacking them into columns beside the grid.
#include "easypanel/TeasyPanel.h"

#include "GPanel/ColourScheme.h"
#include "easypanel/PanelAnimation.h"
#include "easypanel/SizeSpec.h"
#include "easypanel/WindowHelpers.h"
#include "util/Clamp32.h"
#include "util/TextParse.h"

#include <QAction>
#include <QCoreApplication>
#include <QFont>
#include <QMenu>
#include <QPalette>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

// Lays a widget's children out now, not at the next turn of the event loop: the
// geometry of title bar and content is read right after a change, and a hidden window
// receives no resize events to do it.
void Realign(QWidget* widget) {
    if (QLayout* layout = widget->layout()) {
        layout->invalidate();
        layout->activate();
    }
}

char CodeOf(int32_t slot) {
    return static_cast<char>(FirstPanelCode + slot);
}

bool HasCode(const std::string& codes, int32_t slot) {
    return codes.find(CodeOf(slot)) != std::string::npos;
}

std::string NameOf(const QWidget* widget) {
    return widget->objectName().toStdString();
}

// Black or white, for the bar's colour as it shows (darkened under a dark palette).
void ShowTitleColour(QLabel* label, const QColor& barColour) {
    QPalette text = label->palette();
    text.setColor(QPalette::WindowText, ContrastColor(SchemeBackground(barColour)));
    label->setPalette(text);
}

constexpr const char* PanelMenuCaptions[] = {
    QT_TRANSLATE_NOOP("TeasyPanel", "Collapse all panels"),
    QT_TRANSLATE_NOOP("TeasyPanel", "Maximize all panels"),
    QT_TRANSLATE_NOOP("TeasyPanel", "Toggle titlebar"),
    QT_TRANSLATE_NOOP("TeasyPanel", "Hide all titlebars"),
    QT_TRANSLATE_NOOP("TeasyPanel", "Shows all titlebars"),
    QT_TRANSLATE_NOOP("TeasyPanel", "Make all panels flat"),
    QT_TRANSLATE_NOOP("TeasyPanel", "Make all panels raised"),
    QT_TRANSLATE_NOOP("TeasyPanel", "Make all panels lowered+raised"),
    QT_TRANSLATE_NOOP("TeasyPanel", "Make all panels lowered"),
};

} // namespace

TeasyPanel::~TeasyPanel() {
    DetachParts();
    // A manager of static lifetime ends after the application; widgets cannot be deleted
    // then, and the process is ending anyway.
    if (QCoreApplication::instance() != nullptr) {
        delete PanelMenu;
    }
}

// The parts outlive the records of this object; their handlers must not call into it
// once it forgot them.
void TeasyPanel::DetachParts() {
    for (TPanelSlot& slot : Slots) {
        if (slot.TitleBar) {
            slot.TitleBar->OnDblClick = nullptr;
        }
        for (TBevelPanel* button : {slot.CollapseButton.data(), slot.CornerButton.data()}) {
            if (button != nullptr) {
                button->OnClick = nullptr;
            }
        }
    }
}

void TeasyPanel::Init() {
    LeftMargin = 8;
    TopMargin = 8;
    TitlebarTotalHeight = 24;
    Order.clear();
    Gap = 8;
    TitlebarHeight = 24;
    BevelHeight = 2;
    TitlebarsAllowed = true;
    TitlebarsVisible = true;
    Gradient = true;
    ColumnWidth = 0;
    PanelCount = 0;
    FirstColumnSlack = 0;
    Animate = true;
    PanelsHidden = false;
    CornerButtonHeight = 6;
    CornerButtonWidth = 6;
    DetachParts();
    Slots = {};
    Geometry = {};
    Slack = 0;
    OnChange = nullptr;
    Registered.clear();
    AvailableHeight = 0;
    MenuSource = nullptr;

    // Rebuilt whole; the connections of the old menu go with it.
    delete PanelMenu;
    PanelMenu = new QMenu;
    int position = 0;
    for (const char* caption : PanelMenuCaptions) {
        QAction* item = PanelMenu->addAction(QCoreApplication::translate("TeasyPanel", caption));
        QObject::connect(item, &QAction::triggered, PanelMenu,
                         [this, position] { PanelMenuClick(position); });
        ++position;
    }
}

void TeasyPanel::AddPanel(TBevelPanel* ref, const std::string& spec) {
    if (ref == nullptr) {
        return;
    }
    int32_t slot = FindPanel(ref);
    const bool known = slot >= 0;
    if (!known) {
        slot = static_cast<int32_t>(Registered.size());
        if (slot >= PanelSlots) {
            return;
        }
    }
    // Read before anything changes, so a bad specification leaves no trace.
    const TNormalSpec normal = NormaliseSpec(spec, ref->height());

    TPanelSlot& record = Slots[slot];
    record.PanelRef = ref;
    ColumnWidth = std::max(ColumnWidth, ref->width());
    if (!known) {
        Registered += CodeOf(slot);
        BuildParts(slot);
    }
    Geometry[slot].MinHeight = normal.MinHeight;
    record.Spec = normal.Spec;
    if (TitlebarsVisible) {
        SetTitlebar(slot, true, true);
    }
    PanelCount = static_cast<int32_t>(Registered.size());
    Changed();
}

void TeasyPanel::BuildParts(int32_t slot) {
    TPanelSlot& record = Slots[slot];
    TBevelPanel* panel = record.PanelRef;
    const QString title = panel->Caption().section(QLatin1Char('|'), 0, 0);
    panel->setAccessibleName(title);
    BuildTitleBar(slot, title);
    BuildContent(slot);
    // The title bar on top and the content under it, both inside border and bevels.
    auto* frame = new QVBoxLayout(panel);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->setSpacing(0);
    frame->setSizeConstraint(QLayout::SetNoConstraint);
    frame->addWidget(record.TitleBar);
    frame->addWidget(record.Content, 1);
    BuildButtons(slot, title);
    record.TitlebarAllowed = TitlebarsAllowed && TitlebarsVisible;
    DoubleBufferTree(panel);
    PaintContent(slot);
    PlaceTitlebarParts(slot);
}

void TeasyPanel::BuildTitleBar(int32_t slot, const QString& title) {
    TPanelSlot& record = Slots[slot];
    TBevelPanel* panel = record.PanelRef;
    const QColor barColour = Darker(Darker(panel->Color()));
    auto* titleBar = new TGPanel(panel);
    titleBar->setObjectName(QStringLiteral("titlebar_%1_%2").arg(slot).arg(panel->objectName()));
    titleBar->SetCaption({});
    titleBar->SetHorizontal(false);
    titleBar->SetPercent(20);
    titleBar->SetColor_1(barColour);
    titleBar->SetColor_2(Lighter(barColour));
    titleBar->SetColor_3(barColour);
    titleBar->SetColor(barColour);
    titleBar->OnDblClick = [this, titleBar] { TitlebarDblClick(titleBar); };
    // The keyboard's double-click: Space or Return on the focused title bar zooms.
    titleBar->SetKeyAction([this, titleBar] { TitlebarDblClick(titleBar); });
    titleBar->setAccessibleName(QCoreApplication::translate("TeasyPanel", "Zoom %1").arg(title));
    titleBar->setAccessibleDescription(QCoreApplication::translate(
        "TeasyPanel", "Shows this panel whole and collapses the others; again to undo"));

    auto* label = new QLabel(title, titleBar);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    ShowTitleColour(label, barColour);
    label->setAutoFillBackground(false);
    label->adjustSize();
    label->move(5, 0);
    label->raise();
    label->show();

    auto* bevel = new QFrame(titleBar);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bevel->setLineWidth(1);
    bevel->setFixedHeight(ClampExtent(BevelHeight));
    auto* barLayout = new QVBoxLayout(titleBar);
    barLayout->setContentsMargins(0, 0, 0, 0);
    barLayout->setSpacing(0);
    barLayout->addStretch(1);
    barLayout->addWidget(bevel);

    panel->SetCaption({});
    titleBar->SetBevelOuter(TBevelCut::None);
    titleBar->SetBevelInner(TBevelCut::None);
    titleBar->SetBorderStyle(TPanelBorder::None);
    SetClampedBounds(titleBar, 0, 0, panel->width(), TitlebarTotalHeight);
    titleBar->setFixedHeight(ClampExtent(TitlebarTotalHeight));
    titleBar->setEnabled(true);
    titleBar->setVisible(TitlebarsVisible);
    record.TitleBar = titleBar;
    record.TitleLabel = label;
    record.TitleBevel = bevel;
}

void TeasyPanel::BuildContent(int32_t slot) {
    TBevelPanel* panel = Slots[slot].PanelRef;
    auto* content = new TGPanel(panel);
    content->setCursor(panel->cursor());
    content->OnClick = panel->OnClick;
    content->OnDblClick = panel->OnDblClick;
    content->SetBevelOuter(TBevelCut::None);
    content->SetBevelInner(TBevelCut::None);
    content->SetBorderStyle(TPanelBorder::None);
    content->setEnabled(true);
    // A layout of the panel's own goes along with the controls it arranges.
    if (QLayout* own = panel->layout()) {
        content->setLayout(own);
    }
    MoveChildren(panel, content);
    content->lower();
    content->show();
    Slots[slot].Content = content;
}

void TeasyPanel::BuildButtons(int32_t slot, const QString& title) {
    TPanelSlot& record = Slots[slot];
    TBevelPanel* panel = record.PanelRef;
    auto* collapse = new TBevelPanel(record.TitleBar);
    collapse->SetColor(record.TitleBar->Color());
    auto* corner = new TBevelPanel(panel);
    corner->SetColor(panel->Color());
    SetUpButton(collapse);
    SetUpButton(corner);
    collapse->setObjectName(QStringLiteral("collapse_%1_%2").arg(slot).arg(panel->objectName()));
    corner->setObjectName(QStringLiteral("corner_%1_%2").arg(slot).arg(panel->objectName()));
    for (TBevelPanel* button : {collapse, corner}) {
        button->setAccessibleName(
            QCoreApplication::translate("TeasyPanel", "Collapse or restore %1").arg(title));
    }
    record.CollapseButton = collapse;
    record.CornerButton = corner;
}

void TeasyPanel::SetUpButton(TBevelPanel* button) {
    button->setToolTip(
        QCoreApplication::translate("TeasyPanel", "Collapse/Restore this panel's size"));
    button->SetCaption({});
    button->raise();
    button->SetBevelOuter(TBevelCut::Raised);
    button->SetBevelInner(TBevelCut::None);
    button->SetBevelWidth(1);
    button->SetBorderStyle(TPanelBorder::None);
    button->OnClick = [this, button] { CollapseButtonClick(button); };
    button->SetKeyAction(button->OnClick);
    if (PanelMenu != nullptr) {
        button->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(button, &QWidget::customContextMenuRequested, PanelMenu,
                         [this, button](const QPoint& at) {
                             MenuSource = button;
                             PanelMenu->popup(button->mapToGlobal(at));
                         });
    }
}

std::string TeasyPanel::AddAllPanels(QWidget* container) {
    if (container != nullptr) {
        std::vector<QPointer<TBevelPanel>> panels;
        for (QObject* child : container->children()) {
            auto* panel = qobject_cast<TBevelPanel*>(child);
            // Orders and title bars name a panel; one without a name cannot take part.
            if (panel != nullptr && qobject_cast<TGPanel*>(panel) == nullptr &&
                panel->Caption() != QStringLiteral(" ") && !panel->objectName().isEmpty()) {
                panels.emplace_back(panel);
            }
        }
        for (const QPointer<TBevelPanel>& panel : panels) {
            if (panel) {
                AddPanel(panel, TextAfter(panel->Caption().toStdString(), '|'));
            }
        }
    }
    std::string codes;
    for (int32_t slot = 0; slot < PanelSlots; ++slot) {
        if (IsRegistered(slot)) {
            codes += CodeOf(slot);
        }
    }
    return codes;
}

void TeasyPanel::SetOrder(const std::string& names) {
    const std::string list = TrimSeparators(names, ',');
    if (StartsWith("ord:", list)) {
        Order = list.substr(4);
    } else {
        std::array<std::string, PanelSlots> registered;
        for (int32_t slot = 0; slot < std::min(PanelCount, PanelSlots); ++slot) {
            if (IsRegistered(slot) && Slots[slot].PanelRef) {
                registered[slot] = NameOf(Slots[slot].PanelRef);
            }
        }
        Order = OrderCodes(list, registered);
    }
    Changed();
}

void TeasyPanel::SetTitlebarHeight(int32_t height) {
    const int32_t bar = ClampExtent(height);
    TitlebarTotalHeight = Clamp32(int64_t{BevelHeight} + bar);
    TitlebarHeight = bar;
    // Hiding and showing again gives every title bar the new height.
    for (int32_t slot = 0; slot < PanelSlots; ++slot) {
        if (IsRegistered(slot)) {
            const bool visible = TitlebarVisible(slot);
            SetTitlebar(slot, !visible, false);
            SetTitlebar(slot, visible, false);
        }
    }
    Changed();
}

void TeasyPanel::CollapsePanel(TBevelPanel* ref) {
    SetCollapsed(FindPanel(ref), false, true);
}

void TeasyPanel::HideTitlebar(TBevelPanel* ref) {
    SetTitlebar(FindPanel(ref), false, true);
}

void TeasyPanel::SetPanelStyle(int style) {
    for (int32_t slot = 0; slot < PanelSlots; ++slot) {
        if (IsRegistered(slot) && Slots[slot].PanelRef) {
            SetBevelStyle(Slots[slot].PanelRef, style);
            // The bevels move the title bar's right end, and with it the button.
            PlaceTitlebarParts(slot);
        }
    }
}

void TeasyPanel::FollowPalette() {
    for (int32_t slot = 0; slot < PanelSlots; ++slot) {
        const TPanelSlot& record = Slots[slot];
        if (IsRegistered(slot) && record.TitleLabel && record.TitleBar) {
            ShowTitleColour(record.TitleLabel, record.TitleBar->Color());
        }
    }
}

int32_t TeasyPanel::PanelClientHeight(const TBevelPanel* ref) const {
    const int32_t slot = FindPanel(ref);
    if (slot < 0) {
        return 0;
    }
    return Clamp32(int64_t{ref->height()} - (TitlebarVisible(slot) ? TitlebarTotalHeight : 0));
}

int32_t TeasyPanel::PanelWidth(const TBevelPanel* ref) const {
    return FindPanel(ref) < 0 ? 0 : ref->width();
}

void TeasyPanel::Changed() {
    if (OnChange) {
        OnChange();
    }
}

int32_t TeasyPanel::FindPanel(const TBevelPanel* ref) const {
    if (ref == nullptr) {
        return -1;
    }
    for (int32_t slot = 0; slot < PanelSlots; ++slot) {
        if (IsRegistered(slot) && Slots[slot].PanelRef == ref) {
            return slot;
        }
    }
    return -1;
}

bool TeasyPanel::IsRegistered(int32_t slot) const {
    return slot >= 0 && slot < PanelSlots && HasCode(Registered, slot);
}

bool TeasyPanel::TitlebarVisible(int32_t slot) const {
    return IsRegistered(slot) && Slots[slot].TitleBar && !Slots[slot].TitleBar->isHidden();
}

void TeasyPanel::SetTitlebar(int32_t slot, bool visible, bool relayout) {
    if (!IsRegistered(slot) || !Slots[slot].PanelRef || !Slots[slot].TitleBar ||
        TitlebarVisible(slot) == visible) {
        return;
    }
    TPanelSlot& record = Slots[slot];
    record.TitleBar->setVisible(visible);
    if (visible) {
        record.TitleBar->setFixedHeight(ClampExtent(TitlebarTotalHeight));
    }
    SetClampedHeight(record.PanelRef, StateMinHeight(slot));
    // The corner button stands in for the collapse button while the bar is hidden.
    PlaceTitlebarParts(slot);
    if (relayout) {
        Changed();
    }
}

void TeasyPanel::SetCollapsed(int32_t slot, bool expand, bool apply) {
    if (!IsRegistered(slot)) {
        return;
    }
    TPanelSlot& record = Slots[slot];
    if (!record.PanelRef || record.PanelRef->isHidden() || !record.TitlebarAllowed) {
        return;
    }
    record.ExpandPending = record.Collapsed && expand && Animate && apply;
    record.Collapsed = !expand;
    record.Zoomed = false;
    if (apply && !expand) {
        AnimateCollapse(record.PanelRef);
    }
    if (apply) {
        Changed();
    }
}

bool TeasyPanel::AnyZoomed() const {
    return std::any_of(Slots.begin(), Slots.end(),
                       [](const TPanelSlot& record) { return record.Zoomed; });
}

bool TeasyPanel::ShownCollapsed(int32_t slot) const {
    const TPanelSlot& record = Slots[slot];
    if (AnyZoomed()) {
        return !record.Zoomed;
    }
    return record.Collapsed && record.TitlebarAllowed;
}

int32_t TeasyPanel::CollapsedHeight(int32_t slot) const {
    if (!IsRegistered(slot) || !Slots[slot].PanelRef) {
        return 0;
    }
    if (TitlebarVisible(slot)) {
        const int64_t framed =
            2 * int64_t{Slots[slot].PanelRef->BevelWidth()} + TitlebarTotalHeight;
        return Clamp32(std::max<int64_t>(framed, TitlebarHeight));
    }
    return std::max(CornerButtonHeight, TitlebarHeight);
}

std::string TeasyPanel::StateSpec(int32_t slot) const {
    if (!IsRegistered(slot)) {
        return {};
    }
    if (ShownCollapsed(slot)) {
        // The maximum lies below the minimum, so the height is fixed at the collapsed one.
        return "0.1|" + std::to_string(CollapsedHeight(slot)) + "|" +
               std::to_string(TitlebarHeight);
    }
    std::string rest = Slots[slot].Spec;
    const std::string weight = CutToken(rest, '|');
    std::string minimum = CutToken(rest, '|');
    const int32_t grow = (TitlebarVisible(slot) ? TitlebarTotalHeight : 0) + FrameExcess(slot);
    if (grow != 0) {
        minimum = GrowSpecField(minimum, grow);
        rest = GrowSpecField(rest, grow);
    }
    std::string state = weight + "|" + minimum;
    if (!rest.empty()) {
        state += "|" + rest;
    }
    return state;
}

int32_t TeasyPanel::FrameExcess(int32_t slot) const {
    if (!IsRegistered(slot) || !Slots[slot].PanelRef) {
        return 0;
    }
    // The panels' contents are laid out for a frame of one pixel a side; a thicker frame
    // (lowered and raised bevels) would otherwise cut off what lies at their bottom edge.
    const QMargins frame = Slots[slot].PanelRef->contentsMargins();
    return std::max(0, frame.top() + frame.bottom() - 2 * DesignedFrame);
}

int32_t TeasyPanel::StateMinHeight(int32_t slot) const {
    return TextToInt(TokenBefore(TextAfter(StateSpec(slot), '|'), '|'));
}

void TeasyPanel::PlaceTitlebarParts(int32_t slot) {
    if (!IsRegistered(slot)) {
        return;
    }
    const TPanelSlot& record = Slots[slot];
    if (!record.PanelRef || !record.TitleBar || !record.TitleLabel || !record.CollapseButton ||
        !record.CornerButton || !record.TitleBevel) {
        return;
    }
    Realign(record.PanelRef);
    const bool zoom = AnyZoomed();
    record.TitleBevel->setVisible(record.Zoomed || (!zoom && !record.Collapsed));
    const bool barShown = TitlebarVisible(slot);
    TBevelPanel* active = barShown ? record.CollapseButton : record.CornerButton;
    TBevelPanel* other = barShown ? record.CornerButton : record.CollapseButton;
    active->setVisible(record.TitlebarAllowed && !zoom);
    other->hide();

    QLabel* label = record.TitleLabel;
    const int64_t room = std::min(Geometry[slot].Height, TitlebarHeight);
    label->move(5, ClampExtent(std::max<int64_t>(0, (room - label->height()) / 2)));

    const int64_t bevel = record.TitleBar->BevelWidth();
    const int64_t side =
        std::max<int64_t>(0, int64_t{TitlebarTotalHeight} - 2 - 2 * bevel - BevelHeight);
    SetClampedBounds(record.CollapseButton, record.TitleBar->width() - side - 2 - bevel, 2, side,
                     side);
    SetClampedBounds(record.CornerButton, int64_t{ColumnWidth} - CornerButtonWidth, 0,
                     CornerButtonWidth, CornerButtonHeight);
    record.CornerButton->raise();
    Realign(record.TitleBar);
}

void TeasyPanel::PaintContent(int32_t slot) {
    const TPanelSlot& record = Slots[slot];
    if (!record.PanelRef || !record.Content) {
        return;
    }
    const QColor colour = record.PanelRef->Color();
    TGPanel* content = record.Content;
    content->SetColor_1(colour);
    content->SetColor_2(Gradient ? Lighter(Lighter(colour)) : colour);
    content->SetColor_3(colour);
    content->SetPercent(80);
    content->SetHorizontal(false);
    content->SetColor(colour);
}

void TeasyPanel::RefreshMinHeights(std::string& order) {
    for (int32_t slot = 0; slot < PanelSlots; ++slot) {
        Geometry[slot].MinHeight = StateMinHeight(slot);
        Geometry[slot].StateSpec = StateSpec(slot);
    }
    // A panel stacked twice would be counted and placed twice.
    std::string codes;
    for (const char code : order) {
        const int32_t slot = code - FirstPanelCode;
        if (IsRegistered(slot) && !HasCode(codes, slot)) {
            codes += code;
        }
    }
    order = codes;
}

int32_t TeasyPanel::Layout(const std::string& order, int32_t height, int32_t width,
                           int32_t reserve) {
    std::string codes = order;
    RefreshMinHeights(codes);
    FitFirstColumn(codes, height, width);
    return GridHeight(height, reserve);
}

int32_t TeasyPanel::HeightLeft(const std::string& codes, int32_t height, int32_t width,
                               int32_t reserve) {
    ChooseFirstColumn(codes, height, width);
    return GridHeight(height, reserve);
}

int32_t TeasyPanel::GridHeight(int32_t height, int32_t reserve) const {
    return Clamp32(int64_t{PanelsHidden ? height : Slack} - reserve - Gap);
}

void TeasyPanel::Place(const std::string& order) {
    ShowPanels(order, PanelsHidden);
    std::vector<int32_t> placed;
    for (const char code : order) {
        const int32_t slot = code - FirstPanelCode;
        if (!IsRegistered(slot) || !Slots[slot].PanelRef) {
            continue;
        }
        TBevelPanel* panel = Slots[slot].PanelRef;
        const PanelGeometry& geometry = Geometry[slot];
        SetClampedBounds(panel, geometry.Left, geometry.Top, ColumnWidth, panel->height());
        PlaceTitlebarParts(slot);
        PaintContent(slot);
        // A pending expand starts from the collapsed height once everything else is placed.
        if (!Slots[slot].ExpandPending) {
            SetClampedHeight(panel, geometry.Height);
        }
        placed.push_back(slot);
    }
    for (const int32_t slot : placed) {
        TPanelSlot& record = Slots[slot];
        if (!record.ExpandPending || !record.PanelRef) {
            continue;
        }
        // Shows the new arrangement before the panel grows into it.
        record.PanelRef->window()->repaint();
        AnimateExpand(record.PanelRef, Geometry[slot].Height);
        record.ExpandPending = false;
    }
}

void TeasyPanel::ShowPanels(const std::string& order, bool hidden) {
    for (int32_t slot = 0; slot < PanelSlots; ++slot) {
        if (IsRegistered(slot) && Slots[slot].PanelRef) {
            Slots[slot].PanelRef->setVisible(!hidden && HasCode(order, slot));
        }
    }
}

int32_t TeasyPanel::SumHeights(const std::string& order, bool hidden) const {
    int64_t sum = 0;
    for (int32_t slot = 0; slot < PanelSlots; ++slot) {
        if (IsRegistered(slot) && HasCode(order, slot)) {
            sum += (hidden ? 0 : int64_t{StateMinHeight(slot)}) + Gap;
        }
    }
    return Clamp32(sum);
}

std::string TeasyPanel::Describe(const std::string& order, bool hidden) const {
    std::string key;
    for (int32_t slot = 0; slot < PanelSlots; ++slot) {
        if (IsRegistered(slot) && HasCode(order, slot)) {
            key += std::to_string(hidden ? 0 : StateMinHeight(slot)) + "|";
        }
    }
    return key + "|" + std::to_string(TopMargin) + "," + std::to_string(LeftMargin);
}
