#pragma once

#include <QObject>
#include <QPointer>

#include "app/unloadallforms.h"
#include "reading/readingoptions.h"
#include "windows/kit/partner.h"

namespace Kistarra {

class Desktop;
class frmFarewell;
class frmMain;
class frmNineStar;
struct Reading;

// The program's way between its windows, the one place that knows which window opens which. The
// birth details window makes way for the result window once a reading is ready; the result
// window's Back brings a freshly loaded birth details window and its Save the modal report window;
// About, from either window's Help menu, the modal about window. Exactly one of the birth details
// and result windows is open at a time, and each is deleted when it closes. Leaving either of them
// any other way shows the farewell window, whose closing ends the program.
class ProgramWindows : public QObject {
    Q_OBJECT

public:
    ProgramWindows(Desktop& desktop, const ReadingOptions& options, QObject* parent = nullptr);
    ~ProgramWindows() override;

    // Shows the first birth details window.
    void start();

    // The reading options every window is built with: the one copy the program holds. The
    // person's change of them in a birth details window holds for the next windows and is told
    // through optionsChanged.
    [[nodiscard]] const ReadingOptions& options() const { return m_options; }

    // The window of each kind that is open now, or null.
    [[nodiscard]] frmMain* birthDetailsWindow() const;
    [[nodiscard]] frmNineStar* resultWindow() const;
    [[nodiscard]] frmFarewell* farewellWindow() const;

signals:
    void optionsChanged(const Kistarra::ReadingOptions& options);

private:
    void showBirthDetails();
    void showReading(const Reading& reading);
    void showFarewell();
    void goBack();

    Desktop& m_desktop;
    ReadingOptions m_options;
    // The partner of the Two People window, for the run: every result window is handed it.
    Partner m_partner;
    FormUnloader m_unloader;
    QPointer<frmMain> m_birthDetails;
    // A birth details window closed for a reading, until the result window has been painted.
    QPointer<frmMain> m_leaving;
    QPointer<frmNineStar> m_result;
    QPointer<frmFarewell> m_farewell;
};

} // namespace Kistarra
