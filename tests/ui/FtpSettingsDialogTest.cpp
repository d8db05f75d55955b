#include "ui/FtpSettingsDialog.h"
#include "TestServers.h"
#include "engine/upload/FtpService.h"
#include "engine/upload/FtpSettingsFile.h"
#include "support/EngineFixture.h"
#include "support/SilentServer.h"
#include "support/WindowFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QThreadPool>
#include <QTimer>
#include <functional>
#include <sys/stat.h>

using namespace snapdeck;

namespace {

const FtpSettings kStored{"ftp.example.ru", 40000, "фото", "секрет", 3, "/веб камера", "cam.jpg"};

// The settings window "Настройки FTP" as opened from the main window.
class FtpSettingsDialogTest : public test::WindowFixture {
protected:
    // The window over the settings in use.
    void loadWith(const FtpSettings& settings) {
        ftp = settings;
        load();
    }
    // Clicks "Настройки FTP" and acts on the modal window while it is open; whatever is
    // still open afterwards is closed by the title bar.
    void openSettings(const std::function<void(FtpSettingsDialog&)>& act) {
        FtpSettingsDialog* opened = nullptr;
        QTimer::singleShot(0, [&] {
            opened = qobject_cast<FtpSettingsDialog*>(QApplication::activeModalWidget());
            if (opened)
                act(*opened);
            if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                open->close();
        });
        find<QPushButton>("ftpSettingsButton")->click();
        EXPECT_NE(opened, nullptr) << "a modal settings window opened";
    }
    static QLineEdit* box(FtpSettingsDialog& dialog, const char* name) {
        auto* found = dialog.findChild<QLineEdit*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QComboBox* serviceList(FtpSettingsDialog& dialog) {
        return dialog.findChild<QComboBox*>(QStringLiteral("serviceList"));
    }
    static void save(FtpSettingsDialog& dialog) {
        auto* button = dialog.findChild<QPushButton*>(QStringLiteral("saveButton"));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QStringLiteral("&Сохранить"));
        button->click();
    }
    // The settings the upload uses.
    const FtpSettings& inUse() { return engine().upload().settings(); }
    QByteArray ini() const { return test::readFile(filePath(QStringLiteral("ftp.ini"))); }
};

} // namespace

TEST_F(FtpSettingsDialogTest, ShowsTheSettingsAndSaveWritesTheFileAndTheSettings) {
    loadWith(kStored);
    openSettings([&](FtpSettingsDialog& w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Настройки FTP"));
        const QList<QWidget*> boxes{box(w, "hostBox"),     box(w, "portBox"), box(w, "loginBox"),
                                    box(w, "passwordBox"), serviceList(w),    box(w, "folderBox"),
                                    box(w, "fileNameBox")};
        QStringList shown;
        for (QWidget* control : boxes) {
            ASSERT_NE(control, nullptr);
            auto* line = qobject_cast<QLineEdit*>(control);
            shown.append(line ? line->displayText() : serviceList(w)->currentText());
            EXPECT_TRUE(control->focusPolicy() & Qt::TabFocus)
                << control->objectName().toStdString();
        }
        EXPECT_EQ(shown, (QStringList{"ftp.example.ru", "40000", "фото", "******", "HTTP",
                                      "/веб камера", "cam.jpg"}));
        // Each box is named by the label beside it, which is its buddy.
        QStringList captions;
        for (QLabel* label : w.findChildren<QLabel*>()) {
            if (label->objectName() == QStringLiteral("fileNameHint") ||
                label->objectName() == QStringLiteral("connectionCheckLine"))
                continue; // tested with the name's rules and with the check
            captions.append(boxes.contains(label->buddy())
                                ? label->text() + u'=' + label->buddy()->accessibleName()
                                : label->text());
        }
        EXPECT_EQ(captions, (QStringList{"Имя &хоста=Имя хоста", "&Порт=Порт", "&Логин=Логин",
                                         "Па&роль=Пароль", "&Тип сервиса=Тип сервиса",
                                         "&Директория=Директория", "&Имя файла=Имя файла",
                                         "ВНИМАНИЕ!", "Хранить здесь пароль небезопасно !"}));
        QStringList services;
        for (int i = 0; i < serviceList(w)->count(); ++i)
            services.append(serviceList(w)->itemText(i));
        EXPECT_EQ(services, (QStringList{"Авто", "FTP", "GOPHER", "HTTP"}));

        box(w, "hostBox")->setText(QStringLiteral("  127.0.0.1 "));
        box(w, "portBox")->setText(QStringLiteral(" 21.5 "));
        box(w, "passwordBox")->setText(QStringLiteral(" p w "));
        serviceList(w)->setCurrentIndex(-1);
        box(w, "folderBox")->setText(QStringLiteral("Фото архив "));
        box(w, "fileNameBox")->clear();
        save(w);
        EXPECT_FALSE(w.isVisible()) << "Save closes the window";
    });

    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(ini(),
              QStringLiteral("URLHost:127.0.0.1\r\nSrvPort:21.5\r\nUsLogin:фото\r\n"
                             "Passwrd:p w\r\nTypeSrv:-1\r\nFTPUDir:Фото архив\r\nNmeFile:\r\n")
                  .toUtf8());
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(filePath(QStringLiteral("ftp.ini"))).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u) << "the file holds a password";
    const FtpSettings saved{"127.0.0.1", 22, "фото", "p w", -1, "Фото архив", ""};
    EXPECT_EQ(inUse(), saved) << "the upload uses them at once";
    FtpSettings readBack;
    EXPECT_TRUE(loadFtpSettings(readBack, *folder, messages));
    EXPECT_EQ(readBack, saved);
    // The next opening starts from the settings saved.
    openSettings([&](FtpSettingsDialog& w) {
        EXPECT_EQ(serviceList(w)->currentIndex(), -1);
        EXPECT_EQ(box(w, "hostBox")->text(), QStringLiteral("127.0.0.1"));
        EXPECT_EQ(box(w, "portBox")->text(), QStringLiteral("22"));
    });
}

