#include "load_points_option.h"

namespace flyback {

LoadPoints LoadPointsOf(const CommandLine& command_line) {
  return command_line.without_load_points ? LoadPoints::kLeftOut : LoadPoints::kSimulated;
}

}  // namespace flyback
