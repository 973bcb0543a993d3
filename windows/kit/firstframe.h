#pragma once

#include <functional>

class QWidget;

namespace Kistarra {

// Runs `then` once the window has shown its first frame: after the round of event processing in
// which it painted, so that the frame reaches the screen first. Work that the person need not wait
// for (the program icon, the teardown of the window it replaces) goes there. Nothing runs if the
// window goes before it has painted.
void AfterFirstFrame(QWidget* window, std::function<void()> then);

} // namespace Kistarra
