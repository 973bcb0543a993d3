#pragma once

#include <optional>

#include <QWidget>

#include "reading/comparison.h"
#include "reading/reading.h"
#include "reading/readingoptions.h"
#include "windows/kit/birthfields.h"

class QKeyEvent;
class QLabel;
class QPushButton;
class QTextEdit;

namespace Kistarra {

class Desktop;
class Partner;

// The Two People window: the partner's name and birth date, taken as the birth details window
// takes them (typed, or opened from a saved reading), and how the person shown and the partner
// meet, read from the reading's own tables. Compare keeps the partner for the run, so that the
// calendar can offer the days good for both; the comparison can be printed or saved as a PDF.
class frmTwoPeople : public QWidget {
    Q_OBJECT

public:
    // The person's reading and the options the partner's reading is computed with, as the birth
    // details window computes one. A partner already kept is shown and compared at once.
    frmTwoPeople(const Reading& person, const ReadingOptions& options, Partner& partner,
                 Desktop& desktop, QWidget* parent = nullptr);
    ~frmTwoPeople() override;

    // Checks the partner's details with the birth details window's messages; then shows the
    // comparison and keeps the partner. False when a check refused them.
    bool compare();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void makeControls();
    void openSavedReading();
    void printComparison();
    void saveAsPdf();

    const Reading m_person;
    const ReadingOptions m_options;
    Partner& m_partner;
    Desktop& m_desktop;
    BirthFields m_fields;
    QLabel* m_title = nullptr;
    QTextEdit* m_comparisonBox = nullptr;
    QPushButton* m_open = nullptr;
    QPushButton* m_compare = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_pdf = nullptr;
    // The partner's reading and the comparison shown, once Compare has shown one.
    std::optional<Reading> m_partnerReading;
    Comparison m_comparison;
};

} // namespace Kistarra
