#include "core/ResultComputation.h"
#include "model/HtmlPage.h"
#include "model/ResultColumns.h"
#include "superarray/superarray.h"
#include "support/UnfilteredInputs.h"
#include "util/NumberFormat.h"

#include <QtCore>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::vector<std::string>>;

struct ProcessRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

// The program as a script starts it: no display, no platform chosen for the toolkit; with
// `input` on standard input, `env` ("NAME=value") set on top, and the output written to
// `outputFile` instead of a pipe when it is given.
ProcessRun Pixolan(const QStringList& args, const QByteArray& input = {},
                   const QStringList& env = {}, const QString& outputFile = {}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(QString::fromLatin1(name));
    }
    for (const QString& setting : env) {
        environment.insert(setting.section('=', 0, 0), setting.section('=', 1));
    }
    process.setProcessEnvironment(environment);
    if (!outputFile.isEmpty()) {
        process.setStandardOutputFile(outputFile);
    }
    process.start(QStringLiteral(PIXOLAN_BINARY), args);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

// The rows as the program writes them: TSV, or CSV (RFC 4180: CRLF after each record; a field
// with a comma, a quote or a line break quoted, its quotes doubled).
std::string Written(const Rows& rows, bool csv = false) {
    std::string text;
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            QString cell = QString::fromStdString(row[i]);
            if (csv && cell.contains(QRegularExpression(QStringLiteral("[,\"\r\n]")))) {
                cell = '"' + cell.replace(u'"', QStringLiteral("\"\"")) + '"';
            }
            text += (i == 0 ? "" : csv ? "," : "\t") + cell.toStdString();
        }
        text += csv ? "\r\n" : "\n";
    }
    return text;
}

QJsonDocument Json(const std::string& text) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return doc;
}

// JSON numbers joined by `sep` as the cells write them; each must be typed as a number.
std::string Numbers(const QJsonArray& numbers, const char* sep = ",") {
    std::string text;
    for (const QJsonValue& n : numbers) {
        EXPECT_TRUE(n.isDouble());
        text += (text.empty() ? "" : sep) + std::to_string(n.toInteger());
    }
    return text;
}

// The typed objects back as the cell texts of the table, under `header`: every value must
// have its JSON type, and the rows the keys that scripts read.
Rows JsonRows(const std::string& text, const std::vector<std::string>& header) {
    Rows rows{header};
    for (const QJsonValue& value : Json(text).array()) {
        const QJsonObject o = value.toObject();
        EXPECT_EQ(o.keys(),
                  QStringList({"area", "area_percent", "height", "height_divisors", "letterbox",
                               "pixel_difference", "width", "width_divisors"}));
        const QJsonObject dif = o["pixel_difference"].toObject();
        const QJsonObject box = o["letterbox"].toObject();
        EXPECT_TRUE(o["area_percent"].isDouble());
        rows.push_back(
            {Numbers({o["width"]}), Numbers({o["height"]}),
             QString::number(o["area_percent"].toDouble(), 'g', QLocale::FloatingPointShortest)
                 .toStdString(),
             Numbers({o["area"]}), Numbers({dif["width"], dif["height"]}, " / "),
             Numbers(o["width_divisors"].toArray()), Numbers(o["height_divisors"].toArray()),
             Numbers({box["width"], box["height"]}, ":") + " (+" +
                 Numbers({box["bar_width"], box["bar_height"]}, ":+") + ")"});
    }
    return rows;
}

// The rows the library computes under the window's captions, as the table stores them or,
// `shown`, as the window shows them.
Rows LibraryRows(const ResultInputs& inputs, ReferencePair reference = {}, bool shown = false) {
    superarray table;
    InitResultTable(table);
    ComputeResults(inputs, table, reference);
    Rows rows(1);
    for (const ResultColumnDecl& column : ResultColumns) {
        rows[0].emplace_back(column.Caption);
    }
    for (int32_t r = 1; r <= table.Count(); ++r) {
        std::vector<std::string>& row = rows.emplace_back();
        for (const ResultColumnDecl& column : ResultColumns) {
            row.push_back(shown ? table.GetCellShown(r, column.Id) : table.GetCell(r, column.Id));
        }
    }
    return rows;
}

