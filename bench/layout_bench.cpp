// Laying out the lines of a page and formatting its numbers.

#include <benchmark/benchmark.h>

#include "base/console/line.h"
#include "base/console/number_text.h"

namespace flyback {
namespace {

void BM_FormatNumber(benchmark::State& state) {
  double x = 533.71;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatNumber(x));
    x += 0.01;
  }
}
BENCHMARK(BM_FormatNumber);

// A winding-table page: twelve lines with numbers and zone advances.
void BM_LayoutWindingTablePage(benchmark::State& state) {
  const Line row = {"U", 1,    zone, 53, "/", 0.5, zone, 0.79,
                    "/", 0.13, zone, 99, "/", 101, zone, 100.04};
  const Line header = {"Windg.",         zone, "n / I/A",     zone,
                       "Irms/cross s.*", zone, "Umin/Umax/V", " Uact/V"};
  for (auto _ : state) {
    std::size_t size = LayoutFixedPitch(header).size();
    for (int i = 0; i < 11; ++i) size += LayoutFixedPitch(row).size();
    benchmark::DoNotOptimize(size);
  }
}
BENCHMARK(BM_LayoutWindingTablePage);

}  // namespace
}  // namespace flyback
