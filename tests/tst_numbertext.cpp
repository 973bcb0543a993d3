#include <array>

#include <QObject>
#include <QString>
#include <QStringView>
#include <QTest>

#include "engine/numbertables.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// Every trigram as an introduction names it; the centre star names none of them.
constexpr std::array<QStringView, 8> TrigramMentions = {
    u"trigram K'an",   u"trigram K'un", u"trigram Chen", u"trigram Sun",
    u"trigram Ch'ien", u"trigram Tui",  u"trigram Ken",  u"trigram Li"};

constexpr QStringView BlankLine = u"\r\n\r\n";

// A sentence ends at a full stop, question or exclamation mark followed by a blank or the end.
int sentenceCount(QStringView text)
{
    int count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool endsSentence = c == u'.' || c == u'?' || c == u'!';
        if (endsSentence && (i + 1 == text.size() || text[i + 1] == u' '))
            ++count;
    }
    return count;
}

} // namespace

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void description_data();
    void description();
};

void TestNumberText::description_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("introOpening");
    QTest::addColumn<QString>("trigram");
    QTest::addColumn<QString>("energyOf");
    QTest::addColumn<QString>("paragraphOpening");

    QTest::newRow("1 White Water Star")
        << 1 << u"Commonly referred to as the White Water Star"_s << u"trigram K'an"_s
        << u"the middle son"_s << u"Number one people are generally very shy and secretive."_s;
    QTest::newRow("2 Black Soil Star")
        << 2 << u"Commonly referred to as the Black Soil Star"_s << u"trigram K'un"_s
        << u"womanhood, the Mother"_s
        << u"Number two people are nurturing, tactful, loyal and very sincere."_s;
    QTest::newRow("3 Bright Green Tree Star")
        << 3 << u"Commonly referred to as the Bright Green Tree Star"_s << u"trigram Chen"_s
        << u"the eldest son in the family"_s
        << u"Number Three people are energetic and youthful by nature."_s;
    QTest::newRow("4 Green Tree Star")
        << 4 << u"Commonly referred to as the Green Tree Star"_s << u"trigram Sun"_s
        << u"the eldest daughter of the family"_s
        << u"Number Four people are quite practical, stubborn and are also vulnerable as far as "
           u"love affairs are concerned."_s;
    QTest::newRow("5 Yellow Soil Star, the centre")
        << 5 << u"Commonly referred to as the Yellow Soil Star"_s << u"centre or axis"_s
        << u"the seventh child"_s << u"Number Five people are born powerful and natural leaders."_s;
    QTest::newRow("6 White Metal Star")
        << 6 << u"Commonly referred to as the White Metal Star"_s << u"trigram Ch'ien"_s
        << u"the father"_s
        << u"Number six people are known for their punctuality and efficiency."_s;
    QTest::newRow("7 Red Metal Star")
        << 7 << u"Commonly referred to as the Red Metal Star"_s << u"trigram Tui"_s
        << u"the youngest daughter of the family"_s
        << u"Number seven people are charming, sociable and know the ways of enjoying life to "
           u"the fullest."_s;
    QTest::newRow("8 White Soil Star")
        << 8 << u"Commonly referred to as the White Soil Star"_s << u"trigram Ken"_s
        << u"the youngest son"_s
        << u"Number eight people are intelligent and love to groom themselves."_s;
    QTest::newRow("9 Purple Fire Star")
        << 9 << u"Commonly referred to as the Purple Fire Star"_s << u"trigram Li"_s
        << u"the middle daughter of the family"_s
        << u"Number nine people are often referred to as the 'man with a good luck.'"_s;
}

void TestNumberText::description()
{
    QFETCH(int, number);
    QFETCH(QString, introOpening);
    QFETCH(QString, trigram);
    QFETCH(QString, energyOf);
    QFETCH(QString, paragraphOpening);

    const StarAttributes* const star = StarAttributesOf(number);
    QVERIFY(star != nullptr);
    const QStringView text = star->description;

    QCOMPARE(text.count(BlankLine), 1);
    QCOMPARE(text.count(u'\r'), 2);
    QCOMPARE(text.count(u'\n'), 2);
    for (const QChar c : text)
        QVERIFY2(c.unicode() < 0x80, qPrintable(u"not ASCII: U+%1"_s.arg(c.unicode(), 4, 16)));

    const qsizetype split = text.indexOf(BlankLine);
    const QStringView intro = text.left(split);
    const QStringView paragraph = text.mid(split + BlankLine.size());

    QVERIFY2(intro.startsWith(introOpening), qPrintable(intro.toString()));
    QVERIFY2(intro.contains(trigram), qPrintable(intro.toString()));
    QVERIFY2(intro.contains(u"energy of"_s) && intro.contains(energyOf),
             qPrintable(intro.toString()));
    for (const QStringView other : TrigramMentions) {
        if (other != trigram)
            QVERIFY2(!intro.contains(other), qPrintable(other.toString()));
    }
    QVERIFY(intro.endsWith(u'.'));
    const int sentences = sentenceCount(intro);
    QVERIFY2(sentences >= 1 && sentences <= 3, qPrintable(QString::number(sentences)));

    QVERIFY2(paragraph.startsWith(paragraphOpening), qPrintable(paragraph.left(80).toString()));
    QVERIFY2(paragraph.size() >= 500 && paragraph.size() <= 800,
             qPrintable(QString::number(paragraph.size())));
    QVERIFY(!paragraph.endsWith(u' '));
}

} // namespace Kistarra

QTEST_GUILESS_MAIN(Kistarra::TestNumberText)
#include "tst_numbertext.moc"
