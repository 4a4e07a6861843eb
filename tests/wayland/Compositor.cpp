#include "wayland/Compositor.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLibraryInfo>
#include <QStandardPaths>

namespace {

constexpr int Patience = 30000; // milliseconds for weston to come up
const QString Socket = QStringLiteral("pixolan-test");

} // namespace

Compositor::~Compositor() {
    Weston.terminate();
    Weston.waitForFinished();
}

bool Compositor::Start() {
    if (QStandardPaths::findExecutable(QStringLiteral("weston")).isEmpty()) {
        Problem = QStringLiteral("weston is not installed (scripts/install-deps.sh installs it)");
        return false;
    }
    const QString plugins = QLibraryInfo::path(QLibraryInfo::PluginsPath);
    if (!QFile::exists(plugins + QStringLiteral("/platforms/libqwayland-generic.so"))) {
        Problem = QStringLiteral("the toolkit's Wayland platform is not installed (qt6-wayland)");
        return false;
    }
    if (!RuntimeFolder.isValid()) {
        Problem = QStringLiteral("no private runtime folder");
        return false;
    }
    QFile::setPermissions(RuntimeFolder.path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(RuntimeFolder.path()));
    Weston.setProcessChannelMode(QProcess::MergedChannels);
    Weston.start(QStringLiteral("weston"), {"--backend=headless-backend.so", "--socket=" + Socket,
                                            "--idle-time=0", "--width=1280", "--height=1024"});
    // Its socket appears once it accepts clients; a weston that dies stops the wait.
    const QString socket = RuntimeFolder.filePath(Socket);
    const QDeadlineTimer deadline(Patience);
    while (!QFile::exists(socket) && !deadline.hasExpired() && !Weston.waitForFinished(20)) {
    }
    if (!QFile::exists(socket)) {
        Problem = QStringLiteral("weston did not start: ") +
                  QString::fromLocal8Bit(Weston.readAll()).right(500);
        return false;
    }
    qputenv("WAYLAND_DISPLAY", Socket.toLatin1());
    return true;
}
