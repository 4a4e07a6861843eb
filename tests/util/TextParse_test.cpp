#include "util/TextParse.h"

#include <cmath>
#include <random>
#include <string>
#include <tuple>

#include <gmock/gmock.h>

namespace {

constexpr std::size_t npos = std::string::npos;

TEST(CutToken, CutsLooksAndKeepsTheRest) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"720|576)", "720", "576)"}, {"none", "none", ""}, {"|a|", "", "a|"}, {"", "", ""}};
    for (const auto& [text, before, after] : cases) {
        std::string source = text;
        EXPECT_EQ(CutToken(source, '|'), before) << text;
        EXPECT_EQ(source, after) << text;
        EXPECT_EQ(TokenBefore(text, '|'), before) << text;
        EXPECT_EQ(TextAfter(text, '|'), after) << text;
    }
    EXPECT_EQ(DropRight("abc", 1) + "|" + DropRight("abc", 3) + "|" + DropRight("abc", 4),
              "ab||abc");
    EXPECT_TRUE(StartsWith("http://", "http://host/") && !StartsWith("http://host/", "http://"));
    EXPECT_TRUE(EndsWith(".htm", "index.htm") && !EndsWith("index.htm", ".htm"));
}

TEST(CutInt, ReadsIntegersAndNamesTheBadToken) {
    const std::tuple<const char*, int32_t> reads[] = {{"", -1},   {"-2147483648", INT32_MIN},
                                                      {"-7", -7}, {"2147483647", INT32_MAX},
                                                      {"+7", 7},  {"007", 7}};
    for (const auto& [token, expected] : reads) {
        std::string source = std::string(token) + "|rest";
        EXPECT_EQ(CutInt(source, '|'), expected) << token;
        EXPECT_EQ(source, "rest") << token;
    }
    for (const char* token :
         {"2147483648", "-2147483649", "+", "-", "+-5", "1.5", " 5", "5 ", "12a", "0x10"}) {
        std::string source = std::string(token) + "|rest";
        const std::string message = "'" + std::string(token) + "' is not a valid integer value";
        EXPECT_THAT([&] { CutInt(source, '|'); },
                    testing::ThrowsMessage<ConversionError>(testing::StrEq(message)));
        EXPECT_EQ(source, "rest") << "cut off before it is read: " << token;
    }
}

TEST(TextToNumber, ReadsLenientlyAndIntsTruncate) {
    // text, TextToNumber, TextToInt
    const std::tuple<const char*, double, int32_t> cases[] = {
        {"5-3", 53, 53},     {"2147483647.9", 2147483647.9, INT32_MAX},
        {"1e5", 15, 15},     {"-2147483648.9", -2147483648.9, INT32_MIN},
        {"-.", 0, 0},        {"2147483648", 2147483648.0, 0},
        {"1.2.3", 1.2, 1},   {"-2147483649", -2147483649.0, 0},
        {"a-7.9", -7.9, -7}, {"1'024 px", 1024, 1024}};
    for (const auto& [text, number, integer] : cases) {
        EXPECT_EQ(TextToNumber(text), number) << "'" << text << "'";
        EXPECT_EQ(TextToInt(text), integer) << "'" << text << "'";
    }
    EXPECT_EQ(TextToNumber(std::string(400, '9')), 0.0) << "overflow";
    EXPECT_EQ(TextToNumber("0." + std::string(400, '0') + "1"), 0.0) << "underflow";
    EXPECT_FALSE(std::signbit(TextToNumber("-0.0"))) << "no negative zero";
    // Texts of digits and minus signs read as integers the quick way or as numbers alike.
    std::mt19937 random(5);
    for (int i = 0; i < 20000; ++i) {
        std::string text(std::uniform_int_distribution<std::size_t>(0, 12)(random), '0');
        for (char& c : text) {
            c = "-0123456789"[std::uniform_int_distribution<int>(0, 10)(random)];
        }
        const double number = std::trunc(TextToNumber(text));
        const int32_t expected = number >= INT32_MIN && number <= INT32_MAX ? number : 0;
        ASSERT_EQ(TextToInt(text), expected) << "'" << text << "'";
    }
}

