// The private folder of the HTML previews: made safely, written under fresh names, cleared.
#include "files/TPreviewFolder.h"

#include "files/FileWrite.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char NameStart[] = "preview-";
constexpr char NameEnd[] = ".htm";
constexpr int NameLetters = 12;
constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
// The clean-up looks at no more entries than this, whatever else lies in the folder.
constexpr int MaxEntries = 10000;
constexpr qint64 Day = 24 * 60 * 60;

class TDescriptor {
public:
    explicit TDescriptor(int fd) : Fd(fd) {}
    ~TDescriptor() {
        if (Fd >= 0) {
            ::close(Fd);
        }
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    int Fd;
};

int Fail(QString* errorText, const QString& reason) {
    if (errorText) {
        *errorText = reason;
    }
    return -1;
}

// Opens the folder, creating it closed to others when create is set. A symlink, anything but a
// folder, a folder of another user or one that others may enter is refused: -1 and why.
int OpenPrivateFolder(const QString& path, bool create, QString* errorText) {
    const QByteArray name = QFile::encodeName(path);
    const QString shown = QDir::toNativeSeparators(path);
    const bool created = create && ::mkdir(name.constData(), 0700) == 0;
    const int made = created ? 0 : errno;
    if (create && !created && made != EEXIST) {
        return Fail(errorText,
                    QCoreApplication::translate("TPreviewFolder",
                                                "The preview folder \"%1\" could not be made: %2")
                        .arg(shown, qt_error_string(made)));
    }
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ELOOP || error == ENOTDIR) {
            return Fail(errorText,
                        QCoreApplication::translate(
                            "TPreviewFolder",
                            "The preview folder \"%1\" is not used: it is a link or not a folder.")
                            .arg(shown));
        }
        return Fail(errorText,
                    QCoreApplication::translate("TPreviewFolder",
                                                "The preview folder \"%1\" could not be opened: %2")
                        .arg(shown, qt_error_string(error)));
    }
    TDescriptor folder(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        return Fail(errorText, qt_error_string(error));
    }
    if (info.st_uid != ::geteuid()) {
        return Fail(errorText,
                    QCoreApplication::translate(
                        "TPreviewFolder",
                        "The preview folder \"%1\" is not used: it belongs to another user.")
                        .arg(shown));
    }
    // A umask may have taken the owner's own rights from a folder just made.
    if (created && ::fchmod(fd, 0700) == 0) {
        info.st_mode = (info.st_mode & ~07777) | 0700;
    }
    if ((info.st_mode & 07777) != 0700) {
        return Fail(errorText, QCoreApplication::translate(
                                   "TPreviewFolder",
                                   "The preview folder \"%1\" is not used: others may enter it "
                                   "(mode %2, it must be 0700).")
                                   .arg(shown)
                                   .arg(info.st_mode & 07777, 4, 8, QChar(u'0')));
    }
    folder.Fd = -1;
    return fd;
}

bool IsPreviewName(const char* name) {
    const QByteArray text(name);
    if (text.size() != int(sizeof NameStart - 1 + NameLetters + sizeof NameEnd - 1) ||
        !text.startsWith(NameStart) || !text.endsWith(NameEnd)) {
        return false;
    }
    const QByteArray middle = text.mid(sizeof NameStart - 1, NameLetters);
    return std::all_of(middle.begin(), middle.end(),
                       [](char c) { return QByteArray(Letters).contains(c); });
}

// Removes name from the folder if it is a regular file of ours, not through a link, and at
// most modifiedBefore (seconds since the epoch) when that is given.
bool RemovePreview(int folder, const char* name, qint64 modifiedBefore = -1) {
    struct stat info {};
    if (::fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode) ||
        info.st_uid != ::geteuid() || (modifiedBefore >= 0 && info.st_mtime > modifiedBefore)) {
        return false;
    }
    return ::unlinkat(folder, name, 0) == 0;
}

} // namespace

TPreviewFolder::TPreviewFolder(const QString& path) : Folder(path) {
    RemoveOlderThan(Day);
}

TPreviewFolder::~TPreviewFolder() {
    const TDescriptor folder(OpenPrivateFolder(Folder, false, nullptr));
    if (folder.Fd >= 0) {
        for (const QByteArray& name : Written) {
            RemovePreview(folder.Fd, name.constData());
        }
    }
}

QString TPreviewFolder::DefaultPath() {
    // A relative XDG_RUNTIME_DIR is to be ignored; one of another user (kept through su or
    // sudo) must not get a folder of ours that would then lock its owner out.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    struct stat info {};
    if (QDir::isAbsolutePath(runtime) &&
        ::stat(QFile::encodeName(runtime).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
        info.st_uid == ::geteuid()) {
        return QDir(runtime).filePath(QStringLiteral("pixolan"));
    }
    QString temp = QDir::tempPath();
    if (temp.isEmpty()) { // what Qt gives for a TMPDIR that does not exist
        temp = QStringLiteral("/tmp");
    }
    return QDir(temp).filePath(QStringLiteral("pixolan-%1").arg(::geteuid()));
}

TPreviewFolder& TPreviewFolder::Current() {
    static TPreviewFolder folder;
    return folder;
}

QString TPreviewFolder::Write(const QByteArray& data, QString* errorText) {
    const TDescriptor folder(OpenPrivateFolder(Folder, true, errorText));
    if (folder.Fd < 0) {
        return {};
    }
    QRandomGenerator& random = *QRandomGenerator::system();
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray name = NameStart;
        for (int i = 0; i < NameLetters; ++i) {
            name += Letters[random.bounded(int(sizeof Letters - 1))];
        }
        name += NameEnd;
        // Created here and now (O_EXCL, no link followed), so no planted name is ever opened.
        const TDescriptor file(::openat(folder.Fd, name.constData(),
                                        O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                        0600));
        if (file.Fd < 0 && errno == EEXIST) {
            continue;
        }
        if (file.Fd < 0) {
            Fail(errorText, qt_error_string(errno));
            return {};
        }
        if (!WriteAndSync(file.Fd, data, errorText)) {
            ::unlinkat(folder.Fd, name.constData(), 0);
            return {};
        }
        Written.append(name);
        return QDir(Folder).filePath(QFile::decodeName(name));
    }
    Fail(errorText, qt_error_string(EEXIST));
    return {};
}

int TPreviewFolder::RemoveOlderThan(qint64 maxAge) {
    const int fd = OpenPrivateFolder(Folder, false, nullptr);
    if (fd < 0) {
        return 0;
    }
    // The listing gets a descriptor of its own, closed with it.
    const TDescriptor folder(fd);
    const int copy = ::dup(fd);
    DIR* listing = copy >= 0 ? ::fdopendir(copy) : nullptr;
    if (listing == nullptr) {
        if (copy >= 0) {
            ::close(copy);
        }
        return 0;
    }
    const qint64 before = QDateTime::currentSecsSinceEpoch() - maxAge;
    int removed = 0;
    int seen = 0;
    for (const dirent* entry = ::readdir(listing); entry != nullptr && seen < MaxEntries;
         entry = ::readdir(listing), ++seen) {
        if (IsPreviewName(entry->d_name) && RemovePreview(fd, entry->d_name, before)) {
            ++removed;
        }
    }
    ::closedir(listing);
    return removed;
}
