#include "app/startup.h"

#include <QTextStream>

#include "app/cobrand.h"
#include "app/programsettings.h"
#include "app/programwindows.h"
#include "app/singleinstance.h"
#include "app/unloadallforms.h"
#include "app/updatereminder.h"
#include "platform/desktop.h"
#include "windows/frmmain.h"
#include "windows/programstyle.h"
#include "windows/brandlinks.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

constexpr QStringView SettingNotSaved =
    u"The setting could not be saved; it holds until the program ends.";

// The windows open with the stored year rule, time zone and true solar terms option, and the
// person's change of any of them holds for the next start too.
void FollowSettings(ProgramWindows& windows, Desktop& desktop,
                    const std::shared_ptr<ProgramSettings>& settings)
{
    windows.setYearRule(settings->yearRule());
    windows.setTimeZoneId(settings->timeZoneId());
    windows.setTrueSolarTerms(settings->trueSolarTerms());
    const auto told = [&desktop](bool stored) {
        if (!stored)
            desktop.showError(nullptr, SettingNotSaved.toString());
    };
    QObject::connect(
        &windows, &ProgramWindows::yearRuleChanged, &windows,
        [told, settings](YearRule changed) { told(settings->storeYearRule(changed)); });
    QObject::connect(
        &windows, &ProgramWindows::timeZoneChanged, &windows,
        [told, settings](const QByteArray& id) { told(settings->storeTimeZoneId(id)); });
    QObject::connect(&windows, &ProgramWindows::trueSolarTermsChanged, &windows,
                     [told, settings](bool on) { told(settings->storeTrueSolarTerms(on)); });
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
    if (!settings->problem().isEmpty())
        QTextStream(stderr) << u"kistarra: running on the default settings: "_s
                            << settings->problem() << Qt::endl;
    UpdateReminder(desktop, *settings);

    UseProgramStyle();
    auto windows = std::make_unique<ProgramWindows>(desktop);
    FollowSettings(*windows, desktop, settings);
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
