#include "gridctl/FileWrite.h"
#include "gridctl/HtmlWriter.h"
#include "gridctl/IniFile.h"
#include "gridctl/TGridControl.h"
#include "gridctl/THtmlExportDialog.h"
#include "gridctl/TPrintSettings.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

// Lowers this process's file size limit for one scope. A write beyond it fails with EFBIG
// (SIGXFSZ ignored), the same way a write fails on a full disk: after QIODevice has
// accepted it into its buffer.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : OldHandler(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &Saved);
        rlimit lowered = Saved;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &Saved);
        std::signal(SIGXFSZ, OldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit Saved{};
    void (*OldHandler)(int);
};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& data) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(data), data.size());
}

QStringList Names(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                  QDir::System);
}

void Fill(TGridControl& grid) {
    grid.SetRowCount(40);
    for (int r = 0; r < 40; ++r) {
        grid.SetCell(0, r, QStringLiteral("cell %1 of a page larger than the limit").arg(r));
    }
}

// Every way the program saves a user's file, each writing well over a few hundred bytes but
// much less than a write buffer, so only the final flush meets the error.
TEST(FailedWrite, LeavesTheFileAsItWasAndSaysWhy) {
    TGridControl grid;
    Fill(grid);
    TPrintSettings settings;
    settings.TitleText = QString(600, u'x');
    const std::pair<const char*, std::function<QString(const QString&)>> saves[] = {
        {"ReplaceFile",
         [](const QString& path) {
             QString error;
             return ReplaceFile(path, QByteArray(2000, 'a'), &error) ? QString() : error;
         }},
        {"IniFile",
         [](const QString& path) {
             IniFile file;
             file.Load(path);
             file.WriteString("Section", "Key", QString(2000, u'v'));
             QString error;
             return file.Save(path, &error) ? QString() : error;
         }},
        {"print settings",
         [&settings](const QString& path) {
             QString error;
             return settings.SaveTo(path, &error) ? QString() : error;
         }},
        {"HTML page",
         [&grid](const QString& path) { return WriteGridHtml(grid, THtmlSettings(), path); }},
    };
    const QByteArray original = "; the user's own\r\n[Other]\r\nkept=1\r\n[Section]\r\nKey=old\r\n";
    for (const auto& [name, save] : saves) {
        QTemporaryDir dir;
        const QString path = dir.filePath("file.ini");
        WriteAll(path, original);
        QString error;
        {
            const FileSizeLimit limit(256);
            error = save(path);
        }
        EXPECT_TRUE(error.contains(QString::fromLocal8Bit(std::strerror(EFBIG))))
            << name << ": " << error.toStdString();
        EXPECT_EQ(ReadAll(path), original) << name;
        EXPECT_EQ(Names(dir.path()), QStringList("file.ini")) << name;
        EXPECT_TRUE(save(path).isEmpty()) << name; // and without the limit it works
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
    EXPECT_TRUE(Names(dir.path()).isEmpty());
}

struct ExportDialog : ::testing::Test {
    QTemporaryDir Dir;
    TGridControl Grid;
    THtmlExportDialog Dialog{Grid};
    QStringList Warnings;
    QList<QUrl> Opened;

    void SetUp() override {
        Fill(Grid);
        qputenv("TMPDIR", QFile::encodeName(Dir.path()));
        Dialog.ShowWarning = [this](const QString& text) { Warnings.append(text); };
        Dialog.OpenUrl = [this](const QUrl& url) {
            Opened.append(url);
            return true;
        };
    }
    void TearDown() override { qunsetenv("TMPDIR"); }
    void Click(const char* button) {
        Dialog.findChild<QPushButton*>(QLatin1String(button))->click();
    }
};

TEST_F(ExportDialog, SaveShowsTheSystemsReasonAndAddsHtmlWithoutExtension) {
    const std::pair<QString, QString> names[] = {
        {"page", "page.html"}, {"page.htm", "page.htm"}, {"dot.d/page", "dot.d/page.html"}};
    ASSERT_TRUE(QDir(Dir.path()).mkdir("dot.d"));
    for (const auto& [chosen, written] : names) {
        Dialog.AskFileName = [&] { return Dir.filePath(chosen); };
        Click("Save");
        EXPECT_TRUE(QFile::exists(Dir.filePath(written))) << chosen.toStdString();
    }
    EXPECT_FALSE(QFile::exists(Dir.filePath("page")));
    {
        const FileSizeLimit limit(64);
        Click("Save");
    }
    ASSERT_EQ(Warnings.size(), 1);
    EXPECT_TRUE(Warnings[0].contains(QString::fromLocal8Bit(std::strerror(EFBIG))))
        << Warnings[0].toStdString();
    EXPECT_TRUE(ReadAll(Dir.filePath("dot.d/page.html")).contains("</html>"));
}

TEST_F(ExportDialog, PreviewCannotBeRedirectedByPlantedNames) {
    const QString victim = Dir.filePath("victim");
    WriteAll(victim, "precious");
    for (const char* name : {"temp001.htm", "temp001-.htm"}) {
        ASSERT_TRUE(QFile::link(victim, Dir.filePath(QLatin1String(name))));
    }
    WriteAll(Dir.filePath("temp001"), "planted");
    QStringList pages;
    for (int i = 0; i < 2; ++i) {
        Click("Preview");
        pages << Dialog.PreviewPath();
    }
    EXPECT_TRUE(Warnings.isEmpty());
    EXPECT_EQ(ReadAll(victim), "precious");
    EXPECT_EQ(ReadAll(Dir.filePath("temp001")), "planted");
    ASSERT_EQ(Opened.size(), 2);
    EXPECT_NE(pages[0], pages[1]);
    for (int i = 0; i < 2; ++i) {
        const QFileInfo page(pages[i]);
        EXPECT_EQ(Opened[i], QUrl::fromLocalFile(pages[i]));
        EXPECT_EQ(page.absolutePath(), QFileInfo(Dir.path()).absoluteFilePath());
        EXPECT_TRUE(page.fileName().startsWith("temp001")) << pages[i].toStdString();
        EXPECT_FALSE(page.isSymLink());
        EXPECT_EQ(page.permissions(),
                  QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        EXPECT_TRUE(ReadAll(pages[i]).contains("cell 39"));
    }
}

} // namespace
