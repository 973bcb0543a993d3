#include <algorithm>
#include <cstdlib>

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QTest>

#include "resources/pictures.h"

using namespace Qt::StringLiterals;

namespace Kistarra {
namespace {

// Colour classes of the pictures, loose enough to take JPEG noise and antialiased edges.
[[nodiscard]] bool IsYellow(const QColor& colour)
{
    return colour.hsvHue() >= 38 && colour.hsvHue() <= 62 && colour.saturation() >= 115 &&
           colour.value() >= 215;
}

[[nodiscard]] bool IsBrown(const QColor& colour)
{
    return colour.hsvHue() >= 10 && colour.hsvHue() <= 32 && colour.saturation() >= 150 &&
           colour.value() >= 115 && colour.value() <= 220;
}

[[nodiscard]] bool IsPale(const QColor& colour)
{
    return colour.saturation() <= 40 && colour.value() >= 230;
}

[[nodiscard]] QString Describe(const QPoint& at, const QColor& colour)
{
    return u"pixel %1,%2 is %3"_s.arg(at.x()).arg(at.y()).arg(colour.name());
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT

private slots:
    void picturesShareTheirStyle_data();
    void picturesShareTheirStyle();
    void trigramBars_data();
    void trigramBars();
    void picturesDiffer();
    void unknownKeysHaveNoPicture_data();
    void unknownKeysHaveNoPicture();
    void fittedPictures_data();
    void fittedPictures();
    void applicationIcon_data();
    void applicationIcon();
};

void TestPictures::picturesShareTheirStyle_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expectedPath");
    QTest::addColumn<QSize>("size");
    for (const QStringView key : ElementPictureKeys) {
        QTest::addRow("element %s", qPrintable(key.toString()))
            << ElementPicturePath(key) << u":/pictures/elements/%1.jpg"_s.arg(key)
            << QSize(200, 200);
    }
    for (const QStringView key : TrigramPictureKeys) {
        QTest::addRow("trigram %s", qPrintable(key.toString()))
            << TrigramPicturePath(key) << u":/pictures/trigrams/%1.jpg"_s.arg(key)
            << QSize(164, 170);
    }
}

void TestPictures::picturesShareTheirStyle()
{
    QFETCH(QString, path);
    QFETCH(QString, expectedPath);
    QFETCH(QSize, size);

    QCOMPARE(path, expectedPath);
    const QImage picture(path);
    QVERIFY2(!picture.isNull(), qPrintable(path));
    QCOMPARE(picture.size(), size);

    // The drawing covers the centre of most pictures, so the centre is on the drawing or on the
    // disc, and the disc shows plainly between the drawing and the rim.
    const QPoint centre(size.width() / 2, size.height() / 2);
    const QColor atCentre = picture.pixelColor(centre);
    QVERIFY2(IsYellow(atCentre) || IsBrown(atCentre), qPrintable(Describe(centre, atCentre)));
    const int reach = std::min(size.width(), size.height()) * 2 / 5;
    for (const QPoint direction : {QPoint(0, -1), QPoint(0, 1), QPoint(-1, 0), QPoint(1, 0)}) {
        const QPoint at = centre + direction * reach;
        QVERIFY2(IsYellow(picture.pixelColor(at)),
                 qPrintable(Describe(at, picture.pixelColor(at))));
    }

    for (const QPoint corner :
         {QPoint(0, 0), QPoint(size.width() - 1, 0), QPoint(0, size.height() - 1),
          QPoint(size.width() - 1, size.height() - 1)}) {
        QVERIFY2(IsPale(picture.pixelColor(corner)),
                 qPrintable(Describe(corner, picture.pixelColor(corner))));
    }

    qsizetype drawn = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            drawn += IsBrown(picture.pixelColor(x, y)) ? 1 : 0;
    }
    const double share = static_cast<double>(drawn) / (size.width() * size.height());
    QVERIFY2(share > 0.04 && share < 0.35, qPrintable(u"drawing covers %1"_s.arg(share)));
}

