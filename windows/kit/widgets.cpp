#include "windows/kit/widgets.h"

#include <initializer_list>

#include <QAbstractItemView>
#include <QBuffer>
#include <QCalendarWidget>
#include <QChildEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

#include "files/wholefiles.h"
#include "platform/composeddocument.h"
#include "platform/desktop.h"
#include "windows/kit/theme.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

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

// Colours a date box's calendar pop-up when the box first builds it, as it opens: a calendar
// widget takes longer to build than the rest of the year-ahead page's date row.
class CalendarColours final : public QObject {
public:
    explicit CalendarColours(QDateEdit* box)
        : QObject(box)
    {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ChildPolished) {
            QObject* const child = static_cast<QChildEvent*>(event)->child();
            if (auto* const calendar = child->findChild<QCalendarWidget*>();
                child->isWidgetType() && calendar != nullptr) {
                colour(calendar);
                watched->removeEventFilter(this);
                deleteLater();
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static void colour(QCalendarWidget* calendar)
    {
        ThemeField(calendar);
        // The platform's red weekend would hardly stand out from the silver.
        QTextCharFormat weekend;
        weekend.setForeground(Black);
        weekend.setFontWeight(QFont::Bold);
        for (const Qt::DayOfWeek day : {Qt::Saturday, Qt::Sunday})
            calendar->setWeekdayTextFormat(day, weekend);
        // The row of weekday names stands on the page's grey.
        if (auto* const days = calendar->findChild<QAbstractItemView*>())
            SetColour(days, QPalette::AlternateBase, FrameGrey);
    }
};

} // namespace

void ThemeField(QWidget* field)
{
    SetColours(field, Black, Silver);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Highlight, WindowGrey);
    palette.setColor(QPalette::HighlightedText, LightGreen);
    field->setPalette(palette);
}

void ThemeDateBox(QDateEdit* box)
{
    ThemeField(box);
    new CalendarColours(box);
}

void ThemeHeader(QHeaderView* header)
{
    QPalette palette = header->palette();
    palette.setColor(QPalette::Button, WindowGrey);
    palette.setColor(QPalette::ButtonText, White);
    header->setPalette(palette);
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* const button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

void SaveAsPdf(QWidget* window, Desktop& desktop, const QString& what,
               const std::function<bool(QIODevice&)>& layOut)
{
    const QString path = desktop.saveFileName(window, PdfSaveDialog());
    if (path.isEmpty())
        return;
    QBuffer buffer;
    if (!layOut(buffer)) {
        desktop.showError(window, u"The %1 could not be laid out as a PDF."_s.arg(what));
        return;
    }
    if (const Done saved = WriteWholeFile(path, buffer.data()); !saved)
        desktop.showError(window, u"The PDF could not be saved as %1: %2."_s.arg(
                                      saved.failure().subject, saved.failure().reason));
}

QLabel* PlainLabel(QWidget* parent, const QString& text, const QString& name)
{
    auto* const label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

void ThemeList(QComboBox* list, const QColor& text, const QColor& back)
{
    SetColours(list, text, back);
    new PopupColours(list, text, back);
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
    // Above its line the frame is not there: what lies behind it shows, not a band of its own
    // colour.
    if (lineTop > 0 && parentWidget() != nullptr)
        painter.fillRect(0, 0, width(), lineTop, parentWidget()->palette().color(QPalette::Window));
    painter.setPen(back.darker(220));
    painter.drawRect(line);
    painter.setPen(back.lighter(180));
    painter.drawRect(line.translated(1, 1));
    if (title().isEmpty())
        return;
    constexpr int Indent = 6;
    constexpr int Gap = 3;
    const QRect caption(Indent, 0, metrics.horizontalAdvance(title()) + 2 * Gap, metrics.height());
    // The caption breaks the line; above the line it stands on what lies behind the frame.
    painter.fillRect(caption.adjusted(0, lineTop, 0, 0), back);
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
    DrawFocusOutline(painter, whole, colours.color(QPalette::Button));
}

void AppendComposedText(QTextEdit* box, const ComposedText& text)
{
    QTextCursor cursor(box->document());
    cursor.movePosition(QTextCursor::End);
    InsertComposedText(cursor, text);
    box->moveCursor(QTextCursor::Start);
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
