#include "engine/upload/FtpUpload.h"
#include "TestServers.h"
#include "engine/upload/FtpService.h"
#include "engine/upload/FtpSettings.h"
#include "engine/upload/RemoteUrl.h"
#include "support/EngineFixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <gtest/gtest.h>
#include <map>
#include <tuple>
#include <vector>

using namespace snapdeck;
using namespace snapdeck::test;

namespace {

const QString kConnecting = QStringLiteral("Подключаемся к сети...");
const QString kFindingHost = QStringLiteral("Ищем хост...");
const QString kSending = QStringLiteral("Отсылаем файл...");
const QString kNotSent = QStringLiteral("Файл не отослан!");
const QString kNotAnswering =
    QStringLiteral("Сервер «127.0.0.1» не отвечает. Передача файла отменена.");
const QString kOutOfTime =
    QStringLiteral("Передача файла на сервер «127.0.0.1» не уложилась в отведённое время и "
                   "отменена. Файл остался на диске.");
const QString kLoginRefused = QStringLiteral("Сервер «127.0.0.1» отказал во входе: неверный "
                                             "логин или пароль. Передача файла отменена.");

// The first line of each message: what happened. The lines after it say what became of
// the picture and what to do (FailuresSayWhatBecameOfThePictureAndWhatToDo).
QStringList firstLines(const test::RecordingMessages& messages) {
    QStringList lines;
    for (const QString& text : messages.texts())
        lines.append(text.section(QStringLiteral("\r\n"), 0, 0));
    return lines;
}

// Every upload line the faces were told to show, in order: the upload must tell them
// before each step that may block.
class UploadLines final : public EngineObserver {
public:
    void stateChanged(const EngineState& state) override {
        current = state.uploadStatus;
        if (!current.isEmpty() && (shown.isEmpty() || shown.last() != current))
            shown.append(current);
    }
    void pictureStored(const QString&) override {}
    void previewStored(const QString&) override {}
    void scheduleFilled(const ScheduleForm&) override {}
    void intervalRefused() override {}
    void runEnded(const QString&) override {}

    QString current;
    QStringList shown;
};

// The engine's upload of a picture in the working folder, with short time limits.
class FtpUploadTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        create();
        engine->setObserver(lines);
        TransportOptions& options = engine->upload().transportOptions();
        options.connectTimeout = std::chrono::milliseconds(2000);
        options.responseTimeout = std::chrono::seconds(1);
        options.stallTimeout = std::chrono::seconds(2);
    }
    // Every byte value, CR LF and NUL runs, then noise: what a text-mode transfer spoils.
    QByteArray writePicture(const QString& name) {
        QByteArray bytes;
        for (int i = 0; i < 256; ++i)
            bytes.append(char(i));
        bytes += QByteArray("\r\n\n\r\0\r\n", 7).repeated(100);
        QByteArray noise(300 * 1024, Qt::Uninitialized);
        QRandomGenerator(5).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
        bytes += noise;
        QFile file(folder->path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return bytes;
    }
    void pointAt(const TestServer& server, std::int32_t service, const FtpServerSetup& setup = {}) {
        ASSERT_NE(server.port(), 0) << server.failure().toStdString();
        settings = FtpSettings{QStringLiteral("127.0.0.1"),
                               server.port(),
                               setup.user,
                               setup.password,
                               service,
                               QString(),
                               QString()};
    }
    TransportOptions& options() { return engine->upload().transportOptions(); }
    void upload(const QString& name = QStringLiteral("image.jpg")) {
        lines.shown.clear();
        messages.clear();
        engine->setFtpSettings(settings);
        engine->upload().send(name);
        EXPECT_TRUE(lines.current.isEmpty()) << "the line is hidden after every outcome";
    }
    QStringList filesOnServer(const TestServer& server, const QString& folderPath) {
        return QDir(server.path(folderPath)).entryList(QDir::Files | QDir::Hidden);
    }

    FtpSettings settings;
    UploadLines lines;
};

} // namespace

