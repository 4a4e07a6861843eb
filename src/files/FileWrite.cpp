// Writing a user's file whole or not at all: through a temporary file, flushed and synced,
// keeping owner, group and mode.
#include "files/FileWrite.h"

#include "files/FileRead.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool Failed(QString* errorText, const QString& reason) {
    if (errorText) {
        *errorText = reason;
    }
    return false;
}

} // namespace

// Straight to the descriptor, past QIODevice's buffer, whose flush errors Qt reports as
// "Unknown error" if at all.
bool WriteAndSync(int fd, const QByteArray& data, QString* errorText) {
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

namespace {

// Gives the new file the owner, group and mode of the one it replaces. Owner first: a change
// of owner clears the set-user and set-group bits that the mode may then set again. Returns
// what could not be kept, empty when all was.
QString KeepOwnerAndMode(int fd, const struct stat& old) {
    struct stat now {};
    if (::fstat(fd, &now) != 0) {
        return qt_error_string(errno);
    }
    QString lost;
    if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) &&
        ::fchown(fd, old.st_uid, old.st_gid) != 0) {
        lost = QCoreApplication::translate("FileWrite",
                                           "The file now belongs to you and your group: %1.")
                   .arg(qt_error_string(errno));
    }
    if (::fchmod(fd, old.st_mode & 07777) != 0) {
        lost += (lost.isEmpty() ? QString() : QStringLiteral(" ")) +
                QCoreApplication::translate("FileWrite", "Its permissions could not be kept: %1.")
                    .arg(qt_error_string(errno));
    }
    return lost;
}

} // namespace

bool ReplaceFile(const QString& path, const QByteArray& data, QString* errorText,
                 QString* noticeText) {
    // The file the name leads to, through links, as QSaveFile replaces that one.
    struct stat old {};
    const bool existed = ::stat(QFile::encodeName(path).constData(), &old) == 0;
    if (existed && !S_ISREG(old.st_mode)) {
        return Failed(errorText, IrregularFileReason(old.st_mode));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return Failed(errorText, file.errorString());
    }
    const QString lost = existed ? KeepOwnerAndMode(file.handle(), old) : QString();
    // An uncommitted QSaveFile removes its temporary file when it goes.
    if (!WriteAndSync(file.handle(), data, errorText)) {
        return false;
    }
    if (!file.commit()) {
        return Failed(errorText, file.errorString());
    }
    if (noticeText) {
        *noticeText = lost;
    }
    return true;
}
