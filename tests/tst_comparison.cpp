#include <QObject>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTest>

#include "reading/comparison.h"
#include "reading/comparisontext.h"
#include "reading/composer.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

Reading readingOf(const QString& name, int principal, int character, int energetic)
{
    Reading reading;
    reading.details.name = name;
    reading.birthDateText = u"1 May 1970"_s;
    reading.principal = principal;
    reading.character = character;
    reading.energetic = energetic;
    return reading;
}

// The line of the composed text that starts with the label, without the label and its line break.
QString lineAfter(const QString& text, QStringView label)
{
    const qsizetype start = text.indexOf(label);
    if (start < 0)
        return QString();
    const qsizetype from = start + label.size();
    return text.mid(from, text.indexOf(u"\r\n"_s, from) - from);
}

// The numbers of a list as the reading shows it: "7,6", "2, 5, 8".
QList<int> numbersOf(const QString& list)
{
    QList<int> numbers;
    for (const QString& item : list.split(u',', Qt::SkipEmptyParts))
        numbers << item.trimmed().toInt();
    return numbers;
}

// The sections of the relationship page shown for a principal number whose lists name `other`,
// read from the page's own text.
SectionSet sectionsOnThePage(int principal, int other)
{
    const QString page = ComposeReading(principal, 1, 1).relationship.plainText();
    SectionSet sections;
    for (const PartnerSection section : AllPartnerSections) {
        if (numbersOf(lineAfter(page, WordsOf(section).label)).contains(other))
            sections.insert(section);
    }
    return sections;
}

} // namespace

class TestComparison : public QObject {
    Q_OBJECT

private slots:
    void principalSidesFollowTheRelationshipPage();
    void everyLevelFollowsTheReading();
    void wording_data();
    void wording();
};

void TestComparison::principalSidesFollowTheRelationshipPage()
{
    for (int a = 1; a <= 9; ++a) {
        for (int b = 1; b <= 9; ++b) {
            const LevelComparison level =
                CompareReadings(readingOf(u"A"_s, a, 1, 1), readingOf(u"B"_s, b, 1, 1))
                    .at(StarLevel::Principal);
            const QByteArray pair = QByteArray::number(a) + '/' + QByteArray::number(b);
            QVERIFY2(level.personSide == sectionsOnThePage(a, b), pair.constData());
            QVERIFY2(level.partnerSide == sectionsOnThePage(b, a), pair.constData());
        }
    }
    // Character and energetic numbers play no part in the page's judgement.
    QVERIFY(CompareReadings(readingOf(u"A"_s, 1, 9, 9), readingOf(u"B"_s, 1, 9, 9))
                .at(StarLevel::Character)
                .personSide.empty());
}

// Each level's numbers, element words and compatible numbers are the ones the reading text shows
// for those numbers.
void TestComparison::everyLevelFollowsTheReading()
{
    for (const StarLevel level : AllStarLevels) {
        for (int a = 1; a <= 9; ++a) {
            for (int b = 1; b <= 9; ++b) {
                const auto numbers = [level](int n, int other) {
                    return std::array<int, 3>{level == StarLevel::Principal ? n : other,
                                              level == StarLevel::Character ? n : other,
                                              level == StarLevel::Energetic ? n : other};
                };
                const auto [ap, ac, ae] = numbers(a, 5);
                const auto [bp, bc, be] = numbers(b, 4);
                const LevelComparison row =
                    CompareReadings(readingOf(u"A"_s, ap, ac, ae), readingOf(u"B"_s, bp, bc, be))
                        .at(level);
                const QString textA = ComposeReading(a, 1, 1).reading.plainText();
                const QString textB = ComposeReading(b, 1, 1).reading.plainText();
                const QString elementA = lineAfter(textA, u"Element: \r\n");
                const QString elementB = lineAfter(textB, u"Element: \r\n");
                const QByteArray pair = QByteArray::number(static_cast<int>(level)) + ':' +
                                        QByteArray::number(a) + '/' + QByteArray::number(b);
                QVERIFY2(row.person == a && row.partner == b, pair.constData());
                QVERIFY2(row.personElement && ElementWord(*row.personElement) == elementA,
                         pair.constData());
                QVERIFY2(row.partnerElement && ElementWord(*row.partnerElement) == elementB,
                         pair.constData());
                QVERIFY2(row.sameElement == (elementA == elementB), pair.constData());
                QVERIFY2(row.compatibleForPerson ==
                             numbersOf(lineAfter(textA, u"Compatible Numbers: \r\n")).contains(b),
                         pair.constData());
                QVERIFY2(row.compatibleForPartner ==
                             numbersOf(lineAfter(textB, u"Compatible Numbers: \r\n")).contains(a),
                         pair.constData());
            }
        }
    }
}

void TestComparison::wording_data()
{
    QTest::addColumn<int>("person");
    QTest::addColumn<int>("partner");
    QTest::addColumn<QStringList>("lines");

    const QString support = WordsOf(PartnerSection::Support).paragraph.toString();
    QTest::newRow("3 and 1: one section each way")
        << 3 << 1
        << QStringList{u"Ann's 3 (Wood) and Bob's 1 (Water)."_s,
                       u"From Ann's side: Bob's 1 is among the numbers who support Ann's "
                       u"relationship."_s,
                       support,
                       u"From Bob's side: Ann's 3 is among the numbers who leave Bob drained."_s,
                       u"Bob's 1 is not among Ann's compatible numbers (2, 5, 8). Ann's 3 is "
                       u"not among Bob's compatible numbers (9)."_s};
    QTest::newRow("1 and 9: two sections on one side")
        << 1 << 9
        << QStringList{u"From Ann's side: Bob's 9 is among the numbers who control Ann's "
                       u"relationship and among the numbers whom Ann controls."_s,
                       WordsOf(PartnerSection::Control).paragraph.toString(),
                       WordsOf(PartnerSection::Controlled).paragraph.toString(),
                       u"From Bob's side: Ann's 1 is among the numbers whom Bob controls."_s,
                       u"Bob's 9 is among Ann's compatible numbers (9). Ann's 1 is not among Bob's "
                       u"compatible numbers (6, 7)."_s};
    QTest::newRow("5 and 5: no list names the other")
        << 5 << 5
        << QStringList{u"From Ann's side: Bob's 5 is in none of the four partner lists of Ann's "
                       u"relationship analysis."_s,
                       u"From Bob's side: Ann's 5 is in none of the four partner lists of Bob's "
                       u"relationship analysis."_s};
    QTest::newRow("2 and 8: same element")
        << 2 << 8
        << QStringList{u"Ann's 2 (Soil/ Earth) and Bob's 8 (Soil/ Earth). Both partners have the "
                       u"same element."_s};
}

void TestComparison::wording()
{
    QFETCH(int, person);
    QFETCH(int, partner);
    QFETCH(QStringList, lines);

    const Reading ann = readingOf(u"Ann"_s, person, 2, 2);
    const Reading bob = readingOf(u"Bob"_s, partner, 7, 7);
    const QString text = ComparisonText(ann, bob, CompareReadings(ann, bob)).plainText();
    const QStringList shown = text.split(u"\r\n"_s);
    for (const QString& line : lines)
        QVERIFY2(shown.contains(line), qPrintable(line));
    QVERIFY(
        text.startsWith(u"How Ann and Bob Meet\r\n\r\nAnn, born 1 May 1970: principal number "_s));
    QVERIFY(text.endsWith(u")."_s + u"\r\n"_s));
}

} // namespace Kistarra

QTEST_GUILESS_MAIN(Kistarra::TestComparison)
#include "tst_comparison.moc"
