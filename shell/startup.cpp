#include "shell/startup.h"

#include <QLabel>
#include <QSettings>

#include "input/frmmain.h"
#include "platform/desktop.h"
#include "shell/cobrand.h"
#include "shell/modhelp.h"
#include "shell/programwindows.h"
#include "shell/singleinstance.h"
#include "shell/updatereminder.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

std::unique_ptr<ProgramWindows> StartUp(Desktop& desktop, SingleInstanceGuard& guard,
                                        const SettingsOpener& openSettings,
                                        const QString& savedReading)
{
    if (!guard.tryAcquire()) {
        ReportAlreadyRunning(desktop);
        UnloadAllForms();
        return nullptr;
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
