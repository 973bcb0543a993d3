#pragma once

#include <array>

#include <QMainWindow>

#include "reading/reading.h"

class QCloseEvent;
class QTabBar;
class QTextEdit;
class QWidget;

namespace Kistarra {

class Desktop;

// The result window: one finished reading on three pages behind a tab strip - the Lo Shu chart
// with the reading text, the Feng Shui element and trigram, and the relationship text - with Back
// and Save buttons, a menu bar and the maker's links. It renders the Reading it is given and
// computes nothing; where the person goes next is the shell's business, told by the signals.
class frmNineStar : public QMainWindow {
    Q_OBJECT

public:
    frmNineStar(const Reading& reading, Desktop& desktop, QWidget* parent = nullptr);
    ~frmNineStar() override;

signals:
    void backRequested();  // cmdBack or mnuBack
    void aboutRequested(); // mnuAbout
    void closing();        // every time the window closes, however it was closed

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    QTextEdit* buildChartPage(QWidget* page);
    void buildElementPage(QWidget* page);
    QTextEdit* buildRelationshipPage(QWidget* page);
    [[nodiscard]] QTextEdit* makeReadingBox(QWidget* page, const QString& name);
    void showPage(int index);
    void showYearAhead(bool shown);
    void openReport();

    const Reading m_reading;
    Desktop& m_desktop;
    QTabBar* m_tabs = nullptr;
    std::array<QWidget*, 3> m_pages{};
    QWidget* m_yearAhead = nullptr; // built when its tab is first chosen
};

} // namespace Kistarra