void TestPictures::trigramBars_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("topToBottom");
    const QString solid = u"solid"_s;
    const QString broken = u"broken"_s;
    QTest::newRow("Chien") << u"Chien"_s << QStringList{solid, solid, solid};
    QTest::newRow("Kun") << u"Kun"_s << QStringList{broken, broken, broken};
    QTest::newRow("Chen") << u"Chen"_s << QStringList{broken, broken, solid};
    QTest::newRow("Kan") << u"Kan"_s << QStringList{broken, solid, broken};
    QTest::newRow("Ken") << u"Ken"_s << QStringList{solid, broken, broken};
    QTest::newRow("Sun") << u"Sun"_s << QStringList{solid, solid, broken};
    QTest::newRow("Li") << u"Li"_s << QStringList{solid, broken, solid};
    QTest::newRow("Tui") << u"Tui"_s << QStringList{broken, solid, solid};
}

void TestPictures::trigramBars()
{
    QFETCH(QString, key);
    QFETCH(QStringList, topToBottom);

    const QImage picture(TrigramPicturePath(key));
    QVERIFY(!picture.isNull());

    // A column through the left part of the bars, where solid and broken bars alike are drawn,
    // finds the three bars; the middle column then tells a solid bar from a broken one.
    const int side = picture.width() * 3 / 10;
    const int middle = picture.width() / 2;
    QList<int> barMiddles;
    int barTop = -1;
    for (int y = 0; y <= picture.height(); ++y) {
        const bool onBar = y < picture.height() && IsBrown(picture.pixelColor(side, y));
        if (onBar && barTop < 0)
            barTop = y;
        if (!onBar && barTop >= 0) {
            barMiddles << (barTop + y - 1) / 2;
            barTop = -1;
        }
    }
    QCOMPARE(barMiddles.size(), 3);

    QStringList seen;
    for (const int y : barMiddles) {
        const QColor colour = picture.pixelColor(middle, y);
        if (IsBrown(colour))
            seen << u"solid"_s;
        else if (IsYellow(colour))
            seen << u"broken"_s;
        else
            seen << Describe(QPoint(middle, y), colour);
    }
    QCOMPARE(seen, topToBottom);
}

void TestPictures::picturesDiffer()
{
    QList<QImage> pictures;
    QStringList paths;
    for (const QStringView key : ElementPictureKeys)
        paths << ElementPicturePath(key);
    for (const QStringView key : TrigramPictureKeys)
        paths << TrigramPicturePath(key);
    for (const QString& path : paths)
        pictures << QImage(path);

    for (qsizetype first = 0; first < pictures.size(); ++first) {
        for (qsizetype second = first + 1; second < pictures.size(); ++second) {
            QVERIFY2(pictures.at(first) != pictures.at(second),
                     qPrintable(paths.at(first) + u" equals "_s + paths.at(second)));
        }
    }
}

void TestPictures::unknownKeysHaveNoPicture_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("trigram");
    QTest::newRow("element in lower case") << u"earth"_s << false;
    QTest::newRow("element with a trailing blank") << u"Fire "_s << false;
    QTest::newRow("element word of the reading text") << u"Soil/ Earth"_s << false;
    QTest::newRow("empty element") << QString() << false;
    QTest::newRow("trigram asked as an element") << u"Chen"_s << false;
    QTest::newRow("trigram in upper case") << u"KUN"_s << true;
    QTest::newRow("trigram with a leading blank") << u" Li"_s << true;
    QTest::newRow("empty trigram") << QString() << true;
    QTest::newRow("element asked as a trigram") << u"Water"_s << true;
}

void TestPictures::unknownKeysHaveNoPicture()
{
    QFETCH(QString, key);
    QFETCH(bool, trigram);

    const QString path = trigram ? TrigramPicturePath(key) : ElementPicturePath(key);
    QVERIFY2(path.isEmpty(), qPrintable(path));
}

