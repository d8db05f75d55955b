#include "CameraStatusFrame.h"

#include "Accessibility.h"
#include "ElidedLabel.h"

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

} // namespace

CameraStatusFrame::CameraStatusFrame(QWidget* parent)
    : QGroupBox(QStringLiteral("Камера"), parent) {
    setObjectName(QStringLiteral("Frame4"));
    auto* form = new QFormLayout(this);

    auto addRow = [&](const char* captionName, const QString& caption, QWidget* value) {
        auto* label = new QLabel(caption, this);
        label->setObjectName(QLatin1String(captionName));
        labelControl(label, value);
        form->addRow(label, value);
    };

    // A long model name is cut short on screen rather than widen the window.
    lblModel = makeValue<ElidedLabel>(this, "lblModel", QStringLiteral("Модель камеры"));
    PicCnt = makeValue(this, "PicCnt", QStringLiteral("PicCnt"));
    RemCnt = makeValue(this, "RemCnt", QStringLiteral("RemCnt"));
    progressBat = new QProgressBar(this);
    progressBat->setObjectName(QStringLiteral("progressBat"));
    progressBat->setRange(1, 100 * kBatteryScale);
    progressBat->setValue(1);
    progressBat->setFocusPolicy(Qt::StrongFocus); // reached like the values above it

    addRow("Label3", QStringLiteral("Модель"), lblModel);
    addRow("Label1", QStringLiteral("Кадров записано"), PicCnt);
    addRow("Label5", QStringLiteral("Кадров осталось"), RemCnt);
    addRow("Label6", QStringLiteral("Батарея"), progressBat);
}

} // namespace snapdeck
