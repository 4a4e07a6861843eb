// The INI file: lines kept byte for byte, keys read and written in place.
#include "files/IniFile.h"

#include "files/FileRead.h"
#include "files/FileWrite.h"

#include <QStringDecoder>
#include <charconv>

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) {
            return false;
        }
    }
    return true;
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

bool IsQuoted(std::string_view value) {
    return value.size() >= 2 && IsQuote(value.front()) && value.front() == value.back();
}

std::optional<std::string_view> HeaderName(std::string_view content) {
    if (content.empty() || content.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = content.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return Trim(content.substr(1, close - 1));
}

struct TEntry {
    std::string_view Key;
    std::string_view Value;
};

std::optional<TEntry> Entry(std::string_view content) {
    if (content.empty() || content.front() == ';' || content.front() == '#' ||
        content.front() == '[') {
        return std::nullopt;
    }
    const std::size_t equals = content.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view key = Trim(content.substr(0, equals));
    if (key.empty()) {
        return std::nullopt;
    }
    std::string_view value = Trim(content.substr(equals + 1));
    if (IsQuoted(value)) {
        value = value.substr(1, value.size() - 2);
    }
    return TEntry{key, value};
}

// The trimmed text of a line; the file's first line without a leading byte-order mark.
std::string_view ContentOf(std::string_view line, bool firstLine) {
    if (firstLine && line.starts_with(ByteOrderMark)) {
        line.remove_prefix(ByteOrderMark.size());
    }
    return Trim(line);
}

bool IsKeyless(std::string_view content) {
    return !HeaderName(content) && !Entry(content);
}

// The value's text as it stands: QString::fromUtf8 would drop a leading U+FEFF as if it
// were a byte-order mark, and a value is never the start of a file.
QString DecodeValue(std::string_view value) {
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom |
                                                       QStringConverter::Flag::Stateless);
    return decoder.decode(QByteArrayView(value.data(), static_cast<qsizetype>(value.size())));
}

std::string EncodeValue(const QString& value) {
    std::string text = value.toStdString();
    for (char& c : text) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    const bool trimmedOnRead =
        !text.empty() && (IsBlank(text.front()) || IsBlank(text.back()) || IsQuoted(text));
    return trimmedOnRead ? '"' + text + '"' : text;
}

} // namespace

IniFile::TLoadResult IniFile::Load(const QString& path, QString* errorText) {
    Lines.clear();
    FinalNewline = true;
    Crlf = false;
    QByteArray data;
    switch (ReadRegularFile(path, MaxFileSize, data, errorText)) {
    case TReadResult::Missing:
        return TLoadResult::Missing;
    case TReadResult::Failed:
        return TLoadResult::Failed;
    case TReadResult::Read:
        break;
    }
    const std::string_view text(data.constData(), static_cast<std::size_t>(data.size()));
    // Lines that carry no key are kept as runs, one entry each, so that memory and every
    // lookup follow the keys and sections rather than the blank lines or comments around them.
    std::size_t runStart = std::string_view::npos;
    std::size_t start = 0;
    const auto endRun = [&](std::size_t end) {
        if (runStart != std::string_view::npos) {
            Lines.emplace_back(text.substr(runStart, end - runStart));
            runStart = std::string_view::npos;
        }
    };
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        FinalNewline = end != std::string_view::npos;
        end = FinalNewline ? end : text.size();
        const std::string_view line = text.substr(start, end - start);
        if (IsKeyless(ContentOf(line, start == 0))) {
            runStart = runStart == std::string_view::npos ? start : runStart;
        } else {
            endRun(start - 1);
            Lines.emplace_back(line);
        }
        start = end + 1;
    }
    endRun(FinalNewline ? text.size() - 1 : text.size());
    const std::string_view first = text.substr(0, text.find('\n'));
    Crlf = first.ends_with('\r');
    return TLoadResult::Read;
}

std::string_view IniFile::Content(std::size_t line) const {
    // A run of keyless lines stands for its last line, which ends the run.
    const std::string_view text = Lines[line];
    const std::size_t lastBreak = text.rfind('\n');
    if (lastBreak != std::string_view::npos) {
        return ContentOf(text.substr(lastBreak + 1), false);
    }
    return ContentOf(text, line == 0);
}

std::optional<std::size_t> IniFile::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < Lines.size(); ++i) {
        const auto name = HeaderName(Content(i));
        if (name && SameName(*name, section)) {
            return i;
        }
    }
    return std::nullopt;
}

std::size_t IniFile::SectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < Lines.size() && !HeaderName(Content(i))) {
        ++i;
    }
    return i;
}

std::optional<std::size_t> IniFile::FindKey(std::string_view section, std::string_view key) const {
    const auto header = FindSection(section);
    if (!header) {
        return std::nullopt;
    }
    const std::size_t end = SectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        const auto entry = Entry(Content(i));
        if (entry && SameName(entry->Key, key)) {
            return i;
        }
    }
    return std::nullopt;
}

QString IniFile::ReadString(std::string_view section, std::string_view key,
                            const QString& defaultValue) const {
    const auto line = FindKey(section, key);
    if (!line) {
        return defaultValue;
    }
    return DecodeValue(Entry(Content(*line))->Value);
}

int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                             int32_t defaultValue) const {
    const auto line = FindKey(section, key);
    if (!line) {
        return defaultValue;
    }
    std::string_view value = Entry(Content(*line))->Value;
    if (value.starts_with('+')) {
        value.remove_prefix(1);
    }
    int32_t number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    return error == std::errc() && end == value.data() + value.size() ? number : defaultValue;
}

void IniFile::InsertLine(std::size_t at, std::string text) {
    if (at == Lines.size()) {
        FinalNewline = true;
    }
    Lines.insert(Lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(text));
}

void IniFile::WriteString(std::string_view section, std::string_view key, const QString& value) {
    const std::string lineEnd = Crlf ? "\r" : "";
    std::string line = std::string(key) + '=' + EncodeValue(value) + lineEnd;
    const auto header = FindSection(section);
    if (!header) {
        if (!Lines.empty() && !Content(Lines.size() - 1).empty()) {
            InsertLine(Lines.size(), lineEnd);
        }
        InsertLine(Lines.size(), '[' + std::string(section) + ']' + lineEnd);
        InsertLine(Lines.size(), std::move(line));
        return;
    }
    // A new key goes after the section's last entry, ahead of any blank lines or comments
    // that lead into the next section.
    std::size_t lastEntry = *header;
    const std::size_t end = SectionEnd(*header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        const auto entry = Entry(Content(i));
        if (!entry) {
            continue;
        }
        if (SameName(entry->Key, key)) {
            Lines[i] = std::move(line);
            return;
        }
        lastEntry = i;
    }
    InsertLine(lastEntry + 1, std::move(line));
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    WriteString(section, key, QString::number(value));
}

bool IniFile::Save(const QString& path, QString* errorText, QString* noticeText) const {
    QByteArray text;
    for (std::size_t i = 0; i < Lines.size(); ++i) {
        text.append(Lines[i].data(), static_cast<qsizetype>(Lines[i].size()));
        if (i + 1 < Lines.size() || FinalNewline) {
            text.append('\n');
        }
    }
    return ReplaceFile(path, text, errorText, noticeText);
}
