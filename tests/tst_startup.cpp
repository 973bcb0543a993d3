#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/programwindows.h"
#include "app/singleinstance.h"
#include "app/startup.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testfiles.h"
#include "tests/support/windowtesting.h"
#include "windows/frmmain.h"
#include "windows/frmninestar.h"

using namespace Qt::StringLiterals;
using namespace Kistarra;

class TestStartUp : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void secondCopyOnlySaysSo();
    void startsWithoutALockWhenNoneCanBeMade();
    void firstStartShowsOnlyTheBirthDetails();
    void drawDecidesTheLabelInFront_data();
    void drawDecidesTheLabelInFront();
    void savedReadingFromTheFileManager_data();
    void savedReadingFromTheFileManager();
    void solarYearSettingSurvivesARestart_data();
    void solarYearSettingSurvivesARestart();
    void solarYearSettingThatCannotBeSaved();

private:
    // Starts the program with the guard's lock in the temporary folder; counts settings openings.
    std::unique_ptr<ProgramWindows> start(const QString& savedReading = {}, bool exact = true);
    QString iniPath() const { return m_folder.filePath(u"kistarra.ini"_s); }

    QTemporaryDir m_folder;
    std::unique_ptr<FakeDesktop> m_desktop;
    std::unique_ptr<SingleInstanceGuard> m_guard;
    int m_settingsOpened = 0;
};

void TestStartUp::init()
{
    QTest::failOnWarning(QRegularExpression(u".*"_s));
    QVERIFY(m_folder.isValid());
    m_desktop = std::make_unique<FakeDesktop>();
    m_guard = std::make_unique<SingleInstanceGuard>(m_folder.filePath(u"kistarra.lock"_s));
    m_settingsOpened = 0;
}

void TestStartUp::cleanup()
{
    m_guard.reset();
    m_desktop.reset();
    QFile::remove(m_folder.filePath(u"kistarra.ini"_s));
    QTRY_VERIFY(VisibleWindows().isEmpty());
}

std::unique_ptr<ProgramWindows> TestStartUp::start(const QString& savedReading, bool exact)
{
    const QString ini = m_folder.filePath(u"kistarra.ini"_s);
    return StartUp(
        *m_desktop, *m_guard,
        [this, ini] {
            ++m_settingsOpened;
            return std::make_unique<QSettings>(ini, QSettings::IniFormat);
        },
        savedReading, exact);
}

void TestStartUp::secondCopyOnlySaysSo()
{
    SingleInstanceGuard running(m_guard->lockFilePath());
    QVERIFY(running.tryAcquire());

    const auto windows = start();

    QVERIFY(windows == nullptr);
    const QList<FakeDesktop::Message> expected = {
        {FakeDesktop::MessageKind::Notice, u"Application is already running"_s}};
    QCOMPARE(m_desktop->messages, expected);
    QCOMPARE(m_settingsOpened, 0);
    QCOMPARE(m_desktop->randomSeedings, 0);
    QVERIFY(VisibleWindows().isEmpty());
    QVERIFY(running.isAcquired());
    QVERIFY(QFile::exists(running.lockFilePath()));
}

void TestStartUp::startsWithoutALockWhenNoneCanBeMade()
{
    QVERIFY(QDir().mkpath(m_guard->lockFilePath()));

    const auto windows = start();

    QVERIFY(windows != nullptr);
    QCOMPARE(VisibleWindows(), QList<QWidget*>{windows->birthDetailsWindow()});
    QVERIFY(m_desktop->messages.isEmpty());
    QVERIFY(!m_guard->isAcquired());
    QVERIFY(QDir().rmdir(m_guard->lockFilePath()));
}

void TestStartUp::firstStartShowsOnlyTheBirthDetails()
{
    const auto windows = start();

    QVERIFY(windows != nullptr);
    QVERIFY(windows->birthDetailsWindow() != nullptr);
    QCOMPARE(VisibleWindows(), QList<QWidget*>{windows->birthDetailsWindow()});
    QVERIFY(m_desktop->messages.isEmpty()); // the first run only notes the day
    QCOMPARE(m_settingsOpened, 1);
    QCOMPARE(m_desktop->randomSeedings, 1);
    QVERIFY(m_guard->isAcquired());
    QSettings written(m_folder.filePath(u"kistarra.ini"_s), QSettings::IniFormat);
    QCOMPARE(written.childGroups(), QStringList{u"Settings"_s});
    // The menu bar's button for entries that do not fit still has its picture, decoded late.
    const auto* const more = windows->birthDetailsWindow()->menuBar()->findChild<QToolButton*>();
    QVERIFY(more != nullptr);
    QVERIFY(!more->icon().pixmap(16, 16).isNull());
}

