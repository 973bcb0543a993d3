// What the person waits for in the windows: the birth details window built, shown, painted and
// deleted again, and the step from a click on cmdProceed to the result window on screen, all three
// pages filled and painted once, the year-ahead page built and painted when its tab is chosen, and
// the Two People window opened with a comparison.
// The constructors alone, and the result window shown without the navigation around it, split those
// two paths into their parts.
//
// A window counts as on screen when it is visible, its platform window is exposed and it has
// painted its first frame: the event loop is run until the window's first paint event has been
// handled, which paints the backing store and hands it to the platform. No QWidget::grab() is
// involved; it is the program's own paint. Each iteration is timed by hand, so that making the
// birth details window ready for the click, and tearing everything down, stay outside the
// measured time. median_ms is the median of the single iterations of a repetition, and
// cpu_median_ms the same for the processor time of the thread: on a busy machine the wall time
// also holds the waits for a processor, which the thread's time leaves out.

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <ctime>
#include <memory>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTabBar>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "app/programwindows.h"
#include "bench/windowbench.h"
#include "reading/reading.h"
#include "tests/support/fakedesktop.h"
#include "windows/frmmain.h"
#include "windows/frmninestar.h"
#include "windows/frmtwopeople.h"
#include "windows/kit/partner.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

constexpr int Repetitions = 10;

using Clock = std::chrono::steady_clock;

// The processor time the calling thread has used.
[[nodiscard]] double ThreadCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1.0e6;
}

// The start of one measured stretch, on the wall clock and on the thread's processor clock.
struct Start {
    Clock::time_point wall = Clock::now();
    double cpuMilliseconds = ThreadCpuMilliseconds();
};

// Every top-level window that received a paint event since the last clear(). It listens to the
// whole application, so it also sees a window that is made, shown and painted before the code
// that made it hands it back.
class PaintedWindows final : public QObject {
public:
    PaintedWindows() { QCoreApplication::instance()->installEventFilter(this); }
    ~PaintedWindows() override { QCoreApplication::instance()->removeEventFilter(this); }
    PaintedWindows(const PaintedWindows&) = delete;
    PaintedWindows& operator=(const PaintedWindows&) = delete;

    // Called before every window whose frame is awaited: a deleted window's address may come back
    // for the next one.
    void clear() { m_painted.clear(); }
    [[nodiscard]] bool contains(const QWidget* window) const { return m_painted.contains(window); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow())
            m_painted.insert(watched);
        return QObject::eventFilter(watched, event);
    }

private:
    QSet<const QObject*> m_painted;
};

// Whether a widget of the given name received a paint event since the last clear(); it may be
// made only after the watch began.
class PaintedByName final : public QObject {
public:
    explicit PaintedByName(QString name)
        : m_name(std::move(name))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~PaintedByName() override { QCoreApplication::instance()->removeEventFilter(this); }
    PaintedByName(const PaintedByName&) = delete;
    PaintedByName& operator=(const PaintedByName&) = delete;

    void clear() { m_painted = false; }
    [[nodiscard]] bool painted() const { return m_painted; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->objectName() == m_name)
            m_painted = true;
        return QObject::eventFilter(watched, event);
    }

private:
    QString m_name;
    bool m_painted = false;
};

[[nodiscard]] bool OnScreen(const QWidget* window, const PaintedWindows& painted)
{
    const QWindow* const handle = window->windowHandle();
    return window->isVisible() && handle != nullptr && handle->isExposed() &&
           painted.contains(window);
}

// Runs the event loop until the window is on screen; false when it is not within the limit.
[[nodiscard]] bool WaitForFirstFrame(const QWidget* window, const PaintedWindows& painted)
{
    return ProcessEventsUntil([&] { return OnScreen(window, painted); });
}

// Windows closed with WA_DeleteOnClose go only when their deferred deletion is delivered.
void DeleteClosedWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The times of the single iterations of one repetition.
class Samples {
public:
    explicit Samples(benchmark::State& state)
        : m_state(state)
    {
    }

