#pragma once

#include <QString>
#include <QStringView>

// The three web sites every link of the program points into, without a trailing slash. A packager
// who ships the program under other addresses changes them here and nowhere else.
namespace Kistarra::Sites {

inline constexpr QStringView MainSite = u"https://www.orvantis.example";    // the maker's main site
inline constexpr QStringView HelpSite = u"https://help.orvantis.example";   // the maker's help site
inline constexpr QStringView ProductSite = u"https://www.kistarra.example"; // this program's site

} // namespace Kistarra::Sites

namespace Kistarra {

// The full addresses of the seven pages.
namespace Pages {
[[nodiscard]] QString Home();
[[nodiscard]] QString Catalogue();
[[nodiscard]] QString Donate();
[[nodiscard]] QString OnlineHelp();
[[nodiscard]] QString FullBrand();
[[nodiscard]] QString CoBrand();
[[nodiscard]] QString Download();
[[nodiscard]] QString ReferAFriend(); // without its query
} // namespace Pages

} // namespace Kistarra
