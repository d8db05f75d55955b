<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru_RU">
<context>
    <name>AppError</name>
    <message>
        <source>Камера</source>
        <translation>Camera</translation>
    </message>
    <message>
        <source>Диск</source>
        <translation>Disk</translation>
    </message>
    <message>
        <source>FTP</source>
        <translation>FTP</translation>
    </message>
</context>
<context>
    <name>AtomicFile</name>
    <message>
        <source>Не удалось записать файл %1: %2</source>
        <translation>Could not write the file %1: %2</translation>
    </message>
</context>
<context>
    <name>CameraCapture</name>
    <message>
        <source>События камеры не прочитаны</source>
        <translation>The camera&apos;s events could not be read</translation>
    </message>
    <message>
        <source>Снимок не сделан</source>
        <translation>No picture taken</translation>
    </message>
    <message>
        <source>Камера не сообщила о снимке</source>
        <translation>The camera did not report the picture</translation>
    </message>
    <message>
        <source>Камера не сообщила о снимке за %1 с</source>
        <translation>The camera did not report the picture within %1 s</translation>
    </message>
    <message>
        <source>Куда камера сохраняет снимки</source>
        <translation>Where the camera stores pictures</translation>
    </message>
    <message>
        <source>Снимок для просмотра не сделан</source>
        <translation>No preview taken</translation>
    </message>
</context>
<context>
    <name>CameraConfig</name>
    <message>
        <source>Настройка «%1» не изменена</source>
        <translation>Setting &quot;%1&quot; not changed</translation>
    </message>
    <message>
        <source>Настройка «%1» задаётся на самой камере (сейчас «%2»)</source>
        <translation>Setting &quot;%1&quot; is set on the camera itself (now &quot;%2&quot;)</translation>
    </message>
    <message>
        <source>Настройка камеры %1 не прочитана</source>
        <translation>Camera setting %1 could not be read</translation>
    </message>
</context>
<context>
    <name>CameraError</name>
    <message>
        <source>Освободите место на карте: удалите с нее снимки или снимите &quot;Сохранять на флэшке камеры&quot;, чтобы снимки уходили с карты, как только сохранены на диске.</source>
        <translation>Free some space on the card: delete pictures from it, or untick &quot;Keep on the camera&apos;s card&quot; so that pictures leave the card as soon as they are saved on disk.</translation>
    </message>
</context>
<context>
    <name>CameraFactory</name>
    <message>
        <source>--camera=simulator: needs a folder after the colon</source>
        <translation>--camera=simulator: needs a folder after the colon</translation>
    </message>
    <message>
        <source>--port is for real cameras; the simulated camera has none</source>
        <translation>--port is for real cameras; the simulated camera has none</translation>
    </message>
    <message>
        <source>this build has no real cameras (libgphoto2); use --camera=simulator or --camera=simulator:FOLDER</source>
        <translation>this build has no real cameras (libgphoto2); use --camera=simulator or --camera=simulator:FOLDER</translation>
    </message>
    <message>
        <source>--port is for real cameras, and this build has none</source>
        <translation>--port is for real cameras, and this build has none</translation>
    </message>
    <message>
        <source>unknown camera &quot;%1&quot;; use --camera=gphoto2, --camera=simulator or --camera=simulator:FOLDER</source>
        <translation>unknown camera &quot;%1&quot;; use --camera=gphoto2, --camera=simulator or --camera=simulator:FOLDER</translation>
    </message>
</context>
<context>
    <name>CameraPort</name>
    <message>
        <source>needs the bus and device numbers as &quot;gphoto2 --auto-detect&quot; lists them, e.g. --port=usb:001,005</source>
        <translation>needs the bus and device numbers as &quot;gphoto2 --auto-detect&quot; lists them, e.g. --port=usb:001,005</translation>
    </message>
    <message>
        <source>needs the camera&apos;s IPv4 address (host names are not looked up), e.g. --port=ptpip:192.168.1.10 or --port=ptpip:192.168.1.10:15740:15740</source>
        <translation>needs the camera&apos;s IPv4 address (host names are not looked up), e.g. --port=ptpip:192.168.1.10 or --port=ptpip:192.168.1.10:15740:15740</translation>
    </message>
    <message>
        <source>ports run from 1 to 65535, e.g. --port=ptpip:192.168.1.10:15740:15740</source>
        <translation>ports run from 1 to 65535, e.g. --port=ptpip:192.168.1.10:15740:15740</translation>
    </message>
    <message>
        <source>not a port Snapdeck can use (USB and PTP/IP cameras only), e.g. --port=usb:001,005 or --port=ptpip:192.168.1.10</source>
        <translation>not a port Snapdeck can use (USB and PTP/IP cameras only), e.g. --port=usb:001,005 or --port=ptpip:192.168.1.10</translation>
    </message>
</context>
<context>
    <name>CameraSession</name>
    <message>
        <source>                   Камера не обнаружена!<byte value="xd"/>
         - Проверьте, что камера включена<byte value="xd"/>
          и переведена в режим управления.<byte value="xd"/>
- Проверьте кабель USB и режим USB камеры: PTP (&quot;ПК&quot;, &quot;Remote&quot;),<byte value="xd"/>
  не &quot;Mass storage&quot;.<byte value="xd"/>
- Закройте программу, открывшую камеру как диск: в файловом<byte value="xd"/>
  менеджере &quot;Извлечь&quot;, или команда gio mount -s gphoto2.<byte value="xd"/>
- Команда gphoto2 --auto-detect должна показать камеру.</source>
        <translation>                   No camera found!<byte value="xd"/>
         - Check that the camera is switched on<byte value="xd"/>
          and set to remote control.<byte value="xd"/>
- Check the USB cable and the camera&apos;s USB mode: PTP (&quot;PC&quot;, &quot;Remote&quot;),<byte value="xd"/>
  not &quot;Mass storage&quot;.<byte value="xd"/>
- Close the program that opened the camera as a disk: &quot;Eject&quot;<byte value="xd"/>
  in the file manager, or the command gio mount -s gphoto2.<byte value="xd"/>
- The command gphoto2 --auto-detect must list the camera.</translation>
    </message>
    <message>
        <source>Ошибка инициализации камеры!<byte value="xd"/>
Проверьте, что камера подключена и включена, и запустите программу снова.</source>
        <translation>The camera could not be initialized!<byte value="xd"/>
Check that the camera is connected and switched on, and start the program again.</translation>
    </message>
</context>
<context>
    <name>CameraSettings</name>
    <message>
        <source>Размер изображения</source>
        <translation>Image size</translation>
    </message>
    <message>
        <source>Режим экспозиции</source>
        <translation>Exposure mode</translation>
    </message>
    <message>
        <source>Баланс белого</source>
        <translation>White balance</translation>
    </message>
    <message>
        <source>Режим вспышки</source>
        <translation>Flash mode</translation>
    </message>
    <message>
        <source>Значение выдержки</source>
        <translation>Shutter speed</translation>
    </message>
    <message>
        <source>Значение диафрагмы</source>
        <translation>Aperture</translation>
    </message>
    <message>
        <source>Светочувствительность</source>
        <translation>ISO speed</translation>
    </message>
    <message>
        <source>Режим экрана</source>
        <translation>Screen mode</translation>
    </message>
    <message>
        <source>Режим фокусировки</source>
        <translation>Focus mode</translation>
    </message>
    <message>
        <source>Камера не предлагает значение «%1» для настройки «%2»</source>
        <translation>The camera offers no value &quot;%1&quot; for the setting &quot;%2&quot;</translation>
    </message>
    <message>
        <source>Авто</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Авто выключено</source>
        <translation>Auto off</translation>
    </message>
    <message>
        <source>Недопустимое значение настройки «%1»: %2</source>
        <translation>Invalid value of the setting &quot;%1&quot;: %2</translation>
    </message>
