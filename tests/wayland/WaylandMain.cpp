// Runs the suite inside a QApplication on the wayland platform of a private headless
// compositor (weston), in a private runtime folder. Without weston or the toolkit's Wayland
// platform every test skips and says why.
#include "wayland/Compositor.h"

#include <QApplication>
#include <gtest/gtest.h>

Compositor* Server = nullptr;

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    Compositor compositor; // outlives the application
    Server = &compositor;
    // Listing the tests needs no compositor.
    const bool onWayland = !::testing::GTEST_FLAG(list_tests) && compositor.Start();
    qunsetenv("DISPLAY"); // no way back to X: the window must run on Wayland or not at all
    // The toolkit's Wayland input method (Qt 6.4) asks the seat that last sent a key for its
    // text input; keys sent by the test come from no seat, and it dereferences null. A person
    // typing always comes through a seat.
    qputenv("QT_IM_MODULE", "none");
    qputenv("QT_QPA_PLATFORM", onWayland ? "wayland" : "offscreen");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
