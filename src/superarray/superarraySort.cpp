// Sorting the table by its specification: the keys read from the names, each row's leading
// part spread into buckets, ties decided key by key, the new order noted; the rows move along
// its cycles only when a cut needs them in place.
#include "superarray/superarray.h"

#include "superarray/SharedWork.h"
#include "superarray/SortKeys.h"
#include "util/TextParse.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <numeric>
#include <span>
#include <utility>

namespace {

bool IsTextColumn(int32_t column) {
    return column >= 0 && column < superarray::CellColumns;
}

// The texts of one column for the rows `which`, at their row numbers in `texts`. Texts that
// must be made first, computed or lower-cased, are kept in `made`.
void KeyTexts(const superarray& table, const std::vector<int32_t>& which, int32_t column,
              bool caseSensitive, std::string& made, std::vector<std::string_view>& texts) {
    const auto& source = table.Columns[static_cast<std::size_t>(column)].Source;
    if (caseSensitive && !source) {
        for (const int32_t r : which) {
            texts[static_cast<std::size_t>(r)] = table.StoredCell(r, column);
        }
        return;
    }
    std::vector<std::size_t> ends;
    ends.reserve(which.size());
    for (const int32_t r : which) {
        std::string text = source ? source(table, r) : std::string(table.StoredCell(r, column));
        // Not a conditional expression: that would copy the text once more.
        if (caseSensitive) {
            made += text;
        } else {
            made += LowerText(text);
        }
        ends.push_back(made.size());
    }
    std::size_t begin = 0;
    for (std::size_t i = 0; i < which.size(); ++i) {
        texts[static_cast<std::size_t>(which[i])] =
            std::string_view(made).substr(begin, ends[i] - begin);
        begin = ends[i];
    }
}

// A row with its first key's leading part (an insertion number, the first 8 bytes of a text,
// the leading numbers of a list or the leading part of its first number), which orders like
// the key wherever leading parts differ.
struct Entry {
    Prefix Lead;
    int32_t Row;
    // The lead holds every number of a text made from its numbers alone: equal leads that
    // are both whole mean equal texts.
    bool Whole = false;
};

// Turns the leads over, for a descending first key.
void Invert(std::span<Entry> entries) {
    for (Entry& entry : entries) {
        entry.Lead = {~entry.Lead.High, ~entry.Lead.Low};
    }
}

// The 64 bits of a key that follow its first `skip` bits, 0 filling in after its end.
uint64_t BitsFrom(const Prefix& key, int skip) {
    if (skip >= 64) {
        return key.Low << (skip - 64);
    }
    return skip == 0 ? key.High : key.High << skip | key.Low >> (64 - skip);
}

// Orders entries by their leads. A counting pass on the first bits where the leads differ
// (about one bucket for two entries, at most 2^16) spreads them into buckets, and each large
// bucket is spread again the same way: far fewer comparisons than one sort of them all, also
// where the leads share a long start, such as the first divisors of lists. `scratch` is as long.
void SortByLead(std::span<Entry> entries, std::span<Entry> scratch) {
    constexpr std::size_t Small = 64;
    if (entries.size() <= Small) {
        std::sort(entries.begin(), entries.end(),
                  [](const Entry& x, const Entry& y) { return x.Lead < y.Lead; });
        return;
    }
    Prefix differ;
    for (const Entry& entry : entries) {
        differ.High |= entry.Lead.High ^ entries[0].Lead.High;
        differ.Low |= entry.Lead.Low ^ entries[0].Lead.Low;
    }
    if (differ == Prefix{}) {
        return;
    }
    const int shared =
        differ.High != 0 ? std::countl_zero(differ.High) : 64 + std::countl_zero(differ.Low);
    // Leads seldom spread evenly over the buckets: half as many buckets to clear and walk save
    // more than the fuller ones cost (the leads of half the divisor lists of 1 : 65535 sort in
    // about two thirds of the time they took with a bucket an entry).
    const int bits = std::min(static_cast<int>(std::bit_width(entries.size())) - 1, 16);
    const auto bucketOf = [&](const Entry& entry) {
        return BitsFrom(entry.Lead, shared) >> (64 - bits);
    };
    std::vector<uint32_t> starts((std::size_t{1} << bits) + 1, 0);
    for (const Entry& entry : entries) {
        ++starts[bucketOf(entry) + 1];
    }
    std::partial_sum(starts.begin(), starts.end(), starts.begin());
    std::vector<uint32_t> next(starts.begin(), starts.end() - 1);
    for (const Entry& entry : entries) {
        scratch[next[bucketOf(entry)]++] = entry;
    }
    std::copy(scratch.begin(), scratch.begin() + static_cast<std::ptrdiff_t>(entries.size()),
              entries.begin());
    // Within a bucket the leads agree up to its bits' end, so each pass reads further on.
    for (std::size_t b = 0; b + 1 < starts.size(); ++b) {
        const std::size_t size = starts[b + 1] - starts[b];
        if (size > 1) {
            SortByLead(entries.subspan(starts[b], size), scratch.subspan(starts[b], size));
        }
    }
}

} // namespace

