#include "superarray/superarray.h"

#include "util/TextParse.h"

#include <algorithm>
#include <array>
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
void KeyTexts(const superarray& table, const std::vector<PackedRow>& rows,
              const std::vector<int32_t>& which, int32_t column, bool caseSensitive,
              std::string& made, std::vector<std::string_view>& texts) {
    const auto& source = table.Columns[static_cast<std::size_t>(column)].Source;
    if (caseSensitive && !source) {
        for (const int32_t r : which) {
            texts[static_cast<std::size_t>(r)] = rows[static_cast<std::size_t>(r)].Cell(column);
        }
        return;
    }
    std::vector<std::size_t> ends;
    ends.reserve(which.size());
    for (const int32_t r : which) {
        std::string text =
            source ? source(table, r) : std::string(rows[static_cast<std::size_t>(r)].Cell(column));
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

// One number of a text: its digits without leading zeros before the point and without
// trailing zeros after it, so that equal values have equal digits.
struct Number {
    bool Negative = false;
    std::string_view Whole;
    std::string_view Fraction;
};

// The next number at or after `pos`; false when the text holds no more.
bool NextNumber(std::string_view text, std::size_t& pos, Number& number) {
    std::size_t start = pos;
    while (start < text.size() && !IsDigit(text[start])) {
        ++start;
    }
    if (start == text.size()) {
        pos = start;
        return false;
    }
    // A minus between two numbers ("5-3") joins them; right before a number it is a sign.
    const bool minus =
        start > 0 && text[start - 1] == '-' && (start < 2 || !IsDigit(text[start - 2]));
    std::size_t end = start;
    while (end < text.size() && IsDigit(text[end])) {
        ++end;
    }
    number.Whole = text.substr(start, end - start);
    number.Fraction = {};
    if (end + 1 < text.size() && text[end] == '.' && IsDigit(text[end + 1])) {
        const std::size_t point = end;
        end += 1;
        while (end < text.size() && IsDigit(text[end])) {
            ++end;
        }
        number.Fraction = text.substr(point + 1, end - point - 1);
    }
    pos = end;
    while (!number.Whole.empty() && number.Whole.front() == '0') {
        number.Whole.remove_prefix(1);
    }
    while (!number.Fraction.empty() && number.Fraction.back() == '0') {
        number.Fraction.remove_suffix(1);
    }
    number.Negative = minus && !(number.Whole.empty() && number.Fraction.empty());
    return true;
}

int CompareMagnitude(const Number& a, const Number& b) {
    if (a.Whole.size() != b.Whole.size()) {
        return a.Whole.size() < b.Whole.size() ? -1 : 1;
    }
    if (const int order = a.Whole.compare(b.Whole); order != 0) {
        return order;
    }
    return a.Fraction.compare(b.Fraction);
}

int CompareNumber(const Number& a, const Number& b) {
    if (a.Negative != b.Negative) {
        return a.Negative ? -1 : 1;
    }
    const int order = CompareMagnitude(a, b);
    return a.Negative ? -order : order;
}

// Number by number; a text that runs out of numbers first is less; texts equal in every
// number compare by character code.
int CompareNumeric(std::string_view a, std::string_view b) {
    std::size_t posA = 0;
    std::size_t posB = 0;
    Number numberA;
    Number numberB;
    while (true) {
        const bool hasA = NextNumber(a, posA, numberA);
        const bool hasB = NextNumber(b, posB, numberB);
        if (!hasA || !hasB) {
            if (hasA != hasB) {
                return hasA ? 1 : -1;
            }
            break;
        }
        if (const int order = CompareNumber(numberA, numberB); order != 0) {
            return order;
        }
    }
    return a.compare(b);
}

// The first number of a text as 64 bits that order like the numbers wherever they differ:
// the sign, the count of whole digits and the first 13 digits. Equal leading parts tie, and
// a text without a number is below all others.
uint64_t NumericPrefix(std::string_view text) {
    std::size_t pos = 0;
    Number number;
    if (!NextNumber(text, pos, number)) {
        return 0;
    }
    constexpr std::size_t MaxWholeDigits = 255;
    constexpr std::size_t PackedDigits = 13;
    uint64_t magnitude = uint64_t{std::min(number.Whole.size(), MaxWholeDigits)} << 55;
    // Beyond 255 whole digits the count no longer orders them: leave the rest to the texts.
    if (number.Whole.size() < MaxWholeDigits) {
        std::size_t i = 0;
        for (const std::string_view digits : {number.Whole, number.Fraction}) {
            for (std::size_t d = 0; d < digits.size() && i < PackedDigits; ++d, ++i) {
                magnitude |= uint64_t(digits[d] - '0') << (51 - 4 * i);
            }
        }
    }
    constexpr uint64_t SignBit = uint64_t{1} << 63;
    // The low three bits stay clear in a magnitude, so a negative number never reaches 0.
    return number.Negative ? ~magnitude & (SignBit - 1) : SignBit | magnitude;
}

// A sort key's leading part as 128 bits, compared high word first.
struct Prefix {
    uint64_t High = 0;
    uint64_t Low = 0;
    auto operator<=>(const Prefix&) const = default;
};

// Packs leading numbers into 128 bits that order like CompareNumeric wherever they differ:
// each number as its count of digits plus one (4 bits) and then its digits (4 bits each), 0
// after the last number, cut after 128 bits. Lists such as divisor lists, which often share
// their first numbers, are then ordered without reading their texts. Only whole numbers of at
// most 14 digits pack (numbers past the key only decide ties).
class NumberPacker {
public:
    // A zero has no digits left once its leading zeros are gone, and takes 4 bits.
    static constexpr std::size_t MaxNumbers = 32;

    bool Full() const { return Bits == 0; }
    // A number by its digits without leading zeros; false when there are too many.
    bool Put(std::string_view digits) {
        if (digits.size() > MaxDigits) {
            return false;
        }
        uint64_t nibbles = digits.size() + 1;
        for (const char digit : digits) {
            nibbles = nibbles << 4 | static_cast<uint64_t>(digit - '0');
        }
        PutNibbles(nibbles, digits.size() + 1);
        return true;
    }
    // The same for a number itself.
    bool Put(uint64_t number) {
        uint64_t digits = 0;
        std::size_t count = 0;
        for (; number != 0; number /= 10, ++count) {
            if (count == MaxDigits) {
                return false;
            }
            digits |= (number % 10) << (4 * count);
        }
        PutNibbles((count + 1) << (4 * count) | digits, count + 1);
        return true;
    }
    Prefix Key;
    bool Cut = false; // a number did not fit

private:
    static constexpr std::size_t MaxDigits = 14;

    // The low `count` nibbles of `nibbles` after those put before; what does not fit is cut.
    void PutNibbles(uint64_t nibbles, std::size_t count) {
        auto width = static_cast<int>(4 * count);
        if (width > Bits) {
            Cut = true;
            if (Bits == 0) {
                return;
            }
            nibbles >>= width - Bits;
            width = Bits;
        }
        Bits -= width;
        if (Bits >= 64) {
            Key.High |= nibbles << (Bits - 64);
        } else {
            Key.Low |= nibbles << Bits;
            if (Bits + width > 64) {
                Key.High |= nibbles >> (64 - Bits);
            }
        }
    }
    int Bits = 128; // bits of the key still free, from the low end
};

// The packed leading numbers of a text; false when a number that reaches the key has a sign,
// a fraction or too many digits.
bool PackedNumbers(std::string_view text, Prefix& key) {
    NumberPacker packer;
    std::size_t pos = 0;
    Number number;
    while (!packer.Full() && NextNumber(text, pos, number)) {
        if (number.Negative || !number.Fraction.empty() || !packer.Put(number.Whole)) {
            return false;
        }
    }
    key = packer.Key;
    return true;
}

// The same key from the numbers themselves; `whole` tells whether it holds all of them.
bool PackedNumbers(std::span<const int64_t> numbers, Prefix& key, bool& whole) {
    NumberPacker packer;
    std::size_t i = 0;
    for (; i < numbers.size() && !packer.Full(); ++i) {
        if (numbers[i] < 0 || !packer.Put(static_cast<uint64_t>(numbers[i]))) {
            return false;
        }
    }
    key = packer.Key;
    whole = i == numbers.size() && !packer.Cut;
    return true;
}

int CompareNumbers(std::span<const int64_t> a, std::span<const int64_t> b) {
    const auto order =
        std::lexicographical_compare_three_way(a.begin(), a.end(), b.begin(), b.end());
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

uint64_t TextPrefix(std::string_view text) {
    uint64_t prefix = 0;
    for (std::size_t i = 0; i < std::min<std::size_t>(text.size(), 8); ++i) {
        prefix |= uint64_t{static_cast<unsigned char>(text[i])} << (56 - 8 * i);
    }
    return prefix;
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
    // Puts the table's rows into the order found.
    void MoveRows();

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
    std::vector<int32_t> AllRows() const;
    // Makes key k's texts for the rows `which`; a key's texts are made once, so that comparing
    // two rows neither allocates nor folds case.
    void MakeTexts(std::size_t k, const std::vector<int32_t>& which);
    bool LeadsFromNumbers();
    void LeadsFromTexts();
    // Whether row a goes before row b, by the keys from `from` on.
    bool GoesBefore(int32_t a, int32_t b, std::size_t from) const;
    bool OrderByNumbers(const Run& run);

    superarray& Table;
    const std::vector<SortKey> Keys;
    const std::size_t RowCount;
    std::vector<std::vector<std::string_view>> Texts; // per key, at row numbers; empty: not made
    std::vector<std::string> Made;                    // per key, texts made to be read
    std::vector<Entry> Entries;
    std::vector<int64_t> ListBuffer;    // one row's numbers
    std::vector<int64_t> RunNumbers;    // the numbers of a run's rows, one after the other
    std::vector<std::size_t> RunStarts; // where each row's numbers start, and the end
    bool NumbersLead = false;           // the leads are the first key's numbers, not its texts
};

std::vector<int32_t> superarray::RowSorter::AllRows() const {
    std::vector<int32_t> rows(RowCount);
    std::iota(rows.begin(), rows.end(), 1);
    return rows;
}

void superarray::RowSorter::MakeTexts(std::size_t k, const std::vector<int32_t>& which) {
    // Numbers have no case; folding the texts of a numeric column would only cost time.
    const bool exact = Keys[k].CaseSensitive || ColumnOf(k).NumericSort;
    Texts[k].resize(RowCount + 1);
    KeyTexts(Table, Table.Rows, which, Keys[k].Column, exact, Made[k], Texts[k]);
}

// The leads from the rows' leading numbers; false when a row has none to give or they do not
// pack. Numbers that fill the whole array may have more behind them.
bool superarray::RowSorter::LeadsFromNumbers() {
    const ColumnSetting& column = ColumnOf(0);
    if (!column.NumericSort || !column.LeadingNumbers) {
        return false;
    }
    std::array<int64_t, NumberPacker::MaxNumbers> numbers{};
    for (Entry& entry : Entries) {
        const std::optional<std::size_t> count = column.LeadingNumbers(Table, entry.Row, numbers);
        if (!count || !PackedNumbers(
                          std::span<const int64_t>(numbers).first(std::min(*count, numbers.size())),
                          entry.Lead, entry.Whole)) {
            for (Entry& each : Entries) {
                each.Whole = false;
            }
            return false;
        }
        entry.Whole = entry.Whole && *count < numbers.size();
    }
    return true;
}

// A numeric column's texts lead with several numbers when every text is a list of whole
// numbers, else with the leading part of the first number; other texts with their first bytes.
void superarray::RowSorter::LeadsFromTexts() {
    MakeTexts(0, AllRows());
    const std::vector<std::string_view>& texts = Texts[0];
    const auto textOf = [&](const Entry& entry) {
        return texts[static_cast<std::size_t>(entry.Row)];
    };
    if (!ColumnOf(0).NumericSort) {
        for (Entry& entry : Entries) {
            entry.Lead = {TextPrefix(textOf(entry)), 0};
        }
        return;
    }
    for (Entry& entry : Entries) {
        if (!PackedNumbers(textOf(entry), entry.Lead)) {
            for (Entry& each : Entries) {
                each.Lead = {NumericPrefix(textOf(each)), 0};
            }
            return;
        }
    }
}

void superarray::RowSorter::SortByLeads() {
    if (!IsTextKey(0)) {
        for (Entry& entry : Entries) {
            entry.Lead.High = Table.Rows[static_cast<std::size_t>(entry.Row)].Insertion;
        }
    } else if (NumbersLead = LeadsFromNumbers(); !NumbersLead) {
        LeadsFromTexts();
    }
    if (Keys[0].Descending) {
        for (Entry& entry : Entries) {
            entry.Lead = {~entry.Lead.High, ~entry.Lead.Low};
        }
    }
    // One counting pass on the leads' top bits (about one bucket a row, at most 2^16) spreads
    // the rows into buckets, each sorted alone: far fewer comparisons than one sort of them all.
    const int BucketShift = 64 - std::min(static_cast<int>(std::bit_width(RowCount)), 16);
    std::vector<uint32_t> starts((std::size_t{1} << (64 - BucketShift)) + 1, 0);
    for (const Entry& entry : Entries) {
        ++starts[(entry.Lead.High >> BucketShift) + 1];
    }
    std::partial_sum(starts.begin(), starts.end(), starts.begin());
    std::vector<Entry> spread(RowCount);
    std::vector<uint32_t> next(starts.begin(), starts.end() - 1);
    for (const Entry& entry : Entries) {
        spread[next[entry.Lead.High >> BucketShift]++] = entry;
    }
    for (std::size_t b = 0; b + 1 < starts.size(); ++b) {
        if (starts[b + 1] - starts[b] > 1) {
            std::sort(spread.begin() + starts[b], spread.begin() + starts[b + 1],
                      [](const Entry& x, const Entry& y) { return x.Lead < y.Lead; });
        }
    }
    Entries.swap(spread);
}

bool superarray::RowSorter::GoesBefore(int32_t a, int32_t b, std::size_t from) const {
    const auto ra = static_cast<std::size_t>(a);
    const auto rb = static_cast<std::size_t>(b);
    for (std::size_t k = from; k < Keys.size(); ++k) {
        int order = 0;
        if (!IsTextKey(k)) {
            const uint32_t insertionA = Table.Rows[ra].Insertion;
            const uint32_t insertionB = Table.Rows[rb].Insertion;
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

// Orders a run by all the numbers of its rows' first key, or by the keys of those lists where
// the column gives them: whole numbers compare like their texts, one after the other, and
// equal numbers mean equal texts. False, and nothing changed, when a row has none to give or
// more than are asked for; its texts must decide then.
bool superarray::RowSorter::OrderByNumbers(const Run& run) {
    const ColumnSetting& column = ColumnOf(0);
    std::vector<int64_t>& numbers = RunNumbers;
    std::vector<std::size_t>& starts = RunStarts;
    numbers.clear();
    starts.assign(1, 0);
    const bool byKeys = column.ListKey && column.CompareListKeys;
    ListBuffer.resize(byKeys ? MaxListKey : MaxListNumbers);
    for (std::size_t i = run.Begin; i < run.End; ++i) {
        std::optional<std::size_t> count;
        if (byKeys) {
            count = column.ListKey(Table, Entries[i].Row, ListBuffer);
        } else if (count = column.LeadingNumbers(Table, Entries[i].Row, ListBuffer);
                   count && *count >= ListBuffer.size()) {
            count.reset();
        }
        if (!count) {
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
        const int byNumbers = byKeys ? column.CompareListKeys(a, b) : CompareNumbers(a, b);
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

void superarray::RowSorter::MoveRows() {
    // Each row moves once, along the cycles of the new order, without a second table.
    std::vector<int32_t> source(RowCount);
    for (std::size_t i = 0; i < RowCount; ++i) {
        source[i] = Entries[i].Row;
    }
    std::vector<PackedRow>& rows = Table.Rows;
    for (std::size_t start = 1; start <= RowCount; ++start) {
        if (static_cast<std::size_t>(source[start - 1]) == start) {
            continue;
        }
        PackedRow held = std::move(rows[start]);
        for (std::size_t to = start;;) {
            const auto from = static_cast<std::size_t>(source[to - 1]);
            source[to - 1] = static_cast<int32_t>(to);
            if (from == start) {
                rows[to] = std::move(held);
                break;
            }
            rows[to] = std::move(rows[from]);
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
    sorter.MoveRows();
}

void superarray::SortBy(const std::string& spec) {
    SortSpec = spec;
    Sort();
}
