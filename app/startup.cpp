#include "app/startup.h"

#include <QSettings>

#include "platform/desktop.h"
#include "windows/frmmain.h"
#include "app/cobrand.h"
#include "app/programwindows.h"
#include "app/singleinstance.h"
#include "app/unloadallforms.h"
#include "app/updatereminder.h"

namespace Kistarra {

std::unique_ptr<ProgramWindows> StartUp(Desktop& desktop, SingleInstanceGuard& guard,
                                        const SettingsOpener& openSettings,
                                        const QString& savedReading)
{
    if (!guard.tryAcquire()) {
        ReportAlreadyRunning(desktop);
        FormUnloader().UnloadAllForms();
        return nullptr;
    }
    desktop.seedRandom();
    if (const std::unique_ptr<QSettings> settings = openSettings())
        UpdateReminder(desktop, *settings);

    auto windows = std::make_unique<ProgramWindows>(desktop);
    windows->start();
    if (frmMain* const birthDetails = windows->birthDetailsWindow()) {
        const BrandLinks brand = birthDetails->brandLinks();
        CoBrand_Randomize(desktop, brand.fullBrand, brand.coBrand);
        if (!savedReading.isEmpty())
            birthDetails->openFile(savedReading);
    }
    return windows;
}

} // namespace Kistarra
