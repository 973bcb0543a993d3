// Draws the element and trigram pictures and the program icon, and writes them below the
// directory given as the only argument (normally this folder, through the `pictures` target).
// The results are committed, so an ordinary build never runs this tool; it exists so that the
// pictures can be redrawn in one consistent style instead of being edited by hand.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QStringView>

using namespace Qt::StringLiterals;

namespace Kistarra {
namespace {

constexpr QRgb PaleBackground = qRgb(0xfa, 0xf6, 0xec);
constexpr QRgb DiscLight = qRgb(0xff, 0xe6, 0x5e);
constexpr QRgb DiscDeep = qRgb(0xf6, 0xc4, 0x1c);
constexpr QRgb RimLight = qRgb(0xff, 0xf3, 0xc4);
constexpr QRgb RimEdge = qRgb(0xd9, 0xa6, 0x36);
constexpr QRgb DrawingBrown = qRgb(0xb4, 0x56, 0x1b);

constexpr int JpegQuality = 90;

// Every drawing is made in disc units: the painter is centred on the disc and scaled so that
// the disc (rim included) has a radius of DiscUnits. Drawings keep within about 68 units, well
// clear of the rim, so the yellow shows all round them.
constexpr qreal DiscUnits = 100.0;
constexpr qreal RimUnits = 9.0;
constexpr qreal PictureMarginPixels = 4.0;

// A shape drawn over another is first outlined in the disc's own colour, which leaves a thin
// yellow seam between the two and keeps them apart at small sizes.
constexpr qreal SeamUnits = 5.0;

enum class Line { Yang, Yin };

struct TrigramLines {
    QStringView name;
    std::array<Line, 3> topToBottom;
};

constexpr std::array<TrigramLines, 8> Trigrams = {{
    {u"Chien", {Line::Yang, Line::Yang, Line::Yang}},
    {u"Kun", {Line::Yin, Line::Yin, Line::Yin}},
    {u"Chen", {Line::Yin, Line::Yin, Line::Yang}},
    {u"Kan", {Line::Yin, Line::Yang, Line::Yin}},
    {u"Ken", {Line::Yang, Line::Yin, Line::Yin}},
    {u"Sun", {Line::Yang, Line::Yang, Line::Yin}},
    {u"Li", {Line::Yang, Line::Yin, Line::Yang}},
    {u"Tui", {Line::Yin, Line::Yang, Line::Yang}},
}};

[[nodiscard]] QBrush DiscBrush()
{
    QRadialGradient gradient(QPointF(-25.0, -30.0), DiscUnits);
    gradient.setColorAt(0.0, QColor(DiscLight));
    gradient.setColorAt(1.0, QColor(DiscDeep));
    return QBrush(gradient);
}

[[nodiscard]] QBrush DrawingBrush()
{
    return QBrush(QColor(DrawingBrown));
}

// Sets up the painter in disc units, centred on an image of the given size, and paints the disc
// with its rim over a pale ground, or over nothing for the icon.
void PaintDisc(QPainter& painter, const QSize& size, qreal marginPixels, bool paleGround)
{
    painter.setRenderHint(QPainter::Antialiasing);
    if (paleGround)
        painter.fillRect(QRect(QPoint(0, 0), size), QColor(PaleBackground));

    const qreal radiusPixels = std::min(size.width(), size.height()) / 2.0 - marginPixels;
    const qreal edgePixels = std::clamp(radiusPixels / 64.0, 0.75, 1.5);
    const qreal edgeUnits = edgePixels * DiscUnits / radiusPixels;
    painter.translate(size.width() / 2.0, size.height() / 2.0);
    painter.scale(radiusPixels / DiscUnits, radiusPixels / DiscUnits);

    painter.setPen(QPen(QColor(RimEdge), edgeUnits));
    painter.setBrush(QColor(RimLight));
    painter.drawEllipse(QPointF(0, 0), DiscUnits - edgeUnits / 2, DiscUnits - edgeUnits / 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(DiscBrush());
    painter.drawEllipse(QPointF(0, 0), DiscUnits - RimUnits, DiscUnits - RimUnits);
}

void FillWithSeam(QPainter& painter, const QPainterPath& shape)
{
    QPainterPathStroker stroker;
    stroker.setWidth(2 * SeamUnits);
    stroker.setJoinStyle(Qt::RoundJoin);
    painter.setPen(Qt::NoPen);
    painter.setBrush(DiscBrush());
    painter.drawPath(stroker.createStroke(shape).united(shape));
    painter.setBrush(DrawingBrush());
    painter.drawPath(shape);
}

[[nodiscard]] QPen DrawingPen(qreal width)
{
    return QPen(DrawingBrush(), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The circle-and-cross sign: a ring with a small cross standing on its top.
void DrawEarth(QPainter& painter)
{
    constexpr qreal stroke = 13.0;
    constexpr qreal ringY = 20.0;
    constexpr qreal ringRadius = 33.0;
    painter.setPen(DrawingPen(stroke));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(0, ringY), ringRadius, ringRadius);
    painter.drawLine(QPointF(0, ringY - ringRadius), QPointF(0, -58.0));
    painter.drawLine(QPointF(-21.0, -38.0), QPointF(21.0, -38.0));
}

// A camp fire: a flame with a bright heart over two crossed logs.
void DrawFire(QPainter& painter)
{
    const auto log = [](qreal angle) {
        QPainterPath path;
        path.addRoundedRect(QRectF(-50.0, -8.5, 100.0, 17.0), 8.5, 8.5);
        QTransform turn;
        turn.translate(0, 50.0);
        turn.rotate(angle);
        return turn.map(path);
    };
    painter.setPen(Qt::NoPen);
    painter.setBrush(DrawingBrush());
    painter.drawPath(log(-16.0));
    FillWithSeam(painter, log(16.0));

    QPainterPath flame;
    flame.moveTo(0, 40.0);
    flame.cubicTo(-30.0, 40.0, -40.0, 16.0, -30.0, -6.0);
    flame.cubicTo(-26.0, -16.0, -22.0, -22.0, -22.0, -34.0);
    flame.cubicTo(-12.0, -28.0, -8.0, -20.0, -8.0, -14.0);
    flame.cubicTo(-6.0, -34.0, 2.0, -48.0, 8.0, -62.0);
    flame.cubicTo(14.0, -44.0, 36.0, -28.0, 36.0, 2.0);
    flame.cubicTo(36.0, 26.0, 22.0, 40.0, 0, 40.0);
    flame.closeSubpath();

    QPainterPath heart;
    heart.moveTo(2.0, 34.0);
    heart.cubicTo(-14.0, 34.0, -18.0, 20.0, -12.0, 8.0);
    heart.cubicTo(-8.0, 0.0, -2.0, -8.0, 2.0, -20.0);
    heart.cubicTo(8.0, -8.0, 18.0, 2.0, 18.0, 16.0);
    heart.cubicTo(18.0, 28.0, 12.0, 34.0, 2.0, 34.0);
    heart.closeSubpath();

    FillWithSeam(painter, flame);
    painter.setBrush(DiscBrush());
    painter.drawPath(heart);
}

// Two hexagonal nuts, the upper one lying on the lower one.
void DrawMetal(QPainter& painter)
{
    const auto nut = [](QPointF centre) {
        constexpr qreal outer = 35.0;
        constexpr qreal hole = 13.5;
        QPolygonF hexagon;
        for (int corner = 0; corner < 6; ++corner) {
            const qreal angle = std::numbers::pi / 3.0 * corner;
            hexagon << centre + QPointF(outer * std::cos(angle), outer * std::sin(angle));
        }
        hexagon << hexagon.first();
        QPainterPath path;
        path.addPolygon(hexagon);
        path.addEllipse(centre, hole, hole);
        path.setFillRule(Qt::OddEvenFill);
        return path;
    };
    painter.setPen(Qt::NoPen);
    painter.setBrush(DrawingBrush());
    painter.drawPath(nut(QPointF(17.0, 23.0)));
    FillWithSeam(painter, nut(QPointF(-17.0, -23.0)));
}

// Three wavy lines.
void DrawWater(QPainter& painter)
{
    constexpr qreal halfWidth = 54.0;
    constexpr qreal amplitude = 9.0;
    constexpr qreal wavelength = 54.0;
    constexpr int steps = 96;
    painter.setPen(DrawingPen(12.0));
    painter.setBrush(Qt::NoBrush);
    for (const qreal y : {-34.0, 0.0, 34.0}) {
        QPainterPath wave;
        for (int step = 0; step <= steps; ++step) {
            const qreal x = -halfWidth + 2 * halfWidth * step / steps;
            const QPointF point(x, y - amplitude * std::sin(2 * std::numbers::pi * x / wavelength));
            if (step == 0)
                wave.moveTo(point);
            else
                wave.lineTo(point);
        }
        painter.drawPath(wave);
    }
}

// A fir tree of three tiers on a short trunk.
void DrawWood(QPainter& painter)
{
    const auto tier = [](qreal apexY, qreal baseY, qreal halfWidth) {
        QPainterPath path;
        path.moveTo(0, apexY);
        path.lineTo(halfWidth, baseY);
        path.quadTo(0, baseY - 7.0, -halfWidth, baseY);
        path.closeSubpath();
        return path;
    };
    painter.setPen(Qt::NoPen);
    painter.setBrush(DrawingBrush());
    painter.drawRoundedRect(QRectF(-8.0, 30.0, 16.0, 34.0), 3.0, 3.0);
    FillWithSeam(painter, tier(-12.0, 44.0, 50.0));
    FillWithSeam(painter, tier(-38.0, 16.0, 38.0));
    FillWithSeam(painter, tier(-64.0, -12.0, 26.0));
}

// Three bars: a yang line is one solid bar, a yin line two short bars with a gap between them.
void DrawTrigram(QPainter& painter, const std::array<Line, 3>& topToBottom)
{
    constexpr qreal halfWidth = 54.0;
    constexpr qreal barHeight = 19.0;
    constexpr qreal pitch = 34.0;
    constexpr qreal halfGap = 11.0;
    constexpr qreal corner = 3.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(DrawingBrush());
    for (std::size_t row = 0; row < topToBottom.size(); ++row) {
        const qreal top = (static_cast<qreal>(row) - 1.0) * pitch - barHeight / 2;
        if (topToBottom[row] == Line::Yang) {
            painter.drawRoundedRect(QRectF(-halfWidth, top, 2 * halfWidth, barHeight), corner,
                                    corner);
        } else {
            painter.drawRoundedRect(QRectF(-halfWidth, top, halfWidth - halfGap, barHeight), corner,
                                    corner);
            painter.drawRoundedRect(QRectF(halfGap, top, halfWidth - halfGap, barHeight), corner,
                                    corner);
        }
    }
}

// The Lo Shu square: a three by three grid with its centre cell, the place of the five, filled.
// The icon disc fills its image and the grid is measured in sixteenths of the image, so in every
// icon size (all multiples of 16 px) the lines fall on whole pixels and stay sharp. Small icons
// need the heavier lines to be legible at all. The same design is kept by hand in
// icons/kistarra.svg.
void DrawIcon(QPainter& painter, int size)
{
    constexpr qreal sixteenth = 2 * DiscUnits / 16;
    constexpr qreal cell = 3 * sixteenth;
    constexpr qreal half = 1.5 * cell;
    const qreal stroke = size <= 48 ? sixteenth : sixteenth / 2;
    painter.setPen(Qt::NoPen);
    painter.setBrush(DrawingBrush());
    painter.drawRect(QRectF(-cell / 2, -cell / 2, cell, cell));
    painter.setPen(QPen(DrawingBrush(), stroke, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(-half, -half, 2 * half, 2 * half));
    for (const qreal at : {-cell / 2, cell / 2}) {
        painter.drawLine(QPointF(at, -half), QPointF(at, half));
        painter.drawLine(QPointF(-half, at), QPointF(half, at));
    }
}

[[nodiscard]] bool Write(const QImage& image, const QString& path)
{
    QImageWriter writer(path);
    if (path.endsWith(u".jpg"_s))
        writer.setQuality(JpegQuality);
    if (!writer.write(image)) {
        std::fprintf(stderr, "kistarra_drawpictures: cannot write %s: %s\n", qPrintable(path),
                     qPrintable(writer.errorString()));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

[[nodiscard]] bool WritePicture(const QString& path, const QSize& size,
                                const std::function<void(QPainter&)>& drawing)
{
    QImage image(size, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        PaintDisc(painter, size, PictureMarginPixels, true);
        drawing(painter);
    }
    return Write(image, path);
}

[[nodiscard]] bool WriteIcon(const QString& path, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        PaintDisc(painter, image.size(), 0.0, false);
        DrawIcon(painter, size);
    }
    return Write(image, path);
}

[[nodiscard]] bool DrawAll(const QDir& target)
{
    const QSize elementSize(200, 200);
    const QSize trigramSize(164, 170);
    const QString elements = u"pictures/elements/"_s;
    const QString trigrams = u"pictures/trigrams/"_s;
    const QString icons = u"icons/"_s;
    for (const QString& folder : {elements, trigrams, icons}) {
        if (!target.mkpath(folder)) {
            std::fprintf(stderr, "kistarra_drawpictures: cannot create %s\n",
                         qPrintable(target.filePath(folder)));
            return false;
        }
    }

    const std::array<std::pair<QStringView, void (*)(QPainter&)>, 5> elementDrawings = {{
        {u"Earth", &DrawEarth},
        {u"Fire", &DrawFire},
        {u"Metal", &DrawMetal},
        {u"Water", &DrawWater},
        {u"Wood", &DrawWood},
    }};
    bool written = true;
    for (const auto& [name, drawing] : elementDrawings) {
        written =
            WritePicture(target.filePath(elements + name + u".jpg"_s), elementSize, drawing) &&
            written;
    }
    for (const TrigramLines& trigram : Trigrams) {
        written = WritePicture(target.filePath(trigrams + trigram.name + u".jpg"_s), trigramSize,
                               [&trigram](QPainter& painter) {
                                   DrawTrigram(painter, trigram.topToBottom);
                               }) &&
                  written;
    }
    for (const int size : {16, 32, 48, 64, 128}) {
        written =
            WriteIcon(target.filePath(icons + u"kistarra-%1.png"_s.arg(size)), size) && written;
    }
    return WriteIcon(target.filePath(icons + u"kistarra.png"_s), 256) && written;
}

} // namespace
} // namespace Kistarra

int main(int argc, char* argv[])
{
    const QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: kistarra_drawpictures <resources directory>\n");
        return 2;
    }
    return Kistarra::DrawAll(QDir(arguments.at(1))) ? 0 : 1;
}
