#include "files/DialogFolder.h"
#include "files/TPreviewFolder.h"
#include "gridctl/Conversions.h"
#include "gridctl/HtmlWriter.h"
#include "gridctl/TGridControl.h"
#include "gridctl/TGridPrinter.h"
#include "gridctl/THtmlExportDialog.h"
#include "gridctl/TPrintSettingsDialog.h"

#include "support/FileContents.h"
#include "support/FileSizeLimit.h"
#include "support/FolderListing.h"
#include "support/ScopedEnv.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QXmlStreamReader>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

namespace {

// Header row plus `rows - 1` data rows in three columns; column 1 hidden.
void Fill(TGridControl& grid, int rows) {
    grid.SetRowCount(rows);
    for (int c = 0; c < 3; ++c) {
        grid.SetCell(c, 0, QStringLiteral("H%1").arg(c));
        for (int r = 1; r < rows; ++r) {
            grid.SetCell(c, r, QStringLiteral("r%1c%2").arg(r).arg(c));
        }
    }
    grid.setColumnHidden(1, true);
}

// Texts of the th and td elements, in document order, as an XML parser reads them.
struct ParsedTable {
    QStringList Heads, Cells;
    QString Error;
};

ParsedTable Parse(const QString& html) {
    ParsedTable table;
    QXmlStreamReader xml(html);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const QStringView name = xml.name();
        if (name == u"th" || name == u"td") {
            (name == u"th" ? table.Heads : table.Cells).append(xml.readElementText());
        }
    }
    table.Error = xml.hasError() ? xml.errorString() : QString();
    return table;
}

