#include "ScheduleFrame.h"

#include "app/Accessibility.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace snapdeck {

namespace {

QString padded(int value, int digits) {
    return QStringLiteral("%1").arg(value, digits, 10, QLatin1Char('0'));
}

} // namespace

ScheduleFrame::ScheduleFrame(QWidget* parent)
    : QGroupBox(QStringLiteral("Интервальная съемка"), parent) {
    setObjectName(QStringLiteral("Frame3"));
    auto* rows = new QVBoxLayout(this);
    const QFontMetrics metrics(font());

    auto box = [&](const char* name, int digits, const QString& accessibleName) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setFixedWidth(metrics.horizontalAdvance(QString(digits, u'0')) + 14);
        nameControl(edit, accessibleName);
        return edit;
    };
    auto text = [&](const QString& caption) { return new QLabel(caption, this); };
    auto row = [&](std::initializer_list<QWidget*> widgets) {
        auto* line = new QHBoxLayout;
        line->setSpacing(2);
        for (QWidget* w : widgets)
            line->addWidget(w);
        line->addStretch();
        rows->addLayout(line);
    };
    // A moment's six boxes, with the separators between them: day/month/year в h:m:s.
    auto moment = [&](const QString& what, const char* names[6], QLineEdit** boxes[6]) {
        const QString parts[6] = {QStringLiteral("день"),   QStringLiteral("месяц"),
                                  QStringLiteral("год"),    QStringLiteral("час"),
                                  QStringLiteral("минуты"), QStringLiteral("секунды")};
        for (int i = 0; i < 6; ++i)
            *boxes[i] = box(names[i], i == 2 ? 4 : 2, what + QStringLiteral(" - ") + parts[i]);
    };

    chkTiming = new QCheckBox(QStringLiteral("Включить интервальную съемку"), this);
    chkTiming->setObjectName(QStringLiteral("chkTiming"));
    row({chkTiming});

    txtInterval = box("txtInterval", 6, QStringLiteral("Интервал"));
    txtInterval->setText(QStringLiteral("30"));
    auto* intervalCaption = text(QStringLiteral("Интервал"));
    labelControl(intervalCaption, txtInterval);
    row({intervalCaption, txtInterval, text(QStringLiteral("сек"))});

    const char* startNames[6] = {"DBD", "DBM", "DBY", "TBH", "TBM", "TBS"};
    QLineEdit** startBoxes[6] = {&DBD, &DBM, &DBY, &TBH, &TBM, &TBS};
    moment(QStringLiteral("Начать"), startNames, startBoxes);
    auto* startCaption = text(QStringLiteral("Начать"));
    startCaption->setBuddy(DBD);
    row({startCaption, DBD, text(QStringLiteral("/")), DBM, text(QStringLiteral("/")), DBY,
         text(QStringLiteral("в")), TBH, text(QStringLiteral(":")), TBM, text(QStringLiteral(":")),
         TBS});

    lblNextTxt = new QLabel(QStringLiteral("Следующий снимок - через"), this);
    lblNextTxt->setObjectName(QStringLiteral("lblNextTxt"));
    row({lblNextTxt});

    chkTimeToStop = new QCheckBox(QStringLiteral("Остановить"), this);
    chkTimeToStop->setObjectName(QStringLiteral("chkTimeToStop"));
    const char* stopNames[6] = {"DSD", "DSM", "DSY", "TSH", "TSM", "TSS"};
    QLineEdit** stopBoxes[6] = {&DSD, &DSM, &DSY, &TSH, &TSM, &TSS};
    moment(QStringLiteral("Остановить"), stopNames, stopBoxes);
    row({chkTimeToStop, DSD, text(QStringLiteral("/")), DSM, text(QStringLiteral("/")), DSY,
         text(QStringLiteral("в")), TSH, text(QStringLiteral(":")), TSM, text(QStringLiteral(":")),
         TSS});

    chkCaptureCount = new QCheckBox(QStringLiteral("Остановить после"), this);
    chkCaptureCount->setObjectName(QStringLiteral("chkCaptureCount"));
    txtCaptureCount = box("txtCaptureCount", 6, QStringLiteral("Остановить после, снимков"));
    txtCaptureCount->setText(QStringLiteral("10"));
    row({chkCaptureCount, txtCaptureCount, text(QStringLiteral("снимков"))});

    chkWorkTime = new QCheckBox(QStringLiteral("Выполнять в период c"), this);
    chkWorkTime->setObjectName(QStringLiteral("chkWorkTime"));
    WBH = box("WBH", 2, QStringLiteral("Выполнять с - час"));
    WBM = box("WBM", 2, QStringLiteral("Выполнять с - минуты"));
    WEH = box("WEH", 2, QStringLiteral("Выполнять по - час"));
    WEM = box("WEM", 2, QStringLiteral("Выполнять по - минуты"));
    row({chkWorkTime, WBH, text(QStringLiteral(":")), WBM, text(QStringLiteral("по")), WEH,
         text(QStringLiteral(":")), WEM});
    rows->addStretch();
}

void ScheduleFrame::fillStartUpValues(const QDateTime& now) {
    const QDate today = now.date();
    const QDate tomorrow = today.addDays(1);
    const QTime time = now.time();
    DBD->setText(padded(today.day(), 2));
    DBM->setText(padded(today.month(), 2));
    DBY->setText(padded(today.year(), 4));
    TBH->setText(padded(time.hour(), 2));
    TBM->setText(padded(time.minute(), 2));
    TBS->setText(padded(time.second(), 2));
    DSD->setText(padded(tomorrow.day(), 2));
    DSM->setText(padded(tomorrow.month(), 2));
    DSY->setText(padded(tomorrow.year(), 4));
    TSH->setText(TBH->text());
    TSM->setText(TBM->text());
    TSS->setText(TBS->text());
    WBH->setText(QStringLiteral("00"));
    WBM->setText(QStringLiteral("00"));
    WEH->setText(QStringLiteral("23"));
    WEM->setText(QStringLiteral("59"));
}

} // namespace snapdeck
