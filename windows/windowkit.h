#pragma once

#include <functional>
#include <initializer_list>

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QRect>
#include <QString>
#include <QStringView>

#include "platform/fonts.h"

class QKeyEvent;
class QMouseEvent;
class QPaintEvent;
class QTextEdit;
class QWidget;

// What every window of the program draws the same way: the title, the twips layout, the fonts and
// colours, the labels that are links, and the guard that keeps the reading texts from being copied.
namespace Kistarra {

class Desktop;

inline constexpr QStringView WindowTitle = u"Kistarra v1.35";

// The program's title and icon, and the window's font.
void SetUpWindow(QWidget* window, qreal fontPoints);

inline constexpr QColor WindowGrey{64, 64, 64};
inline constexpr QColor FrameGrey{128, 128, 128};
inline constexpr QColor ButtonFace{192, 192, 192};
inline constexpr QColor PaleText{232, 232, 232};
inline constexpr QColor LightGreen{128, 255, 128};
inline constexpr QColor LinkYellow{255, 255, 160};
inline constexpr QColor LinkBlue{0, 0, 128};
// A direction to avoid on the year ahead's charts; black text reads on it, and it stands apart
// from the page's grey, from LightGreen (favourable) and from ButtonFace (neither).
inline constexpr QColor AvoidRose{255, 176, 176};

// The fixed layouts are drawn in twips; at 100 % scaling 15 twips make one pixel.
[[nodiscard]] constexpr int Pixels(int twips)
{
    return (twips + 7) / 15;
}

[[nodiscard]] QRect Twips(int left, int top, int width, int height);

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

// Text and background for every role a label, text box, list or button draws with; the widget
// fills its background.
void SetColours(QWidget* widget, const QColor& text, const QColor& back);

// A word-wrapped label of plain text, for the windows laid out by layouts.
[[nodiscard]] QLabel* WrappedLabel(const QString& objectName, const QString& text, QWidget* parent);

// The colour as a style sheet writes it, "rgb(r, g, b)".
[[nodiscard]] QString StyleColour(const QColor& colour);

// The host name of the maker's site, as the "Visit us now at" labels show it.
[[nodiscard]] QString MainSiteHost();

// A label that works as a link: a left click on it, or Enter, Return or Space while it has the
// focus, runs its action. Tab reaches it but a click does not take the focus from where the
// person was typing; a dotted outline shows while it has the focus. Assistive technology is told
// it is a link and can follow it.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    LinkLabel(const QString& text, QWidget* parent, std::function<void()> action);

    void activate();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void()> m_action;
};

// The offers of the maker that lie one on top of the other in a frame fraFullBrand: lblCobrand,
// and lblFullBrand in front of it. Only the one in front takes the focus, also when a later
// raise() brings the other forward.
struct BrandLinks {
    LinkLabel* coBrand = nullptr;
    LinkLabel* fullBrand = nullptr;
};

inline constexpr QStringView CoBrandOffer =
    u"Co-brand this software with your own web site: your site's name and link inside the "
    u"program win you loyal visitors and more traffic. See the Help menu for details, and click "
    u"here for more information on co-branding.";

[[nodiscard]] BrandLinks AddBrandLinks(QWidget* frame, QStringView coBrandText, const QRect& place,
                                       Desktop& desktop);

// Sets the Tab order of the widgets as listed. Links that take no focus for now, because another
// one lies in front of them, get their place too.
void ChainFocus(std::initializer_list<QWidget*> widgets);

// What a reading box shows must not be carried away: every change of its text and every mouse
// action over it empties the clipboard.
void EmptyClipboardOnUse(QTextEdit* box, Desktop& desktop);

} // namespace Kistarra
