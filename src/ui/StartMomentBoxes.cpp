#include "StartMomentBoxes.h"

#include "common/Messages.h"
#include "common/NumberReading.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QTimer>
#include <cmath>

namespace snapdeck {

namespace {

// A number rounded to a whole one, with leading zeros to at least "digits" digits.
QString paddedWhole(double value, int digits) {
    const double rounded = roundHalfEven(value);
    QString text = QString::number(std::fabs(rounded), 'f', 0).rightJustified(digits, u'0');
    return rounded < 0 ? u'-' + text : text;
}

// Focus that comes and goes with a message box, another window or a context menu is
// not the user entering or leaving the box.
bool windowLevelReason(Qt::FocusReason reason) {
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

} // namespace

StartMomentBoxes::StartMomentBoxes(MessagePresenter& messages,
                                   const std::array<QLineEdit*, 6>& boxes, QObject* parent)
    : QObject(parent),
      messages_(messages), fields_{{
                               {boxes[0], boxes[1], 2, 1, 31, tr("Неверно указано число!")},
                               {boxes[1], boxes[2], 2, 1, 12, tr("Неверно указан месяц!")},
                               {boxes[2], boxes[3], 4, 2006, 2050, tr("Неверно указан год!")},
                               {boxes[3], boxes[4], 2, 0, 23, tr("Неверно указан час!")},
                               {boxes[4], boxes[5], 2, 0, 59, tr("Неверно указаны минуты!")},
                               {boxes[5], boxes[5], 2, 0, 59, tr("Неверно указаны секунды!")},
                           }} {
    for (const Field& field : fields_)
        field.box->installEventFilter(this);
}

const StartMomentBoxes::Field* StartMomentBoxes::fieldOf(const QObject* box) const {
    for (const Field& field : fields_)
        if (field.box == box)
            return &field;
    return nullptr;
}

bool StartMomentBoxes::eventFilter(QObject* watched, QEvent* event) {
    const Field* field = fieldOf(watched);
    if (!field)
        return false;
    QLineEdit* box = field->box;
    switch (event->type()) {
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (windowLevelReason(reason))
            break;
        selectOnEntry(box);
        // The click that brought the focus places the cursor after this event; select
        // again once it has.
        if (reason == Qt::MouseFocusReason)
            QTimer::singleShot(0, box, [this, box] { selectOnEntry(box); });
        break;
    }
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            padAndAdvance(box);
        break;
    }
    case QEvent::FocusOut: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (windowLevelReason(reason) || restoringFocus_)
            break;
        // Checked once the focus has settled: a message box shown from inside a focus
        // change would fight with it.
        QTimer::singleShot(0, box, [this, box] { checkRange(box); });
        break;
    }
    default:
        break;
    }
    return false; // the box handles every event as usual
}

void StartMomentBoxes::selectOnEntry(QLineEdit* box) {
    box->selectAll();
}

void StartMomentBoxes::padAndAdvance(QLineEdit* box) {
    const Field* field = fieldOf(box);
    if (!field)
        return;
    if (const std::optional<double> value = readRealNumber(box->text()))
        box->setText(paddedWhole(*value, field->digits));
    if (field->next != box)
        field->next->setFocus(Qt::OtherFocusReason);
}

void StartMomentBoxes::checkRange(QLineEdit* box) {
    const Field* field = fieldOf(box);
    if (!field || checking_)
        return;
    const double value = leadingNumber(box->text());
    if (value >= field->lowest && value <= field->highest)
        return;
    const QScopedValueRollback checking(checking_, true);
    Message refused;
    refused.text = field->refusal;
    messages_.show(refused);
    {
        // The box that had the focus meanwhile loses it now without the user leaving it.
        const QScopedValueRollback restoring(restoringFocus_, true);
        box->setFocus(Qt::OtherFocusReason);
    }
    box->selectAll();
}

} // namespace snapdeck
