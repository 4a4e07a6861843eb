#pragma once

#include <QObject>
#include <QString>
#include <stdexcept>

// How the browser's window is to be shown, in the order the show commands are numbered here.
enum class TUrlShowCmd {
    ssHide,
    ssMaximize,
    ssMinimize,
    ssRestore,
    ssShow,
    ssShowDefault,
    ssShowMaximized,
    ssShowMinimized,
    ssShowMinNoActivate,
    ssShowNA,
    ssShowNoActivate,
    ssShowNormal
};

// The window show-command number of a show setting (hide 0, normal 1 ... default 10).
constexpr int ShowCommandNumber(TUrlShowCmd command) {
    constexpr int numbers[] = {0, 3, 6, 9, 5, 10, 3, 2, 7, 8, 4, 1};
    return numbers[static_cast<int>(command)];
}

// Raised when a browser was found but could not be started. The message is the catalogue's
// source text: translate it in the context "TUrlLauncher" where it is shown.
class TUrlLaunchError : public std::runtime_error {
public:
    TUrlLaunchError()
        : std::runtime_error(QT_TRANSLATE_NOOP("TUrlLauncher", "Couldn't launch default browser")) {
    }
};

// Opens Url in the user's default web browser: the desktop's default application for
// text/html, else the commands of $BROWSER in their order ("%s" in one stands for the
// address), else x-www-browser or xdg-open. The browser is started directly, never through a
// shell, and the address is never split into several arguments.
class TUrlLauncher : public QObject {
    Q_OBJECT

public:
    explicit TUrlLauncher(QObject* owner = nullptr);

    // Starts the browser and returns true without waiting for it. Returns false when no
    // browser is known at all; throws TUrlLaunchError when none of those found can be
    // started, or when Url starts like an option, which a browser would obey instead of
    // opening it.
    bool Execute();

    QString Url;
    // Kept for the window's settings only: a new process on this desktop has no show state,
    // the window manager alone places and sizes the browser's window (which may well be a
    // tab in a browser that is already running), so Execute cannot apply it.
    TUrlShowCmd UrlShowCommand = TUrlShowCmd::ssShowDefault;
};
