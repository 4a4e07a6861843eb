#include "superarray/superarray.h"
#include "ui/TForm1.h"
#include "ui/Translations.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>

// The window program. `pixolan` hands over to it when it is given no sub-command.
int main(int argc, char** argv) {
    TForm::InstallAccessibility();
    QApplication app(argc, argv);
    InstallTranslations(app);
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
