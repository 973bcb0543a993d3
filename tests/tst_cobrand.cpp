#include <array>

#include <QLabel>
#include <QTest>
#include <QWidget>

#include "app/cobrand.h"
#include "platform/qtdesktop.h"
#include "tests/support/fakedesktop.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

class TestCoBrand : public QObject {
    Q_OBJECT

private slots:
    void drawDecidesTheFrontLabel_data();
    void drawDecidesTheFrontLabel();
    void missingLabelsAreLeftAlone();
    void realDrawsAreEven();
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

// With the program's own generator, seeded from the clock: over many runs each label is in front
// about half the time, and each of the farewell window's four appeals is drawn about a quarter.
void TestCoBrand::realDrawsAreEven()
{
    QtDesktop desktop;
    desktop.seedRandom();
    QWidget frame;
    auto* const lblCobrand = new QLabel(&frame);
    auto* const lblFullBrand = new QLabel(&frame);
    constexpr int Runs = 6000;
    int fullBrandInFront = 0;
    for (int run = 0; run < Runs; ++run) {
        const int draw = CoBrand_Randomize(desktop, lblFullBrand, lblCobrand);
        QVERIFY(draw >= 1 && draw <= 6);
        if (frame.children().constLast() == lblFullBrand)
            ++fullBrandInFront;
    }
    // Five standard deviations either side of 3000.
    QVERIFY2(qAbs(fullBrandInFront - Runs / 2) < 200,
             qPrintable(QString::number(fullBrandInFront)));

    std::array<int, 4> appeals{};
    constexpr int Draws = 4000;
    for (int run = 0; run < Draws; ++run) {
        const int appeal = desktop.randomBounded(0, 3);
        QVERIFY(appeal >= 0 && appeal <= 3);
        ++appeals[static_cast<std::size_t>(appeal)];
    }
    for (const int count : appeals)
        QVERIFY2(qAbs(count - Draws / 4) < 140, qPrintable(QString::number(count)));
}

} // namespace Kistarra

QTEST_MAIN(Kistarra::TestCoBrand)
#include "tst_cobrand.moc"
