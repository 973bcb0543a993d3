// The calendar: a month of days worked out once its year's terms are known, and the calendar
// window opened and painted, and turned to the next month and painted again, for one person and
// with a partner; the Time Zone dialog opened and painted. The terms of the years shown are worked
// out before the timing starts, as they are once per year in the program. A window counts as
// painted when its first paint event after the step has been handled.

#include <chrono>
#include <memory>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QTableWidget>
#include <QTest>
#include <QTimeZone>

#include "bench/windowbench.h"
#include "engine/daycalendar.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testfiles.h"
#include "windows/frmcalendar.h"
#include "windows/frmtimezone.h"
#include "windows/kit/partner.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

constexpr int Repetitions = 10;

using Clock = std::chrono::steady_clock;

const QTimeZone& Tokyo()
{
    static const QTimeZone zone("Asia/Tokyo");
    return zone;
}

const ReadingOptions TokyoOptions{YearRule::Calendar, "Asia/Tokyo"};

// Works out the terms of the years a month of 2025..2027 reaches.
void WarmTerms()
{
    for (int month = 1; month <= 12; ++month)
        benchmark::DoNotOptimize(ComputeMonthCalendar(3, 2026, month, Tokyo()));
}

// Notes the first paint of a widget after clear().
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget* widget) { widget->installEventFilter(this); }
    void clear() { m_painted = false; }
    [[nodiscard]] bool waitForPaint()
    {
        return ProcessEventsUntil([this] { return m_painted; });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            m_painted = true;
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_painted = false;
};

void MonthOfDays(benchmark::State& state)
{
    WarmTerms();
    int month = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeMonthCalendar(3, 2026, month, Tokyo()));
        month = month % 12 + 1;
    }
    state.SetLabel("31 day charts with their directions");
}

// Bob as the run's partner: his principal number is worked out as the window opens.
Partner& WithBob()
{
    static Partner partner;
    partner.set(Bob);
    return partner;
}

void OpenCalendar(benchmark::State& state, Partner* partner)
{
    WarmTerms();
    FakeDesktop desktop;
    for (auto _ : state) {
        const auto started = Clock::now();
        auto window =
            std::make_unique<frmCalendar>(3, QDate(2026, 6, 1), TokyoOptions, desktop, partner);
        PaintWatch painted(window.get());
        window->show();
        if (!painted.waitForPaint()) {
            state.SkipWithError("the calendar did not paint");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - started).count());
        window.reset();
        QCoreApplication::processEvents();
    }
}

void CalendarWindowOpened(benchmark::State& state)
{
    OpenCalendar(state, nullptr);
}

void CalendarWindowOpenedForTwo(benchmark::State& state)
{
    OpenCalendar(state, &WithBob());
}

void TurnCalendar(benchmark::State& state, Partner* partner)
{
    WarmTerms();
    FakeDesktop desktop;
    frmCalendar window(3, QDate(2026, 1, 15), TokyoOptions, desktop, partner);
    auto* const grid = window.findChild<QTableWidget*>(u"tblCalendar"_s);
    PaintWatch painted(grid->viewport());
    window.show();
    if (!QTest::qWaitForWindowExposed(&window) || !painted.waitForPaint()) {
        state.SkipWithError("the calendar did not show");
        return;
    }
    for (auto _ : state) {
        // Back to January before December is left, so that every step stays within 2026.
        const int key = window.chosenDay().month() == 12 ? Qt::Key_PageUp : Qt::Key_PageDown;
        painted.clear();
        const auto started = Clock::now();
        QTest::keyClick(grid, static_cast<Qt::Key>(key));
        if (!painted.waitForPaint()) {
            state.SkipWithError("the calendar did not paint the month");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - started).count());
    }
}

void CalendarNextMonth(benchmark::State& state)
{
    TurnCalendar(state, nullptr);
}

void CalendarNextMonthForTwo(benchmark::State& state)
{
    TurnCalendar(state, &WithBob());
}

// The Time Zone dialog: every zone listed, the offsets of those on screen looked up as they paint.
void TimeZoneDialogOpened(benchmark::State& state)
{
    for (auto _ : state) {
        const auto started = Clock::now();
        auto dialog = std::make_unique<frmTimeZone>(QByteArray("Asia/Tokyo"), nullptr);
        PaintWatch painted(dialog->findChild<QWidget*>(u"lstTimeZones"_s));
        dialog->show();
        if (!painted.waitForPaint()) {
            state.SkipWithError("the dialog did not paint");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - started).count());
        dialog.reset();
        QCoreApplication::processEvents();
    }
}

} // namespace

BENCHMARK(TimeZoneDialogOpened)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Repetitions(Repetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(MonthOfDays)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(Repetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(CalendarWindowOpened)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Repetitions(Repetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(CalendarNextMonth)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Repetitions(Repetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(CalendarWindowOpenedForTwo)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Repetitions(Repetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(CalendarNextMonthForTwo)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Repetitions(Repetitions)
    ->ReportAggregatesOnly(true);

} // namespace Kistarra

int main(int argc, char* argv[])
{
    return Kistarra::RunWindowBenchmarks(argc, argv);
}
