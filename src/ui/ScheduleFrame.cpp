#include "ScheduleFrame.h"

#include "Accessibility.h"
#include "StartMomentBoxes.h"
#include "WidgetUpdates.h"
#include "engine/Engine.h"
#include "engine/EngineHost.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace snapdeck {

namespace {

void setTextQuietly(QLineEdit* box, const QString& text) {
    const QSignalBlocker quiet(box);
    box->setText(text);
}

} // namespace

ScheduleFrame::ScheduleFrame(EngineHost& engine, MessagePresenter& messages, QWidget* parent)
    : QGroupBox(tr("Интервальная съемка"), parent), engine_(engine) {
    setObjectName(QStringLiteral("scheduleFrame"));
    auto* rows = new QVBoxLayout(this);
    const auto text = [&](const QString& caption) { return new QLabel(caption, this); };
    const auto row = [&](std::initializer_list<QWidget*> widgets) {
        auto* line = new QHBoxLayout;
        line->setSpacing(2);
        for (QWidget* w : widgets)
            line->addWidget(w);
        line->addStretch();
        rows->addLayout(line);
    };
    const ScheduleForm defaults;

    intervalShootingBox_ = new QCheckBox(tr("Включить &интервальную съемку"), this);
    intervalShootingBox_->setObjectName(QStringLiteral("intervalShootingBox"));
    row({intervalShootingBox_});

    auto* intervalCaption = text(tr("И&нтервал"));
    intervalBox_ = box("intervalBox", 6, withoutMnemonic(intervalCaption->text()));
    intervalBox_->setText(defaults.interval);
    labelControl(intervalCaption, intervalBox_);
    row({intervalCaption, intervalBox_, text(tr("сек"))});

    auto* startCaption = text(tr("На&чать"));
    start_ = momentBoxes("start", withoutMnemonic(startCaption->text()));
    startCaption->setBuddy(start_.day);
    addMomentRow(startCaption, start_);

    nextShotLine_ = new QLabel(IntervalState().line, this);
    nextShotLine_->setObjectName(QStringLiteral("nextShotLine"));
    row({nextShotLine_});

    stopAtMomentBox_ = new QCheckBox(tr("Ос&тановить"), this);
    stopAtMomentBox_->setObjectName(QStringLiteral("stopAtMomentBox"));
    stop_ = momentBoxes("stop", withoutMnemonic(stopAtMomentBox_->text()));
    addMomentRow(stopAtMomentBox_, stop_);

    stopAfterCountBox_ = new QCheckBox(tr("Остановить по&сле"), this);
    stopAfterCountBox_->setObjectName(QStringLiteral("stopAfterCountBox"));
    countBox_ = box("countBox", 6, tr("Остановить после, снимков"));
    countBox_->setText(defaults.count);
    row({stopAfterCountBox_, countBox_, text(tr("снимков"))});

    dailyWindowBox_ = new QCheckBox(tr("&Выполнять в период с"), this);
    dailyWindowBox_->setObjectName(QStringLiteral("dailyWindowBox"));
    windowBeginHourBox_ = box("windowBeginHourBox", 2, tr("Выполнять с - час"));
    windowBeginMinuteBox_ = box("windowBeginMinuteBox", 2, tr("Выполнять с - минуты"));
    windowEndHourBox_ = box("windowEndHourBox", 2, tr("Выполнять по - час"));
    windowEndMinuteBox_ = box("windowEndMinuteBox", 2, tr("Выполнять по - минуты"));
    row({dailyWindowBox_, windowBeginHourBox_, text(QStringLiteral(":")), windowBeginMinuteBox_,
         text(tr("по")), windowEndHourBox_, text(QStringLiteral(":")), windowEndMinuteBox_});
    rows->addStretch();

    new StartMomentBoxes(
        messages,
        {start_.day, start_.month, start_.year, start_.hour, start_.minute, start_.second}, this);

    for (QLineEdit* edit : findChildren<QLineEdit*>())
        connect(edit, &QLineEdit::textChanged, this, &ScheduleFrame::sendForm);
    for (QCheckBox* limit : {stopAtMomentBox_, stopAfterCountBox_, dailyWindowBox_})
        connect(limit, &QCheckBox::toggled, this, &ScheduleFrame::sendForm);
    connect(intervalShootingBox_, &QCheckBox::toggled, this,
            [this](bool on) { engine_.post([on](Engine& e) { e.setIntervalShooting(on); }); });
}