TEST(ReplaceAll, RepeatsOnlyWhileItShrinksAndAlwaysEnds) {
    // find, replacement, text, expected
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        {"&", "", "&&a&", "a"},       {",,", ",", "a,,,,,,,,,b", "a,b"},
        {"", "x", "abc", "abc"},      {"Ab", "x", "ab", "ab"},
        {"a", "aa", "aaa", "aaaaaa"}, {"ab", "bbaa", "aab", "abbaa"},
        {"ab", "ba", "aabb", "abab"}};
    for (const auto& [find, replacement, text, expected] : cases) {
        EXPECT_EQ(ReplaceAll(find, replacement, text), expected)
            << "'" << find << "' -> '" << replacement << "' in '" << text << "'";
    }
    EXPECT_EQ(TrimSeparators("|a||b|", '|') + TrimSeparators("||", '|'), "a|b");
}

TEST(CaseFolding, OnlyAsciiLettersChange) {
    std::string every, lower, upper;
    for (int c = 0; c < 256; ++c) {
        every += static_cast<char>(c);
        lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        upper += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    }
    EXPECT_EQ(LowerText(every), lower);
    EXPECT_EQ(UpperText(every), upper);
}

TEST(FindWord, WholeWordsBetweenDelimiters) {
    // word, text, options (s: WordStart, e: WordEnd, i: case-insensitive), expected
    const std::tuple<const char*, const char*, std::string, std::size_t> cases[] = {
        {"ab", "-x,-ab", "se", 4}, {"ab", "abc", "se", npos},  {"ab", "abc,ab", "se", 4},
        {"ab", "abc", "s", 0},     {"ab", "xab", "e", 1},      {"ab", "xab", "s", npos},
        {"aa", "aaa", "e", 1},     {"Ab", "x,ab", "se", npos}, {"Ab", "x,ab", "sei", 2},
        {"", "ab", "", npos},      {"ab", "a", "", npos}};
    PosInfo info; // shared, so a miss must also clear the previous hit
    info.Delimiters = ",-";
    for (const auto& [word, text, options, expected] : cases) {
        info.WordStart = options.find('s') != npos;
        info.WordEnd = options.find('e') != npos;
        info.CaseSensitive = options.find('i') == npos;
        const std::string name = std::string(word) + " in " + text + " (" + options + ")";
        EXPECT_EQ(FindWord(info, word, text), expected) << name;
        EXPECT_EQ(info.FoundPos, expected) << name;
        EXPECT_EQ(info.MatchCount, expected == npos ? 0 : 1) << name;
    }
}

TEST(ShortenText, KeepsRootAndEnd) {
    // text, PathRootEnd, maximum, shortened
    const std::tuple<const char*, std::size_t, std::size_t, const char*> cases[] = {
        {"C:\\Program Files\\Pixolan\\pixolan.exe", 3, 20, "C:\\..lan\\pixolan.exe"},
        {"http://host/members/help.htm?1.5", 12, 24, "http://host/..lp.htm?1.5"},
        {"\\\\server\\share\\deep\\file.txt", 9, 20, "\\\\server\\..\\file.txt"},
        {"C:/dir", 3, 9, "C:/dir"},
        {"C:dir", 5, 9, "C:dir"},
        {"http://host\\dir", 12, 20, "http://host\\dir"},
        {"http:\\\\host/d\\x", 12, 20, "http:\\\\host/d\\x"},
        {"\\\\srv\\share\\f", 12, 20, "\\\\srv\\share\\f"},
        {"\\\\server/x", 9, 20, "\\\\server/x"},
        {"plain caption", 13, 8, "plain .."},
        {"abcdef", 6, 2, ".."},
        {"abcdef", 6, 1, "a"},
        {"abcdef", 6, 0, ""}};
    for (const auto& [text, root, maximum, shortened] : cases) {
        EXPECT_EQ(PathRootEnd(text), root) << text;
        EXPECT_EQ(ShortenText(text, maximum), shortened) << text << " to " << maximum;
    }
}

} // namespace
