#include "windows/monthpicker.h"

#include <algorithm>

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

#include "engine/ninestar.h"
#include "engine/daterange.h"
#include "windows/kit/theme.h"
#include "windows/kit/widgets.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

MonthPicker::MonthPicker(QDate shown, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(u"frmGoToMonth"_s);
    SetUpWindow(this, TextSize::Dialog);
    setWindowTitle(u"Go to Month"_s);
    setAccessibleName(u"Go to Month"_s);
    m_month = new QComboBox(this);
    m_month->setObjectName(u"cboGoToMonth"_s);
    m_month->setAccessibleName(u"Month"_s);
    for (const QStringView name : MonthNames)
        m_month->addItem(name.toString());
    m_month->setCurrentIndex(shown.month() - 1);
    m_year = new QSpinBox(this);
    m_year->setObjectName(u"spnGoToYear"_s);
    m_year->setAccessibleName(u"Year"_s);
    m_year->setRange(DateRange::FirstDate().year(), DateRange::LastDate().year());
    m_year->setValue(shown.year());
    auto* const buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* const form = new QFormLayout(this);
    auto* const monthLabel = new QLabel(u"&Month:"_s, this);
    monthLabel->setBuddy(m_month);
    auto* const yearLabel = new QLabel(u"&Year:"_s, this);
    yearLabel->setBuddy(m_year);
    form->addRow(monthLabel, m_month);
    form->addRow(yearLabel, m_year);
    form->addRow(buttons);
    SetColours(this, PaleText, WindowGrey);
    ThemeField(m_year);
    for (QAbstractButton* const button : buttons->buttons())
        SetColours(button, Black, Silver);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_month->setFocus();
}

QDate MonthPicker::chosenMonth() const
{
    const QDate first(m_year->value(), m_month->currentIndex() + 1, 1);
    const QDate earliest = DateRange::FirstDate();
    return std::max(first, QDate(earliest.year(), earliest.month(), 1));
}

} // namespace Kistarra
