#pragma once

// The catalogue of enamelled round copper winding wire: the nominal
// conductor diameters of IEC 60317-0-1 (the R20 series with the usual R40
// steps between 0.1 mm and 2 mm) with the maximum overall diameters of grade 1
// and grade 2 enamel from its Table 1. A winder orders wire by these sizes,
// and the outer diameter sets how many turns fit in a layer.

#include <optional>
#include <span>

namespace flyback {

struct EnamelledWire {
  double d_nominal_mm = 0;  // mm, bare copper diameter
  double d_grade1_mm = 0;   // mm, largest overall diameter with grade 1 enamel
  double d_grade2_mm = 0;   // mm, largest overall diameter with grade 2 enamel
};

// Every row, diameters ascending.
std::span<const EnamelledWire> EnamelledWires();

// The smallest standard wire whose copper is not less than a round wire of
// d_bare_mm (mm); none beyond the largest size of the catalogue.
std::optional<EnamelledWire> StandardWireAtLeast(double d_bare_mm);

}  // namespace flyback
