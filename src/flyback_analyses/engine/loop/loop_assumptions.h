#pragma once

// What the feedback loop's model assumes where the design says nothing: the
// controller's feedback pin, the opto-coupler, the shunt regulator, the
// output capacitors' losses and the design rule of the compensator. Each
// default is explained, with its source, in docs/loop.md; the user may
// change every one.

namespace flyback {

struct LoopAssumptions {
  // --- Controller: the opto's transistor pulls the feedback pin down
  // against a pull-up; the pin's voltage over A_cs is the current-sense
  // threshold that ends the switch-on time.
  double R_pullup_kOhm = 20;  // kOhm, pull-up of the feedback pin
  double U_pullup_V = 5;      // V, the pull-up's supply
  double U_CE_sat_V = 0.3;    // V, the opto's transistor fully on
  double A_cs = 3;            // feedback-pin volts per current-sense volt
  double U_cs_limit_V = 1;    // V, current-sense threshold at the current limit
  // Slope compensation as a share of the primary-referred off-slope; it
  // matters in continuous operation only.
  double slope_share = 0.5;

  // --- Opto-coupler (the SFH615A-2 class: CTR 63 % to 125 % at 10 mA).
  double CTR_min = 0.38;   // the data sheet's 63 % times 0.6 for low current, heat and ageing
  double CTR_max = 1.25;   // the data sheet's maximum
  double C_opto_nF = 1.4;  // nF, equivalent collector capacitance: the opto's own pole
  double U_F_LED_V = 1.1;  // V, forward voltage of the LED at about 1 mA

  // --- Shunt regulator (TL431 type).
  double U_KA_min_V = 2.5;  // V, lowest cathode voltage
  double I_bias_mA = 1;     // mA, least cathode current beside the LED's

  // --- Design rule of the compensator.
  double phase_margin_deg = 60;  // wanted at the design corner
  double crossover_Hz = 0;       // Hz, 0: the default rule of docs/loop.md
};

}  // namespace flyback
