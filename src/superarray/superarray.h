#pragma once

#include "superarray/PackedRow.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A growable table of text rows numbered 1..Count(), each with 26 text cells (columns 0..25),
// with per-column display settings and sorting by a textual specification of registered key
// names. A row argument of 0 means the last row; any other row outside 1..Count() is invalid:
// readers then give an empty text and writers do nothing. Init makes a table ready; until
// then it knows no sort names.
class superarray {
public:
    static constexpr int32_t CellColumns = PackedRow::Cells;
    static constexpr int32_t RowNumberColumn = 26; // computed: the row's current number
    static constexpr int32_t InsertionColumn = 45; // computed: the row's number when added
    static constexpr int32_t SettingColumns = 56;
    static constexpr int32_t SortNameSlots = 200;

    struct ColumnSetting {
        bool GroupDigits = false;
        std::string Suffix;
        // For a column 0..25 whose texts follow from the rest of the row: the text is computed
        // whenever it is read (and sorted) instead of stored, so a table that is rebuilt often
        // and read a screenful at a time pays only for what is read. Stored texts of such a
        // column are not read. A sort of a tall table calls it from two threads at once, for
        // different rows: it must only read.
        std::function<std::string(const superarray&, int32_t row)> Source;
        // Sort keys on this column order the numbers in its texts by value, one after the
        // other ("-" right before a digit makes it negative, "." starts a fraction), and only
        // texts equal in every number by character code (letter case counts here).
        bool NumericSort = false;
        // For a NumericSort column whose texts are lists of whole numbers: numbers that order
        // like the row's text when compared number by number (a list that is the start of
        // another first), the same only for equal texts; the list itself will do, or a shorter
        // one that orders alike. As many as fit `numbers`, returning how many; std::nullopt
        // when the row's text is not such a list. A sort on the column then reads texts only
        // where that fails, and compares these numbers instead. A sort of a tall table calls
        // it from two threads at once, for different rows: it must only read.
        std::function<std::optional<std::size_t>(const superarray&, int32_t row,
                                                 std::span<int64_t> numbers)>
            LeadingNumbers;
    };

    std::array<ColumnSetting, SettingColumns> Columns; // what GetCellShown adds, per column
    std::string SortSpec = "alphabetical";             // keys such as "-width,height"
    std::string KeySeparator = ","; // between keys of SortSpec; empty: one character a key

    // Empties the table and restores the settings of columns 0..25, SortSpec, KeySeparator
    // and the sort names ("alphabetical" -> 0, "filesize" -> 39, "=" -> 26).
    void Init();
    void Reset() { SetCount(0); }

    // Appends a blank row; it becomes row Count() and gets Count() as its insertion number.
    void AddRow();
    // AddRow, then the text into `column` of the new row (column 0 when outside 0..25).
    void AddRowText(std::string_view text, int32_t column);
    // Writes the cells of new rows one after the other, for AddRows.
    class RowWriter {
    public:
        // The next row's cells, as PackedRow::SetCells writes them.
        void Next(std::span<const PackedRow::CellText> cells) {
            At->SetCells(cells);
            At->Insertion = Insertion++;
            ++At;
        }

