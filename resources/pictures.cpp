#include "resources/pictures.h"

#include <algorithm>

#include <QGuiApplication>

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
    // Adding a file decodes it, so the icon is made once and kept by the application, from which
    // every window also takes it.
    if (const QIcon kept = QGuiApplication::windowIcon(); !kept.isNull())
        return kept;
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128})
        icon.addFile(u":/icons/kistarra-%1.png"_s.arg(size), QSize(size, size));
    icon.addFile(u":/icons/kistarra.png"_s, QSize(256, 256));
    QGuiApplication::setWindowIcon(icon);
    return icon;
}

} // namespace Kistarra
