// The HTML-export dialog: its settings, a private preview opened in the browser, and the
// page saved where the user chooses.
#include "gridctl/THtmlExportDialog.h"

#include "files/DialogFolder.h"
#include "files/TPreviewFolder.h"
#include "gridctl/HtmlWriter.h"
#include "gridctl/TGridControl.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

void ShowColor(QPushButton* button, const QColor& color) {
    QPixmap swatch(24, 14);
    swatch.fill(color);
    button->setIcon(QIcon(swatch));
    button->setText(color.name().toUpper());
}

QSpinBox* AddSpinBox(QFormLayout* form, const QString& label, const QString& name, int maximum,
                     int& value) {
    auto* box = new QSpinBox;
    box->setObjectName(name);
    box->setRange(0, maximum);
    box->setValue(value);
    QObject::connect(box, &QSpinBox::valueChanged, box, [&value](int v) { value = v; });
    form->addRow(label, box);
    return box;
}

} // namespace

THtmlExportDialog::THtmlExportDialog(TGridControl& grid, QWidget* parent)
    : QDialog(parent), Grid(grid), Edited(grid.HtmlSettings) {
    OpenUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    AskFileName = [this] {
        const QString path = QFileDialog::getSaveFileName(this, tr("Save grid as HTML"),
                                                          DialogFolder(QStringLiteral("html")),
                                                          tr("HTML files (*.htm *.html)"));
        RememberDialogFolder(QStringLiteral("html"), path);
        return path;
    };
    ShowWarning = [this](const QString& text) { QMessageBox::warning(this, windowTitle(), text); };
    setWindowTitle(tr("Save grid as HTML"));

    auto* form = new QFormLayout;
    auto* title = new QLineEdit(Edited.PageTitle);
    title->setObjectName(QStringLiteral("PageTitle"));
    connect(title, &QLineEdit::textChanged, this,
            [this](const QString& t) { Edited.PageTitle = t; });
    form->addRow(tr("Page &title:"), title);

    auto* font = new QFontComboBox;
    font->setObjectName(QStringLiteral("FontName"));
    // The name as set, even when not installed here: the page is read on other machines.
    font->setCurrentFont(QFont(Edited.FontName));
    font->setEditText(Edited.FontName);
    connect(font, &QFontComboBox::currentTextChanged, this,
            [this](const QString& name) { Edited.FontName = name; });
    form->addRow(tr("&Font:"), font);
    // The label names the box; the edit inside it is what takes the focus.
    font->lineEdit()->setAccessibleName(tr("Font"));
    AddSpinBox(form, tr("Font &size (pt):"), QStringLiteral("FontSize"), 500, Edited.FontSize)
        ->setMinimum(1);
    AddSpinBox(form, tr("&Border width (px):"), QStringLiteral("BorderWidth"), 100,
               Edited.BorderWidth);
    AddSpinBox(form, tr("Cell &padding (px):"), QStringLiteral("CellPadding"), 100,
               Edited.CellPadding);
    AddSpinBox(form, tr("Cell s&pacing (px):"), QStringLiteral("CellSpacing"), 100,
               Edited.CellSpacing);

    auto* header = new QCheckBox(tr("&Header row"));
    header->setObjectName(QStringLiteral("HeaderRow"));
    header->setChecked(Edited.HeaderRow);
    connect(header, &QCheckBox::toggled, this, [this](bool on) { Edited.HeaderRow = on; });
    form->addRow(QString(), header);
    form->addRow(tr("Header background:"), AddColorButton(&THtmlSettings::HeaderBackground));
    form->addRow(tr("Header text:"), AddColorButton(&THtmlSettings::HeaderTextColor));
    form->addRow(tr("Cell background:"), AddColorButton(&THtmlSettings::BodyBackground));
    form->addRow(tr("Cell text:"), AddColorButton(&THtmlSettings::BodyTextColor));
    form->addRow(tr("Border colour:"), AddColorButton(&THtmlSettings::BorderColor));

    auto* preview = new QPushButton(tr("Pre&view"));
    auto* save = new QPushButton(tr("&Save..."));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    preview->setObjectName(QStringLiteral("Preview"));
    save->setObjectName(QStringLiteral("Save"));
    connect(preview, &QPushButton::clicked, this, &THtmlExportDialog::PreviewClicked);
    connect(save, &QPushButton::clicked, this, &THtmlExportDialog::SaveClicked);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    auto* row = new QHBoxLayout;
    row->addWidget(preview);
    row->addWidget(save);
    row->addStretch();
    row->addWidget(buttons);
    layout->addLayout(row);
}

QPushButton* THtmlExportDialog::AddColorButton(QColor THtmlSettings::*color) {
    auto* button = new QPushButton;
    ShowColor(button, Edited.*color);
    connect(button, &QPushButton::clicked, this, [this, button, color] {
        const QColor chosen = QColorDialog::getColor(Edited.*color, this);
        if (chosen.isValid()) {
            Edited.*color = chosen;
            ShowColor(button, chosen);
        }
    });
    return button;
}

QString THtmlExportDialog::Preview() {
    // A fresh file each time: the browser may still be reading the last one.
    QString error;
    TPreviewFolder& folder = Previews != nullptr ? *Previews : TPreviewFolder::Current();
    const QString path = folder.Write(GridToHtml(Grid, Edited).toUtf8(), &error);
    if (path.isEmpty()) {
        return tr("Could not write the preview: %1").arg(error);
    }
    LastPreview = path;
    if (!OpenUrl(QUrl::fromLocalFile(path))) {
        return tr("No application could be started to show \"%1\".")
            .arg(QDir::toNativeSeparators(path));
    }
    return {};
}

QString THtmlExportDialog::SaveTo(const QString& path) const {
    return WriteGridHtml(Grid, Edited, path);
}

void THtmlExportDialog::PreviewClicked() {
    if (const QString error = Preview(); !error.isEmpty()) {
        ShowWarning(error);
    }
}

void THtmlExportDialog::SaveClicked() {
    QString path = AskFileName();
    if (path.isEmpty()) {
        return;
    }
    // Only the file name counts: a dot in a folder name is no extension.
    if (!QFileInfo(path).fileName().contains(u'.')) {
        path += QStringLiteral(".html");
    }
    if (const QString error = SaveTo(path); !error.isEmpty()) {
        ShowWarning(error);
    }
}

void THtmlExportDialog::accept() {
    Grid.HtmlSettings = Edited;
    QDialog::accept();
}
