#include "windows/kit/firstframe.h"

#include <utility>

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QWidget>

namespace Kistarra {

namespace {

// Watches one window for its first paint event, then hands the work to the event loop and goes.
class FirstFrameWatch final : public QObject {
public:
    FirstFrameWatch(QWidget* window, std::function<void()> then)
        : QObject(window)
        , m_then(std::move(then))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == parent() && event->type() == QEvent::Paint && m_then) {
            watched->removeEventFilter(this);
            // The paint event of the window comes before its children are painted and the frame
            // is handed on; a queued call runs after all of that.
            QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(m_then),
                                      Qt::QueuedConnection);
            m_then = nullptr;
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_then;
};

} // namespace

void AfterFirstFrame(QWidget* window, std::function<void()> then)
{
    new FirstFrameWatch(window, std::move(then));
}

} // namespace Kistarra
