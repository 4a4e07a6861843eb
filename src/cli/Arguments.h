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

// Text: the readable blocks of identify; the others are tables.
enum class OutputFormat { Text, Tsv, Csv, Json, Jsonl, Html };

// The arguments of one sub-command, read front to back. An option's value follows it as the
// next argument or after "=" ("--to 640", "--to=640"); after "--" every argument is an
// operand. The reader gathers the errors of all arguments, so that one run reports each.
class ArgumentReader {
public:
    explicit ArgumentReader(std::vector<std::string> args);

    bool Done() const;
    // The next argument; an "--option=value" argument gives its option part here.
    std::string Next();
    // Whether the argument Next() has just returned is an option: it starts with "-", is
    // more than "-" and stands before "--".
    bool IsOption() const;
    // The value of `option`, which Next() has just returned.
    std::string Value(const std::string& option);
    // `option` is a switch: a value given to it ("--rotated=no") is an error.
    void Switch(const std::string& option);

    // Runs `read`, keeping the UsageError it throws and going on with the next argument.
    template <typename Read>
    void Try(Read read) {
        try {
            read();
        } catch (const UsageError& error) {
            Errors.emplace_back(error.what());
        }
    }
    // Throws the gathered errors, one line each, when there are any.
    void Check() const;

private:
    std::vector<std::string> Args;
    std::size_t Pos = 0;
    std::string Pending; // the value part of the last "--option=value"
    bool HasPending = false;
    bool Option = false;
    std::size_t OptionsEnd = static_cast<std::size_t>(-1); // where "--" stood

    std::vector<std::string> Errors;
};

// A whole number that fits into 32 bits.
int32_t ParseWhole(const std::string& option, const std::string& value);
// "X:Y" with whole terms from 1 up.
std::pair<int32_t, int32_t> ParseRatio(const std::string& option, const std::string& value);
// "WxH" with whole sides from 1 up.
std::pair<int32_t, int32_t> ParseSize(const std::string& option, const std::string& value);
// A size typed on a line: "WxH", "W:H" or "W H", blanks around allowed; false when it is none.
bool ReadSize(const std::string& text, std::pair<int32_t, int32_t>& size);
// Whole numbers above 0 separated by commas, blanks around them allowed, or nothing at all;
// the list written plainly ("4,8"), empty for no filter.
std::string ParseDivisorList(const std::string& option, const std::string& value);
// One of `allowed`, by its name (text, tsv, csv, json, jsonl, html).
OutputFormat ParseFormat(const std::string& option, const std::string& value,
                         const std::vector<OutputFormat>& allowed);

// `argument` in double quotes, as error lines quote what the user typed. Control characters
// are written as escapes (\n, \t, \x1b), so that a message stays one line and sends nothing
// to the terminal.
std::string Quoted(const std::string& argument);
