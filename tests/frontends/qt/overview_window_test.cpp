// The design overview after runs of the three-output demonstration design
// (outputs 100.04 V, 16.16 V, 8.53 V; I_D_max 4.1941 A after t_on 17.808 µs)
// and its optimization from 300 mT as the printed optimization list shows it
// (17 rows, 303 steps, the best at 269.5 mT); its losses at the lowest input
// voltage give 83.2 % against the assumed 85 % (R06 1.279 W).

#include "overview_window.h"

#include <QChart>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QScatterSeries>
#include <QStyle>
#include <QSvgRenderer>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <sstream>
#include <string>

#include "efficiency_tab.h"
#include "gui_test_registry.h"
#include "overview_charts.h"
#include "pages/dialogue/driver.h"
#include "script_console.h"
#include "transformer/demo_calculation.h"

namespace flyback {
namespace {

// Return at every question of the demonstration design until the main menu.
const std::string kToMainMenu = std::string(23, '\n') + "1\n";

// The overview behind its evaluator, as the program has it.
struct WatchedOverview {
  WatchedOverview() { evaluator.Add(&window); }
  DesignEvaluator evaluator{EvaluationRequest{}};
  OverviewWindow window{evaluator};
};

// Runs the whole dialogue on the answers with the overview watching.
void Run(const std::string& answers, WatchedOverview& overview) {
  std::istringstream in(answers);
  std::ostringstream out;
  ScriptConsole console(in, out);
  DesignState state;
  RunDialogue(console, state, nullptr, &overview.evaluator);
}

template <typename Series>
Series* SeriesNamed(QChart* chart, const QString& name) {
  for (QAbstractSeries* series : chart->series()) {
    if (series->name() == name) return qobject_cast<Series*>(series);
  }
  return nullptr;
}

}  // namespace

class OverviewWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void holdsTheSeriesOfTheDemonstrationDesign() {
    WatchedOverview watched;
    OverviewWindow& overview = watched.window;
    Run(kToMainMenu, watched);

    // Output windows: a bar, a marker and its label per output and for the
    // IC supply.
    QChart* windows = overview.output_windows()->chart();
    QCOMPARE(windows->series().size(), 12);
    auto* span = SeriesNamed<QLineSeries>(windows, QStringLiteral("U1: 99 – 101 V"));
    QVERIFY(span != nullptr);
    QCOMPARE(span->points(), (QList<QPointF>{{0, 3}, {1, 3}}));
    auto* marker = SeriesNamed<QScatterSeries>(windows, QStringLiteral("U1"));
    QVERIFY(marker != nullptr);
    auto* label = SeriesNamed<QScatterSeries>(windows, QStringLiteral("U1: label"));
    QVERIFY(label != nullptr);
    QCOMPARE(label->pointLabelsFormat(), QStringLiteral("100.04 V in 99 – 101 V"));

    // Currents: the drain current rises from 0 to I_D_max during t_on.
    auto* drain = qobject_cast<QLineSeries*>(overview.currents()->chart()->series().at(0));
    QVERIFY(drain != nullptr);
    QCOMPARE(drain->at(0), QPointF(0, 0));
    QVERIFY(qAbs(drain->at(1).x() - 17.808) < 5e-4);
    QVERIFY(qAbs(drain->at(1).y() - 4.1941) < 5e-5);

    // The key figures, with those of the losses after the design's own.
    QTableWidget* figures = overview.key_figures();
    QCOMPARE(figures->item(0, 0)->text(), QStringLiteral("Bmax"));
    QCOMPARE(figures->item(0, 1)->text(), QStringLiteral("340 mT"));
    QCOMPARE(figures->item(0, 3)->text(), QStringLiteral("✔ fine"));
    const QList<QTableWidgetItem*> efficiency =
        figures->findItems(QStringLiteral("efficiency"), Qt::MatchExactly);
    QCOMPARE(efficiency.size(), 1);
    QCOMPARE(figures->item(efficiency[0]->row(), 3)->text(), QStringLiteral("✔ fine"));
    // The design checks and the losses hold; the MOSFET's 597.9 V lie above
    // 90 % of its 600 V.
    QVERIFY(overview.findings()->item(0)->text().contains(QStringLiteral("part-stress-high")));
    QCOMPARE(overview.sweep()->chart()->series().size(), 0);

