#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Rows of plain cell texts under one header line, as the command line prints them. The rows
// are produced one by one while they are written, into one reused row, so that a long list
// never holds all its texts at once.
struct TextTable {
    std::vector<std::string> Header;
    std::size_t RowCount = 0;
    // Fills `cells` (one text per header) with row `row`, counting from 0.
    std::function<void(std::size_t row, std::vector<std::string>& cells)> Row;
};

// Hands written text on; false when it could not be written.
using OutputSink = std::function<bool(const std::string& text)>;

// Gathers the output and hands it on in blocks, so a long list is written while it is made
// and never held whole.
class BlockWriter {
public:
    explicit BlockWriter(OutputSink sink);
    std::string Text; // what is not handed on yet; writers append to it
    // Hands the text on once it fills a block.
    void EndLine();
    // Hands on the rest; false when anything could not be written.
    bool Finish();

private:
    OutputSink Sink;
    bool Failed = false;
};

// A table of rows held in memory.
TextTable TableOf(std::vector<std::string> header, std::vector<std::vector<std::string>> rows);

// One line a row, cells separated by tabs.
void TableToTsv(const TextTable& table, bool withHeader, BlockWriter& out);
// RFC 4180: CRLF line ends; a cell with a comma, quote or line break is quoted, its quotes
// doubled.
void TableToCsv(const TextTable& table, bool withHeader, BlockWriter& out);
// An array of objects keyed by the header, or of arrays without the header. A cell that is
// a JSON number is written as one, every other cell as a string.
void TableToJson(const TextTable& table, bool withHeader, BlockWriter& out);

// The text as a JSON string literal, quotes included.
std::string JsonString(const std::string& text);
// The cell as a JSON value: a number when its text is one, else a string.
std::string JsonValue(const std::string& text);
