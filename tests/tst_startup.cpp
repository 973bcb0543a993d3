#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "settings/programsettings.h"
#include "app/programwindows.h"
#include "app/singleinstance.h"
#include "app/startup.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testfiles.h"
#include "tests/support/windowtesting.h"
#include "windows/frmmain.h"
#include "windows/frmninestar.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

// What stands in the one-copy lock's way at a real start.
const QStringList UnusableLocks = {u"lock FIFO"_s, u"lock link"_s, u"shared runtime"_s,
                                   u"no runtime"_s};

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
    void readOnlySettingsStayAsTheyAre();
    void settingsNeedNoTemporaryFolder_data();
    void settingsNeedNoTemporaryFolder();
    void realStartNeverWaitsOnSettings_data();
    void realStartNeverWaitsOnSettings();

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
    return StartUp(
        *m_desktop, *m_guard,
        [this] {
            ++m_settingsOpened;
            return std::make_unique<ProgramSettings>(m_folder.path());
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
        QCOMPARE(windows->resultWindow()
                     ->findChild<QLabel*>(u"lblCaption"_s)
                     ->text()
                     .replace(QChar::Nbsp, u' '),
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
    QCOMPARE(QSettingsValue(iniPath(), u"Settings/SolarYear"_s).toString(), storedAfter);
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
        QCOMPARE(Find<QLabel>(result, u"lblCaption"_s)->text().replace(QChar::Nbsp, u' '),
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
        return std::make_unique<ProgramSettings>(notAFolder);
    });
    QVERIFY(windows != nullptr);
    m_desktop->messages.clear();

    Find<QAction>(windows->birthDetailsWindow(), u"mnuSolarYear"_s)->trigger();

    const QList<FakeDesktop::Message> expected = {
        {FakeDesktop::MessageKind::Error,
         u"The setting could not be saved; it holds until the program ends."_s}};
    QCOMPARE(m_desktop->messages, expected);
    QVERIFY(windows->birthDetailsWindow()->options().yearRule == YearRule::Solar);
    QVERIFY(!QFileInfo(notAFolder).isDir());
}

// Even root leaves a settings file alone that its owner may not write to: the reminder's day is
// not noted, and a change says it could not be saved.
void TestStartUp::readOnlySettingsStayAsTheyAre()
{
    QVERIFY(WriteFile(iniPath(), "[Settings]\nSolarYear=true\n"));
    QVERIFY(
        QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    const auto windows = start();
    auto* const entry = Find<QAction>(windows->birthDetailsWindow(), u"mnuSolarYear"_s);
    QVERIFY(entry->isChecked());
    entry->trigger();

    const QList<FakeDesktop::Message> expected = {
        {FakeDesktop::MessageKind::Error,
         u"The setting could not be saved; it holds until the program ends."_s}};
    QCOMPARE(m_desktop->messages, expected);
    QVERIFY(windows->birthDetailsWindow()->options().yearRule == YearRule::Calendar);
    QCOMPARE(FileBytes(iniPath()), QByteArray("[Settings]\nSolarYear=true\n"));
    QCOMPARE(FileMode(iniPath()), 0444u);
}

void TestStartUp::settingsNeedNoTemporaryFolder_data()
{
    QTest::addColumn<QString>("temporary"); // what TMPDIR names, in the test's folder
    QTest::newRow("a missing folder") << u"missing"_s;
    QTest::newRow("a file") << u"plain-file"_s;
}

// With no usable temporary folder the start follows the person's settings and their change is
// stored. (For a missing one Qt falls back to the file system's root, which only root may write.)
void TestStartUp::settingsNeedNoTemporaryFolder()
{
    QFETCH(QString, temporary);
    const QString path = m_folder.filePath(temporary);
    QVERIFY(temporary == u"missing"_s || WriteFile(path, "not a folder"));
    QVERIFY(
        WriteFile(iniPath(), "[Settings]\nSolarYear=true\nTimeZone=Asia/Tokyo\nSolarTerms=true\n"));
    const bool wasSet = qEnvironmentVariableIsSet("TMPDIR");
    const QByteArray was = qgetenv("TMPDIR");
    const auto restored =
        qScopeGuard([&] { QVERIFY(wasSet ? qputenv("TMPDIR", was) : qunsetenv("TMPDIR")); });
    QVERIFY(qputenv("TMPDIR", QFile::encodeName(path)));
    QVERIFY(temporary == u"missing"_s || !QTemporaryDir().isValid());

    const auto windows = start();
    frmMain* const details = windows->birthDetailsWindow();
    auto* const entry = Find<QAction>(details, u"mnuSolarYear"_s);
    QVERIFY(entry->isChecked());
    QCOMPARE(details->options().timeZoneId, QByteArray("Asia/Tokyo"));
    QVERIFY(details->options().trueSolarTerms);
    entry->trigger();

    QVERIFY(m_desktop->messages.isEmpty());
    QCOMPARE(QSettingsValue(iniPath(), u"Settings/SolarYear"_s).toString(), u"false"_s);
    QCOMPARE(QSettingsValue(iniPath(), u"Settings/TimeZone"_s).toString(), u"Asia/Tokyo"_s);
    QCOMPARE(QSettingsValue(iniPath(), u"Settings/SolarTerms"_s).toString(), u"true"_s);
    QVERIFY(!ProgramSettings(m_folder.path()).reminderDate().isEmpty()); // the first start's note
}

void TestStartUp::realStartNeverWaitsOnSettings_data()
{
    QTest::addColumn<QString>("setUp");
    QTest::addColumn<QByteArray>("configHome"); // null: not set
    QTest::addColumn<bool>("home");             // HOME names the test's home folder, else empty
    QTest::addColumn<bool>("noted");            // the first start notes the day in the settings

    QTest::newRow("folder left as the settings lock")
        << u"lock folder"_s << QByteArray() << true << true;
    QTest::newRow("empty settings lock file") << u"lock file"_s << QByteArray() << true << true;
    QTest::newRow("FIFOs in the system-wide place")
        << u"system FIFOs"_s << QByteArray() << true << true;
    QTest::newRow("TMPDIR names a missing folder") << u"missing"_s << QByteArray() << true << true;
    QTest::newRow("TMPDIR names a file") << u"work/file"_s << QByteArray() << true << true;
    QTest::newRow("empty XDG_CONFIG_HOME") << QString() << QByteArray("") << true << true;
    QTest::newRow("relative XDG_CONFIG_HOME") << QString() << QByteArray("conf") << true << true;
    QTest::newRow("empty HOME: no place") << QString() << QByteArray() << false << false;
    // The one-copy lock is never waited on, and never in a folder others may write to: without
    // one, the start goes on without the check and says so.
    for (const QString& lock : UnusableLocks)
        QTest::newRow(qPrintable(lock)) << lock << QByteArray() << true << true;
}

// The real program, started the way a person starts it, with its settings in odd places: the
// birth details window comes up at once, the first start noting the day in
// ~/.config/kistarra/kistarra.ini; with no place for settings it says so on stderr and runs on.
void TestStartUp::realStartNeverWaitsOnSettings()
{
    QFETCH(QString, setUp);
    QFETCH(QByteArray, configHome);
    QFETCH(bool, home);
    QFETCH(bool, noted);
    const QTemporaryDir root;
    QVERIFY(root.isValid());
    const QDir folders(root.path());
    for (const QString& folder :
         {u"home/.config/kistarra"_s, u"runtime"_s, u"system/kistarra"_s, u"work"_s})
        QVERIFY(folders.mkpath(folder));
    QVERIFY(QFile::setPermissions(folders.filePath(u"runtime"_s),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const QByteArray planted = QFile::encodeName(folders.filePath(u"work/fifo"_s));
    const QByteArray runtime = QFile::encodeName(folders.filePath(u"runtime"_s));
    const QByteArray lock = runtime + "/kistarra.lock";
    QCOMPARE(::mkfifo(planted.constData(), 0600), 0);
    QVERIFY(setUp != u"shared runtime"_s || ::chmod(runtime.constData(), 01777) == 0);
    QVERIFY(setUp != u"lock FIFO"_s || ::mkfifo(lock.constData(), 0600) == 0);
    QVERIFY(setUp != u"lock link"_s || ::symlink(planted.constData(), lock.constData()) == 0);
    const QString ini = folders.filePath(u"home/.config/kistarra/kistarra.ini"_s);
    if (setUp == u"lock folder"_s)
        QVERIFY(folders.mkpath(ini + u".lock"_s));
    else if (setUp == u"lock file"_s)
        QVERIFY(WriteFile(ini + u".lock"_s, {}));
    for (const QString& fifo : {u"system/kistarra/kistarra.ini"_s, u"system/kistarra.ini"_s}) {
        if (setUp == u"system FIFOs"_s)
            QCOMPARE(::mkfifo(QFile::encodeName(folders.filePath(fifo)).constData(), 0600), 0);
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    environment.insert(u"HOME"_s, home ? folders.filePath(u"home"_s) : QString());
    environment.remove(u"XDG_CONFIG_HOME"_s);
    if (!configHome.isNull())
        environment.insert(u"XDG_CONFIG_HOME"_s, QString::fromUtf8(configHome));
    environment.insert(u"XDG_CONFIG_DIRS"_s, folders.filePath(u"system"_s));
    environment.insert(u"XDG_RUNTIME_DIR"_s, folders.filePath(u"runtime"_s));
    if (setUp == u"no runtime"_s)
        environment.remove(u"XDG_RUNTIME_DIR"_s);
    if (setUp == u"missing"_s || setUp == u"work/file"_s)
        environment.insert(u"TMPDIR"_s, folders.filePath(setUp));
    if (setUp == u"work/file"_s)
        QVERIFY(WriteFile(folders.filePath(setUp), "not a folder"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(folders.filePath(u"work"_s));

    program.start(QStringLiteral(KISTARRA_BINARY), {});
    QVERIFY(program.waitForStarted());
    const auto stopped = qScopeGuard([&program] {
        program.kill();
        program.waitForFinished();
    });

    QByteArray errors;
    if (noted)
        QTRY_VERIFY_WITH_TIMEOUT(FileBytes(ini).startsWith("[Settings]\n"), 10000);
    else
        QTRY_VERIFY_WITH_TIMEOUT(
            (errors += program.readAllStandardError())
                .contains("kistarra: running on the default settings: neither XDG_CONFIG_HOME nor "
                          "HOME names a folder to keep them in\n"),
            10000);
    QCOMPARE(program.state(), QProcess::Running);
    QVERIFY(!QFileInfo::exists(folders.filePath(u"work/conf"_s)));
    const QByteArray unchecked = "kistarra: starting without the check for another running copy: ";
    if (UnusableLocks.contains(setUp))
        QTRY_VERIFY((errors += program.readAllStandardError()).contains(unchecked));
    else
        QVERIFY(!(errors += program.readAllStandardError()).contains(unchecked));
}

} // namespace Kistarra

QTEST_MAIN(Kistarra::TestStartUp)
#include "tst_startup.moc"
