// Reading the command line's arguments: options and their values, numbers, ratios, sizes,
// divisor lists and formats, with one error line for each bad one.
#include "cli/Arguments.h"

#include "util/NumberFormat.h"
#include "util/TextParse.h"

#include <cstdio>
#include <string_view>

namespace {

constexpr const char* FormatNames[] = {"text", "tsv", "csv", "json", "jsonl", "html"};

// Without blanks (and a line's carriage return) around it.
std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") + 1 - first);
}

// Two whole terms around the first of `separators`, both above 0; false when the text is not
// that.
bool ReadPair(std::string_view text, std::string_view separators,
              std::pair<int32_t, int32_t>& pair) {
    const std::size_t at = text.find_first_of(separators);
    return at != std::string_view::npos && ReadInt32(text.substr(0, at), pair.first) &&
           ReadInt32(text.substr(at + 1), pair.second) && pair.first > 0 && pair.second > 0;
}

std::pair<int32_t, int32_t> ParsePair(const std::string& option, const std::string& text,
                                      std::string_view separators, const std::string& form) {
    std::pair<int32_t, int32_t> pair;
    if (!ReadPair(text, separators, pair)) {
        throw UsageError(option + " " + Quoted(text) + ": expected " + form +
                         " with whole numbers above 0");
    }
    return pair;
}

} // namespace

ArgumentReader::ArgumentReader(std::vector<std::string> args) : Args(std::move(args)) {
    for (std::size_t i = 0; i < Args.size(); ++i) {
        if (Args[i] == "--") {
            Args.erase(Args.begin() + static_cast<std::ptrdiff_t>(i));
            OptionsEnd = i;
            break;
        }
    }
}

bool ArgumentReader::Done() const {
    return Pos >= Args.size();
}

std::string ArgumentReader::Next() {
    const bool beforeEnd = Pos < OptionsEnd;
    std::string arg = Args[Pos++];
    HasPending = false;
    Option = beforeEnd && arg.size() > 1 && arg.starts_with('-');
    if (const std::size_t equals = arg.find('='); Option && equals != arg.npos) {
        Pending = arg.substr(equals + 1);
        HasPending = true;
        arg.resize(equals);
    }
    return arg;
}

bool ArgumentReader::IsOption() const {
    return Option;
}

std::string ArgumentReader::Value(const std::string& option) {
    if (HasPending) {
        HasPending = false;
        return Pending;
    }
    if (Done()) {
        throw UsageError(option + ": expected a value after it");
    }
    return Args[Pos++];
}

void ArgumentReader::Switch(const std::string& option) {
    if (HasPending) {
        HasPending = false;
        throw UsageError(Quoted(option + "=" + Pending) + ": " + option + " takes no value");
    }
}

void ArgumentReader::Check() const {
    if (Errors.empty()) {
        return;
    }
    std::string lines = Errors.front();
    for (std::size_t i = 1; i < Errors.size(); ++i) {
        lines += "\npixolan: " + Errors[i];
    }
    throw UsageError(lines);
}

int32_t ParseWhole(const std::string& option, const std::string& value) {
    int32_t number = 0;
    if (!ReadInt32(value, number)) {
        throw UsageError(option + " " + Quoted(value) + ": expected a whole number");
    }
    return number;
}

std::pair<int32_t, int32_t> ParseRatio(const std::string& option, const std::string& value) {
    return ParsePair(option, value, ":", "X:Y");
}

std::pair<int32_t, int32_t> ParseSize(const std::string& option, const std::string& value) {
    return ParsePair(option, value, "xX", "WxH");
}

bool ReadSize(const std::string& text, std::pair<int32_t, int32_t>& size) {
    const std::string_view line = Trimmed(text);
    std::size_t at = line.find_first_of("xX:");
    if (at == std::string_view::npos) {
        at = line.find_first_of(" \t");
    }
    return at != std::string_view::npos && ReadInt32(Trimmed(line.substr(0, at)), size.first) &&
           ReadInt32(Trimmed(line.substr(at + 1)), size.second) && size.first > 0 &&
           size.second > 0;
}

std::string ParseDivisorList(const std::string& option, const std::string& value) {
    if (Trimmed(value).empty()) {
        return {};
    }
    std::string list;
    std::string_view rest = value;
    while (true) {
        const std::size_t comma = rest.find(',');
        const std::string_view entry = Trimmed(rest.substr(0, comma));
        int32_t number = 0;
        if (entry.empty() || !IsDigit(entry.front()) || !ReadInt32(entry, number) || number < 1) {
            throw UsageError(option + " " + Quoted(value) + ": " + Quoted(std::string(entry)) +
                             " is not a whole number above 0 (expected a list such as \"4,8\")");
        }
        list += (list.empty() ? "" : ",") + IntToText(number);
        if (comma == std::string_view::npos) {
            return list;
        }
        rest.remove_prefix(comma + 1);
    }
}

OutputFormat ParseFormat(const std::string& option, const std::string& value,
                         const std::vector<OutputFormat>& allowed) {
    std::string names;
    for (const OutputFormat format : allowed) {
        const char* name = FormatNames[static_cast<int>(format)];
        if (value == name) {
            return format;
        }
        names += (names.empty() ? "" : "|") + std::string(name);
    }
    throw UsageError(option + " " + Quoted(value) + ": expected " + names);
}

std::string Quoted(const std::string& argument) {
    std::string out = "\"";
    for (std::size_t i = 0; i < argument.size(); ++i) {
        const auto c = static_cast<unsigned char>(argument[i]);
        const auto next = i + 1 < argument.size() ? static_cast<unsigned char>(argument[i + 1]) : 0;
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c < 0x20 || c == 0x7F || (c == 0xC2 && next >= 0x80 && next <= 0x9F)) {
            // C0 controls, DEL and the C1 controls (U+0080..U+009F, two bytes in UTF-8)
            const unsigned code = c == 0xC2 ? next : c;
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02x", code);
            out += escape;
            i += c == 0xC2 ? 1 : 0;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}
