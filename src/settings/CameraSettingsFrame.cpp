#include "CameraSettingsFrame.h"

#include "app/Accessibility.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>

namespace snapdeck {

CameraSettingsFrame::CameraSettingsFrame(QWidget* parent)
    : QGroupBox(QStringLiteral("Настройки камеры"), parent) {
    setObjectName(QStringLiteral("Frame1"));
    auto* form = new QFormLayout(this);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto addList = [&](const char* name, const QString& caption) {
        auto* list = new QComboBox(this);
        list->setObjectName(QLatin1String(name));
        // Wide enough for most labels; the open list shows the longest ones whole.
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        list->setMinimumContentsLength(12);
        auto* label = new QLabel(caption, this);
        labelControl(label, list);
        form->addRow(label, list);
        return list;
    };
    combReso = addList("combReso", QStringLiteral("Размер изображения"));
    combExpMode = addList("combExpMode", QStringLiteral("Режим экспозиции"));
    combWB = addList("combWB", QStringLiteral("Баланс белого"));
    combFlash = addList("combFlash", QStringLiteral("Режим вспышки"));
    combShutter = addList("combShutter", QStringLiteral("Значение выдержки"));
    combAperture = addList("combAperture", QStringLiteral("Значение диафрагмы"));
    combISO = addList("combISO", QStringLiteral("Светочувствительность"));
    combLCD = addList("combLCD", QStringLiteral("Режим экрана"));
    combFocusMode = addList("combFocusMode", QStringLiteral("Режим фокусировки"));
}

} // namespace snapdeck
