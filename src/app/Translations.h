#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <optional>

namespace snapdeck {

// The languages the program speaks: Russian, its own (the texts in the sources), and
// English, from translations/snapdeck_en.ts.
enum class Language { Russian, English };

// The language the environment asks for: English when the first of LC_ALL, LC_MESSAGES
// and LANG that is set and not empty starts with "en", else Russian.
Language languageFromEnvironment(const QProcessEnvironment& environment);
// The language of --lang's value, "ru" or "en"; nothing for any other.
std::optional<Language> languageNamed(const QString& name);

// Whether Qt's own translation (its dialogs' buttons, "Cancel", ...) comes along with
// the program's.
enum class QtTexts { Translated, AsTheyAre };

// Installs the translators for "language" into the running application, replacing any
// installed before: the program's own file for English, and Qt's own for Russian where
// the system has it. Returns false when a file the language needs was not found (the
// texts then stay Russian).
//
// Called once, on the main thread, after the application object exists and before any
// other thread starts (the engine, the library, the uploads): translations are read from
// every thread afterwards and must not change under them. Tests call it again between
// runs, with no other thread about.
bool installTranslations(Language language, QtTexts qt = QtTexts::Translated);

} // namespace snapdeck
