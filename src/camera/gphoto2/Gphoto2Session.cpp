#include "Gphoto2Session.h"

#include "Gphoto2Errors.h"
#include "StandardInputGuard.h"

#include <cstdlib>
#include <gphoto2/gphoto2-list.h>
#include <gphoto2/gphoto2-port-result.h>
#include <gphoto2/gphoto2-result.h>

namespace snapdeck::gphoto2 {

namespace {

// The driver model libgphoto2 uses for any camera reached over PTP/IP.
constexpr char kPtpIpModel[] = "PTP/IP Camera";

} // namespace

Gphoto2Session::Gphoto2Session(std::function<bool()> cancelled)
    : cancelled_(std::move(cancelled)), context_(gp_context_new()) {
    gp_context_set_error_func(context_, &Gphoto2Session::collectError, this);
    gp_context_set_cancel_func(context_, &Gphoto2Session::askCancel, this);
}

Gphoto2Session::~Gphoto2Session() {
    close();
    if (abilities_)
        gp_abilities_list_free(abilities_);
    gp_context_unref(context_);
}

void Gphoto2Session::collectError(GPContext*, const char* text, void* data) {
    auto* session = static_cast<Gphoto2Session*>(data);
    if (text && session->messages_.size() < 8)
        session->messages_ << QString::fromUtf8(text).trimmed();
}

GPContextFeedback Gphoto2Session::askCancel(GPContext*, void* data) {
    auto* session = static_cast<Gphoto2Session*>(data);
    return session->cancelled_ && session->cancelled_() ? GP_CONTEXT_FEEDBACK_CANCEL
                                                        : GP_CONTEXT_FEEDBACK_OK;
}

QString Gphoto2Session::takeLibraryMessages() {
    const QString text = messages_.join(QStringLiteral("; "));
    messages_.clear();
    return text;
}

int Gphoto2Session::check(int result, const QString& action) {
    if (result >= GP_OK) {
        messages_.clear();
        return result;
    }
    const QString libraryText = takeLibraryMessages();
    if (meansNotAnswering(result)) {
        lost_ = true;
    } else if ((result == GP_ERROR || result == GP_ERROR_CORRUPTED_DATA) && !stillAnswers()) {
        lost_ = true;
        throw libraryError(GP_ERROR_IO, action, libraryText);
    }
    throw libraryError(result, action, libraryText);
}

bool Gphoto2Session::stillAnswers() {
    if (!camera_ || opening_)
        return true;
    // The card's room is asked of the camera every time, and changes nothing. Only a
    // camera that cannot answer this either has lost the session; one that refused
    // keeps its session, its settings and the driver's knowledge of the card.
    CameraStorageInformation* storages = nullptr;
    int storageCount = 0;
    const int probe = gp_camera_get_storageinfo(camera_, &storages, &storageCount, context_);
    std::free(storages);
    messages_.clear();
    return !(probe == GP_ERROR || probe == GP_ERROR_CORRUPTED_DATA || meansNotAnswering(probe));
}

void Gphoto2Session::loadDrivers() {
    if (abilities_)
        return;
    CameraAbilitiesList* list = nullptr;
    check(gp_abilities_list_new(&list), tr("Драйверы камер не загружены"));
    const int loaded = gp_abilities_list_load(list, context_);
    if (loaded < GP_OK) {
        gp_abilities_list_free(list);
        check(loaded, tr("Драйверы камер не загружены"));
    }
    abilities_ = list;
}

GPPortInfoList* Gphoto2Session::freshPortList() {
    GPPortInfoList* ports = nullptr;
    check(gp_port_info_list_new(&ports), tr("Порты не найдены"));
    const int loaded = gp_port_info_list_load(ports);
    if (loaded < GP_OK) {
        gp_port_info_list_free(ports);
        check(loaded, tr("Порты не найдены"));
    }
    return ports;
}

void Gphoto2Session::checkPortPath(const QString& path) {
    GPPortInfoList* ports = freshPortList();
    const int index = gp_port_info_list_lookup_path(ports, path.toUtf8().constData());
    gp_port_info_list_free(ports);
    if (index < GP_OK)
        raiseError(Gphoto2Error::BadValue, tr("Порт «%1» не подходит. Примеры: usb:001,005, "
                                              "ptpip:192.168.1.10 или ptpip:192.168.1.10:15740")
                                               .arg(path));
}

QList<CameraTarget> Gphoto2Session::detect() {
    loadDrivers();
    GPPortInfoList* ports = freshPortList();
    CameraList* found = nullptr;
    gp_list_new(&found);
    const int result = gp_abilities_list_detect(abilities_, ports, found, context_);
    QList<CameraTarget> targets;
    if (result >= GP_OK) {
        for (int i = 0; i < gp_list_count(found); ++i) {
            const char* name = nullptr;
            const char* port = nullptr;
            gp_list_get_name(found, i, &name);
            gp_list_get_value(found, i, &port);
            // The generic "usb:" entry stands for no camera in particular.
            if (name && port && QString::fromUtf8(port) != QStringLiteral("usb:"))
                targets.append({QString::fromUtf8(name), QString::fromUtf8(port)});
        }
    }
    gp_list_free(found);
    gp_port_info_list_free(ports);
    check(result, tr("Камеры не найдены"));
    return targets;
}

void Gphoto2Session::open(const CameraTarget& target) {
    close();
    loadDrivers();
    opening_ = true;
    struct Opening {
        bool& flag;
        ~Opening() { flag = false; }
    } opening{opening_};
    const QString action = tr("Камера не открыта");
    ::Camera* camera = nullptr;
    check(gp_camera_new(&camera), action);
    auto fail = [&](int result) {
        gp_camera_unref(camera);
        check(result, action);
    };

    QString model = target.model;
    if (model.isEmpty() && target.port.startsWith(QStringLiteral("ptpip:")))
        model = QString::fromLatin1(kPtpIpModel);
    if (!model.isEmpty()) {
        const int index = gp_abilities_list_lookup_model(abilities_, model.toUtf8().constData());
        if (index < GP_OK)
            return fail(GP_ERROR_MODEL_NOT_FOUND);
        CameraAbilities abilities;
        gp_abilities_list_get_abilities(abilities_, index, &abilities);
        if (int result = gp_camera_set_abilities(camera, abilities); result < GP_OK)
            return fail(result);
    }

    GPPortInfoList* ports = freshPortList();
    const int portIndex = gp_port_info_list_lookup_path(ports, target.port.toUtf8().constData());
    if (portIndex < GP_OK) {
        gp_port_info_list_free(ports);
        return fail(GP_ERROR_UNKNOWN_PORT);
    }
    GPPortInfo info;
    gp_port_info_list_get_info(ports, portIndex, &info);
    const int portSet = gp_camera_set_port_info(camera, info);
    gp_port_info_list_free(ports);
    if (portSet < GP_OK)
        return fail(portSet);

    int initialized;
    {
        StandardInputGuard guard;
        initialized = gp_camera_init(camera, context_);
        if (initialized < GP_OK)
            gp_camera_unref(camera);
    }
    if (initialized < GP_OK)
        check(initialized, action);
    camera_ = camera;
    lost_ = false;
}

void Gphoto2Session::close() {
    if (!camera_)
        return;
    StandardInputGuard guard;
    gp_camera_exit(camera_, context_);
    gp_camera_unref(camera_);
    camera_ = nullptr;
    messages_.clear();
}

} // namespace snapdeck::gphoto2
