#include "engine/numbertables.h"

#include <array>

#include "engine/ninestar.h"

namespace Kistarra {

namespace {

// Entry n - 1 is star number n. The descriptions are the same for principal, character and
// energetic numbers.
constexpr std::array<StarAttributes, 9> Stars = {{
    {// 1
     u"Commonly referred to as the White Water Star, this star is symbolised by the I-Ching "
     u"trigram K'an. It represents the energy of the middle son."
     u"\r\n\r\n"
     u"Number one people are generally very shy and secretive. They can be moody and "
     u"dislike following the commands of others, yet they are flexible, sensitive and "
     u"deeply intuitive. They may look feeble from the outside, but inside they are strong "
     u"and resilient. Ones love to travel and to discover new places, though they must take "
     u"care not to isolate themselves, for 1 is the loneliest of all the numbers. They are "
     u"good listeners who hear every side of a story before they judge, which makes them "
     u"trusted friends and fair advisers.",
     u"Blue, Black",
     Element::Water,
     u"Arbitrators, Mediators and Lawyers",
     u"9",
     {u"6,7", u"9", u"3", u"9"}},
    {// 2
     u"Commonly referred to as the Black Soil Star, this star is symbolised by the I-Ching "
     u"trigram K'un. It represents the energy of womanhood, the Mother."
     u"\r\n\r\n"
     u"Number two people are nurturing, tactful, loyal and very sincere. They are reserved "
     u"and gentle, idealistic yet strong-willed, and those around them soon learn how "
     u"reliable they are. Twos are not born leaders, but with time and experience they can "
     u"become great ones. Patient and hard working, they build their lives slowly, step by "
     u"step, rather than chasing quick rewards. Although they are conservative in their "
     u"views, they are public spirited and always ready to help, and their quiet care holds "
     u"families, friendships and teams together.",
     u"Red, White, Pink",
     Element::Earth,
     u"Teachers, Organizers, Managers and Team Leaders.",
     u"1",
     {u"9", u"1", u"7,6", u"3,4"}},
    {// 3
     u"Commonly referred to as the Bright Green Tree Star, this star is symbolised by the "
     u"I-Ching trigram Chen. It represents the energy of the eldest son in the family."
     u"\r\n\r\n"
     u"Number Three people are energetic and youthful by nature. They often meet success "
     u"early in life, but they get bored easily and soon move on to the next challenge. "
     u"Threes are explorers, full of fresh ideas and eager to try them out. They are honest "
     u"and outspoken, sometimes to the point of getting into trouble, and their humour and "
     u"articulate speech make them lively company. They are advised to keep away from drugs "
     u"and alcohol. Threes can be spendthrifts at times and are short tempered, though "
     u"their anger seldom lasts long.",
     u"Bright Green",
     Element::Wood,
     u"Models, Entertainers, Anchors and Teachers",
     u"2, 5, 8",
     {u"1", u"2,5,8", u"9", u"6"}},
    {// 4
     u"Commonly referred to as the Green Tree Star, this star is symbolised by the I-Ching "
     u"trigram Sun. It represents the energy of the eldest daughter of the family."
     u"\r\n\r\n"
     u"Number Four people are quite practical, stubborn and are also vulnerable as far as "
     u"love affairs are concerned. They can be hard to understand, for their moods and "
     u"plans change like the wind. Fours are good listeners who make others feel heard, yet "
     u"they often find it hard to make up their own minds. They follow traditional ideals "
     u"and respect the ways that have stood the test of time. Their high power of "
     u"concentration lets them master whatever they set their hearts on, and many of them "
     u"grow into true experts in their chosen field.",
     u"Dark Green, Red, Blue",
     Element::Wood,
     u"Counselors, Musicians and Artists",
     u"2, 5, 8",
     {u"1", u"2,5,8", u"9", u"7"}},
    {// 5
     u"Commonly referred to as the Yellow Soil Star, this star has no trigram of its own, "
     u"because it is the centre or axis around which all the other stars revolve. It "
     u"represents the energy of the seventh child."
     u"\r\n\r\n"
     u"Number Five people are born powerful and natural leaders. They are the nervous "
     u"system of any organisation, the point through which everything passes and from which "
     u"everything is steered. Fives are forceful and determined, and they make far better "
     u"leaders than followers. They are warned, though, against ambition that runs ahead of "
     u"what is practical, as big dreams without firm ground beneath them can bring them "
     u"down. Fives usually find themselves surrounded by people who depend on them, and "
     u"they like to take control of every situation they are in.",
     u"Yellow",
     Element::Earth,
     u"Business Managers, Army Officers, Judge, Advocates",
     u"1",
     {u"9", u"1", u"7,6", u"3,4"}},
    {// 6
     u"Commonly referred to as the White Metal Star, the number 6 principal number is "
     u"symbolised by the I-Ching trigram Ch'ien. It represents the energy of the head of "
     u"the family, the father, and the energy of the heavens."
     u"\r\n\r\n"
     u"Number six people are known for their punctuality and efficiency. They are sharp "
     u"tongued and strong willed, and they meet life in a practical and logical way. Sixes "
     u"hold strong ethics; each of them is a \"man of word\" who keeps every promise made. "
     u"Of all the numbers, six is the most loyal, and people born under it excel as leaders "
     u"whom others are glad to follow. Their firm standards can, however, cause some "
     u"difficulty in relationships, where a little softness and patience will serve them "
     u"better than always being right.",
     u"White, Black, Grey",
     Element::Metal,
     u"Lawyers, Psychologists, Real Estate Dealers, Business Proprietors",
     u"3, 4",
     {u"2,5,8", u"3,4", u"1", u"9"}},
    {// 7
     u"Commonly referred to as the Red Metal Star, the number 7 principal number is "
     u"symbolised by the I-Ching trigram Tui. It represents the energy of the youngest "
     u"daughter of the family."
     u"\r\n\r\n"
     u"Number seven people are charming, sociable and know the ways of enjoying life to the "
     u"fullest. They are excellent speakers who can hold a room with a story, and their fun "
     u"loving, charismatic nature draws friends to them wherever they go. Sevens like fine "
     u"clothes and fashionable accessories, and they enjoy luxury and comfort without "
     u"apology. A beautiful home matters to them, yet they often lack the art of "
     u"housekeeping and would rather entertain guests than tidy up after them. Life with a "
     u"seven is seldom dull, and their warmth makes every gathering brighter.",
     u"Red",
     Element::Metal,
     u"Lawyers, Scientists, Comedians and Editors",
     u"3, 4",
     {u"2,5,8", u"3,4", u"1", u"9"}},
    {// 8
     u"Commonly referred to as the White Soil Star, the number 8 principal number is "
     u"symbolised by the I-Ching trigram Ken, the mountain. It represents the energy of the "
     u"youngest son."
     u"\r\n\r\n"
     u"Number eight people are intelligent and love to groom themselves. They like to be "
     u"treated formally and with respect. Beneath that polished surface they are kind "
     u"hearted, sensitive and generous, and they always put their family first. Eights are "
     u"often lucky in business, and they are strong and stable, a steady presence in "
     u"changing times. They can be demanding of those around them, yet they remain warm and "
     u"caring. Eights carry hidden energies which quietly help their family, friends and "
     u"colleagues to grow and succeed.",
     u"Black, Blue, Green",
     Element::Earth,
     u"Lawyers, Comedians, Scientists and Editors",
     u"1",
     {u"9", u"1", u"7,6", u"3,4"}},
    {// 9
     u"Commonly referred to as the Purple Fire Star, this principal number is symbolised by "
     u"the I-Ching trigram Li and represents the energy of the middle daughter of the "
     u"family. Its element is fire."
     u"\r\n\r\n"
     u"Number nine people are often referred to as the 'man with a good luck.' Nine is an "
     u"auspicious number, and it makes the people born under it lucky. Nines tend to be "
     u"well known in their circles and are kindly towards everyone they meet. They are "
     u"creative and artistic, with an eye for beauty and a gift for expressing it. Change "
     u"does not frighten them, and they accept new situations readily. Their one weakness "
     u"is an air of superiority, which can make them inconsiderate of others; a little "
     u"humility brings out the best in them.",
     u"Purple, Red, Orange",
     Element::Fire,
     u"Fashion Designer, Models, Politician, Journalists",
     u"6, 7",
     {u"3,4", u"6,7", u"2,5,8", u"1"}},
}};

// The reading shows these texts as they are, so a stray line break would split a paragraph.
constexpr bool hasOneBlankLineOnly(QStringView text)
{
    int breaks = 0;
    qsizetype blankLine = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c != u'\r' && c != u'\n')
            continue;
        ++breaks;
        if (blankLine < 0 && i + 3 < text.size() && c == u'\r' && text[i + 1] == u'\n' &&
            text[i + 2] == u'\r' && text[i + 3] == u'\n')
            blankLine = i;
    }
    return breaks == 4 && blankLine > 0 && blankLine + 4 < text.size();
}

