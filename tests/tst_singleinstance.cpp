#include <optional>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include "app/singleinstance.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/testfiles.h"

using namespace Qt::StringLiterals;

namespace Kistarra {

namespace {

// When this variable names a lock file, the suite's executable does not run the tests: it takes
// the lock, says so on stdout and waits to be killed, standing in for another running copy.
constexpr char HoldLockVariable[] = "KISTARRA_TEST_HOLD_LOCK";

int HoldLockUntilKilled(int argc, char* argv[])
{
    const QCoreApplication application(argc, argv);
    SingleInstanceGuard guard(qEnvironmentVariable(HoldLockVariable));
    if (!guard.tryAcquire())
        return 2;
    QTextStream(stdout) << "locked" << Qt::endl;
    return QCoreApplication::exec();
}

// Another copy of the program, holding the lock at path until it is killed.
class LockHolder {
public:
    explicit LockHolder(const QString& path)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(HoldLockVariable), path);
        m_process.setProcessEnvironment(environment);
        m_process.start(QCoreApplication::applicationFilePath(), {});
    }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;
    ~LockHolder()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

    [[nodiscard]] bool waitUntilLocked()
    {
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(10000))
                return false;
        }
        return m_process.readLine() == "locked\n";
    }

    // SIGKILL: the holder gets no chance to remove its lock file.
    [[nodiscard]] bool killHard()
    {
        m_process.kill();
        return m_process.waitForFinished(10000) && m_process.exitStatus() == QProcess::CrashExit;
    }

private:
    QProcess m_process;
};

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

private slots:
    void init();
    void secondGuardInSameProcessFails();
    void anotherRunningCopyKeepsTheLock();
    void lockHeldForLongIsNotTakenOver();
    void lockOfKilledCopyIsTakenOver();
    void unwritableFolderFails();
    void lockNamingNoLiveCopyIsNoBar_data();
    void lockNamingNoLiveCopyIsNoBar();
    void defaultLockLivesInRuntimeFolder();
    void secondCopyIsToldOnce();

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    [[nodiscard]] QString lockPath() const { return m_folder->filePath(u"kistarra.lock"_s); }
};

void TestSingleInstance::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
}

void TestSingleInstance::secondGuardInSameProcessFails()
{
    auto first = std::make_unique<SingleInstanceGuard>(lockPath());
    QVERIFY(first->tryAcquire());
    QVERIFY(first->tryAcquire());
    QVERIFY(QFileInfo::exists(lockPath()));

    SingleInstanceGuard second(lockPath());
    QVERIFY(!second.tryAcquire());
    QVERIFY(!second.isAcquired());

    first.reset();
    QVERIFY(!QFileInfo::exists(lockPath()));
    QVERIFY(second.tryAcquire());
}

void TestSingleInstance::anotherRunningCopyKeepsTheLock()
{
    LockHolder other(lockPath());
    QVERIFY(other.waitUntilLocked());

    SingleInstanceGuard guard(lockPath());
    QVERIFY(!guard.tryAcquire());
    QVERIFY(!guard.tryAcquire());
    QVERIFY(QFileInfo::exists(lockPath()));
}

void TestSingleInstance::lockHeldForLongIsNotTakenOver()
{
    LockHolder other(lockPath());
    QVERIFY(other.waitUntilLocked());
    // A copy that has been running for an hour: its lock file is an hour old.
    QFile lock(lockPath());
    QVERIFY(lock.open(QIODevice::ReadWrite));
    QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                             QFileDevice::FileModificationTime));
    lock.close();

    SingleInstanceGuard guard(lockPath());
    QVERIFY(!guard.tryAcquire());
}

void TestSingleInstance::lockOfKilledCopyIsTakenOver()
{
    LockHolder other(lockPath());
    QVERIFY(other.waitUntilLocked());
    SingleInstanceGuard guard(lockPath());
    QVERIFY(!guard.tryAcquire());

    QVERIFY(other.killHard());
    QVERIFY(QFileInfo::exists(lockPath()));
    QVERIFY(guard.tryAcquire());

    SingleInstanceGuard third(lockPath());
    QVERIFY(!third.tryAcquire());
}

void TestSingleInstance::unwritableFolderFails()
{
    SingleInstanceGuard guard(u"/proc/kistarra-test/kistarra.lock"_s);
    QVERIFY(!guard.tryAcquire());
    QVERIFY(!guard.isAcquired());
}

void TestSingleInstance::lockNamingNoLiveCopyIsNoBar_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<SingleInstanceGuard::State>("state");

    QTest::newRow("empty lock file") << u"empty"_s << SingleInstanceGuard::State::Acquired;
    QTest::newRow("garbage lock file") << u"garbage"_s << SingleInstanceGuard::State::Acquired;
    QTest::newRow("folder at the lock's path")
        << u"folder"_s << SingleInstanceGuard::State::Unavailable;
    // The lock is the kernel's, on an empty file: a full disk does not keep it from being held.
    QTest::newRow("no room on the disk") << u"full"_s << SingleInstanceGuard::State::Acquired;
}

// Only a live copy keeps another from starting; what a crash or a full disk leaves behind does not.
void TestSingleInstance::lockNamingNoLiveCopyIsNoBar()
{
    QFETCH(QString, kind);
    QFETCH(SingleInstanceGuard::State, state);
    if (kind == u"empty"_s)
        QVERIFY(WriteFile(lockPath(), {}));
    else if (kind == u"garbage"_s)
        QVERIFY(WriteFile(lockPath(), "\x01\xFFnot a process\n"));
    else if (kind == u"folder"_s)
        QVERIFY(QDir().mkpath(lockPath()));

    SingleInstanceGuard guard(lockPath());
    SingleInstanceGuard::State got = SingleInstanceGuard::State::HeldByAnotherCopy;
    {
        std::optional<FileSizeLimit> full;
        if (kind == u"full"_s)
            full.emplace(0);
        got = guard.acquire();
    }
    QCOMPARE(got, state);
    QCOMPARE(guard.problem().isEmpty(), state == SingleInstanceGuard::State::Acquired);
    if (state == SingleInstanceGuard::State::Acquired) {
        QVERIFY(guard.isAcquired());
        SingleInstanceGuard second(lockPath());
        QCOMPARE(second.acquire(), SingleInstanceGuard::State::HeldByAnotherCopy);
    }
}

void TestSingleInstance::defaultLockLivesInRuntimeFolder()
{
    const QString expectedFolder =
        QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QVERIFY(!expectedFolder.isEmpty());
    const QFileInfo path(SingleInstanceGuard::DefaultLockFilePath());
    QCOMPARE(path.fileName(), u"kistarra.lock"_s);
    QCOMPARE(QDir(path.absolutePath()), QDir(expectedFolder));
    QCOMPARE(SingleInstanceGuard().lockFilePath(), path.filePath());
}

void TestSingleInstance::secondCopyIsToldOnce()
{
    FakeDesktop desktop;
    ReportAlreadyRunning(desktop);
    const QList<FakeDesktop::Message> expected = {
        {FakeDesktop::MessageKind::Notice, u"Application is already running"_s}};
    QCOMPARE(desktop.messages, expected);
    QVERIFY(desktop.openedUrls.isEmpty());
}

} // namespace Kistarra

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsSet(Kistarra::HoldLockVariable))
        return Kistarra::HoldLockUntilKilled(argc, argv);
    QCoreApplication application(argc, argv);
    Kistarra::TestSingleInstance suite;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&suite, argc, argv);
}

#include "tst_singleinstance.moc"
