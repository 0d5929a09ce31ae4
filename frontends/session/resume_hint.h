#pragma once

// The last line of a terminal session: where its answers are kept and the
// command that goes on from where it ended.

#include <string>

namespace flyback {

// `text` as one word of the shell: as it is when it holds only characters
// the shell leaves alone, otherwise in single quotes.
std::string ShellWord(const std::string& text);

std::string ResumeHint(const std::string& answer_file);

}  // namespace flyback
