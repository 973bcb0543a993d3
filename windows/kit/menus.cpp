#include "windows/kit/menus.h"

#include <utility>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "platform/desktop.h"
#include "platform/modhelp.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

QMenu* AddMenu(QMenuBar* bar, QStringView name, QStringView caption,
               std::initializer_list<MenuEntry> entries, QObject* context)
{
    QMenu* const menu = bar->addMenu(caption.toString());
    menu->setObjectName(name.toString());
    menu->menuAction()->setObjectName(name.toString());
    for (const MenuEntry& entry : entries) {
        QAction* const action = entry.caption.isEmpty() ? menu->addSeparator()
                                                        : menu->addAction(entry.caption.toString());
        action->setObjectName(entry.name.toString());
        action->setVisible(entry.visible);
        if (entry.action)
            QObject::connect(action, &QAction::triggered, context, entry.action);
    }
    return menu;
}

QAction* AddBarEntry(QMenuBar* bar, const MenuEntry& entry, QObject* context)
{
    auto* const action = new QAction(entry.caption.toString(), bar);
    action->setObjectName(entry.name.toString());
    action->setVisible(entry.visible);
    bar->addAction(action);
    if (entry.action)
        QObject::connect(action, &QAction::triggered, context, entry.action);
    return action;
}

QAction* AddHiddenMakeMoneyEntry(QMenuBar* bar, Desktop& desktop, bool onTheBar)
{
    auto* const action = new QAction(u"Make Money &Online"_s, bar);
    action->setObjectName(u"mnuMakeMoney"_s);
    action->setVisible(false);
    action->setEnabled(false);
    QObject::connect(action, &QAction::triggered, bar, [&desktop] { OpenFullBrandPage(desktop); });
    if (onTheBar)
        bar->addAction(action);
    return action;
}

void AddHelpMenu(QMenuBar* bar, Desktop& desktop, const HelpMenuShape& shape,
                 std::function<void()> about, QObject* context)
{
    const auto link = [&desktop](void (*open)(Desktop&)) {
        return [&desktop, open] { open(desktop); };
    };
    AddMenu(bar, u"mnuHelp", u"&Help",
            {{u"mnuOnline", u"&Online Help", link(OpenOnlineHelpPage)},
             {u"mnuVisit", u"&Visit Us Online", link(OpenHomePage)},
             {shape.firstSeparator, {}},
             {u"mnuUpdate", u"Check for Software &Update", link(OpenDownloadPage)},
             {shape.secondSeparator, {}},
             {u"mnuAbout", u"&About Software", std::move(about)}},
            context);
    // Acts on a click on the menu bar itself: it has no submenu.
    AddBarEntry(bar, {u"mnuDonate", u"&Donate", link(OpenDonatePage)}, context);
    AddHiddenMakeMoneyEntry(bar, desktop, shape.makeMoneyOnTheBar);
}

} // namespace Kistarra
