#include <algorithm>
#include <array>
#include <memory>
#include <optional>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QUrl>

#include "settings/programsettings.h"
#include "app/programwindows.h"
#include "app/singleinstance.h"
#include "app/startup.h"
#include "platform/modhelp.h"
#include "reading/sites.h"
#include "savedreading/savedreading.h"
#include "tests/support/fakedesktop.h"
#include "windows/frmfarewell.h"
#include "windows/frmmain.h"
#include "windows/frmninestar.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

// A monkey: random clicks, key presses, list picks, tab switches, menu entries and close boxes on
// whatever the program shows, with the file dialogs, questions and printer of the fake desktop
// answering at random too. After every action the program must still stand on exactly one of its
// two main windows (or on the farewell window, until that ends it), must have said nothing but its
// own messages and opened nothing but its own sites. A run that reaches the end of the program
// starts it again; every window of the ended run must be gone by then.
//
// KISTARRA_MONKEY_SEED and KISTARRA_MONKEY_STEPS replay one run; KISTARRA_MONKEY_TRACE=1 logs
// every action of it.

namespace {

using MessageKind = FakeDesktop::MessageKind;

const QString UpdateQuestion = u"There maybe an update to this software available\r"
                               u"Do you want to check for an update?"_s;
const QString FileRefusedMessage = u"Please Check The File."_s;
const QString SaveRefusedMessage = u"The reading could not be saved."_s;
const QString PrintRefusedMessage = u"The report could not be printed."_s;
const QString MonthPrintRefusedMessage = u"The month could not be printed."_s;
const QString ComparisonPrintRefused = u"The comparison could not be printed."_s;
const QString AlreadyRunning = u"Application is already running"_s;

// Everything the program ever says, in the kind of box it says it in.
const QList<FakeDesktop::Message>& OwnMessages()
{
    static const QList<FakeDesktop::Message> messages = {
        {MessageKind::Error, u"Please Enter Your Name"_s},
        {MessageKind::Error, FileRefusedMessage},
        {MessageKind::Error, SaveRefusedMessage},
        {MessageKind::Error, PrintRefusedMessage},
        {MessageKind::Error, u"Email Address Cannot Contain Space"_s},
        {MessageKind::Error, u"Please Enter Distinct Email Addresses"_s},
        {MessageKind::Error, u"Please Enter Proper Email Address"_s},
        {MessageKind::Error, u"Please Enter Your Email"_s},
        {MessageKind::Error, u"Please Enter Your Message"_s},
        {MessageKind::Error, u"Please Enter Your Friend's Name"_s},
        {MessageKind::Error, u"Please Enter Your Friend's Email"_s},
        {MessageKind::Question, UpdateQuestion},
        {MessageKind::Notice, AlreadyRunning},
        {MessageKind::Error, MonthPrintRefusedMessage},
        {MessageKind::Error, ComparisonPrintRefused},
    };
    return messages;
}

// A message that names a file and the system's reason: known by its beginning.
bool IsOwnFileMessage(const FakeDesktop::Message& message)
{
    return message.kind == MessageKind::Error &&
           message.text.startsWith(u"The PDF could not be saved as "_s);
}

[[nodiscard]] QSet<QString> OwnHosts()
{
    QSet<QString> hosts;
    for (const QStringView site : {Sites::MainSite, Sites::HelpSite, Sites::ProductSite})
        hosts.insert(QUrl(site.toString()).host());
    return hosts;
}

// The labels that are links, by window.
const QHash<QString, QStringList>& LinkLabels()
{
    static const QHash<QString, QStringList> links = {
        {u"frmMain"_s, {u"Label14"_s, u"Label3"_s, u"lblCobrand"_s, u"lblFullBrand"_s}},
        {u"frmNineStar"_s, {u"Label61"_s, u"lblCobrand"_s, u"lblFullBrand"_s}},
        {u"frmSave"_s, {u"Label14"_s, u"Label1"_s, u"lblCobrand"_s, u"lblFullBrand"_s}},
        {u"frmAbout"_s, {u"lblCoBrand"_s, u"lblHomePage"_s}},
        {u"frmFarewell"_s, {u"lblGoToHome"_s}},
    };
    return links;
}

// What the monkey does. Every kind must have been done a few times by the end of a run.
enum class Kind {
    Button,   // a push button, by mouse or space bar
    CheckBox, // a check box
    Option,   // a radio button
    Link,     // a label that is a link
    Label,    // any other label
    TextBox,  // a click into a text box, read-only ones included
    Menu,     // an entry of the menu bar or its menus
    Tab,      // a tab of a tab strip, by mouse or arrow key
    List,     // a list's entry, picked or stepped to by keyboard
    Typing,   // keys or input method text into an editable box
    Focus,    // the focus moved by Tab, Shift+Tab or straight to a control
    Close,    // the window's close box, or Escape in a dialog
};
constexpr std::array KindNames = {"button", "check box", "option", "link",   "label", "text box",
                                  "menu",   "tab",       "list",   "typing", "focus", "close"};
constexpr int KindCount = static_cast<int>(KindNames.size());

[[nodiscard]] QString NameOf(Kind kind)
{
    return QString::fromLatin1(KindNames.at(static_cast<std::size_t>(kind)));
}

// How often a kind is chosen among those a window offers: leaving a main window is rarer than
// working in it, a report or about box is left sooner, and the many plain labels and the
// clipped-off sex options are not worth much time.
[[nodiscard]] int Weight(Kind kind, const QWidget* window)
{
    switch (kind) {
    case Kind::Button:
        return 6;
    case Kind::Typing:
        return 5;
    case Kind::Menu:
    case Kind::Tab:
        return 4;
    case Kind::CheckBox:
    case Kind::Link:
    case Kind::List:
        return 3;
    case Kind::Focus:
        return 2;
    case Kind::Close:
        return qobject_cast<const QDialog*>(window) != nullptr ? 2 : 1;
    case Kind::Option:
    case Kind::Label:
    case Kind::TextBox:
        return 1;
    }
    return 1;
}

// Things that happen to the program; each must have happened a few times by the end of a run, or
// the monkey never got that far.
enum class Milestone {
    ReadingShown,
    BackToDetails,
    AboutOpened,
    ReportOpened,
    ReadingSaved,
    SaveRefused,
    ReportPrinted,
    PrintRefused,
    SavedReadingOpened,
    FileRefused,
    ReferralSent,
    FarewellShown,
    ProgramEnded,
    StartedWithFile,
    UpdateAsked,
    SecondCopyRefused,
};
constexpr std::array MilestoneNames = {
    "reading shown", "back to birth details", "about opened",   "report opened",
    "reading saved", "save refused",          "report printed", "print refused",
    "file opened",   "file refused",          "referral sent",  "farewell shown",
    "program ended", "started with a file",   "update asked",   "second copy refused",
};
// The least count of each, over a run of 1000 actions.
constexpr std::array MilestoneMinimum = {10, 5, 3, 5, 3, 1, 3, 1, 5, 5, 1, 10, 10, 2, 3, 1};
constexpr int MilestoneCount = static_cast<int>(MilestoneNames.size());
static_assert(MilestoneMinimum.size() == MilestoneNames.size());

// The window's class name without the namespace: frmSave and frmNineStar have no objectName.
[[nodiscard]] QString WindowName(const QWidget* window)
{
    const QString name = QString::fromLatin1(window->metaObject()->className());
    return name.mid(name.lastIndexOf(u':') + 1);
}

[[nodiscard]] QList<QWidget*> VisibleWindows()
{
    QList<QWidget*> shown;
    for (QWidget* const widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible())
            shown.append(widget);
    }
    return shown;
}

