#pragma once

#include <memory>

namespace snapdeck {

class Camera;
struct StationConfig;

// Runs the station as the program: no window and no question, the engine and the
// station's rounds on a thread of their own, until the plan ends (status 0) or SIGTERM
// or SIGINT ends it (within 10 s, status 0); 1 when it cannot run at all (its folder
// cannot be made). Tells systemd READY once it runs.
int runStation(const StationConfig& config, std::unique_ptr<Camera> camera);

} // namespace snapdeck