int32_t superarray::FindSortName(const std::string& name) const {
    if (name.empty()) {
        return 0;
    }
    const std::string lower = LowerText(name);
    const auto found = std::find_if(SortNames.begin(), SortNames.end(),
                                    [&](const SortName& slot) { return slot.Name == lower; });
    return found == SortNames.end() ? 0 : static_cast<int32_t>(found - SortNames.begin()) + 1;
}

void superarray::RegisterSortName(int32_t column, const std::string& name) {
    int32_t slot = FindSortName(name);
    if (slot == 0 && !name.empty()) {
        const auto free = std::find_if(SortNames.begin(), SortNames.end(),
                                       [](const SortName& s) { return s.Name.empty(); });
        if (free != SortNames.end()) {
            free->Name = LowerText(name);
            slot = static_cast<int32_t>(free - SortNames.begin()) + 1;
        }
    }
    if (slot != 0) {
        SortNames[static_cast<std::size_t>(slot) - 1].Column = column;
    }
}

std::vector<superarray::SortKeyName> superarray::SortKeyNames() const {
    std::vector<SortKeyName> names;
    const std::string& spec = SortSpec;
    std::size_t pos = 0;
    do {
        SortKeyName key;
        if (pos < spec.size() && spec[pos] == '-') {
            key.Descending = true;
            ++pos;
        }
        // Without a separator every character is a key name.
        const std::size_t end = KeySeparator.empty()
                                    ? std::min(pos + 1, spec.size())
                                    : std::min(spec.find(KeySeparator, pos), spec.size());
        key.Name = spec.substr(pos, end - pos);
        pos = KeySeparator.empty() || end == spec.size() ? end : end + KeySeparator.size();
        names.push_back(std::move(key));
    } while (pos < spec.size());
    return names;
}

std::vector<superarray::SortKey> superarray::ParseSortSpec() const {
    std::vector<SortKey> keys;
    for (const SortKeyName& named : SortKeyNames()) {
        const std::string& name = named.Name;
        SortKey key{InsertionColumn, named.Descending, false};
        if (const int32_t slot = FindSortName(name); slot != 0) {
            key.Column = SortNames[static_cast<std::size_t>(slot) - 1].Column;
            // A name written with an upper-case letter asks for a case-sensitive key.
            key.CaseSensitive = name != LowerText(name);
        }
        // Keys that compare all rows equal, or repeat an earlier key, can never decide; leaving
        // them out also bounds the work for a specification that names one key many times.
        const bool repeated = std::any_of(keys.begin(), keys.end(), [&](const SortKey& k) {
            return k.Column == key.Column && k.CaseSensitive == key.CaseSensitive;
        });
        if (!repeated && (IsTextColumn(key.Column) || key.Column == InsertionColumn)) {
            keys.push_back(key);
        }
    }
    // Insertion numbers decide last, so the order is total and independent of the one before.
    keys.push_back({InsertionColumn, false, false});
    return keys;
}