void TestStartUp::drawDecidesTheLabelInFront_data()
{
    QTest::addColumn<int>("draw");
    QTest::addColumn<QString>("inFront");
    for (int draw = 1; draw <= 6; ++draw) {
        QTest::addRow("draw %d", draw)
            << draw << (draw % 2 == 0 ? u"lblFullBrand"_s : u"lblCobrand"_s);
    }
}

void TestStartUp::drawDecidesTheLabelInFront()
{
    QFETCH(int, draw);
    QFETCH(QString, inFront);
    m_desktop->randomValues = {draw};

    const auto windows = start();

    QCOMPARE(m_desktop->randomRanges, (QList<std::pair<int, int>>{{1, 6}}));
    frmMain* const details = windows->birthDetailsWindow();
    auto* const fullBrand = details->findChild<QLabel*>(u"lblFullBrand"_s);
    auto* const coBrand = details->findChild<QLabel*>(u"lblCobrand"_s);
    QVERIFY(fullBrand && coBrand);
    QCOMPARE(fullBrand->parentWidget(), coBrand->parentWidget());
    // The later sibling is drawn on top.
    const QObjectList siblings = fullBrand->parentWidget()->children();
    const bool fullBrandInFront = siblings.indexOf(fullBrand) > siblings.indexOf(coBrand);
    QCOMPARE(fullBrandInFront ? u"lblFullBrand"_s : u"lblCobrand"_s, inFront);
    const QPoint middle = fullBrand->mapTo(details, fullBrand->rect().center());
    QWidget* const shown = details->childAt(middle);
    QVERIFY(shown != nullptr);
    QCOMPARE(shown->objectName(), inFront);
}

void TestStartUp::savedReadingFromTheFileManager_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("exact"); // the name came through byte for byte
    QTest::addColumn<bool>("opens");
    QTest::newRow("saved reading") << AnnFilePath() << true << true;
    QTest::newRow("missing file") << TestDataPath(u"no-such-reading.nsk"_s) << true << false;
    QTest::newRow("not an .nsk name") << TestDataPath(u"reading-1975-10-15.txt"_s) << true << false;
    // Never a look-alike file in place of the one named.
    QTest::newRow("name not kept exactly") << AnnFilePath() << false << false;
}

// A file handed over at start goes the way of the Open button: a good one straight to its reading,
// a bad one to "Please Check The File." with the birth details window left as it was.
void TestStartUp::savedReadingFromTheFileManager()
{
    QFETCH(QString, file);
    QFETCH(bool, exact);
    QFETCH(bool, opens);

    const auto windows = start(file, exact);

    QVERIFY(windows != nullptr);
    if (opens) {
        QVERIFY(m_desktop->messages.isEmpty());
        QTRY_VERIFY(windows->birthDetailsWindow() == nullptr);
        QVERIFY(windows->resultWindow() != nullptr);
        QCOMPARE(VisibleWindows(), QList<QWidget*>{windows->resultWindow()});
        QCOMPARE(windows->resultWindow()->findChild<QLabel*>(u"lblCaption"_s)->text(),
                 u"Your 9 Star Ki is: 3 Wood, 3 Wood, 5 Soil/ Earth"_s);
    } else {
        const QList<FakeDesktop::Message> expected = {
            {FakeDesktop::MessageKind::Error, u"Please Check The File."_s}};
        QCOMPARE(m_desktop->messages, expected);
        QVERIFY(windows->resultWindow() == nullptr);
        QCOMPARE(VisibleWindows(), QList<QWidget*>{windows->birthDetailsWindow()});
    }
}

void TestStartUp::solarYearSettingSurvivesARestart_data()
{
    QTest::addColumn<QByteArray>("stored"); // the settings file before the first start
    QTest::addColumn<bool>("checkedAtStart");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QString>("storedAfter"); // empty: nothing stored
    QTest::addColumn<QString>("year");        // of 20 January 1990 after the restart

    QTest::newRow("first start, turned on") << QByteArray() << false << 1 << u"true"_s << u"1989"_s;
    QTest::newRow("stored on, turned off")
        << QByteArray("[Settings]\nSolarYear=true\n") << true << 1 << u"false"_s << u"1990"_s;
    QTest::newRow("stored on, left alone")
        << QByteArray("[Settings]\nSolarYear=true\n") << true << 0 << u"true"_s << u"1989"_s;
    QTest::newRow("stored off, turned on and off")
        << QByteArray("[Settings]\nSolarYear=false\n") << false << 2 << u"false"_s << u"1990"_s;
    QTest::newRow("anything but true is off")
        << QByteArray("[Settings]\nSolarYear=yes\n") << false << 0 << u"yes"_s << u"1990"_s;
}

