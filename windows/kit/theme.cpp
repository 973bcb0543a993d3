#include "windows/kit/theme.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <QGuiApplication>
#include <QPainter>
#include <QRect>
#include <QTimer>
#include <QWidget>

#include "platform/fonts.h"
#include "resources/pictures.h"
#include "windows/kit/firstframe.h"
#include "windows/kit/programstyle.h"

namespace Kistarra {

void SetUpWindow(QWidget* window, TextSize size)
{
    window->setWindowTitle(WindowTitle.toString());
    // Every window takes the program's icon from the application, which is given it once the
    // first window has shown its first frame: a window made while the program has an icon hands
    // the window manager every size of it, decoded, which on X11 costs the start more than the
    // whole window. A window that is not painted (started minimised) has it after a second.
    if (QGuiApplication::windowIcon().isNull()) {
        constexpr int IconAtTheLatestMs = 1000;
        const auto giveIcon = [] { (void)ApplicationIcon(); };
        AfterFirstFrame(window, giveIcon);
        QTimer::singleShot(IconAtTheLatestMs, window, giveIcon);
    }
    window->setFont(ThemeFont(size));
    // The focus mark and the flat lists come from the program's style, which every window
    // needs, however it was started.
    UseProgramStyle();
}

namespace {

double Luminance(const QColor& colour)
{
    const auto linear = [](float channel) {
        return channel <= 0.04045F ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

} // namespace

double ContrastRatio(const QColor& first, const QColor& second)
{
    const double one = Luminance(first);
    const double other = Luminance(second);
    return (std::max(one, other) + 0.05) / (std::min(one, other) + 0.05);
}

QColor FocusColour(const QColor& around)
{
    return ContrastRatio(White, around) >= 3.0 ? White : Black;
}

void DrawFocusOutline(QPainter& painter, const QRect& rect, const QColor& around)
{
    const QColor colour = FocusColour(around);
    const int width = std::min({FocusWidth, rect.width(), rect.height()});
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), width), colour);
    painter.fillRect(QRect(rect.left(), rect.bottom() - width + 1, rect.width(), width), colour);
    painter.fillRect(QRect(rect.left(), rect.top(), width, rect.height()), colour);
    painter.fillRect(QRect(rect.right() - width + 1, rect.top(), width, rect.height()), colour);
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

} // namespace Kistarra
