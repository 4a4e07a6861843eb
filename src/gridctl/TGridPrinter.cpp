// Laying a grid out into pages and painting them with its print settings.
#include "gridctl/TGridPrinter.h"

#include "gridctl/Conversions.h"
#include "gridctl/TGridControl.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QImage>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Longer lengths are no layout of a paper page; capping keeps the arithmetic sane.
constexpr int32_t MaxLength = 10000;
constexpr double ScreenDpi = 96;
// Room between a cell's text and its edges, beyond the spacings: half a millimetre beside,
// a quarter above and below.
constexpr int32_t TextInsetX = 5;
constexpr int32_t TextInsetY = 3;

Qt::PenStyle ToPenStyle(TPrintPenStyle style) {
    switch (style) {
    case TPrintPenStyle::psDash:
        return Qt::DashLine;
    case TPrintPenStyle::psDot:
        return Qt::DotLine;
    case TPrintPenStyle::psDashDot:
        return Qt::DashDotLine;
    case TPrintPenStyle::psDashDotDot:
        return Qt::DashDotDotLine;
    case TPrintPenStyle::psClear:
        return Qt::NoPen;
    case TPrintPenStyle::psSolid:
    case TPrintPenStyle::psInsideFrame:
        break;
    }
    return Qt::SolidLine;
}

bool AtTop(TPrintPosition position) {
    return position == TPrintPosition::ppTopLeft || position == TPrintPosition::ppTopRight ||
           position == TPrintPosition::ppTopCenter;
}

Qt::Alignment Alignment(TPrintPosition position) {
    switch (position) {
    case TPrintPosition::ppTopRight:
    case TPrintPosition::ppBottomRight:
        return Qt::AlignRight;
    case TPrintPosition::ppTopCenter:
    case TPrintPosition::ppBottomCenter:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

// A device of the layout's resolution, for font metrics.
const QPaintDevice& LayoutDevice() {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        const int dotsPerMetre = qRound(TGridPrinter::LayoutDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return device;
}

// A painter resolves point sizes with its device's resolution; the layout's text is meant at
// LayoutDpi before the painter's scale, so the sizes grow by fontScale.
QFont Scaled(const QFont& font, double fontScale) {
    QFont scaled = font;
    if (font.pointSizeF() > 0) {
        scaled.setPointSizeF(font.pointSizeF() * fontScale);
    } else {
        scaled.setPixelSize(qRound(font.pixelSize() * fontScale));
    }
    return scaled;
}

// The widest of many texts, by the advances of their characters. Shaping every cell of a large
// grid costs seconds; cell texts are numbers and short words, where the sum of the advances is
// what shaping gives, kerning aside, which only narrows. Texts beyond Latin are shaped.
class TWidestText {
public:
    explicit TWidestText(const QFont& font) : Metrics(font, &LayoutDevice()) {}

    double Width(const QString& text) {
        double width = 0;
        for (const QChar c : text) {
            const char16_t code = c.unicode();
            if (code >= Advances.size()) {
                return Metrics.horizontalAdvance(text);
            }
            double& advance = Advances[code];
            if (advance < 0) {
                advance = Metrics.horizontalAdvance(c);
            }
            width += advance;
        }
        return width;
    }

private:
    QFontMetricsF Metrics;
    std::array<double, 0x250> Advances = MakeUnknown();

    static std::array<double, 0x250> MakeUnknown() {
        std::array<double, 0x250> unknown{};
        unknown.fill(-1);
        return unknown;
    }
};

constexpr TPrintPosition Positions[] = {
    TPrintPosition::ppTopLeft,    TPrintPosition::ppTopRight,    TPrintPosition::ppTopCenter,
    TPrintPosition::ppBottomLeft, TPrintPosition::ppBottomRight, TPrintPosition::ppBottomCenter};

} // namespace

double TGridPrinter::ToPixels(int32_t tenthsOfMm, double dpi) {
    return std::clamp(tenthsOfMm, 0, MaxLength) * dpi / 254.0;
}

QString TGridPrinter::FormatDate(const QDate& date, const QString& format) {
    const QLocale locale;
    if (format.isEmpty()) {
        return locale.toString(date, QLocale::ShortFormat);
    }
    QString text;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i].toLower();
        if (c == u'\'' || c == u'"') {
            const qsizetype end = format.indexOf(format[i], i + 1);
            text += format.mid(i + 1, end < 0 ? -1 : end - i - 1);
            i = end < 0 ? format.size() : end + 1;
            continue;
        }
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run].toLower() == c) {
            ++run;
        }
        if (c == u'd') {
            text += run == 1   ? QString::number(date.day())
                    : run == 2 ? date.toString(u"dd")
                               : locale.dayName(date.dayOfWeek(), run == 3 ? QLocale::ShortFormat
                                                                           : QLocale::LongFormat);
        } else if (c == u'm') {
            text += run == 1   ? QString::number(date.month())
                    : run == 2 ? date.toString(u"MM")
                               : locale.monthName(date.month(), run == 3 ? QLocale::ShortFormat
                                                                         : QLocale::LongFormat);
        } else if (c == u'y') {
            text += run <= 2 ? date.toString(u"yy") : date.toString(u"yyyy");
        } else {
            text += format.mid(i, run);
        }
        i += run;
    }
    return text;
}

