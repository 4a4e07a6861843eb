// Any command line and any standard input: the exit status is one of the three, every
// message is one line of its own that starts with the program's name and carries no control
// character, bad arguments print nothing else, and what JSON the program prints parses.
#include "FuzzInput.h"
#include "cli/CommandLine.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QList>

namespace {

bool ParsesAsJson(const QByteArray& text) {
    QJsonParseError error;
    QJsonDocument::fromJson(text, &error);
    return error.error == QJsonParseError::NoError;
}

} // namespace

FUZZ_TARGET(input) {
    std::vector<std::string> args;
    const auto count = input.Number<uint8_t>() % 12;
    for (int i = 0; i < count; ++i) {
        args.push_back(input.Text());
    }
    std::string out;
    std::string err;
    const int status = RunCommandLine(
        args,
        [&out](const std::string& text) {
            out += text;
            return true;
        },
        [&err](const std::string& text) { err += text; },
        [&input](std::string& line) {
            line = input.Text();
            return !input.AtEnd() || !line.empty();
        });
    FUZZ_CHECK(status >= 0 && status <= 2);
    FUZZ_CHECK(status != 2 || (out.empty() && !err.empty()));
    for (std::size_t at = 0; at < err.size();) {
        const std::size_t end = err.find('\n', at);
        FUZZ_CHECK(end != std::string::npos); // every message ends its line
        FUZZ_CHECK(err.compare(at, 9, "pixolan: ") == 0);
        for (std::size_t i = at; i < end; ++i) {
            const auto c = static_cast<unsigned char>(err[i]);
            FUZZ_CHECK(c >= 0x20 && c != 0x7F);
            FUZZ_CHECK(!(c == 0xC2 && i + 1 < end &&
                         (static_cast<unsigned char>(err[i + 1]) & 0xE0) == 0x80));
        }
        at = end + 1;
    }
    const QByteArray printed = QByteArray::fromStdString(out);
    if (status == 0 && printed.startsWith('[')) {
        FUZZ_CHECK(ParsesAsJson(printed));
    } else if (status != 2 && printed.startsWith('{') && !ParsesAsJson(printed)) {
        for (const QByteArray& line : printed.trimmed().split('\n')) { // JSON Lines
            FUZZ_CHECK(ParsesAsJson(line));
        }
    }
}
