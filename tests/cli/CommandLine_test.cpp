#include "core/ResultComputation.h"
#include "model/ResultColumns.h"
#include "superarray/superarray.h"
#include "util/NumberFormat.h"

#include <QtCore>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::vector<std::string>>;

struct ProcessRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

// The program as a script starts it: no display, no platform chosen for the toolkit.
ProcessRun Pixolan(const QStringList& args, const QString& outputFile = {}) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        env.remove(QString::fromLatin1(name));
    }
    process.setProcessEnvironment(env);
    if (!outputFile.isEmpty()) {
        process.setStandardOutputFile(outputFile);
    }
    process.start(QStringLiteral(PIXOLAN_BINARY), args);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

Rows ParseTsv(const std::string& text) {
    Rows rows;
    QStringList lines = QString::fromStdString(text).split(QLatin1Char('\n'));
    EXPECT_EQ(lines.takeLast().toStdString(), "") << "the last line ends";
    for (const QString& line : lines) {
        std::vector<std::string>& row = rows.emplace_back();
        for (const QString& cell : line.split(QLatin1Char('\t'))) {
            row.push_back(cell.toStdString());
        }
    }
    return rows;
}

// RFC 4180: records end in CRLF; quoted fields may hold commas, quotes (doubled) and breaks.
Rows ParseCsv(const std::string& text) {
    Rows rows(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        std::string& field = rows.back().back();
        if (c == '"' && quoted && next == '"') {
            field += '"';
            ++i;
        } else if (c == '"') {
            EXPECT_TRUE(quoted || field.empty()) << "a quote inside an unquoted field";
            quoted = !quoted;
        } else if (quoted) {
            field += c;
        } else if (c == ',') {
            rows.back().emplace_back();
        } else if (c == '\r' && next == '\n') {
            rows.emplace_back(1);
            ++i;
        } else {
            EXPECT_NE(c, '\n') << "a bare line feed ends no record";
            field += c;
        }
    }
    EXPECT_EQ(rows.back(), std::vector<std::string>(1)) << "the last record ends in CRLF";
    rows.pop_back();
    return rows;
}

// The page is XHTML: an XML parser reads its head and body cells back.
Rows ParseHtml(const std::string& text) {
    Rows rows;
    QXmlStreamReader xml(QByteArray::fromStdString(text));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == u"tr") {
            rows.emplace_back();
        } else if (xml.name() == u"th" || xml.name() == u"td") {
            rows.back().push_back(xml.readElementText().toStdString());
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return rows;
}

QJsonDocument Json(const std::string& text) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return doc;
}

// The JSON rows back as text under the expected header's keys; numbers must be JSON numbers.
Rows ParseJson(const std::string& text, const Rows& expected) {
    Rows rows{expected.front()};
    const QJsonArray array = Json(text).array();
    for (qsizetype r = 0; r < array.size(); ++r) {
        const QJsonObject object = array[r].toObject();
        EXPECT_EQ(object.size(), static_cast<qsizetype>(expected.front().size()));
        std::vector<std::string>& row = rows.emplace_back();
        for (std::size_t c = 0; c < expected.front().size(); ++c) {
            const auto want = static_cast<std::size_t>(r) + 1 < expected.size()
                                  ? expected[static_cast<std::size_t>(r) + 1][c]
                                  : std::string();
            const QJsonValue value = object[QString::fromStdString(expected.front()[c])];
            if (!want.empty() && want.find_first_not_of("-0123456789.") == std::string::npos) {
                EXPECT_TRUE(value.isDouble()) << want << " is written as a number";
                row.push_back(value.toDouble() == std::stod(want) ? want : "not " + want);
            } else {
                EXPECT_TRUE(value.isString()) << want;
                row.push_back(value.toString().toStdString());
            }
        }
    }
    return rows;
}

// The rows the library computes, under the window's captions.
Rows LibraryRows(const ResultInputs& inputs, ReferencePair reference = {}) {
    superarray table;
    table.Init();
    ComputeResults(inputs, table, reference);
    Rows rows(1);
    for (const ResultColumnDecl& column : ResultColumns) {
        rows[0].emplace_back(column.Caption);
    }
    for (int32_t r = 1; r <= table.Count(); ++r) {
        std::vector<std::string>& row = rows.emplace_back();
        for (const ResultColumnDecl& column : ResultColumns) {
            row.push_back(table.GetCell(r, column.Id));
        }
    }
    return rows;
}

