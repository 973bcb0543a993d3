#pragma once

#include <memory>
#include <utility>

#include <QString>

#include "tests/support/fakedesktop.h"
#include "tests/support/windowtesting.h"

namespace Kistarra {

// One window under test and the scripted desktop it talks to, as a window suite keeps them:
// setUp() from init() gives every test a fresh desktop, make() builds the window on it, show() or
// showActive() puts it on screen, find() reaches its controls or ends the run, and cleanUp() from
// cleanup() deletes the window and then its desktop.
template <typename Window>
class WindowFixture {
public:
    void setUp()
    {
        m_window.reset();
        m_desktop = std::make_unique<FakeDesktop>();
    }

    void cleanUp()
    {
        m_window.reset();
        m_desktop.reset();
    }

    [[nodiscard]] FakeDesktop& desktop() const { return *m_desktop; }
    [[nodiscard]] Window* window() const { return m_window.get(); }

    // The window made with these arguments followed by the desktop; it replaces any earlier one.
    template <typename... Arguments>
    Window* make(Arguments&&... arguments)
    {
        m_window.reset();
        m_window = std::make_unique<Window>(std::forward<Arguments>(arguments)..., *m_desktop);
        return m_window.get();
    }

    // A window made elsewhere, kept and deleted like one of make().
    Window* adopt(std::unique_ptr<Window> window)
    {
        m_window = std::move(window);
        return m_window.get();
    }

    // The window on screen; one that never gets there ends the run.
    Window* show()
    {
        ShowAndWaitExposed(*m_window);
        return m_window.get();
    }

    // The window on screen and active, as after a click on it; one that never is ends the run.
    Window* showActive()
    {
        ShowAndWaitActive(*m_window);
        return m_window.get();
    }

    template <typename Control>
    [[nodiscard]] Control* find(const QString& name) const
    {
        return Find<Control>(m_window.get(), name);
    }

private:
    std::unique_ptr<FakeDesktop> m_desktop;
    std::unique_ptr<Window> m_window;
};

} // namespace Kistarra
