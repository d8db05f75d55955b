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

// Where the program's .qm files are looked for, in order: the installed
// share/snapdeck/translations beside the program's bin/, then the build's folder.
static QStringList translationFolders() {
    QStringList folders{QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                        QStringLiteral("/../share/snapdeck/translations"))};
#ifdef SNAPDECK_BUILD_TRANSLATIONS_DIR
    folders.append(QStringLiteral(SNAPDECK_BUILD_TRANSLATIONS_DIR));
#endif
    return folders;
}

// Qt's own words (standard buttons, the dialogs' texts) in the language, where the
// system has their translation (qt6-translations-l10n); else they stay Qt's English.
static void installQtTexts(Language language) {
    auto translator = new QTranslator(QCoreApplication::instance());
    const QLocale locale = language == Language::English
                               ? QLocale(QLocale::English, QLocale::UnitedStates)
                               : QLocale(QLocale::Russian, QLocale::Russia);
    if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
        qtTranslator = translator;
    } else {
        delete translator;
    }
}

bool installTranslations(Language language, QtTexts qt) {
    removeInstalled();
    if (qt == QtTexts::Translated)
        installQtTexts(language);
    // The program's texts are Russian already.
    if (language == Language::Russian)
        return true;
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
