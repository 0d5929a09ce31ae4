#include "worker_protocol.h"

#include <array>
#include <charconv>
#include <cstring>

namespace flyback {

namespace {

constexpr std::string_view kProgress = "progress ";
constexpr std::string_view kFailure = "failure ";
constexpr std::string_view kVector = "vector ";
constexpr std::string_view kEnd = "end";

// `text` on one line: a line break or another control character becomes a
// blank, so that a message of ngspice cannot end its record early.
std::string OneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  }
  return line;
}

template <typename Number>
bool ReadNumber(std::string_view text, Number& number) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::string ImaginaryPartName(std::string_view name) {
  return "imag(" + std::string(name) + ")";
}

std::string ProgressRecord(double percent) {
  std::array<char, 32> digits{};
  const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), percent).ptr;
  return std::string(kProgress) + std::string(digits.data(), end) + "\n";
}

std::string FailureRecord(std::string_view why) {
  return std::string(kFailure) + OneLine(why) + "\n";
}

std::string VectorRecord(std::string_view name, const double* values, std::size_t count) {
  std::string record = std::string(kVector) + OneLine(name) + " " + std::to_string(count) + "\n";
  const std::size_t bytes = count * sizeof(double);
  record.resize(record.size() + bytes);
  if (bytes > 0) std::memcpy(record.data() + record.size() - bytes, values, bytes);
  return record;
}

std::string EndRecord() {
  return std::string(kEnd) + "\n";
}

std::optional<WorkerRecord> WorkerRecordReader::Next() {
  if (malformed_) return std::nullopt;
  const std::size_t line_end = pending_.find('\n');
  if (line_end == std::string::npos) return std::nullopt;
  const std::string_view line(pending_.data(), line_end);
  WorkerRecord record;
  std::size_t used = line_end + 1;
  if (line == kEnd) {
    record.kind = WorkerRecord::Kind::kEnd;
  } else if (line.rfind(kProgress, 0) == 0) {
    record.kind = WorkerRecord::Kind::kProgress;
    malformed_ = !ReadNumber(line.substr(kProgress.size()), record.percent);
  } else if (line.rfind(kFailure, 0) == 0) {
    record.kind = WorkerRecord::Kind::kFailure;
    record.text = line.substr(kFailure.size());
  } else if (line.rfind(kVector, 0) == 0) {
    record.kind = WorkerRecord::Kind::kVector;
    const std::string_view rest = line.substr(kVector.size());
    const std::size_t blank = rest.rfind(' ');
    std::size_t count = 0;
    malformed_ = blank == std::string_view::npos || !ReadNumber(rest.substr(blank + 1), count) ||
                 count > pending_.max_size() / sizeof(double);
    if (malformed_) return std::nullopt;
    const std::size_t bytes = count * sizeof(double);
    if (pending_.size() - used < bytes) return std::nullopt;  // the values are still coming
    record.text = rest.substr(0, blank);
    record.values.resize(count);
    if (bytes > 0) std::memcpy(record.values.data(), pending_.data() + used, bytes);
    used += bytes;
  } else {
    malformed_ = true;
  }
  if (malformed_) return std::nullopt;
  pending_.erase(0, used);
  return record;
}

std::string SecondsText(double seconds) {
  std::array<char, 32> digits{};
  return {digits.data(), std::to_chars(digits.data(), digits.data() + digits.size(), seconds).ptr};
}

}  // namespace flyback
