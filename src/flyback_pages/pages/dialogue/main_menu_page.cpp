#include <array>

#include "base/console/answer_reading.h"
#include "pages/dialogue/pages.h"

namespace flyback {

namespace {

struct MenuEntry {
  Line line;
  Page next;
};

}  // namespace

Page MainMenuPage(Dialogue& d) {
  // The zone advances put every choice number at the start of the fourth zone.
  static const std::array<MenuEntry, 10> kMenu = {{
      {{"Optimization of the output voltages", zone, "(1)"}, Page::kOptimization},
      {{"Print the result", zone, zone, "(2)"}, Page::kResultReport},
      {{"Print list of components", zone, zone, "(3)"}, Page::kComponentList},
      {{"Show cross section / show number of wires", zone, "(4)"}, Page::kWireQuestion},
      {{"Show number of turns and voltages", zone, "(5)"}, Page::kWindingTable},
      {{"Modify transformer", zone, zone, "(6)"}, Page::kTransformerType},
      {{"Change mains voltage range", zone, zone, "(7)"}, Page::kMainsRange},
      {{"Calculate PFC-choke", zone, zone, "(8)"}, Page::kPfcChoke},
      {{"Calculate Opto Coupler Circuit", zone, "(9)"}, Page::kOptoCoupler},
      {{"Start from the beginning", zone, zone, "(10)"}, Page::kIntroduction},
  }};
  for (;;) {
    d.Clear();
    d.WriteEmptyLines(2);
    for (std::size_t i = 0; i < kMenu.size(); ++i) {
      if (i > 0) d.Write();
      d.Write(kMenu[i].line);
    }
    const std::optional<double> choice =
        ReadWholeAnswer(d.Ask({"Choice for continuation", "1", ""}));
    for (std::size_t i = 0; i < kMenu.size(); ++i) {
      if (choice == static_cast<double>(i + 1)) {
        if (kMenu[i].next == Page::kTransformerType) d.state.flow.modify_transformer = true;
        if (kMenu[i].next == Page::kMainsRange) d.state.flow.modify_transformer = false;
        return kMenu[i].next;
      }
    }
  }
}

}  // namespace flyback
