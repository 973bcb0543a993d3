#include "windows/windowkit.h"

#include <array>
#include <utility>

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QChildEvent>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QIconEngine>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleOption>
#include <QStyleOptionButton>
#include <QTextEdit>
#include <QUrl>

#include "platform/desktop.h"
#include "platform/modhelp.h"
#include "reading/composedtext.h"
#include "reading/sites.h"
#include "resources/pictures.h"

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

// Gives a list's pop-up its colours once the list has built it: the pop-up lets the window know
// when it is readied for its first showing, before anything of it is drawn.
class PopupColours final : public QObject {
public:
    PopupColours(QComboBox* list, const QColor& text, const QColor& back)
        : QObject(list)
        , m_text(text)
        , m_back(back)
    {
        list->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ChildPolished) {
            QObject* const child = static_cast<QChildEvent*>(event)->child();
            auto* const list = static_cast<QComboBox*>(watched);
            const auto* const popup = child->findChild<QAbstractItemView*>();
            if (child->isWidgetType() && popup != nullptr && popup == list->view()) {
                colour(list->view());
                list->removeEventFilter(this);
                deleteLater();
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void colour(QAbstractItemView* popup) const
    {
        SetColours(popup, m_text, m_back);
        QPalette palette = popup->palette();
        palette.setColor(QPalette::Highlight, m_text);
        palette.setColor(QPalette::HighlightedText, m_back);
        popup->setPalette(palette);
        // The pop-up's own window frames the entries and shows above and below them.
        if (QWidget* const container = popup->parentWidget())
            container->setPalette(palette);
    }

    QColor m_text;
    QColor m_back;
};

// A picture of the style's, decoded from the style when first drawn or measured.
class DeferredIconEngine final : public QIconEngine {
public:
    DeferredIconEngine(QStyle* style, QStyle::StandardPixmap picture)
        : m_style(style)
        , m_picture(picture)
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    // There is a picture, whether decoded yet or not.
    bool isNull() override { return false; }
    [[nodiscard]] QString key() const override { return u"Kistarra::DeferredIconEngine"_s; }
    [[nodiscard]] QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon& icon()
    {
        if (!m_decoded && m_style != nullptr) {
            m_icon = m_style->standardIcon(m_picture);
            m_decoded = true;
        }
        return m_icon;
    }

    QPointer<QStyle> m_style;
    QStyle::StandardPixmap m_picture;
    QIcon m_icon;
    bool m_decoded = false;
};

// The platform's style, except that the menu bar's overflow picture is decoded when first drawn.
class ProgramStyle final : public QProxyStyle {
    Q_OBJECT

public:
    [[nodiscard]] QIcon standardIcon(StandardPixmap picture, const QStyleOption* option,
                                     const QWidget* widget) const override
    {
        if (picture == SP_ToolBarHorizontalExtensionButton && option == nullptr)
            return QIcon(new DeferredIconEngine(baseStyle(), picture));
        return QProxyStyle::standardIcon(picture, option, widget);
    }
};

// Empties the clipboard whenever the mouse presses, moves or lets go in a text box's viewport,
// where it could select text to copy.
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

void SetUpWindow(QWidget* window, TextSize size)
{
    window->setWindowTitle(WindowTitle.toString());
    window->setWindowIcon(ApplicationIcon());
    window->setFont(ThemeFont(size));
}

QFont ThemeFont(TextSize size, bool bold)
{
    switch (size) {
    case TextSize::Window:
        return WindowFont(8.25, bold);
    case TextSize::Dialog:
        return WindowFont(9, bold);
    case TextSize::Title:
        return WindowFont(11, bold);
    case TextSize::Profile:
        return WindowFont(11.25, bold);
    case TextSize::Element:
        return WindowFont(12, bold);
    case TextSize::Heading:
        return WindowFont(14, bold);
    }
    return WindowFont(8.25, bold);
}

QColor ToColour(const Rgb& colour)
{
    return {colour.red, colour.green, colour.blue};
}

CellColours LoShuCellColours(int cell)
{
    // The digits are white where the box is too dark for black.
    static const std::array<CellColours, 9> colours = {{
        {QColor(0, 0, 255), White},
        {QColor(255, 192, 255), Black},
        {QColor(0, 128, 0), White},
        {QColor(0, 192, 192), Black},
        {QColor(255, 255, 128), Black},
        {QColor(192, 192, 192), Black},
        {QColor(128, 128, 128), White},
        {QColor(0, 0, 0), White},
        {QColor(255, 192, 128), Black},
    }};
    return colours.at(static_cast<std::size_t>(cell - 1));
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

QString MainSiteHost()
{
    return QUrl(Sites::MainSite.toString()).host();
}

QString VisitInvitation()
{
    return u"Visit us now at "_s + MainSiteHost();
}

void ThemeList(QComboBox* list, const QColor& text, const QColor& back)
{
    SetColours(list, text, back);
    new PopupColours(list, text, back);
}

void UseProgramStyle()
{
    if (qobject_cast<ProgramStyle*>(QApplication::style()) == nullptr)
        QApplication::setStyle(new ProgramStyle);
}

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
    painter.setPen(QPen(option.palette.color(foregroundRole()), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

Frame::Frame(QWidget* parent)
    : QGroupBox(parent)
{
    setAutoFillBackground(true);
}

void Frame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QColor back = palette().color(QPalette::Window);
    const QFontMetrics metrics(font());
    const int lineTop = title().isEmpty() ? 0 : metrics.height() / 2;
    const QRect line = rect().adjusted(0, lineTop, -2, -2);
    painter.setPen(back.darker(220));
    painter.drawRect(line);
    painter.setPen(back.lighter(180));
    painter.drawRect(line.translated(1, 1));
    if (title().isEmpty())
        return;
    constexpr int Indent = 6;
    constexpr int Gap = 3;
    const QRect caption(Indent, 0, metrics.horizontalAdvance(title()) + 2 * Gap, metrics.height());
    painter.fillRect(caption, back);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter, title());
}

FlatButton::FlatButton(QWidget* parent)
    : QPushButton(parent)
{
    setAutoDefault(false);
}

QSize FlatButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    constexpr int Padding = 12;
    return {metrics.horizontalAdvance(text()) + 2 * Padding, metrics.height() + Padding};
}

void FlatButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    const QRect whole = rect();
    painter.fillRect(whole, isDown() ? colours.color(QPalette::Button).darker(125)
                                     : colours.color(QPalette::Button));
    painter.setPen(colours.color(QPalette::Button).darker(isDown() ? 250 : 200));
    painter.drawRect(whole.adjusted(0, 0, -1, -1));

    constexpr int Margin = 6;
    const QRect area = whole.adjusted(Margin, Margin, -Margin, -Margin)
                           .translated(isDown() ? QPoint(1, 1) : QPoint());
    int flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    QStyleOptionButton option;
    initStyleOption(&option);
    if (style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this) == 0)
        flags |= Qt::TextHideMnemonic;
    style()->drawItemText(&painter, area, flags, colours, isEnabled(), text(),
                          QPalette::ButtonText);
    if (!hasFocus())
        return;
    painter.setPen(QPen(colours.color(QPalette::ButtonText), 1, Qt::DotLine));
    painter.drawRect(whole.adjusted(3, 3, -4, -4));
}

