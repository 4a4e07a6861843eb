#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// Raised by CutInt for a token that is not an integer; what() is
// "'<token>' is not a valid integer value".
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const std::string& token);
};

// Cuts the text before the first `delimiter` off `source` and returns it; `source` keeps
// what follows the delimiter. Without a delimiter the whole source is the token.
std::string CutToken(std::string& source, char delimiter);
std::string CutComma(std::string& source);

// CutToken, then the token as a decimal integer with optional sign; -1 for an empty token.
// Throws ConversionError for any other token that is not a 32-bit integer.
int32_t CutInt(std::string& source, char delimiter);
// A whole 32-bit number written out exactly: a sign ('+' or '-') or none, then digits and
// nothing else; false (value untouched or partly read) otherwise.
bool ReadInt32(std::string_view text, int32_t& value);
// An ASCII digit, whatever the locale.
bool IsDigit(char c);

// What CutToken would return, and what it would leave, without changing the text.
std::string TokenBefore(const std::string& text, char delimiter);
std::string TextAfter(const std::string& text, char delimiter);

// The text without its last n characters: empty when n is the length, unchanged when n
// exceeds it.
std::string DropRight(const std::string& text, std::size_t n);

bool StartsWith(const std::string& part, const std::string& text);
bool EndsWith(const std::string& part, const std::string& text);

// Lenient reading: keeps digits, "." and a leading "-", drops everything else, and reads
// the rest as a decimal number; 0 when nothing readable remains or the value overflows.
// "1'234" gives 1234; a second point ends the number ("1.2.3" gives 1.2).
double TextToNumber(const std::string& text);

// TextToNumber truncated toward zero; 0 when that does not fit into 32 bits.
int32_t TextToInt(const std::string& text);

// Runs of `separator` collapsed to one, then one removed from each end: "|a||b|" -> "a|b".
std::string TrimSeparators(const std::string& text, char separator);

// Replaces every occurrence of `find`, and again while one remains, so runs collapse
// ("a,,,,b" with ",," -> "," gives "a,b"). Only a replacement shorter than `find` gets
// repeated passes; any other (in particular one that contains `find`) gets one pass, so the
// replacing always ends.
std::string ReplaceAll(const std::string& find, const std::string& replacement,
                       const std::string& text);

// Case folding through tables built once; our texts are UTF-8, so only A..Z and a..z change.
std::string LowerText(const std::string& text);
std::string UpperText(const std::string& text);

// Options and results of FindWord. Positions count from 0; npos means not found.
struct PosInfo {
    bool CaseSensitive = true;
    bool WordStart = false; // the match must start the text or follow a delimiter
    bool WordEnd = false;   // the match must end the text or precede a delimiter
    std::string Delimiters;
    std::size_t FoundPos = std::string::npos;
    int32_t MatchCount = 0;
};

// The first acceptable occurrence of `word` in `text`, also stored in `info` (MatchCount 1,
// or npos and 0). An empty word is never found.
std::size_t FindWord(PosInfo& info, const std::string& word, const std::string& text);

// Where the root of a path or address ends (0-based; the length when it has none):
// after the host of "http://host/...", after "\\server\", after "C:\".
std::size_t PathRootEnd(const std::string& text);

// Shortens a text longer than `maximum` to exactly `maximum` characters: its root, "..",
// and its end. A plain caption becomes its first maximum - 2 characters and "..". A maximum
// below 2 leaves no room for "..": the text is cut to `maximum` characters.
std::string ShortenText(const std::string& text, std::size_t maximum);
