// The print-settings dialog: the settings edited in place on four pages, a preview that
// follows every change, and the settings saved to and loaded from a file.
#include "gridctl/TPrintSettingsDialog.h"

#include "files/DialogFolder.h"
#include "gridctl/Conversions.h"
#include "gridctl/TGridControl.h"
#include "gridctl/TGridPrinter.h"
#include "gridctl/TPrintPreview.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QStringList PositionNames() {
    QStringList names;
    for (const char* name : {QT_TRANSLATE_NOOP("TPrintSettingsDialog", "None"),
                             QT_TRANSLATE_NOOP("TPrintSettingsDialog", "Top left"),
                             QT_TRANSLATE_NOOP("TPrintSettingsDialog", "Top right"),
                             QT_TRANSLATE_NOOP("TPrintSettingsDialog", "Top centre"),
                             QT_TRANSLATE_NOOP("TPrintSettingsDialog", "Bottom left"),
                             QT_TRANSLATE_NOOP("TPrintSettingsDialog", "Bottom right"),
                             QT_TRANSLATE_NOOP("TPrintSettingsDialog", "Bottom centre")}) {
        names << QCoreApplication::translate("TPrintSettingsDialog", name);
    }
    return names;
}

QString FontText(const TPrintFont& font) {
    // The size that prints, also where the settings leave it at 0.
    QStringList parts{font.Name, QStringLiteral("%1 pt").arg(ToFont(font).pointSize())};
    if (font.Style & TPrintFont::fsBold) {
        parts.append(QStringLiteral("bold"));
    }
    if (font.Style & TPrintFont::fsItalic) {
        parts.append(QStringLiteral("italic"));
    }
    if (font.Style & TPrintFont::fsUnderline) {
        parts.append(QStringLiteral("underline"));
    }
    if (font.Style & TPrintFont::fsStrikeOut) {
        parts.append(QStringLiteral("strike-out"));
    }
    return parts.join(QStringLiteral(", "));
}

QFormLayout* NewForm(QWidget* page) {
    auto* form = new QFormLayout(page);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    return form;
}

} // namespace

