// The transformer data of the last calculation, with the conduction loss of
// the proposed MOSFET; the winding turns are determined after it.

#include "engine/components/dimensioning.h"
#include "engine/transformer/result_lines.h"
#include "engine/transformer/turns.h"
#include "pages/dialogue/pages.h"

namespace flyback {

Page ResultScreenPage(Dialogue& d) {
  const TransformerPagesKey key{};
  const DesignState& s = d.design();
  if (s.flow.manual_mode) return Page::kWindingTable;
  // The conduction-loss line needs the proposed MOSFET: the components are
  // dimensioned here, ahead of the component list.
  d.parts().components(key) = dimension_components(s);
  d.Clear();
  d.Write();
  d.Write({"    Result:"});
  d.Write();
  d.Write(CoreLine(s));
  d.Write();
  for (const Line& line : ResultFigureLines(s, ResultMedium::kScreen)) d.Write(line);
  if (!s.flow.turns_kept) determine_turns(s.inputs, d.parts().transformer(key));
  d.observer().DesignShown(s);
  d.Write();
  d.Write({"    Giving out number of turns and voltages ? Yes(Ret) No(1)"});
  const std::string answer = d.Ask({"Show number of turns and voltages?", "yes(Ret) No(1)", ""});
  return answer == "1" ? Page::kMainMenu : Page::kWindingTable;
}

}  // namespace flyback
