#include "worker_conversation.h"

#include <chrono>
#include <optional>
#include <utility>

#include "worker_process.h"
#include "worker_program.h"
#include "worker_protocol.h"

namespace flyback {

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(20);

}  // namespace

WorkerReply ConverseWithWorker(const std::vector<std::string>& arguments,
                               const std::string& netlist, const RunControl& control) {
  WorkerReply reply;
  const std::string program = WorkerProgram(reply.failure);
  if (program.empty()) return reply;
  // A run asked for after the cancel (the next of a series) starts no worker:
  // starting one only to kill it would hold up the caller's end.
  if (control.cancelled()) {
    reply.failure = kCancelledFailure;
    return reply;
  }
  WorkerProcess worker;
  if (!worker.Start(program, arguments, reply.failure)) return reply;
  worker.Feed(netlist);  // a worker that reads no more tells why below
  WorkerRecordReader reader;
  bool ended = false;
  std::string output;
  while (!ended && reply.failure.empty()) {
    const bool open = worker.Read(output, kPollInterval);
    reader.Add(output);
    output.clear();
    while (std::optional<WorkerRecord> record = reader.Next()) {
      switch (record->kind) {
        case WorkerRecord::Kind::kProgress:
          if (control.progress) control.progress(record->percent / 100);
          break;
        case WorkerRecord::Kind::kFailure:
          reply.failure = std::move(record->text);
          break;
        case WorkerRecord::Kind::kVector:
          reply.vectors[record->text] = std::move(record->values);
          break;
        case WorkerRecord::Kind::kEnd:
          ended = true;
          break;
      }
    }
    if (control.cancelled()) {
      worker.Kill();
      reply.failure = kCancelledFailure;
    }
    if (!open && !ended && reply.failure.empty()) {
      const std::string how = worker.Wait();
      reply.failure = "ngspice ended without waveforms (" +
                      (reader.Malformed() ? "unreadable output"
                       : how.empty()      ? "no output"
                                          : how) +
                      ")";
    }
  }
  worker.Kill();
  return reply;
}

}  // namespace flyback
