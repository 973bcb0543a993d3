#include "windows/kit/programstyle.h"

#include <optional>

#include <QApplication>
#include <QIconEngine>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleOption>
#include <QTextEdit>

#include "windows/kit/theme.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

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

// A border colour for a control drawn on the given background: its own text colour where that
// stands out at least 3:1, as the platform's shade of the background never does on dark grey.
std::optional<QColor> ContrastingBorder(const QColor& text, const QColor& around)
{
    if (ContrastRatio(text, around) >= 3.0)
        return text;
    return std::nullopt;
}

// The caption of a control that cannot be used: its text colour taken towards its background as
// far as it still stands out 3.5:1 (3:1 being the least for large text and controls, the half
// more for the antialiased edges of small captions). A caption that stands out less stays as it is.
QColor DisabledCaption(const QColor& text, const QColor& back)
{
    constexpr double Readable = 3.5;
    constexpr int Steps = 64;
    QColor faded = text;
    for (int step = 1; step <= Steps; ++step) {
        const double share = double(step) / Steps;
        const QColor mixed =
            QColor::fromRgbF(float(text.redF() * (1 - share) + back.redF() * share),
                             float(text.greenF() * (1 - share) + back.greenF() * share),
                             float(text.blueF() * (1 - share) + back.blueF() * share));
        if (ContrastRatio(mixed, back) < Readable)
            break;
        faded = mixed;
    }
    return faded;
}

// A box of text, which shows a reading or takes what a person types.
bool IsTextBox(const QWidget* widget)
{
    return qobject_cast<const QTextEdit*>(widget) != nullptr ||
           qobject_cast<const QPlainTextEdit*>(widget) != nullptr;
}

// A text box a person types in, as opposed to one that only shows a reading.
bool IsEditableTextBox(const QWidget* widget)
{
    if (const auto* const box = qobject_cast<const QTextEdit*>(widget))
        return !box->isReadOnly();
    if (const auto* const box = qobject_cast<const QPlainTextEdit*>(widget))
        return !box->isReadOnly();
    return false;
}

// The platform's style with the program's own marks: one focus outline on every control, field
// and check box borders that stand out from the dark windows, and drop-down lists filled flat
// in their colour. The menu bar's overflow picture is decoded when first drawn.
class ProgramStyle final : public QProxyStyle {
    Q_OBJECT

public:
    using QProxyStyle::polish;
    using QProxyStyle::unpolish;

    // Enter presses a focused push button, as Space does and as on every desktop; the buttons
    // themselves take it only when they are a dialog's default, and autoDefault would make Enter
    // in a window's fields press a button too.
    void polish(QWidget* widget) override
    {
        QProxyStyle::polish(widget);
        if (qobject_cast<QPushButton*>(widget) != nullptr)
            widget->installEventFilter(this);
    }

