// The grid control: cells in grid rows, sizes, scrolling, selection, hints, colours and the
// events the grid controller reads. Changes of the columns as a whole: TGridControlColumns.cpp.
#include "gridctl/TGridControl.h"

#include "GPanel/ColourScheme.h"
#include "gridctl/TGridCellDelegate.h"
#include "gridctl/TGridHeader.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleOptionSlider>
#include <QToolTip>
#include <algorithm>
#include <utility>

namespace {

constexpr int DefaultColumnWidth = 64;
// Bounds that keep sizes far inside what the header's section sizes can hold.
constexpr int MaxLineWidth = 64;
constexpr int MaxRowHeight = 10000;
constexpr int MaxColumnWidth = 100000;

// A scroll bar that repaints for a new range only when it would look different. Every
// keystroke in the ranges changes the number of rows, and with thousands of rows the handle
// keeps its least length and its place; the style's fills of a tall bar, which the toolkit
// hands to helper threads, cost more than the cells.
class TGridScrollBar : public QScrollBar {
public:
    explicit TGridScrollBar(Qt::Orientation orientation) : QScrollBar(orientation) {}

protected:
    void sliderChange(SliderChange change) override {
        if (change != SliderRangeChange || CurrentLook() != Painted) {
            QScrollBar::sliderChange(change);
        }
    }
    void paintEvent(QPaintEvent* event) override {
        Painted = CurrentLook();
        // Under the pointer or while a button is held the bar shows a hovered or pressed part,
        // which only the toolkit's own paint knows; bands need whole device pixels.
        const qreal ratio = devicePixelRatioF();
        const int scale = static_cast<int>(ratio);
        if (underMouse() || QGuiApplication::mouseButtons() != Qt::NoButton || scale < 1 ||
            scale != ratio) {
            QScrollBar::paintEvent(event);
            return;
        }
        PaintInBands(event->rect(), scale);
    }

private:
    // The toolkit's paint of the bar in bands of at most 95 lines, each drawn apart, clipped to
    // itself, and put in place: the toolkit hands each fill of more lines to helper threads and
    // waits for them, and on a busy machine waking them costs far more than the fill (a bar
    // 800 pixels tall: 0.7-0.9 ms at once, 0.2 ms in bands).
    void PaintInBands(const QRect& area, int scale) {
        QStyleOptionSlider option;
        initStyleOption(&option);
        option.subControls = QStyle::SC_All;
        option.activeSubControls = QStyle::SC_None;
        const int bandHeight = std::max(BandLines / scale, 1);
        QPainter painter(this);
        for (int top = area.top(); top <= area.bottom(); top += bandHeight) {
            const QRect band(area.left(), top, area.width(),
                             std::min(bandHeight, area.bottom() - top + 1));
            QImage image(band.size() * scale, QImage::Format_ARGB32_Premultiplied);
            image.setDevicePixelRatio(scale);
            image.fill(Qt::transparent);
            QPainter bandPainter(&image);
            bandPainter.translate(-band.topLeft());
            bandPainter.setClipRect(band);
            style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &bandPainter, this);
            bandPainter.end();
            painter.drawImage(band.topLeft(), image);
        }
    }

    static constexpr int BandLines = 95;
    // What the style draws from the range: the handle, and the arrows that the ends disable.
    struct Look {
        QRect Handle;
        bool AtMinimum = false;
        bool AtMaximum = false;
        bool operator==(const Look&) const = default;
    };
    Look CurrentLook() const {
        QStyleOptionSlider option;
        initStyleOption(&option);
        return {style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider,
                                        this),
                value() == minimum(), value() == maximum()};
    }
    Look Painted{QRect(), true, true};
};

} // namespace

