#include "CaptureOptionsFrame.h"

#include "app/Accessibility.h"
#include "common/Messages.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace snapdeck {

CaptureOptionsFrame::CaptureOptionsFrame(MessagePresenter& messages, QWidget* parent)
    : QGroupBox(QStringLiteral("Настройки захвата"), parent), messages_(messages) {
    setObjectName(QStringLiteral("Frame6"));
    auto* column = new QVBoxLayout(this);

    auto addBox = [&](const char* name, const QString& caption, bool checked) {
        auto* box = new QCheckBox(caption, this);
        box->setObjectName(QLatin1String(name));
        box->setChecked(checked);
        column->addWidget(box);
        return box;
    };
    chkCaptMode = addBox("chkCaptMode", QStringLiteral("Запись в буфер"), true);
    chkStFlash = addBox("chkStFlash", QStringLiteral("Сохранять на флэшке камеры"), false);
    chkFileName = addBox("chkFileName", QStringLiteral("Переписать пред. кадр на диске"), true);

    lblStatus = new QLabel(QStringLiteral("Статус"), this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    // The line keeps its room while hidden: showing it at each capture moves none of the
    // controls around it (at the window's first size it pushed the picture boxes up).
    QSizePolicy keepRoom = lblStatus->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    lblStatus->setSizePolicy(keepRoom);
    lblStatus->hide();
    column->addWidget(lblStatus);

    prgFile = new QProgressBar(this);
    prgFile->setObjectName(QStringLiteral("prgFile"));
    prgFile->setRange(0, 100);
    prgFile->setValue(0);
    nameControl(prgFile, QStringLiteral("Передача файла"));
    column->addWidget(prgFile);
    column->addStretch();

    // Connected after the design-time states are set: no rule runs at start-up.
    connect(chkCaptMode, &QCheckBox::toggled, this, [this] { chkCaptMode_Click(); });
    connect(chkFileName, &QCheckBox::toggled, this, [this] { chkFileName_Click(); });
}

void CaptureOptionsFrame::chkCaptMode_Click() {
    if (chkCaptMode->isChecked()) {
        chkStFlash->setChecked(false);
        chkStFlash->setEnabled(false);
    } else {
        chkStFlash->setEnabled(true);
    }
}

void CaptureOptionsFrame::chkFileName_Click() {
    if (chkFileName->isChecked())
        return;
    Message warning;
    warning.text = QStringLiteral("Проверьте свободное место на диске!");
    warning.title = QStringLiteral("Предупреждение");
    warning.icon = MessageIcon::Exclamation;
    messages_.show(warning);
}

} // namespace snapdeck
