// Choice of the flyback transformer: a layer-type winding on a catalogue core
// with a chosen airgap, a ready-made slot-type transformer, or any other
// transformer described by name, AL and Ae.

#include <array>

#include "base/console/answer_reading.h"
#include "base/console/number_text.h"
#include "engine/transformer/core_catalogue.h"
#include "pages/dialogue/pages.h"

namespace flyback {

namespace {

void WriteOutputPower(Dialogue& d) {
  d.Write({"Output power P_out_max = ", d.design().inputs.P_out_max, " W"});
  d.Write();
}

void ChooseLayerCore(Dialogue& d, DesignInputs& s) {
  d.Clear();
  WriteOutputPower(d);
  d.Write({"Type of transformer", zone, "Ae/mm²", zone, "Range P_out_max"});
  d.Write();
  for (const LayerCore& core : kLayerCores) {
    d.Write({core.name, zone, "(" + std::string(core.choice) + ")", zone, NumberText(core.Ae), zone,
             core.range});
  }
  d.Write();
  // Both answers are taken before any table data is set.
  const std::string choice = d.Ask({"Type of transformer", "2", ""});
  s.g = d.AskNumber({"Airgap in mm", "1.5", ""}, Accept::kPositive);
  const LayerCore& core = LayerCoreFor(choice);
  s.tr_name = core.name;
  s.Ae = core.Ae;
  s.AL = LayerCoreAL(core, s.g);
}

void ChooseSlotTransformer(Dialogue& d, DesignInputs& s) {
  d.Clear();
  WriteOutputPower(d);
  d.Write({"Type of transformer:", zone, "Al/nH", zone, "Ae/mm²", zone, "Range P_out_max"});
  d.Write();
  double previous_Ae = kSlotTransformers.front().Ae;
  for (const SlotTransformer& t : kSlotTransformers) {
    // An empty line between the core sizes.
    if (t.Ae != previous_Ae) d.Write();
    previous_Ae = t.Ae;
    d.Write({t.shown_name, zone, "(" + std::to_string(t.choice) + ")", zone, NumberText(t.AL), zone,
             NumberText(t.Ae), zone, t.range});
  }
  const std::string answer = d.Ask({"Choice of the transformer", s.n_sec < 4 ? "4" : "7", ""});
  const SlotTransformer& t = SlotTransformerFor(ReadWholeAnswer(answer));
  s.tr_name = t.stored_name;
  s.AL = t.AL;
  s.Ae = t.Ae;
}

void DescribeOtherTransformer(Dialogue& d, DesignInputs& s) {
  d.Clear();
  WriteOutputPower(d);
  d.Write({"Name of transformer:"});
  s.tr_name = d.Ask({"Name of transformer ?", "Tr1", ""});
  d.Write({"AL- value = ? (nH)"});
  s.AL = d.AskNumber({"AL-value in nH", "180", ""}, Accept::kPositive);
  d.Write({"Ae- value = ? (mm²)"});
  s.Ae = d.AskNumber({"Ae-value in mm²", "120", ""}, Accept::kPositive);
}

}  // namespace

Page TransformerTypePage(Dialogue& d) {
  static const std::array<Line, 3> kTransformerTypeChoices = {{
      {"Layer type transformer", zone, "(1)"},
      {"Slot type transformer", zone, "(2)"},
      {"Other transformer", zone, "(3)"},
  }};
  DesignInputs& s = d.parts().inputs(InputPagesKey{});
  d.Clear();
  d.Write({"Type of transformer"});
  d.Write();
  d.WriteChoices(kTransformerTypeChoices);
  s.tr_type_answer = d.Ask({"Type of transformer", "2", ""});
  s.airgap_shown = s.tr_type_answer == "1";
  if (s.tr_type_answer == "2") {
    s.tr_kind = TransformerKind::kSlotTransformer;
    ChooseSlotTransformer(d, s);
  } else if (s.tr_type_answer == "3") {
    s.tr_kind = TransformerKind::kUserTransformer;
    DescribeOtherTransformer(d, s);
  } else {
    s.tr_kind = TransformerKind::kLayerCore;
    ChooseLayerCore(d, s);
  }
  return Page::kOvershootFactor;
}

}  // namespace flyback
