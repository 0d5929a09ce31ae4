#include "session_files.h"

#include <cstdlib>
#include <system_error>

#include "session_failure.h"

namespace flyback {

namespace {

// The variable's value if it is set to an absolute path.
std::optional<std::filesystem::path> AbsolutePathVariable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value != '/') return std::nullopt;
  return std::filesystem::path(value);
}

}  // namespace

std::optional<SessionFilePaths> SessionFilePathsFromEnvironment(std::string& problem) {
  std::filesystem::path state_home;
  if (const auto xdg_state_home = AbsolutePathVariable("XDG_STATE_HOME")) {
    state_home = *xdg_state_home;
  } else if (const auto home = AbsolutePathVariable("HOME")) {
    state_home = *home / ".local" / "state";
  } else {
    problem =
        "cannot keep the answers of this session: neither XDG_STATE_HOME nor HOME names a folder";
    return std::nullopt;
  }
  const std::filesystem::path folder = state_home / "flyback";
  return SessionFilePaths{folder / "last-session.txt", folder / "previous-session.txt"};
}

std::unique_ptr<AnswerFileWriter> StartSessionFile(const SessionFilePaths& paths,
                                                   std::string& problem) {
  const std::filesystem::path folder = paths.last.parent_path();
  const std::string where = "keep the answers of this session in \"" + folder.string() + "\"";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (!error && std::filesystem::exists(paths.last, error)) {
    std::filesystem::rename(paths.last, paths.previous, error);
  }
  if (error) {
    problem = FailureLine(where, error.value());
    return nullptr;
  }
  auto file = std::make_unique<AnswerFileWriter>(paths.last.string());
  if (const std::optional<std::string>& open_failure = file->open_failure()) {
    problem = FailureLine(where, *open_failure);
    return nullptr;
  }
  return file;
}

}  // namespace flyback