// One sort's working state: the keys, the texts made for them, and the rows with their leads.
struct superarray::RowSorter {
    explicit RowSorter(superarray& table)
        : Table(table), Keys(table.ParseSortSpec()),
          RowCount(static_cast<std::size_t>(table.RowCount)), Texts(Keys.size()), Made(Keys.size()),
          Entries(RowCount) {
        for (std::size_t r = 1; r <= RowCount; ++r) {
            Entries[r - 1].Row = static_cast<int32_t>(r);
        }
    }

    // Gives every row its lead and sorts the rows by it.
    void SortByLeads();
    // Orders the rows whose leads tie by all their keys.
    void OrderTies();
    // Notes the order found as the table's order of rows.
    void NoteOrder();

private:
    // Rows whose leads tie: entries Begin..End-1.
    struct Run {
        std::size_t Begin;
        std::size_t End;
        bool Whole; // every lead whole: the first key ties throughout
    };
    // Numbers of a list beyond which its text decides ties.
    static constexpr std::size_t MaxListNumbers = 2048;

    const ColumnSetting& ColumnOf(std::size_t k) const {
        return Table.Columns[static_cast<std::size_t>(Keys[k].Column)];
    }
    bool IsTextKey(std::size_t k) const { return Keys[k].Column != InsertionColumn; }
    // Makes key k's texts for the rows `which`; a key's texts are made once, so that comparing
    // two rows neither allocates nor folds case.
    void MakeTexts(std::size_t k, const std::vector<int32_t>& which);
    // The same into `made`, with Texts[k] already sized: two threads make texts at once.
    void MakeTextsInto(std::size_t k, const std::vector<int32_t>& which, std::string& made);
    bool SortByNumberLeads(std::vector<Entry>& scratch);
    void LeadsFromTexts();
    // Whether row a goes before row b, by the keys from `from` on.
    bool GoesBefore(int32_t a, int32_t b, std::size_t from) const;
    bool OrderByNumbers(const Run& run);

    superarray& Table;
    const std::vector<SortKey> Keys;
    const std::size_t RowCount;
    std::vector<std::vector<std::string_view>> Texts; // per key, at row numbers; empty: not made
    std::vector<std::string> Made;                    // per key, texts made to be read
    std::string SecondHalfMade; // the first key's texts that a second thread made
    std::vector<Entry> Entries;
    std::vector<int64_t> ListBuffer;    // one row's numbers
    std::vector<int64_t> RunNumbers;    // the numbers of a run's rows, one after the other
    std::vector<std::size_t> RunStarts; // where each row's numbers start, and the end
    bool NumbersLead = false;           // the leads are the first key's numbers, not its texts
};

void superarray::RowSorter::MakeTexts(std::size_t k, const std::vector<int32_t>& which) {
    Texts[k].resize(RowCount + 1);
    MakeTextsInto(k, which, Made[k]);
}

void superarray::RowSorter::MakeTextsInto(std::size_t k, const std::vector<int32_t>& which,
                                          std::string& made) {
    // Numbers have no case; folding the texts of a numeric column would only cost time.
    const bool exact = Keys[k].CaseSensitive || ColumnOf(k).NumericSort;
    KeyTexts(Table, which, Keys[k].Column, exact, made, Texts[k]);
}