</context>
<context>
    <name>Capture</name>
    <message>
        <source>Экспозиция...</source>
        <translation>Exposing...</translation>
    </message>
    <message>
        <source>Камера сообщила неверный размер снимка: %1</source>
        <translation>The camera reported a wrong picture size: %1</translation>
    </message>
    <message>
        <source>Запись файла</source>
        <translation>Writing the file</translation>
    </message>
    <message>
        <source>Камера передала %1 байт снимка из %2.</source>
        <translation>The camera sent %1 of the picture&apos;s %2 bytes.</translation>
    </message>
    <message>
        <source>Снимок не сделан.</source>
        <translation>No picture was taken.</translation>
    </message>
    <message>
        <source>Снимок остался на карте памяти камеры.</source>
        <translation>The picture stayed on the camera&apos;s memory card.</translation>
    </message>
    <message>
        <source>Снимок сохранен в файле %1; на карте памяти он тоже остался.</source>
        <translation>The picture was saved in the file %1; it also stayed on the memory card.</translation>
    </message>
    <message>
        <source>Снимок сохранен в файле %1.</source>
        <translation>The picture was saved in the file %1.</translation>
    </message>
</context>
<context>
    <name>CardPictures</name>
    <message>
        <source>Снимки на камере не прочитаны</source>
        <translation>The pictures on the camera could not be read</translation>
    </message>
    <message>
        <source>Только что сделанного снимка %1 нет на карте камеры</source>
        <translation>The picture just taken, %1, is not on the camera&apos;s card</translation>
    </message>
    <message>
        <source>Свободное место на карте не прочитано</source>
        <translation>The card&apos;s free space could not be read</translation>
    </message>
    <message>
        <source>На камере нет снимка номер %1 (снимков на карте: %2)</source>
        <translation>The camera has no picture number %1 (pictures on the card: %2)</translation>
    </message>
    <message>
        <source>Размер снимка %1 не прочитан</source>
        <translation>The size of picture %1 could not be read</translation>
    </message>
    <message>
        <source>Удаление снимка %1 не проверено</source>
        <translation>The deletion of picture %1 could not be checked</translation>
    </message>
    <message>
        <source>Снимок %1 не удалён</source>
        <translation>Picture %1 not deleted</translation>
    </message>
    <message>
        <source>Камера отказалась удалить снимок %1, он остался на карте (libgphoto2: %2)</source>
        <translation>The camera refused to delete picture %1; it stayed on the card (libgphoto2: %2)</translation>
    </message>
    <message>
        <source>Камера сообщила, что удалила снимок %1, но он остался на карте</source>
        <translation>The camera reported picture %1 deleted, but it is still on the card</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Snapdeck drives a camera tethered to this computer: settings, preview, capture, interval shooting and upload to an FTP server.
Files are written into the current folder.</source>
        <translation>Snapdeck drives a camera tethered to this computer: settings, preview, capture, interval shooting and upload to an FTP server.
Files are written into the current folder.</translation>
    </message>
    <message>
        <source>Show this help and quit.</source>
        <translation>Show this help and quit.</translation>
    </message>
    <message>
        <source>Show the program&apos;s version and quit.</source>
        <translation>Show the program&apos;s version and quit.</translation>
    </message>
    <message>
        <source>The camera to use: &quot;gphoto2&quot; (a real camera through libgphoto2, the default), &quot;simulator&quot; (the built-in simulated camera), &quot;simulator:FOLDER&quot; (its memory card kept in FOLDER, optional FOLDER/camera.ini; renaming FOLDER unplugs it).</source>
        <translation>The camera to use: &quot;gphoto2&quot; (a real camera through libgphoto2, the default), &quot;simulator&quot; (the built-in simulated camera), &quot;simulator:FOLDER&quot; (its memory card kept in FOLDER, optional FOLDER/camera.ini; renaming FOLDER unplugs it).</translation>
    </message>
    <message>
        <source>CAMERA</source>
        <translation>CAMERA</translation>
    </message>
    <message>
        <source>Where a real camera is connected, for cameras that are not found by themselves: usb:BUS,DEVICE (e.g. usb:001,005), ptpip:ADDRESS (port 15740), ptpip:ADDRESS:PORT or ptpip:ADDRESS:PORT:EVENTPORT; ADDRESS is the camera&apos;s IPv4 address.</source>
        <translation>Where a real camera is connected, for cameras that are not found by themselves: usb:BUS,DEVICE (e.g. usb:001,005), ptpip:ADDRESS (port 15740), ptpip:ADDRESS:PORT or ptpip:ADDRESS:PORT:EVENTPORT; ADDRESS is the camera&apos;s IPv4 address.</translation>
    </message>
    <message>
        <source>PORT</source>
        <translation>PORT</translation>
    </message>
    <message>
        <source>Start, take one picture, save the window as a PNG file and quit (for documentation).</source>
        <translation>Start, take one picture, save the window as a PNG file and quit (for documentation).</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>Run without a window, as an unattended time-lapse or webcam station, from the configuration FILE (see station.ini.example); no display needed.</source>
        <translation>Run without a window, as an unattended time-lapse or webcam station, from the configuration FILE (see station.ini.example); no display needed.</translation>
    </message>
    <message>
        <source>With --station: only check FILE and quit (status 0 when it is good, 2 when not).</source>
        <translation>With --station: only check FILE and quit (status 0 when it is good, 2 when not).</translation>
    </message>
    <message>
        <source>The program&apos;s language: ru (Russian) or en (English). Without it, English when LC_ALL, LC_MESSAGES or LANG (the first of them that is set) starts with &quot;en&quot;, else Russian.</source>
        <translation>The program&apos;s language: ru (Russian) or en (English). Without it, English when LC_ALL, LC_MESSAGES or LANG (the first of them that is set) starts with &quot;en&quot;, else Russian.</translation>
    </message>
    <message>
        <source>LANGUAGE</source>
        <translation>LANGUAGE</translation>
    </message>
    <message>
        <source>--lang=%1: the program speaks ru (Russian) and en (English)</source>
        <translation>--lang=%1: the program speaks ru (Russian) and en (English)</translation>
    </message>
    <message>
        <source>--check checks a station&apos;s configuration: give --station=FILE</source>
        <translation>--check checks a station&apos;s configuration: give --station=FILE</translation>
    </message>
    <message>
        <source>--station takes the camera from its configuration file; --camera, --port and --screenshot are for the window</source>
        <translation>--station takes the camera from its configuration file; --camera, --port and --screenshot are for the window</translation>
    </message>
    <message>
        <source>With --screenshot: the window to save, &quot;main&quot; (the default) or &quot;ftp-settings&quot;.</source>
        <translation>With --screenshot: the window to save, &quot;main&quot; (the default) or &quot;ftp-settings&quot;.</translation>
    </message>
    <message>
        <source>WINDOW</source>
        <translation>WINDOW</translation>
    </message>
    <message>
        <source>--screenshot-of takes &quot;main&quot; or &quot;ftp-settings&quot;, not &quot;%1&quot;</source>
        <translation>--screenshot-of takes &quot;main&quot; or &quot;ftp-settings&quot;, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--screenshot-of goes with --screenshot=FILE</source>
        <translation>--screenshot-of goes with --screenshot=FILE</translation>
    </message>
