#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringView>

#include "fengshui/fengshui.h"

// The element and trigram pictures and the program icon, carried in the program through the Qt
// resource system. A picture is found by its key, the element or trigram name exactly as the
// Feng Shui profile words it (ElementPictureKeys, TrigramPictureKeys).
namespace Kistarra {

// The resource path of the picture for an element key such as u"Earth", or an empty string when
// there is no picture for the key (keys are compared exactly, case included).
[[nodiscard]] QString ElementPicturePath(QStringView key);

// The same for a trigram key such as u"Chen".
[[nodiscard]] QString TrigramPicturePath(QStringView key);

// The picture at path, scaled down smoothly and in proportion when it is larger than box; a
// smaller picture keeps its size. A null pixmap when nothing can be loaded from path.
[[nodiscard]] QPixmap PictureFittedTo(const QString& path, const QSize& box);

// The program icon in all the sizes it is drawn in.
[[nodiscard]] QIcon ApplicationIcon();

} // namespace Kistarra
