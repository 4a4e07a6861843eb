#include "files/FileWrite.h"

#include <QDir>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cerrno>
#include <unistd.h>

namespace {

bool Failed(QString* errorText, const QString& reason) {
    if (errorText) {
        *errorText = reason;
    }
    return false;
}

// Writes straight to the file's descriptor and syncs it, past QIODevice's buffer, whose
// flush errors Qt reports as "Unknown error" if at all; false with the system's reason when
// a step fails.
bool WriteThrough(QFileDevice& file, const QByteArray& data, QString* errorText) {
    const int fd = file.handle();
    const char* next = data.constData();
    std::size_t left = static_cast<std::size_t>(data.size());
    while (left > 0) {
        const ssize_t written = ::write(fd, next, left);
        if (written < 0 && errno != EINTR) {
            return Failed(errorText, qt_error_string(errno));
        }
        if (written > 0) {
            next += written;
            left -= static_cast<std::size_t>(written);
        }
    }
    if (::fsync(fd) != 0) {
        return Failed(errorText, qt_error_string(errno));
    }
    return true;
}

} // namespace

bool ReplaceFile(const QString& path, const QByteArray& data, QString* errorText) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return Failed(errorText, file.errorString());
    }
    // An uncommitted QSaveFile removes its temporary file when it goes.
    if (!WriteThrough(file, data, errorText)) {
        return false;
    }
    return file.commit() || Failed(errorText, file.errorString());
}

QString WritePrivateTempFile(const QString& nameStart, const QString& nameEnd,
                             const QByteArray& data, QString* errorText) {
    const QString folder = QDir::tempPath();
    if (folder.isEmpty()) {
        Failed(errorText, QStringLiteral("There is no temporary folder."));
        return {};
    }
    // QTemporaryFile creates the file exclusively (O_CREAT | O_EXCL, mode 0600).
    QTemporaryFile file(QDir(folder).filePath(nameStart + QStringLiteral("XXXXXX") + nameEnd));
    if (!file.open()) {
        Failed(errorText, file.errorString());
        return {};
    }
    if (!WriteThrough(file, data, errorText)) {
        return {}; // the file removes itself
    }
    file.setAutoRemove(false);
    return file.fileName();
}