TEST_F(FtpUploadTest, SendsTheExactBytesUnderATemporaryNameThenRenamesIt) {
    const auto server = TestServer::ftp();
    pointAt(*server, AutoService); // a server without TLS: plain FTP
    const QByteArray picture = writePicture(QStringLiteral("image.jpg"));
    upload();

    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(readFile(server->path(QStringLiteral("/image.jpg"))), picture);
    EXPECT_EQ(filesOnServer(*server, QStringLiteral("/")), QStringList{"image.jpg"});
    EXPECT_EQ(server->commands(QStringLiteral("USER")).size(), 1);
    EXPECT_EQ(server->commands(QStringLiteral("STOR")), QStringList{"STOR .image.jpg.part"});
    EXPECT_EQ(server->commands(QStringLiteral("RNTO")), QStringList{"RNTO image.jpg"});
    EXPECT_TRUE(server->commands(QStringLiteral("CWD")).isEmpty()) << "no folder set";
    EXPECT_EQ(lines.shown, (QStringList{kConnecting, kFindingHost, kSending}));
    EXPECT_EQ(readFile(folder->path(QStringLiteral("image.jpg"))), picture) << "kept locally";
}

TEST_F(FtpUploadTest, FoldersAbsoluteOrBelowTheLoginFolderWithSpacesAndCyrillicIntact) {
    FtpServerSetup setup;
    setup.startFolder = QStringLiteral("/дом");
    const auto server = TestServer::ftp(setup);
    server->makeFolder(QStringLiteral("/дом/Фото архив/2026 год"));
    server->makeFolder(QStringLiteral("/Фото архив/2026 год"));
    pointAt(*server, FtpOnlyService, setup);
    settings.FtpFileName = QStringLiteral("ignored.jpg");
    const QString name = QStringLiteral("снимок 06.12.2026 8 05.jpg");
    const QByteArray picture = writePicture(name);

    settings.FtpDirectory = QStringLiteral("Фото архив/2026 год");
    upload(name);
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(readFile(server->path(QStringLiteral("/дом/Фото архив/2026 год/") + name)), picture);
    EXPECT_EQ(server->commands(QStringLiteral("CWD")).last(),
              QStringLiteral("CWD Фото архив/2026 год"));
    EXPECT_EQ(server->commands(QStringLiteral("USER")).size(), 1) << "one login for all steps";
    EXPECT_EQ(lines.shown,
              (QStringList{kConnecting, kFindingHost,
                           QStringLiteral("Переходим в папку Фото архив/2026 год..."), kSending}));

    settings.FtpDirectory = QStringLiteral("/Фото архив/2026 год");
    upload(name);
    EXPECT_EQ(readFile(server->path(QStringLiteral("/Фото архив/2026 год/") + name)), picture);
}

TEST_F(FtpUploadTest, AMissingFolderIsReportedAndThePictureGoesToTheStartFolder) {
    FtpServerSetup setup;
    setup.startFolder = QStringLiteral("/home");
    const auto server = TestServer::ftp(setup);
    pointAt(*server, FtpOnlyService, setup);
    settings.FtpDirectory = QStringLiteral("нет такой");
    const QByteArray picture = writePicture(QStringLiteral("image.jpg"));
    upload();

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(firstLines(messages),
              QStringList{QStringLiteral("Папки нет такой на сервере 127.0.0.1 не существует!")});
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("с которой начинает сервер")));
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(readFile(server->path(QStringLiteral("/home/image.jpg"))), picture);
    EXPECT_EQ(lines.shown,
              (QStringList{kConnecting, kFindingHost,
                           QStringLiteral("Переходим в папку нет такой..."), kSending}));
}