TPrintSettingsDialog::TPrintSettingsDialog(TGridControl& grid, QWidget* parent)
    : QDialog(parent), Grid(grid), Original(grid.PrintSettings),
      PreviewPage(QPrinter(QPrinter::HighResolution).pageLayout()),
      Preview(new TPrintPreview(this)) {
    AskFileName = [this](bool saving) {
        const QString filters = TPrintSettings::FileFilters().join(QStringLiteral(";;"));
        // Loading and saving share their folder: they are the same files.
        const QString dialog = QStringLiteral("print settings");
        TFileChoice choice;
        choice.Path =
            saving ? QFileDialog::getSaveFileName(this, tr("Save settings"), DialogFolder(dialog),
                                                  filters, &choice.Filter)
                   : QFileDialog::getOpenFileName(this, tr("Load settings"), DialogFolder(dialog),
                                                  filters, &choice.Filter);
        RememberDialogFolder(dialog, choice.Path);
        return choice;
    };
    ShowWarning = [this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); };
    setWindowTitle(tr("Print settings"));

    // The pages scroll, so that the dialog with its buttons fits small and scaled screens.
    auto* tabs = new QTabWidget;
    tabs->setAccessibleName(tr("Print settings"));
    const auto addPage = [tabs](QWidget* page, const QString& title) {
        auto* scroll = new QScrollArea;
        scroll->setWidget(page);
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        // A screen reader speaks the page by its tab's title, without the mnemonic marks.
        const QString name = QString(title).remove(QRegularExpression(QStringLiteral("&(?!&)")));
        for (QWidget* part : {static_cast<QWidget*>(scroll), page}) {
            part->setAccessibleName(name);
        }
        tabs->addTab(scroll, title);
    };
    addPage(LayoutPage(), tr("La&yout"));
    addPage(BandsPage(), tr("H&eader && footer"));
    addPage(FontsPage(), tr("Fo&nts"));
    addPage(PreferencesPage(), tr("&Preferences"));

    Preview->setMinimumSize(200, 200);
    Preview->setAccessibleName(tr("Print preview"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QPushButton* print = buttons->addButton(tr("P&rint..."), QDialogButtonBox::ActionRole);
    connect(print, &QPushButton::clicked, this, &TPrintSettingsDialog::PrintClicked);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* body = new QHBoxLayout;
    body->addWidget(tabs);
    body->addWidget(Preview, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(buttons);
    // Roomy where the screen allows it, never beyond the screen's free area.
    QSize size(1000, 680);
    if (const QScreen* screen =
            parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen()) {
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    }
    resize(size);
    Refresh();
}

QWidget* TPrintSettingsDialog::LayoutPage() {
    auto* lengths = new QGroupBox(tr("Lengths in tenths of a millimetre"));
    QFormLayout* form = NewForm(lengths);
    form->addRow(tr("&Left margin:"), Number(&TPrintSettings::LeftSize));
    form->addRow(tr("Ri&ght margin:"), Number(&TPrintSettings::RightSize));
    form->addRow(tr("Column s&pacing:"), Number(&TPrintSettings::ColumnSpacing));
    form->addRow(tr("Ro&w spacing:"), Number(&TPrintSettings::RowSpacing));
    form->addRow(tr("T&itle spacing:"), Number(&TPrintSettings::TitleSpacing));
    form->addRow(Switch(tr("Fixed row &height:"), &TPrintSettings::UseFixedHeight),
                 Number(&TPrintSettings::FixedHeight));
    form->addRow(Switch(tr("Fixed column wi&dth:"), &TPrintSettings::UseFixedWidth),
                 Number(&TPrintSettings::FixedWidth));

    auto* table = new QGroupBox(tr("Table"));
    form = NewForm(table);
    form->addRow(Switch(tr("&Centred on the page"), &TPrintSettings::Centered));
    form->addRow(Switch(tr("&Keep the grid's column widths"), &TPrintSettings::NoAutoSize));
    form->addRow(
        Switch(tr("Repeat the header row on e&very page"), &TPrintSettings::RepeatFixedRows));
    form->addRow(
        Switch(tr("Repeat fi&xed columns on every page"), &TPrintSettings::RepeatFixedCols));
    form->addRow(
        tr("&Borders:"),
        Choice(&TPrintSettings::Borders,
               {tr("None"), tr("All lines"), tr("All lines, double frame"), tr("Vertical lines"),
                tr("Horizontal lines"), tr("Frame"), tr("Frame and vertical lines"),
                tr("Frame and horizontal lines"), tr("Frame and header line")}));
    form->addRow(tr("Border &style:"),
                 Choice(&TPrintSettings::BorderStyle,
                        {tr("Solid"), tr("Dashes"), tr("Dots"), tr("Dash dot"), tr("Dash dot dot"),
                         tr("Invisible"), tr("Solid, inside")}));
    form->addRow(tr("&Fit to page width:"), Choice(&TPrintSettings::FitToPage,
                                                   {tr("Never"), tr("Grow only"), tr("Shrink only"),
                                                    tr("Always"), tr("Natural size")}));
    form->addRow(tr("&Orientation:"),
                 Choice(&TPrintSettings::Orientation, {tr("Portrait"), tr("Landscape")}));

    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(lengths);
    layout->addWidget(table);
    layout->addStretch();
    return page;
}

QWidget* TPrintSettingsDialog::BandsPage() {
    auto* page = new QWidget;
    QFormLayout* form = NewForm(page);
    form->addRow(tr("&Header height:"), Number(&TPrintSettings::HeaderSize));
    form->addRow(tr("&Footer height:"), Number(&TPrintSettings::FooterSize));
    form->addRow(tr("&Title:"), Text(&TPrintSettings::TitleText));
    form->addRow(tr("Title position:"), Choice(&TPrintSettings::Title, PositionNames()));
    form->addRow(tr("&Date position:"), Choice(&TPrintSettings::Date, PositionNames()));
    form->addRow(tr("Date f&ormat:"), Text(&TPrintSettings::DateFormat));
    form->addRow(tr("T&ime position:"), Choice(&TPrintSettings::Time, PositionNames()));
    form->addRow(tr("Page nu&mber position:"), Choice(&TPrintSettings::PageNr, PositionNames()));
    form->addRow(tr("Page number p&refix:"), Text(&TPrintSettings::PagePrefix));
    form->addRow(tr("Page count &separator:"), Text(&TPrintSettings::PageNumSep));
    form->addRow(tr("Page number s&uffix:"), Text(&TPrintSettings::PageSuffix));

    auto* lines = new QPlainTextEdit;
    lines->setFixedHeight(lines->fontMetrics().lineSpacing() * 4 + 12);
    connect(lines, &QPlainTextEdit::textChanged, this, [this, lines] {
        if (!Refreshing) {
            const QString text = lines->toPlainText();
            Grid.PrintSettings.TitleLines = text.isEmpty() ? QStringList() : text.split(u'\n');
            Changed();
        }
    });
    Refreshers.append(
        [this, lines] { lines->setPlainText(Grid.PrintSettings.TitleLines.join(u'\n')); });
    form->addRow(tr("Title &lines:"), lines);
    form->addRow(new QLabel(tr("Heights in tenths of a millimetre; date letters d, m, y.")));
    return page;
}

QWidget* TPrintSettingsDialog::FontsPage() {
    auto* page = new QWidget;
    QFormLayout* form = NewForm(page);
    form->addRow(tr("&Table:"), FontRow(&TPrintSettings::Font));
    form->addRow(tr("&Header and title:"), FontRow(&TPrintSettings::HeaderFont));
    form->addRow(tr("&Footer:"), FontRow(&TPrintSettings::FooterFont));
    return page;
}

QWidget* TPrintSettingsDialog::PreferencesPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(tr("Keep these print settings in a file, or use saved ones.")));
    auto* load = new QPushButton(tr("&Load settings"));
    auto* save = new QPushButton(tr("&Save settings"));
    connect(load, &QPushButton::clicked, this, &TPrintSettingsDialog::LoadSettings);
    connect(save, &QPushButton::clicked, this, &TPrintSettingsDialog::SaveSettings);
    auto* row = new QHBoxLayout;
    row->addWidget(load);
    row->addWidget(save);
    row->addStretch();
    layout->addLayout(row);
    layout->addStretch();
    return page;
}

