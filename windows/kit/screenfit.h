#pragma once

#include <QSize>

class QWidget;

// The windows that size themselves from their contents (the calendar, the time zone list) open
// no larger than the screen they open on, and where they can be seen whole: at a large scale
// factor the size they would like is more than a small screen holds.
namespace Kistarra {

// The wanted size, made no larger than the free area of the screen the window opens on.
[[nodiscard]] QSize FittedToScreen(const QWidget* window, QSize wanted);

// Each time the window is shown, moves it (its frame too) inside that free area.
void KeepOnScreen(QWidget* window);

} // namespace Kistarra