TEST_F(FtpUploadTest, EachFailureShowsTheMessageOfItsStep) {
    FtpServerSetup readOnly;
    readOnly.permissions = QStringLiteral("elr");
    const auto server = TestServer::ftp(readOnly);
    pointAt(*server, FtpOnlyService, readOnly);
    writePicture(QStringLiteral("image.jpg"));

    upload(); // no write permission
    EXPECT_EQ(firstLines(messages), QStringList{kNotSent});
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(lines.shown, (QStringList{kConnecting, kFindingHost, kSending}));
    EXPECT_TRUE(filesOnServer(*server, QStringLiteral("/")).isEmpty());
    upload(QStringLiteral("gone.jpg"));
    EXPECT_EQ(firstLines(messages), QStringList{kNotSent});

    settings.FtpPassword = QStringLiteral("wrong"); // answered 530 at once
    upload();
    ASSERT_EQ(firstLines(messages), QStringList{kLoginRefused});
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(lines.shown, (QStringList{kConnecting, kFindingHost}));
    EXPECT_TRUE(filesOnServer(*server, QStringLiteral("/")).isEmpty());
    settings.FtpPassword = readOnly.password;
    settings.FtpLogin = QStringLiteral("nobody");
    upload();
    EXPECT_EQ(firstLines(messages), QStringList{kLoginRefused});
    settings.FtpPort = closedPort(); // the server is down
    upload();
    EXPECT_EQ(firstLines(messages), QStringList{kNotAnswering});
    settings.FtpHost = QStringLiteral("no such/host");
    upload();
    EXPECT_EQ(
        firstLines(messages),
        QStringList{QStringLiteral("Сервер «no such/host» не отвечает. Передача файла отменена.")});
}

TEST_F(FtpUploadTest, AServerThatStopsAnsweringEndsEachStepWithinItsTimeout) {
    writePicture(QStringLiteral("image.jpg"));
    QElapsedTimer clock;
    SilentListener silent; // never greets
    settings =
        FtpSettings{QStringLiteral("127.0.0.1"), silent.port(), {}, {}, FtpOnlyService, {}, {}};
    clock.start();
    upload();
    EXPECT_LT(clock.elapsed(), 4000);
    EXPECT_EQ(firstLines(messages), QStringList{kNotAnswering});

    for (const char* quiet : {"CWD", "STOR"}) {
        FtpServerSetup setup;
        setup.silentCommand = QString::fromLatin1(quiet);
        const auto server = TestServer::ftp(setup);
        server->makeFolder(QStringLiteral("/pics"));
        pointAt(*server, FtpOnlyService, setup);
        settings.FtpDirectory = QStringLiteral("pics");
        clock.start();
        upload();
        EXPECT_LT(clock.elapsed(), 4000) << quiet;
        if (setup.silentCommand == QStringLiteral("CWD")) { // reported, and the picture goes on
            EXPECT_EQ(firstLines(messages), QStringList{QStringLiteral(
                                                "Папки pics на сервере 127.0.0.1 не существует!")});
            EXPECT_TRUE(QFile::exists(server->path(QStringLiteral("/image.jpg"))));
        } else {
            EXPECT_EQ(firstLines(messages), QStringList{kNotSent});
        }
    }
}

// A server may answer each command just within the limit for an answer; the whole
// upload still ends by its own deadline.
TEST_F(FtpUploadTest, AServerSlowAtEveryAnswerIsGivenUpAtTheUploadsDeadline) {
    FtpServerSetup setup;
    setup.replyDelaySeconds = 0.6; // the limit for an answer is 1 s
    const auto server = TestServer::ftp(setup);
    pointAt(*server, FtpOnlyService, setup);
    TransportOptions& limits = options();
    limits.connectTimeout = std::chrono::seconds(10); // the login alone takes three answers
    limits.uploadTimeBase = std::chrono::milliseconds(2500);
    limits.slowestRate = std::int64_t(1) << 40;
    const QByteArray picture = writePicture(QStringLiteral("image.jpg"));
    upload();

    ASSERT_EQ(firstLines(messages), QStringList{kOutOfTime});
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
    EXPECT_FALSE(QFile::exists(server->path(QStringLiteral("/image.jpg"))));
    EXPECT_EQ(readFile(folder->path(QStringLiteral("image.jpg"))), picture);
}

