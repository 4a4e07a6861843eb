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
    // JSON: the row written as an object of typed values onto `out`. When not set, the
    // object holds the cells under their headers' keys (JsonKey), each cell a number when its
    // text is one, else a string.
    std::function<void(std::size_t row, std::string& out)> JsonObject;
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
    // Hands the text on now, for answers that someone may be waiting for line by line.
    void Flush();
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
// An array of one JSON object a row, or with `lines` (JSON Lines) one object a line.
void TableToJson(const TextTable& table, bool lines, BlockWriter& out);

// A header as a JSON key: lower-case letters and digits, words joined by "_" ("Format" is
// "format", "Predefined formats" "predefined_formats").
std::string JsonKey(const std::string& caption);

// The text as a JSON string literal, quotes included.
std::string JsonString(const std::string& text);
// The cell as a JSON value: a number when its text is one, else a string.
std::string JsonValue(const std::string& text);