[[nodiscard]] QString Describe(const QList<QWidget*>& windows)
{
    QStringList names;
    for (const QWidget* const window : windows)
        names.append(WindowName(window) + u'#' + window->objectName());
    return names.join(u", "_s);
}

// Lets every posted event run, window deletions included, as the event loop would between two
// actions of the user.
void Settle()
{
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

[[nodiscard]] QString ReadingText(const frmNineStar* window)
{
    const auto* const box = window->findChild<QTextEdit*>(u"RTBLoshu"_s);
    return box == nullptr ? QString() : box->toPlainText();
}

[[nodiscard]] bool IsEditable(const QWidget* widget)
{
    if (const auto* const line = qobject_cast<const QLineEdit*>(widget))
        return !line->isReadOnly();
    if (const auto* const text = qobject_cast<const QTextEdit*>(widget))
        return !text->isReadOnly();
    if (const auto* const plain = qobject_cast<const QPlainTextEdit*>(widget))
        return !plain->isReadOnly();
    return false;
}

// The widgets of the window (not of a window inside it) that take input now, by name.
[[nodiscard]] QList<QWidget*> UsableWidgets(const QWidget* window)
{
    QList<QWidget*> usable;
    for (QWidget* const widget : window->findChildren<QWidget*>()) {
        if (widget->window() == window && widget->isVisible() && widget->isEnabled())
            usable.append(widget);
    }
    // By name, so a seed keeps its course when the controls are made in another order.
    std::stable_sort(usable.begin(), usable.end(), [](const QWidget* a, const QWidget* b) {
        return a->objectName() < b->objectName();
    });
    return usable;
}

[[nodiscard]] QList<QWidget*> EditableBoxes(const QWidget* window)
{
    QList<QWidget*> boxes = UsableWidgets(window);
    boxes.removeIf([](const QWidget* widget) { return !IsEditable(widget); });
    return boxes;
}

// Key by key; characters without a key of their own come as the text of an unknown key.
void TypeKeys(QWidget* box, const QString& text)
{
    for (const QChar character : text) {
        if (character.unicode() < 0x80)
            QTest::keyClick(box, character.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
    }
}

// What an answer to the open dialog (or a file handed over at start) leads to.
enum class Outcome { Opens, Refused, Cancelled };

struct OpenAnswer {
    QString path;
    Outcome outcome = Outcome::Cancelled;
    QString readingText; // for a reading the monkey saved: what the reopened reading must show
    QString label;
    YearRule rule = YearRule::Calendar; // the year rule the saved reading was shown with
};

enum class SaveKind { Fresh, FreshOtherSuffix, Overwrite, Unwritable, Cancelled };

struct SaveAnswer {
    QString path;
    SaveKind kind = SaveKind::Cancelled;
};

// One thing to act on, and what acting on it means.
struct Control {
    Kind kind;
    QPointer<QWidget> widget;
    QPointer<QAction> action;
    QString name;
};

// The program as it stood before an action.
struct Snapshot {
    QPointer<frmMain> details;
    QPointer<frmNineStar> result;
    QPointer<QWidget> modal;
    bool hadResult = false;
    bool farewellShown = false;
    qsizetype messages = 0;
    qsizetype urls = 0;
    qsizetype openDialogs = 0;
    qsizetype saveDialogs = 0;
    qsizetype prints = 0;
};

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void randomUse_data();
    void randomUse();

private:
    // Starts the program again, one of the ways it can start.
    void startProgram();
    void startByStartUp();
    // Acts once on the window that takes the input now, and checks the program afterwards.
    void act();
    void perform(const Control& control, QWidget* window);
    void type(QWidget* box);
    void pickListEntry(QComboBox* list);
    void moveFocus(QWidget* window);
    void closeWindow(QWidget* window);

    [[nodiscard]] QList<Control> controlsOf(QWidget* window) const;
    [[nodiscard]] const Control& choose(const QList<Control>& controls, const QWidget* window);
    [[nodiscard]] Snapshot snapshot() const;
    void script();
    void clearScript();

    void checkWindows();
    void checkMessagesAndAddresses();
    void checkOpened(const Snapshot& before, const OpenAnswer& answer);
    void checkSaved(const Snapshot& before);
    void checkPrinted(const Snapshot& before, const QString& refusal);
    void checkSavedPdf(const Snapshot& before);
    void checkLink(const Control& control, const Snapshot& before);
    void noteMilestones(const Snapshot& before);
    // After the farewell window ended the program: every window gone, then a fresh start.
    void restart();

    [[nodiscard]] OpenAnswer randomOpenAnswer(bool withCancel);
    [[nodiscard]] SaveAnswer randomSaveAnswer();
    [[nodiscard]] QString randomText();
    void note(const QString& what);
    [[nodiscard]] QString context() const;
    [[nodiscard]] QList<FakeDesktop::Message> messagesSince(qsizetype from) const;

    QTemporaryDir m_folder;
    QString m_goodFile;
    QList<OpenAnswer> m_badFiles;
    QList<OpenAnswer> m_savedFiles;
    int m_savedCount = 0;

    QRandomGenerator m_random;
    quint32 m_seed = 0;
    int m_step = 0;
    bool m_trace = false;
    QStringList m_journal;

    std::unique_ptr<FakeDesktop> m_desktop;
    std::unique_ptr<SingleInstanceGuard> m_guard;
    std::unique_ptr<ProgramWindows> m_windows;
    qsizetype m_messagesChecked = 0;
    qsizetype m_urlsChecked = 0;

    OpenAnswer m_openAnswer;
    SaveAnswer m_saveAnswer;

    std::array<int, KindCount> m_kinds{};
    std::array<int, MilestoneCount> m_milestones{};
    QMap<QString, int> m_acted; // by window and control
    QSet<QString> m_offered;    // every button, check box, link, menu entry, tab and list seen
};

void TestMonkey::initTestCase()
{
    QVERIFY(m_folder.isValid());
    m_trace = qEnvironmentVariableIntValue("KISTARRA_MONKEY_TRACE") != 0;
    m_goodFile = QDir(QStringLiteral(KISTARRA_TEST_DATA_DIR)).filePath(u"ann-1970-05-01.nsk"_s);
    QVERIFY(QFile::exists(m_goodFile));

    const auto write = [this](const QString& name, const QByteArray& contents) {
        QFile file(m_folder.filePath(name));
        const bool written = file.open(QIODevice::WriteOnly) && file.write(contents) >= 0;
        return written ? file.fileName() : QString();
    };
    const auto bad = [this](const QString& path, const QString& label) {
        QVERIFY2(!path.isEmpty(), qPrintable(label));
        m_badFiles.append({path, Outcome::Refused, {}, label});
    };
    bad(write(u"bad-month.nsk"_s, EncodeSavedReading({u"Bob"_s, u"1"_s, u"Smarch"_s, u"1970"_s})),
        u"bad month"_s);
    bad(write(u"bad-day.nsk"_s, EncodeSavedReading({u"Bob"_s, u"32"_s, u"May"_s, u"1970"_s})),
        u"bad day"_s);
    bad(write(u"bad-year.nsk"_s, EncodeSavedReading({u"Bob"_s, u"1"_s, u"May"_s, u"1899"_s})),
        u"bad year"_s);
    bad(write(u"empty.nsk"_s, {}), u"empty file"_s);
    bad(write(u"two-lines.nsk"_s, EncodeSavedReading({u"Bob"_s, u"1"_s, {}, {}}).left(9)),
        u"two lines"_s);
    QByteArray noise;
    for (int i = 0; i < 4096; ++i)
        noise.append(static_cast<char>((i * 37 + 11) % 256));
    bad(write(u"noise.nsk"_s, noise), u"noise"_s);
    bad(write(u"huge.nsk"_s, QByteArray(200 * 1024, 'x')), u"huge file"_s);
    QFile good(m_goodFile);
    QVERIFY(good.open(QIODevice::ReadOnly));
    bad(write(u"ann.NSK"_s, good.readAll()), u"upper-case ending"_s);
    QVERIFY(QDir(m_folder.path()).mkdir(u"folder.nsk"_s));
    bad(m_folder.filePath(u"folder.nsk"_s), u"folder"_s);
    bad(m_folder.filePath(u"missing.nsk"_s), u"missing file"_s);
    bad(QDir(QStringLiteral(KISTARRA_TEST_DATA_DIR)).filePath(u"reading-1975-10-15.txt"_s),
        u"not an .nsk name"_s);
}

void TestMonkey::init()
{
    // The offscreen platform says this once about the farewell window's fixed size; it is no
    // fault of the program.
    QTest::failOnWarning(
        QRegularExpression(u"^(?!This plugin does not support propagateSizeHints\\(\\)$)"_s));
    m_desktop = std::make_unique<FakeDesktop>();
    m_messagesChecked = 0;
    m_urlsChecked = 0;
    m_kinds.fill(0);
    m_milestones.fill(0);
    m_acted.clear();
    m_offered.clear();
    m_journal.clear();
    m_savedFiles.clear();
    m_savedCount = 0;
    QFile::remove(m_folder.filePath(u"kistarra.ini"_s));
}

void TestMonkey::cleanup()
{
    m_windows.reset();
    m_guard.reset();
    Settle();
    // Nothing of the program outlives it: no window, hidden or shown, is left over.
    QVERIFY2(QApplication::topLevelWidgets().isEmpty(),
             qPrintable(Describe(QApplication::topLevelWidgets())));
    m_desktop.reset();
}

void TestMonkey::randomUse_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("steps");
    const quint32 seed = qEnvironmentVariableIntValue("KISTARRA_MONKEY_SEED");
    if (seed != 0) {
        const int steps = qEnvironmentVariableIntValue("KISTARRA_MONKEY_STEPS");
        QTest::addRow("seed %u", seed) << seed << (steps > 0 ? steps : 1000);
        return;
    }
    for (const quint32 fixed : {20261207u, 19700501u, 36u})
        QTest::addRow("seed %u", fixed) << fixed << 1000;
}

