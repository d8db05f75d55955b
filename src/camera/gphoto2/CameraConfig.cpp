#include "CameraConfig.h"

#include "Gphoto2Errors.h"
#include "Gphoto2Session.h"

#include <QCoreApplication>
#include <gphoto2/gphoto2-port-result.h>
#include <gphoto2/gphoto2-widget.h>
#include <memory>

namespace snapdeck::gphoto2 {

namespace {

struct WidgetRelease {
    void operator()(CameraWidget* widget) const { gp_widget_free(widget); }
};
using WidgetPtr = std::unique_ptr<CameraWidget, WidgetRelease>;

// libgphoto2 answers "bad parameters" or "not supported" for a name it does not know.
WidgetPtr findWidget(Gphoto2Session& session, const char* name, const QString& action) {
    CameraWidget* widget = nullptr;
    const int result =
        gp_camera_get_single_config(session.camera(), name, &widget, session.context());
    if (result == GP_ERROR_BAD_PARAMETERS || result == GP_ERROR_NOT_SUPPORTED)
        return nullptr;
    session.check(result, action);
    return WidgetPtr(widget);
}

ConfigEntry describe(CameraWidget* widget) {
    ConfigEntry entry;
    int readOnly = 0;
    gp_widget_get_readonly(widget, &readOnly);
    entry.readOnly = readOnly != 0;
    CameraWidgetType type;
    gp_widget_get_type(widget, &type);
    switch (type) {
    case GP_WIDGET_TEXT:
    case GP_WIDGET_RADIO:
    case GP_WIDGET_MENU: {
        const char* value = nullptr;
        gp_widget_get_value(widget, &value);
        entry.text = QString::fromUtf8(value ? value : "");
        entry.kind = type == GP_WIDGET_TEXT ? ConfigEntry::Kind::Text : ConfigEntry::Kind::Choice;
        for (int i = 0; i < gp_widget_count_choices(widget); ++i) {
            const char* choice = nullptr;
            if (gp_widget_get_choice(widget, i, &choice) >= GP_OK && choice)
                entry.choices << QString::fromUtf8(choice);
        }
        break;
    }
    case GP_WIDGET_RANGE:
        entry.kind = ConfigEntry::Kind::Range;
        gp_widget_get_value(widget, &entry.number);
        gp_widget_get_range(widget, &entry.minimum, &entry.maximum, &entry.step);
        break;
    case GP_WIDGET_TOGGLE: {
        int value = 0;
        gp_widget_get_value(widget, &value);
        entry.kind = ConfigEntry::Kind::Toggle;
        entry.number = float(value);
        break;
    }
    default:
        break;
    }
    return entry;
}

QString shownValue(const ConfigEntry& entry) {
    if (entry.kind == ConfigEntry::Kind::Range || entry.kind == ConfigEntry::Kind::Toggle)
        return QString::number(entry.number);
    return entry.text;
}

void writeWidget(Gphoto2Session& session, const char* name, const QString& settingName,
                 const std::function<int(CameraWidget*)>& setValue) {
    const QString action =
        QCoreApplication::translate("CameraConfig", "Настройка «%1» не изменена").arg(settingName);
    WidgetPtr widget = findWidget(session, name, action);
    if (!widget)
        raiseLacksSetting(settingName);
    // A setting on the camera's own dial or lens ring: the camera would refuse the
    // write with an error that does not say why.
    if (const ConfigEntry entry = describe(widget.get()); entry.readOnly)
        raiseError(Gphoto2Error::CameraRefused,
                   QCoreApplication::translate(
                       "CameraConfig", "Настройка «%1» задаётся на самой камере (сейчас «%2»)")
                       .arg(settingName, shownValue(entry)));
    session.check(setValue(widget.get()), action);
    session.check(
        gp_camera_set_single_config(session.camera(), name, widget.get(), session.context()),
        action);
}

} // namespace

std::optional<ConfigEntry> CameraConfig::read(Gphoto2Session& session, const char* name) {
    WidgetPtr widget =
        findWidget(session, name,
                   QCoreApplication::translate("CameraConfig", "Настройка камеры %1 не прочитана")
                       .arg(QString::fromUtf8(name)));
    if (!widget)
        return std::nullopt;
    return describe(widget.get());
}

void CameraConfig::writeChoice(Gphoto2Session& session, const char* name, const QString& choice,
                               const QString& settingName) {
    const QByteArray value = choice.toUtf8();
    writeWidget(session, name, settingName, [&](CameraWidget* widget) {
        return gp_widget_set_value(widget, value.constData());
    });
}

void CameraConfig::writeNumber(Gphoto2Session& session, const char* name, float value,
                               const QString& settingName) {
    writeWidget(session, name, settingName, [&](CameraWidget* widget) {
        CameraWidgetType type;
        gp_widget_get_type(widget, &type);
        if (type == GP_WIDGET_TOGGLE) {
            const int toggle = value != 0 ? 1 : 0;
            return gp_widget_set_value(widget, &toggle);
        }
        return gp_widget_set_value(widget, &value);
    });
}

} // namespace snapdeck::gphoto2
