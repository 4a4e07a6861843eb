#pragma once

#include <string>
#include <string_view>
#include <vector>

// How a table is written as an HTML page. Sizes are CSS pixels, the font size is in points;
// colours are CSS colour texts such as "#c0c0c0" or "inherit", given by the program, never
// typed by the user.
struct HtmlPageStyle {
    int BorderWidth = 1;
    int CellPadding = 3;
    int CellSpacing = 0;
    bool HeaderRow = true; // the headers become the table head
    std::string HeaderBackground = "#c0c0c0";
    std::string HeaderTextColor = "#000000";
    std::string BodyBackground = "#ffffff";
    std::string BodyTextColor = "#000000";
    std::string BorderColor = "#808080";
    std::string FontName = "Arial";
    int FontSize = 10;
    std::string PageTitle = "Grid";
};

// A complete HTML5 page that is also well-formed XML, written in three steps so that a long
// table can be handed on while it is made: the start (with the head row when
// style.HeaderRow is set and headers is not empty), one body row per call, the end. Texts are
// UTF-8; every one is escaped, and bytes that are not UTF-8 or characters XML does not allow
// become U+FFFD, so no cell can make the page unreadable.
std::string HtmlPageStart(const HtmlPageStyle& style, const std::vector<std::string>& headers);
void AppendHtmlRow(std::string& page, const std::vector<std::string>& cells);
std::string_view HtmlPageEnd();

// The whole page at once.
std::string TableToHtml(const std::vector<std::string>& headers,
                        const std::vector<std::vector<std::string>>& rows,
                        const HtmlPageStyle& style);
