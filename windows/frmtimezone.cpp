#include "windows/frmtimezone.h"

#include <QCoreApplication>
#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimeZone>
#include <QVBoxLayout>

#include "engine/timezones.h"
#include "reading/datetext.h"
#include "windows/kit/screenfit.h"
#include "windows/kit/theme.h"
#include "windows/kit/widgets.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// Each entry keeps its zone id here; the computer's own zone has none.
constexpr int IdRole = Qt::UserRole;

QLabel* MakeBuddyLabel(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* const label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

frmTimeZone::frmTimeZone(const QByteArray& chosen, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(u"frmTimeZone"_s);
    SetUpWindow(this, TextSize::Dialog);
    setWindowTitle(u"Time Zone"_s);
    setAccessibleName(u"Time Zone"_s);

    m_filter = new QLineEdit(this);
    m_filter->setObjectName(u"txtZoneFilter"_s);
    m_filter->setAccessibleName(u"Filter time zones"_s);
    m_filter->setClearButtonEnabled(true);
    m_filter->installEventFilter(this);
    m_zones = new QListWidget(this);
    m_zones->setObjectName(u"lstTimeZones"_s);
    m_zones->setAccessibleName(u"Time zones"_s);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->setObjectName(u"cmdZoneButtons"_s);

    auto* const layout = new QVBoxLayout(this);
    layout->addWidget(MakeBuddyLabel(u"&Filter:"_s, m_filter, this));
    layout->addWidget(m_filter);
    layout->addWidget(MakeBuddyLabel(u"Time &zones:"_s, m_zones, this));
    layout->addWidget(m_zones, 1);
    layout->addWidget(m_buttons);
    // The look of the program's other dialogs: pale words on the dark grey, the fields and list
    // black on silver, the buttons silver.
    SetColours(this, PaleText, WindowGrey);
    ThemeField(m_filter);
    ThemeField(m_zones);
    for (QAbstractButton* const button : m_buttons->buttons())
        SetColours(button, Black, Silver);

    fillList(chosen);
    connect(m_filter, &QLineEdit::textChanged, this, &frmTimeZone::narrow);
    connect(m_zones, &QListWidget::itemActivated, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::accepted, this, [this] { emit zoneChosen(choice()); });
    m_filter->setFocus();
    setFixedSize(FittedToScreen(this, QSize(340, 380)));
    KeepOnScreen(this);
}

frmTimeZone::~frmTimeZone() = default;

QByteArray frmTimeZone::choice() const
{
    const QListWidgetItem* const item = m_zones->currentItem();
    return item == nullptr ? QByteArray() : item->data(IdRole).toByteArray();
}

void frmTimeZone::fillList(const QByteArray& chosen)
{
    const ComputerTimeZone computers = ComputersTimeZone();
    auto* const own = new QListWidgetItem(
        computers.unknownName.isEmpty()
            ? u"The computer's time zone (%1)"_s.arg(QString::fromUtf8(computers.zone.id()))
            : ZoneInUseName(computers.zone),
        m_zones);
    own->setData(IdRole, QByteArray());
    m_zones->setCurrentItem(own);
    // A zone chosen by an older name, which the database keeps as a link only, or by an offset
    // outside Qt's list heads the list; a stored name that is no zone is not offered: the charts
    // use the computer's zone instead, which stays chosen.
    const QList<QByteArray> listed = QTimeZone::availableTimeZoneIds();
    QList<QByteArray> ids;
    if (!chosen.isEmpty() && !listed.contains(chosen) &&
        TimeZoneFromId(QString::fromLatin1(chosen)))
        ids.append(chosen);
    ids.append(listed);
    for (const QByteArray& id : ids) {
        auto* const item = new QListWidgetItem(QString::fromUtf8(id), m_zones);
        item->setData(IdRole, id);
        if (id == chosen)
            m_zones->setCurrentItem(item);
    }
    m_zones->scrollToItem(m_zones->currentItem(), QAbstractItemView::PositionAtCenter);
}

// Hides the entries whose text lacks the filter's; the highlight moves to the first one left when
// its own entry goes.
void frmTimeZone::narrow(const QString& text)
{
    const QString wanted = text.trimmed();
    QListWidgetItem* first = nullptr;
    for (int row = 0; row < m_zones->count(); ++row) {
        QListWidgetItem* const item = m_zones->item(row);
        const bool shown = item->text().contains(wanted, Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (shown && first == nullptr)
            first = item;
    }
    QListWidgetItem* const current = m_zones->currentItem();
    if (current == nullptr || current->isHidden())
        m_zones->setCurrentItem(first);
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(first != nullptr);
}

// Up, Down, Page Up and Page Down typed in the filter box move the highlight in the list.
bool frmTimeZone::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_filter && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
            key == Qt::Key_PageDown) {
            QCoreApplication::sendEvent(m_zones, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace Kistarra
