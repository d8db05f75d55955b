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
    : QGroupBox(tr("FTP"), parent), engine_(engine) {
    setObjectName(QStringLiteral("ftpFrame"));
    auto* column = new QVBoxLayout(this);
    auto* line = new QHBoxLayout;

    settingsButton_ = new QPushButton(tr("Настройки &FTP"), this);
    settingsButton_->setObjectName(QStringLiteral("ftpSettingsButton"));
    uploadBox_ = new QCheckBox(tr("Вк&лючить"), this);
    uploadBox_->setObjectName(QStringLiteral("uploadBox"));
    backgroundBox_ = new QCheckBox(tr("&Отправлять в фоне"), this);
    backgroundBox_->setObjectName(QStringLiteral("backgroundUploadBox"));
    backgroundBox_->setToolTip(
        tr("Снимки ставятся в очередь и отправляются в фоне, не задерживая съемку; "
           "очередь переживает перезапуск и отправляется, пока включена отправка."));
    queueLine_ = new QLabel(this);
    queueLine_->setObjectName(QStringLiteral("queueLine"));
    queueLine_->hide();
    queueErrorLine_ = new QLabel(this);
    queueErrorLine_->setObjectName(QStringLiteral("queueErrorLine"));
    queueErrorLine_->setTextFormat(Qt::PlainText);
    queueErrorLine_->setWordWrap(true);
    queueErrorLine_->hide();
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
    column->addWidget(backgroundBox_); // its own line: the frame stays narrow
    column->addWidget(uploadStatusLine_);
    column->addWidget(queueLine_);
    column->addWidget(queueErrorLine_);

    connect(settingsButton_, &QPushButton::clicked, this, &FtpFrame::settingsAsked);
    connect(uploadBox_, &QCheckBox::toggled, this, [this](bool enabled) {
        engine_.post([enabled](Engine& e) { e.setUploadEnabled(enabled); });
    });
    connect(backgroundBox_, &QCheckBox::toggled, this, [this](bool background) {
        engine_.post([background](Engine& e) { e.setBackgroundUpload(background); });
    });
}

void FtpFrame::render(const EngineState& state) {
    setCheckedQuietly(*uploadBox_, state.uploadEnabled);
    setCheckedQuietly(*backgroundBox_, state.backgroundUpload);
    // The queue shows while pictures go through it, and while a backlog waits.
    const QueueState& queue = state.queue;
    const bool queueShown = state.backgroundUpload || queue.length > 0;
    setTextIfChanged(*queueLine_, tr("В очереди: %1").arg(queue.length));
    queueLine_->setVisible(queueShown);
    setTextIfChanged(*queueErrorLine_, queue.lastError);
    queueErrorLine_->setVisible(queueShown && !queue.lastError.isEmpty());
    if (state.uploadStatus.isEmpty()) {
        uploadStatusLine_->clear();
        uploadStatusLine_->hide();
    } else {
        setTextIfChanged(*uploadStatusLine_, state.uploadStatus);
        uploadStatusLine_->show();
    }
}

} // namespace snapdeck
