#include "files/FileRead.h"
#include "files/FileWrite.h"
#include "files/IniFile.h"
#include "files/TPreviewFolder.h"
#include "files/TPrintSettings.h"

#include "support/FileContents.h"
#include "support/FileSizeLimit.h"
#include "support/FolderListing.h"
#include "support/ScopedEnv.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using enum TPrintPosition;

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
    s.PageNumSep = " / ", s.PageSuffix = "'", s.PagePrefix = QStringLiteral("\uFEFFp. ");
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

    // Texts stay one line each: a line break cannot smuggle in another key.
    TPrintSettings lines;
    lines.TitleLines = {"first", "second"};
    lines.TitleText = "x\nOrientation=1";
    ASSERT_TRUE(lines.SaveTo(path));
    const QByteArray written = ReadAll(path);
    EXPECT_TRUE(written.contains("\nTitleLines=first\\nsecond\\n\n"));
    EXPECT_TRUE(written.contains("\nTitleText=x Orientation=1\n"));
    loaded.LoadFrom(path);
    EXPECT_EQ(loaded.TitleLines, QStringList({"first", "second"}));
    EXPECT_EQ(loaded.Orientation, TPrintOrientation::poPortrait);
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
}

// Lines without keys are kept in runs; every byte of them still comes back. A new section
// goes to the end, after a blank line.
TEST(IniFile, RunsOfKeylessLinesComeBackByteForByte) {
    const struct {
        QByteArray Text, Saved;
    } cases[] = {
        {"\xEF\xBB\xBF\n\n; c\n[S]\n\n\nk=1\n\n# x\n\n[T]\n\n",
         "\xEF\xBB\xBF\n\n; c\n[S]\n\n\nk=1\nKey=v\n\n# x\n\n[T]\n\n"},
        {"\xEF\xBB\xBF[s]\r\n\r\nno key\r\n", "\xEF\xBB\xBF[s]\r\nKey=v\r\n\r\nno key\r\n"},
        {"\n\n\n", "\n\n\n[s]\nKey=v\n"},
        {"[x\n[S]", "[x\n[S]\nKey=v\n"},
        {"x\n\n[S]\nKey=old\n\n", "x\n\n[S]\nKey=v\n\n"},
        {"[Other]\nk=v", "[Other]\nk=v\n\n[s]\nKey=v\n"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("runs.ini");
    for (const auto& c : cases) {
        WriteAll(path, c.Text);
        IniFile file;
        ASSERT_EQ(file.Load(path), IniFile::TLoadResult::Read);
        file.WriteString("s", "Key", "v");
        ASSERT_TRUE(file.Save(path));
        EXPECT_EQ(ReadAll(path), c.Saved) << c.Text.toStdString();
    }
}

// A FIFO without a writer would block an open for good; a device or folder is no settings file.
// A save that fails says why and leaves no file behind.
TEST(FileKinds, OnlyRegularFilesAreReadOrReplaced) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.ini"));
    const QStringList before = Listing(dir.path());
    const struct {
        QString Path, Reason;
        bool Replace; // never try to replace a device of the system
    } cases[] = {{fifo, "not a regular file", true},
                 {dir.filePath("folder.ini"), "folder", true},
                 {dir.filePath("missing/settings.ini"), "", true},
                 {"/dev/null", "not a regular file", false}};
    for (const auto& c : cases) {
        QString error;
        TPrintSettings settings;
        EXPECT_FALSE(settings.LoadFrom(c.Path, &error)) << c.Path.toStdString();
        EXPECT_TRUE(error.contains(c.Reason)) << error.toStdString();
        if (c.Replace) {
            error.clear();
            EXPECT_FALSE(settings.SaveTo(c.Path, &error)) << c.Path.toStdString();
            EXPECT_TRUE(!error.isEmpty() && error.contains(c.Reason)) << error.toStdString();
            EXPECT_FALSE(ReplaceFile(c.Path, "x", &error));
        }
    }
    EXPECT_EQ(Listing(dir.path()), before);
    EXPECT_FALSE(QFileInfo(fifo).isFile());
    QByteArray data;
    EXPECT_EQ(ReadRegularFile(dir.filePath("none"), 10, data), TReadResult::Missing);
    WriteAll(dir.filePath("big"), QByteArray(11, 'x'));
    EXPECT_EQ(ReadRegularFile(dir.filePath("big"), 10, data), TReadResult::Failed);
    EXPECT_EQ(ReadRegularFile(dir.filePath("big"), 11, data), TReadResult::Read);
    EXPECT_EQ(data.size(), 11);
}

struct stat StatOf(const QString& path) {
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info;
}

// The replaced file keeps its owner, group and mode; a process that may not give it the old
// owner still writes it and says so. The owners need root to arrange.
TEST(ReplacedFile, KeepsOwnerGroupAndMode) {
    QTemporaryDir dir;
    const QString path = dir.filePath("shared.ini");
    WriteAll(path, "old");
    const bool root = ::geteuid() == 0;
    const uid_t owner = root ? 65534 : ::geteuid();
    const gid_t group = root ? 65534 : ::getegid();
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), owner, group), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    QString error, notice = "unset";
    ASSERT_TRUE(ReplaceFile(path, "new", &error, &notice)) << error.toStdString();
    EXPECT_TRUE(notice.isEmpty()) << notice.toStdString();
    const struct stat info = StatOf(path);
    EXPECT_EQ(info.st_uid, owner);
    EXPECT_EQ(info.st_gid, group);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    if (!root) {
        GTEST_SKIP() << "saving over another user's file needs root to arrange";
    }
    // As that other user, over root's file in a folder everybody may write to.
    ASSERT_EQ(::chown(QFile::encodeName(path).constData(), 0, 0), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0666), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        QString childNotice;
        const bool ok = ::setgid(65534) == 0 && ::setuid(65534) == 0 &&
                        ReplaceFile(path, "other", nullptr, &childNotice) &&
                        childNotice.contains("belongs to you");
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadAll(path), "other");
    EXPECT_EQ(StatOf(path).st_mode & 07777, 0666u);
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

