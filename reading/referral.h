#pragma once

#include <optional>

#include <QString>
#include <QStringView>
#include <QUrl>

// The refer-a-friend form of the farewell window: its checks and the address of the maker's
// referral page that receives the form's values (core: plain values in, a message or an address
// out).
namespace Kistarra {

// What each box of the form holds until the user types into it; a value still equal to it counts
// as not filled in.
namespace ReferralPlaceholders {
inline constexpr QStringView Name = u"Your Name";
inline constexpr QStringView Email = u"Your Email Address";
inline constexpr QStringView Message = u"Your Message";
inline constexpr QStringView FriendName = u"Friend's Name";
inline constexpr QStringView FriendEmail = u"Friend's Email Address";
} // namespace ReferralPlaceholders

// One submission: the five texts of the form, trimmed of surrounding blanks by the form.
struct Referral {
    QString name;
    QString email;
    QString message;
    QString friendName;
    QString friendEmail;
};

// The message for the first thing wrong with the referral, in the order the form checks them: two
// distinct e-mail addresses, each with an "@" and a ".", then every value filled in. Nothing when
// the referral can be sent.
[[nodiscard]] std::optional<QString> CheckReferral(const Referral& referral);

// The referral page with the values as the query items taf1..taf6 (name, e-mail, message, friend's
// name, friend's e-mail, this program's site). Every value is percent-encoded whole, so whatever
// it holds ("&", "=", "#", "+", "%", line breaks) reaches the page as typed and can neither end
// its own item nor start another.
[[nodiscard]] QUrl ReferralAddress(const Referral& referral);

} // namespace Kistarra