    void unpolish(QWidget* widget) override
    {
        if (qobject_cast<QPushButton*>(widget) != nullptr)
            widget->removeEventFilter(this);
        QProxyStyle::unpolish(widget);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QProxyStyle::eventFilter(watched, event);
        const auto* const key = static_cast<QKeyEvent*>(event);
        auto* const button = qobject_cast<QPushButton*>(watched);
        if (button == nullptr || !button->isEnabled() || !button->hasFocus() ||
            (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
            (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return QProxyStyle::eventFilter(watched, event);
        if (!key->isAutoRepeat())
            button->click();
        return true;
    }

    [[nodiscard]] QIcon standardIcon(StandardPixmap picture, const QStyleOption* option,
                                     const QWidget* widget) const override
    {
        if (picture == SP_ToolBarHorizontalExtensionButton && option == nullptr)
            return QIcon(new DeferredIconEngine(baseStyle(), picture));
        return QProxyStyle::standardIcon(picture, option, widget);
    }

    // A button that cannot be used shows it: its caption fades towards the button, as the
    // platform's disabled colours would, had the program's windows not set one colour for every
    // state - but it stays readable, which the platform's pale grey is not on silver.
    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                      bool enabled, const QString& text,
                      QPalette::ColorRole textRole) const override
    {
        if (enabled || textRole != QPalette::ButtonText) {
            QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, textRole);
            return;
        }
        QPalette faded = palette;
        faded.setColor(palette.currentColorGroup(), QPalette::ButtonText,
                       DisabledCaption(palette.color(QPalette::Active, QPalette::ButtonText),
                                       palette.color(QPalette::Button)));
        QProxyStyle::drawItemText(painter, rect, flags, faded, enabled, text, textRole);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        switch (element) {
        case PE_FrameFocusRect:
            DrawFocusOutline(*painter, option->rect, FocusBackground(option));
            return;
        case PE_FrameLineEdit:
            if (drawBorder(option, painter, option->palette.color(QPalette::Text)))
                return;
            break;
        case PE_Frame:
            if (IsEditableTextBox(widget) &&
                drawBorder(option, painter, option->palette.color(QPalette::Text)))
                return;
            break;
        case PE_PanelButtonCommand:
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            if (option->state & State_HasFocus)
                DrawFocusOutline(*painter, option->rect, option->palette.color(QPalette::Button));
            return;
        case PE_IndicatorCheckBox:
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            outline(option, painter, option->palette.color(QPalette::WindowText));
            return;
        default:
            break;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        if (element == CE_ItemViewItem && (option->state & State_HasFocus)) {
            drawFocusedItem(option, painter, widget);
            return;
        }
        if (element == CE_TabBarTabLabel && (option->state & State_HasFocus)) {
            // The current tab is outlined whole, where the platform draws its own mark only
            // after a key press and only as a wash.
            const auto* const tab = qstyleoption_cast<const QStyleOptionTab*>(option);
            if (tab != nullptr) {
                QStyleOptionTab unfocused(*tab);
                unfocused.state &= ~State_HasFocus;
                QProxyStyle::drawControl(element, &unfocused, painter, widget);
                DrawFocusOutline(*painter, tab->rect.adjusted(1, 1, -1, 0),
                                 tab->palette.color(QPalette::Window));
                return;
            }
        }
        QProxyStyle::drawControl(element, option, painter, widget);
        // A text box's frame carries the outline around the whole box, in the colour that stands
        // out from the frame it covers, which takes the window's colour.
        if (element == CE_ShapedFrame && (option->state & State_HasFocus) && IsTextBox(widget))
            DrawFocusOutline(*painter, option->rect, option->palette.color(QPalette::Window));
    }

    [[nodiscard]] int pixelMetric(PixelMetric metric, const QStyleOption* option,
                                  const QWidget* widget) const override
    {
        // A text box's frame is as wide as the focus outline, so that all of it shows.
        if (metric == PM_DefaultFrameWidth && IsTextBox(widget))
            return FocusWidth;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override
    {
        const auto* const list = qstyleoption_cast<const QStyleOptionComboBox*>(option);
        if (control == CC_ComboBox && list != nullptr && !list->editable) {
            drawFlatList(list, painter, widget);
        } else {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            if ((control == CC_SpinBox || control == CC_ComboBox) &&
                (option->state & State_HasFocus))
                DrawFocusOutline(*painter, option->rect, option->palette.color(QPalette::Base));
        }
    }

private:
    static QColor FocusBackground(const QStyleOption* option)
    {
        const auto* const focus = qstyleoption_cast<const QStyleOptionFocusRect*>(option);
        if (focus != nullptr && focus->backgroundColor.isValid())
            return focus->backgroundColor;
        return option->palette.color(QPalette::Window);
    }

    // A one-pixel border that stands out from the window, and the focus outline over it; false
    // where the text colour does not stand out, and nothing is drawn.
    static bool drawBorder(const QStyleOption* option, QPainter* painter, const QColor& text)
    {
        if (!outline(option, painter, text))
            return false;
        if (option->state & State_HasFocus)
            DrawFocusOutline(*painter, option->rect, option->palette.color(QPalette::Base));
        return true;
    }

    // A one-pixel border in the text colour where that stands out from the window.
    static bool outline(const QStyleOption* option, QPainter* painter, const QColor& text)
    {
        const std::optional<QColor> border =
            ContrastingBorder(text, option->palette.color(QPalette::Window));
        if (!border)
            return false;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(*border);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return true;
    }

    // A table cell or list entry with the keyboard on it: the outline around it, on its own
    // colour, where the platform would wash the cell in a tint.
    void drawFocusedItem(const QStyleOption* option, QPainter* painter, const QWidget* widget) const
    {
        const auto* const item = qstyleoption_cast<const QStyleOptionViewItem*>(option);
        if (item == nullptr) {
            QProxyStyle::drawControl(CE_ItemViewItem, option, painter, widget);
            return;
        }
        QStyleOptionViewItem unfocused(*item);
        unfocused.state &= ~State_HasFocus;
        QProxyStyle::drawControl(CE_ItemViewItem, &unfocused, painter, widget);
        const QColor back =
            (item->state & State_Selected) ? item->palette.color(QPalette::Highlight)
            : item->backgroundBrush.style() != Qt::NoBrush ? item->backgroundBrush.color()
                                                           : item->palette.color(QPalette::Base);
        DrawFocusOutline(*painter, item->rect, back);
    }

    // A closed drop-down list filled flat in its Button colour, with a border in its text colour
    // where that stands out, the arrow, and the focus outline.
    void drawFlatList(const QStyleOptionComboBox* list, QPainter* painter,
                      const QWidget* widget) const
    {
        const QColor back = list->palette.color(QPalette::Button);
        painter->fillRect(list->rect, back);
        outline(list, painter, list->palette.color(QPalette::ButtonText));
        QStyleOption arrow(*list);
        arrow.rect = subControlRect(CC_ComboBox, list, SC_ComboBoxArrow, widget);
        proxy()->drawPrimitive(PE_IndicatorArrowDown, &arrow, painter, widget);
        if (list->state & State_HasFocus)
            DrawFocusOutline(*painter, list->rect, back);
    }
};

} // namespace

void UseProgramStyle()
{
    if (qobject_cast<ProgramStyle*>(QApplication::style()) == nullptr)
        QApplication::setStyle(new ProgramStyle);
}

} // namespace Kistarra

#include "programstyle.moc"
