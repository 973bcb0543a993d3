// Every window used without a mouse and through a screen reader: the Tab order, the access keys,
// the links followed from the keyboard, and the names assistive technology reads out.

#include <algorithm>
#include <memory>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMap>
#include <QMenuBar>
#include <QPair>
#include <QProcess>
#include <QPushButton>
#include <QRegion>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QUrl>

#include "platform/modhelp.h"
#include "reading/sites.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/windowcatalogue.h"
#include "tests/support/windowfixture.h"
#include "tests/support/windowtesting.h"
#include "windows/frmcalendar.h"
#include "windows/kit/chartgrid.h"
#include "windows/kit/theme.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// One row for every window of the catalogue.
void AddWindowRows()
{
    QTest::addColumn<QString>("window");
    for (const QString& window : CatalogueWindowNames())
        QTest::newRow(qPrintable(window)) << window;
}

QString FocusName()
{
    const QWidget* const focus = QApplication::focusWidget();
    return focus == nullptr ? u"(nothing)"_s : focus->objectName();
}

QString AccessibleName(QObject* object)
{
    QAccessibleInterface* const face = QAccessible::queryAccessibleInterface(object);
    return face == nullptr ? QString() : face->text(QAccessible::Name);
}

// Panes that only hold other controls, which carry the names: plain widgets and frames, frames
// without a caption, the menu bar, whose entries are read as menu items, and a row of dialog
// buttons.
bool IsPane(const QWidget* widget)
{
    const QByteArray type = widget->metaObject()->className();
    if (type == "QWidget" || type == "QFrame")
        return true;
    if (const auto* const frame = qobject_cast<const QGroupBox*>(widget))
        return frame->title().isEmpty();
    return qobject_cast<const QMenuBar*>(widget) != nullptr ||
           qobject_cast<const QDialogButtonBox*>(widget) != nullptr;
}

// Our controls on screen: named widgets, none of Qt's own parts inside them.
QList<QWidget*> VisibleControls(const QWidget* window)
{
    QList<QWidget*> controls;
    for (QWidget* const widget : window->findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        if (widget->isVisible() && !name.isEmpty() && !name.startsWith(u"qt_"_s))
            controls.append(widget);
    }
    return controls;
}

// The captions that claim an access key, as "&Date:" claims Alt+D, with what claims it: the
// visible buttons and check boxes, the labels that lead to a control, the frames, the tabs and
// the visible entries of the menu bar. The entries inside one menu are a group of their own.
QList<QPair<QString, QString>> AccessKeyClaims(const QWidget* window)
{
    QList<QPair<QString, QString>> claims;
    const auto claim = [&claims](const QString& caption, const QString& owner) {
        const QKeySequence key = QKeySequence::mnemonic(caption);
        if (!key.isEmpty())
            claims.append({key.toString(), owner + u" \""_s + caption + u'"'});
    };
    for (const QWidget* const widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisible())
            continue;
        if (const auto* const button = qobject_cast<const QAbstractButton*>(widget))
            claim(button->text(), widget->objectName());
        else if (const auto* const label = qobject_cast<const QLabel*>(widget);
                 label != nullptr && label->buddy() != nullptr)
            claim(label->text(), widget->objectName());
        else if (const auto* const frame = qobject_cast<const QGroupBox*>(widget))
            claim(frame->title(), widget->objectName());
        else if (const auto* const tabs = qobject_cast<const QTabBar*>(widget)) {
            for (int tab = 0; tab < tabs->count(); ++tab)
                claim(tabs->tabText(tab), widget->objectName());
        } else if (const auto* const bar = qobject_cast<const QMenuBar*>(widget)) {
            for (const QAction* const entry : bar->actions()) {
                if (entry->isVisible())
                    claim(entry->text(), entry->objectName());
            }
        }
    }
    return claims;
}

// The keys claimed more than once, each with its claimants.
QStringList Clashes(const QList<QPair<QString, QString>>& claims)
{
    QMap<QString, QStringList> owners;
    for (const auto& [key, owner] : claims)
        owners[key].append(owner);
    QStringList clashes;
    for (auto it = owners.cbegin(); it != owners.cend(); ++it) {
        if (it.value().size() > 1)
            clashes.append(it.key() + u": "_s + it.value().join(u", "_s));
    }
    return clashes;
}

// Every text a person reads in the window: captions, link texts, frame titles, tabs.
QStringList VisibleTexts(const QWidget* window)
{
    QStringList texts;
    for (const QWidget* const widget : window->findChildren<QWidget*>()) {
        if (!widget->isVisible())
            continue;
        if (const auto* const label = qobject_cast<const QLabel*>(widget))
            texts.append(label->text());
        else if (const auto* const button = qobject_cast<const QAbstractButton*>(widget))
            texts.append(button->text());
        else if (const auto* const frame = qobject_cast<const QGroupBox*>(widget))
            texts.append(frame->title());
    }
    return texts;
}

// Where the control lies in the window's picture.
QRect InWindow(const QWidget* control, const QWidget* window)
{
    return {control->mapTo(window, QPoint(0, 0)), control->size()};
}

// The pixels of the area that changed between two pictures by at least 3:1.
QRegion MarkedPixels(const QImage& before, const QImage& after, const QRect& area)
{
    QRegion marked;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (ContrastRatio(before.pixelColor(x, y), after.pixelColor(x, y)) >= 3.0)
                marked += QRect(x, y, 1, 1);
        }
    }
    return marked;
}