TGridPrinter::TTextWidths TGridPrinter::MeasureTexts(const TGridControl& grid,
                                                     const TPrintFont& font) {
    const QFont table = ToFont(font);
    QFont headerRow = table;
    headerRow.setBold(true);
    const QFontMetricsF header(headerRow, &LayoutDevice());
    TWidestText cells(table);
    TTextWidths widths;
    for (int column = 0; column < grid.ColumnCount(); ++column) {
        double width = header.horizontalAdvance(grid.Cell(column, 0));
        if (!grid.isColumnHidden(column)) {
            for (int row = 1; row < grid.RowCount(); ++row) {
                width = std::max(width, cells.Width(grid.Cell(column, row)));
            }
        }
        widths.append(width);
    }
    return widths;
}

QSizeF TGridPrinter::PrintableSize(const QPagedPaintDevice& device) {
    return device.pageLayout().paintRect(QPageLayout::Point).size();
}

TGridPrinter::TGridPrinter(const TGridControl& grid, const TPrintSettings& settings,
                           const QSizeF& pageSize, const QDateTime& printTime,
                           const TTextWidths* textWidths)
    : Grid(grid), Settings(settings), PrintTime(printTime), Page(pageSize * (Dpi / 72)),
      TableFont(ToFont(settings.Font)), HeaderRowFont(TableFont),
      HeaderFont(ToFont(settings.HeaderFont)), FooterFont(ToFont(settings.FooterFont)) {
    HeaderRowFont.setBold(true);
    PlaceArea();
    MeasureColumns(textWidths);
    ChooseScale();
    SplitIntoStrips();
    SplitIntoBands();
}

void TGridPrinter::PlaceArea() {
    const QFontMetricsF header(HeaderFont, &LayoutDevice());
    const QFontMetricsF footer(FooterFont, &LayoutDevice());
    // The bands grow to hold their line when something is placed in them.
    bool top = false;
    bool bottom = false;
    for (const TPrintPosition p : {Settings.Title, Settings.Date, Settings.Time, Settings.PageNr}) {
        top = top || AtTop(p);
        bottom = bottom || (p != TPrintPosition::ppNone && !AtTop(p));
    }
    const double topBand = std::max(ToPixels(Settings.HeaderSize, Dpi), top ? header.height() : 0);
    const double bottomBand =
        std::max(ToPixels(Settings.FooterSize, Dpi), bottom ? footer.height() : 0);
    const double left = ToPixels(Settings.LeftSize, Dpi);
    Area = QRectF(left, topBand,
                  std::max(Page.width() - left - ToPixels(Settings.RightSize, Dpi), 1.0),
                  std::max(Page.height() - topBand - bottomBand, 1.0));
    if (!Settings.TitleLines.isEmpty()) {
        TitleHeight = Settings.TitleLines.size() * header.lineSpacing() +
                      ToPixels(Settings.TitleSpacing, Dpi);
    }
}

void TGridPrinter::MeasureColumns(const TTextWidths* textWidths) {
    const QFontMetricsF table(TableFont, &LayoutDevice());
    const QFontMetricsF headerRow(HeaderRowFont, &LayoutDevice());
    const double columnSpacing =
        ToPixels(Settings.ColumnSpacing, Dpi) + 2 * ToPixels(TextInsetX, Dpi);
    const double screenToDevice = Dpi / ScreenDpi;
    const bool autoSize = !Settings.UseFixedWidth && !Settings.NoAutoSize;
    TTextWidths measured;
    if (autoSize && (textWidths == nullptr || textWidths->size() < Grid.ColumnCount())) {
        measured = MeasureTexts(Grid, Settings.Font);
        textWidths = &measured;
    }
    for (int column = 0; column < Grid.ColumnCount(); ++column) {
        if (Grid.ColumnWidth(column) <= 0 || Grid.isColumnHidden(column)) {
            continue;
        }
        double width = Grid.ColumnWidth(column) * screenToDevice;
        if (Settings.UseFixedWidth) {
            width = ToPixels(Settings.FixedWidth, Dpi);
        } else if (autoSize) {
            width = (*textWidths)[column];
        }
        Columns.append(column);
        Widths.append(std::max(width + columnSpacing, 1.0));
    }
    RowHeight = Settings.UseFixedHeight
                    ? ToPixels(Settings.FixedHeight, Dpi)
                    : std::max(table.height(), headerRow.height()) + 2 * ToPixels(TextInsetY, Dpi);
    RowHeight = std::max(RowHeight + ToPixels(Settings.RowSpacing, Dpi), 1.0);
}

