#include "ngspice_ac_run.h"

#include <chrono>
#include <cstddef>

#include "worker_conversation.h"
#include "worker_protocol.h"

namespace flyback {

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kFrequencyVector = "frequency";

// The complex vector `name` of `reply`, empty where its parts are missing or
// not `count` long.
std::vector<std::complex<double>> ComplexVector(WorkerReply& reply, const std::string& name,
                                                std::size_t count) {
  const std::vector<double>& real = reply.vectors[name];
  const std::vector<double>& imaginary = reply.vectors[ImaginaryPartName(name)];
  if (real.size() != count || imaginary.size() != count) return {};
  std::vector<std::complex<double>> values(count);
  for (std::size_t i = 0; i < count; ++i) values[i] = {real[i], imaginary[i]};
  return values;
}

}  // namespace

AcRunResult RunAcNetlist(const std::string& netlist, const std::vector<std::string>& vectors,
                         const RunControl& control) {
  AcRunResult result;
  const Clock::time_point start = Clock::now();
  std::vector<std::string> arguments = {"--ac", SecondsText(control.time_limit_s),
                                        kFrequencyVector};
  arguments.insert(arguments.end(), vectors.begin(), vectors.end());
  WorkerReply reply = ConverseWithWorker(arguments, netlist, control);
  result.failure = std::move(reply.failure);
  result.run_s = std::chrono::duration<double>(Clock::now() - start).count();
  if (!result.failure.empty()) return result;
  std::vector<double> f_Hz = std::move(reply.vectors[kFrequencyVector]);
  for (const std::string& name : vectors) {
    result.vectors[name] = ComplexVector(reply, name, f_Hz.size());
    if (f_Hz.empty() || result.vectors[name].empty()) {
      result.failure = "ngspice returned incomplete .ac vectors";
      result.vectors.clear();
      return result;
    }
  }
  result.f_Hz = std::move(f_Hz);
  return result;
}

}  // namespace flyback