    // Where the watts go, shown until an optimization: a bar per loss at
    // both input voltages, its value beside it.
    QCOMPARE(overview.lower_tabs()->currentWidget(), overview.losses());
    QChart* losses = overview.losses()->chart();
    for (const char* name :
         {"core", "copper", "MOSFET conduction", "MOSFET turn-on", "MOSFET turn-off",
          "output diodes", "control IC and its diode", "bridge rectifier"}) {
      QVERIFY2(SeriesNamed<QLineSeries>(losses, QString::fromUtf8(name)) != nullptr, name);
      QVERIFY2(SeriesNamed<QLineSeries>(
                   losses, QString::fromUtf8(name) + QStringLiteral(" (highest input voltage)")) !=
                   nullptr,
               name);
    }
    // The MOSFET at the bus valley: 6.404 W (tests/losses); with PFC the
    // clamp is R06 beside the charge pump, 1.279 W.
    auto* conduction = SeriesNamed<QLineSeries>(losses, QStringLiteral("MOSFET conduction"));
    QVERIFY(conduction != nullptr);
    QVERIFY(qAbs(conduction->at(1).x() - 6.4042) < 1e-4);
    auto* conduction_value =
        SeriesNamed<QScatterSeries>(losses, QStringLiteral("MOSFET conduction: value"));
    QVERIFY(conduction_value != nullptr);
    QCOMPARE(conduction_value->pointLabelsFormat(), QStringLiteral("6.4 W"));
    auto* clamp = SeriesNamed<QLineSeries>(losses, QStringLiteral("clamp"));
    QVERIFY(clamp != nullptr);
    QVERIFY(qAbs(clamp->at(1).x() - 1.2793) < 1e-4);
  }

  void showsTheEfficiencyMapAndTheLoopOfTheDesignShown() {
    WatchedOverview watched;
    OverviewWindow& overview = watched.window;
    Run(kToMainMenu, watched);
    // Mains 90 V to 270 V: the map's ends and both rules' voltages, each
    // from 10 % to 100 % load.
    QChart* efficiency = overview.efficiency()->chart()->chart();
    for (const char* name : {"90 V, lowest input voltage", "115 V, a rules' mains voltage",
                             "230 V, a rules' mains voltage", "270 V, highest input voltage"}) {
      auto* line = SeriesNamed<QLineSeries>(efficiency, QString::fromUtf8(name));
      QVERIFY2(line != nullptr, name);
      QCOMPARE(line->count(), 5);
      QCOMPARE(line->at(0).x(), 10.0);
      QCOMPARE(line->at(4).x(), 100.0);
    }
    // Three rules, then the no-load power at each of the four voltages.
    QCOMPARE(overview.efficiency()->rules()->rowCount(), 7);
    // The demonstration regulates through its IC supply: no loop.
    QCOMPARE(overview.loop()->margins()->rowCount(), 0);

    // Regulated through the opto-coupler at 100 V, with the component
    // list's feedback parts: at the lowest input voltage, full load and the
    // least CTR the loop crosses at 4300.87 Hz with 101.305° (worked by hand
    // in the loop's own test).
    DesignState opto = ThreeOutputDemo();
    opto.inputs.opto_reg = true;
    opto.inputs.U_opto = 100;
    overview.loop()->Show(*EvaluateDesign(CalculatedWithComponents(opto), {}));
    QTableWidget* margins = overview.loop()->margins();
    QCOMPARE(margins->rowCount(), 12);
    QCOMPARE(margins->item(4, 0)->text(), QStringLiteral("lowest input, 100 %, CTR 0.38 (dashed)"));
    QCOMPARE(margins->item(4, 1)->text(), QStringLiteral("4301 Hz"));
    QCOMPARE(margins->item(4, 2)->text(), QStringLiteral("101.3°"));
    // The proposal, worked by hand there too: the default crossover a tenth
    // of 23548.86 Hz, R_z 3.6 MΩ, C_z 20 pF, C_pole 1.8 nF. The user asks
    // for another crossover: the tab hands it on.
    QVERIFY(overview.loop()->proposal()->text().startsWith(
        QStringLiteral("Proposed for a crossover at 2355 Hz")));
    QVERIFY(overview.loop()->proposal()->text().contains(
        QStringLiteral("R_z 3600 kΩ, C_z 0.02 nF, C_pole 1.8 nF")));
    double chosen_Hz = -1;
    overview.loop()->OnCrossoverChosen([&chosen_Hz](double f_Hz) { chosen_Hz = f_Hz; });
    overview.loop()->crossover()->setValue(1500);
    QTest::mouseClick(overview.loop()->design_button(), Qt::LeftButton);
    QCOMPARE(chosen_Hz, 1500.0);
    // The parts by hand: the proposal taken as the start, then drawn; back
    // to the component list's.
    CompensatorEditor* editor = overview.loop()->editor();
    std::optional<OptoCompensator> chosen_parts;
    bool told = false;
    editor->OnChosen([&](const std::optional<OptoCompensator>& parts) {
      chosen_parts = parts;
      told = true;
    });
    QTest::mouseClick(editor->proposal_button(), Qt::LeftButton);
    QTest::mouseClick(editor->draw_button(), Qt::LeftButton);
    QVERIFY(told && chosen_parts);
    QCOMPARE(chosen_parts->R_z_kOhm, 3600.0);
    QCOMPARE(chosen_parts->C_z_nF, 0.02);
    QCOMPARE(chosen_parts->C_pole_nF, 1.8);
    QTest::mouseClick(editor->listed_button(), Qt::LeftButton);
    QVERIFY(!chosen_parts);
    // Each corner's curve and the 0 dB line.
    QCOMPARE(overview.loop()->gain()->chart()->series().size(), 13);
  }

