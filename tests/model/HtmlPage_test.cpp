#include "model/HtmlPage.h"

#include <gtest/gtest.h>

namespace {

// The text between the first `open` and the next `close` of the page.
std::string Between(const std::string& page, const std::string& open, const std::string& close) {
    const std::size_t start = page.find(open);
    if (start == std::string::npos) {
        return "(missing)";
    }
    const std::size_t from = start + open.size();
    return page.substr(from, page.find(close, from) - from);
}

} // namespace

// The bytes a cell or the title turns into: escaped, and U+FFFD wherever the text is not
// UTF-8 or holds a character XML does not allow, one for each byte a decoder rejects.
TEST(HtmlPage, CellsAreEscapedAndReplacedAsADecoderReadsThem) {
    const std::string r = "\xEF\xBF\xBD"; // U+FFFD
    const std::pair<std::string, std::string> cases[] = {
        {"<b>&\"x'", "&lt;b&gt;&amp;&quot;x&#39;"},
        {"Größe \xF0\x9F\x8E\xAC", "Größe \xF0\x9F\x8E\xAC"},
        {"a\tb\r\nc", "a\tb\r\nc"},
        {"\x01\x1F\x7F", r + r + "\x7F"},
        {"\xEF\xBF\xBE|\xEF\xBF\xBF", r + "|" + r}, // U+FFFE, U+FFFF
        {"\xE2\x82|", r + r + "|"},                 // cut short
        {"\xED\xA0\x80", r + r + r},                // a surrogate
        {"\xC1\x81|\xFF", r + r + "|" + r},         // overlong, no lead byte
        {"\xF4\x90\x80\x80", r + r + r + r},        // beyond U+10FFFF
    };
    for (const auto& [text, written] : cases) {
        HtmlPageStyle style;
        style.PageTitle = text;
        const std::string page = TableToHtml({}, {{text}}, style);
        EXPECT_EQ(Between(page, "<td>", "</td>"), written) << text;
        EXPECT_EQ(Between(page, "<title>", "</title>"), written) << text;
    }
}

TEST(HtmlPage, FontNamesCannotLeaveTheirCssString) {
    const std::pair<std::string, std::string> cases[] = {
        {"DejaVu Sans", "\"DejaVu Sans\", sans-serif"},
        {"  Liberation_Mono-2 ", "\"Liberation_Mono-2\", sans-serif"},
        {"a\"; } </style><script>", "\"a  stylescript\", sans-serif"},
        {"Schrift Größe\xFF", "\"Schrift Größe\", sans-serif"},
        {"\"'\\;{}", "sans-serif"},
        {"", "sans-serif"},
    };
    for (const auto& [name, family] : cases) {
        HtmlPageStyle style;
        style.FontName = name;
        EXPECT_EQ(Between(TableToHtml({}, {}, style), "font-family: ", "; font-size"), family)
            << name;
    }
}

TEST(HtmlPage, StepsMakeTheWholePageAndTheHeadFollowsTheStyle) {
    const std::vector<std::string> headers{"Width", "Height"};
    const std::vector<std::vector<std::string>> rows{{"4", "3"}, {"8", "6"}};
    HtmlPageStyle style;
    std::string page = HtmlPageStart(style, headers);
    for (const auto& row : rows) {
        AppendHtmlRow(page, row);
    }
    page += HtmlPageEnd();
    EXPECT_EQ(page, TableToHtml(headers, rows, style));
    EXPECT_EQ(Between(page, "<thead>\n", "</thead>"), "<tr><th>Width</th><th>Height</th></tr>\n");
    EXPECT_EQ(Between(page, "<tbody>\n", "</tbody>"),
              "<tr><td>4</td><td>3</td></tr>\n<tr><td>8</td><td>6</td></tr>\n");
    style.HeaderRow = false;
    EXPECT_EQ(TableToHtml(headers, rows, style).find("<thead>"), std::string::npos);
    style.HeaderRow = true;
    EXPECT_EQ(TableToHtml({}, rows, style).find("<thead>"), std::string::npos);
}
