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

QByteArrayList Lines(const QByteArray& text) {
    return text.split('\n');
}

QByteArray ReadAll() {
    QFile file(Path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const QByteArray original = QByteArray::fromStdString(input.Text());
    const QString value = QString::fromStdString(input.Text());
    {
        QFile file(Path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly) && file.write(original) == original.size());
    }
    IniFile ini;
    if (ini.Load(Path) != IniFile::TLoadResult::Read) {
        return 0;
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
    const QByteArrayList now = Lines(ReadAll());
    qsizetype next = 0;
    for (const QByteArray& line : Lines(original)) {
        if (line.toLower().contains("value")) {
            continue;
        }
        while (next < now.size() && now[next] != line) {
            ++next;
        }
        FUZZ_CHECK(next < now.size());
        ++next;
    }
    return 0;
}
