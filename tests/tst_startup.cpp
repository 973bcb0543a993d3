#include <QDir>
#include <QLabel>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "windows/frmmain.h"
#include "windows/frmninestar.h"
#include "app/programwindows.h"
#include "app/singleinstance.h"
#include "app/startup.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testfiles.h"
#include "tests/support/windowtesting.h"

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

private:
    // Starts the program with the guard's lock in the temporary folder; counts settings openings.
    std::unique_ptr<ProgramWindows> start(const QString& savedReading = {});

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

std::unique_ptr<ProgramWindows> TestStartUp::start(const QString& savedReading)
{
    const QString ini = m_folder.filePath(u"kistarra.ini"_s);
    return StartUp(
        *m_desktop, *m_guard,
        [this, ini] {
            ++m_settingsOpened;
            return std::make_unique<QSettings>(ini, QSettings::IniFormat);
        },
        savedReading);
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
    QTest::addColumn<bool>("opens");
    QTest::newRow("saved reading") << AnnFilePath() << true;
    QTest::newRow("missing file") << TestDataPath(u"no-such-reading.nsk"_s) << false;
    QTest::newRow("not an .nsk name") << TestDataPath(u"reading-1975-10-15.txt"_s) << false;
}

// A file handed over at start goes the way of the Open button: a good one straight to its reading,
// a bad one to "Please Check The File." with the birth details window left as it was.
void TestStartUp::savedReadingFromTheFileManager()
{
    QFETCH(QString, file);
    QFETCH(bool, opens);

    const auto windows = start(file);

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

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