QWidget* TPrintSettingsDialog::Number(int32_t TPrintSettings::*field) {
    auto* box = new QSpinBox;
    box->setRange(0, 10000);
    connect(box, &QSpinBox::valueChanged, this, [this, field](int value) {
        if (!Refreshing) {
            Grid.PrintSettings.*field = value;
            Changed();
        }
    });
    Refreshers.append([this, box, field] { box->setValue(Grid.PrintSettings.*field); });
    return box;
}

QWidget* TPrintSettingsDialog::Switch(const QString& label, bool TPrintSettings::*field) {
    auto* box = new QCheckBox(label);
    connect(box, &QCheckBox::toggled, this, [this, field](bool on) {
        if (!Refreshing) {
            Grid.PrintSettings.*field = on;
            Changed();
        }
    });
    Refreshers.append([this, box, field] { box->setChecked(Grid.PrintSettings.*field); });
    return box;
}

template <typename TEnum>
QWidget* TPrintSettingsDialog::Choice(TEnum TPrintSettings::*field, const QStringList& names) {
    auto* box = new QComboBox;
    box->addItems(names);
    connect(box, &QComboBox::currentIndexChanged, this, [this, field](int index) {
        if (!Refreshing && index >= 0) {
            Grid.PrintSettings.*field = static_cast<TEnum>(index);
            Changed();
        }
    });
    Refreshers.append(
        [this, box, field] { box->setCurrentIndex(static_cast<int>(Grid.PrintSettings.*field)); });
    return box;
}

QWidget* TPrintSettingsDialog::Text(QString TPrintSettings::*field) {
    auto* edit = new QLineEdit;
    connect(edit, &QLineEdit::textChanged, this, [this, field](const QString& text) {
        if (!Refreshing) {
            Grid.PrintSettings.*field = text;
            Changed();
        }
    });
    Refreshers.append([this, edit, field] { edit->setText(Grid.PrintSettings.*field); });
    return edit;
}

