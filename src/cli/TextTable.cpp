// Writing tables of texts as TSV, CSV and JSON, handed on in blocks while they are made.
#include "cli/TextTable.h"

#include <cstdio>

namespace {

constexpr std::size_t BlockSize = 1 << 16;

template <typename Cell>
void JoinLines(const TextTable& table, bool withHeader, char separator, const char* end,
               BlockWriter& out, Cell cell) {
    const auto line = [&](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i > 0) {
                out.Text += separator;
            }
            cell(out.Text, cells[i]);
        }
        out.Text += end;
        out.EndLine();
    };
    if (withHeader) {
        line(table.Header);
    }
    std::vector<std::string> cells(table.Header.size());
    for (std::size_t r = 0; r < table.RowCount; ++r) {
        table.Row(r, cells);
        line(cells);
    }
}

void AppendCsvCell(std::string& out, const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        out += c;
        if (c == '"') {
            out += c;
        }
    }
    out += '"';
}

std::size_t SkipDigits(const std::string& text, std::size_t at) {
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        ++at;
    }
    return at;
}

// JSON's number grammar: no leading zeros, no bare point, no "+" in front.
bool IsJsonNumber(const std::string& text) {
    std::size_t at = text.starts_with('-') ? 1 : 0;
    const std::size_t intStart = at;
    at = SkipDigits(text, at);
    if (at == intStart || (text[intStart] == '0' && at - intStart > 1)) {
        return false;
    }
    if (at < text.size() && text[at] == '.') {
        const std::size_t fraction = at + 1;
        at = SkipDigits(text, fraction);
        if (at == fraction) {
            return false;
        }
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        at += at + 1 < text.size() && (text[at + 1] == '+' || text[at + 1] == '-') ? 2 : 1;
        const std::size_t exponent = at;
        at = SkipDigits(text, exponent);
        if (at == exponent) {
            return false;
        }
    }
    return at == text.size();
}

} // namespace

TextTable TableOf(std::vector<std::string> header, std::vector<std::vector<std::string>> rows) {
    TextTable table{std::move(header), rows.size(), {}, {}};
    table.Row = [rows = std::move(rows)](std::size_t row, std::vector<std::string>& cells) {
        cells = rows[row];
    };
    return table;
}

BlockWriter::BlockWriter(OutputSink sink) : Sink(std::move(sink)) {
    Text.reserve(BlockSize * 2);
}

void BlockWriter::EndLine() {
    if (Text.size() >= BlockSize) {
        Failed = !Sink(Text) || Failed;
        Text.clear();
    }
}

void BlockWriter::Flush() {
    if (!Text.empty()) {
        Failed = !Sink(Text) || Failed;
        Text.clear();
    }
}

bool BlockWriter::Finish() {
    Failed = !Sink(Text) || Failed;
    Text.clear();
    return !Failed;
}

void TableToTsv(const TextTable& table, bool withHeader, BlockWriter& out) {
    JoinLines(table, withHeader, '\t', "\n", out,
              [](std::string& text, const std::string& c) { text += c; });
}

void TableToCsv(const TextTable& table, bool withHeader, BlockWriter& out) {
    JoinLines(table, withHeader, ',', "\r\n", out, AppendCsvCell);
}

void TableToJson(const TextTable& table, bool lines, BlockWriter& writer) {
    std::string& out = writer.Text;
    std::vector<std::string> keys; // escaped once, written on every row
    for (const std::string& name : table.Header) {
        keys.push_back(JsonString(JsonKey(name)) + ": ");
    }
    out += lines ? "" : "[";
    std::vector<std::string> cells(table.Header.size());
    for (std::size_t r = 0; r < table.RowCount; ++r) {
        if (!lines) {
            out += r == 0 ? "\n  " : ",\n  ";
        }
        if (table.JsonObject) {
            table.JsonObject(r, out);
        } else {
            table.Row(r, cells);
            out += '{';
            for (std::size_t i = 0; i < cells.size(); ++i) {
                out += i == 0 ? "" : ", ";
                out += keys[i] + JsonValue(cells[i]);
            }
            out += '}';
        }
        if (lines) {
            out += '\n';
        }
        writer.EndLine();
    }
    if (!lines) {
        out += table.RowCount == 0 ? "]\n" : "\n]\n";
    }
}

std::string JsonKey(const std::string& caption) {
    std::string key;
    for (const char c : caption) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (c >= 'A' && c <= 'Z') {
            key += static_cast<char>(c - 'A' + 'a');
        } else if (letter) {
            key += c;
        } else if (!key.empty() && key.back() != '_') {
            key += '_';
        }
    }
    while (!key.empty() && key.back() == '_') {
        key.pop_back();
    }
    return key;
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", c);
                out += escape;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

std::string JsonValue(const std::string& text) {
    return IsJsonNumber(text) ? text : JsonString(text);
}
