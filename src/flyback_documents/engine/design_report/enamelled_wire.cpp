#include "engine/design_report/enamelled_wire.h"

#include <array>

namespace flyback {

namespace {

// mm: nominal, grade 1 and grade 2 maximum overall diameter, IEC 60317-0-1
// Table 1.
constexpr std::array<EnamelledWire, 27> kEnamelledWires{{
    {0.100, 0.117, 0.125}, {0.112, 0.130, 0.139}, {0.125, 0.144, 0.154}, {0.140, 0.160, 0.171},
    {0.160, 0.182, 0.194}, {0.180, 0.204, 0.217}, {0.200, 0.226, 0.239}, {0.224, 0.252, 0.266},
    {0.250, 0.281, 0.297}, {0.280, 0.312, 0.329}, {0.315, 0.349, 0.367}, {0.355, 0.392, 0.411},
    {0.400, 0.439, 0.459}, {0.450, 0.491, 0.513}, {0.500, 0.544, 0.566}, {0.560, 0.606, 0.630},
    {0.630, 0.679, 0.704}, {0.710, 0.762, 0.789}, {0.800, 0.855, 0.884}, {0.900, 0.959, 0.989},
    {1.000, 1.062, 1.094}, {1.120, 1.184, 1.217}, {1.250, 1.316, 1.349}, {1.400, 1.468, 1.502},
    {1.600, 1.670, 1.706}, {1.800, 1.872, 1.909}, {2.000, 2.074, 2.112},
}};

// mm, what a bare diameter may lie above a nominal one and still count as
// it: the calculation's diameters carry rounding of a few µm at most.
constexpr double kDiameterSlack_mm = 1e-6;

}  // namespace

std::span<const EnamelledWire> EnamelledWires() {
  return kEnamelledWires;
}

std::optional<EnamelledWire> StandardWireAtLeast(double d_bare_mm) {
  for (const EnamelledWire& wire : kEnamelledWires) {
    if (wire.d_nominal_mm + kDiameterSlack_mm >= d_bare_mm) return wire;
  }
  return std::nullopt;
}

}  // namespace flyback
