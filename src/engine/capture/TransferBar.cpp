#include "TransferBar.h"

#include "engine/EngineContext.h"

#include <algorithm>

namespace snapdeck {

TransferProgress transferProgressInto(EngineContext& context) {
    return [&context](qint64 done, qint64 total) {
        TransferState& bar = context.state.transfer;
        if (total > 0)
            bar.maximum = total;
        bar.value = std::clamp<qint64>(done, 0, bar.maximum);
        context.publish();
    };
}

BusyWhile::BusyWhile(EngineContext& context) : context_(context), wasBusy_(context.state.busy) {
    context_.state.busy = true;
    context_.publish();
}

BusyWhile::~BusyWhile() {
    context_.state.busy = wasBusy_;
    context_.publish();
}

} // namespace snapdeck
