// The design report of the three-output demonstration design: its number
// texts, its winding sheet (hand-worked below) and which sections it holds.

#include "engine/design_report/design_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/design_report/html_text.h"
#include "engine/design_report/winding_sheet.h"
#include "engine/evaluation/design_evaluation.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

TEST(Significant, FiveDigitsInFixedNotation) {
  const struct {
    double x;
    const char* text;
  } cases[] = {
      {53.3333333, "53.333"},      {0.886904, "0.8869"},
      {540.4444, "540.44"},        {123456.7, "123457"},
      {-0.00123456, "-0.0012346"}, {0, "0"},
      {1.25187, "1.2519"},         {2, "2"},
  };
  for (const auto& c : cases) EXPECT_EQ(Significant(c.x), c.text) << c.x;
}

TEST(EscapeHtml, MarkupCharactersBecomeReferences) {
  EXPECT_EQ(EscapeHtml("R&D <\"µ\"> 'x'"), "R&amp;D &lt;&quot;µ&quot;&gt; &#39;x&#39;");
  // A name typed with Ctrl-Z and DEL: HTML has no place for them.
  EXPECT_EQ(EscapeHtml("PSU\x1a\t1\x7f"), "PSU\uFFFD\t1\uFFFD");
}

TEST(WindingSheet, DemonstrationDesign) {
  const DesignState s = CalculatedWithComponents(ThreeOutputDemo());
  const WindingSheet sheet = MakeWindingSheet(s, ComputeLossBudget(s, nullptr));
  // Primary 0.27 mm²: d = 2·√(0.27 / 3.1416) = 0.586 mm, pitch 1.1·d = 0.645 mm,
  // 40 turns a layer on the 26.2 mm of the ETD 39 bobbin: 53 turns in 2 layers.
  // Output 1, 0.13 mm²: d = 0.407 mm, 58 a layer: 1 layer. The outputs go on
  // in the order of their power: 50 W, 16.2 W, 8.5 W.
  const std::vector<std::vector<std::string>> expected = {
      {"1", "Primary", "53", "Ø 0.59 mm (0.27 mm²)", "2"},
      {"2", "IC supply", "9", "thinnest practical wire", ""},
      {"3", "Insulation", "", "", ""},
      {"4", "Output 1", "53", "Ø 0.41 mm (0.13 mm²)", "1"},
      {"5", "Output 2", "9", "Ø 0.58 mm (0.26 mm²)", "1"},
      {"6", "Output 3", "5", "Ø 0.58 mm (0.26 mm²)", "1"},
  };
  ASSERT_EQ(sheet.rows.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const WindingSheetRow& row = sheet.rows[i];
    EXPECT_EQ((std::vector<std::string>{row.step, row.winding, row.turns, row.wire, row.layers}),
              expected[i]);
  }
  // 534 µH × 0.9 = 480.6, × 1.1 = 587.4.
  EXPECT_EQ(sheet.inductance.rfind("534 µH ± 10 % (481 µH to 587 µH)", 0), 0U);
  // μ0 · Ae / AL = 1.2566 nH/mm × 125 mm² / 190 nH = 0.827 mm.
  EXPECT_EQ(sheet.airgap.rfind("about 0.83 mm", 0), 0U);
}

class DesignReport : public testing::Test {
 protected:
  std::string Html(std::string* non_finite = nullptr) const {
    const std::shared_ptr<const DesignEvaluation> evaluation = EvaluateDesign(design_, {});
    DesignReportInput input{design_, evaluation->budget, evaluation->findings, optimization_,
                            "flyback test"};
    input.simulation = simulation_;
    input.alternatives = alternatives_;
    return DesignReportHtml(input, non_finite);
  }

  DesignState design_ = CalculatedWithComponents(ThreeOutputDemo());
  std::optional<OptimizationRecord> optimization_;
  const SimulationComparison* simulation_ = nullptr;
  const CoreAdvice* alternatives_ = nullptr;
};

