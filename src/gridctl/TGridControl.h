#pragma once

#include "files/TPrintSettings.h"
#include "gridctl/TGridCells.h"
#include "gridctl/TGridLook.h"
#include "gridctl/THtmlSettings.h"
#include "gridctl/TTextWidths.h"

#include <QColor>
#include <QFont>
#include <QMenu>
#include <QPointer>
#include <QString>
#include <QTableView>
#include <functional>
#include <span>
#include <vector>

class QHelpEvent;

// The string grid that both grids of the program are. Cells are addressed (column, row) in
// grid rows: row 0 is the one fixed row, the header, shown as the horizontal header; grid row
// r >= 1 is the row r - 1 of the view's model, which holds the texts (TGridCells). Counts are
// counted the same way, so RowCount() is one more than the model's. Callers use the methods
// below, not the view's own ones.
//
// Widths and heights exclude the grid line: a column of width w takes w + GridLineWidth()
// pixels, the line (when the options draw it) or the cell's background filling the extra ones.
// Data cells are owner-drawn: bands, selection colours and lines come from the settings here.
//
// Events are plain callbacks raised after the fact; rows and columns count from 0 with the
// header as row 0, columns are visible positions.
//
// Colours read back as set; under a dark palette they show darkened (backgrounds and lines)
// or lightened (texts).
//
// A new grid has one column of 64 pixels and one data row 21 high, a silver header with lines
// around its cells, no lines between data cells, whole-row selection and cell hints off.
class TGridControl : public QTableView {
    Q_OBJECT
    // Named properties so that code which sees only a QObject (the enabled-state colouring)
    // can switch the banding off by giving both bands one colour.
    Q_PROPERTY(QColor BandColor1 READ BandColor1 WRITE SetBandColor1)
    Q_PROPERTY(QColor BandColor2 READ BandColor2 WRITE SetBandColor2)

public:
    using TGridOption = TGridLook::TGridOption;
    using TGridOptions = TGridLook::TGridOptions;
    using enum TGridLook::TGridOption;
    using TSortMark = TGridLook::TSortMark;

    enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

    explicit TGridControl(QWidget* parent = nullptr);

    // Cell text; empty for cells outside the grid. Writing a row or column one past the
    // current count grows that count first; writes further out or at negative indexes are
    // ignored. A row emptied as a whole (SetRowCells, ClearCells) holds no memory.
    QString Cell(int column, int row) const;
    void SetCell(int column, int row, const QString& text);
    // Writes a data row's cells from the first column on and empties the rest of it; the view
    // repaints the row once, where single cells would each be repainted.
    void SetRowCells(int row, std::span<const QString> texts);

    // At least 1; new columns appear at the right with the default width.
    int ColumnCount() const { return Cells->columnCount(); }
    void SetColumnCount(int count);
    // Empties every data cell at once; the header, the selection, the current cell and the
    // scroll position stay.
    void ClearCells();
    // Grid rows, header included: at least 1 (the header alone).
    int RowCount() const { return Cells->rowCount() + HeaderRows; }
    void SetRowCount(int count);
    // Data rows are grid rows 1..DataRowCount(), the model's rows.
    int DataRowCount() const { return Cells->rowCount(); }
    void SetDataRowCount(int count);
    // The grid row of an index of the view's model.
    static int GridRow(const QModelIndex& index) { return index.row() + HeaderRows; }
    // Grid rows holding a selected cell, ascending, each once.
    std::vector<int> SelectedRows() const;
    // The current cell's grid row and column; 0 and -1 while no cell is current.
    int CurrentRow() const { return currentIndex().row() + HeaderRows; }
    int CurrentColumn() const { return currentIndex().column(); }
    // Makes a data row current, in the current column (the first while there is none).
    void SetCurrentRow(int row);
    // Selects exactly these grid rows, each whole; rows outside the data rows are left out.
    void SelectRows(const std::vector<int>& rows);
    // Makes a data row current and leaves the selection as it is.
    void MoveCurrentRow(int row);

    // The first data row in view, whole or in part, in grid rows (1 is the first data row).
    // Setting it scrolls as far as the grid can towards that row, unless it is already first.
    int TopRow() const;
    void SetTopRow(int row);
    // How many whole data rows fit into the area below the header.
    int VisibleRowCount() const;

