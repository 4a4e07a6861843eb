// Freedesktop key files: reading them, bounded, and splitting their command lines.
#include "net/DesktopEntry.h"

#include "files/FileRead.h"

namespace {

// The general escapes of string values, which apply before the Exec quoting rules: "\\\\" in
// the file is one backslash inside a quoted argument. Unknown escapes stay as written.
QString Unescape(const QString& value) {
    QString text;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        switch (value[++i].unicode()) {
        case u's':
            text += u' ';
            break;
        case u'n':
            text += u'\n';
            break;
        case u't':
            text += u'\t';
            break;
        case u'r':
            text += u'\r';
            break;
        case u'\\':
            text += u'\\';
            break;
        default:
            text += u'\\', text += value[i];
        }
    }
    return text;
}

bool IsAddressCode(QChar code) {
    return code == u'u' || code == u'U' || code == u'f' || code == u'F';
}

// Icon, name, entry location and the deprecated codes: nothing to put in their place.
bool IsDroppedCode(QChar code) {
    return QStringView(u"ickdDnNvm").contains(code);
}

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

} // namespace

DesktopEntry::DesktopEntry(const QString& path, qint64 maxSize) {
    QByteArray data;
    if (ReadRegularFile(path, maxSize, data) == TReadResult::Read) {
        ReadBytes = data.size();
        Lines = QString::fromUtf8(data).split(u'\n');
    }
}

std::optional<QString> DesktopEntry::Value(QStringView group, QStringView key) const {
    bool inGroup = false;
    for (const QString& line : Lines) {
        const QStringView content = QStringView(line).trimmed();
        if (content.startsWith(u'[')) {
            inGroup = content.endsWith(u']') && content.sliced(1, content.size() - 2) == group;
            continue;
        }
        const qsizetype equals = content.indexOf(u'=');
        if (inGroup && !content.startsWith(u'#') && equals > 0 &&
            content.first(equals).trimmed() == key) {
            return content.sliced(equals + 1).trimmed().toString();
        }
    }
    return std::nullopt;
}

std::optional<QStringList> DesktopEntry::CommandFor(const QString& exec, const QString& url) {
    const QString line = Unescape(exec);
    QStringList command;
    QString argument;
    bool started = false; // an argument may be empty ("") yet present
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u'%' && i + 1 < line.size()) {
            const QChar code = line[++i];
            if (IsAddressCode(code)) {
                if (quoted) {
                    return std::nullopt;
                }
                break;
            }
            if (code == u'%') {
                argument += u'%', started = true;
            } else if (!IsDroppedCode(code)) {
                argument += c, argument += code, started = true;
            }
        } else if (quoted) {
            if (c == u'"') {
                quoted = false;
            } else if (c == u'\\' && i + 1 < line.size() &&
                       QStringView(u"\"`$\\").contains(line[i + 1])) {
                argument += line[++i];
            } else {
                argument += c;
            }
        } else if (c == u'"') {
            const QStringView rest = QStringView(line).sliced(i);
            if (rest.size() >= 4 && rest[1] == u'%' && IsAddressCode(rest[2]) && rest[3] == u'"') {
                break;
            }
            quoted = started = true;
        } else if (IsBlank(c)) {
            if (started) {
                command += argument;
                argument.clear(), started = false;
            }
        } else {
            argument += c, started = true;
        }
    }
    if (quoted) {
        return std::nullopt;
    }
    if (started) {
        command += argument;
    }
    if (command.isEmpty() || command.first().isEmpty()) {
        return std::nullopt;
    }
    command += url;
    return command;
}
