// The grid controller's column records and layouts, widths, sort marks and row identities,
// free of widgets.
#include "easygrid/ColumnModel.h"

#include "easypanel/SizeSpec.h"
#include "superarray/superarray.h"
#include "util/TextParse.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string_view>

void ColumnModel::Clear() {
    Cols.resize(1);
    LayoutsText.clear();
    LayoutIndex = 1;
    PlaceholderPresent = false;
}

const ColDataT* ColumnModel::Column(int32_t id) const {
    const int32_t index = ColumnIndex(id);
    return index > 0 ? &Cols[index] : nullptr;
}

ColDataT* ColumnModel::Find(int32_t id) {
    const int32_t index = ColumnIndex(id);
    return index > 0 ? &Cols[index] : nullptr;
}

std::vector<ColDataT> ColumnModel::VisibleColumns() const {
    std::vector<ColDataT> visible;
    std::ranges::copy_if(Records(), std::back_inserter(visible),
                         [](const ColDataT& col) { return col.Visible; });
    return visible;
}

int32_t ColumnModel::DeclareColumn(const std::string& name, int32_t id) {
    if (id < 0) {
        return -1; // no table column; every lookup of it answers "none"
    }
    if (PlaceholderPresent) {
        DeleteColumnRecord(ColumnIndex(0));
        PlaceholderPresent = false;
    }
    int32_t index = ColumnIndex(id);
    if (index < 0) {
        Cols.emplace_back();
        index = ColumnCount();
    }
    ColDataT& col = Cols[index];
    col = ColDataT();
    col.Id = id;
    col.Caption = name;
    col.Header = name;
    const bool oneCharKeys = Table != nullptr && Table->KeySeparator.empty();
    col.Key = LowerText(oneCharKeys ? name.substr(0, 1) : name);
    if (Table != nullptr) {
        Table->RegisterSortName(id, col.Key);
    }
    return index;
}

int32_t ColumnModel::AddColumn(const std::string& name, int32_t id, const std::string& caption,
                               const std::string& sizeSpec) {
    const int32_t index = DeclareColumn(name, id);
    if (index > 0) {
        Cols[index].Caption = caption;
        SetSizeSpec(id, sizeSpec);
    }
    return index;
}

int32_t ColumnModel::AddKeyedColumn(const std::string& name, int32_t id, const std::string& caption,
                                    const std::string& key, const std::string& sizeSpec) {
    const int32_t index = AddColumn(name, id, caption, sizeSpec);
    if (index > 0) {
        const std::string folded = LowerText(key);
        if (Table != nullptr) {
            Table->SortSpec.clear();
            Table->RegisterSortName(id, folded);
        }
        Cols[index].Key = folded;
    }
    return index;
}

int32_t ColumnModel::AddPlainColumn(const std::string& name, int32_t id,
                                    const std::string& sizeSpec) {
    return AddKeyedColumn(name, id, name, name, sizeSpec);
}

bool ColumnModel::SetSizeSpec(int32_t id, const std::string& sizeSpec) {
    ColDataT* col = Find(id);
    // An empty rule would drop out of the joined list and shift every later width.
    if (col == nullptr || sizeSpec.empty()) {
        return false;
    }
    col->SizeSpec = sizeSpec;
    return true;
}

bool ColumnModel::SetHeader(int32_t id, const std::string& text) {
    return Assign(id, &ColDataT::Header, text);
}

bool ColumnModel::SetInMenu(int32_t id, bool inMenu) {
    return Assign(id, &ColDataT::InMenu, inMenu);
}

bool ColumnModel::SetMenuPos(int32_t id, int32_t position) {
    return Assign(id, &ColDataT::MenuPos, position);
}

bool ColumnModel::SetVisible(int32_t id, bool visible) {
    ColDataT* col = Find(id);
    if (col == nullptr || col->Visible == visible) {
        return false;
    }
    col->Visible = visible;
    return true;
}

int32_t ColumnModel::ColumnIndex(int32_t id) const {
    if (id < 0) {
        return -1;
    }
    for (int32_t index = 1; index <= ColumnCount(); ++index) {
        if (Cols[index].Id == id) {
            return index;
        }
    }
    return -1;
}

int32_t ColumnModel::ColumnIdAt(int32_t position) const {
    if (position < 0) {
        return -1;
    }
    int32_t visible = 0;
    for (const ColDataT& col : Records()) {
        if (col.Visible && visible++ == position) {
            return col.Id;
        }
    }
    return -1;
}

