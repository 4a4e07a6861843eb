#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <string_view>

class QCoreApplication;

// The languages the user asks for, most wanted first, read as gettext reads them: the
// colon-separated list in LANGUAGE, then the first of LC_ALL, LC_MESSAGES and LANG that is
// set. Codes lose their encoding and modifier ("de_DE.UTF-8@euro" asks for "de_DE"); "C" and
// "POSIX" ask for English.
QStringList RequestedLanguages(const std::function<QString(const char*)>& variable);

// Installs the window's catalogue, and the toolkit's own for its dialogs, for the first
// requested language that has a catalogue in one of `folders`. English, the language of the
// source texts, ends the search: the window then stays as written. True when a catalogue was
// installed; the translators belong to `app`.
bool InstallTranslations(QCoreApplication& app, const QStringList& folders);

// The same from the folders the program's catalogues are in: beside it in the build tree, in
// the data folder once installed.
bool InstallTranslations(QCoreApplication& app);

// A result column's name or caption in the user's language. The columns are declared by the
// Qt-free model that the command line shares, whose column names stay English for scripts.
QString ResultColumnText(std::string_view english);
