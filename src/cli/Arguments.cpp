#include "cli/Arguments.h"

#include "util/TextParse.h"

#include <string_view>

namespace {

constexpr const char* FormatNames[] = {"tsv", "csv", "json", "html"};

// Two whole terms around `separator` (or `alternative`, when not 0); both must be positive.
std::pair<int32_t, int32_t> ReadPair(const std::string& option, const std::string& text,
                                     char separator, char alternative, const std::string& form) {
    std::size_t at = text.find(separator);
    if (at == std::string::npos && alternative != 0) {
        at = text.find(alternative);
    }
    std::pair<int32_t, int32_t> pair;
    if (at == std::string::npos || !ReadInt32(std::string_view(text).substr(0, at), pair.first) ||
        !ReadInt32(std::string_view(text).substr(at + 1), pair.second)) {
        throw UsageError(option + " " + Quoted(text) + ": expected " + form +
                         " with whole numbers");
    }
    if (pair.first < 1 || pair.second < 1) {
        throw UsageError(option + " " + Quoted(text) + ": expected " + form +
                         " with whole numbers above 0");
    }
    return pair;
}

} // namespace

ArgumentReader::ArgumentReader(std::vector<std::string> args) : Args(std::move(args)) {}

bool ArgumentReader::Done() const {
    return Pos >= Args.size();
}

std::string ArgumentReader::Next() {
    std::string arg = Args[Pos++];
    HasPending = false;
    if (const std::size_t equals = arg.find('='); arg.starts_with("--") && equals != arg.npos) {
        Pending = arg.substr(equals + 1);
        HasPending = true;
        arg.resize(equals);
    }
    return arg;
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

int32_t ParseWhole(const std::string& option, const std::string& value) {
    int32_t number = 0;
    if (!ReadInt32(value, number)) {
        throw UsageError(option + " " + Quoted(value) + ": expected a whole number");
    }
    return number;
}

std::pair<int32_t, int32_t> ParseRatio(const std::string& option, const std::string& value) {
    return ReadPair(option, value, ':', 0, "X:Y");
}

std::pair<int32_t, int32_t> ParseSize(const std::string& option, const std::string& value) {
    return ReadPair(option, value, 'x', 'X', "WxH");
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
    return "\"" + argument + "\"";
}
