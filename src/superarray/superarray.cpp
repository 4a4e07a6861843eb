// The string table: rows, cells, computed cells and display settings.
#include "superarray/superarray.h"

#include "superarray/SharedWork.h"
#include "util/NumberFormat.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int32_t FileSizeColumn = 39;
// Room for row numbers up to the largest 32-bit count, plus slot 0.
constexpr int64_t MaxSlots = int64_t{std::numeric_limits<int32_t>::max()} + 1;

} // namespace

void superarray::Init() {
    Reset();
    SortSpec = "alphabetical";
    KeySeparator = ",";
    std::fill(Columns.begin(), Columns.begin() + CellColumns, ColumnSetting{});
    SortNames.fill(SortName{});
    RegisterSortName(0, "alphabetical");
    RegisterSortName(FileSizeColumn, "filesize");
    RegisterSortName(RowNumberColumn, "=");
}

int32_t superarray::Resolve(int32_t row) const {
    if (row == 0) {
        return RowCount;
    }
    return row > 0 && row <= RowCount ? row : 0;
}

PackedRow& superarray::Materialize(int32_t row) {
    if (Rows.size() <= static_cast<std::size_t>(row)) {
        Rows.resize(static_cast<std::size_t>(row) + 1);
    }
    return Rows[static_cast<std::size_t>(row)];
}

bool superarray::AppendRow() {
    if (RowCount == std::numeric_limits<int32_t>::max()) {
        return false;
    }
    const int32_t row = RowCount + 1;
    if (SlotCount - 1 < row) {
        SetSlotCount(std::min(int64_t{row} + 51, MaxSlots));
    }
    RowCount = row;
    Materialize(row).Insertion = static_cast<uint32_t>(row);
    return true;
}

void superarray::AddRow() {
    AppendRow();
}

void superarray::AddRowText(std::string_view text, int32_t column) {
    if (AppendRow()) {
        const bool valid = column >= 0 && column < CellColumns;
        Rows[SlotOf(RowCount)].SetCell(valid ? column : 0, text);
    }
}

void superarray::AddRows(
    int32_t count, const std::function<void(int32_t first, int32_t end, RowWriter& writer)>& fill) {
    count = std::min(count, std::numeric_limits<int32_t>::max() - RowCount);
    if (count <= 0) {
        return;
    }
    const int32_t first = RowCount + 1;
    const int32_t last = RowCount + count;
    if (SlotCount - 1 < last) {
        SetSlotCount(int64_t{last} + 1);
    }
    RowCount = last;
    // New rows lie beyond any sorted order, each in the slot of its number.
    Materialize(last);
    InParts(static_cast<std::size_t>(count), [&](std::size_t begin, std::size_t end) {
        RowWriter writer(&Rows[static_cast<std::size_t>(first) + begin],
                         static_cast<uint32_t>(first) + static_cast<uint32_t>(begin));
        fill(static_cast<int32_t>(begin), static_cast<int32_t>(end), writer);
    });
}

void superarray::SetCell(int32_t row, int32_t column, std::string_view text) {
    const int32_t r = Resolve(row);
    if (r != 0 && column >= 0 && column < CellColumns) {
        Materialize(static_cast<int32_t>(SlotOf(r))).SetCell(column, text);
    }
}

std::string superarray::GetCell(int32_t row, int32_t column) const {
    const int32_t r = Resolve(row);
    if (r == 0) {
        return {};
    }
    if (column == RowNumberColumn) {
        return IntToText(r);
    }
    const std::size_t slot = SlotOf(r);
    if (slot >= Rows.size()) {
        return column == InsertionColumn ? "0" : "";
    }
    if (column == InsertionColumn) {
        return Int64ToText(Rows[slot].Insertion);
    }
    if (column >= 0 && column < CellColumns) {
        if (const auto& source = Columns[static_cast<std::size_t>(column)].Source) {
            return source(*this, r);
        }
    }
    return std::string(Rows[slot].Cell(column));
}

