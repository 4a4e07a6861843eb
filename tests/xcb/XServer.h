#pragma once

#include <QProcess>
#include <QString>

// A private X server (Xvfb) with a window manager (openbox) for tests that must see what a
// user sees: titles as the window manager reads them, frames, real screen sizes. The server
// takes the first free display of a small range, so parallel suites do not collide.
class XServer {
public:
    ~XServer();

    // Starts both and waits until they are ready; false (with Problem set) when Xvfb or
    // openbox is missing or no display of the range is free.
    bool Start(const QString& screen);

    QString Problem; // why the suite cannot run on a real X server; empty when it can

private:
    QProcess Server;
    QProcess Manager;
};

// The suite's server, made by main before the application.
extern XServer* Server;
