#include "files/DialogFolder.h"
#include "files/TPreviewFolder.h"
#include "superarray/superarray.h"
#include "ui/TForm1.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

// The window program. `pixolan` hands over to it when it is given no sub-command.
int main(int argc, char** argv) {
    TForm::InstallAccessibility();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavori Pixolan"));
    // No display name: the toolkit would append it to every window title.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.pixolan.Pixolan"));
    KeepNoToolkitSettings();
    // Made now, so that previews a crashed run left are cleared at start; it removes this
    // run's previews at exit.
    TPreviewFolder::Current();
    superarray::OpenDocument = [](const std::string& path) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
    };
    TForm1 form;
    form.show();
    return QApplication::exec();
}
