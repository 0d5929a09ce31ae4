#include "pages/reports/report_header.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "file_identity.h"
#include "support/run_steps.h"
#include "support/temp_dir.h"

namespace flyback {
namespace {

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs the header block of `header` and closes the file at once.
std::string RunHeader(const std::string& answers, DesignState& state, const ReportHeader& header) {
  return RunSteps(answers, state, [&state, &header](Dialogue& d) {
    ReportWriter report = OpenReportWithHeader(d, state.report, header);
    report.Close();
  });
}

TEST(ReportHeader, FirstReportAsksDateNameAndFile) {
  TempDir dir;
  const std::string file = (dir.path() / "r.doc").string();
  DesignState state;
  state.inputs.PFC = true;
  const std::string transcript = RunHeader("\n\n" + file + "\n", state, kResultReport);
  EXPECT_EQ(transcript,
            "\f\n\nPRINTING THE RESULT\n\n"
            "Please enter the date !\n"
            "?> Please enter the date! [15.04.2003] => 15.04.2003\n"
            "\f\nPlease enter the name of SMPS !\n"
            "?> Name of the SMPS? [SMPS 1] => SMPS 1\n"
            "\f\nName of output file ? (e.g. Name0001.doc)\n"
            "?> Name of output file [Name0001.doc] => " +
                file + "\n");
  // The maker text ends on a zone start (column 28), so the date goes to 42.
  EXPECT_EQ(ReadBytes(file),
            "    Norvalis        Quorvane              15.04.2003\r\n"
            "\r\n"
            "    Transformer data calculated for PFC SMPS   SMPS 1\r\n");
  EXPECT_TRUE(state.report.header_asked);
  EXPECT_EQ(state.report.report_date, "15.04.2003");
  EXPECT_EQ(state.report.smps_name, "SMPS 1");
}

TEST(ReportHeader, LaterReportOfAnyKindAsksOnlyTheFileName) {
  TempDir dir;
  const std::string first = (dir.path() / "first.doc").string();
  const std::string second = (dir.path() / "second.doc").string();
  DesignState state;
  state.inputs.PFC = false;
  RunHeader("1.5.2024\nPSU 7\n" + first + "\n", state, kResultReport);
  const std::string transcript = RunHeader(second + "\n", state, kComponentListReport);
  EXPECT_EQ(transcript,
            "\f\n\f\n\f\nName of output file ?\n"
            "?> Name of output file ? [Name0002.doc] => " +
                second + "\n");
  EXPECT_EQ(ReadBytes(second),
            "      Norvalis        Quorvane            1.5.2024\r\n"
            "\r\n"
            "      List 1 of components for SMPS   PSU 7\r\n");
}

TEST(ReportHeader, RestartAsksDateAndNameAgain) {
  TempDir dir;
  DesignState state;
  RunHeader("a\nb\n" + (dir.path() / "1.doc").string() + "\n", state, kComponentListReport);
  ApplyStartValues(state);  // what "Start from the beginning" does
  const std::string transcript =
      RunHeader("c\nd\n" + (dir.path() / "2.doc").string() + "\n", state, kComponentListReport);
  EXPECT_NE(transcript.find("?> Date ? [15.04.2003] => c\n"), std::string::npos);
  EXPECT_NE(transcript.find("?> Name of SMPS ? [SMPS 1] => d\n"), std::string::npos);
  EXPECT_EQ(state.report.report_date, "c");
  EXPECT_EQ(state.report.smps_name, "d");
}

TEST(ReportHeader, EmptyDateOrNameEndsTheProgramWithoutAFile) {
  TempDir dir;
  DesignState state;
  EXPECT_EQ(RunHeader("", state, kComponentListReport),
            "\f\nPlease enter the date !\n?> Date ? [15.04.2003] => <cancel>\n<ended>\n");
  EXPECT_FALSE(state.report.header_asked);
  const std::string transcript = RunHeader("x\n", state, kComponentListReport);
  EXPECT_NE(transcript.find("?> Name of SMPS ? [SMPS 1] => <cancel>\n<ended>\n"),
            std::string::npos);
  EXPECT_FALSE(state.report.header_asked);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(ReportHeader, UncreatableFileIsReportedAndAskedAgain) {
  TempDir dir;
  const std::string missing = (dir.path() / "no folder" / "r.doc").string();
  const std::string good = (dir.path() / "r.doc").string();
  DesignState state;
  state.report.header_asked = true;
  state.report.report_date = "d";
  state.report.smps_name = "n";
  const std::string transcript =
      RunHeader(missing + "\n" + good + "\n", state, kComponentListReport);
  EXPECT_EQ(transcript,
            "\f\n\f\n\f\nName of output file ?\n"
            "?> Name of output file ? [Name0002.doc] => " +
                missing +
                "\n"
                " Cannot create the file \"" +
                missing +
                "\": No such file or directory\n"
                "?> Name of output file ? [Name0002.doc] {Please enter another file name.} => " +
                good + "\n");
  EXPECT_TRUE(std::filesystem::exists(good));
}

// A script console that protects one file and keeps every existing file
// (the answer of a user who is asked whether to replace it is "No").
class CarefulConsole : public ScriptConsole {
 public:
  CarefulConsole(std::istream& in, std::ostream& out, const std::string& answers_file)
      : ScriptConsole(in, out) {
    ProtectFile([answers_file](const std::string& name) {
      return LeadsTo(name, KeptFile{answers_file, {}});
    });
  }
  bool ConfirmReplace(const std::string& name) override { return !std::filesystem::exists(name); }
};

TEST(ReportHeader, NamesOfTheSessionsInputsAndControlCharactersAreRefused) {
  TempDir dir;
  const std::filesystem::path answers = dir.path() / "answers.txt";
  std::ofstream(answers) << "x\n";
  std::filesystem::create_symlink(answers, dir.path() / "link.txt");
  std::filesystem::create_hard_link(answers, dir.path() / "hard.txt");
  std::filesystem::create_directory(dir.path() / "sub");
  std::ofstream(dir.path() / "old.doc") << "kept";
  const std::string refused_names[] = {
      (dir.path() / "link.txt").string(), (dir.path() / "hard.txt").string(),
      (dir.path() / "sub" / ".." / "answers.txt").string(), std::string("a\0b.doc", 7),
      (dir.path() / "tab\there.doc").string()};
  std::string typed;
  for (const std::string& name : refused_names) typed += name + "\n";
  const std::string old_file = (dir.path() / "old.doc").string();
  const std::string good = (dir.path() / "new.doc").string();
  std::istringstream in(typed + old_file + "\n" + good + "\n");
  std::ostringstream out;
  CarefulConsole console(in, out, answers.string());
  DesignState state;
  state.report.header_asked = true;
  Dialogue d(console, state);
  OpenReportWithHeader(d, state.report, kComponentListReport).Close();

  const std::string transcript = out.str();
  for (const std::string& name : refused_names) {
    const std::string reason =
        name.find('\t') != std::string::npos || name.find('\0') != std::string::npos
            ? "the name holds a control character"
            : "it holds the answers of this session";
    std::string line = " Cannot create the file \"";
    line.append(name).append("\": ").append(reason).append("\n");
    EXPECT_NE(transcript.find(line), std::string::npos) << name;
  }
  // Keeping an existing file asks again without a line of failure.
  EXPECT_NE(transcript.find("=> " + old_file +
                            "\n?> Name of output file ? [Name0002.doc] "
                            "{Please enter another file name.} => " +
                            good + "\n"),
            std::string::npos)
      << transcript;
  EXPECT_EQ(ReadBytes(answers), "x\n");
  EXPECT_EQ(ReadBytes(old_file), "kept");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "a"));
  EXPECT_TRUE(std::filesystem::exists(good));
}

TEST(ReportHeader, FailedWriteIsReportedAndAbortsTheReport) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  DesignState state;
  state.report.header_asked = true;
  state.report.report_date = "d";
  state.report.smps_name = "n";
  const std::string transcript = RunHeader("/dev/full\n", state, kComponentListReport);
  EXPECT_NE(transcript.find("=> /dev/full\n"
                            " Cannot write the file \"/dev/full\": No space left on device\n"
                            "<aborted>\n"),
            std::string::npos);
}