// Previews go into a private folder; the object that wrote them removes them when it goes, and
// on being made it removes those an earlier run left for over a day, only ever previews of ours.
TEST(PreviewFolder, WritesPrivatePagesAndLeavesNothingBehind) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("pixolan");
    QStringList pages;
    {
        TPreviewFolder previews(folder);
        for (const QByteArray data : {"one", "two"}) {
            QString error;
            pages << previews.Write(data, &error);
            EXPECT_EQ(ReadAll(pages.back()), data) << error.toStdString();
            EXPECT_EQ(StatOf(pages.back()).st_mode & 07777, 0600u);
        }
        EXPECT_EQ(StatOf(folder).st_mode & 07777, 0700u);
        QString error;
        {
            const FileSizeLimit limit(16);
            EXPECT_TRUE(previews.Write(QByteArray(100, 'a'), &error).isEmpty());
        }
        EXPECT_EQ(error, QString::fromLocal8Bit(std::strerror(EFBIG)));
        QStringList listed = Listing(folder);
        listed.sort();
        pages.sort();
        EXPECT_EQ(listed, pages);
    }
    EXPECT_TRUE(Listing(folder).isEmpty());
}

TEST(PreviewFolder, AtStartRemovesOnlyOurOwnPreviewsOlderThanADay) {
    QTemporaryDir dir, outside;
    const QString folder = dir.filePath("pixolan");
    ASSERT_TRUE(QDir().mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    const QString target = outside.filePath("preview-aaaaaaaaaaaa.htm");
    WriteAll(target, "the user's");
    const struct {
        const char* Name;
        qint64 Age; // seconds; -1: a link to a file elsewhere, -2: a folder
        bool Removed;
    } entries[] = {
        {"preview-0123456789az.htm", 2 * 86400, true}, {"preview-abcdefghijkl.htm", 3600, false},
        {"preview-short.htm", 2 * 86400, false},       {"notes.htm", 2 * 86400, false},
        {"preview-bbbbbbbbbbbb.htm", -1, false},       {"preview-cccccccccccc.htm", -2, false}};
    for (const auto& e : entries) {
        const QString path = QDir(folder).filePath(e.Name);
        if (e.Age == -1) {
            ASSERT_TRUE(QFile::link(target, path));
        } else if (e.Age == -2) {
            ASSERT_TRUE(QDir().mkdir(path));
        } else {
            WriteAll(path, "x");
        }
        const timespec times[2] = {{now - 3 * 86400, 0},
                                   {e.Age < 0 ? now - 3 * 86400 : now - e.Age, 0}};
        ASSERT_EQ(
            ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW),
            0);
    }
    const TPreviewFolder previews(folder);
    for (const auto& e : entries) {
        struct stat info {};
        const QByteArray path = QFile::encodeName(QDir(folder).filePath(e.Name));
        EXPECT_EQ(::lstat(path.constData(), &info) != 0, e.Removed) << e.Name;
    }
    EXPECT_EQ(ReadAll(target), "the user's");
}

