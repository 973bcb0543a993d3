#include "shell/programwindows.h"

#include "input/frmmain.h"
#include "reading/frmninestar.h"

namespace Kistarra {

ProgramWindows::ProgramWindows(Desktop& desktop, QObject* parent)
    : QObject(parent)
    , m_desktop(desktop)
{
}

// The windows have no parent, so whatever is still open when the navigation ends goes with it.
ProgramWindows::~ProgramWindows()
{
    delete m_result.data();
    delete m_birthDetails.data();
}

void ProgramWindows::start()
{
    showBirthDetails();
}

frmMain* ProgramWindows::birthDetailsWindow() const
{
    return m_birthDetails.data();
}

frmNineStar* ProgramWindows::resultWindow() const
{
    return m_result.data();
}

void ProgramWindows::showBirthDetails()
{
    auto* const window = new frmMain(m_desktop);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &frmMain::readingReady, this, &ProgramWindows::showReading);
    m_birthDetails = window;
    window->show();
}

void ProgramWindows::showReading(const Reading& reading)
{
    auto* const window = new frmNineStar(reading, m_desktop);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &frmNineStar::backRequested, this, &ProgramWindows::goBack);
    m_result = window;
    // The result window is on screen before the birth details window goes, so the program never
    // passes through a moment without a window and does not quit.
    window->show();
    if (m_birthDetails)
        m_birthDetails->closeForReading();
}

void ProgramWindows::goBack()
{
    showBirthDetails();
    if (m_result)
        m_result->close();
}

} // namespace Kistarra
