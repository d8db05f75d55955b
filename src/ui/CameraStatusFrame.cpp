#include "CameraStatusFrame.h"

#include "Accessibility.h"
#include "ElidedLabel.h"
#include "WidgetUpdates.h"
#include "engine/EngineState.h"

#include <QFormLayout>
#include <QLabel>
#include <QProgressBar>

namespace snapdeck {

namespace {

template <typename Label = QLabel>
Label* makeValue(QWidget* parent, const char* name, const QString& text) {
    auto* value = new Label(text, parent);
    value->setObjectName(QLatin1String(name));
    // The camera names itself: its words are shown as they are, never read as markup.
    value->setTextFormat(Qt::PlainText);
    // Lets keyboard users reach and read the value.
    value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    value->setFocusPolicy(Qt::StrongFocus);
    return value;
}

QString countText(const std::optional<int>& count, const QString& before) {
    return count ? QString::number(*count) : before;
}

} // namespace

CameraStatusFrame::CameraStatusFrame(QWidget* parent)
    : QGroupBox(QStringLiteral("Камера"), parent) {
    setObjectName(QStringLiteral("cameraStatusFrame"));
    auto* form = new QFormLayout(this);
    const auto addRow = [&](const QString& caption, QWidget* value) {
        auto* label = new QLabel(caption, this);
        labelControl(label, value);
        form->addRow(label, value);
    };

    const EngineState start;
    // A long model name is cut short on screen rather than widen the window.
    modelValue_ = makeValue<ElidedLabel>(this, "modelValue", start.model);
    picturesOnCardValue_ = makeValue(this, "picturesOnCardValue", QStringLiteral("PicCnt"));
    picturesRemainingValue_ = makeValue(this, "picturesRemainingValue", QStringLiteral("RemCnt"));
    batteryBar_ = new QProgressBar(this);
    batteryBar_->setObjectName(QStringLiteral("batteryBar"));
    batteryBar_->setRange(1, 100 * kBatteryScale);
    batteryBar_->setValue(1);
    batteryBar_->setFocusPolicy(Qt::StrongFocus); // reached like the values above it

    addRow(QStringLiteral("Модель"), modelValue_);
    addRow(QStringLiteral("Кадров записано"), picturesOnCardValue_);
    addRow(QStringLiteral("Кадров осталось"), picturesRemainingValue_);
    addRow(QStringLiteral("Батарея"), batteryBar_);
}

void CameraStatusFrame::render(const EngineState& state) {
    if (modelValue_->text() != state.model)
        modelValue_->setText(state.model);
    setTextIfChanged(*picturesOnCardValue_,
                     countText(state.picturesOnCard, picturesOnCardValue_->text()));
    setTextIfChanged(*picturesRemainingValue_,
                     countText(state.picturesRemaining, picturesRemainingValue_->text()));

    const BatteryState& battery = state.battery;
    switch (battery.shown) {
    case BatteryState::Shown::Nothing:
        break;
    case BatteryState::Shown::Level:
        batteryBar_->setValue(std::max(battery.level * kBatteryScale, batteryBar_->minimum()));
        batteryBar_->setFormat(QString::number(battery.level) + u'%');
        break;
    case BatteryState::Shown::NoConnection:
        batteryBar_->setValue(batteryBar_->minimum());
        batteryBar_->setFormat(QStringLiteral("нет связи"));
        break;
    case BatteryState::Shown::Error:
        batteryBar_->setValue(batteryBar_->minimum());
        batteryBar_->setFormat(QStringLiteral("ошибка %1").arg(battery.errorNumber));
        break;
    }
}

} // namespace snapdeck
