// The design report of the three-output demonstration design: its number
// texts, its winding sheet (hand-worked below) and which sections it holds.

#include "engine/design_report/design_report.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "engine/design_report/efficiency_chart.h"
#include "engine/design_report/html_text.h"
#include "engine/design_report/report_sections.h"
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

// Text reaches the page only escaped (Html::Text) or as markup written into
// the program: neither a string nor a pointer to one becomes Html.
static_assert(!std::is_convertible_v<std::string, Html>);
static_assert(!std::is_constructible_v<Html, std::string>);
static_assert(!std::is_constructible_v<Html, const char*>);

TEST(KeepUnitsWithValues, AFigureAndItsUnitStayOnOneLine) {
  const struct {
    Html html;
    const char* kept;
  } cases[] = {
      {"20.9 K", "20.9&nbsp;K"},
      {"Ø 0.59 mm (0.27 mm²)", "Ø 0.59&nbsp;mm (0.27&nbsp;mm²)"},
      {"534 µH ± 10 %", "534&nbsp;µH ± 10&nbsp;%"},
      {"1.4 Ω · (4.1941 A)²", "1.4&nbsp;Ω · (4.1941&nbsp;A)²"},
      {"120 °C", "120&nbsp;°C"},
      // Operators and signs between figures still break; markup is kept.
      {"2 × Ø 0.28 mm", "2 × Ø 0.28&nbsp;mm"},
      {"<span class=\"a1 b\">5 V</span>", "<span class=\"a1 b\">5&nbsp;V</span>"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KeepUnitsWithValues(c.html).str(), c.kept) << c.html.str();
  }
}

std::vector<std::vector<std::string>> Columns(const WindingSheet& sheet) {
  std::vector<std::vector<std::string>> rows;
  for (const WindingSheetRow& row : sheet.rows) {
    rows.push_back({row.step, row.winding, row.turns, row.wire, row.layers, row.ends, row.tape});
  }
  return rows;
}

TEST(WindingSheet, DemonstrationDesign) {
  const DesignState s = CalculatedWithComponents(ThreeOutputDemo());
  const WindingSheet sheet = MakeWindingSheet(s, ComputeLossBudget(s, nullptr));
  // The SMT 31/190 is a slot-type transformer: its maker winds it, and the
  // layers are counted on the 26.2 mm of the ETD 39 nearest by Ae, without
  // margins. Primary 0.27 mm²: a round wire of 2·√(0.27 / 3.1416) = 0.586 mm,
  // the next IEC 60317 size 0.63 mm (0.3118 mm²), 0.704 mm over grade 2
  // enamel: 26.2 / 0.704 = 37.2, 37 turns a layer, 53 = 37 + 16. IC supply
  // Ø 0.2 mm, 0.239 mm outer: 109 a layer. Output 1, 0.13 mm²: 0.407 mm, the
  // size 0.45 mm, 0.513 mm outer: 51 a layer, 53 = 51 + 2. Outputs 2 and 3,
  // 0.26 mm²: 0.575 mm, the size 0.63 mm. The outputs go on in the order of
  // their power: 50 W, 16.2 W, 8.5 W; one layer of tape between windings,
  // the chamber wall between primary side and secondaries, three layers over
  // all.
  const std::string anode = "• anode → return";
  const std::vector<std::vector<std::string>> expected = {
      {"1", "Primary", "53", "Ø 0.63 mm", "≈ 2: 37 + 16, spread", "• drain → bus +", "1"},
      {"2", "IC supply", "9", "Ø 0.2 mm", "≈ 1: 9 of 109, spread", "• anode → primary 0 V",
       "chamber wall"},
      {"3", "Output 1", "53", "Ø 0.45 mm", "≈ 2: 51 + 2, spread", anode, "1"},
      {"4", "Output 2", "9", "Ø 0.63 mm", "≈ 1: 9 of 37, spread", anode, "1"},
      {"5", "Output 3", "5", "Ø 0.63 mm", "≈ 1: 5 of 37, spread", anode, "3 outer wrap"},
  };
  EXPECT_EQ(Columns(sheet), expected);
  EXPECT_EQ(sheet.bobbin.rfind("Slot-type transformer: the winding is the maker's", 0), 0U);
  // 534 µH × 0.9 = 480.6, × 1.1 = 587.4.
  EXPECT_EQ(sheet.inductance.rfind("534 µH ± 10 % (481 µH to 587 µH)", 0), 0U);
  EXPECT_NE(sheet.leakage.find("with every secondary and the IC-supply winding shorted"),
            std::string::npos);
  // μ0 · Ae / AL = 1.2566 nH/mm × 125 mm² / 190 nH = 0.827 mm; the spacer
  // half of it, 0.413 mm.
  EXPECT_EQ(sheet.airgap.rfind("0.83 mm, about μ0 · Ae / AL", 0), 0U);
  EXPECT_NE(sheet.airgap.find("or a spacer of 0.41 mm in each outer leg"), std::string::npos);
  // The drain's 598 V peak: 5.98 mm of basic creepage, 11.96 mm reinforced.
  EXPECT_NE(sheet.insulation.find("Creepage 12 mm (twice the 5.98 mm of basic insulation"),
            std::string::npos);
}