// Gives every entry its lead from the rows' leading numbers and sorts the entries by them;
// false, with the order unfinished, when a row has none to give or they do not pack. Numbers
// that fill the whole array may have more behind them. A tall table's leads are shared with the
// second thread (the lead functions only read the table), part by part as each thread comes
// free; then each thread sorts one half and the sorted halves are merged. That roughly halves
// the larger part of a keystroke sorted by a divisor list.
bool superarray::RowSorter::SortByNumberLeads(std::vector<Entry>& scratch) {
    const ColumnSetting& column = ColumnOf(0);
    if (!column.NumericSort || !column.LeadingNumbers) {
        return false;
    }
    std::atomic<bool> packed = true;
    InParts(Entries.size(), [&](std::size_t begin, std::size_t end) {
        std::array<int64_t, MaxPackedNumbers> numbers{};
        for (std::size_t i = begin; i < end && packed.load(std::memory_order_relaxed); ++i) {
            Entry& entry = Entries[i];
            const std::optional<std::size_t> count =
                column.LeadingNumbers(Table, entry.Row, numbers);
            if (!count || !PackedNumbers(std::span<const int64_t>(numbers).first(
                                             std::min(*count, numbers.size())),
                                         entry.Lead, entry.Whole)) {
                packed = false;
                break;
            }
            entry.Whole = entry.Whole && *count < numbers.size();
        }
    });
    if (!packed) {
        for (Entry& each : Entries) {
            each.Whole = false;
        }
        return false;
    }
    const std::span<Entry> all(Entries);
    const std::span<Entry> room(scratch);
    const bool descending = Keys[0].Descending;
    const std::size_t half = InHalves(all.size(), [&](std::size_t begin, std::size_t end) {
        const std::span<Entry> part = all.subspan(begin, end - begin);
        if (descending) {
            Invert(part);
        }
        SortByLead(part, room.subspan(begin, end - begin));
    });
    if (half < all.size()) {
        std::merge(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(half),
                   all.begin() + static_cast<std::ptrdiff_t>(half), all.end(), scratch.begin(),
                   [](const Entry& x, const Entry& y) { return x.Lead < y.Lead; });
        Entries.swap(scratch);
    }
    return true;
}

// A numeric column's texts lead with several numbers when every text is a list of whole
// numbers, else with the leading part of the first number; other texts with their first bytes.
// A tall table's texts and leads are made by two threads, each for half of the rows: computed
// texts (an area percentage, a pixel difference) cost as much as the rest of the sort.
void superarray::RowSorter::LeadsFromTexts() {
    const bool numeric = ColumnOf(0).NumericSort;
    std::vector<std::string_view>& texts = Texts[0];
    texts.resize(RowCount + 1);
    const auto textOf = [&](const Entry& entry) {
        return texts[static_cast<std::size_t>(entry.Row)];
    };
    // Each half of the entries holds the rows of that half of the table, in whatever order a
    // try with the rows' numbers left them; each thread reads only the texts it made.
    std::array<bool, 2> packed{true, true};
    InHalves(Entries.size(), [&](std::size_t begin, std::size_t end) {
        const std::size_t part = begin == 0 ? 0 : 1;
        std::vector<int32_t> rows(end - begin);
        std::iota(rows.begin(), rows.end(), static_cast<int32_t>(begin + 1));
        MakeTextsInto(0, rows, part == 0 ? Made[0] : SecondHalfMade);
        for (std::size_t i = begin; i < end; ++i) {
            Entry& entry = Entries[i];
            if (!numeric) {
                entry.Lead = {TextPrefix(textOf(entry)), 0};
            } else if (packed[part]) {
                packed[part] = PackedNumbers(textOf(entry), entry.Lead);
            }
        }
    });
    if (numeric && !(packed[0] && packed[1])) {
        InHalves(Entries.size(), [&](std::size_t begin, std::size_t end) {
            for (std::size_t i = begin; i < end; ++i) {
                Entries[i].Lead = {NumericPrefix(textOf(Entries[i])), 0};
            }
        });
    }
}

void superarray::RowSorter::SortByLeads() {
    std::vector<Entry> scratch(RowCount);
    if (IsTextKey(0) && (NumbersLead = SortByNumberLeads(scratch))) {
        return;
    }
    if (!IsTextKey(0)) {
        for (Entry& entry : Entries) {
            entry.Lead.High = Table.RowAt(entry.Row).Insertion;
        }
    } else {
        LeadsFromTexts();
    }
    if (Keys[0].Descending) {
        Invert(Entries);
    }
    SortByLead(Entries, scratch);
}

