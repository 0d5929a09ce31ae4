// The tab "Simulation" on the three-output demonstration design: Simulate
// starts the run beside the dialogue, Cancel ends it with its reason and
// leaves the design to be simulated again, and a finished run fills the
// table with the 13 compared figures of each operating point (four windings
// with voltage and ripple, the peak drain current and voltage, the
// frequency and two efficiencies). Skipped where ngspice's library is
// missing.

#include "simulation_panel.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <string>

#include "gui_test_registry.h"
#include "ngspice_library.h"
#include "transformer/demo_calculation.h"

namespace flyback {

class SimulationPanelTest : public QObject {
  Q_OBJECT

 private slots:
  void cancelsAndSimulatesAgain() {
    std::string why;
    if (OpenNgspice(why) == nullptr) QSKIP(why.c_str());
    SimulationPanel panel(nullptr, false, nullptr);
    bool ended = false;
    panel.OnEnded([&ended] { ended = true; });
    panel.SetDesign(CalculatedWithComponents(ThreeOutputDemo()));
    QVERIFY(panel.simulate_button()->isEnabled());
    QVERIFY(!panel.cancel_button()->isEnabled());

    panel.simulate_button()->click();
    QVERIFY(panel.cancel_button()->isEnabled());
    panel.cancel_button()->click();
    QTRY_VERIFY_WITH_TIMEOUT(ended, 20000);
    QCOMPARE(panel.status()->text(),
             QStringLiteral("Cannot simulate: cannot simulate the lowest input voltage: the "
                            "simulation was cancelled"));
    QVERIFY(panel.simulate_button()->isEnabled());
    QCOMPARE(panel.table()->rowCount(), 0);

    ended = false;
    panel.simulate_button()->click();
    QTRY_VERIFY_WITH_TIMEOUT(ended, 60000);
    QVERIFY(panel.outcome() && panel.outcome()->comparison);
    QCOMPARE(panel.table()->rowCount(), 2 * 13);
  }
};

namespace {
const RegisterGuiTest<SimulationPanelTest> registration("simulation_panel_test");
}  // namespace

}  // namespace flyback

#include "simulation_panel_test.moc"
