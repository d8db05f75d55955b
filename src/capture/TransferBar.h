#pragma once

#include <QProgressBar>
#include <cstdint>

namespace snapdeck {

// The transfer bar runs on the scale of the picture's byte count. A picture of no
// bytes leaves the bar as it is: Qt shows a bar with an empty range as a running,
// endless transfer, and drops a value that no longer fits the range.
inline void setTransferScale(QProgressBar& bar, std::int32_t byteCount) {
    if (byteCount > 0)
        bar.setMaximum(byteCount);
}

} // namespace snapdeck