TEST_F(FtpUploadTest, AnHttpAnswerIsJudgedByItsStatusWithoutWaitingForItsBody) {
    HttpServerSetup trickling;
    trickling.trickle = true; // a body of a byte every half second, for 20 s
    const auto server = TestServer::http(trickling);
    ASSERT_NE(server->port(), 0) << server->failure().toStdString();
    settings = FtpSettings{QStringLiteral("127.0.0.1"),
                           server->port(),
                           trickling.user,
                           trickling.password,
                           HttpService,
                           QString(),
                           QString()};
    // An upload that waited for the body would meet its deadline first.
    options().uploadTimeBase = std::chrono::seconds(5);
    options().slowestRate = std::int64_t(1) << 40;
    const QByteArray picture = writePicture(QStringLiteral("image.jpg"));
    upload();
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(readFile(server->path(QStringLiteral("/image.jpg"))), picture);
    EXPECT_EQ(server->events(), QStringList{"PUT /image.jpg 201"});

    HttpServerSetup failing = trickling;
    failing.status = 500;
    const auto broken = TestServer::http(failing);
    ASSERT_NE(broken->port(), 0) << broken->failure().toStdString();
    settings.FtpPort = broken->port();
    upload();
    EXPECT_EQ(firstLines(messages), QStringList{kNotSent});
    EXPECT_EQ(broken->events(), QStringList{"PUT /image.jpg 500"});
}

TEST_F(FtpUploadTest, ActiveModeFallsBackToPassiveAndARefusedRenameResendsUnderTheOwnName) {
    FtpServerSetup setup;
    setup.noActiveMode = true;
    setup.permissions = QStringLiteral("elrwd"); // write and delete, no rename
    const auto server = TestServer::ftp(setup);
    pointAt(*server, FtpOnlyService, setup);
    const QByteArray picture = writePicture(QStringLiteral("image.jpg"));
    upload();

    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(readFile(server->path(QStringLiteral("/image.jpg"))), picture);
    EXPECT_EQ(filesOnServer(*server, QStringLiteral("/")), QStringList{"image.jpg"})
        << "the part file is cleared away";
    EXPECT_EQ(server->commands(QStringLiteral("STOR")),
              (QStringList{"STOR .image.jpg.part", "STOR image.jpg"}));
    EXPECT_FALSE(server->commands(QStringLiteral("EPRT")).isEmpty()) << "active mode first";
    EXPECT_FALSE(server->commands(QStringLiteral("EPSV")).isEmpty()) << "then passive";
    EXPECT_EQ(server->commands(QStringLiteral("USER")).size(), 1);
}

TEST_F(FtpUploadTest, AutoUsesTlsWhenOfferedSoThePasswordNeverCrossesInClear) {
    FtpServerSetup setup;
    setup.tls = true; // refuses a login or a transfer without TLS
    const auto server = TestServer::ftp(setup);
    pointAt(*server, AutoService, setup);
    options().trustedAuthorities = server->certificate();
    const QByteArray picture = writePicture(QStringLiteral("image.jpg"));
    upload();

    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(readFile(server->path(QStringLiteral("/image.jpg"))), picture);
    const QStringList events = server->events();
    ASSERT_FALSE(events.isEmpty());
    EXPECT_EQ(events.first(), QStringLiteral("clear AUTH TLS"));
    for (const QString& event : events.mid(1))
        EXPECT_TRUE(event.startsWith(QStringLiteral("tls "))) << event.toStdString();
    EXPECT_EQ(server->commands(QStringLiteral("PROT")), QStringList{"PROT P"}) << "data too";

    settings.FtpServiceType = FtpOnlyService; // plain FTP: this server refuses it
    upload();
    EXPECT_EQ(firstLines(messages), QStringList{kNotAnswering});

    // A certificate that no trusted authority signed stops "Авто" before the login,
    // with no fallback to plain FTP.
    settings.FtpServiceType = AutoService;
    options().trustedAuthorities.clear();
    upload();
    EXPECT_EQ(firstLines(messages), QStringList{kNotAnswering});
    EXPECT_EQ(server->commands(QStringLiteral("USER")).size(), 2) << "the TLS and the plain one";
    EXPECT_EQ(server->commands(QStringLiteral("PASS")).size(), 1) << "never in clear";
}

