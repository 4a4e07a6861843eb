#pragma once

#include "easygrid/ColDataT.h"

#include <cstdint>
#include <span>
#include <string>
#include <unordered_set>
#include <vector>

class superarray;

// The column records of a grid controller and the layouts that choose among them: which
// table columns a grid shows, in which order, how wide, under which header and sort name.
// No widget is involved; the controller applies the records to its grid. Ids are table
// column numbers, positions are visible grid columns, record indexes run 1..ColumnCount().
// Ids are unique among the records and every SizeSpec is non-empty.
class ColumnModel {
public:
    // The table whose sort names follow the column keys; may be null.
    superarray* Table = nullptr;
    // Layouts joined by "|", each a comma list of column keys.
    std::string LayoutsText;
    // The layout applied last, counted from 1.
    int32_t LayoutIndex = 1;
    // The default "Data" column (id 0) still stands; the next declaration removes it.
    bool PlaceholderPresent = false;

    // No records, no layouts, the first layout current.
    void Clear();

    int32_t ColumnCount() const { return static_cast<int32_t>(Cols.size()) - 1; }
    // The records in display order: record index i is element i - 1.
    std::span<const ColDataT> Records() const { return {Cols.begin() + 1, Cols.end()}; }
    // The record of `id`, null if none.
    const ColDataT* Column(int32_t id) const;
    // Copies of the visible records, left to right.
    std::vector<ColDataT> VisibleColumns() const;

    // Creates or resets the record of `id` and returns its index; a negative id declares
    // nothing and gives -1.
    int32_t DeclareColumn(const std::string& name, int32_t id);
    int32_t AddColumn(const std::string& name, int32_t id, const std::string& caption,
                      const std::string& sizeSpec);
    // AddColumn with an explicit sort name; the table's sort specification is emptied.
    int32_t AddKeyedColumn(const std::string& name, int32_t id, const std::string& caption,
                           const std::string& key, const std::string& sizeSpec);
    int32_t AddPlainColumn(const std::string& name, int32_t id, const std::string& sizeSpec);

    // Setters ignore unknown ids and answer false for them.
    bool SetSizeSpec(int32_t id, const std::string& sizeSpec);
    bool SetHeader(int32_t id, const std::string& text);
    bool SetInMenu(int32_t id, bool inMenu);
    bool SetMenuPos(int32_t id, int32_t position);
    // False also when the column already has that state.
    bool SetVisible(int32_t id, bool visible);

    // Lookups answer -1 for none.
    int32_t ColumnIndex(int32_t id) const;
    int32_t ColumnIdAt(int32_t position) const;
    int32_t ColumnIndexAt(int32_t position) const;
    int32_t VisiblePos(int32_t id) const;
    int32_t ColumnIdByKey(const std::string& name) const;
    int32_t VisibleColumnCount() const;

    // Indexes outside 1..ColumnCount() are ignored.
    void DeleteColumnRecord(int32_t index);
    // Moves the record shown at one position to the record place of the column shown at the
    // other; false (and nothing moved) when either position shows no column.
    bool MoveColumn(int32_t from, int32_t to);

    // Advances LayoutIndex and makes the columns of that layout exactly the visible ones,
    // in record order. False when nothing was applied: an empty text, or one whose first
    // layout is empty.
    bool ApplyLayout(const std::string& layouts);
    bool NextLayout() { return ApplyLayout(LayoutsText); }

    // The widths of the size specifications of the visible columns sharing `available`
    // pixels: one per item, so a spec with several items gives several widths. Throws what
    // Distribute throws for a spec it cannot read.
    std::vector<int32_t> ColumnWidths(int32_t available) const;

    // Widens the columns narrower than the width their texts need: the room comes from the
    // columns wider than theirs, in proportion to what those have spare; what cannot be found
    // so widens the columns beyond the total. `need` has one entry per width.
    static void WidenToNeeds(std::vector<int32_t>& widths, const std::vector<int64_t>& need);

    // The sort specification `spec` with `key` made the only key (a second time turned round)
    // or, `adding`, added after the others (a second time turned round in its place); keys
    // are joined by `separator`, or follow one another when it is empty.
    static std::string ChangedSort(const std::string& spec, const std::string& separator,
                                   const std::string& key, bool adding);

    // Where a visible column stands in the table's sort specification: Rank 1 for the first
    // key, 2 for the second..., 0 when the column is not a key.
    struct SortMark {
        int32_t Rank = 0;
        bool Descending = false;
        bool operator==(const SortMark&) const = default;
    };
    // One mark per visible column, left to right.
    std::vector<SortMark> SortMarks() const;

    // What tells the table's rows apart for a selection that has to survive a new order or
    // a new list: the texts of the `ids` columns of a row, joined.
    std::string RowIdentity(int32_t row, std::span<const int32_t> ids) const;
    // The table rows, ascending, whose identity is one of `identities`.
    std::vector<int32_t>
    RowsWithIdentities(std::span<const int32_t> ids,
                       const std::unordered_set<std::string>& identities) const;

private:
    void AppendRowIdentity(int32_t row, std::span<const int32_t> ids, std::string& identity) const;
    ColDataT* Find(int32_t id);
    // Sets one field of the record with that id; false when there is none.
    template <typename T>
    bool Assign(int32_t id, T ColDataT::*field, const T& value) {
        ColDataT* col = Find(id);
        if (col != nullptr) {
            col->*field = value;
        }
        return col != nullptr;
    }

    std::vector<ColDataT> Cols{1}; // element 0 holds no column
};
