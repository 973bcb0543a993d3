#include <QLabel>
#include <QTest>
#include <QWidget>

#include "shell/cobrand.h"
#include "tests/support/fakedesktop.h"

using namespace Qt::StringLiterals;
using namespace Kistarra;

class TestCoBrand : public QObject {
    Q_OBJECT

private slots:
    void drawDecidesTheFrontLabel_data();
    void drawDecidesTheFrontLabel();
    void missingLabelsAreLeftAlone();
};

void TestCoBrand::drawDecidesTheFrontLabel_data()
{
    QTest::addColumn<int>("draw");
    QTest::addColumn<bool>("fullBrandFirstInFront");
    QTest::addColumn<QString>("front");

    for (int draw = 1; draw <= 6; ++draw) {
        const QString front = draw % 2 == 0 ? u"lblFullBrand"_s : u"lblCobrand"_s;
        for (const bool fullBrandFirst : {true, false}) {
            const QByteArray name =
                "draw " + QByteArray::number(draw) +
                (fullBrandFirst ? ", full brand in front before" : ", co-brand in front before");
            QTest::newRow(name.constData()) << draw << fullBrandFirst << front;
        }
    }
}

void TestCoBrand::drawDecidesTheFrontLabel()
{
    QFETCH(int, draw);
    QFETCH(bool, fullBrandFirstInFront);
    QFETCH(QString, front);

    QWidget fraFullBrand;
    fraFullBrand.resize(300, 80);
    auto* const lblCobrand = new QLabel(u"co-brand"_s, &fraFullBrand);
    lblCobrand->setObjectName(u"lblCobrand"_s);
    auto* const lblFullBrand = new QLabel(u"full brand"_s, &fraFullBrand);
    lblFullBrand->setObjectName(u"lblFullBrand"_s);
    for (QLabel* const label : {lblCobrand, lblFullBrand})
        label->setGeometry(10, 10, 280, 60);
    (fullBrandFirstInFront ? lblFullBrand : lblCobrand)->raise();
    fraFullBrand.show();

    FakeDesktop desktop;
    desktop.randomValues = {draw};
    QCOMPARE(CoBrand_Randomize(desktop, lblFullBrand, lblCobrand), draw);

    const QList<std::pair<int, int>> ranges = {{1, 6}};
    QCOMPARE(desktop.randomRanges, ranges);
    const QWidget* const shown = fraFullBrand.childAt(150, 40);
    QVERIFY(shown != nullptr);
    QCOMPARE(shown->objectName(), front);
}

void TestCoBrand::missingLabelsAreLeftAlone()
{
    FakeDesktop desktop;
    desktop.randomValues = {4, 3};
    QCOMPARE(CoBrand_Randomize(desktop, nullptr, nullptr), 4);
    QCOMPARE(CoBrand_Randomize(desktop, nullptr, nullptr), 3);
}

QTEST_MAIN(TestCoBrand)
#include "tst_cobrand.moc"