// How far a button's caption stands out: the strongest contrast inside its frame and focus
// outline against the button's own colour beside the caption. The caption is drawn without
// antialiasing for it, so that its pixels are its colour.
double CaptionContrast(QPushButton* button)
{
    QFont sharp = button->font();
    sharp.setStyleStrategy(QFont::NoAntialias);
    button->setFont(sharp);
    const QImage picture = button->grab().toImage();
    const QRect inside = button->rect().marginsRemoved(QMargins(1, 1, 1, 1) * (FocusWidth + 3));
    const QColor back = picture.pixelColor(inside.left(), inside.center().y());
    double most = 1;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            most = std::max(most, ContrastRatio(picture.pixelColor(x, y), back));
    }
    return most;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void tabWalksEveryControlInOrder_data();
    void tabWalksEveryControlInOrder();
    void everyControlHasAName_data();
    void everyControlHasAName();
    void namesReadAloud_data();
    void namesReadAloud();
    void fieldsAreLabelled_data();
    void fieldsAreLabelled();
    void accessKeysWork_data();
    void accessKeysWork();
    void accessKeysAreUnique_data();
    void accessKeysAreUnique();
    void makersAddressIsWrittenOneWay_data();
    void makersAddressIsWrittenOneWay();
    void linksFollowTheKeyboard_data();
    void linksFollowTheKeyboard();
    void focusedLinkShowsIt();
    void focusIsSeen_data();
    void focusIsSeen();
    void disabledButtonsLookDisabled_data() { AddWindowRows(); }
    void disabledButtonsLookDisabled();
    void bordersStandOut_data();
    void bordersStandOut();
    void closedListsAreFlat_data();
    void closedListsAreFlat();
    void dateBoxTakesTheThemeColours();
    void fieldsTakeTheThemeColours_data();
    void fieldsTakeTheThemeColours();
    void calendarDaysAreWhole_data();
    void calendarDaysAreWhole();

private:
    QWidget* open(const QString& name);

    WindowFixture<QWidget> m_fixture;
};

void TestAccessibility::init()
{
    m_fixture.setUp();
}

void TestAccessibility::cleanup()
{
    m_fixture.cleanUp();
}

QWidget* TestAccessibility::open(const QString& name)
{
    m_fixture.adopt(MakeCatalogueWindow(name, m_fixture.desktop()));
    return m_fixture.showActive();
}

void TestAccessibility::tabWalksEveryControlInOrder_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("order"); // from the control the window opens on

    const QStringList details = {u"txtName"_s,    u"cboDate"_s, u"cboMonth"_s, u"cboYear"_s,
                                 u"cmdProceed"_s, u"cmdOpen"_s, u"Label14"_s,  u"Label3"_s};
    QTest::newRow("frmMain") << u"frmMain"_s << details + QStringList{u"lblFullBrand"_s};
    QTest::newRow("frmMain, co-brand in front")
        << u"frmMain, co-brand in front"_s << details + QStringList{u"lblCobrand"_s};
    const QStringList buttons = {u"cmdBack"_s, u"cmdSave"_s, u"Label61"_s, u"lblFullBrand"_s};
    QTest::newRow("frmNineStar chart")
        << u"frmNineStar chart"_s << QStringList{u"TS"_s, u"RTBLoshu"_s} + buttons;
    QTest::newRow("frmNineStar element")
        << u"frmNineStar element"_s << QStringList{u"TS"_s} + buttons;
    QTest::newRow("frmNineStar relationship")
        << u"frmNineStar relationship"_s << QStringList{u"TS"_s, u"RTB"_s} + buttons;
    QTest::newRow("frmSave") << u"frmSave"_s
                             << QStringList{u"RTB"_s,     u"cmdSave"_s, u"cmdPrint"_s,
                                            u"Label14"_s, u"Label1"_s,  u"lblFullBrand"_s};
    QTest::newRow("frmAbout") << u"frmAbout"_s
                              << QStringList{u"cmdOK"_s, u"lblCoBrand"_s, u"lblHomePage"_s};
    QTest::newRow("frmFarewell") << u"frmFarewell"_s
                                 << QStringList{
                                        u"Check1"_s,     u"lblGoToHome"_s,   u"txtName"_s,
                                        u"txtEmail"_s,   u"txtFriendName"_s, u"txtFriendEmail"_s,
                                        u"txtMessage"_s, u"cmdSubmit"_s,     u"cmdClose"_s};
    QTest::newRow("frmCalendar") << u"frmCalendar"_s
                                 << QStringList{u"tblCalendar"_s,      u"cmdPrint"_s,
                                                u"cmdSavePdf"_s,       u"cmdDayPanel"_s,
                                                u"cmdAddPartner"_s,    u"cmdClose"_s,
                                                u"cmdPreviousMonth"_s, u"cmdToday"_s,
                                                u"cmdNextMonth"_s,     u"cmdGoToMonth"_s};
    QTest::newRow("frmTwoPeople compared")
        << u"frmTwoPeople compared"_s
        << QStringList{u"txtName"_s,    u"cboDate"_s, u"cboMonth"_s,      u"cboYear"_s,
                       u"cmdCompare"_s, u"cmdOpen"_s, u"RTBComparison"_s, u"cmdPrint"_s,
                       u"cmdSavePdf"_s, u"cmdClose"_s};
}