void TestPictures::fittedPictures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("box");
    QTest::addColumn<QSize>("expected");
    const QString element = u":/pictures/elements/Earth.jpg"_s;
    const QString trigram = u":/pictures/trigrams/Chen.jpg"_s;
    QTest::newRow("element into the image box") << element << QSize(67, 67) << QSize(67, 67);
    QTest::newRow("trigram into the image box") << trigram << QSize(67, 67) << QSize(65, 67);
    QTest::newRow("trigram into a wide box") << trigram << QSize(200, 100) << QSize(96, 100);
    QTest::newRow("element into a narrow box") << element << QSize(100, 300) << QSize(100, 100);
    QTest::newRow("element into a larger box") << element << QSize(300, 300) << QSize(200, 200);
    QTest::newRow("trigram into a box its size") << trigram << QSize(164, 170) << QSize(164, 170);
    QTest::newRow("missing picture")
        << u":/pictures/elements/Stone.jpg"_s << QSize(67, 67) << QSize();
    QTest::newRow("empty path") << QString() << QSize(67, 67) << QSize();
}

void TestPictures::fittedPictures()
{
    QFETCH(QString, path);
    QFETCH(QSize, box);
    QFETCH(QSize, expected);

    const QPixmap fitted = PictureFittedTo(path, box);
    if (!expected.isValid()) {
        QVERIFY(fitted.isNull());
        return;
    }
    QVERIFY(!fitted.isNull());
    QVERIFY2(fitted.width() <= box.width() && fitted.height() <= box.height(),
             qPrintable(u"%1 x %2"_s.arg(fitted.width()).arg(fitted.height())));
    QVERIFY2(std::abs(fitted.width() - expected.width()) <= 1 &&
                 std::abs(fitted.height() - expected.height()) <= 1,
             qPrintable(u"%1 x %2"_s.arg(fitted.width()).arg(fitted.height())));

    // Scaled smoothly, the picture keeps its look: still a yellow disc on a pale ground.
    const QImage image = fitted.toImage();
    const QPoint onDisc(image.width() / 2, image.height() / 2 - image.height() * 2 / 5);
    QVERIFY2(IsYellow(image.pixelColor(onDisc)),
             qPrintable(Describe(onDisc, image.pixelColor(onDisc))));
    QVERIFY2(IsPale(image.pixelColor(0, 0)), qPrintable(Describe({}, image.pixelColor(0, 0))));
}

void TestPictures::applicationIcon_data()
{
    QTest::addColumn<int>("size");
    for (const int size : {16, 32, 48, 64, 128, 256})
        QTest::addRow("%d px", size) << size;
}

void TestPictures::applicationIcon()
{
    QFETCH(int, size);

    const QIcon icon = ApplicationIcon();
    QVERIFY(!icon.isNull());
    QVERIFY(icon.availableSizes().contains(QSize(size, size)));
    const QImage image = icon.pixmap(QSize(size, size)).toImage();
    QCOMPARE(image.size(), QSize(size, size));

    // The Lo Shu square: its centre cell filled, the outer cells open on the yellow disc, the
    // corners of the image outside the disc clear.
    const QPoint centre(size / 2, size / 2);
    QVERIFY2(IsBrown(image.pixelColor(centre)),
             qPrintable(Describe(centre, image.pixelColor(centre))));
    const int cellMiddle = size * 5 / 16;
    for (const QPoint cell :
         {QPoint(cellMiddle, cellMiddle), QPoint(size - 1 - cellMiddle, cellMiddle),
          QPoint(cellMiddle, size - 1 - cellMiddle)}) {
        QVERIFY2(IsYellow(image.pixelColor(cell)),
                 qPrintable(Describe(cell, image.pixelColor(cell))));
    }
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(image.pixelColor(size - 1, size - 1).alpha(), 0);
}

} // namespace Kistarra

QTEST_MAIN(Kistarra::TestPictures)
#include "tst_pictures.moc"
