#include "FtpFrame.h"

#include "WidgetUpdates.h"
#include "engine/Engine.h"
#include "engine/EngineHost.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace snapdeck {

FtpFrame::FtpFrame(EngineHost& engine, QWidget* parent)
    : QGroupBox(QStringLiteral("FTP"), parent), engine_(engine) {
    setObjectName(QStringLiteral("ftpFrame"));
    auto* column = new QVBoxLayout(this);
    auto* line = new QHBoxLayout;

    settingsButton_ = new QPushButton(QStringLiteral("Настройки FTP"), this);
    settingsButton_->setObjectName(QStringLiteral("ftpSettingsButton"));
    uploadBox_ = new QCheckBox(QStringLiteral("Включить"), this);
    uploadBox_->setObjectName(QStringLiteral("uploadBox"));
    uploadStatusLine_ = new QLabel(this);
    uploadStatusLine_->setObjectName(QStringLiteral("uploadStatusLine"));
    // The line keeps its room while hidden: showing it at each upload moves none of the
    // frames around it.
    QSizePolicy keepRoom = uploadStatusLine_->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    uploadStatusLine_->setSizePolicy(keepRoom);
    uploadStatusLine_->hide();

    line->addWidget(settingsButton_);
    line->addWidget(uploadBox_);
    line->addStretch();
    column->addLayout(line);
    column->addWidget(uploadStatusLine_);

    connect(settingsButton_, &QPushButton::clicked, this, &FtpFrame::settingsAsked);
    connect(uploadBox_, &QCheckBox::toggled, this, [this](bool enabled) {
        engine_.post([enabled](Engine& e) { e.setUploadEnabled(enabled); });
    });
}

void FtpFrame::render(const EngineState& state) {
    setCheckedQuietly(*uploadBox_, state.uploadEnabled);
    if (state.uploadStatus.isEmpty()) {
        uploadStatusLine_->clear();
        uploadStatusLine_->hide();
    } else {
        setTextIfChanged(*uploadStatusLine_, state.uploadStatus);
        uploadStatusLine_->show();
    }
}

} // namespace snapdeck
