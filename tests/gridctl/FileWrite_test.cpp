#include "gridctl/FileWrite.h"
#include "gridctl/HtmlWriter.h"
#include "gridctl/IniFile.h"
#include "gridctl/TGridControl.h"
#include "gridctl/TPrintSettings.h"

#include "FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

namespace {

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

// Every way the program saves a user's file, each writing well over a few hundred bytes but
// much less than a write buffer, so only the final flush meets the error.
TEST(FailedWrite, LeavesTheFileAsItWasAndSaysWhy) {
    TGridControl grid; // even its empty page is longer than the limit
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

} // namespace
