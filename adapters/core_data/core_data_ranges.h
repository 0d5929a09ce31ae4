#pragma once

// What a core data file may hold: the range of every figure, wide enough for
// any ferrite core that is made and narrow enough that no formula of the loss
// budget overflows on it. docs/losses.md gives the physics behind each range.

#include <array>
#include <cstddef>
#include <string_view>

#include "engine/losses/core_data.h"
#include "engine/losses/core_loss.h"

namespace flyback {

// Both ends included.
struct PhysicalRange {
  double lowest;
  double highest;
  std::string_view unit;  // as the messages write it; empty for a pure number
};

struct GeometryField {
  std::string_view key;  // in the file's "geometry" object
  double CoreGeometry::*figure;
  PhysicalRange range;
};

// From rings of a few millimetres to stacked U cores of some decimetres, with
// a decade to spare at either end.
inline constexpr std::array kGeometryFields{
    GeometryField{"l_e_mm", &CoreGeometry::l_e_mm, {1, 1000, "mm"}},
    GeometryField{"A_e_mm2", &CoreGeometry::A_e_mm2, {0.1, 1e4, "mm²"}},
    GeometryField{"V_e_mm3", &CoreGeometry::V_e_mm3, {1, 1e7, "mm³"}},
    GeometryField{"window_area_mm2", &CoreGeometry::window_area_mm2, {0.1, 1e5, "mm²"}},
    GeometryField{"bobbin_width_mm", &CoreGeometry::bobbin_width_mm, {0.1, 1000, "mm"}},
    GeometryField{"mean_turn_length_mm", &CoreGeometry::mean_turn_length_mm, {1, 1000, "mm"}},
    GeometryField{"surface_cm2", &CoreGeometry::surface_cm2, {0.01, 1e4, "cm²"}},
};

struct SteinmetzField {
  std::string_view key;  // in each of the material's "ranges"
  double SteinmetzSet::*coefficient;
  PhysicalRange range;
};

inline constexpr std::array kSteinmetzFields{
    // W/m³ at 1 Hz and 1 T: whatever f^α·B^β leaves of a loss density.
    SteinmetzField{"k", &SteinmetzSet::k, {1e-15, 1e15, ""}},
    // From hysteresis alone (1) past eddy currents (2).
    SteinmetzField{"alpha", &SteinmetzSet::alpha, {1, 3, ""}},
    SteinmetzField{"beta", &SteinmetzSet::beta, {1, 4, ""}},
    // An upward parabola in T (°C) whose lowest point lies above 0 °C.
    SteinmetzField{"ct0", &SteinmetzSet::ct0, {0, 1000, ""}},
    SteinmetzField{"ct1", &SteinmetzSet::ct1, {0, 100, "1/°C"}},
    SteinmetzField{"ct2", &SteinmetzSet::ct2, {0, 1, "1/°C²"}},
};

// The air around the transformer: from a cold start outdoors to the hottest
// enclosure a ferrite core survives in; above it no winding stays within any
// insulation class.
inline constexpr PhysicalRange kAmbientRange{-40, 100, "°C"};

// f_min_Hz and f_max_Hz of a range: no ferrite's fit reaches beyond 100 MHz.
inline constexpr PhysicalRange kFitFrequencyRange{0, 1e8, "Hz"};

// Pv_limit_W_per_m3, the design ceiling of the loss density.
inline constexpr PhysicalRange kLossDensityLimitRange{1e3, 1e7, "W/m³"};

// Characters of a text (shape, material name, source): one line.
inline constexpr std::size_t kTextMaxChars = 200;

}  // namespace flyback
