// What the simulation's worker tells the program: its records survive being
// read in pieces of any size, a vector's doubles come back bit for bit, and
// a message of ngspice with a line break in it stays one record.

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "ngspice_error_text.h"
#include "progress_bound.h"
#include "worker_protocol.h"

namespace flyback {
namespace {

using Kind = WorkerRecord::Kind;

std::vector<WorkerRecord> ReadInPieces(const std::string& output, std::size_t piece) {
  WorkerRecordReader reader;
  std::vector<WorkerRecord> records;
  for (std::size_t at = 0; at < output.size(); at += piece) {
    reader.Add(std::string_view(output).substr(at, piece));
    while (std::optional<WorkerRecord> record = reader.Next()) records.push_back(*record);
  }
  EXPECT_FALSE(reader.Malformed());
  return records;
}

TEST(WorkerRecords, ComeBackWholeInPiecesOfAnySize) {
  const std::vector<double> drain_V = {0, 127.279, -1e-300, std::numeric_limits<double>::max()};
  const std::string output = ProgressRecord(45.3) + VectorRecord("v(drain)", drain_V.data(), 4) +
                             VectorRecord("ls1#branch", nullptr, 0) +
                             FailureRecord("Error on line 3:\nr1 a b {1/0}") + EndRecord();
  for (std::size_t piece : {std::size_t{1}, std::size_t{7}, output.size()}) {
    const std::vector<WorkerRecord> records = ReadInPieces(output, piece);
    ASSERT_EQ(records.size(), 5U) << "pieces of " << piece;
    EXPECT_EQ(records[0].kind, Kind::kProgress);
    EXPECT_EQ(records[0].percent, 45.3);
    EXPECT_EQ(records[1].kind, Kind::kVector);
    EXPECT_EQ(records[1].text, "v(drain)");
    EXPECT_EQ(records[1].values, drain_V);
    EXPECT_EQ(records[2].text, "ls1#branch");
    EXPECT_TRUE(records[2].values.empty());
    EXPECT_EQ(records[3].kind, Kind::kFailure);
    EXPECT_EQ(records[3].text, "Error on line 3: r1 a b {1/0}");
    EXPECT_EQ(records[4].kind, Kind::kEnd);
  }
}

TEST(WorkerRecords, OutputOfAnotherProgramIsNoRecord) {
  for (const char* output : {"Circuit: flyback\n", "progress 4,5\n", "vector time many\n"}) {
    WorkerRecordReader reader;
    reader.Add(output);
    EXPECT_FALSE(reader.Next()) << output;
    EXPECT_TRUE(reader.Malformed()) << output;
  }
}

// ngspice's standard error for three netlists of degenerate designs, as
// ngspice 39 writes it, and the one line the user is told.
TEST(NgspiceErrorText, KeepsTheWholeFirstError) {
  struct Case {
    std::vector<std::string> lines;
    std::string expected;
  };
  const Case cases[] = {
      {{"Error on line 35 or its substitute:", "  lic 0 aux -nanu", "  unknown parameter (-nanu) ",
        "    Simulation interrupted due to error!"},
       "Error on line 35 or its substitute: lic 0 aux -nanu unknown parameter (-nanu) Simulation "
       "interrupted due to error!"},
      {{"warning, can't find model 'infn' from line", "    cc clamp bus infn",
        "Error on line 29 or its substitute:", "  cc clamp bus infn",
        "  unknown parameter (infn) "},
       "Error on line 29 or its substitute: cc clamp bus infn unknown parameter (infn)"},
      {{"Netlist line no. 12:", "Undefined parameter [inf]",
        "Netlist line no. 12:", " Formula() error.", "      |.param urefl={inf}| : |urefl|=|inf|",
        "Netlist line no. 12:", "Undefined parameter [urefl]",
        "Netlist line no. 76:", "Cannot compute substitute"},
       "Netlist line no. 12: Undefined parameter [inf] Formula() error. |.param urefl={inf}| : "
       "|urefl|=|inf| Undefined parameter [urefl]"},
      {{"Note: No compatibility mode selected!", "Circuit: flyback"}, ""},
  };
  for (const Case& c : cases) {
    NgspiceErrorText errors;
    for (const std::string& line : c.lines) errors.Take(line);
    EXPECT_EQ(errors.Text(), c.expected);
  }
}

// The 80 W demonstration at its lowest bus (12.632 ms) kept an even pace of
// 0.23 s of processor time a simulated millisecond, 2.9 s for the whole
// run; its winding of 1e-30 turns reached 22.5 µs in 0.5 s.
TEST(ProgressBound, StopsOnlyARunThatCannotEndWithinItsLimit) {
  constexpr double kStop_s = 12.6323e-3;
  constexpr double kLimit_s = 60;
  struct Case {
    double time_s;
    double processor_s;  // since the first step
    bool stopped;
  };
  const Case cases[] = {
      {1.2e-3, 0.27, false},      // even pace, still in the start
      {7.8e-3, 1.8, false},       // even pace
      {14.9e-6, 0.4, false},      // the slow run, still in the start
      {22.5e-6, 0.5, true},       // 280 s at its pace
      {1e-3, 4.7, false},         // 59.4 s at its pace
      {1e-3, 4.8, true},          // 60.6 s
      {kStop_s / 2, 29.9, false}  // just within the limit
  };
  for (const Case& c : cases) {
    ProgressBound bound(kStop_s, kLimit_s);
    constexpr double kLoaded_s = 0.1;  // processor time before the analysis: parsing the netlist
    EXPECT_FALSE(bound.Step(0, kLoaded_s));
    const std::optional<std::string> why = bound.Step(c.time_s, kLoaded_s + c.processor_s);
    EXPECT_EQ(why.has_value(), c.stopped) << c.time_s << " s after " << c.processor_s << " s";
  }
  ProgressBound bound(kStop_s, kLimit_s);
  bound.Step(0, 0);
  EXPECT_EQ(bound.Step(22.5e-6, 0.5),
            "the analysis cannot reach its end time: 22.5 us of 12632.3 us simulated in 0.5 s, "
            "about 281 s at this pace (limit 60 s of processor time)");
}

}  // namespace
}  // namespace flyback