void TestAccessibility::tabWalksEveryControlInOrder()
{
    QFETCH(QString, window);
    QFETCH(QStringList, order);
    const QWidget* const shown = open(window);
    QCOMPARE(FocusName(), order.first());

    QStringList forward;
    for (qsizetype step = 0; step < order.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        forward.append(FocusName());
    }
    QCOMPARE(forward, order.mid(1) + order.mid(0, 1));

    QStringList backward;
    for (qsizetype step = 0; step < order.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        backward.append(FocusName());
    }
    QStringList reversed = order;
    std::reverse(reversed.begin(), reversed.end());
    QCOMPARE(backward, reversed);

    // No control that takes the focus is left out of the walk.
    QStringList reachable;
    for (const QWidget* const widget : shown->findChildren<QWidget*>()) {
        if (widget->isVisible() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus))
            reachable.append(widget->objectName());
    }
    reachable.sort();
    QStringList walked = order;
    walked.sort();
    QCOMPARE(reachable, walked);
}

void TestAccessibility::everyControlHasAName_data()
{
    AddWindowRows();
}

void TestAccessibility::everyControlHasAName()
{
    QFETCH(QString, window);
    const QWidget* const shown = open(window);

    QStringList nameless;
    int named = 0;
    for (QWidget* const control : VisibleControls(shown)) {
        if (IsPane(control))
            continue;
        if (AccessibleName(control).trimmed().isEmpty())
            nameless.append(control->objectName());
        else
            ++named;
    }
    QCOMPARE(nameless, QStringList());
    // The smallest window, the time zone dialog, names its filter and its list.
    QVERIFY(named >= 2);
}

void TestAccessibility::namesReadAloud_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");

    const auto row = [](const char* window, const char* control, const QString& name) {
        QTest::addRow("%s %s", window, control)
            << QString::fromLatin1(window) << QString::fromLatin1(control) << name;
    };
    row("frmMain", "txtName", u"Name"_s);
    // Lists are read by what they are for; their entry is their value.
    row("frmMain", "cboDate", u"Birth Day"_s);
    row("frmMain", "cboMonth", u"Birth month"_s);
    row("frmMain", "cboYear", u"Birth year"_s);
    row("frmNineStar element", "fraGroup", u"Feng Shui group"_s);
    row("frmMain", "cmdProceed", u"Calculate My 9 Star Ki Astrology"_s);
    row("frmMain", "cmdOpen", u"Open Previously Saved Reading"_s);
    row("frmMain", "fraDetails", u"Personal Details"_s);
    row("frmMain", "Label3", u"Visit us now at "_s + Sites::MainSite);
    row("frmNineStar chart", "TS", u"Nine Star Ki Chart"_s);
    row("frmNineStar relationship", "TS", u"Nine Star Ki Relationship Analysis"_s);
    row("frmNineStar chart", "RTBLoshu", u"Reading"_s);
    row("frmNineStar chart", "lblLoshuGrid_0", u"Cell 1, digits: 11"_s);
    row("frmNineStar chart", "lblLoshuGrid_1", u"Cell 2, digits: none"_s);
    row("frmNineStar chart", "lblLoshuGrid_4", u"Cell 5, digits: 5"_s);
    row("frmNineStar chart", "cmdBack", u"Back"_s);
    row("frmNineStar element", "imgElement", u"Element picture: Wood"_s);
    row("frmNineStar element", "imgTrigram", u"Trigram picture: Chen"_s);
    row("frmNineStar element", "lblFengShuiElement", u"Wood"_s);
    row("frmNineStar relationship", "RTB", u"Relationship analysis"_s);
    row("frmSave", "RTB", u"Report"_s);
    row("frmSave", "cmdPrint", u"Print"_s);
    row("frmAbout", "picIcon", u"Kistarra icon"_s);
    row("frmAbout", "lblCoBrand", u"Click here for more details"_s);
    row("frmAbout", "cmdOK", u"OK"_s);
    row("frmFarewell", "Picture1", u"Kistarra icon"_s);
    row("frmFarewell", "txtName", u"Your name"_s);
    row("frmFarewell", "txtEmail", u"Your e-mail address"_s);
    row("frmFarewell", "txtFriendName", u"Your friend's name"_s);
    row("frmFarewell", "txtFriendEmail", u"Your friend's e-mail address"_s);
    row("frmFarewell", "txtMessage", u"Your message"_s);
    row("frmFarewell", "cmdClose", u"Exit"_s);
    row("frmCalendar", "tblCalendar", u"Days of the month"_s);
    row("frmCalendar", "cmdPreviousMonth", u"Previous month"_s);
    row("frmCalendar", "cmdSavePdf", u"Save as PDF…"_s);
}

void TestAccessibility::namesReadAloud()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, name);
    const QWidget* const shown = open(window);
    QCOMPARE(AccessibleName(Find<QWidget>(shown, control)), name);
}

void TestAccessibility::fieldsAreLabelled_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QStringList>("labels"); // what names it beside its own name
    QTest::addColumn<QString>("ownName");    // the name set for platforms that read it

    QTest::newRow("txtName") << u"txtName"_s << QStringList{u"Name"_s, u"Personal Details"_s}
                             << QString();
    QTest::newRow("cboDate") << u"cboDate"_s << QStringList{u"Birth Day"_s, u"Personal Details"_s}
                             << QString();
    QTest::newRow("cboMonth") << u"cboMonth"_s << QStringList{u"Personal Details"_s}
                              << u"Birth month"_s;
    QTest::newRow("cboYear") << u"cboYear"_s << QStringList{u"Personal Details"_s}
                             << u"Birth year"_s;
}

