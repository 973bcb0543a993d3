#pragma once

#include <initializer_list>
#include <utility>

#include <QString>
#include <QStringView>

#include "windows/kit/linklabel.h"

class QColor;

// The links of the windows that lead to the maker: to its site and forum, and the offers of
// co-branding and full branding.
namespace Kistarra {

class Desktop;

// The address of the maker's site, written the one way every window shows it.
[[nodiscard]] QString MainSiteAddress();

// The one line under the title of the birth details and report windows that leads to the maker's
// discussion forum, and the one under it that leads to the maker's site.
inline constexpr QStringView ForumInvitation = u"Join our online discussion forum on Nine Star Ki";
[[nodiscard]] QString VisitInvitation();

// Labels that lead to the maker's site: each shows its text in the given colour and opens the
// home page.
void SetUpSiteLinks(std::initializer_list<std::pair<LinkLabel*, QString>> links,
                    const QColor& colour, Desktop& desktop);

// The offers of the maker that lie one on top of the other in a frame fraFullBrand: lblCobrand,
// and lblFullBrand in front of it. Only the one in front takes the focus, also when a later
// raise() brings the other forward.
struct BrandLinks {
    LinkLabel* coBrand = nullptr;
    LinkLabel* fullBrand = nullptr;
};

inline constexpr QStringView CoBrandOffer =
    u"Co-brand this software with your own web site: your site's name and link inside the "
    u"program win you loyal visitors and more traffic. See the Help menu for details, and click "
    u"here for more information on co-branding.";

// Gives the two labels of a brand frame their captions, actions and colours and puts
// lblFullBrand in front; the frame takes the window's background.
void SetUpBrandLinks(const BrandLinks& links, const QColor& text, Desktop& desktop);

} // namespace Kistarra
