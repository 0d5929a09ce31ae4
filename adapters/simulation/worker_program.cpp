#include "worker_program.h"

#include <filesystem>
#include <system_error>

namespace flyback {

std::string WorkerProgram(std::string& why) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  const fs::path installed =
      ((error ? fs::path() : program.parent_path()) / FLYBACK_WORKER_INSTALLED).lexically_normal();
  if (!error && fs::is_regular_file(installed, error)) return installed.string();
  if (fs::is_regular_file(FLYBACK_WORKER_BUILT, error)) return FLYBACK_WORKER_BUILT;
  why = "the simulation's worker program is missing (" + installed.string() + ")";
  return "";
}

}  // namespace flyback