</context>
<context>
    <name>ConnectionCheck</name>
    <message>
        <source>Этот тип сервиса не отсылает снимков: выберите &quot;Авто&quot;, &quot;FTP&quot; или &quot;HTTP&quot;.</source>
        <translation>This service type sends no pictures: choose &quot;Auto&quot;, &quot;FTP&quot; or &quot;HTTP&quot;.</translation>
    </message>
    <message>
        <source>В настройках есть управляющий символ (например, перевод строки): соединение не проверено.</source>
        <translation>The settings hold a control character (a line break, for example): the connection was not checked.</translation>
    </message>
    <message>
        <source>Сетевая библиотека не запустилась: соединение не проверено.</source>
        <translation>The network library did not start: the connection was not checked.</translation>
    </message>
    <message>
        <source>Сервер «%1» отказал во входе: проверьте логин и пароль.</source>
        <translation>The server &quot;%1&quot; refused the login: check the login and the password.</translation>
    </message>
    <message>
        <source>Сервер «%1» не ответил в отведенное время: проверьте соединение.</source>
        <translation>The server &quot;%1&quot; did not answer in time: check the connection.</translation>
    </message>
    <message>
        <source>Сервер «%1» не отвечает: проверьте имя хоста и порт и что сервер работает.</source>
        <translation>The server &quot;%1&quot; does not answer: check the host name and the port, and that the server is running.</translation>
    </message>
    <message>
        <source>Сервер «%1» отвечает. Примет ли он снимок, покажет первая отсылка.</source>
        <translation>The server &quot;%1&quot; answers. The first upload will show whether it takes a picture.</translation>
    </message>
    <message>
        <source>Вход на сервер «%1» выполнен. Снимки пойдут в папку, с которой начинает сервер.</source>
        <translation>Logged in to the server &quot;%1&quot;. Pictures will go to the folder the server starts in.</translation>
    </message>
    <message>
        <source>Вход на сервер «%1» выполнен, папка «%2» на месте.</source>
        <translation>Logged in to the server &quot;%1&quot;; the folder &quot;%2&quot; is there.</translation>
    </message>
    <message>
        <source>Вход на сервер «%1» выполнен, но папки «%2» на сервере нет: снимки пойдут в папку, с которой начинает сервер.</source>
        <translation>Logged in to the server &quot;%1&quot;, but the server has no folder &quot;%2&quot;: pictures will go to the folder the server starts in.</translation>
    </message>
</context>
<context>
    <name>ConnectionMonitor</name>
    <message>
        <source>Камера не подключена!</source>
        <translation>The camera is not connected!</translation>
    </message>
    <message>
        <source>Прекратить попытки</source>
        <translation>Stop trying</translation>
    </message>
</context>
<context>
    <name>ErrorTrap</name>
    <message>
        <source>Недостаточно памяти</source>
        <translation>Out of memory</translation>
    </message>
</context>
<context>
    <name>ExposureChoices</name>
    <message>
        <source>%1 с</source>
        <translation>%1 s</translation>
    </message>
</context>
<context>
    <name>FileDownload</name>
    <message>
        <source>Снимок %1 не скопирован с камеры</source>
        <translation>Picture %1 not copied from the camera</translation>
    </message>
</context>
<context>
    <name>FtpIniFormat</name>
    <message>
        <source>В файле %1 значение %2%3 вне допустимых пределов (%4).</source>
        <translation>In the file %1 the value %2%3 is out of range (%4).</translation>
    </message>
    <message>
        <source>Кодировка Windows-1251 недоступна: файл %1 не прочитан.</source>
        <translation>The Windows-1251 encoding is not available: the file %1 was not read.</translation>
    </message>
    <message>
        <source>от 0 до 65535</source>
        <translation>from 0 to 65535</translation>
    </message>
    <message>
        <source>от -32768 до 32767</source>
        <translation>from -32768 to 32767</translation>
    </message>
</context>
<context>
    <name>FtpSettings</name>
    <message>
        <source>Авто</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Имя хоста</source>
        <translation>Host name</translation>
    </message>
    <message>
        <source>Порт</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Логин</source>
        <translation>Login</translation>
    </message>
    <message>
        <source>Пароль</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Тип сервиса</source>
        <translation>Service type</translation>
    </message>
    <message>
        <source>Директория</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>Имя файла</source>
        <translation>File name</translation>
    </message>
</context>
<context>
    <name>FtpSettingsFile</name>
    <message>
        <source>Не удалось прочитать файл %1: %2</source>
        <translation>Could not read the file %1: %2</translation>
    </message>
    <message>
        <source>это папка</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>это не файл</source>
        <translation>it is not a file</translation>
    </message>
    <message>
        <source>Файл %1 слишком велик для файла настроек</source>
        <translation>The file %1 is too large for a settings file</translation>
    </message>
</context>
<context>
    <name>FtpUpload</name>
    <message>
        <source>Тип сервиса GOPHER не поддерживается: файл не отослан.<byte value="xd"/>
Выберите в настройках FTP тип сервиса &quot;Авто&quot;, &quot;FTP&quot; или &quot;HTTP&quot;.</source>
        <translation>The service type GOPHER is not supported: the file was not sent.<byte value="xd"/>
Choose the service type &quot;Auto&quot;, &quot;FTP&quot; or &quot;HTTP&quot; in the FTP settings.</translation>
    </message>
    <message>
        <source>Тип сервиса не выбран: файл не отослан.<byte value="xd"/>
Выберите его в настройках FTP.</source>
        <translation>No service type is chosen: the file was not sent.<byte value="xd"/>
Choose one in the FTP settings.</translation>
    </message>
    <message>
        <source>Неизвестный тип сервиса %1: файл не отослан.</source>
        <translation>Unknown service type %1: the file was not sent.</translation>
    </message>
    <message>
        <source>В поле &quot;%1&quot; настроек FTP есть управляющий символ (например, перевод строки). Передача файла отменена.</source>
        <translation>The FTP settings&apos; field &quot;%1&quot; holds a control character (a line break, for example). The upload was cancelled.</translation>
    </message>
    <message>
        <source>В имени отсылаемого файла есть управляющий символ (например, перевод строки). Передача файла отменена.</source>
        <translation>The name of the file to send holds a control character (a line break, for example). The upload was cancelled.</translation>
    </message>
    <message>
        <source>Подключаемся к сети...</source>
        <translation>Connecting to the network...</translation>
    </message>
    <message>
        <source>В поле &quot;%1&quot; настроек FTP должно быть одно имя файла, без &quot;/&quot; и &quot;..&quot;: снимок под ним не опубликован.</source>
        <translation>The FTP settings&apos; field &quot;%1&quot; must hold a single file name, without &quot;/&quot; and &quot;..&quot;: the picture was not published under it.</translation>
    </message>
    <message>
        <source>Ищем хост...</source>
        <translation>Looking up the host...</translation>
    </message>
    <message>
        <source>Переходим в папку %1...</source>
        <translation>Changing to the folder %1...</translation>
    </message>
    <message>
        <source>Папки %1 на сервере %2 не существует!<byte value="xd"/>
