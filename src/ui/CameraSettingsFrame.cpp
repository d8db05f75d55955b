#include "CameraSettingsFrame.h"

#include "Accessibility.h"
#include "WidgetUpdates.h"
#include "engine/Engine.h"
#include "engine/EngineHost.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>

namespace snapdeck {

CameraSettingsFrame::CameraSettingsFrame(EngineHost& engine, QWidget* parent)
    : QGroupBox(tr("Настройки камеры"), parent), engine_(engine) {
    setObjectName(QStringLiteral("cameraSettingsFrame"));
    auto* form = new QFormLayout(this);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    const auto row = [&](SettingList which, const char* name, const QString& caption) {
        auto* label = new QLabel(caption, this);
        QComboBox* list = addList(which, name);
        labelControl(label, list);
        form->addRow(label, list);
    };
    // The underlined letters differ from every button's and check box's in the window.
    row(SettingList::ImageSize, "imageSizeList", tr("&Размер изображения"));
    row(SettingList::ExposureMode, "exposureModeList", tr("Режим &экспозиции"));
    row(SettingList::WhiteBalance, "whiteBalanceList", tr("Б&аланс белого"));
    row(SettingList::Flash, "flashList", tr("Режим вспы&шки"));
    row(SettingList::Shutter, "shutterList", tr("Значение в&ыдержки"));
    row(SettingList::Aperture, "apertureList", tr("Значение &диафрагмы"));
    row(SettingList::Iso, "isoList", tr("Свето&чувствительность"));
    row(SettingList::Monitor, "monitorList", tr("Режим экра&на"));
    row(SettingList::FocusMode, "focusModeList", tr("Режим фо&кусировки"));
}

QComboBox* CameraSettingsFrame::addList(SettingList which, const char* name) {
    auto* list = new QComboBox(this);
    list->setObjectName(QLatin1String(name));
    // Wide enough for most captions; the open list shows the longest ones whole.
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(12);
    lists_[static_cast<size_t>(which)] = list;
    // The lists stay empty until start-up has filled them: a failed start shows none.
    connect(list, &QComboBox::currentIndexChanged, this, [this, which](int position) {
        if (position >= 0)
            engine_.post([which, position](Engine& e) { e.chooseSetting(which, position); });
    });
    return list;
}

void CameraSettingsFrame::render(const EngineState& state) {
    for (const SettingList which : kAllSettingLists) {
        QComboBox& list = *lists_[static_cast<size_t>(which)];
        const ListState& shown = state.list(which);
        if (shown.selected >= 0 && list.count() == 0) {
            // Filled once, as start-up fills the engine's list; Qt reports the first item
            // added as a choice, which it is not.
            const QSignalBlocker quiet(list);
            list.addItems(shownSettingCaptions(which));
        }
        setIndexQuietly(list, shown.selected);
        list.setEnabled(shown.enabled);
    }
    if (state.monitorListLit && state.monitorListLit != monitorLit_) {
        monitorLit_ = state.monitorListLit;
        // White while the camera's screen is off, green while it is on.
        QComboBox& monitor = *lists_[static_cast<size_t>(SettingList::Monitor)];
        const QColor colour = *monitorLit_ ? QColor(0, 255, 0) : QColor(255, 255, 255);
        QPalette palette = monitor.palette();
        palette.setColor(QPalette::Button, colour);
        palette.setColor(QPalette::Base, colour);
        monitor.setPalette(palette);
    }
}

} // namespace snapdeck
