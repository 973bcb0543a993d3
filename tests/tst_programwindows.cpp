#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QGuiApplication>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include "app/programwindows.h"
#include "reading/reading.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testfiles.h"
#include "tests/support/windowtesting.h"
#include "windows/frmabout.h"
#include "windows/frmfarewell.h"
#include "windows/frmmain.h"
#include "windows/frmninestar.h"
#include "windows/frmsave.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

enum class Way { Button, SavedReading };

} // namespace

} // namespace Kistarra

Q_DECLARE_METATYPE(Kistarra::Way)

namespace Kistarra {

namespace {

// Runs the application's own event loop, as the program does, until it ends; false when it had
// not ended after ten seconds.
bool RunsToTheEnd(QObject* context)
{
    bool stuck = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, context, [&stuck] {
        stuck = true;
        QCoreApplication::exit(1);
    });
    guard.start(10'000);
    const int code = QApplication::exec();
    return !stuck && code == 0;
}

} // namespace

class TestProgramWindows : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void proceedShowsOnlyTheReading_data();
    void proceedShowsOnlyTheReading();
    void backBringsAFreshBirthDetailsWindow();
    void leavingShowsTheFarewell_data();
    void leavingShowsTheFarewell();
    void farewellEndsTheProgramWithAHiddenWindowLoaded();
    void aboutFromBothMenus_data();
    void aboutFromBothMenus();
    void saveOpensTheModalReport();

private:
    // Types the name, picks 1 May 1970 and proceeds, by the button or by opening Ann's file.
    void proceed(Way way);

    std::unique_ptr<FakeDesktop> m_desktop;
    std::unique_ptr<ProgramWindows> m_windows;
};

// The program's icon comes with its first window's first frame, not before: making and showing
// the window decodes none of it.
void TestProgramWindows::initTestCase()
{
    QVERIFY(QGuiApplication::windowIcon().isNull());
    FakeDesktop desktop;
    frmMain window(ReadingOptions{}, desktop);
    window.show();
    QVERIFY(QGuiApplication::windowIcon().isNull());
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_VERIFY(!QGuiApplication::windowIcon().isNull());
    QVERIFY(window.windowIcon().availableSizes().contains(QSize(256, 256)));
}

void TestProgramWindows::init()
{
    QTest::failOnWarning(QRegularExpression(u".*"_s));
    m_desktop = std::make_unique<FakeDesktop>();
    m_windows = std::make_unique<ProgramWindows>(*m_desktop, ReadingOptions{});
    m_windows->start();
    QVERIFY(m_windows->birthDetailsWindow() != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(m_windows->birthDetailsWindow()));
}

void TestProgramWindows::cleanup()
{
    m_windows.reset();
    m_desktop.reset();
    QTRY_VERIFY(VisibleWindows().isEmpty());
}

void TestProgramWindows::proceed(Way way)
{
    frmMain* const details = m_windows->birthDetailsWindow();
    QVERIFY(details != nullptr);
    if (way == Way::Button) {
        QTest::keyClicks(Find<QLineEdit>(details, u"txtName"_s), u"Ann"_s);
        Find<QComboBox>(details, u"cboMonth"_s)->setCurrentText(u"May"_s);
        QTest::mouseClick(Find<QPushButton>(details, u"cmdProceed"_s), Qt::LeftButton);
    } else {
        m_desktop->openFileNames.append(AnnFilePath());
        QTest::mouseClick(Find<QPushButton>(details, u"cmdOpen"_s), Qt::LeftButton);
    }
}

void TestProgramWindows::proceedShowsOnlyTheReading_data()
{
    QTest::addColumn<Way>("way");
    QTest::newRow("calculate button") << Way::Button;
    QTest::newRow("saved reading") << Way::SavedReading;
}

