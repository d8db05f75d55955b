#include "ftp/FtpSettingsWindow.h"
#include "ftp/FtpFrame.h"
#include "ftp/LoadFtpSettings.h"
#include "support/WindowFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <sys/stat.h>

using namespace snapdeck;

namespace {

const FtpSettings kStored{"ftp.example.ru", 40000, "фото", "секрет", 3, "/веб камера", "cam.jpg"};

class FtpSettingsWindowTest : public test::WindowFixture {
protected:
    // Clicks "Настройки FTP" and acts on the modal window while it is open; whatever is
    // still open afterwards is closed by the title bar.
    void openSettings(const std::function<void(frmFTP&)>& act) {
        frmFTP* opened = nullptr;
        QTimer::singleShot(0, [&] {
            opened = qobject_cast<frmFTP*>(QApplication::activeModalWidget());
            if (opened)
                act(*opened);
            if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                open->close();
        });
        window->ftpFrame->Command1->click();
        EXPECT_NE(opened, nullptr) << "a modal settings window opened";
    }
    QByteArray ini() const { return test::readFile(filePath(QStringLiteral("ftp.ini"))); }
};

} // namespace

TEST_F(FtpSettingsWindowTest, ShowsTheSettingsAndSaveWritesTheFileAndTheSettings) {
    load();
    globals.ftp = kStored;
    openSettings([&](frmFTP& w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Настройки FTP"));
        const QList<QWidget*> boxes{w.txtHostName,    w.txtPort,   w.txtLogin,   w.txtPassw,
                                    w.cmbServiceType, w.txtFtpDir, w.txtFileName};
        QStringList shown;
        for (QWidget* box : boxes) {
            auto* line = qobject_cast<QLineEdit*>(box);
            shown.append(line ? line->displayText() : w.cmbServiceType->currentText());
            EXPECT_TRUE(box->focusPolicy() & Qt::TabFocus) << box->objectName().toStdString();
        }
        EXPECT_EQ(shown, (QStringList{"ftp.example.ru", "40000", "фото", "******", "HTTP",
                                      "/веб камера", "cam.jpg"}));
        // Each box is named by the label beside it, which is its buddy.
        QStringList captions;
        for (QLabel* label : w.findChildren<QLabel*>())
            captions.append(boxes.contains(label->buddy())
                                ? label->text() + u'=' + label->buddy()->accessibleName()
                                : label->text());
        EXPECT_EQ(captions, (QStringList{"Имя хоста=Имя хоста", "Порт=Порт", "Логин=Логин",
                                         "Пароль=Пароль", "Тип сервиса=Тип сервиса",
                                         "Директория=Директория", "Имя файла=Имя файла",
                                         "ВНИМАНИЕ!", "Хранить здесь пароль небезопасно !"}));
        QStringList services;
        for (int i = 0; i < w.cmbServiceType->count(); ++i)
            services.append(w.cmbServiceType->itemText(i));
        EXPECT_EQ(services, (QStringList{"Авто", "FTP", "GOPHER", "HTTP"}));

        w.txtHostName->setText(QStringLiteral("  127.0.0.1 "));
        w.txtPort->setText(QStringLiteral(" 21.5 "));
        w.txtPassw->setText(QStringLiteral(" p w "));
        w.cmbServiceType->setCurrentIndex(-1);
        w.txtFtpDir->setText(QStringLiteral("Фото архив "));
        w.txtFileName->clear();
        EXPECT_EQ(w.Command1->text(), QStringLiteral("Сохранить"));
        w.Command1->click();
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
    EXPECT_EQ(globals.ftp, saved);
    FtpSettings readBack;
    EXPECT_TRUE(LoadFtpSettings(readBack, *folder, messages));
    EXPECT_EQ(readBack, saved);
    openSettings([&](frmFTP& w) { EXPECT_EQ(w.cmbServiceType->currentIndex(), -1); });
}

TEST_F(FtpSettingsWindowTest, ClosingByTheTitleBarSavesNothingAndEachOpeningStartsAfresh) {
    load();
    globals.ftp = kStored;
    openSettings([&](frmFTP& w) { w.txtHostName->setText(QStringLiteral("typed.not.saved")); });
    EXPECT_EQ(globals.ftp, kStored);
    EXPECT_FALSE(QFile::exists(filePath(QStringLiteral("ftp.ini"))));
    openSettings([&](frmFTP& w) { EXPECT_EQ(w.txtHostName->text(), kStored.FtpHost); });
    EXPECT_TRUE(window->findChildren<frmFTP*>().isEmpty()) << "no window kept for later";
}

TEST_F(FtpSettingsWindowTest, ABadPortOrAnUnwritableFileIsReportedAndTheWindowStays) {
    load();
    for (const char* port : {"65536", "-1", "1e9", "65535"}) {
        messages.clear();
        openSettings([&](frmFTP& w) {
            w.txtPort->setText(QString::fromUtf8(port));
            w.Command1->click();
            EXPECT_EQ(w.isVisible(), messages.shown.size() == 1u) << port;
        });
    }
    EXPECT_EQ(messages.shown.size(), 0u) << "65535 is a port";
    EXPECT_EQ(globals.ftp.FtpPort, 65535);

    // A folder named ftp.ini, with something in it, cannot be replaced by a file.
    QFile::remove(filePath(QStringLiteral("ftp.ini")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("ftp.ini/inside")));
    messages.clear();
    openSettings([&](frmFTP& w) {
        w.txtHostName->setText(QStringLiteral("new.host"));
        w.Command1->click();
        EXPECT_TRUE(w.isVisible());
    });
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("ftp.ini")));
    EXPECT_TRUE(globals.ftp.FtpHost.isEmpty());
    EXPECT_EQ(filesInFolder(), QStringList{"preview.jpg"}) << "no temporary file left";
}