void TestMonkey::randomUse()
{
    QFETCH(quint32, seed);
    QFETCH(int, steps);
    m_seed = seed;
    m_random.seed(seed);
    m_step = 0;
    qInfo("Monkey seed %u, %d actions", seed, steps);

    startProgram();
    if (QTest::currentTestFailed())
        return;
    for (m_step = 1; m_step <= steps; ++m_step) {
        act();
        if (QTest::currentTestFailed())
            return;
    }

    QStringList kinds;
    for (int kind = 0; kind < KindCount; ++kind)
        kinds.append(QString::fromLatin1(KindNames.at(static_cast<std::size_t>(kind))) + u' ' +
                     QString::number(m_kinds.at(static_cast<std::size_t>(kind))));
    qInfo("Actions: %s", qPrintable(kinds.join(u", "_s)));
    QStringList milestones;
    for (int milestone = 0; milestone < MilestoneCount; ++milestone)
        milestones.append(
            QString::fromLatin1(MilestoneNames.at(static_cast<std::size_t>(milestone))) + u' ' +
            QString::number(m_milestones.at(static_cast<std::size_t>(milestone))));
    qInfo("Reached: %s", qPrintable(milestones.join(u", "_s)));
    QMap<QString, int> said;
    for (const FakeDesktop::Message& message : std::as_const(m_desktop->messages))
        ++said[QString(message.text).replace(u'\r', u' ')];
    QStringList messages;
    for (auto it = said.cbegin(); it != said.cend(); ++it)
        messages.append(u"\""_s + it.key() + u"\" "_s + QString::number(it.value()));
    qInfo("Messages: %s; pages opened: %lld", qPrintable(messages.join(u", "_s)),
          static_cast<long long>(m_desktop->openedUrls.size()));

    // The only option buttons, the sex row of the birth details window, are hidden: nobody
    // reaches them.
    QCOMPARE(m_kinds.at(static_cast<std::size_t>(Kind::Option)), 0);
    for (int kind = 0; kind < KindCount; ++kind) {
        const int count = m_kinds.at(static_cast<std::size_t>(kind));
        if (static_cast<Kind>(kind) == Kind::Option)
            continue;
        QVERIFY2(count >= 3, qPrintable(u"only %1 actions of kind %2"_s.arg(count).arg(
                                 NameOf(static_cast<Kind>(kind)))));
    }
    for (int milestone = 0; milestone < MilestoneCount; ++milestone) {
        const auto index = static_cast<std::size_t>(milestone);
        QVERIFY2(m_milestones.at(index) >= MilestoneMinimum.at(index),
                 qPrintable(u"%1 only %2 times"_s.arg(QString::fromLatin1(MilestoneNames.at(index)))
                                .arg(m_milestones.at(index))));
    }
    QStringList neverUsed;
    for (const QString& control : std::as_const(m_offered)) {
        if (!m_acted.contains(control))
            neverUsed.append(control);
    }
    neverUsed.sort();
    if (!neverUsed.isEmpty())
        qInfo("Seen but not used this run: %s", qPrintable(neverUsed.join(u", "_s)));
}

