#include "resources/pictures.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace Kistarra {
namespace {

template <std::size_t N>
[[nodiscard]] QString PicturePath(const std::array<QStringView, N>& keys, QStringView folder,
                                  QStringView key)
{
    if (std::find(keys.begin(), keys.end(), key) == keys.end())
        return {};
    return u":/pictures/"_s + folder + u'/' + key + u".jpg"_s;
}

// The program icon's drawings, each decoded the first time a size asks for it and kept from then
// on. A window shown offscreen never asks, and a window manager asks only when the window is
// shown, so the start does not wait for six pictures to be decoded.
class IconDrawings final : public QIconEngine {
public:
    struct Drawing {
        int size;
        QString path;
    };

    explicit IconDrawings(std::vector<Drawing> drawings)
        : m_drawings(std::move(drawings))
        , m_decoded(m_drawings.size())
    {
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const std::size_t index = bestFor(size);
        QPixmap& decoded = m_decoded.at(index);
        if (decoded.isNull())
            decoded = QPixmap(m_drawings.at(index).path);
        if (decoded.isNull() || decoded.size() == size)
            return decoded;
        return decoded.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = m_drawings.at(bestFor(size)).size;
        return QSize(side, side).scaled(size.boundedTo(QSize(side, side)), Qt::KeepAspectRatio);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (const Drawing& drawing : m_drawings)
            sizes.append(QSize(drawing.size, drawing.size));
        return sizes;
    }

    QIconEngine* clone() const override { return new IconDrawings(*this); }
    QString key() const override { return u"KistarraIconDrawings"_s; }

private:
    // The smallest drawing that covers the size, or the largest when none does; the drawings are
    // listed from small to large.
    [[nodiscard]] std::size_t bestFor(const QSize& size) const
    {
        for (std::size_t i = 0; i < m_drawings.size(); ++i) {
            if (m_drawings[i].size >= size.width() && m_drawings[i].size >= size.height())
                return i;
        }
        return m_drawings.size() - 1;
    }

    std::vector<Drawing> m_drawings;
    std::vector<QPixmap> m_decoded;
};

} // namespace

QString ElementPicturePath(QStringView key)
{
    return PicturePath(ElementPictureKeys, u"elements", key);
}

QString TrigramPicturePath(QStringView key)
{
    return PicturePath(TrigramPictureKeys, u"trigrams", key);
}

QPixmap PictureFittedTo(const QString& path, const QSize& box)
{
    const QPixmap picture(path);
    if (picture.isNull() || (picture.width() <= box.width() && picture.height() <= box.height()))
        return picture;
    return picture.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QIcon ApplicationIcon()
{
    // Made once and kept by the application, from which every window also takes it, so that each
    // drawing is decoded at most once per run.
    if (const QIcon kept = QGuiApplication::windowIcon(); !kept.isNull())
        return kept;
    std::vector<IconDrawings::Drawing> drawings;
    for (const int size : {16, 32, 48, 64, 128})
        drawings.push_back({size, u":/icons/kistarra-%1.png"_s.arg(size)});
    drawings.push_back({256, u":/icons/kistarra.png"_s});
    const QIcon icon(new IconDrawings(std::move(drawings)));
    QGuiApplication::setWindowIcon(icon);
    return icon;
}

} // namespace Kistarra
