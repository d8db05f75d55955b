#include "app/CommandLine.h"
#include "app/Translations.h"
#include "support/ProgramRun.h"
#include "support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace snapdeck;

namespace {

// An environment with only the locale variables given; the others unset.
QProcessEnvironment locale(std::initializer_list<std::pair<const char*, const char*>> variables) {
    QProcessEnvironment environment;
    for (const auto& [name, value] : variables)
        environment.insert(QString::fromLatin1(name), QString::fromUtf8(value));
    return environment;
}

const char* nameOf(Language language) {
    return language == Language::English ? "English" : "Russian";
}

std::optional<Language> parsedLanguage(const QStringList& options,
                                       const QProcessEnvironment& environment,
                                       QString* error = nullptr) {
    QString refusal;
    QString help;
    const auto parsed =
        CommandLine::parse(QStringList{"snapdeck"} + options, &refusal, &help, environment);
    if (error)
        *error = refusal;
    return parsed ? std::optional(parsed->language) : std::nullopt;
}

using test::Finished;

// The program where no display can be reached (X11 without DISPLAY): what must not
// need a display ends normally, anything that wanted a window fails.
Finished run(const QStringList& arguments, const QProcessEnvironment& localeVariables) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"})
        environment.remove(QString::fromLatin1(name));
    for (const QString& name : localeVariables.keys())
        environment.insert(name, localeVariables.value(name));
    return test::runWithoutDisplay(QStringLiteral(SNAPDECK_PROGRAM), arguments, environment);
}

} // namespace

// The first of LC_ALL, LC_MESSAGES and LANG that is set and not empty decides, as for
// any program: "en..." is English, anything else (C, POSIX, ru_RU, de_DE) Russian.
TEST(Language, TheFirstLocaleVariableSetDecides) {
    struct Case {
        QProcessEnvironment environment;
        Language expected;
    };
    const Case cases[] = {
        {locale({}), Language::Russian},
        {locale({{"LANG", "en_US.UTF-8"}}), Language::English},
        {locale({{"LANG", "ru_RU.UTF-8"}}), Language::Russian},
        {locale({{"LANG", "C.UTF-8"}}), Language::Russian},
        {locale({{"LANG", "de_DE.UTF-8"}}), Language::Russian},
        {locale({{"LC_MESSAGES", "en_GB.UTF-8"}, {"LANG", "ru_RU.UTF-8"}}), Language::English},
        {locale({{"LC_MESSAGES", "ru_RU.UTF-8"}, {"LANG", "en_US.UTF-8"}}), Language::Russian},
        {locale({{"LC_ALL", "en_US.UTF-8"}, {"LC_MESSAGES", "ru_RU.UTF-8"}, {"LANG", "ru_RU"}}),
         Language::English},
        {locale({{"LC_ALL", "C"}, {"LC_MESSAGES", "en_US.UTF-8"}, {"LANG", "en_US.UTF-8"}}),
         Language::Russian},
        // Set but empty counts as not set.
        {locale({{"LC_ALL", ""}, {"LC_MESSAGES", ""}, {"LANG", "en"}}), Language::English},
        {locale({{"LC_ALL", ""}, {"LANG", "ru_RU.UTF-8"}}), Language::Russian},
    };
    for (const Case& c : cases) {
        const Language found = languageFromEnvironment(c.environment);
        EXPECT_EQ(found, c.expected)
            << c.environment.toStringList().join(u' ').toStdString() << ": " << nameOf(found);
    }
}

// --lang wins over the environment both ways, in both of the parser's forms; a language
// the program does not speak is refused with a line that names the option and the choice.
TEST(Language, TheLangOptionOverridesTheEnvironmentAndRefusesOtherLanguages) {
    const QProcessEnvironment english = locale({{"LANG", "en_US.UTF-8"}});
    const QProcessEnvironment russian = locale({{"LC_ALL", "ru_RU.UTF-8"}});
    EXPECT_EQ(parsedLanguage({}, english), Language::English);
    EXPECT_EQ(parsedLanguage({}, russian), Language::Russian);
    EXPECT_EQ(parsedLanguage({"--lang=ru"}, english), Language::Russian);
    EXPECT_EQ(parsedLanguage({"--lang", "ru"}, english), Language::Russian);
    EXPECT_EQ(parsedLanguage({"--lang=en"}, russian), Language::English);
    EXPECT_EQ(parsedLanguage({"--lang=ru", "--lang=en"}, russian), Language::English)
        << "the last one counts";
    EXPECT_EQ(parsedLanguage({"--station=s.ini", "--lang=en"}, russian), Language::English)
        << "the station speaks the same language";

    for (const char* bad : {"--lang=de", "--lang=", "--lang=EN", "--lang=english"}) {
        QString error;
        EXPECT_FALSE(parsedLanguage({bad}, english, &error).has_value()) << bad;
        EXPECT_TRUE(error.startsWith(QString::fromLatin1(bad) + u':')) << error.toStdString();
        EXPECT_TRUE(error.contains(QStringLiteral("ru")) && error.contains(QStringLiteral("en")))
            << error.toStdString();
    }

    // Read before the command line is, for the language of its refusals.
    EXPECT_EQ(CommandLine::languageAskedFor({"snapdeck", "--lang", "en"}, russian),
              Language::English);
    EXPECT_EQ(CommandLine::languageAskedFor({"snapdeck", "--lang=xx"}, english), Language::English)
        << "a bad --lang leaves the environment's";
    EXPECT_EQ(CommandLine::languageAskedFor({"snapdeck", "--", "--lang=en"}, russian),
              Language::Russian)
        << "no option after --";
}