constexpr bool allHaveOneBlankLineOnly()
{
    for (const StarAttributes& star : Stars) {
        if (!hasOneBlankLineOnly(star.description))
            return false;
    }
    return true;
}

static_assert(allHaveOneBlankLineOnly());

constexpr bool rowCountsDown(const std::array<int, 12>& row)
{
    for (std::size_t i = 1; i < row.size(); ++i) {
        if (row[i] != (row[i - 1] == 1 ? 9 : row[i - 1] - 1))
            return false;
    }
    return true;
}

static_assert(rowCountsDown(CharacterTable147) && CharacterTable147[0] == 8);
static_assert(rowCountsDown(CharacterTable258) && CharacterTable258[0] == 2);
static_assert(rowCountsDown(CharacterTable369) && CharacterTable369[0] == 5);

} // namespace

QStringView ElementWord(Element element)
{
    switch (element) {
    case Element::Water:
        return u"Water";
    case Element::Wood:
        return u"Wood";
    case Element::Fire:
        return u"Fire";
    case Element::Earth:
        return u"Soil/ Earth";
    case Element::Metal:
        break;
    }
    return u"Metal";
}

const StarAttributes* StarAttributesOf(int n)
{
    return IsStarNumber(n) ? &Stars[static_cast<std::size_t>(n - 1)] : nullptr;
}

} // namespace Kistarra
