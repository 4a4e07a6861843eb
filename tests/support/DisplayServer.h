#pragma once

#include <QProcess>
#include <QString>
#include <functional>
#include <gtest/gtest.h>
#include <list>

// The private display server a suite's window runs on, with the tools around it (an X server
// and its window manager, or a Wayland compositor). The suite's main starts it before the
// application and ends its processes, last started first, when the suite is over.
class DisplayServer {
public:
    ~DisplayServer();
    // A process that runs as long as the server: its error output passed on, or `merged`
    // into its output.
    QProcess& Process(bool merged = false);
    // False, with Problem set, when `tool` is not on the path.
    bool Installed(const QString& tool);

    QString Problem; // why the suite cannot run on the server; empty when it can

private:
    std::list<QProcess> Processes;
};

// The suite's server.
extern DisplayServer* Server;

// A suite's main: runs the tests on `platform` when `start` brings the server up, else on
// the offscreen platform with every test skipping (listing the tests starts nothing).
int RunOnDisplay(int argc, char** argv, const char* platform,
                 const std::function<bool(DisplayServer&)>& start);

// Every test of such a suite: skipped, saying why, without its server.
class OnDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!Server->Problem.isEmpty()) {
            GTEST_SKIP() << "no display server for this suite: " << Server->Problem.toStdString();
        }
    }
};
