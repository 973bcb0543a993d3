#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>

// What the benchmarks of windows share: the wait for a paint, and their main().
namespace Kistarra {

inline constexpr int WaitLimitMs = 5000;

// Runs the event loop until done() holds; false when it does not within WaitLimitMs.
// processEvents returns only after the round that delivered a paint event has painted the
// children too and flushed the frame.
template <typename Done>
[[nodiscard]] bool ProcessEventsUntil(Done done)
{
    const QDeadlineTimer deadline(WaitLimitMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    return true;
}

// The windows need an application object, and a platform: offscreen unless one is chosen.
inline int RunWindowBenchmarks(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QApplication application(argc, argv);
    // No event loop runs here, but the windows close all the time.
    QApplication::setQuitOnLastWindowClosed(false);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace Kistarra
