// The grid controller's binding of a grid to a string table: defaults and look, the column
// facade that keeps records, grid and menu in step, the column widths, and filling the rows
// in view.
#include "easygrid/TEasyGrid.h"

#include "GPanel/TBevelPanel.h"
#include "easypanel/TForm.h"
#include "gridctl/Conversions.h"
#include "gridctl/TGridCellDelegate.h"
#include "gridctl/TGridControl.h"
#include "gridctl/TGridHeader.h"
#include "superarray/superarray.h"
#include "util/Clamp32.h"
#include "util/ScopedValue.h"

#include <QAction>
#include <QCoreApplication>
#include <algorithm>
#include <exception>
#include <numeric>

namespace {

// A fill empties the rows that left the view one by one; from this many rows on, emptying the
// whole grid at once and writing the view anew is faster.
constexpr int64_t ClearAllFrom = 1024;

} // namespace

TEasyGrid::~TEasyGrid() {
    ReleaseForm();
    // The grid may outlive this object; its callbacks must not call into it then.
    if (Grid) {
        Grid->OnTopLeftChanged = nullptr;
        Grid->OnClickCell = nullptr;
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
    ArrangedSize = QSize();
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
        // Each registration would lay the window out again; setting the order does, once.
        std::string codes;
        {
            const ScopedValue quiet(OnChange, nullptr);
            codes = AddAllPanels(Form);
        }
        SetOrder("ord:" + codes);
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
    Columns.AddKeyedColumn(
        "#orig", superarray::InsertionColumn,
        QCoreApplication::translate("TEasyGrid", "Original number").toStdString(),
        "original number", "10|20|50");
    Columns.AddKeyedColumn("#", superarray::RowNumberColumn,
                           QCoreApplication::translate("TEasyGrid", "Number").toStdString(), "",
                           "10|20|50");
    Columns.AddPlainColumn("Data", 0, "80");
    Columns.PlaceholderPresent = true;
    // Once for the three columns, not once for each.
    BuildMenu();
    if (Columns.Table != nullptr) {
        Columns.Table->Columns[superarray::RowNumberColumn].GroupDigits = true;
        Columns.Table->Columns[superarray::InsertionColumn].GroupDigits = true;
    }
    // One refresh shows both hidden.
    HideColumn(superarray::InsertionColumn, false);
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

int64_t TEasyGrid::TextWidthNeeded(int32_t column, TTextWidths& widths, int64_t longest) const {
    const int margins = 2 * TGridLook::TextMargin;
    int64_t need = widths.Advance(Grid->Cell(column, 0)) + margins +
                   TGridHeader::SortMarkRoom(widths.Metrics(), Grid->SortMarkOf(column).Rank);
    const int last = WholeTextChars > 0
                         ? std::min(Grid->TopRow() + Grid->VisibleRowCount(), Grid->DataRowCount())
                         : 0;
    for (int row = Grid->TopRow(); row <= last; ++row) {
        // A divisor list of a tall side runs to thousands of characters, and every keystroke
        // measures the rows in view: where its start alone is as wide as the longest, the rest
        // need not be laid out.
        const QString text = Grid->Cell(column, row);
        const QString start = text.left(2 * static_cast<qsizetype>(WholeTextChars));
        int64_t width = widths.Advance(start) + margins;
        if (width < longest && start.size() < text.size()) {
            width = widths.Advance(text) + margins;
        }
        need = std::max(need, std::min(width, longest));
    }
    return need;
}

void TEasyGrid::KeepTextsWhole(std::vector<int32_t>& widths) const {
    // A larger font must not cut a header ("Heigh") or a number ("144 / 10" for 144 / 108).
    // The texts are measured as the grid's painter measures them, which remembers them.
    TTextWidths& texts = Grid->TextWidths();
    texts.Use(Grid->Font(), Grid->viewport());
    // Numbers and pairs are short; longer texts such as divisor lists may end in an ellipsis.
    // Counted in digits, the widest characters of a number.
    const int64_t longest = texts.Advance(QString(std::max(WholeTextChars, 0), QLatin1Char('0'))) +
                            2 * TGridLook::TextMargin;
    std::vector<int64_t> need(widths.size());
    for (std::size_t column = 0; column < widths.size(); ++column) {
        need[column] = TextWidthNeeded(static_cast<int32_t>(column), texts, longest);
    }
    ColumnModel::WidenToNeeds(widths, need);
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
        const ScopedValue filling(Filling, true);
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
    const ScopedValue filling(Filling, true);
    if (Columns.VisibleColumnCount() == 0) {
        Grid->SetColumnCount(1);
        Grid->SetDataRowCount(1);
        for (int row = 0; row < Grid->RowCount(); ++row) {
            Grid->SetCell(0, row, QString());
        }
        Grid->SetCell(0, 0, QCoreApplication::translate("TEasyGrid", "No Data"));
        return;
    }
    MatchRowCount(table);
    if (table.Length() == 0) {
        ClearRow(1);
    }
    first = std::max(first, 1);
    last = std::min(last, table.Count());
    // Only the rows of the last fill can hold text: empty those that left the view. After a
    // fill of the whole table (printing, export) those are tens of thousands, emptied at once.
    if (int64_t{LastShownRow} - FirstShownRow >= ClearAllFrom) {
        Grid->ClearCells();
    } else {
        for (int32_t row = FirstShownRow; row <= LastShownRow; ++row) {
            if (row < first || row > last) {
                ClearRow(row);
            }
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
    std::vector<QString> texts;
    texts.reserve(Columns.Records().size());
    for (const ColDataT& col : Columns.Records()) {
        if (col.Visible) {
            texts.push_back(ToQt(table.GetCellShown(row, col.Id)));
        }
    }
    Grid->SetRowCells(row, texts);
}

void TEasyGrid::ClearRow(int32_t row) {
    if (RowInRange(row)) {
        Grid->SetRowCells(row, {});
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