TEST_F(FtpUploadTest, HttpPutsTheFileWithBasicAuthenticationAndReportsARefusal) {
    const auto server = TestServer::http(QStringLiteral("snap"), QStringLiteral("пароль"));
    ASSERT_NE(server->port(), 0) << server->failure().toStdString();
    server->makeFolder(QStringLiteral("/веб камера/сегодня"));
    settings = FtpSettings{QStringLiteral("127.0.0.1"),
                           server->port(),
                           QStringLiteral("snap"),
                           QStringLiteral("пароль"),
                           HttpService,
                           QStringLiteral("/веб камера/сегодня"),
                           QString()};
    const QString name = QStringLiteral("снимок 1.jpg");
    const QByteArray picture = writePicture(name);
    upload(name);
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(readFile(server->path(QStringLiteral("/веб камера/сегодня/") + name)), picture);

    settings.FtpDirectory = QStringLiteral("нет такой");
    upload(name);
    EXPECT_EQ(firstLines(messages), QStringList{kNotSent}) << "404";
    settings.FtpDirectory.clear();
    settings.FtpPassword = QStringLiteral("wrong");
    upload(name);
    ASSERT_EQ(firstLines(messages), QStringList{kLoginRefused}) << "401";
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
    EXPECT_FALSE(QFile::exists(server->path(QStringLiteral("/") + name)));
    settings.FtpPort = closedPort();
    upload(name);
    EXPECT_EQ(firstLines(messages), QStringList{kNotAnswering});
}

// The program always connects straight to the server: a proxy from the environment
// would turn FTP into an HTTP proxy's requests, which know no folders or renames.
TEST_F(FtpUploadTest, ProxiesFromTheEnvironmentAreNotUsed) {
    const QString deadProxy = QStringLiteral("http://127.0.0.1:%1").arg(closedPort());
    const auto ftp = TestServer::ftp();
    const auto http = TestServer::http(QStringLiteral("snap"), QStringLiteral("cam"));
    ASSERT_NE(http->port(), 0) << http->failure().toStdString();
    const std::vector<const char*> names{"ftp_proxy", "http_proxy", "all_proxy", "ALL_PROXY"};
    for (const char* name : names)
        qputenv(name, deadProxy.toUtf8());
    const auto unset = qScopeGuard([&] {
        for (const char* name : names)
            qunsetenv(name);
    });
    pointAt(*ftp, AutoService);
    const QByteArray picture = writePicture(QStringLiteral("image.jpg"));
    upload();
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(readFile(ftp->path(QStringLiteral("/image.jpg"))), picture);

    settings = FtpSettings{QStringLiteral("127.0.0.1"),
                           http->port(),
                           QStringLiteral("snap"),
                           QStringLiteral("cam"),
                           HttpService,
                           QString(),
                           QString()};
    upload();
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join(u'|').toStdString();
    EXPECT_EQ(readFile(http->path(QStringLiteral("/image.jpg"))), picture);
}

TEST_F(FtpUploadTest, ServicesWithoutATransportSayWhyAndSendNothing) {
    const auto server = TestServer::ftp();
    writePicture(QStringLiteral("image.jpg"));
    const std::map<std::int32_t, QString> why{
        {GopherService, QStringLiteral("GOPHER не поддерживается")},
        {NoFtpService, QStringLiteral("Тип сервиса не выбран")},
        {7, QStringLiteral("Неизвестный тип сервиса 7")}, // ftp.ini may hold any number
    };
    for (const auto& [service, text] : why) {
        pointAt(*server, service);
        upload();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_TRUE(messages.shown[0].text.contains(text)) << service;
    }
    EXPECT_TRUE(server->events().isEmpty()) << "nothing reached the server";
}

