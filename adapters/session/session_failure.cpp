#include "session_failure.h"

#include <cstring>

namespace flyback {

std::string FailureLine(const std::string& action, const std::string& reason) {
  return "cannot " + action + ": " + reason;
}

std::string FailureLine(const std::string& action, int error_number) {
  return FailureLine(action, std::string(std::strerror(error_number)));
}

}  // namespace flyback
