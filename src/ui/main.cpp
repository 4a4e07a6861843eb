// The window program, which `pixolan` hands over to when it is given no sub-command.
#include "files/DialogFolder.h"
#include "files/TPreviewFolder.h"
#include "ui/TForm1.h"
#include "ui/Translations.h"

#include <QApplication>

int main(int argc, char** argv) {
    TForm::InstallAccessibility();
    QApplication app(argc, argv);
    InstallTranslations(app);
    QApplication::setApplicationName(QStringLiteral("Tavori Pixolan"));
    // No display name: the toolkit would append it to every window title.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.pixolan.Pixolan"));
    KeepNoToolkitSettings();
    // Made now, so that previews a crashed run left are cleared at start; it removes this
    // run's previews at exit.
    TPreviewFolder::Current();
    TForm1 form;
    form.show();
    return QApplication::exec();
}