void TestProgramWindows::proceedShowsOnlyTheReading()
{
    QFETCH(Way, way);
    frmMain* const details = m_windows->birthDetailsWindow();
    QList<QWidget*> shownWhileClosing;
    connect(details, &frmMain::closing, this, [&shownWhileClosing, details] {
        shownWhileClosing = VisibleWindows();
        shownWhileClosing.removeAll(details);
    });

    const QPointer<frmMain> closed = details;

    proceed(way);

    QTRY_VERIFY(m_windows->birthDetailsWindow() == nullptr);
    frmNineStar* const result = m_windows->resultWindow();
    QVERIFY(result != nullptr);
    QCOMPARE(VisibleWindows(), QList<QWidget*>{result});
    // Off the screen at once, deleted once the reading has been painted.
    QVERIFY(QTest::qWaitForWindowExposed(result));
    QTRY_VERIFY(closed.isNull());
    QVERIFY(m_desktop->messages.isEmpty());
    // The result window was already up when the birth details window closed, so the program
    // never stood without a window.
    QCOMPARE(shownWhileClosing, QList<QWidget*>{result});

    const Reading expected = ComputeReading(Ann, YearRule::Calendar);
    QCOMPARE(Find<QTextEdit>(result, u"RTBLoshu"_s)->toPlainText(),
             WithLineFeeds(expected.readingText.plainText()));
    // The relationship page is filled when its tab is first chosen.
    auto* const tabs = Find<QTabBar>(result, u"TS"_s);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    QCOMPARE(Find<QTextEdit>(result, u"RTB"_s)->toPlainText(),
             WithLineFeeds(expected.relationshipText.plainText()));
    QCOMPARE(Find<QLabel>(result, u"lblCaption"_s)->text().replace(QChar::Nbsp, u' '),
             expected.starSummary);
}

void TestProgramWindows::backBringsAFreshBirthDetailsWindow()
{
    proceed(Way::Button);
    QTRY_VERIFY(m_windows->resultWindow() != nullptr);
    frmNineStar* const first = m_windows->resultWindow();
    Find<QTabBar>(first, u"TS"_s)->setCurrentIndex(2);
    QList<QWidget*> shownWhileClosing;
    connect(first, &frmNineStar::closing, this, [&shownWhileClosing, first] {
        shownWhileClosing = VisibleWindows();
        shownWhileClosing.removeAll(first);
    });

    QTest::mouseClick(Find<QPushButton>(first, u"cmdBack"_s), Qt::LeftButton);

    QTRY_VERIFY(m_windows->resultWindow() == nullptr);
    frmMain* const details = m_windows->birthDetailsWindow();
    QVERIFY(details != nullptr);
    // Closing the result window showed the farewell window; Back took it away again.
    QCOMPARE(VisibleWindows(), QList<QWidget*>{details});
    QVERIFY(shownWhileClosing.contains(details));
    QVERIFY(m_windows->farewellWindow() != nullptr);
    QVERIFY(m_windows->farewellWindow()->isHidden());
    QCOMPARE(Find<QLineEdit>(details, u"txtName"_s)->text(), QString());
    QCOMPARE(Find<QComboBox>(details, u"cboDate"_s)->currentText(), u"1"_s);
    QCOMPARE(Find<QComboBox>(details, u"cboMonth"_s)->currentText(), u"January"_s);
    QCOMPARE(Find<QComboBox>(details, u"cboYear"_s)->currentText(), u"1970"_s);

    proceed(Way::Button);
    QTRY_VERIFY(m_windows->birthDetailsWindow() == nullptr);
    frmNineStar* const second = m_windows->resultWindow();
    QVERIFY(second != nullptr);
    QCOMPARE(Find<QTabBar>(second, u"TS"_s)->currentIndex(), 0);
    QVERIFY(Find<QWidget>(second, u"picLoShuSquare"_s)->isVisible());
}

void TestProgramWindows::leavingShowsTheFarewell_data()
{
    QTest::addColumn<bool>("fromReading");
    QTest::addColumn<bool>("byMenu");
    QTest::newRow("birth details, close box") << false << false;
    QTest::newRow("birth details, File Exit") << false << true;
    QTest::newRow("result, close box") << true << false;
    QTest::newRow("result, File Exit") << true << true;
}

