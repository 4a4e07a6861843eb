// Reading a user's file: regular files only, bounded, never blocking on a FIFO or device.
#include "files/FileRead.h"

#include <QCoreApplication>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TReadResult Failed(QString* errorText, const QString& reason) {
    if (errorText) {
        *errorText = reason;
    }
    return TReadResult::Failed;
}

// Closes the descriptor on every way out.
struct TDescriptor {
    int Fd;
    ~TDescriptor() {
        if (Fd >= 0) {
            ::close(Fd);
        }
    }
};

} // namespace

QString IrregularFileReason(mode_t mode) {
    if (S_ISREG(mode)) {
        return {};
    }
    return S_ISDIR(mode) ? QCoreApplication::translate("FileRead", "It is a folder, not a file.")
                         : QCoreApplication::translate("FileRead", "It is not a regular file.");
}

TReadResult ReadRegularFile(const QString& path, qint64 maxSize, QByteArray& data,
                            QString* errorText) {
    data.clear();
    const TDescriptor file{
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.Fd < 0) {
        return errno == ENOENT ? TReadResult::Missing : Failed(errorText, qt_error_string(errno));
    }
    struct stat info {};
    if (::fstat(file.Fd, &info) != 0) {
        return Failed(errorText, qt_error_string(errno));
    }
    if (const QString reason = IrregularFileReason(info.st_mode); !reason.isEmpty()) {
        return Failed(errorText, reason);
    }
    if (info.st_size > maxSize) {
        return Failed(errorText,
                      QCoreApplication::translate("FileRead", "The file is larger than %1 bytes.")
                          .arg(maxSize));
    }
    // One more byte than the size tells a file that grows while it is read.
    data.resize(static_cast<qsizetype>(info.st_size) + 1);
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t got =
            ::read(file.Fd, data.data() + done, static_cast<size_t>(data.size() - done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            const QString reason = qt_error_string(errno);
            data.clear();
            return Failed(errorText, reason);
        }
        if (got == 0) {
            break;
        }
        done += got;
    }
    if (done > maxSize) {
        data.clear();
        return Failed(errorText,
                      QCoreApplication::translate("FileRead", "The file is larger than %1 bytes.")
                          .arg(maxSize));
    }
    data.truncate(done);
    return TReadResult::Read;
}
