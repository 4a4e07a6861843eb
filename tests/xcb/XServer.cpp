#include "xcb/XServer.h"

#include <QByteArray>
#include <QStandardPaths>
#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int FirstDisplay = 51;
constexpr int LastDisplay = 59;
constexpr const char* ManagerReady = "pixolan-wm-ready";
constexpr int ReadyFd = 3;

// Everything a child writes to fd up to end of file or `marker`; a child that dies closes
// the pipe, so this never waits on a dead process.
std::string ReadUntil(int fd, const std::string& marker) {
    std::string text;
    std::array<char, 256> buffer{};
    while (marker.empty() || text.find(marker) == std::string::npos) {
        const ssize_t got = read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        text.append(buffer.data(), static_cast<std::size_t>(got));
        if (marker.empty() && text.find('\n') != std::string::npos) {
            break;
        }
    }
    return text;
}

} // namespace

XServer::~XServer() {
    Stop(ManagerPid);
    Stop(ServerPid);
    if (ManagerOutput >= 0) {
        close(ManagerOutput);
    }
}

pid_t XServer::Spawn(const char* const* argv, int fd, int childFd) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fd, childFd);
    pid_t pid = -1;
    const int failed =
        posix_spawnp(&pid, argv[0], &actions, nullptr, const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed == 0 ? pid : -1;
}

void XServer::Stop(pid_t& pid) {
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }
}

bool XServer::Start(const QString& screen) {
    for (const char* tool : {"Xvfb", "openbox"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty()) {
            Problem = QStringLiteral("%1 is not installed (scripts/install-deps.sh installs it)")
                          .arg(QLatin1String(tool));
            return false;
        }
    }
    const QByteArray size = screen.toLatin1() + "x24";
    for (int display = FirstDisplay; display <= LastDisplay && ServerPid < 0; ++display) {
        std::array<int, 2> ready{};
        if (pipe2(ready.data(), O_CLOEXEC) != 0) {
            break;
        }
        // Xvfb writes the display number to -displayfd once it accepts clients, and exits at
        // once when the display is taken.
        const QByteArray name = ":" + QByteArray::number(display);
        const char* const argv[] = {"Xvfb",      name.constData(), "-screen", "0",
                                    size.data(), "-nolisten",      "tcp",     "-displayfd",
                                    "3",         nullptr};
        const pid_t pid = Spawn(argv, ready[1], ReadyFd);
        close(ready[1]);
        const std::string answer = pid > 0 ? ReadUntil(ready[0], {}) : std::string();
        close(ready[0]);
        if (!answer.empty()) {
            ServerPid = pid;
            Display = QString::fromLatin1(name);
        } else if (pid > 0) {
            waitpid(pid, nullptr, 0);
        }
    }
    if (ServerPid < 0) {
        Problem =
            QStringLiteral("no free X display in :%1..:%2").arg(FirstDisplay).arg(LastDisplay);
        return false;
    }
    qputenv("DISPLAY", Display.toLatin1());
    // openbox runs its start-up command once it manages the screen.
    std::array<int, 2> output{};
    if (pipe2(output.data(), O_CLOEXEC) != 0) {
        Problem = QStringLiteral("no pipe for openbox");
        return false;
    }
    const std::string startup = std::string("echo ") + ManagerReady;
    const char* const argv[] = {"openbox", "--startup", startup.c_str(), nullptr};
    ManagerPid = Spawn(argv, output[1], STDOUT_FILENO);
    close(output[1]);
    // Kept open: openbox would die of a broken pipe at its next message.
    ManagerOutput = output[0];
    const bool managed =
        ManagerPid > 0 &&
        ReadUntil(ManagerOutput, ManagerReady).find(ManagerReady) != std::string::npos;
    if (!managed) {
        Problem = QStringLiteral("openbox did not start on %1").arg(Display);
        return false;
    }
    return true;
}
