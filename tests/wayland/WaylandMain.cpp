// Runs the suite inside a QApplication on the wayland platform of a private headless
// compositor (weston), in a private runtime folder. Without weston or the toolkit's Wayland
// platform every test skips and says why.
#include "support/DisplayServer.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLibraryInfo>
#include <QTemporaryDir>

namespace {

constexpr int Patience = 30000; // milliseconds for weston to come up
const QString Socket = QStringLiteral("pixolan-test");

bool StartCompositor(DisplayServer& wayland) {
    if (!wayland.Installed(QStringLiteral("weston"))) {
        return false;
    }
    const QString plugins = QLibraryInfo::path(QLibraryInfo::PluginsPath);
    if (!QFile::exists(plugins + QStringLiteral("/platforms/libqwayland-generic.so"))) {
        wayland.Problem =
            QStringLiteral("the toolkit's Wayland platform is not installed (qt6-wayland)");
        return false;
    }
    static QTemporaryDir runtimeFolder; // outlives weston, which ends with the suite
    if (!runtimeFolder.isValid()) {
        wayland.Problem = QStringLiteral("no private runtime folder");
        return false;
    }
    QFile::setPermissions(runtimeFolder.path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder.path()));
    QProcess& weston = wayland.Process(true);
    weston.start(QStringLiteral("weston"), {"--backend=headless-backend.so", "--socket=" + Socket,
                                            "--idle-time=0", "--width=1280", "--height=1024"});
    // Its socket appears once it accepts clients; a weston that dies stops the wait.
    const QString socket = runtimeFolder.filePath(Socket);
    const QDeadlineTimer deadline(Patience);
    while (!QFile::exists(socket) && !deadline.hasExpired() && !weston.waitForFinished(20)) {
    }
    if (!QFile::exists(socket)) {
        wayland.Problem = QStringLiteral("weston did not start: ") +
                          QString::fromLocal8Bit(weston.readAll()).right(500);
        return false;
    }
    qputenv("WAYLAND_DISPLAY", Socket.toLatin1());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    return RunOnDisplay(argc, argv, "wayland", [](DisplayServer& wayland) {
        const bool up = StartCompositor(wayland);
        qunsetenv("DISPLAY"); // no way back to X: the window must run on Wayland or not at all
        // The toolkit's Wayland input method (Qt 6.4) asks the seat that last sent a key for
        // its text input; keys sent by the test come from no seat, and it dereferences null. A
        // person typing always comes through a seat.
        qputenv("QT_IM_MODULE", "none");
        // The toolkit's client-side title bar is a plugin that leaks a buffer, which the leak
        // checker of the sanitizer build cannot name once the plugin is unloaded. The frame
        // around the window is the toolkit's and not what this suite checks.
        qputenv("QT_WAYLAND_DISABLE_WINDOWDECORATION", "1");
        return up;
    });
}