TEST(CommandLine, ListPrintsTheLibraryRowsInEveryFormat) {
    const QStringList all{"--ratio", "5:4", "--width-div", "", "--height-div", ""};
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
         LibraryRows(Unfiltered(MaxWidth, MaxWidth))},
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
        // Bounds on the heights narrow the widths; bounds that cross or lie below 0 list none.
        {all + QStringList{"--min-height", "571", "--max-height", "576", "--from", "1", "--to",
                           "1000"},
         LibraryRows(Unfiltered(715, 720, 5, 4))},
        {all + QStringList{"--min-height", "-5", "--max-height", "4", "--to", "12"},
         LibraryRows(Unfiltered(1, 5, 5, 4))},
        {all + QStringList{"--min-height", "7", "--max-height", "5"},
         LibraryRows(Unfiltered(1, 0))},
        {all + QStringList{"--max-height", "-1"}, LibraryRows(Unfiltered(1, 0))},
    };
    for (const auto& c : cases) {
        const std::string name = c.Args.join(' ').toStdString();
        const ProcessRun tsv = Pixolan(QStringList{"list"} + c.Args);
        EXPECT_EQ(tsv.Status, 0) << name << tsv.Err;
        EXPECT_EQ(tsv.Out, Written(c.Expected)) << name;
        EXPECT_EQ(Pixolan(QStringList{"list", "--format", "csv"} + c.Args).Out,
                  Written(c.Expected, true))
            << name;
        const ProcessRun json = Pixolan(QStringList{"list", "--format=json"} + c.Args);
        EXPECT_EQ(JsonRows(json.Out, c.Expected[0]), c.Expected) << name;
        // JSON Lines: the same objects, one a line (so that they make an array, commas between).
        std::string lines = Pixolan(QStringList{"list", "--format", "jsonl"} + c.Args).Out;
        EXPECT_TRUE(lines.empty() || lines.ends_with('\n')) << name;
        std::replace(lines.begin(), lines.end(), '\n', ',');
        EXPECT_EQ(Json("[" + lines.substr(0, lines.size() - (lines.empty() ? 0 : 1)) + "]").array(),
                  Json(json.Out).array())
            << name;
    }
    // Without the header line the text tables hold only the rows; JSON keeps its keys, so a
    // script reads the same objects with or without the switch.
    const Rows rows = LibraryRows({});
    EXPECT_EQ(Pixolan({"list", "--no-header"}).Out, Written({rows.begin() + 1, rows.end()}));
    EXPECT_EQ(Pixolan({"list", "--no-header", "--format", "csv"}).Out,
              Written({rows.begin() + 1, rows.end()}, true));
    EXPECT_EQ(Pixolan({"list", "--no-header", "--format", "json"}).Out,
              Pixolan({"list", "--format", "json"}).Out);
}

// The page is the one the window's HTML export writes, of the cells as the window shows them.
TEST(CommandLine, ListAsHtmlIsTheExportPageWithTheCellsAsTheWindowShowsThem) {
    DigitGroupSeparator.assign(1, '\''); // as the window groups
    const Rows shown = LibraryRows({}, {}, true);
    EXPECT_EQ(shown.back()[2], "230'400%");
    HtmlPageStyle style;
    EXPECT_EQ(Pixolan({"list", "--format", "html"}).Out,
              TableToHtml(shown[0], {shown.begin() + 1, shown.end()}, style));
    style.HeaderRow = false;
    EXPECT_EQ(Pixolan({"list", "--format", "html", "--no-header"}).Out,
              TableToHtml(shown[0], {shown.begin() + 1, shown.end()}, style));
    DigitGroupSeparator.clear();
}

