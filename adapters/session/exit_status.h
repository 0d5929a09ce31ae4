#pragma once

// The exit statuses of flyback and flyback-gui, the same in every front-end.

namespace flyback {

// The user ended the dialogue: an empty answer, a cancel, the end of input.
inline constexpr int kEndedByUser = 0;
// An input or output failed: standard input, the transcript, the record file.
inline constexpr int kInputOutputFailure = 1;
// A bad command line, or an environment the program cannot run in (no display
// and no terminal, a file named on the command line that cannot be used).
inline constexpr int kUnusableStart = 2;

}  // namespace flyback