    private:
        friend class superarray;
        RowWriter(PackedRow* at, uint32_t insertion) : At(at), Insertion(insertion) {}
        PackedRow* At;
        uint32_t Insertion;
    };
    // Appends `count` rows (as many as the table can take) as AddRow would, and calls
    // fill(first, end, writer) to write rows first..end-1 of them, counted from 0, with one
    // writer.Next each. A tall fill is shared by two threads, each with its own part of the
    // rows: `fill` must only read what the parts share.
    void AddRows(int32_t count,
                 const std::function<void(int32_t first, int32_t end, RowWriter& writer)>& fill);
    // Ignored for an invalid row or a column outside 0..25.
    void SetCell(int32_t row, int32_t column, std::string_view text);
    // Columns 0..25 give the stored (or sourced) text, 26 and 45 the computed numbers,
    // others nothing.
    std::string GetCell(int32_t row, int32_t column) const;
    std::string GetRowText(int32_t row) const { return GetCell(row, 0); }
    // The stored text of a cell 0..25, without a copy and without asking the column's Source;
    // valid until the row next changes, empty for an invalid row or column.
    std::string_view StoredCell(int32_t row, int32_t column) const;
    // Calls visit(row) for rows 1..Count() in the order their texts lie in memory, which a sort
    // leaves apart from their numbers: a look through every row in this order reads memory in
    // sequence.
    void VisitRowsInMemoryOrder(const std::function<void(int32_t row)>& visit) const;
    // The rows, ascending, whose stored text in `column` (0..25) is `text`: one look through
    // the rows as they lie in memory.
    std::vector<int32_t> RowsWithStoredText(int32_t column, std::string_view text) const;
    // Whether GetCell gives StoredCell's text for the column: a cell 0..25 without a Source.
    bool ReadsStored(int32_t column) const {
        return column >= 0 && column < CellColumns &&
               !Columns[static_cast<std::size_t>(column)].Source;
    }
    // GetCell with the column's digit grouping, then its suffix.
    std::string GetCellShown(int32_t row, int32_t column) const;

    // Resizes to `length` slots counting the unused slot 0: rows 1..length-1 are kept or
    // added blank, and Count() becomes length - 1 (0 for length 0 or 1).
    void SetLength(int32_t length);
    // Exactly `count` rows (none when negative), without spare slots.
    void SetCount(int32_t count);
    void Clear() { SetLength(0); }
    // Drops the spare slots and the memory that earlier fills left for reuse.
    void Compact();

    int32_t Count() const { return RowCount; }
    // Slots including slot 0: Count() + 1 plus the spare slots that AddRow grows in steps of
    // 50; 0 for a table never filled or cleared.
    int64_t Length() const { return SlotCount; }

    // Binds a name (lower-cased) to a column; a name already bound, in any letter case, is
    // rebound. Nothing happens when all slots are taken or the name is empty.
    void RegisterSortName(int32_t column, const std::string& name);
    // Slot 1..200 holding the name in any letter case; 0 when absent or empty.
    int32_t FindSortName(const std::string& name) const;
    // Sorts rows 1..Count() by SortSpec; rows equal in every key follow their insertion
    // numbers, so the result does not depend on the order before.
    void Sort();
    void SortBy(const std::string& spec);
    // The keys of SortSpec as written, in order: at least one, an empty name for an empty
    // specification.
    struct SortKeyName {
        std::string Name;
        bool Descending = false;
    };
    std::vector<SortKeyName> SortKeyNames() const;

private:
    struct SortName {
        std::string Name;
        int32_t Column = 0;
    };
    struct SortKey {
        int32_t Column;
        bool Descending;
        bool CaseSensitive;
    };
    struct RowSorter; // one sort's working state

    // 1..Count() for a valid row argument, 0 for an invalid one.
    int32_t Resolve(int32_t row) const;
    // The slot that holds row `row` (0..Count()): a sort only notes the new order, and the
    // rows move into their slots only when rows are cut off.
    std::size_t SlotOf(int32_t row) const {
        const auto r = static_cast<std::size_t>(row);
        return r < Order.size() ? Order[r] : r;
    }
    const PackedRow& RowAt(int32_t row) const { return Rows[SlotOf(row)]; }
    // Moves every row into the slot of its number, as a cut needs them.
    void Settle();
    bool AppendRow();
    void SetSlotCount(int64_t slots);
    PackedRow& Materialize(int32_t row);
    std::vector<SortKey> ParseSortSpec() const;

    int32_t RowCount = 0;
    int64_t SlotCount = 0;
    // Slots 0..SlotCount-1 are the table; slots not yet here are blank, and those beyond
    // SlotCount are blank buffers kept for the next fill.
    std::vector<PackedRow> Rows;
    // The slot of each row 0..Order.size()-1 since the last sort; rows beyond, and every row
    // when it is empty, are in the slot of their number. Rows 1..Count() always hold slots
    // 1..Count() between them, so a table rebuilt on every keystroke, sorted and read only a
    // screenful at a time never moves its rows, and the next fill walks the slots in order.
    std::vector<uint32_t> Order;
    std::array<SortName, SortNameSlots> SortNames;
};
