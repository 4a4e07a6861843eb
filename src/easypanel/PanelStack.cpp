// Stacking panels into columns from their minimum heights and size specifications.
#include "easypanel/PanelStack.h"

#include "easypanel/SizeSpec.h"
#include "util/Clamp32.h"
#include "util/TextParse.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace {

// The first-column search varies the last 16 codes of the order; earlier ones always
// overflow.
constexpr std::size_t SearchBits = 16;

// The slot a code names, -1 for any other character.
int SlotOf(char code) {
    const int slot = code - FirstPanelCode;
    return slot >= 0 && slot < PanelSlots ? slot : -1;
}

std::string CodesOnly(const std::string& text) {
    std::string codes;
    std::copy_if(text.begin(), text.end(), std::back_inserter(codes),
                 [](char c) { return SlotOf(c) >= 0; });
    return codes;
}

// The columns of a column string; a '.' at the very end closes the last column rather than
// opening an empty one.
std::vector<std::string> SplitColumns(const std::string& columns) {
    std::vector<std::string> result;
    std::size_t from = 0;
    while (from < columns.size()) {
        const std::size_t dot = std::min(columns.find(ColumnSeparator, from), columns.size());
        result.push_back(columns.substr(from, dot - from));
        from = dot + 1;
    }
    return result;
}

std::string JoinColumns(const std::vector<std::string>& columns) {
    std::string result;
    for (const std::string& column : columns) {
        result += column;
        result += ColumnSeparator;
    }
    return result;
}

// Codes missing from the order rank after all that occur in it.
std::size_t Rank(char code, const std::string& order) {
    return std::min(order.find(code), order.size());
}

void SortByRank(std::string& column, const std::string& order) {
    std::stable_sort(column.begin(), column.end(),
                     [&order](char a, char b) { return Rank(a, order) < Rank(b, order); });
}

// Columns compare as texts of ranks, so an empty column comes first.
void SortColumnList(std::vector<std::string>::iterator first,
                    std::vector<std::string>::iterator last, const std::string& order) {
    std::stable_sort(first, last, [&order](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(
            a.begin(), a.end(), b.begin(), b.end(),
            [&order](char x, char y) { return Rank(x, order) < Rank(y, order); });
    });
}

} // namespace

PanelGeometry& PanelStack::At(char code) {
    return Geometry[static_cast<std::size_t>(SlotOf(code))];
}

int64_t PanelStack::ColumnSum(const std::string& codes) const {
    int64_t sum = 0;
    for (const char code : codes) {
        const int slot = SlotOf(code);
        if (slot >= 0) {
            sum += static_cast<int64_t>(Geometry[static_cast<std::size_t>(slot)].MinHeight) + Gap;
        }
    }
    return sum;
}

int64_t PanelStack::ColumnCount(int32_t width, std::size_t codeCount) const {
    const int64_t most = std::max<int64_t>(static_cast<int64_t>(codeCount), 1);
    const int64_t pitch = static_cast<int64_t>(ColumnWidth) + Gap;
    if (pitch <= 0) {
        return most;
    }
    const int64_t fitting =
        (static_cast<int64_t>(width) - 2 * static_cast<int64_t>(LeftMargin) + Gap) / pitch;
    return std::clamp<int64_t>(fitting, 1, most);
}

int32_t PanelStack::FirstColumnHeight(const std::string& columns) const {
    return Clamp32(ColumnSum(TokenBefore(columns, ColumnSeparator)));
}

int32_t PanelStack::TallestColumn(const std::string& columns) const {
    int64_t tallest = 0;
    for (const std::string& column : SplitColumns(columns)) {
        tallest = std::max(tallest, ColumnSum(column));
    }
    return Clamp32(tallest);
}

char PanelStack::TallestPanel(const std::string& codes) const {
    char tallest = 0;
    int32_t tallestHeight = 0;
    for (const char code : codes) {
        const int slot = SlotOf(code);
        if (slot < 0) {
            continue;
        }
        const int32_t height = Geometry[static_cast<std::size_t>(slot)].MinHeight;
        if (tallest == 0 || height > tallestHeight) {
            tallest = code;
            tallestHeight = height;
        }
    }
    return tallest;
}