TEST(WindingSheet, MarginWoundOnTheBobbinNearestByAe) {
  // The same design on a core known by AL and Ae alone: wound in layers on
  // the ETD 39 bobbin between margin tapes of 6.0 mm (598 V), so on
  // 26.2 − 2 · 6.0 = 14.2 mm. Primary 14.2 / 0.704 = 20.2: 53 = 20 + 20 + 13;
  // output 1 14.2 / 0.513 = 27.7: 53 = 27 + 26.
  DesignState design = ThreeOutputDemo();
  design.inputs.tr_kind = TransformerKind::kUserTransformer;
  const DesignState s = CalculatedWithComponents(design);
  const WindingSheet sheet = MakeWindingSheet(s, ComputeLossBudget(s, nullptr));
  ASSERT_EQ(sheet.rows.size(), 5U);
  EXPECT_EQ(sheet.rows[0].layers, "≈ 3: 20 + 20 + 13, spread");
  EXPECT_EQ(sheet.rows[1].tape, "3 reinforced");
  EXPECT_EQ(sheet.rows[2].layers, "≈ 2: 27 + 26, spread");
  EXPECT_EQ(sheet.bobbin.rfind("Estimate: the ETD 39/20/13 bobbin", 0), 0U);
  EXPECT_NE(sheet.bobbin.find("Layers counted on the 14.2 mm between the margin tapes."),
            std::string::npos);
  EXPECT_NE(sheet.insulation.find("Margin tape 6 mm wide at each end of every layer"),
            std::string::npos);
}

class DesignReport : public testing::Test {
 protected:
  std::string Html(std::string* non_finite = nullptr) const {
    const std::shared_ptr<const DesignEvaluation> evaluation = EvaluateDesign(design_, {});
    std::vector<Finding> findings = evaluation->findings;
    findings.insert(findings.end(), more_findings_.begin(), more_findings_.end());
    DesignReportInput input{design_, evaluation->budget, findings, optimization_, "flyback test"};
    input.simulation = simulation_;
    input.alternatives = alternatives_;
    return DesignReportHtml(input, non_finite);
  }

  DesignState design_ = CalculatedWithComponents(ThreeOutputDemo());
  std::optional<OptimizationRecord> optimization_;
  const SimulationComparison* simulation_ = nullptr;
  const CoreAdvice* alternatives_ = nullptr;
  std::vector<Finding> more_findings_;
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
  EXPECT_NE(
      html.find("<td>Uact(1)</td><td>103.1&nbsp;V</td><td>100.04&nbsp;V</td><td>+3.1&nbsp;%</td>"),
      std::string::npos);
  EXPECT_NE(html.find("<span class=\"outside\">OUTSIDE</span>"), std::string::npos);
  EXPECT_NE(html.find("<td>EF 25</td>"), std::string::npos);
  EXPECT_NE(html.find("<td>Frequency too high; Window overfull</td>"), std::string::npos);
}

TEST_F(DesignReport, CountsTheSimulationsDisagreementsInOneLine) {
  // Two figures outside their tolerance: each stands in the simulation's
  // table, the key figures count them.
  for (const double U_V : {103.1, 103.4}) {
    more_findings_.push_back({Severity::kWarning,
                              std::string(kSimulationDisagrees),
                              {Quantity::kOutputVoltage, 1},
                              U_V,
                              101,
                              "Uact(1) too high"});
  }
  const std::string html = Html();
  EXPECT_EQ(html.find("Uact(1) too high"), std::string::npos);
  EXPECT_NE(html.find("<li class=\"warning\">warning: the simulation disagrees with the "
                      "calculation in 2 figures, each marked OUTSIDE"),
            std::string::npos);
}

