#include "app/startup.h"

#include <QTextStream>

#include "app/cobrand.h"
#include "settings/programsettings.h"
#include "app/programwindows.h"
#include "app/singleinstance.h"
#include "app/unloadallforms.h"
#include "app/updatereminder.h"
#include "platform/desktop.h"
#include "windows/frmmain.h"
#include "windows/kit/programstyle.h"
#include "windows/kit/brandlinks.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

constexpr QStringView SettingNotSaved =
    u"The setting could not be saved; it holds until the program ends.";

// The person's change of the reading options holds for the next start too.
void StoreOptionsChanges(ProgramWindows& windows, Desktop& desktop,
                         const std::shared_ptr<ProgramSettings>& settings)
{
    QObject::connect(&windows, &ProgramWindows::optionsChanged, &windows,
                     [&desktop, settings](const ReadingOptions& options) {
                         if (!settings->storeReadingOptions(options))
                             desktop.showError(nullptr, SettingNotSaved.toString());
                     });
}

} // namespace

std::unique_ptr<ProgramWindows> StartUp(Desktop& desktop, SingleInstanceGuard& guard,
                                        const SettingsOpener& openSettings,
                                        const QString& savedReading, bool savedReadingExact)
{
    switch (guard.acquire()) {
    case SingleInstanceGuard::State::Acquired:
        break;
    case SingleInstanceGuard::State::HeldByAnotherCopy:
        ReportAlreadyRunning(desktop);
        FormUnloader().UnloadAllForms();
        return nullptr;
    case SingleInstanceGuard::State::Unavailable:
        // Better one copy too many than none at all.
        QTextStream(stderr) << u"kistarra: starting without the check for another running copy: "_s
                            << guard.problem() << Qt::endl;
        break;
    }
    desktop.seedRandom();
    const std::shared_ptr<ProgramSettings> settings = openSettings();
    if (const Done& loaded = settings->loaded(); !loaded) {
        const Failure& why = loaded.failure();
        QTextStream(stderr) << u"kistarra: running on the default settings: "_s
                            << (why.subject.isEmpty() ? why.reason
                                                      : u"'%1': %2"_s.arg(why.subject, why.reason))
                            << Qt::endl;
    }
    UpdateReminder(desktop, *settings);

    UseProgramStyle();
    auto windows = std::make_unique<ProgramWindows>(desktop, settings->readingOptions());
    StoreOptionsChanges(*windows, desktop, settings);
    windows->start();
    if (frmMain* const birthDetails = windows->birthDetailsWindow()) {
        const BrandLinks brand = birthDetails->brandLinks();
        CoBrand_Randomize(desktop, brand.fullBrand, brand.coBrand);
        if (!savedReadingExact)
            birthDetails->refuseFile();
        else if (!savedReading.isEmpty())
            birthDetails->openFile(savedReading);
    }
    return windows;
}

} // namespace Kistarra
