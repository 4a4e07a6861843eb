#include "easygrid/TEasyGrid.h"

#include "GPanel/TBevelPanel.h"
#include "easypanel/TForm.h"
#include "easypanel/WindowHelpers.h"
#include "gridctl/Conversions.h"
#include "gridctl/TGridCellDelegate.h"
#include "gridctl/TGridControl.h"
#include "gridctl/TGridHeader.h"
#include "gridctl/THtmlExportDialog.h"
#include "gridctl/TPrintSettingsDialog.h"
#include "superarray/superarray.h"
#include "util/Clamp32.h"
#include "util/TextParse.h"

#include <QAction>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>
#include <cstdlib>
#include <exception>
#include <memory>
#include <numeric>
#include <utility>

namespace {

constexpr int MenuCaptionLength = 40;
// A cached height is read from at most this many characters after its key.
constexpr std::size_t CachedNumberLength = 123;
// An alt-click waits for the button's release; a button that never comes up (a lost
// release) must not hold the window for good.
constexpr int MouseReleaseWaitMs = 5000;

// Clears a flag when the scope ends, also on an exception.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : Flag(flag) { Flag = true; }
    ~FlagScope() { Flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& Flag;
};

// Clears the window's resize handler for the scope's lifetime.
class ResizeHandlerPause {
public:
    explicit ResizeHandlerPause(TForm& form) : Form(&form), Saved(form.OnResize) {
        form.OnResize = nullptr;
    }
    ~ResizeHandlerPause() {
        if (Form) {
            Form->OnResize = Saved;
        }
    }
    ResizeHandlerPause(const ResizeHandlerPause&) = delete;
    ResizeHandlerPause& operator=(const ResizeHandlerPause&) = delete;

private:
    QPointer<TForm> Form;
    std::function<void()> Saved;
};

} // namespace

TEasyGrid::~TEasyGrid() {
    ReleaseForm();
    // The grid may outlive this object; its callbacks must not call into it then.
    if (Grid) {
        Grid->OnTopLeftChanged = nullptr;
        Grid->OnClickCell = nullptr;
        Grid->OnDblClickCell = nullptr;
        Grid->OnColumnMoved = nullptr;
    }
    if (Menu && QCoreApplication::instance() != nullptr) {
        delete Menu;
    }
}

void TEasyGrid::ReleaseForm() {
    if (HookedForm) {
        HookedForm->OnResize = SavedOnResize;
        HookedForm->OnKeyDown = SavedOnKeyDown;
    }
    HookedForm = nullptr;
}

void TEasyGrid::DropMenu() {
    if (Menu) {
        // Later, because this may run inside a click on that very menu.
        Menu->disconnect();
        Menu->deleteLater();
    }
    Menu = nullptr;
}

void TEasyGrid::Attach(TGridControl* grid, superarray* table, bool installDefaults,
                       bool registerPanels) {
    // A second Attach must not save our own handlers as the previous ones: they would call
    // themselves.
    ReleaseForm();
    Init();
    RelayoutToggle = false;
    Grid = grid;
    Columns.Table = table;
    DefaultFont = grid != nullptr ? grid->Font() : QFont();
    MinHeightCache.clear();
    MinColumns = 2;
    MinGridWidth = 10;
    MinGridHeight = 10;
    GridPanels.Init();
    GridPanels.Order.clear();
    OnChange = [this] { Relayout(); };

    QWidget* parent = grid != nullptr ? grid->parentWidget() : nullptr;
    InPanel = parent != nullptr && !parent->isWindow();
    GridPanel = InPanel ? parent : nullptr;
    QWidget* window = InPanel ? parent->parentWidget() : parent;
    Form = qobject_cast<TForm*>(window);
    if (!Form && grid != nullptr) {
        Form = qobject_cast<TForm*>(grid->window());
    }
    if (InPanel) {
        GridPanels.TitlebarsVisible = false;
        GridPanels.Order = GridPanels.AddAllPanels(GridPanel);
        // Set after the registration: every collapse or zoom inside the grid's panel from
        // now on ends in its arrangement.
        GridPanels.OnChange = [this] { ArrangeInPanel(); };
    }
    SavedOnResize = Form ? Form->OnResize : nullptr;
    SavedOnKeyDown = Form ? Form->OnKeyDown : nullptr;
    ResetState();
    if (registerPanels) {
        SetOrder("ord:" + AddAllPanels(Form));
    }
    if (installDefaults) {
        SetDefaults();
    }
}

void TEasyGrid::ResetState() {
    if (Grid) {
        Grid->SetFont(DefaultFont);
        Grid->SetPopupMenu(nullptr);
    }
    DropMenu();
    FirstShownRow = 1;
    LastShownRow = 0;
    ExtraRows = 50;
    Columns.Clear();
    PanelsHidden = false;
    GridPanelsHidden = false;
    MaximizeAllowed = true;
    GridMargin = 0;
}