// Leaving either main window shows the farewell window and nothing else; only its closing ends the
// program, with every window gone.
void TestProgramWindows::leavingShowsTheFarewell()
{
    QFETCH(bool, fromReading);
    QFETCH(bool, byMenu);
    if (fromReading) {
        proceed(Way::Button);
        QTRY_VERIFY(m_windows->resultWindow() != nullptr);
    }
    QMainWindow* const window = fromReading ? static_cast<QMainWindow*>(m_windows->resultWindow())
                                            : m_windows->birthDetailsWindow();
    if (byMenu)
        Find<QAction>(window, u"mnuExit"_s)->trigger();
    else
        window->close();

    QTRY_VERIFY(m_windows->farewellWindow() != nullptr);
    QCOMPARE(VisibleWindows(), QList<QWidget*>{m_windows->farewellWindow()});
    QVERIFY(m_windows->farewellWindow()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    QTimer::singleShot(0, m_windows->farewellWindow(), [this] {
        QTest::mouseClick(Find<QPushButton>(m_windows->farewellWindow(), u"cmdClose"_s),
                          Qt::LeftButton);
    });
    QVERIFY(RunsToTheEnd(this));
    QVERIFY(VisibleWindows().isEmpty());
    QVERIFY(m_windows->farewellWindow() == nullptr);
    QVERIFY(m_windows->resultWindow() == nullptr);
    QVERIFY(m_windows->birthDetailsWindow() == nullptr);
}

// After Back the farewell window still exists, hidden; closing it later by its close box ends the
// program with the hidden and the open windows gone.
void TestProgramWindows::farewellEndsTheProgramWithAHiddenWindowLoaded()
{
    proceed(Way::Button);
    QTRY_VERIFY(m_windows->resultWindow() != nullptr);
    QTest::mouseClick(Find<QPushButton>(m_windows->resultWindow(), u"cmdBack"_s), Qt::LeftButton);
    QTRY_VERIFY(m_windows->resultWindow() == nullptr);
    auto* const leftover = new QWidget; // a hidden window of no one's, as a stray dialog would be
    const QPointer<QWidget> watch(leftover);
    QVERIFY(m_windows->farewellWindow()->isHidden());

    proceed(Way::Button);
    QTRY_VERIFY(m_windows->resultWindow() != nullptr);
    m_windows->resultWindow()->close();
    QTRY_VERIFY(m_windows->farewellWindow()->isVisible());

    QTimer::singleShot(0, m_windows->farewellWindow(),
                       [this] { m_windows->farewellWindow()->close(); });
    QVERIFY(RunsToTheEnd(this));
    QTRY_VERIFY(watch.isNull());
    QVERIFY(VisibleWindows().isEmpty());
}

void TestProgramWindows::aboutFromBothMenus_data()
{
    QTest::addColumn<bool>("fromReading");
    QTest::newRow("birth details") << false;
    QTest::newRow("result") << true;
}

void TestProgramWindows::aboutFromBothMenus()
{
    QFETCH(bool, fromReading);
    if (fromReading) {
        proceed(Way::Button);
        QTRY_VERIFY(m_windows->resultWindow() != nullptr);
    }
    QWidget* const window = fromReading ? static_cast<QWidget*>(m_windows->resultWindow())
                                        : m_windows->birthDetailsWindow();
    Find<QAction>(window, u"mnuAbout"_s)->trigger();
    auto* const about = window->findChild<frmAbout*>();
    QVERIFY(about != nullptr);
    QTRY_VERIFY(about->isVisible());
    QCOMPARE(about->windowModality(), Qt::ApplicationModal);
    const QPointer<frmAbout> watch(about);
    QTest::mouseClick(Find<QPushButton>(about, u"cmdOK"_s), Qt::LeftButton);
    QTRY_VERIFY(watch.isNull());
    QVERIFY(window->isVisible());
    QVERIFY(m_windows->farewellWindow() == nullptr);
}

void TestProgramWindows::saveOpensTheModalReport()
{
    proceed(Way::Button);
    QTRY_VERIFY(m_windows->resultWindow() != nullptr);
    const frmNineStar* const window = m_windows->resultWindow();
    QVERIFY(window->findChild<frmSave*>() == nullptr);
    QTest::mouseClick(Find<QAbstractButton>(window, u"cmdSave"_s), Qt::LeftButton);

    QPointer<frmSave> report = window->findChild<frmSave*>();
    QVERIFY(report);
    QTRY_VERIFY(report->isVisible());
    QCOMPARE(report->windowModality(), Qt::ApplicationModal);
    QCOMPARE(QApplication::activeModalWidget(), report.data());
    QVERIFY(report->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(window->isVisible());

    report->close();
    QTRY_VERIFY(report.isNull());
    QVERIFY(window->isVisible());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

} // namespace Kistarra

QTEST_MAIN(Kistarra::TestProgramWindows)
#include "tst_programwindows.moc"