Снимок отсылается в папку, с которой начинает сервер. Проверьте &quot;Директорию&quot; в &quot;Настройках FTP&quot;.</source>
        <translation>The folder %1 does not exist on the server %2!<byte value="xd"/>
The picture is sent to the folder the server starts in. Check &quot;Folder&quot; in the &quot;FTP settings&quot;.</translation>
    </message>
    <message>
        <source>Отсылаем файл...</source>
        <translation>Sending the file...</translation>
    </message>
    <message>
        <source>Подключение к интернету отсутствует.<byte value="xd"/>
Снимок сохранен на диске, на сервер он не попал. Проверьте подключение к сети.</source>
        <translation>There is no Internet connection.<byte value="xd"/>
The picture was saved on disk but did not reach the server. Check the network connection.</translation>
    </message>
    <message>
        <source>Сервер «%1» не отвечает. Передача файла отменена.<byte value="xd"/>
Снимок сохранен на диске, на сервер он не попал. Проверьте имя хоста и порт в &quot;Настройках FTP&quot; и что сервер работает.</source>
        <translation>The server &quot;%1&quot; does not answer. The upload was cancelled.<byte value="xd"/>
The picture was saved on disk but did not reach the server. Check the host name and port in the &quot;FTP settings&quot; and that the server is running.</translation>
    </message>
    <message>
        <source>Файл не отослан!<byte value="xd"/>
Снимок сохранен на диске, на сервер он не попал. Сервер не принял файл: проверьте права на запись в папку на сервере и место на нем.</source>
        <translation>The file was not sent!<byte value="xd"/>
The picture was saved on disk but did not reach the server. The server did not accept the file: check the write permission of the folder on the server and its free space.</translation>
    </message>
    <message>
        <source>Сервер «%1» отказал во входе: неверный логин или пароль. Передача файла отменена.<byte value="xd"/>
Снимок сохранен на диске, на сервер он не попал. Проверьте логин и пароль в &quot;Настройках FTP&quot;.</source>
        <translation>The server &quot;%1&quot; refused the login: wrong login or password. The upload was cancelled.<byte value="xd"/>
The picture was saved on disk but did not reach the server. Check the login and password in the &quot;FTP settings&quot;.</translation>
    </message>
    <message>
        <source>Передача файла на сервер «%1» не уложилась в отведённое время и отменена. Файл остался на диске.<byte value="xd"/>
Сервер или связь с ним слишком медленны: проверьте соединение.</source>
        <translation>The upload to the server &quot;%1&quot; ran out of time and was cancelled. The file stayed on disk.<byte value="xd"/>
The server or the connection to it is too slow: check the connection.</translation>
    </message>
</context>
<context>
    <name>Gphoto2Camera</name>
    <message>
        <source>Камера не умеет показывать изображение для просмотра: используйте кнопку «Захват»</source>
        <translation>The camera cannot provide a preview: use the &quot;Capture&quot; button</translation>
    </message>
</context>
<context>
    <name>Gphoto2Device</name>
    <message>
        <source>Модель камеры не прочитана</source>
        <translation>The camera&apos;s model could not be read</translation>
    </message>
    <message>
        <source>Камеры номер %1 нет</source>
        <translation>There is no camera number %1</translation>
    </message>
    <message>
        <source>На порту %1 одна камера, номер %2 не подходит</source>
        <translation>The port %1 has one camera; number %2 does not fit</translation>
    </message>
    <message>
        <source>Камеры номер %1 нет (найдено камер: %2)</source>
        <translation>There is no camera number %1 (cameras found: %2)</translation>
    </message>
    <message>
        <source>Камера не открыта</source>
        <translation>The camera is not open</translation>
    </message>
    <message>
        <source>Камера не сообщила о новом снимке JPEG, и на карте его нет. Проверьте, что камера сохраняет снимки в JPEG (не только RAW) и на карту. Снимки на карте не тронуты</source>
        <translation>The camera reported no new JPEG picture, and there is none on the card. Check that the camera stores its pictures as JPEG (not only RAW) and on the card. The pictures on the card were not touched</translation>
    </message>
    <message>
        <source>Камера не сообщила, какой снимок новый, а на карте появилось несколько новых снимков JPEG (%1). Снимок не выбран, снимки на карте не тронуты</source>
        <translation>The camera did not report which picture is new, and several new JPEG pictures appeared on the card (%1). No picture was chosen; the pictures on the card were not touched</translation>
    </message>
</context>
<context>
    <name>Gphoto2Errors</name>
    <message>
        <source>У камеры нет настройки «%1»</source>
        <translation>The camera has no setting &quot;%1&quot;</translation>
    </message>
    <message>
        <source>камера занята другой программой. Обычно её держит служба рабочего стола, которая открывает камеру как диск (gvfs-gphoto2-volume-monitor). Извлеките камеру в файловом менеджере или выполните «gio mount -s gphoto2» и повторите. Чтобы служба больше не занимала камеру: «systemctl --user mask --now gvfs-gphoto2-volume-monitor»</source>
        <translation>the camera is held by another program. Usually the desktop&apos;s service that opens cameras as disks holds it (gvfs-gphoto2-volume-monitor). Eject the camera in the file manager or run &quot;gio mount -s gphoto2&quot;, then try again. To keep the service off the camera for good: &quot;systemctl --user mask --now gvfs-gphoto2-volume-monitor&quot;</translation>
    </message>
    <message>
        <source>камера не найдена</source>
        <translation>camera not found</translation>
    </message>
    <message>
        <source>камера не ответила вовремя</source>
        <translation>the camera did not answer in time</translation>
    </message>
    <message>
        <source>камера этого не умеет</source>
        <translation>the camera cannot do this</translation>
    </message>
    <message>
        <source>камера занята</source>
        <translation>the camera is busy</translation>
    </message>
    <message>
        <source>на карте камеры нет места</source>
        <translation>the camera&apos;s card is full</translation>
    </message>
    <message>
        <source>снимка нет на камере</source>
        <translation>the picture is not on the camera</translation>
    </message>
    <message>
        <source>камера не принимает это значение</source>
        <translation>the camera does not accept this value</translation>
    </message>
    <message>
        <source>такого порта нет</source>
        <translation>no such port</translation>
    </message>
    <message>
        <source>сбой библиотеки libgphoto2</source>
        <translation>libgphoto2 failed</translation>
    </message>
    <message>
        <source>камера не отвечает</source>
        <translation>the camera does not answer</translation>
    </message>
    <message>
        <source>камера сообщила об ошибке</source>
        <translation>the camera reported an error</translation>
    </message>
</context>
<context>
    <name>Gphoto2Session</name>
    <message>
        <source>Драйверы камер не загружены</source>
        <translation>The camera drivers could not be loaded</translation>
    </message>
    <message>
        <source>Порты не найдены</source>
        <translation>No ports found</translation>
    </message>
    <message>
        <source>Порт «%1» не подходит. Примеры: usb:001,005, ptpip:192.168.1.10 или ptpip:192.168.1.10:15740</source>
        <translation>The port &quot;%1&quot; does not fit. Examples: usb:001,005, ptpip:192.168.1.10 or ptpip:192.168.1.10:15740</translation>
    </message>
    <message>
        <source>Камеры не найдены</source>
        <translation>No cameras found</translation>
    </message>
    <message>
        <source>Камера не открыта</source>
        <translation>The camera is not open</translation>
    </message>
