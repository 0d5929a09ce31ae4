// Every kept input of the core-data fuzz target (the seeds and each finding
// once fixed) holds the target's properties in the normal test suite.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core_data_properties.h"

namespace flyback {
namespace {

TEST(CoreDataFuzzCorpus, EveryKeptInputHoldsTheProperties) {
  int inputs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(FLYBACK_CORE_DATA_CORPUS)) {
    std::ifstream file(entry.path(), std::ios::binary);
    const std::string content{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(CoreDataPropertyBroken(content), "") << entry.path();
    ++inputs;
  }
  EXPECT_GE(inputs, 10);  // the seeds at least
}

}  // namespace
}  // namespace flyback
