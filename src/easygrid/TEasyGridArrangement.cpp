// The window around the grid: the grid beside the stacked panels, maximized, or with the
// panels of its own box hidden; and the window's minimum size, searched once per panel state.
#include "easygrid/TEasyGrid.h"

#include "easypanel/TForm.h"
#include "easypanel/WindowHelpers.h"
#include "gridctl/TGridControl.h"
#include "util/Clamp32.h"
#include "util/ScopedValue.h"
#include "util/TextParse.h"

#include <algorithm>
#include <string>

namespace {

// A cached height is read from at most this many characters after its key.
constexpr std::size_t CachedNumberLength = 123;

} // namespace

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
    // The first show delivers the size the window was arranged for while it was hidden.
    if (Form && Form->size() != ArrangedSize) {
        Arrange(Order);
    }
}

void TEasyGrid::Arrange(const std::string& order) {
    QWidget* box = GridBox();
    if (!Form || box == nullptr) {
        return;
    }
    // Moving and sizing controls must not re-enter the arrangement through the window.
    const ScopedValue pause(Form->OnResize, nullptr);
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
    ArrangedSize = Form->size();
    const std::function<void()> saved = SavedOnResize;
    if (saved) {
        saved();
    }
}

void TEasyGrid::SetMinimumSize() {
    QWidget* box = GridBox();
    if (!Form || box == nullptr || MinimumSizeHeld) {
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
    // The panels' minimum heights do not change during the search: read once.
    std::string codes = Order;
    RefreshMinHeights(codes);
    while (candidate > 0) {
        const int32_t left = HeightLeft(codes, Clamp32(candidate - statusBar), width, gridTop);
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
    const ScopedValue toggling(RelayoutToggle, true);
    Relayout();
}