TEST(CommandLine, ListNamesTheFormatsOfExactlyAPairsSizeAndNotesTheTooTall) {
    const QStringList all{"--width-div", "", "--height-div", ""};
    Rows named = LibraryRows(Unfiltered(715, 720, 5, 4));
    named[0].emplace_back("Predefined formats");
    named[1].emplace_back();
    named[2].emplace_back("Digital Broadcasting (720:576); Digital8 PAL (720:576); DV PAL "
                          "Fullframe (720:576); DVCAM PAL (720:576); DVCPRO PAL (720:576); "
                          "MPEG-2 PAL=D2 (720:576)");
    EXPECT_EQ(
        Pixolan(QStringList{"list", "--ratio", "5:4", "--from", "715", "--to", "720", "--names"} +
                all)
            .Out,
        Written(named));
    const QJsonArray json = Json(Pixolan({"list", "--ratio", "5:4", "--from", "720", "--to", "720",
                                          "--names", "--format", "json"})
                                     .Out)
                                .array();
    EXPECT_EQ(json[0]["formats"].toArray().size(), 6);

    const ProcessRun tall =
        Pixolan(QStringList{"list", "--ratio", "1:1000000", "--to", "3000"} + all);
    EXPECT_EQ(tall.Status, 0);
    // The header and heights up to 2147000000.
    EXPECT_EQ(std::count(tall.Out.begin(), tall.Out.end(), '\n'), 2148);
    EXPECT_EQ(tall.Err, "pixolan: note: 853 pairs of the range are left out: their height is above "
                        "2147483647\n");
}

