#include "reading/referral.h"

#include <array>
#include <utility>

#include <QUrlQuery>

#include "reading/sites.h"

using namespace Qt::StringLiterals;

namespace Kistarra {
namespace {

[[nodiscard]] bool IsFilledIn(const QString& value, QStringView placeholder)
{
    return !value.isEmpty() && value != placeholder;
}

[[nodiscard]] bool LooksLikeEmailAddress(const QString& value)
{
    return value.contains(u'@') && value.contains(u'.');
}

} // namespace

std::optional<QString> CheckReferral(const Referral& referral)
{
    if (referral.email == referral.friendEmail)
        return u"Please Enter Distinct Email Addresses"_s;
    if (!LooksLikeEmailAddress(referral.email) || !LooksLikeEmailAddress(referral.friendEmail))
        return u"Please Enter Proper Email Address"_s;

    const std::array<std::pair<const QString&, QStringView>, 5> required = {{
        {referral.name, ReferralPlaceholders::Name},
        {referral.email, ReferralPlaceholders::Email},
        {referral.message, ReferralPlaceholders::Message},
        {referral.friendName, ReferralPlaceholders::FriendName},
        {referral.friendEmail, ReferralPlaceholders::FriendEmail},
    }};
    const std::array<QString, 5> complaints = {
        u"Please Enter Your Name"_s,           u"Please Enter Your Email"_s,
        u"Please Enter Your Message"_s,        u"Please Enter Your Friend's Name"_s,
        u"Please Enter Your Friend's Email"_s,
    };
    for (std::size_t item = 0; item < required.size(); ++item) {
        if (!IsFilledIn(required[item].first, required[item].second))
            return complaints[item];
    }
    return std::nullopt;
}

QUrl ReferralAddress(const Referral& referral)
{
    const std::array<std::pair<QString, QString>, 6> items = {{
        {u"taf1"_s, referral.name},
        {u"taf2"_s, referral.email},
        {u"taf3"_s, referral.message},
        {u"taf4"_s, referral.friendName},
        {u"taf5"_s, referral.friendEmail},
        {u"taf6"_s, Sites::ProductSite + u'/'},
    }};
    // QUrlQuery leaves "+" and existing "%XX" sequences as they are, and a page reads "+" as a
    // blank; encoding each value first hands it over untouched.
    QUrlQuery query;
    for (const auto& [key, value] : items)
        query.addQueryItem(key, QString::fromLatin1(QUrl::toPercentEncoding(value)));
    QUrl address(Pages::ReferAFriend());
    address.setQuery(query);
    return address;
}

} // namespace Kistarra
