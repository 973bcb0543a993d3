#pragma once

#include <memory>

#include <QDialog>

#include "reading/reading.h"
class QTextEdit;
class QWidget;

namespace Ui {
class frmSave;
}

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
    void saveReading();
    void printReport();

    const Reading m_reading;
    Desktop& m_desktop;
    // The fixed layout, from frmsave.ui; its controls carry their given names.
    std::unique_ptr<Ui::frmSave> m_ui;
    QTextEdit* m_reportBox = nullptr;
    QTextEdit* m_printBuffer = nullptr;
};

} // namespace Kistarra
