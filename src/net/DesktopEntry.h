#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// A freedesktop key file (.desktop entry, mimeapps.list, mimeinfo.cache): "[Group]" headers
// and "Key=Value" lines, "#" comments. Keys match exactly, so localised keys ("Name[de]") are
// keys of their own; the first match wins.
class DesktopEntry {
public:
    static constexpr qint64 MaxFileSize = 4 * 1024 * 1024;

    // No file: no values.
    DesktopEntry() = default;
    // Reads the file; a missing or unreadable one has no values, nor has anything that is not
    // a regular file of at most maxSize bytes.
    explicit DesktopEntry(const QString& path, qint64 maxSize = MaxFileSize);

    // The bytes read from the file.
    qint64 Size() const { return ReadBytes; }

    // The raw value, escapes and all; nullopt when the group or key is missing.
    std::optional<QString> Value(QStringView group, QStringView key) const;

    // Program and arguments that an Exec value runs to open url: the line is cut before its
    // first file or URL field code (%u %U %f %F, or one of them alone in quotes) and url is
    // appended as one argument of its own; the line needs none. The line is split by the
    // Exec quoting rules, other field codes are dropped and "%%" stands for "%". nullopt for a
    // line that names no program or leaves a quote open, which a field code inside a longer
    // quoted argument does.
    static std::optional<QStringList> CommandFor(const QString& exec, const QString& url);

private:
    QStringList Lines;
    qint64 ReadBytes = 0;
};
