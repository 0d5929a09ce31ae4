// The winding table: turns, currents, wire cross-sections (or numbers of
// parallel wires of a chosen diameter) and the actual voltages, and the
// question that chooses between cross-sections and wire counts.

#include "console/answer_reading.h"
#include "console/number_text.h"
#include "dialogue/pages.h"
#include "transformer/winding_values.h"

namespace flyback {

namespace {

void AskWireMode(Dialogue& d) {
  DesignState& s = d.state;
  d.Clear();
  d.Write();
  d.Write({" Note:"});
  d.Write();
  d.Write(
      {" For the transformer windings the needed cross section of the wire according to the "
       "maximum current"});
  d.Write(
      {" can also be indicated as number of wires to switch parallel after specifying the "
       "diameter of the chosen wire."});
  s.wire_mode = d.Ask({"Cross section / number of wires (see note above)",
                       "cross section (Ret) number of wires (1)", ""});
  if (WiresMode(s)) {
    d.Write();
    d.Write({"Diameter of wire ?"});
    s.d_wire = d.AskNumber({"Diameter of wire ?", "0.28", ""}, Accept::kPositive);
    s.A_wire = WireCrossSection(s.d_wire);
  }
}

// The answer 0 counts as not given, so the question comes again.
bool WireModeAnswered(const DesignState& s) {
  return ReadWholeAnswer(s.wire_mode) != 0.0;
}

// A cross-section (mm²), or in wires mode the number of parallel wires.
Item WireItem(const DesignState& s, double cross_section) {
  return WiresMode(s) ? WireCount(cross_section, s.A_wire) : cross_section;
}

Page ShowWindingTable(Dialogue& d) {
  DesignState& s = d.state;
  UpdateWindingValues(s);
  const bool wires = WiresMode(s);
  d.Clear();
  d.Write();
  d.Write({"Windg.", zone, "n / I/A", zone, wires ? "Ieff/wires*" : "Irms/cross s.*", zone,
           "Umin/Umax/V", " Uact/V"});
  d.WriteEmptyLines(2);
  d.Write({"Prim.", zone, RoundTo(s.n_prim, 0), "/", RoundTo(s.I_in_avg, 2), zone, s.I_prim_rms,
           "/", WireItem(s, s.A_prim)});
  d.Write();
  // The IC supply voltage stands in the column of the actual output voltages.
  d.Write({"IC-supply", zone, s.nic, zone, zone, zone, s.U_ic_act});
  for (int i = 1; i <= s.n_sec; ++i) {
    const Output& out = s.output(i);
    d.Write();
    d.Write({"U", i, zone, out.n, "/", out.Imax, zone, out.I_sec_rms, "/", WireItem(s, out.A_sec),
             zone, out.Umin, "/", out.Umax, zone, OutputVoltage(s, i)});
  }
  d.WriteEmptyLines(2);
  if (wires) {
    d.Write({" * Diameter of wire: ", s.d_wire, "mm"});
  } else {
    d.Write({" * 'cross s.' = minimum cross section of needed wire for highest current."});
  }
  if (s.manual_mode) return Page::kManualChange;
  s.turns_kept = true;
  return Page::kContinuationMenu;
}

}  // namespace

Page WindingTablePage(Dialogue& d) {
  if (!WireModeAnswered(d.state)) AskWireMode(d);
  return ShowWindingTable(d);
}

Page WireQuestionPage(Dialogue& d) {
  AskWireMode(d);
  return ShowWindingTable(d);
}

Page WindingTableOnlyPage(Dialogue& d) {
  return ShowWindingTable(d);
}

}  // namespace flyback