// Screen readers on Linux name a list by its entry and say what it is for from the labels that
// point at it; other platforms read the accessible name.
void TestAccessibility::fieldsAreLabelled()
{
    QFETCH(QString, field);
    QFETCH(QStringList, labels);
    QFETCH(QString, ownName);
    const QWidget* const shown = open(u"frmMain"_s);
    auto* const widget = Find<QWidget>(shown, field);

    QAccessibleInterface* const face = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(face != nullptr);
    QStringList found;
    for (const auto& [label, relation] : face->relations(QAccessible::Label))
        found.append(label->text(QAccessible::Name));
    QCOMPARE(found, labels);
    QCOMPARE(widget->accessibleName(), ownName);
}

void TestAccessibility::accessKeysWork_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("key");
    // a button clicked, a menu opened, an entry triggered or a field given the focus
    QTest::addColumn<QString>("target");

    QTest::newRow("frmMain Alt+K") << u"frmMain"_s << int(Qt::Key_K) << u"cmdProceed"_s;
    QTest::newRow("frmMain Alt+O") << u"frmMain"_s << int(Qt::Key_O) << u"cmdOpen"_s;
    QTest::newRow("frmMain Alt+F") << u"frmMain"_s << int(Qt::Key_F) << u"mnuFile"_s;
    QTest::newRow("frmMain Alt+H") << u"frmMain"_s << int(Qt::Key_H) << u"mnuHelp"_s;
    QTest::newRow("frmMain Alt+D") << u"frmMain"_s << int(Qt::Key_D) << u"mnuDonate"_s;
    QTest::newRow("frmNineStar Alt+B") << u"frmNineStar chart"_s << int(Qt::Key_B) << u"cmdBack"_s;
    QTest::newRow("frmNineStar Alt+S") << u"frmNineStar chart"_s << int(Qt::Key_S) << u"cmdSave"_s;
    QTest::newRow("frmNineStar Alt+F") << u"frmNineStar chart"_s << int(Qt::Key_F) << u"mnuFile"_s;
    QTest::newRow("frmNineStar Alt+H") << u"frmNineStar chart"_s << int(Qt::Key_H) << u"mnuHelp"_s;
    QTest::newRow("frmNineStar Alt+D")
        << u"frmNineStar chart"_s << int(Qt::Key_D) << u"mnuDonate"_s;
    QTest::newRow("frmNineStar year ahead Alt+T")
        << u"frmNineStar year ahead"_s << int(Qt::Key_T) << u"dtpYearAhead"_s;
    QTest::newRow("frmNineStar year ahead Alt+D")
        << u"frmNineStar year ahead"_s << int(Qt::Key_D) << u"mnuDonate"_s;
    QTest::newRow("frmSave Alt+S") << u"frmSave"_s << int(Qt::Key_S) << u"cmdSave"_s;
    QTest::newRow("frmSave Alt+P") << u"frmSave"_s << int(Qt::Key_P) << u"cmdPrint"_s;
    QTest::newRow("frmFarewell Alt+N") << u"frmFarewell"_s << int(Qt::Key_N) << u"cmdSubmit"_s;
    QTest::newRow("frmFarewell Alt+X") << u"frmFarewell"_s << int(Qt::Key_X) << u"cmdClose"_s;
    QTest::newRow("frmCalendar Alt+V")
        << u"frmCalendar"_s << int(Qt::Key_V) << u"cmdPreviousMonth"_s;
    QTest::newRow("frmCalendar Alt+P") << u"frmCalendar"_s << int(Qt::Key_P) << u"cmdSavePdf"_s;
    QTest::newRow("frmCalendar Alt+R") << u"frmCalendar"_s << int(Qt::Key_R) << u"cmdPrint"_s;
    QTest::newRow("frmCalendar Alt+A") << u"frmCalendar"_s << int(Qt::Key_A) << u"cmdAddPartner"_s;
    QTest::newRow("frmTwoPeople Alt+C") << u"frmTwoPeople"_s << int(Qt::Key_C) << u"cmdCompare"_s;
    QTest::newRow("frmTimeZone Alt+Z") << u"frmTimeZone"_s << int(Qt::Key_Z) << u"lstTimeZones"_s;
}

void TestAccessibility::accessKeysWork()
{
    QFETCH(QString, window);
    QFETCH(int, key);
    QFETCH(QString, target);
    const QWidget* const shown = open(window);

    QObject* const control = Find<QObject>(shown, target);
    if (auto* const menu = qobject_cast<QMenu*>(control)) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::AltModifier);
        QTRY_VERIFY(menu->isVisible());
        menu->close();
        return;
    }
    if (qobject_cast<QAbstractButton*>(control) == nullptr &&
        qobject_cast<QAction*>(control) == nullptr) {
        // A field: its label's key moves the focus there.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::AltModifier);
        QTRY_COMPARE(FocusName(), target);
        return;
    }
    std::unique_ptr<QSignalSpy> done;
    if (auto* const button = qobject_cast<QAbstractButton*>(control))
        done = std::make_unique<QSignalSpy>(button, &QAbstractButton::clicked);
    else
        done = std::make_unique<QSignalSpy>(Find<QAction>(shown, target), &QAction::triggered);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::AltModifier);
    QTRY_COMPARE(done->count(), 1);
}

