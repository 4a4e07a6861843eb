#include "xcb/XServer.h"

#include <QStandardPaths>

namespace {

constexpr int FirstDisplay = 51;
constexpr int LastDisplay = 59;
constexpr int Patience = 30000; // milliseconds for a tool to become ready
const QByteArray ManagerReady = "pixolan-wm-ready";

} // namespace

XServer::~XServer() {
    for (QProcess* process : {&Manager, &Server}) {
        process->terminate();
        process->waitForFinished();
    }
}

bool XServer::Start(const QString& screen) {
    for (const QString& tool : {QStringLiteral("Xvfb"), QStringLiteral("openbox")}) {
        if (QStandardPaths::findExecutable(tool).isEmpty()) {
            Problem =
                tool + QStringLiteral(" is not installed (scripts/install-deps.sh installs it)");
            return false;
        }
    }
    QString display;
    Server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    for (int number = FirstDisplay; number <= LastDisplay; ++number) {
        // Xvfb writes the display number to -displayfd once it accepts clients, and exits at
        // once when the display is taken.
        display = QStringLiteral(":%1").arg(number);
        Server.start(QStringLiteral("Xvfb"), {display, "-screen", "0", screen + "x24", "-nolisten",
                                              "tcp", "-displayfd", "1"});
        if (Server.waitForReadyRead(Patience)) {
            break;
        }
        Server.kill();
        Server.waitForFinished();
    }
    if (Server.state() != QProcess::Running) {
        Problem =
            QStringLiteral("no free X display in :%1..:%2").arg(FirstDisplay).arg(LastDisplay);
        return false;
    }
    qputenv("DISPLAY", display.toLatin1());
    // openbox runs its start-up command once it manages the screen; its output stays open, as
    // openbox would die of a broken pipe at its next message.
    Manager.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    Manager.start(QStringLiteral("openbox"), {"--startup", "echo " + ManagerReady});
    QByteArray said;
    while (!said.contains(ManagerReady) && Manager.waitForReadyRead(Patience)) {
        said += Manager.readAllStandardOutput();
    }
    if (!said.contains(ManagerReady)) {
        Problem = QStringLiteral("openbox did not start on %1").arg(display);
        return false;
    }
    return true;
}
