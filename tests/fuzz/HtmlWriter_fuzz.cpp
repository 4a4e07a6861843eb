// Any texts, UTF-8 or not, make a page that an XML parser reads without error, with every
// cell in its place holding what it was given: a UTF-8 decoder's reading of its bytes,
// characters XML does not allow as U+FFFD, line ends as the parser gives them.
#include "FuzzInput.h"
#include "model/HtmlPage.h"

#include <QMap>
#include <QStringDecoder>
#include <QStringList>
#include <QXmlStreamReader>

namespace {

QString ReadBack(const std::string& bytes) {
    // A text's own leading U+FEFF is a character of it, not a byte-order mark to drop, and
    // a sequence cut off at its end is a bad one, not one to be continued.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
    QString text = utf8(QByteArrayView(bytes.data(), std::ssize(bytes)));
    // The characters replaced are single UTF-16 units, never part of a surrogate pair.
    for (QChar& c : text) {
        const char16_t unit = c.unicode();
        if ((unit < 0x20 && unit != '\t' && unit != '\n' && unit != '\r') || unit == 0xFFFE ||
            unit == 0xFFFF) {
            c = QChar(0xFFFD);
        }
    }
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

} // namespace

FUZZ_TARGET(input) {
    HtmlPageStyle style;
    input.Read(style.PageTitle, style.FontName, style.BorderWidth, style.CellSpacing,
               style.FontSize);
    style.HeaderRow = input.Number<uint8_t>() % 2 == 0;
    const std::vector<std::string> headers{input.Text(), input.Text()};
    std::vector<std::vector<std::string>> rows;
    while (!input.AtEnd() && rows.size() < 16) {
        rows.push_back({input.Text(), input.Text()});
    }
    QStringList expected;
    for (const auto& cells : rows) {
        expected << ReadBack(cells[0]) << ReadBack(cells[1]);
    }
    const std::string page = TableToHtml(headers, rows, style);
    QXmlStreamReader xml(QByteArray::fromStdString(page));
    QMap<QString, QStringList> read; // the texts of the title, th and td elements in order
    while (!xml.atEnd()) {
        const QString name =
            xml.readNext() == QXmlStreamReader::StartElement ? xml.name().toString() : "";
        if (name == "title" || name == "th" || name == "td") {
            read[name] << xml.readElementText();
        }
    }
    if (xml.hasError()) {
        std::fprintf(stderr, "%s\n", qPrintable(xml.errorString()));
        FUZZ_CHECK(false);
    }
    FUZZ_CHECK(read["td"] == expected);
    FUZZ_CHECK(read["title"] == QStringList{ReadBack(style.PageTitle)});
    FUZZ_CHECK(read["th"] == (style.HeaderRow
                                  ? QStringList{ReadBack(headers[0]), ReadBack(headers[1])}
                                  : QStringList{}));
}