void TestAccessibility::accessKeysAreUnique_data()
{
    AddWindowRows();
}

// One press of Alt and a letter does one thing: no two captions of a window, nor two entries of
// one menu, claim the same key.
void TestAccessibility::accessKeysAreUnique()
{
    QFETCH(QString, window);
    const QWidget* const shown = open(window);

    const QList<QPair<QString, QString>> claims = AccessKeyClaims(shown);
    QCOMPARE(Clashes(claims), QStringList());
    for (const QMenu* const menu : shown->findChildren<QMenu*>()) {
        QList<QPair<QString, QString>> entries;
        for (const QAction* const entry : menu->actions()) {
            const QKeySequence key = QKeySequence::mnemonic(entry->text());
            if (entry->isVisible() && !key.isEmpty())
                entries.append({key.toString(), entry->objectName()});
        }
        QCOMPARE(Clashes(entries), QStringList());
    }
}

void TestAccessibility::makersAddressIsWrittenOneWay_data()
{
    AddWindowRows();
}

// Wherever a window shows the maker's site, it writes the whole address.
void TestAccessibility::makersAddressIsWrittenOneWay()
{
    QFETCH(QString, window);
    const QWidget* const shown = open(window);
    const QString host = QUrl(Sites::MainSite.toString()).host();
    for (const QString& text : VisibleTexts(shown)) {
        const qsizetype at = text.indexOf(host);
        if (at < 0)
            continue;
        QVERIFY2(text.mid(at - (Sites::MainSite.size() - host.size()), Sites::MainSite.size()) ==
                     Sites::MainSite,
                 qPrintable(text));
    }
}

void TestAccessibility::linksFollowTheKeyboard_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("link");
    QTest::addColumn<int>("key"); // 0: the screen reader's press action
    QTest::addColumn<QString>("address");

    QTest::newRow("frmMain Label14, Return")
        << u"frmMain"_s << u"Label14"_s << int(Qt::Key_Return) << Pages::Home();
    QTest::newRow("frmMain lblFullBrand, Space")
        << u"frmMain"_s << u"lblFullBrand"_s << int(Qt::Key_Space) << Pages::FullBrand();
    QTest::newRow("frmMain lblCobrand in front, Enter")
        << u"frmMain, co-brand in front"_s << u"lblCobrand"_s << int(Qt::Key_Enter)
        << Pages::CoBrand();
    QTest::newRow("frmMain Label3, screen reader")
        << u"frmMain"_s << u"Label3"_s << 0 << Pages::Home();
    QTest::newRow("frmNineStar Label61, Space")
        << u"frmNineStar chart"_s << u"Label61"_s << int(Qt::Key_Space) << Pages::Home();
    QTest::newRow("frmNineStar lblFullBrand, screen reader")
        << u"frmNineStar chart"_s << u"lblFullBrand"_s << 0 << Pages::FullBrand();
    QTest::newRow("frmSave Label1, Return")
        << u"frmSave"_s << u"Label1"_s << int(Qt::Key_Return) << Pages::Home();
    QTest::newRow("frmAbout lblHomePage, Return")
        << u"frmAbout"_s << u"lblHomePage"_s << int(Qt::Key_Return) << Pages::Home();
    QTest::newRow("frmAbout lblCoBrand, screen reader")
        << u"frmAbout"_s << u"lblCoBrand"_s << 0 << Pages::FullBrand();
    QTest::newRow("frmFarewell lblGoToHome, Space")
        << u"frmFarewell"_s << u"lblGoToHome"_s << int(Qt::Key_Space) << Pages::Catalogue();
}

void TestAccessibility::linksFollowTheKeyboard()
{
    QFETCH(QString, window);
    QFETCH(QString, link);
    QFETCH(int, key);
    QFETCH(QString, address);
    const QWidget* const shown = open(window);
    auto* const label = Find<QLabel>(shown, link);

    QAccessibleInterface* const face = QAccessible::queryAccessibleInterface(label);
    QVERIFY(face != nullptr);
    QCOMPARE(face->role(), QAccessible::Link);
    QVERIFY(face->state().focusable);
    if (key == 0) {
        QAccessibleActionInterface* const actions = face->actionInterface();
        QVERIFY(actions != nullptr);
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        actions->doAction(QAccessibleActionInterface::pressAction());
    } else {
        label->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(label->hasFocus());
        QTest::keyClick(label, Qt::Key(key));
    }

    QCOMPARE(m_fixture.desktop().openedUrls, QList<QUrl>{QUrl(address)});
    // The key stays with the link: the about window's default button does not close it.
    QVERIFY(shown->isVisible());
    QVERIFY(m_fixture.desktop().messages.isEmpty());
}

// A label that takes the focus draws its text a pixel off unless the link takes care: a link's
// text stands in the same place whether or not it can take the focus.
void TestAccessibility::focusedLinkShowsIt()
{
    const QWidget* const shown = open(u"frmMain"_s);
    auto* const link = Find<QLabel>(shown, u"lblFullBrand"_s);
    QLabel plain(link->text());
    plain.setFont(link->font());
    plain.setPalette(link->palette());
    plain.setAlignment(link->alignment());
    plain.setWordWrap(link->wordWrap());
    plain.setAutoFillBackground(true);
    plain.resize(link->size());
    const QImage unfocused = plain.grab().toImage();
    QCOMPARE(link->grab().toImage(), unfocused);

    link->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(link->hasFocus());
    QVERIFY(link->grab().toImage() != unfocused);

    Find<QWidget>(shown, u"txtName"_s)->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(!link->hasFocus());
    QCOMPARE(link->grab().toImage(), unfocused);
}

