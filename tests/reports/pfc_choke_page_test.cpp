#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/script_run.h"
#include "support/temp_dir.h"

namespace flyback {
namespace {

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every value of the calculator stands in the third print zone (column 28).
std::string AtThirdZone(const std::string& label, const std::string& rest) {
  return label + std::string(28 - label.size(), ' ') + rest;
}

const std::vector<std::string> kDefaultQuestions = {
    "\f",
    "",
    " CALCULATION OF THE PFC CHOKE",
    "",
    "?> Inductivity [0.5] {Wanted inductivity in mH} => 0.5",
    "?> Maximum Current [3] {Maximum current in the PFC choke in A} => 3",
    "?> Diameter [0.63] {Diameter of wire in mm ?} => 0.63",
    "?> AL-value in nH [76] => 76",
    "?> Ae-value in mm² [76] => 76",
};

// Defaults: 243 mT, 81 turns, 0.3 mm², 0.312 mm² wire, 1 wire.
const std::vector<std::string> kDefaultResult = {
    "\f",
    "",
    "",
    "",
    "",
    AtThirdZone(" Inductivity", " 0.5 mH"),
    AtThirdZone(" Max. Current", " 3 A"),
    AtThirdZone(" AL", " 76 nH"),
    AtThirdZone(" Ae", " 76 mm²"),
    AtThirdZone(" Magnetization Bmax", " 243  mT"),
    AtThirdZone(" Number of turns n", " 81 "),
    AtThirdZone(" Current density", " 7 A/mm²"),
    AtThirdZone(" Minimum cross section", " 0.3 mm²"),
    AtThirdZone(" Diameter of wire", " 0.63 mm"),
    AtThirdZone(" Cross section of wire", " 0.312 mm²"),
    AtThirdZone(" Number of wires parallel", " 1 "),
};

std::vector<std::string> Slice(const ScriptRun& run, int first, std::size_t count) {
  if (first < 0) return {};
  const auto begin = static_cast<std::size_t>(first);
  if (begin + count > run.lines.size()) return {};
  return {run.lines.begin() + first, run.lines.begin() + first + static_cast<int>(count)};
}

TEST(PfcChokePage, DefaultChokeOnTheWindow) {
  const ScriptRun run = RunScript("\n\n\n\n\n\n\n", Page::kPfcChoke);
  EXPECT_EQ(Slice(run, 0, kDefaultQuestions.size()), kDefaultQuestions);
  EXPECT_EQ(Slice(run, static_cast<int>(kDefaultQuestions.size()), kDefaultResult.size()),
            kDefaultResult);
  const int after = static_cast<int>(kDefaultQuestions.size() + kDefaultResult.size());
  EXPECT_EQ(Slice(run, after, 2),
            (std::vector<std::string>{"?> New attempt ? [no(Ret) Yes(1)] => no(Ret) Yes(1)",
                                      "?> Print result ? [no(Ret) yes(1)] => no(Ret) yes(1)"}));
  EXPECT_NE(run.Find("?> Choice for continuation", after), -1);
}

TEST(PfcChokePage, NewAttemptAsksTheFixedDefaultsAgain) {
  const ScriptRun run = RunScript("1.2\n\n\n\n\n1\n", Page::kPfcChoke);
  EXPECT_TRUE(run.Has("?> Inductivity [0.5] {Wanted inductivity in mH} => 1.2"));
  const int second = run.Find("?> Inductivity", run.Find("?> New attempt ?"));
  EXPECT_EQ(run.lines.at(static_cast<std::size_t>(second)),
            "?> Inductivity [0.5] {Wanted inductivity in mH} => <cancel>");
}

TEST(PfcChokePage, BlankOnePrintsButDoesNotRepeat) {
  TempDir dir;
  const std::string file = (dir.path() / "choke.doc").string();
  const ScriptRun run = RunScript("\n\n\n\n\n 1\n 1\n\n\n" + file + "\n", Page::kPfcChoke);
  EXPECT_EQ(run.Find("?> Inductivity", 5), -1);
  EXPECT_TRUE(run.Has("?> Print result ? [no(Ret) yes(1)] =>  1"));
  EXPECT_TRUE(std::filesystem::exists(file));
}

TEST(PfcChokePage, OnlyTheNumberOnePrints) {
  for (const char* answer : {"yes", "2", "1 1", "0"}) {
    const ScriptRun run = RunScript(std::string("\n\n\n\n\n\n") + answer + "\n", Page::kPfcChoke);
    EXPECT_EQ(run.Find("?> Date"), -1) << answer;
    EXPECT_NE(run.Find("?> Choice for continuation"), -1) << answer;
  }
}

TEST(PfcChokePage, ReportOfTheDefaultChoke) {
  TempDir dir;
  const std::string file = (dir.path() / "choke.doc").string();
  DesignState state;
  state.inputs.PFC = false;
  const ScriptRun run = RunScript("\n\n\n\n\n\n1\n\n\n" + file + "\n", Page::kPfcChoke, state);
  const int print = run.Find("?> Print result ?");
  ASSERT_NE(print, -1);
  EXPECT_EQ(
      Slice(run, print + 1, 10),
      (std::vector<std::string>{
          "\f", " Please enter the date !", "?> Date [01.01.2002] => 01.01.2002", "\f",
          " Please enter the name !", "?> Name of SMPS [SMPS 1] => SMPS 1", "\f",
          "Name of output file ?", "?>  Name of output file [Name0001.doc] => " + file, "\f"}));
  // The maker text ends at column 30, the title at 34: both continue at 42.
  const std::string expected =
      "      Norvalis        Quorvane            01.01.2002\r\n"
      "\r\n"
      "      CALCULATION OF THE PFC CHOKE        SMPS 1\r\n"
      "\r\n"
      "\r\n" +
      AtThirdZone("      Inductivity", " 0.5 mH") + "\r\n\r\n" +
      AtThirdZone("      Max. Current", " 3 A") + "\r\n\r\n" + AtThirdZone("      AL", " 76 nH") +
      "\r\n\r\n" + AtThirdZone("      Ae", " 76 mm\xB2") + "\r\n\r\n" +
      AtThirdZone("      Magnetization Bmax", " 243  mT") + "\r\n\r\n" +
      AtThirdZone("      Number of turns n", " 81 ") + "\r\n\r\n" +
      AtThirdZone("      Current density", " 7 A/mm\xB2") + "\r\n\r\n" +
      AtThirdZone("      Minimum cross section", " 0.3 mm\xB2") + "\r\n\r\n" +
      AtThirdZone("      Diameter of wire", " 0.63 mm") + "\r\n\r\n" +
      AtThirdZone("      Cross section of wire", " 0.312 mm\xB2") + "\r\n\r\n" +
      AtThirdZone("      Number of wires par.", " 1 ") + "\r\n";
  EXPECT_EQ(ReadBytes(file), expected);
  EXPECT_TRUE(run.state.report.header_asked);
}

TEST(PfcChokePage, SecondReportAsksOnlyTheFileName) {
  TempDir dir;
  const std::string first = (dir.path() / "first.doc").string();
  const std::string second = (dir.path() / "second.doc").string();
  const ScriptRun run =
      RunScript("\n\n\n\n\n\n1\n4.4.2024\nPFC 9\n" + first + "\n8\n\n\n\n\n\n\n1\n" + second + "\n",
                Page::kPfcChoke);
  int dates = 0;
  for (const std::string& line : run.lines) dates += line.rfind("?> Date", 0) == 0 ? 1 : 0;
  EXPECT_EQ(dates, 1);
  EXPECT_TRUE(run.Has("?>  Name of output file [Name0001.doc] => " + second));
  const std::string bytes = ReadBytes(second);
  EXPECT_EQ(bytes.substr(0, bytes.find("\r\n\r\n")),
            "      Norvalis        Quorvane            4.4.2024");
  EXPECT_NE(bytes.find("      CALCULATION OF THE PFC CHOKE        PFC 9\r\n"), std::string::npos);
}

TEST(PfcChokePage, CoreDataAndWireMustBePositive) {
  const ScriptRun run = RunScript("\n\n0\n-1\n0.5\n0\n80\n0\n70\n", Page::kPfcChoke);
  EXPECT_TRUE(run.Has("?> Diameter [0.63] {Please enter a value above 0.} => -1"));
  EXPECT_TRUE(run.Has("?> Diameter [0.63] {Please enter a value above 0.} => 0.5"));
  EXPECT_TRUE(run.Has("?> AL-value in nH [76] {Please enter a value above 0.} => 80"));
  EXPECT_TRUE(run.Has("?> Ae-value in mm² [76] {Please enter a value above 0.} => 70"));
}

TEST(PfcChokePage, OnlyANegativeInductanceIsRefused) {
  const ScriptRun run = RunScript("-0.5\n0\n\n\n\n\n", Page::kPfcChoke);
  EXPECT_TRUE(run.Has("?> Inductivity [0.5] {Please enter a value above 0.} => 0"));
  EXPECT_TRUE(run.Has(AtThirdZone(" Inductivity", " 0 mH")));
  EXPECT_TRUE(run.Has(AtThirdZone(" Number of turns n", " 0 ")));
}

}  // namespace
}  // namespace flyback