TGridControl::TGridControl(QWidget* parent) : QTableView(parent), Cells(new TGridCells(this)) {
    Cells->SetColumnCount(1);
    Cells->SetRowCount(1);
    setModel(Cells);
    Look.Options = goFixedVertLine | goFixedHorzLine | goRowSelect;
    setHorizontalHeader(
        new TGridHeader(this, Look, [this](int column) { return Cell(column, 0); }));
    setItemDelegate(new TGridCellDelegate(this, Look, Widths));
    // The paint covers every pixel of the viewport (paintEvent).
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setVerticalScrollBar(new TGridScrollBar(Qt::Vertical));
    setHorizontalScrollBar(new TGridScrollBar(Qt::Horizontal));
    verticalHeader()->hide();
    // The rows are as high as asked, however small the font.
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView* header = horizontalHeader();
    // Columns as narrow as asked, down to 0; Qt's default minimum would keep them visible.
    header->setMinimumSectionSize(0);
    header->setDefaultSectionSize(DefaultColumnWidth + Look.LineWidth);
    header->setHighlightSections(false);
    header->setSectionsClickable(true);
    header->viewport()->installEventFilter(this);
    setShowGrid(false);
    setWordWrap(false);
    setEditTriggers(NoEditTriggers);
    // Tab leaves the grid for the next control instead of walking its cells.
    setTabKeyNavigation(false);
    // Per-item scrolling makes the vertical scroll value the index of the top row.
    setVerticalScrollMode(ScrollPerItem);
    setHorizontalScrollMode(ScrollPerPixel);

    connect(this, &QAbstractItemView::clicked, this, &TGridControl::CellClicked);
    connect(this, &QAbstractItemView::doubleClicked, this, &TGridControl::CellDoubleClicked);
    connect(header, &QHeaderView::sectionClicked, this, &TGridControl::HeaderClicked);
    connect(header, &QHeaderView::sectionDoubleClicked, this, &TGridControl::HeaderDoubleClicked);
    connect(header, &QHeaderView::sectionMoved, this, &TGridControl::SectionMoved);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &TGridControl::ScrollChanged);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &TGridControl::ScrollChanged);

    SetOptions(Look.Options);
    ShowDesignedColours();
    SetScrollBars(ScrollStyle);
    ApplyRowHeight();
}

QString TGridControl::Cell(int column, int row) const {
    return row == 0 ? Cells->HeaderText(column) : Cells->Text(ItemRow(row), column);
}

void TGridControl::SetCell(int column, int row, const QString& text) {
    if (column < 0 || row < 0 || column > ColumnCount() || row > RowCount()) {
        return;
    }
    if (column == ColumnCount()) {
        SetColumnCount(column + 1);
    }
    if (row == RowCount()) {
        SetRowCount(row + 1);
    }
    if (row == 0) {
        Cells->SetHeaderText(column, text);
    } else {
        Cells->SetText(ItemRow(row), column, text);
    }
}

void TGridControl::SetRowCells(int row, std::span<const QString> texts) {
    Cells->SetRow(ItemRow(row), texts);
}

void TGridControl::SetRowCount(int count) {
    SetDataRowCount(count - HeaderRows);
}

void TGridControl::SetDataRowCount(int count) {
    Cells->SetRowCount(count);
}

std::vector<int> TGridControl::SelectedRows() const {
    // From the ranges: every cell's index would be tens of thousands of rows times the columns.
    std::vector<int> rows;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            rows.push_back(row + HeaderRows);
        }
    }
    std::ranges::sort(rows);
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void TGridControl::SetCurrentRow(int row) {
    setCurrentIndex(Cells->index(ItemRow(row), std::max(currentIndex().column(), 0)));
}