std::string PanelStack::PackColumns(std::string codes, int32_t height, int32_t width) {
    AvailableHeight = height;
    codes = CodesOnly(codes);
    // Taking the tallest remaining code, the first among equals, again and again is a stable
    // sort by descending height.
    std::stable_sort(codes.begin(), codes.end(),
                     [this](char a, char b) { return At(a).MinHeight > At(b).MinHeight; });
    const auto count = static_cast<std::size_t>(ColumnCount(width, codes.size()));
    std::vector<std::string> columns(count);
    std::vector<int64_t> heights(count);
    for (const char code : codes) {
        const auto lowest = static_cast<std::size_t>(
            std::min_element(heights.begin(), heights.end()) - heights.begin());
        columns[lowest] += code;
        heights[lowest] += At(code).MinHeight;
    }
    std::string result = JoinColumns(columns);
    Slack = Clamp32(static_cast<int64_t>(AvailableHeight) - TallestColumn(result));
    return result;
}

std::string PanelStack::SortColumns(const std::string& columns, const std::string& order) {
    std::vector<std::string> list = SplitColumns(columns);
    for (std::string& column : list) {
        SortByRank(column, order);
    }
    SortColumnList(list.begin(), list.end(), order);
    return JoinColumns(list);
}

std::string PanelStack::SortColumnsKeepFirst(const std::string& columns, const std::string& order) {
    std::vector<std::string> list = SplitColumns(columns);
    for (std::string& column : list) {
        SortByRank(column, order);
    }
    if (!list.empty()) {
        SortColumnList(list.begin() + 1, list.end(), order);
    }
    return ReplaceAll("..", ".", JoinColumns(list));
}

// Tries every choice of the last 16 codes for the first column and keeps the one whose
// overflow, packed right of it, leaves the largest positive slack; the larger mask wins a
// tie. Heights come from sums over the masks and one reused set of column buffers, so a
// subset costs no allocation.
std::string PanelStack::SearchFirstColumn(const std::string& codes, int64_t columnRoom,
                                          int32_t width) {
    const std::size_t length = codes.size();
    const std::size_t bits = std::min(length, SearchBits);
    std::vector<int64_t> height(length);
    std::vector<uint32_t> bit(length); // 0 for codes the mask cannot keep
    for (std::size_t p = 0; p < length; ++p) {
        height[p] = At(codes[p]).MinHeight;
        const std::size_t fromEnd = length - 1 - p;
        bit[p] = fromEnd < SearchBits ? uint32_t{1} << fromEnd : 0;
    }
    // Equal heights may pack in either order: the column sums come out the same.
    std::vector<std::size_t> packOrder(length);
    for (std::size_t p = 0; p < length; ++p) {
        packOrder[p] = p;
    }
    std::sort(packOrder.begin(), packOrder.end(),
              [&height](std::size_t a, std::size_t b) { return height[a] > height[b]; });

    const int32_t packWidth =
        Clamp32(static_cast<int64_t>(width) - LeftMargin - static_cast<int64_t>(ColumnWidth));
    const auto maxColumns = static_cast<std::size_t>(ColumnCount(packWidth, length));
    std::vector<int64_t> columnHeight(maxColumns);
    std::vector<int64_t> columnCodes(maxColumns);

    int64_t best = 0;
    uint32_t bestMask = 0;
    for (uint32_t mask = (uint32_t{1} << bits) - 1; mask >= 1; --mask) {
        int64_t kept = 0;
        std::size_t keptCount = 0;
        for (std::size_t p = 0; p < length; ++p) {
            if ((bit[p] & mask) != 0) {
                kept += height[p] + Gap;
                ++keptCount;
            }
        }
        if (columnRoom < kept) {
            continue;
        }
        const std::size_t used = std::min(maxColumns, std::max<std::size_t>(length - keptCount, 1));
        std::fill_n(columnHeight.begin(), used, 0);
        std::fill_n(columnCodes.begin(), used, 0);
        for (const std::size_t p : packOrder) {
            if ((bit[p] & mask) == 0) {
                const auto lowest = static_cast<std::size_t>(
                    std::min_element(columnHeight.begin(),
                                     columnHeight.begin() + static_cast<std::ptrdiff_t>(used)) -
                    columnHeight.begin());
                columnHeight[lowest] += height[p];
                ++columnCodes[lowest];
            }
        }
        int64_t tallest = 0;
        for (std::size_t c = 0; c < used; ++c) {
            tallest = std::max(tallest, columnHeight[c] + columnCodes[c] * Gap);
        }
        const int64_t slack = AvailableHeight - tallest;
        if (slack > best) {
            best = slack;
            bestMask = mask;
        }
    }

    Slack = 0;
    if (bestMask == 0) {
        return {};
    }
    std::string first;
    std::string overflow;
    for (std::size_t p = 0; p < length; ++p) {
        if ((bit[p] & bestMask) != 0) {
            first += codes[p];
        }
    }
    for (std::size_t p = length; p-- > 0;) { // from the end: that decides among equal heights
        if ((bit[p] & bestMask) == 0) {
            overflow += codes[p];
        }
    }
    const std::string packed = PackColumns(overflow, AvailableHeight, packWidth);
    Slack = Clamp32(best);
    return SortColumnsKeepFirst(first + ColumnSeparator + packed, codes);
}