</context>
<context>
    <name>IniFile</name>
    <message>
        <source>the file is not UTF-8 text</source>
        <translation>the file is not UTF-8 text</translation>
    </message>
    <message>
        <source>line %1: a section is written [name]</source>
        <translation>line %1: a section is written [name]</translation>
    </message>
    <message>
        <source>line %1: expected &quot;key = value&quot;</source>
        <translation>line %1: expected &quot;key = value&quot;</translation>
    </message>
    <message>
        <source>line %1: %2: unbalanced quotes</source>
        <translation>line %1: %2: unbalanced quotes</translation>
    </message>
    <message>
        <source>line %1: %2: given again (first on line %3)</source>
        <translation>line %1: %2: given again (first on line %3)</translation>
    </message>
</context>
<context>
    <name>IntervalShooting</name>
    <message>
        <source>Следующий снимок - через</source>
        <translation>Next shot in</translation>
    </message>
    <message>
        <source>Не задан интервал</source>
        <translation>No interval set</translation>
    </message>
    <message>
        <source>Неверно указан интервал</source>
        <translation>Invalid interval</translation>
    </message>
    <message>
        <source>#%1, следующий снимок - через %2</source>
        <translation>#%1, next shot in %2</translation>
    </message>
    <message>
        <source>Неверно указано время начала</source>
        <translation>Invalid start time</translation>
    </message>
    <message>
        <source>Неверно указан период работы</source>
        <translation>Invalid working hours</translation>
    </message>
    <message>
        <source>Неверно указано время остановки</source>
        <translation>Invalid stop time</translation>
    </message>
    <message>
        <source>#%1. Время вышло.</source>
        <translation>#%1. Time is up.</translation>
    </message>
    <message>
        <source>Счетчик снимков заполнен</source>
        <translation>The picture counter is full</translation>
    </message>
    <message>
        <source>Неверно указано число снимков</source>
        <translation>Invalid number of pictures</translation>
    </message>
    <message numerus="yes">
        <source>Снято %n снимков.</source>
        <translation>
            <numerusform>%n picture taken.</numerusform>
            <numerusform>%n pictures taken.</numerusform>
        </translation>
    </message>
    <message>
        <source>Следующий снимок - через %1</source>
        <translation>Next shot in %1</translation>
    </message>
</context>
<context>
    <name>LackGatherer</name>
    <message>
        <source>Камера умеет не все, что программа ей задает при запуске:</source>
        <translation>The camera cannot do everything the program sets at start-up:</translation>
    </message>
    <message>
        <source>Остальное работает.</source>
        <translation>Everything else works.</translation>
    </message>
</context>
<context>
    <name>LensControl</name>
    <message>
        <source>Увеличение</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Фокусировка</source>
        <translation>Focus</translation>
    </message>
    <message>
        <source>Положение «%1» вне шкалы %2..%3: %4</source>
        <translation>Position of &quot;%1&quot; outside the scale %2..%3: %4</translation>
    </message>
    <message>
        <source>Увеличение - %1</source>
        <translation>Zoom - %1</translation>
    </message>
    <message>
        <source>Фокусировка - %1</source>
        <translation>Focus - %1</translation>
    </message>
    <message>
        <source>Переполнение: положение %1 не помещается в ползунок</source>
        <translation>Overflow: position %1 does not fit the slider</translation>
    </message>
    <message>
        <source>Недопустимое значение свойства: положение %1 вне диапазона %2..%3 ползунка %4</source>
        <translation>Invalid property value: position %1 outside the range %2..%3 of the slider %4</translation>
    </message>
</context>
<context>
    <name>LibraryThread</name>
    <message>
        <source>Камера не ответила за %1 с</source>
        <translation>The camera did not answer within %1 s</translation>
    </message>
    <message>
        <source>Камера не ответила на прошлую команду и ещё занята ею</source>
        <translation>The camera did not answer the previous command and is still busy with it</translation>
    </message>
</context>
<context>
    <name>LiveView</name>
    <message>
        <source>Камера не передаёт живое изображение</source>
        <translation>The camera does not stream live view</translation>
    </message>
    <message>
        <source>Камера не подключена</source>
        <translation>The camera is not connected</translation>
    </message>
    <message>
        <source>Камера присылает кадры, которые не удаётся прочитать</source>
        <translation>The camera sends frames that cannot be read</translation>
    </message>
</context>
<context>
    <name>Message</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>PictureFiles</name>
    <message>
        <source>Не удалось показать снимок %1: %2</source>
        <translation>Could not show the picture %1: %2</translation>
    </message>
</context>
<context>
    <name>QtMessagePresenter</name>
    <message>
        <source>Код ошибки: %1</source>
        <translation>Error code: %1</translation>
    </message>
</context>
<context>
    <name>SettingTables</name>
    <message>
        <source>Авто</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Вручную</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>Дневной</source>
        <translation>Daylight</translation>
    </message>
    <message>
        <source>Флюоресцентный</source>
        <translation>Fluorescent</translation>
    </message>
    <message>
        <source>Лампы накаливания</source>
        <translation>Incandescent</translation>
    </message>
    <message>
        <source>Флюоресцент дневной</source>
        <translation>Fluorescent daylight</translation>
    </message>
    <message>
        <source>Флюоресцент нейтральный</source>
        <translation>Fluorescent neutral</translation>
    </message>
    <message>
        <source>Флюоресцент белый</source>
        <translation>Fluorescent white</translation>
    </message>
    <message>
        <source>Облачно</source>
        <translation>Cloudy</translation>
    </message>
    <message>
        <source>Включено</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Выключено</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Red eye</source>
        <translation>Red-eye</translation>
    </message>
    <message>
        <source>Slow Sync</source>
        <translation>Slow sync</translation>
    </message>
    <message>
        <source>Выключен</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Включен</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Просмотр</source>
        <translation>Review</translation>
    </message>
    <message>
        <source>Макро АФ</source>
        <translation>Macro AF</translation>
    </message>
</context>
<context>
    <name>SimulatedCamera</name>
    <message>
        <source>Недопустимый номер камеры %1 (найдено камер: %2)</source>
        <translation>Invalid camera number %1 (cameras found: %2)</translation>
    </message>
    <message>
        <source>Батарея камеры разряжена</source>
        <translation>The camera&apos;s battery is flat</translation>
    </message>
    <message>
        <source>Не удалось записать снимок в формате JPEG</source>
        <translation>Could not write the picture as JPEG</translation>
    </message>
    <message>
        <source>просмотр</source>
        <translation>preview</translation>
    </message>
    <message>
        <source>Карта памяти заполнена: снимок не сделан.</source>
        <translation>The memory card is full: no picture was taken.</translation>
    </message>
    <message>
        <source>№%1</source>
        <translation>No. %1</translation>
    </message>
    <message>
        <source>Камера не отвечает</source>
        <translation>The camera does not answer</translation>
    </message>
    <message>
        <source>Недопустимое значение свойства %1: %2</source>
        <translation>Invalid value of the property %1: %2</translation>
    </message>
    <message>
        <source>Снимка номер %1 нет на карте памяти (снимков: %2)</source>
        <translation>There is no picture number %1 on the memory card (pictures: %2)</translation>
    </message>
    <message>
        <source>Не удалось прочитать снимок %1: %2</source>
        <translation>Could not read the picture %1: %2</translation>
    </message>
    <message>
        <source>Номера файлов на карте памяти исчерпаны</source>
        <translation>The memory card has run out of file numbers</translation>
    </message>
    <message>
        <source>Не удалось удалить снимок %1: %2</source>
        <translation>Could not delete the picture %1: %2</translation>
    </message>
    <message>
        <source>Не удалось записать время снимка %1: %2</source>
        <translation>Could not write the time of the picture %1: %2</translation>
    </message>
