#include "Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace snapdeck {

namespace {

// The translators installed last; the application owns them.
QPointer<QTranslator> programTranslator;
QPointer<QTranslator> qtTranslator;

void removeInstalled() {
    for (QPointer<QTranslator>* installed : {&programTranslator, &qtTranslator}) {
        if (*installed) {
            QCoreApplication::removeTranslator(*installed);
            delete installed->data();
        }
    }
}

} // namespace

Language languageFromEnvironment(const QProcessEnvironment& environment) {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = environment.value(QString::fromLatin1(name));
        if (!value.isEmpty())
            return value.startsWith(QStringLiteral("en")) ? Language::English : Language::Russian;
    }
    return Language::Russian;
}

std::optional<Language> languageNamed(const QString& name) {
    if (name == QStringLiteral("ru"))
        return Language::Russian;
    if (name == QStringLiteral("en"))
        return Language::English;
    return std::nullopt;
}

QStringList translationFolders() {
    QStringList folders{QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                        QStringLiteral("/../share/snapdeck/translations"))};
#ifdef SNAPDECK_BUILD_TRANSLATIONS_DIR
    folders.append(QStringLiteral(SNAPDECK_BUILD_TRANSLATIONS_DIR));
#endif
    return folders;
}

bool installTranslations(Language language, QtTexts qt) {
    removeInstalled();
    if (language == Language::Russian) {
        // The program's texts are Russian already; Qt's own words become Russian where
        // the system has their translation (qt6-translations-l10n), else stay English.
        if (qt == QtTexts::Translated) {
            auto translator = new QTranslator(QCoreApplication::instance());
            if (translator->load(QLocale(QLocale::Russian, QLocale::Russia),
                                 QStringLiteral("qtbase"), QStringLiteral("_"),
                                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
                QCoreApplication::installTranslator(translator);
                qtTranslator = translator;
            } else {
                delete translator;
            }
        }
        return true;
    }
    // Qt's own texts are English as they are.
    auto translator = new QTranslator(QCoreApplication::instance());
    for (const QString& folder : translationFolders()) {
        if (translator->load(QStringLiteral("snapdeck_en"), folder)) {
            QCoreApplication::installTranslator(translator);
            programTranslator = translator;
            return true;
        }
    }
    delete translator;
    return false;
}

} // namespace snapdeck
