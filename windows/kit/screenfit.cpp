#include "windows/kit/screenfit.h"

#include <algorithm>

#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace Kistarra {

namespace {

class ScreenKeeper : public QObject {
public:
    explicit ScreenKeeper(QWidget* window)
        : QObject(window)
        , m_window(window)
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && event->type() == QEvent::Show)
            moveOnScreen();
        return false;
    }

private:
    void moveOnScreen() const
    {
        const QScreen* const screen = m_window->screen();
        if (screen == nullptr)
            return;
        const QRect free = screen->availableGeometry();
        const QRect frame = m_window->frameGeometry();
        // A frame wider than the screen keeps its left edge, where the title and menu are.
        const int left =
            std::max(free.left(), std::min(frame.left(), free.right() - frame.width() + 1));
        const int top =
            std::max(free.top(), std::min(frame.top(), free.bottom() - frame.height() + 1));
        if (left != frame.left() || top != frame.top())
            m_window->move(left, top);
    }

    QWidget* m_window;
};

} // namespace

QSize FittedToScreen(const QWidget* window, QSize wanted)
{
    const QScreen* const screen = window->screen();
    if (screen == nullptr)
        return wanted;
    // Before the first show the frame is not known; a title bar and borders of a usual desktop.
    const QSize frame =
        window->isVisible() ? window->frameGeometry().size() - window->size() : QSize(8, 32);
    return wanted.boundedTo(screen->availableGeometry().size() - frame);
}

void KeepOnScreen(QWidget* window)
{
    window->installEventFilter(new ScreenKeeper(window));
}

} // namespace Kistarra
