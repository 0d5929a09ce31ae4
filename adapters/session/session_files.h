#pragma once

// The files in which the window and the terminal keep the answers of their
// sessions, in the folder $XDG_STATE_HOME/flyback (by default
// ~/.local/state/flyback): last-session.txt for the running session, and
// previous-session.txt for the one before it.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "answer_file_writer.h"

namespace flyback {

struct SessionFilePaths {
  std::filesystem::path last;
  std::filesystem::path previous;
};

// The paths named by the environment. Without XDG_STATE_HOME (or with a
// relative one, which the desktop rules say to ignore) and without HOME there
// are none: `problem` says why.
std::optional<SessionFilePaths> SessionFilePathsFromEnvironment(std::string& problem);

// Makes the folder, keeps the last session's file as the previous one and
// creates the file of this session. On failure returns null and `problem`
// says why; nothing of the earlier sessions is lost then.
std::unique_ptr<AnswerFileWriter> StartSessionFile(const SessionFilePaths& paths,
                                                   std::string& problem);

}  // namespace flyback
