#pragma once

// The last line of a terminal session: where its answers are kept and the
// command that goes on from where it ended.

#include <string>

namespace flyback {

std::string ResumeHint(const std::string& answer_file);

}  // namespace flyback
