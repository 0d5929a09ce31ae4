#include "session_failure.h"

#include <cstring>

namespace flyback {

std::string FailureLine(const std::string& action, int error_number) {
  return "cannot " + action + ": " + std::strerror(error_number);
}

}  // namespace flyback
