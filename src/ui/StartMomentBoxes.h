#pragma once

#include <QObject>
#include <QString>
#include <array>

class QLineEdit;

namespace snapdeck {

class MessagePresenter;

// The entry aids of the six start-moment boxes (day, month, year, hour, minute, second):
//  - entering a box selects its whole text, so that typing replaces it;
//  - Enter writes a number with leading zeros ("07", "2026") and moves on to the next
//    box of the row (TBS keeps the focus);
//  - leaving a box checks its range; a refused value gets its message and the focus
//    goes back into the box with the text selected and unchanged.
// Lives as long as its parent, the frame that holds the boxes.
class StartMomentBoxes : public QObject {
    Q_OBJECT

public:
    StartMomentBoxes(MessagePresenter& messages, const std::array<QLineEdit*, 6>& boxes,
                     QObject* parent);

    void selectOnEntry(QLineEdit* box);
    void padAndAdvance(QLineEdit* box);
    void checkRange(QLineEdit* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Field {
        QLineEdit* box;
        QLineEdit* next; // where Enter moves the focus
        int digits;      // leading zeros up to this many digits
        double lowest, highest;
        QString refusal;
    };
    const Field* fieldOf(const QObject* box) const;

    MessagePresenter& messages_;
    std::array<Field, 6> fields_;
    bool checking_ = false;       // a refusal's message is open
    bool restoringFocus_ = false; // the focus is being put back after a refusal
};

} // namespace snapdeck
