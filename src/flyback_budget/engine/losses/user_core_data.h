#pragma once

// A core the user describes in a file (--core-data): its geometry and its
// ferrite, owned here. The loss budget takes it in place of whatever the
// catalogue knows or estimates, for every transformer type: the user's
// measured core is the one wound.

#include <optional>
#include <string>
#include <vector>

#include "engine/losses/core_data.h"

namespace flyback {

struct UserCoreData {
  std::string file;        // where the figures came from
  std::string shape;       // the user's name of the core
  CoreGeometry figures{};  // its text fields stay empty: see Geometry()
  std::string material_name;
  std::string material_source;
  std::vector<SteinmetzRange> ranges;  // ascending and contiguous
  double Pv_limit_W_per_m3 = 0;
  // °C, the air around the transformer in its enclosure, which the adviser's
  // hot spots start from; none: the adviser's stated default.
  std::optional<double> T_ambient_C;

  // Views into this record: valid while it lives unchanged.
  CoreGeometry Geometry() const;
  FerriteMaterial Material() const;
};

}  // namespace flyback