void TEasyGrid::SetDefaults() {
    SetGridLook();
    BuildMenu();
    if (Grid) {
        Grid->OnClickCell = [this](int column, int row) { GridClickCell(column, row); };
    }
    if (auto* panel = qobject_cast<TBevelPanel*>(GridPanel.data())) {
        panel->SetBevelInner(TBevelCut::None);
        panel->SetBevelOuter(TBevelCut::None);
    }
    if (Form) {
        Form->OnResize = [this] { FormResize(); };
        Form->OnKeyDown = [this](QKeyEvent* event) { GridKeyDown(event); };
        HookedForm = Form;
    }
    Columns.PlaceholderPresent = false;
    AddKeyedColumn("#orig", superarray::InsertionColumn, "Original number", "original number",
                   "10|20|50");
    AddKeyedColumn("#", superarray::RowNumberColumn, "Number", "", "10|20|50");
    AddPlainColumn("Data", 0, "80");
    Columns.PlaceholderPresent = true;
    if (Columns.Table != nullptr) {
        Columns.Table->Columns[superarray::RowNumberColumn].GroupDigits = true;
        Columns.Table->Columns[superarray::InsertionColumn].GroupDigits = true;
    }
    HideColumn(superarray::InsertionColumn, true);
    HideColumn(superarray::RowNumberColumn, true);
}

void TEasyGrid::SetGridLook() {
    if (!Grid) {
        return;
    }
    Grid->SetBandsActive(true);
    Grid->SetBandColor1(QColor(255, 254, 225));
    Grid->SetBandColor2(Qt::white);
    Grid->SetBackgroundColor(Qt::white);
    Grid->SetFontColor(Qt::black);
    Grid->SetEnhRowColMove(true);
    Grid->SetOptions(Grid->Options() | TGridControl::goColSizing | TGridControl::goColMoving);
    Grid->SetHintShowCells(true);
    Grid->SetHintShowLargeText(true);
    Grid->SetShowHint(true);
    Grid->OnTopLeftChanged = [this] { Refresh(); };
    Grid->OnColumnMoved = [this](int from, int to) { GridColumnMoved(from, to); };
    Grid->OnDblClickCell = [this](int column, int row) { GridDblClickCell(column, row); };
    Grid->SetScrollBars(TGridControl::ssVertical);
    Grid->SetRowCount(2);
}

void TEasyGrid::DeclareColumn(const std::string& name, int32_t id) {
    if (Columns.DeclareColumn(name, id) > 0) {
        BuildMenu();
    }
}

void TEasyGrid::AddColumn(const std::string& name, int32_t id, const std::string& caption,
                          const std::string& sizeSpec) {
    if (Columns.AddColumn(name, id, caption, sizeSpec) > 0) {
        BuildMenu();
    }
}

void TEasyGrid::AddKeyedColumn(const std::string& name, int32_t id, const std::string& caption,
                               const std::string& key, const std::string& sizeSpec) {
    if (Columns.AddKeyedColumn(name, id, caption, key, sizeSpec) > 0) {
        BuildMenu();
    }
}

void TEasyGrid::AddPlainColumn(const std::string& name, int32_t id, const std::string& sizeSpec) {
    if (Columns.AddPlainColumn(name, id, sizeSpec) > 0) {
        BuildMenu();
    }
}

void TEasyGrid::SetSizeSpec(int32_t id, const std::string& sizeSpec) {
    Columns.SetSizeSpec(id, sizeSpec);
}

void TEasyGrid::SetHeader(int32_t id, const std::string& text) {
    if (Columns.SetHeader(id, text)) {
        WriteHeader(Columns.VisiblePos(id), text);
    }
}

void TEasyGrid::WriteHeader(int32_t position, const std::string& text) {
    const QString header = ToQt(text);
    if (position >= 0 && Grid && Grid->Cell(position, 0) != header) {
        Grid->SetCell(position, 0, header);
    }
}

bool TEasyGrid::SetInMenu(int32_t id, bool inMenu, bool rebuildMenu) {
    if (!Columns.SetInMenu(id, inMenu)) {
        return false;
    }
    if (rebuildMenu) {
        BuildMenu();
    }
    return true;
}

void TEasyGrid::RemoveFromMenu(int32_t id) {
    SetInMenu(id, false, true);
}

bool TEasyGrid::SetColumnVisible(int32_t id, bool visible, bool redisplay) {
    if (!Columns.SetVisible(id, visible)) {
        return false;
    }
    WaitForMouseRelease();
    // Read after the wait: handlers that ran meanwhile may have moved the records.
    CheckColumnItems();
    if (redisplay) {
        Refresh();
    }
    return true;
}

void TEasyGrid::CheckColumnItems() {
    if (!Menu) {
        return;
    }
    const QList<QAction*> items = Menu->actions();
    for (const ColDataT& col : Columns.Records()) {
        if (col.InMenu && col.MenuPos >= 0 && col.MenuPos < items.size()) {
            items[col.MenuPos]->setChecked(col.Visible);
        }
    }
}

bool TEasyGrid::HideColumn(int32_t id, bool redisplay) {
    return SetColumnVisible(id, false, redisplay);
}

bool TEasyGrid::ShowColumn(int32_t id, bool redisplay) {
    return SetColumnVisible(id, true, redisplay);
}

