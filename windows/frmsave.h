#pragma once

#include <QDialog>

#include "reading/reading.h"
#include "windows/windowkit.h"

class QTextEdit;
class QWidget;

namespace Kistarra {

class Desktop;

// The report window: the reading as one plain text report, saved as a .nsk file (the birth
// details only) or printed between two attribution lines. The result window opens it modally
// and it closes with nothing more to do.
class frmSave : public QDialog {
    Q_OBJECT

public:
    frmSave(const Reading& reading, Desktop& desktop, QWidget* parent = nullptr);
    ~frmSave() override;

private:
    struct Links {
        LinkLabel* forum = nullptr;
        LinkLabel* visit = nullptr;
        BrandLinks brand;
    };

    [[nodiscard]] Links buildLinks();
    void saveReading();
    void printReport();

    const Reading m_reading;
    Desktop& m_desktop;
    QTextEdit* m_report = nullptr;
    QTextEdit* m_printBuffer = nullptr;
};

} // namespace Kistarra
