#pragma once

// What ends a session before the user does: one line for standard error (the
// program's name is put before it) and the exit status that goes with it.

#include <stdexcept>
#include <string>

#include "exit_status.h"

namespace flyback {

class SessionFailure : public std::runtime_error {
 public:
  SessionFailure(const std::string& line, int exit_status)
      : std::runtime_error(line), exit_status_(exit_status) {}

  int exit_status() const { return exit_status_; }

 private:
  int exit_status_;
};

// "cannot ACTION: REASON".
std::string FailureLine(const std::string& action, const std::string& reason);
// The same with the C library's text for `error_number`.
std::string FailureLine(const std::string& action, int error_number);

}  // namespace flyback
