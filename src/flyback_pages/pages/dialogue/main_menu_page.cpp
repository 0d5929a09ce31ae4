#include <array>

#include "base/console/answer_reading.h"
#include "pages/dialogue/pages.h"

namespace flyback {

namespace {

// The page each choice of the menu leads to.
constexpr std::array<Page, 10> kNextPages = {
    Page::kOptimization, Page::kResultReport,    Page::kComponentList, Page::kWireQuestion,
    Page::kWindingTable, Page::kTransformerType, Page::kMainsRange,    Page::kPfcChoke,
    Page::kOptoCoupler,  Page::kIntroduction,
};

}  // namespace

Page MainMenuPage(Dialogue& d) {
  // The zone advances put every choice number at the start of the fourth zone.
  static const std::array<Line, 10> kChoices = {{
      {"Optimization of the output voltages", zone, "(1)"},
      {"Print the result", zone, zone, "(2)"},
      {"Print list of components", zone, zone, "(3)"},
      {"Show cross section / show number of wires", zone, "(4)"},
      {"Show number of turns and voltages", zone, "(5)"},
      {"Modify transformer", zone, zone, "(6)"},
      {"Change mains voltage range", zone, zone, "(7)"},
      {"Calculate PFC-choke", zone, zone, "(8)"},
      {"Calculate Opto Coupler Circuit", zone, "(9)"},
      {"Start from the beginning", zone, zone, "(10)"},
  }};
  DialogueFlow& flow = d.parts().flow(DriverPagesKey{});
  for (;;) {
    d.Clear();
    d.WriteEmptyLines(2);
    d.WriteChoices(kChoices);
    const std::optional<double> choice =
        ReadWholeAnswer(d.Ask({"Choice for continuation", "1", ""}));
    for (std::size_t i = 0; i < kNextPages.size(); ++i) {
      if (choice == static_cast<double>(i + 1)) {
        if (kNextPages[i] == Page::kTransformerType) flow.modify_transformer = true;
        if (kNextPages[i] == Page::kMainsRange) flow.modify_transformer = false;
        return kNextPages[i];
      }
    }
  }
}

}  // namespace flyback
