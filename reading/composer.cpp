#include "reading/composer.h"

#include <array>

#include "engine/ninestar.h"
#include "engine/numbertables.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

constexpr QStringView CRLF = u"\r\n";

// A piece of fixed text, taken as it stands in the program rather than copied.
QString fixed(QStringView text)
{
    return QString::fromRawData(text.data(), text.size());
}

// A star number in words: the single digits need no string of their own.
QString numberText(int number)
{
    static constexpr std::array<QStringView, 10> Digits = {u"0", u"1", u"2", u"3", u"4",
                                                           u"5", u"6", u"7", u"8", u"9"};
    if (number < 0 || number >= static_cast<int>(Digits.size()))
        return QString::number(number);
    return fixed(Digits.at(static_cast<std::size_t>(number)));
}

struct NumberHeader {
    QStringView title;
    QStringView reflects;
    QStringView explanation;
    QStringView blockHeading;
    Rgb colour;
};

constexpr NumberHeader PrincipalHeader{
    u"Your Principal Number: ", u" ,which reflects your overall nature.\r\n",
    u"Principal number is the number which reflects your inner fundamental nature; the number "
    u"which shows the pattern under which you were born. It is the number which tells a lot about "
    u"your personality, your nature, your characteristic traits, your positive and negative "
    u"traits and the like.\r\n\r\n",
    u"Significance of Principle Number: \r\n", DarkBlue};

constexpr NumberHeader CharacterHeader{
    u"Your Character Number: ", u" ,which reflects your personality.\r\n",
    u"Character number is the number which reflects our behavioral pattern since childhood till "
    u"we reach the age of adolescence. This number also shows how we, as individuals respond to "
    u"the pressures, difficulties and challenges of life and how we come out of it.\r\n\r\n",
    u"Significance of Character Number: \r\n", DarkRed};

constexpr NumberHeader EnergeticHeader{
    u"Your Energetic Number: ",
    u" ,which reflects the inner person of you as perceived by others.\r\n",
    u"Energy Number is the number which describes the side of your personality which you show up "
    u"when you meet a person for the time. The impression which you create upon the others on "
    u"meeting them is governed by the Energy Number.\r\n\r\n",
    u"Significance of Energetic Number: \r\n", DarkMagenta};

// The page's four sections, in its order: the heading, the label before the list and the
// paragraph under it.
constexpr std::array<PartnerSectionWords, 4> SectionWords = {{
    {u"Who Supports Your Relationship",
     u"Partners with 9 Star Ki Numbers Who Support Your Relationship: ",
     u"In this relationship, it is your partner who will be doing all the work, with you "
     u"enjoying all the benefits. Constant hard work may leave your partner drained and "
     u"exhausted from time to time."},
    {u"Who Controls You", u"Partners with 9 Star Ki Numbers Who Control Your Relationship: ",
     u"In such a relationship, you will find yourself doing almost all the work with your "
     u"partner enjoying all the benefits. It may leave you drained and exhausted from time to "
     u"time."},
    {u"Who Do You Support",
     u"Partners with 9 Star Ki Numbers Who Leave You Drained in Your Relationship: ",
     u"As human beings we all need someone to control us. To control a person means to keep "
     u"him/ her steady."},
    {u"Who Do You Control",
     u"Partners with 9 Star Ki Numbers Whom You Control in Your Relationship: ",
     u"In this relationship, you will exert control over your partner. In this relationship, "
     u"you will dictate terms and conditions on how your partner should act. It is not that "
     u"you dominate your partner, you just determine their course of action."},
}};

enum class SummaryRole { Principal, Character, Energetic };

void appendHeader(ComposedText& text, const NumberHeader& header, int number)
{
    text.append(true, header.colour, header.title % numberText(number));
    text.append(false, header.colour, fixed(header.reflects));
    text.append(false, header.colour, fixed(header.explanation));
}

