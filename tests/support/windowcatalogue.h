#pragma once

#include <memory>

#include <QString>
#include <QStringList>

class QWidget;

namespace Kistarra {

class FakeDesktop;

// Every window of the program in each state a person meets it in, by a row name the suites that
// go over all windows share: the accessibility and access-key suites and the tool that shows a
// window to an assistive-technology reader. A new window or page is one more row here.
[[nodiscard]] QStringList CatalogueWindowNames();

// The window of that row, showing Ann's reading where it shows one and talking to the desktop;
// an unknown row name ends the run.
[[nodiscard]] std::unique_ptr<QWidget> MakeCatalogueWindow(const QString& name,
                                                           FakeDesktop& desktop);

} // namespace Kistarra
