#pragma once

#include <functional>
#include <initializer_list>

#include <QColor>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <QStringView>

#include "platform/fonts.h"
#include "version.h"

class QComboBox;
class QDialog;
class QKeyEvent;
class QMenu;
class QMenuBar;
class QAction;
class QMouseEvent;
class QPaintEvent;
class QTextEdit;
class QWidget;

// What every window of the program draws the same way: the title, the twips layout, the fonts and
// colours, the labels that are links, and the guard that keeps the reading texts from being copied.
namespace Kistarra {

class Desktop;
struct Rgb;

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

// A colour of the composed reading texts, as the windows draw it.
[[nodiscard]] QColor ToColour(const Rgb& colour);

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

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

// Text and background for every role a label, text box, list or button draws with; the widget
// fills its background.
void SetColours(QWidget* widget, const QColor& text, const QColor& back);

// The host name of the maker's site, as the "Visit us now at" labels show it.
[[nodiscard]] QString MainSiteHost();

// The one line under the title of the birth details and report windows that leads to the maker's
// discussion forum, and the one under it that leads to the maker's site.
inline constexpr QStringView ForumInvitation = u"Join our online discussion forum on Nine Star Ki";
[[nodiscard]] QString VisitInvitation();

// A drop-down list in the given colours, its pop-up too (a pop-up is a window of its own and
// does not take on its list's colours by itself). The pop-up is built and coloured when it first
// opens, not with the window.
void ThemeList(QComboBox* list, const QColor& text, const QColor& back);

// Makes the application draw with the platform's style through the program's own: the same
// look, but the menu bar's button for entries that do not fit decodes its picture only when it
// first shows. No bar of the program overflows, so a start would decode it for nothing. Call it
// before the first window; calling it again changes nothing.
void UseProgramStyle();

// A label that works as a link: a left click on it, or Enter, Return or Space while it has the
// focus, runs its action. Tab reaches it but a click does not take the focus from where the
// person was typing; a dotted outline shows while it has the focus. Assistive technology is told
// it is a link and can follow it.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    explicit LinkLabel(QWidget* parent = nullptr);
    LinkLabel(const QString& text, QWidget* parent, std::function<void()> action);

    void setAction(std::function<void()> action);
    void activate();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void()> m_action;
};

// A frame as the fixed layouts draw it, the same on every style: its own background throughout,
// an etched line around it, the caption set into the top line. Its children are placed from its
// outer top-left corner, so the line runs above them.
class Frame : public QGroupBox {
    Q_OBJECT

public:
    explicit Frame(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A button filled flat with its Button colour, darker while pressed, with a dotted outline while
// it has the focus. Its caption wraps onto more lines where the button is tall enough.
class FlatButton : public QPushButton {
    Q_OBJECT

public:
    explicit FlatButton(QWidget* parent = nullptr);

    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
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

// Gives the two labels of a brand frame their captions, actions and colours and puts
// lblFullBrand in front; the frame takes the window's background.
void SetUpBrandLinks(const BrandLinks& links, const QColor& text, Desktop& desktop);

// One entry of a menu: an action with its objectName and caption, or a separator (no caption).
struct MenuEntry {
    QStringView name;
    QStringView caption;
    std::function<void()> action = {};
    bool visible = true;
};

// A menu on the bar with the given entries; the menu and its bar entry carry the name.
QMenu* AddMenu(QMenuBar* bar, QStringView name, QStringView caption,
               std::initializer_list<MenuEntry> entries, QObject* context);
// An entry on the bar itself, acting on a click.
QAction* AddBarEntry(QMenuBar* bar, const MenuEntry& entry, QObject* context);
// The entry for the full-branding page, which the person never sees nor reaches.
QAction* AddHiddenMakeMoneyEntry(QMenuBar* bar, Desktop& desktop, bool onTheBar);

// What a reading box shows must not be carried away: every change of its text and every mouse
// action over it empties the clipboard.
void EmptyClipboardOnUse(QTextEdit* box, Desktop& desktop);

// Shows the dialog over its opener, blocking the program's other windows until it closes, and
// returns at once; the dialog deletes itself when closed.
void ShowModal(QDialog* dialog);

} // namespace Kistarra