TEST(CommandLine, BadArgumentsAreEachReportedOnOneLineAndPrintNothing) {
    const struct {
        QStringList Args;
        std::vector<std::string> Errors;
    } cases[] = {
        {{"list", "--ratio", "abc", "--screen", "4:", "--ratio", "0:3"},
         {R"(--ratio "abc": expected X:Y with whole numbers above 0)",
          R"(--screen "4:": expected X:Y with whole numbers above 0)",
          R"(--ratio "0:3": expected X:Y with whole numbers above 0)"}},
        {{"list", "--to", "99999999999", "--from", "1e3", "--reference", "640*480"},
         {R"(--to "99999999999": expected a whole number)",
          R"(--from "1e3": expected a whole number)",
          R"(--reference "640*480": expected WxH with whole numbers above 0)"}},
        {{"list", "--format", "xml", "--colour", "--playing"},
         {R"(--format "xml": expected tsv|csv|json|jsonl|html)",
          R"("--colour": expected an option of list (pixolan list --help lists them))",
          "--playing: expected a value after it"}},
        {{"list", "--rotated=no", "--no-header=false", "--names=1"},
         {R"("--rotated=no": --rotated takes no value)",
          R"("--no-header=false": --no-header takes no value)",
          R"("--names=1": --names takes no value)"}},
        {{"list", "--width-div", "4;8", "--height-div", "4 8", "--width-not-div", "1e1"},
         {R"(--width-div "4;8": "4;8" is not a whole number above 0 (expected a list such as "4,8"))",
          R"(--height-div "4 8": "4 8" is not a whole number above 0 (expected a list such as "4,8"))",
          R"(--width-not-div "1e1": "1e1" is not a whole number above 0 (expected a list such as "4,8"))"}},
        {{"list", "--height-not-div", "2, 0", "--width-div=4,", "--height-div", "1.5,-4"},
         {R"(--height-not-div "2, 0": "0" is not a whole number above 0 (expected a list such as "4,8"))",
          R"(--width-div "4,": "" is not a whole number above 0 (expected a list such as "4,8"))",
          R"(--height-div "1.5,-4": "1.5" is not a whole number above 0 (expected a list such as "4,8"))"}},
        {{"list", "--", "--to"},
         {R"("--to": expected an option of list (pixolan list --help lists them))"}},
        {{"identify"}, {"identify: expected WxH, such as 1920x1080, or -"}},
        {{"identify", "0x5", "4x3", "--format", "html"},
         {R"(identify "0x5": expected WxH with whole numbers above 0)",
          R"(--format "html": expected text|tsv|csv|json|jsonl)"}},
        {{"formats", "extra"},
         {R"("extra": expected an option of formats (pixolan formats --help lists them))"}},
        {{"lsit"}, {R"("lsit": expected a command: list, identify or formats)"}},
        {{"--ratio", "16:9"}, {R"("--ratio": expected a command: list, identify or formats)"}},
        {{"-v"}, {R"("-v": expected a command: list, identify or formats)"}},
        {{"-style=fusion", "--foo"},
         {R"("-style=fusion": expected a command: list, identify or formats)"}},
        {{"list", "--to", "1\n2\x1b[31m\x7f\xc2\x9b\\"},
         {R"(--to "1\n2\x1b[31m\x7f\x9b\\": expected a whole number)"}},
    };
    for (const auto& c : cases) {
        // With a display in the environment too: no window may start for a mistyped command.
        const ProcessRun run = Pixolan(c.Args, {}, {"DISPLAY=:97"});
        std::string lines;
        for (const std::string& error : c.Errors) {
            lines += "pixolan: " + error + "\n";
        }
        EXPECT_EQ(run.Status, 2) << lines;
        EXPECT_EQ(run.Err, lines);
        EXPECT_EQ(run.Out, "") << lines;
    }
}

TEST(CommandLine, OptionsTakeTheirValueEitherWayAndDoubleDashEndsThem) {
    const std::string expected = Pixolan({"list", "--to", "64", "--width-div", "8,16"}).Out;
    EXPECT_EQ(Pixolan({"list", "--to=64", "--width-div= 8 , 16 "}).Out, expected);
    EXPECT_EQ(Pixolan({"list", "--to", "64", "--width-div", "8,16", "--"}).Out, expected);
    EXPECT_EQ(Pixolan({"identify", "--", "-"}).Status, 0); // "-" after "--" is standard input
}

TEST(CommandLine, IdentifyGivesTheRatioAndTheFormatsNearIt) {
    const std::string text = Pixolan({"identify", "1920x1080"}).Out;
    EXPECT_TRUE(text.starts_with("Ratio\t16:9\nDecimal\t1.78:1\nexact\t1.78:1 (16:9)\t16:9\n"))
        << text;
    EXPECT_TRUE(text.substr(text.rfind('\n', text.size() - 2) + 1).starts_with("nearest\t"));

    const ProcessRun json = Pixolan({"identify", "640x480", "--format", "json"});
    const QJsonObject object = Json(json.Out).object();
    EXPECT_EQ(object["width"].toInt(), 640);
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

TEST(CommandLine, IdentifyReadsSizesFromStandardInputAndNamesTheBadLines) {
    // The first line follows a byte-order mark, as some editors save a text.
    const QByteArray input = "\xEF\xBB\xBF"
                             "1920x1080\n\nabc\n 720 : 576 \r\n640 480\n0x5\n" +
                             QByteArray(300, '7') + "x1\n4X3";
    const std::string errors = "pixolan: line 3: \"abc\": expected WxH, W:H or \"W H\" with "
                               "whole numbers above 0\n"
                               "pixolan: line 6: \"0x5\": expected WxH, W:H or \"W H\" with "
                               "whole numbers above 0\n";
    const ProcessRun tsv = Pixolan({"identify", "-", "--format", "tsv"}, input);
    EXPECT_EQ(tsv.Status, 1);
    EXPECT_EQ(tsv.Err.substr(0, errors.size()), errors);
    EXPECT_NE(tsv.Err.find("pixolan: line 7: \"777"), std::string::npos) << tsv.Err;
    QStringList lines = QString::fromStdString(tsv.Out).split(u'\n');
    EXPECT_EQ(lines.takeLast(), "");
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], "Size\tRatio\tDecimal\tExact\tNearest");
    const char* starts[] = {"1920x1080\t16:9\t", "720x576\t5:4\t", "640x480\t4:3\t", "4x3\t4:3\t"};
    for (int i = 1; i < 5; ++i) {
        EXPECT_TRUE(lines[i].startsWith(starts[i - 1])) << lines[i].toStdString();
    }
    EXPECT_TRUE(lines[2].section(u'\t', 3, 3).contains("DVCAM PAL (720:576)"));

    // One object a line, the same as the one-size answer; the text blocks say their size.
    const ProcessRun jsonl = Pixolan({"identify", "-", "--format=jsonl"}, input);
    const QStringList objects = QString::fromStdString(jsonl.Out).trimmed().split(u'\n');
    ASSERT_EQ(objects.size(), 4);
    EXPECT_EQ(Json(objects[1].toStdString()).object(),
              Json(Pixolan({"identify", "720x576", "--format", "json"}).Out).object());
    const ProcessRun text = Pixolan({"identify", "-"}, "16:9\n4x3\n");
    EXPECT_TRUE(text.Out.starts_with("Size\t16x9\nRatio\t16:9\nDecimal\t")) << text.Out;
    EXPECT_NE(text.Out.find("\n\nSize\t4x3\nRatio\t4:3\n"), std::string::npos);
}

