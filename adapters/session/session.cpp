#include "session.h"

#include <exception>
#include <iostream>
#include <optional>
#include <utility>

#include "answer_file_reading.h"
#include "core_data_file.h"
#include "file_replacement.h"
#include "pages/dialogue/driver.h"
#include "session_failure.h"
#include "session_files.h"

namespace flyback {

namespace {

// An output or record file is only ever a regular file: a device, a FIFO, a
// folder or a socket in its place is refused before the dialogue starts, as
// the replacement would put a file where the system or another program
// expects that node (as root: /dev/null).
void RefuseIfNotRegularFile(const std::string& name) {
  if (const std::optional<std::string> refused = NotRegularFile(name)) {
    throw SessionFailure("cannot write \"" + name + "\": " + *refused, kUnusableStart);
  }
}

}  // namespace

SessionSettings SessionSettingsOf(std::string program, const CommandLine& command_line) {
  SessionSettings settings;
  settings.program = std::move(program);
  settings.record_file = command_line.record_file;
  settings.resume_file = command_line.resume_file;
  for (const std::string& file :
       {command_line.export_file, command_line.bom_file, command_line.netlist_file,
        command_line.design_report_file, command_line.efficiency_map_file}) {
    if (!file.empty()) settings.output_files.push_back(file);
  }
  if (!command_line.core_data_file.empty()) {
    try {
      settings.core_data = ReadCoreDataFile(command_line.core_data_file);
    } catch (const CoreDataFileError& error) {
      throw SessionFailure(
          "cannot use the core data file \"" + command_line.core_data_file + "\": " + error.what(),
          kUnusableStart);
    }
  }
  return settings;
}

Session::Session(SessionSettings settings) : settings_(std::move(settings)) {
  if (!settings_.resume_file.empty()) {
    resumed_answers_ = ReadAnswerFile(settings_.resume_file, "the resume file");
  }
  // Standard input is known by what it reads now: a pipe or a terminal has
  // no name of its own that a report name could be compared with.
  answer_input_ =
      settings_.reads_standard_input ? StandardInput() : KeptFile{settings_.answer_input, {}};
  protected_files_ = {answer_input_, {settings_.record_file, {}}, {settings_.resume_file, {}}};
  std::string session_files_problem;
  std::optional<SessionFilePaths> session_paths;
  if (settings_.keep_session_files) {
    session_paths = SessionFilePathsFromEnvironment(session_files_problem);
    if (session_paths) {
      protected_files_.push_back({session_paths->last.string(), {}});
      protected_files_.push_back({session_paths->previous.string(), {}});
    }
  }
  // Checked before any file is created or renamed.
  for (const std::string& output : settings_.output_files) {
    for (const KeptFile& kept : protected_files_) {
      if (LeadsTo(output, kept)) {
        throw SessionFailure(
            "cannot write \"" + output + "\": it holds the answers of this session",
            kUnusableStart);
      }
    }
  }
  for (const std::string& output : settings_.output_files) RefuseIfNotRegularFile(output);
  std::unique_ptr<AnswerFileWriter> record = CreateRecordFile();
  std::unique_ptr<AnswerFileWriter> session_file;
  if (session_paths) {
    session_file = StartSessionFile(*session_paths, record.get());
  } else if (settings_.keep_session_files) {
    Say(session_files_problem);
  }
  log_ = std::make_unique<SessionLog>(std::move(record), std::move(session_file),
                                      [this](const std::string& line) { Say(line); });
}

std::unique_ptr<AnswerFileWriter> Session::CreateRecordFile() const {
  const std::string& name = settings_.record_file;
  if (name.empty()) return nullptr;
  if (LeadsTo(name, answer_input_)) {
    throw SessionFailure(
        "cannot record into \"" + name + "\": it is the file this session reads its answers from",
        kUnusableStart);
  }
  RefuseIfNotRegularFile(name);
  auto record = std::make_unique<AnswerFileWriter>(name);
  if (const std::optional<std::string>& error = record->open_failure()) {
    throw SessionFailure(FailureLine("create the record file \"" + name + "\"", *error),
                         kUnusableStart);
  }
  return record;
}

std::unique_ptr<AnswerFileWriter> Session::StartSessionFile(const SessionFilePaths& paths,
                                                            const AnswerFileWriter* record) const {
  // A record file in the place of a session file keeps the answers itself;
  // renaming it away or writing it twice would spoil it.
  if (record != nullptr && (LeadsTo(record->path(), {paths.last.string(), {}}) ||
                            LeadsTo(record->path(), {paths.previous.string(), {}}))) {
    return nullptr;
  }
  std::string problem;
  std::unique_ptr<AnswerFileWriter> file = flyback::StartSessionFile(paths, problem);
  if (file == nullptr) Say(problem);
  return file;
}

int Session::Run(Console& front_end, SessionConsole::ReplayView replay_view,
                 DesignObserver* observer) {
  SessionConsole console(front_end, resumed_answers_, log_.get(), std::move(replay_view));
  for (const KeptFile& file : protected_files_) {
    if (!file.name.empty() || file.opened) {
      console.ProtectFile([file](const std::string& name) { return LeadsTo(name, file); });
    }
  }
  DesignState state;
  int exit_status = kEndedByUser;
  try {
    RunDialogue(console, state, log_.get(), observer);
    return kEndedByUser;
  } catch (const SessionFailure& failure) {
    Say(failure.what());
    exit_status = failure.exit_status();
  } catch (const std::exception& failure) {
    // Nothing may escape into the window's event loop.
    Say(std::string("the session failed: ") + failure.what());
    exit_status = kInputOutputFailure;
  }
  try {
    console.EndProgram();
  } catch (const SessionFailure&) {
    // Said once is enough: the transcript may fail again while it is closed.
  }
  return exit_status;
}

void Session::Say(const std::string& line) const {
  std::cerr << settings_.program << ": " << line << '\n' << std::flush;
}

}  // namespace flyback
