// The grid as an HTML page: the toolkit's texts handed to the page writer, and the page saved.
#include "gridctl/HtmlWriter.h"

#include "files/FileWrite.h"
#include "gridctl/TGridControl.h"
#include "model/HtmlPage.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>
#include <vector>

namespace {

// UTF-8 for the page writer. A lone surrogate has no UTF-8 form (the toolkit would write
// '?'): it becomes U+FFFD, as every other character that XML does not allow.
std::string Utf8(const QString& text) {
    QString clean = text;
    for (qsizetype i = 0; i < clean.size(); ++i) {
        if (clean[i].isHighSurrogate() && i + 1 < clean.size() && clean[i + 1].isLowSurrogate()) {
            ++i;
        } else if (clean[i].isSurrogate()) {
            clean[i] = QChar::ReplacementCharacter;
        }
    }
    return clean.toStdString();
}

std::vector<std::string> Utf8(const QStringList& texts) {
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(texts.size()));
    for (const QString& text : texts) {
        out.push_back(Utf8(text));
    }
    return out;
}

std::string Color(const QColor& color) {
    return color.isValid() ? color.name().toStdString() : std::string("inherit");
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

HtmlPageStyle PageStyle(const THtmlSettings& settings) {
    HtmlPageStyle style;
    style.BorderWidth = settings.BorderWidth;
    style.CellPadding = settings.CellPadding;
    style.CellSpacing = settings.CellSpacing;
    style.HeaderRow = settings.HeaderRow;
    style.HeaderBackground = Color(settings.HeaderBackground);
    style.HeaderTextColor = Color(settings.HeaderTextColor);
    style.BodyBackground = Color(settings.BodyBackground);
    style.BodyTextColor = Color(settings.BodyTextColor);
    style.BorderColor = Color(settings.BorderColor);
    style.FontName = Utf8(settings.FontName);
    style.FontSize = settings.FontSize;
    style.PageTitle = Utf8(settings.PageTitle);
    return style;
}

} // namespace

QString TableToHtml(const QStringList& headers, const std::vector<QStringList>& rows,
                    const THtmlSettings& settings) {
    std::string page = HtmlPageStart(PageStyle(settings), Utf8(headers));
    for (const QStringList& row : rows) {
        AppendHtmlRow(page, Utf8(row));
    }
    page += HtmlPageEnd();
    return QString::fromStdString(page);
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
        return QCoreApplication::translate("HtmlWriter", "Could not write \"%1\": %2")
            .arg(QDir::toNativeSeparators(path), error);
    }
    return {};
}
