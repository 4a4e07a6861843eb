#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An INI file held as its lines, read and written with profile-file semantics: section and key
// names match without regard to case (A..Z only), the first matching section and key win,
// values are trimmed of blanks and of one pair of surrounding quotes on reading. Writing a key
// replaces its line in place or inserts one, so every other line of the file - other sections,
// comments, blank and malformed lines, the line-end style - is saved byte for byte as it was.
// Lines without "=" and lines starting with ';' or '#' carry no key.
//
// Section and key names are the caller's constants: no line break, "]" or "=" in them.
class IniFile {
public:
    enum class TLoadResult { Read, Missing, Failed };

    // Replaces the contents with the file's. A missing file, or one that cannot be read
    // whole or is no regular file, leaves the contents empty; the error text says why.
    TLoadResult Load(const QString& path, QString* errorText = nullptr);

    QString ReadString(std::string_view section, std::string_view key,
                       const QString& defaultValue) const;
    // The value as a decimal integer; defaultValue when the key is missing or its value is
    // not an integer that fits.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;

    // Writes the value as it is, except that line breaks become blanks (a value is one line)
    // and a value that the reader would trim is put in double quotes.
    void WriteString(std::string_view section, std::string_view key, const QString& value);
    void WriteInteger(std::string_view section, std::string_view key, int32_t value);

    // Writes atomically: on failure the file at path is left as it was. The error text, when
    // asked for, says why; the notice what of the old file's owner and mode was not kept.
    bool Save(const QString& path, QString* errorText = nullptr,
              QString* noticeText = nullptr) const;

    // Files larger than this are not INI files of ours and are refused rather than read.
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

private:
    // Trimmed text of an entry of Lines, without a leading byte-order mark.
    std::string_view Content(std::size_t line) const;
    std::optional<std::size_t> FindSection(std::string_view section) const;
    // The line after the section whose header is at line `header`: the next header or the end.
    std::size_t SectionEnd(std::size_t header) const;
    std::optional<std::size_t> FindKey(std::string_view section, std::string_view key) const;
    void InsertLine(std::size_t at, std::string text);

    // Raw bytes, each without its final '\n': a line with a section header or key, or a run
    // of the lines between them, joined by their '\n'.
    std::vector<std::string> Lines;
    bool FinalNewline = true;
    bool Crlf = false;
};
