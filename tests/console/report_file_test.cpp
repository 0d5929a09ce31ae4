#include "base/console/report_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/temp_dir.h"

namespace flyback {
namespace {

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Latin1, SuperscriptTwoAndMicroBecomeSingleBytes) {
  EXPECT_EQ(ToLatin1("mm²"), "mm\xB2");
  EXPECT_EQ(ToLatin1("µs"), "\xB5s");
  EXPECT_EQ(ToLatin1("plain"), "plain");
}

TEST(Latin1, CharactersOutsideBecomeOneQuestionMarkEach) {
  EXPECT_EQ(ToLatin1("Ω"), "?");      // two bytes in UTF-8
  EXPECT_EQ(ToLatin1("a€b"), "a?b");  // three bytes
  EXPECT_EQ(ToLatin1("😀"), "?");      // four bytes
  EXPECT_EQ(ToLatin1("\xFF"), "?");   // not UTF-8 at all
}

TEST(ReportFile, LinesAreLatin1WithCrLf) {
  TempDir dir;
  ReportFile report;
  ASSERT_FALSE(report.Open((dir.path() / "r.doc").string()).has_value());
  EXPECT_FALSE(report.WriteLine({"    Core = ", "x", zone, 125, "mm²"}).has_value());
  EXPECT_FALSE(report.WriteLine({}).has_value());
  EXPECT_FALSE(report.Close().has_value());
  EXPECT_EQ(ReadBytes(dir.path() / "r.doc"), "    Core = x   125 mm\xB2\r\n\r\n");
}

TEST(ReportFile, DestructionKeepsWhatWasWritten) {
  TempDir dir;
  {
    ReportFile report;
    ASSERT_FALSE(report.Open((dir.path() / "kept.doc").string()).has_value());
    ASSERT_FALSE(report.WriteLine({"first"}).has_value());
  }
  EXPECT_EQ(ReadBytes(dir.path() / "kept.doc"), "first\r\n");
}

TEST(ReportFile, FailuresGiveTheReason) {
  TempDir dir;
  ReportFile report;
  EXPECT_EQ(report.Open((dir.path() / "missing" / "r.doc").string()),
            std::optional<std::string>("No such file or directory"));
  EXPECT_TRUE(report.Open("").has_value());
  if (std::filesystem::exists("/dev/full")) {
    // The lines are buffered: a full disk shows when the file is closed.
    ASSERT_FALSE(report.Open("/dev/full").has_value());
    EXPECT_FALSE(report.WriteLine({"x"}).has_value());
    EXPECT_EQ(report.Close(), std::optional<std::string>("No space left on device"));
    EXPECT_FALSE(report.is_open());
  }
}

}  // namespace
}  // namespace flyback
