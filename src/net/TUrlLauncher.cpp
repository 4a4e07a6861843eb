// Opening an address in the desktop's default browser, found within a fixed budget.
#include "net/TUrlLauncher.h"

#include "net/DesktopEntry.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

constexpr QStringView HtmlType = u"text/html";

// File lookups that finding one desktop id in one applications dir may take.
constexpr int MaxProbes = 256;

// $XDG_DATA_HOME/applications, then each of $XDG_DATA_DIRS with /applications.
QStringList ApplicationDirs() {
    return QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
}

// The mimeapps.list files, most important first: the config dirs, then the applications
// dirs; in each, the lists of the current desktops before the plain one.
QStringList MimeappsFiles(const QStringList& applicationDirs) {
    QStringList desktops;
    for (const QString& desktop :
         qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts)) {
        desktops += desktop.toLower();
    }
    QStringList files;
    for (const QString& dir :
         QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation) +
             applicationDirs) {
        for (const QString& desktop : desktops) {
            files += dir + u'/' + desktop + "-mimeapps.list";
        }
        files += dir + "/mimeapps.list";
    }
    return files;
}

// The search for the default application with what it may spend as a whole, whatever the
// environment holds: each file is bounded, but thousands of ids full of dashes, or a thousand
// data folders, would still keep the window frozen for seconds to minutes. A desktop's own
// lookup needs a few dozen files and lookups. Once the budget is spent the search gives up,
// and the fall-back browsers take over.
class TBrowserLookup {
public:
    std::optional<QString> AssociatedExec() {
        for (const QString& file : MimeappsFiles(Dirs)) {
            if (std::optional<QString> exec = FirstInstalledExec(file, u"Default Applications")) {
                return exec;
            }
        }
        for (const QString& dir : Dirs) {
            if (std::optional<QString> exec =
                    FirstInstalledExec(dir + "/mimeinfo.cache", u"MIME Cache")) {
                return exec;
            }
        }
        return std::nullopt;
    }

private:
    bool Spent() const { return Files <= 0 || Bytes <= 0 || Probes <= 0; }

    // A key file, read within what is left; every try counts, a missing file too.
    DesktopEntry Read(const QString& path) {
        if (Files <= 0 || Bytes <= 0) {
            return DesktopEntry();
        }
        --Files;
        DesktopEntry entry(path, std::min(Bytes, DesktopEntry::MaxFileSize));
        Bytes -= entry.Size();
        return entry;
    }

    // One file lookup of a search that may take `probes` of them.
    bool Probe(int& probes) {
        --Probes;
        return --probes >= 0 && Probes >= 0;
    }

    // The file of a desktop id below dir, where each "-" of the id may also stand for a
    // subdirectory ("vendor-web.desktop" may be vendor/web.desktop). Each way of reading the
    // dashes is a path of its own, so one id spends at most `probes` file lookups: an id full
    // of dashes over folders that match them would otherwise cost exponentially many.
    QString FindInDir(const QString& dir, const QString& id, int& probes) {
        if (!Probe(probes)) {
            return {};
        }
        if (QFileInfo(dir + u'/' + id).isFile()) {
            return dir + u'/' + id;
        }
        for (qsizetype dash = id.indexOf(u'-'); dash > 0 && Probe(probes);
             dash = id.indexOf(u'-', dash + 1)) {
            const QString subdir = dir + u'/' + id.first(dash);
            if (QFileInfo(subdir).isDir()) {
                QString path = FindInDir(subdir, id.sliced(dash + 1), probes);
                if (!path.isEmpty()) {
                    return path;
                }
            }
        }
        return {};
    }

    // The Exec line of an installed application. The first applications dir that holds the
    // id decides: a user's copy hides the system's, even one that runs nothing.
    std::optional<QString> InstalledExec(const QString& id) {
        if (!id.endsWith(u".desktop") || id.contains(u'/')) {
            return std::nullopt;
        }
        for (const QString& dir : Dirs) {
            int probes = MaxProbes;
            const QString path = FindInDir(dir, id, probes);
            if (!path.isEmpty()) {
                return Read(path).Value(u"Desktop Entry", u"Exec");
            }
            if (Spent()) {
                break;
            }
        }
        return std::nullopt;
    }

    // The first installed application of the list that the file gives for text/html.
    std::optional<QString> FirstInstalledExec(const QString& file, QStringView group) {
        const std::optional<QString> ids = Read(file).Value(group, HtmlType);
        for (const QString& id : ids.value_or(QString()).split(u';', Qt::SkipEmptyParts)) {
            if (std::optional<QString> exec = InstalledExec(id.trimmed())) {
                return exec;
            }
            if (Spent()) {
                break;
            }
        }
        return std::nullopt;
    }

    const QStringList Dirs = ApplicationDirs();
    int Files = 128;                // key files opened or tried
    qint64 Bytes = 8 * 1024 * 1024; // read from them
    int Probes = 4096;              // file and folder lookups for desktop ids
};

// One $BROWSER entry as program and arguments: "%s" stands for the address and "%%" for
// "%"; an entry without "%s" gets the address appended. The entry is split as QProcess
// splits a command (blanks, double quotes), before the address goes in, so the address is
// never split and never reaches a shell.
QStringList BrowserCommand(const QString& entry, const QString& url) {
    QStringList command = QProcess::splitCommand(entry);
    bool placed = false;
    for (QString& argument : command) {
        QString replaced;
        for (qsizetype i = 0; i < argument.size(); ++i) {
            if (argument[i] == u'%' && i + 1 < argument.size() &&
                (argument[i + 1] == u's' || argument[i + 1] == u'%')) {
                const bool address = argument[++i] == u's';
                replaced += address ? url : QStringLiteral("%");
                placed = placed || address;
            } else {
                replaced += argument[i];
            }
        }
        argument = replaced;
    }
    if (!command.isEmpty() && !placed) {
        command += url;
    }
    return command;
}

// The commands to try in order: $BROWSER's entries, which are the user's choice even when
// none of them can be started, else the first of the two usual commands that is on PATH.
QList<QStringList> FallbackBrowsers(const QString& url) {
    QList<QStringList> commands;
    for (const QString& entry : qEnvironmentVariable("BROWSER").split(u':', Qt::SkipEmptyParts)) {
        if (QStringList command = BrowserCommand(entry, url); !command.isEmpty()) {
            commands.append(command);
        }
    }
    if (!commands.isEmpty()) {
        return commands;
    }
    for (const QString& name : {QStringLiteral("x-www-browser"), QStringLiteral("xdg-open")}) {
        QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty()) {
            return {{path, url}};
        }
    }
    return {};
}

} // namespace

TUrlLauncher::TUrlLauncher(QObject* owner) : QObject(owner) {}

bool TUrlLauncher::Execute() {
    QList<QStringList> commands;
    if (const std::optional<QString> exec = TBrowserLookup().AssociatedExec()) {
        commands.append(DesktopEntry::CommandFor(*exec, Url).value_or(QStringList()));
        if (commands.front().isEmpty()) {
            throw TUrlLaunchError();
        }
    } else {
        commands = FallbackBrowsers(Url);
        if (commands.isEmpty()) {
            return false;
        }
    }
    // Browsers read "--option" arguments wherever they stand, and some options run programs.
    if (Url.trimmed().startsWith(u'-')) {
        throw TUrlLaunchError();
    }
    for (QStringList& command : commands) {
        const QString program = command.takeFirst();
        if (QProcess::startDetached(program, command)) {
            return true;
        }
    }
    throw TUrlLaunchError();
}
