// The tab "Loop" after a simulation of the three-output demonstration
// regulated through the opto-coupler at 100 V: made-up .ac points of one
// corner over its curves and of the proposal's parts at the same corner,
// and a made-up load step below the plots. The
// step's averages end at 3.6 ms, where round ticks of 1 ms would widen the
// time axis to 4 ms and leave a gap after the curve.

#include "loop_tab.h"

#include <QChart>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QScatterSeries>
#include <QTest>
#include <QValueAxis>

#include "gui_test_registry.h"
#include "transformer/demo_calculation.h"

namespace flyback {

namespace {

// Corner 4 (lowest input, full load, least CTR) simulated at 10, 11, 100
// and 1000 Hz. The phase lies a turn below any the analytic curve has at
// 10 Hz (between −270° and +90°): drawn a turn higher, at −90°. 11 Hz is a
// twenty-fourth of a decade after 10 Hz, closer than the eighth the markers
// keep apart: not drawn. The proposal's run at the same corner: its phase
// a turn below the proposal's curve there (−90° to −80° at 10 Hz, the
// integrator with the stage's load pole), drawn a turn higher too.
SimulationOutcome MadeUpOutcome(const LoopDesign& loop) {
  SimulatedLoopCorner corner;
  corner.corner = 4;
  corner.comparison.simulated = {
      {10, {40, -450}}, {11, {39, -450}}, {100, {20, -450}}, {1000, {0, -450}}};
  SimulatedLoopCorner proposed;
  proposed.corner = 4;
  proposed.comparison.simulated = {{10, {30, -445}}, {100, {10, -445}}, {1000, {-10, -445}}};
  SimulationOutcome outcome;
  outcome.loop = LoopSimulation{{corner}, {proposed}, loop.compensator.rounded};
  LoadStepResponse step;
  step.U_regulated_V = 100;
  step.times = {1.2e-3, 2.4e-3, 3.6e-3};
  step.window_end_s = {1.2e-3, 2.4e-3, 3.6e-3};
  step.window_average_V = {100, 101, 100};
  outcome.comparison = SimulationComparison{};
  outcome.comparison->load_step = step;
  return outcome;
}

// The markers named `name`.
QScatterSeries* Simulated(QChart* chart, const QString& name) {
  for (QAbstractSeries* series : chart->series()) {
    auto* points = qobject_cast<QScatterSeries*>(series);
    if (points != nullptr && points->name() == name) return points;
  }
  return nullptr;
}

const QString kListRun = QStringLiteral("ngspice");
const QString kProposalRun = QStringLiteral("ngspice, the proposal's parts");

}  // namespace

class LoopTabTest : public QObject {
  Q_OBJECT

 private slots:
  void drawsTheSimulatedPointsOverTheirCornerAndTheLoadStep() {
    DesignState opto = ThreeOutputDemo();
    opto.inputs.opto_reg = true;
    opto.inputs.U_opto = 100;
    const std::shared_ptr<const DesignEvaluation> evaluation =
        EvaluateDesign(CalculatedWithComponents(opto), {});
    const SimulationOutcome outcome = MadeUpOutcome(*evaluation->loop);
    LoopTab tab;
    tab.Show(*evaluation, &outcome);
    // Twelve corners, the 0 dB line and the two runs' points, each kind of
    // marker its own shape and named once in the legend.
    QCOMPARE(tab.gain()->chart()->series().size(), 15);
    const struct {
      QString name;
      QScatterSeries::MarkerShape shape;
      QList<QPointF> gain;
      QList<QPointF> phase;
    } runs[] = {
        {kListRun,
         QScatterSeries::MarkerShapeCircle,
         {{10, 40}, {100, 20}, {1000, 0}},
         {{10, -90}, {100, -90}, {1000, -90}}},
        {kProposalRun,
         QScatterSeries::MarkerShapeRectangle,
         {{10, 30}, {100, 10}, {1000, -10}},
         {{10, -85}, {100, -85}, {1000, -85}}},
    };
    for (const auto& run : runs) {
      QScatterSeries* gain = Simulated(tab.gain()->chart(), run.name);
      QVERIFY2(gain != nullptr, qPrintable(run.name));
      QCOMPARE(gain->markerShape(), run.shape);
      QCOMPARE(gain->points(), run.gain);
      QCOMPARE(tab.gain()->chart()->legend()->markers(gain).at(0)->isVisible(), true);
      QScatterSeries* phase = Simulated(tab.phase()->chart(), run.name);
      QVERIFY2(phase != nullptr, qPrintable(run.name));
      QCOMPARE(phase->points(), run.phase);
    }
    QVERIFY(tab.load_step()->isVisibleTo(&tab));
    // The average and both edges.
    QCOMPARE(tab.load_step()->chart()->series().size(), 3);
    // The time axis ends with the last average, in ms.
    const auto* t = qobject_cast<QValueAxis*>(tab.load_step()->chart()->axes(Qt::Horizontal).at(0));
    QVERIFY(t != nullptr);
    QCOMPARE(t->min(), 0.0);
    QCOMPARE(t->max(), 3.6);

    // Parts set by hand: ngspice ran the list's, whose points are not drawn;
    // the proposal's are the proposal's still.
    DesignEvaluation chosen = *evaluation;
    chosen.loop->parts_chosen = true;
    tab.Show(chosen, &outcome);
    QCOMPARE(tab.gain()->chart()->series().size(), 14);
    QVERIFY(Simulated(tab.gain()->chart(), kListRun) == nullptr);
    QVERIFY(Simulated(tab.gain()->chart(), kProposalRun) != nullptr);
    QVERIFY(tab.compensator()->text().contains(QStringLiteral("not drawn")));

    // A new crossover asked for since the run: its proposal is not the one
    // that ran, whose points are not drawn either.
    DesignEvaluation redesigned = *evaluation;
    redesigned.loop->compensator.rounded.R_z_kOhm *= 2;
    tab.Show(redesigned, &outcome);
    QCOMPARE(tab.gain()->chart()->series().size(), 14);
    QVERIFY(Simulated(tab.gain()->chart(), kProposalRun) == nullptr);
    QVERIFY(tab.compensator()->text().contains(QStringLiteral("earlier proposal")));

    // No simulation: no points, no load step.
    tab.Show(*evaluation);
    QCOMPARE(tab.gain()->chart()->series().size(), 13);
    QVERIFY(!tab.load_step()->isVisibleTo(&tab));
  }
};

namespace {
const RegisterGuiTest<LoopTabTest> registration("loop_tab_test");
}  // namespace

}  // namespace flyback

#include "loop_tab_test.moc"
