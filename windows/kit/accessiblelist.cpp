#include "windows/kit/accessiblelist.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// A drop-down list as a reader meets it: named by what it is for, its entry as its
// value, its pop-up list as its one child, and opened by the reader's "show menu" action.
class NamedListAccessible final : public QAccessibleWidget {
public:
    explicit NamedListAccessible(QComboBox* list)
        : QAccessibleWidget(list, QAccessible::ComboBox)
    {
    }

    [[nodiscard]] QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return list()->currentText();
        if (kind == QAccessible::Name)
            return name();
        return QAccessibleWidget::text(kind);
    }

    [[nodiscard]] int childCount() const override { return 1; }

    [[nodiscard]] QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }

    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child != nullptr && child->object() == list()->view() ? 0 : -1;
    }

    [[nodiscard]] QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = list()->view()->isVisible();
        state.collapsed = !state.expanded;
        return state;
    }

    [[nodiscard]] QStringList actionNames() const override
    {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == showMenuAction() || action == pressAction())
            list()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    [[nodiscard]] QComboBox* list() const { return static_cast<QComboBox*>(widget()); }

    // The accessible name, or the caption of the label that points at the list.
    [[nodiscard]] QString name() const
    {
        if (!widget()->accessibleName().isEmpty())
            return widget()->accessibleName();
        for (const auto& [label, relation] : relations(QAccessible::Label)) {
            QString caption = label->text(QAccessible::Name);
            caption.remove(u'&');
            if (caption.endsWith(u':'))
                caption.chop(1);
            if (!caption.trimmed().isEmpty())
                return caption.trimmed();
        }
        return list()->currentText();
    }
};

QAccessibleInterface* NamedListFactory(const QString& className, QObject* object)
{
    if (className != QLatin1StringView(NamedList::staticMetaObject.className()))
        return nullptr;
    auto* const list = qobject_cast<NamedList*>(object);
    return list == nullptr ? nullptr : new NamedListAccessible(list);
}

} // namespace

NamedList::NamedList(QWidget* parent)
    : QComboBox(parent)
{
    [[maybe_unused]] static const bool installed = [] {
        QAccessible::installFactory(NamedListFactory);
        return true;
    }();
}

} // namespace Kistarra
