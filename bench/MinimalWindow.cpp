// The yardstick for the window's start-up: a Qt Widgets program that shows one label.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Pixolan"));
    label.show();
    return QApplication::exec();
}
