#pragma once

// A figure of the design file that a design may lack: null where it has none.

#include <nlohmann/json.hpp>
#include <optional>

namespace flyback {

inline nlohmann::ordered_json OrNull(const std::optional<double>& value) {
  return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
}

}  // namespace flyback