void TestAccessibility::focusIsSeen_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");

    const auto row = [](const char* window, const char* control, const char* kind) {
        QTest::addRow("%s %s (%s)", window, control, kind)
            << QString::fromLatin1(window) << QString::fromLatin1(control);
    };
    row("frmMain", "txtName", "field");
    row("frmMain", "cboDate", "list");
    row("frmMain", "cmdProceed", "button");
    row("frmMain", "Label14", "link");
    row("frmNineStar chart", "TS", "tabs");
    row("frmNineStar chart", "RTBLoshu", "read-only text box");
    row("frmNineStar chart", "cmdBack", "button on silver");
    row("frmNineStar chart", "Label61", "link on a pale window");
    row("frmNineStar year ahead", "dtpYearAhead", "date box");
    row("frmNineStar year ahead", "tblYearChart", "table");
    row("frmNineStar year ahead", "tblCycle", "table");
    row("frmNineStar year ahead", "RTBYearAhead", "read-only text box");
    row("frmSave", "RTB", "read-only text box");
    row("frmAbout", "lblHomePage", "link");
    row("frmFarewell", "Check1", "check box");
    row("frmFarewell", "cmdSubmit", "button");
    row("frmTimeZone", "txtZoneFilter", "field on a pale window");
    row("frmTimeZone", "lstTimeZones", "list of entries");
    row("frmTimeZone", "cmdZoneButtons", "platform's button");
    row("frmCalendar", "tblCalendar", "table");
    row("frmCalendar", "cmdPreviousMonth", "button");
}

// Every kind of control shows the keyboard focus: focused and not, its picture differs by at
// least 3:1 along an outline. A table outlines its current cell and leaves the cell's colour.
void TestAccessibility::focusIsSeen()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QWidget* const shown = open(window);
    auto* widget = Find<QWidget>(shown, control);
    // A row of dialog buttons: its first button.
    if (const auto* const buttons = qobject_cast<QDialogButtonBox*>(widget))
        widget = buttons->buttons().constFirst();

    widget->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(widget->hasFocus());
    const QImage focused = shown->grab().toImage();
    widget->clearFocus();
    QTRY_VERIFY(!widget->hasFocus());
    const QImage unfocused = shown->grab().toImage();

    const QRect area = InWindow(widget, shown).adjusted(-3, -3, 3, 3) & shown->rect();
    const QRegion marked = MarkedPixels(unfocused, focused, area);
    int count = 0;
    for (const QRect& pixel : marked)
        count += pixel.width() * pixel.height();
    QVERIFY2(count >= 100, qPrintable(u"%1 pixels mark the focus"_s.arg(count)));

    if (const auto* const table = qobject_cast<const QTableWidget*>(widget)) {
        const QRect cell = table->visualRect(table->currentIndex())
                               .translated(InWindow(table->viewport(), shown).topLeft());
        QVERIFY(cell.isValid());
        QVERIFY2(cell.contains(marked.boundingRect()), "the outline stays on the current cell");
        QCOMPARE(focused.pixelColor(cell.center() + QPoint(0, cell.height() / 3)),
                 unfocused.pixelColor(cell.center() + QPoint(0, cell.height() / 3)));
    }
    // A chart grid, which the keyboard enters on its first cell.
    if (const auto* const grid = qobject_cast<const ChartGrid*>(widget)) {
        const QRect cell = grid->cellRect(0, 0).translated(InWindow(grid, shown).topLeft());
        QVERIFY2(cell.contains(marked.boundingRect()), "the outline stays on the current cell");
        QCOMPARE(focused.pixelColor(cell.center() + QPoint(0, cell.height() / 3)),
                 unfocused.pixelColor(cell.center() + QPoint(0, cell.height() / 3)));
    }
}

// A button that cannot be used looks it, in every window: its caption stands out less than when
// it can be used, and still at least 3:1 (the Time Zone dialog's OK, with a filter that matches
// nothing, kept its black caption).
void TestAccessibility::disabledButtonsLookDisabled()
{
    QFETCH(QString, window);
    const QWidget* const shown = open(window);
    for (QPushButton* const button : shown->findChildren<QPushButton*>()) {
        if (!button->isVisible() || !button->isEnabled() || button->text().isEmpty())
            continue;
        const double enabled = CaptionContrast(button);
        button->setEnabled(false);
        const double disabled = CaptionContrast(button);
        button->setEnabled(true);
        QVERIFY2(disabled < enabled && disabled >= 3.0, qPrintable(button->objectName()));
    }
}

void TestAccessibility::bordersStandOut_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");

    for (const char* const box :
         {"txtName", "txtEmail", "txtFriendName", "txtFriendEmail", "txtMessage", "Check1"})
        QTest::newRow(box) << u"frmFarewell"_s << QString::fromLatin1(box);
    QTest::newRow("frmMain txtName") << u"frmMain"_s << u"txtName"_s;
    QTest::newRow("frmMain cboYear") << u"frmMain"_s << u"cboYear"_s;
}

