#include "engine/yearahead.h"

namespace Kistarra {

namespace {

// By Palace: what a year or a month with the person's star in that palace is like.
constexpr std::array<QStringView, 9> PalaceMeanings = {
    // North
    u"A quiet, inward time, like a field under winter snow: much is going on below the surface "
    u"and little of it shows yet. Plans may move slowly and you may want more rest and privacy "
    u"than usual. Look after your health and your savings, and use the calm to get clear about "
    u"what you really want; what you start quietly now grows later.",
    // North East
    u"A time of change and turning points. Something you took for granted may shift, and for a "
    u"while you may feel you are standing still before a new road opens. Take time to think, to "
    u"learn and to let go of what no longer fits; careful choices made now set up the years that "
    u"follow, while hurried ones tend to be undone.",
    // East
    u"A time of new beginnings and fresh energy, like the first warm days of spring. Ideas want "
    u"to become action, and what you start now tends to grow quickly. Move forward with "
    u"confidence, but think before you speak and take one step at a time, because enthusiasm "
    u"can run ahead of planning.",
    // South East
    u"A time of growth and widening circles. What you began earlier starts to bear fruit, and "
    u"new people, travel and news bring good openings. Keep your word and keep your messages "
    u"clear and friendly: the trust you build now carries you a long way.",
    // South
    u"A time in the light. Your efforts are seen, recognition can come, and things that were "
    u"hidden come into view, the welcome and the less welcome alike. Be honest and generous, "
    u"keep your temper, and let go gracefully of whatever is ending.",
    // South West
    u"A time for patience and steady work. It favours building on what you have rather than "
    u"reaching for more: looking after home and family, supporting the people around you and "
    u"doing the groundwork well. Quiet, helpful effort is rewarded, even if the reward comes a "
    u"little later than you would like.",
    // West
    u"A time of harvest and enjoyment. Money, pleasure, friendship and romance come more easily, "
    u"and it is a good moment to celebrate what you have achieved. Enjoy it, but keep an eye on "
    u"spending and on promises made lightly, so that the good things last.",
    // North West
    u"A time of responsibility and leadership. Others look to you, and your experience and "
    u"judgement count for more than usual. Lead with care, ask for help from those around you "
    u"rather than carrying every load alone, and make time to rest.",
    // Centre
    u"The busiest and most intense place of the cycle: everything comes together at once and "
    u"your influence is strong. It can feel like standing in the middle of a crowd, pulled in "
    u"every direction. Keep to what matters most, look after your health and do not take on too "
    u"much; it is a good time to finish things and put your affairs in order before a new cycle "
    u"begins."};

static_assert(PalaceMeanings.size() == Palaces.size());

} // namespace

QStringView PalaceMeaning(Palace palace)
{
    return PalaceMeanings[PalaceIndex(palace)];
}

} // namespace Kistarra