void TGridControl::SelectRows(const std::vector<int>& rows) {
    QItemSelection selection;
    const int lastColumn = ColumnCount() - 1;
    // Runs of neighbouring rows as one range each.
    for (std::size_t i = 0; i < rows.size();) {
        std::size_t end = i + 1;
        while (end < rows.size() && rows[end] == rows[end - 1] + 1) {
            ++end;
        }
        const int first = std::max(rows[i], HeaderRows);
        const int last = std::min(rows[end - 1], DataRowCount());
        if (first <= last) {
            selection.select(model()->index(ItemRow(first), 0),
                             model()->index(ItemRow(last), lastColumn));
        }
        i = end;
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void TGridControl::MoveCurrentRow(int row) {
    if (row >= HeaderRows && row <= DataRowCount()) {
        selectionModel()->setCurrentIndex(
            Cells->index(ItemRow(row), std::max(currentIndex().column(), 0)),
            QItemSelectionModel::NoUpdate);
    }
}

int TGridControl::TopRow() const {
    // Scrolled to its end, the view aligns the last row with the bottom edge, and the row
    // above the scroll value shows in part at the top: that row is the first in view.
    const int atTop = rowAt(0);
    // The scroll value can lag behind a shrunk row count until the next layout.
    const int first = (atTop >= 0 ? atTop : verticalScrollBar()->value()) + HeaderRows;
    return std::clamp(first, 1, std::max(DataRowCount(), 1));
}

void TGridControl::SetTopRow(int row) {
    // Inserted rows reach the scroll range only at the view's delayed layout.
    executeDelayedItemsLayout();
    // A row already at the top stays where it is, in part shown or not.
    if (std::max(row, 1) != TopRow()) {
        verticalScrollBar()->setValue(ItemRow(std::max(row, 1)));
    }
}

int TGridControl::VisibleRowCount() const {
    return viewport()->height() / (Look.RowHeight + Look.LineWidth);
}

int TGridControl::ColumnWidth(int column) const {
    if (column < 0 || column >= ColumnCount()) {
        return 0;
    }
    return std::max(horizontalHeader()->sectionSize(column) - Look.LineWidth, 0);
}

void TGridControl::SetColumnWidth(int column, int width) {
    if (column >= 0 && column < ColumnCount()) {
        horizontalHeader()->resizeSection(column,
                                          std::clamp(width, 0, MaxColumnWidth) + Look.LineWidth);
    }
}

void TGridControl::SetDefaultRowHeight(int height) {
    AskedRowHeight = std::clamp(height, 1, MaxRowHeight);
    ApplyRowHeight();
}

void TGridControl::ApplyRowHeight() {
    const int textHeight = fontMetrics().height() + 2;
    Look.RowHeight = std::clamp(std::max(AskedRowHeight, textHeight), 1, MaxRowHeight);
    ApplyRowPitch();
}

void TGridControl::SetGridLineWidth(int width) {
    width = std::clamp(width, 0, MaxLineWidth);
    QHeaderView* header = horizontalHeader();
    for (int column = 0; column < ColumnCount(); ++column) {
        header->resizeSection(column, ColumnWidth(column) + width);
    }
    header->setDefaultSectionSize(DefaultColumnWidth + width);
    Look.LineWidth = width;
    ApplyRowPitch();
}

void TGridControl::ApplyRowPitch() {
    verticalHeader()->setDefaultSectionSize(Look.RowHeight + Look.LineWidth);
    // The header's height comes from its size hint, which the view reads here.
    updateGeometries();
    viewport()->update();
    horizontalHeader()->viewport()->update();
}

int TGridControl::ClientWidth() const {
    // A grid resized while hidden gets its resize event only when shown, and its viewport
    // keeps the old width until then; so the width is worked out from the frame.
    if (isVisible() && !testAttribute(Qt::WA_PendingResizeEvent)) {
        return viewport()->width();
    }
    const int contentHeight = RowCount() * (Look.RowHeight + Look.LineWidth);
    const bool barShown = verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn ||
                          (verticalScrollBarPolicy() == Qt::ScrollBarAsNeeded &&
                           contentHeight > contentsRect().height());
    const int bar = barShown ? style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) : 0;
    return std::max(contentsRect().width() - bar, 0);
}

void TGridControl::SetScrollBars(TScrollStyle style) {
    ScrollStyle = style;
    const bool horizontal = style == ssHorizontal || style == ssBoth;
    const bool vertical = style == ssVertical || style == ssBoth;
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    updateGeometries();
}

void TGridControl::SetOptions(TGridOptions options) {
    Look.Options = options;
    setSelectionBehavior(options.testFlag(goRowSelect) ? QAbstractItemView::SelectRows
                                                       : QAbstractItemView::SelectItems);
    setSelectionMode(options.testFlag(goRangeSelect) ? ExtendedSelection : SingleSelection);
    QHeaderView* header = horizontalHeader();
    header->setSectionResizeMode(options.testFlag(goColSizing) ? QHeaderView::Interactive
                                                               : QHeaderView::Fixed);
    header->setSectionsMovable(options.testFlag(goColMoving));
    viewport()->update();
    header->viewport()->update();
}

void TGridControl::SetEnhRowColMove(bool enhanced) {
    EnhancedMove = enhanced;
    ClearDropTarget();
}

void TGridControl::SetBandsActive(bool active) {
    Look.Bands = active;
    viewport()->update();
}

void TGridControl::SetBandColor1(const QColor& color) {
    ShowBandColor(Designed.Band1, Look.Band1, color);
}

void TGridControl::SetBandColor2(const QColor& color) {
    ShowBandColor(Designed.Band2, Look.Band2, color);
}

void TGridControl::ShowBandColor(QColor& designed, QColor& shown, const QColor& color) {
    const QColor inScheme = SchemeBackground(color);
    if (designed == color && shown == inScheme) {
        return; // the window sets the bands again on every keystroke
    }
    designed = color;
    shown = inScheme;
    viewport()->update();
}

void TGridControl::SetBackgroundColor(const QColor& color) {
    Designed.Background = color;
    Look.Background = SchemeBackground(color);
    viewport()->update();
    horizontalHeader()->viewport()->update();
}

void TGridControl::SetFixedColor(const QColor& color) {
    Designed.HeaderColor = color;
    Look.HeaderColor = SchemeBackground(color);
    horizontalHeader()->viewport()->update();
}

void TGridControl::SetGridLineColor(const QColor& color) {
    Designed.LineColor = color;
    Look.LineColor = SchemeBackground(color);
    viewport()->update();
}

void TGridControl::SetSelectionColor(const QColor& color) {
    Designed.SelectedColor = color;
    Look.SelectedColor = SchemeBackground(color);
    viewport()->update();
}

void TGridControl::SetSelectionTextColor(const QColor& color) {
    Designed.SelectedTextColor = color;
    Look.SelectedTextColor = SchemeText(color);
    viewport()->update();
}

void TGridControl::ShowDesignedColours() {
    const TGridLook designed = Designed;
    SetBandColor1(designed.Band1);
    SetBandColor2(designed.Band2);
    SetBackgroundColor(designed.Background);
    SetFixedColor(designed.HeaderColor);
    SetGridLineColor(designed.LineColor);
    SetSelectionColor(designed.SelectedColor);
    SetSelectionTextColor(designed.SelectedTextColor);
    SetFontColor(designed.TextColor);
}

// A change of palette may switch between the light and the dark scheme.
void TGridControl::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange ||
        event->type() == QEvent::ApplicationPaletteChange) {
        ShowDesignedColours();
    }
}

