#pragma once

#include <QString>
#include <sys/types.h>

// A private X server (Xvfb) with a window manager (openbox) for tests that must see what a
// user sees: titles as the window manager reads them, frames, real screen sizes. The server
// takes the first free display of a small range, so parallel suites do not collide.
class XServer {
public:
    XServer() = default;
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;
    ~XServer();

    // Starts both and waits until they are ready; false (with Problem set) when Xvfb or
    // openbox is missing or no display of the range is free.
    bool Start(const QString& screen);

    QString Display; // ":N" once started
    QString Problem;

private:
    // Starts argv[0] from the PATH with fd as its childFd.
    static pid_t Spawn(const char* const* argv, int fd, int childFd);
    static void Stop(pid_t& pid);

    pid_t ServerPid = -1;
    pid_t ManagerPid = -1;
    int ManagerOutput = -1;
};
