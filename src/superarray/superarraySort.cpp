#include "superarray/superarray.h"

#include "util/TextParse.h"

#include <algorithm>

namespace {

bool IsTextColumn(int32_t column) {
    return column >= 0 && column < superarray::CellColumns;
}

// The texts of one column for rows 1..n (index 0 unused). Texts that must be made first,
// computed or lower-cased, are kept in `made`.
std::vector<std::string_view> KeyTexts(const superarray& table, const std::vector<PackedRow>& rows,
                                       std::size_t n, int32_t column, bool caseSensitive,
                                       std::string& made) {
    std::vector<std::string_view> texts(n + 1);
    const auto& source = table.Columns[static_cast<std::size_t>(column)].Source;
    if (caseSensitive && !source) {
        for (std::size_t r = 1; r <= n; ++r) {
            texts[r] = rows[r].Cell(column);
        }
        return texts;
    }
    std::vector<std::size_t> ends(n + 1, 0);
    for (std::size_t r = 1; r <= n; ++r) {
        std::string text =
            source ? source(table, static_cast<int32_t>(r)) : std::string(rows[r].Cell(column));
        // Not a conditional expression: that would copy the text once more.
        if (caseSensitive) {
            made += text;
        } else {
            made += LowerText(text);
        }
        ends[r] = made.size();
    }
    for (std::size_t r = 1; r <= n; ++r) {
        texts[r] = std::string_view(made).substr(ends[r - 1], ends[r] - ends[r - 1]);
    }
    return texts;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
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

// The leading numbers of a text as 128 bits that order like CompareNumeric wherever they
// differ: each number as its count of digits plus one (4 bits) and then its digits (4 bits
// each), 0 after the last number, cut after 128 bits. Lists such as divisor lists, which
// often share their first numbers, are then ordered without reading their texts. Only whole
// numbers of at most 14 digits pack: false when a number that reaches the key has a sign, a
// fraction or more digits (numbers past the key only decide ties, which read the texts).
bool PackedNumbers(std::string_view text, Prefix& key) {
    constexpr std::size_t MaxDigits = 14;
    key = {};
    int bits = 128; // bits of the key still free, from the low end
    const auto put = [&](uint64_t nibble) {
        if (bits > 0) {
            bits -= 4;
            (bits >= 64 ? key.High : key.Low) |= nibble << (bits % 64);
        }
    };
    std::size_t pos = 0;
    Number number;
    while (bits > 0 && NextNumber(text, pos, number)) {
        if (number.Negative || !number.Fraction.empty() || number.Whole.size() > MaxDigits) {
            return false;
        }
        put(number.Whole.size() + 1);
        for (const char digit : number.Whole) {
            put(static_cast<uint64_t>(digit - '0'));
        }
    }
    return true;
}

uint64_t TextPrefix(std::string_view text) {
    uint64_t prefix = 0;
    for (std::size_t i = 0; i < std::min<std::size_t>(text.size(), 8); ++i) {
        prefix |= uint64_t{static_cast<unsigned char>(text[i])} << (56 - 8 * i);
    }
    return prefix;
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

std::vector<superarray::SortKey> superarray::ParseSortSpec() const {
    std::vector<SortKey> keys;
    const std::string& spec = SortSpec;
    std::size_t pos = 0;
    do {
        SortKey key{InsertionColumn, false, false};
        if (pos < spec.size() && spec[pos] == '-') {
            key.Descending = true;
            ++pos;
        }
        // Without a separator every character is a key name.
        const std::size_t end = KeySeparator.empty()
                                    ? std::min(pos + 1, spec.size())
                                    : std::min(spec.find(KeySeparator, pos), spec.size());
        const std::string name = spec.substr(pos, end - pos);
        pos = KeySeparator.empty() || end == spec.size() ? end : end + KeySeparator.size();
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
    } while (pos < spec.size());
    // Insertion numbers decide last, so the order is total and independent of the one before.
    keys.push_back({InsertionColumn, false, false});
    return keys;
}

void superarray::Sort() {
    const int32_t n = RowCount;
    if (n < 2) {
        return;
    }
    const std::vector<SortKey> keys = ParseSortSpec();
    Materialize(n);
    const auto rowCount = static_cast<std::size_t>(n);

    // Every text key gets its texts once, so that comparing two rows neither allocates nor
    // folds case.
    std::vector<std::vector<std::string_view>> texts(keys.size());
    std::vector<std::string> made(keys.size());
    for (std::size_t k = 0; k < keys.size(); ++k) {
        if (keys[k].Column != InsertionColumn) {
            // Numbers have no case; folding the texts of a numeric column would only cost time.
            const bool exact = keys[k].CaseSensitive ||
                               Columns[static_cast<std::size_t>(keys[k].Column)].NumericSort;
            texts[k] = KeyTexts(*this, Rows, rowCount, keys[k].Column, exact, made[k]);
        }
    }

    const auto goesBefore = [&](int32_t a, int32_t b) {
        const auto ra = static_cast<std::size_t>(a);
        const auto rb = static_cast<std::size_t>(b);
        for (std::size_t k = 0; k < keys.size(); ++k) {
            int order = 0;
            if (keys[k].Column == InsertionColumn) {
                order = Rows[ra].Insertion < Rows[rb].Insertion   ? -1
                        : Rows[rb].Insertion < Rows[ra].Insertion ? 1
                                                                  : 0;
            } else if (Columns[static_cast<std::size_t>(keys[k].Column)].NumericSort) {
                order = CompareNumeric(texts[k][ra], texts[k][rb]);
            } else {
                order = texts[k][ra].compare(texts[k][rb]);
            }
            if (order != 0) {
                return keys[k].Descending ? order > 0 : order < 0;
            }
        }
        // Rows can share an insertion number (blank slots have 0, and a cut after a sort lets
        // AddRow hand out a number again); such rows keep their order.
        return a < b;
    };

    // The first key's leading part (an insertion number, the first 8 bytes of a text, the
    // leading numbers of a list or the leading part of its first number, which order like the
    // key wherever they differ) decides most comparisons without the texts.
    struct Entry {
        Prefix Lead;
        int32_t Row;
    };
    const SortKey& first = keys.front();
    const bool numeric = first.Column != InsertionColumn &&
                         Columns[static_cast<std::size_t>(first.Column)].NumericSort;
    // Numeric texts that are all lists of whole numbers get several numbers in their prefix.
    bool packed = numeric;
    std::vector<Entry> entries(rowCount);
    for (std::size_t r = 1; r <= rowCount; ++r) {
        Prefix lead;
        if (first.Column == InsertionColumn) {
            lead.High = Rows[r].Insertion;
        } else if (!numeric) {
            lead.High = TextPrefix(texts[0][r]);
        } else if (!packed || !(packed = PackedNumbers(texts[0][r], lead))) {
            lead = {NumericPrefix(texts[0][r]), 0};
        }
        entries[r - 1] = {lead, static_cast<int32_t>(r)};
    }
    // One row that does not pack makes every row use the first number alone.
    if (numeric && !packed) {
        for (Entry& entry : entries) {
            entry.Lead = {NumericPrefix(texts[0][static_cast<std::size_t>(entry.Row)]), 0};
        }
    }
    if (first.Descending) {
        for (Entry& entry : entries) {
            entry.Lead = {~entry.Lead.High, ~entry.Lead.Low};
        }
    }
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        return a.Lead != b.Lead ? a.Lead < b.Lead : goesBefore(a.Row, b.Row);
    });

    std::vector<PackedRow> sorted;
    sorted.reserve(rowCount);
    for (const Entry& entry : entries) {
        sorted.push_back(std::move(Rows[static_cast<std::size_t>(entry.Row)]));
    }
    std::move(sorted.begin(), sorted.end(), Rows.begin() + 1);
}

void superarray::SortBy(const std::string& spec) {
    SortSpec = spec;
    Sort();
}