// The heading line ends in its line break; the content is followed by an empty line.
void appendSection(ComposedText& text, QStringView headingLine, QStringView content)
{
    text.append(true, LightGrey, fixed(headingLine));
    text.append(false, LightGrey, content % CRLF % CRLF);
}

void appendNumberBlock(ComposedText& text, QString& summary, const NumberHeader& header, int number,
                       SummaryRole role)
{
    const StarAttributes* const star = StarAttributesOf(number);
    if (star == nullptr)
        return;
    if (role == SummaryRole::Principal)
        summary += u"Your 9 Star Ki is: ";
    summary += numberText(number) % u' ';

    const QStringView element = ElementWord(star->element);
    appendSection(text, header.blockHeading, star->description);
    appendSection(text, u"Lucky Color: \r\n", star->luckyColours);
    appendSection(text, u"Element: \r\n", element);
    summary += element;
    if (role != SummaryRole::Energetic)
        summary += u", ";
    appendSection(text, u"Best Career Options: \r\n", star->careers);
    appendSection(text, u"Compatible Numbers: \r\n", star->compatible);
}

ComposedText composeRelationship(int principal)
{
    ComposedText text;
    text.pieces.reserve(20);
    text.append(true, DarkBlue, u"Partners who influence your energy level\r\n\r\n"_s);
    const StarAttributes* const star = StarAttributesOf(principal);
    if (star == nullptr)
        return text;
    const PartnerLists& lists = star->partners;

    // Headings and paragraphs are written with the line breaks that end them.
    const auto heading = [&text](QString line) { text.append(true, DarkRed, std::move(line)); };
    const auto partners = [&text](QStringView label, QStringView numbers) {
        text.append(true, DarkMagenta, label % numbers % CRLF);
    };
    const auto paragraph = [&text](QString words) {
        text.append(false, DarkMagenta, std::move(words));
    };

    text.append(true, DarkRed,
                u"Both Partners Have Same Element: "_s % numberText(principal) % CRLF);
    paragraph(
        fixed(u"Partners of the same element get along very well with each other. Being the "
              u"natives of the same element, you are likely to become soul partners in life. Your "
              u"level of understanding, trust and faith in each other is deep rooted and you face "
              u"very little friction or antagonism.\r\n\r\n"));
    for (const PartnerSection section : AllPartnerSections) {
        const PartnerSectionWords& words = WordsOf(section);
        heading(words.heading % CRLF);
        partners(words.label, PartnerList(lists, section));
        paragraph(section == PartnerSection::Controlled ? fixed(words.paragraph)
                                                        : words.paragraph % CRLF % CRLF);
    }
    return text;
}

} // namespace

ComposedReading ComposeReading(int principal, int character, int energetic)
{
    ComposedReading result;
    ComposedText& text = result.reading;
    // Three headers of three pieces and three blocks of ten.
    text.pieces.reserve(39);
    // "Your 9 Star Ki is: " and three numbers with their element words.
    result.starSummary.reserve(64);

    appendHeader(text, PrincipalHeader, principal);
    appendNumberBlock(text, result.starSummary, PrincipalHeader, principal, SummaryRole::Principal);
    appendHeader(text, CharacterHeader, character);
    appendNumberBlock(text, result.starSummary, CharacterHeader, character, SummaryRole::Character);
    appendHeader(text, EnergeticHeader, energetic);
    appendNumberBlock(text, result.starSummary, EnergeticHeader, energetic, SummaryRole::Energetic);

    result.relationship = composeRelationship(principal);
    return result;
}

const PartnerSectionWords& WordsOf(PartnerSection section)
{
    return SectionWords.at(static_cast<std::size_t>(section));
}

QStringView PartnerList(const PartnerLists& lists, PartnerSection section)
{
    switch (section) {
    case PartnerSection::Support:
        return lists.support;
    case PartnerSection::Control:
        return lists.control;
    case PartnerSection::Drain:
        return lists.drain;
    case PartnerSection::Controlled:
        break;
    }
    return lists.controlled;
}

} // namespace Kistarra