void TGridControl::SetFlat(bool flat) {
    Look.Flat = flat;
    horizontalHeader()->viewport()->update();
}

void TGridControl::SetFont(const QFont& font) {
    setFont(font);
    ApplyRowHeight();
}

void TGridControl::SetFontName(const QString& name) {
    QFont named = font();
    named.setFamily(name);
    SetFont(named);
}

void TGridControl::SetFontColor(const QColor& color) {
    Designed.TextColor = color;
    Look.TextColor = SchemeText(color);
    viewport()->update();
    horizontalHeader()->viewport()->update();
}

QString TGridControl::HintText(int column, int row) const {
    if (!HintsShown || !HintCells) {
        return {};
    }
    const QString text = Cell(column, row);
    if (text.isEmpty() || !HintLargeText) {
        return text;
    }
    const int room = ColumnWidth(column) - TGridLook::TextMargin;
    return fontMetrics().horizontalAdvance(text) > room ? text : QString();
}

void TGridControl::ShowCellHint(const QHelpEvent* event, QWidget* over, int column, int row,
                                const QRect& cellRect) {
    const QString text = HintText(column, row);
    if (text.isEmpty()) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(event->globalPos(), text, over, cellRect);
    }
}

bool TGridControl::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        if (index.isValid()) {
            ShowCellHint(help, viewport(), index.column(), GridRow(index), visualRect(index));
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QTableView::viewportEvent(event);
}

bool TGridControl::eventFilter(QObject* watched, QEvent* event) {
    QHeaderView* header = horizontalHeader();
    if (watched != header->viewport()) {
        return QTableView::eventFilter(watched, event);
    }
    if (event->type() == QEvent::ContextMenu) {
        // The scroll area drops mouse context menus that reach it from a child, so the
        // header's right-clicks are taken here.
        contextMenuEvent(static_cast<QContextMenuEvent*>(event));
        return event->isAccepted();
    }
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int column = header->logicalIndexAt(help->pos());
        const QRect rect(header->sectionViewportPosition(column), 0, header->sectionSize(column),
                         header->height());
        ShowCellHint(help, header->viewport(), column, 0, rect);
        return true;
    }
    TrackHeaderDrag(event);
    return false;
}

