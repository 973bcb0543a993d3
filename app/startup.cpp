#include "app/startup.h"
#include "app/unloadallforms.h"

#include <QLabel>
#include <QSettings>
#include <QTextStream>

#include "windows/frmmain.h"
#include "platform/desktop.h"
#include "app/cobrand.h"
#include "platform/modhelp.h"
#include "app/programwindows.h"
#include "app/singleinstance.h"
#include "app/updatereminder.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

std::unique_ptr<ProgramWindows> StartUp(Desktop& desktop, SingleInstanceGuard& guard,
                                        const SettingsOpener& openSettings,
                                        const QString& savedReading)
{
    switch (guard.acquire()) {
    case SingleInstanceGuard::State::Acquired:
        break;
    case SingleInstanceGuard::State::HeldByAnotherCopy:
        ReportAlreadyRunning(desktop);
        UnloadAllForms();
        return nullptr;
    case SingleInstanceGuard::State::Unavailable:
        // Better one copy too many than none at all.
        QTextStream(stderr) << u"kistarra: starting without the check for another running copy: "_s
                            << guard.problem() << Qt::endl;
        break;
    }
    desktop.seedRandom();
    if (const std::unique_ptr<QSettings> settings = openSettings())
        UpdateReminder(desktop, *settings);

    auto windows = std::make_unique<ProgramWindows>(desktop);
    windows->start();
    if (frmMain* const birthDetails = windows->birthDetailsWindow()) {
        CoBrand_Randomize(desktop, birthDetails->findChild<QLabel*>(u"lblFullBrand"_s),
                          birthDetails->findChild<QLabel*>(u"lblCobrand"_s));
        if (!savedReading.isEmpty())
            birthDetails->openFile(savedReading);
    }
    return windows;
}

} // namespace Kistarra
