#pragma once

namespace heatnet {

// Caption of every message box that names no caption of its own, in every layer
// from the engine's messages to the entry windows.
inline constexpr const char* kApplicationTitle = "pelu";

}  // namespace heatnet
