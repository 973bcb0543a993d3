#pragma once

#include <QObject>
#include <QPointer>

namespace Kistarra {

class Desktop;
class frmMain;
class frmNineStar;
struct Reading;

// The program's way between its two main windows: the birth details window, which makes way for
// the result window once a reading is ready, and the result window, whose Back brings a freshly
// loaded birth details window. Exactly one of the two is open at a time, and each is deleted when
// it closes.
class ProgramWindows : public QObject {
    Q_OBJECT

public:
    explicit ProgramWindows(Desktop& desktop, QObject* parent = nullptr);
    ~ProgramWindows() override;

    // Shows the first birth details window.
    void start();

    // The window of each kind that is open now, or null.
    [[nodiscard]] frmMain* birthDetailsWindow() const;
    [[nodiscard]] frmNineStar* resultWindow() const;

private:
    void showBirthDetails();
    void showReading(const Reading& reading);
    void goBack();

    Desktop& m_desktop;
    QPointer<frmMain> m_birthDetails;
    QPointer<frmNineStar> m_result;
};

} // namespace Kistarra
