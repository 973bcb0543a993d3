#include "windows/programstyle.h"

#include <QApplication>
#include <QIconEngine>
#include <QPointer>
#include <QProxyStyle>
#include <QStyle>

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

} // namespace

void UseProgramStyle()
{
    if (qobject_cast<ProgramStyle*>(QApplication::style()) == nullptr)
        QApplication::setStyle(new ProgramStyle);
}

} // namespace Kistarra

#include "programstyle.moc"
