#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// A bad argument. what() is the line the command line prints after "pixolan: ": the
// argument, then what was expected.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class OutputFormat { Tsv, Csv, Json, Html };

// The arguments of one sub-command, read front to back. An option's value follows it as the
// next argument or after "=" ("--to 640", "--to=640").
class ArgumentReader {
public:
    explicit ArgumentReader(std::vector<std::string> args);

    bool Done() const;
    // The next argument; an "--option=value" argument gives its option part here.
    std::string Next();
    // The value of `option`, which Next() has just returned.
    std::string Value(const std::string& option);

private:
    std::vector<std::string> Args;
    std::size_t Pos = 0;
    std::string Pending; // the value part of the last "--option=value"
    bool HasPending = false;
};

// A whole number that fits into 32 bits.
int32_t ParseWhole(const std::string& option, const std::string& value);
// "X:Y" with whole terms from 1 up.
std::pair<int32_t, int32_t> ParseRatio(const std::string& option, const std::string& value);
// "WxH" with whole sides from 1 up.
std::pair<int32_t, int32_t> ParseSize(const std::string& option, const std::string& value);
// One of `allowed` (a subset of tsv, csv, json, html, in that spelling).
OutputFormat ParseFormat(const std::string& option, const std::string& value,
                         const std::vector<OutputFormat>& allowed);

// `argument` in double quotes, as error lines quote what the user typed.
std::string Quoted(const std::string& argument);