TEST_F(FtpSettingsDialogTest, ClosingByTheTitleBarSavesNothingAndEachOpeningStartsAfresh) {
    loadWith(kStored);
    openSettings([&](FtpSettingsDialog& w) {
        box(w, "hostBox")->setText(QStringLiteral("typed.not.saved"));
    });
    EXPECT_EQ(inUse(), kStored);
    EXPECT_FALSE(QFile::exists(filePath(QStringLiteral("ftp.ini"))));
    openSettings(
        [&](FtpSettingsDialog& w) { EXPECT_EQ(box(w, "hostBox")->text(), kStored.FtpHost); });
    EXPECT_TRUE(window->findChildren<FtpSettingsDialog*>().isEmpty()) << "no window kept for later";
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
}

TEST_F(FtpSettingsDialogTest, ABadPortOrAnUnwritableFileIsReportedAndTheWindowStays) {
    load();
    for (const char* port : {"65536", "-1", "1e9", "65535"}) {
        messages.clear();
        openSettings([&](FtpSettingsDialog& w) {
            box(w, "portBox")->setText(QString::fromUtf8(port));
            save(w);
            const bool refused = messages.shown.size() == 1u;
            EXPECT_EQ(w.isVisible(), refused) << port;
            if (refused) {
                EXPECT_EQ(messages.shown[0].text,
                          QStringLiteral(
                              "Порт должен быть числом от 0 до 65535 (0 - порт по умолчанию)."));
                EXPECT_EQ(w.focusWidget(), box(w, "portBox")) << port;
            }
        });
        if (QByteArray(port) != "65535") {
            EXPECT_EQ(messages.shown.size(), 1u) << port;
            EXPECT_EQ(inUse(), FtpSettings()) << port;
        }
    }
    EXPECT_EQ(messages.shown.size(), 0u) << "65535 is a port";
    EXPECT_EQ(inUse().FtpPort, 65535);

    // A folder named ftp.ini, with something in it, cannot be replaced by a file.
    QFile::remove(filePath(QStringLiteral("ftp.ini")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("ftp.ini/inside")));
    messages.clear();
    openSettings([&](FtpSettingsDialog& w) {
        box(w, "hostBox")->setText(QStringLiteral("new.host"));
        save(w);
        EXPECT_TRUE(w.isVisible());
    });
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("ftp.ini")));
    EXPECT_TRUE(inUse().FtpHost.isEmpty()) << "the settings in use stay as they were";
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"preview.jpg"})
        << "no temporary file left";
}