void TGridPrinter::ChooseScale() {
    double tableWidth = 0;
    for (const double width : Widths) {
        tableWidth += width;
    }
    if (tableWidth <= 0) {
        return;
    }
    const double fit = Area.width() / tableWidth;
    switch (Settings.FitToPage) {
    case TPrintFitToPage::fpGrow:
        Scale = std::max(fit, 1.0);
        break;
    case TPrintFitToPage::fpShrink:
        Scale = std::min(fit, 1.0);
        break;
    case TPrintFitToPage::fpAlways:
        Scale = fit;
        break;
    case TPrintFitToPage::fpNever:
    case TPrintFitToPage::fpCustom:
        break;
    }
}

void TGridPrinter::SplitIntoStrips() {
    // Each strip as wide as fits and at least one column.
    const double room = Area.width() / Scale;
    for (int i = 0; i < Columns.size();) {
        TStrip strip{i, 0, 0};
        while (i < Columns.size() && (strip.Count == 0 || strip.Width + Widths[i] <= room + 1e-6)) {
            strip.Width += Widths[i++];
            ++strip.Count;
        }
        Strips.append(strip);
    }
    if (Strips.isEmpty()) {
        Strips.append(TStrip{0, 0, 0});
    }
}

void TGridPrinter::SplitIntoBands() {
    // Pages down the rows, each holding at least one row.
    const bool repeat = Settings.RepeatFixedRows;
    for (int row = 0; row < Grid.RowCount();) {
        Bands.append(row);
        const double height = (Area.height() - (Bands.size() == 1 ? TitleHeight : 0)) / Scale -
                              (repeat && row > 0 ? RowHeight : 0);
        row += std::max(static_cast<int>(std::floor(height / RowHeight + 1e-9)), 1);
    }
}

QString TGridPrinter::BandText(TPrintPosition position, int page) const {
    QStringList parts;
    if (Settings.Title == position && !Settings.TitleText.isEmpty()) {
        parts.append(Settings.TitleText);
    }
    if (Settings.Date == position) {
        parts.append(FormatDate(PrintTime.date(), Settings.DateFormat));
    }
    if (Settings.Time == position) {
        parts.append(QLocale().toString(PrintTime.time(), QLocale::ShortFormat));
    }
    if (Settings.PageNr == position) {
        QString number = QString::number(page + 1);
        if (!Settings.PageNumSep.isEmpty()) {
            number += Settings.PageNumSep + QString::number(PageCount());
        }
        parts.append(Settings.PagePrefix + number + Settings.PageSuffix);
    }
    return parts.join(QStringLiteral("    "));
}

