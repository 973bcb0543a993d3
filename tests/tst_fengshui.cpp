#include <optional>

#include <QObject>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QTest>

#include "engine/ninestar.h"
#include "fengshui/fengshui.h"
#include "reading/reading.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

class TestFengShui : public QObject {
    Q_OBJECT

private slots:
    void fengShuiNumber_data();
    void fengShuiNumber();
    void notDigits_data();
    void notDigits();
    void profileOfYear_data();
    void profileOfYear();
    void profiles_data();
    void profiles();
    void followsPrincipalNumber();
    void waterDescription();
    void descriptionStructure_data();
    void descriptionStructure();
    void exactCaseOnly_data();
    void exactCaseOnly();
    void pictureKeys();
};

void TestFengShui::fengShuiNumber_data()
{
    QTest::addColumn<QString>("yearDigits");
    QTest::addColumn<int>("number");

    QTest::newRow("75: 12, 3") << u"75"_s << 7;
    QTest::newRow("80: 8") << u"80"_s << 2;
    QTest::newRow("19: 10, 1") << u"19"_s << 9;
    QTest::newRow("00: 0, 10 counts as 1") << u"00"_s << 1;
    QTest::newRow("99: 18, 9") << u"99"_s << 1;
    QTest::newRow("01") << u"01"_s << 9;
    QTest::newRow("09") << u"09"_s << 1;
    QTest::newRow("50") << u"50"_s << 5;
    QTest::newRow("46: 10, 1") << u"46"_s << 9;
    QTest::newRow("55: 10, 1") << u"55"_s << 9;
}

void TestFengShui::fengShuiNumber()
{
    QFETCH(QString, yearDigits);
    QFETCH(int, number);

    QCOMPARE(CalculateFengShuiNumber(yearDigits), std::optional<int>(number));
}

void TestFengShui::notDigits_data()
{
    QTest::addColumn<QString>("yearDigits");

    QTest::newRow("letter first") << u"x5"_s;
    QTest::newRow("letter last") << u"7x"_s;
    QTest::newRow("blank") << u" 5"_s;
    QTest::newRow("empty") << QString();
}

void TestFengShui::notDigits()
{
    QFETCH(QString, yearDigits);

    QVERIFY(!CalculateFengShuiNumber(yearDigits));
}

void TestFengShui::profileOfYear_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("trigram");

    QTest::newRow("1975") << u"1975"_s << 7 << u"West"_s << u"Metal"_s << u"Tui"_s;
    QTest::newRow("1980") << u"1980"_s << 2 << u"West"_s << u"Earth"_s << u"Kun"_s;
    QTest::newRow("2000") << u"2000"_s << 1 << u"East"_s << u"Water"_s << u"Kan"_s;
    QTest::newRow("2001, Fire though the reading says Soil/ Earth")
        << u"2001"_s << 9 << u"West"_s << u"Fire"_s << u"Li"_s;
    QTest::newRow("1969") << u"1969"_s << 4 << u"East"_s << u"Wood"_s << u"Sun"_s;
}

void TestFengShui::profileOfYear()
{
    QFETCH(QString, year);
    QFETCH(int, number);
    QFETCH(QString, group);
    QFETCH(QString, element);
    QFETCH(QString, trigram);

    QCOMPARE(CalculateFengShuiNumber(QStringView(year).mid(2)), std::optional<int>(number));

    // The whole calculation takes the year's third and fourth characters, and the day and month
    // play no part.
    for (const QString& month : {u"January"_s, u"October"_s}) {
        const Reading reading = ComputeReading({u"Ann"_s, u"3"_s, month, year}, YearRule::Calendar);
        QCOMPARE(reading.fengShuiNumber, std::optional<int>(number));
        QVERIFY(reading.fengShui);
        QCOMPARE(reading.fengShui->group, group);
        QCOMPARE(reading.fengShui->element, element);
        QCOMPARE(reading.fengShui->trigram, trigram);
        QCOMPARE(reading.elementDescription, ElementDescriptions(element));
        QVERIFY(reading.elementPictureKey);
        QCOMPARE(*reading.elementPictureKey, element);
        QVERIFY(reading.trigramPictureKey);
        QCOMPARE(*reading.trigramPictureKey, trigram);
    }
}

void TestFengShui::profiles_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("trigram");

    QTest::newRow("1") << 1 << u"East"_s << u"Water"_s << u"Kan"_s;
    QTest::newRow("2") << 2 << u"West"_s << u"Earth"_s << u"Kun"_s;
    QTest::newRow("3") << 3 << u"East"_s << u"Wood"_s << u"Chen"_s;
    QTest::newRow("4") << 4 << u"East"_s << u"Wood"_s << u"Sun"_s;
    QTest::newRow("5 shares everything with 2") << 5 << u"West"_s << u"Earth"_s << u"Kun"_s;
    QTest::newRow("6") << 6 << u"West"_s << u"Metal"_s << u"Chien"_s;
    QTest::newRow("7") << 7 << u"West"_s << u"Metal"_s << u"Tui"_s;
    QTest::newRow("8") << 8 << u"West"_s << u"Earth"_s << u"Ken"_s;
    QTest::newRow("9 is West") << 9 << u"West"_s << u"Fire"_s << u"Li"_s;
}

