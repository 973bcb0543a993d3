#pragma once

#include <memory>

#include <QMainWindow>

#include "reading/reading.h"
#include "reading/readingoptions.h"
#include "windows/kit/birthfields.h"
#include "windows/kit/brandlinks.h"

namespace Ui {
class frmMain;
}

namespace Kistarra {

class Desktop;

// The birth details window: the person types a name, picks a birth date from three lists, or
// opens a saved reading, and asks for the reading. It computes the reading with the core and hands
// it on through readingReady; which window shows it, and what closing means, is the program's
// navigation's business, not this window's.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    // The window with the reading options its readings are computed with.
    frmMain(const ReadingOptions& options, Desktop& desktop, QWidget* parent = nullptr);
    ~frmMain() override;

    // True when the name holds more than blanks. Otherwise says "Please Enter Your Name", puts the
    // focus into the name field and returns false.
    [[nodiscard]] bool CheckDetails();

    // Closes the window because a reading is now on screen; closing(true) tells the listeners that
    // the person is not leaving the program.
    void closeForReading();

    // The open flow for a file already chosen (the file manager hands one to the program): the
    // same checks and messages as Open, then the reading.
    void openFile(const QString& path);
    // What the open flow says of a file it cannot read.
    void refuseFile();

    // The reading options, which the person changes in the File menu: the check of "Count Years
    // From 4 February" (the year rule), the "Time Zone..." dialog and the check of "Use True
    // Solar Terms". Each change is told through optionsChanged.
    [[nodiscard]] const ReadingOptions& options() const { return m_options; }
    // The two promotional labels of the brand frame, which the start-up draw puts in front.
    [[nodiscard]] BrandLinks brandLinks() const;

signals:
    void readingReady(const Kistarra::Reading& reading);
    void optionsChanged(const Kistarra::ReadingOptions& options);
    void aboutRequested();
    void closing(bool forReading);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void applyTheme();
    void buildMenus();
    void chooseTimeZone();
    void changeOptions(const ReadingOptions& options);
    [[nodiscard]] BirthFields fields() const;

    void proceed();
    void openSavedReading();

    Desktop& m_desktop;
    bool m_closingForReading = false;
    ReadingOptions m_options;

    // The fixed layout, from frmmain.ui; its controls carry their given names.
    std::unique_ptr<Ui::frmMain> m_ui;
};

} // namespace Kistarra
