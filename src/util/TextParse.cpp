// Text helpers: cutting tokens, lenient and strict number reading, replacing, case folding
// and finding words.
#include "util/TextParse.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace {

// Our texts are UTF-8, so only the ASCII letters have a case; every other byte, including
// the parts of multi-byte characters, maps to itself.
constexpr std::array<char, 256> CaseTable(char from, char to) {
    std::array<char, 256> table{};
    for (int c = 0; c < 256; ++c) {
        table[static_cast<std::size_t>(c)] = static_cast<char>(c);
    }
    for (int k = 0; k < 26; ++k) {
        table[static_cast<unsigned char>(from + k)] = static_cast<char>(to + k);
    }
    return table;
}

constexpr std::array<char, 256> ToLower = CaseTable('A', 'a');
constexpr std::array<char, 256> ToUpper = CaseTable('a', 'A');

std::string MapCase(const std::string& text, const std::array<char, 256>& table) {
    std::string result(text);
    for (char& c : result) {
        c = table[static_cast<unsigned char>(c)];
    }
    return result;
}

// A single pass: every occurrence, left to right, replaced without looking at what the
// replacement produced.
std::string ReplaceOnce(const std::string& find, const std::string& replacement,
                        const std::string& text, std::size_t first) {
    std::string result;
    result.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at = first; at != std::string::npos; at = text.find(find, from)) {
        result.append(text, from, at - from);
        result += replacement;
        from = at + find.size();
    }
    result.append(text, from, std::string::npos);
    return result;
}

bool MatchesAt(const std::string& text, std::size_t at, const std::string& word,
               bool caseSensitive) {
    for (std::size_t k = 0; k < word.size(); ++k) {
        char c = text[at + k];
        char w = word[k];
        if (!caseSensitive) {
            c = ToLower[static_cast<unsigned char>(c)];
            w = ToLower[static_cast<unsigned char>(w)];
        }
        if (c != w) {
            return false;
        }
    }
    return true;
}

} // namespace

ConversionError::ConversionError(const std::string& token)
    : std::runtime_error("'" + token + "' is not a valid integer value") {}

std::string CutToken(std::string& source, char delimiter) {
    const std::size_t at = source.find(delimiter);
    if (at == std::string::npos) {
        std::string token;
        token.swap(source);
        return token;
    }
    std::string token = source.substr(0, at);
    source.erase(0, at + 1);
    return token;
}

std::string CutComma(std::string& source) {
    return CutToken(source, ',');
}

int32_t CutInt(std::string& source, char delimiter) {
    const std::string token = CutToken(source, delimiter);
    if (token.empty()) {
        return -1;
    }
    int32_t value = 0;
    if (!ReadInt32(token, value)) {
        throw ConversionError(token);
    }
    return value;
}

bool ReadInt32(std::string_view text, int32_t& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') {
        ++first; // from_chars knows only the minus sign
    }
    // "+-5" would pass from_chars after the plus; a digit must follow the plus.
    if (first == last || (first != text.data() && *first == '-')) {
        return false;
    }
    const auto result = std::from_chars(first, last, value);
    return result.ec == std::errc() && result.ptr == last;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string TokenBefore(const std::string& text, char delimiter) {
    return text.substr(0, text.find(delimiter));
}

std::string TextAfter(const std::string& text, char delimiter) {
    const std::size_t at = text.find(delimiter);
    return at == std::string::npos ? std::string() : text.substr(at + 1);
}

std::string DropRight(const std::string& text, std::size_t n) {
    return n > text.size() ? text : text.substr(0, text.size() - n);
}

bool StartsWith(const std::string& part, const std::string& text) {
    return text.starts_with(part);
}

bool EndsWith(const std::string& part, const std::string& text) {
    return text.ends_with(part);
}

// The filtered text keeps digits, points and a leading minus. It has no exponent, so its
// value can only overflow by length; from_chars reports that (and underflow) as an error,
// which reads as 0. A second point ends the number ("1.2.3" reads 1.2).
double TextToNumber(const std::string& text) {
    std::string kept;
    kept.reserve(text.size());
    for (const char c : text) {
        if (IsDigit(c) || c == '.' || (c == '-' && kept.empty())) {
            kept.push_back(c);
        }
    }
    double value = 0.0;
    const auto result =
        std::from_chars(kept.data(), kept.data() + kept.size(), value, std::chars_format::fixed);
    if (result.ec != std::errc() || value == 0.0) {
        return 0.0; // also turns "-0" into 0
    }
    return value;
}

