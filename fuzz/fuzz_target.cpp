// libFuzzer entry: random answer sequences through the whole dialogue.

#include <cstddef>
#include <cstdint>

#include "fuzz_console.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return flyback::RunFuzzInput(data, size);
}