// A line break sent with a command ends it and starts one of the text's own: with the
// right password before it, "DELE victim.jpg" would run. ftp.ini may hold a tab or any
// other control byte, and a picture's name comes from elsewhere than the settings.
TEST_F(FtpUploadTest, AControlCharacterInASettingOrTheNameIsRefusedBeforeAnyConnection) {
    FtpServerSetup setup;
    const auto server = TestServer::ftp(setup);
    server->makeFolder(QStringLiteral("/pics"));
    QFile victim(server->path(QStringLiteral("/victim.jpg")));
    ASSERT_TRUE(victim.open(QIODevice::WriteOnly));
    victim.write("keep me");
    victim.close();
    writePicture(QStringLiteral("image.jpg"));
    const QString dele = QStringLiteral("\r\nDELE victim.jpg");
    const auto refusal = [](const QString& caption) {
        return QStringLiteral("В поле \"%1\" настроек FTP есть управляющий символ (например, "
                              "перевод строки). Передача файла отменена.")
            .arg(caption);
    };

    const std::vector<std::tuple<QString FtpSettings::*, QString, QString>> fields{
        {&FtpSettings::FtpPassword, setup.password + dele, QStringLiteral("Пароль")},
        {&FtpSettings::FtpLogin, setup.user + QStringLiteral("\r\nPASS ") + setup.password + dele,
         QStringLiteral("Логин")},
        {&FtpSettings::FtpHost, QStringLiteral("127.0.0.1") + dele, QStringLiteral("Имя хоста")},
        {&FtpSettings::FtpDirectory, QStringLiteral("pics") + dele, QStringLiteral("Директория")},
        {&FtpSettings::FtpPassword, setup.password + QStringLiteral("\t"),
         QStringLiteral("Пароль")},
        {&FtpSettings::FtpLogin, setup.user + QChar(0), QStringLiteral("Логин")},
        {&FtpSettings::FtpDirectory, QStringLiteral("pics") + QChar(0x7F),
         QStringLiteral("Директория")}};
    for (const auto& [field, value, caption] : fields) {
        pointAt(*server, FtpOnlyService, setup);
        settings.*field = value;
        upload();
        ASSERT_EQ(firstLines(messages), QStringList{refusal(caption)}) << caption.toStdString();
        EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
    }

    const QString name = QStringLiteral("image.jpg") + dele;
    writePicture(name);
    pointAt(*server, FtpOnlyService, setup);
    upload(name);
    EXPECT_EQ(firstLines(messages),
              QStringList{QStringLiteral("В имени отсылаемого файла есть управляющий символ "
                                         "(например, перевод строки). Передача файла отменена.")});

    EXPECT_EQ(readFile(server->path(QStringLiteral("/victim.jpg"))), "keep me");
    EXPECT_TRUE(server->events().isEmpty()) << server->events().join(u'|').toStdString();
    EXPECT_TRUE(QFile::exists(folder->path(QStringLiteral("image.jpg")))) << "kept locally";
}

TEST(RemoteUrl, PortZeroIsTheProtocolsDefaultAndHostsAreMadeSafe) {
    EXPECT_EQ(serverUrl(QStringLiteral("ftp"), QStringLiteral("127.0.0.1"), 0), "ftp://127.0.0.1");
    EXPECT_EQ(serverUrl(QStringLiteral("ftp"), QStringLiteral("::1"), 2121), "ftp://[::1]:2121");
    EXPECT_EQ(serverUrl(QStringLiteral("http"), QStringLiteral("фото.рф"), 0),
              "http://xn--n1aalg.xn--p1ai");
    EXPECT_TRUE(serverUrl(QStringLiteral("ftp"), QStringLiteral("user@host"), 21).isEmpty());
}
