#pragma once

// The standard streams of the process (descriptors 0, 1 and 2).

namespace flyback {

struct ClosedStandardStreams {
  bool input = false;
  bool output = false;
};

// Opens /dev/null in place of a standard stream that is closed, so that no
// file the program opens later takes its number (a report or the record file
// would then receive the transcript or Qt's messages). Returns which of input
// and output were closed. Call it first.
ClosedStandardStreams PlugClosedStandardStreams();

}  // namespace flyback
