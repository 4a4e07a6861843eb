// The window in German: which language the locale settings ask for, and the window, its menus
// and a dialog under LANGUAGE=de, with every text inside its control.
#include "ui/TForm1.h"

#include "GPanel/TBevelPanel.h"
#include "gridctl/TGridControl.h"
#include "support/QStringPrinting.h"
#include "support/ScopedEnv.h"
#include "ui/TSpinEdit.h"
#include "ui/Translations.h"

#include <QTest>
#include <QtWidgets>
#include <gtest/gtest.h>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <utility>

namespace {

TEST(Translations, LanguagesFollowTheLocaleVariablesInTheirOrder) {
    const struct {
        std::map<std::string, QString> Environment;
        QString Expected;
    } cases[] = {
        {{}, ""},
        {{{"LANG", "de_DE.UTF-8"}}, "de_DE"},
        {{{"LANG", "en_US.UTF-8"}, {"LC_MESSAGES", "de_AT.UTF-8@euro"}}, "de_AT"},
        {{{"LC_MESSAGES", "de_DE"}, {"LC_ALL", "C"}}, "en"},
        {{{"LANGUAGE", "fr:de::en"}, {"LC_ALL", "POSIX.UTF-8"}}, "fr,de,en,en"},
        {{{"LANGUAGE", ""}, {"LANG", "de"}}, "de"},
    };
    for (const auto& c : cases) {
        const QStringList languages = RequestedLanguages([&](const char* name) {
            const auto found = c.Environment.find(name);
            return found == c.Environment.end() ? QString() : found->second;
        });
        EXPECT_EQ(languages.join(',').toStdString(), c.Expected.toStdString())
            << c.Expected.toStdString();
    }
}

// The catalogues the build compiles beside the window program.
const QStringList Catalogues = {QStringLiteral(PIXOLAN_TRANSLATIONS)};

// Sets the locale variables for one test; puts them back and removes every installed
// translator after it.
class LocaleTest : public ::testing::Test {
protected:
    std::optional<ScopedEnv> Locale;

    // Only LANGUAGE speaks.
    void SetLocale(const char* language) {
        Locale.reset();
        Locale.emplace(std::initializer_list<std::pair<const char*, QByteArray>>{
            {"LANGUAGE", language}, {"LC_ALL", {}}, {"LC_MESSAGES", {}}, {"LANG", {}}});
    }

    void TearDown() override {
        Locale.reset();
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
};

TEST_F(LocaleTest, EnglishFirstOrNoCatalogueKeepsTheSourceTexts) {
    for (const char* language : {"en:de", "C", "fr_FR:pt"}) {
        SetLocale(language);
        EXPECT_FALSE(InstallTranslations(*qApp, Catalogues)) << language;
    }
    SetLocale("fr:de_CH");
    EXPECT_TRUE(InstallTranslations(*qApp, Catalogues));
    EXPECT_EQ(QCoreApplication::translate("TForm1", "From"), "Von");
}

class GermanWindowTest : public LocaleTest {
protected:
    std::unique_ptr<TForm1> Form;

    void SetUp() override {
        SetLocale("de");
        ASSERT_TRUE(InstallTranslations(*qApp, Catalogues));
        Form = std::make_unique<TForm1>();
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    }

    void TearDown() override {
        Form.reset();
        LocaleTest::TearDown();
    }

    static QStringList Texts(const QMenu* menu) {
        QStringList texts;
        for (const QAction* item : menu->actions()) {
            if (!item->isSeparator()) {
                texts << item->text();
            }
        }
        return texts;
    }
};

TEST_F(GermanWindowTest, CaptionsMenusNamesAndMessagesAreGerman) {
    TForm1& f = *Form;
    QStringList titles;
    for (const auto& slot : f.ResultController.Slots) {
        if (slot.TitleLabel) {
            titles << slot.TitleLabel->text();
        }
    }
    EXPECT_EQ(titles.join('|').toStdString(),
              "Von/Bis|Breitenfilter|Seitenverhältnis|Letterboxen hinzufügen?|Optionen|"
              "Hier klicken für die Homepage");
    // One text of each kind: that every text has its translation is the catalogue test's.
    EXPECT_EQ(f.Label3->text(), "Seitenverhältnis (Breite : Höhe)");
    EXPECT_EQ(f.Edit2->accessibleName(), "Höhe teilbar durch");

    QStringList headers;
    for (int column = 0; column < f.StringGrid1->ColumnCount(); ++column) {
        headers << f.StringGrid1->Cell(column, 0);
    }
    EXPECT_EQ(headers.join(',').toStdString(),
              "Breite,Höhe,Fläche %,Fläche (H*B),Pixeldiff.,Mit Letterbox");
    // The data and the format names stay as they are.
    EXPECT_EQ(f.StringGrid1->Cell(5, 1), "16:16 (+0:+4)");
    EXPECT_EQ(f.StringGrid2->Cell(0, 0), "Vorgaben");
    EXPECT_EQ(f.StringGrid2->Cell(0, 1), "1.33:1 (4:3)");

    const QStringList menu = Texts(f.StringGrid1->PopupMenu());
    EXPECT_EQ(menu.first(), "Tabelle als HTML speichern");
    EXPECT_TRUE(menu.contains("Fläche als Höhe*Breite"));
    EXPECT_EQ(Texts(f.ResultController.PanelMenu).first(), "Alle Bereiche einklappen");

    // Rotating swaps the screen boxes' words; a range that lists nothing says why.
    f.CheckBox3->setChecked(true);
    EXPECT_EQ(f.Label14->text() + ' ' + f.SpinScreenRatioX->accessibleName(),
              "Höhe Bildschirmformat Höhe");
    f.SpinEdit3->SetValue(900);
    EXPECT_EQ(f.StringGrid1->accessibleDescription(), "„Von“ ist größer als „Bis“");

    QString title, cancel;
    f.ResultController.RunDialog = [&](QDialog& dialog) {
        title = dialog.windowTitle();
        if (const auto* buttons = dialog.findChild<QDialogButtonBox*>()) {
            cancel = buttons->button(QDialogButtonBox::Cancel)->text();
        }
        return static_cast<int>(QDialog::Rejected);
    };
    f.ResultController.PrintGrid();
    EXPECT_EQ(title, "Druckeinstellungen");
    EXPECT_EQ(cancel, "Abbrechen"); // the toolkit's own catalogue
}

TEST_F(GermanWindowTest, TextsFitTheirControlsAndPanels) {
    for (const auto& slot : Form->ResultController.Slots) {
        if (!slot.Content || !slot.TitleBar) {
            continue;
        }
        const QString panel = slot.TitleLabel ? slot.TitleLabel->text() : QString();
        if (slot.TitleLabel && slot.TitleBar->isVisible()) {
            EXPECT_LE(slot.TitleLabel->geometry().right(), slot.TitleBar->width())
                << panel.toStdString();
        }
        for (QWidget* control : slot.Content->findChildren<QWidget*>()) {
            if (qobject_cast<QLabel*>(control) == nullptr &&
                qobject_cast<QCheckBox*>(control) == nullptr) {
                continue;
            }
            const std::string name = (panel + ' ' + control->objectName()).toStdString();
            EXPECT_GE(control->width(), control->sizeHint().width()) << name;
            EXPECT_LE(control->geometry().right(), control->parentWidget()->width()) << name;
        }
    }
}

} // namespace
