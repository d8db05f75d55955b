#include "FtpFrame.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace snapdeck {

FtpFrame::FtpFrame(QWidget* parent) : QGroupBox(QStringLiteral("FTP"), parent) {
    setObjectName(QStringLiteral("Frame5"));
    auto* column = new QVBoxLayout(this);
    auto* line = new QHBoxLayout;

    Command1 = new QPushButton(QStringLiteral("Настройки FTP"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    chkFTP = new QCheckBox(QStringLiteral("Включить"), this);
    chkFTP->setObjectName(QStringLiteral("chkFTP"));
    lblFTP = new QLabel(this);
    lblFTP->setObjectName(QStringLiteral("lblFTP"));
    // The line keeps its room while hidden: showing it at each upload moves none of the
    // frames around it, so an upload repaints the line, not the whole column.
    QSizePolicy keepRoom = lblFTP->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    lblFTP->setSizePolicy(keepRoom);
    lblFTP->hide();

    line->addWidget(Command1);
    line->addWidget(chkFTP);
    line->addStretch();
    column->addLayout(line);
    column->addWidget(lblFTP);
}

} // namespace snapdeck
