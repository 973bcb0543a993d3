#include "tests/support/windowcatalogue.h"

#include <array>
#include <functional>
#include <utility>
#include <vector>

#include <QLabel>
#include <QTabBar>
#include <QTimeZone>
#include <QWidget>

#include "app/cobrand.h"
#include "reading/reading.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testfiles.h"
#include "tests/support/windowtesting.h"
#include "windows/frmabout.h"
#include "windows/frmcalendar.h"
#include "windows/frmfarewell.h"
#include "windows/frmmain.h"
#include "windows/frmninestar.h"
#include "windows/kit/partner.h"
#include "windows/frmsave.h"
#include "windows/frmtimezone.h"
#include "windows/frmtwopeople.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

using Maker = std::function<std::unique_ptr<QWidget>(FakeDesktop&)>;

// The birth details window; the start-up draw may put the co-branding offer in front.
Maker BirthDetails(bool coBrandInFront)
{
    return [coBrandInFront](FakeDesktop& desktop) -> std::unique_ptr<QWidget> {
        auto window = std::make_unique<frmMain>(ReadingOptions{}, desktop);
        if (coBrandInFront) {
            desktop.randomValues = {1};
            CoBrand_Randomize(desktop, Find<QLabel>(window.get(), u"lblFullBrand"_s),
                              Find<QLabel>(window.get(), u"lblCobrand"_s));
        }
        return window;
    };
}

// The result window on one of its pages, by the index of its tab.
Maker ResultOnPage(int page)
{
    return [page](FakeDesktop& desktop) -> std::unique_ptr<QWidget> {
        static Partner partner;
        auto window = std::make_unique<frmNineStar>(ComputeReading(Ann, YearRule::Calendar),
                                                    ReadingOptions{}, partner, desktop);
        Find<QTabBar>(window.get(), u"TS"_s)->setCurrentIndex(page);
        return window;
    };
}

// The Two People window for Ann, empty or with Bob, born 12 August 1985, compared.
Maker TwoPeople(bool compared)
{
    return [compared](FakeDesktop& desktop) -> std::unique_ptr<QWidget> {
        static std::array<Partner, 2> partners; // none yet, and Bob
        partners[1].set({u"Bob"_s, u"12"_s, u"August"_s, u"1985"_s});
        return std::make_unique<frmTwoPeople>(ComputeReading(Ann, YearRule::Calendar),
                                              ReadingOptions{}, partners.at(compared), desktop);
    };
}

const std::vector<std::pair<QString, Maker>>& Catalogue()
{
    static const std::vector<std::pair<QString, Maker>> rows = {
        {u"frmMain"_s, BirthDetails(false)},
        {u"frmMain, co-brand in front"_s, BirthDetails(true)},
        {u"frmNineStar chart"_s, ResultOnPage(0)},
        {u"frmNineStar element"_s, ResultOnPage(1)},
        {u"frmNineStar relationship"_s, ResultOnPage(2)},
        {u"frmNineStar year ahead"_s, ResultOnPage(3)},
        {u"frmSave"_s,
         [](FakeDesktop& desktop) {
             return std::make_unique<frmSave>(ComputeReading(Ann, YearRule::Calendar), desktop);
         }},
        {u"frmAbout"_s, [](FakeDesktop& desktop) { return std::make_unique<frmAbout>(desktop); }},
        {u"frmFarewell"_s,
         [](FakeDesktop& desktop) { return std::make_unique<frmFarewell>(desktop); }},
        {u"frmCalendar"_s,
         [](FakeDesktop& desktop) {
             return std::make_unique<frmCalendar>(
                 ComputeReading(Ann, YearRule::Calendar).principal, desktop.today(),
                 ReadingOptions{YearRule::Calendar, "Asia/Tokyo"}, desktop);
         }},
        {u"frmTwoPeople"_s, TwoPeople(false)},
        {u"frmTwoPeople compared"_s, TwoPeople(true)},
        {u"frmTimeZone"_s,
         [](FakeDesktop&) {
             return std::make_unique<frmTimeZone>(QByteArrayLiteral("Asia/Tokyo"), nullptr);
         }},
    };
    return rows;
}

} // namespace

QStringList CatalogueWindowNames()
{
    QStringList names;
    for (const auto& [name, make] : Catalogue())
        names.append(name);
    return names;
}

std::unique_ptr<QWidget> MakeCatalogueWindow(const QString& name, FakeDesktop& desktop)
{
    for (const auto& [row, make] : Catalogue()) {
        if (row == name)
            return make(desktop);
    }
    qFatal("No window %s in the catalogue", qPrintable(name));
}

} // namespace Kistarra
