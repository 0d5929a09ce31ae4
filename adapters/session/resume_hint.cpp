#include "resume_hint.h"

#include <algorithm>

namespace flyback {

namespace {

// `text` as one word of the shell: as it is when it holds only characters
// the shell leaves alone, otherwise in single quotes.
std::string ShellWord(const std::string& text) {
  const bool plain = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("/._-+,:@%").find(c) != std::string_view::npos;
  });
  if (plain) return text;
  std::string word = "'";
  for (const char c : text) {
    if (c == '\'') {
      word += "'\\''";
    } else {
      word += c;
    }
  }
  return word + "'";
}

}  // namespace

std::string ResumeHint(const std::string& answer_file) {
  const std::string word = ShellWord(answer_file);
  return "the answers of this session are in " + word +
         "; to go on from where it ended: flyback --resume " + word;
}

}  // namespace flyback