// A one-line box keeps a line break pasted into it; sent to the server, it would end
// the command and start one of the text's own.
TEST_F(FtpSettingsDialogTest, AControlCharacterInABoxIsRefusedNamingTheBoxAndNothingChanges) {
    loadWith(kStored);
    openSettings([&](FtpSettingsDialog& w) { save(w); });
    const QByteArray saved = ini();
    ASSERT_FALSE(saved.isEmpty());

    const std::vector<std::pair<const char*, QString>> boxes{
        {"passwordBox", QStringLiteral("секрет\r\nDELE victim.jpg")},
        {"loginBox", QStringLiteral("фото\nDELE victim.jpg")},
        {"hostBox", QStringLiteral("ftp.example\t.ru")},
        {"portBox", QStringLiteral("21\r22")},
        {"folderBox", QStringLiteral("/веб") + QChar(0x7F)},
        {"fileNameBox", QStringLiteral("cam") + QChar(0) + QStringLiteral(".jpg")}};
    QStringList captions;
    for (const auto& [name, text] : boxes) {
        messages.clear();
        openSettings([&](FtpSettingsDialog& w) {
            QLineEdit* edited = box(w, name);
            ASSERT_NE(edited, nullptr);
            edited->setText(text);
            ASSERT_EQ(edited->text(), text) << "the box keeps it, as a paste does";
            save(w);
            EXPECT_TRUE(w.isVisible()) << name;
            EXPECT_EQ(w.focusWidget(), edited) << name;
            captions.append(edited->accessibleName());
        });
        ASSERT_EQ(messages.shown.size(), 1u) << name;
        EXPECT_EQ(messages.shown[0].text,
                  QStringLiteral("В поле \"%1\" есть управляющий символ (например, перевод "
                                 "строки). Уберите его, чтобы сохранить настройки.")
                      .arg(captions.last()));
        EXPECT_EQ(messages.shown[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(inUse(), kStored) << name;
        EXPECT_EQ(ini(), saved) << name;
    }
    EXPECT_EQ(captions,
              (QStringList{"Пароль", "Логин", "Имя хоста", "Порт", "Директория", "Имя файла"}));

    // A line break at either end is cut off with the spaces around it, as before.
    messages.clear();
    openSettings([&](FtpSettingsDialog& w) {
        box(w, "passwordBox")->setText(QStringLiteral("новый\r\n"));
        save(w);
    });
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(inUse().FtpPassword, QStringLiteral("новый"));
    EXPECT_TRUE(ini().contains("\r\nPasswrd:новый\r\n"));
}

// "Отмена" closes the window as the title bar does: nothing saved, nothing changed.
TEST_F(FtpSettingsDialogTest, CancelKeepsTheSettingsAndWritesNothing) {
    loadWith(kStored);
    openSettings([&](FtpSettingsDialog& w) {
        box(w, "hostBox")->setText(QStringLiteral("другой.example.ru"));
        auto* cancel = w.findChild<QPushButton*>(QStringLiteral("cancelButton"));
        ASSERT_NE(cancel, nullptr);
        EXPECT_EQ(cancel->text(), QStringLiteral("&Отмена"));
        cancel->click();
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_EQ(inUse(), kStored);
    EXPECT_FALSE(QFile::exists(filePath(QStringLiteral("ftp.ini"))));
}

namespace {

// Clicks "Проверить соединение" and answers what the window said once the check is over;
// the window keeps handling events meanwhile (the loop below is the window's own).
QString checkConnection(FtpSettingsDialog& dialog, int* eventsWhileChecking = nullptr) {
    auto* button = dialog.findChild<QPushButton*>(QStringLiteral("checkConnectionButton"));
    auto* line = dialog.findChild<QLabel*>(QStringLiteral("connectionCheckLine"));
    EXPECT_NE(button, nullptr);
    EXPECT_NE(line, nullptr);
    if (!button || !line)
        return {};
    button->click();
    if (!button->isEnabled()) { // one check at a time, and the window says it is checking
        EXPECT_EQ(line->text(), QStringLiteral("Проверяем соединение..."));
    }
    QTimer ticks;
    int ticked = 0;
    QObject::connect(&ticks, &QTimer::timeout, [&] { ++ticked; });
    ticks.start(5);
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (button->isEnabled())
            loop.quit();
    });
    poll.start(10);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit); // a check has its own time limits
    loop.exec();
    if (eventsWhileChecking)
        *eventsWhileChecking = ticked;
    return line->text();
}

void fillAccount(FtpSettingsDialog& w, int port, const test::FtpServerSetup& setup,
                 const QString& folder) {
    w.findChild<QLineEdit*>(QStringLiteral("hostBox"))->setText(QStringLiteral("127.0.0.1"));
    w.findChild<QLineEdit*>(QStringLiteral("portBox"))->setText(QString::number(port));
    w.findChild<QLineEdit*>(QStringLiteral("loginBox"))->setText(setup.user);
    w.findChild<QLineEdit*>(QStringLiteral("passwordBox"))->setText(setup.password);
    w.findChild<QComboBox*>(QStringLiteral("serviceList"))->setCurrentIndex(FtpOnlyService);
    w.findChild<QLineEdit*>(QStringLiteral("folderBox"))->setText(folder);
}

} // namespace

// The check logs in and changes to the folder of the boxes, saved or not, and says what
// it found; it sends nothing and saves nothing.
TEST_F(FtpSettingsDialogTest, CheckingTheConnectionSaysWhatItFoundAndSendsNothing) {
    const test::FtpServerSetup setup;
    const auto server = test::TestServer::ftp(setup);
    ASSERT_GT(server->port(), 0);
    ASSERT_TRUE(QDir().mkpath(server->path(QStringLiteral("/снимки"))));
    loadWith(kStored);
    QStringList said;
    openSettings([&](FtpSettingsDialog& w) {
        fillAccount(w, server->port(), setup, QStringLiteral("снимки"));
        said.append(checkConnection(w));
        w.findChild<QLineEdit*>(QStringLiteral("folderBox"))->setText(QStringLiteral("нет такой"));
        said.append(checkConnection(w));
        w.findChild<QLineEdit*>(QStringLiteral("passwordBox"))->setText(QStringLiteral("неверный"));
        said.append(checkConnection(w));
        w.findChild<QLineEdit*>(QStringLiteral("portBox"))->setText(QStringLiteral("70000"));
        said.append(checkConnection(w)); // refused before any connection, as Save refuses it
    });
    ASSERT_EQ(said.size(), 4);
    EXPECT_EQ(said[0],
              QStringLiteral("Вход на сервер «127.0.0.1» выполнен, папка «снимки» на месте."));
    EXPECT_EQ(said[1],
              QStringLiteral("Вход на сервер «127.0.0.1» выполнен, но папки «нет такой» на "
                             "сервере нет: снимки пойдут в папку, с которой начинает "
                             "сервер."));
    EXPECT_EQ(said[2],
              QStringLiteral("Сервер «127.0.0.1» отказал во входе: проверьте логин и пароль."));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("Порт должен быть числом")));
    EXPECT_TRUE(QDir(server->path(QStringLiteral("/"))).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(QDir(server->path(QStringLiteral("/снимки"))).entryList(QDir::Files).isEmpty());
    EXPECT_FALSE(QFile::exists(filePath(QStringLiteral("ftp.ini"))));
    EXPECT_EQ(inUse(), kStored);
}

