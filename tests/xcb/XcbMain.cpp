// Runs the suite inside a QApplication on the xcb platform of a private Xvfb with a window
// manager. --screen=WxH sets the screen (1280x1024 by default), --scale=N the toolkit's scale
// factor. Without Xvfb or openbox every test skips and says why.
#include "xcb/XServer.h"
#include "xcb/XcbSuite.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

XServer* Server = nullptr;

} // namespace

QString XcbSuite::Problem() {
    return Server == nullptr ? QStringLiteral("the tests are only being listed") : Server->Problem;
}

QString XcbSuite::Display() {
    return Server == nullptr ? QString() : Server->Display;
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QString screen = QStringLiteral("1280x1024");
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg.startsWith(QLatin1String("--screen="))) {
            screen = arg.mid(9);
        } else if (arg.startsWith(QLatin1String("--scale="))) {
            qputenv("QT_SCALE_FACTOR", arg.mid(8).toLatin1());
        }
    }
    XServer server;
    // Listing the tests needs no display.
    if (!::testing::GTEST_FLAG(list_tests)) {
        Server = &server;
        server.Start(screen);
    }
    qputenv("QT_QPA_PLATFORM", Server != nullptr && server.Problem.isEmpty() ? "xcb" : "offscreen");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