    // Widths of columns outside the grid read 0 and are not set.
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int width);
    int DefaultRowHeight() const { return Look.RowHeight; }
    // At least 1, and at least the height of a line of the font (the rows grow with a larger
    // font and return to this height with a smaller one); applies to the header and every
    // data row.
    void SetDefaultRowHeight(int height);
    int GridLineWidth() const { return Look.LineWidth; }
    // At least 0; column widths and the row height keep their values.
    void SetGridLineWidth(int width);
    // Width of the cell area: without the border and the vertical scroll bar.
    int ClientWidth() const;

    TScrollStyle ScrollBars() const { return ScrollStyle; }
    // Scroll bars show when needed in the directions named; assigning re-evaluates them.
    void SetScrollBars(TScrollStyle style);

    TGridOptions Options() const { return Look.Options; }
    void SetOptions(TGridOptions options);
    // While a column is dragged by its header, a marker across the cells shows where it
    // will land.
    bool EnhRowColMove() const { return EnhancedMove; }
    void SetEnhRowColMove(bool enhanced);
    // The visible position the dragged column would land on, -1 while no drag shows a marker.
    int DropTarget() const { return DropPosition; }

    // Alternating row colours: data row 1 takes the first colour, row 2 the second...
    bool BandsActive() const { return Look.Bands; }
    void SetBandsActive(bool active);
    QColor BandColor1() const { return Designed.Band1; }
    void SetBandColor1(const QColor& color);
    QColor BandColor2() const { return Designed.Band2; }
    void SetBandColor2(const QColor& color);

    // Data cells without bands and the area below the last row.
    QColor BackgroundColor() const { return Designed.Background; }
    void SetBackgroundColor(const QColor& color);
    QColor FixedColor() const { return Designed.HeaderColor; }
    void SetFixedColor(const QColor& color);
    QColor GridLineColor() const { return Designed.LineColor; }
    void SetGridLineColor(const QColor& color);
    QColor SelectionColor() const { return Designed.SelectedColor; }
    void SetSelectionColor(const QColor& color);
    QColor SelectionTextColor() const { return Designed.SelectedTextColor; }
    void SetSelectionTextColor(const QColor& color);
    // Flat header cells have no raised edge.
    bool Flat() const { return Look.Flat; }
    void SetFlat(bool flat);

    // The font of header and cells; SetFont copies the whole font, the rows grow to fit it.
    QFont Font() const { return font(); }
    // What measures the cells' texts for the painter, and remembers them for the next paint.
    TTextWidths& TextWidths() { return Widths; }
    void SetFont(const QFont& font);
    QString FontName() const { return font().family(); }
    void SetFontName(const QString& name);
    QColor FontColor() const { return Designed.TextColor; }
    void SetFontColor(const QColor& color);

    // Hints: with ShowHint and HintShowCells a cell's text shows as its hint; with
    // HintShowLargeText as well, only when the cell cuts the text off.
    bool ShowHint() const { return HintsShown; }
    void SetShowHint(bool show) { HintsShown = show; }
    bool HintShowCells() const { return HintCells; }
    void SetHintShowCells(bool show) { HintCells = show; }
    bool HintShowLargeText() const { return HintLargeText; }
    void SetHintShowLargeText(bool show) { HintLargeText = show; }
    // The hint a cell would show now; empty for none.
    QString HintText(int column, int row) const;

    // How the columns take part in the order of the rows (TGridLook::TSortMark), one mark per
    // column; missing ones are none.
    void SetSortMarks(std::vector<TSortMark> marks);
    TSortMark SortMarkOf(int column) const { return Look.SortMarkOf(column); }

    // Shown over the cell area while the grid has no data row, to say why it is empty; also
    // the grid's description for a screen reader.
    QString EmptyText() const { return EmptyMessage; }
    void SetEmptyText(const QString& text);

    // Shown on right-click; not owned, and forgotten when deleted elsewhere.
    QMenu* PopupMenu() const { return Menu; }
    void SetPopupMenu(QMenu* menu) { Menu = menu; }

    // The grid scrolled: its top row or its first column in view changed, or a resize changed
    // how many rows are in view.
    std::function<void()> OnTopLeftChanged;
    // A cell or a header cell (row 0) was clicked with the left button.
    std::function<void(int column, int row)> OnClickCell;
    std::function<void(int column, int row)> OnDblClickCell;
    // The user dragged a column from one visible position to another; cells, header text and
    // width have moved with it.
    std::function<void(int from, int to)> OnColumnMoved;

    // What the grid's HTML-export and print-settings dialogs edit.
    THtmlSettings HtmlSettings;
    TPrintSettings PrintSettings;

protected:
    bool viewportEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    static constexpr int HeaderRows = 1;
    // The model's row of a data row.
    static int ItemRow(int row) { return row - HeaderRows; }

    void ApplyRowHeight();
    // Sets a band's designed colour and the colour it shows in; repaints only on a change.
    void ShowBandColor(QColor& designed, QColor& shown, const QColor& color);
    // Look's colours from the designed ones, for the palette now.
    void ShowDesignedColours();
    void ApplyRowPitch();
    void CellClicked(const QModelIndex& index);
    void CellDoubleClicked(const QModelIndex& index);
    void HeaderClicked(int column);
    void HeaderDoubleClicked(int column);
    void SectionMoved(int logical, int from, int to);
    void MoveColumnData(int from, int to);
    // Runs `change` on the columns with the rows taken out, then puts the rows back with their
    // cells, selection, current cell and scroll position; `moved` says where the cells of a
    // column go (-1: away).
    void ChangeColumns(const std::function<void()>& change, const std::function<int(int)>& moved);
    void ScrollChanged();
    void TrackHeaderDrag(QEvent* event);
    bool OnSectionHandle(int x) const;
    void UpdateDropTarget(int x);
    void ClearDropTarget();
    void ShowCellHint(const QHelpEvent* event, QWidget* over, int column, int row,
                      const QRect& cellRect);

    int AskedRowHeight = 21;
    TScrollStyle ScrollStyle = ssBoth;
    bool EnhancedMove = false;
    TGridLook Look;     // what the cell painter and the header read: the colours as shown
    TGridLook Designed; // only its colours: as set, before a dark palette darkens them
    TTextWidths Widths;
    TGridCells* Cells; // the view's model, owned by the grid
    bool HintsShown = true;
    bool HintCells = false;
    bool HintLargeText = false;
    QPointer<QMenu> Menu;
    QString EmptyMessage;

    bool RestoringOrder = false;
    bool RebuildingRows = false; // ChangeColumns has taken the rows out
    int LastTopRow = 1;
    int LastLeftColumn = 0;
    int LastVisibleRows = -1;
    int DragSection = -1; // section pressed for a possible move, -1 for none
    int DragStartX = 0;
    bool Dragging = false; // the press has moved far enough to count as a drag
    int DropPosition = -1;
    int DropMarkerX = -1;
};