TEST(CommandLine, ListPrintsTheLibraryRowsInEveryFormat) {
    const struct {
        QStringList Args;
        Rows Expected;
    } cases[] = {
        {{}, LibraryRows({})},
        {{"--ratio", "8:6", "--from", "-5", "--to", "100", "--width-div", "",
          "--height-div=", "--width-not-div", "3"},
         LibraryRows(
             {.To = 100, .WidthDiv = "", .HeightDiv = "", .WidthNotDiv = "3", .HeightNotDiv = ""})},
        {{"--from", "900000", "--to", "900001", "--width-div", "", "--height-div", ""},
         LibraryRows({.From = MaxWidth,
                      .To = MaxWidth,
                      .WidthDiv = "",
                      .HeightDiv = "",
                      .WidthNotDiv = "",
                      .HeightNotDiv = ""})},
        {{"--from", "10", "--to", "9"},
         LibraryRows({.From = 10, .To = 9, .WidthNotDiv = "", .HeightNotDiv = ""})},
        {{"--ratio", "16:9", "--to", "1920", "--playing", "4:3", "--screen", "16:9", "--rotated",
          "--height-not-div", "5,7", "--reference", "640x360"},
         LibraryRows({.To = 1920,
                      .RatioX = 16,
                      .RatioY = 9,
                      .WidthNotDiv = "",
                      .HeightNotDiv = "5,7",
                      .SX = 16,
                      .SY = 9,
                      .PX = 4,
                      .PY = 3,
                      .Rotated = true},
                     {640, 360})},
    };
    for (const auto& c : cases) {
        const std::string name = c.Args.join(' ').toStdString();
        const ProcessRun tsv = Pixolan(QStringList{"list"} + c.Args);
        EXPECT_EQ(tsv.Status, 0) << name << tsv.Err;
        EXPECT_EQ(ParseTsv(tsv.Out), c.Expected) << name;
        const ProcessRun csv = Pixolan(QStringList{"list", "--format", "csv"} + c.Args);
        EXPECT_EQ(ParseCsv(csv.Out), c.Expected) << name;
        const ProcessRun json = Pixolan(QStringList{"list", "--format=json"} + c.Args);
        EXPECT_EQ(ParseJson(json.Out, c.Expected), c.Expected) << name;
    }
}

TEST(CommandLine, ListAsHtmlIsTheExportPageWithTheCellsAsTheWindowShowsThem) {
    DigitGroupSeparator.assign(1, '\''); // as the window groups
    Rows expected = LibraryRows({});
    for (std::size_t r = 1; r < expected.size(); ++r) {
        expected[r][2] = GroupDigits(expected[r][2]) + "%";
        expected[r][3] = GroupDigits(expected[r][3]);
    }
    const ProcessRun run = Pixolan({"list", "--format", "html"});
    EXPECT_EQ(run.Status, 0);
    EXPECT_NE(run.Out.find("<title>Grid</title>"), std::string::npos);
    EXPECT_EQ(ParseHtml(run.Out), expected);
    EXPECT_EQ(expected.back()[2], "230'400%");

    const Rows bare = ParseHtml(Pixolan({"list", "--format", "html", "--no-header"}).Out);
    EXPECT_EQ(bare, Rows(expected.begin() + 1, expected.end()));
}

TEST(CommandLine, ListShowsTheWindowsFirstRowsAndLeavesTheHeaderOutOnRequest) {
    const ProcessRun run = Pixolan({"list", "--no-header"});
    const Rows rows = ParseTsv(run.Out);
    ASSERT_EQ(rows.size(), 48u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"16", "12", "100", "192", "0 / 0", "2,4,8",
                                                 "2,3,4,6", "16:16 (+0:+4)"}));
    EXPECT_EQ(rows[1][2], "400");

    const ProcessRun json = Pixolan({"list", "--no-header", "--format", "json", "--to", "16"});
    const QJsonArray array = Json(json.Out).array();
    ASSERT_EQ(array.size(), 1);
    EXPECT_EQ(array[0].toArray()[0].toInt(), 16);
    EXPECT_EQ(array[0].toArray()[7].toString(), "16:16 (+0:+4)");
}