void TestMonkey::startProgram()
{
    if (m_random.bounded(3) == 0) {
        note(u"start: the navigation alone"_s);
        m_windows = std::make_unique<ProgramWindows>(*m_desktop, ReadingOptions{});
        m_windows->start();
        Settle();
    } else {
        startByStartUp();
        if (QTest::currentTestFailed())
            return;
    }
    checkMessagesAndAddresses();
    if (QTest::currentTestFailed())
        return;
    checkWindows();
}

void TestMonkey::startByStartUp()
{
    const QString lockFile = m_folder.filePath(u"kistarra.lock"_s);
    const auto openSettings = [this] { return std::make_unique<ProgramSettings>(m_folder.path()); };

    if (m_random.bounded(4) == 0) {
        note(u"start: a second copy while one runs"_s);
        SingleInstanceGuard running(lockFile);
        QVERIFY2(running.tryAcquire(), qPrintable(context()));
        SingleInstanceGuard second(lockFile);
        const qsizetype before = m_desktop->messages.size();
        const std::unique_ptr<ProgramWindows> none = StartUp(*m_desktop, second, openSettings);
        Settle();
        QVERIFY2(none == nullptr, qPrintable(context()));
        const QList<FakeDesktop::Message> expected = {{MessageKind::Notice, AlreadyRunning}};
        QVERIFY2(messagesSince(before) == expected, qPrintable(context()));
        QVERIFY2(VisibleWindows().isEmpty(), qPrintable(context()));
        ++m_milestones[static_cast<std::size_t>(Milestone::SecondCopyRefused)];
    }

    // The reminder compares today with the day it last noted; some starts lie weeks apart.
    constexpr std::array<int, 6> dayShifts = {0, 0, 3, 15, -20, 400};
    m_desktop->todayDate =
        QDate(2026, 12, 7)
            .addDays(dayShifts.at(m_random.bounded(static_cast<int>(dayShifts.size()))));
    m_desktop->yesNoAnswers = {m_random.bounded(2) == 1};
    m_desktop->randomValues = {static_cast<int>(m_random.bounded(1, 7))};
    std::optional<OpenAnswer> file;
    if (m_random.bounded(3) == 0)
        file = randomOpenAnswer(false);
    note(u"start: StartUp"_s + (file ? u" with "_s + file->label : QString()));

    const Snapshot before = snapshot();
    m_guard = std::make_unique<SingleInstanceGuard>(lockFile);
    m_windows = StartUp(*m_desktop, *m_guard, openSettings, file ? file->path : QString());
    clearScript();
    Settle();
    QVERIFY2(m_windows != nullptr, qPrintable(context()));
    if (messagesSince(before.messages).contains({MessageKind::Question, UpdateQuestion}))
        ++m_milestones[static_cast<std::size_t>(Milestone::UpdateAsked)];
    if (file) {
        ++m_milestones[static_cast<std::size_t>(Milestone::StartedWithFile)];
        checkOpened(before, *file);
    }
}

void TestMonkey::act()
{
    QWidget* window = QApplication::activeModalWidget();
    if (window == nullptr) {
        const QList<QWidget*> shown = VisibleWindows();
        QVERIFY2(!shown.isEmpty(), qPrintable(context()));
        window = shown.at(m_random.bounded(static_cast<int>(shown.size())));
    }
    const QList<Control> controls = controlsOf(window);
    QVERIFY2(!controls.isEmpty(), qPrintable(context()));
    const Control control = choose(controls, window);
    const QString where = WindowName(window) + u'.' + control.name;
    // The calendar prints and saves its month and the Two People window its comparison, not the
    // report, and the latter opens a partner, not a reading; the window may be gone after.
    const QString from = WindowName(window);
    const bool fromCalendar = from == u"frmCalendar"_s || from == u"frmTwoPeople"_s;
    ++m_kinds[static_cast<std::size_t>(control.kind)];
    ++m_acted[where];

    const Snapshot before = snapshot();
    script();
    note(NameOf(control.kind) + u' ' + where);
    perform(control, window);
    const OpenAnswer openAnswer = m_openAnswer;
    clearScript();
    Settle();
    if (m_desktop->openDialogs.size() > before.openDialogs)
        note(u"  open dialog answered: "_s + openAnswer.label);
    if (m_desktop->saveDialogs.size() > before.saveDialogs)
        note(u"  save dialog answered: "_s +
             (m_saveAnswer.path.isEmpty() ? u"cancel"_s : m_saveAnswer.path));
    if (m_desktop->printedTexts.size() > before.prints)
        note(m_desktop->printSucceeds ? u"  printed"_s : u"  printer failed"_s);

    checkMessagesAndAddresses();
    if (QTest::currentTestFailed())
        return;
    if (before.farewellShown && VisibleWindows().isEmpty()) {
        restart();
        return;
    }
    checkWindows();
    if (QTest::currentTestFailed())
        return;
    if (m_desktop->openDialogs.size() > before.openDialogs && from != u"frmTwoPeople"_s)
        checkOpened(before, openAnswer);
    if (m_desktop->saveDialogs.size() > before.saveDialogs)
        fromCalendar ? checkSavedPdf(before) : checkSaved(before);
    if (m_desktop->printedTexts.size() > before.prints)
        checkPrinted(before, from == u"frmTwoPeople"_s ? ComparisonPrintRefused
                             : fromCalendar            ? MonthPrintRefusedMessage
                                                       : PrintRefusedMessage);
    checkLink(control, before);
    if (QTest::currentTestFailed())
        return;
    noteMilestones(before);
}

