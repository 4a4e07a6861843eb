#include "net/TUrlLauncher.h"

#include "net/DesktopEntry.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

constexpr QStringView HtmlType = u"text/html";

// $XDG_DATA_HOME/applications, then each of $XDG_DATA_DIRS with /applications.
QStringList ApplicationDirs() {
    return QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
}

// The mimeapps.list files, most important first: the config dirs, then the applications
// dirs; in each, the lists of the current desktops before the plain one.
QStringList MimeappsFiles() {
    QStringList desktops;
    for (const QString& desktop :
         qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts)) {
        desktops += desktop.toLower();
    }
    QStringList files;
    for (const QString& dir :
         QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation) +
             ApplicationDirs()) {
        for (const QString& desktop : desktops) {
            files += dir + u'/' + desktop + "-mimeapps.list";
        }
        files += dir + "/mimeapps.list";
    }
    return files;
}

// The file of a desktop id below dir, where each "-" of the id may also stand for a
// subdirectory ("vendor-web.desktop" may be vendor/web.desktop).
QString FindInDir(const QString& dir, const QString& id) {
    if (QFileInfo(dir + u'/' + id).isFile()) {
        return dir + u'/' + id;
    }
    for (qsizetype dash = id.indexOf(u'-'); dash > 0; dash = id.indexOf(u'-', dash + 1)) {
        const QString subdir = dir + u'/' + id.first(dash);
        if (QFileInfo(subdir).isDir()) {
            QString path = FindInDir(subdir, id.sliced(dash + 1));
            if (!path.isEmpty()) {
                return path;
            }
        }
    }
    return {};
}

// The Exec line of an installed application. The first applications dir that holds the id
// decides: a user's copy hides the system's, even one that runs nothing.
std::optional<QString> InstalledExec(const QString& id) {
    if (!id.endsWith(u".desktop") || id.contains(u'/')) {
        return std::nullopt;
    }
    for (const QString& dir : ApplicationDirs()) {
        const QString path = FindInDir(dir, id);
        if (!path.isEmpty()) {
            return DesktopEntry(path).Value(u"Desktop Entry", u"Exec");
        }
    }
    return std::nullopt;
}

// The first installed application of the list that the file gives for text/html.
std::optional<QString> FirstInstalledExec(const QString& file, QStringView group) {
    const std::optional<QString> ids = DesktopEntry(file).Value(group, HtmlType);
    for (const QString& id : ids.value_or(QString()).split(u';', Qt::SkipEmptyParts)) {
        if (std::optional<QString> exec = InstalledExec(id.trimmed())) {
            return exec;
        }
    }
    return std::nullopt;
}

std::optional<QString> AssociatedExec() {
    for (const QString& file : MimeappsFiles()) {
        if (std::optional<QString> exec = FirstInstalledExec(file, u"Default Applications")) {
            return exec;
        }
    }
    for (const QString& dir : ApplicationDirs()) {
        if (std::optional<QString> exec =
                FirstInstalledExec(dir + "/mimeinfo.cache", u"MIME Cache")) {
            return exec;
        }
    }
    return std::nullopt;
}

// $BROWSER is the user's choice even when it cannot be started; the two commands after it
// count only when they are on PATH.
QString FallbackBrowser() {
    const QStringList browsers = qEnvironmentVariable("BROWSER").split(u':', Qt::SkipEmptyParts);
    if (!browsers.isEmpty()) {
        return browsers.first();
    }
    for (const QString& name : {QStringLiteral("x-www-browser"), QStringLiteral("xdg-open")}) {
        QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty()) {
            return path;
        }
    }
    return {};
}

} // namespace

TUrlLauncher::TUrlLauncher(QObject* owner) : QObject(owner) {}

void TUrlLauncher::Execute() {
    QStringList command;
    if (const std::optional<QString> exec = AssociatedExec()) {
        command = DesktopEntry::CommandFor(*exec, Url).value_or(QStringList());
        if (command.isEmpty()) {
            throw TUrlLaunchError();
        }
    } else {
        const QString browser = FallbackBrowser();
        if (browser.isEmpty()) {
            return;
        }
        command = QStringList{browser, Url};
    }
    // Browsers read "--option" arguments wherever they stand, and some options run programs.
    if (Url.trimmed().startsWith(u'-')) {
        throw TUrlLaunchError();
    }
    const QString program = command.takeFirst();
    if (!QProcess::startDetached(program, command)) {
        throw TUrlLaunchError();
    }
}
