#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A private headless Wayland compositor (weston) with a runtime folder of its own, for tests
// that must run the window as a Wayland desktop session does.
class Compositor {
public:
    ~Compositor();

    // Starts weston and waits until its socket is there; false (with Problem set) when weston
    // or the toolkit's Wayland platform is missing or weston does not come up.
    bool Start();

    QString Problem; // why the suite cannot run on Wayland; empty when it can

private:
    QTemporaryDir RuntimeFolder;
    QProcess Weston;
};

// The suite's compositor, made by main before the application.
extern Compositor* Server;
