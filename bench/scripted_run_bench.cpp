// One whole scripted demonstration run with all four reports, in process.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "pages/dialogue/driver.h"
#include "script_console.h"

namespace flyback {
namespace {

void BM_ScriptedDemonstrationRunWithAllReports(benchmark::State& state) {
  std::ifstream in(FLYBACK_BENCH_ANSWERS, std::ios::binary);
  const std::string answers{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  // The reports are written under their names into a folder of their own.
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "flyback-bench";
  std::filesystem::create_directories(folder);
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  for (auto _ : state) {
    std::istringstream input(answers);
    std::ostringstream transcript;
    ScriptConsole console(input, transcript);
    DesignState design;
    RunDialogue(console, design);
    benchmark::DoNotOptimize(transcript.str().size());
  }
  std::filesystem::current_path(previous);
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ScriptedDemonstrationRunWithAllReports)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace flyback