// A folder that someone else could have planted or may enter is refused with the reason, and
// nothing in or behind it is written or removed.
TEST(PreviewFolder, RefusesLinksForeignAndOpenFolders) {
    QTemporaryDir dir, real;
    ASSERT_EQ(::chmod(QFile::encodeName(real.path()).constData(), 0700), 0);
    const QString planted = real.filePath("preview-aaaaaaaaaaaa.htm");
    WriteAll(planted, "old");
    const timespec old[2] = {{0, 0}, {0, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(planted).constData(), old, 0), 0);
    const bool root = ::geteuid() == 0;
    const struct {
        const char* Name;
        mode_t Mode; // 0: a link to a private folder elsewhere, 1: a file, 2: nothing there
        bool Foreign;
        const char* Reason;
    } cases[] = {{"link", 0, false, "a link or not a folder"},
                 {"open", 0755, false, "(mode 0755, it must be 0700)"},
                 {"group", 0770, false, "(mode 0770, it must be 0700)"},
                 {"foreign", 0700, true, "belongs to another user"},
                 {"file", 1, false, "a link or not a folder"},
                 {"missing/pixolan", 2, false, "could not be made"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        if (c.Foreign && !root) {
            continue; // a folder of another user needs root to arrange
        }
        const QString path = dir.filePath(c.Name);
        const QByteArray name = QFile::encodeName(path);
        if (c.Mode == 0) {
            ASSERT_TRUE(QFile::link(real.path(), path));
        } else if (c.Mode == 1) {
            WriteAll(path, "");
        } else if (c.Mode != 2) {
            ASSERT_EQ(::mkdir(name.constData(), c.Mode), 0);
            ASSERT_EQ(::chmod(name.constData(), c.Mode), 0);
            ASSERT_EQ(::chown(name.constData(), c.Foreign ? 65534 : ::geteuid(), ::getegid()), 0);
        }
        const QStringList before = Listing(dir.path());
        QString error;
        {
            TPreviewFolder previews(path);
            EXPECT_TRUE(previews.Write("page", &error).isEmpty());
        }
        EXPECT_TRUE(error.contains(c.Reason)) << error.toStdString();
        EXPECT_TRUE(error.contains(path)) << error.toStdString();
        EXPECT_EQ(Listing(dir.path()), before);
        EXPECT_EQ(Listing(real.path()), QStringList(planted));
    }
}

TEST(PreviewFolder, IsInTheUsersRuntimeFolderElsePrivateInTheTemporaryFolder) {
    QTemporaryDir runtime, foreign, temp;
    const QByteArray path = QFile::encodeName(runtime.path());
    const QByteArray tmp = QFile::encodeName(temp.path());
    const QString own = temp.filePath(QStringLiteral("pixolan-%1").arg(::geteuid()));
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(QFile::encodeName(foreign.path()).constData(), 65534, 65534), 0);
    }
    const struct {
        QByteArray Runtime, Temp; // null: unset
        QString Expected;
    } cases[] = {
        {path, tmp, runtime.filePath("pixolan")},
        {QByteArray(), tmp, own},
        {"", tmp, own},
        {"run", tmp, own}, // relative
        {path + "/missing", tmp, own},
        {"/dev/null", tmp, own},
        {QFile::encodeName(foreign.path()), tmp, root ? own : foreign.filePath("pixolan")},
        {QByteArray(), tmp + "/missing", QStringLiteral("/tmp/pixolan-%1").arg(::geteuid())}};
    for (const auto& c : cases) {
        const ScopedEnv env{{"XDG_RUNTIME_DIR", c.Runtime}, {"TMPDIR", c.Temp}};
        EXPECT_EQ(TPreviewFolder::DefaultPath(), c.Expected)
            << c.Runtime.toStdString() << ", " << c.Temp.toStdString();
    }
}

} // namespace
