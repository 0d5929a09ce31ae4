// libFuzzer entry: random answer sequences through the whole dialogue, with
// every writer run and checked on each design it shows (writer_checks.h).

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_console.h"
#include "writer_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  flyback::WriterChecks checks(std::string_view(reinterpret_cast<const char*>(data), size));
  return flyback::RunFuzzInput(data, size, &checks);
}
