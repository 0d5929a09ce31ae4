// libFuzzer entry: any bytes as the content of a --core-data file.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core_data_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string broken =
      flyback::CoreDataPropertyBroken({reinterpret_cast<const char*>(data), size});
  if (!broken.empty()) {
    std::fprintf(stderr, "core data property broken: %s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
