// Runs the suite inside a QApplication on the xcb platform of a private Xvfb with a window
// manager (openbox). --screen=WxH sets the screen (1280x1024 by default), --scale=N the
// toolkit's scale factor. The server takes the first free display of a small range, so
// parallel suites do not collide. Without Xvfb or openbox every test skips and says why.
#include "support/DisplayServer.h"

namespace {

constexpr int FirstDisplay = 51;
constexpr int LastDisplay = 59;
constexpr int Patience = 30000; // milliseconds for a tool to become ready
const QByteArray ManagerReady = "pixolan-wm-ready";

bool StartXServer(DisplayServer& x, const QString& screen) {
    if (!x.Installed(QStringLiteral("Xvfb")) || !x.Installed(QStringLiteral("openbox"))) {
        return false;
    }
    QString display;
    QProcess& server = x.Process();
    for (int number = FirstDisplay; number <= LastDisplay; ++number) {
        // Xvfb writes the display number to -displayfd once it accepts clients, and exits at
        // once when the display is taken.
        display = QStringLiteral(":%1").arg(number);
        server.start(QStringLiteral("Xvfb"), {display, "-screen", "0", screen + "x24", "-nolisten",
                                              "tcp", "-displayfd", "1"});
        if (server.waitForReadyRead(Patience)) {
            break;
        }
        server.kill();
        server.waitForFinished();
    }
    if (server.state() != QProcess::Running) {
        x.Problem =
            QStringLiteral("no free X display in :%1..:%2").arg(FirstDisplay).arg(LastDisplay);
        return false;
    }
    qputenv("DISPLAY", display.toLatin1());
    // openbox runs its start-up command once it manages the screen; its output stays open, as
    // openbox would die of a broken pipe at its next message.
    QProcess& manager = x.Process();
    manager.start(QStringLiteral("openbox"), {"--startup", "echo " + ManagerReady});
    QByteArray said;
    while (!said.contains(ManagerReady) && manager.waitForReadyRead(Patience)) {
        said += manager.readAllStandardOutput();
    }
    if (!said.contains(ManagerReady)) {
        x.Problem = QStringLiteral("openbox did not start on %1").arg(display);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QString screen = QStringLiteral("1280x1024");
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg.startsWith(QLatin1String("--screen="))) {
            screen = arg.mid(9);
        } else if (arg.startsWith(QLatin1String("--scale="))) {
            qputenv("QT_SCALE_FACTOR", arg.mid(8).toLatin1());
        }
    }
    return RunOnDisplay(argc, argv, "xcb",
                        [&screen](DisplayServer& x) { return StartXServer(x, screen); });
}
