// Any texts make a page that an XML parser reads without error, every cell in its place.
#include "FuzzInput.h"
#include "gridctl/HtmlWriter.h"

#include <QXmlStreamReader>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    THtmlSettings settings;
    settings.PageTitle = input.Utf16();
    settings.FontName = input.Utf16();
    settings.BorderWidth = input.Number<int32_t>();
    settings.CellSpacing = input.Number<int32_t>();
    settings.FontSize = input.Number<int32_t>();
    settings.HeaderRow = input.Number<uint8_t>() % 2 == 0;
    const QStringList headers{input.Utf16(), QString::fromStdString(input.Text())};
    std::vector<QStringList> rows;
    while (!input.AtEnd() && rows.size() < 16) {
        rows.push_back({input.Utf16(), QString::fromStdString(input.Text())});
    }
    QXmlStreamReader xml(TableToHtml(headers, rows, settings));
    qsizetype cells = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            (xml.name() == u"td" || xml.name() == u"th")) {
            ++cells;
        }
    }
    if (xml.hasError()) {
        std::fprintf(stderr, "%s\n", qPrintable(xml.errorString()));
        FUZZ_CHECK(false);
    }
    FUZZ_CHECK(cells == 2 * static_cast<qsizetype>(rows.size()) + (settings.HeaderRow ? 2 : 0));
    return 0;
}
