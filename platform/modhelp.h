#pragma once

#include <QString>

// The program's links: one way to open a page, and the seven pages the labels and menu entries of
// every window lead to. The addresses themselves live in reading/sites.h.
namespace Kistarra {

class Desktop;

// Hands the address to the default browser; returns at once, and a failure stays silent.
void OpenWebPage(Desktop& desktop, const QString& address);

void OpenHomePage(Desktop& desktop);
void OpenCataloguePage(Desktop& desktop);
void OpenDonatePage(Desktop& desktop);
void OpenOnlineHelpPage(Desktop& desktop);
void OpenFullBrandPage(Desktop& desktop);
void OpenCoBrandPage(Desktop& desktop);
void OpenDownloadPage(Desktop& desktop);

} // namespace Kistarra
