#include "reading/sites.h"

#include <QStringBuilder>

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace Pages {
QString Home()
{
    return Sites::MainSite.toString();
}
QString Catalogue()
{
    return Sites::MainSite % u"/orvantis/"_s;
}
QString Donate()
{
    return Sites::HelpSite % u"/donate.html"_s;
}
QString OnlineHelp()
{
    return Sites::ProductSite % u"/kistarra-help.html"_s;
}
QString FullBrand()
{
    return Sites::HelpSite % u"/fully-branded.html"_s;
}
QString CoBrand()
{
    return Sites::HelpSite % u"/co-brand.html"_s;
}
QString Download()
{
    return Sites::ProductSite % u"/download-kistarra.html"_s;
}
QString ReferAFriend()
{
    return Sites::MainSite % u"/qzvt-refer-a-friend.php"_s;
}
} // namespace Pages

} // namespace Kistarra
