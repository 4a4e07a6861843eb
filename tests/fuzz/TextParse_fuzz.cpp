// The text helpers on any bytes: tokens put back together give the text, and the lenient
// readers and the rewriting helpers keep their promises.
#include "FuzzInput.h"
#include "util/TextParse.h"

FUZZ_TARGET(input) {
    std::string text, other, third;
    input.Read(text, other, third);
    const char delimiter = other.empty() ? ',' : other.front();

    std::string rest = text;
    const std::string token = CutToken(rest, delimiter);
    FUZZ_CHECK(token == TokenBefore(text, delimiter) && rest == TextAfter(text, delimiter));
    FUZZ_CHECK(token.find(delimiter) == std::string::npos);
    FUZZ_CHECK(token.size() == text.size() ? rest.empty() : token + delimiter + rest == text);
    try {
        std::string source = text;
        CutInt(source, delimiter);
    } catch (const ConversionError&) {
    }
    TextToNumber(text);
    TextToInt(text);

    const std::string trimmed = TrimSeparators(text, delimiter);
    const std::string twice(2, delimiter);
    FUZZ_CHECK(trimmed.find(twice) == std::string::npos);
    FUZZ_CHECK(trimmed.empty() || (trimmed.front() != delimiter && trimmed.back() != delimiter));

    const std::string replaced = ReplaceAll(other, third, text);
    if (!other.empty() && third.size() < other.size()) {
        FUZZ_CHECK(replaced.find(other) == std::string::npos);
    }

    const std::string lower = LowerText(text);
    FUZZ_CHECK(lower.size() == text.size() && LowerText(UpperText(text)) == lower);

    PosInfo info;
    info.CaseSensitive = input.Size % 2 == 0;
    info.WordStart = input.Size % 3 == 0;
    info.WordEnd = input.Size % 5 == 0;
    info.Delimiters = third;
    const std::size_t found = FindWord(info, other, text);
    FUZZ_CHECK(found == info.FoundPos);
    if (found != std::string::npos) {
        FUZZ_CHECK(found + other.size() <= text.size());
        FUZZ_CHECK(LowerText(text.substr(found, other.size())) == LowerText(other));
    }

    PathRootEnd(text);
    const std::size_t maximum = other.size();
    const std::string shortened = ShortenText(text, maximum);
    FUZZ_CHECK(text.size() <= maximum ? shortened == text : shortened.size() == maximum);
}