QList<Control> TestMonkey::controlsOf(QWidget* window) const
{
    const QStringList links = LinkLabels().value(WindowName(window));
    QList<Control> controls;
    bool focusable = false;
    for (QWidget* const widget : UsableWidgets(window)) {
        const QString name = widget->objectName();
        if (widget->focusPolicy() & Qt::TabFocus)
            focusable = true;
        if (qobject_cast<QPushButton*>(widget))
            controls.append({Kind::Button, widget, {}, name});
        else if (qobject_cast<QCheckBox*>(widget))
            controls.append({Kind::CheckBox, widget, {}, name});
        else if (qobject_cast<QRadioButton*>(widget))
            controls.append({Kind::Option, widget, {}, name});
        else if (qobject_cast<QLabel*>(widget))
            controls.append({links.contains(name) ? Kind::Link : Kind::Label, widget, {}, name});
        else if (qobject_cast<QTabBar*>(widget))
            controls.append({Kind::Tab, widget, {}, name});
        else if (qobject_cast<QComboBox*>(widget))
            controls.append({Kind::List, widget, {}, name});
        else if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QTextEdit*>(widget) ||
                 qobject_cast<QPlainTextEdit*>(widget))
            controls.append({Kind::TextBox, widget, {}, name});
        if (IsEditable(widget))
            controls.append({Kind::Typing, widget, {}, name});
    }
    if (focusable)
        controls.append({Kind::Focus, window, {}, u"focus"_s});
    controls.append({Kind::Close, window, {}, u"close"_s});

    for (QMenuBar* const bar : window->findChildren<QMenuBar*>()) {
        if (bar->window() != window || !bar->isVisible() || !bar->isEnabled())
            continue;
        QList<QAction*> pending = bar->actions();
        while (!pending.isEmpty()) {
            QAction* const action = pending.takeFirst();
            if (!action->isVisible() || !action->isEnabled() || action->isSeparator())
                continue;
            if (QMenu* const menu = action->menu())
                pending.append(menu->actions());
            else
                controls.append({Kind::Menu, window, action, action->objectName()});
        }
    }
    return controls;
}

const Control& TestMonkey::choose(const QList<Control>& controls, const QWidget* window)
{
    std::array<QList<const Control*>, KindCount> byKind;
    for (const Control& control : controls) {
        byKind.at(static_cast<std::size_t>(control.kind)).append(&control);
        if (control.kind != Kind::Label && control.kind != Kind::TextBox &&
            control.kind != Kind::Typing && control.kind != Kind::Focus &&
            control.kind != Kind::Close && control.kind != Kind::Option)
            m_offered.insert(WindowName(window) + u'.' + control.name);
    }
    int total = 0;
    for (int kind = 0; kind < KindCount; ++kind) {
        if (!byKind.at(static_cast<std::size_t>(kind)).isEmpty())
            total += Weight(static_cast<Kind>(kind), window);
    }
    int draw = m_random.bounded(total);
    for (int kind = 0; kind < KindCount; ++kind) {
        const QList<const Control*>& ofKind = byKind.at(static_cast<std::size_t>(kind));
        if (ofKind.isEmpty())
            continue;
        draw -= Weight(static_cast<Kind>(kind), window);
        if (draw < 0)
            return *ofKind.at(m_random.bounded(static_cast<int>(ofKind.size())));
    }
    return controls.last();
}

void TestMonkey::perform(const Control& control, QWidget* window)
{
    QWidget* const widget = control.widget;
    const auto somewhereIn = [this](const QWidget* target) {
        return QPoint(m_random.bounded(std::max(1, target->width())),
                      m_random.bounded(std::max(1, target->height())));
    };
    switch (control.kind) {
    case Kind::Button:
    case Kind::CheckBox:
    case Kind::Option:
        if (m_random.bounded(4) == 0)
            QTest::keyClick(widget, Qt::Key_Space);
        else
            QTest::mouseClick(widget, Qt::LeftButton);
        break;
    case Kind::Link:
    case Kind::Label:
        QTest::mouseClick(widget, Qt::LeftButton, {}, somewhereIn(widget));
        break;
    case Kind::TextBox: {
        auto* const area = qobject_cast<QAbstractScrollArea*>(widget);
        QWidget* const target = area != nullptr ? area->viewport() : widget;
        QTest::mouseClick(target, Qt::LeftButton, {}, somewhereIn(target));
        break;
    }
    case Kind::Menu:
        control.action->trigger();
        break;
    case Kind::Tab: {
        auto* const tabs = static_cast<QTabBar*>(widget);
        if (m_random.bounded(3) == 0) {
            QTest::keyClick(tabs, m_random.bounded(2) == 0 ? Qt::Key_Left : Qt::Key_Right);
        } else {
            const int tab = m_random.bounded(tabs->count());
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
        }
        break;
    }
    case Kind::List:
        pickListEntry(static_cast<QComboBox*>(widget));
        break;
    case Kind::Typing:
        type(widget);
        break;
    case Kind::Focus:
        moveFocus(window);
        break;
    case Kind::Close:
        closeWindow(window);
        break;
    }
}

void TestMonkey::type(QWidget* box)
{
    // Now and then every box of the window at once, so that a form gets sent filled in sometimes.
    if (m_random.bounded(2) == 0) {
        static const QStringList plausible = {u"Ann"_s, u"ann@example.org"_s, u"bob@mail.example"_s,
                                              u"x@y.z"_s, u"zoë@b.example"_s};
        for (QWidget* const each : EditableBoxes(box->window()))
            TypeKeys(each, plausible.at(m_random.bounded(static_cast<int>(plausible.size()))));
        return;
    }
    if (m_random.bounded(3) == 0)
        box->setFocus(Qt::MouseFocusReason);
    switch (m_random.bounded(6)) {
    case 0:
    case 1:
        TypeKeys(box, randomText());
        break;
    case 2: {
        // As an input method hands over composed text.
        QInputMethodEvent commit;
        commit.setCommitString(randomText());
        QApplication::sendEvent(box, &commit);
        break;
    }
    case 3:
        QTest::keyClick(box, Qt::Key_Space);
        break;
    case 4:
        for (int times = m_random.bounded(1, 6); times > 0; --times)
            QTest::keyClick(box, Qt::Key_Backspace);
        break;
    default:
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Delete);
        break;
    }
}