// The File menu's "Count Years From 4 February" is kept in the settings file, plain, and the next
// start opens with it and computes with it, as does every birth details window after Back.
void TestStartUp::solarYearSettingSurvivesARestart()
{
    QFETCH(QByteArray, stored);
    QFETCH(bool, checkedAtStart);
    QFETCH(int, clicks);
    QFETCH(QString, storedAfter);
    QFETCH(QString, year);
    if (!stored.isNull())
        QVERIFY(WriteFile(iniPath(), stored));

    {
        const auto windows = start();
        auto* const entry = Find<QAction>(windows->birthDetailsWindow(), u"mnuSolarYear"_s);
        QCOMPARE(entry->isChecked(), checkedAtStart);
        for (int i = 0; i < clicks; ++i)
            entry->trigger();
    }
    QVERIFY(m_desktop->messages.isEmpty());
    QCOMPARE(QSettings(iniPath(), QSettings::IniFormat).value(u"Settings/SolarYear"_s).toString(),
             storedAfter);
    const QByteArray line = QByteArray("SolarYear=").append(storedAfter.toLatin1());
    QCOMPARE(FileBytes(iniPath()).contains(line), !storedAfter.isEmpty());

    const auto windows = start();
    const bool on = year == u"1989"_s;
    for (int pass = 0; pass < 2; ++pass) {
        frmMain* const details = windows->birthDetailsWindow();
        QVERIFY(details != nullptr);
        QCOMPARE(Find<QAction>(details, u"mnuSolarYear"_s)->isChecked(), on);
        Find<QLineEdit>(details, u"txtName"_s)->setText(u"Ann"_s);
        Find<QComboBox>(details, u"cboDate"_s)->setCurrentText(u"20"_s);
        Find<QComboBox>(details, u"cboMonth"_s)->setCurrentText(u"January"_s);
        Find<QComboBox>(details, u"cboYear"_s)->setCurrentText(u"1990"_s);
        QTest::mouseClick(Find<QPushButton>(details, u"cmdProceed"_s), Qt::LeftButton);

        QTRY_VERIFY(windows->birthDetailsWindow() == nullptr);
        const frmNineStar* const result = windows->resultWindow();
        QVERIFY(result != nullptr);
        QCOMPARE(Find<QLabel>(result, u"lblCaption"_s)->text(),
                 on ? u"Your 9 Star Ki is: 2 Soil/ Earth, 9 Fire, 7 Metal"_s
                    : u"Your 9 Star Ki is: 1 Water, 6 Metal, 9 Fire"_s);
        const auto* const note = result->findChild<QLabel*>(u"lblReadingYear"_s);
        QCOMPARE(note ? note->text() : QString(),
                 on ? u"Year counted from 4 February: 1989"_s : QString());
        Find<QPushButton>(result, u"cmdBack"_s)->click();
        QTRY_VERIFY(windows->resultWindow() == nullptr);
    }
}

// A settings file that cannot be written says so once; the choice still holds for this run.
void TestStartUp::solarYearSettingThatCannotBeSaved()
{
    const QString notAFolder = m_folder.filePath(u"plain-file"_s);
    QVERIFY(WriteFile(notAFolder, "not a folder"));
    const auto windows = StartUp(*m_desktop, *m_guard, [notAFolder] {
        return std::make_unique<QSettings>(notAFolder + u"/kistarra.ini"_s, QSettings::IniFormat);
    });
    QVERIFY(windows != nullptr);
    m_desktop->messages.clear();

    Find<QAction>(windows->birthDetailsWindow(), u"mnuSolarYear"_s)->trigger();

    const QList<FakeDesktop::Message> expected = {
        {FakeDesktop::MessageKind::Error,
         u"The setting could not be saved; it holds until the program ends."_s}};
    QCOMPARE(m_desktop->messages, expected);
    QVERIFY(windows->birthDetailsWindow()->yearRule() == YearRule::Solar);
    QVERIFY(!QFileInfo(notAFolder).isDir());
}

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
