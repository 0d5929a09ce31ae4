#pragma once

// One run of the dialogue as a front-end starts it: the answers resumed from
// a file, the record file, the session files of the window and the terminal,
// the files no report may be written over, and the exit status.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/console/console.h"
#include "command_line.h"
#include "engine/losses/user_core_data.h"
#include "file_identity.h"
#include "pages/dialogue/design_observer.h"
#include "session_console.h"
#include "session_files.h"
#include "session_log.h"

namespace flyback {

struct SessionSettings {
  std::string program;                    // put before every line on standard error
  std::string record_file;                // --record; empty: none
  std::string resume_file;                // --resume; empty: none
  std::string answer_input;               // the file the front-end reads answers from; empty: none
  bool reads_standard_input = false;      // script mode: the answers come from standard input
  std::vector<std::string> output_files;  // written beside the dialogue (--export, --bom)
  bool keep_session_files = false;        // the window and the terminal keep them
  std::optional<UserCoreData> core_data;  // --core-data: the user's core for the loss budget
};

// The settings the command line gives a session of `program`. Throws
// SessionFailure when the core data file cannot be used.
SessionSettings SessionSettingsOf(std::string program, const CommandLine& command_line);

class Session {
 public:
  // Reads the resumed answers completely, then creates the record file and
  // the session file (so `--resume F --record F` works). Throws
  // SessionFailure when the command line names a file that cannot be used.
  explicit Session(SessionSettings settings);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Runs the dialogue on `front_end` until it ends; returns the exit status.
  // `observer`, when given, is told what happens to the design. A failure
  // that ends the session early is said on standard error, the open report
  // keeps what was written and the front-end is ended.
  int Run(Console& front_end, SessionConsole::ReplayView replay_view = {},
          DesignObserver* observer = nullptr);

  bool resumes() const { return !settings_.resume_file.empty(); }
  const std::optional<UserCoreData>& core_data() const { return settings_.core_data; }
  // The file that holds this session's answers; empty when none does.
  std::string kept_in() const { return log_->kept_in(); }

  // Writes "PROGRAM: line" on standard error.
  void Say(const std::string& line) const;

 private:
  std::unique_ptr<AnswerFileWriter> CreateRecordFile() const;
  std::unique_ptr<AnswerFileWriter> StartSessionFile(const SessionFilePaths& paths,
                                                     const AnswerFileWriter* record) const;

  SessionSettings settings_;
  std::vector<std::string> resumed_answers_;
  KeptFile answer_input_;
  std::vector<KeptFile> protected_files_;
  std::unique_ptr<SessionLog> log_;
};

}  // namespace flyback
