// The tab "Alternatives" after the three-output demonstration design: one
// row per candidate (seven layer cores at nine airgaps, six at the airgap of
// the design's inductance, twelve slot-type transformers), the present
// transformer named so.

#include "alternatives_tab.h"

#include <QChart>
#include <QScatterSeries>
#include <QTableWidget>
#include <QTest>

#include "gui_test_registry.h"
#include "transformer/demo_calculation.h"

namespace flyback {

class AlternativesTabTest : public QObject {
  Q_OBJECT

 private slots:
  void ranksTheDemonstrationDesignBesideTheDialogue() {
    DesignEvaluator evaluator({nullptr, true});
    AlternativesTab tab(evaluator);
    evaluator.Add(&tab);
    evaluator.DesignShown(CalculatedWithComponents(ThreeOutputDemo()));
    QTableWidget* table = tab.table();
    QCOMPARE(table->rowCount(), 7 * 9 + 6 + 12);
    QCOMPARE(table->item(0, 0)->data(Qt::DisplayRole).toInt(), 1);
    QCOMPARE(
        table->findItems(QStringLiteral("SMT 31/190 (Orega) (present)"), Qt::MatchExactly).size(),
        1);
    auto* present = qobject_cast<QScatterSeries*>(tab.chart()->chart()->series().at(0));
    QVERIFY(present != nullptr);
    QCOMPARE(present->name(), QStringLiteral("present design"));
    // SMT 31/190 borrows the 11.5 cm³ of ETD 39/20/13 (docs/losses.md).
    QCOMPARE(present->count(), 1);
    QCOMPARE(present->at(0).x(), 11.5);
  }
};

namespace {
const RegisterGuiTest<AlternativesTabTest> registration("alternatives_tab_test");
}  // namespace

}  // namespace flyback

#include "alternatives_tab_test.moc"