void TestFengShui::profiles()
{
    QFETCH(int, number);
    QFETCH(QString, group);
    QFETCH(QString, element);
    QFETCH(QString, trigram);

    const auto profile = FengShuiProfileFor(number);
    QVERIFY(profile);
    QCOMPARE(profile->group, group);
    QCOMPARE(profile->element, element);
    QCOMPARE(profile->trigram, trigram);
    QVERIFY(ElementDescriptions(profile->element));
    QCOMPARE(ElementPictureKey(profile->element), std::optional<QStringView>(element));
    QCOMPARE(TrigramPictureKey(profile->trigram), std::optional<QStringView>(trigram));

    QVERIFY(!FengShuiProfileFor(0));
    QVERIFY(!FengShuiProfileFor(10));
}

void TestFengShui::followsPrincipalNumber()
{
    for (int year = 1900; year <= 2050; ++year) {
        const QString yearText = QString::number(year);
        const auto principal = CalculatePrincipalNumber(yearText);
        const auto fengShui = CalculateFengShuiNumber(QStringView(yearText).mid(2, 2));
        QVERIFY(principal && fengShui);
        const int expected = year < 2000 ? *principal : *principal % 9 + 1;
        if (*fengShui != expected)
            QFAIL(qPrintable(
                u"%1: Feng Shui number %2, principal number %3"_s.arg(yearText).arg(*fengShui).arg(
                    *principal)));
    }
}

void TestFengShui::waterDescription()
{
    QCOMPARE(ElementDescriptions(u"Water"),
             std::optional<QString>(
                 u"Water Element symbolizes a still, calm and a reflective personality. Water "
                 u"folks are quit adjustable by nature. You are also creative, captivating, "
                 u"dynamic and intuitive person. It is your calm nature which helps you to gain "
                 u"other people's trust and affection.\r\n\r\n"
                 u"Compatible elements: Wood and Metal.\r\n\r\n"
                 u"Challenging elements: Fire and Earth."_s));
}

void TestFengShui::descriptionStructure_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("opening");
    QTest::addColumn<QString>("compatible");
    QTest::addColumn<QString>("challenging");

    QTest::newRow("Water") << u"Water"_s << u"Water Element symbolizes a still, calm"_s
                           << u"Compatible elements: Wood and Metal."_s
                           << u"Challenging elements: Fire and Earth."_s;
    QTest::newRow("Earth") << u"Earth"_s << u"Earth Element symbolizes a steady, reliable"_s
                           << u"Compatible elements: Fire and Metal."_s
                           << u"Challenging elements: Water and Wood."_s;
    QTest::newRow("Wood") << u"Wood"_s << u"Wood Element symbolizes an energetic, vibrant"_s
                          << u"Compatible elements: Water and Fire."_s
                          << u"Challenging elements: Earth and Metal."_s;
    QTest::newRow("Metal") << u"Metal"_s << u"Metal Element symbolizes strong, unyielding"_s
                           << u"Compatible elements: Earth and Water."_s
                           << u"Challenging elements: Fire and Wood."_s;
    QTest::newRow("Fire") << u"Fire"_s << u"Fire Element symbolizes a dynamic, vibrant"_s
                          << u"Compatible elements: Wood and Earth."_s
                          << u"Challenging elements: Metal and Water."_s;
}

void TestFengShui::descriptionStructure()
{
    QFETCH(QString, element);
    QFETCH(QString, opening);
    QFETCH(QString, compatible);
    QFETCH(QString, challenging);

    const auto text = ElementDescriptions(element);
    QVERIFY(text);
    QCOMPARE(text->count(u"\r\n\r\n"_s), 2);
    QCOMPARE(text->count(u'\r'), 4);
    QCOMPARE(text->count(u'\n'), 4);
    const QStringList parts = text->split(u"\r\n\r\n"_s);
    QCOMPARE(parts.size(), 3);
    QVERIFY2(parts[0].startsWith(opening), qPrintable(parts[0]));
    QVERIFY(parts[0].endsWith(u'.'));
    QCOMPARE(parts[1], compatible);
    QCOMPARE(parts[2], challenging);
}

void TestFengShui::exactCaseOnly_data()
{
    QTest::addColumn<QString>("word");

    QTest::newRow("lower case") << u"earth"_s;
    QTest::newRow("upper case") << u"WATER"_s;
    QTest::newRow("the reading's element word") << u"Soil/ Earth"_s;
    QTest::newRow("trailing blank") << u"Fire "_s;
    QTest::newRow("empty") << QString();
}

void TestFengShui::exactCaseOnly()
{
    QFETCH(QString, word);

    QVERIFY(!ElementDescriptions(word));
    QVERIFY(!ElementPictureKey(word));
}

void TestFengShui::pictureKeys()
{
    for (const QStringView element : {u"Earth", u"Fire", u"Metal", u"Water", u"Wood"})
        QCOMPARE(ElementPictureKey(element), std::optional<QStringView>(element));
    for (const QStringView trigram :
         {u"Chen", u"Chien", u"Kan", u"Ken", u"Kun", u"Li", u"Sun", u"Tui"})
        QCOMPARE(TrigramPictureKey(trigram), std::optional<QStringView>(trigram));

    QVERIFY(!TrigramPictureKey(u"Ch'ien"));
    QVERIFY(!TrigramPictureKey(u"li"));
    QVERIFY(!TrigramPictureKey(u"Earth"));
    QVERIFY(!ElementPictureKey(u"Kan"));
}

} // namespace Kistarra

QTEST_GUILESS_MAIN(Kistarra::TestFengShui)
#include "tst_fengshui.moc"