TEST(CommandLine, BadArgumentsSayWhatWasExpectedAndPrintNothing) {
    const struct {
        QStringList Args;
        std::string Err;
    } cases[] = {
        {{"list", "--ratio", "abc"}, R"(--ratio "abc": expected X:Y with whole numbers)"},
        {{"list", "--ratio", "0:3"}, R"(--ratio "0:3": expected X:Y with whole numbers above 0)"},
        {{"list", "--screen", "4:"}, R"(--screen "4:": expected X:Y with whole numbers)"},
        {{"list", "--to", "99999999999"}, R"(--to "99999999999": expected a whole number)"},
        {{"list", "--from", "1e3"}, R"(--from "1e3": expected a whole number)"},
        {{"list", "--reference", "640*480"},
         R"(--reference "640*480": expected WxH with whole numbers)"},
        {{"list", "--format", "xml"}, R"(--format "xml": expected tsv|csv|json|html)"},
        {{"list", "--playing"}, "--playing: expected a value after it"},
        {{"list", "--colour"},
         R"("--colour": expected an option of list (pixolan --help lists them))"},
        {{"identify"}, "identify: expected WxH, such as 1920x1080"},
        {{"identify", "0x5"}, R"(identify "0x5": expected WxH with whole numbers above 0)"},
        {{"identify", "4x3", "--format", "csv"}, R"(--format "csv": expected tsv|json)"},
        {{"formats", "extra"},
         R"("extra": expected an option of formats (pixolan --help lists them))"},
        {{"lsit"}, R"("lsit": expected a command: list, identify or formats)"},
    };
    for (const auto& c : cases) {
        const ProcessRun run = Pixolan(c.Args);
        EXPECT_EQ(run.Status, 2) << c.Err;
        EXPECT_EQ(run.Err, "pixolan: " + c.Err + "\n");
        EXPECT_EQ(run.Out, "") << c.Err;
    }
}

TEST(CommandLine, IdentifyGivesTheRatioAndTheFormatsNearIt) {
    const Rows rows = ParseTsv(Pixolan({"identify", "1920x1080"}).Out);
    ASSERT_GE(rows.size(), 4u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"Ratio", "16:9"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"Decimal", "1.78:1"}));
    EXPECT_EQ(rows[2], (std::vector<std::string>{"exact", "1.78:1 (16:9)", "16:9"}));
    EXPECT_EQ(rows.back()[0], "nearest");

    const ProcessRun json = Pixolan({"identify", "640x480", "--format", "json"});
    const QJsonObject object = Json(json.Out).object();
    EXPECT_EQ(object["ratio"].toString(), "4:3");
    EXPECT_EQ(object["decimal"].toString(), "1.33:1");
    const QJsonArray exact = object["exact"].toArray();
    ASSERT_FALSE(exact.isEmpty());
    for (const QJsonValue& format : exact) {
        EXPECT_EQ(format["x"].toDouble() * 3, format["y"].toDouble() * 4)
            << format["format"].toString().toStdString();
    }
    // The nearest come closest first: 380:284 (1.338) before 200:152 (1.316).
    const QJsonArray nearest = object["nearest"].toArray();
    ASSERT_EQ(nearest.size(), 5);
    EXPECT_EQ(nearest[0]["format"].toString().toStdString(), "Kodak 16mm (380:284)");
    EXPECT_EQ(nearest[1]["format"].toString().toStdString(), "Webcam mini (200:152)");
}

TEST(CommandLine, FormatsListsThePredefinedEntriesWithTheTermsTheWindowSets) {
    const Rows rows = ParseCsv(Pixolan({"formats", "--format", "csv"}).Out);
    ASSERT_EQ(rows.size(), 127u); // the header and 126 formats
    EXPECT_EQ(rows[0], (std::vector<std::string>{"Format", "X", "Y"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"1.33:1 (4:3)", "4", "3"}));
    EXPECT_EQ(rows[126],
              (std::vector<std::string>{"QXGA Wide (3840:2400) (16:10)", "3840", "2400"}));
    const QJsonArray json = Json(Pixolan({"formats", "--format", "json"}).Out).array();
    ASSERT_EQ(json.size(), 126);
    EXPECT_EQ(json[2].toObject()["X"].toInt(), 185);
}

TEST(CommandLine, HelpVersionAndAFailedWrite) {
    EXPECT_EQ(Pixolan({"--version"}).Out, "pixolan 1.5\n");
    const ProcessRun help = Pixolan({"--help"});
    EXPECT_EQ(help.Status, 0);
    for (const char* option :
         {"--ratio", "--from", "--to", "--width-div", "--height-div", "--width-not-div",
          "--height-not-div", "--screen", "--playing", "--rotated", "--reference", "--format",
          "--no-header", "identify", "formats", "(4:3)", "(768)", "(16:9)"}) {
        EXPECT_NE(help.Out.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(Pixolan({"list", "--help"}).Out, help.Out);

    const ProcessRun full = Pixolan({"list", "--to", "32768"}, QStringLiteral("/dev/full"));
    EXPECT_EQ(full.Status, 1);
    EXPECT_EQ(full.Err, "pixolan: cannot write the output\n");
}

} // namespace
