// Replacing a file in one step: with either kind of temporary file the folder
// holds the new file and nothing else, also for a name of the longest length
// the file system takes; a target that is not a regular file is refused and
// left as it was; and the signals that end the program take a temporary name
// with them, but never the file it was renamed to.

#include "file_replacement.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "support/temp_dir.h"
#include "temporary_name_guard.h"

namespace flyback {
namespace {

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::set<std::string> Names(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

constexpr std::array<TemporaryFile, 2> kBothKinds = {TemporaryFile::kUnnamed,
                                                     TemporaryFile::kNamed};

TEST(FileReplacement, TheFolderHoldsTheNewFileAndNothingElse) {
  const struct {
    std::string name;
    bool exists;
  } kTargets[] = {{"new.json", false}, {"old.json", true}, {std::string(250, 'o') + ".json", true}};
  for (const TemporaryFile start : kBothKinds) {
    for (const auto& target : kTargets) {
      SCOPED_TRACE(target.name.substr(0, 8) + (start == TemporaryFile::kNamed ? " named" : ""));
      TempDir dir;
      const std::filesystem::path path = dir.path() / target.name;
      if (target.exists) std::ofstream(path) << "old contents, longer than the new";
      EXPECT_EQ(ReplaceFileContents(path.string(), "new\n", start), std::nullopt);
      EXPECT_EQ(ReadBytes(path), "new\n");
      EXPECT_EQ(Names(dir.path()), std::set<std::string>{target.name});
    }
  }
}

TEST(FileReplacement, WhatIsNotARegularFileIsRefusedAndLeftAsItWas) {
  for (const TemporaryFile start : kBothKinds) {
    TempDir dir;
    const std::filesystem::path fifo = dir.path() / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directory(dir.path() / "folder");
    std::filesystem::create_symlink("fifo", dir.path() / "link");
    for (const char* name : {"fifo", "folder", "link"}) {
      SCOPED_TRACE(name);
      EXPECT_EQ(ReplaceFileContents((dir.path() / name).string(), "new\n", start),
                std::string(kNotRegularFile));
    }
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path() / "folder"));
    EXPECT_EQ(Names(dir.path()), (std::set<std::string>{"fifo", "folder", "link"}));
  }
}

// In a child, which the signal ends as it would end the program.
TEST(TemporaryNameGuard, AnEndingSignalRemovesTheNameUntilItIsReleased) {
  for (const int signal_number : {SIGHUP, SIGINT, SIGTERM}) {
    for (const bool released : {false, true}) {
      SCOPED_TRACE(std::to_string(signal_number) + (released ? " released" : ""));
      TempDir dir;
      std::ofstream(dir.path() / ".flyback-0") << "contents";
      const pid_t child = ::fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        std::signal(signal_number, SIG_DFL);
        const int folder = ::open(dir.path().c_str(), O_PATH | O_DIRECTORY);
        TemporaryNameGuard guard(folder, ".flyback-0");
        if (released) guard.Release();
        std::raise(signal_number);
        ::_exit(0);
      }
      int status = 0;
      ASSERT_EQ(::waitpid(child, &status, 0), child);
      EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal_number);
      EXPECT_EQ(std::filesystem::exists(dir.path() / ".flyback-0"), released);
    }
  }
}

}  // namespace
}  // namespace flyback