bool TEasyGrid::ToggleColumn(int32_t id, bool redisplay) {
    const ColDataT* col = Columns.Column(id);
    return col != nullptr && SetColumnVisible(id, !col->Visible, redisplay);
}

void TEasyGrid::WaitForMouseRelease() const {
    const QDeadlineTimer deadline(MouseReleaseWaitMs);
    while ((QGuiApplication::mouseButtons() & Qt::LeftButton) && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

void TEasyGrid::ApplyLayout(const std::string& layouts) {
    if (Columns.ApplyLayout(layouts)) {
        CheckColumnItems();
        Refresh();
    }
}

void TEasyGrid::NextLayout() {
    ApplyLayout(Columns.LayoutsText);
}

void TEasyGrid::FitColumns() {
    if (!Grid) {
        return;
    }
    ApplyColumnCount();
    std::vector<TGridControl::TSortMark> marks;
    for (const ColumnModel::SortMark& mark : Columns.SortMarks()) {
        marks.push_back({mark.Rank, mark.Descending});
    }
    Grid->SetSortMarks(std::move(marks));
    const int32_t columns = Grid->ColumnCount();
    std::vector<int32_t> widths;
    try {
        widths = Columns.ColumnWidths(Grid->ClientWidth() - columns * Grid->GridLineWidth());
    } catch (const std::exception&) {
        return; // a size rule that cannot be read leaves the widths as they are
    }
    // The scroll bars asked for, without the horizontal one that wide texts added.
    TGridControl::TScrollStyle scrollBars = Grid->ScrollBars();
    if (HorizontalBarAdded) {
        scrollBars =
            scrollBars == TGridControl::ssBoth ? TGridControl::ssVertical : TGridControl::ssNone;
    }
    const int32_t count = std::min(columns, static_cast<int32_t>(widths.size()));
    widths.resize(static_cast<std::size_t>(count));
    const int64_t available = std::accumulate(widths.begin(), widths.end(), int64_t{0});
    KeepTextsWhole(widths);
    for (int32_t column = 0; column < count; ++column) {
        Grid->SetColumnWidth(column, std::max(widths[column], 0));
    }
    // Texts wider than the grid scroll sideways rather than being cut.
    const bool overflow = std::accumulate(widths.begin(), widths.end(), int64_t{0}) > available;
    HorizontalBarAdded =
        overflow && (scrollBars == TGridControl::ssVertical || scrollBars == TGridControl::ssNone);
    if (HorizontalBarAdded) {
        scrollBars = scrollBars == TGridControl::ssVertical ? TGridControl::ssBoth
                                                            : TGridControl::ssHorizontal;
    }
    Grid->SetScrollBars(scrollBars);
}

int64_t TEasyGrid::TextWidthNeeded(int32_t column) const {
    const QFontMetrics metrics(Grid->Font());
    const int margins = 2 * TGridCellDelegate::TextMargin;
    int64_t need = metrics.horizontalAdvance(Grid->Cell(column, 0)) + margins +
                   TGridHeader::SortMarkRoom(metrics, Grid->SortMarkOf(column).Rank);
    // Numbers and pairs are short; longer texts such as divisor lists may end in an ellipsis.
    // Counted in digits, the widest characters of a number.
    const int64_t longest =
        metrics.horizontalAdvance(QString(std::max(WholeTextChars, 0), QLatin1Char('0'))) + margins;
    const int last = WholeTextChars > 0
                         ? std::min(Grid->TopRow() + Grid->VisibleRowCount(), Grid->DataRowCount())
                         : 0;
    for (int row = Grid->TopRow(); row <= last; ++row) {
        need = std::max(
            need, std::min<int64_t>(metrics.horizontalAdvance(Grid->Cell(column, row)) + margins,
                                    longest));
    }
    return need;
}

void TEasyGrid::KeepTextsWhole(std::vector<int32_t>& widths) const {
    // A larger font must not cut a header ("Heigh") or a number ("144 / 10" for 144 / 108):
    // columns narrower than their texts in view take the room from the columns wider than
    // theirs, in proportion to what those have spare; what cannot be found so widens the
    // columns beyond the grid.
    std::vector<int64_t> need(widths.size());
    int64_t missing = 0;
    int64_t spare = 0;
    for (std::size_t column = 0; column < widths.size(); ++column) {
        need[column] = TextWidthNeeded(static_cast<int32_t>(column));
        const int64_t room = int64_t{widths[column]} - need[column];
        (room < 0 ? missing : spare) += std::abs(room);
    }
    const int64_t moved = std::min(missing, spare);
    if (missing == 0) {
        return;
    }
    // Rounded on the running sums, so exactly `moved` pixels are taken.
    int64_t spareSoFar = 0;
    for (std::size_t column = 0; column < widths.size(); ++column) {
        const int64_t room = int64_t{widths[column]} - need[column];
        if (room > 0) {
            const int64_t before = spareSoFar * moved / spare;
            spareSoFar += room;
            widths[column] -= static_cast<int32_t>(spareSoFar * moved / spare - before);
        }
    }
    // The columns short of room get it from left to right, and what could not be found on
    // top.
    for (std::size_t column = 0; column < widths.size(); ++column) {
        widths[column] = static_cast<int32_t>(std::max<int64_t>(widths[column], need[column]));
    }
}

void TEasyGrid::Refresh() {
    if (Columns.Table != nullptr) {
        ShowTable(*Columns.Table);
    }
}

void TEasyGrid::ShowTable(const superarray& table) {
    // Scrolling that the fill itself causes reaches here through the grid's event; the fill
    // under way already covers the new view.
    if (!Grid || Filling) {
        return;
    }
    {
        // The top row is read after the row count follows the table, which may scroll.
        const FlagScope scope(Filling);
        MatchRowCount(table);
    }
    const int64_t top = Grid->TopRow();
    const int64_t last = top + Grid->VisibleRowCount() + 1 + std::max(ExtraRows, 0);
    FillRows(table, static_cast<int32_t>(top), Clamp32(last));
}

void TEasyGrid::ShowWholeTable(const superarray& table) {
    FillRows(table, 1, table.Count());
}

void TEasyGrid::MatchRowCount(const superarray& table) {
    // An empty table shows one (empty) data row, or no row and the words why.
    const bool explained = table.Count() == 0 && !EmptyText.empty();
    Grid->SetEmptyText(explained ? ToQt(EmptyText) : QString());
    const int32_t wanted = explained ? 0 : std::max(table.Count(), 1);
    if (wanted != Grid->DataRowCount()) {
        const int top = Grid->TopRow();
        Grid->SetDataRowCount(wanted);
        Grid->SetTopRow(top);
    }
}

void TEasyGrid::FillRows(const superarray& table, int32_t first, int32_t last) {
    if (!Grid || Filling) {
        return;
    }
    const FlagScope scope(Filling);
    if (Columns.VisibleColumnCount() == 0) {
        Grid->SetColumnCount(1);
        Grid->SetDataRowCount(1);
        for (int row = 0; row < Grid->RowCount(); ++row) {
            Grid->SetCell(0, row, QString());
        }
        Grid->SetCell(0, 0, QStringLiteral("No Data"));
        return;
    }
    MatchRowCount(table);
    if (table.Length() == 0) {
        ClearRow(1);
    }
    first = std::max(first, 1);
    last = std::min(last, table.Count());
    // Only the rows of the last fill can hold text: empty those that left the view.
    for (int32_t row = FirstShownRow; row <= LastShownRow; ++row) {
        if (row < first || row > last) {
            ClearRow(row);
        }
    }
    for (int32_t row = first; row <= last; ++row) {
        WriteRow(table, row);
    }
    FirstShownRow = first;
    LastShownRow = last;
    Grid->SetTopRow(first);
    FitColumns();
}

void TEasyGrid::WriteRow(const superarray& table, int32_t row) {
    if (!RowInRange(row)) {
        return;
    }
    int32_t position = 0;
    for (const ColDataT& col : Columns.Records()) {
        if (!col.Visible) {
            continue;
        }
        const QString text = ToQt(table.GetCellShown(row, col.Id));
        if (Grid->Cell(position, row) != text) {
            Grid->SetCell(position, row, text);
        }
        ++position;
    }
}

void TEasyGrid::ClearRow(int32_t row) {
    if (!RowInRange(row)) {
        return;
    }
    for (int column = 0; column < Grid->ColumnCount(); ++column) {
        if (!Grid->Cell(column, row).isEmpty()) {
            Grid->SetCell(column, row, QString());
        }
    }
}

bool TEasyGrid::RowInRange(int32_t row) const {
    return Grid && row >= 0 && row < Grid->RowCount();
}

int32_t TEasyGrid::ApplyColumnCount() {
    if (!Grid) {
        return 0;
    }
    const int32_t count = Columns.VisibleColumnCount();
    if (count == 0) {
        Grid->SetColumnCount(1);
        return 0;
    }
    int32_t position = 0;
    for (const ColDataT& col : Columns.Records()) {
        if (col.Visible) {
            WriteHeader(position++, col.Header);
        }
    }
    Grid->SetColumnCount(count);
    return count;
}

bool TEasyGrid::GridClickCell(int32_t column, int32_t row) {
    if (!Grid || row < 0 || row >= Grid->RowCount()) {
        return false;
    }
    const Qt::KeyboardModifiers modifiers = QGuiApplication::queryKeyboardModifiers();
    if (modifiers & Qt::AltModifier) {
        HideColumn(Columns.ColumnIdAt(column), true);
    }
    if (row != 0 || !(modifiers & Qt::ShiftModifier) || Columns.Table == nullptr) {
        return false;
    }
    return SortByColumn(column, (modifiers & Qt::ControlModifier) != 0);
}

bool TEasyGrid::SortByColumn(int32_t column, bool adding) {
    if (Columns.Table == nullptr) {
        return false;
    }
    const ColDataT* col = Columns.Column(Columns.ColumnIdAt(column));
    if (col == nullptr || col->Key.empty()) {
        return false;
    }
    const std::string key = col->Key;
    if (!adding) {
        ChangeSort(key, false);
    } else if (Columns.Table->SortSpec.empty()) {
        Columns.Table->SortSpec = key;
    } else {
        ChangeSort(key, true);
    }
    SortTable();
    return true;
}

TEasyGrid::TRowsKept TEasyGrid::KeepRows() const {
    TRowsKept kept;
    if (!Grid || Columns.Table == nullptr || IdentityColumns.empty()) {
        return kept;
    }
    const int32_t count = Columns.Table->Count();
    for (const int row : Grid->SelectedRows()) {
        if (row <= count) {
            kept.Selected.insert(Columns.RowIdentity(row, IdentityColumns));
        }
    }
    const int current = Grid->currentRow() + 1;
    if (current >= 1 && current <= count) {
        kept.Current = Columns.RowIdentity(current, IdentityColumns);
        kept.HasCurrent = true;
    }
    return kept;
}

void TEasyGrid::RestoreRows(const TRowsKept& kept) {
    if (!Grid || Columns.Table == nullptr || IdentityColumns.empty()) {
        return;
    }
    const std::vector<int32_t> selected =
        Columns.RowsWithIdentities(IdentityColumns, kept.Selected);
    Grid->SelectRows(std::vector<int>(selected.begin(), selected.end()));
    if (kept.HasCurrent) {
        const std::vector<int32_t> current =
            Columns.RowsWithIdentities(IdentityColumns, {kept.Current});
        if (!current.empty()) {
            Grid->MoveCurrentRow(current.front());
        }
    }
}

void TEasyGrid::SortTable() {
    if (Columns.Table == nullptr) {
        return;
    }
    const TRowsKept kept = KeepRows();
    // Without keys the rows sort by the order they were added in.
    Columns.Table->Sort();
    Refresh();
    RestoreRows(kept);
}

void TEasyGrid::Unsort() {
    if (Columns.Table != nullptr) {
        Columns.Table->SortSpec.clear();
        SortTable();
    }
}

void TEasyGrid::ChangeSort(const std::string& key, bool adding) {
    if (Columns.Table == nullptr || key.empty()) {
        return;
    }
    std::string spec = Columns.Table->SortSpec;
    const std::string& separator = Columns.Table->KeySeparator;
    if (!adding) {
        Columns.Table->SortSpec = spec == key ? "-" + key : key;
        return;
    }
    std::size_t position = std::string::npos;
    if (separator.empty()) {
        position = spec.find(key);
    } else {
        PosInfo info;
        info.CaseSensitive = false;
        info.WordStart = true;
        info.WordEnd = true;
        info.Delimiters = ",-";
        position = FindWord(info, key, spec);
    }
    if (position == std::string::npos) {
        spec = spec.empty() ? key : spec + separator + key;
    } else if (position > 0 && spec[position - 1] == '-') {
        spec.erase(position - 1, 1);
    } else {
        spec.insert(position, "-");
    }
    Columns.Table->SortSpec = spec;
}

void TEasyGrid::GridDblClickCell(int32_t /*column*/, int32_t row) {
    constexpr int32_t FileColumn = 10;
    // Row 0 is the header here, but "the last row" to the table.
    if (Columns.Table == nullptr || row < 1) {
        return;
    }
    const std::string file = Columns.Table->GetCell(row, FileColumn);
    if (!file.empty() && QFileInfo::exists(ToQt(file))) {
        Columns.Table->OpenCell(row, FileColumn);
    }
}

void TEasyGrid::GridColumnMoved(int32_t from, int32_t to) {
    MoveColumn(from, to);
}

void TEasyGrid::MoveColumn(int32_t from, int32_t to) {
    if (Columns.MoveColumn(from, to)) {
        BuildMenu();
    }
}

QAction* TEasyGrid::AddMenuItem(const QString& caption, const char* name, int32_t* position) {
    QAction* item = caption.isNull() ? Menu->addSeparator() : Menu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    if (position != nullptr) {
        *position = static_cast<int32_t>(Menu->actions().size()) - 1;
    }
    return item;
}

void TEasyGrid::BuildMenu() {
    if (!Grid) {
        return;
    }
    DropMenu();
    Menu = new QMenu(Grid);
    QObject::connect(Menu, &QMenu::triggered, Menu, [this](QAction* item) { MenuClick(item); });
    HtmlItem = PrintItem = FontItem = PropFontItem = ResetFontItem = -1;
    BandsItem = VLinesItem = HLinesItem = MaximizeItem = PanelsItem = LayoutsItem = -1;
    const auto checkItem = [](QAction* item, bool checked) {
        item->setCheckable(true);
        item->setChecked(checked);
    };
    const QString separator;
    AddMenuItem(QStringLiteral("Save grid as Html"), "Item1", &HtmlItem);
    AddMenuItem(QStringLiteral("Print Grid"), "Item2", &PrintItem);
    AddMenuItem(separator, "", nullptr);
    AddMenuItem(QStringLiteral("Font.."), "Item3", &FontItem);
    AddMenuItem(QStringLiteral("Proportional Font on/off"), "Item3", &PropFontItem);
    AddMenuItem(QStringLiteral("Reset Font"), "Item3", &ResetFontItem);
    AddMenuItem(separator, "", nullptr);
    checkItem(AddMenuItem(QStringLiteral("Grid bands"), "Item3", &BandsItem), Grid->BandsActive());
    checkItem(AddMenuItem(QStringLiteral("Vertical lines"), "Item3", &VLinesItem),
              Grid->Options().testFlag(TGridControl::goVertLine));
    checkItem(AddMenuItem(QStringLiteral("Horizontal lines"), "Item3", &HLinesItem),
              Grid->Options().testFlag(TGridControl::goHorzLine));
    const bool gridPanels = GridPanels.PanelCount > 0;
    if (MaximizeAllowed || gridPanels) {
        AddMenuItem(separator, "", nullptr);
    }
    if (MaximizeAllowed) {
        AddMenuItem(QStringLiteral("Maximize grid on/off (ctrl-F4)"), "Item3", &MaximizeItem);
    }
    if (gridPanels) {
        AddMenuItem(QStringLiteral("Show/Hide grid panels (ctrl-F5)"), "Item3", &PanelsItem);
    }
    if (!Columns.LayoutsText.empty()) {
        AddMenuItem(separator, "", nullptr);
        AddMenuItem(QStringLiteral("Cycle thru column layouts (ctrl-F2)"), "iem3", &LayoutsItem);
    }
    // The header's shift-clicks for the keyboard, and the way back from a sort, which
    // otherwise holds for every new list.
    SortItem = UnsortItem = -1;
    if (Columns.Column(superarray::InsertionColumn) != nullptr) {
        AddMenuItem(QStringLiteral("Sort by the current column (ctrl-F6)"), "iem3", &SortItem);
        AddMenuItem(QStringLiteral("Unsorted list (ctrl-F7)"), "iem3", &UnsortItem);
    }
    AddMenuItem(separator, "", nullptr);
    for (const ColDataT& col : Columns.Records()) {
        if (col.InMenu) {
            int32_t position = -1;
            checkItem(
                AddMenuItem(ToQt(ShortenText(col.Caption, MenuCaptionLength)), "iem3", &position),
                col.Visible);
            Columns.SetMenuPos(col.Id, position);
        }
    }
    Grid->SetPopupMenu(Menu);
}

void TEasyGrid::MenuClick(QAction* item) {
    const int32_t position = Menu ? static_cast<int32_t>(Menu->actions().indexOf(item)) : -1;
    // Absent items hold -1: an item that is not in the menu must not match them.
    if (position >= 0 && Grid) {
        const auto toggleOption = [this, item](TGridControl::TGridOption option) {
            Grid->SetOptions(Grid->Options() ^ option);
            item->setChecked(Grid->Options().testFlag(option));
        };
        if (position == HtmlItem) {
            SaveAsHtml();
        }
        if (position == PrintItem) {
            PrintGrid();
        }
        if (position == FontItem) {
            ChooseFont();
        }
        if (position == BandsItem) {
            ToggleBands();
            item->setChecked(Grid->BandsActive());
        }
        if (position == HLinesItem) {
            toggleOption(TGridControl::goHorzLine);
        }
        if (position == VLinesItem) {
            toggleOption(TGridControl::goVertLine);
        }
        if (position == PropFontItem) {
            ToggleProportionalFont();
        }
        if (position == MaximizeItem) {
            ToggleMaximize();
        }
        if (position == PanelsItem) {
            ToggleGridPanels(true);
        }
        if (position == LayoutsItem) {
            NextLayout();
        }
        if (position == ResetFontItem) {
            ResetFont();
        }
        if (position == SortItem) {
            SortByColumn(std::max(Grid->currentColumn(), 0), false);
        }
        if (position == UnsortItem) {
            Unsort();
        }
        std::vector<int32_t> ids;
        for (const ColDataT& col : Columns.Records()) {
            if (col.InMenu && col.MenuPos == position) {
                ids.push_back(col.Id);
            }
        }
        for (const int32_t id : ids) {
            ToggleColumn(id, true);
        }
    }
    Refresh();
}

void TEasyGrid::GridKeyDown(QKeyEvent* event) {
    if (event != nullptr && (event->modifiers() & Qt::ControlModifier)) {
        switch (event->key()) {
        case Qt::Key_F4:
            ToggleMaximize();
            break;
        case Qt::Key_F5:
            ToggleGridPanels(true);
            break;
        case Qt::Key_F2:
            NextLayout();
            break;
        case Qt::Key_F6:
            // With shift the column is added to the sort, as ctrl+shift-click does.
            if (SortItem >= 0 && Grid) {
                SortByColumn(std::max(Grid->currentColumn(), 0),
                             (event->modifiers() & Qt::ShiftModifier) != 0);
            }
            break;
        case Qt::Key_F7:
            if (UnsortItem >= 0) {
                Unsort();
            }
            break;
        default:
            break;
        }
    }
    const std::function<void(QKeyEvent*)> saved = SavedOnKeyDown;
    if (saved) {
        saved(event);
    }
}

int TEasyGrid::RunModal(QDialog& dialog) const {
    return RunDialog ? RunDialog(dialog) : dialog.exec();
}

void TEasyGrid::ChooseFont() {
    if (!Grid) {
        return;
    }
    // Starts at the font the grid shows, so that a size or a style can be changed alone: the
    // dialog lists installed families and point sizes, and the grids may ask for a substituted
    // family in pixels.
    QFont start = Grid->Font();
    start.setFamily(QFontInfo(start).family());
    if (start.pointSizeF() <= 0) {
        start.setPointSizeF(start.pixelSize() * 72.0 / Grid->logicalDpiY());
    }
    FontDialog = new QFontDialog(start, Grid);
    const std::unique_ptr<QFontDialog> owned(FontDialog.data());
    if (RunModal(*owned) == QDialog::Accepted) {
        SetFont(owned->currentFont());
    }
}

void TEasyGrid::SetFont(const QFont& font) {
    if (Grid) {
        Grid->SetFont(font);
    }
}

void TEasyGrid::SetFontName(const std::string& name) {
    if (Grid) {
        Grid->SetFontName(ToQt(name));
    }
}

void TEasyGrid::ResetFont() {
    SetFont(DefaultFont);
}

void TEasyGrid::ToggleProportionalFont() {
    if (Grid) {
        SetFontName(Grid->FontName() != QLatin1String("Courier New") ? "Courier New" : "Tahoma");
    }
}

void TEasyGrid::ToggleBands() {
    if (Grid) {
        Grid->SetBandsActive(!Grid->BandsActive());
    }
}

bool TEasyGrid::FillWholeGrid() {
    // The grid holds text only near the view; exporting and printing need every row.
    if (Grid && Columns.Table != nullptr) {
        ShowWholeTable(*Columns.Table);
    }
    return Grid != nullptr;
}

void TEasyGrid::SaveAsHtml() {
    if (FillWholeGrid()) {
        THtmlExportDialog dialog(*Grid, Grid);
        RunModal(dialog);
    }
}

void TEasyGrid::PrintGrid() {
    if (FillWholeGrid()) {
        TPrintSettingsDialog dialog(*Grid, Grid);
        RunModal(dialog);
    }
}

void TEasyGrid::ToggleMaximize() {
    if (!PanelsHidden) {
        HiddenBeforeMaximize = GridPanelsHidden;
    }
    if (PanelsHidden) {
        MaximizeOff(false);
    } else {
        MaximizeOn(false);
    }
    if (PanelsHidden || HiddenBeforeMaximize) {
        HideGridPanels(false);
    } else {
        ShowGridPanels(false);
    }
    Relayout();
}

void TEasyGrid::MaximizeOn(bool relayout) {
    if (!MaximizeAllowed || PanelsHidden) {
        return;
    }
    PanelsHidden = true;
    if (QWidget* box = GridBox()) {
        box->move(LeftMargin, box->y());
    }
    if (relayout) {
        Relayout();
    }
}

void TEasyGrid::MaximizeOff(bool relayout) {
    if (!MaximizeAllowed || !PanelsHidden) {
        return;
    }
    PanelsHidden = false;
    if (relayout) {
        Relayout();
    }
}

void TEasyGrid::HideGridPanels(bool relayout) {
    if (GridPanelsHidden || GridPanels.PanelCount == 0) {
        return;
    }
    GridPanelsHidden = true;
    if (relayout) {
        Relayout();
    }
}

void TEasyGrid::ShowGridPanels(bool relayout) {
    if (!GridPanelsHidden || GridPanels.PanelCount == 0) {
        return;
    }
    GridPanelsHidden = false;
    if (relayout) {
        Relayout();
    }
}

void TEasyGrid::ToggleGridPanels(bool relayout) {
    if (GridPanelsHidden) {
        ShowGridPanels(relayout);
    } else {
        HideGridPanels(relayout);
    }
}

QWidget* TEasyGrid::GridBox() const {
    return InPanel ? GridPanel.data() : static_cast<QWidget*>(Grid.data());
}

int32_t TEasyGrid::GridMinWidth() const {
    if (InPanel && !GridPanelsHidden) {
        return Clamp32(int64_t{GridPanels.ColumnWidth} + 2 * int64_t{GridMargin});
    }
    return MinGridWidth;
}

int32_t TEasyGrid::GridAreaMinWidth() const {
    const int64_t columns =
        PanelsHidden ? 0 : (int64_t{ColumnWidth} + Gap) * (int64_t{MinColumns} - 1) - Gap;
    return Clamp32(std::max<int64_t>(columns, GridMinWidth()));
}

int32_t TEasyGrid::GridMinHeight() {
    if (!InPanel) {
        return MinGridHeight;
    }
    const int64_t margins = int64_t{MinGridHeight} + 2 * int64_t{GridMargin};
    if (GridPanelsHidden) {
        return Clamp32(margins);
    }
    const std::string packed = GridPanels.ArrangeColumns(GridPanelOrder(), 0, GridAreaMinWidth());
    return Clamp32(GridPanels.TallestColumn(packed) + margins);
}

void TEasyGrid::Relayout() {
    SetMinimumSize();
    Arrange(Order);
}

void TEasyGrid::FormResize() {
    Arrange(Order);
}

void TEasyGrid::Arrange(const std::string& order) {
    QWidget* box = GridBox();
    if (!Form || box == nullptr) {
        return;
    }
    // Moving and sizing controls must not re-enter the arrangement through the window.
    const ResizeHandlerPause pause(*Form);
    const int32_t statusBar = StatusBarHeight(Form);
    int64_t x = LeftMargin;
    if (PanelsHidden) {
        x = box->x();
    } else if (!order.empty()) {
        x = int64_t{LeftMargin} + ColumnWidth + Gap;
    }
    const int32_t clientWidth = Form->width();
    box->setGeometry(Clamp32(x), box->y(), Clamp32(std::max<int64_t>(clientWidth - x - Gap, 0)),
                     box->height());
    const int32_t height =
        Layout(order, Clamp32(int64_t{Form->height()} - statusBar), clientWidth, box->y());
    // No room at all leaves the grid empty rather than giving it a negative height.
    box->resize(box->width(), std::max(height, 0));
    if (InPanel) {
        ArrangeInPanel();
    }
    Place(order);
    FitColumns();
    const std::function<void()> saved = SavedOnResize;
    if (saved) {
        saved();
    }
}

void TEasyGrid::SetMinimumSize() {
    QWidget* box = GridBox();
    if (!Form || box == nullptr) {
        return;
    }
    // Qt's size constraints leave the frame out, so the frame terms do too.
    const int32_t gridHeight = GridMinHeight();
    const int32_t statusBar = StatusBarHeight(Form);
    if (PanelsHidden) {
        Form->setMinimumSize(Clamp32(int64_t{GridMinWidth()} + 2 * int64_t{Gap}),
                             Clamp32(int64_t{box->y()} + gridHeight + Gap + statusBar));
        return;
    }
    const int64_t width =
        int64_t{LeftMargin} + ColumnWidth + Gap + int64_t{GridAreaMinWidth()} + Gap;
    const std::string key = Describe(Order, PanelsHidden) + "," + std::to_string(MinColumns) + "," +
                            std::to_string(gridHeight) + "," + std::to_string(statusBar) + ":";
    const auto cached =
        std::find_if(MinHeightCache.begin(), MinHeightCache.end(),
                     [&key](const std::string& entry) { return StartsWith(key, entry); });
    int32_t clientHeight = 0;
    if (cached != MinHeightCache.end()) {
        clientHeight = TextToInt(cached->substr(key.size(), CachedNumberLength));
    } else {
        clientHeight = SearchMinHeight(gridHeight, statusBar, box->y());
        if (MinHeightCache.size() >= MinHeightCacheLimit) {
            MinHeightCache.erase(MinHeightCache.begin());
        }
        MinHeightCache.push_back(key + std::to_string(clientHeight));
    }
    Form->setMinimumSize(Clamp32(width), clientHeight);
}

int32_t TEasyGrid::SearchMinHeight(int32_t gridHeight, int32_t statusBar, int32_t gridTop) {
    // Every panel in one column is always tall enough; shrink from there by the first
    // column's free height until the grid would get less than its minimum.
    int64_t result = int64_t{SumHeights(Order, false)} + TopMargin + statusBar;
    int64_t candidate = std::max<int64_t>(result, int64_t{gridTop} + gridHeight + Gap + statusBar);
    const int32_t width = Clamp32((int64_t{ColumnWidth} + Gap) * MinColumns + LeftMargin);
    while (candidate > 0) {
        const int32_t left = Layout(Order, Clamp32(candidate - statusBar), width, gridTop);
        if (left < gridHeight) {
            break;
        }
        const int64_t spare = int64_t{left} - gridHeight;
        if (spare <= FirstColumnSlack) {
            result = candidate - spare;
            break;
        }
        result = candidate;
        candidate -= std::max(FirstColumnSlack, 1);
    }
    return Clamp32(result);
}

std::string TEasyGrid::GridPanelOrder() {
    std::string order = GridPanelsHidden ? std::string() : GridPanels.Order;
    GridPanels.LeftMargin = GridMargin;
    GridPanels.TopMargin = GridMargin;
    GridPanels.Gap = Gap;
    GridPanels.RefreshMinHeights(order);
    GridPanels.ShowPanels(order, GridPanelsHidden);
    return order;
}

void TEasyGrid::ArrangeInPanel() {
    if (!GridPanel || !Grid) {
        return;
    }
    const std::string order = GridPanelOrder();
    const int32_t panelHeight = GridPanel->height();
    const int32_t panelWidth = GridPanel->width();
    GridPanels.ArrangeColumns(order, panelHeight, panelWidth);
    const int32_t gridHeight =
        Clamp32(std::max<int64_t>(int64_t{GridPanels.Slack} - 2 * int64_t{GridMargin}, 0));
    const int32_t gridTop = GridPanelsHidden ? GridMargin : panelHeight - gridHeight - GridMargin;
    Grid->setGeometry(GridMargin, gridTop,
                      Clamp32(std::max<int64_t>(int64_t{panelWidth} - 2 * int64_t{GridMargin}, 0)),
                      gridHeight);
    GridPanels.Place(order);
    // The grid panels change the window's minimum: one more pass, whose own call here
    // finds the toggle set and stops.
    if (RelayoutToggle) {
        RelayoutToggle = false;
        return;
    }
    const FlagScope scope(RelayoutToggle);
    Relayout();
}