</context>
<context>
    <name>StationConfig</name>
    <message>
        <source>&quot;%1&quot; is not an entry of the list; one of: %2</source>
        <translation>&quot;%1&quot; is not an entry of the list; one of: %2</translation>
    </message>
    <message>
        <source>a whole number from %1 to %2, or nothing</source>
        <translation>a whole number from %1 to %2, or nothing</translation>
    </message>
    <message>
        <source>true or false</source>
        <translation>true or false</translation>
    </message>
    <message>
        <source>a size such as 200MB, 2GB or 500KB</source>
        <translation>a size such as 200MB, 2GB or 500KB</translation>
    </message>
    <message>
        <source>too large</source>
        <translation>too large</translation>
    </message>
    <message>
        <source>a time such as 30s, 5m or 1h</source>
        <translation>a time such as 30s, 5m or 1h</translation>
    </message>
    <message>
        <source>from 1s to 168h</source>
        <translation>from 1s to 168h</translation>
    </message>
    <message>
        <source>a moment written YYYY-MM-DD HH:MM:SS, or nothing</source>
        <translation>a moment written YYYY-MM-DD HH:MM:SS, or nothing</translation>
    </message>
    <message>
        <source>a time of day written HH:MM, or nothing</source>
        <translation>a time of day written HH:MM, or nothing</translation>
    </message>
    <message>
        <source>a file name without &quot;/&quot;, &quot;..&quot; or control characters</source>
        <translation>a file name without &quot;/&quot;, &quot;..&quot; or control characters</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file that can be read</source>
        <translation>&quot;%1&quot; is not a file that can be read</translation>
    </message>
    <message>
        <source>&quot;%1&quot; may be read by others (mode %2): make it 0600</source>
        <translation>&quot;%1&quot; may be read by others (mode %2): make it 0600</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be read: %2</source>
        <translation>&quot;%1&quot; cannot be read: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds a control character</source>
        <translation>&quot;%1&quot; holds a control character</translation>
    </message>
    <message>
        <source>no user, password, query or fragment in the address: use user and password_file</source>
        <translation>no user, password, query or fragment in the address: use user and password_file</translation>
    </message>
    <message>
        <source>[s3] endpoint: the storage&apos;s address, e.g. https://s3.example.com</source>
        <translation>[s3] endpoint: the storage&apos;s address, e.g. https://s3.example.com</translation>
    </message>
    <message>
        <source>[s3] access_key and secret_file are needed for object storage</source>
        <translation>[s3] access_key and secret_file are needed for object storage</translation>
    </message>
    <message>
        <source>addressing: path or virtual</source>
        <translation>addressing: path or virtual</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>cannot be read</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>no such file</translation>
    </message>
    <message>
        <source>too large for a configuration file</source>
        <translation>too large for a configuration file</translation>
    </message>
    <message>
        <source>gphoto2, simulator or simulator:FOLDER</source>
        <translation>gphoto2, simulator or simulator:FOLDER</translation>
    </message>
    <message>
        <source>the folder the pictures go to</source>
        <translation>the folder the pictures go to</translation>
    </message>
    <message>
        <source>strftime fields and %n, without &quot;/&quot;</source>
        <translation>strftime fields and %n, without &quot;/&quot;</translation>
    </message>
    <message>
        <source>no control characters</source>
        <translation>no control characters</translation>
    </message>
    <message>
        <source>the region, e.g. us-east-1</source>
        <translation>the region, e.g. us-east-1</translation>
    </message>
    <message>
        <source>outside any section; the sections are [camera], [pictures], [schedule], [upload] and [s3]</source>
        <translation>outside any section; the sections are [camera], [pictures], [schedule], [upload] and [s3]</translation>
    </message>
    <message>
        <source>unknown section [%1]</source>
        <translation>unknown section [%1]</translation>
    </message>
    <message>
        <source>unknown key in [%1]</source>
        <translation>unknown key in [%1]</translation>
    </message>
    <message>
        <source>&quot;%1&quot; would give pictures the same name: add %n or a field that changes at least every interval (e.g. %S)</source>
        <translation>&quot;%1&quot; would give pictures the same name: add %n or a field that changes at least every interval (e.g. %S)</translation>
    </message>
    <message>
        <source>before the start</source>
        <translation>before the start</translation>
    </message>
    <message>
        <source>give both daily_from and daily_to, or neither</source>
        <translation>give both daily_from and daily_to, or neither</translation>
    </message>
    <message>
        <source>the daily window is empty</source>
        <translation>the daily window is empty</translation>
    </message>
    <message>
        <source>port is for real cameras (camera = gphoto2)</source>
        <translation>port is for real cameras (camera = gphoto2)</translation>
    </message>
</context>
<context>
    <name>SystemErrorText</name>
    <message>
        <source>на диске нет места</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>исчерпана дисковая квота</source>
        <translation>the disk quota is used up</translation>
    </message>
    <message>
        <source>файл больше, чем позволено</source>
        <translation>the file is larger than allowed</translation>
    </message>
    <message>
        <source>нет прав на запись</source>
        <translation>no permission to write</translation>
    </message>
    <message>
        <source>диск доступен только для чтения</source>
        <translation>the disk is read-only</translation>
    </message>
    <message>
        <source>на этом месте папка</source>
        <translation>a folder is in the way</translation>
    </message>
    <message>
        <source>папки нет</source>
        <translation>the folder does not exist</translation>
    </message>
    <message>
        <source>часть пути - не папка</source>
        <translation>part of the path is not a folder</translation>
    </message>
    <message>
        <source>слишком длинное имя</source>
        <translation>the name is too long</translation>
    </message>
    <message>
        <source>ошибка чтения или записи диска</source>
        <translation>disk read or write error</translation>
    </message>
    <message>
        <source>открыто слишком много файлов</source>
        <translation>too many open files</translation>
    </message>
    <message>
        <source>недостаточно памяти</source>
        <translation>out of memory</translation>
    </message>
    <message>
        <source>ошибка системы %1 (%2)</source>
        <translation>system error %1 (%2)</translation>
    </message>
