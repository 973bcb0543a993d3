#include "windows/windowkit.h"

#include <utility>
#include <vector>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleOption>
#include <QTextEdit>
#include <QUrl>

#include "platform/desktop.h"
#include "reading/sites.h"
#include "resources/pictures.h"
#include "platform/modhelp.h"

using namespace Qt::StringLiterals;

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

// Gives the focus to whichever of two stacked links is in front, each time one is raised.
class FrontLinkFocus final : public QObject {
public:
    FrontLinkFocus(QWidget* first, QWidget* second)
        : QObject(first->parentWidget())
        , m_first(first)
        , m_second(second)
    {
        first->installEventFilter(this);
        second->installEventFilter(this);
        follow();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ZOrderChange)
            follow();
        return QObject::eventFilter(watched, event);
    }

private:
    void follow()
    {
        if (m_first.isNull() || m_second.isNull())
            return;
        const QObjectList& stack = m_first->parentWidget()->children();
        const bool firstInFront = stack.indexOf(m_first) > stack.indexOf(m_second);
        m_first->setFocusPolicy(firstInFront ? Qt::TabFocus : Qt::NoFocus);
        m_second->setFocusPolicy(firstInFront ? Qt::NoFocus : Qt::TabFocus);
    }

    QPointer<QWidget> m_first;
    QPointer<QWidget> m_second;
};

class ClipboardGuard final : public QObject {
public:
    ClipboardGuard(QObject* parent, Desktop& desktop)
        : QObject(parent)
        , m_desktop(desktop)
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            m_desktop.clearClipboard();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    Desktop& m_desktop;
};

} // namespace

void SetUpWindow(QWidget* window, qreal fontPoints)
{
    window->setWindowTitle(WindowTitle.toString());
    window->setWindowIcon(ApplicationIcon());
    window->setFont(WindowFont(fontPoints));
}

QRect Twips(int left, int top, int width, int height)
{
    return {Pixels(left), Pixels(top), Pixels(width), Pixels(height)};
}

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

void SetColours(QWidget* widget, const QColor& text, const QColor& back)
{
    QPalette palette = widget->palette();
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, text);
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, back);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel* WrappedLabel(const QString& objectName, const QString& text, QWidget* parent)
{
    auto* const label = new QLabel(text, parent);
    label->setObjectName(objectName);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QString StyleColour(const QColor& colour)
{
    return u"rgb(%1, %2, %3)"_s.arg(colour.red()).arg(colour.green()).arg(colour.blue());
}

QString MainSiteHost()
{
    return QUrl(Sites::MainSite.toString()).host();
}

LinkLabel::LinkLabel(const QString& text, QWidget* parent, std::function<void()> action)
    : QLabel(text, parent)
    , m_action(std::move(action))
{
    [[maybe_unused]] static const bool accessible = [] {
        QAccessible::installFactory(LinkLabelAccessibleFactory);
        return true;
    }();
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void LinkLabel::activate()
{
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
    painter.setPen(QPen(option.palette.color(foregroundRole()), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

BrandLinks AddBrandLinks(QWidget* frame, QStringView coBrandText, const QRect& place,
                         Desktop& desktop)
{
    const BrandLinks links{
        new LinkLabel(coBrandText.toString(), frame, [&desktop] { OpenCoBrandPage(desktop); }),
        new LinkLabel(u"Home Business Opportunity. Start your own Internet business and make "
                      u"money online. Get this software fully branded for your website. Click "
                      u"here for more details."_s,
                      frame, [&desktop] { OpenFullBrandPage(desktop); })};
    links.coBrand->setObjectName(u"lblCobrand"_s);
    links.fullBrand->setObjectName(u"lblFullBrand"_s);
    for (QLabel* const label : {links.coBrand, links.fullBrand}) {
        label->setGeometry(place);
        label->setWordWrap(true);
        // Filled, so the label in front hides the other one completely.
        label->setAutoFillBackground(true);
    }
    links.fullBrand->raise();
    new FrontLinkFocus(links.coBrand, links.fullBrand);
    return links;
}

void ChainFocus(std::initializer_list<QWidget*> widgets)
{
    // setTabOrder passes over widgets that take no focus.
    std::vector<QWidget*> covered;
    for (QWidget* const widget : widgets) {
        if (widget->focusPolicy() == Qt::NoFocus) {
            covered.push_back(widget);
            widget->setFocusPolicy(Qt::TabFocus);
        }
    }
    QWidget* previous = nullptr;
    for (QWidget* const widget : widgets) {
        if (previous != nullptr)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
    for (QWidget* const widget : covered)
        widget->setFocusPolicy(Qt::NoFocus);
}

void EmptyClipboardOnUse(QTextEdit* box, Desktop& desktop)
{
    auto* const guard = new ClipboardGuard(box, desktop);
    QObject::connect(box, &QTextEdit::textChanged, guard, [&desktop] { desktop.clearClipboard(); });
    box->viewport()->setMouseTracking(true);
    box->viewport()->installEventFilter(guard);
}

void ShowModal(QDialog* dialog)
{
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
}

} // namespace Kistarra