void TestMonkey::pickListEntry(QComboBox* list)
{
    // Only keys that step through the entries: the monkey never opens the list's popup.
    constexpr std::array keys = {Qt::Key_Up,  Qt::Key_Down,   Qt::Key_Home,
                                 Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown};
    switch (m_random.bounded(3)) {
    case 0:
        list->setCurrentIndex(m_random.bounded(list->count()));
        break;
    case 1:
        QTest::keyClick(list, keys.at(m_random.bounded(static_cast<int>(keys.size()))));
        break;
    default: {
        // Typing the start of an entry selects it.
        const QString entry = list->itemText(m_random.bounded(list->count()));
        QTest::keyClicks(list, entry.left(m_random.bounded(1, 4)));
        break;
    }
    }
}

void TestMonkey::moveFocus(QWidget* window)
{
    window->activateWindow();
    QCoreApplication::processEvents();
    if (m_random.bounded(2) == 0) {
        QWidget* const focused = QApplication::focusWidget();
        QWidget* const receiver =
            focused != nullptr && focused->window() == window ? focused : window;
        if (m_random.bounded(2) == 0)
            QTest::keyClick(receiver, Qt::Key_Tab);
        else
            QTest::keyClick(receiver, Qt::Key_Backtab, Qt::ShiftModifier);
        return;
    }
    QList<QWidget*> candidates = UsableWidgets(window);
    candidates.removeIf(
        [](const QWidget* widget) { return !(widget->focusPolicy() & Qt::TabFocus); });
    if (candidates.isEmpty())
        return;
    constexpr std::array reasons = {Qt::TabFocusReason,   Qt::BacktabFocusReason,
                                    Qt::MouseFocusReason, Qt::OtherFocusReason,
                                    Qt::PopupFocusReason, Qt::ActiveWindowFocusReason};
    candidates.at(m_random.bounded(static_cast<int>(candidates.size())))
        ->setFocus(reasons.at(m_random.bounded(static_cast<int>(reasons.size()))));
}

void TestMonkey::closeWindow(QWidget* window)
{
    if (qobject_cast<QDialog*>(window) != nullptr && m_random.bounded(2) == 0)
        QTest::keyClick(window, Qt::Key_Escape);
    else
        window->close();
}

Snapshot TestMonkey::snapshot() const
{
    Snapshot now;
    if (m_windows) {
        now.details = m_windows->birthDetailsWindow();
        now.result = m_windows->resultWindow();
        now.hadResult = now.result != nullptr;
        const frmFarewell* const farewell = m_windows->farewellWindow();
        now.farewellShown = farewell != nullptr && farewell->isVisible();
    }
    now.modal = QApplication::activeModalWidget();
    now.messages = m_desktop->messages.size();
    now.urls = m_desktop->openedUrls.size();
    now.openDialogs = m_desktop->openDialogs.size();
    now.saveDialogs = m_desktop->saveDialogs.size();
    now.prints = m_desktop->printedTexts.size();
    return now;
}

// Answers for whatever the next action may ask: one of each, used or thrown away afterwards.
void TestMonkey::script()
{
    m_openAnswer = randomOpenAnswer(true);
    m_desktop->openFileNames = {m_openAnswer.path};
    m_saveAnswer = randomSaveAnswer();
    m_desktop->saveFileNames = {m_saveAnswer.path};
    m_desktop->yesNoAnswers = {m_random.bounded(2) == 1};
    m_desktop->printSucceeds = m_random.bounded(4) != 0;
    // The farewell window draws its appeal when it is made.
    if (m_windows && m_windows->farewellWindow() == nullptr)
        m_desktop->randomValues = {static_cast<int>(m_random.bounded(4))};
}

void TestMonkey::clearScript()
{
    m_desktop->openFileNames.clear();
    m_desktop->saveFileNames.clear();
    m_desktop->yesNoAnswers.clear();
    m_desktop->randomValues.clear();
}

void TestMonkey::checkWindows()
{
    const QList<QWidget*> shown = VisibleWindows();
    frmFarewell* const farewell = m_windows->farewellWindow();
    frmMain* const details = m_windows->birthDetailsWindow();
    frmNineStar* const result = m_windows->resultWindow();
    if (farewell != nullptr && farewell->isVisible()) {
        QVERIFY2(details == nullptr && result == nullptr,
                 qPrintable(u"a main window outlived the farewell: "_s + context()));
        QVERIFY2(
            shown == QList<QWidget*>{farewell},
            qPrintable(u"shown with the farewell: "_s + Describe(shown) + u"; "_s + context()));
        return;
    }
    QVERIFY2((details != nullptr) != (result != nullptr),
             qPrintable(
                 u"birth details %1, result %2; "_s.arg(details != nullptr).arg(result != nullptr) +
                 context()));
    QWidget* const main = details != nullptr ? static_cast<QWidget*>(details) : result;
    QVERIFY2(main->isVisible(), qPrintable(u"the main window is hidden; "_s + context()));
    int calendars = 0;
    for (QWidget* const window : shown) {
        const bool modalOfMain = window->parentWidget() == main && window->isModal();
        // The result window's calendar and Two People window are windows of their own that live
        // and die with it; they and the calendar's month picker are counted together.
        const bool calendarOfMain = !window->isModal() && window->parentWidget() != nullptr &&
                                    window->parentWidget()->window() == main && main == result;
        calendars += calendarOfMain ? 1 : 0;
        // The calendar's own dialog (its month picker) is modal to the calendar alone.
        const bool modalOfCalendar = window->isModal() && window->parentWidget() != nullptr &&
                                     window->parentWidget()->objectName() == u"frmCalendar"_s;
        calendars += modalOfCalendar ? 1 : 0;
        QVERIFY2(window == main || modalOfMain || calendarOfMain || modalOfCalendar,
                 qPrintable(u"stray window among "_s + Describe(shown) + u"; "_s + context()));
    }
    QVERIFY2(calendars <= 3 && shown.size() <= 2 + calendars,
             qPrintable(u"shown: "_s + Describe(shown) + u"; "_s + context()));
}

