#include "Gphoto2Errors.h"

#include <QCoreApplication>
#include <gphoto2/gphoto2-port-result.h>
#include <gphoto2/gphoto2-result.h>

namespace snapdeck::gphoto2 {

void raiseError(int number, const QString& description) {
    throw CameraError(number, kGphoto2Source, description);
}

void raiseNotAnswering(const QString& description) {
    raiseError(kCameraNotAnswering, description);
}

void raiseLacksSetting(const QString& settingName) {
    raiseError(Gphoto2Error::NotSupported,
               QCoreApplication::translate("Gphoto2Errors", "У камеры нет настройки «%1»")
                   .arg(settingName));
}

bool meansNotAnswering(int result) {
    switch (result) {
    case GP_ERROR_IO:
    case GP_ERROR_TIMEOUT:
    case GP_ERROR_IO_INIT:
    case GP_ERROR_IO_READ:
    case GP_ERROR_IO_WRITE:
    case GP_ERROR_IO_UPDATE:
    case GP_ERROR_IO_USB_CLEAR_HALT:
    case GP_ERROR_IO_USB_FIND:
    case GP_ERROR_IO_USB_CLAIM:
    case GP_ERROR_IO_LOCK:
    case GP_ERROR_MODEL_NOT_FOUND:
    case GP_ERROR_CANCEL:
        return true;
    default:
        return false;
    }
}

namespace {

// The desktop's automounter opens cameras as a disk and keeps the USB device claimed.
QString claimedDeviceAdvice() {
    return QCoreApplication::translate(
        "Gphoto2Errors",
        "камера занята другой программой. Обычно её держит служба рабочего стола, "
        "которая открывает камеру как диск (gvfs-gphoto2-volume-monitor). Извлеките "
        "камеру в файловом менеджере или выполните «gio mount -s gphoto2» и повторите. "
        "Чтобы служба больше не занимала камеру: "
        "«systemctl --user mask --now gvfs-gphoto2-volume-monitor»");
}

struct Meaning {
    int number;
    QString reason;
};

Meaning meaningOf(int result) {
    using namespace Gphoto2Error;
    switch (result) {
    case GP_ERROR_IO_USB_CLAIM:
        return {kCameraNotAnswering, claimedDeviceAdvice()};
    case GP_ERROR_IO_USB_FIND:
    case GP_ERROR_MODEL_NOT_FOUND:
        return {kCameraNotAnswering,
                QCoreApplication::translate("Gphoto2Errors", "камера не найдена")};
    case GP_ERROR_TIMEOUT:
    case GP_ERROR_CANCEL:
        return {kCameraNotAnswering,
                QCoreApplication::translate("Gphoto2Errors", "камера не ответила вовремя")};
    case GP_ERROR_NOT_SUPPORTED:
        return {NotSupported,
                QCoreApplication::translate("Gphoto2Errors", "камера этого не умеет")};
    case GP_ERROR_CAMERA_BUSY:
        return {CameraRefused, QCoreApplication::translate("Gphoto2Errors", "камера занята")};
    case GP_ERROR_NO_SPACE:
        return {CameraRefused,
                QCoreApplication::translate("Gphoto2Errors", "на карте камеры нет места")};
    case GP_ERROR_FILE_NOT_FOUND:
    case GP_ERROR_DIRECTORY_NOT_FOUND:
        return {CameraRefused,
                QCoreApplication::translate("Gphoto2Errors", "снимка нет на камере")};
    case GP_ERROR_BAD_PARAMETERS:
        return {BadValue,
                QCoreApplication::translate("Gphoto2Errors", "камера не принимает это значение")};
    case GP_ERROR_UNKNOWN_PORT:
        return {LibraryFailed, QCoreApplication::translate("Gphoto2Errors", "такого порта нет")};
    case GP_ERROR_NO_MEMORY:
    case GP_ERROR_LIBRARY:
    case GP_ERROR_OS_FAILURE:
        return {LibraryFailed,
                QCoreApplication::translate("Gphoto2Errors", "сбой библиотеки libgphoto2")};
    default:
        if (meansNotAnswering(result))
            return {kCameraNotAnswering,
                    QCoreApplication::translate("Gphoto2Errors", "камера не отвечает")};
        return {CameraRefused,
                QCoreApplication::translate("Gphoto2Errors", "камера сообщила об ошибке")};
    }
}

} // namespace

CameraError libraryError(int result, const QString& action, const QString& libraryText) {
    const Meaning meaning = meaningOf(result);
    QString details = QString::fromUtf8(gp_result_as_string(result));
    if (!libraryText.isEmpty() && libraryText != details)
        details = libraryText.trimmed() + QStringLiteral("; ") + details;
    return CameraError(
        meaning.number, kGphoto2Source,
        QStringLiteral("%1: %2 (libgphoto2: %3)").arg(action, meaning.reason, details),
        result == GP_ERROR_NO_SPACE ? cardFullAdvice() : QString());
}

} // namespace snapdeck::gphoto2