bool superarray::RowSorter::GoesBefore(int32_t a, int32_t b, std::size_t from) const {
    const auto ra = static_cast<std::size_t>(a);
    const auto rb = static_cast<std::size_t>(b);
    for (std::size_t k = from; k < Keys.size(); ++k) {
        int order = 0;
        if (!IsTextKey(k)) {
            const uint32_t insertionA = Table.RowAt(a).Insertion;
            const uint32_t insertionB = Table.RowAt(b).Insertion;
            order = insertionA < insertionB ? -1 : insertionB < insertionA ? 1 : 0;
        } else if (ColumnOf(k).NumericSort) {
            order = CompareNumeric(Texts[k][ra], Texts[k][rb]);
        } else {
            order = Texts[k][ra].compare(Texts[k][rb]);
        }
        if (order != 0) {
            return Keys[k].Descending ? order > 0 : order < 0;
        }
    }
    // Rows can share an insertion number (blank slots have 0, and a cut after a sort lets
    // AddRow hand out a number again); such rows keep their order.
    return a < b;
}

// Orders a run by all the numbers its rows' first key gives: equal numbers mean equal texts.
// False, and nothing changed, when a row has none to give or more than are asked for; its
// texts must decide then.
bool superarray::RowSorter::OrderByNumbers(const Run& run) {
    const ColumnSetting& column = ColumnOf(0);
    std::vector<int64_t>& numbers = RunNumbers;
    std::vector<std::size_t>& starts = RunStarts;
    numbers.clear();
    starts.assign(1, 0);
    ListBuffer.resize(MaxListNumbers);
    for (std::size_t i = run.Begin; i < run.End; ++i) {
        const std::optional<std::size_t> count =
            column.LeadingNumbers(Table, Entries[i].Row, ListBuffer);
        if (!count || *count >= ListBuffer.size()) {
            return false;
        }
        numbers.insert(numbers.end(), ListBuffer.begin(),
                       ListBuffer.begin() + static_cast<std::ptrdiff_t>(*count));
        starts.push_back(numbers.size());
    }
    const auto numbersAt = [&](std::size_t i) {
        return std::span<const int64_t>(numbers).subspan(starts[i], starts[i + 1] - starts[i]);
    };
    std::vector<std::size_t> order(run.End - run.Begin);
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](std::size_t i, std::size_t j) {
        const std::span<const int64_t> a = numbersAt(i);
        const std::span<const int64_t> b = numbersAt(j);
        const int byNumbers = CompareNumbers(a, b);
        if (byNumbers != 0) {
            return Keys[0].Descending ? byNumbers > 0 : byNumbers < 0;
        }
        return GoesBefore(Entries[run.Begin + i].Row, Entries[run.Begin + j].Row, 1);
    });
    std::vector<Entry> ordered;
    ordered.reserve(order.size());
    for (const std::size_t i : order) {
        ordered.push_back(Entries[run.Begin + i]);
    }
    std::copy(ordered.begin(), ordered.end(),
              Entries.begin() + static_cast<std::ptrdiff_t>(run.Begin));
    return true;
}

