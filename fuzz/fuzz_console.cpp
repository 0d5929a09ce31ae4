#include "fuzz_console.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "observer_list.h"
#include "pages/dialogue/driver.h"

namespace flyback {

namespace {

std::string Lowercase(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

// Blanks out every place of `text` where one of the echoes stands, found in
// the text as written: erasing one echo after the other would let a short
// answer ("2") cut a long one ("19.0nan024") so that it is no longer found.
std::string MaskEchoed(const std::string& text, const std::vector<std::string>& echoes) {
  std::string masked = text;
  for (const std::string& echoed : echoes) {
    for (std::size_t at = text.find(echoed); at != std::string::npos;
         at = text.find(echoed, at + 1)) {
      std::fill_n(masked.begin() + static_cast<std::ptrdiff_t>(at), echoed.size(), '\0');
    }
  }
  return masked;
}

constexpr int kQuestionBudget = 600;

// The longest a calculation may work between two questions: one calculation
// lowers the magnetization at most 100000 times, and an optimization sweep
// ends after 100000 steps of a few passes each.
constexpr long long kMaxPassesBetweenQuestions = 1000000;

}  // namespace

FuzzConsole::FuzzConsole(std::string_view input, std::string folder, int question_budget)
    : folder_(std::move(folder)), questions_left_(question_budget) {
  std::string answer;
  for (char c : input) {
    if (c == '\n') {
      answers_.push_back(answer);
      answer.clear();
    } else {
      answer += c;
    }
  }
  if (!answer.empty()) answers_.push_back(answer);
  for (const std::string& given : answers_) {
    if (!given.empty()) echoes_.push_back(Lowercase(given));
  }
}

void FuzzConsole::CheckLine(const Line& line) const {
  for (const Item& item : line) {
    std::string text = Lowercase(ItemText(item));
    if (item.kind() == Item::Kind::kText) text = MaskEchoed(text, echoes_);
    for (const char* bad : {"nan", "inf"}) {
      if (text.find(bad) != std::string::npos) {
        std::fprintf(stderr, "finding: a line shows \"%s\": %s\n", bad,
                     LayoutFixedPitch(line).c_str());
        std::abort();
      }
    }
  }
}

void FuzzConsole::WriteLine(const Line& line) {
  CheckLine(line);
}

void FuzzConsole::CalculationRun(const DesignState& /*design*/, int passes) {
  passes_since_last_question_ += passes;
}

std::string FuzzConsole::Ask(const Question& question) {
  if (passes_since_last_question_ > kMaxPassesBetweenQuestions) {
    std::fprintf(stderr, "finding: %lld calculation passes between two questions\n",
                 passes_since_last_question_);
    std::abort();
  }
  passes_since_last_question_ = 0;
  if (questions_left_-- <= 0 || next_answer_ >= answers_.size()) return {};
  std::string answer = answers_[next_answer_++];
  // An empty line is Return: the default as shown (which may be empty: cancel).
  return answer.empty() ? question.default_answer : answer;
}

std::optional<std::string> FuzzConsole::OpenReport(const std::string& name) {
  // Names with a folder stand for names that cannot be created; "full" for a
  // disk that is full; every other name writes the one report of the folder.
  if (name.find('/') != std::string::npos) return "No such file or directory";
  return Console::OpenReport(name == "full" ? "/dev/full" : folder_ + "/report");
}

std::optional<std::string> FuzzConsole::WriteReportLine(const Line& line) {
  CheckLine(line);
  return Console::WriteReportLine(line);
}

int RunFuzzInput(const unsigned char* data, std::size_t size, DesignObserver* also) {
  static const std::string folder = [] {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("flyback-fuzz-" + std::to_string(getpid()));
    std::filesystem::create_directories(path);
    return path.string();
  }();
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  DesignState state;
  FuzzConsole console(input, folder, kQuestionBudget);
  ObserverList observers({&console, also});
  RunDialogue(console, state, nullptr, &observers);
  return 0;
}

}  // namespace flyback