void TestMonkey::checkMessagesAndAddresses()
{
    const QSet<QString> hosts = OwnHosts();
    for (; m_messagesChecked < m_desktop->messages.size(); ++m_messagesChecked) {
        const FakeDesktop::Message& message = m_desktop->messages.at(m_messagesChecked);
        // A failed save says why on a second line.
        const bool saveRefused = message.kind == MessageKind::Error &&
                                 message.text.startsWith(SaveRefusedMessage + u'\n');
        QVERIFY2(OwnMessages().contains(message) || saveRefused || IsOwnFileMessage(message),
                 qPrintable(u"unknown message \""_s + message.text + u"\"; "_s + context()));
    }
    for (; m_urlsChecked < m_desktop->openedUrls.size(); ++m_urlsChecked) {
        const QUrl& url = m_desktop->openedUrls.at(m_urlsChecked);
        QVERIFY2(url.isValid() && url.scheme() == u"https"_s && hosts.contains(url.host()),
                 qPrintable(u"foreign address "_s + url.toString() + u"; "_s + context()));
    }
}

void TestMonkey::checkOpened(const Snapshot& before, const OpenAnswer& answer)
{
    QList<FakeDesktop::Message> said = messagesSince(before.messages);
    said.removeAll({MessageKind::Question, UpdateQuestion});
    const QString what = u"opening "_s + answer.label + u": "_s;
    switch (answer.outcome) {
    case Outcome::Opens: {
        frmNineStar* const result = m_windows->resultWindow();
        QVERIFY2(said.isEmpty(), qPrintable(what + u"it complained; "_s + context()));
        QVERIFY2(result != nullptr && result != before.result.data() &&
                     m_windows->birthDetailsWindow() == nullptr,
                 qPrintable(what + u"no new reading; "_s + context()));
        if (!answer.readingText.isEmpty()) {
            // The file keeps the birth details, not the year rule: under the other rule the
            // reading is that of the same details under the rule now in force.
            const YearRule rule = m_windows->options().yearRule;
            const QString expected = rule == answer.rule
                                         ? answer.readingText
                                         : ComputeReading(*ReadSavedReading(answer.path), rule)
                                               .readingText.plainText()
                                               .replace(u"\r\n"_s, u"\n"_s);
            QVERIFY2(ReadingText(result) == expected,
                     qPrintable(what + u"another reading than the one saved; "_s + context()));
        }
        ++m_milestones[static_cast<std::size_t>(Milestone::SavedReadingOpened)];
        break;
    }
    case Outcome::Refused: {
        const QList<FakeDesktop::Message> expected = {{MessageKind::Error, FileRefusedMessage}};
        QVERIFY2(said == expected, qPrintable(what + u"not refused; "_s + context()));
        QVERIFY2(m_windows->resultWindow() == nullptr && m_windows->birthDetailsWindow() != nullptr,
                 qPrintable(what + u"left the birth details; "_s + context()));
        ++m_milestones[static_cast<std::size_t>(Milestone::FileRefused)];
        break;
    }
    case Outcome::Cancelled:
        QVERIFY2(said.isEmpty() && m_windows->birthDetailsWindow() == before.details.data(),
                 qPrintable(what + u"cancelling did something; "_s + context()));
        break;
    }
}

void TestMonkey::checkSaved(const Snapshot& before)
{
    const QList<FakeDesktop::Message> said = messagesSince(before.messages);
    const QString what = u"saving to "_s + m_saveAnswer.path + u": "_s;
    switch (m_saveAnswer.kind) {
    case SaveKind::Cancelled:
        QVERIFY2(said.isEmpty(), qPrintable(what + context()));
        return;
    case SaveKind::Unwritable: {
        // The message's second line is the system's reason, which varies with the path.
        const bool refused = said.size() == 1 && said.front().kind == MessageKind::Error &&
                             said.front().text.startsWith(SaveRefusedMessage + u'\n');
        QVERIFY2(refused, qPrintable(what + u"not refused; "_s + context()));
        ++m_milestones[static_cast<std::size_t>(Milestone::SaveRefused)];
        return;
    }
    case SaveKind::Fresh:
    case SaveKind::FreshOtherSuffix:
    case SaveKind::Overwrite:
        break;
    }
    QVERIFY2(said.isEmpty(), qPrintable(what + u"it complained; "_s + context()));
    // Whatever name was chosen, the file ends in .nsk, so everything saved opens again.
    const QString path = WithSavedReadingSuffix(m_saveAnswer.path);
    QVERIFY2(QFileInfo(path).isFile(), qPrintable(what + u"no file; "_s + context()));
    ++m_milestones[static_cast<std::size_t>(Milestone::ReadingSaved)];
    // The report belongs to the one result window; its reading is what the file must bring back.
    const QString readingText = ReadingText(m_windows->resultWindow());
    for (OpenAnswer& saved : m_savedFiles) {
        if (saved.path == path) {
            saved.readingText = readingText;
            saved.rule = m_windows->options().yearRule;
            return;
        }
    }
    m_savedFiles.append({path, Outcome::Opens, readingText,
                         u"saved "_s + QFileInfo(path).fileName(), m_windows->options().yearRule});
}

void TestMonkey::checkSavedPdf(const Snapshot& before)
{
    const QList<FakeDesktop::Message> said = messagesSince(before.messages);
    const QString what = u"saving the month to "_s + m_saveAnswer.path + u": "_s;
    if (m_saveAnswer.kind == SaveKind::Cancelled) {
        QVERIFY2(said.isEmpty(), qPrintable(what + context()));
        return;
    }
    if (m_saveAnswer.kind == SaveKind::Unwritable) {
        QVERIFY2(said.size() == 1 && IsOwnFileMessage(said.constFirst()),
                 qPrintable(what + u"not refused; "_s + context()));
        return;
    }
    QVERIFY2(said.isEmpty(), qPrintable(what + u"it complained; "_s + context()));
    QFile pdf(m_saveAnswer.path);
    QVERIFY2(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-",
             qPrintable(what + u"no PDF; "_s + context()));
    // A reading saved there before is a PDF now, which no longer opens.
    for (OpenAnswer& saved : m_savedFiles) {
        if (saved.path == m_saveAnswer.path) {
            saved.outcome = Outcome::Refused;
            saved.readingText.clear();
        }
    }
}

