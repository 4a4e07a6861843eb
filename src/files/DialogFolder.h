#pragma once

#include <QString>

// Where a file dialog opens: the folder of the file last chosen in that dialog in this run, else
// the user's documents folder where it exists, else the home folder. Nothing of it is kept
// between runs.
QString DialogFolder(const QString& dialog);
// Remembers the folder of the file just chosen in the dialog; nothing when none was chosen.
void RememberDialogFolder(const QString& dialog, const QString& chosenFile);

// Qt's own dialogs keep a history of their own (QtProject.conf under the user's configuration
// folder). The program keeps no state, so the toolkit's user settings are turned to a place
// where no file can ever be made: nothing is written under the user's home unless the user
// saves something.
void KeepNoToolkitSettings();
