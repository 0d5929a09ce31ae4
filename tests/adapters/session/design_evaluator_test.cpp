// Every view of a shown design renders the one evaluation made for it: the
// demonstration design shown on the result screen, then with its component
// list, is evaluated once per showing, and every view is handed that
// evaluation of the very design it is shown.

#include "design_evaluator.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "pages/dialogue/driver.h"
#include "script_console.h"
#include "support/script_run.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

// Notes the evaluation it is given at each showing of a design.
class EvaluationRecorder : public DesignObserver {
 public:
  explicit EvaluationRecorder(const DesignEvaluator& evaluator) : evaluator_(evaluator) {}
  void DesignShown(const DesignState& design) override { Note(design); }
  void ComponentsDimensioned(const DesignState& design) override { Note(design); }

  std::vector<const DesignEvaluation*> seen;
  int of_another_design = 0;

 private:
  void Note(const DesignState& design) {
    const DesignEvaluation* evaluation = evaluator_.evaluation().get();
    if (evaluation->design.transformer.n_prim != design.transformer.n_prim ||
        evaluation->design.component_list.has_value() != design.component_list.has_value()) {
      ++of_another_design;
    }
    seen.push_back(evaluation);
  }

  const DesignEvaluator& evaluator_;
};

TEST(DesignEvaluator, EachShowingIsEvaluatedOnceForEveryView) {
  DesignEvaluator evaluator({});
  EvaluationRecorder first(evaluator);
  EvaluationRecorder second(evaluator);
  evaluator.Add(&first);
  evaluator.Add(&second);
  // To the main menu, then the component list with its defaults.
  std::istringstream in(kDemonstrationToMainMenu + "3\n\n\n");
  std::ostringstream out;
  ScriptConsole console(in, out);
  DesignState state;
  RunDialogue(console, state, nullptr, &evaluator);

  ASSERT_EQ(first.seen.size(), 2U);  // the result screen, the component list
  EXPECT_EQ(evaluator.evaluations(), static_cast<int>(first.seen.size()));
  EXPECT_EQ(first.seen, second.seen);
  EXPECT_EQ(first.of_another_design, 0);
  for (std::size_t i = 1; i < first.seen.size(); ++i) EXPECT_NE(first.seen[i], first.seen[i - 1]);
  EXPECT_TRUE(first.seen.back()->design.component_list.has_value());
}

// The crossover and the compensator the user sets: the shown design is
// evaluated once more with its loop designed for it, and every view hears of
// it again; the default rule comes back with 0 (a tenth of the lowest switching frequency,
// 2354.886 Hz for the 80 W demonstration regulated at 100 V: tests/loop).
TEST(DesignEvaluator, ASetCrossoverOrCompensatorEvaluatesTheShownDesignAgain) {
  DesignEvaluator evaluator({});
  EvaluationRecorder view(evaluator);
  evaluator.Add(&view);
  evaluator.SetLoopCrossover(1500);  // before any design: nothing to show
  EXPECT_EQ(evaluator.evaluations(), 0);

  DesignState opto = ThreeOutputDemo();
  opto.inputs.opto_reg = true;
  opto.inputs.U_opto = 100;
  evaluator.DesignShown(CalculatedWithComponents(opto));
  evaluator.SetLoopCrossover(1500);
  ASSERT_EQ(view.seen.size(), 2U);
  EXPECT_EQ(view.of_another_design, 0);
  ASSERT_TRUE(view.seen.back()->loop);
  EXPECT_EQ(view.seen.back()->loop->compensator.crossover_Hz, 1500);

  evaluator.SetLoopCrossover(0);
  ASSERT_TRUE(evaluator.evaluation()->loop);
  EXPECT_NEAR(evaluator.evaluation()->loop->compensator.crossover_Hz, 2354.886, 0.01);

  // The user takes the proposal as the design's compensator: the corners
  // are then the proposal's, until the list's parts are asked for again.
  const LoopDesign listed = *evaluator.evaluation()->loop;
  evaluator.SetLoopParts(listed.compensator.rounded);
  ASSERT_EQ(view.seen.size(), 4U);
  const LoopDesign& chosen = *view.seen.back()->loop;
  EXPECT_TRUE(chosen.parts_chosen);
  ASSERT_EQ(chosen.corners.size(), listed.proposed_corners.size());
  for (std::size_t i = 0; i < chosen.corners.size(); ++i) {
    EXPECT_EQ(chosen.corners[i].margins.phase_margin_deg,
              listed.proposed_corners[i].margins.phase_margin_deg);
  }
  evaluator.SetLoopParts(std::nullopt);
  EXPECT_FALSE(evaluator.evaluation()->loop->parts_chosen);
  EXPECT_EQ(evaluator.evaluation()->loop->parts.C_z_nF, listed.listed.C_z_nF);
}

}  // namespace
}  // namespace flyback
