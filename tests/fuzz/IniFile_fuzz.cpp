// Writing one key into any file keeps every other line byte for byte, reads the value back,
// and lets no value add or change another key.
#include "FuzzInput.h"
#include "files/IniFile.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <vector>

namespace {

// On a memory file system where there is one: every save syncs, which a disk makes slow.
const QString Path =
    QDir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath())
        .filePath(
            QStringLiteral("pixolan-ini-fuzz-%1.ini").arg(QCoreApplication::applicationPid()));

// What a reader of the file sees under some keys that the write does not name.
std::vector<QString> Probe(const IniFile& file) {
    std::vector<QString> seen;
    for (const char* section : {"PrintSettings", "Other", "x"}) {
        for (const char* key : {"Injected", "Title", "k", "x"}) {
            seen.push_back(file.ReadString(section, key, QStringLiteral("\x01none")));
        }
    }
    return seen;
}

} // namespace

FUZZ_TARGET(input) {
    const QByteArray original = QByteArray::fromStdString(input.Text());
    const QString value = QString::fromStdString(input.Text());
    {
        QFile file(Path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly) && file.write(original) == original.size());
    }
    IniFile ini;
    if (ini.Load(Path) != IniFile::TLoadResult::Read) {
        return;
    }
    const std::vector<QString> before = Probe(ini);
    ini.WriteString("PrintSettings", "Value", value);
    QString error;
    FUZZ_CHECK(ini.Save(Path, &error));

    IniFile reread;
    FUZZ_CHECK(reread.Load(Path) == IniFile::TLoadResult::Read);
    QString expected = value;
    expected.replace(u'\r', u' ').replace(u'\n', u' ');
    FUZZ_CHECK(reread.ReadString("printsettings", "VALUE", QString()) == expected);
    FUZZ_CHECK(Probe(reread) == before);

    // The old lines stand in the new file in their order, with lines only added between
    // them; only the key's own line may have changed.
    QFile file(Path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    const QByteArrayList now = file.readAll().split('\n');
    qsizetype next = 0;
    for (const QByteArray& line : original.split('\n')) {
        if (line.toLower().contains("value")) {
            continue;
        }
        while (next < now.size() && now[next] != line) {
            ++next;
        }
        FUZZ_CHECK(next < now.size());
        ++next;
    }
}
