#include "cli/CommandLine.h"
#include "superarray/superarray.h"
#include "ui/TForm1.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

int main(int argc, char** argv) {
    // Sub-commands decide before any application object exists, so they need no display.
    if (IsCommandLine({argv + 1, argv + argc})) {
        return CommandLineMain(argc, argv);
    }
    TForm::InstallAccessibility();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavori Pixolan"));
    // No display name: the toolkit would append it to every window title.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.pixolan.Pixolan"));
    superarray::OpenDocument = [](const std::string& path) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
    };
    TForm1 form;
    form.show();
    return QApplication::exec();
}
