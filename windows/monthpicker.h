#pragma once

#include <QDate>
#include <QDialog>

class QComboBox;
class QSpinBox;

namespace Kistarra {

// The calendar's Go to month dialog (Ctrl+G): a month and a year of the calendar's range.
class MonthPicker : public QDialog {
    Q_OBJECT

public:
    MonthPicker(QDate shown, QWidget* parent);

    // The first day of the month picked, moved into the range where it lies before it.
    [[nodiscard]] QDate chosenMonth() const;

private:
    QComboBox* m_month = nullptr;
    QSpinBox* m_year = nullptr;
};

} // namespace Kistarra
