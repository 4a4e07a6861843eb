#pragma once

#include <QColor>
#include <QString>

// How a grid is written as an HTML page. Sizes are CSS pixels, the font size is in points.
struct THtmlSettings {
    int BorderWidth = 1;
    int CellPadding = 3;
    int CellSpacing = 0;
    bool HeaderRow = true; // the grid's header row becomes the table head
    QColor HeaderBackground{0xC0, 0xC0, 0xC0};
    QColor HeaderTextColor{Qt::black};
    QColor BodyBackground{Qt::white};
    QColor BodyTextColor{Qt::black};
    QColor BorderColor{0x80, 0x80, 0x80};
    QString FontName = QStringLiteral("Arial");
    int FontSize = 10;
    QString PageTitle = QStringLiteral("Grid");

    bool operator==(const THtmlSettings&) const = default;
};