void SetUpBrandLinks(const BrandLinks& links, const QColor& text, Desktop& desktop)
{
    links.coBrand->setText(CoBrandOffer.toString());
    links.coBrand->setAction([&desktop] { OpenCoBrandPage(desktop); });
    links.fullBrand->setText(
        u"Home Business Opportunity. Start your own Internet business and make money online. Get "
        u"this software fully branded for your website. Click here for more details."_s);
    links.fullBrand->setAction([&desktop] { OpenFullBrandPage(desktop); });
    QWidget* const frame = links.coBrand->parentWidget();
    const QColor back = frame->parentWidget()->palette().color(QPalette::Window);
    SetColours(frame, text, back);
    for (QLabel* const label : {links.coBrand, links.fullBrand}) {
        label->setWordWrap(true);
        // Filled in the frame's colour, so the label in front hides the other one completely
        // and shows no box of its own.
        SetColours(label, text, back);
    }
    links.fullBrand->raise();
    new FrontLinkFocus(links.coBrand, links.fullBrand);
}

QMenu* AddMenu(QMenuBar* bar, QStringView name, QStringView caption,
               std::initializer_list<MenuEntry> entries, QObject* context)
{
    QMenu* const menu = bar->addMenu(caption.toString());
    menu->setObjectName(name.toString());
    menu->menuAction()->setObjectName(name.toString());
    for (const MenuEntry& entry : entries) {
        QAction* const action = entry.caption.isEmpty() ? menu->addSeparator()
                                                        : menu->addAction(entry.caption.toString());
        action->setObjectName(entry.name.toString());
        action->setVisible(entry.visible);
        if (entry.action)
            QObject::connect(action, &QAction::triggered, context, entry.action);
    }
    return menu;
}

QAction* AddBarEntry(QMenuBar* bar, const MenuEntry& entry, QObject* context)
{
    auto* const action = new QAction(entry.caption.toString(), bar);
    action->setObjectName(entry.name.toString());
    action->setVisible(entry.visible);
    bar->addAction(action);
    if (entry.action)
        QObject::connect(action, &QAction::triggered, context, entry.action);
    return action;
}

QAction* AddHiddenMakeMoneyEntry(QMenuBar* bar, Desktop& desktop, bool onTheBar)
{
    auto* const action = new QAction(u"Make Money &Online"_s, bar);
    action->setObjectName(u"mnuMakeMoney"_s);
    action->setVisible(false);
    action->setEnabled(false);
    QObject::connect(action, &QAction::triggered, bar, [&desktop] { OpenFullBrandPage(desktop); });
    if (onTheBar)
        bar->addAction(action);
    return action;
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

#include "windowkit.moc"
