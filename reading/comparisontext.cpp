#include "reading/comparisontext.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

constexpr QStringView CRLF = u"\r\n";

struct LevelWords {
    QStringView title;
    QStringView meaning;
};

// What each level stands for, in the order of AllStarLevels.
constexpr std::array<LevelWords, 3> Levels = {{
    {u"Principal Number",
     u"The principal numbers show how the two live together, day by day: the relationship "
     u"analysis judges partners by them alone."},
    {u"Character Number",
     u"The character numbers show how the two feel, react and talk with each other."},
    {u"Energetic Number",
     u"The energetic numbers show the first impression each makes on the other."},
}};

QString possessive(const QString& name)
{
    return name % u"'s";
}

// "Bob's 1 (Water)"
QString numberWithElement(const QString& name, int number, const std::optional<Element>& element)
{
    QString text = possessive(name) % u' ' % QString::number(number);
    if (element)
        text += u" ("_s % ElementWord(*element) % u')';
    return text;
}

// How the section names the other person from the side of `own`.
QString sectionPhrase(PartnerSection section, const QString& own)
{
    switch (section) {
    case PartnerSection::Support:
        return u"among the numbers who support "_s % possessive(own) % u" relationship";
    case PartnerSection::Control:
        return u"among the numbers who control "_s % possessive(own) % u" relationship";
    case PartnerSection::Drain:
        return u"among the numbers who leave "_s % own % u" drained";
    case PartnerSection::Controlled:
        break;
    }
    return u"among the numbers whom "_s % own % u" controls";
}

// One side of the principal level: which of `own`'s sections hold the other's number, each with
// the page's paragraph.
void appendSide(ComposedText& text, const QString& own, const QString& other, int otherNumber,
                SectionSet sections)
{
    const QString opening = u"From "_s % possessive(own) % u" side: "_s % possessive(other) % u' ' %
                            QString::number(otherNumber);
    if (sections.empty()) {
        text.append(true, DarkMagenta,
                    opening % u" is in none of the four partner lists of "_s % possessive(own) %
                        u" relationship analysis."_s % CRLF % CRLF);
        return;
    }
    QStringList phrases;
    for (const PartnerSection section : AllPartnerSections) {
        if (sections.contains(section))
            phrases << sectionPhrase(section, own);
    }
    text.append(true, DarkMagenta, opening % u" is "_s % phrases.join(u" and "_s) % u'.' % CRLF);
    for (const PartnerSection section : AllPartnerSections) {
        if (sections.contains(section))
            text.append(false, DarkMagenta, WordsOf(section).paragraph % CRLF % CRLF);
    }
}

QString compatibleSentence(const QString& own, int ownNumber, const QString& other, int otherNumber,
                           bool compatible)
{
    const StarAttributes* const star = StarAttributesOf(ownNumber);
    const QString list = star == nullptr ? u"none"_s : star->compatible.toString();
    return possessive(other) % u' ' % QString::number(otherNumber) %
           (compatible ? u" is among "_s : u" is not among "_s) % possessive(own) %
           u" compatible numbers ("_s % list % u")."_s;
}

QString personLine(const Reading& reading)
{
    return reading.details.name % u", born "_s % reading.birthDateText % u": principal number "_s %
           QString::number(reading.principal) % u", character number "_s %
           QString::number(reading.character) % u", energetic number "_s %
           QString::number(reading.energetic) % CRLF;
}

} // namespace

ComposedText ComparisonText(const Reading& person, const Reading& partner,
                            const Comparison& comparison)
{
    const QString& a = person.details.name;
    const QString& b = partner.details.name;
    ComposedText text;
    text.pieces.reserve(32);
    text.append(true, DarkBlue, u"How "_s % a % u" and "_s % b % u" Meet"_s % CRLF % CRLF);
    text.append(false, DarkBlue, personLine(person));
    text.append(false, DarkBlue, personLine(partner) % CRLF);

    for (const LevelComparison& level : comparison.levels) {
        const LevelWords& words = Levels.at(static_cast<std::size_t>(level.level));
        text.append(true, DarkRed, words.title % CRLF);
        text.append(false, DarkMagenta, words.meaning % CRLF);
        QString numbers = numberWithElement(a, level.person, level.personElement) % u" and "_s %
                          numberWithElement(b, level.partner, level.partnerElement) % u'.';
        if (level.sameElement)
            numbers += u" Both partners have the same element."_s;
        text.append(true, DarkMagenta, numbers % CRLF);
        if (level.level == StarLevel::Principal) {
            appendSide(text, a, b, level.partner, level.personSide);
            appendSide(text, b, a, level.person, level.partnerSide);
        }
        text.append(
            false, DarkMagenta,
            compatibleSentence(a, level.person, b, level.partner, level.compatibleForPerson) %
                u' ' %
                compatibleSentence(b, level.partner, a, level.person, level.compatibleForPartner) %
                CRLF % CRLF);
    }
    // The last block ends in one line break, as a report's last line does.
    if (!text.pieces.isEmpty())
        text.pieces.last().text.chop(CRLF.size());
    return text;
}

ComposedText PrintedComparison(const Reading& person, const Reading& partner,
                               const Comparison& comparison)
{
    ComposedText text = ComparisonText(person, partner, comparison);
    text.pieces.prepend({AttributionLine() % CRLF % CRLF, false, Rgb{}});
    text.append(false, Rgb{}, CRLF % AttributionLine());
    return text;
}

} // namespace Kistarra
