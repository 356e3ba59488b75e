// A measuring aid for the start-up time: with TAVRIN_STARTUP_PROBE set in the environment the
// program prints how many milliseconds after its process started the main window was shown, and
// ends right there (without the exit question). Unset, it does nothing.
#pragma once

namespace tavrin {

inline constexpr const char* kStartupProbeVariable = "TAVRIN_STARTUP_PROBE";

// Call right after the main window is shown, before the event loop runs.
void ArmStartupProbe();

}  // namespace tavrin
