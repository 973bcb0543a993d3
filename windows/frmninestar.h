#pragma once

#include <array>
#include <memory>

#include <QMainWindow>
#include <QPointer>

#include "reading/reading.h"
#include "reading/readingoptions.h"

class QCloseEvent;
class QLabel;
class QTabBar;
class QWidget;

namespace Ui {
class frmNineStar;
}

namespace Kistarra {

class Desktop;
class Partner;
class frmTwoPeople;
class YearAheadPage;

// The result window: one finished reading on four pages behind a tab strip - the Lo Shu chart
// with the reading text, the Feng Shui element and trigram, the relationship text and the year
// ahead - with Back and Save buttons, a menu bar and the maker's links. It renders the Reading it
// is given and computes nothing; where the person goes next is ProgramWindows' business, told by
// the signals.
class frmNineStar : public QMainWindow {
    Q_OBJECT

public:
    // The reading, and the options the year ahead is drawn with (its zone).
    frmNineStar(const Reading& reading, const ReadingOptions& options, Partner& partner,
                Desktop& desktop, QWidget* parent = nullptr);
    ~frmNineStar() override;

public slots:
    // Opens the Two People window for the person shown, or brings it to the front.
    void compareWithPartner();

signals:
    void backRequested();   // cmdBack or mnuBack
    void reportRequested(); // cmdSave
    void aboutRequested();  // mnuAbout
    void closing();         // every time the window closes, however it was closed

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void applyTheme();
    void connectLinks();
    void buildMenus();
    void showChart();
    void showReadingYear();
    void showProfile();
    void showPage(int index);
    void fillPage(std::size_t index);
    void showYearAhead(bool shown);

    const Reading m_reading;
    const ReadingOptions m_options;
    Partner& m_partner;
    Desktop& m_desktop;
    // The fixed layout, from frmninestar.ui; its controls carry their given names.
    std::unique_ptr<Ui::frmNineStar> m_ui;
    QTabBar* m_tabs = nullptr;
    std::array<QWidget*, 3> m_pages{};
    std::array<bool, 3> m_filled = {true, false, false}; // the chart is filled at once
    std::array<QLabel*, 9> m_cells{};                    // the label of cell n at n - 1
    YearAheadPage* m_yearAhead = nullptr;                // built when its tab is first chosen
    QPointer<frmTwoPeople> m_twoPeople;                  // made when first asked for
};

} // namespace Kistarra