void TestMonkey::checkPrinted(const Snapshot& before, const QString& refusal)
{
    const QList<FakeDesktop::Message> said = messagesSince(before.messages);
    if (m_desktop->printSucceeds) {
        QVERIFY2(said.isEmpty(), qPrintable(u"printing complained; "_s + context()));
        ++m_milestones[static_cast<std::size_t>(Milestone::ReportPrinted)];
    } else {
        const QList<FakeDesktop::Message> expected = {{MessageKind::Error, refusal}};
        QVERIFY2(said == expected, qPrintable(u"failed print not reported; "_s + context()));
        ++m_milestones[static_cast<std::size_t>(Milestone::PrintRefused)];
    }
    QVERIFY2(!m_desktop->printedTexts.constLast().trimmed().isEmpty(),
             qPrintable(u"an empty printout; "_s + context()));
}

void TestMonkey::checkLink(const Control& control, const Snapshot& before)
{
    const qsizetype opened = m_desktop->openedUrls.size() - before.urls;
    if (control.kind == Kind::Link)
        QVERIFY2(opened == 1, qPrintable(u"the link opened %1 pages; "_s.arg(opened) + context()));
    else if (control.kind == Kind::Label)
        QVERIFY2(opened == 0, qPrintable(u"a plain label opened a page; "_s + context()));
}

void TestMonkey::noteMilestones(const Snapshot& before)
{
    const auto reached = [this](Milestone milestone) {
        ++m_milestones[static_cast<std::size_t>(milestone)];
    };
    frmNineStar* const result = m_windows->resultWindow();
    if (result != nullptr && result != before.result.data())
        reached(Milestone::ReadingShown);
    if (before.hadResult && m_windows->birthDetailsWindow() != nullptr)
        reached(Milestone::BackToDetails);
    QWidget* const modal = QApplication::activeModalWidget();
    // The time zone dialog is neither of the two.
    if (modal != nullptr && modal != before.modal.data()) {
        const QString name = WindowName(modal);
        if (name == u"frmAbout"_s)
            reached(Milestone::AboutOpened);
        else if (name == u"frmSave"_s)
            reached(Milestone::ReportOpened);
    }
    const frmFarewell* const farewell = m_windows->farewellWindow();
    if (!before.farewellShown && farewell != nullptr && farewell->isVisible())
        reached(Milestone::FarewellShown);
    const QString referral = QUrl(Pages::ReferAFriend()).path();
    for (qsizetype i = before.urls; i < m_desktop->openedUrls.size(); ++i) {
        if (m_desktop->openedUrls.at(i).path() == referral)
            reached(Milestone::ReferralSent);
    }
}

void TestMonkey::restart()
{
    // The farewell window's Exit closed every window: none may be left, shown or hidden.
    QTRY_VERIFY2(VisibleWindows().isEmpty() && m_windows->farewellWindow() == nullptr &&
                     m_windows->birthDetailsWindow() == nullptr &&
                     m_windows->resultWindow() == nullptr,
                 qPrintable(context()));
    QVERIFY2(QApplication::topLevelWidgets().isEmpty(),
             qPrintable(u"left over: "_s + Describe(QApplication::topLevelWidgets()) + u"; "_s +
                        context()));
    ++m_milestones[static_cast<std::size_t>(Milestone::ProgramEnded)];
    m_windows.reset();
    m_guard.reset();
    startProgram();
}

OpenAnswer TestMonkey::randomOpenAnswer(bool withCancel)
{
    const int draw = m_random.bounded(withCancel ? 20 : 17);
    if (draw < 4)
        return {m_goodFile, Outcome::Opens, {}, u"Ann's reading"_s};
    if (draw < 8 && !m_savedFiles.isEmpty())
        return m_savedFiles.at(m_random.bounded(static_cast<int>(m_savedFiles.size())));
    if (draw < 17)
        return m_badFiles.at(m_random.bounded(static_cast<int>(m_badFiles.size())));
    return {QString(), Outcome::Cancelled, {}, u"cancel"_s};
}

SaveAnswer TestMonkey::randomSaveAnswer()
{
    const int draw = m_random.bounded(20);
    if (draw < 9)
        return {m_folder.filePath(u"saved-%1.nsk"_s.arg(++m_savedCount)), SaveKind::Fresh};
    if (draw < 11)
        return {m_folder.filePath(u"saved-%1.txt"_s.arg(++m_savedCount)),
                SaveKind::FreshOtherSuffix};
    if (draw < 13 && !m_savedFiles.isEmpty())
        return {m_savedFiles.at(m_random.bounded(static_cast<int>(m_savedFiles.size()))).path,
                SaveKind::Overwrite};
    if (draw < 15)
        return {m_folder.filePath(u"no-such-folder/reading.nsk"_s), SaveKind::Unwritable};
    if (draw < 17)
        return {m_folder.filePath(u"folder.nsk"_s), SaveKind::Unwritable};
    return {QString(), SaveKind::Cancelled};
}

QString TestMonkey::randomText()
{
    static const QStringList pieces = {
        u"Ann"_s,
        u"Bob Smith"_s,
        u"ann@example.org"_s,
        u"bob@mail.example"_s,
        u"x@y.z"_s,
        u"zoë@b.example"_s,
        u" "_s,
        u"  "_s,
        u"@"_s,
        u"."_s,
        u"é"_s,
        u"Zoë"_s,
        u"Łukasz"_s,
        u"日本語"_s,
        u"Ünïcödé ñ"_s,
        u"&#233;"_s,
        u"a+b=c&d#e"_s,
        u"100%"_s,
        u"O'Brien"_s,
        u"\"quoted\""_s,
        u"ß€™"_s,
        u"<b>x</b>"_s,
    };
    QString text;
    for (int count = m_random.bounded(1, 4); count > 0; --count)
        text += pieces.at(m_random.bounded(static_cast<int>(pieces.size())));
    return text;
}

void TestMonkey::note(const QString& what)
{
    const QString line = u"%1: %2"_s.arg(m_step).arg(what);
    if (m_trace)
        qInfo("%s", qPrintable(line));
    m_journal.append(line);
    constexpr int Kept = 40;
    if (m_journal.size() > Kept)
        m_journal.removeFirst();
}

QString TestMonkey::context() const
{
    return u"seed %1, action %2 (replay with KISTARRA_MONKEY_SEED=%1 KISTARRA_MONKEY_STEPS=%2); "
           u"last actions:\n  "_s.arg(m_seed)
               .arg(m_step) +
           m_journal.join(u"\n  "_s);
}

QList<FakeDesktop::Message> TestMonkey::messagesSince(qsizetype from) const
{
    return m_desktop->messages.mid(from);
}

} // namespace Kistarra

QTEST_MAIN(Kistarra::TestMonkey)
#include "tst_monkey.moc"
