// Which language the window speaks: the user's locale settings, the catalogues that exist for
// them, and the texts of the Qt-free libraries that the window shows.
#include "ui/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>
#include <algorithm>
#include <memory>

namespace {

// The result columns' names (the headers) and captions (the grid menu), for the catalogue.
constexpr const char* ResultColumnTexts[] = {
    QT_TRANSLATE_NOOP("ResultColumns", "Width"),
    QT_TRANSLATE_NOOP("ResultColumns", "Height"),
    QT_TRANSLATE_NOOP("ResultColumns", "Area%"),
    QT_TRANSLATE_NOOP("ResultColumns", "Area as %"),
    QT_TRANSLATE_NOOP("ResultColumns", "Area (h*w)"),
    QT_TRANSLATE_NOOP("ResultColumns", "Area as Height*Width"),
    QT_TRANSLATE_NOOP("ResultColumns", "PixelDif"),
    QT_TRANSLATE_NOOP("ResultColumns", "PixelDifference"),
    QT_TRANSLATE_NOOP("ResultColumns", "Width dividable by"),
    QT_TRANSLATE_NOOP("ResultColumns", "Height dividable by"),
    QT_TRANSLATE_NOOP("ResultColumns", "Letterboxed"),
};

QString LanguageOf(QString setting) {
    setting = setting.section(QLatin1Char('@'), 0, 0).section(QLatin1Char('.'), 0, 0);
    return setting == QLatin1String("C") || setting == QLatin1String("POSIX") ? QStringLiteral("en")
                                                                              : setting;
}

bool IsEnglish(const QString& language) {
    return language == QLatin1String("en") || language.startsWith(QLatin1String("en_"));
}

} // namespace

QStringList RequestedLanguages(const std::function<QString(const char*)>& variable) {
    QStringList languages;
    for (const QString& entry : variable("LANGUAGE").split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        languages << LanguageOf(entry);
    }
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const QString value = variable(name); !value.isEmpty()) {
            languages << LanguageOf(value);
            break;
        }
    }
    languages.removeAll(QString());
    return languages;
}

bool InstallTranslations(QCoreApplication& app, const QStringList& folders) {
    const QStringList languages =
        RequestedLanguages([](const char* name) { return qEnvironmentVariable(name); });
    for (const QString& language : languages) {
        if (IsEnglish(language)) {
            return false;
        }
        auto own = std::make_unique<QTranslator>(&app);
        // "de_AT" falls back to the catalogue "de".
        const bool found = std::any_of(folders.begin(), folders.end(), [&](const QString& folder) {
            return own->load(QStringLiteral("pixolan_") + language, folder);
        });
        if (found) {
            QCoreApplication::installTranslator(own.release());
            auto toolkit = std::make_unique<QTranslator>(&app);
            if (toolkit->load(QStringLiteral("qtbase_") + language,
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
                QCoreApplication::installTranslator(toolkit.release());
            }
            return true;
        }
    }
    return false;
}

bool InstallTranslations(QCoreApplication& app) {
    const QDir program(QCoreApplication::applicationDirPath());
    return InstallTranslations(
        app, {program.filePath(QStringLiteral("translations")),
              program.filePath(QStringLiteral(PIXOLAN_TRANSLATIONS_FROM_PROGRAM))});
}

QString ResultColumnText(std::string_view english) {
    const std::string text(english);
    const auto* known = std::find_if(std::begin(ResultColumnTexts), std::end(ResultColumnTexts),
                                     [&](const char* entry) { return text == entry; });
    return known != std::end(ResultColumnTexts)
               ? QCoreApplication::translate("ResultColumns", *known)
               : QString::fromStdString(text);
}
