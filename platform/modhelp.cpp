#include "platform/modhelp.h"

#include <QUrl>

#include "platform/desktop.h"
#include "reading/sites.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

void OpenWebPage(Desktop& desktop, const QString& address)
{
    desktop.openUrl(QUrl(address));
}

void OpenHomePage(Desktop& desktop)
{
    OpenWebPage(desktop, Pages::Home());
}
void OpenCataloguePage(Desktop& desktop)
{
    OpenWebPage(desktop, Pages::Catalogue());
}
void OpenDonatePage(Desktop& desktop)
{
    OpenWebPage(desktop, Pages::Donate());
}
void OpenOnlineHelpPage(Desktop& desktop)
{
    OpenWebPage(desktop, Pages::OnlineHelp());
}
void OpenFullBrandPage(Desktop& desktop)
{
    OpenWebPage(desktop, Pages::FullBrand());
}
void OpenCoBrandPage(Desktop& desktop)
{
    OpenWebPage(desktop, Pages::CoBrand());
}
void OpenDownloadPage(Desktop& desktop)
{
    OpenWebPage(desktop, Pages::Download());
}

} // namespace Kistarra
