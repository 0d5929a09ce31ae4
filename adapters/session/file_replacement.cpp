#include "file_replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>
#include <utility>

#include "exit_status.h"
#include "session_failure.h"
#include "temporary_name_guard.h"
#include "unique_descriptor.h"

namespace flyback {

namespace {

constexpr mode_t kNewFileMode = 0666;  // less the umask, as for any new file
constexpr int kNameTries = 100;        // taken names tried before giving up

std::string Reason(int error_number) {
  return std::strerror(error_number);
}

// The folder (open) and the name of the file to replace.
struct Place {
  int folder;
  std::string name;
};

// ".flyback-" and eight random hexadecimal digits: 17 bytes, whatever the
// target's name, and not to be guessed by whoever shares the folder.
std::string TemporaryName() {
  static std::random_device source;
  constexpr std::string_view kDigits = "0123456789abcdef";
  std::string name = ".flyback-";
  unsigned bits = source();
  for (int digit = 0; digit < 8; ++digit, bits >>= 4U) name += kDigits[bits & 0xFU];
  return name;
}

// Where the new file goes: where a link in the target's place leads, when it
// leads to a file; else the target itself (a new file, or a link to nothing,
// which the new file then replaces).
std::filesystem::path FollowedTarget(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) return path;
  std::filesystem::path target = std::filesystem::canonical(path, error);
  return error ? std::filesystem::path(path) : target;
}

// The error number of a failed write, if one failed.
std::optional<int> WriteAll(int descriptor, std::string_view contents) {
  while (!contents.empty()) {
    const ssize_t count = ::write(descriptor, contents.data(), contents.size());
    if (count < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    contents.remove_prefix(static_cast<std::size_t>(count));
  }
  return std::nullopt;
}

// What the ended `child` returned: the error number it exited with, or EINTR
// when a signal ended it.
int ResultOf(pid_t child) {
  int status = 0;
  pid_t waited = 0;
  do {
    waited = ::waitpid(child, &status, 0);
  } while (waited < 0 && errno == EINTR);
  if (waited < 0) return errno;
  return WIFEXITED(status) ? WEXITSTATUS(status) : EINTR;
}

// Runs `steps` (an error number, 0 when they succeed) in a child process and
// returns what they return. A SIGKILL sent to the program (kill -9, the
// out-of-memory killer, a harness's time limit) does not stop the child,
// which finishes the steps. The child does only what is safe after fork in a
// program with threads: system calls on memory it already has, then _exit.
template <typename Steps>
int InChildProcess(const Steps& steps) {
  // With SIGCHLD ignored (a setting that whoever started the program may
  // pass on) the system reaps the child unseen, and its result is lost: the
  // default is put in place while the child runs.
  struct sigaction on_child {};
  ::sigaction(SIGCHLD, nullptr, &on_child);
  const bool reaped_unseen = on_child.sa_handler == SIG_IGN ||
                             (static_cast<unsigned>(on_child.sa_flags) & SA_NOCLDWAIT) != 0;
  if (reaped_unseen) {
    struct sigaction by_default {};
    by_default.sa_handler = SIG_DFL;
    ::sigaction(SIGCHLD, &by_default, nullptr);
  }
  const pid_t child = ::fork();
  if (child == 0) ::_exit(steps());
  const int result = child < 0 ? errno : ResultOf(child);
  if (reaped_unseen) ::sigaction(SIGCHLD, &on_child, nullptr);
  return result;
}

// Gives the new file a free temporary name with `create(name)` (which returns
// an error number, 0 when the file is there; EEXIST: the name is taken) and
// renames it over the target. Guarded from the moment the name may exist to
// the moment it is gone; the steps while it exists run in a child process.
template <typename Create>
std::optional<std::string> CreateAndRename(const Place& target, const Create& create) {
  for (int tries = 0; tries < kNameTries; ++tries) {
    const std::string name = TemporaryName();
    TemporaryNameGuard guard(target.folder, name);
    const int error = InChildProcess([&] {
      if (const int create_error = create(name)) return create_error;
      if (::renameat(target.folder, name.c_str(), target.folder, target.name.c_str()) == 0) {
        return 0;
      }
      const int rename_error = errno;
      ::unlinkat(target.folder, name.c_str(), 0);
      return rename_error;
    });
    if (error == EEXIST) continue;
    if (error != 0) return Reason(error);
    guard.Release();
    return std::nullopt;
  }
  return Reason(EEXIST);
}

// The temporary file gets a name only once it is complete, for the two
// system calls from linkat to renameat.
struct UnnamedAttempt {
  bool possible = true;                // false: no O_TMPFILE here, or no /proc
  std::optional<std::string> failure;  // why it failed, when it was possible
};

UnnamedAttempt ReplaceThroughUnnamedFile(const Place& target, std::string_view contents) {
  const UniqueDescriptor file(
      ::openat(target.folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, kNewFileMode));
  if (file.get() < 0) {
    // EISDIR from a kernel older than O_TMPFILE, EOPNOTSUPP from a file
    // system without it.
    if (errno == EISDIR || errno == EOPNOTSUPP || errno == EINVAL) return {false, std::nullopt};
    return {true, Reason(errno)};
  }
  if (const std::optional<int> error = WriteAll(file.get(), contents)) {
    return {true, Reason(*error)};
  }
  // The open file's name in /proc: linkat follows it to the file itself.
  const std::string open_file = "/proc/self/fd/" + std::to_string(file.get());
  if (::access(open_file.c_str(), F_OK) != 0) return {false, std::nullopt};
  return {true, CreateAndRename(target, [&](const std::string& name) {
            const int linked = ::linkat(AT_FDCWD, open_file.c_str(), target.folder, name.c_str(),
                                        AT_SYMLINK_FOLLOW);
            return linked == 0 ? 0 : errno;
          })};
}

// The temporary file is created under its name, which nothing in its place
// can redirect: O_EXCL fails on any file or link of that name.
std::optional<std::string> ReplaceThroughNamedFile(const Place& target, std::string_view contents) {
  return CreateAndRename(target, [&](const std::string& name) {
    const UniqueDescriptor file(::openat(target.folder, name.c_str(),
                                         O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                         kNewFileMode));
    if (file.get() < 0) return errno;
    if (const std::optional<int> error = WriteAll(file.get(), contents)) {
      ::unlinkat(target.folder, name.c_str(), 0);
      return *error;
    }
    return 0;
  });
}

}  // namespace

std::optional<std::string> NotRegularFile(const std::string& name) {
  struct stat status {};
  if (::stat(name.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) return kNotRegularFile;
  return std::nullopt;
}

std::optional<std::string> ReplaceFileContents(const std::string& path, std::string_view contents,
                                               TemporaryFile start) {
  const std::filesystem::path target = FollowedTarget(path);
  // Refused here too: it may have changed since the program started.
  if (std::optional<std::string> refused = NotRegularFile(target.string())) return refused;
  const std::filesystem::path folder =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  const UniqueDescriptor folder_descriptor(
      ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (folder_descriptor.get() < 0) return Reason(errno);
  const Place place{folder_descriptor.get(), target.filename().string()};
  if (start == TemporaryFile::kUnnamed) {
    UnnamedAttempt attempt = ReplaceThroughUnnamedFile(place, contents);
    if (attempt.possible) return std::move(attempt.failure);
  }
  return ReplaceThroughNamedFile(place, contents);
}

void ReplaceFile(const std::string& path, std::string_view contents, const std::string& what) {
  if (std::optional<std::string> reason = ReplaceFileContents(path, contents)) {
    throw SessionFailure(FailureLine("write " + what + " \"" + path + "\"", *reason),
                         kInputOutputFailure);
  }
}

}  // namespace flyback
