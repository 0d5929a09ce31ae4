#include "reports/result_report.h"

#include <cmath>

#include "console/number_text.h"
#include "transformer/transformer_calculation.h"
#include "transformer/winding_values.h"

namespace flyback {

namespace {

class Body {
 public:
  explicit Body(const DesignState& s)
      : s_(s),
        fixed_(s.fixed_freq == "1"),
        wires_(WiresMode(s)),
        // Currents and losses at f_fix_min grow with the longer period.
        fixed_factor_(std::sqrt(s.fsntmin / s.f_fix_min)) {}

  std::vector<Line> Lines() {
    Add();
    AddCore();
    AddEmpty(3);
    AddInput();
    Add();
    AddMagnetics();
    AddElectrics();
    AddEmpty(4);
    AddWindingTable();
    AddEmpty(2);
    AddFootnotes();
    return std::move(lines_);
  }

 private:
  void Add(Line line = {}) { lines_.push_back(std::move(line)); }
  void AddEmpty(int count) {
    for (int i = 0; i < count; ++i) Add();
  }

  void AddCore() {
    if (s_.tr_type == "1") {
      Add({"    Core = ", s_.tr_name, ", g = ", s_.g, "mm, AL =", RoundTo(s_.AL, 0),
           "nH, Ae =", s_.Ae, "mm²"});
    } else {
      Add({"    Core = ", s_.tr_name, ", AL =", RoundTo(s_.AL, 0), "nH, Ae =", s_.Ae, "mm²"});
    }
  }

  void AddInput() {
    if (s_.dc_input) {
      Add({"    Input- voltage- range", zone, zone, zone, s_.U_DC_min, "V -", s_.U_DC_max, "V DC"});
    } else {
      Add({"    Input- voltage- range", zone, zone, zone, s_.U_mains_min, "V -", s_.U_mains_max,
           "V"});
    }
  }

  void AddMagnetics() {
    // The inductance of the whole-number primary turns.
    const double N = RoundTo(s_.n_prim, 0);
    Add({"    Primary inductivity", zone, zone, zone, RoundTo(0.001 * s_.AL * N * N, 0), "µH"});
    Add();
    Add({"    Max. magnetization,", RoundTo(s_.fsntmin, 1), "kHz", zone, zone, RoundTo(s_.Bmax, 1),
         "mT"});
    Add();
    if (fixed_) {
      Add({"    Max. magnetization,", s_.f_fix_min, "kHz", zone, zone,
           RoundTo(MagnetizationAtFixedFrequency(s_), 0), " mT"});
      Add();
    }
    Add({"    Max. input- / outputpower ", zone, zone, s_.P_in_max, "W /", s_.P_out_max, "W"});
    if (s_.THP) {
      Add();
      Add({"    Limit of permanent output power", zone, zone, s_.P_perm, "W"});
    }
    Add();
  }

  void AddElectrics() {
    if (fixed_) {
      Add({"    Max. cond. loss in", s_.mosfet_name, ",", s_.f_fix_min, "kHz", zone, zone,
           RoundTo(s_.P_cond * fixed_factor_, 1), "W"});
    } else {
      Add({"    Max. cond. loss in", s_.mosfet_name, zone, zone, s_.P_cond, "W"});
    }
    Add();
    Add({"    Induced voltage in prim. winding", zone, zone, RoundTo(s_.U_ts * s_.n_prim, 0), "V"});
    Add();
    Add({"    Max. drain voltage", zone, zone, zone, RoundTo(s_.U_D_max, 0), "V"});
    Add();
    if (fixed_) {
      Add({"    Max. drain current,", s_.f_fix_min, "kHz", zone, zone,
           RoundTo(s_.I_D_max * fixed_factor_, 2), " A"});
    } else {
      Add({"    Max. drain current", zone, zone, zone, RoundTo(s_.I_D_max, 2), "A"});
    }
    Add();
    if (fixed_) {
      Add({"    Lowest freq. (free running)", zone, zone, RoundTo(s_.fsntmin, 1), "kHz"});
    } else {
      Add({"    Lowest SMPS- frequency / long. per.", zone, zone, RoundTo(s_.fsntmin, 1), "kHz /",
           RoundTo(1000 / s_.fsntmin, 1), "µs"});
    }
    Add();
    if (fixed_) {
      Add({"    Fixed frequency range", zone, zone, zone, s_.f_fix_min, "-", s_.f_fix_max, "kHz"});
      Add();
    }
    Add({"    Sec. voltage per turn", zone, zone, zone, RoundTo(s_.U_ts, 2), "V"});
    Add();
    Add({"    Max. switch on time", zone, zone, zone, RoundTo(s_.t_on, 1), "µs"});
  }

  // Cross-section mode: the cross section (mm²); wires mode: the number of
  // parallel wires of the chosen diameter.
  double WireFigure(double cross_section) const {
    return wires_ ? WireCount(cross_section, s_.A_wire) : cross_section;
  }

  void AddWindingTable() {
    if (wires_) {
      Add({"    Windg.", zone, "n / I/A", zone, "Ieff/wires*", zone, "Umin/Umax/V", " Uact/V"});
    } else {
      Add({"    Windg.", zone, "n / I/A", zone, "Irms/cross s.*", " Umin/Umax/V", zone, " Uact/V"});
    }
    AddEmpty(2);
    Add({"    Prim.", zone, RoundTo(s_.n_prim, 0), "/", RoundTo(s_.I_in_avg, 2), zone,
         s_.I_prim_rms, "/", WireFigure(s_.A_prim)});
    Add();
    Add({"    IC-supply", zone, s_.nic, zone, zone, zone, s_.U_ic_act});
    for (int i = 1; i <= s_.n_sec; ++i) {
      const Output& out = s_.output(i);
      Add();
      Add({"    U", i, zone, out.n, "/", out.Imax, zone, RoundTo(out.I_sec_rms, 2), "/",
           WireFigure(out.A_sec), zone, out.Umin, "/", out.Umax, zone, OutputVoltage(s_, i)});
    }
  }

  void AddFootnotes() {
    Add({"    Output voltages incl.", s_.U_F_sec, "V voltage drop at sec. diodes"});
    Add();
    Add({"    Current density ", s_.J, "A/mm²"});
    Add();
    if (wires_) {
      Add({"    *: Wire diameter ", s_.d_wire, "mm"});
    } else {
      Add({"   *'cross s.' = minimum cross section of needed wire for highest current."});
    }
  }

  const DesignState& s_;
  const bool fixed_;
  const bool wires_;
  const double fixed_factor_;
  std::vector<Line> lines_;
};

}  // namespace

std::vector<Line> ResultReportBody(const DesignState& present) {
  return Body(present).Lines();
}

}  // namespace flyback