// A field's border, and a check box's, stands out at least 3:1 from the window around it.
void TestAccessibility::bordersStandOut()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QWidget* const shown = open(window);
    auto* const widget = Find<QWidget>(shown, control);
    shown->setFocus();

    QRect edge = InWindow(widget, shown);
    if (auto* const check = qobject_cast<QCheckBox*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(check);
        edge = check->style()
                   ->subElementRect(QStyle::SE_CheckBoxIndicator, &option, check)
                   .translated(edge.topLeft());
    }
    const QImage picture = shown->grab().toImage();
    const QPoint border(edge.left(), edge.center().y());
    const QColor line = picture.pixelColor(border);
    const QColor around = picture.pixelColor(border - QPoint(3, 0));
    QVERIFY2(ContrastRatio(line, around) >= 3.0,
             qPrintable(u"%1 on %2"_s.arg(line.name(), around.name())));
}

void TestAccessibility::closedListsAreFlat_data()
{
    QTest::addColumn<QString>("list");
    for (const char* const list : {"cboDate", "cboMonth", "cboYear"})
        QTest::newRow(list) << QString::fromLatin1(list);
}

// A closed list is filled flat in the window's dark grey, from its border to its arrow.
void TestAccessibility::closedListsAreFlat()
{
    QFETCH(QString, list);
    const QWidget* const shown = open(u"frmMain"_s);
    auto* const widget = Find<QComboBox>(shown, list);
    const QImage picture = widget->grab().toImage();
    for (const int y : {2, widget->height() - 3}) {
        for (int x = 2; x < widget->width() / 2; ++x)
            QCOMPARE(picture.pixelColor(x, y), QColor(64, 64, 64));
    }
}

// The year ahead's date box, its calendar and the cycle table's header take the theme's colours
// rather than the platform's white and blue.
void TestAccessibility::dateBoxTakesTheThemeColours()
{
    const QWidget* const shown = open(u"frmNineStar year ahead"_s);
    auto* const box = Find<QDateEdit>(shown, u"dtpYearAhead"_s);
    // The calendar as the person sees it: built when its arrow is first pressed.
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 4, box->height() / 2));
    QTRY_VERIFY(box->calendarWidget()->isVisible());
    for (const QWidget* const part :
         std::initializer_list<const QWidget*>{box, box->calendarWidget()}) {
        QCOMPARE(part->palette().color(QPalette::Base), QColor(192, 192, 192));
        QCOMPARE(part->palette().color(QPalette::Text), QColor(0, 0, 0));
        QCOMPARE(part->palette().color(QPalette::Highlight), QColor(64, 64, 64));
        QCOMPARE(part->palette().color(QPalette::HighlightedText), QColor(128, 255, 128));
    }
    // The row of weekday names, which the calendar draws from its days' alternate colour.
    const auto* const days = box->calendarWidget()->findChild<QAbstractItemView*>();
    QVERIFY(days != nullptr);
    QCOMPARE(days->palette().color(QPalette::AlternateBase), QColor(128, 128, 128));
    const QImage picture = box->grab().toImage();
    QCOMPARE(picture.pixelColor(box->width() / 2, box->height() - 4), QColor(192, 192, 192));
    const auto* const header = Find<QTableWidget>(shown, u"tblCycle"_s)->horizontalHeader();
    QCOMPARE(header->palette().color(QPalette::Button), QColor(64, 64, 64));
    QCOMPARE(header->palette().color(QPalette::ButtonText), QColor(255, 255, 255));
}

void TestAccessibility::fieldsTakeTheThemeColours_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QColor>("back"); // what the control is filled with where no entry lies

    // The calendar's chosen day is washed over its own colour instead: tst_frmcalendar.
    QTest::newRow("frmTimeZone txtZoneFilter")
        << u"frmTimeZone"_s << u"txtZoneFilter"_s << QColor(192, 192, 192);
    QTest::newRow("frmTimeZone lstTimeZones")
        << u"frmTimeZone"_s << u"lstTimeZones"_s << QColor(192, 192, 192);
}

// Fields, lists and tables are black on silver with the chosen entry light green on dark grey,
// as the year ahead's, never the platform's white and blue.
void TestAccessibility::fieldsTakeTheThemeColours()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QColor, back);
    QWidget* const shown = open(window);
    auto* const widget = Find<QWidget>(shown, control);
    QCOMPARE(widget->palette().color(QPalette::Highlight), QColor(64, 64, 64));
    QCOMPARE(widget->palette().color(QPalette::HighlightedText), QColor(128, 255, 128));
    if (back.isValid()) {
        QCOMPARE(widget->palette().color(QPalette::Base), back);
        QCOMPARE(widget->palette().color(QPalette::Text), QColor(0, 0, 0));
    }
    // The chosen entry is drawn in the highlight.
    if (auto* const view = qobject_cast<QAbstractItemView*>(widget)) {
        shown->setFocus();
        const QRect entry = view->visualRect(view->currentIndex());
        QVERIFY(entry.isValid());
        const QImage picture = view->viewport()->grab().toImage();
        QCOMPARE(picture.pixelColor(entry.right() - 4, entry.bottom() - 4), QColor(64, 64, 64));
    }
}