std::string PanelStack::ChooseFirstColumn(const std::string& codes, int32_t height, int32_t width) {
    Slack = height;
    AvailableHeight = height;
    const int64_t columnRoom = static_cast<int64_t>(height) - TopMargin;
    const std::string order = CodesOnly(codes);
    if (order.empty()) {
        return {};
    }
    const std::string result =
        columnRoom >= ColumnSum(order) ? order : SearchFirstColumn(order, columnRoom, width);
    FirstColumnSlack = Clamp32(columnRoom - ColumnSum(TokenBefore(result, ColumnSeparator)));
    return result;
}

std::string PanelStack::FitFirstColumn(const std::string& codes, int32_t height, int32_t width) {
    const std::string result = ChooseFirstColumn(codes, height, width);
    PlaceColumns(TokenBefore(result, ColumnSeparator), 1, LeftMargin);
    PlaceColumns(TextAfter(result, ColumnSeparator), 3,
                 Clamp32(static_cast<int64_t>(LeftMargin) + ColumnWidth + Gap));
    return result;
}

void PanelStack::PlaceColumns(const std::string& columns, int mode, int32_t x) {
    const int64_t fill = static_cast<int64_t>(AvailableHeight) - (mode == 1 ? TopMargin : Slack);
    int64_t left = x;
    for (const std::string& column : SplitColumns(columns)) {
        const std::string panels = CodesOnly(column);
        if (panels.empty()) {
            continue;
        }
        std::string specs;
        for (const char code : panels) {
            specs += At(code).StateSpec;
            specs += ',';
        }
        const int64_t inner = fill - static_cast<int64_t>(panels.size()) * Gap;
        std::string sizes = Distribute(Clamp32(inner), TrimSeparators(specs, ','));
        for (const char code : panels) {
            // A panel without a specification has no size of its own: CutInt gives it -1.
            At(code).Height = CutInt(sizes, ',');
        }
        int64_t y = TopMargin;
        if (mode == 3) {
            y = static_cast<int64_t>(AvailableHeight) - ColumnSum(panels);
            for (const char code : panels) {
                y -= static_cast<int64_t>(At(code).Height) - At(code).MinHeight;
            }
        }
        for (const char code : panels) {
            PanelGeometry& panel = At(code);
            panel.Top = Clamp32(y);
            panel.Left = Clamp32(left);
            y += static_cast<int64_t>(panel.Height) + Gap;
        }
        left += static_cast<int64_t>(ColumnWidth) + Gap;
    }
}

std::string PanelStack::ArrangeColumns(const std::string& order, int32_t height, int32_t width) {
    const std::string packed = PackColumns(order, height, width);
    PlaceColumns(SortColumns(packed, order), 2, LeftMargin);
    return packed;
}

std::string OrderCodes(const std::string& names, const std::array<std::string, PanelSlots>& slots) {
    const auto code = [](std::size_t slot) { return static_cast<char>(FirstPanelCode + slot); };
    std::string list = names;
    if (list.find('*') != std::string::npos) {
        std::string expanded;
        while (!list.empty()) {
            const std::string item = CutComma(list);
            if (item.find('*') == std::string::npos) {
                expanded += item + ",";
                continue;
            }
            const std::string prefix = LowerText(TokenBefore(item, '*'));
            for (const std::string& name : slots) {
                if (!name.empty() && StartsWith(prefix, LowerText(name))) {
                    expanded += name + ",";
                }
            }
        }
        list = TrimSeparators(expanded, ',');
    }
    std::string codes;
    while (!list.empty()) {
        const std::string item = LowerText(CutComma(list));
        for (std::size_t slot = 0; slot < slots.size(); ++slot) {
            if (!slots[slot].empty() && LowerText(slots[slot]) == item) {
                if (codes.find(code(slot)) == std::string::npos) {
                    codes += code(slot);
                }
                break;
            }
        }
    }
    return codes;
}