TEST_F(DesignReport, HoldsNoPartsListAndNoSweepBeforeThereAreAny) {
  const std::string html = Html();
  EXPECT_EQ(html.rfind("<!DOCTYPE html>\n", 0), 0U);
  EXPECT_NE(html.find("<section id=\"winding-sheet\""), std::string::npos);
  EXPECT_EQ(html.find("<section id=\"parts-list\""), std::string::npos);
  EXPECT_EQ(html.find("<section id=\"optimization\""), std::string::npos);
  EXPECT_EQ(html.find("<section id=\"simulation\""), std::string::npos);
  EXPECT_EQ(html.find("<section id=\"alternatives\""), std::string::npos);
  EXPECT_EQ(html.find("<script"), std::string::npos);
}

TEST_F(DesignReport, HoldsTheSimulationAndTheAlternativesWhereTheyRan) {
  SimulationComparison simulation;
  simulation.points.push_back({"lowest input voltage", {}, 1});
  // 103.1 V against 100.04 V: outside the window 99 V to 101 V, marked.
  simulation.figures.push_back({{Quantity::kOutputVoltage, 1},
                                "Uact(1)",
                                "lowest input voltage",
                                "V",
                                103.1,
                                100.04,
                                "calculated",
                                3.06,
                                "%",
                                99,
                                101,
                                "-1 % to +1 % (window)",
                                false});
  CoreAdvice advice;
  advice.ranking.push_back({1,
                            CandidateVerdict::kRejected,
                            {"Frequency too high", "Window overfull"},
                            0,
                            std::nullopt,
                            {}});
  advice.ranking.front().assessment.candidate.name = "EF 25";
  simulation_ = &simulation;
  alternatives_ = &advice;
  const std::string html = Html();
  EXPECT_NE(html.find("<td>Uact(1)</td><td>103.1 V</td><td>100.04 V</td><td>+3.1 %</td>"),
            std::string::npos);
  EXPECT_NE(html.find("<span class=\"outside\">OUTSIDE</span>"), std::string::npos);
  EXPECT_NE(html.find("<td>EF 25</td>"), std::string::npos);
  EXPECT_NE(html.find("<td>Frequency too high; Window overfull</td>"), std::string::npos);
}

TEST_F(DesignReport, HoldsThePartsListAndTheSweepOnceMade) {
  design_.component_list = std::vector<ComponentRow>{{"C07", 1, 150, "µF", "", "450 V", ""}};
  // The best row of the demonstration's sweep from 300 mT: accuracy product
  // 0.96157, whose fourth root Form1 lists as cfmax 0.99 (0.99025).
  const SweepPoint best{0.96157, 269.5, 37.8, 1.85};
  optimization_ = OptimizationRecord{300, {{0.5, 300, 25, 1.9}, best}, {best}, best, 269.5};
  const std::string html = Html();
  EXPECT_NE(html.find("<td>C07</td><td>1</td><td>150 µF</td>"), std::string::npos);
  EXPECT_NE(html.find("<section id=\"optimization\""), std::string::npos);
  EXPECT_NE(html.find("cfmax 0.99 as Form1 lists it (the fourth root of the accuracy product "
                      "0.96157)"),
            std::string::npos);
}

TEST_F(DesignReport, TitleBlockEscapesTheNameOfThePowerSupply) {
  design_.report = {true, "9 décembre 2026", "R&D <µ-Ω² €>"};
  const std::string html = Html();
  EXPECT_NE(html.find("<h1>Flyback design report: R&amp;D &lt;µ-Ω² €&gt;</h1>"), std::string::npos);
  EXPECT_NE(html.find("<p>Date: 9 décembre 2026</p>"), std::string::npos);
}

TEST_F(DesignReport, NamesTheSectionOfAFigureThatIsNotFinite) {
  std::string non_finite;
  Html(&non_finite);
  EXPECT_EQ(non_finite, "");
  // A DC range up to 0 V: the highest input voltage has no bus, and its
  // switching times and losses are no figures.
  design_.inputs.dc_input = true;
  design_.transformer.U_bus_max = 0;
  Html(&non_finite);
  EXPECT_EQ(non_finite,
            "a figure of its section \"Loss budget and temperature rise\" is not finite");
}

}  // namespace
}  // namespace flyback
