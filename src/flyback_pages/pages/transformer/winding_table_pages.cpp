// The winding table: turns, currents, wire cross-sections (or numbers of
// parallel wires of a chosen diameter) and the actual voltages, and the
// question that chooses between cross-sections and wire counts.

#include "base/console/answer_reading.h"
#include "engine/transformer/result_lines.h"
#include "engine/transformer/winding_values.h"
#include "engine/transformer/wire.h"
#include "pages/dialogue/pages.h"

namespace flyback {

namespace {

void AskWireMode(Dialogue& d, const WireAnswers& wire) {
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
  const std::string answer = d.Ask({"Cross section / number of wires (see note above)",
                                    "cross section (Ret) number of wires (1)", ""});
  wire.answered = ReadWholeAnswer(answer) != 0.0;
  wire.counts = answer == "1";
  if (wire.counts) {
    d.Write();
    d.Write({"Diameter of wire ?"});
    wire.d_wire = d.AskNumber({"Diameter of wire ?", "0.28", ""}, Accept::kPositive);
    wire.A_wire = WireCrossSection(wire.d_wire);
  }
}

Page ShowWindingTable(Dialogue& d, WindingTablePagesKey key) {
  const DesignState& s = d.design();
  const bool wires = s.inputs.wire_counts;
  d.Clear();
  d.Write();
  d.Write({"Windg.", zone, "n / I/A", zone, wires ? "Ieff/wires*" : "Irms/cross s.*", zone,
           "Umin/Umax/V", " Uact/V"});
  d.WriteEmptyLines(2);
  for (const Line& line : WindingRows(s, "")) d.Write(line);
  d.WriteEmptyLines(2);
  if (wires) {
    d.Write({" * Diameter of wire: ", s.inputs.d_wire, "mm"});
  } else {
    d.Write({" * 'cross s.' = minimum cross section of needed wire for highest current."});
  }
  d.observer().DesignShown(s);
  if (s.flow.manual_mode) return Page::kManualChange;
  d.parts().KeepTurns(key);
  return Page::kContinuationMenu;
}

}  // namespace

// The wire question's answers are entries of the design, kept with the
// inputs; the winding table that needs them asks them.
Page WindingTablePage(Dialogue& d) {
  const WindingTablePagesKey key{};
  if (!d.design().inputs.wire_answered) AskWireMode(d, d.parts().wire_answers(key));
  return ShowWindingTable(d, key);
}

Page WireQuestionPage(Dialogue& d) {
  const WindingTablePagesKey key{};
  AskWireMode(d, d.parts().wire_answers(key));
  return ShowWindingTable(d, key);
}

Page WindingTableOnlyPage(Dialogue& d) {
  return ShowWindingTable(d, WindingTablePagesKey{});
}

}  // namespace flyback
