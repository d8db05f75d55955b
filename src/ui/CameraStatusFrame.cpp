#include "CameraStatusFrame.h"

#include "Accessibility.h"
#include "ElidedLabel.h"
#include "WidgetUpdates.h"
#include "engine/EngineState.h"

#include <QFormLayout>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QStyleOptionFocusRect>

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

// The style draws no focus frame round a progress bar: this one shows when Tab reached
// it, as the values above it do.
class BatteryBar : public QProgressBar {
public:
    using QProgressBar::QProgressBar;

protected:
    void paintEvent(QPaintEvent* event) override {
        QProgressBar::paintEvent(event);
        if (!hasFocus())
            return;
        QPainter painter(this);
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
};

} // namespace

CameraStatusFrame::CameraStatusFrame(QWidget* parent) : QGroupBox(tr("Камера"), parent) {
    setObjectName(QStringLiteral("cameraStatusFrame"));
    auto* form = new QFormLayout(this);
    const auto addRow = [&](const QString& caption, QWidget* value) {
        auto* label = new QLabel(caption, this);
        labelControl(label, value);
        form->addRow(label, value);
        return label;
    };

    const EngineState start;
    // A long model name is cut short on screen rather than widen the window.
    modelValue_ = makeValue<ElidedLabel>(this, "modelValue", start.model);
    // A dash until the camera is first asked: a failed start leaves no made-up value.
    picturesOnCardValue_ = makeValue(this, "picturesOnCardValue", kNoValue);
    picturesRemainingValue_ = makeValue(this, "picturesRemainingValue", kNoValue);
    batteryBar_ = new BatteryBar(this);
    batteryBar_->setObjectName(QStringLiteral("batteryBar"));
    batteryBar_->setRange(1, 100 * kBatteryScale);
    batteryBar_->setValue(1);
    batteryBar_->setFormat(kNoValue);
    batteryBar_->setFocusPolicy(Qt::StrongFocus); // reached like the values above it

    modelCaption_ = addRow(tr("&Модель"), modelValue_);
    picturesOnCardCaption_ = addRow(tr("&Кадров записано"), picturesOnCardValue_);
    picturesRemainingCaption_ = addRow(tr("Кадров ост&алось"), picturesRemainingValue_);
    batteryCaption_ = addRow(tr("Батаре&я"), batteryBar_);
    announceValues();
}

void CameraStatusFrame::announceValues() {
    nameValue(modelValue_, modelCaption_->text(), modelValue_->text());
    nameValue(picturesOnCardValue_, picturesOnCardCaption_->text(), picturesOnCardValue_->text());
    nameValue(picturesRemainingValue_, picturesRemainingCaption_->text(),
              picturesRemainingValue_->text());
    nameValue(batteryBar_, batteryCaption_->text(), batteryBar_->text());
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
        batteryBar_->setFormat(tr("нет связи"));
        break;
    case BatteryState::Shown::Error:
        batteryBar_->setValue(batteryBar_->minimum());
        batteryBar_->setFormat(tr("ошибка %1").arg(battery.errorNumber));
        break;
    }
    announceValues();
}

} // namespace snapdeck
