#include "fengshui/fengshui.h"

#include "engine/ninestar.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

struct ElementText {
    QStringView description;
    QStringView compatible;
    QStringView challenging;
};

// Same order as FengShuiElements.
constexpr std::array<ElementText, 5> ElementTexts = {{
    {u"Water Element symbolizes a still, calm and a reflective personality. Water folks are quit "
     u"adjustable by nature. You are also creative, captivating, dynamic and intuitive person. It "
     u"is your calm nature which helps you to gain other people's trust and affection.",
     u"Compatible elements: Wood and Metal.", u"Challenging elements: Fire and Earth."},
    {u"Earth Element symbolizes a steady, reliable and a receptive personality. Earth natives are "
     u"compromising, soft hearted and generous as well. Apart from these, you firmly believe and "
     u"follow your principals and morals. You are practical and logical and a master controller "
     u"of all situations.",
     u"Compatible elements: Fire and Metal.", u"Challenging elements: Water and Wood."},
    {u"Wood Element symbolizes an energetic, vibrant and an uplifting personality. Wood folks are "
     u"quite stubborn and determined by nature. Wood people are always on the look out for growth "
     u"and self renewal. You are expansive and compassionate too.",
     u"Compatible elements: Water and Fire.", u"Challenging elements: Earth and Metal."},
    {u"Metal Element symbolizes strong, unyielding and a focused personality. Metal people are "
     u"self-reliant and forceful by nature. You love to enjoy all the luxuries and comforts which "
     u"life has to offer.",
     u"Compatible elements: Earth and Water.", u"Challenging elements: Fire and Wood."},
    {u"Fire Element symbolizes a dynamic, vibrant and unpredictable personality. Fire natives are "
     u"blessed with charm and creativity. They are ever active and enthusiastic people.",
     u"Compatible elements: Wood and Earth.", u"Challenging elements: Metal and Water."},
}};

template <std::size_t N>
std::optional<QStringView> findKey(const std::array<QStringView, N>& keys, QStringView word)
{
    for (const QStringView key : keys) {
        if (key == word)
            return key;
    }
    return std::nullopt;
}

} // namespace

std::optional<int> CalculateFengShuiNumber(QStringView yearDigits)
{
    if (yearDigits.isEmpty())
        return std::nullopt;
    const auto first = DigitValue(yearDigits.front());
    const auto last = DigitValue(yearDigits.back());
    if (!first || !last)
        return std::nullopt;
    const int sum = *first + *last;
    const int reduced = sum >= 10 ? sum / 10 + sum % 10 : sum;
    const int result = 10 - reduced;
    return result == 10 ? 1 : result;
}

std::optional<FengShuiProfile> FengShuiProfileFor(int fengShuiNumber)
{
    if (fengShuiNumber < 1 || fengShuiNumber > 9)
        return std::nullopt;
    return FengShuiProfiles[static_cast<std::size_t>(fengShuiNumber - 1)];
}

std::optional<QString> ElementDescriptions(QStringView element)
{
    for (std::size_t i = 0; i < FengShuiElements.size(); ++i) {
        if (element == FengShuiElements[i]) {
            const ElementText& text = ElementTexts[i];
            return text.description % u"\r\n\r\n"_s % text.compatible % u"\r\n\r\n"_s %
                   text.challenging;
        }
    }
    return std::nullopt;
}

std::optional<QStringView> ElementPictureKey(QStringView element)
{
    return findKey(ElementPictureKeys, element);
}

std::optional<QStringView> TrigramPictureKey(QStringView trigram)
{
    return findKey(TrigramPictureKeys, trigram);
}

} // namespace Kistarra