</context>
<context>
    <name>UploadQueue</name>
    <message>
        <source>Не удалось прочитать снимок %1: %2</source>
        <translation>Could not read the picture %1: %2</translation>
    </message>
    <message>
        <source>Не удалось создать папку очереди %1: %2</source>
        <translation>Could not create the queue folder %1: %2</translation>
    </message>
    <message>
        <source>Папка очереди %1 недоступна</source>
        <translation>The queue folder %1 is not accessible</translation>
    </message>
    <message>
        <source>Запись очереди %1 повреждена: отложена в %2/</source>
        <translation>The queue entry %1 is damaged: set aside in %2/</translation>
    </message>
    <message>
        <source>Снимок записи очереди %1 (%2) пропал: запись отложена в %3/</source>
        <translation>The picture of the queue entry %1 (%2) is gone: the entry was set aside in %3/</translation>
    </message>
    <message>
        <source>Снимок не поставлен в очередь на отправку: %1</source>
        <translation>The picture was not queued for upload: %1</translation>
    </message>
    <message>
        <source>На диске с папкой %1 меньше %2 МБ свободного места: снимки сохраняются, но не ставятся в очередь на отправку. Освободите место на диске: очередь возобновится сама.</source>
        <translation>The disk holding the folder %1 has less than %2 MB free: pictures are still stored, but not queued for upload. Free some space on the disk: queuing resumes by itself.</translation>
    </message>
</context>
<context>
    <name>UploadWorker</name>
    <message>
        <source>Сервер «%1» отказал во входе (%2)</source>
        <translation>The server &quot;%1&quot; refused the login (%2)</translation>
    </message>
    <message>
        <source>Передача %1 на «%2» не уложилась во время</source>
        <translation>The upload of %1 to &quot;%2&quot; ran out of time</translation>
    </message>
    <message>
        <source>Подключение к интернету отсутствует</source>
        <translation>There is no Internet connection</translation>
    </message>
    <message>
        <source>Сервер «%1» не отвечает</source>
        <translation>The server &quot;%1&quot; does not answer</translation>
    </message>
    <message>
        <source>Файл %1 не отослан на «%2»</source>
        <translation>The file %1 was not sent to &quot;%2&quot;</translation>
    </message>
    <message>
        <source>Снимок %1 пропал из очереди: запись отложена</source>
        <translation>The picture %1 is gone from the queue: the entry was set aside</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>ignored (the program opens no files): %1</source>
        <translation>ignored (the program opens no files): %1</translation>
    </message>
    <message>
        <source>%1: the configuration is good</source>
        <translation>%1: the configuration is good</translation>
    </message>
</context>
<context>
    <name>snapdeck::CameraSettingsFrame</name>
    <message>
        <source>Настройки камеры</source>
        <translation>Camera settings</translation>
    </message>
    <message>
        <source>&amp;Размер изображения</source>
        <translation>Ima&amp;ge size</translation>
    </message>
    <message>
        <source>Режим &amp;экспозиции</source>
        <translation>E&amp;xposure mode</translation>
    </message>
    <message>
        <source>Б&amp;аланс белого</source>
        <translation>&amp;White balance</translation>
    </message>
    <message>
        <source>Режим вспы&amp;шки</source>
        <translation>Flas&amp;h mode</translation>
    </message>
    <message>
        <source>Значение в&amp;ыдержки</source>
        <translation>Sh&amp;utter speed</translation>
    </message>
    <message>
        <source>Значение &amp;диафрагмы</source>
        <translation>Ape&amp;rture</translation>
    </message>
    <message>
        <source>Свето&amp;чувствительность</source>
        <translation>ISO sensiti&amp;vity</translation>
    </message>
    <message>
        <source>Режим экра&amp;на</source>
        <translation>Displa&amp;y mode</translation>
    </message>
    <message>
        <source>Режим фо&amp;кусировки</source>
        <translation>Focus &amp;mode</translation>
    </message>
</context>
<context>
    <name>snapdeck::CameraStatusFrame</name>
    <message>
        <source>Камера</source>
        <translation>Camera</translation>
    </message>
    <message>
        <source>&amp;Модель</source>
        <translation>&amp;Model</translation>
    </message>
    <message>
        <source>&amp;Кадров записано</source>
        <translation>Pictures on ca&amp;rd</translation>
    </message>
    <message>
        <source>Кадров ост&amp;алось</source>
        <translation>Pict&amp;ures left</translation>
    </message>
    <message>
        <source>Батаре&amp;я</source>
        <translation>Batter&amp;y</translation>
    </message>
    <message>
        <source>нет связи</source>
        <translation>no connection</translation>
    </message>
    <message>
        <source>ошибка %1</source>
        <translation>error %1</translation>
    </message>
</context>
<context>
    <name>snapdeck::CaptureOptionsFrame</name>
    <message>
        <source>Настройки захвата</source>
        <translation>Capture settings</translation>
    </message>
    <message>
        <source>Запись в &amp;буфер</source>
        <translation>Write to &amp;buffer</translation>
    </message>
    <message>
        <source>Со&amp;хранять на флэшке камеры</source>
        <translation>&amp;Keep on the camera&apos;s card</translation>
    </message>
    <message>
        <source>П&amp;ереписать пред. кадр на диске</source>
        <translation>&amp;Overwrite the last frame on disk</translation>
    </message>
    <message>
        <source>Статус</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Передача файла</source>
        <translation>File transfer</translation>
    </message>
</context>
<context>
    <name>snapdeck::Engine</name>
    <message>
        <source>Проверьте свободное место на диске!</source>
        <translation>Check the free space on the disk!</translation>
    </message>
    <message>
        <source>Предупреждение</source>
        <translation>Warning</translation>
    </message>
</context>
<context>
    <name>snapdeck::FtpFrame</name>
    <message>
        <source>FTP</source>
        <translation>FTP</translation>
    </message>
    <message>
        <source>Настройки &amp;FTP</source>
        <translation>FTP setti&amp;ngs</translation>
    </message>
    <message>
        <source>Вк&amp;лючить</source>
        <translation>&amp;Enable</translation>
    </message>
    <message>
        <source>&amp;Отправлять в фоне</source>
        <translation>&amp;Queue uploads</translation>
    </message>
    <message>
        <source>Снимки ставятся в очередь и отправляются в фоне, не задерживая съемку; очередь переживает перезапуск и отправляется, пока включена отправка.</source>
        <translation>Pictures are queued and sent in the background without holding up shooting; the queue outlives a restart and is sent while uploading is enabled.</translation>
    </message>
    <message>
        <source>В очереди: %1</source>
        <translation>Queued: %1</translation>
    </message>
