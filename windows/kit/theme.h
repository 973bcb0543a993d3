#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QStringView>

#include "version.h"

class QPainter;
class QWidget;

// How every window of the program looks: its title and icon, the twips layout, the fonts and the
// colours.
namespace Kistarra {

inline constexpr QStringView WindowTitle = u"Kistarra v" KISTARRA_VERSION;

enum class TextSize;

// The program's title and icon, and the window's font.
void SetUpWindow(QWidget* window, TextSize size);

// The colours of the program's windows.
inline constexpr QColor WindowGrey{64, 64, 64};
inline constexpr QColor FrameGrey{128, 128, 128};
inline constexpr QColor Silver{192, 192, 192};
inline constexpr QColor PaleButtonGrey{224, 224, 224};
inline constexpr QColor PaleText{232, 232, 232};
inline constexpr QColor LightGreen{128, 255, 128};
inline constexpr QColor LinkYellow{255, 255, 160};
inline constexpr QColor LinkBlue{0, 0, 128};
inline constexpr QColor White{255, 255, 255};
inline constexpr QColor Black{0, 0, 0};

// The sizes of the program's text, in points.
enum class TextSize {
    Window,  // 8.25: what the fixed-layout windows are drawn in, and the Lo Shu cells
    Dialog,  // 9: the about and farewell windows
    Title,   // 11: the title line of the birth details window
    Profile, // 11.25: the Feng Shui group and trigram words
    Element, // 12: the Feng Shui element word
    Heading, // 14: the program's name on the about and farewell windows
};

[[nodiscard]] QFont ThemeFont(TextSize size, bool bold = false);

// The box colour of a Lo Shu cell 1..9, and a text colour that stands out from it.
struct CellColours {
    QColor box;
    QColor text;
};
[[nodiscard]] CellColours LoShuCellColours(int cell);

// A direction to avoid on the year ahead's charts; black text reads on it, and it stands apart
// from the page's grey, from LightGreen (favourable) and from Silver (neither).
inline constexpr QColor AvoidRose{255, 176, 176};

// The fixed layouts are drawn in twips; at 100 % scaling 15 twips make one pixel.
[[nodiscard]] constexpr int Pixels(int twips)
{
    return (twips + 7) / 15;
}

[[nodiscard]] QRect Twips(int left, int top, int width, int height);

// How far apart two colours stand for the eye, from 1 (the same) to 21 (black and white), as
// the Web Content Accessibility Guidelines measure it.
[[nodiscard]] double ContrastRatio(const QColor& first, const QColor& second);

// The one mark of the keyboard focus on every control: an outline FocusWidth pixels wide, white,
// or black where white would not stand out at least 3:1 from what it is drawn over.
inline constexpr int FocusWidth = 2;
[[nodiscard]] QColor FocusColour(const QColor& around);
// Draws the mark just inside the rectangle.
void DrawFocusOutline(QPainter& painter, const QRect& rect, const QColor& around);

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

// Text and background for every role a label, text box, list or button draws with; the widget
// fills its background.
void SetColours(QWidget* widget, const QColor& text, const QColor& back);

} // namespace Kistarra