QLineEdit* ScheduleFrame::box(const char* name, int digits, const QString& accessibleName) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(name));
    edit->setFixedWidth(QFontMetrics(font()).horizontalAdvance(QString(digits, u'0')) + 14);
    nameControl(edit, accessibleName);
    return edit;
}

ScheduleFrame::MomentBoxes ScheduleFrame::momentBoxes(const char* prefix, const QString& caption) {
    const auto part = [&](const char* field, int digits, const QString& what) {
        const QByteArray name = QByteArray(prefix) + field + "Box";
        return box(name.constData(), digits, caption + QStringLiteral(" - ") + what);
    };
    return {part("Day", 2, tr("день")),      part("Month", 2, tr("месяц")),
            part("Year", 4, tr("год")),      part("Hour", 2, tr("час")),
            part("Minute", 2, tr("минуты")), part("Second", 2, tr("секунды"))};
}

// day/month/year в h:m:s
void ScheduleFrame::addMomentRow(QWidget* lead, const MomentBoxes& boxes) {
    auto* line = new QHBoxLayout;
    line->setSpacing(2);
    const auto text = [&](const QString& caption) { return new QLabel(caption, this); };
    const QString slash = QStringLiteral("/");
    const QString colon = QStringLiteral(":");
    for (QWidget* w : {lead, static_cast<QWidget*>(boxes.day), static_cast<QWidget*>(text(slash)),
                       static_cast<QWidget*>(boxes.month), static_cast<QWidget*>(text(slash)),
                       static_cast<QWidget*>(boxes.year), static_cast<QWidget*>(text(tr("в"))),
                       static_cast<QWidget*>(boxes.hour), static_cast<QWidget*>(text(colon)),
                       static_cast<QWidget*>(boxes.minute), static_cast<QWidget*>(text(colon)),
                       static_cast<QWidget*>(boxes.second)})
        line->addWidget(w);
    line->addStretch();
    static_cast<QVBoxLayout*>(layout())->addLayout(line);
}

MomentTexts ScheduleFrame::textsOf(const MomentBoxes& boxes) {
    return {boxes.day->text(),  boxes.month->text(),  boxes.year->text(),
            boxes.hour->text(), boxes.minute->text(), boxes.second->text()};
}

void ScheduleFrame::setTexts(const MomentBoxes& boxes, const MomentTexts& texts) {
    setTextQuietly(boxes.day, texts.day);
    setTextQuietly(boxes.month, texts.month);
    setTextQuietly(boxes.year, texts.year);
    setTextQuietly(boxes.hour, texts.hour);
    setTextQuietly(boxes.minute, texts.minute);
    setTextQuietly(boxes.second, texts.second);
}

ScheduleForm ScheduleFrame::form() const {
    ScheduleForm form;
    form.interval = intervalBox_->text();
    form.start = textsOf(start_);
    form.stopAtMoment = stopAtMomentBox_->isChecked();
    form.stop = textsOf(stop_);
    form.stopAfterCount = stopAfterCountBox_->isChecked();
    form.count = countBox_->text();
    form.dailyWindow = dailyWindowBox_->isChecked();
    form.windowBeginHour = windowBeginHourBox_->text();
    form.windowBeginMinute = windowBeginMinuteBox_->text();
    form.windowEndHour = windowEndHourBox_->text();
    form.windowEndMinute = windowEndMinuteBox_->text();
    return form;
}

void ScheduleFrame::sendForm() {
    engine_.post([form = form()](Engine& e) { e.setSchedule(form); });
}

void ScheduleFrame::fill(const ScheduleForm& form) {
    setTexts(start_, form.start);
    setTexts(stop_, form.stop);
    setTextQuietly(windowBeginHourBox_, form.windowBeginHour);
    setTextQuietly(windowBeginMinuteBox_, form.windowBeginMinute);
    setTextQuietly(windowEndHourBox_, form.windowEndHour);
    setTextQuietly(windowEndMinuteBox_, form.windowEndMinute);
    // The engine holds the same values already, and boxes the user edited since stay
    // as they are for the engine too: send what the boxes now say.
    sendForm();
}

void ScheduleFrame::focusInterval() {
    intervalBox_->setFocus();
}

void ScheduleFrame::render(const EngineState& state) {
    setCheckedQuietly(*intervalShootingBox_, state.interval.on);
    setTextIfChanged(*nextShotLine_, state.interval.line);
    nextShotLine_->setVisible(state.interval.lineVisible);
}

} // namespace snapdeck
