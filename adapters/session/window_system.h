#pragma once

// What flyback and flyback-gui know about the window system they would open
// the window on, and how flyback-gui tells the launcher flyback that it could
// not: with this variable in its environment it ends without a word and with
// the status below when no window can be opened, and flyback falls back to
// the terminal.

#include <string>

namespace flyback {

inline constexpr const char* kTerminalFallbackVariable = "FLYBACK_TERMINAL_FALLBACK";
inline constexpr int kWindowUnavailable = 3;

// DISPLAY or WAYLAND_DISPLAY is set.
bool DisplayNamed();

// Why no window could be opened, for a line on standard error, e.g.
// 'cannot open the display ":99"'.
std::string NoWindowReason();

}  // namespace flyback