std::string_view superarray::StoredCell(int32_t row, int32_t column) const {
    const int32_t r = Resolve(row);
    const std::size_t slot = SlotOf(r);
    return r == 0 || slot >= Rows.size() ? std::string_view() : Rows[slot].Cell(column);
}

void superarray::VisitRowsInMemoryOrder(const std::function<void(int32_t row)>& visit) const {
    // Rows 1..Order.size()-1 hold those slots between them (a sort had every one of them
    // stored); the rest are in their own slots.
    std::vector<int32_t> inSlot(Order.size());
    for (std::size_t row = 1; row < Order.size(); ++row) {
        inSlot[Order[row]] = static_cast<int32_t>(row);
    }
    for (int32_t slot = 1; slot <= RowCount; ++slot) {
        const auto at = static_cast<std::size_t>(slot);
        visit(at < inSlot.size() ? inSlot[at] : slot);
    }
}

std::vector<int32_t> superarray::RowsWithStoredText(int32_t column, std::string_view text) const {
    std::vector<uint32_t> slots;
    const auto stored = std::min<std::size_t>(Rows.size(), static_cast<std::size_t>(RowCount) + 1);
    for (std::size_t slot = 1; slot < stored; ++slot) {
        if (Rows[slot].Cell(column) == text) {
            slots.push_back(static_cast<uint32_t>(slot));
        }
    }
    // Rows not yet here are blank.
    if (text.empty()) {
        for (std::size_t slot = stored; slot <= static_cast<std::size_t>(RowCount); ++slot) {
            slots.push_back(static_cast<uint32_t>(slot));
        }
    }
    // Rows 1..Count() hold slots 1..Count(): each slot found is one row's, which the order says.
    std::vector<int32_t> rows;
    if (Order.empty()) {
        rows.assign(slots.begin(), slots.end());
        return rows;
    }
    for (int32_t row = 1; row <= RowCount && rows.size() < slots.size(); ++row) {
        if (std::binary_search(slots.begin(), slots.end(), SlotOf(row))) {
            rows.push_back(row);
        }
    }
    return rows;
}

std::string superarray::GetCellShown(int32_t row, int32_t column) const {
    if (Resolve(row) == 0) {
        return {};
    }
    std::string text = GetCell(row, column);
    if (column < 0 || column >= SettingColumns) {
        return text;
    }
    const ColumnSetting& setting = Columns[static_cast<std::size_t>(column)];
    if (setting.GroupDigits) {
        text = GroupDigits(text);
    }
    return text + setting.Suffix;
}

void superarray::SetSlotCount(int64_t slots) {
    // Rows cut off must be the last in order, not whatever their slots hold.
    if (slots - 1 < RowCount && !Order.empty()) {
        if (slots <= 1) {
            Order.clear();
        } else {
            Settle();
        }
    }
    // Released slots are blanked but stay allocated, so the next fill of a table rebuilt on
    // every keystroke reuses their buffers instead of allocating again.
    const int64_t kept = std::min(SlotCount, static_cast<int64_t>(Rows.size()));
    for (int64_t slot = slots; slot < kept; ++slot) {
        Rows[static_cast<std::size_t>(slot)].Blank();
    }
    SlotCount = slots;
    RowCount = slots > 1 ? static_cast<int32_t>(slots - 1) : 0;
}

void superarray::SetLength(int32_t length) {
    SetSlotCount(std::max(length, 0));
}

void superarray::SetCount(int32_t count) {
    SetSlotCount(count > 0 ? int64_t{count} + 1 : 0);
}

void superarray::Compact() {
    SetCount(RowCount);
    Rows.resize(std::min(Rows.size(), static_cast<std::size_t>(SlotCount)));
    Rows.shrink_to_fit();
    for (PackedRow& row : Rows) {
        row.ShrinkToFit();
    }
}
