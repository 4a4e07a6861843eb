// Starting and ending the private display servers of the suites that run on one.
#include "support/DisplayServer.h"

#include <QApplication>
#include <QStandardPaths>
#include <csignal>
#include <sys/prctl.h>

DisplayServer* Server = nullptr;

DisplayServer::~DisplayServer() {
    for (auto process = Processes.rbegin(); process != Processes.rend(); ++process) {
        process->terminate();
        process->waitForFinished();
    }
}

QProcess& DisplayServer::Process(bool merged) {
    QProcess& process = Processes.emplace_back();
    process.setProcessChannelMode(merged ? QProcess::MergedChannels
                                         : QProcess::ForwardedErrorChannel);
    // A suite that dies before it can end its server takes the server with it.
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    return process;
}

bool DisplayServer::Installed(const QString& tool) {
    if (QStandardPaths::findExecutable(tool).isEmpty()) {
        Problem = tool + QStringLiteral(" is not installed (scripts/install-deps.sh installs it)");
        return false;
    }
    return true;
}

int RunOnDisplay(int argc, char** argv, const char* platform,
                 const std::function<bool(DisplayServer&)>& start) {
    ::testing::InitGoogleTest(&argc, argv);
    DisplayServer server; // outlives the application
    Server = &server;
    const bool up = !::testing::GTEST_FLAG(list_tests) && start(server);
    if (!up && server.Problem.isEmpty()) {
        server.Problem = QStringLiteral("only listing the tests");
    }
    qputenv("QT_QPA_PLATFORM", up ? platform : "offscreen");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
