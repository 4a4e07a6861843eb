#pragma once

#include "files/TPrintSettings.h"

#include <QDialog>
#include <QList>
#include <QPageLayout>
#include <functional>
#include <optional>

class TGridControl;
class TPrintPreview;

// Edits the print settings of a grid in place, with a preview of the printed grid that follows
// every change: a page of the print as the default printer lays it out. OK keeps the settings,
// Cancel (or closing) restores those the grid had when the dialog opened. The "Preferences" page
// loads and saves the settings as an INI file.
class TPrintSettingsDialog : public QDialog {
    Q_OBJECT

public:
    struct TFileChoice {
        QString Path; // empty when the user cancels
        QString Filter;
    };

    explicit TPrintSettingsDialog(TGridControl& grid, QWidget* parent = nullptr);

    // "&Load settings" and "&Save settings": ask for a file, then read or write it.
    void LoadSettings();
    void SaveSettings();
    // Shows the grid's settings in every control and redraws the preview.
    void Refresh();

    void reject() override;

    // The pages that printing with the settings gives, as the preview counts them.
    int PreviewPageCount() const;

    // Seams for the outside world, replaceable where no desktop is wanted.
    std::function<TFileChoice(bool saving)> AskFileName;
    std::function<void(const QString&)> ShowWarning;

private:
    QWidget* LayoutPage();
    QWidget* BandsPage();
    QWidget* FontsPage();
    QWidget* PreferencesPage();
    // A control showing one setting and writing it back on every edit.
    QWidget* Number(int32_t TPrintSettings::*field);
    QWidget* Switch(const QString& label, bool TPrintSettings::*field);
    template <typename TEnum>
    QWidget* Choice(TEnum TPrintSettings::*field, const QStringList& names);
    QWidget* Text(QString TPrintSettings::*field);
    QWidget* FontRow(TPrintFont TPrintSettings::*field);
    void Changed();
    void PrintClicked();

    TGridControl& Grid;
    const TPrintSettings Original;
    QPageLayout PreviewPage; // of the printer that Print... starts with
    TPrintPreview* Preview;
    // The widest texts of the grid in the table font they were measured with: the grid does not
    // change while the dialog is open, and measuring a large one is what costs.
    QList<double> TextWidths;
    std::optional<TPrintFont> MeasuredFont;
    QList<std::function<void()>> Refreshers; // each shows one setting in its control
    bool Refreshing = false;
};
