#pragma once

#include <functional>
#include <initializer_list>

#include <QStringView>

class QAction;
class QMenu;
class QMenuBar;
class QObject;

// The menus of the windows, built from entries.
namespace Kistarra {

class Desktop;

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

// The Help menu and the Donate entry that end every menu bar of the program, and the hidden
// full-branding entry after them (on the bar itself or off it). The two separators' names differ
// from window to window.
struct HelpMenuShape {
    QStringView firstSeparator;
    QStringView secondSeparator;
    bool makeMoneyOnTheBar = false;
};
void AddHelpMenu(QMenuBar* bar, Desktop& desktop, const HelpMenuShape& shape,
                 std::function<void()> about, QObject* context);

} // namespace Kistarra
