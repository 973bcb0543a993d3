#include "app/unloadallforms.h"

#include <QApplication>
#include <QList>
#include <QPointer>
#include <QWidget>

namespace Kistarra {

void FormUnloader::UnloadAllForms()
{
    if (m_unloading)
        return;
    m_unloading = true;
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
    m_unloading = false;
    QCoreApplication::exit(0);
}

} // namespace Kistarra
