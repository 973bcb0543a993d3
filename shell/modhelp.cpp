#include "shell/modhelp.h"

#include <QApplication>
#include <QPointer>
#include <QUrl>
#include <QWidget>

#include "platform/desktop.h"
#include "reading/sites.h"

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

void UnloadAllForms()
{
    static bool unloading = false;
    if (unloading)
        return;
    unloading = true;
    QList<QPointer<QWidget>> windows;
    // Popups and dialogs that belong to a window go with it.
    for (QWidget* const window : QApplication::topLevelWidgets()) {
        if (!window->parentWidget())
            windows.append(window);
    }
    for (const QPointer<QWidget>& window : std::as_const(windows)) {
        if (window)
            window->close();
    }
    // A window that only hid itself on closing, or never was a closing kind of window, must not
    // keep the process alive.
    for (const QPointer<QWidget>& window : std::as_const(windows)) {
        if (window && !window->testAttribute(Qt::WA_DeleteOnClose))
            window->deleteLater();
    }
    unloading = false;
    QCoreApplication::exit(0);
}

} // namespace Kistarra
