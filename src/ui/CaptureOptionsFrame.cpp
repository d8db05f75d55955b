#include "CaptureOptionsFrame.h"

#include "Accessibility.h"
#include "WidgetUpdates.h"
#include "engine/Engine.h"
#include "engine/EngineHost.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

namespace snapdeck {

CaptureOptionsFrame::CaptureOptionsFrame(EngineHost& engine, QWidget* parent)
    : QGroupBox(tr("Настройки захвата"), parent), engine_(engine) {
    setObjectName(QStringLiteral("captureOptionsFrame"));
    auto* column = new QVBoxLayout(this);
    const CaptureOptions start;

    auto addBox = [&](const char* name, const QString& caption, bool checked) {
        auto* box = new QCheckBox(caption, this);
        box->setObjectName(QLatin1String(name));
        box->setChecked(checked);
        column->addWidget(box);
        return box;
    };
    bufferModeBox_ = addBox("bufferModeBox", tr("Запись в &буфер"), start.bufferMode);
    keepOnCardBox_ = addBox("keepOnCardBox", tr("Со&хранять на флэшке камеры"), start.keepOnCard);
    overwriteBox_ = addBox("overwriteBox", tr("П&ереписать пред. кадр на диске"), start.overwrite);

    captureStatusLine_ = new QLabel(tr("Статус"), this); // hidden: its height is kept
    captureStatusLine_->setObjectName(QStringLiteral("captureStatusLine"));
    // The line keeps its room while hidden: showing it at each capture moves none of the
    // controls around it.
    QSizePolicy keepRoom = captureStatusLine_->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    captureStatusLine_->setSizePolicy(keepRoom);
    captureStatusLine_->hide();
    column->addWidget(captureStatusLine_);

    transferBar_ = new QProgressBar(this);
    transferBar_->setObjectName(QStringLiteral("transferBar"));
    transferBar_->setRange(0, 100);
    transferBar_->setValue(0);
    nameControl(transferBar_, tr("Передача файла"));
    column->addWidget(transferBar_);
    column->addStretch();

    // Connected after the starting states are set: no rule runs at start-up.
    connect(bufferModeBox_, &QCheckBox::toggled, this,
            [this](bool on) { engine_.post([on](Engine& e) { e.setBufferMode(on); }); });
    connect(keepOnCardBox_, &QCheckBox::toggled, this,
            [this](bool keep) { engine_.post([keep](Engine& e) { e.setKeepOnCard(keep); }); });
    connect(overwriteBox_, &QCheckBox::toggled, this, [this](bool overwrite) {
        engine_.post([overwrite](Engine& e) { e.setOverwrite(overwrite); });
    });
}

void CaptureOptionsFrame::render(const EngineState& state) {
    setCheckedQuietly(*bufferModeBox_, state.capture.bufferMode);
    setCheckedQuietly(*keepOnCardBox_, state.capture.keepOnCard);
    keepOnCardBox_->setEnabled(state.capture.keepOnCardEnabled);
    setCheckedQuietly(*overwriteBox_, state.capture.overwrite);

    if (state.captureStatus.isEmpty()) {
        captureStatusLine_->clear();
        captureStatusLine_->hide();
    } else {
        captureStatusLine_->setText(state.captureStatus);
        captureStatusLine_->show();
    }
    // The bar counts in int: a picture above 2 GB is shown on a coarser scale.
    const qint64 scale = std::max<qint64>(1, state.transfer.maximum / INT_MAX + 1);
    transferBar_->setMaximum(int(state.transfer.maximum / scale));
    transferBar_->setValue(int(state.transfer.value / scale));
}

} // namespace snapdeck
