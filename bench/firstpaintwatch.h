#pragma once

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <utility>

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QWidget>

namespace Kistarra {

// Notices the first paint event a top-level window receives. That event arrives in the middle of
// painting the window's backing store: the children are painted after it and the picture is
// handed to the platform after them, all within the same round of event processing. Whoever waits
// for the first frame therefore lets that round finish (a queued call, or the return of
// processEvents) before taking the frame as shown.
class FirstPaintWatch final : public QObject {
public:
    explicit FirstPaintWatch(QWidget* window, std::function<void()> onFirstPaint = {})
        : m_window(window)
        , m_onFirstPaint(std::move(onFirstPaint))
    {
        window->installEventFilter(this);
    }

    [[nodiscard]] bool painted() const { return m_painted; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_painted && watched == m_window && event->type() == QEvent::Paint) {
            m_painted = true;
            if (m_onFirstPaint)
                m_onFirstPaint();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* m_window;
    std::function<void()> m_onFirstPaint;
    bool m_painted = false;
};

// Ends the process once the round of event processing that paints a window's first frame has
// handed the frame to the platform: called from a FirstPaintWatch, it posts the end behind the
// painting, ahead of anything the program posts while it paints. Nothing is torn down, so the
// measured start runs from exec to the first frame and no further. `last` runs just before the
// end (to print, or to give up a lock).
inline void EndAfterFirstFrame(std::function<void()> last = {})
{
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [last = std::move(last)] {
            if (last)
                last();
            std::fflush(stdout);
            std::_Exit(0);
        },
        Qt::QueuedConnection);
}

} // namespace Kistarra
