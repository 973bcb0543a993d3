#pragma once

#include <memory>

#include <QMainWindow>

#include "reading/reading.h"
#include "windows/brandlinks.h"

class QAction;

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
    explicit frmMain(Desktop& desktop, QWidget* parent = nullptr);
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

    // The year rule readings are computed with, shown as the check of the File menu's "Count
    // Years From 4 February" entry. Setting it tells no one; the person's click on the entry
    // does, through yearRuleChanged.
    void setYearRule(YearRule rule);
    [[nodiscard]] YearRule yearRule() const { return m_yearRule; }
    // The time zone the solar terms are read in (its id, empty for the computer's own zone) and
    // whether the reading follows the true solar terms: the File menu's "Time Zone..." dialog and
    // the check of its "Use True Solar Terms" entry. Setting them tells no one; the person's
    // choices do, through timeZoneChanged and trueSolarTermsChanged.
    void setTimeZoneId(const QByteArray& id);
    [[nodiscard]] QByteArray timeZoneId() const { return m_timeZoneId; }
    void setTrueSolarTerms(bool on);
    [[nodiscard]] bool trueSolarTerms() const { return m_trueSolarTerms; }
    // The two promotional labels of the brand frame, which the start-up draw puts in front.
    [[nodiscard]] BrandLinks brandLinks() const;

signals:
    void readingReady(const Kistarra::Reading& reading);
    void yearRuleChanged(Kistarra::YearRule rule);
    void timeZoneChanged(const QByteArray& id);
    void trueSolarTermsChanged(bool on);
    void aboutRequested();
    void closing(bool forReading);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void applyTheme();
    void buildMenus();
    void yearRuleToggled();
    void chooseTimeZone();
    void fillLists();

    void proceed();
    void openSavedReading();

    Desktop& m_desktop;
    bool m_closingForReading = false;
    YearRule m_yearRule = YearRule::Calendar;
    QAction* m_solarYear = nullptr;
    QByteArray m_timeZoneId;
    bool m_trueSolarTerms = false;
    QAction* m_solarTerms = nullptr;

    // The fixed layout, from frmmain.ui; its controls carry their given names.
    std::unique_ptr<Ui::frmMain> m_ui;
};

} // namespace Kistarra
