#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>

#include "app/unloadallforms.h"
#include "engine/ninestar.h"

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
    explicit ProgramWindows(Desktop& desktop, QObject* parent = nullptr);
    ~ProgramWindows() override;

    // Shows the first birth details window.
    void start();

    // The year rule every birth details window opens with; the person's change of it in one of
    // them holds for the next ones too and is told through yearRuleChanged.
    void setYearRule(YearRule rule);
    [[nodiscard]] YearRule yearRule() const { return m_yearRule; }

    // The time zone id (empty: the computer's own zone) and the true solar terms option every
    // birth details window opens with, and the result window is given; the person's change of
    // either in a birth details window holds for the next windows and is told through
    // timeZoneChanged and trueSolarTermsChanged.
    void setTimeZoneId(const QByteArray& id);
    void setTrueSolarTerms(bool on);

    // The window of each kind that is open now, or null.
    [[nodiscard]] frmMain* birthDetailsWindow() const;
    [[nodiscard]] frmNineStar* resultWindow() const;
    [[nodiscard]] frmFarewell* farewellWindow() const;

signals:
    void yearRuleChanged(Kistarra::YearRule rule);
    void timeZoneChanged(const QByteArray& id);
    void trueSolarTermsChanged(bool on);

private:
    void showBirthDetails();
    void showReading(const Reading& reading);
    void showFarewell();
    void goBack();

    Desktop& m_desktop;
    YearRule m_yearRule = YearRule::Calendar;
    QByteArray m_timeZoneId;
    bool m_trueSolarTerms = false;
    FormUnloader m_unloader;
    QPointer<frmMain> m_birthDetails;
    // A birth details window closed for a reading, until the result window has been painted.
    QPointer<frmMain> m_leaving;
    QPointer<frmNineStar> m_result;
    QPointer<frmFarewell> m_farewell;
};

} // namespace Kistarra
