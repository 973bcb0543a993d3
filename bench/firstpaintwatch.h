#pragma once

#include <functional>
#include <utility>

#include <QEvent>
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

} // namespace Kistarra
