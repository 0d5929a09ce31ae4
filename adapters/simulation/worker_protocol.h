#pragma once

// What the simulation's worker program (flyback-ngspice) tells the program
// that started it, on its standard output: records of one text line each,
// a vector's values following its line as raw doubles of this machine (both
// ends are the same build on the same machine).
//
//   progress PERCENT      share of the analysis done, 0 .. 100
//   failure TEXT          why there are no waveforms, one line; the last record
//   vector NAME COUNT     then COUNT doubles; COUNT 0 where the run has no NAME
//   end                   every vector asked for has been sent

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace flyback {

std::string ProgressRecord(double percent);
std::string FailureRecord(std::string_view why);
std::string VectorRecord(std::string_view name, const double* values, std::size_t count);
std::string EndRecord();

// The name the imaginary parts of the complex vector `name` come under; its
// real parts come under `name` itself (an .ac run).
std::string ImaginaryPartName(std::string_view name);

// The shortest text that reads back as `seconds`, locale-free: a time in the
// worker's arguments and in the commands it gives ngspice.
std::string SecondsText(double seconds);

struct WorkerRecord {
  enum class Kind { kProgress, kFailure, kVector, kEnd };
  Kind kind = Kind::kEnd;
  double percent = 0;          // kProgress
  std::string text;            // kFailure: the reason; kVector: the name
  std::vector<double> values;  // kVector
};

// Takes the worker's output in pieces as they come and gives back whole
// records. A line that is no record ends the reading: Malformed() tells.
class WorkerRecordReader {
 public:
  void Add(std::string_view bytes) { pending_.append(bytes); }
  std::optional<WorkerRecord> Next();
  bool Malformed() const { return malformed_; }

 private:
  std::string pending_;
  bool malformed_ = false;
};

}  // namespace flyback
