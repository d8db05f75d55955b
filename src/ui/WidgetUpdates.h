#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>

namespace snapdeck {

// The window shows the engine's state without that counting as the user's action: a
// control changed to match the engine sends no command back.

inline void setCheckedQuietly(QAbstractButton& box, bool checked) {
    if (box.isChecked() == checked)
        return;
    const QSignalBlocker quiet(box);
    box.setChecked(checked);
}

inline void setIndexQuietly(QComboBox& list, int index) {
    if (list.currentIndex() == index)
        return;
    const QSignalBlocker quiet(list);
    list.setCurrentIndex(index);
}

// A label whose text is set only when it changes: an unchanged text repaints nothing.
inline void setTextIfChanged(QLabel& label, const QString& text) {
    if (label.text() != text)
        label.setText(text);
}

} // namespace snapdeck