void TGridPrinter::PaintBands(QPainter& painter, int page, double fontScale) const {
    for (const TPrintPosition position : Positions) {
        const QString text = BandText(position, page);
        if (text.isEmpty()) {
            continue;
        }
        const bool top = AtTop(position);
        const QRectF band =
            top ? QRectF(Area.left(), 0, Area.width(), Area.top())
                : QRectF(Area.left(), Area.bottom(), Area.width(), Page.height() - Area.bottom());
        painter.setFont(Scaled(top ? HeaderFont : FooterFont, fontScale));
        painter.setPen(ToColor(top ? Settings.HeaderFont.Color : Settings.FooterFont.Color));
        painter.drawText(band, Alignment(position) | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }
}

void TGridPrinter::PaintPage(QPainter& painter, int index, double scale) const {
    if (index < 0 || index >= PageCount()) {
        return;
    }
    const TStrip& strip = Strips[index / Bands.size()];
    const int band = index % Bands.size();
    const double deviceDpi = painter.device()->logicalDpiY();
    const double fontScale = Dpi / deviceDpi;
    painter.save();
    painter.scale(scale > 0 ? scale : deviceDpi / Dpi, scale > 0 ? scale : deviceDpi / Dpi);
    PaintBands(painter, index, fontScale);
    double top = Area.top();
    if (band == 0 && !Settings.TitleLines.isEmpty()) {
        painter.setFont(Scaled(HeaderFont, fontScale));
        painter.setPen(ToColor(Settings.HeaderFont.Color));
        const QFontMetricsF metrics(HeaderFont, &LayoutDevice());
        const Qt::Alignment align = Settings.Centered ? Qt::AlignHCenter : Qt::AlignLeft;
        for (const QString& line : Settings.TitleLines) {
            painter.drawText(QRectF(Area.left(), top, Area.width(), metrics.lineSpacing()),
                             align | Qt::AlignVCenter | Qt::TextSingleLine, line);
            top += metrics.lineSpacing();
        }
        top = Area.top() + TitleHeight;
    }
    PaintTable(painter, strip, band, top, fontScale);
    painter.restore();
}

void TGridPrinter::PaintTable(QPainter& painter, const TStrip& strip, int band, double top,
                              double fontScale) const {
    const double left =
        Area.left() + (Settings.Centered ? (Area.width() - strip.Width * Scale) / 2 : 0);
    painter.translate(left, top);
    painter.scale(Scale, Scale);

    QList<int> rows;
    const bool repeatHeader = Settings.RepeatFixedRows && band > 0;
    if (repeatHeader) {
        rows.append(0);
    }
    const int end = band + 1 < Bands.size() ? Bands[band + 1] : Grid.RowCount();
    for (int row = Bands[band]; row < end; ++row) {
        rows.append(row);
    }
    const double pad = ToPixels(Settings.ColumnSpacing, Dpi) / 2 + ToPixels(TextInsetX, Dpi);
    painter.setPen(ToColor(Settings.Font.Color));
    const QFont tableFont = Scaled(TableFont, fontScale);
    const QFont headerRowFont = Scaled(HeaderRowFont, fontScale);
    for (int i = 0; i < rows.size(); ++i) {
        painter.setFont(rows[i] == 0 ? headerRowFont : tableFont);
        double x = 0;
        for (int c = strip.First; c < strip.First + strip.Count; ++c) {
            const QRectF cell(x + pad, i * RowHeight, Widths[c] - 2 * pad, RowHeight);
            painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                             Grid.Cell(Columns[c], rows[i]));
            x += Widths[c];
        }
    }
    PaintBorders(painter, strip, static_cast<int>(rows.size()), !rows.isEmpty() && rows[0] == 0);
}

void TGridPrinter::PaintBorders(QPainter& painter, const TStrip& strip, int rows,
                                bool headerOnPage) const {
    using enum TPrintBorders;
    const TPrintBorders kind = Settings.Borders;
    if (kind == pbNoborder || rows == 0 || strip.Count == 0) {
        return;
    }
    // Lines stay a screen pixel thick, however the table is scaled.
    const double penWidth = Dpi / ScreenDpi / Scale;
    painter.setPen(QPen(Qt::black, penWidth, ToPenStyle(Settings.BorderStyle), Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    const QRectF frame(0, 0, strip.Width, rows * RowHeight);
    const bool around = kind != pbVertical && kind != pbHorizontal;
    const bool vertical =
        kind == pbSingle || kind == pbDouble || kind == pbVertical || kind == pbAroundVertical;
    const bool horizontal =
        kind == pbSingle || kind == pbDouble || kind == pbHorizontal || kind == pbAroundHorizontal;
    if (around) {
        painter.drawRect(frame);
    }
    if (kind == pbDouble) {
        const double gap = 2 * penWidth;
        painter.drawRect(frame.adjusted(-gap, -gap, gap, gap));
    }
    if (vertical) {
        double x = 0;
        for (int c = strip.First; c + 1 < strip.First + strip.Count; ++c) {
            x += Widths[c];
            painter.drawLine(QPointF(x, 0), QPointF(x, frame.bottom()));
        }
    }
    for (int i = 1; i < rows; ++i) {
        if (horizontal || (kind == pbCustom && i == 1 && headerOnPage)) {
            painter.drawLine(QPointF(0, i * RowHeight), QPointF(strip.Width, i * RowHeight));
        }
    }
}

QString TGridPrinter::Print(const TGridControl& grid, const TPrintSettings& settings,
                            QPagedPaintDevice& device, const QDateTime& printTime) {
    device.setPageOrientation(settings.Orientation == TPrintOrientation::poLandscape
                                  ? QPageLayout::Landscape
                                  : QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&device)) {
        return QCoreApplication::translate(
            "TGridPrinter", "Printing could not start: the printer or file cannot be opened.");
    }
    const TGridPrinter printer(grid, settings, PrintableSize(device), printTime);
    for (int page = 0; page < printer.PageCount(); ++page) {
        if (page > 0 && !device.newPage()) {
            return QCoreApplication::translate("TGridPrinter", "Printing stopped at page %1.")
                .arg(page + 1);
        }
        printer.PaintPage(painter, page);
    }
    if (!painter.end()) {
        return QCoreApplication::translate("TGridPrinter", "Printing could not be finished.");
    }
    return {};
}
