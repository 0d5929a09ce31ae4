#pragma once

// The fixed parts of the opto-coupler feedback circuit and the controller's
// feedback-pin capacitor, in the units the component list prints them. The
// list and the feedback loop's model read the same values.

namespace flyback {

inline constexpr double kC61_nF = 15;    // regulator's compensation capacitor
inline constexpr double kC62_pF = 56;    // across R63 and C61, cathode to reference
inline constexpr double kR61_kOhm = 1;   // LED series resistor from the output
inline constexpr double kR62_Ohm = 820;  // across the LED: the regulator's bias
inline constexpr double kR63_kOhm = 39;  // in series with C61
// C28 at the feedback pin with opto regulation, per controller family.
inline constexpr double kC28PwxOpto_nF = 1;
inline constexpr double kC28QrmOpto_nF = 1.5;

}  // namespace flyback