// A one-line box keeps a line break pasted into it; sent to the server, it would end
// the command and start one of the text's own.
TEST_F(FtpSettingsWindowTest, AControlCharacterInABoxIsRefusedNamingTheBoxAndNothingChanges) {
    load();
    globals.ftp = kStored;
    openSettings([&](frmFTP& w) { w.Command1->click(); });
    const QByteArray saved = ini();
    ASSERT_FALSE(saved.isEmpty());

    const std::vector<std::pair<const char*, QString>> boxes{
        {"txtPassw", QStringLiteral("секрет\r\nDELE victim.jpg")},
        {"txtLogin", QStringLiteral("фото\nDELE victim.jpg")},
        {"txtHostName", QStringLiteral("ftp.example\t.ru")},
        {"txtPort", QStringLiteral("21\r22")},
        {"txtFtpDir", QStringLiteral("/веб") + QChar(0x7F)},
        {"txtFileName", QStringLiteral("cam") + QChar(0) + QStringLiteral(".jpg")}};
    QStringList captions;
    for (const auto& [name, text] : boxes) {
        messages.clear();
        openSettings([&](frmFTP& w) {
            auto* box = w.findChild<QLineEdit*>(QLatin1String(name));
            ASSERT_NE(box, nullptr) << name;
            box->setText(text);
            ASSERT_EQ(box->text(), text) << "the box keeps it, as a paste does";
            w.Command1->click();
            EXPECT_TRUE(w.isVisible()) << name;
            EXPECT_EQ(w.focusWidget(), box) << name;
            captions.append(box->accessibleName());
        });
        ASSERT_EQ(messages.shown.size(), 1u) << name;
        EXPECT_EQ(messages.shown[0].text,
                  QStringLiteral("В поле \"%1\" есть управляющий символ (например, перевод "
                                 "строки). Уберите его, чтобы сохранить настройки.")
                      .arg(captions.last()));
        EXPECT_EQ(messages.shown[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(globals.ftp, kStored) << name;
        EXPECT_EQ(ini(), saved) << name;
    }
    EXPECT_EQ(captions,
              (QStringList{"Пароль", "Логин", "Имя хоста", "Порт", "Директория", "Имя файла"}));

    // A line break at either end is cut off with the spaces around it, as before.
    messages.clear();
    openSettings([&](frmFTP& w) {
        w.txtPassw->setText(QStringLiteral("новый\r\n"));
        w.Command1->click();
    });
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(globals.ftp.FtpPassword, QStringLiteral("новый"));
    EXPECT_TRUE(ini().contains("\r\nPasswrd:новый\r\n"));
}
