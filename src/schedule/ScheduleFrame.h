#pragma once

#include <QDateTime>
#include <QGroupBox>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace snapdeck {

// The frame "Интервальная съемка": the switch, the interval, the start moment, the stop
// moment, the count limit and the daily work window.
class ScheduleFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit ScheduleFrame(QWidget* parent = nullptr);

    // The start-up values: start = now, stop = the same time tomorrow, work window
    // 00:00 to 23:59.
    void fillStartUpValues(const QDateTime& now);

    QCheckBox* chkTiming;
    QLineEdit* txtInterval;
    QLineEdit *DBD, *DBM, *DBY, *TBH, *TBM, *TBS;
    QLabel* lblNextTxt;
    QCheckBox* chkTimeToStop;
    QLineEdit *DSD, *DSM, *DSY, *TSH, *TSM, *TSS;
    QCheckBox* chkCaptureCount;
    QLineEdit* txtCaptureCount;
    QCheckBox* chkWorkTime;
    QLineEdit *WBH, *WBM, *WEH, *WEM;
};

} // namespace snapdeck