// At the size it opens in, every day of the calendar shows all its lines, in every month of a year
// with its solar terms and today in bold.
namespace {

// The fonts and the scale are read once, when a program starts: such a row runs in a copy of
// this suite of its own, on a 1600x1200 screen, with DejaVu and one CJK font only. Its exit
// code, or what it printed on failure.
QString RunRowApart(const QString& fonts, const QByteArray& scale)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString data = QStringLiteral(KISTARRA_TEST_DATA_DIR);
    environment.insert(u"KISTARRA_FONT_SETUP"_s, fonts);
    environment.insert(u"FONTCONFIG_FILE"_s, data % u"/fonts/"_s % fonts % u".conf"_s);
    environment.insert(u"XDG_CACHE_HOME"_s, QCoreApplication::applicationDirPath() % u"/cache"_s);
    environment.insert(u"QT_QPA_PLATFORM"_s,
                       u"offscreen:configfile="_s % data % u"/screen-1600x1200.json"_s);
    environment.insert(u"QT_SCALE_FACTOR"_s, QString::fromLatin1(scale));
    QProcess row;
    row.setProcessEnvironment(environment);
    row.setProcessChannelMode(QProcess::MergedChannels);
    row.start(QCoreApplication::applicationFilePath(),
              {u"calendarDaysAreWhole:"_s % QString::fromUtf8(QTest::currentDataTag())});
    if (!row.waitForFinished(120000) || row.exitStatus() != QProcess::NormalExit)
        return u"the row did not finish"_s;
    return row.exitCode() == 0 ? u"0"_s : QString::fromLocal8Bit(row.readAll());
}

} // namespace

void TestAccessibility::calendarDaysAreWhole_data()
{
    QTest::addColumn<QString>("fonts"); // a file of tests/data/fonts, or the machine's fonts
    QTest::addColumn<QString>("fontFile");
    QTest::addColumn<QByteArray>("scale");
    QTest::addColumn<QSize>("size"); // the window's default size when empty

    const QString ipa = u"/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"_s;
    const QString droid = u"/usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf"_s;
    QTest::newRow("the machine's fonts") << QString() << QString() << QByteArray("1") << QSize();
    QTest::newRow("IPA Gothic") << u"ipagothic"_s << ipa << QByteArray("1") << QSize();
    QTest::newRow("Droid Sans Fallback") << u"droid"_s << droid << QByteArray("1") << QSize();
    QTest::newRow("IPA Gothic, 640x420")
        << u"ipagothic"_s << ipa << QByteArray("1") << QSize(640, 420);
    QTest::newRow("Droid Sans Fallback, 640x420")
        << u"droid"_s << droid << QByteArray("1") << QSize(640, 420);
    QTest::newRow("scale 2 on a 1600x1200 screen")
        << u"droid"_s << droid << QByteArray("2") << QSize();
}

// Every line of a day is whole or not there, whatever the fonts, the scale and the window's size;
// at the default size every line is there; the windows that size themselves fit the screen.
void TestAccessibility::calendarDaysAreWhole()
{
    QFETCH(QString, fonts);
    QFETCH(QString, fontFile);
    QFETCH(QByteArray, scale);
    QFETCH(QSize, size);
    const bool apart = !fonts.isEmpty();
    if (apart && qEnvironmentVariableIsEmpty("KISTARRA_FONT_SETUP")) {
        QVERIFY2(QFile::exists(fontFile), qPrintable(fontFile % u" is missing: make deps"_s));
        QCOMPARE(RunRowApart(fonts, scale), u"0"_s);
        return;
    }
    if (apart) {
        const QStringList families = QFontDatabase::families();
        QCOMPARE(families.contains(u"IPAGothic"_s), fonts == u"ipagothic"_s);
        QVERIFY(!families.contains(u"Noto Sans CJK JP"_s));
        for (const QString& window : {u"frmTimeZone"_s, u"frmNineStar year ahead"_s}) {
            const QWidget* const shown = open(window);
            QVERIFY2(shown->screen()->availableGeometry().contains(shown->frameGeometry()),
                     qPrintable(window));
        }
    }
    QWidget* const shown = open(u"frmCalendar"_s);
    QVERIFY(shown->screen()->availableGeometry().contains(shown->frameGeometry()));
    if (size.isValid())
        shown->resize(size);
    auto* const calendar = qobject_cast<frmCalendar*>(shown);
    auto* const grid = Find<QTableWidget>(shown, u"tblCalendar"_s);
    QStringList clipped;
    QStringList shortened;
    for (int month = 1; month <= 12; ++month) {
        calendar->chooseDay(QDate(2026, month, 1));
        QCoreApplication::processEvents();
        for (int cell = 0; cell < grid->rowCount() * grid->columnCount(); ++cell) {
            const QTableWidgetItem* const item = grid->item(cell / 7, cell % 7);
            const QRect room = grid->visualItemRect(item).adjusted(3, 1, -3, -1);
            const QRect needed =
                QFontMetrics(item->font())
                    .boundingRect(QRect(room.topLeft(), QSize(room.width(), 1000)),
                                  Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, item->text());
            if (needed.height() > room.height() || needed.width() > room.width())
                clipped.append(item->data(Qt::AccessibleTextRole).toString());
            // The tooltip adds the star's names and the directions to avoid after the lines.
            if (item->toolTip().left(item->toolTip().indexOf(u"\nstar "_s)) != item->text())
                shortened.append(item->toolTip());
        }
    }
    QCOMPARE(clipped, QStringList());
    if (apart && scale == "1" && !size.isValid())
        QCOMPARE(shortened, QStringList());
    else if (size.isValid())
        QVERIFY(!shortened.isEmpty());
}

} // namespace Kistarra

QTEST_MAIN(Kistarra::TestAccessibility)
#include "tst_accessibility.moc"