// A server that never answers: the window goes on handling events until the check's
// limit, which then says so; a window closed while its check runs is simply gone.
TEST_F(FtpSettingsDialogTest, ASilentServerNeitherBlocksTheWindowNorOutlivesItsLimit) {
    test::SilentServer silent;
    ASSERT_TRUE(silent.open());
    loadWith(kStored);
    QString said;
    int events = 0;
    TransportOptions quick;
    quick.connectTimeout = std::chrono::milliseconds(600);
    quick.responseTimeout = std::chrono::seconds(1);
    openSettings([&](FtpSettingsDialog& w) {
        w.setCheckOptions(quick);
        fillAccount(w, silent.port(), test::FtpServerSetup{}, {});
        said = checkConnection(w, &events);
    });
    EXPECT_TRUE(said.startsWith(QStringLiteral("Сервер «127.0.0.1» не"))) << said.toStdString();
    EXPECT_GT(events, 10) << "the window kept handling events during the check";

    openSettings([&](FtpSettingsDialog& w) {
        w.setCheckOptions(quick);
        fillAccount(w, silent.port(), test::FtpServerSetup{}, {});
        w.findChild<QPushButton*>(QStringLiteral("checkConnectionButton"))->click();
    }); // closed at once, the check still waiting on the server
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents(); // the late answer finds no window
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
}
