#pragma once

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace snapdeck {

class EngineHost;
class MessagePresenter;
struct EngineState;
struct MomentTexts;
struct ScheduleForm;

// The frame "Интервальная съемка": the switch, the interval, the start moment, the stop
// moment, the count limit and the daily work window. Every edit hands the engine the
// boxes as they read; the switch and the line below the start show the engine's run.
class ScheduleFrame : public QGroupBox {
    Q_OBJECT
public:
    ScheduleFrame(EngineHost& engine, MessagePresenter& messages, QWidget* parent = nullptr);

    void render(const EngineState& state);
    // Start-up's values for the boxes.
    void fill(const ScheduleForm& form);
    // Interval shooting could not start: the interval box gets the focus.
    void focusInterval();

    ScheduleForm form() const;

private:
    struct MomentBoxes {
        QLineEdit *day, *month, *year, *hour, *minute, *second;
    };
    QLineEdit* box(const char* name, int digits, const QString& accessibleName);
    MomentBoxes momentBoxes(const char* prefix, const QString& caption);
    void addMomentRow(QWidget* lead, const MomentBoxes& boxes);
    static MomentTexts textsOf(const MomentBoxes& boxes);
    static void setTexts(const MomentBoxes& boxes, const MomentTexts& texts);
    void sendForm();

    EngineHost& engine_;
    QCheckBox* intervalShootingBox_;
    QLineEdit* intervalBox_;
    MomentBoxes start_;
    QLabel* nextShotLine_;
    QCheckBox* stopAtMomentBox_;
    MomentBoxes stop_;
    QCheckBox* stopAfterCountBox_;
    QLineEdit* countBox_;
    QCheckBox* dailyWindowBox_;
    QLineEdit *windowBeginHourBox_, *windowBeginMinuteBox_, *windowEndHourBox_,
        *windowEndMinuteBox_;
};

} // namespace snapdeck