TEST_F(DesignReport, HoldsThePartsListAndTheSweepOnceMade) {
  design_.component_list = std::vector<ComponentRow>{{"C07", 1, 150, "µF", "", "450 V", ""}};
  // The best row of the demonstration's sweep from 300 mT: accuracy product
  // 0.96157, whose fourth root Form1 lists as cfmax 0.99 (0.99025).
  const SweepPoint best{0.96157, 269.5, 37.8, 1.85};
  optimization_ = OptimizationRecord{300, {{0.5, 300, 25, 1.9}, best}, {best}, best, 269.5};
  const std::string html = Html();
  EXPECT_NE(html.find("<td>C07</td><td>1</td><td>150&nbsp;µF</td>"), std::string::npos);
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

// A corner of a made-up loop, named by its line end, load and CTR; a phase
// margin of none: its gain never crosses 0 dB.
LoopCorner Corner(std::string_view line, double load, double CTR,
                  std::optional<double> phase_margin_deg) {
  LoopCorner c;
  c.line = line;
  c.load_share = load;
  c.CTR = CTR;
  c.bode = {{10, {40, -90}}, {10000, {-30, -170}}};
  if (phase_margin_deg) {
    c.margins = {1, 1000, phase_margin_deg, std::nullopt, std::nullopt};
  }
  return c;
}

TEST_F(DesignReport, PlotsTheLoopOfTheCornerWithTheLeastPhaseMargin) {
  const struct {
    std::vector<LoopCorner> corners;
    const char* plotted;
  } cases[] = {
      {{Corner("lowest input", 1, 0.38, 50.7), Corner("highest input", 0.1, 1.25, 35),
        Corner("highest input", 0.5, 0.38, std::nullopt)},
       "(highest input, 10 % load, CTR 1.25)"},
      // No corner crosses: the first is plotted.
      {{Corner("lowest input", 0.5, 0.38, std::nullopt),
        Corner("highest input", 1, 1.25, std::nullopt)},
       "(lowest input, 50 % load, CTR 0.38)"},
      {{Corner("lowest input", 0.1, 0.38, std::nullopt), Corner("lowest input", 1, 1.25, 70),
        Corner("highest input", 0.5, 0.38, 45)},
       "(highest input, 50 % load, CTR 0.38)"},
  };
  for (const auto& c : cases) {
    LoopDesign loop;
    loop.corners = c.corners;
    const std::shared_ptr<const DesignEvaluation> evaluation = EvaluateDesign(design_, {});
    DesignReportInput input{design_, evaluation->budget, evaluation->findings, optimization_,
                            "flyback test"};
    input.loop = &loop;
    const std::optional<ReportSection> section = LoopSection(input);
    ASSERT_TRUE(section);
    EXPECT_NE(section->body.str().find(c.plotted), std::string::npos) << c.plotted;
    // The frequency axis in decades, 10 Hz to 10 kHz.
    for (const char* tick : {">10<", ">100<", ">1000<", ">10000<"}) {
      EXPECT_NE(section->body.str().find(tick), std::string::npos) << tick;
    }
  }
  DesignReportInput without{design_, EvaluateDesign(design_, {})->budget, more_findings_,
                            optimization_, "flyback test"};
  EXPECT_FALSE(LoopSection(without));
}

TEST(EfficiencySvg, RulesOfTheSameLimitShareItsLine) {
  // DoE Level VI and the EU regulation both ask 86 % on average of a
  // 76 W multiple-voltage supply; the Code of Conduct 89 % and 79 % at 10 %.
  EfficiencyMap map;
  map.rows.push_back({{"lowest input voltage", 90, 90, 127}, {}, {}});
  for (const double load : kMapLoads) map.rows[0].loads.push_back({load, "", {}, {}, 0, 0, 0.87});
  RulesCheck rules;
  for (const auto& [rule, limits] :
       {std::pair{EfficiencyRule::kDoeLevelVi, RuleLimits{0.86, std::nullopt, 0.3, ""}},
        std::pair{EfficiencyRule::kEu2019_1782, RuleLimits{0.86, std::nullopt, 0.3, ""}},
        std::pair{EfficiencyRule::kCocTier2, RuleLimits{0.89, 0.79, 0.15, ""}}}) {
    RuleVerdict verdict;
    verdict.rule = rule;
    verdict.limits = limits;
    rules.verdicts.push_back(verdict);
  }
  const std::string svg = EfficiencySvg(map, rules).str();
  EXPECT_NE(svg.find(">DoE Level VI, EU 2019/1782: average ≥ 86 %<"), std::string::npos);
  EXPECT_NE(svg.find(">CoC Tier 2: average ≥ 89 %<"), std::string::npos);
  EXPECT_NE(svg.find(">CoC Tier 2: 10 % ≥ 79 %<"), std::string::npos);
  EXPECT_NE(svg.find(">90 V<"), std::string::npos);
}

}  // namespace
}  // namespace flyback