</context>
<context>
    <name>snapdeck::FtpSettingsDialog</name>
    <message>
        <source>Настройки FTP</source>
        <translation>FTP settings</translation>
    </message>
    <message>
        <source>&amp;Сохранить</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>&amp;Отмена</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Про&amp;верить соединение</source>
        <translation>&amp;Test the connection</translation>
    </message>
    <message>
        <source>Войти на сервер и перейти в папку, ничего не отсылая</source>
        <translation>Log in to the server and go to the folder, sending nothing</translation>
    </message>
    <message>
        <source>Имя &amp;хоста</source>
        <translation>&amp;Host name</translation>
    </message>
    <message>
        <source>&amp;Порт</source>
        <translation>&amp;Port</translation>
    </message>
    <message>
        <source>&amp;Логин</source>
        <translation>&amp;Login</translation>
    </message>
    <message>
        <source>Па&amp;роль</source>
        <translation>Pass&amp;word</translation>
    </message>
    <message>
        <source>&amp;Тип сервиса</source>
        <translation>Ser&amp;vice type</translation>
    </message>
    <message>
        <source>&amp;Директория</source>
        <translation>F&amp;older</translation>
    </message>
    <message>
        <source>&amp;Имя файла</source>
        <translation>&amp;File name</translation>
    </message>
    <message>
        <source>Каждый снимок отсылается под своим именем и публикуется также под этим (для веб-страницы); пусто - не публикуется. Имя без &quot;/&quot; и &quot;..&quot;.</source>
        <translation>Each picture is sent under its own name and also published under this one (for a web page); empty: not published. A name without &quot;/&quot; and &quot;..&quot;.</translation>
    </message>
    <message>
        <source>ВНИМАНИЕ!</source>
        <translation>WARNING!</translation>
    </message>
    <message>
        <source>Хранить здесь пароль небезопасно !</source>
        <translation>Keeping the password here is not safe!</translation>
    </message>
    <message>
        <source>В поле &quot;%1&quot; есть управляющий символ (например, перевод строки). Уберите его, чтобы сохранить настройки.</source>
        <translation>The field &quot;%1&quot; holds a control character (a line break, for example). Remove it to save the settings.</translation>
    </message>
    <message>
        <source>В поле &quot;%1&quot; должно быть одно имя файла, без &quot;/&quot; и &quot;..&quot;.</source>
        <translation>The field &quot;%1&quot; must hold a single file name, without &quot;/&quot; and &quot;..&quot;.</translation>
    </message>
    <message>
        <source>Порт должен быть числом от 0 до 65535 (0 - порт по умолчанию).</source>
        <translation>The port must be a number from 0 to 65535 (0: the default port).</translation>
    </message>
    <message>
        <source>Проверяем соединение...</source>
        <translation>Checking the connection...</translation>
    </message>
</context>
<context>
    <name>snapdeck::HistogramView</name>
    <message>
        <source>Гистограмма яркости</source>
        <translation>Brightness histogram</translation>
    </message>
    <message>
        <source>Провалы в тенях: %1 %   Пересветы: %2 %</source>
        <translation>Clipped shadows: %1 %   Clipped highlights: %2 %</translation>
    </message>
    <message>
        <source>ru_RU</source>
        <comment>the locale whose decimal mark the shares use</comment>
        <translation>en_US</translation>
    </message>
</context>
<context>
    <name>snapdeck::LensFrame</name>
    <message>
        <source>Объектив</source>
        <translation>Lens</translation>
    </message>
    <message>
        <source>Увеличение</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Фокусировка</source>
        <translation>Focus</translation>
    </message>
</context>
<context>
    <name>snapdeck::MainWindow</name>
    <message>
        <source>Показывать в большом окне то, что видит камера</source>
        <translation>Show what the camera sees in the large picture box</translation>
    </message>
    <message>
        <source>Snapdeck- СнапДек</source>
        <translation>Snapdeck</translation>
    </message>
    <message>
        <source>Снять и сохранить снимок (F8 или Пробел)</source>
        <translation>Take and save a picture (F8 or Space)</translation>
    </message>
    <message>
        <source>Показать, что видит камера, в малом окне (F5)</source>
        <translation>Show what the camera sees in the small box (F5)</translation>
    </message>
    <message>
        <source>Последний снимок</source>
        <translation>Last picture</translation>
    </message>
    <message>
        <source>Предварительный просмотр</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>&amp;Просмотр</source>
        <translation>&amp;Preview</translation>
    </message>
    <message>
        <source>&amp;Живой просмотр</source>
        <translation>&amp;Live view</translation>
    </message>
    <message>
        <source>&amp;Захват</source>
        <translation>&amp;Capture</translation>
    </message>
    <message>
        <source>Интервальная съемка остановлена</source>
        <translation>Interval shooting stopped</translation>
    </message>
</context>
<context>
    <name>snapdeck::PictureBox</name>
    <message>
        <source>Щелчок, пробел или Enter: проверка резкости в масштабе 100%, стрелки двигают место проверки</source>
        <translation>Click, Space or Enter: check the focus at 100%; the arrow keys move the checked spot</translation>
    </message>
</context>
<context>
    <name>snapdeck::ScheduleFrame</name>
    <message>
        <source>Интервальная съемка</source>
        <translation>Interval shooting</translation>
    </message>
    <message>
        <source>Включить &amp;интервальную съемку</source>
        <translation>Enable &amp;interval shooting</translation>
    </message>
    <message>
        <source>И&amp;нтервал</source>
        <translation>Inte&amp;rval</translation>
    </message>
    <message>
        <source>сек</source>
        <translation>s</translation>
    </message>
    <message>
        <source>На&amp;чать</source>
        <translation>S&amp;tart</translation>
    </message>
    <message>
        <source>Ос&amp;тановить</source>
        <translation>&amp;Stop at</translation>
    </message>
    <message>
        <source>Остановить по&amp;сле</source>
        <translation>Stop &amp;after</translation>
    </message>
    <message>
        <source>Остановить после, снимков</source>
        <translation>Stop after, pictures</translation>
    </message>
    <message>
        <source>снимков</source>
        <translation>pictures</translation>
    </message>
    <message>
        <source>&amp;Выполнять в период с</source>
        <translation>Run &amp;daily from</translation>
    </message>
    <message>
        <source>Выполнять с - час</source>
        <translation>Run from - hour</translation>
    </message>
    <message>
        <source>Выполнять с - минуты</source>
        <translation>Run from - minutes</translation>
    </message>
    <message>
        <source>Выполнять по - час</source>
        <translation>Run until - hour</translation>
    </message>
    <message>
        <source>Выполнять по - минуты</source>
        <translation>Run until - minutes</translation>
    </message>
    <message>
        <source>по</source>
        <translation>to</translation>
    </message>
    <message>
        <source>день</source>
        <translation>day</translation>
    </message>
    <message>
        <source>месяц</source>
        <translation>month</translation>
    </message>
    <message>
        <source>год</source>
        <translation>year</translation>
    </message>
    <message>
        <source>час</source>
        <translation>hour</translation>
    </message>
    <message>
        <source>минуты</source>
        <translation>minutes</translation>
    </message>
    <message>
        <source>секунды</source>
        <translation>seconds</translation>
    </message>
    <message>
        <source>в</source>
        <translation>at</translation>
    </message>
</context>
<context>
    <name>snapdeck::StartMomentBoxes</name>
    <message>
        <source>Неверно указано число!</source>
        <translation>The day is wrong!</translation>
    </message>
    <message>
        <source>Неверно указан месяц!</source>
        <translation>The month is wrong!</translation>
    </message>
    <message>
        <source>Неверно указан год!</source>
        <translation>The year is wrong!</translation>
    </message>
    <message>
        <source>Неверно указан час!</source>
        <translation>The hour is wrong!</translation>
    </message>
    <message>
        <source>Неверно указаны минуты!</source>
        <translation>The minutes are wrong!</translation>
    </message>
    <message>
        <source>Неверно указаны секунды!</source>
        <translation>The seconds are wrong!</translation>
    </message>
</context>
<context>
    <name>snapdeck::StationRunner</name>
    <message>
        <source>Свободное место на диске папки %1 узнать не удалось; снимки сохраняются без этой проверки</source>
        <translation>The free space on the disk of the folder %1 could not be told; pictures are stored without this check</translation>
    </message>
</context>
</TS>
