#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// The geometry half of the panel manager, free of widgets: it stacks panels into columns
// from their minimum heights and size specifications. Panels are named by one-character
// codes, '0' + slot index ('0'..'D' for slots 0..20); a column string holds codes with '.'
// after each column ("31.02.5."; a last '.' may be left out), and empty columns may occur.
// Characters that name no slot are ignored wherever codes are read.
inline constexpr int32_t PanelSlots = 21;
inline constexpr char FirstPanelCode = '0';
inline constexpr char ColumnSeparator = '.';

// The codes of the panels a comma list of names chooses, in its order: names match in any
// letter case, "Prefix*" stands for every panel whose name starts so (in slot order), and a
// panel named twice keeps its first place. `names[slot]` is the name of the panel in that
// slot, empty for a free one.
std::string OrderCodes(const std::string& list, const std::array<std::string, PanelSlots>& names);

// What the layout knows of one slot: its inputs (refreshed by the panel manager before each
// layout) and its results.
struct PanelGeometry {
    int32_t MinHeight = 0; // minimum height in the current state, title bar included
    std::string StateSpec; // size specification in the current state, e.g. "85|245"
    int32_t Top = 0;       // results of the last layout
    int32_t Left = 0;
    int32_t Height = 0;
};

class PanelStack {
public:
    int32_t LeftMargin = 8;
    int32_t TopMargin = 8;
    int32_t Gap = 8;
    int32_t ColumnWidth = 0;      // every panel is laid out this wide
    int32_t Slack = 0;            // height left over by the last distribution
    int32_t AvailableHeight = 0;  // height given to the last distribution
    int32_t FirstColumnSlack = 0; // height left free in the first column
    std::array<PanelGeometry, PanelSlots> Geometry;

    // Sum of MinHeight + Gap over the codes before the first '.'.
    int32_t FirstColumnHeight(const std::string& columns) const;
    // The largest column sum of MinHeight + Gap; 0 for an empty string.
    int32_t TallestColumn(const std::string& columns) const;
    // The code with the largest MinHeight, the first among equals; 0 for an empty string.
    char TallestPanel(const std::string& codes) const;

    // Longest-first greedy packing into as many columns of ColumnWidth as `width` holds,
    // each column followed by '.'. Never more columns than codes: further ones could only
    // stay empty. Sets AvailableHeight and Slack (AvailableHeight - TallestColumn).
    std::string PackColumns(std::string codes, int32_t height, int32_t width);
    // Codes within each column by their rank in `order`, then the columns by the ranks of
    // their codes, an empty column first; the KeepFirst form leaves the first column in front
    // and collapses empty columns.
    static std::string SortColumns(const std::string& columns, const std::string& order);
    static std::string SortColumnsKeepFirst(const std::string& columns, const std::string& order);
    // Chooses the panels of the full-height first column so the rest, packed under the area
    // to its right, leaves the largest slack; positions every panel. The whole order when it
    // fits (Slack stays `height`). Otherwise the choice varies the last 16 codes (earlier ones
    // always overflow) and the larger mask wins a tie. Empty result (nothing positioned,
    // Slack 0) when no choice leaves a positive slack. Sets FirstColumnSlack.
    std::string FitFirstColumn(const std::string& codes, int32_t height, int32_t width);
    // The choice of FitFirstColumn, with Slack, AvailableHeight and FirstColumnSlack, without
    // positioning the panels.
    std::string ChooseFirstColumn(const std::string& codes, int32_t height, int32_t width);
    // Distributes each column's height among its panels and positions them from x: mode 1
    // fills AvailableHeight - TopMargin from the top, mode 2 (and any other) the tallest
    // column's height from the top, mode 3 the same aligned to the bottom. Throws what
    // Distribute throws for a StateSpec it cannot read.
    void PlaceColumns(const std::string& columns, int mode, int32_t x);
    // Packs, sorts by `order` and places (mode 2) the panels in a box whose columns all start
    // at the top; returns the packed, unsorted column string.
    std::string ArrangeColumns(const std::string& order, int32_t height, int32_t width);

private:
    PanelGeometry& At(char code);
    // Sums and counts in 64 bits, so no MinHeight, Gap or margin can overflow them.
    int64_t ColumnSum(const std::string& codes) const;
    int64_t ColumnCount(int32_t width, std::size_t codeCount) const;
    std::string SearchFirstColumn(const std::string& codes, int64_t columnRoom, int32_t width);
};
