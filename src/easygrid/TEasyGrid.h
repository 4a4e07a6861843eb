#pragma once

#include "easygrid/ColumnModel.h"
#include "easypanel/TeasyPanel.h"

#include <QFont>
#include <QFontDialog>
#include <QPointer>
#include <QSize>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

class QAction;
class QDialog;
class QKeyEvent;
class QMenu;
class TForm;
class TGridControl;
class TTextWidths;
class superarray;

// Binds a grid control to a string table: which table columns the grid shows, in which
// order, how wide, under which header and sort name; fills only the rows near the view; and
// handles the clicks on the grid. It begins with the panel manager of the grid's window and
// holds a second one for the panels that share the grid's own panel. The column records live
// in Columns; the column methods here apply a change to the grid and its menu as well. Ids are
// table column numbers, positions are visible grid columns.
class TEasyGrid : public TeasyPanel {
public:
    TEasyGrid() = default;
    ~TEasyGrid();

    QPointer<QFontDialog> FontDialog;
    // Positions of the fixed context-menu items; -1 while the item is absent.
    int32_t HtmlItem = -1;
    int32_t PrintItem = -1;
    int32_t BandsItem = -1;
    int32_t VLinesItem = -1;
    int32_t HLinesItem = -1;
    int32_t ResetFontItem = -1;
    int32_t PropFontItem = -1;
    int32_t MaximizeItem = -1;
    int32_t PanelsItem = -1;
    int32_t LayoutsItem = -1;
    int32_t FontItem = -1;
    int32_t SortItem = -1;
    int32_t UnsortItem = -1;
    int32_t FirstShownRow = 1; // the table rows written by the last fill
    int32_t LastShownRow = 0;
    int32_t ExtraRows = 50; // rows filled below the visible ones
    // Texts in view up to this many characters are never cut: their columns widen, beyond the
    // grid if need be (it then scrolls sideways). Longer texts may end in an ellipsis; 0 keeps
    // only the headers whole.
    int32_t WholeTextChars = 0;
    // The table columns that tell rows apart, so that the selection and the current row
    // follow their rows through a new order or a new list; empty: they keep grid positions.
    std::vector<int32_t> IdentityColumns;
    // Why an empty table is empty: while it is set, an empty table shows this text instead of
    // an empty row.
    std::string EmptyText;
    bool InPanel = false;
    QPointer<TForm> Form;
    QPointer<QWidget> GridPanel;
    QFont DefaultFont;
    QPointer<TGridControl> Grid;
    ColumnModel Columns;
    std::function<void()> SavedOnResize;
    std::function<void(QKeyEvent*)> SavedOnKeyDown;
    TeasyPanel GridPanels;
    bool GridPanelsHidden = false;
    bool HiddenBeforeMaximize = false;
    bool MaximizeAllowed = true;
    int32_t GridMargin = 0;
    int32_t MinGridWidth = 10;
    int32_t MinGridHeight = 10;
    int32_t MinColumns = 2;
    // Entries "key" + client height, one per panel state; the oldest goes beyond the limit.
    std::vector<std::string> MinHeightCache;
    static constexpr std::size_t MinHeightCacheLimit = 64;
    bool RelayoutToggle = false;
    // While set, the window's minimum size is not searched: a window being built, which nobody
    // sees yet, is given it once at the end. Attach leaves it as it is.
    bool MinimumSizeHeld = false;
    // The window's size at the last arrangement.
    QSize ArrangedSize;
    // Runs the font, HTML-export and print-settings dialogs and returns the result; empty
    // runs them modally. Replaceable where no user can answer.
    std::function<int(QDialog&)> RunDialog;

    void Attach(TGridControl* grid, superarray* table, bool installDefaults, bool registerPanels);
    void ResetState();
    void SetDefaults();
    void SetGridLook();

    void DeclareColumn(const std::string& name, int32_t id);
    void AddColumn(const std::string& name, int32_t id, const std::string& caption,
                   const std::string& sizeSpec);
    void AddKeyedColumn(const std::string& name, int32_t id, const std::string& caption,
                        const std::string& key, const std::string& sizeSpec);
    void AddPlainColumn(const std::string& name, int32_t id, const std::string& sizeSpec);
    void SetSizeSpec(int32_t id, const std::string& sizeSpec);
    void SetHeader(int32_t id, const std::string& text);
    bool SetInMenu(int32_t id, bool inMenu, bool rebuildMenu);
    void RemoveFromMenu(int32_t id);
    bool SetColumnVisible(int32_t id, bool visible, bool redisplay);
    bool HideColumn(int32_t id, bool redisplay);
    bool ShowColumn(int32_t id, bool redisplay);
    bool ToggleColumn(int32_t id, bool redisplay);

