#include "transformer/result_lines.h"

#include <array>
#include <string_view>

#include "console/number_text.h"
#include "transformer/magnetics.h"
#include "transformer/winding_values.h"

namespace flyback {

namespace {

enum class Shown { kAlways, kMainsInput, kDcInput, kFreeRunning, kFixedFrequency, kThp };

bool IsShown(Shown when, const DesignInputs& in) {
  switch (when) {
    case Shown::kAlways:
      return true;
    case Shown::kMainsInput:
      return !in.dc_input;
    case Shown::kDcInput:
      return in.dc_input;
    case Shown::kFreeRunning:
      return !in.fixed_freq;
    case Shown::kFixedFrequency:
      return in.fixed_freq;
    case Shown::kThp:
      return in.THP;
  }
  return false;
}

// One figure of the result: its label (items that may hold numbers of their
// own), the zone advances to the figure on screen and in the file, the
// figure's items and its unit on screen and in the file.
struct ResultRow {
  Shown when;
  Line (*label)(const DesignState& s, ResultMedium medium);
  int screen_zones;
  int file_zones;
  Line (*figure)(const DesignState& s);
  std::string_view screen_unit;
  std::string_view file_unit;
};

template <const char* kText>
Line Label(const DesignState& /*s*/, ResultMedium /*medium*/) {
  return {kText};
}

const TransformerDesign& T(const DesignState& s) {
  return s.transformer;
}

double ConductionLossOf(const DesignState& s) {
  return ConductionLoss(s.transformer, s.components.R_DSon);
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

constexpr auto
    kRows =
        std::to_array<ResultRow>(
            {
                {Shown::kMainsInput, Label<kInputRange>, 2, 3,
                 [](const DesignState& s) -> Line {
                   return {s.inputs.U_mains_min, "V -", s.inputs.U_mains_max};
                 },
                 "V", "V"},
                {Shown::kDcInput, Label<kInputRange>, 2, 3,
                 [](const DesignState& s) -> Line {
                   return {s.inputs.U_DC_min, "V -", s.inputs.U_DC_max};
                 },
                 "V DC", "V DC"},
                // From the whole-number turns of the finished winding.
                {Shown::kAlways, Label<kInductivity>, 2, 3,
                 [](const DesignState& s) -> Line {
                   return {RoundTo(PrimaryInductance(s.inputs.AL, RoundTo(T(s).n_prim, 0)), 0)};
                 },
                 " µH", "µH"},
                {Shown::kAlways,
                 [](const DesignState& s, ResultMedium) -> Line {
                   return {"    Max. magnetization,", RoundTo(T(s).fsntmin, 1), "kHz"};
                 },
                 1, 2, [](const DesignState& s) -> Line { return {RoundTo(T(s).Bmax, 1)}; }, " mT",
                 "mT"},
                {Shown::kFixedFrequency,
                 [](const DesignState& s, ResultMedium) -> Line {
                   return {"    Max. magnetization,", s.inputs.f_fix_min, "kHz"};
                 },
                 1, 2,
                 [](const DesignState& s) -> Line {
                   return {RoundTo(MagnetizationAtFixedFrequency(s.inputs, T(s)), 0)};
                 },
                 " mT", " mT"},
                {Shown::kAlways, Label<kPower>, 1, 2,
                 [](const DesignState& s) -> Line {
                   return {s.inputs.P_in_max, "W /", s.inputs.P_out_max};
                 },
                 "W", "W"},
                {Shown::kThp, Label<kPermanentPower>, 1, 2,
                 [](const DesignState& s) -> Line { return {s.inputs.P_perm}; }, "W", "W"},
                {Shown::kFreeRunning,
                 [](const DesignState& s, ResultMedium) -> Line {
                   return {"    Max. cond. loss in", s.components.mosfet_name};
                 },
                 1, 2, [](const DesignState& s) -> Line { return {ConductionLossOf(s)}; }, "W",
                 "W"},
                // Currents and losses at f_fix_min grow with the longer period.
                {Shown::kFixedFrequency,
                 [](const DesignState& s, ResultMedium medium) -> Line {
                   return {medium == ResultMedium::kScreen ? "    Max. cond. loss"
                                                           : "    Max. cond. loss in",
                           s.components.mosfet_name, ",", s.inputs.f_fix_min, "kHz"};
                 },
                 1, 2,
                 [](const DesignState& s) -> Line {
                   return {RoundTo(ConductionLossOf(s) * FixedFrequencyFactor(s.inputs, T(s)), 1)};
                 },
                 "W", "W"},
                {Shown::kAlways, Label<kInduced>, 1, 2,
                 [](const DesignState& s) -> Line { return {RoundTo(T(s).U_ts * T(s).n_prim, 0)}; },
                 "V", "V"},
                {Shown::kAlways, Label<kDrainVoltage>, 2, 3,
                 [](const DesignState& s) -> Line { return {RoundTo(T(s).U_D_max, 0)}; }, " V",
                 "V"},
                // The screen names the frequency the current belongs to.
                {Shown::kFreeRunning,
                 [](const DesignState& s, ResultMedium medium) -> Line {
                   if (medium == ResultMedium::kFile) return {"    Max. drain current"};
                   return {"    Max. drain current,", RoundTo(T(s).fsntmin, 0), "kHz"};
                 },
                 1, 3, [](const DesignState& s) -> Line { return {RoundTo(T(s).I_D_max, 2)}; },
                 " A", "A"},
                {Shown::kFixedFrequency,
                 [](const DesignState& s, ResultMedium) -> Line {
                   return {"    Max. drain current,", s.inputs.f_fix_min, "kHz"};
                 },
                 1, 2,
                 [](const DesignState& s) -> Line {
                   return {RoundTo(T(s).I_D_max * FixedFrequencyFactor(s.inputs, T(s)), 2)};
                 },
                 " A", " A"},
                {Shown::kFreeRunning, Label<kLowestFrequency>, 1, 2,
                 [](const DesignState& s) -> Line {
                   return {RoundTo(T(s).fsntmin, 1), "kHz /", RoundTo(1000 / T(s).fsntmin, 1)};
                 },
                 "µs", "µs"},
                {Shown::kFixedFrequency, Label<kFreeRunningFrequency>, 2, 2,
                 [](const DesignState& s) -> Line { return {RoundTo(T(s).fsntmin, 1)}; }, " kHz",
                 "kHz"},
                {Shown::kFixedFrequency, Label<kFixedRange>, 2, 3,
                 [](const DesignState& s) -> Line {
                   return {s.inputs.f_fix_min, "-", s.inputs.f_fix_max};
                 },
                 "kHz", "kHz"},
                {Shown::kAlways, Label<kVoltagePerTurn>, 2, 3,
                 [](const DesignState& s) -> Line { return {RoundTo(T(s).U_ts, 2)}; }, " V", "V"},
                {Shown::kAlways, Label<kSwitchOnTime>, 2, 3,
                 [](const DesignState& s) -> Line { return {RoundTo(T(s).t_on, 1)}; }, "µs", "µs"},
            });

Line RowLine(const ResultRow& row, const DesignState& s, ResultMedium medium) {
  Line line = row.label(s, medium);
  const int zones = medium == ResultMedium::kScreen ? row.screen_zones : row.file_zones;
  for (int i = 0; i < zones; ++i) line.emplace_back(zone);
  for (Item& item : row.figure(s)) line.push_back(std::move(item));
  line.emplace_back(medium == ResultMedium::kScreen ? row.screen_unit : row.file_unit);
  return line;
}

// A cross-section (mm²), or in wires mode the number of parallel wires.
Item WireFigure(const DesignInputs& in, double cross_section) {
  return WiresMode(in) ? WireCount(cross_section, in.A_wire) : cross_section;
}

}  // namespace

Line CoreLine(const DesignState& s) {
  const DesignInputs& in = s.inputs;
  // Only the exact answer "1" to the type question shows the airgap.
  if (in.tr_type == "1") {
    return {"    Core = ",     in.tr_name, ", g = ", in.g, "mm, AL =",
            RoundTo(in.AL, 0), "nH, Ae =", in.Ae,    "mm²"};
  }
  return {"    Core = ", in.tr_name, ", AL =", RoundTo(in.AL, 0), "nH, Ae =", in.Ae, "mm²"};
}

std::vector<Line> ResultFigureLines(const DesignState& s, ResultMedium medium) {
  std::vector<Line> lines;
  for (const ResultRow& row : kRows) {
    if (IsShown(row.when, s.inputs)) lines.push_back(RowLine(row, s, medium));
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
