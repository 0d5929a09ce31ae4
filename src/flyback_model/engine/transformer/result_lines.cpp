#include "engine/transformer/result_lines.h"

#include <array>
#include <string_view>

#include "base/console/number_text.h"
#include "base/numbers/rounding.h"
#include "engine/transformer/result_figures.h"
#include "engine/transformer/winding_values.h"
#include "engine/transformer/wire.h"

namespace flyback {

namespace {

enum class Shown { kAlways, kMainsInput, kDcInput, kFreeRunning, kFixedFrequency, kThp };

bool IsShown(Shown when, const ResultFigures& f) {
  switch (when) {
    case Shown::kAlways:
      return true;
    case Shown::kMainsInput:
      return !f.dc_input;
    case Shown::kDcInput:
      return f.dc_input;
    case Shown::kFreeRunning:
      return !f.fixed_frequency;
    case Shown::kFixedFrequency:
      return f.fixed_frequency;
    case Shown::kThp:
      return f.thp;
  }
  return false;
}

// One figure of the result: its label (items that may hold numbers of their
// own), the zone advances to the figure on screen and in the file, the
// figure's items and its unit on screen and in the file.
struct ResultRow {
  Shown when;
  Line (*label)(const ResultFigures& f, ResultMedium medium);
  int screen_zones;
  int file_zones;
  Line (*figure)(const ResultFigures& f);
  std::string_view screen_unit;
  std::string_view file_unit;
};

template <const char* kText>
Line Label(const ResultFigures& /*f*/, ResultMedium /*medium*/) {
  return {kText};
}

constexpr char kInputRange[] = "    Input- voltage- range";
constexpr char kInductivity[] = "    Primary inductivity";
constexpr char kPower[] = "    Max. input- / outputpower ";
constexpr char kPermanentPower[] = "    Limit of permanent output power";
constexpr char kInduced[] = "    Induced voltage in prim. winding";
constexpr char kDrainVoltage[] = "    Max. drain voltage";
constexpr char kLowestFrequency[] = "    Lowest SMPS- frequency / long. per.";
constexpr char kFreeRunningFrequency[] = "    Lowest freq. (free running)";
constexpr char kFixedRange[] = "    Fixed frequency range";
constexpr char kVoltagePerTurn[] = "    Sec. voltage per turn";
constexpr char kSwitchOnTime[] = "    Max. switch on time";

Line InputRange(const ResultFigures& f) {
  return {f.input_min_V, "V -", f.input_max_V};
}

constexpr auto
    kRows =
        std::to_array<ResultRow>(
            {
                {Shown::kMainsInput, Label<kInputRange>, 2, 3, InputRange, "V", "V"},
                {Shown::kDcInput, Label<kInputRange>, 2, 3, InputRange, "V DC", "V DC"},
                {Shown::kAlways, Label<kInductivity>, 2, 3,
                 [](const ResultFigures& f) -> Line { return {f.primary_inductance_uH}; }, " µH",
                 "µH"},
                {Shown::kAlways,
                 [](const ResultFigures& f, ResultMedium) -> Line {
                   return {"    Max. magnetization,", f.fsntmin_kHz, "kHz"};
                 },
                 1, 2, [](const ResultFigures& f) -> Line { return {f.Bmax_mT}; }, " mT", "mT"},
                {Shown::kFixedFrequency,
                 [](const ResultFigures& f, ResultMedium) -> Line {
                   return {"    Max. magnetization,", f.f_fix_min_kHz, "kHz"};
                 },
                 1, 2, [](const ResultFigures& f) -> Line { return {f.Bmax_at_f_fix_min_mT}; },
                 " mT", " mT"},
                {Shown::kAlways, Label<kPower>, 1, 2,
                 [](const ResultFigures& f) -> Line {
                   return {f.P_in_max_W, "W /", f.P_out_max_W};
                 },
                 "W", "W"},
                {Shown::kThp, Label<kPermanentPower>, 1, 2,
                 [](const ResultFigures& f) -> Line { return {f.P_perm_W}; }, "W", "W"},
                {Shown::kFreeRunning,
                 [](const ResultFigures& f, ResultMedium) -> Line {
                   return {"    Max. cond. loss in", f.mosfet_name};
                 },
                 1, 2, [](const ResultFigures& f) -> Line { return {f.conduction_loss_W}; }, "W",
                 "W"},
                {Shown::kFixedFrequency,
                 [](const ResultFigures& f, ResultMedium medium) -> Line {
                   return {medium == ResultMedium::kScreen ? "    Max. cond. loss"
                                                           : "    Max. cond. loss in",
                           f.mosfet_name, ",", f.f_fix_min_kHz, "kHz"};
                 },
                 1, 2, [](const ResultFigures& f) -> Line { return {f.conduction_loss_W}; }, "W",
                 "W"},
                {Shown::kAlways, Label<kInduced>, 1, 2,
                 [](const ResultFigures& f) -> Line { return {f.induced_voltage_V}; }, "V", "V"},
                {Shown::kAlways, Label<kDrainVoltage>, 2, 3,
                 [](const ResultFigures& f) -> Line { return {f.U_D_max_V}; }, " V", "V"},
                // The screen names the frequency the current belongs to.
                {Shown::kFreeRunning,
                 [](const ResultFigures& f, ResultMedium medium) -> Line {
                   if (medium == ResultMedium::kFile) return {"    Max. drain current"};
                   return {"    Max. drain current,", f.fsntmin_whole_kHz, "kHz"};
                 },
                 1, 3, [](const ResultFigures& f) -> Line { return {f.I_D_max_A}; }, " A", "A"},
                {Shown::kFixedFrequency,
                 [](const ResultFigures& f, ResultMedium) -> Line {
                   return {"    Max. drain current,", f.f_fix_min_kHz, "kHz"};
                 },
                 1, 2, [](const ResultFigures& f) -> Line { return {f.I_D_max_A}; }, " A", " A"},
                {Shown::kFreeRunning, Label<kLowestFrequency>, 1, 2,
                 [](const ResultFigures& f) -> Line {
                   return {f.fsntmin_kHz, "kHz /", f.period_us};
                 },
                 "µs", "µs"},
                {Shown::kFixedFrequency, Label<kFreeRunningFrequency>, 2, 2,
                 [](const ResultFigures& f) -> Line { return {f.fsntmin_kHz}; }, " kHz", "kHz"},
                {Shown::kFixedFrequency, Label<kFixedRange>, 2, 3,
                 [](const ResultFigures& f) -> Line {
                   return {f.f_fix_min_kHz, "-", f.f_fix_max_kHz};
                 },
                 "kHz", "kHz"},
                {Shown::kAlways, Label<kVoltagePerTurn>, 2, 3,
                 [](const ResultFigures& f) -> Line { return {f.U_ts_V}; }, " V", "V"},
                {Shown::kAlways, Label<kSwitchOnTime>, 2, 3,
                 [](const ResultFigures& f) -> Line { return {f.t_on_us}; }, "µs", "µs"},
            });

Line RowLine(const ResultRow& row, const ResultFigures& f, ResultMedium medium) {
  Line line = row.label(f, medium);
  const int zones = medium == ResultMedium::kScreen ? row.screen_zones : row.file_zones;
  for (int i = 0; i < zones; ++i) line.emplace_back(zone);
  for (Item& item : row.figure(f)) line.push_back(std::move(item));
  line.emplace_back(medium == ResultMedium::kScreen ? row.screen_unit : row.file_unit);
  return line;
}

// A cross-section (mm²), or in wires mode the number of parallel wires.
Item WireFigure(const DesignInputs& in, double cross_section) {
  return in.wire_counts ? WireCount(cross_section, in.A_wire) : cross_section;
}

}  // namespace

Line CoreLine(const DesignState& s) {
  const DesignInputs& in = s.inputs;
  if (in.airgap_shown) {
    return {"    Core = ",     in.tr_name, ", g = ", in.g, "mm, AL =",
            RoundTo(in.AL, 0), "nH, Ae =", in.Ae,    "mm²"};
  }
  return {"    Core = ", in.tr_name, ", AL =", RoundTo(in.AL, 0), "nH, Ae =", in.Ae, "mm²"};
}

std::vector<Line> ResultFigureLines(const DesignState& s, ResultMedium medium) {
  const ResultFigures figures = ShownResultFigures(s);
  std::vector<Line> lines;
  for (const ResultRow& row : kRows) {
    if (IsShown(row.when, figures)) lines.push_back(RowLine(row, figures, medium));
  }
  return lines;
}

std::vector<Line> WindingRows(const DesignState& s, std::string_view indent) {
  const DesignInputs& in = s.inputs;
  const TransformerDesign& t = s.transformer;
  const WindingValues values = ComputeWindingValues(in, t);
  const std::string prefix(indent);
  std::vector<Line> lines;
  lines.push_back({prefix + "Prim.", zone, RoundTo(t.n_prim, 0), "/", RoundTo(t.I_in_avg, 2), zone,
                   values.I_prim_rms, "/", WireFigure(in, values.A_prim)});
  lines.emplace_back();
  // The IC supply voltage stands in the column of the actual output voltages.
  lines.push_back({prefix + "IC-supply", zone, t.nic, zone, zone, zone, values.U_ic_act});
  for (int i = 1; i <= in.n_sec; ++i) {
    const OutputSpec& out = in.output(i);
    const OutputWindingValues& winding = values.output(i);
    lines.emplace_back();
    lines.push_back({prefix + "U", i, zone, t.n_out(i), "/", out.Imax, zone, winding.I_sec_rms, "/",
                     WireFigure(in, winding.A_sec), zone, out.Umin, "/", out.Umax, zone,
                     winding.Uact});
  }
  return lines;
}

}  // namespace flyback
