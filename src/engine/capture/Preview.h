#pragma once

namespace snapdeck {

class EngineContext;

// Preview: the camera takes a small picture, which is stored as "preview.jpg" and
// shown in the small picture box. Changes no counters and no other file.
class Preview {
public:
    explicit Preview(EngineContext& context) : context_(context) {}

    // Skipped during start-up until the lists are filled, and while previews are left
    // to a later one. Reports its own errors (also 26, without retrying) and never
    // passes one on.
    // A preview is left to later ones while further commands wait: settings changed in
    // a row during a capture take one preview at the end, not one each.
    void take();
    // Takes the preview left to later commands, if any, once none is left.
    void takeIfLeftOver();

private:
    void takeNow();

    EngineContext& context_;
    bool leftOver_ = false;
};

} // namespace snapdeck