  void marksTheSimulatedLoadPoints() {
    WatchedOverview watched;
    Run(kToMainMenu, watched);
    EfficiencyTab& tab = *watched.window.efficiency();
    const QString name = QStringLiteral("simulated (ngspice)");
    QVERIFY(SeriesNamed<QScatterSeries>(tab.chart()->chart(), name) == nullptr);
    // A point simulated at 50 % load, 85.8 %, and one that was not.
    SimulationComparison comparison;
    SimulatedLoadPoint half;
    half.load = 0.5;
    half.efficiency = 0.858;
    SimulatedLoadPoint skipped;
    skipped.load = 0.25;
    skipped.not_simulated = "the run failed";
    comparison.load_points = {half, skipped};
    tab.Show(*watched.evaluator.evaluation(), &comparison);
    auto* markers = SeriesNamed<QScatterSeries>(tab.chart()->chart(), name);
    QVERIFY(markers != nullptr);
    QCOMPARE(markers->count(), 1);
    QCOMPARE(markers->at(0).x(), 50.0);
    QVERIFY(qAbs(markers->at(0).y() - 85.8) < 1e-9);
  }

  void keyFiguresFitTheNarrowestOverview() {
    WatchedOverview watched;
    OverviewWindow& overview = watched.window;
    Run(kToMainMenu, watched);
    // The overview as narrow as it lets itself be (1024 x 600 px): every
    // column of the key figures within the table, the verdicts whole.
    overview.resize(overview.minimumSizeHint().width(), 414);
    overview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&overview));
    QTableWidget* figures = overview.key_figures();
    const QHeaderView* columns = figures->horizontalHeader();
    QVERIFY2(columns->length() <= figures->viewport()->width(),
             qPrintable(QStringLiteral("%1 of %2 px")
                            .arg(columns->length())
                            .arg(figures->viewport()->width())));
    // Each row as high as its text needs at the widths the columns ended
    // with: a limit broken into lines while the window was laid out stands
    // whole.
    // A cell's text keeps the style's focus margin and 1 px on each side.
    const int margin =
        figures->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, figures) + 1;
    for (int row = 0; row < figures->rowCount(); ++row) {
      for (int column = 0; column < figures->columnCount(); ++column) {
        const QTableWidgetItem* item = figures->item(row, column);
        if (item == nullptr) continue;
        const QRect text = figures->fontMetrics().boundingRect(
            QRect(0, 0, columns->sectionSize(column) - 2 * margin, 1000), Qt::TextWordWrap,
            item->text());
        QVERIFY2(text.height() <= figures->rowHeight(row), qPrintable(item->text()));
      }
    }
  }

  void savesTheDesignReportOfTheLastDesign() {
    WatchedOverview watched;
    OverviewWindow& overview = watched.window;
    QVERIFY(!overview.save_report()->isEnabled());
    // The component list with the default filter and file name.
    Run(kToMainMenu + "3\n\n\n", watched);
    QVERIFY(overview.save_report()->isEnabled());
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.html"));
    QVERIFY(overview.save_report()->Save(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    QVERIFY(html.startsWith(QStringLiteral("<!DOCTYPE html>")));
    // The primary inductivity of the result screen, from 53 whole turns.
    QVERIFY(html.contains(QStringLiteral("53² · 190 nH")));
    QVERIFY(html.contains(QStringLiteral("534 µH")));
    // The parts list, made after the design was last shown.
    QVERIFY(html.contains(QStringLiteral("<td>T01</td><td>1</td><td></td><td>QMP03N60X5</td>")));
    QVERIFY(!overview.save_report()->Save(folder.filePath(QStringLiteral("no/such/report.html"))));
  }

  void holdsTheSweepOfTheOptimization() {
    WatchedOverview watched;
    OverviewWindow& overview = watched.window;
    // The optimization from 300 mT: "Continue?" twice Return, then 1; the
    // final Bmax 269.5 mT.
    Run(kToMainMenu + "1\n\n\n\n\n1\n269.5\n", watched);
    // Every step, the listed maxima, the best row, the chosen Bmax.
    QChart* sweep = overview.sweep()->chart();
    auto* steps = SeriesNamed<QLineSeries>(sweep, QStringLiteral("every step"));
    QVERIFY(steps != nullptr);
    QCOMPARE(steps->count(), 303);
    auto* rows = SeriesNamed<QScatterSeries>(sweep, QStringLiteral("listed maxima"));
    QVERIFY(rows != nullptr);
    QCOMPARE(rows->count(), 17);
    auto* best = SeriesNamed<QScatterSeries>(sweep, QStringLiteral("best 269.5 mT"));
    QVERIFY(best != nullptr);
    QCOMPARE(best->at(0), QPointF(269.5, 0.99));
    QVERIFY(SeriesNamed<QLineSeries>(sweep, QStringLiteral("chosen 269.5 mT")) != nullptr);
    QCOMPARE(overview.lower_tabs()->currentWidget(), overview.sweep());
    // cfmax is 0.99 at the best row: its 14 px marker stays inside the plot.
    overview.resize(1100, 760);
    overview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&overview));
    const QPointF best_centre = sweep->mapToPosition(best->at(0), best);
    QVERIFY(best_centre.y() - best->markerSize() / 2 >= sweep->plotArea().top());
    // The final design's figures follow.
    QCOMPARE(overview.key_figures()->item(0, 1)->text(), QStringLiteral("269.5 mT"));
  }

  void anOutputOutsideItsWindowShowsTheWarningOfTheChecks() {
    WatchedOverview watched;
    OverviewWindow& overview = watched.window;
    // Continuation menu "2", the turns of output 3 set to 6 by hand: 10.44 V,
    // which the checks warn of.
    Run(std::string(25, '\n') + "2\nt\n3\n6\n", watched);
    QVERIFY(overview.findings()->item(0)->text().startsWith(QStringLiteral("⚠ warning: Output 3")));
    QChart* windows = overview.output_windows()->chart();
    auto* span = SeriesNamed<QLineSeries>(windows, QStringLiteral("U3: 8 – 9 V"));
    QVERIFY(span != nullptr);
    QCOMPARE(span->pen().color(), VerdictColour(Verdict::kWarning));
    auto* marker = SeriesNamed<QScatterSeries>(windows, QStringLiteral("U3"));
    QVERIFY(marker != nullptr);
    QCOMPARE(marker->color(), VerdictColour(Verdict::kWarning));
    auto* label = SeriesNamed<QScatterSeries>(windows, QStringLiteral("U3: label"));
    QVERIFY(label != nullptr);
    QCOMPARE(label->pointLabelsFormat(), QStringLiteral("⚠ warning: 10.44 V outside 8 – 9 V"));
    // 10.44 V lies beyond the window's end (1.5 on the axis, the marker at its
    // end): its label stands left of the marker, within the plot area.
    QCOMPARE(marker->at(0).x(), 1.5);
    overview.resize(1100, 760);
    overview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&overview));
    const QRectF plot = windows->plotArea();
    const QPointF label_centre = windows->mapToPosition(label->at(0), label);
    const double half_width =
        QFontMetricsF(label->pointLabelsFont()).horizontalAdvance(label->pointLabelsFormat()) / 2;
    QVERIFY(label_centre.x() + half_width <= plot.right() + 0.5);
    QVERIFY(label_centre.x() - half_width >= plot.left() - 0.5);
  }

  void chartsAreSavedAsPngAndSvg() {
    WatchedOverview watched;
    OverviewWindow& overview = watched.window;
    Run(kToMainMenu, watched);
    overview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&overview));
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString png = folder.filePath(QStringLiteral("windows.png"));
    const QString svg = folder.filePath(QStringLiteral("windows.svg"));
    QVERIFY(overview.output_windows()->SavePng(png));
    QVERIFY(overview.output_windows()->SaveSvg(svg));
    const QImage image(png);
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), overview.output_windows()->size());
    QSvgRenderer drawing(svg);
    QVERIFY(drawing.isValid());
    QVERIFY(!overview.output_windows()->SavePng(folder.filePath(QStringLiteral("none/x.png"))));
  }
};

namespace {
const RegisterGuiTest<OverviewWindowTest> registration("overview_window_test");
}  // namespace

}  // namespace flyback

#include "overview_window_test.moc"