void TGridControl::contextMenuEvent(QContextMenuEvent* event) {
    if (Menu == nullptr) {
        event->ignore();
        return;
    }
    Menu->popup(event->globalPos());
    event->accept();
}

void TGridControl::SetSortMarks(std::vector<TSortMark> marks) {
    const auto same = [](const TSortMark& a, const TSortMark& b) {
        return a.Rank == b.Rank && a.Descending == b.Descending;
    };
    if (std::ranges::equal(marks, Look.SortMarks, same)) {
        return;
    }
    Look.SortMarks = std::move(marks);
    // The first key also as the header's own indicator, which screen readers report.
    QHeaderView* header = horizontalHeader();
    const auto first = std::ranges::find(Look.SortMarks, 1, &TSortMark::Rank);
    const QSignalBlocker quiet(header);
    header->setSortIndicatorShown(first != Look.SortMarks.end());
    header->setSortIndicator(
        first != Look.SortMarks.end() ? static_cast<int>(first - Look.SortMarks.begin()) : -1,
        first != Look.SortMarks.end() && first->Descending ? Qt::DescendingOrder
                                                           : Qt::AscendingOrder);
    header->viewport()->update();
}

void TGridControl::SetEmptyText(const QString& text) {
    if (text != EmptyMessage) {
        EmptyMessage = text;
        setAccessibleDescription(text);
        viewport()->update();
    }
}

void TGridControl::paintEvent(QPaintEvent* event) {
    // The cells fill their own backgrounds; only the area beside and below them takes the
    // grid's, where the viewport would first have filled all of it.
    {
        const QHeaderView* columns = horizontalHeader();
        const QHeaderView* rows = verticalHeader();
        const QRegion outside = event->region() - QRect(-columns->offset(), -rows->offset(),
                                                        columns->length(), rows->length());
        if (!outside.isEmpty()) {
            QPainter painter(viewport());
            for (const QRect& rect : outside) {
                painter.fillRect(rect, Look.Background);
            }
        }
    }
    QTableView::paintEvent(event);
    if (DataRowCount() == 0 && !EmptyMessage.isEmpty()) {
        QPainter painter(viewport());
        painter.setPen(Look.TextColor);
        const int margin = Look.RowHeight / 2;
        painter.drawText(viewport()->rect().adjusted(margin, margin, -margin, -margin),
                         Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, EmptyMessage);
    }
    if (DropMarkerX >= 0) {
        QPainter painter(viewport());
        painter.fillRect(QRect(DropMarkerX - 1, 0, 2, viewport()->height()), Look.TextColor);
    }
}

void TGridControl::CellClicked(const QModelIndex& index) {
    if (OnClickCell) {
        OnClickCell(index.column(), GridRow(index));
    }
}

void TGridControl::CellDoubleClicked(const QModelIndex& index) {
    if (OnDblClickCell) {
        OnDblClickCell(index.column(), GridRow(index));
    }
}

void TGridControl::HeaderClicked(int column) {
    if (OnClickCell) {
        OnClickCell(column, 0);
    }
}

void TGridControl::HeaderDoubleClicked(int column) {
    if (OnDblClickCell) {
        OnDblClickCell(column, 0);
    }
}

void TGridControl::ScrollChanged() {
    if (RebuildingRows) {
        return; // the rows are on their way back
    }
    const int top = TopRow();
    const int left = columnAt(0);
    const int rows = VisibleRowCount();
    // The first size a grid gets is where its owner filled it, not a change.
    const bool rowsChanged = LastVisibleRows >= 0 && rows != LastVisibleRows;
    LastVisibleRows = rows;
    if (top == LastTopRow && left == LastLeftColumn && !rowsChanged) {
        return;
    }
    LastTopRow = top;
    LastLeftColumn = left;
    if (OnTopLeftChanged) {
        OnTopLeftChanged();
    }
}

void TGridControl::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    // A new height shows other rows without moving the scroll bar: scrolled to the end, the
    // row at the top changes; elsewhere more rows come into view at the bottom.
    ScrollChanged();
}

// The view repaints only the cells of the old and new current index; the frame spans rows.
void TGridControl::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    viewport()->update();
}

// The current row's frame is thicker while the grid has the focus.
void TGridControl::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    viewport()->update();
}

void TGridControl::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    viewport()->update();
}