    void ApplyLayout(const std::string& layouts);
    void NextLayout();
    void FitColumns();

    void ShowTable(const superarray& table);
    void ShowWholeTable(const superarray& table);
    void Refresh();
    void FillRows(const superarray& table, int32_t first, int32_t last);
    void WriteRow(const superarray& table, int32_t row);
    void ClearRow(int32_t row);
    bool RowInRange(int32_t row) const;
    int32_t ApplyColumnCount();

    // The selected and the current rows by identity, taken before the table changes and
    // given back to the rows that hold them when the changed table is shown (RestoreRows
    // shows it); rows no longer listed drop out.
    struct TRowsKept {
        std::unordered_set<std::string> Selected;
        std::string Current;
        bool HasCurrent = false;
    };
    TRowsKept KeepRows() const;
    void RestoreRows(const TRowsKept& kept);
    // Sorts the table by its specification (an empty one restores the order the rows were
    // added in) and shows it, the selection following the rows.
    void SortTable();
    // Drops the sort: the rows return to the order they were added in.
    void Unsort();

    // Sorts by the column at a visible position, replacing the sort or adding the column to
    // it (a second time the column turns round); false when that column has no sort key.
    bool SortByColumn(int32_t column, bool adding);

    // True when the click sorted the table.
    bool GridClickCell(int32_t column, int32_t row);
    void GridColumnMoved(int32_t from, int32_t to);
    void MoveColumn(int32_t from, int32_t to);
    // The table's sort specification with `key` made the only key (replacing) or added.
    void ChangeSort(const std::string& key, bool adding);

    void BuildMenu();
    void MenuClick(QAction* item);
    void GridKeyDown(QKeyEvent* event);

    void ChooseFont();
    void SetFont(const QFont& font);
    void SetFontName(const std::string& name);
    void ResetFont();
    void ToggleProportionalFont();
    void ToggleBands();
    void SaveAsHtml();
    void PrintGrid();
    void ToggleMaximize();
    void MaximizeOn(bool relayout);
    void MaximizeOff(bool relayout);
    void HideGridPanels(bool relayout);
    void ShowGridPanels(bool relayout);
    void ToggleGridPanels(bool relayout);

    void Relayout();
    void FormResize();
    void Arrange(const std::string& order);
    void SetMinimumSize();
    std::string GridPanelOrder();
    void ArrangeInPanel();
    // The control that stands beside the panels: the grid's own panel, or the grid.
    QWidget* GridBox() const;
    int32_t GridMinWidth() const;
    int32_t GridAreaMinWidth() const;
    int32_t GridMinHeight();

private:
    // The check marks of the columns' menu items follow their visibility.
    void CheckColumnItems();
    // Writes a header into the header row unless it is there already.
    void WriteHeader(int32_t position, const std::string& text);
    void DropMenu();
    int32_t SearchMinHeight(int32_t gridHeight, int32_t statusBar, int32_t gridTop);
    // Runs a modal dialog through RunDialog, or exec() when none is set.
    int RunModal(QDialog& dialog) const;
    // Widens the columns whose header or texts in view the widths would cut.
    void KeepTextsWhole(std::vector<int32_t>& widths) const;
    // The width that shows a column's header with its sort mark and its texts in view whole,
    // texts beyond WholeTextChars characters excepted: those take `longest`, the width of as
    // many digits.
    int64_t TextWidthNeeded(int32_t column, TTextWidths& widths, int64_t longest) const;
    // Writes every table row into the grid; false when there is no grid.
    bool FillWholeGrid();
    // Appends an item to Menu and stores its position; a null caption adds a separator.
    QAction* AddMenuItem(const QString& caption, const char* name, int32_t* position);
    void MatchRowCount(const superarray& table);
    void ReleaseForm();
    void WaitForMouseRelease() const;

    QPointer<QMenu> Menu;       // the context menu built last
    QPointer<TForm> HookedForm; // the window whose handlers are ours until released
    bool Filling = false;
    bool HorizontalBarAdded = false; // by texts too wide for the grid, not by ScrollBars
};
