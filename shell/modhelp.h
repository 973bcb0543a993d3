#pragma once

#include <QString>

// The program's links: one way to open a page, and the seven pages the labels and menu entries of
// every window lead to; and the one way out of the program. The site addresses themselves live in
// reading/sites.h.
namespace Kistarra {

class Desktop;

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

// Hands the address to the default browser; returns at once, and a failure stays silent.
void OpenWebPage(Desktop& desktop, const QString& address);

void OpenHomePage(Desktop& desktop);
void OpenCataloguePage(Desktop& desktop);
void OpenDonatePage(Desktop& desktop);
void OpenOnlineHelpPage(Desktop& desktop);
void OpenFullBrandPage(Desktop& desktop);
void OpenCoBrandPage(Desktop& desktop);
void OpenDownloadPage(Desktop& desktop);

// Closes every window of the program, hidden ones included, each through its own close handling,
// and ends the program with exit code 0 once they are gone. Re-entering it from a close handler it
// triggered does nothing more.
void UnloadAllForms();

} // namespace Kistarra
