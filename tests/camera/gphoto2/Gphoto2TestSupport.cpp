#include "Gphoto2TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <clocale>

namespace snapdeck::test {

namespace {

// libgphoto2 keeps its settings in ~/.gphoto: the tests give it a home of their own.
class PrivateHome : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid());
        qputenv("HOME", home_.path().toLocal8Bit());
    }

private:
    QTemporaryDir home_;
};

[[maybe_unused]] ::testing::Environment* const privateHome =
    ::testing::AddGlobalTestEnvironment(new PrivateHome);

} // namespace

bool useRussianLocale() {
    const QString folder = QStringLiteral(SNAPDECK_TEST_LOCALE_DIR);
    const QString locale = folder + QStringLiteral("/ru_RU.UTF-8");
    if (!QFileInfo::exists(locale + QStringLiteral("/LC_NUMERIC"))) {
        QDir().mkpath(folder);
        QProcess localedef;
        localedef.start(QStringLiteral("localedef"),
                        {QStringLiteral("-i"), QStringLiteral("ru_RU"), QStringLiteral("-f"),
                         QStringLiteral("UTF-8"), locale});
        if (!localedef.waitForFinished(60000))
            return false;
    }
    qputenv("LOCPATH", folder.toLocal8Bit());
    return std::setlocale(LC_ALL, "ru_RU.UTF-8") != nullptr;
}

void usePlainLocale() {
    std::setlocale(LC_ALL, "C.UTF-8");
    qunsetenv("LOCPATH");
}

} // namespace snapdeck::test