int32_t ColumnModel::ColumnIndexAt(int32_t position) const {
    return ColumnIndex(ColumnIdAt(position));
}

int32_t ColumnModel::VisiblePos(int32_t id) const {
    const int32_t index = ColumnIndex(id);
    if (index < 0 || !Cols[index].Visible) {
        return -1;
    }
    return static_cast<int32_t>(std::count_if(Cols.begin() + 1, Cols.begin() + index,
                                              [](const ColDataT& col) { return col.Visible; }));
}

int32_t ColumnModel::ColumnIdByKey(const std::string& name) const {
    // An empty key means "no sort name" (the "#" column); an empty name names nothing.
    if (name.empty()) {
        return -1;
    }
    const std::string key = LowerText(name);
    const auto found =
        std::ranges::find_if(Records(), [&key](const ColDataT& col) { return col.Key == key; });
    return found != Records().end() ? found->Id : -1;
}

int32_t ColumnModel::VisibleColumnCount() const {
    return static_cast<int32_t>(
        std::ranges::count_if(Records(), [](const ColDataT& col) { return col.Visible; }));
}

void ColumnModel::DeleteColumnRecord(int32_t index) {
    if (index >= 1 && index <= ColumnCount()) {
        Cols.erase(Cols.begin() + index);
    }
}

bool ColumnModel::MoveColumn(int32_t from, int32_t to) {
    const int32_t fromIndex = ColumnIndexAt(from);
    const int32_t toIndex = ColumnIndexAt(to);
    if (fromIndex < 0 || toIndex < 0) {
        return false;
    }
    const ColDataT moved = Cols[fromIndex];
    Cols.erase(Cols.begin() + fromIndex);
    Cols.insert(Cols.begin() + toIndex, moved);
    return true;
}

bool ColumnModel::ApplyLayout(const std::string& layouts) {
    if (layouts.empty()) {
        return false;
    }
    std::vector<std::string> pieces;
    for (std::string rest = layouts; !rest.empty();) {
        pieces.push_back(CutToken(rest, '|'));
    }
    const auto pieceAt = [&pieces](int32_t number) {
        return number >= 1 && number <= static_cast<int32_t>(pieces.size()) ? pieces[number - 1]
                                                                            : std::string();
    };
    if (LayoutIndex < 0 || LayoutIndex > static_cast<int32_t>(pieces.size())) {
        LayoutIndex = 0;
    }
    ++LayoutIndex;
    std::string layout = pieceAt(LayoutIndex);
    if (layout.empty()) {
        // Past the last layout: back to the first. An empty first layout applies nothing.
        LayoutIndex = 1;
        layout = pieceAt(1);
        if (layout.empty()) {
            return false;
        }
    }
    std::for_each(Cols.begin() + 1, Cols.end(), [](ColDataT& col) { col.Visible = false; });
    while (!layout.empty()) {
        SetVisible(ColumnIdByKey(CutComma(layout)), true);
    }
    return true;
}

std::vector<int32_t> ColumnModel::ColumnWidths(int32_t available) const {
    std::string list;
    for (const ColDataT& col : Records()) {
        if (col.Visible) {
            list += col.SizeSpec + ",";
        }
    }
    std::string widths = Distribute(available, TrimSeparators(list, ','));
    std::vector<int32_t> result;
    while (!widths.empty()) {
        result.push_back(TextToInt(CutComma(widths)));
    }
    return result;
}

std::vector<ColumnModel::SortMark> ColumnModel::SortMarks() const {
    std::vector<ColDataT> visible = VisibleColumns();
    std::vector<SortMark> marks(visible.size());
    if (Table == nullptr) {
        return marks;
    }
    int32_t rank = 0;
    for (const superarray::SortKeyName& named : Table->SortKeyNames()) {
        const std::string key = LowerText(named.Name);
        const bool descending = named.Descending;
        if (key.empty()) {
            continue;
        }
        ++rank;
        for (std::size_t position = 0; position < visible.size(); ++position) {
            if (visible[position].Key == key && marks[position].Rank == 0) {
                marks[position] = {rank, descending};
                break;
            }
        }
    }
    return marks;
}

void ColumnModel::AppendRowIdentity(int32_t row, std::span<const int32_t> ids,
                                    std::string& identity) const {
    for (const int32_t id : ids) {
        // A tab cannot stand in a cell that the window writes, so the joined texts stay apart.
        identity += Table->GetCell(row, id);
        identity += '\t';
    }
}