QWidget* TPrintSettingsDialog::FontRow(TPrintFont TPrintSettings::*field) {
    auto* sample = new QLabel;
    sample->setMinimumWidth(200);
    auto* font = new QPushButton(tr("Font..."));
    auto* color = new QPushButton(tr("Colour..."));
    connect(font, &QPushButton::clicked, this, [this, field] {
        TPrintFont& setting = Grid.PrintSettings.*field;
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, ToFont(setting), this);
        if (ok) {
            setting = FromFont(chosen, setting.Color);
            Refresh();
        }
    });
    connect(color, &QPushButton::clicked, this, [this, field] {
        TPrintFont& setting = Grid.PrintSettings.*field;
        const QColor chosen = QColorDialog::getColor(ToColor(setting.Color), this);
        if (chosen.isValid()) {
            setting.Color = ToColorValue(chosen);
            Refresh();
        }
    });
    Refreshers.append([this, sample, field] {
        const TPrintFont& setting = Grid.PrintSettings.*field;
        sample->setText(FontText(setting));
        sample->setStyleSheet(QStringLiteral("color: %1").arg(ToColor(setting.Color).name()));
    });
    // A widget rather than a layout, so that the row's label takes the mnemonic.
    auto* row = new QWidget;
    row->setFocusProxy(font);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sample, 1);
    layout->addWidget(font);
    layout->addWidget(color);
    return row;
}

void TPrintSettingsDialog::Refresh() {
    Refreshing = true;
    for (const auto& refresh : Refreshers) {
        refresh();
    }
    Refreshing = false;
    Changed();
}

void TPrintSettingsDialog::Changed() {
    const TPrintSettings& settings = Grid.PrintSettings;
    const bool autoSize = !settings.UseFixedWidth && !settings.NoAutoSize;
    if (autoSize && MeasuredFont != settings.Font) {
        TextWidths = TGridPrinter::MeasureTexts(Grid, settings.Font);
        MeasuredFont = settings.Font;
    }
    QPageLayout page = PreviewPage;
    page.setOrientation(settings.Orientation == TPrintOrientation::poLandscape
                            ? QPageLayout::Landscape
                            : QPageLayout::Portrait);
    Preview->SetLayout(std::make_shared<const TGridPrinter>(
        Grid, settings, page.paintRect(QPageLayout::Point).size(), QDateTime::currentDateTime(),
        autoSize ? &TextWidths : nullptr));
}

int TPrintSettingsDialog::PreviewPageCount() const {
    return Preview->PageCount();
}

void TPrintSettingsDialog::LoadSettings() {
    const TFileChoice choice = AskFileName(false);
    if (choice.Path.isEmpty()) {
        return;
    }
    const QString path = TPrintSettings::FileNameFor(choice.Path, choice.Filter);
    // Loaded into a copy: an unreadable file must not turn the settings into defaults.
    TPrintSettings loaded = Grid.PrintSettings;
    QString error;
    if (!loaded.LoadFrom(path, &error)) {
        ShowWarning(tr("Could not read the settings file \"%1\": %2")
                        .arg(QDir::toNativeSeparators(path), error));
        return;
    }
    Grid.PrintSettings = loaded;
    Refresh();
}

void TPrintSettingsDialog::SaveSettings() {
    const TFileChoice choice = AskFileName(true);
    if (choice.Path.isEmpty()) {
        return;
    }
    const QString path = TPrintSettings::FileNameFor(choice.Path, choice.Filter);
    QString error;
    QString notice;
    if (!Grid.PrintSettings.SaveTo(path, &error, &notice)) {
        ShowWarning(tr("Could not save the settings to \"%1\": %2")
                        .arg(QDir::toNativeSeparators(path), error));
    } else if (!notice.isEmpty()) {
        ShowWarning(tr("The settings were saved to \"%1\". %2")
                        .arg(QDir::toNativeSeparators(path), notice));
    }
}

void TPrintSettingsDialog::PrintClicked() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(Grid.PrintSettings.Orientation == TPrintOrientation::poLandscape
                                   ? QPageLayout::Landscape
                                   : QPageLayout::Portrait);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    if (const QString error = TGridPrinter::Print(Grid, Grid.PrintSettings, printer);
        !error.isEmpty()) {
        ShowWarning(error);
    }
}

void TPrintSettingsDialog::reject() {
    Grid.PrintSettings = Original;
    QDialog::reject();
}
