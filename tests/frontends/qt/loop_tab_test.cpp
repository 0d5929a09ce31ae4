// The tab "Loop" after a simulation of the three-output demonstration
// regulated through the opto-coupler at 100 V: made-up .ac points of one
// corner over its curves, and a made-up load step below the plots. The
// step's averages end at 3.6 ms, where round ticks of 1 ms would widen the
// time axis to 4 ms and leave a gap after the curve.

#include "loop_tab.h"

#include <QChart>
#include <QLabel>
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
// keep apart: not drawn.
SimulationOutcome MadeUpOutcome() {
  SimulatedLoopCorner corner;
  corner.corner = 4;
  corner.comparison.simulated = {
      {10, {40, -450}}, {11, {39, -450}}, {100, {20, -450}}, {1000, {0, -450}}};
  SimulationOutcome outcome;
  outcome.loop = LoopSimulation{{corner}, {}};
  LoadStepResponse step;
  step.U_regulated_V = 100;
  step.times = {1.2e-3, 2.4e-3, 3.6e-3};
  step.window_end_s = {1.2e-3, 2.4e-3, 3.6e-3};
  step.window_average_V = {100, 101, 100};
  outcome.comparison = SimulationComparison{};
  outcome.comparison->load_step = step;
  return outcome;
}

QScatterSeries* Simulated(QChart* chart) {
  for (QAbstractSeries* series : chart->series()) {
    if (auto* points = qobject_cast<QScatterSeries*>(series)) return points;
  }
  return nullptr;
}

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
    const SimulationOutcome outcome = MadeUpOutcome();
    LoopTab tab;
    tab.Show(*evaluation, &outcome);
    // Twelve corners, the 0 dB line and the simulated points.
    QCOMPARE(tab.gain()->chart()->series().size(), 14);
    QScatterSeries* gain = Simulated(tab.gain()->chart());
    QVERIFY(gain != nullptr);
    QCOMPARE(gain->name(), QStringLiteral("ngspice"));
    QCOMPARE(gain->points(), (QList<QPointF>{{10, 40}, {100, 20}, {1000, 0}}));
    QScatterSeries* phase = Simulated(tab.phase()->chart());
    QVERIFY(phase != nullptr);
    QCOMPARE(phase->points(), (QList<QPointF>{{10, -90}, {100, -90}, {1000, -90}}));
    QVERIFY(tab.load_step()->isVisibleTo(&tab));
    // The average and both edges.
    QCOMPARE(tab.load_step()->chart()->series().size(), 3);
    // The time axis ends with the last average, in ms.
    const auto* t = qobject_cast<QValueAxis*>(tab.load_step()->chart()->axes(Qt::Horizontal).at(0));
    QVERIFY(t != nullptr);
    QCOMPARE(t->min(), 0.0);
    QCOMPARE(t->max(), 3.6);

    // Parts set by hand: ngspice ran the list's, whose points are not drawn.
    DesignEvaluation chosen = *evaluation;
    chosen.loop->parts_chosen = true;
    tab.Show(chosen, &outcome);
    QCOMPARE(tab.gain()->chart()->series().size(), 13);
    QVERIFY(tab.compensator()->text().contains(QStringLiteral("not drawn")));

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