    void add(const Start& start)
    {
        const double cpu = ThreadCpuMilliseconds() - start.cpuMilliseconds;
        const double seconds = std::chrono::duration<double>(Clock::now() - start.wall).count();
        m_state.SetIterationTime(seconds);
        m_wallMilliseconds.push_back(seconds * 1000.0);
        m_cpuMilliseconds.push_back(cpu);
    }

    void report()
    {
        if (m_wallMilliseconds.empty())
            return;
        m_state.counters["median_ms"] = Median(m_wallMilliseconds);
        m_state.counters["cpu_median_ms"] = Median(m_cpuMilliseconds);
    }

private:
    [[nodiscard]] static double Median(std::vector<double>& values)
    {
        const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
        std::nth_element(values.begin(), middle, values.end());
        return *middle;
    }

    benchmark::State& m_state;
    std::vector<double> m_wallMilliseconds;
    std::vector<double> m_cpuMilliseconds;
};

// The reading a click on cmdProceed computes in a freshly loaded birth details window.
Reading ClickedReading()
{
    return ComputeReading({u"Ann"_s, u"1"_s, u"January"_s, u"1970"_s}, YearRule::Calendar);
}

// The constructors alone; the windows are deleted outside the measured time.
void BuildBirthDetails(benchmark::State& state)
{
    FakeDesktop desktop;
    Samples samples(state);
    for (auto _ : state) {
        const Start start;
        const auto window = std::make_unique<frmMain>(ReadingOptions{}, desktop);
        samples.add(start);
    }
    samples.report();
}

void BuildResultWindow(benchmark::State& state)
{
    FakeDesktop desktop;
    Partner partner;
    const Reading reading = ClickedReading();
    Samples samples(state);
    for (auto _ : state) {
        const Start start;
        const auto window =
            std::make_unique<frmNineStar>(reading, ReadingOptions{}, partner, desktop);
        samples.add(start);
    }
    samples.report();
}

// A birth details window built, shown, painted once and deleted again.
void BirthDetailsRoundTrip(benchmark::State& state)
{
    FakeDesktop desktop;
    PaintedWindows painted;
    Samples samples(state);
    for (auto _ : state) {
        painted.clear();
        const Start start;
        {
            frmMain window(ReadingOptions{}, desktop);
            window.show();
            if (!WaitForFirstFrame(&window, painted)) {
                state.SkipWithError("the birth details window did not show");
                break;
            }
        }
        samples.add(start);
    }
    samples.report();
}

// The result window built, shown and painted once, without the navigation around it; deleted
// outside the measured time.
void ShowResultWindow(benchmark::State& state)
{
    FakeDesktop desktop;
    Partner partner;
    const Reading reading = ClickedReading();
    PaintedWindows painted;
    Samples samples(state);
    for (auto _ : state) {
        painted.clear();
        const Start start;
        const auto window =
            std::make_unique<frmNineStar>(reading, ReadingOptions{}, partner, desktop);
        window->show();
        if (!WaitForFirstFrame(window.get(), painted)) {
            state.SkipWithError("the result window did not show");
            break;
        }
        samples.add(start);
    }
    samples.report();
}

// The measured stretch of a click, on its own so that a profiler can collect just it (callgrind's
// --toggle-collect='*ClickUntilResultShown*' with --benchmark_filter=ClickToResultShown).
[[gnu::noinline]] bool ClickUntilResultShown(QPushButton* proceed, const ProgramWindows& windows,
                                             const PaintedWindows& painted)
{
    QTest::mouseClick(proceed, Qt::LeftButton);
    const frmNineStar* const result = windows.resultWindow();
    return result != nullptr && WaitForFirstFrame(result, painted);
}

