#pragma once

class QProgressBar;

namespace snapdeck {

class PictureBox;
struct Globals;
struct Services;
struct WindowState;

// Preview: the camera takes a small picture, which is stored as "preview.jpg" and shown
// in the small picture box. Changes no counters and no other file.
class Preview {
public:
    Preview(Services& services, Globals& globals, const WindowState& state, QProgressBar& prgFile,
            PictureBox& Image2);

    // Reports its own errors (also 26, without retrying) and never passes one on.
    void ShowPreview();

private:
    Services& services_;
    Globals& globals_;
    const WindowState& state_;
    QProgressBar& prgFile_;
    PictureBox& Image2_;
};

} // namespace snapdeck