void superarray::RowSorter::OrderTies() {
    std::vector<Run> runs;
    std::vector<int32_t> tied;
    for (std::size_t begin = 0, end = 0; begin < RowCount; begin = end) {
        bool whole = Entries[begin].Whole;
        for (end = begin + 1; end < RowCount && Entries[end].Lead == Entries[begin].Lead; ++end) {
            whole = whole && Entries[end].Whole;
        }
        if (end - begin > 1) {
            runs.push_back({begin, end, whole});
            for (std::size_t i = begin; i < end; ++i) {
                tied.push_back(Entries[i].Row);
            }
        }
    }
    // Only tied rows need the texts of the other keys.
    for (std::size_t k = 1; k < Keys.size() && !tied.empty(); ++k) {
        if (IsTextKey(k) && Texts[k].empty()) {
            MakeTexts(k, tied);
        }
    }
    // The first key's texts are needed where neither whole leads nor all numbers decide.
    std::vector<Run> byTexts;
    std::vector<int32_t> rows;
    for (const Run& run : runs) {
        if (run.Whole) {
            std::sort(Entries.begin() + static_cast<std::ptrdiff_t>(run.Begin),
                      Entries.begin() + static_cast<std::ptrdiff_t>(run.End),
                      [&](const Entry& a, const Entry& b) { return GoesBefore(a.Row, b.Row, 1); });
        } else if (!NumbersLead || !OrderByNumbers(run)) {
            byTexts.push_back(run);
            for (std::size_t i = run.Begin; i < run.End; ++i) {
                rows.push_back(Entries[i].Row);
            }
        }
    }
    if (IsTextKey(0) && Texts[0].empty() && !rows.empty()) {
        MakeTexts(0, rows);
    }
    for (const Run& run : byTexts) {
        std::sort(Entries.begin() + static_cast<std::ptrdiff_t>(run.Begin),
                  Entries.begin() + static_cast<std::ptrdiff_t>(run.End),
                  [&](const Entry& a, const Entry& b) { return GoesBefore(a.Row, b.Row, 0); });
    }
}

void superarray::RowSorter::NoteOrder() {
    std::vector<uint32_t> order(RowCount + 1);
    bool moved = false;
    for (std::size_t i = 1; i <= RowCount; ++i) {
        order[i] = static_cast<uint32_t>(Table.SlotOf(Entries[i - 1].Row));
        moved = moved || order[i] != i;
    }
    if (moved) {
        Table.Order.swap(order);
    } else {
        Table.Order.clear();
    }
}

void superarray::Settle() {
    // Each row moves once, along the cycles of the order, without a second table. The texts
    // are copied into the buffers the slots hold rather than moved with their buffers: the
    // buffers then stay in slot order in memory, and the next fill and sort, which walk the
    // slots in order, do not jump about in memory.
    std::vector<uint32_t> source;
    source.swap(Order);
    const std::size_t count = source.size();
    // The walk reads rows at random places. The rows some steps ahead on the cycle are asked
    // for early, and their texts when those rows have arrived, so that the waits for memory
    // overlap instead of following one another. A cycle's places not yet walked still hold
    // their sources; the look-ahead of a short cycle, such as a reversal's pairs, stops at its
    // start.
    constexpr int RowsAhead = 16;
    constexpr int TextsAhead = 8;
    const auto next = [&source](std::size_t at) { return static_cast<std::size_t>(source[at]); };
    PackedRow held;
    for (std::size_t start = 1; start < count; ++start) {
        if (next(start) == start) {
            continue;
        }
        held = Rows[start];
        std::size_t rowAhead = next(start);
        std::size_t textAhead = rowAhead;
        for (int step = 1; step < RowsAhead && rowAhead != start; ++step) {
            rowAhead = next(rowAhead);
            textAhead = step < TextsAhead ? next(textAhead) : textAhead;
        }
        for (std::size_t to = start;;) {
            __builtin_prefetch(&Rows[rowAhead]);
            Rows[textAhead].PrefetchTexts();
            rowAhead = next(rowAhead);
            textAhead = next(textAhead);
            const auto from = next(to);
            source[to] = static_cast<uint32_t>(to);
            if (from == start) {
                Rows[to] = held;
                break;
            }
            Rows[to] = Rows[from];
            to = from;
        }
    }
}

void superarray::Sort() {
    if (RowCount < 2) {
        return;
    }
    Materialize(RowCount);
    RowSorter sorter(*this);
    sorter.SortByLeads();
    sorter.OrderTies();
    sorter.NoteOrder();
}

void superarray::SortBy(const std::string& spec) {
    SortSpec = spec;
    Sort();
}
