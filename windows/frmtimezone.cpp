#include "windows/frmtimezone.h"

#include <algorithm>
#include <utility>

#include <QCoreApplication>
#include <QAbstractButton>
#include <QDateTime>
#include <QHash>
#include <QLocale>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimeZone>
#include <QVBoxLayout>

#include "engine/timezones.h"
#include "reading/calendarwords.h"
#include "reading/datetext.h"
#include "windows/kit/screenfit.h"
#include "windows/kit/theme.h"
#include "windows/kit/widgets.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// Each entry keeps its zone id here; the computer's own zone has none.
constexpr int IdRole = Qt::UserRole;

// A zone's entry: its id and its offset now. The offset is looked up the first time the entry is
// drawn or read, so that the dialog opens without reading six hundred zones' rules.
class ZoneItem final : public QListWidgetItem {
public:
    // pattern: the entry's words, %1 standing for the offset.
    ZoneItem(const QByteArray& id, QString pattern, QListWidget* list)
        : QListWidgetItem(list, QListWidgetItem::UserType)
        , m_pattern(std::move(pattern))
    {
        setData(IdRole, id);
    }

    [[nodiscard]] QVariant data(int role) const override
    {
        if (role != Qt::DisplayRole)
            return QListWidgetItem::data(role);
        if (m_text.isEmpty()) {
            const QByteArray id = QListWidgetItem::data(IdRole).toByteArray();
            const auto zone = id.isEmpty() ? std::optional(ComputersTimeZone().zone)
                                           : TimeZoneFromId(QString::fromLatin1(id));
            m_text = m_pattern.arg(
                zone ? UtcOffsetText(zone->offsetFromUtc(QDateTime::currentDateTimeUtc()))
                     : QString());
        }
        return m_text;
    }

private:
    QString m_pattern;
    mutable QString m_text;
};

// The words a filter matches in an id: its parts with spaces for the underscores.
QString Searchable(const QByteArray& id)
{
    QString text = QString::fromUtf8(id);
    text.replace(u'_', u' ');
    return text;
}

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
    m_nothing = new QLabel(u"No time zone matches"_s, this);
    m_nothing->setObjectName(u"lblNoZone"_s);
    m_nothing->hide();
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->setObjectName(u"cmdZoneButtons"_s);

    auto* const layout = new QVBoxLayout(this);
    layout->addWidget(MakeBuddyLabel(u"&Filter:"_s, m_filter, this));
    layout->addWidget(m_filter);
    layout->addWidget(MakeBuddyLabel(u"Time &zones:"_s, m_zones, this));
    layout->addWidget(m_zones, 1);
    layout->addWidget(m_nothing);
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
    // The list's rows are all one height: the view need not ask each entry for its size.
    m_zones->setUniformItemSizes(true);
    setSizeGripEnabled(true);
    setMinimumSize(layout->minimumSize());
    resize(FittedToScreen(this, QSize(380, 420)));
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
    QListWidgetItem* const own = computers.unknownName.isEmpty()
                                     ? static_cast<QListWidgetItem*>(new ZoneItem(
                                           {},
                                           u"The computer's time zone (%1, %2)"_s.arg(
                                               QString::fromUtf8(computers.zone.id()), u"%1"_s),
                                           m_zones))
                                     : new QListWidgetItem(ZoneInUseName(computers.zone), m_zones);
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
        auto* const item = new ZoneItem(id, QString::fromUtf8(id) % u" (%1)"_s, m_zones);
        if (id == chosen)
            m_zones->setCurrentItem(item);
    }
    m_zones->scrollToItem(m_zones->currentItem(), QAbstractItemView::PositionAtCenter);
}

// The countries each zone is used in, by Qt's territory data, read once the filter is first used.
const QHash<QByteArray, QString>& frmTimeZone::territories()
{
    if (m_territories.isEmpty()) {
        for (int value = QLocale::AnyTerritory + 1; value <= QLocale::LastTerritory; ++value) {
            const auto territory = static_cast<QLocale::Territory>(value);
            const QString name = QLocale::territoryToString(territory);
            for (const QByteArray& id : QTimeZone::availableTimeZoneIds(territory))
                m_territories[id] += u' ' % name;
        }
    }
    return m_territories;
}

// Hides the entries that lack one of the filter's words, in the id (underscores read as spaces)
// or in the countries the zone is used in; the highlight moves to the first one left when its own
// entry goes.
void frmTimeZone::narrow(const QString& text)
{
    const QStringList words = QString(text).replace(u'_', u' ').split(u' ', Qt::SkipEmptyParts);
    const QHash<QByteArray, QString>& countries = words.isEmpty() ? m_territories : territories();
    QListWidgetItem* first = nullptr;
    for (int row = 0; row < m_zones->count(); ++row) {
        QListWidgetItem* const item = m_zones->item(row);
        const QByteArray id = item->data(IdRole).toByteArray();
        const QString haystack =
            (id.isEmpty() ? item->text() : Searchable(id)) % u' ' % countries.value(id);
        const bool shown = std::all_of(words.begin(), words.end(), [&](const QString& word) {
            return haystack.contains(word, Qt::CaseInsensitive);
        });
        item->setHidden(!shown);
        if (shown && first == nullptr)
            first = item;
    }
    QListWidgetItem* const current = m_zones->currentItem();
    if (current == nullptr || current->isHidden())
        m_zones->setCurrentItem(first);
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(first != nullptr);
    m_nothing->setVisible(first == nullptr);
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
