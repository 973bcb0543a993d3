#include "app/programwindows.h"

#include "windows/frmabout.h"
#include "windows/frmfarewell.h"
#include "windows/frmmain.h"
#include "windows/frmninestar.h"
#include "windows/kit/firstframe.h"
#include "windows/frmsave.h"
#include "windows/kit/widgets.h"

namespace Kistarra {

ProgramWindows::ProgramWindows(Desktop& desktop, const ReadingOptions& options, QObject* parent)
    : QObject(parent)
    , m_desktop(desktop)
    , m_options(options)
{
}

// The windows have no parent, so whatever is still open when the navigation ends goes with it.
ProgramWindows::~ProgramWindows()
{
    delete m_farewell.data();
    delete m_result.data();
    delete m_birthDetails.data();
    delete m_leaving.data();
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

frmFarewell* ProgramWindows::farewellWindow() const
{
    return m_farewell.data();
}

void ProgramWindows::showBirthDetails()
{
    auto* const window = new frmMain(m_options, m_desktop);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &frmMain::optionsChanged, this, [this](const ReadingOptions& options) {
        m_options = options;
        emit optionsChanged(options);
    });
    connect(window, &frmMain::readingReady, this, &ProgramWindows::showReading);
    const QPointer<frmMain> opener = window;
    connect(window, &frmMain::aboutRequested, this, [this, opener] {
        if (opener)
            ShowModal(new frmAbout(m_desktop, opener));
    });
    connect(window, &frmMain::closing, this, [this](bool forReading) {
        if (!forReading)
            showFarewell();
    });
    m_birthDetails = window;
    window->show();
}

void ProgramWindows::showReading(const Reading& reading)
{
    auto* const window = new frmNineStar(reading, m_options, m_partner, m_desktop);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &frmNineStar::backRequested, this, &ProgramWindows::goBack);
    const QPointer<frmNineStar> opener = window;
    connect(window, &frmNineStar::reportRequested, this, [this, opener, reading] {
        if (opener)
            ShowModal(new frmSave(reading, m_desktop, opener));
    });
    connect(window, &frmNineStar::aboutRequested, this, [this, opener] {
        if (opener)
            ShowModal(new frmAbout(m_desktop, opener));
    });
    connect(window, &frmNineStar::closing, this, &ProgramWindows::showFarewell);
    m_result = window;
    // The result window is on screen before the birth details window goes, so the program never
    // passes through a moment without a window and does not quit. The birth details window leaves
    // the screen at once, but is deleted only after the result window's first frame: the person
    // waits for that frame, not for the old window's teardown.
    window->show();
    if (m_birthDetails) {
        delete m_leaving.data();
        m_leaving = m_birthDetails;
        m_leaving->setAttribute(Qt::WA_DeleteOnClose, false);
        m_leaving->closeForReading();
        m_birthDetails = nullptr;
        AfterFirstFrame(window, [leaving = m_leaving] { delete leaving.data(); });
    }
}

// One farewell window per run: shown again, with the appeal it drew, if Back hid it earlier.
void ProgramWindows::showFarewell()
{
    if (!m_farewell) {
        auto* const window = new frmFarewell(m_desktop);
        window->setAttribute(Qt::WA_DeleteOnClose);
        connect(window, &frmFarewell::exitRequested, this, [this] { m_unloader.UnloadAllForms(); });
        m_farewell = window;
    }
    m_farewell->show();
}

// Closing the result window shows the farewell window like any other leaving; Back takes it
// away again at once, so only the fresh birth details window remains on screen.
void ProgramWindows::goBack()
{
    showBirthDetails();
    if (m_result)
        m_result->close();
    if (m_farewell)
        m_farewell->hide();
}

} // namespace Kistarra