// The whole way of a click through the program's navigation: the reading is computed, the result
// window built and shown, the birth details window closed, and the result window painted.
void ClickToResultShown(benchmark::State& state)
{
    FakeDesktop desktop;
    PaintedWindows painted;
    Samples samples(state);
    for (auto _ : state) {
        auto windows = std::make_unique<ProgramWindows>(desktop, ReadingOptions{});
        windows->start();
        const frmMain* const birthDetails = windows->birthDetailsWindow();
        painted.clear();
        if (birthDetails == nullptr || !WaitForFirstFrame(birthDetails, painted)) {
            state.SkipWithError("the birth details window did not show");
            break;
        }
        auto* const name = birthDetails->findChild<QLineEdit*>(u"txtName"_s);
        auto* const proceed = birthDetails->findChild<QPushButton*>(u"cmdProceed"_s);
        if (name == nullptr || proceed == nullptr) {
            state.SkipWithError("no txtName or cmdProceed");
            break;
        }
        QTest::keyClicks(name, u"Ann"_s);
        painted.clear();

        const Start start;
        if (!ClickUntilResultShown(proceed, *windows, painted)) {
            state.SkipWithError("the result window did not show");
            break;
        }
        samples.add(start);

        windows.reset();
        DeleteClosedWindows();
    }
    DeleteClosedWindows();
    samples.report();
}

// The year-ahead tab chosen in a result window already on screen: its page built for today's date
// and painted once. The window is made, shown and deleted outside the measured time.
void ShowYearAheadPage(benchmark::State& state)
{
    FakeDesktop desktop;
    Partner partner;
    desktop.todayDate = QDate(2026, 6, 1);
    const Reading reading = ClickedReading();
    PaintedWindows painted;
    PaintedByName pagePainted(u"picYearAhead"_s);
    Samples samples(state);
    for (auto _ : state) {
        painted.clear();
        const auto window =
            std::make_unique<frmNineStar>(reading, ReadingOptions{}, partner, desktop);
        window->show();
        auto* const tabs = window->findChild<QTabBar*>(u"TS"_s);
        if (!WaitForFirstFrame(window.get(), painted) || tabs == nullptr) {
            state.SkipWithError("the result window did not show");
            break;
        }
        pagePainted.clear();

        const Start start;
        tabs->setCurrentIndex(tabs->count() - 1);
        if (!ProcessEventsUntil([&] { return pagePainted.painted(); })) {
            state.SkipWithError("the year-ahead page did not paint");
            break;
        }
        samples.add(start);
    }
    samples.report();
}

// "Compare With a Partner..." with a partner kept: the Two People window built, the comparison
// computed and shown, and painted once; the result window is made and shown outside the time.
void ShowTwoPeople(benchmark::State& state)
{
    FakeDesktop desktop;
    Partner partner;
    partner.set({u"Bob"_s, u"12"_s, u"August"_s, u"1985"_s});
    const Reading reading = ClickedReading();
    PaintedWindows painted;
    Samples samples(state);
    for (auto _ : state) {
        const auto window =
            std::make_unique<frmNineStar>(reading, ReadingOptions{}, partner, desktop);
        window->show();
        if (!WaitForFirstFrame(window.get(), painted)) {
            state.SkipWithError("the result window did not show");
            break;
        }
        painted.clear();
        const Start start;
        window->compareWithPartner();
        const auto* const twoPeople = window->findChild<frmTwoPeople*>();
        if (twoPeople == nullptr || !WaitForFirstFrame(twoPeople, painted)) {
            state.SkipWithError("the Two People window did not show");
            break;
        }
        samples.add(start);
    }
    samples.report();
}

} // namespace

// Each iteration timed by hand, the medians of a repetition reported.
#define KISTARRA_WINDOW_BENCHMARK(function)                                                        \
    BENCHMARK(function)                                                                            \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->UseManualTime()                                                                          \
        ->Repetitions(Repetitions)                                                                 \
        ->DisplayAggregatesOnly(true)
KISTARRA_WINDOW_BENCHMARK(BuildBirthDetails);
KISTARRA_WINDOW_BENCHMARK(BirthDetailsRoundTrip);
KISTARRA_WINDOW_BENCHMARK(BuildResultWindow);
KISTARRA_WINDOW_BENCHMARK(ShowResultWindow);
KISTARRA_WINDOW_BENCHMARK(ClickToResultShown);
KISTARRA_WINDOW_BENCHMARK(ShowYearAheadPage);
KISTARRA_WINDOW_BENCHMARK(ShowTwoPeople);

} // namespace Kistarra

int main(int argc, char* argv[])
{
    return Kistarra::RunWindowBenchmarks(argc, argv);
}
