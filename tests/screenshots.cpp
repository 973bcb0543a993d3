// Draws every window of the program into PNG files, for looking at them without a display:
// `make screenshots` writes them to build/screenshots. The windows show Ann, born on 1 May 1970,
// and talk to a fake desktop, so nothing leaves the process. A window that opens beyond the
// screen's free area fails the run.

#include <functional>
#include <memory>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <QTextStream>
#include <QPushButton>
#include <QTimeZone>

#include "reading/reading.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testfiles.h"
#include "tests/support/windowcatalogue.h"
#include "tests/support/windowtesting.h"
#include "windows/frmabout.h"
#include "windows/frmcalendar.h"
#include "windows/frmfarewell.h"
#include "windows/frmmain.h"
#include "windows/frmninestar.h"
#include "windows/kit/partner.h"
#include "windows/frmsave.h"
#include "windows/frmtimezone.h"

using namespace Qt::StringLiterals;
using namespace Kistarra;

namespace {

using MakeWindow = std::function<std::unique_ptr<QWidget>(Desktop&, const Reading&)>;

struct Shot {
    QString fileName;
    MakeWindow make;
};

std::unique_ptr<QWidget> BirthDetailsWindow(Desktop& desktop, const Reading&)
{
    auto window = std::make_unique<frmMain>(ReadingOptions{}, desktop);
    Find<QLineEdit>(window.get(), u"txtName"_s)->setText(Ann.name);
    Find<QComboBox>(window.get(), u"cboDate"_s)->setCurrentText(Ann.day);
    Find<QComboBox>(window.get(), u"cboMonth"_s)->setCurrentText(Ann.month);
    Find<QComboBox>(window.get(), u"cboYear"_s)->setCurrentText(Ann.year);
    return window;
}

MakeWindow ResultWindowOnTab(int tab)
{
    return [tab](Desktop& desktop, const Reading& reading) -> std::unique_ptr<QWidget> {
        static Partner partner;
        auto window = std::make_unique<frmNineStar>(reading, ReadingOptions{}, partner, desktop);
        Find<QTabBar>(window.get(), u"TS"_s)->setCurrentIndex(tab);
        return window;
    };
}

std::unique_ptr<QWidget> ReportWindow(Desktop& desktop, const Reading& reading)
{
    return std::make_unique<frmSave>(reading, desktop);
}

std::unique_ptr<QWidget> CalendarWindow(Desktop& desktop, const Reading& reading)
{
    auto window =
        std::make_unique<frmCalendar>(reading.principal, desktop.today(),
                                      ReadingOptions{YearRule::Calendar, "Asia/Tokyo"}, desktop);
    window->setOwnerName(reading.details.name);
    return window;
}

// Ann's June 2026 with Bob: the days good for a journey for both.
std::unique_ptr<QWidget> CalendarForTwo(Desktop& desktop, const Reading& reading)
{
    static Partner partner;
    partner.set(Bob);
    return std::make_unique<frmCalendar>(reading.principal, QDate(2026, 6, 1),
                                         ReadingOptions{YearRule::Calendar, "Asia/Tokyo"}, desktop,
                                         &partner);
}

// The chosen day's panel shown beside the grid, whatever room the screen has.
std::unique_ptr<QWidget> CalendarWithPanel(Desktop& desktop, const Reading& reading)
{
    auto window = CalendarWindow(desktop, reading);
    window->findChild<QPushButton*>(u"cmdDayPanel"_s)->setChecked(true);
    return window;
}

std::unique_ptr<QWidget> SmallestCalendarWindow(Desktop& desktop, const Reading& reading)
{
    auto window = CalendarWindow(desktop, reading);
    window->resize(window->minimumSize());
    return window;
}

// The calendar made smaller than its default: the cells give up lines whole.
std::unique_ptr<QWidget> SmallCalendarWindow(Desktop& desktop, const Reading& reading)
{
    auto window = CalendarWindow(desktop, reading);
    window->resize(640, 420);
    return window;
}

std::unique_ptr<QWidget> AboutWindow(Desktop& desktop, const Reading&)
{
    return std::make_unique<frmAbout>(desktop);
}

std::unique_ptr<QWidget> FarewellWindow(Desktop& desktop, const Reading&)
{
    return std::make_unique<frmFarewell>(desktop);
}

std::unique_ptr<QWidget> TimeZoneDialog(Desktop&, const Reading&)
{
    return std::make_unique<frmTimeZone>(QByteArrayLiteral("Asia/Tokyo"), nullptr);
}

// A window of the catalogue the suites share, as they open it.
MakeWindow Catalogued(const QString& name)
{
    return [name](Desktop& desktop, const Reading&) {
        return MakeCatalogueWindow(name, static_cast<FakeDesktop&>(desktop));
    };
}

// One line per window picture.
const std::vector<Shot>& Shots()
{
    static const std::vector<Shot> shots = {
        {u"frmmain.png"_s, BirthDetailsWindow},
        {u"frmninestar-chart.png"_s, ResultWindowOnTab(0)},
        {u"frmninestar-element.png"_s, ResultWindowOnTab(1)},
        {u"frmninestar-relationship.png"_s, ResultWindowOnTab(2)},
        {u"frmninestar-yearahead.png"_s, ResultWindowOnTab(3)},
        {u"frmcalendar.png"_s, CalendarWindow},
        {u"frmcalendar-640x420.png"_s, SmallCalendarWindow},
        {u"frmcalendar-panel.png"_s, CalendarWithPanel},
        {u"frmcalendar-minimum.png"_s, SmallestCalendarWindow},
        {u"frmcalendar-partner.png"_s, CalendarForTwo},
        {u"frmsave.png"_s, ReportWindow},
        {u"frmabout.png"_s, AboutWindow},
        {u"frmfarewell.png"_s, FarewellWindow},
        {u"frmtimezone.png"_s, TimeZoneDialog},
        {u"frmtwopeople.png"_s, Catalogued(u"frmTwoPeople"_s)},
        {u"frmtwopeople-compared.png"_s, Catalogued(u"frmTwoPeople compared"_s)},
    };
    return shots;
}

} // namespace

int main(int argc, char* argv[])
{
    const QApplication application(argc, argv);
    QTextStream err(stderr);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 2) {
        err << u"usage: screenshots <folder>"_s << Qt::endl;
        return 2;
    }
    const QDir folder(arguments.at(1));
    if (!folder.mkpath(u"."_s)) {
        err << u"screenshots: cannot make the folder "_s << folder.path() << Qt::endl;
        return 1;
    }

    FakeDesktop desktop;
    const Reading reading = ComputeReading(Ann, YearRule::Calendar);
    for (const Shot& shot : Shots()) {
        const std::unique_ptr<QWidget> window = shot.make(desktop, reading);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get())) {
            err << u"screenshots: "_s << shot.fileName << u" never came on screen"_s << Qt::endl;
            return 1;
        }
        if (!window->screen()->availableGeometry().contains(window->frameGeometry())) {
            err << u"screenshots: "_s << shot.fileName << u" opens beyond the screen"_s << Qt::endl;
            return 1;
        }
        const QString path = folder.filePath(shot.fileName);
        if (!window->grab().save(path)) {
            err << u"screenshots: cannot write "_s << path << Qt::endl;
            return 1;
        }
        window->close();
    }
    return 0;
}
