#pragma once

// Qt ends the program with a fatal message (and an abort) when it can reach
// no window system: no display server at DISPLAY, no compositor at
// WAYLAND_DISPLAY. While the application object is built, its messages are
// held back. On that fatal message flyback-gui ends with one line and exit
// status 2, or, when the launcher flyback falls back to the terminal (see
// window_system.h), silently with the status that tells it so. Otherwise the
// held messages are handed on once the application stands.

namespace flyback {

class StartupMessages {
 public:
  StartupMessages();  // holds the messages back from here on
  StartupMessages(const StartupMessages&) = delete;
  StartupMessages& operator=(const StartupMessages&) = delete;
  ~StartupMessages();  // hands them on
};

}  // namespace flyback
