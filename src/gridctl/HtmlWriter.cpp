#include "gridctl/HtmlWriter.h"

#include "gridctl/FileWrite.h"
#include "gridctl/TGridControl.h"

#include <QDir>
#include <algorithm>
#include <vector>

namespace {

// The text with every character that XML 1.0 does not allow (C0 controls other than tab,
// line feed and carriage return, lone surrogates, U+FFFE and U+FFFF) replaced by U+FFFD, so a
// stray character in a cell can never make the page unreadable to an XML parser.
QString XmlChars(const QString& text) {
    QString out = text;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const char16_t c = out[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < out.size() && out[i + 1].isLowSurrogate()) {
            ++i;
        } else if ((c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || QChar::isSurrogate(c) ||
                   c == 0xFFFE || c == 0xFFFF) {
            out[i] = QChar::ReplacementCharacter;
        }
    }
    return out;
}

// Escapes the five XML specials.
QString Escaped(const QString& text) {
    const QString clean = XmlChars(text);
    QString out;
    out.reserve(clean.size() + clean.size() / 8);
    for (const QChar c : clean) {
        switch (c.unicode()) {
        case u'&':
            out += QLatin1String("&amp;");
            break;
        case u'<':
            out += QLatin1String("&lt;");
            break;
        case u'>':
            out += QLatin1String("&gt;");
            break;
        case u'"':
            out += QLatin1String("&quot;");
            break;
        case u'\'':
            out += QLatin1String("&#39;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

// A font name reaches the style sheet only as letters, digits, blanks, '-' and '_', so it can
// neither end its CSS string nor the style element.
QString CssFontName(const QString& name) {
    QString clean;
    for (const QChar c : name) {
        if (c.isLetterOrNumber() || c == u' ' || c == u'-' || c == u'_') {
            clean += c;
        }
    }
    clean = clean.trimmed();
    return clean.isEmpty() ? QStringLiteral("sans-serif")
                           : QStringLiteral("\"%1\", sans-serif").arg(clean);
}

QString Color(const QColor& color) {
    return color.isValid() ? color.name() : QStringLiteral("inherit");
}

QString Row(const QStringList& cells, QLatin1String tag) {
    QString line = QStringLiteral("<tr>");
    for (const QString& cell : cells) {
        line += QStringLiteral("<%1>%2</%1>").arg(tag, Escaped(cell));
    }
    return line + QStringLiteral("</tr>\n");
}

// The texts of the given columns in one grid row.
QStringList RowTexts(const TGridControl& grid, int row, const QList<int>& columns) {
    QStringList cells;
    cells.reserve(columns.size());
    for (const int column : columns) {
        cells.append(grid.Cell(column, row));
    }
    return cells;
}

} // namespace

QString TableToHtml(const QStringList& headers, const std::vector<QStringList>& rows,
                    const THtmlSettings& settings) {
    const int border = std::clamp(settings.BorderWidth, 0, 100);
    QString html = QStringLiteral("<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\">\n"
                                  "<head>\n<meta charset=\"utf-8\"/>\n<title>%1</title>\n")
                       .arg(Escaped(settings.PageTitle));
    html +=
        QStringLiteral("<style>\n"
                       "table { border-collapse: %1; border-spacing: %2px; "
                       "border: %3px solid %4; font-family: %5; font-size: %6pt; }\n"
                       "th, td { border: %3px solid %4; padding: %7px; text-align: left; }\n"
                       "th { background: %8; color: %9; }\n")
            .arg(settings.CellSpacing > 0 ? QLatin1String("separate") : QLatin1String("collapse"))
            .arg(std::clamp(settings.CellSpacing, 0, 100))
            .arg(border)
            .arg(Color(settings.BorderColor), CssFontName(settings.FontName))
            .arg(std::clamp(settings.FontSize, 1, 500))
            .arg(std::clamp(settings.CellPadding, 0, 100))
            .arg(Color(settings.HeaderBackground), Color(settings.HeaderTextColor));
    html +=
        QStringLiteral("td { background: %1; color: %2; }\n</style>\n</head>\n<body>\n<table>\n")
            .arg(Color(settings.BodyBackground), Color(settings.BodyTextColor));
    if (settings.HeaderRow && !headers.isEmpty()) {
        html += QStringLiteral("<thead>\n") + Row(headers, QLatin1String("th")) +
                QStringLiteral("</thead>\n");
    }
    html += QStringLiteral("<tbody>\n");
    for (const QStringList& row : rows) {
        html += Row(row, QLatin1String("td"));
    }
    return html + QStringLiteral("</tbody>\n</table>\n</body>\n</html>\n");
}

QString GridToHtml(const TGridControl& grid, const THtmlSettings& settings) {
    QList<int> columns;
    for (int column = 0; column < grid.ColumnCount(); ++column) {
        if (grid.ColumnWidth(column) > 0 && !grid.isColumnHidden(column)) {
            columns.append(column);
        }
    }
    std::vector<QStringList> rows;
    rows.reserve(std::max(grid.RowCount() - 1, 0));
    for (int row = 1; row < grid.RowCount(); ++row) {
        rows.push_back(RowTexts(grid, row, columns));
    }
    return TableToHtml(RowTexts(grid, 0, columns), rows, settings);
}

QString WriteGridHtml(const TGridControl& grid, const THtmlSettings& settings,
                      const QString& path) {
    QString error;
    if (!ReplaceFile(path, GridToHtml(grid, settings).toUtf8(), &error)) {
        return QStringLiteral("Could not write \"%1\": %2")
            .arg(QDir::toNativeSeparators(path), error);
    }
    return {};
}