int32_t TextToInt(const std::string& text) {
    // Plain digits (every width and height of a result row, read for each derived cell) need
    // no floating-point reading; up to nine digits cannot leave the 32-bit range.
    const std::size_t start = !text.empty() && text.front() == '-' ? 1 : 0;
    if (text.size() > start && text.size() - start <= 9 &&
        std::all_of(text.begin() + static_cast<std::ptrdiff_t>(start), text.end(), IsDigit)) {
        int32_t value = 0;
        for (std::size_t i = start; i < text.size(); ++i) {
            value = value * 10 + (text[i] - '0');
        }
        return start != 0 ? -value : value;
    }
    const double whole = std::trunc(TextToNumber(text));
    if (!(whole >= -2147483648.0 && whole <= 2147483647.0)) {
        return 0;
    }
    return static_cast<int32_t>(whole);
}

std::string TrimSeparators(const std::string& text, char separator) {
    const std::string single(1, separator);
    std::string result = ReplaceAll(single + single, single, text);
    if (!result.empty() && result.front() == separator) {
        result.erase(0, 1);
    }
    if (!result.empty() && result.back() == separator) {
        result.pop_back();
    }
    return result;
}

// Repeated passes end only because each one shortens the text. A replacement that is not
// shorter than `find` gets a single pass: when it contains `find` another pass would loop
// forever, and even when it does not, passes can grow the text without end ("ab" -> "bbaa"
// on "aab") or exponentially ("ab" -> "bba").
std::string ReplaceAll(const std::string& find, const std::string& replacement,
                       const std::string& text) {
    if (find.empty()) {
        return text;
    }
    std::size_t at = text.find(find);
    if (at == std::string::npos) {
        return text;
    }
    std::string result = ReplaceOnce(find, replacement, text, at);
    if (replacement.size() >= find.size()) {
        return result;
    }
    while ((at = result.find(find)) != std::string::npos) {
        result = ReplaceOnce(find, replacement, result, at);
    }
    return result;
}

std::string LowerText(const std::string& text) {
    return MapCase(text, ToLower);
}

std::string UpperText(const std::string& text) {
    return MapCase(text, ToUpper);
}

std::size_t FindWord(PosInfo& info, const std::string& word, const std::string& text) {
    info.FoundPos = std::string::npos;
    info.MatchCount = 0;
    if (word.empty() || word.size() > text.size()) {
        return std::string::npos;
    }
    const auto isDelimiter = [&info](char c) {
        return info.Delimiters.find(c) != std::string::npos;
    };
    const std::size_t lastStart = text.size() - word.size();
    for (std::size_t p = 0; p <= lastStart; ++p) {
        if (!MatchesAt(text, p, word, info.CaseSensitive)) {
            continue;
        }
        const std::size_t end = p + word.size();
        if (info.WordStart && p > 0 && !isDelimiter(text[p - 1])) {
            continue;
        }
        if (info.WordEnd && end < text.size() && !isDelimiter(text[end])) {
            continue;
        }
        info.FoundPos = p;
        info.MatchCount = 1;
        return p;
    }
    return std::string::npos;
}

std::size_t PathRootEnd(const std::string& text) {
    // Just after the first `c` at or after `from`, or npos.
    const auto after = [&text](char c, std::size_t from) {
        const std::size_t at = text.find(c, from);
        return at == std::string::npos ? at : at + 1;
    };
    std::size_t end = std::string::npos;
    if (text.starts_with("http://") || text.starts_with("http:\\\\")) {
        end = after('/', 7); // after the host
        if (end == std::string::npos) {
            end = after('\\', 7);
        }
    } else if (text.starts_with("\\\\")) {
        end = after('\\', 7); // after the server
        if (end == std::string::npos) {
            end = after('/', 0);
        }
    } else if (text.size() >= 3 && text[1] == ':' && (text[2] == '\\' || text[2] == '/')) {
        end = 3; // after the drive
    }
    return end == std::string::npos ? text.size() : end;
}

// Below a maximum of 2 there is no room for "..": the text is simply cut.
std::string ShortenText(const std::string& text, std::size_t maximum) {
    if (text.size() <= maximum) {
        return text;
    }
    if (maximum < 2) {
        return text.substr(0, maximum);
    }
    const std::size_t root = PathRootEnd(text.substr(0, maximum - 2));
    std::string result = text.substr(0, root);
    result += "..";
    result.append(text, root + text.size() - maximum + 2, std::string::npos);
    return result;
}