// The program itself: a bad --lang ends it at once with status 2 and one line on
// standard error, where there is no display; --lang with --help and --version needs
// none either.
TEST(Language, TheProgramRefusesABadLanguageWithoutADisplay) {
    const Finished refused = run({QStringLiteral("--lang=fr")}, locale({}));
    EXPECT_TRUE(refused.normalExit);
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.output.isEmpty()) << refused.output.toStdString();
    const QString line = refused.errors.trimmed();
    EXPECT_TRUE(line.startsWith(QStringLiteral("--lang=fr:"))) << line.toStdString();
    EXPECT_FALSE(line.contains(u'\n')) << line.toStdString();

    for (const char* language : {"--lang=en", "--lang=ru"}) {
        const Finished version =
            run({QString::fromLatin1(language), QStringLiteral("--version")}, locale({}));
        EXPECT_EQ(version.status, 0) << language << version.errors.toStdString();
        EXPECT_TRUE(version.output.startsWith(QStringLiteral("snapdeck "))) << language;
        EXPECT_EQ(version.errors, QString()) << language;
        const Finished help =
            run({QString::fromLatin1(language), QStringLiteral("--help")}, locale({}));
        EXPECT_EQ(help.status, 0) << language << help.errors.toStdString();
        EXPECT_TRUE(help.output.contains(QStringLiteral("--lang"))) << language;
    }
}

// The choice reaches what the program says: the station (no display) logs the engine's
// error box for a camera that does not answer, source line and all, in the language the
// locale or --lang chose; the engine speaks on its own thread.
TEST(Language, TheStationSpeaksTheLanguageChosen) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString configPath = dir.filePath(QStringLiteral("station.ini"));
    QFile config(configPath);
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    // A camera that is not plugged in, and a plan that ended long ago: the station tries
    // the camera once and ends.
    config.write(QStringLiteral("[camera]\ncamera = simulator:%1\n"
                                "[pictures]\nfolder = %2\n"
                                "[schedule]\ninterval = 1s\n"
                                "start = 2001-01-01 00:00:00\nstop = 2001-01-01 00:00:01\n")
                     .arg(dir.filePath(QStringLiteral("unplugged")),
                          dir.filePath(QStringLiteral("pictures")))
                     .toUtf8());
    config.close();
    const QString logPath = dir.filePath(QStringLiteral("pictures/station.log"));
    const QString station = QStringLiteral("--station=") + configPath;

    struct Case {
        QStringList options;
        QProcessEnvironment environment;
        QString said;
    };
    const QString english = QStringLiteral("message: Camera / The camera does not answer (26)");
    const QString russian = QStringLiteral("message: Камера / Камера не отвечает (26)");
    const Case cases[] = {
        {{station}, locale({{"LANG", "en_US.UTF-8"}}), english},
        {{station}, locale({{"LC_ALL", "C.UTF-8"}, {"LANG", "en_US.UTF-8"}}), russian},
        {{station}, locale({}), russian},
        {{station, QStringLiteral("--lang=en")}, locale({{"LC_ALL", "ru_RU.UTF-8"}}), english},
        {{station, QStringLiteral("--lang=ru")}, locale({{"LANG", "en_US.UTF-8"}}), russian},
    };
    for (const Case& c : cases) {
        const std::string named =
            (c.environment.toStringList() + c.options).join(u' ').toStdString();
        QDir(dir.filePath(QStringLiteral("pictures"))).removeRecursively();
        const Finished finished = run(c.options, c.environment);
        ASSERT_EQ(finished.status, 0) << named << finished.errors.toStdString();
        QFile log(logPath);
        ASSERT_TRUE(log.open(QIODevice::ReadOnly)) << named;
        const QString text = QString::fromUtf8(log.readAll());
        EXPECT_TRUE(text.contains(c.said)) << named << "\n" << text.toStdString();
    }
}
