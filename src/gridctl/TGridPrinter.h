#pragma once

#include "files/TPrintSettings.h"

#include <QDateTime>
#include <QFont>
#include <QList>
#include <QRectF>
#include <QString>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class TGridControl;

// Paints a grid's cells page by page with its print settings.
//
// Lengths of the settings are tenths of a millimetre: the margins LeftSize and RightSize, the
// heights HeaderSize and FooterSize of the bands that hold title, date, time and page number,
// the spacings and the fixed sizes. They count from the edge of the device's printable area.
// ColumnSpacing widens every column and RowSpacing heightens every row, beyond a small inset
// of the text, which stays centred in the extra room; TitleSpacing separates the title lines (on
// the first page of each strip of columns) from the table. HeaderFont and FooterFont are those of
// the bands, the header font also that of the title lines; Font is the table's, bold for the grid's
// header row. FitToPage scales the table to the width between the margins (fpCustom, which has no
// scale of its own here, prints at natural size). A table wider than a page is printed in strips of
// columns, each strip down all its pages before the next. The grid has no fixed columns, so
// RepeatFixedCols has nothing to repeat; RepeatFixedRows repeats the header row on every page.
//
// The layout does not depend on the device: it is made at LayoutDpi, with the fonts' metrics
// at that resolution, and only painting scales it. So a preview on the screen has the pages,
// page count and page numbers of the print.
class TGridPrinter {
public:
    static constexpr double LayoutDpi = 1200;

    // The widest text of each grid column in the table font at LayoutDpi, the header row's in
    // bold; measured once, it serves every layout with that font.
    using TTextWidths = QList<double>;
    static TTextWidths MeasureTexts(const TGridControl& grid, const TPrintFont& font);

    // Lays the grid out for pages of pageSize in points (the printable area). textWidths,
    // when given, are MeasureTexts of the settings' table font.
    TGridPrinter(const TGridControl& grid, const TPrintSettings& settings, const QSizeF& pageSize,
                 const QDateTime& printTime = QDateTime::currentDateTime(),
                 const TTextWidths* textWidths = nullptr);

    int PageCount() const { return static_cast<int>(Strips.size() * Bands.size()); }
    // Paints page index (from 0), the painter's origin at the page's top left. scale is the
    // painter's units per layout unit; 0 stands for the device's pixels.
    void PaintPage(QPainter& painter, int index, double scale = 0) const;
    // The page's size in layout units.
    QSizeF PageSize() const { return Page; }

    // The printable area of the device's page, in points.
    static QSizeF PrintableSize(const QPagedPaintDevice& device);

    // Turns the device to the settings' orientation and prints every page on it. The error
    // text, empty on success.
    static QString Print(const TGridControl& grid, const TPrintSettings& settings,
                         QPagedPaintDevice& device,
                         const QDateTime& printTime = QDateTime::currentDateTime());

    // The length in pixels at dpi of a settings length; negatives count as 0.
    static double ToPixels(int32_t tenthsOfMm, double dpi);
    // The date in a format of d, m and y letters: "dd/mm/yyyy", "d mmmm yy"...
    static QString FormatDate(const QDate& date, const QString& format);

private:
    struct TStrip {
        int First; // index into Columns
        int Count;
        double Width;
    };

    // The layout, step by step: the area between margins and bands, the printed columns and
    // the row height, the scale, the strips of columns across and the pages down.
    void PlaceArea();
    void MeasureColumns(const TTextWidths* textWidths);
    void ChooseScale();
    void SplitIntoStrips();
    void SplitIntoBands();

    QString BandText(TPrintPosition position, int page) const;
    void PaintBands(QPainter& painter, int page, double fontScale) const;
    void PaintTable(QPainter& painter, const TStrip& strip, int band, double top,
                    double fontScale) const;
    void PaintBorders(QPainter& painter, const TStrip& strip, int rows, bool headerOnPage) const;

    const TGridControl& Grid;
    TPrintSettings Settings;
    QDateTime PrintTime;
    static constexpr double Dpi = LayoutDpi;
    QSizeF Page; // in layout units
    QFont TableFont;
    QFont HeaderRowFont;
    QFont HeaderFont;
    QFont FooterFont;
    QList<int> Columns; // grid columns that print, left to right
    QList<double> Widths;
    QList<TStrip> Strips;
    QList<int> Bands; // first grid row of each page of a strip
    double RowHeight = 1;
    double Scale = 1;
    double TitleHeight = 0;
    QRectF Area; // between margins and bands
};
