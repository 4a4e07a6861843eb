// Runs the suite inside a QApplication on the xcb platform of a private Xvfb with a window
// manager. --screen=WxH sets the screen (1280x1024 by default), --scale=N the toolkit's scale
// factor. Without Xvfb or openbox every test skips and says why.
#include "xcb/XServer.h"

#include <QApplication>
#include <gtest/gtest.h>

XServer* Server = nullptr;

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
    XServer server; // outlives the application
    Server = &server;
    // Listing the tests needs no display.
    const bool onX = !::testing::GTEST_FLAG(list_tests) && server.Start(screen);
    qputenv("QT_QPA_PLATFORM", onX ? "xcb" : "offscreen");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
