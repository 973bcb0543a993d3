#include "windows/kit/linklabel.h"

#include <utility>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include "windows/kit/theme.h"

namespace Kistarra {

namespace {

// The role and the press action of a link for assistive technology; its name is its text.
class LinkLabelAccessible final : public QAccessibleWidget {
public:
    explicit LinkLabelAccessible(LinkLabel* label)
        : QAccessibleWidget(label, QAccessible::Link)
    {
    }

    [[nodiscard]] QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return label()->text();
        return QAccessibleWidget::text(kind);
    }

    [[nodiscard]] QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            label()->activate();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    [[nodiscard]] LinkLabel* label() const { return static_cast<LinkLabel*>(widget()); }
};

QAccessibleInterface* LinkLabelAccessibleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1StringView(LinkLabel::staticMetaObject.className())) {
        if (auto* const label = qobject_cast<LinkLabel*>(object))
            return new LinkLabelAccessible(label);
    }
    return nullptr;
}

} // namespace

LinkLabel::LinkLabel(QWidget* parent)
    : QLabel(parent)
{
    [[maybe_unused]] static const bool accessible = [] {
        QAccessible::installFactory(LinkLabelAccessibleFactory);
        return true;
    }();
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

LinkLabel::LinkLabel(const QString& text, QWidget* parent, std::function<void()> action)
    : LinkLabel(parent)
{
    setText(text);
    m_action = std::move(action);
}

void LinkLabel::setAction(std::function<void()> action)
{
    m_action = std::move(action);
}

void LinkLabel::activate()
{
    if (m_action)
        m_action();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a press and a release over the label; a release dragged off it is not.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        event->accept();
        activate();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        event->accept();
        if (!event->isAutoRepeat())
            activate();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

// A QLabel that takes the focus lays its text out as a text document, which stands a pixel off
// where the plain label draws it; the link draws as the plain label, focused or not.
void LinkLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    QStyleOption option;
    option.initFrom(this);
    const bool rightToLeft = text().isRightToLeft();
    int flags =
        QStyle::visualAlignment(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight, alignment()) |
        Qt::TextExpandTabs | (rightToLeft ? Qt::TextForceRightToLeft : Qt::TextForceLeftToRight);
    if (wordWrap())
        flags |= Qt::TextWordWrap;
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, area, flags, option.palette, isEnabled(), text(),
                          foregroundRole());
    if (!hasFocus())
        return;
    DrawFocusOutline(painter, rect(), option.palette.color(backgroundRole()));
}

} // namespace Kistarra