TEST(ReportHeader, OptimizationFormKeepsTheWindowAndStartsInTheSecondZone) {
  TempDir dir;
  const std::string file = (dir.path() / "o.doc").string();
  DesignState state;
  state.inputs.PFC = true;  // the optimization title has no PFC variant
  const std::string transcript = RunHeader("\n\n" + file + "\n", state, kOptimizationReport);
  EXPECT_EQ(transcript,
            "?> Please enter the date! [28.03.2003] => 28.03.2003\n"
            "?> Name of SMPS? [SMPS 1] => SMPS 1\n"
            "?> Name of output file? [Name0001.doc] => " +
                file + "\n");
  EXPECT_EQ(ReadBytes(file),
            "              Norvalis        Quorvane    28.03.2003\r\n"
            "\r\n"
            "              Optimization for SMPS   SMPS 1\r\n");
}

TEST(ReportHeader, PfcChokeFormPutsTheNameInTheNextZone) {
  TempDir dir;
  const std::string file = (dir.path() / "p.doc").string();
  DesignState state;
  const std::string transcript = RunHeader("\n\n" + file + "\n", state, kPfcChokeReport);
  EXPECT_EQ(transcript,
            "\f\n Please enter the date !\n"
            "?> Date [01.01.2002] => 01.01.2002\n"
            "\f\n Please enter the name !\n"
            "?> Name of SMPS [SMPS 1] => SMPS 1\n"
            "\f\nName of output file ?\n"
            "?>  Name of output file [Name0001.doc] => " +
                file + "\n");
  EXPECT_EQ(ReadBytes(file),
            "      Norvalis        Quorvane            01.01.2002\r\n"
            "\r\n"
            "      CALCULATION OF THE PFC CHOKE        SMPS 1\r\n");
}

}  // namespace
}  // namespace flyback
