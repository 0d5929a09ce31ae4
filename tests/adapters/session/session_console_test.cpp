// The console of a session: resumed answers replayed without asking, and a
// report name the user declines to replace a file with taken back from the
// answer files, so that they replay the same way.

#include "session_console.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "pages/dialogue/driver.h"
#include "script_console.h"
#include "support/script_run.h"
#include "support/temp_dir.h"

namespace flyback {
namespace {

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A script whose user declines to replace every file that exists.
class DecliningConsole : public ScriptConsole {
 public:
  using ScriptConsole::ScriptConsole;
  bool ConfirmReplace(const std::string& name) override {
    ++questions;
    return !std::filesystem::exists(name);
  }
  int questions = 0;
};

// The demonstration design to the main menu, then "Print the result" with
// the default date and name.
const std::string kToResultFileName = kDemonstrationToMainMenu + "2\n\n\n";

struct SessionRun {
  std::string transcript;
  std::string record;
  int replace_questions = 0;
};

SessionRun RunSession(const std::vector<std::string>& resumed, const std::string& typed,
                      const std::filesystem::path& record_file) {
  std::istringstream in(typed);
  std::ostringstream out;
  DecliningConsole front_end(in, out);
  SessionLog log(std::make_unique<AnswerFileWriter>(record_file.string()), nullptr,
                 [](const std::string&) {});
  SessionConsole console(front_end, resumed, &log,
                         [&front_end](const Question& question, const std::string& answer) {
                           front_end.ShowAnswered(question, answer);
                         });
  DesignState state;
  RunDialogue(console, state, &log);
  return {out.str(), ReadBytes(record_file), front_end.questions};
}

TEST(SessionConsole, DeclinedReportNameIsTakenBackFromTheRecord) {
  TempDir dir;
  const std::string old_report = (dir.path() / "old.doc").string();
  const std::string new_report = (dir.path() / "new.doc").string();
  std::ofstream(old_report) << "kept";
  const SessionRun run =
      RunSession({}, kToResultFileName + old_report + "\n" + new_report + "\n", dir.path() / "r");

  EXPECT_EQ(ReadBytes(old_report), "kept");
  EXPECT_TRUE(std::filesystem::exists(new_report));
  // The record holds the name that was taken, not the one declined: it
  // replays in script mode, which replaces without asking, to the same end.
  const ScriptRun plain = RunScript(kToResultFileName + new_report + "\n");
  EXPECT_EQ(run.record, plain.recorded);
}

TEST(SessionConsole, ResumedAnswersAreTakenWithoutAskingAndShownAsScriptModeShowsThem) {
  TempDir dir;
  const std::string report = (dir.path() / "r.doc").string();
  std::ofstream(report) << "old";
  std::istringstream resumed_text(kToResultFileName + report + "\n");
  std::vector<std::string> resumed;
  for (std::string line; std::getline(resumed_text, line);) resumed.push_back(line);
  // The resumed answers end at the main menu after the report; "9" there is
  // typed, then the end of input.
  const SessionRun run = RunSession(resumed, "9\n", dir.path() / "r");

  const ScriptRun plain = RunScript(kToResultFileName + report + "\n9\n");
  EXPECT_EQ(run.transcript, plain.transcript);
  EXPECT_EQ(run.record, plain.recorded);
  EXPECT_EQ(run.replace_questions, 0);  // the resumed name replaced the file, as in script mode
  EXPECT_NE(ReadBytes(report), "old");
}

}  // namespace
}  // namespace flyback