TEST(CommandLine, FormatsListsThePredefinedEntriesWithTheTermsTheWindowSets) {
    const std::string csv = Pixolan({"formats", "--format", "csv"}).Out;
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 127); // the header and 126 formats
    EXPECT_TRUE(csv.starts_with("Format,X,Y\r\n1.33:1 (4:3),4,3\r\n")) << csv;
    EXPECT_TRUE(csv.ends_with("\r\nQXGA Wide (3840:2400) (16:10),3840,2400\r\n"));
    const QJsonArray json = Json(Pixolan({"formats", "--format", "json"}).Out).array();
    ASSERT_EQ(json.size(), 126);
    EXPECT_EQ(json[2].toObject()["x"].toInt(), 185);
    EXPECT_EQ(json[2].toObject()["format"].toString(), "1.85:1 (185:100)");
}

TEST(CommandLine, HelpAndVersionAnywhereAndAFailedWrite) {
    EXPECT_EQ(Pixolan({"--version"}).Out, "pixolan 1.5\n");
    EXPECT_EQ(Pixolan({"list", "--to", "5", "--version"}).Out, "pixolan 1.5\n");
    const ProcessRun help = Pixolan({"--help"});
    EXPECT_EQ(help.Status, 0);
    for (const char* option : {"--ratio",      "--from",          "--to",
                               "--min-height", "--max-height",    "--width-div",
                               "--height-div", "--width-not-div", "--height-not-div",
                               "--screen",     "--playing",       "--rotated",
                               "--reference",  "--names",         "--format",
                               "--no-header",  "identify",        "formats",
                               "jsonl",        "(4:3)",           "(768)",
                               "(16:9)"}) {
        EXPECT_NE(help.Out.find(option), std::string::npos) << option;
    }
    // A command's help is its own part of the whole.
    for (const char* command : {"list", "identify", "formats"}) {
        const ProcessRun own = Pixolan({command, "--format", "bad", "-h"});
        EXPECT_EQ(own.Status, 0) << command;
        const std::string options = own.Out.substr(own.Out.find("Options of"));
        EXPECT_TRUE(own.Out.starts_with("Usage: pixolan " + std::string(command))) << own.Out;
        EXPECT_NE(help.Out.find(options), std::string::npos) << command;
        EXPECT_EQ(own.Out.find("Options of", own.Out.find("Options of") + 1), std::string::npos);
    }

    const ProcessRun full = Pixolan({"list", "--to", "32768"}, {}, {}, "/dev/full");
    EXPECT_EQ(full.Status, 1);
    EXPECT_EQ(full.Err, "pixolan: cannot write the output\n");
}

// A call of the command line loads no toolkit library; without a display the window says so
// in one line instead of the toolkit's abort.
TEST(CommandLine, LoadsNoToolkitAndNeedsADisplayOnlyForTheWindow) {
    for (const QStringList& args : {QStringList{"--version"}, QStringList{"list"},
                                    QStringList{"identify", "4x3"}, QStringList{"list", "--bad"}}) {
        const ProcessRun run = Pixolan(args, {}, {"LD_DEBUG=files"});
        EXPECT_NE(run.Err.find("libc.so"), std::string::npos) << "the loader reports its files";
        EXPECT_EQ(run.Err.find("libQt"), std::string::npos) << args.join(' ').toStdString();
    }
    for (const QStringList& args : {QStringList{}, QStringList{"-style", "fusion", "-reverse"}}) {
        const ProcessRun window = Pixolan(args);
        EXPECT_EQ(window.Status, 1);
        EXPECT_EQ(window.Err, "pixolan: no display to open the window on (DISPLAY and "
                              "WAYLAND_DISPLAY are not set); pixolan --help lists the commands "
                              "that need none\n");
    }
}

} // namespace
