// The window program, which `pixolan` hands over to when it is given no sub-command.
#include "files/DialogFolder.h"
#include "files/TPreviewFolder.h"
#include "ui/TForm1.h"
#include "ui/Translations.h"

#include <QApplication>
#include <fontconfig/fontconfig.h>
#include <thread>

int main(int argc, char** argv) {
    TForm::InstallAccessibility();
    // Reading the font configuration (its XML files and font caches) is the largest single
    // step of the start; on a second core it runs while the toolkit connects to the display.
    // The toolkit's own call to FcInit then finds it done.
    std::thread fontConfiguration(FcInit);
    QApplication app(argc, argv);
    fontConfiguration.join();
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
