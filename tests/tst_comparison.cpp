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

// Star number n moved on by `steps` round 1..9.
int moved(int n, int steps)
{
    return (n - 1 + steps) % 9 + 1;
}

// A reading whose level L holds moved(principal, L * stride), so that each level sees every pair
// of numbers as the principal numbers run through them, each time with other numbers beside it.
Reading readingOf(const QString& name, int principal, int stride)
{
    Reading reading;
    reading.details.name = name;
    reading.birthDateText = u"1 May 1970"_s;
    reading.principal = principal;
    reading.character = moved(principal, stride);
    reading.energetic = moved(principal, 2 * stride);
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
    void everyPairFollowsThePages();
};

// Every pair of numbers on every level: the principal level's sections are the ones the
// relationship page lists, and each level's element words and compatible numbers the ones the
// reading text shows for its numbers.
void TestComparison::everyPairFollowsThePages()
{
    for (int a = 1; a <= 9; ++a) {
        for (int b = 1; b <= 9; ++b) {
            const Comparison comparison =
                CompareReadings(readingOf(u"A"_s, a, 1), readingOf(u"B"_s, b, 4));
            for (const StarLevel level : AllStarLevels) {
                const int step = static_cast<int>(level);
                const int x = moved(a, step);
                const int y = moved(b, 4 * step);
                const QByteArray pair = QByteArray::number(step) + ':' + QByteArray::number(x) +
                                        '/' + QByteArray::number(y);
                const LevelComparison& row = comparison.at(level);
                const bool principal = level == StarLevel::Principal;
                QVERIFY2(row.personSide == (principal ? sectionsOnThePage(x, y) : SectionSet()),
                         pair.constData());
                QVERIFY2(row.partnerSide == (principal ? sectionsOnThePage(y, x) : SectionSet()),
                         pair.constData());
                const QString textX = ComposeReading(x, 1, 1).reading.plainText();
                const QString textY = ComposeReading(y, 1, 1).reading.plainText();
                const QString elementX = lineAfter(textX, u"Element: \r\n");
                const QString elementY = lineAfter(textY, u"Element: \r\n");
                QVERIFY2(row.person == x && row.partner == y, pair.constData());
                QVERIFY2(ElementWord(row.personElement.value()) == elementX, pair.constData());
                QVERIFY2(ElementWord(row.partnerElement.value()) == elementY, pair.constData());
                QVERIFY2(row.sameElement == (elementX == elementY), pair.constData());
                const auto compatible = [](const QString& text, int other) {
                    return numbersOf(lineAfter(text, u"Compatible Numbers: \r\n")).contains(other);
                };
                QVERIFY2(row.compatibleForPerson == compatible(textX, y), pair.constData());
                QVERIFY2(row.compatibleForPartner == compatible(textY, x), pair.constData());
            }
        }
    }
}

} // namespace Kistarra

QTEST_GUILESS_MAIN(Kistarra::TestComparison)
#include "tst_comparison.moc"
