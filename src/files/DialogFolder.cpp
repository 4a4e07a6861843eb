// Where file dialogs open, and no toolkit history under the home.
#include "files/DialogFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSettings>
#include <QStandardPaths>

namespace {

QHash<QString, QString>& LastFolders() {
    static QHash<QString, QString> folders;
    return folders;
}

} // namespace

QString DialogFolder(const QString& dialog) {
    if (const QString last = LastFolders().value(dialog); !last.isEmpty() && QDir(last).exists()) {
        return last;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // The home folder itself is what the documents location falls back to without a HOME.
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) {
        return documents;
    }
    return QDir::homePath();
}

void RememberDialogFolder(const QString& dialog, const QString& chosenFile) {
    if (!chosenFile.isEmpty()) {
        LastFolders().insert(dialog, QFileInfo(chosenFile).absolutePath());
    }
}

void KeepNoToolkitSettings() {
    // No folder can be made below a device file, not even by root, so every attempt to write
    // the file fails quietly and nothing is read from it either.
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null"));
    }
}
