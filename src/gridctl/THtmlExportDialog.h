#pragma once

#include "gridctl/THtmlSettings.h"

#include <QDialog>
#include <QUrl>
#include <functional>

class QPushButton;
class TGridControl;
class TPreviewFolder;

// Edits the HTML export settings of a grid; Preview and Save write the grid with the settings
// on screen. OK keeps the edited settings in the grid, Cancel leaves the grid's as they were.
class THtmlExportDialog : public QDialog {
    Q_OBJECT

public:
    explicit THtmlExportDialog(TGridControl& grid, QWidget* parent = nullptr);

    // Writes the page to a new file in the private preview folder and opens it; the error text,
    // empty on success. The file goes when its folder object does (at exit for the process's).
    QString Preview();
    // Writes the page to path; the error text, empty on success.
    QString SaveTo(const QString& path) const;

    // The file the last Preview wrote; empty before the first.
    const QString& PreviewPath() const { return LastPreview; }

    // Seams for the outside world, replaceable where no desktop is wanted.
    std::function<bool(const QUrl&)> OpenUrl;
    std::function<QString()> AskFileName; // empty when the user cancels
    std::function<void(const QString&)> ShowWarning;
    TPreviewFolder* Previews = nullptr; // nullptr: the process's own

    void accept() override;

private:
    void PreviewClicked();
    void SaveClicked();
    QPushButton* AddColorButton(QColor THtmlSettings::*color);

    TGridControl& Grid;
    THtmlSettings Edited;
    QString LastPreview;
};
