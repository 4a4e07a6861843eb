#include "files/FileWrite.h"
#include "files/IniFile.h"
#include "files/TPrintSettings.h"

#include "support/FileSizeLimit.h"

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

namespace {

using enum TPrintPosition;

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& data) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(data), data.size());
}

// Everything below `folder`, subfolders included.
QStringList Listing(const QString& folder) {
    QStringList names;
    for (QDirIterator it(folder,
                         QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        names << it.next();
    }
    return names;
}

// Every field away from both the starting values and the load defaults, texts that the
// reader would trim or unescape included.
TPrintSettings Changed() {
    TPrintSettings s;
    s.ColumnSpacing = 1, s.RowSpacing = 2, s.TitleSpacing = 3, s.FixedHeight = 4, s.FixedWidth = -5;
    s.Centered = s.NoAutoSize = s.UseFixedHeight = s.UseFixedWidth = true;
    s.RepeatFixedRows = s.RepeatFixedCols = true;
    s.Borders = TPrintBorders::pbAroundHorizontal, s.BorderStyle = TPrintPenStyle::psDashDotDot;
    s.Date = ppTopLeft, s.PageNr = ppTopRight, s.Title = ppBottomCenter, s.Time = ppBottomLeft;
    s.DateFormat = "yyyy-mm-dd", s.TitleText = "\"Größen\"";
    s.FooterSize = 6, s.HeaderSize = 7, s.LeftSize = 8, s.RightSize = 2147483647;
    s.FitToPage = TPrintFitToPage::fpCustom;
    s.Font = {"DejaVu Sans", 12, 5, 255};
    s.HeaderFont = {" Liberation ", 9, 15, -2147483640};
    s.FooterFont = {"", 0, 2, 65280};
    s.PageNumSep = " / ", s.PageSuffix = "'", s.PagePrefix = "p. ";
    s.Orientation = TPrintOrientation::poLandscape;
    s.TitleLines = {"a", "", "C:\\new\\", "x\\\\n", ""};
    return s;
}

TEST(PrintSettings, WrittenInKeyOrderAndEveryFieldReadsBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("start.ini");
    ASSERT_TRUE(TPrintSettings().SaveTo(path));
    const QByteArray text = ReadAll(path);
    for (const char* line : {"ColumnSpacing=0", "Centered=N", "Borders=0", "DateFormat=dd/mm/yyyy",
                             "PageNumSep=/", "Orientation=0", "FontName=MS Sans Serif"}) {
        EXPECT_TRUE(text.contains(QByteArray("\n") + line + "\n")) << line;
    }
    QByteArrayList keys;
    for (const QByteArray& line : text.split('\n')) {
        keys << line.split('=').front();
    }
    EXPECT_EQ(keys.join(',').toStdString(),
              "[PRINTSETTINGS],ColumnSpacing,RowSpacing,TitleSpacing,FixedHeight,FixedWidth,"
              "Centered,NoAutoSize,UseFixedHeight,UseFixedWidth,RepeatFixedRows,RepeatFixedCols,"
              "Borders,BorderStyle,Date,PageNr,Title,Time,DateFormat,TitleText,FooterSize,"
              "HeaderSize,LeftSize,RightSize,FitToPage,FontName,FontSize,FontStyle,FontColor,"
              "HeaderFontName,HeaderFontSize,HeaderFontStyle,HeaderFontColor,FooterFontName,"
              "FooterFontSize,FooterFontStyle,FooterFontColor,PageNumSep,PageSuffix,PagePrefix,"
              "Orientation,TitleLines,");
    TPrintSettings loaded = Changed();
    EXPECT_TRUE(loaded.LoadFrom(path));
    EXPECT_TRUE(loaded == TPrintSettings());
    ASSERT_TRUE(Changed().SaveTo(path));
    EXPECT_TRUE(loaded.LoadFrom(path));
    EXPECT_TRUE(loaded == Changed());
}

TEST(PrintSettings, LoadingAppliesDefaultsAndRanges) {
    const TPrintSettings before = Changed();
    const struct {
        const char* Name;
        const char* Ini;                             // nullptr: no file
        std::function<void(TPrintSettings&)> Expect; // changes to the load defaults
    } cases[] = {
        {"no file", nullptr, [](TPrintSettings&) {}},
        {"no section", "[Other]\nColumnSpacing=5\n", [](TPrintSettings&) {}},
        {"out of range leaves",
         "[PRINTSETTINGS]\nBorders=12\nBorderStyle=-1\nFitToPage=5\nOrientation=5",
         [&](TPrintSettings& e) {
             e.Borders = before.Borders, e.BorderStyle = before.BorderStyle;
             e.FitToPage = before.FitToPage, e.Orientation = before.Orientation;
         }},
        {"positions", "[PRINTSETTINGS]\nDate=9\nPageNr=-1\nTitle=3\nTime=6",
         [](TPrintSettings& e) { e.Title = ppTopCenter, e.Time = ppBottomCenter; }},
        {"switches", "[PRINTSETTINGS]\nCentered=y\nNoAutoSize=Y\nUseFixedWidth=Yes",
         [](TPrintSettings& e) { e.Centered = false, e.NoAutoSize = true; }},
        {"style bits", "[PRINTSETTINGS]\nFontStyle=31\nHeaderFontStyle=16\nFooterFontStyle=6",
         [](TPrintSettings& e) { e.Font.Style = 15, e.FooterFont.Style = 6; }},
        {"case, blanks, garbage",
         "\xEF\xBB\xBF[printSettings]\r\n  columnspacing = 7 \r\n"
         "ROWSPACING=\"8\"\ngarbage\n=5\nTitleSpacing=9x\nFixedHeight=+3",
         [](TPrintSettings& e) { e.ColumnSpacing = 7, e.RowSpacing = 8, e.FixedHeight = 3; }},
        {"old title lines", "[PRINTSETTINGS]\nTitleLines=C:\\data\\nx",
         [](TPrintSettings& e) {
             e.TitleLines = QStringList{"C:\\data", "x"};
         }},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString path = dir.filePath(QString("%1.ini").arg(&c - cases));
        if (c.Ini) {
            WriteAll(path, c.Ini);
        }
        TPrintSettings loaded = before, expected;
        expected.ColumnSpacing = expected.RowSpacing = expected.TitleSpacing = 20;
        expected.FooterSize = expected.HeaderSize = expected.LeftSize = expected.RightSize = 100;
        expected.Centered = true;
        expected.DateFormat = expected.PageNumSep = "";
        expected.Font = expected.HeaderFont = expected.FooterFont = {"Arial", 10, 0, 0};
        c.Expect(expected);
        EXPECT_EQ(loaded.LoadFrom(path), c.Ini != nullptr);
        EXPECT_TRUE(loaded == expected);
    }
}

TEST(PrintSettings, TextsStayOneLineEach) {
    QTemporaryDir dir;
    const QString path = dir.filePath("title.ini");
    TPrintSettings settings;
    settings.TitleLines = {"first", "second"};
    settings.TitleText = "x\nOrientation=1";
    ASSERT_TRUE(settings.SaveTo(path));
    const QByteArray text = ReadAll(path);
    EXPECT_TRUE(text.contains("\nTitleLines=first\\nsecond\\n\n"));
    EXPECT_TRUE(text.contains("\nTitleText=x Orientation=1\n"));
    TPrintSettings loaded;
    loaded.LoadFrom(path);
    EXPECT_EQ(loaded.TitleLines, QStringList({"first", "second"}));
    EXPECT_EQ(loaded.Orientation, TPrintOrientation::poPortrait);
}

TEST(PrintSettings, FileNameGetsIniSuffixOnlyWithoutExtension) {
    const QString ini = TPrintSettings::FileFilters().front(), all = "All files (*.*)";
    const struct {
        QString Chosen, Filter, Expected;
    } cases[] = {{"settings", ini, "settings.ini"},     {"settings.txt", ini, "settings.txt"},
                 {"settings", all, "settings"},         {"/tmp/jo.ann/s", ini, "/tmp/jo.ann/s.ini"},
                 {"/tmp/.hidden", ini, "/tmp/.hidden"}, {"", ini, ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(TPrintSettings::FileNameFor(c.Chosen, c.Filter), c.Expected)
            << c.Chosen.toStdString();
    }
}

TEST(PrintSettings, SavingKeepsTheRestOfTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("user.ini");
    const QByteArray head =
        "; user comment\r\n[Colors]\r\nback=1\r\n\r\n[PrintSettings]\r\n; keep\r\n";
    const QByteArray tail = "\r\n# next\r\n[other]\r\nno equals sign\r\nx=y";
    WriteAll(path, head + "columnSPACING=5\r\nCustom=1\r\n" + tail);
    ASSERT_TRUE(TPrintSettings().SaveTo(path));
    const QByteArray text = ReadAll(path);
    EXPECT_TRUE(text.startsWith(head + "ColumnSpacing=0\r\nCustom=1\r\nRowSpacing=0\r\n"))
        << text.data();
    EXPECT_TRUE(text.endsWith("\r\nTitleLines=\r\n" + tail)) << text.data();
    EXPECT_EQ(text.count("\n"), text.count("\r\n"));

    WriteAll(path, "[Other]\nk=v");
    ASSERT_TRUE(TPrintSettings().SaveTo(path));
    EXPECT_TRUE(ReadAll(path).startsWith("[Other]\nk=v\n\n[PRINTSETTINGS]\nColumnSpacing=0\n"));
}

TEST(PrintSettings, FailedSaveIsReportedAndLeavesNoFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.ini"));
    const QStringList before = Listing(dir.path());
    for (const QString& path : {dir.filePath("missing/settings.ini"), dir.filePath("folder.ini")}) {
        QString error;
        EXPECT_FALSE(TPrintSettings().SaveTo(path, &error)) << path.toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(Listing(dir.path()), before);
}

// Every way the program saves a user's file, each writing well over a few hundred bytes but
// much less than a write buffer, so only the final flush meets the error.
TEST(FailedWrite, LeavesTheFileAsItWasAndSaysWhy) {
    TPrintSettings settings;
    settings.TitleText = QString(600, u'x');
    const std::pair<const char*, std::function<bool(const QString&, QString*)>> saves[] = {
        {"ReplaceFile",
         [](auto& path, auto error) { return ReplaceFile(path, QByteArray(2000, 'a'), error); }},
        {"IniFile",
         [](const QString& path, QString* error) {
             IniFile file;
             file.Load(path);
             file.WriteString("Section", "Key", QString(2000, u'v'));
             return file.Save(path, error);
         }},
        {"print settings", [&](auto& path, auto error) { return settings.SaveTo(path, error); }},
    };
    const QByteArray original = "; the user's own\r\n[Other]\r\nkept=1\r\n[Section]\r\nKey=old\r\n";
    for (const auto& [name, save] : saves) {
        QTemporaryDir dir;
        const QString path = dir.filePath("file.ini");
        WriteAll(path, original);
        QString error;
        {
            const FileSizeLimit limit(256);
            EXPECT_FALSE(save(path, &error)) << name;
        }
        EXPECT_TRUE(error.contains(QString::fromLocal8Bit(std::strerror(EFBIG))))
            << name << ": " << error.toStdString();
        EXPECT_EQ(ReadAll(path), original) << name;
        EXPECT_EQ(Listing(dir.path()), QStringList(path)) << name;
        EXPECT_TRUE(save(path, &error)) << name << ": " << error.toStdString(); // no limit: works
    }
}

TEST(FailedWrite, PrivateTempFileLeavesNothing) {
    QTemporaryDir dir;
    qputenv("TMPDIR", QFile::encodeName(dir.path()));
    QString error;
    {
        const FileSizeLimit limit(16);
        EXPECT_TRUE(WritePrivateTempFile("p-", ".htm", QByteArray(100, 'a'), &error).isEmpty());
    }
    qunsetenv("TMPDIR");
    EXPECT_EQ(error, QString::fromLocal8Bit(std::strerror(EFBIG)));
    EXPECT_TRUE(Listing(dir.path()).isEmpty());
}

} // namespace
