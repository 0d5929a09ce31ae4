// The tab "Alternatives" after the three-output demonstration design: one
// row per candidate (seven layer cores at nine airgaps, six at the airgap of
// the design's inductance, twelve slot-type transformers), the present
// transformer named so.

#include "alternatives_tab.h"

#include <QChart>
#include <QLocale>
#include <QScatterSeries>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTest>

#include "gui_test_registry.h"
#include "transformer/demo_calculation.h"

namespace flyback {

class AlternativesTabTest : public QObject {
  Q_OBJECT

 private slots:
  void ranksTheDemonstrationDesignBesideTheDialogue() {
    // On a German desktop, where Qt would write "80,3".
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    DesignEvaluator evaluator({nullptr, true});
    AlternativesTab tab(evaluator);
    evaluator.Add(&tab);
    evaluator.DesignShown(CalculatedWithComponents(ThreeOutputDemo()));
    QTableWidget* table = tab.table();
    QCOMPARE(table->rowCount(), 7 * 9 + 6 + 12);
    QCOMPARE(table->item(0, 0)->text(), QStringLiteral("1"));
    // The efficiency column by the program's number rule, not the locale's.
    auto* delegate = qobject_cast<QStyledItemDelegate*>(table->itemDelegate());
    QVERIFY(delegate != nullptr);
    for (int row = 0; row < table->rowCount(); ++row) {
      const QVariant efficiency = table->item(row, 5)->data(Qt::DisplayRole);
      QVERIFY(!delegate->displayText(efficiency, table->locale()).contains(QLatin1Char(',')));
    }
    QLocale::setDefault(before);
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
