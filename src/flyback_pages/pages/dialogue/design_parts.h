#pragma once

// Write access to the design, one part at a time. Every page reads the whole
// design through Dialogue::design(), which is const; to write, a page asks
// DesignParts for a part and shows the key of its role. A key can only be made
// by the pages named as its friends, so a page that writes a part its role
// does not own does not compile. A page hands the key, or the part itself, to
// the helpers that write for it.
//
//   part                          written by (role)
//   inputs                        outputs, circuit options, transformer type,
//                                 overshoot factor, mains range, frequency limits
//                                 (InputPagesKey)
//   transformer                   the three calculation pages, result screen,
//                                 manual change, optimization (TransformerPagesKey)
//   components, component_list    component list, opto coupler (ComponentPagesKey)
//   report header answers         result report, optimization, component list,
//                                 PFC choke (ReportPagesKey)
//   flow                          introduction, main menu (DriverPagesKey)
//
// The winding table pages own no part. The few writes across owners have
// accessors of their own at the end of DesignParts, each with its reason.

#include <optional>
#include <string>
#include <vector>

#include "state/design/design_state.h"

namespace flyback {

class Dialogue;
enum class Page;

// The start of a design run and the menus.
class DriverPagesKey {
  DriverPagesKey() = default;
  friend Page IntroductionPage(Dialogue&);
  friend Page MainMenuPage(Dialogue&);
};

// The pages that take the engineer's entries for a design.
class InputPagesKey {
  InputPagesKey() = default;
  friend Page OutputsPage(Dialogue&);
  friend Page CircuitOptionsPage(Dialogue&);
  friend Page TransformerTypePage(Dialogue&);
  friend Page OvershootFactorPage(Dialogue&);
  friend Page MainsRangePage(Dialogue&);
  friend Page FrequencyLimitsPage(Dialogue&);
};

// The pages that calculate the transformer or change it.
class TransformerPagesKey {
  TransformerPagesKey() = default;
  friend Page CalculateFullStartPage(Dialogue&);
  friend Page CalculateSameDutyCyclePage(Dialogue&);
  friend Page CalculateFromDrainVoltagePage(Dialogue&);
  friend Page ResultScreenPage(Dialogue&);
  friend Page ManualChangePage(Dialogue&);
  friend Page OptimizationPage(Dialogue&);
};

// The pages that show the winding table and ask its wire question.
class WindingTablePagesKey {
  WindingTablePagesKey() = default;
  friend Page WindingTablePage(Dialogue&);
  friend Page WireQuestionPage(Dialogue&);
  friend Page WindingTableOnlyPage(Dialogue&);
};

// The pages that write a report file and so ask the report header.
class ReportPagesKey {
  ReportPagesKey() = default;
  friend Page ResultReportPage(Dialogue&);
  friend Page OptimizationPage(Dialogue&);
  friend Page ComponentListPage(Dialogue&);
  friend Page PfcChokePage(Dialogue&);
};

// The pages that dimension components.
class ComponentPagesKey {
  ComponentPagesKey() = default;
  friend Page ComponentListPage(Dialogue&);
  friend Page OptoCouplerPage(Dialogue&);
};

// What one run of the transformer calculation writes.
struct CalculationParts {
  TransformerDesign& transformer;
  // V; an entry, but asked on the drain-voltage-limit page that the
  // calculation shows on its way.
  double& U_D_lim;
  bool& ask_drain_limit;  // flow: whether that page comes at the next check
  // Every run leaves the list made before to an older design.
  std::optional<std::vector<ComponentRow>>& component_list;
};

// The answers of the winding table's wire question, kept with the inputs.
struct WireAnswers {
  bool& answered;  // an answer that reads as 0 is none
  bool& counts;    // numbers of parallel wires rather than cross-sections
  double& d_wire;  // mm
  double& A_wire;  // mm²
};

class DesignParts {
 public:
  explicit DesignParts(DesignState& design) : design_(design) {}

  const DesignState& design() const { return design_; }

  // --- The parts, for their owners ---

  // The start values of a design run reach into every part: the driver owns
  // the one record.
  void StartDesignRun(DriverPagesKey /*driver*/) { ApplyStartValues(design_); }
  DialogueFlow& flow(DriverPagesKey /*driver*/) { return design_.flow; }
  DesignInputs& inputs(InputPagesKey /*input_page*/) { return design_.inputs; }
  TransformerDesign& transformer(TransformerPagesKey /*transformer_page*/) {
    return design_.transformer;
  }
  ComponentValues& components(ComponentPagesKey /*component_page*/) { return design_.components; }
  std::optional<std::vector<ComponentRow>>& component_list(ComponentPagesKey /*component_page*/) {
    return design_.component_list;
  }
  ReportHeaderAnswers& report_header(ReportPagesKey /*report_page*/) { return design_.report; }

  // --- Writes across owners, each a decision of the page that makes it ---

  // The pages that ask the magnetization limit start the working
  // magnetization there: the calculation lowers Bmax from that start.
  void StartAtMagnetizationLimit(InputPagesKey /*input_page*/) {
    design_.transformer.Bmax = design_.inputs.Bmaxlim;
  }

  // After a new mains range the next calculation determines the winding
  // turns anew.
  void DetermineTurnsAnew(InputPagesKey /*input_page*/) { design_.flow.turns_kept = false; }
  // So does every step of the optimization, which changes the voltage per turn.
  void DetermineTurnsAnew(TransformerPagesKey /*transformer_page*/) {
    design_.flow.turns_kept = false;
  }
  // Turns the winding table has shown are kept until a page asks for new ones.
  void KeepTurns(WindingTablePagesKey /*winding_table_page*/) { design_.flow.turns_kept = true; }

  // The manual change carries its loop and its last key to later pages.
  bool& manual_mode(TransformerPagesKey /*transformer_page*/) { return design_.flow.manual_mode; }
  std::string& last_manual_key(TransformerPagesKey /*transformer_page*/) {
    return design_.flow.last_manual_key;
  }

  CalculationParts calculation(TransformerPagesKey /*transformer_page*/) {
    return {design_.transformer, design_.inputs.U_D_lim, design_.flow.ask_drain_limit,
            design_.component_list};
  }

  // The result screen dimensions the components for the conduction loss of
  // the proposed MOSFET.
  ComponentValues& components(TransformerPagesKey /*transformer_page*/) {
    return design_.components;
  }

  WireAnswers wire_answers(WindingTablePagesKey /*winding_table_page*/) {
    return {design_.inputs.wire_answered, design_.inputs.wire_counts, design_.inputs.d_wire,
            design_.inputs.A_wire};
  }

  // An entry the component list asks for designs with PFC.
  MainsFilter& mains_filter(ComponentPagesKey /*component_page*/) { return design_.inputs.filter; }

 private:
  DesignState& design_;
};

}  // namespace flyback