TEST(Conversions, PrintFontsAndColours) {
    // Size, style, the point size of the font that prints (no size: the default).
    const std::tuple<int32_t, int32_t, int> cases[] = {
        {12, TPrintFont::fsBold | TPrintFont::fsStrikeOut, 12},
        {0, TPrintFont::fsItalic, 10},
        {-4, TPrintFont::fsUnderline, 10},
        {900, TPrintFont::AllStyles, 500}};
    for (const auto& [size, style, points] : cases) {
        const TPrintFont font{QStringLiteral("DejaVu Sans"), size, style, 0x123456};
        const QFont qt = ToFont(font);
        EXPECT_EQ(qt.pointSize(), points) << size;
        EXPECT_EQ(FromFont(qt, font.Color), (TPrintFont{font.Name, points, style, font.Color}))
            << size;
    }
    const QColor color = ToColor(0x7F123456); // bits above blue are no colour
    EXPECT_EQ(color, QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(ToColorValue(color), 0x123456);
}

// The grid's shown columns reach the page as text; escaping and the characters XML does not
// allow are the page writer's (tests/model). A lone surrogate has no UTF-8 form: it arrives as
// U+FFFD, a pair whole, wherever a text of the toolkit goes.
TEST(HtmlExport, ShownCellsReachThePageAndLoneSurrogatesAreReplaced) {
    TGridControl grid;
    Fill(grid, 3);
    THtmlSettings settings;
    const QString html = GridToHtml(grid, settings); // the hidden column left out
    EXPECT_EQ(TableToHtml({"H0", "H2"}, {{"r1c0", "r1c2"}, {"r2c0", "r2c2"}}, settings), html);
    EXPECT_TRUE(html.startsWith("<!DOCTYPE html>") && html.contains("<meta charset=\"utf-8\"/>"));
    const QChar high(0xD800), low(0xDFFF), bad(QChar::ReplacementCharacter);
    const QString pair = QString::fromUcs4(U"\U0001F600");
    const QStringList texts{high + QString("a"), QString(low) + high, pair + "<&\x01" + low};
    settings.PageTitle = settings.FontName = texts[1];
    const ParsedTable table = Parse(TableToHtml(texts, {texts}, settings));
    ASSERT_TRUE(table.Error.isEmpty()) << table.Error.toStdString();
    const QStringList read{bad + QString("a"), QString(bad) + bad, pair + "<&" + bad + bad};
    EXPECT_EQ(table.Heads, read);
    EXPECT_EQ(table.Cells, read);
}

struct HtmlDialogFixture : ::testing::Test {
    QTemporaryDir Dir;
    TPreviewFolder Folder{Dir.filePath("pixolan")};
    TGridControl Grid;
    THtmlExportDialog Dialog{Grid};
    QStringList Warnings;
    QList<QUrl> Opened;
    bool OpenSucceeds = true;

    void SetUp() override {
        Fill(Grid, 4);
        Dialog.Previews = &Folder;
        Dialog.ShowWarning = [this](const QString& text) { Warnings.append(text); };
        Dialog.OpenUrl = [this](const QUrl& url) {
            Opened.append(url);
            return OpenSucceeds;
        };
    }
    void Click(const char* button) {
        Dialog.findChild<QPushButton*>(QLatin1String(button))->click();
    }
};

TEST_F(HtmlDialogFixture, SaveAddsHtmlOrWarnsNamingTheFileAndTheSystemsReason) {
    const std::pair<QString, QString> names[] = {
        {"page", "page.html"}, {"page.htm", "page.htm"}, {"dot.d/page", "dot.d/page.html"}};
    ASSERT_TRUE(QDir(Dir.path()).mkdir("dot.d"));
    QString asked;
    Dialog.AskFileName = [&asked] { return asked; };
    for (const auto& [chosen, written] : names) {
        asked = Dir.filePath(chosen);
        Click("Save");
        EXPECT_EQ(Parse(QString::fromUtf8(ReadAll(Dir.filePath(written)))).Cells.size(), 6)
            << chosen.toStdString();
    }
    EXPECT_FALSE(QFile::exists(Dir.filePath("page")));
    EXPECT_TRUE(Warnings.isEmpty());
    const QByteArray saved = ReadAll(Dir.filePath("dot.d/page.html"));
    {
        const FileSizeLimit limit(64);
        Click("Save");
    }
    asked.clear(); // cancelled file dialog
    Click("Save");
    asked = Dir.filePath("missing/grid.html");
    Click("Save");
    ASSERT_EQ(Warnings.size(), 2);
    EXPECT_TRUE(Warnings[0].contains(QString::fromLocal8Bit(std::strerror(EFBIG))))
        << Warnings[0].toStdString();
    EXPECT_EQ(ReadAll(Dir.filePath("dot.d/page.html")), saved);
    EXPECT_TRUE(Warnings[1].contains(asked)) << Warnings[1].toStdString();
    EXPECT_FALSE(QFile::exists(asked));
}

TEST_F(HtmlDialogFixture, PreviewOpensAPrivatePagePlantedNamesCannotRedirect) {
    const QString victim = Dir.filePath("victim");
    WriteAll(victim, "precious");
    ASSERT_TRUE(
        QDir().mkdir(Folder.Path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    for (const char* name : {"temp001.htm", "preview-.htm", "preview"}) {
        ASSERT_TRUE(QFile::link(victim, QDir(Folder.Path()).filePath(QLatin1String(name))));
    }
    QStringList pages; // the page's mode is the preview folder's to check
    for (int i = 0; i < 2; ++i) {
        Click("Preview");
        pages << Dialog.PreviewPath();
        const QFileInfo page(pages.back());
        EXPECT_EQ(Opened.value(i), QUrl::fromLocalFile(pages.back()));
        EXPECT_EQ(page.absolutePath(), Folder.Path());
        EXPECT_FALSE(page.isSymLink());
        EXPECT_EQ(Parse(QString::fromUtf8(ReadAll(pages.back()))).Heads, QStringList({"H0", "H2"}));
    }
    EXPECT_NE(pages[0], pages[1]);
    EXPECT_TRUE(Warnings.isEmpty());
    EXPECT_EQ(ReadAll(victim), "precious");

    OpenSucceeds = false;
    Click("Preview");
    ASSERT_EQ(Warnings.size(), 1);
    EXPECT_TRUE(Warnings[0].contains(Dialog.PreviewPath()));
    TPreviewFolder refused(victim); // which folders are refused: PreviewFolder's suite
    Dialog.Previews = &refused;
    Click("Preview");
    EXPECT_TRUE(Warnings.back().contains(victim)) << Warnings.back().toStdString();
    EXPECT_EQ(Opened.size(), 3); // nothing opened when the page could not be written
    EXPECT_EQ(Warnings.size(), 2);
}

// Answers the next file dialog with path (cancels it when empty), noting the folder it opened in.
void AnswerFileDialog(const QString& path, QStringList& folders) {
    QTimer::singleShot(0, [path, &folders] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        folders << dialog->directory().absolutePath();
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides it
    });
}

// The toolkit's own file dialogs: each opens in the home folder, or the documents folder once
// there is one, then where a file was last chosen in it; none leaves a file under the home.
TEST(FileDialogs, OpenWhereLastUsedAndWriteNothingUnderTheHome) {
    QTemporaryDir home, elsewhere;
    const ScopedEnv env{{"HOME", QFile::encodeName(home.path())},
                        {"XDG_CONFIG_HOME", QFile::encodeName(home.filePath(".config"))}};
    KeepNoToolkitSettings();
    for (const char* folder : {"a", "b"}) {
        ASSERT_TRUE(QDir(elsewhere.path()).mkdir(folder));
    }
    TGridControl grid;
    Fill(grid, 3);
    THtmlExportDialog html(grid);
    TPrintSettingsDialog print(grid);
    html.ShowWarning =
        print.ShowWarning = [](const QString& text) { ADD_FAILURE() << text.toStdString(); };
    QStringList folders;
    const auto saveHtml = [&](const QString& path) {
        AnswerFileDialog(path, folders);
        html.findChild<QPushButton*>("Save")->click();
    };
    saveHtml(elsewhere.filePath("a/one.html"));
    ASSERT_TRUE(QDir(home.path()).mkdir("Documents"));
    const QString documents = home.filePath("Documents");
    saveHtml(elsewhere.filePath("b/two.html"));
    saveHtml(QString());
    AnswerFileDialog(elsewhere.filePath("b/settings.ini"), folders);
    print.SaveSettings();
    AnswerFileDialog(elsewhere.filePath("b/settings.ini"), folders);
    print.LoadSettings();
    const QStringList expected{home.path(), elsewhere.filePath("a"), elsewhere.filePath("b"),
                               documents, elsewhere.filePath("b")};
    EXPECT_EQ(folders.join('\n').toStdString(), expected.join('\n').toStdString());
    for (const char* saved : {"a/one.html", "b/two.html", "b/settings.ini"}) {
        EXPECT_TRUE(QFile::exists(elsewhere.filePath(saved))) << saved;
    }
    EXPECT_EQ(Listing(home.path()).join('\n').toStdString(), documents.toStdString());
}

TEST_F(HtmlDialogFixture, OkKeepsTheEditedSettingsCancelDropsThem) {
    Dialog.findChild<QSpinBox*>("CellPadding")->setValue(9);
    Dialog.findChild<QCheckBox*>("HeaderRow")->setChecked(false);
    EXPECT_TRUE(Dialog.SaveTo(Dir.filePath("a.htm")).isEmpty());
    EXPECT_FALSE(ReadAll(Dir.filePath("a.htm")).contains("<thead>"));
    Dialog.reject();
    EXPECT_EQ(Grid.HtmlSettings, THtmlSettings());

    THtmlExportDialog second(Grid);
    second.findChild<QSpinBox*>("CellPadding")->setValue(9);
    second.accept();
    EXPECT_EQ(Grid.HtmlSettings.CellPadding, 9);
}

QCheckBox* CentredSwitch(QWidget& dialog) {
    const QList<QCheckBox*> boxes = dialog.findChildren<QCheckBox*>();
    const auto it =
        std::ranges::find(boxes, QStringLiteral("&Centred on the page"), &QCheckBox::text);
    return it == boxes.end() ? nullptr : *it;
}

// Small or scaled screens: the pages and the preview scroll, so the dialog needs little room;
// a font size left at 0 shows the size that prints. Edits apply at once, so the preview follows.
TEST(PrintSettingsDialog, FitsSmallScreensCancelRestoresOkKeeps) {
    TGridControl grid;
    Fill(grid, 5);
    grid.PrintSettings.LeftSize = 55;
    grid.PrintSettings.Font.Size = 0;
    const TPrintSettings before = grid.PrintSettings;
    for (const bool ok : {false, true}) {
        TPrintSettingsDialog dialog(grid);
        EXPECT_LE(dialog.minimumSizeHint().width(), 800);
        EXPECT_LE(dialog.minimumSizeHint().height(), 560);
        const QString printed = ToFont(grid.PrintSettings.Font).family() + ", 10 pt";
        EXPECT_TRUE(std::ranges::any_of(dialog.findChildren<QLabel*>(), [&](const QLabel* label) {
            return label->text().startsWith(printed);
        })) << printed.toStdString();
        CentredSwitch(dialog)->setChecked(true);
        EXPECT_TRUE(grid.PrintSettings.Centered);
        ok ? dialog.accept() : dialog.reject();
        EXPECT_EQ(grid.PrintSettings.Centered, ok);
        EXPECT_EQ(grid.PrintSettings.LeftSize, 55);
    }
    EXPECT_NE(grid.PrintSettings, before);
}

TEST(PrintSettingsDialog, SettingsGoThroughAFileAndBack) {
    QTemporaryDir dir;
    TGridControl grid;
    TPrintSettingsDialog dialog(grid);
    QStringList warnings;
    dialog.ShowWarning = [&warnings](const QString& text) { warnings.append(text); };
    TPrintSettingsDialog::TFileChoice choice{dir.filePath("settings"),
                                             TPrintSettings::FileFilters().front()};
    dialog.AskFileName = [&choice](bool) { return choice; };
    grid.PrintSettings.TitleLines = {"one", "two"};
    grid.PrintSettings.Borders = TPrintBorders::pbDouble;
    const TPrintSettings saved = grid.PrintSettings;
    dialog.SaveSettings();
    ASSERT_TRUE(QFile::exists(dir.filePath("settings.ini")));

    QCheckBox* centred = CentredSwitch(dialog);
    centred->setChecked(true);
    choice.Path = dir.filePath("settings.ini");
    dialog.LoadSettings();
    EXPECT_EQ(grid.PrintSettings, saved);
    EXPECT_FALSE(centred->isChecked()); // the controls show what was loaded
    EXPECT_TRUE(warnings.isEmpty());

    // An unreadable file leaves the settings alone; a failed save names its file.
    centred->setChecked(true);
    choice.Path = dir.filePath("nothing.ini");
    dialog.LoadSettings();
    EXPECT_TRUE(grid.PrintSettings.Centered);
    choice.Path = dir.filePath("missing/x.ini");
    dialog.SaveSettings();
    ASSERT_EQ(warnings.size(), 2);
    EXPECT_TRUE(warnings[0].contains("nothing.ini"));
    EXPECT_TRUE(warnings[1].contains(choice.Path));
}

TEST(GridPrinter, FormatsDatesWithDayMonthYearLetters) {
    const QDate date(2024, 3, 5);
    EXPECT_EQ(TGridPrinter::FormatDate(date, "dd/mm/yyyy"), "05/03/2024");
    EXPECT_EQ(TGridPrinter::FormatDate(date, "d.m.yy 'dd'"), "5.3.24 dd");
    EXPECT_EQ(TGridPrinter::FormatDate(date, "YYYY-MM-DD"), "2024-03-05");
}

// Rows of the image's column x (or columns of row y) that are not white.
QList<int> Inked(const QImage& image, int x, int y) {
    QList<int> hits;
    const int count = x >= 0 ? image.height() : image.width();
    for (int i = 0; i < count; ++i) {
        if (image.pixel(x >= 0 ? x : i, x >= 0 ? i : y) != qRgb(255, 255, 255)) {
            hits.append(i);
        }
    }
    return hits;
}

TEST(GridPrinter, PagesKeepMarginsFrameTheTableAndTitleTheFirstPage) {
    TGridControl grid;
    Fill(grid, 120);
    TPrintSettings settings;
    settings.LeftSize = 254; // 96 pixels at 96 dots per inch
    settings.RightSize = 127;
    settings.HeaderSize = settings.FooterSize = 127;
    settings.Borders = TPrintBorders::pbAround;
    settings.FitToPage = TPrintFitToPage::fpAlways;
    settings.TitleLines = {"TITLE"};
    settings.TitleSpacing = 50;
    QImage image(600, 800, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    const TGridPrinter printer(grid, settings, QSizeF(image.size()) * 0.75); // points
    ASSERT_GE(printer.PageCount(), 3);

    QList<int> frameTop;
    for (int page : {0, 1}) {
        image.fill(Qt::white);
        QPainter painter(&image);
        printer.PaintPage(painter, page);
        painter.end();
        const QList<int> row = Inked(image, -1, 400);
        ASSERT_FALSE(row.isEmpty());
        EXPECT_NEAR(row.front(), 96, 1); // the frame, scaled to the width between the margins
        EXPECT_NEAR(row.back(), 600 - 48, 1);
        EXPECT_TRUE(Inked(image, 40, -1).isEmpty());
        const QList<int> column = Inked(image, 300, -1);
        ASSERT_FALSE(column.isEmpty());
        EXPECT_GE(column.front(), 48);
        EXPECT_LE(column.back(), 800 - 48);
        frameTop.append(Inked(image, 450, -1).front());
        const QList<int> title = Inked(image, -1, frameTop.back() - 25);
        EXPECT_EQ(title.isEmpty(), page == 1);
    }
    EXPECT_NEAR(frameTop[1], 48, 1);
    EXPECT_GT(frameTop[0], frameTop[1] + 19 + 10); // a title line and its spacing
}

// The preview lays the pages out as the print does, whatever the resolution of each: the page
// count, and with it every "page/count" in the footers, is the PDF's.
TEST(GridPrinter, PrintsEveryPageIntoAPdfAsThePreviewCountsThem) {
    QTemporaryDir dir;
    TGridControl grid;
    Fill(grid, 3000);
    for (const TPrintOrientation orientation :
         {TPrintOrientation::poLandscape, TPrintOrientation::poPortrait}) {
        grid.PrintSettings.PageNr = TPrintPosition::ppBottomCenter;
        grid.PrintSettings.Orientation = orientation;
        const TPrintSettingsDialog dialog(grid);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("grid.pdf"));
        ASSERT_TRUE(TGridPrinter::Print(grid, grid.PrintSettings, printer).isEmpty());
        ASSERT_GT(dialog.PreviewPageCount(), 20);
        EXPECT_TRUE(ReadAll(dir.filePath("grid.pdf"))
                        .contains("/Count " + QByteArray::number(dialog.PreviewPageCount())));
    }
    QPdfWriter failing(dir.filePath("missing/grid.pdf"));
    EXPECT_FALSE(TGridPrinter::Print(grid, grid.PrintSettings, failing).isEmpty());
}

} // namespace
