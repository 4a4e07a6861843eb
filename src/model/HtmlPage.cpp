// The HTML page of a table of plain texts, written without the toolkit.
#include "model/HtmlPage.h"

#include "util/NumberFormat.h"

#include <algorithm>

namespace {

constexpr std::string_view Replacement = "\xEF\xBF\xBD"; // U+FFFD

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the UTF-8 sequence that starts at `at` and the character it encodes, or 0
// when the bytes there are not a complete, shortest-form sequence of a character outside the
// surrogates.
std::size_t Sequence(std::string_view text, std::size_t at, char32_t& character) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        character = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2, min = 0x80, character = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, min = 0x800, character = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, min = 0x10000, character = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() - at < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[at + i]);
        if (!IsContinuation(byte)) {
            return 0;
        }
        character = (character << 6) | (byte & 0x3F);
    }
    const bool surrogate = character >= 0xD800 && character <= 0xDFFF;
    return character < min || character > 0x10FFFF || surrogate ? 0 : length;
}

// Characters XML 1.0 allows: tab, line ends and everything from the blank up but U+FFFE and
// U+FFFF (surrogates cannot reach here).
bool XmlAllows(char32_t c) {
    return c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c != 0xFFFE && c != 0xFFFF);
}

// The text escaped for XML content and attributes. A character XML does not allow becomes
// U+FFFD, and so does every byte that does not start a well-formed sequence, as the toolkit's
// UTF-8 decoder replaces it.
void AppendEscaped(std::string& out, std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        char32_t c = 0;
        const std::size_t length = Sequence(text, at, c);
        if (length == 0 || !XmlAllows(c)) {
            out += Replacement;
            at += std::max<std::size_t>(length, 1);
            continue;
        }
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out.append(text, at, length);
        }
        at += length;
    }
}

std::string Escaped(std::string_view text) {
    std::string out;
    AppendEscaped(out, text);
    return out;
}

// A font name reaches the style sheet only as ASCII letters and digits, blanks, '-', '_' and
// characters beyond ASCII, so it can neither end its CSS string nor the style element.
std::string CssFontName(std::string_view name) {
    std::string kept;
    for (std::size_t at = 0; at < name.size();) {
        char32_t c = 0;
        const std::size_t length = Sequence(name, at, c);
        if (length == 0) { // not UTF-8: left out
            ++at;
            continue;
        }
        if ((length > 1 && XmlAllows(c)) || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
            (c >= 'a' && c <= 'z') || c == ' ' || c == '-' || c == '_') {
            kept.append(name, at, length);
        }
        at += length;
    }
    const std::size_t first = kept.find_first_not_of(' ');
    if (first == std::string::npos) {
        return "sans-serif";
    }
    return "\"" + kept.substr(first, kept.find_last_not_of(' ') + 1 - first) + "\", sans-serif";
}

std::string Number(int value, int low, int high) {
    return IntToText(std::clamp(value, low, high));
}

void AppendRow(std::string& out, const std::vector<std::string>& cells, std::string_view tag) {
    out += "<tr>";
    for (const std::string& cell : cells) {
        out.append("<").append(tag).append(">");
        AppendEscaped(out, cell);
        out.append("</").append(tag).append(">");
    }
    out += "</tr>\n";
}

} // namespace

std::string HtmlPageStart(const HtmlPageStyle& style, const std::vector<std::string>& headers) {
    const std::string border = Number(style.BorderWidth, 0, 100) + "px solid " + style.BorderColor;
    std::string page = "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\">\n"
                       "<head>\n<meta charset=\"utf-8\"/>\n<title>" +
                       Escaped(style.PageTitle) + "</title>\n<style>\n";
    page +=
        "table { border-collapse: " + std::string(style.CellSpacing > 0 ? "separate" : "collapse") +
        "; border-spacing: " + Number(style.CellSpacing, 0, 100) + "px; border: " + border +
        "; font-family: " + CssFontName(style.FontName) +
        "; font-size: " + Number(style.FontSize, 1, 500) + "pt; }\n";
    page += "th, td { border: " + border + "; padding: " + Number(style.CellPadding, 0, 100) +
            "px; text-align: left; }\n";
    page += "th { background: " + style.HeaderBackground + "; color: " + style.HeaderTextColor +
            "; }\n";
    page += "td { background: " + style.BodyBackground + "; color: " + style.BodyTextColor +
            "; }\n</style>\n</head>\n<body>\n<table>\n";
    if (style.HeaderRow && !headers.empty()) {
        page += "<thead>\n";
        AppendRow(page, headers, "th");
        page += "</thead>\n";
    }
    return page + "<tbody>\n";
}

void AppendHtmlRow(std::string& page, const std::vector<std::string>& cells) {
    AppendRow(page, cells, "td");
}

std::string_view HtmlPageEnd() {
    return "</tbody>\n</table>\n</body>\n</html>\n";
}

std::string TableToHtml(const std::vector<std::string>& headers,
                        const std::vector<std::vector<std::string>>& rows,
                        const HtmlPageStyle& style) {
    std::string page = HtmlPageStart(style, headers);
    for (const std::vector<std::string>& row : rows) {
        AppendHtmlRow(page, row);
    }
    return page += HtmlPageEnd();
}