std::string ColumnModel::RowIdentity(int32_t row, std::span<const int32_t> ids) const {
    std::string identity;
    if (Table != nullptr) {
        AppendRowIdentity(row, ids, identity);
    }
    return identity;
}

std::vector<int32_t>
ColumnModel::RowsWithIdentities(std::span<const int32_t> ids,
                                const std::unordered_set<std::string>& identities) const {
    std::vector<int32_t> rows;
    if (Table == nullptr || identities.empty()) {
        return rows;
    }
    // A keystroke looks through up to 32768 rows, most of which differ in their first text
    // already: the rest of a row is read only where the first text starts an identity. A
    // stored first text is read where it lies, without a copy. With identities for many of
    // the rows, such as a selection of them all, the first texts sift out too few rows to pay
    // for their set, and every row is read whole.
    const bool sift = identities.size() <= static_cast<std::size_t>(Table->Count()) / 8;
    std::unordered_set<std::string_view> starts;
    if (sift) {
        for (const std::string& each : identities) {
            starts.insert(std::string_view(each).substr(0, each.find('\t')));
        }
    }
    // Mostly the one identity is the current row's: comparing each first text with its start
    // costs a fraction of hashing each.
    const bool single = starts.size() == 1;
    const std::string_view only = single ? *starts.begin() : std::string_view();
    const std::size_t first = std::min<std::size_t>(ids.size(), 1);
    const bool stored = first == 1 && Table->ReadsStored(ids[0]);
    std::string identity;
    const auto check = [&](int32_t row) {
        identity.clear();
        AppendRowIdentity(row, ids, identity);
        if (identities.contains(identity)) {
            rows.push_back(row);
        }
    };
    if (single && stored) {
        // The table finds the rows with that first text in one pass through its memory.
        for (const int32_t row : Table->RowsWithStoredText(ids[0], only)) {
            check(row);
        }
        return rows;
    }
    Table->VisitRowsInMemoryOrder([&](int32_t row) {
        if (sift) {
            std::string_view start;
            if (stored) {
                start = Table->StoredCell(row, ids[0]);
            } else {
                identity.clear();
                AppendRowIdentity(row, ids.first(first), identity);
                start = std::string_view(identity).substr(0, identity.find('\t'));
            }
            if (single ? start != only : !starts.contains(start)) {
                return;
            }
        }
        check(row);
    });
    // A sorted table keeps its rows where they were written, away from their numbers.
    if (!std::is_sorted(rows.begin(), rows.end())) {
        std::sort(rows.begin(), rows.end());
    }
    return rows;
}

void ColumnModel::WidenToNeeds(std::vector<int32_t>& widths, const std::vector<int64_t>& need) {
    int64_t missing = 0;
    int64_t spare = 0;
    for (std::size_t column = 0; column < widths.size(); ++column) {
        const int64_t room = int64_t{widths[column]} - need[column];
        (room < 0 ? missing : spare) += std::abs(room);
    }
    if (missing == 0) {
        return;
    }
    const int64_t moved = std::min(missing, spare);
    // Rounded on the running sums, so exactly `moved` pixels are taken.
    int64_t spareSoFar = 0;
    for (std::size_t column = 0; column < widths.size(); ++column) {
        const int64_t room = int64_t{widths[column]} - need[column];
        if (room > 0) {
            const int64_t before = spareSoFar * moved / spare;
            spareSoFar += room;
            widths[column] -= static_cast<int32_t>(spareSoFar * moved / spare - before);
        }
    }
    // The columns short of room get it, and what could not be found on top.
    for (std::size_t column = 0; column < widths.size(); ++column) {
        widths[column] = static_cast<int32_t>(std::max<int64_t>(widths[column], need[column]));
    }
}

std::string ColumnModel::ChangedSort(const std::string& spec, const std::string& separator,
                                     const std::string& key, bool adding) {
    if (!adding) {
        return spec == key ? "-" + key : key;
    }
    std::size_t position = std::string::npos;
    if (separator.empty()) {
        position = spec.find(key);
    } else {
        PosInfo info;
        info.CaseSensitive = false;
        info.WordStart = true;
        info.WordEnd = true;
        info.Delimiters = ",-";
        position = FindWord(info, key, spec);
    }
    std::string changed = spec;
    if (position == std::string::npos) {
        changed = spec.empty() ? key : spec + separator + key;
    } else if (position > 0 && spec[position - 1] == '-') {
        changed.erase(position - 1, 1);
    } else {
        changed.insert(position, "-");
    }
    return changed;
}
